#include "config/AppConfiguration.h"
#include "config/NzbConfiguration.h"
#include "model/NntpServer.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "platform/SingleInstance.h"

#include "NntpTestArticle.h"
#include "NntpTestServer.h"
#include "../support/LeftIdentity.h"
#include "../support/ProgramHomeFiles.h"
#include "../support/ProgramRunner.h"

#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

QByteArray nzbDocument(const QString &subject)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n"
           "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;" + subject.toUtf8() + ".bin&quot; yEnc (1/1)\">\n"
           "<groups><group>alt.binaries.test</group></groups>\n<segments>\n"
           "<segment bytes=\"1000\" number=\"1\">" + subject.toUtf8() + ".1@test</segment>\n"
           "</segments>\n</file>\n</nzb>\n";
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString programPath()
{
    return QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tessaquill"));
}

} // namespace

// The program itself, started as a user starts it: offscreen, in a temporary home of its own.
class tst_ProgramRun : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void laterStartHandsItsFilesOver();
    void terminationEndsInOrderAndTheNextStartResumes();
    void everyEndRequestEndsInOrder_data();
    void everyEndRequestEndsInOrder();
    void killedProgramLeavesItsPlaceToTheNext();
    void leftOrPlantedLocksDoNotStopTheStart_data();
    void leftOrPlantedLocksDoNotStopTheStart();
    void refusedHandOverIsReported();
    void terminationWithAStartUpBoxOpenEndsInOrder();
    void handOverDuringTheExitIsNotLost();
    void brokenConfigurationIsReportedAndDeletesNothing();
    void terminationDuringADownloadKeepsItsProgress();

private:
    struct Result {
        int exitCode = -1;
        QString errors;
    };

    QProcessEnvironment environment() const;
    QProcess *startProgram(const QStringList &arguments = {});
    Result runLaterStart(const QStringList &arguments, const QString &folder);
    bool waitUntilReady(QProcess *program);
    Result terminate(QProcess *program, int signalNumber = SIGTERM);
    QStringList recordFiles() const;
    QList<QString> savedQueueNames() const;
    QString logText() const;
    QString identityKey() const;
    QString runtimeFolder() const { return home->path() + QStringLiteral("/runtime"); }
    QString lockPath() const { return runtimeFolder() + QLatin1Char('/') + identityKey() + QStringLiteral(".lock"); }
    QString socketPath() const { return runtimeFolder() + QLatin1Char('/') + identityKey(); }
    void configure(bool autoDownloadNzb, const QList<NntpServer *> &servers = {});
    int segmentFileCount() const;

    std::unique_ptr<QTemporaryDir> home;
    QList<QProcess *> programs;
};

void tst_ProgramRun::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    QVERIFY(QDir().mkdir(runtimeFolder()));
    QVERIFY(QFile::setPermissions(runtimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QFileInfo::exists(programPath()));
}

void tst_ProgramRun::cleanup()
{
    for (QProcess *program : qAsConst(programs)) {
        if (program->state() != QProcess::NotRunning) {
            program->kill();
            program->waitForFinished(10000);
        }
        delete program;
    }
    programs.clear();
    home.reset();
}

QProcessEnvironment tst_ProgramRun::environment() const
{
    return ProgramRunner(home->path()).environment();
}

QProcess *tst_ProgramRun::startProgram(const QStringList &arguments)
{
    auto *program = new QProcess;
    programs.append(program);
    program->setProcessEnvironment(environment());
    program->setWorkingDirectory(home->path());
    program->start(programPath(), arguments);
    return program->waitForStarted(10000) ? program : nullptr;
}

tst_ProgramRun::Result tst_ProgramRun::runLaterStart(const QStringList &arguments, const QString &folder)
{
    QProcess start;
    start.setProcessEnvironment(environment());
    start.setWorkingDirectory(folder);
    start.start(programPath(), arguments);
    Result result;
    if (!start.waitForStarted(10000))
        return result;
    if (!start.waitForFinished(60000)) {
        start.kill();
        start.waitForFinished();
        return result;
    }
    result.exitCode = start.exitStatus() == QProcess::NormalExit ? start.exitCode() : -1;
    result.errors = QString::fromUtf8(start.readAllStandardError());
    return result;
}

