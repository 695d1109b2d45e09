// A hostile download through extraction and then joining, in the order the post-processing
// runs them: an extraction that fails is followed by joining in the same folders. Whatever
// the archive and the split sets hold, the user's file outside stays as it was.

#include "postprocess/ThreadUnrar.h"
#include "postprocess/ThreadUnsplit.h"

#include "RarTestArchive.h"
#include "SplitSets.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

// The workers run real programs and files: on a busy machine a job can take a few seconds.
static constexpr int kWorkerTimeoutMs = 30000;

using namespace TestFiles;
using namespace SplitSets;

namespace {

// Collects the end of every job of both workers in the test's thread (they arrive queued).
class Recorder : public QObject
{
    Q_OBJECT

public:
    QList<int> unrarResults;
    QList<QPair<int, QString>> unsplitResults;

public slots:
    void onUnrarDone(UnrarJob, int result, quint32) { unrarResults.append(result); }
    void onUnsplitDone(UnsplitJob, int result, QString error) { unsplitResults.append(qMakePair(result, error)); }
};

// What a path is: its kind, link target, link count and content.
QString describe(const QString& path)
{
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("missing");
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("link to ") + QFile::symLinkTarget(path);
    return QStringLiteral("%1 name(s): %2").arg(st.st_nlink).arg(QString::fromLatin1(readFile(path)));
}

} // namespace

class tst_HostileDownload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void extractionFailsThenJoining_data();
    void extractionFailsThenJoining();
    void forgedVolumeLineDeletesNothing();

private:
    int runUnrar(const QString& password = QString());
    QPair<int, QString> runUnsplit();

    QString m_programFolder;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_download;
    QString m_destination;
    QString m_victim;
    std::unique_ptr<Recorder> m_recorder;
    std::unique_ptr<ThreadUnrar> m_unrar;
    std::unique_ptr<ThreadUnsplit> m_unsplit;
};

void tst_HostileDownload::initTestCase()
{
    qRegisterMetaType<UnrarJob>("UnrarJob");
    qRegisterMetaType<UnsplitJob>("UnsplitJob");
    m_programFolder = qEnvironmentVariable("TQ_BIN_DIR");
    QVERIFY2(QFileInfo(m_programFolder + QStringLiteral("/unrar")).isExecutable(),
             "the program's unrar is built beside the tests");
}

void tst_HostileDownload::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_download = m_dir->filePath(QStringLiteral("download"));
    m_destination = m_dir->filePath(QStringLiteral("destination"));
    m_victim = m_dir->filePath(QStringLiteral("home/movie.avi"));
    QVERIFY(writeFile(m_victim, "the user's own film"));
    QVERIFY(QDir().mkpath(m_download));

    m_recorder.reset(new Recorder);
    m_unrar.reset(new ThreadUnrar);
    m_unrar->setProgramFolder(m_programFolder);
    connect(m_unrar.get(), &ThreadUnrar::unrarDoneSignal, m_recorder.get(), &Recorder::onUnrarDone);
    m_unsplit.reset(new ThreadUnsplit);
    connect(m_unsplit.get(), &ThreadUnsplit::unsplitDoneSignal, m_recorder.get(), &Recorder::onUnsplitDone);
    m_unrar->start();
    m_unsplit->start();
    QTRY_VERIFY_WITH_TIMEOUT(m_unrar->isTakingJobs() && m_unsplit->isTakingJobs(), kWorkerTimeoutMs);
}

void tst_HostileDownload::cleanup()
{
    for (QThread* worker : {static_cast<QThread*>(m_unrar.get()), static_cast<QThread*>(m_unsplit.get())}) {
        if (!worker)
            continue;
        if (auto* unrar = qobject_cast<ThreadUnrar*>(worker))
            unrar->bStop = true;
        if (auto* unsplit = qobject_cast<ThreadUnsplit*>(worker))
            unsplit->bStop = true;
        QVERIFY(worker->wait(10000));
    }
    m_unrar.reset();
    m_unsplit.reset();
    m_recorder.reset();
    m_dir.reset();
}

int tst_HostileDownload::runUnrar(const QString& password)
{
    UnrarJob job;
    job.jobId = 1;
    job.sourceFolder = m_download;
    job.extractionFolder = m_destination;
    job.password = password;
    const int before = m_recorder->unrarResults.size();
    m_unrar->addJob(job);
    if (!QTest::qWaitFor([&] { return m_recorder->unrarResults.size() > before; }, kWorkerTimeoutMs))
        return INT_MIN;
    return m_recorder->unrarResults.last();
}

QPair<int, QString> tst_HostileDownload::runUnsplit()
{
    UnsplitJob job;
    job.jobId = 2;
    job.sourceFolder = m_download;
    job.destinationFolder = m_destination;
    const int before = m_recorder->unsplitResults.size();
    m_unsplit->addJob(job);
    if (!QTest::qWaitFor([&] { return m_recorder->unsplitResults.size() > before; }, kWorkerTimeoutMs))
        return qMakePair(INT_MIN, QString());
    return m_recorder->unsplitResults.last();
}

