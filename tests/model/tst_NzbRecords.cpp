#include "NzbTestHelpers.h"

#include "model/NzbRecordSnapshot.h"

#include <QDataStream>
#include <QMutexLocker>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

namespace {

QByteArray write(const NzbFiles &nzb)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(12);
    out << nzb;
    return bytes;
}

QByteArray write(const NzbRecordSnapshot &snapshot)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(12);
    snapshot.write(out);
    return bytes;
}

std::unique_ptr<NzbFiles> read(const QByteArray &bytes)
{
    auto nzb = std::make_unique<NzbFiles>();
    QDataStream in(bytes);
    in.setVersion(12);
    in >> *nzb;
    return nzb;
}

} // namespace

class tst_NzbRecords : public QObject
{
    Q_OBJECT

private slots:
    void segmentRecordBytes();
    void roundTripKeepsEveryStreamedField();
    void segmentsOfAnyNumberComeBack();
    void excludedFilesAreNotWritten();
    void recordCutAfterFiles_data();
    void recordCutAfterFiles();
    void recordCutInsideMandatoryFields();
    void nullAndEmptyStringsKeepTheirKind();
    void snapshotIsTheRecordOfItsMoment();
};

void tst_NzbRecords::segmentRecordBytes()
{
    NzbSegment segment;
    segment.setBytes(QStringLiteral("100"));
    segment.setNumber(QStringLiteral("1"));
    segment.setMessageId(QStringLiteral("m1"));
    segment.setDownloaded();
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(12);
    out << segment;
    QCOMPARE(bytes.toHex(' '), QByteArray("00 00 00 06 00 31 00 30 00 30 00 00 00 02 00 31 00 00 00 04 00 6d 00 31 "
                                          "00 00 00 00 00 00 00 00 01 00 00 00"));
}

void tst_NzbRecords::roundTripKeepsEveryStreamedField()
{
    NzbFiles nzb;
    nzb.bFinished = true;
    nzb.strDestination = QStringLiteral("/dest/Sub");
    nzb.strBaseDestination = QStringLiteral("/dest");
    nzb.strDownloadFolder = QStringLiteral("/dl/x");
    nzb.strName = QString::fromUtf8("Имя");
    nzb.bAllFilesDecoded = true;
    nzb.bPostProcessingSucceeded = false;
    nzb.iQueueId = 7;
    nzb.bKeepPar2Files = true;
    nzb.bSkipExtraction = true;
    nzb.strArchivePassword = QStringLiteral("pw \"x\"");
    nzb.bPasswordCheckDone = true;
    nzb.bPasswordProtected = true;
    NzbFile *file = makeFile(QStringLiteral("a.rar"), 3, 100);
    nzb.addFile(file);
    nzb.setSegmentPaths(QStringLiteral("/cache"), 7);
    file->getSegments().at(0)->setDownloaded();
    file->getSegments().at(1)->setMissing();
    file->bPaused = true;
    file->setDecoded(true);
    file->setDamaged(true);

    const QByteArray bytes = write(nzb);
    std::unique_ptr<NzbFiles> back = read(bytes);
    QCOMPARE(write(*back), bytes);
    QCOMPARE(back->strName, nzb.strName);
    QCOMPARE(back->iQueueId, 7);
    QVERIFY(back->bPasswordProtected && back->bPasswordCheckDone && back->bKeepPar2Files && back->bSkipExtraction);
    QVERIFY(!back->bDeleted && !back->bCleaned && back->listPar2Volumes.isEmpty());
    QCOMPARE(back->uiTotalSize, quint64(0)); // totals wait for updateSizes()
    NzbFile *backFile = back->getFileAt(0);
    QCOMPARE(backFile->getNzbFiles(), back.get());
    QCOMPARE(backFile->uiSize, quint64(300));
    QCOMPARE(backFile->iProcessed, 2);
    QCOMPARE(backFile->uiDownloaded, quint64(200));
    QVERIFY(backFile->bPaused && backFile->bDecoded && backFile->isDamaged());
    QVERIFY(backFile->getSegments().at(1)->isMissing());
    QCOMPARE(backFile->getSegments().at(2)->getTempFilePath(), QStringLiteral("/cache/7-0/3.tmp"));
    back->updateSizes();
    QCOMPARE(back->uiTotalSize, quint64(300));
    QCOMPARE(back->uiDownloaded, quint64(200));
}