// Ready once a later start's message has been acknowledged: the event loop runs.
bool tst_ProgramRun::waitUntilReady(QProcess *program)
{
    // First the program must hold its identity, or the later start would take it.
    QFile lock(lockPath());
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        if (lock.open(QIODevice::ReadOnly)) {
            const qint64 holder = lock.readLine().trimmed().toLongLong();
            lock.close();
            if (holder == program->processId())
                break;
        }
        if (program->state() != QProcess::Running || elapsed.elapsed() > 30000)
            return false;
        QTest::qWait(20);
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (program->state() != QProcess::Running || program->waitForFinished(0)) {
            qWarning() << "The program ended before it was ready, exit code" << program->exitCode()
                       << program->readAllStandardError();
            return false;
        }
        if (runLaterStart({QStringLiteral("ready.txt")}, home->path()).exitCode == 0)
            return true;
    }
    return false;
}

tst_ProgramRun::Result tst_ProgramRun::terminate(QProcess *program, int signalNumber)
{
    Result result;
    ::kill(pid_t(program->processId()), signalNumber);
    if (!program->waitForFinished(60000))
        return result;
    result.exitCode = program->exitStatus() == QProcess::NormalExit ? program->exitCode() : -1;
    result.errors = QString::fromUtf8(program->readAllStandardError());
    return result;
}

// The records and their backups in place, without the files a record is being written to.
QStringList tst_ProgramRun::recordFiles() const
{
    QStringList names = QDir(home->path() + QStringLiteral("/Tessaquill_Plus/Nzb")).entryList(QDir::Files, QDir::Name);
    const QRegularExpression recordOrBackup(QStringLiteral("^Nzb_\\d+(%1)?$")
                                                .arg(QRegularExpression::escape(NzbConfiguration::backupSuffix())));
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&recordOrBackup](const QString &name) { return !recordOrBackup.match(name).hasMatch(); }),
                names.end());
    return names;
}

// The saved queue as the next start would read it now. The reading tidies the folder it reads
// (it removes what is no record, such as the file a record is being written to before it takes
// its place), so a copy is read: the running program's folder is left alone.
QList<QString> tst_ProgramRun::savedQueueNames() const
{
    QTemporaryDir copy;
    const QString source = home->path() + QStringLiteral("/Tessaquill_Plus/Nzb");
    const QString target = copy.path() + QStringLiteral("/Tessaquill_Plus/Nzb");
    QDir().mkpath(target);
    for (const QString &name : recordFiles())
        QFile::copy(source + QLatin1Char('/') + name, target + QLatin1Char('/') + name);
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(copy.path()));
    NzbConfiguration queue;
    queue.loadNzbs();
    QList<QString> names;
    for (NzbFiles *nzb : qAsConst(queue.listNzbFiles))
        names.append(nzb->strName);
    qDeleteAll(queue.listNzbFiles);
    qputenv("HOME", previous);
    return names;
}

QString tst_ProgramRun::identityKey() const
{
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home->path()));
    const QString key = SingleInstance::defaultKey();
    qputenv("HOME", previous);
    return key;
}

QString tst_ProgramRun::logText() const
{
    return logTextIn(home->path());
}

// A configuration file that queues NZB files without asking where to, and the server records.
void tst_ProgramRun::configure(bool autoDownloadNzb, const QList<NntpServer *> &servers)
{
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home->path()));
    AppConfiguration config;
    config.loadConfiguration();
    config.autoDownloadNzb = autoDownloadNzb;
    config.cacheFolder = AppConfiguration::defaultCacheFolder();
    config.downloadFolder = AppConfiguration::defaultDownloadFolder();
    config.destinationFolder = AppConfiguration::defaultDestinationFolder();
    QVERIFY(config.saveConfiguration());
    config.serversConfiguration.listServers = servers;
    QVERIFY(config.serversConfiguration.saveServers());
    qputenv("HOME", previous);
}

int tst_ProgramRun::segmentFileCount() const
{
    return wholeSegmentFileCount(home->path());
}

