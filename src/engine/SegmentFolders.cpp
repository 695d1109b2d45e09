#include "engine/SegmentFolders.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// The folder's attribute flags, through an open descriptor; false when the file system has none.
bool folderFlags(int fd, int &flags)
{
    return ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
}

int openFolder(const QString &folder)
{
    return open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

bool SegmentFolders::prepareParent(const QString &folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    const int fd = openFolder(folder);
    if (fd < 0)
        return true;
    int flags = 0;
    if (folderFlags(fd, flags) && !(flags & FS_TOPDIR_FL)) {
        flags |= FS_TOPDIR_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
    return true;
}

bool SegmentFolders::isMarked(const QString &folder)
{
    const int fd = openFolder(folder);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool marked = folderFlags(fd, flags) && (flags & FS_TOPDIR_FL);
    close(fd);
    return marked;
}
