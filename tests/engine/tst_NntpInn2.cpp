// The connection against a real news server: INN 2 (innd + nnrpd) started on 127.0.0.1
// by tests/engine/inn2-server.sh in a private folder, with articles this test posts.
#include "engine/NntpConnection.h"

#include "NntpTestArticle.h"
#include "../support/LoopbackTestHelpers.h"

#include <QDateTime>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString User = QStringLiteral("reader");
const QString Password = QStringLiteral("s3cret");
const QString Group = QStringLiteral("alt.binaries.test");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A small client of our own for what the connection does not do: posting.
class Poster
{
public:
    bool open(quint16 port, QString &error)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(10000)) {
            error = socket.errorString();
            return false;
        }
        const QByteArray greeting = line();
        if (!greeting.startsWith("200")) {
            error = QStringLiteral("greeting: ") + QString::fromLatin1(greeting);
            return false;
        }
        return true;
    }

    QByteArray command(const QByteArray &text)
    {
        socket.write(text + "\r\n");
        return line();
    }

    bool post(const QString &messageId, const QByteArray &body, QString &error)
    {
        const QByteArray start = command("POST");
        if (!start.startsWith("340")) {
            error = QStringLiteral("POST: ") + QString::fromLatin1(start);
            return false;
        }
        QByteArray article = "From: Tester <tester@test.invalid>\r\n"
                             "Newsgroups: " + Group.toLatin1() + "\r\n"
                             "Subject: interoperability " + messageId.toLatin1() + "\r\n"
                             "Message-ID: <" + messageId.toLatin1() + ">\r\n\r\n";
        article += NntpTestArticle::wireBody(body);
        socket.write(article);
        const QByteArray done = line();
        if (!done.startsWith("240")) {
            error = QStringLiteral("posting %1: %2").arg(messageId, QString::fromLatin1(done));
            return false;
        }
        return true;
    }

    // True once the server serves the article (the spool may lag the acceptance a little).
    bool waitUntilServed(const QString &messageId)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray status = command("STAT <" + messageId.toLatin1() + ">");
            if (status.startsWith("223"))
                return true;
            QTest::qWait(100);
        }
        return false;
    }

private:
    QByteArray line()
    {
        while (!socket.canReadLine())
            if (!socket.waitForReadyRead(10000))
                return "no answer: " + socket.errorString().toLatin1();
        return socket.readLine();
    }

    QTcpSocket socket;
};

} // namespace

class tst_NntpInn2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readerWithoutLogin();
    void bodyByNumber();
    void loginRequired_data();
    void loginRequired();
    void tlsWithLogin();
    void plainTextToTheTlsPort();

private:
    bool connectTo(NntpConnection &connection, quint16 port, bool tls, const QString &login, const QString &password);
    void checkBodies(NntpConnection &connection);

    std::unique_ptr<QTemporaryDir> base;
    QString serverDir;
    bool started = false;
    quint16 plainPort = 0;
    quint16 authPort = 0;
    quint16 tlsPort = 0;
    QString bigId;
    QString dotsId;
    QByteArray bigBody;
    QByteArray dotsBody;
};

void tst_NntpInn2::initTestCase()
{
    // The server runs as user news, which must reach its folder.
    base = newsReachableTemporaryDir(QStringLiteral("tq-inn2"));
    QVERIFY(base);
    serverDir = base->filePath(QStringLiteral("inn"));

    const QList<quint16> ports = freePorts(4);
    QCOMPARE(ports.size(), 4);
    plainPort = ports.at(1);
    authPort = ports.at(2);
    tlsPort = ports.at(3);
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral(TQ_INN2_SCRIPT),
                 {QStringLiteral("start"), serverDir, QString::number(ports.at(0)), QString::number(plainPort),
                  QString::number(authPort), QString::number(tlsPort), User, Password});
    const bool finished = script.waitForFinished(60000);
    const QString output = QString::fromLocal8Bit(script.readAll());
    started = true;  // stop whatever part of it did start
    if (!finished || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0)
        QFAIL(qPrintable(QStringLiteral("INN 2 could not be started: %1 %2").arg(script.errorString(), output)));

    const qint64 stamp = QDateTime::currentMSecsSinceEpoch();
    bigId = QStringLiteral("big.%1@tq.test.invalid").arg(stamp);
    dotsId = QStringLiteral("dots.%1@tq.test.invalid").arg(stamp);
    bigBody = NntpTestArticle::generatedBody(700000, 42);
    dotsBody = QByteArray("..first line begins with dots\r\n.\r\n..\r\nmiddle\r\n.last\r\n");

    Poster poster;
    QString error;
    QVERIFY2(poster.open(plainPort, error), qPrintable(error));
    QVERIFY2(poster.post(dotsId, dotsBody, error), qPrintable(error));
    QVERIFY2(poster.post(bigId, bigBody, error), qPrintable(error));
    QVERIFY2(poster.waitUntilServed(dotsId), "the posted article is not served");
    QVERIFY2(poster.waitUntilServed(bigId), "the posted article is not served");
}

