#include "config/AppConfiguration.h"
#include "platform/DiskSpace.h"
#include "platform/Drives.h"

#include "../config/TempHome.h"

#include <QStorageInfo>
#include <QtTest>

class tst_DiskSpace : public QObject
{
    Q_OBJECT

private slots:
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
