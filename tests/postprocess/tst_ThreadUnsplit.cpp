#include "postprocess/ThreadUnsplit.h"

#include "RarTestArchive.h"
#include "SplitSets.h"
#include "TestFiles.h"
#include "../support/SmallFileSystem.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>

// The workers run real programs and files: on a busy machine a job can take a few seconds.
static constexpr int kWorkerTimeoutMs = 30000;

using namespace TestFiles;
using namespace SplitSets;

namespace {

// Collects the worker's signals in the test's thread (they arrive queued).
class Recorder : public QObject
{
    Q_OBJECT

public:
    struct Done
    {
        UnsplitJob job;
        int result;
        QString error;
    };
    QList<Done> done;
    QList<QList<quint32>> progress;

public slots:
    void onDone(UnsplitJob job, int result, QString error) { done.append({job, result, error}); }
    void onProgress(quint32 id, quint32 position, quint32 total) { progress.append({id, position, total}); }
};

XtremHeader named(const QByteArray& name)
{
    XtremHeader header;
    header.nameField = name;
    return header;
}

} // namespace

class tst_ThreadUnsplit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void xtremSetsBeforePlainSets_data();
    void xtremSetsBeforePlainSets();
    void secondSetFails();
    void destinationThatFills();
    void plainSetsSkipRarArchives();
    void numberedRarFiles_data();
    void numberedRarFiles();
    void incompleteDownloadKeepsItsPieces();
    void nothingToJoin_data();
    void nothingToJoin();
    void jobsWithoutSplitFilesAnsweredBackToBack();
    void progressCarriesJobId();
    void upperCaseSetFound();
    void stopMidJoinLeavesNoPartialFile();
    void jobAddedBeforeStartIsDropped();

private:
    void startWorker(bool deleteVolumes = true);
    void addJob(quint32 id, const QString& source, const QString& destination, bool keepVolumes = false);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_source;
    QString m_target;
    std::unique_ptr<ThreadUnsplit> m_worker;
    std::unique_ptr<Recorder> m_recorder;
};

void tst_ThreadUnsplit::init()
{
    qRegisterMetaType<UnsplitJob>("UnsplitJob");
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_source = m_dir->filePath(QStringLiteral("source"));
    m_target = m_dir->filePath(QStringLiteral("target"));
    QVERIFY(QDir().mkpath(m_source));
    m_recorder.reset(new Recorder);
}

void tst_ThreadUnsplit::cleanup()
{
    if (m_worker) {
        m_worker->bStop = true;
        QVERIFY(m_worker->wait(10000));
        m_worker.reset();
    }
    m_recorder.reset();
    m_dir.reset();
}

void tst_ThreadUnsplit::startWorker(bool deleteVolumes)
{
    m_worker.reset(new ThreadUnsplit);
    m_worker->bDeleteVolumes = deleteVolumes;
    connect(m_worker.get(), &ThreadUnsplit::unsplitDoneSignal, m_recorder.get(), &Recorder::onDone);
    connect(m_worker.get(), &ThreadUnsplit::UpdateProgressSignal, m_recorder.get(), &Recorder::onProgress);
    m_worker->start(QThread::NormalPriority);
    QTRY_VERIFY_WITH_TIMEOUT(m_worker->isTakingJobs(), kWorkerTimeoutMs);
}

void tst_ThreadUnsplit::addJob(quint32 id, const QString& source, const QString& destination, bool keepVolumes)
{
    UnsplitJob job;
    job.jobId = id;
    job.keepVolumes = keepVolumes;
    job.sourceFolder = source;
    job.destinationFolder = destination;
    m_worker->addJob(job);
}

void tst_ThreadUnsplit::xtremSetsBeforePlainSets_data()
{
    QTest::addColumn<bool>("deleteVolumes");
    QTest::addColumn<bool>("keepVolumes"); // the job's own: a set that could not be repaired
    QTest::newRow("deletion on") << true << false;
    QTest::newRow("deletion off") << false << false;
    QTest::newRow("deletion on, the job keeps its volumes") << true << true;
}

