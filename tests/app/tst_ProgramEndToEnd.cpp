// The whole program as a user meets it: the real executable under xvfb-run (a real X server) in
// a temporary home, a news server (INN 2 on 127.0.0.1, started by tests/engine/inn2-server.sh)
// configured as its one server, and a set posted there by the real poster (nyuu): started with
// the NZB as argument and the end-of-queue action "close", the program downloads, verifies,
// extracts and moves the set, and ends by itself. Also: a second start during the run hands its
// NZB over, and a program killed in the middle of the download takes it up again at the next
// start without fetching anything twice but what was in flight.
//
// The program reaches INN 2 through a relay of this test, which slows the articles down (so that
// a second start or a kill falls in the middle of the download) and notes every article asked
// for: INN 2 writes its reader log only to syslog, which a test machine may not have.
#include "config/AppConfiguration.h"
#include "model/NntpServer.h"
#include "../support/LoopbackTestHelpers.h"
#include "../support/ProgramHomeFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

const QString kGroup = QStringLiteral("alt.binaries.test");
const QString kRarSet = QStringLiteral(TQ_TEST_DATA "/rar/libarchive/test_rar_multivolume_single_file.part%1.rar");
// What the volumes hold: its size and the start of its SHA-256 (tests/data/rar/MANIFEST.txt).
const QString kRarContent = QStringLiteral("LibarchiveAddingTest.html");
const qint64 kRarContentSize = 20111;
const QByteArray kRarContentSha256Start = "ee16390e87152d7d";

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// A relay in front of the news server: what the server sends goes on at a set rate, and the
// articles each connection asks for are noted in order.
class NewsRelay : public QObject
{
public:
    explicit NewsRelay(quint16 upstreamPort) : upstream(upstreamPort)
    {
        connect(&listener, &QTcpServer::newConnection, this, &NewsRelay::accept);
        connect(&pacer, &QTimer::timeout, this, &NewsRelay::pace);
        pacer.start(kPaceMs);
    }

    bool listen() { return listener.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return listener.serverPort(); }
    void setBytesPerSecond(qint64 rate) { bytesPerSecond = rate; }

    // Every article asked for (BODY or ARTICLE), in order, over all connections.
    QStringList requested() const { return requests; }
    // The last article each open connection asked for: at most one each, as the client does
    // not pipeline.
    QStringList lastRequestOfEachConnection() const
    {
        QStringList ids;
        for (const Link *link : links) {
            if (!link->lastRequest.isEmpty())
                ids << link->lastRequest;
        }
        return ids;
    }
    int connectionCount() const { return links.size(); }
    void clear() { requests.clear(); }

private:
    static constexpr int kPaceMs = 20;

    struct Link
    {
        QTcpSocket *client = nullptr;
        QTcpSocket *server = nullptr;
        QByteArray toClient;
        QByteArray commandLine;
        QString lastRequest;
    };

    QTcpServer listener;
    QTimer pacer;
    quint16 upstream;
    qint64 bytesPerSecond = 0;
    QList<Link *> links;
    QStringList requests;

    void accept()
    {
        while (QTcpSocket *client = listener.nextPendingConnection()) {
            auto *link = new Link;
            link->client = client;
            link->server = new QTcpSocket(this);
            links.append(link);
            connect(client, &QTcpSocket::readyRead, this, [this, link] { fromClient(link); });
            connect(link->server, &QTcpSocket::readyRead, this,
                    [link] { link->toClient += link->server->readAll(); });
            connect(client, &QTcpSocket::disconnected, this, [this, link] { drop(link); });
            connect(link->server, &QTcpSocket::disconnected, this, [this, link] {
                sendOn(link, link->toClient.size());
                drop(link);
            });
            link->server->connectToHost(QHostAddress::LocalHost, upstream);
        }
    }