// A later start in another folder hands over its files, relative paths and non-ASCII names
// included, and ends with 0; the running program queues the NZB files and logs the rest under
// the path the later start meant.
void tst_ProgramRun::laterStartHandsItsFilesOver()
{
    configure(true);
    QProcess *program = startProgram();
    QVERIFY(program);
    QVERIFY2(waitUntilReady(program), qPrintable(QString::fromUtf8(program->readAllStandardError())));
    QVERIFY2(logText().contains(QStringLiteral("Cannot load %1/ready.txt: bad suffix").arg(home->path())),
             qPrintable(logText()));

    const QString elsewhere = home->path() + QStringLiteral("/elsewhere");
    QVERIFY(writeFile(elsewhere + QStringLiteral("/sub/Été à l'eau.nzb"), nzbDocument(QStringLiteral("ete"))));
    QVERIFY(writeFile(home->path() + QStringLiteral("/absolute/日本.NZB"), nzbDocument(QStringLiteral("nihon"))));
    const Result later = runLaterStart({QStringLiteral("sub/Été à l'eau.nzb"),
                                        home->path() + QStringLiteral("/absolute/日本.NZB"),
                                        QStringLiteral("notes.txt")},
                                       elsewhere);
    QCOMPARE(later.exitCode, 0);
    QVERIFY2(!later.errors.contains(QStringLiteral("Tessaquill+:")), qPrintable(later.errors));
    QTRY_COMPARE_WITH_TIMEOUT(recordFiles().size(), 4, 20000);
    QCOMPARE(savedQueueNames(), (QList<QString>{QStringLiteral("Été à l'eau"), QStringLiteral("日本")}));
    QTRY_VERIFY_WITH_TIMEOUT(logText().contains(QStringLiteral("Cannot load %1/notes.txt: bad suffix").arg(elsewhere)),
                             20000);
    QCOMPARE(terminate(program).exitCode, 0);
}

// SIGTERM runs the orderly exit without the question: the queue records, the window layout are
// saved and every thread is ended; the next start takes the queue back.
void tst_ProgramRun::terminationEndsInOrderAndTheNextStartResumes()
{
    configure(true);
    QVERIFY(writeFile(home->path() + QStringLiteral("/one.nzb"), nzbDocument(QStringLiteral("one"))));
    QVERIFY(writeFile(home->path() + QStringLiteral("/two.nzb"), nzbDocument(QStringLiteral("two"))));
    QProcess *first = startProgram({QStringLiteral("one.nzb"), home->path() + QStringLiteral("/two.nzb")});
    QVERIFY(first);
    QVERIFY(waitUntilReady(first));
    // Written in the background.
    QTRY_COMPARE(recordFiles().size(), 4);
    const Result ended = terminate(first);
    QCOMPARE(ended.exitCode, 0);
    QVERIFY2(!ended.errors.contains(QStringLiteral("QThread")), qPrintable(ended.errors));
    QCOMPARE(savedQueueNames(), (QList<QString>{QStringLiteral("one"), QStringLiteral("two")}));
    const QSettings settings(home->path() + QStringLiteral("/.config/Ostrel/Tessaquill_Plus.conf"), QSettings::IniFormat);
    for (const char *key : {"mainWindowGeometry", "mainWindowState", "splitterLeftServers", "splitterRightDownload",
                            "splitterMiddleDownload"})
        QVERIFY2(settings.contains(QLatin1String(key)), key);

    // The next start restores the queue and writes it back at its own exit.
    const QDateTime before = QFileInfo(home->path() + QStringLiteral("/Tessaquill_Plus/Nzb/Nzb_0")).lastModified();
    QTest::qWait(1100);
    QProcess *second = startProgram();
    QVERIFY(second);
    QVERIFY(waitUntilReady(second));
    QCOMPARE(terminate(second).exitCode, 0);
    QCOMPARE(savedQueueNames(), (QList<QString>{QStringLiteral("one"), QStringLiteral("two")}));
    QVERIFY(QFileInfo(home->path() + QStringLiteral("/Tessaquill_Plus/Nzb/Nzb_0")).lastModified() > before);
}

// The session's end (SIGTERM), a closed terminal (SIGHUP) and Ctrl+C (SIGINT) all end in order.
void tst_ProgramRun::everyEndRequestEndsInOrder_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void tst_ProgramRun::everyEndRequestEndsInOrder()
{
    QFETCH(int, signalNumber);
    configure(true);
    QProcess *program = startProgram();
    QVERIFY(program);
    QVERIFY(waitUntilReady(program));
    const Result ended = terminate(program, signalNumber);
    QCOMPARE(ended.exitCode, 0);
    const QSettings settings(home->path() + QStringLiteral("/.config/Ostrel/Tessaquill_Plus.conf"), QSettings::IniFormat);
    QVERIFY(settings.contains(QStringLiteral("mainWindowGeometry")));
}