void tst_ThreadUnsplit::xtremSetsBeforePlainSets()
{
    QFETCH(bool, deleteVolumes);
    QFETCH(bool, keepVolumes);
    const QByteArray dataA = patternBytes(2500, 1);
    const QByteArray dataB = patternBytes(1500, 2);
    const QStringList setA = writeXtremSet(m_source, QStringLiteral("a"), dataA, 1000, named("alpha.bin"));
    const QStringList setB = writeXtremSet(m_source, QStringLiteral("b"), dataB, 1000, named("beta.bin"));
    writePlainSet(m_source, QStringLiteral("c.bin"), patternBytes(100), 60);

    startWorker(deleteVolumes);
    addJob(4, m_source, m_target, keepVolumes);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    const Recorder::Done& done = m_recorder->done.first();
    QCOMPARE(done.result, 0);
    QCOMPARE(done.error, QString());
    QCOMPARE(done.job.jobId, quint32(4));
    QCOMPARE(done.job.volumesConsumed, setA + setB);
    QCOMPARE(done.job.firstVolumesFound, QStringList());
    QCOMPARE(fileSha256(m_target + QStringLiteral("/alpha.bin")), sha256(dataA));
    QCOMPARE(fileSha256(m_target + QStringLiteral("/beta.bin")), sha256(dataB));
    QCOMPARE(entries(m_target), (QStringList{"alpha.bin", "beta.bin"}));
    // Plain sets are not looked at while the folder holds an XtremSplit set.
    QStringList expectedLeft{"c.bin.001", "c.bin.002"};
    if (!deleteVolumes || keepVolumes)
        expectedLeft += QStringList{"a.001.xtm", "a.002.xtm", "a.003.xtm", "b.001.xtm", "b.002.xtm"};
    expectedLeft.sort();
    QCOMPARE(entries(m_source), expectedLeft);
}