void tst_HostileDownload::extractionFailsThenJoining_data()
{
    QTest::addColumn<bool>("xtrem");
    QTest::addColumn<bool>("linkAlreadyThere");

    QTest::newRow(".001 set, link from the archive") << false << false;
    QTest::newRow("XtremSplit set, link from the archive") << true << false;
    // As if an older extractor, or an earlier download, had left the link behind.
    QTest::newRow(".001 set, link already in the destination") << false << true;
    QTest::newRow("XtremSplit set, link already in the destination") << true << true;
}

void tst_HostileDownload::extractionFailsThenJoining()
{
    QFETCH(bool, xtrem);
    QFETCH(bool, linkAlreadyThere);

    // The archive plants movie.avi as a link to the user's file, then fails on a damaged
    // entry; the posted split set names movie.avi.
    const QByteArray victim = QFile::encodeName(m_victim);
    RarTestArchive::Entry damaged;
    damaged.name = "sample.bin";
    damaged.data = "short";
    damaged.unpackedSize = 5000;
    QVERIFY(RarTestArchive(RarTestArchive::Format::Rar5)
                .link(RarTestArchive::Kind::Symlink, "movie.avi", victim)
                .link(RarTestArchive::Kind::Symlink, "film.avi", "../home/movie.avi")
                .add(damaged)
                .write(m_download + QStringLiteral("/release.rar")));
    const QByteArray joined = patternBytes(2500, 3);
    if (xtrem)
        QVERIFY(!writeXtremSet(m_download, QStringLiteral("movie"), joined, 1000, XtremHeader{"movie.avi"}).isEmpty());
    else
        QVERIFY(!writePlainSet(m_download, QStringLiteral("movie.avi"), joined, 1000).isEmpty());
    if (linkAlreadyThere) {
        QVERIFY(QDir().mkpath(m_destination));
        QVERIFY(QFile::link(m_victim, m_destination + QStringLiteral("/movie.avi")));
    }
    const QString victimBefore = describe(m_victim);

    // Extraction fails, so joining follows in the same folders.
    QCOMPARE(runUnrar(), 3);
    QVERIFY(QFileInfo::exists(m_download + QStringLiteral("/release.rar")));
    const QPair<int, QString> unsplit = runUnsplit();

    QCOMPARE(describe(m_victim), victimBefore);
    QCOMPARE(entries(m_dir->filePath(QStringLiteral("home"))), QStringList{"movie.avi"});
    QCOMPARE(describe(m_destination + QStringLiteral("/film.avi")), QStringLiteral("missing"));
    if (linkAlreadyThere) {
        // The joiner never writes through the link: the joined film takes a name of its own.
        QCOMPARE(unsplit.first, int(ThreadUnsplit::Joined));
        QCOMPARE(describe(m_destination + QStringLiteral("/movie.avi")), QStringLiteral("link to ") + m_victim);
        QCOMPARE(readFile(m_destination + QStringLiteral("/movie (1).avi")), joined);
        QVERIFY(!QFileInfo(m_destination + QStringLiteral("/movie (1).avi")).isSymLink());
    } else {
        // The archive's link was never made: the joined film is a file of its own.
        QCOMPARE(unsplit.first, int(ThreadUnsplit::Joined));
        QCOMPARE(readFile(m_destination + QStringLiteral("/movie.avi")), joined);
        QVERIFY(!QFileInfo(m_destination + QStringLiteral("/movie.avi")).isSymLink());
    }
}

void tst_HostileDownload::forgedVolumeLineDeletesNothing()
{
    // Entry names that print as "Extracting from" lines naming other files of the download.
    const QString download = QDir(m_download).absolutePath();
    const QByteArray forged = "x\nExtracting from " + QFile::encodeName(download);
    QVERIFY(RarTestArchive(RarTestArchive::Format::Rar5)
                .file(forged + "/movie.par2", "one")
                .file(forged + "/movie.vol00+01.par2\n", "two")
                .file("Extracting from " + QFile::encodeName(download) + "/sample.mkv", "three")
                .write(m_download + QStringLiteral("/movie.part1.rar")));
    for (const char* name : {"movie.par2", "movie.vol00+01.par2", "sample.mkv"})
        QVERIFY(writeFile(m_download + QLatin1Char('/') + QString::fromLatin1(name), "keep me"));

    QCOMPARE(runUnrar(), 0);
    // Only the archive's own volume went.
    QCOMPARE(entries(m_download), (QStringList{"movie.par2", "movie.vol00+01.par2", "sample.mkv"}));
}

QTEST_GUILESS_MAIN(tst_HostileDownload)
#include "tst_HostileDownload.moc"
