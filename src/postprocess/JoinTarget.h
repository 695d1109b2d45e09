#ifndef JOINTARGET_H
#define JOINTARGET_H

#include <QString>

#include <sys/types.h>

// The file a join writes, opened so that a join can never write outside its destination or
// into a file that is not its own: a new file is created without following anything that
// already stands at its name; a file already there is taken over only when an earlier join of
// the same set wrote it (a mark in its extended attributes names the set), it is a plain file
// and no other name shares it. Symbolic links, hard links, folders, pipes, files of the user and
// the output of another set's join (an earlier download of the same name) are refused.
class JoinTarget
{
public:
    enum class Opened { Created, TakenOver, Refused, Failed };

    JoinTarget() = default;
    JoinTarget(const JoinTarget&) = delete;
    JoinTarget& operator=(const JoinTarget&) = delete;
    ~JoinTarget();

    // Opens `path` for writing; the file descriptor is in handle() for Created and TakenOver
    // (a taken-over file is emptied first). `setMark` names the set being joined: a file this
    // creates carries it, and only a file that carries it is taken over. Refused: something
    // that is not an earlier join's output of this set stands at `path`; Failed: no file can
    // be made there (errorText() says why).
    Opened open(const QString& path, const QByteArray& setMark);

    int handle() const { return m_fd; }
    QString errorText() const { return m_error; }

    // Gives the file descriptor to the caller, who closes it from then on.
    int release();

    // Removes the file when `path` still names the file this object opened; false otherwise.
    bool removeIfStillOurs() const;

private:
    bool remember(int fd);
    Opened takeOver(const QByteArray& encodedPath, const QByteArray& setMark);

    QString m_path;
    QString m_error;
    int m_fd = -1;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};

#endif // JOINTARGET_H
