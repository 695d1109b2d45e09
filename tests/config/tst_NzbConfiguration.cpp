#include "config/AppConfiguration.h"
#include "config/NzbConfiguration.h"

#include "../model/NzbTestHelpers.h"
#include "../support/ReadOnlyFolder.h"
#include "TempHome.h"
#include "TestFiles.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QSignalSpy>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

NzbFiles *makeNzb(qint32 queueId, const QString &name, int files = 3)
{
    auto *nzb = new NzbFiles;
    nzb->iQueueId = queueId;
    nzb->strName = name;
    nzb->strDestination = "/dest/" + name;
    nzb->strDownloadFolder = "/download/" + name;
    for (int i = 0; i < files; ++i)
        nzb->addFile(makeFile(QString("%1 file %2").arg(name).arg(i), 4, 1000));
    nzb->updateSizes();
    return nzb;
}

QString nzbFolder()
{
    return AppConfiguration::getNzbFolder();
}

QStringList folderFiles()
{
    return QDir(nzbFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList namesOf(const QList<NzbFiles *> &queue)
{
    QStringList names;
    for (const NzbFiles *nzb : queue)
        names << nzb->strName;
    return names;
}

bool setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime);
}

// Which file the path names, as it stands: inode, size and time of its last change.
QByteArray identityOf(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QByteArray();
    return QByteArray::number(qulonglong(status.st_ino)) + ' ' + QByteArray::number(qlonglong(status.st_size)) + ' '
           + QByteArray::number(qlonglong(status.st_mtim.tv_sec)) + '.' + QByteArray::number(qlonglong(status.st_mtim.tv_nsec));
}

void flipByte(const QString &path, int position)
{
    QByteArray bytes = readFile(path);
    bytes[position] = char(bytes.at(position) ^ 0x5a);
    QVERIFY(writeFile(path, bytes));
}

// Owns what a test loads or builds.
struct Queue
{
    NzbConfiguration configuration;
    QList<NzbFiles *> owned;
    ~Queue() { qDeleteAll(owned + configuration.listNzbFiles); }
    NzbFiles *add(NzbFiles *nzb)
    {
        configuration.listNzbFiles.append(nzb);
        return nzb;
    }
    void load()
    {
        owned += configuration.listNzbFiles;
        configuration.loadNzbs();
    }
};

} // namespace

