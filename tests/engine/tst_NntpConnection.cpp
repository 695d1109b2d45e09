#include "engine/NntpConnection.h"

#include "NntpTestServer.h"
#include "ProcessMemory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QTranslator>
#include <QtTest>

#include <atomic>
#include <memory>

Q_DECLARE_METATYPE(NntpTestServer::ConnectionFaults)

namespace {

using Faults = NntpTestServer::ConnectionFaults;
using Fault = NntpTestArticle::Fault;

const int ShortTimeout = 1500;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool anyEventStartsWith(const NntpTestServer &server, const QString &prefix)
{
    for (const NntpTestServer::Event &event : server.events())
        if (event.what.startsWith(prefix))
            return true;
    return false;
}

bool anyStartsWith(const QStringList &lines, const QString &prefix)
{
    for (const QString &line : lines)
        if (line.startsWith(prefix))
            return true;
    return false;
}

void pointAt(NntpConnection &connection, const NntpTestServer &server)
{
    connection.setHost(QStringLiteral("127.0.0.1"));
    connection.setPort(server.port());
    connection.setSsl(server.isTls());
}

} // namespace

class tst_NntpConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void settingsFallBackToDefaults();
    void opening_data();
    void opening();
    void openingWithoutServer();
    void logInRefusalsInGerman_data();
    void logInRefusalsInGerman();
    void openingOverTls();
    void failuresSayWhatHappened_data();
    void failuresSayWhatHappened();
    void body_data();
    void body();
    void slowBodyIsNotSilence();
    void bodyCapFollowsAnnouncedSize();
    void bodyIsStoredByteExact_data();
    void bodyIsStoredByteExact();
    void bodyArgumentIsNumberOrBracketedId();
    void bodyWithoutConnection();
    void unwritableTemporaryFileSendsNothing();
    void refusedBodyLeavesConnectionUsable();
    void openingIsSerialisedAndLoginIsNot();
    void limiterHoldsTheRate();
    void samplesAverageTenSeconds();
    void furtherCommands();
    void cancelledFromAnotherThread_data();
    void cancelledFromAnotherThread();
    void stuckOpeningLetsOthersOpen_data();
    void stuckOpeningLetsOthersOpen();
    void endlessReplies_data();
    void endlessReplies();

private:
    bool connectTo(NntpConnection &connection);
    QString tempPath(const QString &name) const { return dir->filePath(name); }

    NntpTestServer server;
    std::unique_ptr<QTemporaryDir> dir;
};

void tst_NntpConnection::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    server.addGroup(QStringLiteral("alt.binaries.test"));
}

void tst_NntpConnection::init()
{
    dir.reset(new QTemporaryDir());
    QVERIFY(dir->isValid());
    server.clearEvents();
    server.setDefaultConnectionFaults(Faults());
}

void tst_NntpConnection::cleanup()
{
    dir.reset();
}

bool tst_NntpConnection::connectTo(NntpConnection &connection)
{
    pointAt(connection, server);
    return connection.connectToServer();
}

void tst_NntpConnection::settingsFallBackToDefaults()
{
    NntpConnection connection;
    QCOMPARE(connection.getPort(), 119);
    QCOMPARE(connection.getTimeout(), 30000);
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorNone));
    connection.setPort(0);
    QCOMPARE(connection.getPort(), 119);
    connection.setPort(563);
    QCOMPARE(connection.getPort(), 563);
    connection.setTimeout(1000);
    QCOMPARE(connection.getTimeout(), 30000);
    connection.setTimeout(1001);
    QCOMPARE(connection.getTimeout(), 1001);
}

