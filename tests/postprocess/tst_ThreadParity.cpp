#include "postprocess/ThreadParity.h"

#include "StandInProgram.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// The workers run real programs and files: on a busy machine a job can take a few seconds.
static constexpr int kWorkerTimeoutMs = 30000;

namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray data(size, Qt::Uninitialized);
    generator.fillRange(reinterpret_cast<quint32*>(data.data()), size / 4);
    return data;
}

ParityJob makeJob(quint32 id, const QString& par2File, const QString& folder)
{
    ParityJob job;
    job.jobId = id;
    job.par2File = par2File;
    job.folder = folder;
    job.result = QStringLiteral("0");
    job.applicationFolder = QStringLiteral("/not/used");
    job.otherFilesCount = 3;
    job.par2FilesCount = 1;
    job.folderFiles = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    return job;
}

} // namespace

// Records what the worker reports; it lives in the test's thread, so the worker's signals
// reach it queued, as they reach the download manager.
class Recorder : public QObject
{
    Q_OBJECT

public:
    struct Done
    {
        ParityJob job;
        int exitCode;
        quint32 notStarted;
    };
    QList<Done> done;
    QList<QPair<quint32, QString>> progress;
    QStringList events;
    std::function<void(quint32, const QString&)> onProgress;

public slots:
    void progressed(quint32 jobId, QString status)
    {
        progress.append(qMakePair(jobId, status));
        events << QStringLiteral("progress %1").arg(jobId);
        if (onProgress)
            onProgress(jobId, status);
    }
    void finished(ParityJob job, int exitCode, quint32 notStarted)
    {
        done.append(Done{job, exitCode, notStarted});
        events << QStringLiteral("done %1").arg(job.jobId);
    }
};

class tst_ThreadParity : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void parseResult_data();
    void parseResult();
    void lastProgressPiece_data();
    void lastProgressPiece();

    void realPar2_data();
    void realPar2();

    void fileThreads_data();
    void fileThreads();

    void progressSplitAtCarriageReturns();
    void argumentsGivenToPar2();
    void jobsRunInOrder();
    void jobQueuedAtEveryMomentRuns();
    void stopEndsRunningJobWithDoneSignal();
    void missingPar2AnswersEveryJob();
    void jobAddedBeforeStartIsDropped();
    void takesJobsFromStartUntilStopped();

private:
    void startWorker(const QString& programFolder);
    QString standInPar2(const QByteArray& body);
    QString createPar2Set();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ThreadParity> m_worker;
    std::unique_ptr<Recorder> m_recorder;
};

void tst_ThreadParity::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_recorder.reset(new Recorder);
    m_worker.reset(new ThreadParity);
    connect(m_worker.get(), &ThreadParity::UpdateProgressSignal, m_recorder.get(),
            &Recorder::progressed);
    connect(m_worker.get(), &ThreadParity::parityDoneSignal, m_recorder.get(),
            &Recorder::finished);
}

void tst_ThreadParity::cleanup()
{
    m_worker->bStop = true;
    QVERIFY(m_worker->wait(5000));
    m_worker.reset();
    m_recorder.reset();
    m_dir.reset();
}

void tst_ThreadParity::startWorker(const QString& programFolder)
{
    QDir().mkpath(programFolder);
    m_worker->setProgramFolder(programFolder);
    QSignalSpy started(m_worker.get(), &QThread::started);
    m_worker->start(QThread::NormalPriority);
    // The worker empties its queue as it starts: give it that moment before adding jobs.
    QVERIFY(started.count() == 1 || started.wait(5000));
    QTest::qWait(100);
}

// A program folder holding a shell script as par2.
QString tst_ThreadParity::standInPar2(const QByteArray& body)
{
    const QString programs = m_dir->path() + QStringLiteral("/programs");
    QDir().mkpath(programs);
    StandInProgram::write(programs, QStringLiteral("par2"), body);
    return programs;
}

