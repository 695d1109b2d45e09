#include "postprocess/ThreadUnrar.h"

#include "RarTestArchive.h"
#include "TestFiles.h"

#include "platform/ProcessRun.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

// The workers run real programs and files: on a busy machine a job can take a few seconds.
static constexpr int kWorkerTimeoutMs = 30000;

using namespace TestFiles;

namespace {

const QByteArray kRarMark("Rar!\x1a\x07\x00", 7);

// A stand-in for unrar: it appends its arguments, one a line, and an end mark to calls.log
// beside itself, then acts as the files named after the archive's file name ask: prints
// <name>.out, stays <name>.linger seconds more when that file exists (so that the output
// is read while it runs, not drained after its end), sleeps for a long time when <name>.sleep
// exists, exits with <name>.code.
const QByteArray kStandIn = R"sh(here=$(dirname "$0")
for argument in "$@"; do printf '%s\n' "$argument"; done >> "$here/calls.log"
echo '--end--' >> "$here/calls.log"
eval "archive=\${$(($# - 1))}"
name=$(basename "$archive")
[ -f "$here/$name.out" ] && cat "$here/$name.out"
[ -f "$here/$name.linger" ] && sleep "$(cat "$here/$name.linger")"
[ -f "$here/$name.sleep" ] && exec sleep 30
code=0
[ -f "$here/$name.code" ] && code=$(cat "$here/$name.code")
exit $code)sh";

// Collects the worker's signals in the test's thread (they arrive queued).
class Recorder : public QObject
{
    Q_OBJECT

public:
    struct Done
    {
        UnrarJob job;
        int result;
        quint32 status;
    };
    QList<Done> done;
    QList<QPair<QString, quint32>> progress;

public slots:
    void onDone(UnrarJob job, int result, quint32 status) { done.append({job, result, status}); }
    void onProgress(QString text, quint32 id) { progress.append(qMakePair(text, id)); }
};

} // namespace

class tst_ThreadUnrar : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void findsFirstVolumes_data();
    void findsFirstVolumes();
    void numberedRarFiles_data();
    void numberedRarFiles();
    void namedArchivesOnly();
    void argumentLists_data();
    void argumentLists();
    void progressText_data();
    void progressText();
    void progressRelayed();
    void volumesReadFromOutput();
    void volumeOfTheSet_data();
    void volumeOfTheSet();
    void forgedVolumeLinesDeleteNothing();
    void resultsAndDeletion_data();
    void resultsAndDeletion();
    void unreadableStatusIsAnError();
    void earlyResults_data();
    void earlyResults();
    void missingExtractionFolderIsCreated();
    void twoJobsInOrder();
    void stopMidJob();
    void jobAddedBeforeStartIsDropped();

private:
    void startWorker(bool deleteVolumes = true);
    void addJob(quint32 id, const QString& source, const QString& target,
                const QString& password = QString(), bool keepVolumes = false);
    // The argument lists of every call the stand-in received, in order.
    QList<QStringList> calls() const;
    void setBehaviour(const QString& archiveName, int exitCode, const QByteArray& output = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_bin;
    QString m_source;
    QString m_target;
    std::unique_ptr<ThreadUnrar> m_worker;
    std::unique_ptr<Recorder> m_recorder;
};

void tst_ThreadUnrar::init()
{
    qRegisterMetaType<UnrarJob>("UnrarJob");
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_bin = m_dir->filePath(QStringLiteral("bin"));
    m_source = m_dir->filePath(QStringLiteral("source folder"));
    m_target = m_dir->filePath(QStringLiteral("target folder"));
    QVERIFY(QDir().mkpath(m_source));
    QVERIFY(writeScript(m_bin + QStringLiteral("/unrar"), kStandIn));
    m_recorder.reset(new Recorder);
}

void tst_ThreadUnrar::cleanup()
{
    if (m_worker) {
        m_worker->bStop = true;
        QVERIFY(m_worker->wait(10000));
        m_worker.reset();
    }
    m_recorder.reset();
    m_dir.reset();
}