// Every way of opening: greeting, HELP probe and each step of the AUTHINFO dialogue.
void tst_NntpConnection::opening_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("expectReady");
    QTest::addColumn<QString>("expectError");
    QTest::addColumn<int>("expectCode");
    QTest::addColumn<QStringList>("expectSent");
    QTest::addColumn<QStringList>("expectNotSent");

    const int none = NntpConnection::NntpErrorNone;
    const int failed = NntpConnection::NntpErrorConnection;
    const QString user = QStringLiteral("reader");
    const QString pass = QStringLiteral("secret");
    Faults f;

    QTest::newRow("no credentials: HELP probe") << f << QString() << QString() << true << QString() << none
        << QStringList{QStringLiteral("HELP")} << QStringList{QStringLiteral("AUTHINFO")};
    f = Faults();
    f.greeting = NntpTestServer::Greeting::PostingDisabled;
    QTest::newRow("greeting 201 accepted") << f << QString() << QString() << true << QString() << none
        << QStringList{QStringLiteral("HELP")} << QStringList();
    f = Faults();
    f.greeting = NntpTestServer::Greeting::Split;
    QTest::newRow("greeting split across packets") << f << user << pass << true << QString() << none
        << QStringList{QStringLiteral("AUTHINFO USER reader"), QStringLiteral("AUTHINFO PASS secret")} << QStringList{QStringLiteral("HELP")};
    f = Faults();
    f.greeting = NntpTestServer::Greeting::Wrong;
    QTest::newRow("greeting 502") << f << user << pass << false
        << QStringLiteral("Error: 502 service permanently unavailable\r\n") << failed << QStringList() << QStringList{QStringLiteral("AUTHINFO")};
    f = Faults();
    f.greeting = NntpTestServer::Greeting::None;
    QTest::newRow("no greeting") << f << user << pass << false
        << QStringLiteral("Error: no greeting from the server within 1.5 s: is it a TLS port (SSL)?") << failed
        << QStringList() << QStringList{QStringLiteral("AUTHINFO")};
    f = Faults();
    f.helpReply = "480 authentication required";
    QTest::newRow("HELP probe refused for want of a login") << f << QString() << QString() << false
        << QStringLiteral("Error: the server requires a login (480 authentication required): check the login and "
                          "password of this server")
        << failed << QStringList{QStringLiteral("HELP")} << QStringList();
    f = Faults();
    f.helpReply = "502 no help for you";
    QTest::newRow("HELP probe refused") << f << QString() << QString() << false
        << QStringLiteral("502 no help for you\r\n") << failed << QStringList{QStringLiteral("HELP")} << QStringList();
    f = Faults();
    f.textReplyPauseMs = 100;
    QTest::newRow("HELP reply in pieces") << f << QString() << QString() << true << QString() << none
        << QStringList{QStringLiteral("HELP")} << QStringList();
    f = Faults();
    QTest::newRow("USER then PASS accepted") << f << user << pass << true << QString() << none
        << QStringList{QStringLiteral("AUTHINFO USER reader"), QStringLiteral("AUTHINFO PASS secret")} << QStringList{QStringLiteral("HELP")};
    f = Faults();
    f.userReply = "281 welcome";
    QTest::newRow("USER alone accepted") << f << user << pass << true << QString() << none
        << QStringList{QStringLiteral("AUTHINFO USER reader")} << QStringList{QStringLiteral("AUTHINFO PASS")};
    f = Faults();
    f.userReply = "502 no such user";
    QTest::newRow("USER answered otherwise") << f << user << pass << false
        << QStringLiteral("Error: AUTHINFO USER 381, no password asked: check the login and password of this server") << failed << QStringList() << QStringList{QStringLiteral("AUTHINFO PASS")};
    f = Faults();
    QTest::newRow("PASS 481") << f << user << QStringLiteral("wrong") << false
        << QStringLiteral("Error: Authentication failed/rejected (481): check the login and password of this server") << failed << QStringList() << QStringList{QStringLiteral("AUTHINFO GENERIC")};
    f = Faults();
    f.passReply = "482 out of sequence";
    QTest::newRow("PASS 482") << f << user << pass << false
        << QStringLiteral("Error: Authentication failed - commands issued out of sequence (482): check the login and password of this server") << failed << QStringList() << QStringList();
    f = Faults();
    f.passReply = "502 unavailable";
    QTest::newRow("PASS 502") << f << user << pass << false
        << QStringLiteral("Error: Command unavailable (502): check the login and password of this server") << failed << QStringList() << QStringList();
    f = Faults();
    f.passReply = "281 accepted";
    QTest::newRow("empty password accepted by 281") << f << user << QString() << true << QString() << none
        << QStringList{QStringLiteral("AUTHINFO PASS")} << QStringList();
    f = Faults();
    f.passReply = "481 rejected";
    QTest::newRow("empty password, 481") << f << user << QString() << false
        << QStringLiteral("Error: Authentication failed/rejected (481): check the login and password of this server") << failed << QStringList() << QStringList();
    f = Faults();
    f.passReply = "500 what";
    QTest::newRow("empty password, other reply") << f << user << QString() << false
        << QStringLiteral("Error: Authentication failed (Password is empty)") << failed << QStringList() << QStringList{QStringLiteral("AUTHINFO GENERIC")};
    f = Faults();
    f.passReply = "500 what";
    QTest::newRow("GENERIC accepted") << f << user << pass << true << QString() << none
        << QStringList{QStringLiteral("AUTHINFO GENERIC reader secret")} << QStringList{QStringLiteral("AUTHINFO SIMPLE")};
    f = Faults();
    f.passReply = "500 what";
    f.genericReply = "501 no generic";
    QTest::newRow("SIMPLE accepted") << f << user << pass << true << QString() << none
        << QStringList{QStringLiteral("AUTHINFO SIMPLE"), QStringLiteral("reader secret")} << QStringList();
    f = Faults();
    f.passReply = "500 what";
    f.refuseLogin = true;
    QTest::newRow("every log-in refused") << f << user << pass << false
        << QStringLiteral("Error: Authentication failed on server") << failed
        << QStringList{QStringLiteral("AUTHINFO GENERIC reader secret"), QStringLiteral("AUTHINFO SIMPLE")} << QStringList();
    f = Faults();
    f.loginDelayMs = ShortTimeout + 1000;
    QTest::newRow("no answer to USER") << f << user << pass << false
        << QStringLiteral("Error: No answer from server while sending AUTHINFO USER command") << failed
        << QStringList{QStringLiteral("AUTHINFO USER reader")} << QStringList();
    f = Faults();
    f.closeAfterGreeting = true;
    QTest::newRow("closed after greeting") << f << user << pass << false
        << QStringLiteral("Error: No answer from server while sending AUTHINFO USER command") << failed << QStringList() << QStringList();
}

void tst_NntpConnection::opening()
{
    QFETCH(Faults, faults);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(bool, expectReady);
    QFETCH(QString, expectError);
    QFETCH(int, expectCode);
    QFETCH(QStringList, expectSent);
    QFETCH(QStringList, expectNotSent);

    server.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    if (login.isEmpty() && password.isEmpty())
        server.setCredentials(QString(), QString());
    server.setDefaultConnectionFaults(faults);

    NntpConnection connection;
    connection.setLogin(login);
    connection.setPassword(password);
    connection.setTimeout(ShortTimeout);
    const bool ready = connectTo(connection);
    server.setCredentials(QString(), QString());

    QCOMPARE(ready, expectReady);
    QCOMPARE(connection.isReady(), expectReady);
    QCOMPARE(connection.isConnected(), expectReady);
    QCOMPARE(connection.errorCode(), qint32(expectCode));
    if (!expectReady)
        QCOMPARE(connection.lastError(), expectError);
    const QStringList sent = server.commands();
    for (const QString &line : expectSent)
        QVERIFY2(sent.contains(line), qPrintable(line + QStringLiteral(" not in ") + sent.join(QLatin1Char('|'))));
    for (const QString &prefix : expectNotSent)
        QVERIFY2(!anyStartsWith(sent, prefix), qPrintable(prefix + QStringLiteral(" in ") + sent.join(QLatin1Char('|'))));
    if (expectReady) {
        const QString id = NntpTestArticle::generatedId(1000, 1);
        QVERIFY2(connection.downloadBody(id, tempPath(QStringLiteral("1.tmp"))), qPrintable(connection.lastError()));
    }
}