void tst_NntpInn2::cleanupTestCase()
{
    if (!started)
        return;
    QProcess script;
    script.start(QStringLiteral(TQ_INN2_SCRIPT), {QStringLiteral("stop"), serverDir});
    script.waitForFinished(30000);
}

bool tst_NntpInn2::connectTo(NntpConnection &connection, quint16 port, bool tls, const QString &login, const QString &password)
{
    connection.setHost(QStringLiteral("127.0.0.1"));
    connection.setPort(port);
    connection.setSsl(tls);
    connection.setLogin(login);
    connection.setPassword(password);
    connection.setTimeout(10000);
    return connection.connectToServer();
}

void tst_NntpInn2::checkBodies(NntpConnection &connection)
{
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("1.tmp"));
    QVERIFY2(connection.downloadBody(bigId, path, bigBody.size()), qPrintable(connection.lastError()));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(bigBody));
    QVERIFY2(connection.downloadBody(dotsId, path), qPrintable(connection.lastError()));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(dotsBody));

    QVERIFY(!connection.downloadBody(QStringLiteral("never.posted@tq.test.invalid"), path));
    QCOMPARE(connection.lastError(), QStringLiteral("430 No such article\r\n"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorReply));
    QVERIFY(!QFile::exists(path));
    // The connection goes on after the refusal.
    QVERIFY2(connection.downloadBody(dotsId, path), qPrintable(connection.lastError()));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(dotsBody));
}

void tst_NntpInn2::readerWithoutLogin()
{
    NntpConnection connection;
    QVERIFY2(connectTo(connection, plainPort, false, QString(), QString()), qPrintable(connection.lastError()));
    checkBodies(connection);
}

void tst_NntpInn2::bodyByNumber()
{
    NntpConnection connection;
    QVERIFY2(connectTo(connection, plainPort, false, QString(), QString()), qPrintable(connection.lastError()));
    QStringList words;
    QVERIFY2(connection.selectGroup(Group, words), qPrintable(connection.lastError()));
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("n.tmp"));
    QVERIFY2(connection.downloadBody(QStringLiteral("1"), path), qPrintable(connection.lastError()));
    QCOMPARE(readFile(path), NntpTestArticle::segmentFile(dotsBody));
    QVERIFY(!connection.downloadBody(QStringLiteral("999"), path));
    QVERIFY2(connection.lastError().startsWith(QStringLiteral("423 ")), qPrintable(connection.lastError()));
}

void tst_NntpInn2::loginRequired_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("expectLoggedIn");
    QTest::addColumn<QString>("expectError");
    QTest::newRow("right password") << User << Password << true << QString();
    QTest::newRow("wrong password") << User << QStringLiteral("wrong") << false << QStringLiteral("Error: Authentication failed/rejected (481): check the login and password of this server");
    QTest::newRow("empty password") << User << QString() << false << QStringLiteral("Error: Authentication failed (Password is empty)");
}

void tst_NntpInn2::loginRequired()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(bool, expectLoggedIn);
    QFETCH(QString, expectError);
    NntpConnection connection;
    const bool ready = connectTo(connection, authPort, false, login, password);
    QCOMPARE(ready, expectLoggedIn);
    if (!expectLoggedIn) {
        QCOMPARE(connection.lastError(), expectError);
        QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorConnection));
        return;
    }
    checkBodies(connection);
}

void tst_NntpInn2::tlsWithLogin()
{
    NntpConnection connection;
    QVERIFY2(connectTo(connection, tlsPort, true, User, Password), qPrintable(connection.lastError()));
    checkBodies(connection);

    // Without credentials the HELP probe passes, but the article is refused: the server wants a
    // login, which is no missing article.
    NntpConnection anonymous;
    QVERIFY2(connectTo(anonymous, tlsPort, true, QString(), QString()), qPrintable(anonymous.lastError()));
    QTemporaryDir files;
    const QString path = files.filePath(QStringLiteral("a.tmp"));
    QVERIFY(!anonymous.downloadBody(bigId, path));
    QCOMPARE(anonymous.lastError(), QStringLiteral("Error: the server requires a login (480 Authentication required "
                                                   "for command): check the login and password of this server"));
    QCOMPARE(anonymous.errorCode(), qint32(NntpConnection::NntpErrorConnection));
    QVERIFY(!QFile::exists(path));
}

// A plain client on the TLS port hears nothing: the text says what to look at.
void tst_NntpInn2::plainTextToTheTlsPort()
{
    NntpConnection connection;
    connection.setHost(QStringLiteral("127.0.0.1"));
    connection.setPort(tlsPort);
    connection.setTimeout(2000);
    QVERIFY(!connection.connectToServer());
    QCOMPARE(connection.lastError(),
             QStringLiteral("Error: no greeting from the server within 2 s: is it a TLS port (SSL)?"));
    QCOMPARE(connection.errorCode(), qint32(NntpConnection::NntpErrorConnection));
}

QTEST_GUILESS_MAIN(tst_NntpInn2)
#include "tst_NntpInn2.moc"
