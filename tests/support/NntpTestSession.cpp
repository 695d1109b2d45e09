#include "NntpTestSession.h"

#include <QDateTime>
#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpSocket>

#include <memory>

namespace {

const int PollMs = 20;
const int HandshakeTimeoutMs = 10000;
const int SplitPauseMs = 150;
// Above this much buffered output a writer waits for the socket to drain.
const qint64 WriteHighWater = 4 * 1024 * 1024;

QByteArray firstWord(const QByteArray &text)
{
    const int blank = text.indexOf(' ');
    return blank < 0 ? text : text.left(blank);
}

QByteArray afterFirstWord(const QByteArray &text)
{
    const int blank = text.indexOf(' ');
    return blank < 0 ? QByteArray() : text.mid(blank + 1).trimmed();
}

} // namespace

NntpTestSession::NntpTestSession(NntpTestServer *server, qintptr descriptor, int number,
                                 const NntpTestServer::ConnectionFaults &faults)
    : server(server), descriptor(descriptor), number(number), faults(faults)
{
    setObjectName(QStringLiteral("nntp-test-session"));
}

void NntpTestSession::run()
{
    std::unique_ptr<QTcpSocket> owned(server->isTls() ? new QSslSocket() : new QTcpSocket());
    socket = owned.get();
    if (openSocket()) {
        sendGreeting();
        if (faults.closeAfterGreeting)
            flush();
        else
            serveCommands();
    }
    socket->abort();
    server->record(number, QStringLiteral("close"));
    socket = nullptr;
}

bool NntpTestSession::openSocket()
{
    if (!socket->setSocketDescriptor(descriptor))
        return false;
    server->record(number, QStringLiteral("accept"));
    if (!server->isTls())
        return true;
    QSslSocket *sslSocket = static_cast<QSslSocket *>(socket);
    QFile certificate(server->certificatePath());
    QFile key(server->keyPath());
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        return false;
    sslSocket->setLocalCertificate(QSslCertificate(&certificate, QSsl::Pem));
    sslSocket->setPrivateKey(QSslKey(&key, QSsl::Rsa, QSsl::Pem));
    sslSocket->setPeerVerifyMode(QSslSocket::VerifyNone);
    sslSocket->startServerEncryption();
    return sslSocket->waitForEncrypted(HandshakeTimeoutMs);
}

void NntpTestSession::sendGreeting()
{
    pause(faults.greetingDelayMs);
    switch (faults.greeting) {
    case NntpTestServer::Greeting::Normal:
        sendLine("200 tessaquill test server ready (posting ok)");
        break;
    case NntpTestServer::Greeting::PostingDisabled:
        sendLine("201 tessaquill test server ready (no posting)");
        break;
    case NntpTestServer::Greeting::Wrong:
        sendLine("502 service permanently unavailable");
        break;
    case NntpTestServer::Greeting::None:
        return;
    case NntpTestServer::Greeting::Split:
        sendRaw("20");
        flush();
        pause(SplitPauseMs);
        sendLine("0 tessaquill test server ready (posting ok)");
        break;
    case NntpTestServer::Greeting::Endless:
        server->record(number, QStringLiteral("greeting"));
        sendRaw("200 ");
        sendEndlessLine();
        return;
    }
    flush();
    server->record(number, QStringLiteral("greeting"));
}

void NntpTestSession::serveCommands()
{
    while (!server->stopping()) {
        if (socket->canReadLine()) {
            const QByteArray line = socket->readLine();
            server->record(number, QString::fromLatin1(line.trimmed()));
            if (!handleCommand(line.trimmed()))
                return;
            continue;
        }
        if (!connected())
            return;
        socket->waitForReadyRead(PollMs);
    }
}

bool NntpTestSession::connected() const
{
    return socket->state() == QAbstractSocket::ConnectedState;
}

