#ifndef FILEOPENHOLD_H
#define FILEOPENHOLD_H

#include <QFile>
#include <QString>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

// Holds up every opening of a regular file while it lives, or until release(): a write lease on
// the file makes the kernel keep any open() of it waiting (this process's own threads included)
// until the lease goes, or at most /proc/sys/fs/lease-break-time seconds (45 by default). For
// tests that must catch code in the middle of a step that reads plain files, such as a join
// about to open its next volume. The lease's signal (SIGIO) is ignored while it is held.
class FileOpenHold
{
public:
    explicit FileOpenHold(const QString &path)
    {
        previousHandler = std::signal(SIGIO, SIG_IGN);
        fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        held = fd >= 0 && ::fcntl(fd, F_SETLEASE, F_WRLCK) == 0;
    }
    ~FileOpenHold()
    {
        release();
        std::signal(SIGIO, previousHandler);
    }
    FileOpenHold(const FileOpenHold &) = delete;
    FileOpenHold &operator=(const FileOpenHold &) = delete;

    // False when the file system grants no lease (the test cannot hold the file up there).
    bool isHeld() const { return held; }
    // The waiting opens go on.
    void release()
    {
        if (fd < 0)
            return;
        if (held)
            ::fcntl(fd, F_SETLEASE, F_UNLCK);
        ::close(fd);
        fd = -1;
        held = false;
    }

private:
    int fd = -1;
    bool held = false;
    void (*previousHandler)(int) = SIG_DFL;
};

#endif // FILEOPENHOLD_H