// A refused log-in reads in the user's language and says what to check, like a missing one.
void tst_NntpConnection::logInRefusalsInGerman_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expectError");
    const QString hint = QStringLiteral(": Prüfen Sie Benutzername und Passwort dieses Servers");
    Faults f;
    QTest::newRow("481 wrong password") << f << QStringLiteral("wrong")
                                        << QStringLiteral("Fehler: Anmeldung abgelehnt (481)") + hint;
    f.passReply = "482 out of sequence";
    QTest::newRow("482") << f << QStringLiteral("secret")
                         << QStringLiteral("Fehler: Anmeldung fehlgeschlagen, Befehle in falscher Reihenfolge (482)") + hint;
    f = Faults();
    f.passReply = "502 unavailable";
    QTest::newRow("502") << f << QStringLiteral("secret") << QStringLiteral("Fehler: Befehl nicht verfügbar (502)") + hint;
    f = Faults();
    f.userReply = "481 no such user";
    QTest::newRow("no 381 to the user") << f << QStringLiteral("secret")
                                        << QStringLiteral("Fehler: Auf AUTHINFO USER kam kein 381, kein Passwort verlangt")
                                               + hint;
}

void tst_NntpConnection::logInRefusalsInGerman()
{
    QFETCH(Faults, faults);
    QFETCH(QString, password);
    QFETCH(QString, expectError);
    QTranslator german;
    QVERIFY(german.load(QStringLiteral("tessaquill_de"), QCoreApplication::applicationDirPath()));
    QVERIFY(QCoreApplication::installTranslator(&german));
    server.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    server.setDefaultConnectionFaults(faults);

    NntpConnection connection;
    connection.setLogin(QStringLiteral("reader"));
    connection.setPassword(password);
    connection.setTimeout(ShortTimeout);
    const bool ready = connectTo(connection);
    server.setCredentials(QString(), QString());
    QCoreApplication::removeTranslator(&german);

    QVERIFY(!ready);
    QCOMPARE(connection.lastError(), expectError);
}

void tst_NntpConnection::openingWithoutServer()
{
    NntpConnection connection;
    QSignalSpy disconnects(&connection, &NntpConnection::signalDisconnect);
    QVERIFY(!connection.connectToServer());
    QCOMPARE(connection.lastError(), QStringLiteral("Error: no server name"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorReply));
    QCOMPARE(disconnects.count(), 1);

    NntpTestServer closed;
    QVERIFY(closed.start());
    const quint16 port = closed.port();
    closed.stop();
    connection.setHost(QStringLiteral("127.0.0.1"));
    connection.setPort(port);
    QVERIFY(!connection.connectToServer());
    QCOMPARE(connection.lastError(), QStringLiteral("Connection refused"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorConnection));
    QVERIFY(!connection.isConnected());

    // A TLS handshake with a plain server fails (failuresSayWhatHappened has its text).
    pointAt(connection, server);
    connection.setSsl(true);
    connection.setTimeout(ShortTimeout);
    QVERIFY(!connection.connectToServer());
    QVERIFY(!connection.lastError().isEmpty());
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorConnection));
    QVERIFY(!connection.isConnected());

    // A peer that takes the connection and never answers the handshake.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    connection.setPort(silent.serverPort());
    QVERIFY(!connection.connectToServer());
    QCOMPARE(connection.lastError(),
             QStringLiteral("Error: the TLS handshake with the server failed (no answer within 1.5 s): is it a TLS "
                            "port (SSL)?"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorConnection));
}

void tst_NntpConnection::openingOverTls()
{
    NntpTestServer tlsServer;
    QVERIFY2(tlsServer.start(true), qPrintable(tlsServer.errorString()));
    tlsServer.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    NntpConnection connection;
    pointAt(connection, tlsServer);
    connection.setLogin(QStringLiteral("reader"));
    connection.setPassword(QStringLiteral("secret"));
    QVERIFY2(connection.connectToServer(), qPrintable(connection.lastError()));

    const QString id = NntpTestArticle::generatedId(750000, 3);
    const QString path = tempPath(QStringLiteral("3.tmp"));
    QVERIFY2(connection.downloadBody(id, path), qPrintable(connection.lastError()));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(NntpTestArticle::generatedBody(750000, 3)));
}