// Three files of random data with a PAR2 set of 60 data blocks and 6 recovery blocks, in a
// folder whose name holds blanks and non-ASCII letters; returns the folder.
QString tst_ThreadParity::createPar2Set()
{
    const QString folder = m_dir->path() + QStringLiteral("/Set ü with blanks");
    if (!QDir().mkpath(folder))
        return QString();
    quint32 seed = 1;
    for (const char* name : {"a.bin", "b.bin", "c.bin"})
        writeFile(folder + QLatin1Char('/') + QLatin1String(name), randomBytes(200000, seed++));
    QProcess create;
    create.setWorkingDirectory(folder);
    create.start(QStringLiteral("par2"),
                 {QStringLiteral("c"), QStringLiteral("-q"), QStringLiteral("-s10000"),
                  QStringLiteral("-r10"), QStringLiteral("movie.par2"), QStringLiteral("a.bin"),
                  QStringLiteral("b.bin"), QStringLiteral("c.bin")});
    if (!create.waitForFinished(60000) || create.exitCode() != 0)
        return QString();
    return folder;
}

void tst_ThreadParity::parseResult_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("result");

    // Outputs recorded from par2 itself, with the result each must give.
    const QList<QPair<const char*, const char*>> recorded{
        {"A_intact.out", "0"}, {"B2_repair_damaged.out", "0"}, {"C1_need.out", "16"},
        {"C2_need_after_vol00.out", "12"}, {"D_need1.out", "1"}, {"E_renamed.out", "0"},
        {"F_nofile.out", "0"}, {"G2_crit.out", "0"}, {"G_crit.out", "0"}};
    for (const auto& entry : recorded) {
        QFile file(QStringLiteral(TQ_TEST_DATA "/par2/") + QLatin1String(entry.first));
        QVERIFY2(file.open(QIODevice::ReadOnly), entry.first);
        QTest::newRow(entry.first) << QString::fromUtf8(file.readAll())
                                   << QString::fromLatin1(entry.second);
    }

    const QString need = QStringLiteral("You need 12 more recovery blocks to be able to repair.");
    QTest::newRow("later line decides") << need + QStringLiteral("\nRepair complete.\n")
                                        << QStringLiteral("0");
    QTest::newRow("need after a repair line") << QStringLiteral("Repair complete.\n") + need
                                              << QStringLiteral("12");
    QTest::newRow("both phrases in one line")
        << QStringLiteral("repair is not required; more recovery blocks to be able to repair")
        << QStringLiteral("0");
    QTest::newRow("need at the end of the line")
        << QStringLiteral("more recovery blocks to be able to repair: you need 7")
        << QStringLiteral("7");
    QTest::newRow("need line without need")
        << QStringLiteral("42 more recovery blocks to be able to repair.") << QStringLiteral("42");
    QTest::newRow("carriage return line ends") << need + QStringLiteral("\r\n")
                                               << QStringLiteral("12");
    QTest::newRow("phrase after progress on the same line")
        << QStringLiteral("Scanning: 99.5%\rYou need 3 more recovery blocks to be able to repair.")
        << QStringLiteral("3");
    QTest::newRow("phrase case matters") << QStringLiteral("repair complete.")
                                         << QStringLiteral("0");
    QTest::newRow("empty") << QString() << QStringLiteral("0");
}

void tst_ThreadParity::parseResult()
{
    QFETCH(QString, output);
    QFETCH(QString, result);
    QCOMPARE(ThreadParity::parseResult(output), result);
}

void tst_ThreadParity::lastProgressPiece_data()
{
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<QString>("piece");

    QTest::newRow("carriage returns inside a line")
        << QStringLiteral("Loading: 5.3%\rLoading: 11.1%\rLoading: 16.9%")
        << QStringLiteral("Loading: 16.9%");
    QTest::newRow("ends with a carriage return")
        << QStringLiteral("Scanning: 1.3%\rScanning: 2.7%\r") << QStringLiteral("Scanning: 2.7%");
    QTest::newRow("ends with a line feed")
        << QStringLiteral("Scanning: 2.7%\rTarget: \"a.bin\" - found.\n")
        << QStringLiteral("Target: \"a.bin\" - found.");
    QTest::newRow("only line ends") << QStringLiteral("\n\r\n\r") << QString();
    QTest::newRow("partial line") << QStringLiteral("Opening: \"a.bin\"\nScann")
                                  << QStringLiteral("Scann");
    QTest::newRow("blanks kept") << QStringLiteral("  padded  \n") << QStringLiteral("  padded  ");
}