void tst_ThreadUnrar::startWorker(bool deleteVolumes)
{
    m_worker.reset(new ThreadUnrar);
    m_worker->setProgramFolder(m_bin);
    m_worker->bDeleteVolumes = deleteVolumes;
    connect(m_worker.get(), &ThreadUnrar::unrarDoneSignal, m_recorder.get(), &Recorder::onDone);
    connect(m_worker.get(), &ThreadUnrar::UpdateProgressSignal, m_recorder.get(),
            &Recorder::onProgress);
    m_worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(m_worker->isTakingJobs(), kWorkerTimeoutMs);
}

void tst_ThreadUnrar::addJob(quint32 id, const QString& source, const QString& target,
                             const QString& password, bool keepVolumes)
{
    UnrarJob job;
    job.jobId = id;
    job.keepVolumes = keepVolumes;
    job.sourceFolder = source;
    job.extractionFolder = target;
    job.password = password;
    m_worker->addJob(job);
}

QList<QStringList> tst_ThreadUnrar::calls() const
{
    QList<QStringList> result;
    QStringList current;
    const QString log = QString::fromUtf8(readFile(m_bin + QStringLiteral("/calls.log")));
    for (const QString& line : log.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line == QLatin1String("--end--")) {
            result.append(current);
            current.clear();
        } else {
            current.append(line);
        }
    }
    return result;
}

void tst_ThreadUnrar::setBehaviour(const QString& archiveName, int exitCode,
                                   const QByteArray& output)
{
    QVERIFY(writeFile(m_bin + QLatin1Char('/') + archiveName + QStringLiteral(".code"),
                      QByteArray::number(exitCode)));
    if (!output.isEmpty())
        QVERIFY(writeFile(m_bin + QLatin1Char('/') + archiveName + QStringLiteral(".out"), output));
}

void tst_ThreadUnrar::findsFirstVolumes_data()
{
    QTest::addColumn<QStringList>("rarFiles");
    QTest::addColumn<QStringList>("otherFiles");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("numbered set then single archive")
        << QStringList{"a.part1.rar", "a.part2.rar", "b.rar"} << QStringList()
        << QStringList{"a.part1.rar", "b.rar"};
    QTest::newRow("upper case, zero-padded")
        << QStringList{"A.PART01.RAR", "A.PART02.RAR"} << QStringList() << QStringList{"A.PART01.RAR"};
    QTest::newRow("three-digit numbering")
        << QStringList{"m.part001.rar", "m.part002.rar"} << QStringList() << QStringList{"m.part001.rar"};
    QTest::newRow("set without its first volume")
        << QStringList{"a.part2.rar", "a.part3.rar"} << QStringList() << QStringList();
    QTest::newRow("part10 and part2 are no first volumes")
        << QStringList{"a.part10.rar", "a.part2.rar"} << QStringList() << QStringList();
    QTest::newRow("partial is never taken") << QStringList{"a.partial.rar"} << QStringList()
                                            << QStringList();
    QTest::newRow("old-style set: .rar first, .r00 ignored")
        << QStringList{"old.rar", "old.r00", "old.r01"} << QStringList() << QStringList{"old.rar"};
    QTest::newRow(".001 only when it starts as RAR")
        << QStringList{"x.001", "x.002"} << QStringList{"y.001"} << QStringList{"x.001"};
    QTest::newRow("order: numbered, other .rar, .001")
        << QStringList{"z.rar", "m.part1.rar", "m.part2.rar", "k.001"} << QStringList()
        << QStringList{"m.part1.rar", "z.rar", "k.001"};
    QTest::newRow("hidden archive is not listed") << QStringList{".hidden.rar"} << QStringList()
                                                  << QStringList();
}

void tst_ThreadUnrar::findsFirstVolumes()
{
    QFETCH(QStringList, rarFiles);
    QFETCH(QStringList, otherFiles);
    QFETCH(QStringList, expected);
    for (const QString& name : rarFiles)
        QVERIFY(writeFile(m_source + QLatin1Char('/') + name, kRarMark + name.toUtf8()));
    for (const QString& name : otherFiles)
        QVERIFY(writeFile(m_source + QLatin1Char('/') + name, "not an archive"));
    QVERIFY(QDir().mkpath(m_source + QStringLiteral("/folder.rar")));

    ThreadUnrar worker;
    QStringList expectedPaths;
    for (const QString& name : expected)
        expectedPaths.append(QDir(m_source).absoluteFilePath(name));
    QCOMPARE(worker.findRarFiles(m_source), expectedPaths);
}