// A peer that stays silent, closes, speaks the other protocol or wants a login is named for what
// it does, never with an empty text. `messageId` empty: the opening fails; otherwise the
// opening succeeds and a first body (when `firstBodyOk`) precedes the one that fails.
void tst_NntpConnection::failuresSayWhatHappened_data()
{
    QTest::addColumn<bool>("serverTls");
    QTest::addColumn<bool>("clientSsl");
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<bool>("loginRequired");
    QTest::addColumn<bool>("firstBodyOk");
    QTest::addColumn<QString>("messageId");
    QTest::addColumn<QString>("expectError");
    QTest::addColumn<int>("expectCode");
    QTest::addColumn<bool>("expectClosedBeforeReply");

    const int failed = NntpConnection::NntpErrorConnection;
    const int lost = NntpConnection::NntpErrorNotConnected;
    const QString good = NntpTestArticle::generatedId(3000, 21);
    Faults f;
    QTest::newRow("plain text to a TLS port") << true << false << f << false << false << QString()
        << "Error: no greeting from the server within 1.5 s: is it a TLS port (SSL)?" << failed << false;
    // The TLS library's own words stand where the "*" is.
    QTest::newRow("TLS to a plain port") << false << true << f << false << false << QString()
        << "Error: the TLS handshake with the server failed (*): is it a TLS port (SSL)?" << failed << false;
    f.greeting = NntpTestServer::Greeting::None;
    QTest::newRow("TLS, no greeting") << true << true << f << false << false << QString()
        << "Error: no greeting from the server within 1.5 s" << failed << false;
    f = Faults();
    f.greeting = NntpTestServer::Greeting::None;
    f.closeAfterGreeting = true;
    QTest::newRow("closed before the greeting") << false << false << f << false << false << QString()
        << "Error: the server closed the connection before its greeting" << failed << false;
    f = Faults();
    QTest::newRow("login wanted for BODY") << false << false << f << true << false << good
        << "Error: the server requires a login (480 authentication required): check the login and password of "
           "this server"
        << failed << false;
    f.closeAfterBody = true;
    QTest::newRow("closed after the article before") << false << false << f << false << true << good
        << "Error: the server closed the connection" << lost << true;
    f = Faults();
    QTest::newRow("BODY never answered") << false << false << f << false << false
        << NntpTestArticle::generatedId(3000, 22, Fault::NoStatus)
        << "Error : no answer from server since 1 seconds" << lost << false;
}

void tst_NntpConnection::failuresSayWhatHappened()
{
    QFETCH(bool, serverTls);
    QFETCH(bool, clientSsl);
    QFETCH(Faults, faults);
    QFETCH(bool, loginRequired);
    QFETCH(bool, firstBodyOk);
    QFETCH(QString, messageId);
    QFETCH(QString, expectError);
    QFETCH(int, expectCode);
    QFETCH(bool, expectClosedBeforeReply);

    NntpTestServer peer;
    QVERIFY2(peer.start(serverTls), qPrintable(peer.errorString()));
    peer.setDefaultConnectionFaults(faults);
    if (loginRequired)
        peer.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    NntpConnection connection;
    pointAt(connection, peer);
    connection.setSsl(clientSsl);
    connection.setTimeout(ShortTimeout);
    const QString path = tempPath(QStringLiteral("said.tmp"));
    if (messageId.isEmpty()) {
        QVERIFY(!connection.connectToServer());
        QVERIFY(!connection.isConnected());
    } else {
        QVERIFY2(connection.connectToServer(), qPrintable(connection.lastError()));
        if (firstBodyOk)
            QVERIFY2(connection.downloadBody(messageId, path), qPrintable(connection.lastError()));
        QVERIFY(!connection.downloadBody(messageId, path));
        QVERIFY(!QFile::exists(path));
    }
    const QStringList around = expectError.split(QLatin1Char('*'));
    if (around.size() == 2)
        QVERIFY2(connection.lastError().startsWith(around.first()) && connection.lastError().endsWith(around.last())
                     && connection.lastError().size() > expectError.size(),
                 qPrintable(connection.lastError()));
    else
        QCOMPARE(connection.lastError(), expectError);
    QCOMPARE(connection.errorCode(), qint32(expectCode));
    QCOMPARE(connection.closedBeforeReply(), expectClosedBeforeReply);
}

// Every outcome of a body transfer; a failure never leaves the temporary file behind.
void tst_NntpConnection::body_data()
{
    QTest::addColumn<QString>("messageId");
    QTest::addColumn<bool>("expectOk");
    QTest::addColumn<QString>("expectError");
    QTest::addColumn<int>("expectCode");
    QTest::addColumn<bool>("expectBodySent");

    const int reply = NntpConnection::NntpErrorReply;
    const int lost = NntpConnection::NntpErrorNotConnected;
    QTest::newRow("complete") << NntpTestArticle::generatedId(5000, 7) << true << QString() << int(NntpConnection::NntpErrorNone) << true;
    QTest::newRow("status line split across packets") << NntpTestArticle::generatedId(5000, 7, Fault::SplitStatus)
        << true << QString() << int(NntpConnection::NntpErrorNone) << true;
    QTest::newRow("no such article") << NntpTestArticle::generatedId(5000, 7, Fault::Missing)
        << false << QStringLiteral("430 no such article\r\n") << reply << true;
    QTest::newRow("no such number") << QStringLiteral("987654") << false << QStringLiteral("423 no article with that number\r\n") << reply << true;
    QTest::newRow("stall in the body") << NntpTestArticle::generatedId(200000, 7, Fault::Stall)
        << false << QStringLiteral("Error : no answer from server since 1 seconds") << lost << true;
    QTest::newRow("dropped in the body") << NntpTestArticle::generatedId(200000, 7, Fault::Drop)
        << false << QStringLiteral("Error : disconnected from server") << lost << true;
    QTest::newRow("body never ends") << NntpTestArticle::generatedId(1000, 7, Fault::Endless)
        << false << QStringLiteral("Error : article body larger than 16777216 bytes") << lost << true;
    QTest::newRow("empty id") << QStringLiteral("   ") << false << QStringLiteral("Error: Message Id is not valid") << reply << false;
    QTest::newRow("id with CR LF") << QStringLiteral("a@b>\r\nPOST\r\n<c@d") << false << QStringLiteral("Error: Message Id is not valid") << reply << false;
    QTest::newRow("id with LF") << QStringLiteral("a@b\nQUIT") << false << QStringLiteral("Error: Message Id is not valid") << reply << false;
    QTest::newRow("id with NUL") << QString(QStringLiteral("a@b") + QChar(0) + QStringLiteral("x")) << false << QStringLiteral("Error: Message Id is not valid") << reply << false;
}

