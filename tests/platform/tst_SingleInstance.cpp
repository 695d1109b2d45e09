#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <unistd.h>
#include <memory>

// Starts of the program played by tq_single_instance_probe, each a process of its own, all with
// one temporary home folder, so that they share one identity.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void laterStartsHandTheirMessagesOver();
    void laterStartWithoutArgumentsSendsNothing();
    void messagesAreTakenWhileOneIsHandled();
    void killedProgramLeavesItsIdentity();
    void failedHandOver_data();
    void failedHandOver();
    void foreignFrameIsDropped();
    void homesAreSeparateIdentities();

private:
    struct Run {
        int exitCode = -1;
        QStringList lines;
    };

    QProcessEnvironment environment(const QMap<QString, QString> &extra = {}) const;
    QProcess *startPrimary(const QMap<QString, QString> &extra = {});
    Run runLaterStart(const QStringList &arguments, const QMap<QString, QString> &extra = {});
    bool waitForLines(QProcess *process, int count);
    QString keyOfHome() const;

    std::unique_ptr<QTemporaryDir> home;
    QList<QProcess *> primaries;
    QMap<QProcess *, QStringList> linesOf;
};

void tst_SingleInstance::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
}

void tst_SingleInstance::cleanup()
{
    for (QProcess *process : qAsConst(primaries)) {
        process->closeWriteChannel();
        if (!process->waitForFinished(5000))
            process->kill();
        process->waitForFinished(5000);
        delete process;
    }
    primaries.clear();
    linesOf.clear();
}

QProcessEnvironment tst_SingleInstance::environment(const QMap<QString, QString> &extra) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home->path());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (auto it = extra.begin(); it != extra.end(); ++it)
        env.insert(it.key(), it.value());
    return env;
}

static QString probePath()
{
    return QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tq_single_instance_probe"));
}

QProcess *tst_SingleInstance::startPrimary(const QMap<QString, QString> &extra)
{
    auto *process = new QProcess;
    primaries.append(process);
    process->setProcessEnvironment(environment(extra));
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        while (process->canReadLine())
            linesOf[process].append(QString::fromUtf8(process->readLine()).trimmed());
    });
    process->start(probePath(), QStringList());
    if (!process->waitForStarted(10000) || !waitForLines(process, 1))
        return nullptr;
    if (linesOf[process].value(0) != QLatin1String("primary"))
        return nullptr;
    return process;
}

bool tst_SingleInstance::waitForLines(QProcess *process, int count)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (linesOf[process].size() < count && elapsed.elapsed() < 20000)
        QTest::qWait(10);
    return linesOf[process].size() >= count;
}

tst_SingleInstance::Run tst_SingleInstance::runLaterStart(const QStringList &arguments,
                                                          const QMap<QString, QString> &extra)
{
    QProcess process;
    process.setProcessEnvironment(environment(extra));
    process.start(probePath(), arguments);
    Run run;
    if (!process.waitForStarted(10000))
        return run;
    // The event loop runs meanwhile, for the primaries' output and the test's own servers.
    QElapsedTimer elapsed;
    elapsed.start();
    while (process.state() != QProcess::NotRunning && elapsed.elapsed() < 30000)
        QTest::qWait(10);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    run.lines = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

QString tst_SingleInstance::keyOfHome() const
{
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home->path()));
    const QString key = SingleInstance::defaultKey();
    qputenv("HOME", previous);
    return key;
}

void tst_SingleInstance::laterStartsHandTheirMessagesOver()
{
    QProcess *primary = startPrimary();
    QVERIFY(primary);
    const QStringList arguments = {QStringLiteral("first.nzb"), QStringLiteral("/tmp/Été à la plage.nzb"),
                                   QStringLiteral("../relative/日本語.NZB"), QStringLiteral("with\nline break")};
    const Run run = runLaterStart(arguments);
    QCOMPARE(run.exitCode, 0);
    // One line per argument, the one with a line break printed on two.
    QCOMPARE(run.lines.size(), arguments.size() + 1);
    QStringList expected = {QStringLiteral("primary")};
    for (const QString &argument : arguments)
        expected << QStringLiteral("message ") + argument;
    // The line break splits the last message into two printed lines.
    expected.last() = QStringLiteral("message with");
    expected << QStringLiteral("line break");
    QVERIFY(waitForLines(primary, expected.size()));
    QCOMPARE(linesOf[primary], expected);

    // A second later start is heard as well.
    QCOMPARE(runLaterStart({QStringLiteral("again.nzb")}).exitCode, 0);
    QVERIFY(waitForLines(primary, expected.size() + 1));
    QCOMPARE(linesOf[primary].last(), QStringLiteral("message again.nzb"));
}

void tst_SingleInstance::laterStartWithoutArgumentsSendsNothing()
{
    QProcess *primary = startPrimary();
    QVERIFY(primary);
    const Run run = runLaterStart({});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.lines.isEmpty());
    QTest::qWait(200);
    QCOMPARE(linesOf[primary], QStringList{QStringLiteral("primary")});
}

