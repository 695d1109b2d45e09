#include "config/AppConfiguration.h"
#include "platform/DiskSpace.h"
#include "platform/Drives.h"

#include "../config/TempHome.h"
#include "../support/FakeMountProbe.h"

#include <QSemaphore>
#include <QStorageInfo>
#include <QtTest>

#include <atomic>

namespace {

QStringList foldersOf(const QList<QFileInfo> &drives)
{
    QStringList folders;
    for (const QFileInfo &drive : drives)
        folders << drive.dir().absolutePath();
    return folders;
}

} // namespace

class tst_DiskSpace : public QObject
{
    Q_OBJECT

    std::function<bool(const QString &)> defaultProbe;
    QString defaultMountTable;

private slots:
    void initTestCase()
    {
        defaultProbe = Drives::probe;
        defaultMountTable = Drives::mountTable;
    }

    void cleanup()
    {
        Drives::probe = defaultProbe;
        Drives::mountTable = defaultMountTable;
    }

    // The drives come from the mount table alone (the mount points here do not even exist):
    // the kernel's, memory and automounter file systems are left out, a device mounted twice is
    // listed at its shortest mount point, and escaped blanks are read.
    void mountTableAloneNamesTheDrives()
    {
        QTemporaryDir dir;
        const QString table = dir.filePath(QStringLiteral("mounts"));
        QFile file(table);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("/dev/vda1 /tq-root ext4 rw 0 0\n"
                   "proc /proc proc rw 0 0\n"
                   "tmpfs /tq-memory tmpfs rw 0 0\n"
                   "server:/export /tq-nfs nfs4 rw 0 0\n"
                   "systemd-1 /tq-auto autofs rw 0 0\n"
                   "/dev/vda1 /tq-root/srv/bound ext4 rw 0 0\n"
                   "/dev/vdb1 /tq-data/long/path ext4 rw 0 0\n"
                   "/dev/vdb1 /tq-data ext4 rw 0 0\n"
                   "host:/ /tq-with\\040blank fuse.sshfs rw 0 0\n"
                   "cgroup2 /tq-cgroup cgroup2 rw 0 0\n");
        file.close();
        Drives::mountTable = table;
        QCOMPARE(foldersOf(Drives::mounted()), (QStringList{QStringLiteral("/tq-root"), QStringLiteral("/tq-nfs"),
                                                             QStringLiteral("/tq-data"),
                                                             QStringLiteral("/tq-with blank")}));
    }

    // A mount point that never answers holds the list back no longer than the bound: it is
    // kept in its place (not known to be unreadable), the unreadable one goes.
    void aMountThatNeverAnswersHoldsTheListNoLonger()
    {
        Drives::probe = &FakeMountProbe::probe;
        const QList<QFileInfo> drives = {Drives::entryFor(QStringLiteral("/tq-a")),
                                         Drives::entryFor(QStringLiteral("/tq-hang")),
                                         Drives::entryFor(QStringLiteral("/tq-unreadable")),
                                         Drives::entryFor(QStringLiteral("/tq-b"))};
        const QList<QFileInfo> readable = Drives::readable(drives, 2000);
        QCOMPARE(foldersOf(readable), (QStringList{QStringLiteral("/tq-a"), QStringLiteral("/tq-hang"),
                                                    QStringLiteral("/tq-b")}));
        QCOMPARE(FakeMountProbe::hanging.load(), 1);
        FakeMountProbe::release.release();
        QTRY_COMPARE(FakeMountProbe::hanging.load(), 0);
    }

    void missingPathLeavesOutputsAndCurrentFolder()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        double total = -1;
        double free = -2;
        QVERIFY(!AppConfiguration::getDiskSpace(dir.path() + "/no/such/folder", total, free));
        QCOMPARE(total, -1.0);
        QCOMPARE(free, -2.0);
        QCOMPARE(QDir::currentPath(), before);
    }

    void readsTheVolumeOfAFolderInKiB()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        double total = 0;
        double free = 0;
        QVERIFY(AppConfiguration::getDiskSpace(dir.path(), total, free));
        QCOMPARE(QDir::currentPath(), before);
        const QStorageInfo volume(dir.path());
        QCOMPARE(total, double(volume.bytesTotal()) / 1024.0);
        QVERIFY(free > 0 && free <= total);
    }

    void emptyPathIsNoVolume()
    {
        double total = 0;
        double free = 0;
        QVERIFY(!AppConfiguration::getDiskSpace(QString(), total, free));
    }

    // Callers take a drive's folder as entry.dir().absolutePath(), as they would for "C:/".
    void driveEntriesNameTheirMountPoint_data()
    {
        QTest::addColumn<QString>("mountPoint");
        QTest::newRow("root") << "/";
        QTest::newRow("one level") << "/home";
        QTest::newRow("two levels") << "/mnt/data";
        QTest::newRow("trailing separator") << "/media/usb/";
    }

    void driveEntriesNameTheirMountPoint()
    {
        QFETCH(QString, mountPoint);
        const QFileInfo entry = Drives::entryFor(mountPoint);
        QString expected = mountPoint;
        if (expected.size() > 1 && expected.endsWith('/'))
            expected.chop(1);
        QCOMPARE(entry.dir().absolutePath(), expected);
    }

    void refreshDrivesKeepsOnlyReadableVolumes()
    {
        TempHome home;
        AppConfiguration configuration;
        QVERIFY(configuration.drives.isEmpty());
        configuration.refreshDrives();
        QVERIFY(!configuration.drives.isEmpty());
        QStringList folders;
        for (const QFileInfo &drive : qAsConst(configuration.drives)) {
            QVERIFY2(!folders.contains(drive.dir().absolutePath()), qPrintable(drive.filePath()));
            folders << drive.dir().absolutePath();
            QVERIFY(QFileInfo(drive.dir().absolutePath()).isDir());
            double total = 0;
            double free = 0;
            QVERIFY2(AppConfiguration::getDiskSpace(drive.dir().absolutePath(), total, free),
                     qPrintable(drive.filePath()));
            QVERIFY(!drive.dir().absolutePath().startsWith("/proc"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_DiskSpace)
#include "tst_DiskSpace.moc"