void tst_NntpConnection::body()
{
    QFETCH(QString, messageId);
    QFETCH(bool, expectOk);
    QFETCH(QString, expectError);
    QFETCH(int, expectCode);
    QFETCH(bool, expectBodySent);

    NntpConnection connection;
    connection.setTimeout(ShortTimeout);
    QVERIFY(connectTo(connection));
    QSignalSpy bodies(&connection, &NntpConnection::signalBody);
    const QString path = tempPath(QStringLiteral("seg.tmp"));
    const bool ok = connection.downloadBody(messageId, path);

    QCOMPARE(ok, expectOk);
    QCOMPARE(connection.errorCode(), qint32(expectCode));
    if (!expectOk)
        QCOMPARE(connection.lastError(), expectError);
    QCOMPARE(QFile::exists(path), expectOk);
    QCOMPARE(anyStartsWith(server.commands(), QStringLiteral("BODY")), expectBodySent);
    QCOMPARE(bodies.count(), (expectOk || expectCode == NntpConnection::NntpErrorNotConnected) ? 1 : 0);
    if (expectOk)
        QCOMPARE(bodies.first().first().toString(), messageId);
}

// The time-out counts silence, not the length of the transfer.
void tst_NntpConnection::slowBodyIsNotSilence()
{
    Faults throttled;
    throttled.throttleBytesPerSecond = 100000;
    server.queueConnectionFaults(throttled);
    NntpConnection connection;
    connection.setTimeout(ShortTimeout);
    QVERIFY(connectTo(connection));
    const QString path = tempPath(QStringLiteral("slow.tmp"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY2(connection.downloadBody(NntpTestArticle::generatedId(250000, 9), path), qPrintable(connection.lastError()));
    QVERIFY(clock.elapsed() > ShortTimeout);  // the premise: longer than the time-out
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(NntpTestArticle::generatedBody(250000, 9)));
}

// 16 MiB at least, four times the announced size when that is more.
void tst_NntpConnection::bodyCapFollowsAnnouncedSize()
{
    const qint64 size = 17000000;
    const QString id = NntpTestArticle::generatedId(size, 4);
    const QString path = tempPath(QStringLiteral("large.tmp"));
    NntpConnection connection;
    QVERIFY(connectTo(connection));
    QVERIFY(!connection.downloadBody(id, path));
    QCOMPARE(connection.lastError(), QStringLiteral("Error : article body larger than 16777216 bytes"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorNotConnected));
    QVERIFY(!QFile::exists(path));

    QVERIFY(connectTo(connection));
    QVERIFY2(connection.downloadBody(id, path, size / 3), qPrintable(connection.lastError()));
    QCOMPARE(QFileInfo(path).size(), size + 4);
    QCOMPARE(NntpConnection::bodyCapFor(0), NntpConnection::MinimumBodyCap);
    QCOMPARE(NntpConnection::bodyCapFor(qint64(1) << 40), NntpConnection::MaximumBodyCap);
}

void tst_NntpConnection::bodyIsStoredByteExact_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("terminating line alone") << QByteArray();
    QTest::newRow("one plain line") << QByteArray("=ybegin line=128\r\n");
    QTest::newRow("first line dot-stuffed") << QByteArray(".first\r\nsecond\r\n");
    QTest::newRow("lines of dots") << QByteArray("..\r\n.\r\n...x\r\nmid.dle\r\n. \r\n");
    QTest::newRow("empty lines") << QByteArray("\r\n\r\n.\r\n\r\n");
    QTest::newRow("binary bytes") << QByteArray("\x00\x01\xff.\r\n.\x00\r\n", 10);
    QTest::newRow("generated 750 KB") << NntpTestArticle::generatedBody(750000, 11);
    QTest::newRow("generated 3 MB") << NntpTestArticle::generatedBody(3000000, 12);
}

void tst_NntpConnection::bodyIsStoredByteExact()
{
    QFETCH(QByteArray, body);
    const QString id = QStringLiteral("exact%1@test").arg(QTest::currentDataTag()).remove(QLatin1Char(' '));
    server.addArticle(id, body);
    NntpConnection connection;
    QVERIFY(connectTo(connection));
    const QString path = tempPath(QStringLiteral("exact.tmp"));
    QVERIFY2(connection.downloadBody(id, path, body.size()), qPrintable(connection.lastError()));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(body));
    // The next body on the same connection starts clean.
    QVERIFY(connection.downloadBody(id, path));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(body));
}

void tst_NntpConnection::bodyArgumentIsNumberOrBracketedId()
{
    const QByteArray body("numbered\r\n");
    server.addArticle(QStringLiteral("numbered@test"), body, 4711);
    NntpConnection connection;
    QVERIFY(connectTo(connection));
    const QString path = tempPath(QStringLiteral("n.tmp"));
    QVERIFY(connection.downloadBody(QStringLiteral(" 4711 "), path));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(body));
    QVERIFY(connection.downloadBody(QStringLiteral("\tnumbered@test  "), path));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(body));
    const QStringList sent = server.commands();
    QVERIFY(sent.contains(QStringLiteral("BODY 4711")));
    QVERIFY(sent.contains(QStringLiteral("BODY <numbered@test>")));
}