// Segments of one number, of numbers beyond 32 bits or below zero, and of no number at all come
// back from the record in the same order, each with its own temporary file.
void tst_NzbRecords::segmentsOfAnyNumberComeBack()
{
    NzbFiles nzb;
    NzbFile *file = makeFile(QStringLiteral("a.bin"), 0);
    file->addSegment(makeSegment(QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("a@x")));
    file->addSegment(makeSegment(QStringLiteral("abc"), QStringLiteral("10"), QStringLiteral("c@x")));
    file->addSegment(makeSegment(QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("b@x")));
    file->addSegment(makeSegment(QStringLiteral("4294967296"), QStringLiteral("10"), QStringLiteral("d@x")));
    file->addSegment(makeSegment(QStringLiteral("-1"), QStringLiteral("10"), QStringLiteral("e@x")));
    nzb.addFile(file);
    nzb.setSegmentPaths(QStringLiteral("/cache"), 3);
    file->getSegments().last()->setMissing();

    const QByteArray bytes = write(nzb);
    std::unique_ptr<NzbFiles> back = read(bytes);
    QCOMPARE(write(*back), bytes);
    QStringList segments;
    for (const NzbSegment *segment : back->getFileAt(0)->getSegments())
        segments << segment->getNumber() + QLatin1Char(' ') + segment->getMessageId() + QLatin1Char(' ')
                        + segment->getTempFilePath() + (segment->isMissing() ? " missing" : "")
                        + (segment->isDownloadable() ? "" : " undownloadable");
    QCOMPARE(segments, (QStringList{"-1 e@x /cache/3-0/-1.tmp", "5 a@x /cache/3-0/5.tmp", "5 b@x /cache/3-0/5_2.tmp",
                                    "4294967296 d@x /cache/3-0/4294967296.tmp",
                                    "abc c@x /cache/3-0/unplaced_1.tmp missing undownloadable"}));
    QCOMPARE(back->getFileAt(0)->uiSize, quint64(50));
}

void tst_NzbRecords::excludedFilesAreNotWritten()
{
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("a")));
    nzb.addFile(makeFile(QStringLiteral("b")));
    nzb.addFile(makeFile(QStringLiteral("c")));
    nzb.getFileAt(1)->bExcluded = true;
    // The damage mark goes with its file, whatever was left out before it.
    nzb.getFileAt(2)->setDamaged(true);
    std::unique_ptr<NzbFiles> back = read(write(nzb));
    QCOMPARE(back->getFileCount(), qint64(2));
    QCOMPARE(back->getFileAt(1)->getSubject(), QStringLiteral("c"));
    QVERIFY(!back->getFileAt(0)->isDamaged());
    QVERIFY(back->getFileAt(1)->isDamaged());
}

void tst_NzbRecords::recordCutAfterFiles_data()
{
    QTest::addColumn<int>("trailingGroupsKept");
    QTest::newRow("after the files") << 0;
    QTest::newRow("after the password and base destination") << 1;
    // Records written before the damage mark was kept end after the password flags.
    QTest::newRow("after the password flags") << 2;
}