void tst_ThreadUnsplit::secondSetFails()
{
    const QByteArray dataA = patternBytes(2500, 1);
    const QStringList setA = writeXtremSet(m_source, QStringLiteral("a"), dataA, 1000, named("alpha.bin"));
    XtremHeader broken = named("beta.bin");
    broken.volumeCount = 4;
    const QStringList setB = writeXtremSet(m_source, QStringLiteral("b"), patternBytes(1500), 1000, broken);
    const QStringList setC = writeXtremSet(m_source, QStringLiteral("c"), patternBytes(500), 1000, named("gamma.bin"));

    startWorker();
    addJob(1, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    const Recorder::Done& done = m_recorder->done.first();
    QCOMPARE(done.result, 2);
    QCOMPARE(done.error, QStringLiteral("Unsplit: Error while opening file: b.003.xtm"));
    QCOMPARE(done.job.volumesConsumed, setA);
    QCOMPARE(done.job.firstVolumesFound, (QStringList{setB.first(), setC.first()}));
    QCOMPARE(fileSha256(m_target + QStringLiteral("/alpha.bin")), sha256(dataA));
    QCOMPARE(entries(m_source), (QStringList{"b.001.xtm", "b.002.xtm", "c.001.xtm"}));
}

// The destination fills while the second set is joined: its partial file goes, its volumes stay,
// and the job says why; the first set, joined whole, is done.
void tst_ThreadUnsplit::destinationThatFills()
{
    const QByteArray dataA = patternBytes(2500, 1);
    const QStringList setA = writeXtremSet(m_source, QStringLiteral("a"), dataA, 1000, named("alpha.bin"));
    const QByteArray dataB = patternBytes(20000, 2);
    const QStringList setB = writeXtremSet(m_source, QStringLiteral("b"), dataB, 7000, named("beta.bin"));
    QStringList volumesB;
    for (const QString& volume : setB)
        volumesB << fileSha256(volume);
    SmallFileSystem disk(m_target, 8192);
    QVERIFY(disk.isValid());

    startWorker();
    addJob(1, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    const Recorder::Done& done = m_recorder->done.first();
    QCOMPARE(done.result, 2);
    const QString reason = QString::fromLocal8Bit(std::strerror(disk.isMounted() ? ENOSPC : EFBIG));
    QCOMPARE(done.error, QStringLiteral("Unsplit: failed to write file %1/beta.bin: %2").arg(m_target, reason));
    QCOMPARE(done.job.volumesConsumed, setA);
    QCOMPARE(entries(m_target), QStringList{"alpha.bin"});
    QCOMPARE(fileSha256(m_target + QStringLiteral("/alpha.bin")), sha256(dataA));
    QCOMPARE(entries(m_source), (QStringList{"b.001.xtm", "b.002.xtm", "b.003.xtm"}));
    QStringList after;
    for (const QString& volume : setB)
        after << fileSha256(volume);
    QCOMPARE(after, volumesB);
}

void tst_ThreadUnsplit::plainSetsSkipRarArchives()
{
    const QByteArray data = patternBytes(2200, 6);
    const QStringList plain = writePlainSet(m_source, QStringLiteral("movie.mkv"), data, 1000);
    QVERIFY(writeFile(m_source + QStringLiteral("/archive.001"), QByteArray("Rar!\x1a\x07\x00", 7) + patternBytes(50)));
    QVERIFY(writeFile(m_source + QStringLiteral("/archive.002"), patternBytes(50)));

    startWorker();
    addJob(2, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 0);
    QCOMPARE(m_recorder->done.first().job.volumesConsumed, plain);
    QCOMPARE(entries(m_target), QStringList{"movie.mkv"});
    QCOMPARE(fileSha256(m_target + QStringLiteral("/movie.mkv")), sha256(data));
    QCOMPARE(entries(m_source), (QStringList{"archive.001", "archive.002"}));
}

void tst_ThreadUnsplit::numberedRarFiles_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("volume"); // the archive says it is one volume of a set
    QTest::addColumn<bool>("joined");
    QTest::newRow("RAR 4 archive cut into pieces") << int(RarTestArchive::Format::Rar4) << false << true;
    QTest::newRow("RAR 5 archive cut into pieces") << int(RarTestArchive::Format::Rar5) << false << true;
    QTest::newRow("RAR 4 volume set named .001") << int(RarTestArchive::Format::Rar4) << true << false;
    QTest::newRow("RAR 5 volume set named .001") << int(RarTestArchive::Format::Rar5) << true << false;
}

// A RAR archive cut into ".001" pieces with a splitting tool is a plain set like any other: the
// join gives the archive back. The volumes of a RAR set numbered ".001", ".002"... are the
// extraction's, and joining them end to end would give no archive at all.
void tst_ThreadUnsplit::numberedRarFiles()
{
    QFETCH(int, format);
    QFETCH(bool, volume);
    QFETCH(bool, joined);
    RarTestArchive archive{RarTestArchive::Format(format)};
    archive.file("inside.bin", patternBytes(5000, 9));
    if (volume)
        archive.moreVolumes();
    const QByteArray bytes = archive.bytes();
    const QStringList pieces = writePlainSet(m_source, QStringLiteral("cn.rar"), bytes, 2000);
    QCOMPARE(pieces.size(), 3);

    startWorker();
    addJob(5, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    const Recorder::Done& done = m_recorder->done.first();
    if (joined) {
        QCOMPARE(done.result, 0);
        QCOMPARE(done.job.volumesConsumed, pieces);
        QCOMPARE(done.job.filesWritten, QStringList{m_target + QStringLiteral("/cn.rar")});
        QCOMPARE(fileSha256(m_target + QStringLiteral("/cn.rar")), sha256(bytes));
        QCOMPARE(entries(m_source), QStringList());
    } else {
        QCOMPARE(done.result, 1);
        QCOMPARE(done.error, QStringLiteral("Unsplit: no split file found"));
        QCOMPARE(entries(m_source), (QStringList{"cn.rar.001", "cn.rar.002", "cn.rar.003"}));
        QVERIFY(!QFileInfo::exists(m_target));
    }
}

// Files of the download are incomplete: what a join would give is not the file that was split.
// The sets are found and named, nothing is written, every piece stays for a later join.
void tst_ThreadUnsplit::incompleteDownloadKeepsItsPieces()
{
    const QByteArray data = patternBytes(5000, 4);
    QStringList pieces = writePlainSet(m_source, QStringLiteral("big.bin"), data, 1000);
    QVERIFY(QFile::remove(pieces.takeAt(2))); // big.bin.003 never arrived
    startWorker();
    UnsplitJob job;
    job.jobId = 6;
    job.sourceFolder = m_source;
    job.destinationFolder = m_target;
    job.incompleteDownload = true;
    m_worker->addJob(job);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    const Recorder::Done& done = m_recorder->done.first();
    QCOMPARE(done.result, int(ThreadUnsplit::NotJoined));
    QCOMPARE(done.error,
             QStringLiteral("Unsplit: files of the download are incomplete, the split files are kept unjoined"));
    QCOMPARE(done.job.firstVolumesFound, QStringList{pieces.first()});
    QCOMPARE(done.job.volumesConsumed, QStringList());
    QCOMPARE(done.job.filesWritten, QStringList());
    QCOMPARE(entries(m_source), (QStringList{"big.bin.001", "big.bin.002", "big.bin.004", "big.bin.005"}));
    QVERIFY(!QFileInfo::exists(m_target + QStringLiteral("/big.bin")));
}

void tst_ThreadUnsplit::nothingToJoin_data()
{
    QTest::addColumn<QString>("setup");
    QTest::newRow("empty folder") << "empty";
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("empty folder path") << "empty path";
    QTest::newRow("only a RAR set named .001") << "rar";
    QTest::newRow("second volumes only") << "no first";
}

void tst_ThreadUnsplit::nothingToJoin()
{
    QFETCH(QString, setup);
    QString source = m_source;
    if (setup == QLatin1String("missing"))
        source = m_dir->filePath(QStringLiteral("nowhere"));
    if (setup == QLatin1String("empty path"))
        source.clear();
    if (setup == QLatin1String("rar"))
        QVERIFY(writeFile(m_source + QStringLiteral("/x.001"), "RAR!rest"));
    if (setup == QLatin1String("no first")) {
        QVERIFY(writeFile(m_source + QStringLiteral("/x.002"), "data"));
        QVERIFY(writeFile(m_source + QStringLiteral("/y.002.xtm"), "data"));
    }
    startWorker();
    addJob(8, source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 1);
    QCOMPARE(m_recorder->done.first().error, QStringLiteral("Unsplit: no split file found"));
    QCOMPARE(m_recorder->done.first().job.volumesConsumed, QStringList());
    QCOMPARE(m_recorder->done.first().job.firstVolumesFound, QStringList());
    QVERIFY(!QFileInfo::exists(m_target));
}

void tst_ThreadUnsplit::jobsWithoutSplitFilesAnsweredBackToBack()
{
    startWorker();
    for (quint32 id = 0; id < 5; ++id)
        addJob(id, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 5, kWorkerTimeoutMs);
    for (quint32 id = 0; id < 5; ++id)
        QCOMPARE(m_recorder->done.at(int(id)).job.jobId, id);
}

void tst_ThreadUnsplit::progressCarriesJobId()
{
    writeXtremSet(m_source, QStringLiteral("p"), patternBytes(3000), 1000, named("p.bin"));
    startWorker();
    addJob(77, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->progress, (QList<QList<quint32>>{{77, 1, 3}, {77, 2, 3}, {77, 3, 3}}));
}

void tst_ThreadUnsplit::upperCaseSetFound()
{
    const QByteArray data = patternBytes(2500, 12);
    const QStringList set = writeXtremSet(m_source, QStringLiteral("MOVIE"), data, 1000, named("Movie.mkv"),
                                          QStringLiteral(".XTM"));
    startWorker();
    addJob(3, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 0);
    QCOMPARE(m_recorder->done.first().job.volumesConsumed, set);
    QCOMPARE(fileSha256(m_target + QStringLiteral("/Movie.mkv")), sha256(data));
    QCOMPARE(entries(m_source), QStringList());
}

void tst_ThreadUnsplit::stopMidJoinLeavesNoPartialFile()
{
    const QStringList set = writeXtremSet(m_source, QStringLiteral("s"), patternBytes(4000), 1000, named("s.bin"));
    startWorker();
    // Asked to stop while the second volume is being joined (this runs in the worker's thread).
    ThreadUnsplit* worker = m_worker.get();
    connect(worker, &ThreadUnsplit::UpdateProgressSignal, worker,
            [worker](quint32, quint32 position, quint32) {
                if (position == 2)
                    worker->bStop = true;
            },
            Qt::DirectConnection);
    addJob(5, m_source, m_target);
    QVERIFY(m_worker->wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 2);
    QCOMPARE(m_recorder->done.first().error, QStringLiteral("Unsplit: joining stopped"));
    QCOMPARE(m_recorder->done.first().job.volumesConsumed, QStringList());
    QCOMPARE(entries(m_target), QStringList());
    QCOMPARE(entries(m_source).size(), set.size());

    // Started again, the worker joins the set.
    m_worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(m_worker->isTakingJobs(), kWorkerTimeoutMs);
    QVERIFY(!m_worker->bStop);
    disconnect(worker, &ThreadUnsplit::UpdateProgressSignal, worker, nullptr);
    addJob(6, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 2, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.at(1).result, 0);
    QCOMPARE(entries(m_target), QStringList{"s.bin"});
}

void tst_ThreadUnsplit::jobAddedBeforeStartIsDropped()
{
    writePlainSet(m_source, QStringLiteral("d.bin"), patternBytes(100), 60);
    m_worker.reset(new ThreadUnsplit);
    connect(m_worker.get(), &ThreadUnsplit::unsplitDoneSignal, m_recorder.get(), &Recorder::onDone);
    addJob(1, m_source, m_target);
    m_worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(m_worker->isTakingJobs(), kWorkerTimeoutMs);
    addJob(2, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QTest::qWait(300);
    QCOMPARE(m_recorder->done.size(), 1);
    QCOMPARE(m_recorder->done.first().job.jobId, quint32(2));
}

QTEST_GUILESS_MAIN(tst_ThreadUnsplit)
#include "tst_ThreadUnsplit.moc"