void tst_NntpConnection::bodyWithoutConnection()
{
    NntpConnection connection;
    const QString path = tempPath(QStringLiteral("none.tmp"));
    QVERIFY(!connection.downloadBody(QStringLiteral("a@b"), path));
    QCOMPARE(connection.lastError(), QStringLiteral("Error: not connected"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorNotConnected));
    QVERIFY(!QFile::exists(path));

    // Nor after the connection has been closed.
    QVERIFY(connectTo(connection));
    connection.disconnectFromServer();
    QVERIFY(!connection.isConnected());
    QVERIFY(!connection.downloadBody(QStringLiteral("a@b"), path));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorNotConnected));
}

void tst_NntpConnection::unwritableTemporaryFileSendsNothing()
{
    QFile plainFile(tempPath(QStringLiteral("plain")));
    QVERIFY(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    NntpConnection connection;
    QVERIFY(connectTo(connection));
    const QString path = tempPath(QStringLiteral("plain/1.tmp"));  // under a regular file
    QVERIFY(!connection.downloadBody(NntpTestArticle::generatedId(100, 1), path));
    QCOMPARE(connection.lastError(), QStringLiteral("Error: failed to create temporary file"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorTempFile));
    QVERIFY(!anyStartsWith(server.commands(), QStringLiteral("BODY")));
    QVERIFY(connection.isConnected());
}

// After a refused article the next reply is read as its own, not as the previous one's.
void tst_NntpConnection::refusedBodyLeavesConnectionUsable()
{
    NntpConnection connection;
    QVERIFY(connectTo(connection));
    const QString path = tempPath(QStringLiteral("r.tmp"));
    QVERIFY(!connection.downloadBody(NntpTestArticle::generatedId(100, 1, Fault::Missing), path));
    QVERIFY(connection.isConnected());
    QVERIFY(connection.downloadBody(NntpTestArticle::generatedId(20000, 2, Fault::SplitStatus), path));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(NntpTestArticle::generatedBody(20000, 2)));
    QVERIFY(connection.downloadBody(NntpTestArticle::generatedId(100, 3), path));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(NntpTestArticle::generatedBody(100, 3)));
}

// Only one connection at a time opens (socket, greeting, HELP probe), seen from the
// server's clock; the AUTHINFO log-in of one overlaps the opening of the next.
void tst_NntpConnection::openingIsSerialisedAndLoginIsNot()
{
    const int clients = 4;
    auto openAll = [&](const QString &login, const QString &password) {
        std::atomic<int> ready{0};
        QList<QThread *> threads;
        for (int i = 0; i < clients; ++i) {
            threads.append(QThread::create([&]() {
                NntpConnection connection;
                pointAt(connection, server);
                connection.setLogin(login);
                connection.setPassword(password);
                if (connection.connectToServer())
                    ++ready;
            }));
            threads.last()->start();
        }
        for (QThread *thread : threads) {
            thread->wait();
            delete thread;
        }
        return ready.load();
    };
    auto timesOf = [&](const QString &what) {
        QMap<int, qint64> times;
        for (const NntpTestServer::Event &event : server.events())
            if (event.what.startsWith(what) && !times.contains(event.connection))
                times.insert(event.connection, event.atMs);
        return times;
    };

    Faults slowGreeting;
    slowGreeting.greetingDelayMs = 150;
    server.setDefaultConnectionFaults(slowGreeting);
    QCOMPARE(openAll(QString(), QString()), clients);
    QMap<int, qint64> accepted = timesOf(QStringLiteral("accept"));
    const QMap<int, qint64> probed = timesOf(QStringLiteral("HELP"));
    QCOMPARE(accepted.size(), clients);
    const QList<int> order = accepted.keys();
    for (int i = 1; i < order.size(); ++i)
        QVERIFY2(accepted.value(order.at(i)) >= probed.value(order.at(i - 1)),
                 qPrintable(QStringLiteral("connection %1 opened before %2 finished its HELP probe").arg(order.at(i)).arg(order.at(i - 1))));

    server.clearEvents();
    Faults slowLogin;
    slowLogin.loginDelayMs = 300;
    server.setDefaultConnectionFaults(slowLogin);
    server.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    const int loggedIn = openAll(QStringLiteral("reader"), QStringLiteral("secret"));
    server.setCredentials(QString(), QString());
    QCOMPARE(loggedIn, clients);
    accepted = timesOf(QStringLiteral("accept"));
    const QMap<int, qint64> passwords = timesOf(QStringLiteral("AUTHINFO PASS"));
    const QList<int> loginOrder = accepted.keys();
    for (int i = 1; i < loginOrder.size(); ++i)
        QVERIFY2(accepted.value(loginOrder.at(i)) < passwords.value(loginOrder.at(i - 1)),
                 qPrintable(QStringLiteral("connection %1 waited for the log-in of %2").arg(loginOrder.at(i)).arg(loginOrder.at(i - 1))));
}

// With a limit the transfer keeps to it (within 20 %) over five seconds, while a sampler
// feeds the average speed as the connection thread does.
void tst_NntpConnection::limiterHoldsTheRate()
{
    const quint64 limit = 400000;
    NntpConnection connection;
    QVERIFY(connectTo(connection));
    connection.setSpeedLimit(limit);
    std::atomic<bool> sampling{true};
    QThread *sampler = QThread::create([&]() {
        while (sampling.load()) {
            QThread::msleep(1000);
            connection.downloadSpeedTimeout();
        }
    });
    sampler->start();

    const QString path = tempPath(QStringLiteral("limited.tmp"));
    QVERIFY(connection.downloadBody(NntpTestArticle::generatedId(20000, 1), path));  // starts the read clock
    const qint64 size = 1000000;
    const qint64 onWire = NntpTestArticle::wireBody(NntpTestArticle::generatedBody(size, 2)).size();
    QElapsedTimer clock;
    clock.start();
    QVERIFY(connection.downloadBody(NntpTestArticle::generatedId(size, 2), path));
    QVERIFY(connection.downloadBody(NntpTestArticle::generatedId(size, 2), path));
    const double seconds = clock.elapsed() / 1000.0;
    sampling.store(false);
    sampler->wait();
    delete sampler;

    const double rate = 2 * onWire / seconds;
    qInfo("limit %llu B/s, measured %.0f B/s over %.2f s", limit, rate, seconds);
    QVERIFY2(rate > limit * 0.8 && rate < limit * 1.2, qPrintable(QString::number(rate)));
}