// Returns false when the connection must end.
bool NntpTestSession::handleCommand(const QByteArray &line)
{
    if (awaitingSimpleLogin) {
        handleSimpleLogin(line);
        return true;
    }
    const QByteArray command = firstWord(line).toUpper();
    const QByteArray argument = afterFirstWord(line);
    if (command == "QUIT") {
        sendLine("205 closing connection");
        flush();
        return false;
    }
    if (command == "AUTHINFO") {
        handleAuthinfo(argument);
    } else if (command == "MODE") {
        sendLine("200 reader mode");
    } else if (command == "HELP") {
        if (faults.helpText != NntpTestServer::HelpText::Normal) {
            sendEndlessHelp();
            return false;
        }
        if (!faults.helpReply.isEmpty())
            sendLine(faults.helpReply);
        else
            sendTextReply("100 help text follows", {"  authinfo user|pass|generic|simple", "  body [<message-id>|number]"});
    } else if (command == "CAPABILITIES") {
        sendTextReply("101 capability list follows", {"VERSION 2", "READER", "AUTHINFO USER"});
    } else if (command == "DATE") {
        sendLine("111 " + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddhhmmss")).toLatin1());
    } else if (!loggedInOrRefuse()) {
        // refused with 480
    } else if (command == "BODY") {
        handleBody(argument);
        if (faults.closeAfterBody) {
            flush();
            return false;
        }
    } else if (command == "STAT") {
        handleStat(argument);
    } else if (command == "GROUP") {
        handleGroup(argument);
    } else if (command == "LIST") {
        QList<QByteArray> lines;
        for (const QString &group : server->groups())
            lines.append(group.toLatin1() + " 0 1 y");
        sendTextReply("215 list of newsgroups follows", lines);
    } else {
        sendLine("500 unknown command");
    }
    return flush();
}

bool NntpTestSession::loggedInOrRefuse()
{
    if (loggedIn || !server->loginRequired())
        return true;
    sendLine("480 authentication required");
    return false;
}

void NntpTestSession::handleAuthinfo(const QByteArray &arguments)
{
    pause(faults.loginDelayMs);
    const QByteArray kind = firstWord(arguments).toUpper();
    const QByteArray value = afterFirstWord(arguments);
    if (kind == "USER") {
        pendingUser = value;
        sendLine(faults.userReply.isEmpty() ? QByteArray("381 password required") : faults.userReply);
    } else if (kind == "PASS") {
        if (!faults.passReply.isEmpty()) {
            sendLine(faults.passReply);
            loggedIn = faults.passReply.startsWith("281");
        } else if (!faults.refuseLogin && server->checkCredentials(QString::fromLatin1(pendingUser), QString::fromLatin1(value))) {
            loggedIn = true;
            sendLine("281 authentication accepted");
        } else {
            sendLine("481 authentication failed");
        }
    } else if (kind == "GENERIC") {
        if (!faults.genericReply.isEmpty()) {
            sendLine(faults.genericReply);
            loggedIn = faults.genericReply.startsWith("281");
            return;
        }
        const bool accepted = !faults.refuseLogin
            && server->checkCredentials(QString::fromLatin1(firstWord(value)), QString::fromLatin1(afterFirstWord(value)));
        loggedIn = accepted;
        sendLine(accepted ? "281 authentication accepted" : "502 authentication failed");
    } else if (kind == "SIMPLE") {
        awaitingSimpleLogin = true;
        sendLine("350 send user and password");
    } else {
        sendLine("501 unknown authinfo");
    }
}

void NntpTestSession::handleSimpleLogin(const QByteArray &line)
{
    awaitingSimpleLogin = false;
    const bool accepted = !faults.refuseLogin
        && server->checkCredentials(QString::fromLatin1(firstWord(line)), QString::fromLatin1(afterFirstWord(line)));
    loggedIn = accepted;
    sendLine(accepted ? "250 authorization accepted" : "452 authorization rejected");
    flush();
}

bool NntpTestSession::lookUp(const QByteArray &argument, QString &messageId, NntpTestArticle &article, QByteArray &refusal)
{
    if (argument.startsWith('<') && argument.endsWith('>')) {
        messageId = QString::fromLatin1(argument.mid(1, argument.size() - 2));
        if (server->findArticle(messageId, article) && article.fault != NntpTestArticle::Fault::Missing)
            return true;
        refusal = "430 no such article";
        return false;
    }
    bool isNumber = false;
    const qint64 articleNumber = argument.toLongLong(&isNumber);
    if (isNumber && server->findArticleByNumber(articleNumber, messageId, article)
        && article.fault != NntpTestArticle::Fault::Missing)
        return true;
    refusal = isNumber ? "423 no article with that number" : "501 syntax error";
    return false;
}

void NntpTestSession::handleBody(const QByteArray &argument)
{
    QString messageId;
    NntpTestArticle article;
    QByteArray refusal;
    if (!lookUp(argument, messageId, article, refusal)) {
        sendLine(refusal);
        return;
    }
    if (article.fault == NntpTestArticle::Fault::WrongStatus) {
        sendLine("412 no newsgroup has been selected");
        return;
    }
    if (article.fault == NntpTestArticle::Fault::NoStatus) {
        waitForClientToLeave();
        return;
    }
    const QByteArray status = "222 0 <" + messageId.toLatin1() + "> body follows";
    if (article.fault == NntpTestArticle::Fault::EndlessStatus) {
        sendRaw(status);
        sendEndlessLine();
        return;
    }
    if (article.fault == NntpTestArticle::Fault::SplitStatus) {
        sendRaw(status.left(2));
        flush();
        pause(SplitPauseMs);
        sendLine(status.mid(2));
    } else {
        sendLine(status);
    }
    if (article.fault == NntpTestArticle::Fault::Endless) {
        sendEndless();
        return;
    }
    sendBody(messageId, article);
}

void NntpTestSession::sendBody(const QString &messageId, const NntpTestArticle &article)
{
    const QByteArray wire = server->wireBodyOf(messageId, article);
    if (article.fault == NntpTestArticle::Fault::Stall || article.fault == NntpTestArticle::Fault::Drop) {
        sendRaw(wire.left(wire.size() / 2));
        flush();
        if (article.fault == NntpTestArticle::Fault::Stall)
            waitForClientToLeave();
        socket->disconnectFromHost();
        return;
    }
    sendRaw(wire);
}

// Lines without end until the client goes away or the server stops.
void NntpTestSession::sendEndless()
{
    const QByteArray chunk = NntpTestArticle::generatedBody(256 * 1024, 1);
    while (!server->stopping() && connected()) {
        sendRaw(chunk);
        if (!flush())
            break;
    }
}

// One line that never ends: bytes without a line feed until the client goes away.
void NntpTestSession::sendEndlessLine()
{
    const QByteArray chunk(256 * 1024, 'x');
    while (!server->stopping() && connected()) {
        sendRaw(chunk);
        if (!flush())
            break;
    }
}

// A HELP reply whose text does not end as it should; the connection ends with it.
void NntpTestSession::sendEndlessHelp()
{
    sendLine("100 help text follows");
    switch (faults.helpText) {
    case NntpTestServer::HelpText::Silence:
        sendLine("  body [<message-id>|number]");
        flush();
        waitForClientToLeave();
        break;
    case NntpTestServer::HelpText::EndlessLine:
        sendEndlessLine();
        break;
    case NntpTestServer::HelpText::EndlessLines:
        // Without a pause, many lines a write.
        for (qint64 line = 0; !server->stopping() && connected();) {
            QByteArray lines;
            do {
                lines += "  help line " + QByteArray::number(line++) + ' ' + QByteArray(64, 'h') + "\r\n";
            } while (faults.helpLinePauseMs == 0 && lines.size() < 256 * 1024);
            sendRaw(lines);
            if (!flush())
                break;
            pause(faults.helpLinePauseMs);
        }
        break;
    case NntpTestServer::HelpText::Normal:
        break;
    }
}

void NntpTestSession::waitForClientToLeave()
{
    while (!server->stopping() && connected())
        socket->waitForReadyRead(PollMs);
}

// A status line, lines of text and the terminating line; with the fault, the parts
// arrive apart.
void NntpTestSession::sendTextReply(const QByteArray &status, const QList<QByteArray> &lines)
{
    sendLine(status);
    for (const QByteArray &line : lines) {
        if (faults.textReplyPauseMs > 0) {
            flush();
            pause(faults.textReplyPauseMs);
        }
        sendLine(line.startsWith('.') ? '.' + line : line);
    }
    if (faults.textReplyPauseMs > 0) {
        flush();
        pause(faults.textReplyPauseMs);
    }
    sendLine(".");
}

void NntpTestSession::sendLine(const QByteArray &line)
{
    sendRaw(line + "\r\n");
}

// Writes at the connection's throttle, if any; large writes wait for the socket to drain.
void NntpTestSession::sendRaw(const QByteArray &data)
{
    const quint64 rate = faults.throttleBytesPerSecond;
    if (rate == 0) {
        socket->write(data);
        if (socket->bytesToWrite() > WriteHighWater)
            flush();
        return;
    }
    const int slice = static_cast<int>(qMax<quint64>(1, rate / 50));  // every 20 ms
    QElapsedTimer clock;
    clock.start();
    qint64 sent = 0;
    for (int pos = 0; pos < data.size() && connected() && !server->stopping(); pos += slice) {
        const QByteArray part = data.mid(pos, slice);
        socket->write(part);
        flush();
        sent += part.size();
        const qint64 due = static_cast<qint64>(static_cast<quint64>(sent) * 1000 / rate);
        if (due > clock.elapsed())
            QThread::msleep(static_cast<unsigned long>(due - clock.elapsed()));
    }
}

// Waits until everything written has left; false when the connection is gone.
bool NntpTestSession::flush()
{
    while (socket->bytesToWrite() > 0) {
        if (!connected() || server->stopping())
            return false;
        socket->waitForBytesWritten(PollMs);
    }
    return connected();
}

void NntpTestSession::pause(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void NntpTestSession::handleGroup(const QByteArray &argument)
{
    if (server->groups().contains(QString::fromLatin1(argument)))
        sendLine("211 0 1 0 " + argument);
    else
        sendLine("411 no such group");
}

void NntpTestSession::handleStat(const QByteArray &argument)
{
    QString messageId;
    NntpTestArticle article;
    QByteArray refusal;
    if (argument.isEmpty()) {
        sendLine("412 no newsgroup selected");
        return;
    }
    if (!lookUp(argument, messageId, article, refusal)) {
        sendLine(refusal);
        return;
    }
    sendLine("223 " + QByteArray::number(qMax<qint64>(article.number, 0)) + " <" + messageId.toLatin1() + ">");
}
