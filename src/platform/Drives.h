#ifndef DRIVES_H
#define DRIVES_H

#include <QFileInfo>
#include <QList>
#include <QString>

#include <functional>

// The computer's drives: the mounted file systems that hold user data, one entry per mount
// point. Each entry is built so that both `absoluteFilePath()` and `dir().absolutePath()` name
// the mount point itself (a trailing separator is kept on purpose), as callers that expect
// drive roots such as "C:/" do.
//
// A file system that no longer answers (a network mount whose server is gone, a FUSE daemon that
// hangs) blocks whoever asks it anything, without bound. So the list is read from the mount
// table alone, and the file systems themselves are asked only by readable(), each in a thread
// of its own, for a bounded time.
class Drives
{
public:
    // Every mount point of the mount table that may hold user data, in table order; no file
    // system is asked anything. A device mounted at several places (bind mounts) is listed once,
    // at its shortest mount point.
    static QList<QFileInfo> mounted();

    // The entries of `drives` that are folders whose volume size can be read, in their order.
    // Each is asked in a thread of its own; after `boundMs` the answers not come yet are not
    // waited for: those entries are kept, as drives not known to be unreadable.
    static QList<QFileInfo> readable(const QList<QFileInfo> &drives, int boundMs);

    // The entry for one mount point, in the form described above.
    static QFileInfo entryFor(const QString &mountPoint);

    // Whether a mount point is a folder on a volume with a size: what readable() asks each
    // drive. It blocks as long as the file system does; tests stand in for it.
    static std::function<bool(const QString &mountPoint)> probe;
    // The mount table that mounted() reads; tests point it at a file of their own.
    static QString mountTable;

private:
    static bool isUserVolume(const QString &mountPoint, const QByteArray &fileSystemType);
    static bool isFolderWithSize(const QString &mountPoint);
};

#endif // DRIVES_H
