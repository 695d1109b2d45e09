#include "dialogs/ThreadTestConnection.h"
#include "model/NntpServer.h"

#include "NntpTestServer.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

Q_DECLARE_METATYPE(NntpTestServer::ConnectionFaults)

namespace {

using Faults = NntpTestServer::ConnectionFaults;

const int ShortTimeout = 1500;
const QString User = QStringLiteral("reader");
const QString Password = QStringLiteral("secret");

} // namespace

class tst_ThreadTestConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void oneSessionOneResult_data();
    void oneSessionOneResult();
    void recordMayGoOnceGiven();
    void refusedPort();

private:
    NntpServer *recordFor(const NntpTestServer &target, const QString &login, const QString &password);

    NntpTestServer server;
    NntpTestServer tlsServer;
};

void tst_ThreadTestConnection::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(tlsServer.start(true), qPrintable(tlsServer.errorString()));
}

void tst_ThreadTestConnection::init()
{
    for (NntpTestServer *each : {&server, &tlsServer}) {
        each->setCredentials(QString(), QString());
        each->setDefaultConnectionFaults(Faults());
        each->clearEvents();
    }
}

NntpServer *tst_ThreadTestConnection::recordFor(const NntpTestServer &target, const QString &login,
                                                const QString &password)
{
    auto *record = new NntpServer();
    record->iId = 12;
    record->strHost = QStringLiteral("127.0.0.1");
    record->iPort = target.port();
    record->bSsl = target.isTls();
    record->strLogin = login;
    record->strPassword = password;
    record->strNickname = QStringLiteral("test");
    record->iConnectionCount = 4;
    return record;
}

void tst_ThreadTestConnection::oneSessionOneResult_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<bool>("clientSsl");
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<bool>("serverWantsLogin");
    QTest::addColumn<bool>("withLogin");
    QTest::addColumn<bool>("expectOk");
    QTest::addColumn<QString>("expectError");
    QTest::addColumn<QStringList>("expectCommands");

    Faults f;
    QTest::newRow("HELP without credentials") << false << false << f << false << false << true << QString()
        << QStringList{QStringLiteral("HELP"), QStringLiteral("STAT")};
    QTest::newRow("log-in") << false << false << f << true << true << true << QString()
        << QStringList{QStringLiteral("AUTHINFO USER reader"), QStringLiteral("AUTHINFO PASS secret")};
    QTest::newRow("TLS log-in") << true << true << f << true << true << true << QString()
        << QStringList{QStringLiteral("AUTHINFO USER reader"), QStringLiteral("AUTHINFO PASS secret")};
    f.greeting = NntpTestServer::Greeting::Wrong;
    QTest::newRow("greeting refused") << false << false << f << false << false << false
        << QStringLiteral("Error: 502 service permanently unavailable\r\n") << QStringList();
    f = Faults();
    f.refuseLogin = true;
    QTest::newRow("log-in refused") << false << false << f << true << true << false
        << QStringLiteral("Error: Authentication failed/rejected (481): check the login and password of this server") << QStringList{QStringLiteral("AUTHINFO USER reader")};
    f = Faults();
    f.greeting = NntpTestServer::Greeting::None;
    QTest::newRow("no greeting within the time-out") << false << false << f << false << false << false
        << QStringLiteral("Error: no greeting from the server within 1.5 s: is it a TLS port (SSL)?") << QStringList();
    f = Faults();
    QTest::newRow("plain text to a TLS port") << true << false << f << false << false << false
        << QStringLiteral("Error: no greeting from the server within 1.5 s: is it a TLS port (SSL)?") << QStringList();
    // HELP is answered without a log-in, articles are not: STAT without argument shows it.
    QTest::newRow("login wanted, none given") << false << false << f << true << false << false
        << QStringLiteral("Error: the server requires a login (480 authentication required): check the login and "
                          "password of this server")
        << QStringList{QStringLiteral("HELP"), QStringLiteral("STAT")};
}

void tst_ThreadTestConnection::oneSessionOneResult()
{
    QFETCH(bool, tls);
    QFETCH(bool, clientSsl);
    QFETCH(Faults, faults);
    QFETCH(bool, serverWantsLogin);
    QFETCH(bool, withLogin);
    QFETCH(bool, expectOk);
    QFETCH(QString, expectError);
    QFETCH(QStringList, expectCommands);

    NntpTestServer &target = tls ? tlsServer : server;
    target.setDefaultConnectionFaults(faults);
    if (serverWantsLogin)
        target.setCredentials(User, Password);
    QScopedPointer<NntpServer> record(recordFor(target, withLogin ? User : QString(), withLogin ? Password : QString()));
    record->bSsl = clientSsl;

    ThreadTestConnection thread;
    thread.setServer(record.data());
    thread.setTimeout(ShortTimeout);
    QSignalSpy ended(&thread, &ThreadTestConnection::signalEndOfThread);
    thread.start(QThread::InheritPriority);
    QVERIFY(thread.wait(60000));

    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().at(0).toBool(), expectOk);
    QCOMPARE(ended.first().at(1).toString(), expectError);
    const QStringList commands = target.commands();
    for (const QString &command : expectCommands)
        QVERIFY2(commands.contains(command), qPrintable(commands.join(QLatin1Char('|'))));
    // The session ends with the test, without a QUIT.
    QTRY_VERIFY(!target.events().isEmpty() && target.events().constLast().what == QLatin1String("close"));
    QVERIFY(!commands.contains(QStringLiteral("QUIT")));
}

void tst_ThreadTestConnection::recordMayGoOnceGiven()
{
    server.setCredentials(User, Password);
    auto *thread = new ThreadTestConnection();
    NntpServer *record = recordFor(server, User, Password);
    thread->setServer(record);
    delete record;
    QSignalSpy ended(thread, &ThreadTestConnection::signalEndOfThread);
    QCOMPARE(ThreadTestConnection::instanceCount(), 1);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
    QTRY_COMPARE_WITH_TIMEOUT(ThreadTestConnection::instanceCount(), 0, 30000);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().at(0).toBool(), true);
}

void tst_ThreadTestConnection::refusedPort()
{
    QTcpServer holder;
    QVERIFY(holder.listen(QHostAddress::LocalHost, 0));
    NntpServer record;
    record.strHost = QStringLiteral("127.0.0.1");
    record.iPort = holder.serverPort();
    holder.close();

    ThreadTestConnection thread;
    thread.setServer(&record);
    QSignalSpy ended(&thread, &ThreadTestConnection::signalEndOfThread);
    thread.start();
    QVERIFY(thread.wait(60000));
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().at(0).toBool(), false);
    QCOMPARE(ended.first().at(1).toString(), QStringLiteral("Connection refused"));
}

QTEST_MAIN(tst_ThreadTestConnection)
#include "tst_ThreadTestConnection.moc"
