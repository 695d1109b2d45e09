#include "platform/SingleInstance.h"

#include "../support/LeftIdentity.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <memory>
#include <unistd.h>

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
    void leftOrPlantedLocksDoNotStopTheStart_data();
    void leftOrPlantedLocksDoNotStopTheStart();
    void identityLivesInAPrivateFolder();
    void messagesAreRefusedOnceEnding();
    void refusedStartTakesThePlaceOfTheEndingOne();

private:
    struct Run {
        int exitCode = -1;
        QStringList lines;
    };

    QProcessEnvironment environment(const QMap<QString, QString> &extra = {}) const;
    QProcess *startProbe(const QStringList &arguments, const QMap<QString, QString> &extra = {});
    QProcess *startPrimary(const QMap<QString, QString> &extra = {});
    Run runLaterStart(const QStringList &arguments, const QMap<QString, QString> &extra = {});
    bool waitForLines(QProcess *process, int count);
    QString keyOfHome() const;
    QString runtimeFolder() const { return home->path() + QStringLiteral("/runtime"); }
    QString lockPath() const { return runtimeFolder() + QLatin1Char('/') + keyOfHome() + QStringLiteral(".lock"); }
    QString socketPath() const { return runtimeFolder() + QLatin1Char('/') + keyOfHome(); }

    std::unique_ptr<QTemporaryDir> home;
    QList<QProcess *> primaries;
    QMap<QProcess *, QStringList> linesOf;
};

void tst_SingleInstance::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    QVERIFY(QDir().mkdir(runtimeFolder()));
    QVERIFY(QFile::setPermissions(runtimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
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
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (auto it = extra.begin(); it != extra.end(); ++it)
        env.insert(it.key(), it.value());
    return env;
}

static QString probePath()
{
    return QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tq_single_instance_probe"));
}

QProcess *tst_SingleInstance::startProbe(const QStringList &arguments, const QMap<QString, QString> &extra)
{
    auto *process = new QProcess;
    primaries.append(process);
    process->setProcessEnvironment(environment(extra));
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        while (process->canReadLine())
            linesOf[process].append(QString::fromUtf8(process->readLine()).trimmed());
    });
    process->start(probePath(), arguments);
    return process->waitForStarted(10000) ? process : nullptr;
}

QProcess *tst_SingleInstance::startPrimary(const QMap<QString, QString> &extra)
{
    QProcess *process = startProbe({}, extra);
    if (!process || !waitForLines(process, 1))
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
    QVERIFY(QFile::exists(lockPath()));

    QProcess *second = startPrimary();
    QVERIFY2(second, "the start after a killed program did not become the running one");
    QCOMPARE(runLaterStart({QStringLiteral("after.nzb")}).exitCode, 0);
    QVERIFY(waitForLines(second, 2));
    QCOMPARE(linesOf[second].at(1), QStringLiteral("message after.nzb"));
}

// The identity is held by something that does not take the message: a later start says why on
// its output and exits 1 instead of dropping the files silently.
// The identity is held by something that does not take the message: a later start says why on
// its output and exits 1 instead of dropping the files silently.
void tst_SingleInstance::failedHandOver_data()
{
    QTest::addColumn<QString>("listener");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a live holder without listener") << "none" << "does not answer";
    QTest::newRow("closes without answer") << "close" << "did not acknowledge";
    QTest::newRow("answers something else") << "wrong" << "not one of ours";
    QTest::newRow("never answers") << "silent" << "did not acknowledge";
}

void tst_SingleInstance::failedHandOver()
{
    QFETCH(QString, listener);
    QFETCH(QString, reason);
    QLockFile lock(lockPath());
    QVERIFY(lock.tryLock(0));
    QLocalServer server;
    QList<QLocalSocket *> connections;
    if (listener != QLatin1String("none")) {
        QLocalServer::removeServer(socketPath());
        QVERIFY(server.listen(socketPath()));
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
    // The lock of a live program is never taken from it.
    QVERIFY(lock.isLocked());
    QVERIFY(QFile::exists(lockPath()));
}

// Bytes that are not a message of ours (here a length far beyond any message) cost the sender its
// connection and nothing else.
void tst_SingleInstance::foreignFrameIsDropped()
{
    QProcess *primary = startPrimary();
    QVERIFY(primary);
    QLocalSocket socket;
    socket.connectToServer(socketPath());
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

// A lock in the shared temporary folder (where anyone, another user too, can make it first), a
// lock left by a program that died, and a lock of a live process behind which no socket answers
// (none, or a socket file left behind) all let the start run; a later start is heard as before.
void tst_SingleInstance::leftOrPlantedLocksDoNotStopTheStart_data()
{
    QTest::addColumn<QString>("left");
    QTest::newRow("planted in the shared temporary folder by another user") << "foreign";
    QTest::newRow("of a process that died") << "dead";
    QTest::newRow("of a live process, no socket") << "live";
    QTest::newRow("of a live process, a stale socket") << "live with socket";
}

void tst_SingleInstance::leftOrPlantedLocksDoNotStopTheStart()
{
    QFETCH(QString, left);
    // A live process whose name matches the lock, so that the lock file alone looks held.
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("300")});
    QVERIFY(sleeper.waitForStarted(10000));
    const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
    const QString planted = QDir::temp().filePath(keyOfHome() + QStringLiteral(".lock"));
    const auto cleanUp = qScopeGuard([&] {
        if (left == QLatin1String("foreign"))
            QFile::remove(planted);
        sleeper.kill();
        sleeper.waitForFinished(5000);
    });
    if (left == QLatin1String("foreign")) {
        // Where the identity used to live, made first by another user.
        QVERIFY(LeftIdentity::writeLock(planted, sleeper.processId(), sleep));
        QVERIFY(::chown(QFile::encodeName(planted).constData(), 65534, 65534) == 0);
    } else if (left == QLatin1String("dead")) {
        QProcess gone;
        gone.start(QStringLiteral("true"), QStringList());
        QVERIFY(gone.waitForStarted(10000));
        const qint64 pid = gone.processId();
        QVERIFY(gone.waitForFinished(10000));
        QVERIFY(LeftIdentity::writeLock(lockPath(), pid, probePath()));
    } else {
        QVERIFY(LeftIdentity::writeLock(lockPath(), sleeper.processId(), sleep));
        QLockFile held(lockPath());
        QVERIFY(!held.tryLock(0));
        if (left == QLatin1String("live with socket"))
            QVERIFY(LeftIdentity::leaveStaleSocket(socketPath()));
    }

    QProcess *primary = startPrimary();
    QVERIFY2(primary, qPrintable(linesOf.value(primaries.value(0)).join(QLatin1Char('|'))));
    QCOMPARE(QFileInfo(lockPath()).exists(), true);
    QCOMPARE(runLaterStart({QStringLiteral("after.nzb")}).exitCode, 0);
    QVERIFY(waitForLines(primary, 2));
    QCOMPARE(linesOf[primary].at(1), QStringLiteral("message after.nzb"));
    if (left == QLatin1String("foreign"))
        QVERIFY(QFile::exists(planted));
}

