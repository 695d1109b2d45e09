#include "FileSizeLimit.h"

#include "config/UtilsFilesFolders.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

// A file replaced in one step keeps its old content when the new one cannot be written whole:
// here the process may not write files beyond 64 bytes, as on a full disk.
class tst_SaveFileShortWrite : public QObject
{
    Q_OBJECT

private slots:
    void oldContentSurvivesAShortWrite_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("held in the write buffer until the end") << 1000;
        QTest::newRow("larger than the write buffer") << 100000;
    }

    void oldContentSurvivesAShortWrite()
    {
        QFETCH(int, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("record.bin"));
        QVERIFY(UtilsFilesFolders::saveFile(path, "old content"));

        bool saved = true;
        {
            FileSizeLimit limit(64);
            QVERIFY(limit.active);
            saved = UtilsFilesFolders::saveFile(path, QByteArray(size, 'n'));
        }
        QVERIFY(!saved);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old content"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"record.bin"}));
    }
};

QTEST_GUILESS_MAIN(tst_SaveFileShortWrite)
#include "tst_SaveFileShortWrite.moc"