void tst_ThreadParity::lastProgressPiece()
{
    QFETCH(QString, chunk);
    QFETCH(QString, piece);
    QCOMPARE(ThreadParity::lastProgressPiece(chunk), piece);
}

void tst_ThreadParity::realPar2_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("result");

    const auto row = [](const char* name, const char* damage, int exitCode, const char* result) {
        QTest::newRow(name) << QString::fromLatin1(damage) << exitCode
                            << QString::fromLatin1(result);
    };
    row("intact", "none", 0, "0");
    row("damaged and repairable", "overwrite", 0, "0");
    row("too damaged", "delete", 2, "14");
    row("index file missing", "no index", 3, "0");
    row("renamed file", "rename", 0, "0");
}

void tst_ThreadParity::realPar2()
{
    QFETCH(QString, damage);
    QFETCH(int, exitCode);
    QFETCH(QString, result);
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("par2")).isEmpty(),
             "par2 must be installed (scripts/install-deps.sh)");

    const QString folder = createPar2Set();
    QVERIFY(!folder.isEmpty());
    const QString a = folder + QStringLiteral("/a.bin");
    const QString b = folder + QStringLiteral("/b.bin");
    const QString c = folder + QStringLiteral("/c.bin");
    const QByteArray original = readFile(b);
    const QByteArray originalC = readFile(c);
    QString par2File = folder + QStringLiteral("/movie.par2");

    QByteArray damaged = original;
    if (damage == QLatin1String("overwrite")) {
        damaged.replace(50000, 15000, QByteArray(15000, '\0'));
        writeFile(b, damaged);
    } else if (damage == QLatin1String("delete")) {
        QVERIFY(QFile::remove(a)); // 20 blocks lost, 6 recovery blocks: 14 more needed
    } else if (damage == QLatin1String("no index")) {
        par2File = folder + QStringLiteral("/absent.par2");
    } else if (damage == QLatin1String("rename")) {
        QVERIFY(QFile::rename(c, folder + QStringLiteral("/renamed.dat")));
    }

    // The program folder holds no par2: the one on the system path is used.
    startWorker(m_dir->path() + QStringLiteral("/programs"));
    m_worker->addJob(makeJob(4, par2File, folder));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, 60000);

    const Recorder::Done& done = m_recorder->done.first();
    QCOMPARE(done.exitCode, exitCode);
    QCOMPARE(done.notStarted, 0u);
    QCOMPARE(done.job.result, result);
    QCOMPARE(done.job.jobId, 4u);
    QCOMPARE(done.job.par2File, par2File);
    for (const auto& entry : qAsConst(m_recorder->progress)) {
        QCOMPARE(entry.first, 4u);
        QVERIFY(!entry.second.isEmpty());
        QVERIFY2(!entry.second.contains(QLatin1Char('\r')), qPrintable(entry.second));
        QVERIFY(!entry.second.contains(QLatin1Char('\n')));
    }

    if (damage == QLatin1String("overwrite")) {
        QCOMPARE(readFile(b), original);
        // par2 keeps the damaged file under its numbered backup name.
        QCOMPARE(readFile(b + QStringLiteral(".1")), damaged);
    } else if (damage == QLatin1String("rename")) {
        QCOMPARE(readFile(c), originalC);
        QVERIFY(!QFile::exists(folder + QStringLiteral("/renamed.dat")));
    } else if (damage == QLatin1String("none")) {
        QVERIFY(!QFile::exists(b + QStringLiteral(".1")));
    }
}