void tst_ThreadUnrar::numberedRarFiles_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("volume"); // the main header marks a volume of a set
    QTest::addColumn<int>("pieces");
    QTest::addColumn<bool>("taken");
    const int rar4 = int(RarTestArchive::Format::Rar4);
    const int rar5 = int(RarTestArchive::Format::Rar5);
    QTest::newRow("RAR 4 archive cut into pieces") << rar4 << false << 3 << false;
    QTest::newRow("RAR 5 archive cut into pieces") << rar5 << false << 3 << false;
    QTest::newRow("RAR 4 volume set") << rar4 << true << 3 << true;
    QTest::newRow("RAR 5 volume set") << rar5 << true << 3 << true;
    QTest::newRow("RAR 4 archive alone under a numbered name") << rar4 << false << 1 << true;
    QTest::newRow("RAR 5 archive alone under a numbered name") << rar5 << false << 1 << true;
}

// A ".001" RAR archive is extracted as it is unless it is the first piece of an archive cut
// into pieces (no volume of its own, a ".002" after it): that one the join puts back together.
void tst_ThreadUnrar::numberedRarFiles()
{
    QFETCH(int, format);
    QFETCH(bool, volume);
    QFETCH(int, pieces);
    QFETCH(bool, taken);
    RarTestArchive archive{RarTestArchive::Format(format)};
    archive.file("inside.bin", patternBytes(3000, 5));
    if (volume)
        archive.moreVolumes();
    const QByteArray bytes = archive.bytes();
    const int pieceSize = int((bytes.size() + pieces - 1) / pieces);
    for (int n = 0; n < pieces; ++n)
        QVERIFY(writeFile(m_source + QStringLiteral("/x.%1").arg(n + 1, 3, 10, QLatin1Char('0')),
                          bytes.mid(n * pieceSize, pieceSize)));
    ThreadUnrar worker;
    QCOMPARE(worker.findRarFiles(m_source),
             taken ? QStringList{QDir(m_source).absoluteFilePath(QStringLiteral("x.001"))} : QStringList());
}

// The archives a join gave back are extracted by name, whatever else their folder holds.
void tst_ThreadUnrar::namedArchivesOnly()
{
    setBehaviour(QStringLiteral("joined.rar"), 0);
    QVERIFY(writeFile(m_source + QStringLiteral("/joined.rar"), kRarMark));
    QVERIFY(writeFile(m_source + QStringLiteral("/users.rar"), kRarMark));
    startWorker();
    UnrarJob job;
    job.jobId = 3;
    job.sourceFolder = m_source;
    job.extractionFolder = m_target;
    job.archives = QStringList{m_source + QStringLiteral("/joined.rar"), m_source + QStringLiteral("/gone.rar")};
    m_worker->addJob(job);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 0);
    QCOMPARE(calls().size(), 1);
    QVERIFY(calls().first().contains(QDir::toNativeSeparators(m_source + QStringLiteral("/joined.rar"))));
    QVERIFY(QFileInfo::exists(m_source + QStringLiteral("/users.rar")));
}

void tst_ThreadUnrar::argumentLists_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("expectedHead");

    QTest::newRow("no password") << QString() << QStringList{"x", "-p-", "-or", "-kb"};
    QTest::newRow("password with blanks and a double quote")
        << QStringLiteral("my \"secret\" pass") << QStringList{"x", "-kb", "-pmy \"secret\" pass", "-or"};
}

void tst_ThreadUnrar::argumentLists()
{
    QFETCH(QString, password);
    QFETCH(QStringList, expectedHead);
    QVERIFY(writeFile(m_source + QStringLiteral("/movie.rar"), kRarMark));
    startWorker();
    addJob(1, m_source, m_target, password);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 0);

    const QStringList expected =
        expectedHead + QStringList{QDir(m_source).absoluteFilePath(QStringLiteral("movie.rar")), m_target};
    QCOMPARE(calls(), QList<QStringList>{expected});
}

