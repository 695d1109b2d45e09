#include "NzbTestHelpers.h"

#include <QtTest>

#include <limits>
#include <memory>

class tst_NzbModel : public QObject
{
    Q_OBJECT

private slots:
    void segmentIsCreditedOnceUntilCleared();
    void missingSegmentCountsAsProcessed();
    void segmentBytesThatAreNoNumberCountZero_data();
    void segmentBytesThatAreNoNumberCountZero();
    void segmentsOfOneNumber();
    void segmentNumbers_data();
    void segmentNumbers();
    void fileCreditIsCappedAtItsSizeButNzbTakesAll();
    void completion_data();
    void completion();
    void completionSeesChangesBehindTheDecodedFiles_data();
    void completionSeesChangesBehindTheDecodedFiles();
    void nzbWithoutFilesIsComplete();
    void moveFilesUpAndDown();
    void fileAccessorsOutOfRange();
    void resetMakesDecodedFilePendingAgain();
    void updateSizesSkipsExcludedAndPaused();
    void par2IndexFilesAreTakenInOrder();
};

void tst_NzbModel::segmentIsCreditedOnceUntilCleared()
{
    NzbFiles nzb;
    NzbFile *file = makeFile(QStringLiteral("a.bin"), 2, 100);
    nzb.addFile(file);
    NzbSegment *segment = file->getSegments().first();

    segment->setDownloaded();
    segment->setMissing();
    QCOMPARE(file->iProcessed, 1);
    QCOMPARE(file->uiDownloaded, quint64(100));
    QCOMPARE(nzb.uiDownloaded, quint64(100));
    QVERIFY(segment->isMissing());
    QVERIFY(!segment->isDownloadedOrDownloading());

    segment->clearStatus();
    QVERIFY(!segment->isMissing());
    segment->setDownloaded();
    QCOMPARE(file->iProcessed, 2);
    QCOMPARE(nzb.uiDownloaded, quint64(200));
    QVERIFY(file->isAllSegmentsProcessed());
}

void tst_NzbModel::missingSegmentCountsAsProcessed()
{
    NzbFiles nzb;
    NzbFile *file = makeFile(QStringLiteral("a.bin"), 2, 50);
    nzb.addFile(file);
    const QList<NzbSegment *> segments = file->getSegments();
    segments.at(0)->setDownloaded();
    QVERIFY(!file->isAllSegmentsProcessed());
    segments.at(1)->setMissing();
    QVERIFY(file->isAllSegmentsProcessed());
    QCOMPARE(file->uiDownloaded, file->uiSize);
}

void tst_NzbModel::segmentBytesThatAreNoNumberCountZero_data()
{
    QTest::addColumn<QString>("bytes");
    QTest::newRow("word") << "abc";
    QTest::newRow("negative") << "-5";
    QTest::newRow("beyond 64 bits") << "99999999999999999999999";
    QTest::newRow("null") << QString();
}

void tst_NzbModel::segmentBytesThatAreNoNumberCountZero()
{
    QFETCH(QString, bytes);
    NzbFiles nzb;
    auto *file = new NzbFile;
    nzb.addFile(file);
    file->addSegment(makeSegment(QStringLiteral("1"), bytes));
    file->addSegment(makeSegment(QStringLiteral("2"), QStringLiteral("10")));
    QCOMPARE(file->uiSize, quint64(10));
    file->getSegments().first()->setDownloaded();
    QCOMPARE(file->uiDownloaded, quint64(0));
    QCOMPARE(file->iProcessed, 1);
}

