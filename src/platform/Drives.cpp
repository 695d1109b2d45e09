#include "platform/Drives.h"

#include "platform/DiskSpace.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QVector>
#include <QWaitCondition>

#include <memory>
#include <thread>

#include <mntent.h>
#include <stdio.h>

namespace {

// What the threads of one readable() call report; shared with them, since a thread stuck in a
// file system outlives the call.
struct Survey
{
    enum Answer { Pending, Readable, Unreadable };
    QMutex mutex;
    QWaitCondition answered;
    QVector<Answer> answers;
    int pending = 0;
};

} // namespace

std::function<bool(const QString &)> Drives::probe = &Drives::isFolderWithSize;
QString Drives::mountTable = QStringLiteral("/proc/self/mounts");

QList<QFileInfo> Drives::mounted()
{
    FILE *table = ::setmntent(QFile::encodeName(mountTable).constData(), "r");
    if (!table)
        return {};
    QMap<QByteArray, QString> rootByDevice;
    QStringList roots;
    struct mntent entry {};
    char buffer[4096];
    while (::getmntent_r(table, &entry, buffer, sizeof buffer)) {
        const QString root = QFile::decodeName(entry.mnt_dir);
        const QByteArray device(entry.mnt_fsname);
        if (root.isEmpty() || !isUserVolume(root, QByteArray(entry.mnt_type)) || roots.contains(root))
            continue;
        const auto known = rootByDevice.constFind(device);
        if (known == rootByDevice.constEnd()) {
            rootByDevice.insert(device, root);
            roots << root;
        } else if (root.size() < known.value().size()) {
            roots.replace(roots.indexOf(known.value()), root);
            rootByDevice.insert(device, root);
        }
    }
    ::endmntent(table);
    QList<QFileInfo> drives;
    for (const QString &root : qAsConst(roots))
        drives << entryFor(root);
    return drives;
}

QList<QFileInfo> Drives::readable(const QList<QFileInfo> &drives, int boundMs)
{
    auto survey = std::make_shared<Survey>();
    survey->answers.fill(Survey::Pending, drives.size());
    survey->pending = drives.size();
    for (int i = 0; i < drives.size(); ++i) {
        // Detached: a thread stuck in a file system must hold neither the caller nor the
        // program's exit.
        std::thread([survey, i, folder = drives.at(i).dir().absolutePath(), ask = probe] {
            const bool bReadable = ask && ask(folder);
            QMutexLocker locker(&survey->mutex);
            survey->answers[i] = bReadable ? Survey::Readable : Survey::Unreadable;
            --survey->pending;
            survey->answered.wakeAll();
        }).detach();
    }
    const QDeadlineTimer deadline(boundMs);
    QMutexLocker locker(&survey->mutex);
    while (survey->pending > 0 && !deadline.hasExpired())
        survey->answered.wait(&survey->mutex, deadline);
    QList<QFileInfo> kept;
    for (int i = 0; i < drives.size(); ++i) {
        if (survey->answers.at(i) != Survey::Unreadable)
            kept << drives.at(i);
    }
    return kept;
}

QFileInfo Drives::entryFor(const QString &mountPoint)
{
    if (mountPoint.endsWith(QLatin1Char('/')))
        return QFileInfo(mountPoint);
    return QFileInfo(mountPoint + QLatin1Char('/'));
}

// Mounts of single files (as containers bind /etc/hosts) are no drives, nor are file systems
// without a size (the kernel's own).
bool Drives::isFolderWithSize(const QString &mountPoint)
{
    quint64 total = 0;
    quint64 available = 0;
    return QFileInfo(mountPoint).isDir() && DiskSpace::query(mountPoint, total, available) && total > 0;
}

// Memory and image file systems, the kernel's own and the automounter's triggers (asking one
// mounts what it stands for) are not drives.
bool Drives::isUserVolume(const QString &mountPoint, const QByteArray &fileSystemType)
{
    static const QList<QByteArray> otherTypes = {
        "tmpfs",      "devtmpfs", "ramfs",   "squashfs",  "rootfs",     "proc",   "sysfs",    "devpts",
        "cgroup",     "cgroup2",  "securityfs", "debugfs", "tracefs",   "configfs", "fusectl", "mqueue",
        "hugetlbfs",  "autofs",   "binfmt_misc", "bpf",    "pstore",    "efivarfs", "nsfs",    "rpc_pipefs"};
    if (otherTypes.contains(fileSystemType))
        return false;
    static const QStringList systemTrees = {"/proc", "/sys", "/dev", "/run", "/snap", "/var/run", "/var/lock"};
    for (const QString &tree : systemTrees) {
        if (mountPoint == tree || mountPoint.startsWith(tree + QLatin1Char('/')))
            return false;
    }
    return true;
}