    void fromClient(Link *link)
    {
        const QByteArray bytes = link->client->readAll();
        link->commandLine += bytes;
        int end;
        while ((end = link->commandLine.indexOf('\n')) >= 0) {
            const QString line = QString::fromLatin1(link->commandLine.left(end)).trimmed();
            link->commandLine.remove(0, end + 1);
            static const QRegularExpression request(QStringLiteral("^(?:BODY|ARTICLE) <([^>]+)>"),
                                                   QRegularExpression::CaseInsensitiveOption);
            const QRegularExpressionMatch match = request.match(line);
            if (match.hasMatch()) {
                link->lastRequest = match.captured(1);
                requests << link->lastRequest;
            }
        }
        link->server->write(bytes);
    }

    void sendOn(Link *link, qint64 count)
    {
        if (count <= 0 || link->toClient.isEmpty() || link->client->state() != QAbstractSocket::ConnectedState)
            return;
        const qint64 sent = link->client->write(link->toClient.constData(), qMin(count, qint64(link->toClient.size())));
        if (sent > 0)
            link->toClient.remove(0, int(sent));
    }

    void pace()
    {
        const qint64 share = bytesPerSecond > 0 ? qMax<qint64>(1, bytesPerSecond * kPaceMs / 1000) : (qint64(1) << 30);
        for (Link *link : qAsConst(links)) {
            if (link->client->bytesToWrite() < share)
                sendOn(link, share);
        }
    }

    void drop(Link *link)
    {
        if (!links.removeOne(link))
            return;
        for (QTcpSocket *socket : {link->client, link->server}) {
            socket->disconnect(this);
            socket->abort();
            socket->deleteLater();
        }
        delete link;
    }
};

} // namespace

class tst_ProgramEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void downloadsVerifiesExtractsMovesAndCloses();
    void killedDownloadGoesOnAtTheNextStart();

private:
    struct PostedSet
    {
        QString nzbPath;
        QString name;
        QHash<QString, QByteArray> sums; // file name -> SHA-256 of the original, for plain files
        bool withRar = false;
    };

    bool post(const QString &folder, const QString &nzbPath, QString &error);
    PostedSet makeAndPost(const QString &name, int size, quint32 seed, bool withRar);

    QProcessEnvironment environment() const;
    void configure(int connections);
    QProcess *startProgram(const QStringList &arguments);
    qint64 programPid(QProcess *wrapper) const;
    bool waitForEnd(QProcess *program, int timeoutMs);
    QString logText() const;
    int segmentFileCount() const;
    QString destinationOf(const PostedSet &set) const;
    void verifyDestination(const PostedSet &set);
    void verifyHistoryAndLog(const PostedSet &set);

    std::unique_ptr<QTemporaryDir> base;
    QString serverDir;
    bool serverStarted = false;
    quint16 plainPort = 0;
    PostedSet main;
    PostedSet second;

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<NewsRelay> relay;
    QList<QProcess *> programs;
};

