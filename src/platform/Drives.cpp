#include "platform/Drives.h"

#include <QStorageInfo>

QList<QFileInfo> Drives::mounted()
{
    QList<QFileInfo> drives;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        if (volume.isValid() && volume.isReady() && volume.bytesTotal() > 0
            && isUserVolume(volume.rootPath(), volume.fileSystemType()))
            drives.append(entryFor(volume.rootPath()));
    }
    return drives;
}

QFileInfo Drives::entryFor(const QString &mountPoint)
{
    if (mountPoint.endsWith(QLatin1Char('/')))
        return QFileInfo(mountPoint);
    return QFileInfo(mountPoint + QLatin1Char('/'));
}

bool Drives::isUserVolume(const QString &mountPoint, const QByteArray &fileSystemType)
{
    static const QList<QByteArray> memoryOrImageTypes = {"tmpfs", "devtmpfs", "ramfs", "squashfs"};
    if (memoryOrImageTypes.contains(fileSystemType))
        return false;
    static const QStringList systemTrees = {"/proc", "/sys", "/dev", "/run", "/snap"};
    for (const QString &tree : systemTrees) {
        if (mountPoint == tree || mountPoint.startsWith(tree + QLatin1Char('/')))
            return false;
    }
    return true;
}