void tst_ProgramRun::killedProgramLeavesItsPlaceToTheNext()
{
    configure(true);
    QProcess *first = startProgram();
    QVERIFY(first);
    QVERIFY(waitUntilReady(first));
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(10000));

    QProcess *second = startProgram();
    QVERIFY(second);
    QVERIFY2(waitUntilReady(second), "the start after a killed program did not take its place");
    QVERIFY(writeFile(home->path() + QStringLiteral("/late.nzb"), nzbDocument(QStringLiteral("late"))));
    QCOMPARE(runLaterStart({QStringLiteral("late.nzb")}, home->path()).exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(savedQueueNames(), QList<QString>{QStringLiteral("late")}, 20000);
    QCOMPARE(terminate(second).exitCode, 0);
}

// A live program holds the identity but takes nothing: the later start says so and fails.
void tst_ProgramRun::refusedHandOverIsReported()
{
    QLockFile lock(lockPath());
    QVERIFY(lock.tryLock(0));
    const Result later = runLaterStart({QStringLiteral("lost.nzb")}, home->path());
    QCOMPARE(later.exitCode, 1);
    QVERIFY2(later.errors.contains(home->path() + QStringLiteral("/lost.nzb")), qPrintable(later.errors));
    QVERIFY2(later.errors.contains(QStringLiteral("does not answer")), qPrintable(later.errors));
    // Nothing of the data folder was touched.
    QVERIFY(!QFileInfo::exists(home->path() + QStringLiteral("/Tessaquill_Plus")));
}

// A configuration that cannot be read is said on the error output (and in a message box), and
// nothing that an empty queue would let go is removed: not the Cache's segment folders.
void tst_ProgramRun::brokenConfigurationIsReportedAndDeletesNothing()
{
    const QString data = home->path() + QStringLiteral("/Tessaquill_Plus");
    QVERIFY(writeFile(data + QStringLiteral("/Tessaquill_Plus.cfg"), "<Configuration><Auto>"));
    QVERIFY(writeFile(data + QStringLiteral("/Cache/0-1/1.tmp"), "segment"));
    QProcess *program = startProgram();
    QVERIFY(program);
    QVERIFY(waitUntilReady(program));
    const Result ended = terminate(program);
    QCOMPARE(ended.exitCode, 0);
    QVERIFY2(ended.errors.contains(QStringLiteral("Failed to open configuration file Tessaquill_Plus.cfg")),
             qPrintable(ended.errors));
    QVERIFY(QFileInfo::exists(data + QStringLiteral("/Cache/0-1/1.tmp")));
}

namespace {

// How many sockets the kernel lists as bound in a folder: the program's listening one, and one per
// connection to it that the program has not taken yet. (The kernel keeps the path a socket was
// bound to, in a folder of its own beside the final name.)
int socketsBoundIn(const QString &folder)
{
    QFile table(QStringLiteral("/proc/net/unix"));
    if (!table.open(QIODevice::ReadOnly))
        return 0;
    int count = 0;
    const QByteArray prefix = ' ' + QFile::encodeName(folder) + '/';
    for (const QByteArray &line : table.readAll().split('\n')) {
        if (line.contains(prefix))
            ++count;
    }
    return count;
}

// The message ids of the BODY commands a news server received, in order.
QStringList bodyRequests(const NntpTestServer &news)
{
    QStringList ids;
    for (const QString &command : news.commands()) {
        if (command.startsWith(QLatin1String("BODY <")))
            ids.append(command.mid(6).chopped(1));
    }
    return ids;
}

} // namespace