// Without a runtime folder of the user's own the identity goes to a folder of mode 0700 of the
// user's in the temporary folder, never into the shared folder itself; a runtime folder open to
// others is not used.
void tst_SingleInstance::identityLivesInAPrivateFolder()
{
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder()));
    QCOMPARE(SingleInstance::runtimeFolder(), runtimeFolder());
    QVERIFY(QFile::setPermissions(runtimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                       | QFile::ReadOther | QFile::ExeOther));
    const QString fallback = SingleInstance::runtimeFolder();
    qunsetenv("XDG_RUNTIME_DIR");
    QCOMPARE(SingleInstance::runtimeFolder(), fallback);
    qputenv("XDG_RUNTIME_DIR", previous);
    QCOMPARE(fallback, QDir::temp().filePath(QStringLiteral("tessaquill-%1").arg(uint(geteuid()))));
    const QFileInfo folder(fallback);
    QVERIFY(folder.isDir() && !folder.isSymLink());
    QCOMPARE(folder.ownerId(), uint(geteuid()));
    QCOMPARE(folder.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                                      | QFile::WriteOther | QFile::ExeOther),
             QFile::Permissions());
}

// A program that began its exit refuses what comes after, and the later start hears it: the
// message is not taken, and the ones after it are not sent.
void tst_SingleInstance::messagesAreRefusedOnceEnding()
{
    QProcess *primary = startPrimary({{QStringLiteral("TQ_PROBE_REFUSE_AFTER"), QStringLiteral("1")}});
    QVERIFY(primary);
    const Run run = runLaterStart({QStringLiteral("a.nzb"), QStringLiteral("b.nzb"), QStringLiteral("c.nzb")});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.lines, (QStringList{QStringLiteral("sent a.nzb"), QStringLiteral("refused b.nzb")}));
    QTest::qWait(200);
    QCOMPARE(linesOf[primary], (QStringList{QStringLiteral("primary"), QStringLiteral("message a.nzb")}));
}

// A refused start that waits takes the identity once the ending program is gone, with the
// messages that were not taken, and later starts hand over to it.
void tst_SingleInstance::refusedStartTakesThePlaceOfTheEndingOne()
{
    QProcess *ending = startPrimary({{QStringLiteral("TQ_PROBE_REFUSE_AFTER"), QStringLiteral("0")}});
    QVERIFY(ending);
    QProcess *waiting = startProbe({QStringLiteral("x.nzb"), QStringLiteral("y.nzb")},
                                   {{QStringLiteral("TQ_PROBE_TAKE_OVER"), QStringLiteral("1")}});
    QVERIFY(waiting);
    QVERIFY(waitForLines(waiting, 1));
    QCOMPARE(linesOf[waiting].first(), QStringLiteral("refused x.nzb"));
    QTest::qWait(200);
    QCOMPARE(linesOf[waiting].size(), 1);
    ending->closeWriteChannel();
    QVERIFY(ending->waitForFinished(10000));
    QVERIFY(waitForLines(waiting, 4));
    QCOMPARE(linesOf[waiting], (QStringList{QStringLiteral("refused x.nzb"), QStringLiteral("primary"),
                                             QStringLiteral("own x.nzb"), QStringLiteral("own y.nzb")}));
    QCOMPARE(runLaterStart({QStringLiteral("z.nzb")}).exitCode, 0);
    QVERIFY(waitForLines(waiting, 5));
    QCOMPARE(linesOf[waiting].last(), QStringLiteral("message z.nzb"));
    QCOMPARE(linesOf[ending], QStringList{QStringLiteral("primary")});
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