// Two articles under one number are both kept, in the order they came; the same article listed
// again replaces its earlier entry.
void tst_NzbModel::segmentsOfOneNumber()
{
    NzbFile file;
    file.addSegment(makeSegment(QStringLiteral("5"), QStringLiteral("100"), QStringLiteral("first@x")));
    QPointer<NzbSegment> first = file.getSegments().first();
    file.addSegment(makeSegment(QStringLiteral("5"), QStringLiteral("30"), QStringLiteral("second@x")));
    file.addSegment(makeSegment(QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("four@x")));
    QCOMPARE(file.getSegmentCount(), 3);
    QCOMPARE(file.uiSize, quint64(131));
    QStringList ids;
    for (const NzbSegment *segment : file.getSegments()) {
        ids << segment->getMessageId();
        QCOMPARE(segment->getNzbFile(), &file);
    }
    QCOMPARE(ids, (QStringList{"four@x", "first@x", "second@x"}));
    QCOMPARE(file.getSegments().at(2)->getNumberOccurrence(), 1);

    file.addSegment(makeSegment(QStringLiteral("5"), QStringLiteral("40"), QStringLiteral(" first@x")));
    QVERIFY(first.isNull()); // the same article: its earlier entry was deleted
    QCOMPARE(file.getSegmentCount(), 3);
    QCOMPARE(file.uiSize, quint64(71));
    QCOMPARE(file.getSegments().at(1)->getMessageId(), QStringLiteral(" first@x"));
    QCOMPARE(file.getSegments().at(1)->getNumberOccurrence(), 0);
}

void tst_NzbModel::segmentNumbers_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("placeable");
    QTest::addColumn<qint64>("value");
    QTest::newRow("one") << "1" << true << qint64(1);
    QTest::newRow("leading zeros") << "007" << true << qint64(7);
    QTest::newRow("plus sign") << "+5" << true << qint64(5);
    QTest::newRow("blanks around") << " 12 " << true << qint64(12);
    QTest::newRow("minus one") << "-1" << true << qint64(-1);
    QTest::newRow("2^31") << "2147483648" << true << qint64(2147483648LL);
    QTest::newRow("2^32") << "4294967296" << true << qint64(4294967296LL);
    QTest::newRow("largest") << "9223372036854775807" << true << qint64(9223372036854775807LL);
    QTest::newRow("smallest") << "-9223372036854775808" << true << std::numeric_limits<qint64>::min();
    QTest::newRow("beyond 64 bits") << "9223372036854775808" << false << qint64(0);
    QTest::newRow("null") << QString() << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("sign alone") << "-" << false << qint64(0);
    QTest::newRow("word") << "abc" << false << qint64(0);
    QTest::newRow("hexadecimal") << "0x10" << false << qint64(0);
    QTest::newRow("exponent") << "1e3" << false << qint64(0);
    QTest::newRow("blank inside") << "1 2" << false << qint64(0);
    QTest::newRow("path") << "../../x" << false << qint64(0);
}

void tst_NzbModel::segmentNumbers()
{
    QFETCH(QString, number);
    QFETCH(bool, placeable);
    QFETCH(qint64, value);
    std::unique_ptr<NzbSegment> segment(makeSegment(number, QStringLiteral("1")));
    QCOMPARE(segment->hasPlaceableNumber(), placeable);
    QCOMPARE(segment->getNumberValue(), value);
    QCOMPARE(segment->isDownloadable(), placeable);
}

void tst_NzbModel::fileCreditIsCappedAtItsSizeButNzbTakesAll()
{
    NzbFiles nzb;
    NzbFile *file = makeFile(QStringLiteral("a.bin"), 1, 100);
    nzb.addFile(file);
    nzb.updateSizes();
    file->addDownloadedBytes(250);
    QCOMPARE(file->uiDownloaded, quint64(100));
    QCOMPARE(nzb.uiDownloaded, quint64(250));
    nzb.checkAllFilesDecoded();
    QCOMPARE(nzb.uiDownloaded, nzb.uiSizeToDownload);
}

void tst_NzbModel::completion_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<bool>("paused");
    QTest::addColumn<bool>("excluded");
    QTest::addColumn<bool>("complete");
    QTest::newRow("paused par2 upper") << "x.vol00+01.PAR2" << true << false << true;
    QTest::newRow("paused par2 mixed case") << "x.Vol00+01.pAr2" << true << false << true;
    QTest::newRow("paused other file blocks") << "x.rar" << true << false << false;
    QTest::newRow("excluded undecoded file") << "x.rar" << false << true << true;
    QTest::newRow("pending file blocks") << "x.rar" << false << false << false;
}