// A message is acknowledged when it arrives: a first start busy with one (a dialog open in its
// own event loop) still takes the next ones at once.
void tst_SingleInstance::messagesAreTakenWhileOneIsHandled()
{
    QProcess *primary = startPrimary({{QStringLiteral("TQ_PROBE_HANDLE_MS"), QStringLiteral("3000")}});
    QVERIFY(primary);
    const Run run = runLaterStart({QStringLiteral("a.nzb"), QStringLiteral("b.nzb"), QStringLiteral("c.nzb")},
                                  {{QStringLiteral("TQ_PROBE_TIMEOUT_MS"), QStringLiteral("1500")}});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(waitForLines(primary, 4));
    QCOMPARE(linesOf[primary].mid(1), (QStringList{QStringLiteral("message a.nzb"), QStringLiteral("message b.nzb"),
                                                   QStringLiteral("message c.nzb")}));
}

// A program killed without a chance to clean up leaves its lock and socket files; the next start
// takes the identity over and is heard by the start after it.
void tst_SingleInstance::killedProgramLeavesItsIdentity()
{
    QProcess *first = startPrimary();
    QVERIFY(first);
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(10000));
    const QString key = keyOfHome();
    QVERIFY(QFile::exists(QDir::temp().filePath(key + QStringLiteral(".lock"))));

    QProcess *second = startPrimary();
    QVERIFY2(second, "the start after a killed program did not become the running one");
    QCOMPARE(runLaterStart({QStringLiteral("after.nzb")}).exitCode, 0);
    QVERIFY(waitForLines(second, 2));
    QCOMPARE(linesOf[second].at(1), QStringLiteral("message after.nzb"));
}

// The identity is held by something that does not take the message: a later start says why on
// its output and exits 1 instead of dropping the files silently.
void tst_SingleInstance::failedHandOver_data()
{
    QTest::addColumn<QString>("listener");
    QTest::addColumn<QString>("reason");
    QTest::newRow("nothing listens") << "none" << "Cannot reach the running program";
    QTest::newRow("closes without answer") << "close" << "did not acknowledge";
    QTest::newRow("answers something else") << "wrong" << "refused";
    QTest::newRow("never answers") << "silent" << "did not acknowledge";
}

void tst_SingleInstance::failedHandOver()
{
    QFETCH(QString, listener);
    QFETCH(QString, reason);
    const QString key = keyOfHome();
    QLockFile lock(QDir::temp().filePath(key + QStringLiteral(".lock")));
    QVERIFY(lock.tryLock(0));
    QLocalServer server;
    QList<QLocalSocket *> connections;
    if (listener != QLatin1String("none")) {
        QLocalServer::removeServer(key);
        QVERIFY(server.listen(key));
        connect(&server, &QLocalServer::newConnection, this, [&] {
            QLocalSocket *socket = server.nextPendingConnection();
            connections.append(socket);
            connect(socket, &QLocalSocket::readyRead, this, [socket, listener] {
                socket->readAll();
                if (listener == QLatin1String("close"))
                    socket->abort();
                else if (listener == QLatin1String("wrong"))
                    socket->write("N");
            });
        });
    }
    const Run run = runLaterStart({QStringLiteral("lost.nzb"), QStringLiteral("never-sent.nzb")},
                                  {{QStringLiteral("TQ_PROBE_TIMEOUT_MS"), QStringLiteral("800")}});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines.size(), 1);
    QVERIFY2(run.lines.first().startsWith(QStringLiteral("failed lost.nzb: ")), qPrintable(run.lines.first()));
    QVERIFY2(run.lines.first().contains(reason), qPrintable(run.lines.first()));
}

// Bytes that are not a message of ours (here a length far beyond any message) cost the sender its
// connection and nothing else.
void tst_SingleInstance::foreignFrameIsDropped()
{
    QProcess *primary = startPrimary();
    QVERIFY(primary);
    QLocalSocket socket;
    socket.connectToServer(keyOfHome());
    QVERIFY(socket.waitForConnected(5000));
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(0xFFFFFFF0u, reinterpret_cast<uchar *>(frame.data()));
    socket.write(frame + "xyz");
    QVERIFY(socket.waitForBytesWritten(5000));
    QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 10000);
    QCOMPARE(socket.bytesAvailable(), qint64(0));

    QCOMPARE(runLaterStart({QStringLiteral("fine.nzb")}).exitCode, 0);
    QVERIFY(waitForLines(primary, 2));
    QCOMPARE(linesOf[primary], (QStringList{QStringLiteral("primary"), QStringLiteral("message fine.nzb")}));
}

void tst_SingleInstance::homesAreSeparateIdentities()
{
    QProcess *primary = startPrimary();
    QVERIFY(primary);
    QTemporaryDir otherHome;
    QProcess other;
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("HOME"), otherHome.path());
    other.setProcessEnvironment(env);
    other.start(probePath(), QStringList());
    QVERIFY(other.waitForStarted(10000));
    QVERIFY(other.waitForReadyRead(10000));
    QCOMPARE(QString::fromUtf8(other.readLine()).trimmed(), QStringLiteral("primary"));
    other.closeWriteChannel();
    QVERIFY(other.waitForFinished(10000));
    QCOMPARE(other.exitCode(), 0);
    QVERIFY(keyOfHome().startsWith(QStringLiteral("tessaquill-%1-").arg(uint(getuid()))));
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