void tst_ThreadParity::fileThreads_data()
{
    QTest::addColumn<int>("cores");
    QTest::addColumn<int>("threads");
    QTest::newRow("unknown count") << 0 << 1;
    QTest::newRow("one core") << 1 << 1;
    QTest::newRow("four cores") << 4 << 4;
    QTest::newRow("eight cores") << 8 << 8;
    QTest::newRow("nine cores") << 9 << 8;
    QTest::newRow("sixty-four cores") << 64 << 8;
}

// par2 hashes one file per core, so that verifying a large set does not wait on one core; a
// machine with many cores still gets a bounded number of files read at once.
void tst_ThreadParity::fileThreads()
{
    QFETCH(int, cores);
    QFETCH(int, threads);
    QCOMPARE(ThreadParity::fileThreads(cores), threads);
}

void tst_ThreadParity::progressSplitAtCarriageReturns()
{
    const QString programs = standInPar2(
        "printf 'Loading: 5.3%%\\rLoading: 11.1%%\\r'; sleep 1\n"
        "printf 'Scanning: 1.3%%\\rOpening: \"b.bin\"\\n\\n'; sleep 1\n"
        "printf 'Scanning: 2.0%%\\rTarget: \"b.bin\" - found.\\n'; sleep 1\n"
        "echo 'All files are correct, repair is not required.'");
    startWorker(programs);
    m_worker->addJob(makeJob(1, QStringLiteral("/x/movie.par2"), m_dir->path()));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().exitCode, 0);
    QCOMPARE(m_recorder->done.first().job.result, QStringLiteral("0"));
    QVERIFY(m_recorder->progress.size() >= 3);
    QCOMPARE(m_recorder->progress.at(0).second, QStringLiteral("Loading: 11.1%"));
    QCOMPARE(m_recorder->progress.at(1).second, QStringLiteral("Opening: \"b.bin\""));
    QCOMPARE(m_recorder->progress.at(2).second, QStringLiteral("Target: \"b.bin\" - found."));
}

void tst_ThreadParity::argumentsGivenToPar2()
{
    const QString programs = standInPar2(
        "printf '<%s>' \"$@\"; echo; sleep 1");
    startWorker(programs);
    const QString folder = QStringLiteral("/dl/My \"Set\" ü");
    m_worker->addJob(makeJob(1, folder + QStringLiteral("/movie.par2"), folder));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->progress.size(), 1);
    const int threads = ThreadParity::fileThreads(QThread::idealThreadCount());
    QCOMPARE(m_recorder->progress.first().second,
             QStringLiteral("<r><-T%1></dl/My \"Set\" ü/movie.par2></dl/My \"Set\" ü/*>").arg(threads));
}

void tst_ThreadParity::jobsRunInOrder()
{
    const QString programs = standInPar2(
        "echo \"checking $3\"; sleep 1\n"
        "echo 'You need 3 more recovery blocks to be able to repair.'; exit 2");
    writeFile(m_dir->path() + QStringLiteral("/a.bin"), "data");
    startWorker(programs);
    m_worker->addJob(makeJob(5, QStringLiteral("/x/five.par2"), m_dir->path()));
    QTRY_VERIFY_WITH_TIMEOUT(!m_recorder->progress.isEmpty(), kWorkerTimeoutMs);
    // Queued while the first job runs.
    m_worker->addJob(makeJob(6, QStringLiteral("/x/six.par2"), m_dir->path()));
    m_worker->addJob(makeJob(7, QStringLiteral("/x/seven.par2"), m_dir->path()));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 3, kWorkerTimeoutMs);

    QStringList expected;
    for (quint32 id : {5u, 6u, 7u})
        expected << QStringLiteral("progress %1").arg(id) << QStringLiteral("done %1").arg(id);
    // par2's last line may also come as progress: compare runs of the same event as one.
    QStringList events = m_recorder->events;
    events.erase(std::unique(events.begin(), events.end()), events.end());
    QCOMPARE(events, expected);
    const QStringList names{QStringLiteral("five"), QStringLiteral("six"),
                            QStringLiteral("seven")};
    QStringList firstProgress;
    quint32 previous = 0;
    for (const auto& entry : qAsConst(m_recorder->progress)) {
        if (entry.first != previous)
            firstProgress << entry.second;
        previous = entry.first;
    }
    QCOMPARE(firstProgress.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const Recorder::Done& done = m_recorder->done.at(i);
        QCOMPARE(done.exitCode, 2);
        QCOMPARE(done.job.result, QStringLiteral("3"));
        QCOMPARE(firstProgress.at(i), QStringLiteral("checking /x/%1.par2").arg(names.at(i)));
        // The record comes back whole, with the fields the worker does not fill.
        QCOMPARE(done.job.folderFiles.size(), 1);
        QCOMPARE(done.job.folderFiles.first().fileName(), QStringLiteral("a.bin"));
        QCOMPARE(done.job.par2FilesCount, 1);
    }
}