void tst_ThreadUnrar::progressText_data()
{
    QTest::addColumn<QString>("chunk");
    QTest::addColumn<QString>("expected");

    QTest::newRow("percentage after a file name") << "Extracting  movie.mkv     45%" << "45%";
    QTest::newRow("newest line wins") << "Extracting a 10%\nExtracting b 20%\n" << "20%";
    QTest::newRow("backspaces before the number") << "...  a.mkv\b\b\b\b\b  7%" << "7%";
    QTest::newRow("no blank before the percent") << "abc99%" << "abc99%";
    QTest::newRow("percent alone") << "%" << "%";
    QTest::newRow("last percent of the line") << "x 10% y 30%" << "30%";
    QTest::newRow("carriage returns trimmed") << "Extracting f  55%\r" << "55%";
    QTest::newRow("no percent") << "Extracting from /a/b.rar\n" << QString();
    QTest::newRow("empty chunk") << QString() << QString();
    QTest::newRow("newest line without percent is skipped") << "a 12%\nAll OK\n" << "12%";
}

void tst_ThreadUnrar::progressText()
{
    QFETCH(QString, chunk);
    QFETCH(QString, expected);
    QCOMPARE(ThreadUnrar::progressText(chunk), expected);
}

void tst_ThreadUnrar::progressRelayed()
{
    QVERIFY(writeFile(m_source + QStringLiteral("/movie.rar"), kRarMark));
    setBehaviour(QStringLiteral("movie.rar"), 0, "Extracting  movie.mkv   45%");
    // Output that comes after the program has ended is drained without progress reports.
    QVERIFY(writeFile(m_bin + QStringLiteral("/movie.rar.linger"), "2"));
    startWorker();
    addJob(42, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QVERIFY(m_recorder->progress.size() >= 2);
    QCOMPARE(m_recorder->progress.first(), qMakePair(QString(), quint32(42)));
    QCOMPARE(m_recorder->progress.at(1), qMakePair(QStringLiteral("45%"), quint32(42)));
}

void tst_ThreadUnrar::volumesReadFromOutput()
{
    const QString output = QStringLiteral(
        "\nExtracting from /d/a.part1.rar\n\nExtracting  film.mkv  10%\n"
        "extracting FROM C:\\dl\\a.part2.rar\r\n  Extracting from   a.part3.rar  \n"
        "Extracting from \nAll OK\n");
    QCOMPARE(ThreadUnrar::volumesRead(output),
             (QStringList{"/d/a.part1.rar", "C:\\dl\\a.part2.rar", "a.part3.rar"}));
}

void tst_ThreadUnrar::volumeOfTheSet_data()
{
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("ofTheSet");

    QTest::newRow("numbered set, first") << "/dl/a.part01.rar" << "/dl/a.part01.rar" << true;
    QTest::newRow("numbered set, later, other case") << "/dl/a.part01.rar" << "/dl/A.PART12.RAR" << true;
    QTest::newRow("numbered set, another set") << "/dl/a.part01.rar" << "/dl/b.part02.rar" << false;
    QTest::newRow("numbered set, a longer name") << "/dl/a.part1.rar" << "/dl/xa.part2.rar" << false;
    QTest::newRow("old-style set, .r00") << "/dl/old.rar" << "/dl/old.r00" << true;
    QTest::newRow("old-style set, .s01") << "/dl/old.rar" << "/dl/old.s01" << true;
    QTest::newRow("old-style set, PAR2 file") << "/dl/old.rar" << "/dl/old.par2" << false;
    QTest::newRow(".001 set") << "/dl/x.001" << "/dl/x.014" << true;
    QTest::newRow(".001 set, another name") << "/dl/x.001" << "/dl/y.002" << false;
    QTest::newRow("another folder") << "/dl/a.part1.rar" << "/home/user/a.part2.rar" << false;
    QTest::newRow("a folder that climbs back") << "/dl/a.part1.rar" << "/dl/sub/../a.part2.rar" << true;
    QTest::newRow("a climb out") << "/dl/a.part1.rar" << "/dl/../a.part2.rar" << false;
    QTest::newRow("no folder") << "/dl/a.part1.rar" << "a.part2.rar" << false;
    QTest::newRow("a name that only holds the set's name")
        << "/dl/a.part1.rar" << "/dl/a.part2.rar  100%\b\b\b\b\b  OK" << false;
}

void tst_ThreadUnrar::volumeOfTheSet()
{
    QFETCH(QString, archive);
    QFETCH(QString, path);
    QFETCH(bool, ofTheSet);
    QCOMPARE(ThreadUnrar::isVolumeOfSet(archive, path), ofTheSet);
}

void tst_ThreadUnrar::forgedVolumeLinesDeleteNothing()
{
    // Names printed by unrar come from the archive: lines that name other files of the
    // folder, or files elsewhere, must not cost them.
    const QString source = QDir(m_source).absolutePath();
    const QString outside = m_dir->filePath(QStringLiteral("outside.part2.rar"));
    for (const char* name : {"a.part1.rar", "a.part2.rar", "b.part1.rar", "movie.par2", "a.vol0+1.par2"})
        QVERIFY(writeFile(m_source + QLatin1Char('/') + QString::fromLatin1(name), kRarMark));
    QVERIFY(writeFile(outside, kRarMark));
    setBehaviour(QStringLiteral("a.part1.rar"), 0,
                 ("\nExtracting from " + source + "/a.part1.rar\n"
                  "Extracting  x\nExtracting from " + source + "/movie.par2\n"
                  "Extracting  Extracting from " + source + "/a.vol0+1.par2  100%  OK\n"
                  "Extracting from " + source + "/b.part1.rar\n"
                  "Extracting from " + outside + "\nAll OK\n").toUtf8());
    setBehaviour(QStringLiteral("b.part1.rar"), 1);
    startWorker();
    addJob(7, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 1);
    QCOMPARE(entries(m_source), (QStringList{"a.part2.rar", "a.vol0+1.par2", "b.part1.rar", "movie.par2"}));
    QVERIFY(QFileInfo::exists(outside));
}

void tst_ThreadUnrar::resultsAndDeletion_data()
{
    QTest::addColumn<int>("firstCode");
    QTest::addColumn<int>("secondCode");
    QTest::addColumn<bool>("deleteVolumes");
    QTest::addColumn<int>("expectedResult");
    QTest::addColumn<int>("expectedRuns");
    QTest::addColumn<QStringList>("expectedLeft");
    QTest::addColumn<bool>("jobKeepsVolumes"); // a set that could not be repaired

    const QStringList all{"a.part1.rar", "a.part2.rar", "b.rar", "notes.txt"};
    QTest::newRow("both succeed") << 0 << 0 << true << 0 << 2 << QStringList{"notes.txt"} << false;
    QTest::newRow("deletion off") << 0 << 0 << false << 0 << 2 << all << false;
    // The job's result is the worst of its archives: a later clean run does not hide a warning.
    QTest::newRow("warning keeps volumes, and stays the result after a clean run")
        << 1 << 0 << true << 1 << 2 << QStringList{"a.part1.rar", "a.part2.rar", "notes.txt"} << false;
    QTest::newRow("warning on the last run")
        << 0 << 1 << true << 1 << 2 << QStringList{"b.rar", "notes.txt"} << false;
    QTest::newRow("error ends the job at once") << 3 << 0 << true << 3 << 1 << all << false;
    QTest::newRow("fatal error 9") << 9 << 0 << true << 9 << 1 << all << false;
    QTest::newRow("error on the second archive")
        << 0 << 2 << true << 2 << 2 << QStringList{"b.rar", "notes.txt"} << false;
    QTest::newRow("code above 9 on the last run") << 0 << 10 << true << 10 << 2 << QStringList{"b.rar", "notes.txt"} << false;
    QTest::newRow("code above 9 ends the job at once") << 10 << 0 << true << 10 << 1 << all << false;
    QTest::newRow("wrong or missing password ends the job") << 11 << 0 << true << 11 << 1 << all << false;
    QTest::newRow("died of a signal") << 137 << 0 << true << 137 << 1 << all << false;
    QTest::newRow("the job keeps its volumes") << 0 << 0 << true << 0 << 2 << all << true;
}

void tst_ThreadUnrar::resultsAndDeletion()
{
    QFETCH(int, firstCode);
    QFETCH(int, secondCode);
    QFETCH(bool, deleteVolumes);
    QFETCH(int, expectedResult);
    QFETCH(int, expectedRuns);
    QFETCH(QStringList, expectedLeft);
    QFETCH(bool, jobKeepsVolumes);

    for (const char* name : {"a.part1.rar", "a.part2.rar", "b.rar"})
        QVERIFY(writeFile(m_source + QLatin1Char('/') + QString::fromLatin1(name), kRarMark));
    QVERIFY(writeFile(m_source + QStringLiteral("/notes.txt"), "not read by unrar"));
    const QString source = QDir(m_source).absolutePath();
    setBehaviour(QStringLiteral("a.part1.rar"), firstCode,
                 ("\nExtracting from " + source + "/a.part1.rar\n\nExtracting  film.mkv  50%\n"
                  "\nExtracting from " + source + "/a.part2.rar\n\nAll OK\n").toUtf8());
    setBehaviour(QStringLiteral("b.rar"), secondCode,
                 ("\nExtracting from " + source + "/b.rar\nAll OK\n").toUtf8());

    startWorker(deleteVolumes);
    addJob(5, m_source, m_target, QString(), jobKeepsVolumes);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    const Recorder::Done& done = m_recorder->done.first();
    QCOMPARE(done.result, expectedResult);
    QCOMPARE(done.status, quint32(0));
    QCOMPARE(done.job.jobId, quint32(5));
    QCOMPARE(done.job.sourceFolder, m_source);
    QCOMPARE(calls().size(), expectedRuns);
    QCOMPARE(entries(m_source), expectedLeft);
}

void tst_ThreadUnrar::unreadableStatusIsAnError()
{
    // With SIGCHLD ignored the system reaps unrar itself and its status is lost: the job
    // must end as an error, and keep the volumes, even though unrar exited with 0.
    for (const char* name : {"a.rar", "b.rar"})
        QVERIFY(writeFile(m_source + QLatin1Char('/') + QString::fromLatin1(name), kRarMark));
    const QString source = QDir(m_source).absolutePath();
    setBehaviour(QStringLiteral("a.rar"), 0, ("Extracting from " + source + "/a.rar\nAll OK\n").toUtf8());
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction previous {};
    QCOMPARE(sigaction(SIGCHLD, &ignore, &previous), 0);
    startWorker();
    addJob(4, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    sigaction(SIGCHLD, &previous, nullptr);
    QCOMPARE(m_recorder->done.first().result, int(ProcessRun::kExitCodeUnknown));
    QCOMPARE(calls().size(), 1);
    QCOMPARE(entries(m_source), (QStringList{"a.rar", "b.rar"}));
}

void tst_ThreadUnrar::earlyResults_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("expectedResult");

    QTest::newRow("no archive") << "empty" << int(ThreadUnrar::NoArchiveFound);
    QTest::newRow("missing source folder") << "no source" << int(ThreadUnrar::NoArchiveFound);
    QTest::newRow("extraction folder under a regular file")
        << "blocked target" << int(ThreadUnrar::ExtractFolderFailed);
    QTest::newRow("unrar missing") << "no program" << int(ThreadUnrar::NotStarted);
}

void tst_ThreadUnrar::earlyResults()
{
    QFETCH(QString, setup);
    QFETCH(int, expectedResult);

    QString source = m_source;
    QString target = m_target;
    if (setup != QLatin1String("empty"))
        QVERIFY(writeFile(m_source + QStringLiteral("/movie.rar"), kRarMark));
    if (setup == QLatin1String("no source"))
        source = m_dir->filePath(QStringLiteral("nowhere"));
    if (setup == QLatin1String("blocked target")) {
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("plain")), "a regular file"));
        target = m_dir->filePath(QStringLiteral("plain/sub"));
    }
    if (setup == QLatin1String("no program"))
        QVERIFY(QFile::remove(m_bin + QStringLiteral("/unrar")));

    startWorker();
    addJob(3, source, target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, expectedResult);
    QCOMPARE(calls().size(), 0);
    QCOMPARE(entries(source), setup == QLatin1String("empty") || setup == QLatin1String("no source")
                                  ? QStringList()
                                  : QStringList{"movie.rar"});
    if (setup == QLatin1String("empty"))
        QVERIFY(!QFileInfo::exists(target));
}

