#include "platform/Drives.h"

#include <QMap>
#include <QStorageInfo>
#include <QStringList>

// One entry per file system: a device mounted at several places (bind mounts) is listed once,
// at its shortest mount point; mounts of single files are not drives.
QList<QFileInfo> Drives::mounted()
{
    QMap<QByteArray, QString> rootByDevice;
    QStringList roots;
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || volume.bytesTotal() <= 0 || !QFileInfo(root).isDir()
            || !isUserVolume(root, volume.fileSystemType()))
            continue;
        const auto known = rootByDevice.constFind(volume.device());
        if (known == rootByDevice.constEnd()) {
            rootByDevice.insert(volume.device(), root);
            roots << root;
        } else if (root.size() < known.value().size()) {
            roots.replace(roots.indexOf(known.value()), root);
            rootByDevice.insert(volume.device(), root);
        }
    }
    QList<QFileInfo> drives;
    for (const QString &root : qAsConst(roots))
        drives << entryFor(root);
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