// The worker sleeps until a job comes: a job added at any moment of its cycle is run, once,
// in the order added. Jobs 1 and 2 come while it is idle, 3 while par2 runs (from its
// progress), 4 from the done signal of job 3, before the worker has gone back to its queue,
// and 5 to 44 from four threads at once while it works through the others.
void tst_ThreadParity::jobQueuedAtEveryMomentRuns()
{
    const QString programs = standInPar2("echo checking");
    startWorker(programs);
    std::atomic<bool> queuedFromProgress{false};
    std::atomic<bool> queuedFromDone{false};
    connect(
        m_worker.get(), &ThreadParity::UpdateProgressSignal, m_worker.get(),
        [this, &queuedFromProgress](quint32 jobId, const QString&) {
            if (jobId == 2 && !queuedFromProgress.exchange(true))
                m_worker->addJob(makeJob(3, QStringLiteral("/x/3.par2"), m_dir->path()));
        },
        Qt::DirectConnection);
    connect(
        m_worker.get(), &ThreadParity::parityDoneSignal, m_worker.get(),
        [this, &queuedFromDone](const ParityJob& job, int, quint32) {
            if (job.jobId == 3 && !queuedFromDone.exchange(true))
                m_worker->addJob(makeJob(4, QStringLiteral("/x/4.par2"), m_dir->path()));
        },
        Qt::DirectConnection);

    m_worker->addJob(makeJob(1, QStringLiteral("/x/1.par2"), m_dir->path()));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    m_worker->addJob(makeJob(2, QStringLiteral("/x/2.par2"), m_dir->path()));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 4, kWorkerTimeoutMs);

    const int kThreads = 4;
    const int kJobsPerThread = 10;
    std::vector<std::unique_ptr<QThread>> adders;
    for (int t = 0; t < kThreads; ++t) {
        adders.emplace_back(QThread::create([this, t] {
            for (int i = 0; i < kJobsPerThread; ++i) {
                const quint32 id = quint32(5 + t * kJobsPerThread + i);
                m_worker->addJob(makeJob(id, QStringLiteral("/x/%1.par2").arg(id), m_dir->path()));
                if (i % 7 == 0)
                    QThread::yieldCurrentThread();
            }
        }));
    }
    for (auto& adder : adders)
        adder->start();
    for (auto& adder : adders)
        QVERIFY(adder->wait(kWorkerTimeoutMs));
    const int total = 4 + kThreads * kJobsPerThread;
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), total, kWorkerTimeoutMs * 4);

    QList<quint32> ids;
    for (const Recorder::Done& done : qAsConst(m_recorder->done))
        ids << done.job.jobId;
    QCOMPARE(ids.mid(0, 4), (QList<quint32>{1, 2, 3, 4}));
    // Each thread's jobs in the order it added them, every one exactly once.
    for (int t = 0; t < kThreads; ++t) {
        QList<quint32> own;
        for (quint32 id : qAsConst(ids)) {
            if (id >= quint32(5 + t * kJobsPerThread) && id < quint32(5 + (t + 1) * kJobsPerThread))
                own << id;
        }
        QCOMPARE(own.size(), kJobsPerThread);
        QVERIFY(std::is_sorted(own.begin(), own.end()));
    }
    for (const Recorder::Done& done : qAsConst(m_recorder->done))
        QCOMPARE(done.exitCode, 0);
}