// SIGTERM in the middle of a download: the queue record holds every segment that had arrived,
// the server's byte count is on disk, and the next start (the server saved as started) fetches
// only what was missing.
void tst_ProgramRun::terminationDuringADownloadKeepsItsProgress()
{
    NntpTestServer news;
    NntpTestServer::ConnectionFaults slow;
    slow.throttleBytesPerSecond = 200000;
    news.setDefaultConnectionFaults(slow);
    QVERIFY2(news.start(), qPrintable(news.errorString()));
    auto *server = new NntpServer;
    server->iId = 1;
    server->strHost = QStringLiteral("127.0.0.1");
    server->iPort = news.port();
    server->strNickname = QStringLiteral("test");
    server->iConnectionCount = 2;
    server->bStarted = true;
    configure(true, {server});

    const int segments = 24;
    QStringList ids;
    QByteArray xml = "<?xml version=\"1.0\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n"
                     "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;big.bin&quot; yEnc (1/24)\">\n"
                     "<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
    for (int i = 1; i <= segments; ++i) {
        ids.append(NntpTestArticle::generatedId(60000, quint32(i)));
        xml += "<segment bytes=\"60000\" number=\"" + QByteArray::number(i) + "\">" + ids.last().toUtf8()
               + "</segment>\n";
    }
    xml += "</segments>\n</file>\n</nzb>\n";
    QVERIFY(writeFile(home->path() + QStringLiteral("/big.nzb"), xml));

    QProcess *first = startProgram({QStringLiteral("big.nzb")});
    QVERIFY(first);
    QVERIFY(waitUntilReady(first));
    // A segment file has content once its article has arrived whole (it is made empty before).
    QTRY_VERIFY_WITH_TIMEOUT(segmentFileCount() >= 5, 60000);
    const int arrived = segmentFileCount();
    const Result ended = terminate(first);
    QCOMPARE(ended.exitCode, 0);
    QVERIFY2(!ended.errors.contains(QStringLiteral("QThread")), qPrintable(ended.errors));

    // The record: every segment whose file is there is marked downloaded.
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home->path()));
    NzbConfiguration queue;
    queue.loadNzbs();
    qputenv("HOME", previous);
    QCOMPARE(queue.listNzbFiles.size(), 1);
    QSet<QString> downloaded;
    for (NzbFile *file : queue.listNzbFiles.first()->getFiles()) {
        for (NzbSegment *segment : file->getSegments()) {
            if (segment->bDownloaded)
                downloaded.insert(segment->getMessageId());
            else
                QVERIFY2(QFileInfo(segment->getTempFilePath()).size() <= 0, qPrintable(segment->getTempFilePath()));
        }
    }
    qDeleteAll(queue.listNzbFiles);
    QVERIFY2(downloaded.size() >= arrived && downloaded.size() < segments, qPrintable(QString::number(downloaded.size())));
    QFile histo(home->path() + QStringLiteral("/Tessaquill_Plus/Servers/Histo/Server_1"));
    QVERIFY(histo.open(QIODevice::ReadOnly));
    QDataStream stream(&histo);
    stream.setVersion(12);
    quint64 bytes = 0;
    stream >> bytes;
    QVERIFY2(bytes >= quint64(downloaded.size()) * 60000, qPrintable(QString::number(bytes)));

    // The next start takes the rest, and nothing twice.
    news.clearEvents();
    QProcess *second = startProgram();
    QVERIFY(second);
    QVERIFY(waitUntilReady(second));
    QTRY_VERIFY_WITH_TIMEOUT(bodyRequests(news).size() >= segments - downloaded.size(), 60000);
    const QStringList again = bodyRequests(news);
    for (const QString &id : again)
        QVERIFY2(!downloaded.contains(id), qPrintable(id));
    QCOMPARE(terminate(second).exitCode, 0);
}

// A lock in the shared temporary folder where the identity used to live (made there first by
// another user), and a lock of a live process behind which only a socket file left behind lies:
// the program starts all the same, and a later start hands its files over as before.
void tst_ProgramRun::leftOrPlantedLocksDoNotStopTheStart_data()
{
    QTest::addColumn<bool>("planted");
    QTest::newRow("planted in the shared temporary folder by another user") << true;
    QTest::newRow("of a live process, with a stale socket") << false;
}

void tst_ProgramRun::leftOrPlantedLocksDoNotStopTheStart()
{
    QFETCH(bool, planted);
    configure(true);
    // A live process whose name matches the lock, so that the lock file alone looks held.
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("300")});
    QVERIFY(sleeper.waitForStarted(10000));
    const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
    const QString shared = QDir::temp().filePath(identityKey() + QStringLiteral(".lock"));
    const auto cleanUp = qScopeGuard([&] {
        if (planted)
            QFile::remove(shared);
        sleeper.kill();
        sleeper.waitForFinished(5000);
    });
    if (planted) {
        QVERIFY(LeftIdentity::writeLock(shared, sleeper.processId(), sleep));
        QVERIFY(::chown(QFile::encodeName(shared).constData(), 65534, 65534) == 0);
    } else {
        QVERIFY(LeftIdentity::writeLock(lockPath(), sleeper.processId(), sleep));
        QVERIFY(LeftIdentity::leaveStaleSocket(socketPath()));
    }
    QProcess *program = startProgram();
    QVERIFY(program);
    QVERIFY2(waitUntilReady(program), qPrintable(QString::fromUtf8(program->readAllStandardError())));
    QVERIFY(writeFile(home->path() + QStringLiteral("/after.nzb"), nzbDocument(QStringLiteral("after"))));
    QCOMPARE(runLaterStart({QStringLiteral("after.nzb")}, home->path()).exitCode, 0);
    QTRY_COMPARE_WITH_TIMEOUT(savedQueueNames(), QList<QString>{QStringLiteral("after")}, 20000);
    QCOMPARE(terminate(program).exitCode, 0);
    if (planted)
        QVERIFY(QFileInfo::exists(shared));
}