void tst_ThreadUnrar::missingExtractionFolderIsCreated()
{
    QVERIFY(writeFile(m_source + QStringLiteral("/movie.rar"), kRarMark));
    const QString target = m_dir->filePath(QStringLiteral("deep/er/target"));
    startWorker();
    addJob(1, m_source, target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 0);
    QVERIFY(QFileInfo(target).isDir());
}

void tst_ThreadUnrar::twoJobsInOrder()
{
    const QString secondSource = m_dir->filePath(QStringLiteral("second"));
    QVERIFY(writeFile(m_source + QStringLiteral("/one.rar"), kRarMark));
    QVERIFY(writeFile(secondSource + QStringLiteral("/two.rar"), kRarMark));
    setBehaviour(QStringLiteral("two.rar"), 1);
    startWorker();
    addJob(10, m_source, m_target);
    addJob(11, secondSource, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 2, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.at(0).job.jobId, quint32(10));
    QCOMPARE(m_recorder->done.at(0).result, 0);
    QCOMPARE(m_recorder->done.at(1).job.jobId, quint32(11));
    QCOMPARE(m_recorder->done.at(1).result, 1);
    const QList<QStringList> runs = calls();
    QCOMPARE(runs.size(), 2);
    QVERIFY(runs.at(0).contains(QDir(m_source).absoluteFilePath(QStringLiteral("one.rar"))));
    QVERIFY(runs.at(1).contains(QDir(secondSource).absoluteFilePath(QStringLiteral("two.rar"))));
}