void tst_ProgramEndToEnd::initTestCase()
{
    const QString nyuu = QStringLiteral(TQ_NYUU);
    QVERIFY2(QFileInfo(nyuu).isExecutable(),
             qPrintable(QStringLiteral("the poster nyuu is not installed at %1: run scripts/install-nyuu.sh").arg(nyuu)));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty(),
             "xvfb-run is not installed (scripts/install-deps.sh installs it)");
    QVERIFY(QFileInfo::exists(QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tessaquill"))));

    // The server runs as user news, which must reach its folder.
    base = newsReachableTemporaryDir(QStringLiteral("tq-program"));
    QVERIFY(base);
    serverDir = base->filePath(QStringLiteral("inn"));
    const QList<quint16> ports = freePorts(4);
    QCOMPARE(ports.size(), 4);
    plainPort = ports.at(1);
    serverStarted = true; // stop whatever part of it did start
    QString error;
    QVERIFY2(run(QStringLiteral(TQ_INN2_SCRIPT),
                 {QStringLiteral("start"), serverDir, QString::number(ports.at(0)), QString::number(plainPort),
                  QString::number(ports.at(2)), QString::number(ports.at(3)), QStringLiteral("reader"),
                  QStringLiteral("s3cret")},
                 base->path(), 120000, error),
             qPrintable(QStringLiteral("INN 2 could not be started: ") + error));

    main = makeAndPost(QStringLiteral("Holiday set"), 3000000, 7, true);
    QVERIFY(!main.nzbPath.isEmpty());
    second = makeAndPost(QStringLiteral("Second set"), 1500000, 70, false);
    QVERIFY(!second.nzbPath.isEmpty());
}

void tst_ProgramEndToEnd::cleanupTestCase()
{
    if (!serverStarted)
        return;
    QString error;
    run(QStringLiteral(TQ_INN2_SCRIPT), {QStringLiteral("stop"), serverDir}, base->path(), 60000, error);
}

void tst_ProgramEndToEnd::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    QVERIFY(QDir().mkdir(home->path() + QStringLiteral("/runtime")));
    QVERIFY(QFile::setPermissions(home->path() + QStringLiteral("/runtime"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    relay = std::make_unique<NewsRelay>(plainPort);
    QVERIFY(relay->listen());
}

void tst_ProgramEndToEnd::cleanup()
{
    for (QProcess *program : qAsConst(programs)) {
        if (program->state() != QProcess::NotRunning) {
            if (const qint64 pid = programPid(program))
                ::kill(pid_t(pid), SIGKILL);
            program->kill();
            program->waitForFinished(10000);
        }
        delete program;
    }
    programs.clear();
    relay.reset();
    home.reset();
}

// Random data, and with `withRar` a RAR volume set beside it, with par2 recovery files for all,
// posted as one NZB named `name`.
tst_ProgramEndToEnd::PostedSet tst_ProgramEndToEnd::makeAndPost(const QString &name, int size, quint32 seed,
                                                                 bool withRar)
{
    PostedSet set;
    const QString folder = base->filePath(QStringLiteral("post-") + QString::number(seed));
    QDir().mkpath(folder);
    const QByteArray data = randomBytes(size, seed);
    const QString dataName = QStringLiteral("data-%1.bin").arg(seed);
    if (!writeFile(folder + QLatin1Char('/') + dataName, data))
        return set;
    set.sums.insert(dataName, QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
    if (withRar) {
        for (int part = 1; part <= 3; ++part) {
            const QString source = kRarSet.arg(part);
            if (!QFile::copy(source, folder + QLatin1Char('/') + QFileInfo(source).fileName()))
                return set;
        }
    }
    QString error;
    if (!run(QStringLiteral("par2"),
             QStringList{QStringLiteral("create"), QStringLiteral("-q"), QStringLiteral("-s65536"), QStringLiteral("-c20"),
                         QStringLiteral("-n2"), QStringLiteral("set.par2")}
                 + filesIn(folder),
             folder, 120000, error)) {
        qWarning() << error;
        return set;
    }
    const QString nzbPath = base->filePath(name + QStringLiteral(".nzb"));
    if (!post(folder, nzbPath, error)) {
        qWarning().noquote() << error;
        return set;
    }
    set.nzbPath = nzbPath;
    set.name = name;
    set.withRar = withRar;
    return set;
}

bool tst_ProgramEndToEnd::post(const QString &folder, const QString &nzbPath, QString &error)
{
    const QStringList arguments{QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-P"),
                                QString::number(plainPort), QStringLiteral("-n"), QStringLiteral("4"),
                                QStringLiteral("-a"), QStringLiteral("128K"), QStringLiteral("-g"), kGroup,
                                QStringLiteral("-f"), QStringLiteral("Poster <p@test.invalid>"), QStringLiteral("-o"),
                                nzbPath, QStringLiteral("-O"), QStringLiteral("-q")};
    if (!runWithRetries(QStringLiteral(TQ_NYUU), arguments + filesIn(folder), folder, 300000, 3, error)) {
        error = QStringLiteral("the poster failed: ") + error;
        return false;
    }
    // INN 2 files what it was given before it serves it; the first download waits if need be
    // (a missing article would only be fetched again from the other server, of which there is
    // none, so the test waits here until a reader sees the last article).
    QFile nzb(nzbPath);
    if (!nzb.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("the poster wrote no NZB");
        return false;
    }
    static const QRegularExpression segment(QStringLiteral("<segment [^>]*>([^<]+)</segment>"));
    QString last;
    auto segments = segment.globalMatch(QString::fromUtf8(nzb.readAll()));
    while (segments.hasNext())
        last = segments.next().captured(1).trimmed();
    for (int attempt = 0; attempt < 100 && !last.isEmpty(); ++attempt) {
        QTcpSocket reader;
        reader.connectToHost(QHostAddress::LocalHost, plainPort);
        if (reader.waitForConnected(5000) && reader.waitForReadyRead(5000)) {
            reader.readAll();
            reader.write("STAT <" + last.toUtf8() + ">\r\n");
            if (reader.waitForReadyRead(5000) && reader.readAll().startsWith("223"))
                return true;
        }
        QTest::qWait(100);
    }
    error = QStringLiteral("the server does not serve the posted articles");
    return false;
}

QProcessEnvironment tst_ProgramEndToEnd::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home->path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home->path() + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home->path() + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home->path() + QStringLiteral("/runtime"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the real X server of xvfb-run
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("TESSAQUILL_VERSION_URL"), QStringLiteral("http://127.0.0.1:1/version.txt"));
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/session-bus"));
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/system-bus"));
    return env;
}

// The configuration a user would have made: the news server (through the relay), NZB files
// queued without a question, kept in the history, and the program closed once the queue is done.
void tst_ProgramEndToEnd::configure(int connections)
{
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home->path()));
    AppConfiguration config;
    config.loadConfiguration();
    config.autoDownloadNzb = true;
    config.autoSaveHistoNzb = true;
    config.shutdownSaved = true;
    config.shutdownType = 1;
    config.cacheFolder = AppConfiguration::defaultCacheFolder();
    config.downloadFolder = AppConfiguration::defaultDownloadFolder();
    config.destinationFolder = AppConfiguration::defaultDestinationFolder();
    QVERIFY(config.saveConfiguration());
    auto *server = new NntpServer;
    server->iId = 1;
    server->strNickname = QStringLiteral("inn2");
    server->strHost = QStringLiteral("127.0.0.1");
    server->iPort = relay->port();
    server->iConnectionCount = connections;
    server->bStarted = true;
    config.serversConfiguration.listServers = {server};
    QVERIFY(config.serversConfiguration.saveServers());
    qputenv("HOME", previous);
}

// The program under its own X server; the process returned is xvfb-run's, whose exit code is
// the program's.
QProcess *tst_ProgramEndToEnd::startProgram(const QStringList &arguments)
{
    auto *wrapper = new QProcess;
    programs.append(wrapper);
    wrapper->setProcessEnvironment(environment());
    wrapper->setWorkingDirectory(home->path());
    wrapper->setProcessChannelMode(QProcess::MergedChannels);
    // Each test process searches for a free display from a number of its own.
    const int firstDisplay = 100 + int(QCoreApplication::applicationPid() % 400);
    wrapper->start(QStringLiteral("xvfb-run"),
                   QStringList{QStringLiteral("-a"), QStringLiteral("-n"), QString::number(firstDisplay),
                               QStringLiteral("-s"), QStringLiteral("-screen 0 1280x800x24"),
                               QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tessaquill"))}
                       + arguments);
    return wrapper->waitForStarted(10000) ? wrapper : nullptr;
}

// The program itself among xvfb-run's children, 0 while it is not there.
qint64 tst_ProgramEndToEnd::programPid(QProcess *wrapper) const
{
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(wrapper->processId()));
    if (!children.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &word : children.readAll().split(' ')) {
        const qint64 pid = word.trimmed().toLongLong();
        if (pid > 0 && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget().endsWith(QLatin1String("/tessaquill")))
            return pid;
    }
    return 0;
}

// Waits with the event loop running (the relay lives in it).
bool tst_ProgramEndToEnd::waitForEnd(QProcess *program, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (program->state() != QProcess::NotRunning && elapsed.elapsed() < timeoutMs)
        QTest::qWait(100);
    return program->state() == QProcess::NotRunning;
}

QString tst_ProgramEndToEnd::logText() const
{
    return logTextIn(home->path());
}

int tst_ProgramEndToEnd::segmentFileCount() const
{
    return wholeSegmentFileCount(home->path());
}

QString tst_ProgramEndToEnd::destinationOf(const PostedSet &set) const
{
    return home->path() + QStringLiteral("/Tessaquill_Plus/Destination/") + set.name;
}

// The destination holds the posted files (the archive's content instead of its volumes), each
// equal to its original; the recovery files are gone.
void tst_ProgramEndToEnd::verifyDestination(const PostedSet &set)
{
    const QString folder = destinationOf(set);
    QStringList expected = set.sums.keys();
    if (set.withRar)
        expected << kRarContent;
    expected.sort();
    QCOMPARE(filesIn(folder), expected);
    for (auto sum = set.sums.constBegin(); sum != set.sums.constEnd(); ++sum)
        QCOMPARE(sha256Of(folder + QLatin1Char('/') + sum.key()), sum.value());
    if (set.withRar) {
        const QString content = folder + QLatin1Char('/') + kRarContent;
        QCOMPARE(QFileInfo(content).size(), kRarContentSize);
        QVERIFY2(sha256Of(content).startsWith(kRarContentSha256Start), sha256Of(content).constData());
    }
}

// The history holds the NZB file as it was given, and the log tells its way through the queue.
void tst_ProgramEndToEnd::verifyHistoryAndLog(const PostedSet &set)
{
    QFile nzb(set.nzbPath);
    QVERIFY(nzb.open(QIODevice::ReadOnly));
    // The history keeps the file as read in text mode: line feeds only.
    const QByteArray original = nzb.readAll().replace("\r\n", "\n");
    const QDir history(home->path() + QStringLiteral("/Tessaquill_Plus/HISTO_NZB"));
    bool found = false;
    for (const QString &name : history.entryList({set.name + QStringLiteral(".*.tvz")}, QDir::Files)) {
        QFile file(history.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        found = found || qUncompress(file.readAll()) == original;
    }
    QVERIFY2(found, qPrintable(history.entryList().join(QLatin1Char(' '))));
    const QString log = logText();
    QVERIFY2(log.contains(QStringLiteral("NZB %1 added to download list").arg(set.name)), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("NZB %1 has been successfully downloaded").arg(set.name)), qPrintable(log));
}

// Started with the NZB as argument and "close" as the end-of-queue action, the program takes the
// set to its destination and ends by itself with 0. A second start in the middle of the download
// hands its NZB over and ends at once; the first program takes that NZB too before it closes.
void tst_ProgramEndToEnd::downloadsVerifiesExtractsMovesAndCloses()
{
    // Slow enough that the later start's hand-over falls in the middle of the download even
    // on a busy machine; full speed once it is done.
    relay->setBytesPerSecond(100000);
    configure(2);
    QProcess *program = startProgram({main.nzbPath});
    QVERIFY(program);
    QTRY_VERIFY_WITH_TIMEOUT(relay->requested().size() >= 3, 60000);

    // A later start on the same display hands its NZB over.
    const qint64 pid = programPid(program);
    QVERIFY(pid > 0);
    QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
    QVERIFY(environ.open(QIODevice::ReadOnly));
    QProcessEnvironment laterEnvironment = environment();
    for (const QByteArray &entry : environ.readAll().split('\0')) {
        if (entry.startsWith("DISPLAY=") || entry.startsWith("XAUTHORITY="))
            laterEnvironment.insert(QString::fromLocal8Bit(entry.left(entry.indexOf('='))),
                                    QString::fromLocal8Bit(entry.mid(entry.indexOf('=') + 1)));
    }
    QVERIFY(laterEnvironment.contains(QStringLiteral("DISPLAY")));
    QProcess later;
    later.setProcessEnvironment(laterEnvironment);
    later.setWorkingDirectory(QFileInfo(second.nzbPath).absolutePath());
    later.setProcessChannelMode(QProcess::MergedChannels);
    later.start(QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tessaquill")),
                {QFileInfo(second.nzbPath).fileName()});
    QVERIFY(later.waitForStarted(10000));
    QVERIFY(waitForEnd(&later, 60000));
    QCOMPARE(later.exitStatus(), QProcess::NormalExit);
    QVERIFY2(later.exitCode() == 0, later.readAll().constData());
    QVERIFY2(program->state() == QProcess::Running, "the first program ended before it finished its queue");
    relay->setBytesPerSecond(0);

    QVERIFY2(waitForEnd(program, 300000), qPrintable(logText()));
    const QByteArray output = program->readAll();
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QVERIFY2(program->exitCode() == 0, output.constData());

    verifyDestination(main);
    verifyHistoryAndLog(main);
    verifyDestination(second);
    verifyHistoryAndLog(second);
    // Nothing is left of the queue.
    QCOMPARE(filesIn(home->path() + QStringLiteral("/Tessaquill_Plus/Nzb")), QStringList());
}

// SIGKILL in the middle of the download, then a new start: the queue comes back and goes on, the
// files end identical, and no article is fetched twice but those in flight at the kill.
void tst_ProgramEndToEnd::killedDownloadGoesOnAtTheNextStart()
{
    relay->setBytesPerSecond(150000);
    const int connections = 2;
    configure(connections);
    QProcess *first = startProgram({main.nzbPath});
    QVERIFY(first);
    // Some articles have arrived whole.
    QTRY_VERIFY_WITH_TIMEOUT(segmentFileCount() >= 6, 120000);
    const qint64 pid = programPid(first);
    QVERIFY(pid > 0);
    QVERIFY(::kill(pid_t(pid), SIGKILL) == 0);
    const QStringList inFlight = relay->lastRequestOfEachConnection();
    const QStringList before = relay->requested();
    QVERIFY(waitForEnd(first, 60000));
    QVERIFY(first->exitStatus() != QProcess::NormalExit || first->exitCode() != 0);
    QVERIFY2(QFileInfo::exists(destinationOf(main)) == false || filesIn(destinationOf(main)).isEmpty(),
             "the set was finished before the kill: the relay is too fast for this test");

    relay->clear();
    relay->setBytesPerSecond(0);
    QProcess *second = startProgram({});
    QVERIFY(second);
    QVERIFY2(waitForEnd(second, 300000), qPrintable(logText()));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QVERIFY2(second->exitCode() == 0, second->readAll().constData());
    verifyDestination(main);

    const QStringList after = relay->requested();
    QStringList twice;
    for (const QString &id : after) {
        if (before.contains(id))
            twice << id;
    }
    QVERIFY2(twice.size() <= connections, qPrintable(twice.join(QLatin1Char(' '))));
    for (const QString &id : twice)
        QVERIFY2(inFlight.contains(id), qPrintable(id + QStringLiteral(" fetched again, not in flight at the kill")));
    QVERIFY(!after.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ProgramEndToEnd)
#include "tst_ProgramEndToEnd.moc"