class tst_NzbConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void recordFileAndBackup()
    {
        TempHome home;
        QScopedPointer<NzbFiles> nzb(makeNzb(5, "five"));
        NzbConfiguration configuration;
        QVERIFY(configuration.saveNzb(nzb.data()));
        QCOMPARE(folderFiles(), QStringList({"Nzb_5", "Nzb_5.rec"}));
        const QByteArray content = readFile(nzbFolder() + "/Nzb_5");
        QCOMPARE(readFile(nzbFolder() + "/Nzb_5.rec"), content);

        QByteArray record;
        QDataStream stream(&record, QIODevice::WriteOnly);
        stream.setVersion(12);
        stream << *nzb;
        QCOMPARE(content.left(content.size() - 16), record);
        QCOMPARE(content.right(16), QCryptographicHash::hash(record, QCryptographicHash::Md5));
    }

    void savedQueueLoadsBack()
    {
        TempHome home;
        Queue saved;
        NzbFiles *nzb = saved.add(makeNzb(0, "zero"));
        nzb->getFileAt(1)->setDecoded(true);
        nzb->bKeepPar2Files = true;
        nzb->strArchivePassword = "pw";
        QVERIFY(saved.configuration.saveNzb(nzb));

        Queue loaded;
        loaded.load();
        QCOMPARE(loaded.configuration.listNzbFiles.size(), 1);
        const NzbFiles *read = loaded.configuration.listNzbFiles.first();
        QCOMPARE(read->strName, QString("zero"));
        QCOMPARE(read->getFileCount(), qint64(3));
        QVERIFY(read->getFileAt(1)->bDecoded);
        QVERIFY(read->bKeepPar2Files);
        QCOMPARE(read->strArchivePassword, QString("pw"));
        // Sizes are rebuilt after reading.
        QCOMPARE(read->uiTotalSize, quint64(12000));
        QCOMPARE(read->uiSizeToDownload, quint64(12000));
        QCOMPARE(NzbConfiguration::recordFileContent(*read), NzbConfiguration::recordFileContent(*nzb));
    }

    void damagedRecordIsRestoredFromItsBackup_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("first byte") << 0;
        QTest::newRow("inside the record") << 100;
        QTest::newRow("in the digest") << -1;
    }

    void damagedRecordIsRestoredFromItsBackup()
    {
        QFETCH(int, position);
        TempHome home;
        Queue saved;
        QVERIFY(saved.configuration.saveNzb(saved.add(makeNzb(5, "five"))));
        const QByteArray sound = readFile(nzbFolder() + "/Nzb_5");
        flipByte(nzbFolder() + "/Nzb_5", position < 0 ? sound.size() - 1 : position);

        Queue loaded;
        loaded.load();
        QCOMPARE(namesOf(loaded.configuration.listNzbFiles), QStringList{"five"});
        QCOMPARE(readFile(nzbFolder() + "/Nzb_5"), sound);
        QCOMPARE(readFile(nzbFolder() + "/Nzb_5.rec"), sound);
        QCOMPARE(loaded.configuration.listRestoredNzbs, QStringList{"five"});
        QVERIFY(loaded.configuration.listUnrestoredNzbs.isEmpty());
    }

    // A damaged record and its backup are set aside, renamed beside the others with their
    // bytes, and the NZB is named for the user; the other NZBs load. Neither a later load nor a
    // full rewrite removes what was set aside.
    void recordAndBackupBothDamaged_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("named");
        QTest::newRow("empty") << "empty" << "Nzb_5";
        QTest::newRow("zero-filled") << "zeros" << "Nzb_5";
        QTest::newRow("garbled in the middle") << "garbled" << "five";
        QTest::newRow("cut in half") << "cut" << "five";
    }

    void recordAndBackupBothDamaged()
    {
        QFETCH(QString, damage);
        TempHome home;
        Queue saved;
        QVERIFY(saved.configuration.saveNzb(saved.add(makeNzb(5, "five"))));
        QVERIFY(saved.configuration.saveNzb(saved.add(makeNzb(6, "six"))));
        QByteArray content = readFile(nzbFolder() + "/Nzb_5");
        if (damage == "empty")
            content.clear();
        else if (damage == "zeros")
            content.fill('\0');
        else if (damage == "garbled")
            content.replace(content.size() / 2, 8, "garbled!");
        else
            content.truncate(content.size() / 2);
        QVERIFY(writeFile(nzbFolder() + "/Nzb_5", content));
        QVERIFY(writeFile(nzbFolder() + "/Nzb_5.rec", content));

        Queue loaded;
        loaded.load();
        QCOMPARE(namesOf(loaded.configuration.listNzbFiles), QStringList{"six"});
        QFETCH(QString, named);
        QCOMPARE(loaded.configuration.listUnrestoredNzbs, QStringList{named});
        QVERIFY(loaded.configuration.listRestoredNzbs.isEmpty());
        const QStringList expected{"Nzb_5.damaged", "Nzb_5.rec.damaged", "Nzb_6", "Nzb_6.rec"};
        QCOMPARE(folderFiles(), expected);
        QCOMPARE(readFile(nzbFolder() + "/Nzb_5.damaged"), content);
        QCOMPARE(readFile(nzbFolder() + "/Nzb_5.rec.damaged"), content);

        Queue again;
        again.load();
        QCOMPARE(namesOf(again.configuration.listNzbFiles), QStringList{"six"});
        QVERIFY(again.configuration.listUnrestoredNzbs.isEmpty());
        QVERIFY(again.configuration.saveAllNzbs());
        QCOMPARE(folderFiles(), expected);
    }

    // A second damaged record of the same id does not take the place of the first one set aside.
    void setAsideNamesNeverCollide()
    {
        TempHome home;
        QVERIFY(writeFile(nzbFolder() + "/Nzb_3", "first"));
        Queue first;
        first.load();
        QVERIFY(writeFile(nzbFolder() + "/Nzb_3", "second"));
        Queue second;
        second.load();
        QCOMPARE(folderFiles(), QStringList({"Nzb_3.1.damaged", "Nzb_3.damaged"}));
        QCOMPARE(readFile(nzbFolder() + "/Nzb_3.damaged"), QByteArray("first"));
        QCOMPARE(readFile(nzbFolder() + "/Nzb_3.1.damaged"), QByteArray("second"));
    }

    void damagedRecordWithoutBackupIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("15 bytes") << QByteArray(15, 'x');
        QTest::newRow("16 zero bytes") << QByteArray(16, '\0');
        QTest::newRow("wrong digest") << QByteArray(40, 'x');
    }

    void damagedRecordWithoutBackupIsSetAside()
    {
        QFETCH(QByteArray, content);
        TempHome home;
        QVERIFY(writeFile(nzbFolder() + "/Nzb_3", content));
        Queue loaded;
        loaded.load();
        QVERIFY(loaded.configuration.listNzbFiles.isEmpty());
        QCOMPARE(loaded.configuration.listUnrestoredNzbs, QStringList{"Nzb_3"});
        QCOMPARE(folderFiles(), QStringList{"Nzb_3.damaged"});
        QCOMPARE(readFile(nzbFolder() + "/Nzb_3.damaged"), content);
    }

    void loneBackupIsNeverLoaded()
    {
        TempHome home;
        Queue saved;
        QVERIFY(saved.configuration.saveNzb(saved.add(makeNzb(7, "seven"))));
        QVERIFY(QFile::remove(nzbFolder() + "/Nzb_7"));
        QVERIFY(QFile::rename(nzbFolder() + "/Nzb_7.rec", nzbFolder() + "/Nzb_7.REC"));
        Queue loaded;
        loaded.load();
        QVERIFY(loaded.configuration.listNzbFiles.isEmpty());
        QCOMPARE(folderFiles(), QStringList{"Nzb_7.REC"});
    }

    // Foreign files, and what an interrupted atomic write leaves beside a record (a complete
    // copy under a temporary name), are removed and never loaded twice.
    void strangersAreRemovedNotLoaded()
    {
        TempHome home;
        Queue saved;
        QVERIFY(saved.configuration.saveNzb(saved.add(makeNzb(4, "four"))));
        const QByteArray record = readFile(nzbFolder() + "/Nzb_4");
        QVERIFY(writeFile(nzbFolder() + "/Nzb_4.aB3dEf", record));
        QVERIFY(writeFile(nzbFolder() + "/other-program.tmp", "junk"));
        Queue loaded;
        loaded.load();
        QCOMPARE(namesOf(loaded.configuration.listNzbFiles), QStringList{"four"});
        QCOMPARE(folderFiles(), QStringList({"Nzb_4", "Nzb_4.rec"}));
    }

    void queueOrderFollowsTheIdsInsideTheRecords()
    {
        TempHome home;
        // File names deliberately disagree with the ids inside.
        const QList<QPair<QString, NzbFiles *>> files = {{"Nzb_0", makeNzb(2, "two")},
                                                         {"Nzb_1", makeNzb(0, "zero")},
                                                         {"Nzb_2", makeNzb(1, "one")},
                                                         {"Nzb_9", makeNzb(-1, "max")},
                                                         {"Nzb_8", makeNzb(5, "five")}};
        for (const auto &file : files) {
            QVERIFY(writeFile(nzbFolder() + "/" + file.first, NzbConfiguration::recordFileContent(*file.second)));
            delete file.second;
        }
        Queue loaded;
        loaded.load();
        QCOMPARE(namesOf(loaded.configuration.listNzbFiles), QStringList({"zero", "one", "two", "five", "max"}));
    }

    void missingFolderLeavesAnEmptyQueue()
    {
        TempHome home;
        Queue queue;
        queue.add(makeNzb(1, "stale"));
        queue.load();
        QVERIFY(queue.configuration.listNzbFiles.isEmpty());
        QVERIFY(!QFileInfo::exists(nzbFolder()));
    }

    void fullRewriteDropsFinishedAndDeleted()
    {
        TempHome home;
        Queue queue;
        NzbFiles *finished = queue.add(makeNzb(0, "finished"));
        NzbFiles *kept = queue.add(makeNzb(1, "kept"));
        NzbFiles *deleted = queue.add(makeNzb(2, "deleted"));
        NzbFiles *last = queue.add(makeNzb(3, "last"));
        for (NzbFiles *nzb : queue.configuration.listNzbFiles)
            QVERIFY(queue.configuration.saveNzb(nzb));
        finished->setFinished(true);
        deleted->bDeleted = true;
        queue.owned << finished << deleted;

        QVERIFY(queue.configuration.saveAllNzbs());
        QCOMPARE(queue.configuration.listNzbFiles, QList<NzbFiles *>({kept, last}));
        QCOMPARE(folderFiles(), QStringList({"Nzb_1", "Nzb_1.rec", "Nzb_3", "Nzb_3.rec"}));
    }

    // After a removal the queue is renumbered: a deleted NZB may keep the id now given to a
    // live one, whose files must survive the rewrite.
    void fullRewriteAfterRenumbering()
    {
        TempHome home;
        Queue queue;
        NzbFiles *gone = queue.add(makeNzb(0, "gone"));
        NzbFiles *moved = queue.add(makeNzb(1, "moved"));
        for (NzbFiles *nzb : queue.configuration.listNzbFiles)
            QVERIFY(queue.configuration.saveNzb(nzb));
        gone->bDeleted = true;
        moved->iQueueId = 0;
        queue.owned << gone;

        QVERIFY(queue.configuration.saveAllNzbs());
        QCOMPARE(folderFiles(), QStringList({"Nzb_0", "Nzb_0.rec"}));
        Queue loaded;
        loaded.load();
        QCOMPARE(namesOf(loaded.configuration.listNzbFiles), QStringList{"moved"});
    }

    // A record that cannot be written must not cost the NZB its previous record.
    void fullRewriteRemovesNothingWhenAWriteFails()
    {
        TempHome home;
        Queue queue;
        NzbFiles *first = queue.add(makeNzb(0, "first"));
        NzbFiles *second = queue.add(makeNzb(2, "second"));
        QVERIFY(queue.configuration.saveNzb(first));
        QVERIFY(queue.configuration.saveNzb(second));
        second->iQueueId = 1; // renumbered, but its new record cannot be written
        QVERIFY(QDir().mkpath(nzbFolder() + "/Nzb_1/in-the-way"));

        QVERIFY(!queue.configuration.saveAllNzbs());
        QVERIFY(QFileInfo::exists(nzbFolder() + "/Nzb_2"));
        QVERIFY(QFileInfo::exists(nzbFolder() + "/Nzb_2.rec"));
        QVERIFY(QFileInfo::exists(nzbFolder() + "/Nzb_0"));
    }

    void deleteNzbRemovesItsFiles()
    {
        TempHome home;
        Queue queue;
        NzbFiles *one = queue.add(makeNzb(1, "one"));
        NzbFiles *two = queue.add(makeNzb(2, "two"));
        QVERIFY(queue.configuration.saveNzb(one));
        QVERIFY(queue.configuration.saveNzb(two));
        queue.configuration.deleteNzb(one);
        queue.owned << one;
        QCOMPARE(queue.configuration.listNzbFiles, QList<NzbFiles *>{two});
        QCOMPARE(folderFiles(), QStringList({"Nzb_2", "Nzb_2.rec"}));

        // Not in the saved queue: the files named by its id still go.
        QScopedPointer<NzbFiles> stranger(makeNzb(2, "stranger"));
        two->iQueueId = 3;
        queue.configuration.deleteNzb(stranger.data());
        QVERIFY(folderFiles().isEmpty());
    }

    void deleteNzbKeepsTheFilesOfALiveNzbWithItsId()
    {
        TempHome home;
        Queue queue;
        NzbFiles *live = queue.add(makeNzb(0, "live"));
        QVERIFY(queue.configuration.saveNzb(live));
        QScopedPointer<NzbFiles> finished(makeNzb(0, "finished"));
        finished->setFinished(true);
        queue.configuration.deleteNzb(finished.data());
        QCOMPARE(folderFiles(), QStringList({"Nzb_0", "Nzb_0.rec"}));
    }

    void writesThatFailAreReported_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<bool>("folderExists"); // else the data folder refuses to make it
        for (const char *operation : {"saveNzb", "saveInBackground", "saveAllNzbs", "saveAllInBackground"}) {
            QTest::addRow("%s, record folder read-only", operation) << QString(operation) << true;
            QTest::addRow("%s, record folder cannot be made", operation) << QString(operation) << false;
        }
    }

    // A record that cannot be written is reported once per operation, with the folder and the
    // system's reason; the records saved before stay as they were.
    void writesThatFailAreReported()
    {
        QFETCH(QString, operation);
        QFETCH(bool, folderExists);
        TempHome home;
        Queue queue;
        NzbFiles *earlier = queue.add(makeNzb(0, "earlier"));
        if (folderExists)
            QVERIFY(queue.configuration.saveNzb(earlier));
        else
            QVERIFY(QDir().mkpath(home.dataFolder()));
        const QStringList filesBefore = folderFiles();
        const QByteArray recordBefore = readFile(nzbFolder() + "/Nzb_0");
        NzbFiles *later = queue.add(makeNzb(1, "later"));
        QSignalSpy reports(&queue.configuration, &NzbConfiguration::signalRecordNotWritten);
        ReadOnlyFolder readOnly(folderExists ? nzbFolder() : home.dataFolder());
        QVERIFY(readOnly.isValid());

        bool result = false;
        if (operation == "saveNzb")
            result = queue.configuration.saveNzb(later);
        else if (operation == "saveAllNzbs")
            result = queue.configuration.saveAllNzbs();
        else if (operation == "saveInBackground")
            queue.configuration.saveInBackground(later);
        else
            queue.configuration.saveAllInBackground();
        queue.configuration.flushWrites();

        QVERIFY(!result);
        QTRY_COMPARE(reports.count(), 1);
        QCOMPARE(reports.first().at(0).toString(), nzbFolder());
        QCOMPARE(reports.first().at(1).toString(), QString::fromLocal8Bit(std::strerror(readOnly.errorCode())));
        readOnly.makeWritable();
        QCOMPARE(folderFiles(), filesBefore);
        QCOMPARE(readFile(nzbFolder() + "/Nzb_0"), recordBefore);
    }

    void saveNzbWithoutAFolder()
    {
        TempHome home;
        QVERIFY(writeFile(home.dataFolder() + "/Nzb", "a file in the way"));
        QScopedPointer<NzbFiles> nzb(makeNzb(1, "one"));
        NzbConfiguration configuration;
        QVERIFY(!configuration.saveNzb(nzb.data()));
    }

    // After a crash the record is older than the articles that arrived since it was written:
    // their segment files, whole and written after it, count as downloaded at the next start.
    // A file cut short, an empty one (made before its article was asked for) and one older
    // than the record (left by another NZB) do not.
    void segmentFilesWrittenAfterTheRecordAreCredited()
    {
        TempHome home;
        const QString cache = home.path() + "/Cache";
        Queue saved;
        NzbFiles *nzb = saved.add(makeNzb(0, "crash", 2));
        for (int i = 0; i < 2; ++i)
            nzb->getFileAt(i)->setSegmentPaths(cache, 0, i);
        const auto segmentFile = [nzb](int file, int segment) {
            return nzb->getFileAt(file)->getSegments().at(segment)->getTempFilePath();
        };
        const auto whole = [](const QByteArray &body) {
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream.writeBytes(body.constData(), uint(body.size()));
            return bytes;
        };
        QVERIFY(QDir().mkpath(QFileInfo(segmentFile(0, 0)).path()));
        QVERIFY(QDir().mkpath(QFileInfo(segmentFile(1, 0)).path()));
        QVERIFY(saved.configuration.saveNzb(nzb));
        // Times relative to the record's own, as the file system stamped it.
        const QDateTime recordTime = QFileInfo(nzbFolder() + "/" + NzbConfiguration::recordFileName(nzb->iQueueId)).lastModified();
        QVERIFY(recordTime.isValid());
        QVERIFY(writeFile(segmentFile(1, 3), whole("left by an older NZB")));
        QVERIFY(setModified(segmentFile(1, 3), recordTime.addSecs(-3600)));
        const QDateTime later = recordTime.addSecs(2);
        const QList<QPair<QString, QByteArray>> files{{segmentFile(0, 0), whole("first article")},
                                                      {segmentFile(0, 2), whole("third article")},
                                                      {segmentFile(0, 3), whole("fourth article").left(9)},
                                                      {segmentFile(1, 0), QByteArray()},
                                                      {segmentFile(1, 1), whole(QByteArray())}};
        for (const auto &file : files) {
            QVERIFY(writeFile(file.first, file.second));
            QVERIFY(setModified(file.first, later));
        }

        Queue loaded;
        loaded.load();
        QCOMPARE(loaded.configuration.listNzbFiles.size(), 1);
        const NzbFiles *read = loaded.configuration.listNzbFiles.first();
        QList<QList<bool>> downloaded;
        for (int i = 0; i < 2; ++i) {
            QList<bool> flags;
            for (const NzbSegment *segment : read->getFileAt(i)->getSegments())
                flags << segment->bDownloaded;
            downloaded << flags;
        }
        QCOMPARE(downloaded, (QList<QList<bool>>{{true, false, true, false}, {false, true, false, false}}));
        QCOMPARE(read->getFileAt(0)->iProcessed, 2);
        QCOMPARE(read->getFileAt(1)->iProcessed, 1);
        QVERIFY(!read->getFileAt(0)->isAllSegmentsProcessed());
        QCOMPARE(read->uiDownloaded, quint64(3000));
    }

    // The record holds all of a file's articles as arrived, but their segment files are gone: the
    // file was decoded (which removes them) after the record was written, and the program stopped
    // before the next. Its articles are fetched again, not decoded from nothing; a file whose
    // segment files are there, a decoded file and a file half downloaded stay as recorded.
    void recordedArticlesWhoseFilesAreGoneAreFetchedAgain()
    {
        TempHome home;
        Queue saved;
        NzbFiles *nzb = saved.add(makeNzb(4, "decoded", 4));
        for (int i = 0; i < 4; ++i) {
            NzbFile *file = nzb->getFileAt(i);
            file->setSegmentPaths(home.path() + "/Cache", 4, i);
            for (NzbSegment *segment : file->getSegments().mid(0, i == 3 ? 2 : 4))
                segment->setDownloaded();
        }
        nzb->getFileAt(2)->setDecoded(true);
        for (const NzbSegment *segment : nzb->getFileAt(1)->getSegments()) {
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream.writeBytes("body", 4);
            QVERIFY(QDir().mkpath(QFileInfo(segment->getTempFilePath()).path()));
            QVERIFY(writeFile(segment->getTempFilePath(), bytes));
        }
        QVERIFY(saved.configuration.saveNzb(nzb));

        Queue loaded;
        loaded.load();
        QCOMPARE(loaded.configuration.listNzbFiles.size(), 1);
        const NzbFiles *read = loaded.configuration.listNzbFiles.first();
        QList<int> processed;
        for (int i = 0; i < 4; ++i)
            processed << read->getFileAt(i)->iProcessed;
        QCOMPARE(processed, (QList<int>{0, 4, 4, 2}));
        QVERIFY(!read->getFileAt(0)->isAllSegmentsProcessed());
        for (const NzbSegment *segment : read->getFileAt(0)->getSegments())
            QVERIFY(!segment->bDownloaded);
        QVERIFY(read->getFileAt(1)->isAllSegmentsProcessed());
        QVERIFY(read->getFileAt(2)->isDecoded());
        QCOMPARE(read->uiDownloaded, quint64(10000));
    }

    // Every article of a file arrived after the record: the file is ready for decoding.
    void fileWhoseArticlesAllArrivedIsComplete()
    {
        TempHome home;
        Queue saved;
        NzbFiles *nzb = saved.add(makeNzb(3, "whole", 1));
        nzb->getFileAt(0)->setSegmentPaths(home.path() + "/Cache", 3, 0);
        QVERIFY(saved.configuration.saveNzb(nzb));
        const QDateTime later = QDateTime::currentDateTime().addSecs(2);
        for (const NzbSegment *segment : nzb->getFileAt(0)->getSegments()) {
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream.writeBytes("body", 4);
            QVERIFY(QDir().mkpath(QFileInfo(segment->getTempFilePath()).path()));
            QVERIFY(writeFile(segment->getTempFilePath(), bytes));
            QVERIFY(setModified(segment->getTempFilePath(), later));
        }
        Queue loaded;
        loaded.load();
        QCOMPARE(loaded.configuration.listNzbFiles.size(), 1);
        QVERIFY(loaded.configuration.listNzbFiles.first()->getFileAt(0)->isAllSegmentsProcessed());
    }

    // A record whose counters disagree with its segments' statuses: written by an earlier
    // version while the window credited an article (its status set, its file's count not yet
    // raised) or reset a file (statuses cleared, count not yet). Its segments' statuses are
    // what the next start goes by: the file completes when its last pending article arrives,
    // neither never (one short for good) nor before it.
    void countersDisagreeingWithTheSegmentsAreRecounted_data()
    {
        QTest::addColumn<QList<int>>("marked");
        QTest::addColumn<int>("counted");
        QTest::newRow("marked, not counted") << QList<int>{0} << 0;
        QTest::newRow("two marked, one counted") << QList<int>{1, 3} << 1;
        QTest::newRow("counted, marks cleared") << QList<int>{} << 2;
        QTest::newRow("all marked, none counted") << QList<int>{0, 1, 2, 3} << 0;
    }

    void countersDisagreeingWithTheSegmentsAreRecounted()
    {
        QFETCH(QList<int>, marked);
        QFETCH(int, counted);
        TempHome home;
        Queue saved;
        NzbFiles *nzb = saved.add(makeNzb(4, "short", 1));
        NzbFile *file = nzb->getFileAt(0);
        const QList<NzbSegment *> segments = file->getSegments();
        for (int index : marked)
            segments.at(index)->bDownloaded = true;
        file->iProcessed = counted;
        file->uiDownloaded = quint64(counted) * 1000;
        QVERIFY(saved.configuration.saveNzb(nzb));

        Queue loaded;
        loaded.load();
        QCOMPARE(loaded.configuration.listNzbFiles.size(), 1);
        NzbFiles *read = loaded.configuration.listNzbFiles.first();
        NzbFile *readFile = read->getFileAt(0);
        QCOMPARE(readFile->iProcessed, marked.size());
        QCOMPARE(read->uiDownloaded, quint64(marked.size()) * 1000);
        QList<NzbSegment *> pending;
        for (NzbSegment *segment : readFile->getSegments()) {
            if (!segment->bDownloaded)
                pending << segment;
        }
        QCOMPARE(readFile->isAllSegmentsProcessed(), pending.isEmpty());
        for (int i = 0; i < pending.size(); ++i) {
            QVERIFY2(!readFile->isAllSegmentsProcessed(), "complete before its last article");
            pending.at(i)->setDownloaded();
        }
        QVERIFY2(readFile->isAllSegmentsProcessed(), "one short for good");
        QCOMPARE(readFile->iProcessed, 4);
        QCOMPARE(readFile->uiDownloaded, quint64(4000));
        // An article marked downloaded before the record is not credited twice.
        readFile->getSegments().first()->setDownloaded();
        QCOMPARE(readFile->iProcessed, 4);
        QCOMPARE(read->uiDownloaded, quint64(4000));
    }

    // The window's road: records written by the writer thread from snapshots taken when asked.
    // Once the writes have ended the files are those the same NZBs give when saved at once.
    void backgroundWritesEndAsTheDirectOnes()
    {
        TempHome home;
        Queue queue;
        NzbFiles *one = queue.add(makeNzb(1, "one"));
        NzbFiles *two = queue.add(makeNzb(2, "two"));
        queue.configuration.saveInBackground(one);
        queue.configuration.saveInBackground(two);
        // Progress right after: coalesced, and on disk at the latest when the writes are flushed.
        for (int i = 0; i < 3; ++i) {
            one->getFileAt(quint64(i))->setDecoded(true);
            queue.configuration.scheduleSave(one);
        }
        two->strArchivePassword = "pw";
        queue.configuration.scheduleSave(two);
        queue.configuration.flushWrites();
        QCOMPARE(folderFiles(), QStringList({"Nzb_1", "Nzb_1.rec", "Nzb_2", "Nzb_2.rec"}));
        for (const NzbFiles *nzb : {one, two}) {
            const QString path = nzbFolder() + "/Nzb_" + QString::number(nzb->iQueueId);
            QCOMPARE(readFile(path), NzbConfiguration::recordFileContent(*nzb));
            QCOMPARE(readFile(path + ".rec"), NzbConfiguration::recordFileContent(*nzb));
        }

        // Without a flush, the timer writes the progress on its own.
        one->getFileAt(0)->setDecoded(false);
        queue.configuration.scheduleSave(one);
        QTRY_COMPARE(readFile(nzbFolder() + "/Nzb_1"), NzbConfiguration::recordFileContent(*one));
    }

    // Removals and rewrites asked for in the background come after the writes asked for before
    // them: a deleted NZB's record is not written again, a renumbered one moves.
    void backgroundOperationsKeepTheirOrder()
    {
        TempHome home;
        Queue queue;
        NzbFiles *gone = queue.add(makeNzb(0, "gone"));
        NzbFiles *moved = queue.add(makeNzb(1, "moved"));
        NzbFiles *finished = queue.add(makeNzb(2, "finished"));
        for (NzbFiles *nzb : queue.configuration.listNzbFiles)
            queue.configuration.saveInBackground(nzb);
        queue.configuration.scheduleSave(gone);
        queue.configuration.deleteInBackground(gone);
        queue.owned << gone;
        queue.configuration.scheduleSave(gone); // no longer in the saved queue: left alone
        moved->iQueueId = 0;
        finished->setFinished(true);
        queue.owned << finished;
        queue.configuration.scheduleSave(moved);
        queue.configuration.saveAllInBackground();
        queue.configuration.flushWrites();
        QCOMPARE(queue.configuration.listNzbFiles, QList<NzbFiles *>{moved});
        QCOMPARE(folderFiles(), QStringList({"Nzb_0", "Nzb_0.rec"}));
        QCOMPARE(readFile(nzbFolder() + "/Nzb_0"), NzbConfiguration::recordFileContent(*moved));
        QTest::qWait(50);
        QCOMPARE(folderFiles(), QStringList({"Nzb_0", "Nzb_0.rec"}));
    }

    // An NZB destroyed while its record waits in the writer's queue lives until it is written.
    void nzbDestroyedWhileItsRecordWaits()
    {
        TempHome home;
        NzbConfiguration configuration;
        QList<NzbFiles *> nzbs;
        for (int id = 0; id < 20; ++id) {
            nzbs << makeNzb(id, QString("nzb %1").arg(id), 40);
            configuration.listNzbFiles.append(nzbs.last());
            configuration.saveInBackground(nzbs.last());
        }
        const QByteArray last = NzbConfiguration::recordFileContent(*nzbs.last());
        configuration.listNzbFiles.clear();
        qDeleteAll(nzbs);
        configuration.flushWrites();
        QCOMPARE(readFile(nzbFolder() + "/Nzb_19"), last);
    }

    // A record whose files already hold it as it was written is not written again (the exit of a
    // big queue writes only what changed); one that changed, or whose files someone else
    // changed or removed, is.
    void unchangedRecordIsNotWrittenAgain()
    {
        TempHome home;
        Queue queue;
        NzbFiles *nzb = queue.add(makeNzb(0, "same"));
        QVERIFY(queue.configuration.saveAllNzbs());
        const QString record = nzbFolder() + "/Nzb_0";
        const QString backup = record + ".rec";
        const QByteArray written = identityOf(record) + identityOf(backup);
        QVERIFY(queue.configuration.saveAllNzbs());
        QVERIFY(queue.configuration.saveNzb(nzb));
        queue.configuration.saveInBackground(nzb);
        queue.configuration.flushWrites();
        QCOMPARE(identityOf(record) + identityOf(backup), written);

        nzb->strName = "changed";
        QVERIFY(queue.configuration.saveAllNzbs());
        QVERIFY(identityOf(record) != written.left(identityOf(record).size()));
        QCOMPARE(readFile(record), NzbConfiguration::recordFileContent(*nzb));

        flipByte(record, 3);
        QFile::remove(backup);
        QVERIFY(queue.configuration.saveAllNzbs());
        QCOMPARE(readFile(record), NzbConfiguration::recordFileContent(*nzb));
        QCOMPARE(readFile(backup), NzbConfiguration::recordFileContent(*nzb));
    }

    // The saved queue is a list that anyone may change: background writes follow it whether it
    // grew, lost an NZB or got it back.
    void backgroundWritesFollowTheSavedQueue()
    {
        TempHome home;
        Queue queue;
        NzbFiles *first = queue.add(makeNzb(0, "first"));
        queue.configuration.saveInBackground(first);
        NzbFiles *second = queue.add(makeNzb(1, "second"));
        queue.configuration.saveInBackground(second);
        queue.configuration.flushWrites();
        QCOMPARE(folderFiles(), QStringList({"Nzb_0", "Nzb_0.rec", "Nzb_1", "Nzb_1.rec"}));

        queue.configuration.listNzbFiles = QList<NzbFiles *>{second};
        queue.owned << first;
        const QByteArray before = readFile(nzbFolder() + "/Nzb_0");
        first->strName = "first again";
        queue.configuration.saveInBackground(first);
        queue.configuration.scheduleSave(first);
        queue.configuration.flushWrites();
        QCOMPARE(readFile(nzbFolder() + "/Nzb_0"), before);

        queue.owned.removeAll(first);
        queue.configuration.listNzbFiles.append(first);
        queue.configuration.saveInBackground(first);
        queue.configuration.flushWrites();
        QCOMPARE(readFile(nzbFolder() + "/Nzb_0"), NzbConfiguration::recordFileContent(*first));
    }

    void idIsWrittenUnsigned()
    {
        QCOMPARE(NzbConfiguration::recordFileName(-1), QString("Nzb_4294967295"));
        QCOMPARE(NzbConfiguration::recordFileName(5), QString("Nzb_5"));
    }
};

QTEST_GUILESS_MAIN(tst_NzbConfiguration)
#include "tst_NzbConfiguration.moc"