void tst_NzbRecords::recordCutAfterFiles()
{
    QFETCH(int, trailingGroupsKept);
    NzbFiles nzb;
    nzb.addFile(makeFile(QStringLiteral("a")));
    nzb.bKeepPar2Files = true;
    nzb.strArchivePassword = QStringLiteral("pw");
    nzb.strBaseDestination = QStringLiteral("/d");
    nzb.bPasswordCheckDone = true;
    nzb.bPasswordProtected = true;
    nzb.getFileAt(0)->setDamaged(true);
    QByteArray bytes = write(nzb);
    bytes.chop(4 + 4); // the damaged files: their count and one position
    if (trailingGroupsKept < 2)
        bytes.chop(2); // the two password flags
    if (trailingGroupsKept == 0)
        bytes.chop(1 + 1 + (4 + 4) + (4 + 4)); // keep/skip flags, password, base destination
    std::unique_ptr<NzbFiles> back = read(bytes);
    QCOMPARE(back->getFileCount(), qint64(1));
    QVERIFY(!back->getFileAt(0)->isDamaged());
    QCOMPARE(back->bPasswordCheckDone && back->bPasswordProtected, trailingGroupsKept == 2);
    if (trailingGroupsKept == 0) {
        QVERIFY(!back->bKeepPar2Files);
        QVERIFY(back->strArchivePassword.isNull());
        QVERIFY(back->strBaseDestination.isNull());
    } else {
        QVERIFY(back->bKeepPar2Files);
        QCOMPARE(back->strArchivePassword, QStringLiteral("pw"));
    }
}

void tst_NzbRecords::recordCutInsideMandatoryFields()
{
    NzbFiles nzb;
    nzb.strName = QStringLiteral("n");
    nzb.addFile(makeFile(QStringLiteral("a"), 4));
    const QByteArray bytes = write(nzb);
    for (int cut = 0; cut < bytes.size(); cut += 7) {
        std::unique_ptr<NzbFiles> back = read(bytes.left(cut));
        QVERIFY(back->getFileCount() <= 1);
    }
    // A damaged count does not make the reader build millions of objects.
    QByteArray damaged = bytes;
    const int countOffset = 1 + 4 + 4 + (4 + 2) + 1 + 1 + 4; // finished, two null folders, name, flags, id
    damaged[countOffset] = char(0x7f);
    std::unique_ptr<NzbFiles> back = read(damaged);
    QVERIFY(back->getFileCount() <= 2);
}

void tst_NzbRecords::nullAndEmptyStringsKeepTheirKind()
{
    NzbFiles nzb;
    NzbFile *file = makeFile(QStringLiteral("a"));
    nzb.addFile(file);
    QVERIFY(nzb.strName.isNull());
    const QByteArray bytes = write(nzb);
    QVERIFY(bytes.mid(1 + 4 + 4, 4) == QByteArray::fromHex("ffffffff")); // name: null
    std::unique_ptr<NzbFiles> back = read(bytes);
    QVERIFY(back->strName.isNull());
    QVERIFY(back->strArchivePassword.isNull());
    const NzbSegment *segment = back->getFileAt(0)->getSegments().first();
    QVERIFY(!segment->getTempFilePath().isNull());
    QVERIFY(segment->getTempFilePath().isEmpty());
}

// The queue record writer writes in a thread of its own from a snapshot taken when the record
// was asked for, while the window credits articles and the decoders mark files decoded: what
// it writes is the NZB of that moment, every flag and counter with the statuses they count.
void tst_NzbRecords::snapshotIsTheRecordOfItsMoment()
{
    NzbFiles nzb;
    for (int i = 0; i < 3; ++i)
        nzb.addFile(makeFile(QStringLiteral("file %1.rar").arg(i), 40, 100));
    nzb.getFileAt(0)->getSegments().at(0)->setDownloaded();
    nzb.updateSizes();
    const QByteArray taken = write(nzb);
    const NzbRecordSnapshot snapshot(nzb);

    std::atomic<bool> changing{true};
    QList<QByteArray> written;
    std::thread writer([&] {
        do
            written << write(snapshot);
        while (changing);
    });
    for (NzbFile *file : nzb.getFiles()) {
        for (NzbSegment *segment : file->getSegments())
            segment->setDownloaded();
        file->setDecoded(true);
    }
    nzb.getFileAt(2)->setPaused(true);
    nzb.getFileAt(1)->setDamaged(true);
    {
        QMutexLocker locker(&nzb.mutex);
        nzb.bPostProcessingSucceeded = false;
        nzb.bPasswordCheckDone = true;
    }
    changing = false;
    writer.join();
    written << write(snapshot);

    for (const QByteArray &record : qAsConst(written))
        QCOMPARE(record, taken);
    QVERIFY(write(nzb) != taken);
}

QTEST_GUILESS_MAIN(tst_NzbRecords)
#include "tst_NzbRecords.moc"