void tst_NzbModel::completion()
{
    QFETCH(QString, subject);
    QFETCH(bool, paused);
    QFETCH(bool, excluded);
    QFETCH(bool, complete);
    NzbFiles nzb;
    NzbFile *done = makeFile(QStringLiteral("done.bin"));
    NzbFile *other = makeFile(subject);
    nzb.addFile(done);
    nzb.addFile(other);
    other->bPaused = paused;
    other->bExcluded = excluded;
    done->setDecoded(true);
    QCOMPARE(nzb.bAllFilesDecoded, complete);
}

void tst_NzbModel::completionSeesChangesBehindTheDecodedFiles_data()
{
    QTest::addColumn<QString>("change"); // made to the first of three files, once all are decoded
    QTest::newRow("decoded again: reset") << "reset";
    QTest::newRow("held-back volume asked for") << "unpause";
    QTest::newRow("excluded file taken back") << "include";
    QTest::newRow("pending file moved up") << "move";
    QTest::newRow("pending archive sorted first") << "sort";
}

// The completion check goes on from the files it found done before: a change to one of those
// files, or to their order, is still seen.
void tst_NzbModel::completionSeesChangesBehindTheDecodedFiles()
{
    QFETCH(QString, change);
    int rows[3];
    NzbFiles nzb;
    QList<NzbFile *> files;
    for (int i = 0; i < 3; ++i) {
        files.append(makeFile(i == 0 && change == QLatin1String("unpause") ? QStringLiteral("x.vol00+01.par2")
                                                                             : QStringLiteral("f%1.bin").arg(i)));
        files.last()->pTreeItem = reinterpret_cast<QTreeWidgetItem *>(&rows[i]);
        nzb.addFile(files.last());
    }
    if (change == QLatin1String("unpause"))
        files[0]->setPaused(true);
    else if (change == QLatin1String("include"))
        files[0]->setExcluded(true);
    else if (change != QLatin1String("reset"))
        files[0]->setDecoded(true);
    if (change == QLatin1String("move") || change == QLatin1String("sort"))
        nzb.addFile(makeFile(change == QLatin1String("sort") ? QStringLiteral("late.rar") : QStringLiteral("late.bin")));
    files[1]->setDecoded(true);
    if (change != QLatin1String("move") && change != QLatin1String("sort")) {
        if (change == QLatin1String("reset"))
            files[0]->setDecoded(true);
        files[2]->setDecoded(true);
        QVERIFY(nzb.isAllFilesDecoded());
    } else {
        files[2]->setDecoded(true);
        QVERIFY(!nzb.isAllFilesDecoded()); // the late file, last
    }

    if (change == QLatin1String("reset"))
        files[0]->reset();
    else if (change == QLatin1String("unpause"))
        files[0]->setPaused(false);
    else if (change == QLatin1String("include"))
        files[0]->setExcluded(false);
    else if (change == QLatin1String("move")) {
        NzbFile *late = nzb.getFiles().last();
        int lateRow = 0;
        late->pTreeItem = reinterpret_cast<QTreeWidgetItem *>(&lateRow);
        for (int i = 0; i < 3; ++i)
            nzb.moveFilesUp({late->pTreeItem});
        QCOMPARE(nzb.getFiles().first(), late);
    } else {
        nzb.sortFiles(false);
    }
    // What the check sees now: one file is not done.
    files[1]->setDecoded(true);
    QVERIFY(!nzb.isAllFilesDecoded());
}

void tst_NzbModel::nzbWithoutFilesIsComplete()
{
    NzbFiles nzb;
    nzb.checkAllFilesDecoded();
    QVERIFY(nzb.bAllFilesDecoded);
}