void tst_ThreadParity::stopEndsRunningJobWithDoneSignal()
{
    const QString pidFile = m_dir->path() + QStringLiteral("/pid");
    const QString programs = standInPar2(
        "echo $$ > '" + pidFile.toUtf8() + "'\n"
        "echo 'Scanning: 1.0%'\n"
        "while :; do sleep 1; done");
    m_recorder->onProgress = [this](quint32, const QString&) { m_worker->bStop = true; };
    startWorker(programs);
    m_worker->addJob(makeJob(8, QStringLiteral("/x/movie.par2"), m_dir->path()));
    m_worker->addJob(makeJob(9, QStringLiteral("/x/other.par2"), m_dir->path()));

    QTRY_VERIFY_WITH_TIMEOUT(m_worker->isFinished(), kWorkerTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    const Recorder::Done& done = m_recorder->done.first();
    QCOMPARE(done.job.jobId, 8u);
    QCOMPARE(done.exitCode, 1);
    QCOMPARE(done.notStarted, 0u);
    QCOMPARE(done.job.result, QStringLiteral("0"));
    const qint64 pid = StandInProgram::readPid(pidFile);
    QVERIFY(pid > 0);
    QVERIFY(StandInProgram::isGone(pid));
    QTest::qWait(300);
    QCOMPARE(m_recorder->done.size(), 1); // the job queued behind it did not run
}

void tst_ThreadParity::missingPar2AnswersEveryJob()
{
    // Neither the program folder nor the system path holds a par2.
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_dir->path()));
    startWorker(m_dir->path() + QStringLiteral("/programs"));
    m_worker->addJob(makeJob(1, QStringLiteral("/x/movie.par2"), m_dir->path()));
    m_worker->addJob(makeJob(2, QStringLiteral("/x/movie.par2"), m_dir->path()));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 2, kWorkerTimeoutMs);
    qputenv("PATH", savedPath);

    for (int i = 0; i < 2; ++i) {
        const Recorder::Done& done = m_recorder->done.at(i);
        QCOMPARE(done.job.jobId, quint32(i + 1));
        QCOMPARE(done.exitCode, ThreadParity::kNotStartedExitCode);
        QCOMPARE(done.notStarted, 1u);
        QCOMPARE(done.job.result, QStringLiteral("0"));
    }
    QVERIFY(m_recorder->progress.isEmpty());
}

void tst_ThreadParity::jobAddedBeforeStartIsDropped()
{
    const QString programs = standInPar2(
        "echo 'Repair complete.'");
    m_worker->addJob(makeJob(1, QStringLiteral("/x/early.par2"), m_dir->path()));
    startWorker(programs);
    QTest::qWait(400);
    QVERIFY(m_recorder->done.isEmpty());
    m_worker->addJob(makeJob(2, QStringLiteral("/x/later.par2"), m_dir->path()));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().job.jobId, 2u);
}

void tst_ThreadParity::takesJobsFromStartUntilStopped()
{
    const QString programs = standInPar2("echo 'Repair complete.'");
    m_worker->setProgramFolder(programs);
    QVERIFY(!m_worker->isTakingJobs());
    // Twice: a worker stopped and started again takes jobs as soon as it says so.
    for (quint32 round = 1; round <= 2; ++round) {
        m_worker->start(QThread::NormalPriority);
        QTRY_VERIFY_WITH_TIMEOUT(m_worker->isTakingJobs(), kWorkerTimeoutMs);
        m_worker->addJob(makeJob(round, QStringLiteral("/x/movie.par2"), m_dir->path()));
        QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), int(round), kWorkerTimeoutMs);
        QCOMPARE(m_recorder->done.last().job.jobId, round);
        m_worker->bStop = true;
        QVERIFY(m_worker->wait(kWorkerTimeoutMs));
        QVERIFY(!m_worker->isTakingJobs());
    }
}

QTEST_GUILESS_MAIN(tst_ThreadParity)
#include "tst_ThreadParity.moc"