// SIGTERM while a message box of the start is open (an NZB of the command line that cannot be
// read) ends the program in order: the queue and the layout are saved, the exit code is 0. The
// next start, with an NZB, runs itself and queues it.
void tst_ProgramRun::terminationWithAStartUpBoxOpenEndsInOrder()
{
    configure(true);
    QVERIFY(writeFile(home->path() + QStringLiteral("/good.nzb"), nzbDocument(QStringLiteral("good"))));
    QVERIFY(writeFile(home->path() + QStringLiteral("/bad.nzb"), "this is no NZB file"));
    QProcess *first = startProgram({QStringLiteral("good.nzb"), QStringLiteral("bad.nzb")});
    QVERIFY(first);
    QTRY_VERIFY_WITH_TIMEOUT(logText().contains(QStringLiteral("Error while importing NZB file")), 30000);
    const Result ended = terminate(first);
    QCOMPARE(ended.exitCode, 0);
    QVERIFY2(!ended.errors.contains(QStringLiteral("QThread")), qPrintable(ended.errors));
    QCOMPARE(savedQueueNames(), QList<QString>{QStringLiteral("good")});
    const QSettings settings(home->path() + QStringLiteral("/.config/Ostrel/Tessaquill_Plus.conf"), QSettings::IniFormat);
    QVERIFY(settings.contains(QStringLiteral("mainWindowGeometry")));

    QVERIFY(writeFile(home->path() + QStringLiteral("/late.nzb"), nzbDocument(QStringLiteral("late"))));
    QProcess *second = startProgram({QStringLiteral("late.nzb")});
    QVERIFY(second);
    QVERIFY(waitUntilReady(second));
    // The new NZB's record is written in the background.
    QTRY_COMPARE_WITH_TIMEOUT(savedQueueNames(), (QList<QString>{QStringLiteral("good"), QStringLiteral("late")}),
                              20000);
    QCOMPARE(terminate(second).exitCode, 0);
}

// A later start's NZB reaches the program just as it is told to end (frozen, the program has
// the NZB waiting and the end request together): either the program takes it before it ends and
// saves it, or the later start runs in its place once it has ended and queues it. It is never
// lost.
void tst_ProgramRun::handOverDuringTheExitIsNotLost()
{
    configure(true);
    QProcess *first = startProgram();
    QVERIFY(first);
    QVERIFY(waitUntilReady(first));
    const pid_t firstPid = pid_t(first->processId());
    QVERIFY(::kill(firstPid, SIGSTOP) == 0);
    QVERIFY(writeFile(home->path() + QStringLiteral("/late.nzb"), nzbDocument(QStringLiteral("late"))));
    const int listening = socketsBoundIn(runtimeFolder());
    QVERIFY(listening >= 1);
    QProcess *later = startProgram({QStringLiteral("late.nzb")});
    QVERIFY(later);
    // The later start has connected twice: once to see that the program answers, once with the NZB.
    QTRY_VERIFY_WITH_TIMEOUT(socketsBoundIn(runtimeFolder()) >= listening + 2 || later->state() == QProcess::NotRunning,
                             30000);
    QVERIFY(later->state() != QProcess::NotRunning);
    ::kill(firstPid, SIGTERM);
    QVERIFY(::kill(firstPid, SIGCONT) == 0);
    QCOMPARE(terminate(first).exitCode, 0);

    if (later->state() == QProcess::NotRunning || later->waitForFinished(3000)) {
        QCOMPARE(later->exitStatus(), QProcess::NormalExit);
        QVERIFY2(later->exitCode() == 0, qPrintable(QString::fromUtf8(later->readAllStandardError())));
    } else {
        QVERIFY2(waitUntilReady(later), qPrintable(QString::fromUtf8(later->readAllStandardError())));
        QCOMPARE(terminate(later).exitCode, 0);
    }
    QCOMPARE(savedQueueNames(), QList<QString>{QStringLiteral("late")});
}

QTEST_GUILESS_MAIN(tst_ProgramRun)
#include "tst_ProgramRun.moc"