void tst_NzbModel::moveFilesUpAndDown()
{
    // Row items are opaque to the model: any distinct pointers do.
    int rows[3];
    auto row = [&rows](int i) { return reinterpret_cast<QTreeWidgetItem *>(&rows[i]); };
    NzbFiles nzb;
    QList<NzbFile *> files;
    for (int i = 0; i < 3; ++i) {
        files.append(makeFile(QStringLiteral("f%1").arg(i)));
        files.last()->pTreeItem = row(i);
        nzb.addFile(files.last());
    }
    nzb.moveFilesUp({row(0), row(1)});
    QCOMPARE(nzb.getFiles(), (QList<NzbFile *>{files[1], files[0], files[2]}));
    nzb.moveFilesDown({row(1), row(2)});
    // f2 is last and cannot move; f1 moves below f0.
    QCOMPARE(nzb.getFiles(), (QList<NzbFile *>{files[0], files[1], files[2]}));
}

void tst_NzbModel::fileAccessorsOutOfRange()
{
    NzbFiles nzb;
    nzb.addFile(nullptr);
    nzb.removeFile(nullptr);
    nzb.addFile(makeFile(QStringLiteral("a")));
    QCOMPARE(nzb.getFileCount(), qint64(1));
    QVERIFY(nzb.getFileAt(0));
    QVERIFY(!nzb.getFileAt(1));
    QCOMPARE(nzb.getFileAt(0)->getGroup(5), QStringLiteral(""));
    QCOMPARE(nzb.getFileAt(0)->getGroup(-1), QStringLiteral(""));
}

void tst_NzbModel::resetMakesDecodedFilePendingAgain()
{
    NzbFiles nzb;
    NzbFile *file = makeFile(QStringLiteral("a.bin"), 3, 10);
    nzb.addFile(file);
    nzb.updateSizes();
    for (NzbSegment *segment : file->getSegments())
        segment->setDownloaded();
    file->bPaused = true;
    file->setDecoded(true);
    QVERIFY(nzb.bAllFilesDecoded);
    file->reset();
    nzb.updateSizes();
    QCOMPARE(file->iProcessed, 0);
    QCOMPARE(file->uiDownloaded, quint64(0));
    QVERIFY(!file->bPaused && !file->bDecoded && !file->isAllSegmentsProcessed());
    QCOMPARE(nzb.uiDownloaded, quint64(0));
    file->getSegments().first()->setDownloaded(); // credited again after the reset
    QCOMPARE(file->uiDownloaded, quint64(10));
}

void tst_NzbModel::updateSizesSkipsExcludedAndPaused()
{
    NzbFiles nzb;
    NzbFile *a = makeFile(QStringLiteral("a"), 1, 100);
    NzbFile *b = makeFile(QStringLiteral("b"), 1, 20);
    NzbFile *c = makeFile(QStringLiteral("c"), 1, 3);
    nzb.addFile(a);
    nzb.addFile(b);
    nzb.addFile(c);
    b->bPaused = true;
    c->bExcluded = true;
    c->uiDownloaded = 3;
    nzb.updateSizes();
    QCOMPARE(nzb.uiTotalSize, quint64(120));
    QCOMPARE(nzb.uiSizeToDownload, quint64(100));
    QCOMPARE(nzb.uiDownloaded, quint64(3));
}

void tst_NzbModel::par2IndexFilesAreTakenInOrder()
{
    NzbFiles nzb;
    nzb.listPar2IndexFiles = {QFileInfo(QStringLiteral("/x/a.par2")), QFileInfo(QStringLiteral("/x/b.par2"))};
    QCOMPARE(nzb.takeNextFileInfo().fileName(), QStringLiteral("a.par2"));
    QCOMPARE(nzb.takeNextFileInfo().fileName(), QStringLiteral("b.par2"));
    QVERIFY(nzb.takeNextFileInfo().filePath().isEmpty());
}

QTEST_GUILESS_MAIN(tst_NzbModel)
#include "tst_NzbModel.moc"