// B bytes within one sampling second, then nothing: B/10 three times, then 0; the stored
// average stays B/10.
void tst_NntpConnection::samplesAverageTenSeconds()
{
    NntpConnection connection;
    QVERIFY(connectTo(connection));
    const qint64 size = 250000;
    const quint64 onWire = static_cast<quint64>(NntpTestArticle::wireBody(NntpTestArticle::generatedBody(size, 5)).size());
    QVERIFY(connection.downloadBody(NntpTestArticle::generatedId(size, 5), tempPath(QStringLiteral("s.tmp"))));

    QSignalSpy speeds(&connection, &NntpConnection::signalAverageSpeed);
    for (int second = 0; second < 5; ++second)
        connection.downloadSpeedTimeout();
    QList<quint64> emitted;
    for (const QList<QVariant> &arguments : qAsConst(speeds))
        emitted.append(arguments.first().value<quint64>());
    QCOMPARE(emitted, (QList<quint64>{onWire / 10, onWire / 10, onWire / 10, 0, 0}));
    QCOMPARE(connection.averageSpeed(), onWire / 10);
}

void tst_NntpConnection::furtherCommands()
{
    NntpConnection connection;
    QStringList words;
    QVERIFY(!connection.getStat(words));
    QCOMPARE(connection.lastError(), QStringLiteral("Error: not connected"));
    QVERIFY(connectTo(connection));

    QDateTime date;
    QVERIFY(connection.getDate(date));
    QVERIFY(qAbs(date.secsTo(QDateTime::currentDateTimeUtc().toLocalTime())) < 24 * 3600 + 60);
    QStringList stat;
    QVERIFY(!connection.getStat(stat));
    QCOMPARE(connection.lastError(), QStringLiteral("412 no newsgroup selected\r\n"));
    QString capabilities;
    QVERIFY(connection.getCapabilities(capabilities));
    QVERIFY(capabilities.contains(QStringLiteral("READER\r\n")));
    QStringList groups;
    QVERIFY(connection.listGroups(groups));
    QCOMPARE(groups, QStringList{QStringLiteral("alt.binaries.test")});
    QVERIFY(connection.selectGroup(QStringLiteral("alt.binaries.test"), words));
    QCOMPARE(words.last(), QStringLiteral("alt.binaries.test"));
    QVERIFY(!connection.selectGroup(QStringLiteral("alt.none"), words));
    QCOMPARE(connection.lastError(), QStringLiteral("411 no such group\r\n"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorReply));
    words.clear();
    QVERIFY(connection.statArticle(NntpTestArticle::generatedId(10, 1), words));
    QCOMPARE(words.value(1), QStringLiteral("<%1>").arg(NntpTestArticle::generatedId(10, 1)));
    QVERIFY(!connection.statArticle(QStringLiteral(" "), words));
    QCOMPARE(connection.lastError(), QStringLiteral("Error: no STAT result"));
    QVERIFY(!connection.statArticle(NntpTestArticle::generatedId(10, 1, Fault::Missing), words));
    QCOMPARE(connection.lastError(), QStringLiteral("430 no such article\r\n"));
    QString help;
    QVERIFY(connection.getHelp(help));
    QVERIFY(help.contains(QStringLiteral("body")));
}

// An opening or transfer that waits on a silent server ends soon after another thread calls it
// off, not at its time-out; nothing is left on disk.
void tst_NntpConnection::cancelledFromAnotherThread_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QString>("messageId");
    QTest::addColumn<QString>("callOffAfter");

    Faults silent;
    silent.greeting = NntpTestServer::Greeting::None;
    Faults endlessHelp;
    endlessHelp.helpText = NntpTestServer::HelpText::Silence;
    QTest::newRow("greeting never comes") << silent << QString() << "accept";
    QTest::newRow("HELP reply never ends") << endlessHelp << QString() << "HELP";
    QTest::newRow("body stalls") << Faults() << NntpTestArticle::generatedId(400000, 8, Fault::Stall) << "BODY";
    // At 2 MB/s the size cap is eight seconds away: the call-off, not the cap, ends the body.
    Faults paced;
    paced.throttleBytesPerSecond = 2 * 1024 * 1024;
    QTest::newRow("body without end") << paced << NntpTestArticle::generatedId(1000, 9, Fault::Endless) << "BODY";
}

void tst_NntpConnection::cancelledFromAnotherThread()
{
    QFETCH(Faults, faults);
    QFETCH(QString, messageId);
    QFETCH(QString, callOffAfter);
    server.setDefaultConnectionFaults(faults);
    const QString path = tempPath(QStringLiteral("cancelled.tmp"));

    NntpConnection connection;
    pointAt(connection, server);
    connection.setTimeout(120000);
    bool ok = true;
    QString error;
    QThread *worker = QThread::create([&]() {
        ok = connection.connectToServer();
        if (ok && !messageId.isEmpty())
            ok = connection.downloadBody(messageId, path);
        error = connection.lastError();
        connection.disconnectFromServer();
    });
    worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(anyEventStartsWith(server, callOffAfter), 20000);
    connection.requestAbort();
    const bool ended = worker->wait(20000);
    if (!ended) {
        server.stop();  // lets the worker go before the test ends
        worker->wait();
    }
    delete worker;
    QVERIFY2(ended, "the call-off was not seen: the operation waits for its time-out");
    QVERIFY(!ok);
    QCOMPARE(error, QStringLiteral("Error: cancelled"));
    QVERIFY(!QFile::exists(path));
}

