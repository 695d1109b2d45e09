#include "platform/DiskSpace.h"

#include <QFile>

#include <sys/statvfs.h>

bool DiskSpace::query(const QString &path, quint64 &totalBytes, quint64 &availableBytes)
{
    if (path.isEmpty())
        return false;
    struct statvfs volume {};
    if (::statvfs(QFile::encodeName(path).constData(), &volume) != 0)
        return false;
    const quint64 unit = volume.f_frsize ? volume.f_frsize : volume.f_bsize;
    totalBytes = quint64(volume.f_blocks) * unit;
    availableBytes = quint64(volume.f_bavail) * unit;
    return true;
}
