// Files replaced together: each is whole in its place or keeps what it held, and nothing of the
// writing is left beside them.
#include "config/SyncedFileBatch.h"

#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class tst_SyncedFileBatch : public QObject
{
    Q_OBJECT

private slots:
    void filesReplacedTogether()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString kept = dir.filePath("kept");
        QVERIFY(writeFile(kept, "old content that is longer than the new one"));
        const QDateTime taken = QDateTime::fromString("2021-03-04T05:06:07", Qt::ISODate);

        SyncedFileBatch batch;
        batch.add(kept, "new");
        batch.add(dir.filePath("fresh"), QByteArray(100000, 'x'), taken);
        batch.add(dir.filePath("no such folder/file"), "lost");
        batch.add(dir.filePath("empty"), QByteArray());
        QCOMPARE(batch.size(), 4);
        QCOMPARE(batch.commit(), (QVector<bool>{true, true, false, true}));
        QCOMPARE(batch.size(), 0);

        QCOMPARE(readFile(kept), QByteArray("new"));
        QCOMPARE(readFile(dir.filePath("fresh")), QByteArray(100000, 'x'));
        QCOMPARE(QFileInfo(dir.filePath("fresh")).lastModified(), taken);
        QVERIFY(QFileInfo::exists(dir.filePath("empty")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{"empty", "fresh", "kept"}));
    }

    // A place that cannot take the file (a folder is there) is left as it is, with nothing
    // beside it, and the other files of the batch are written all the same.
    void placeTakenByAFolder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("taken/inside"));
        SyncedFileBatch batch;
        batch.add(dir.filePath("taken"), "file");
        batch.add(dir.filePath("other"), "written");
        QCOMPARE(batch.commit(), (QVector<bool>{false, true}));
        QVERIFY(QFileInfo(dir.filePath("taken/inside")).isDir());
        QCOMPARE(readFile(dir.filePath("other")), QByteArray("written"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                 (QStringList{"other", "taken"}));
    }
};

QTEST_GUILESS_MAIN(tst_SyncedFileBatch)
#include "tst_SyncedFileBatch.moc"