// A server that never greets, or never ends its HELP reply, holds the connect mutex only for a
// bounded time: a second connection opens long before the first one's time-out.
void tst_NntpConnection::stuckOpeningLetsOthersOpen_data()
{
    QTest::addColumn<Faults>("stuck");
    QTest::addColumn<QString>("stuckAt");
    Faults silent;
    silent.greeting = NntpTestServer::Greeting::None;
    Faults endlessHelp;
    endlessHelp.helpText = NntpTestServer::HelpText::Silence;
    QTest::newRow("greeting never comes") << silent << "accept";
    QTest::newRow("HELP reply never ends") << endlessHelp << "HELP";
}

void tst_NntpConnection::stuckOpeningLetsOthersOpen()
{
    QFETCH(Faults, stuck);
    QFETCH(QString, stuckAt);
    server.queueConnectionFaults(stuck);

    NntpConnection first;
    pointAt(first, server);
    first.setTimeout(120000);
    bool firstOk = true;
    QString firstError;
    QThread *firstWorker = QThread::create([&]() {
        firstOk = first.connectToServer();
        firstError = first.lastError();
    });
    firstWorker->start();
    QTRY_VERIFY_WITH_TIMEOUT(anyEventStartsWith(server, stuckAt), 20000);

    NntpConnection second;
    pointAt(second, server);
    second.setTimeout(120000);
    bool secondOk = false;
    QThread *secondWorker = QThread::create([&]() {
        secondOk = second.connectToServer();
        second.disconnectFromServer();
    });
    secondWorker->start();
    const bool secondEnded = secondWorker->wait(60000);
    const bool firstStillWaiting = firstWorker->isRunning();
    first.requestAbort();
    firstWorker->wait();
    secondWorker->wait();
    delete firstWorker;
    delete secondWorker;

    QVERIFY2(secondEnded, "the second opening waited for the first one's time-out");
    QVERIFY(secondOk);
    QVERIFY2(firstStillWaiting, "the stuck opening gave up instead of waiting out its reply");
    QVERIFY(!firstOk);
    QCOMPARE(firstError, QStringLiteral("Error: cancelled"));
}

// A reply without end (a line that never gets its line feed, or text lines that never reach the
// terminating line, fast or slow) fails the operation soon with its own error and takes little
// memory; the connection then opens again and downloads.
void tst_NntpConnection::endlessReplies_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QString>("messageId");
    QTest::addColumn<QString>("expectError");
    QTest::addColumn<int>("expectCode");

    const int opening = NntpConnection::NntpErrorConnection;
    const QString longLine = QStringLiteral("Error: reply line longer than 65536 bytes");
    Faults f;
    f.greeting = NntpTestServer::Greeting::Endless;
    QTest::newRow("greeting without line feed") << f << QString() << longLine << opening;
    f = Faults();
    f.helpText = NntpTestServer::HelpText::EndlessLine;
    QTest::newRow("HELP line without line feed") << f << QString() << longLine << opening;
    f = Faults();
    f.helpText = NntpTestServer::HelpText::EndlessLines;
    QTest::newRow("HELP text without end") << f << QString() << QStringLiteral("Error: reply text longer than 1048576 bytes")
                                           << opening;
    // Never silent for a whole time-out, never large: only the deadline of the whole reply
    // (twice the time-out) ends it.
    f.helpLinePauseMs = 50;
    QTest::newRow("HELP text dripping without end")
        << f << QString() << QStringLiteral("Error: reply text not complete within 3 seconds") << opening;
    QTest::newRow("BODY status line without line feed")
        << Faults() << NntpTestArticle::generatedId(1000, 3, Fault::EndlessStatus) << longLine
        << int(NntpConnection::NntpErrorNotConnected);
}

void tst_NntpConnection::endlessReplies()
{
    QFETCH(Faults, faults);
    QFETCH(QString, messageId);
    QFETCH(QString, expectError);
    QFETCH(int, expectCode);
    server.setDefaultConnectionFaults(faults);
    const QString path = tempPath(QStringLiteral("endless.tmp"));
    QVERIFY(ProcessMemory::resetPeak());

    NntpConnection connection;
    connection.setTimeout(ShortTimeout);
    bool ok = connectTo(connection);
    if (!messageId.isEmpty()) {
        QVERIFY2(ok, qPrintable(connection.lastError()));
        ok = connection.downloadBody(messageId, path);
    }
    QVERIFY(!ok);
    QCOMPARE(connection.lastError(), expectError);
    QCOMPARE(connection.errorCode(), qint32(expectCode));
    QVERIFY(!QFile::exists(path));
    const qint64 peak = ProcessMemory::peakBytes();
    QVERIFY2(peak < 256 * 1024 * 1024, qPrintable(QStringLiteral("peak memory %1 bytes").arg(peak)));

    server.setDefaultConnectionFaults(Faults());
    QVERIFY2(connectTo(connection), qPrintable(connection.lastError()));
    QVERIFY2(connection.downloadBody(NntpTestArticle::generatedId(5000, 3), path), qPrintable(connection.lastError()));
}

QTEST_GUILESS_MAIN(tst_NntpConnection)
#include "tst_NntpConnection.moc"