void tst_ThreadUnrar::stopMidJob()
{
    for (const char* name : {"a.rar", "b.rar"}) {
        QVERIFY(writeFile(m_source + QLatin1Char('/') + QString::fromLatin1(name), kRarMark));
        QVERIFY(writeFile(m_bin + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".sleep"), ""));
    }
    const QString source = QDir(m_source).absolutePath();
    setBehaviour(QStringLiteral("a.rar"), 0, ("Extracting from " + source + "/a.rar\n").toUtf8());
    startWorker();
    addJob(9, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(calls().size(), 1, kWorkerTimeoutMs);

    QElapsedTimer timer;
    timer.start();
    m_worker->bStop = true;
    // The stand-in would sleep 30 s: ending well before that means it was killed.
    QVERIFY(m_worker->wait(20000));
    QVERIFY(timer.elapsed() < 20000);
    // Every archive of the job is still started and killed at its first poll, which on a
    // busy machine often comes before the stand-in has written its call: only the first
    // call is certain to be recorded. The job still reports.
    QVERIFY(calls().size() >= 1 && calls().size() <= 2);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first().result, 1);
    QCOMPARE(entries(m_source), (QStringList{"a.rar", "b.rar"}));
}

void tst_ThreadUnrar::jobAddedBeforeStartIsDropped()
{
    QVERIFY(writeFile(m_source + QStringLiteral("/movie.rar"), kRarMark));
    m_worker.reset(new ThreadUnrar);
    m_worker->setProgramFolder(m_bin);
    connect(m_worker.get(), &ThreadUnrar::unrarDoneSignal, m_recorder.get(), &Recorder::onDone);
    addJob(1, m_source, m_target);
    m_worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(m_worker->isTakingJobs(), kWorkerTimeoutMs);
    addJob(2, m_source, m_target);
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QTest::qWait(400);
    QCOMPARE(m_recorder->done.size(), 1);
    QCOMPARE(m_recorder->done.first().job.jobId, quint32(2));
}

QTEST_GUILESS_MAIN(tst_ThreadUnrar)
#include "tst_ThreadUnrar.moc"

