#include "engine/NntpConnection.h"

#include "engine/BodyBuffer.h"
#include "engine/BodyMemoryBudget.h"

#include <QAuthenticator>
#include <QDataStream>
#include <QFile>
#include <QMetaType>
#include <QMutexLocker>
#include <QNetworkProxy>
#include <QSslSocket>
#include <QTcpSocket>
#include <QThread>

#include <chrono>
#include <cstring>

namespace {

const qint32 DefaultPort = 119;
const qint32 DefaultTimeout = 30000;
const int SpeedSampleCount = 10;
// A limited connection reads at least this much per pass and sleeps between passes.
const qint64 LimitedMinimumRead = 153;
const unsigned long LimitedPassSleepMs = 10;
// Longest single wait for data while the connection is silent, so that the silence
// deadline and a changed time-out are checked often enough.
const int SilencePollMs = 100;
// How often a connection waiting for its turn to open looks whether it was called off.
const int AbortPollMs = 50;

} // namespace

QMutex NntpConnection::connectMutex;

NntpConnection::NntpConnection(QObject *parent)
    : QObject(parent),
      socket(nullptr),
      port(DefaultPort),
      timeout(DefaultTimeout),
      ssl(false),
      ready(false),
      iErrorCode(NntpErrorNone),
      bytesSinceLastSample(0),
      uiAverageSpeed(0),
      uiSpeedLimit(0)
{
    for (int i = 0; i < SpeedSampleCount; ++i)
        speedSamples.append(0);
    qRegisterMetaType<QNetworkProxy>("QNetworkProxy");
}

NntpConnection::~NntpConnection()
{
    disconnectFromServer();
}

void NntpConnection::setHost(const QString &value) { host = value; }
void NntpConnection::setLogin(const QString &value) { login = value; }
void NntpConnection::setPassword(const QString &value) { password = value; }
void NntpConnection::setSsl(bool value) { ssl = value; }
void NntpConnection::setSpeedLimit(quint64 bytesPerSecond) { uiSpeedLimit.store(bytesPerSecond); }

void NntpConnection::setPort(int value)
{
    port = value <= 0 ? DefaultPort : value;
}

void NntpConnection::setTimeout(int milliseconds)
{
    timeout.store(milliseconds <= 1000 ? DefaultTimeout : milliseconds);
}

bool NntpConnection::isConnected() const
{
    return socket && socket->state() == QAbstractSocket::ConnectedState;
}

void NntpConnection::setError(const QString &text, qint32 code)
{
    strLastError = text;
    iErrorCode = code;
}

// ---------------------------------------------------------------------------------------
// Opening and log-in

bool NntpConnection::connectToServer()
{
    // One connection opens at a time; waiting for the turn ends when the opening is called off.
    std::unique_lock<QMutex> opening(connectMutex, std::defer_lock);
    while (!opening.try_lock_for(std::chrono::milliseconds(AbortPollMs))) {
        if (abortRequested.load())
            return failOpening(cancelledText());
    }
    struct OpeningLockScope {
        NntpConnection *connection;
        ~OpeningLockScope() { connection->openingLock = nullptr; }
    } scope{this};
    openingLock = &opening;
    openingClock.start();

    iErrorCode = NntpErrorNone;
    disconnectFromServer();

    if (host.isEmpty()) {
        setError(QStringLiteral("Error: no server name"), NntpErrorReply);
        return false;
    }
    // From here on the connection is being opened, whatever step it takes long over.
    emit signalConnect();
    if (abortRequested.load())
        return failOpening(cancelledText());
    if (!openSocket() || !readGreeting())
        return false;

    if (login.isEmpty() && password.isEmpty()) {
        ready = true;
        QString helpText;
        if (!getHelp(helpText))
            return failOpening(abortRequested.load() ? cancelledText() : strLastError);
        return true;
    }
    // The log-in may be slow; other connections may open meanwhile.
    if (opening.owns_lock())
        opening.unlock();
    return logIn();
}

QString NntpConnection::cancelledText()
{
    return QStringLiteral("Error: cancelled");
}

// An opening that has held the connect mutex for ConnectMutexHoldMs lets the next one start;
// it goes on without the mutex.
void NntpConnection::releaseLongHeldOpeningLock()
{
    if (openingLock && openingLock->owns_lock() && openingClock.elapsed() >= ConnectMutexHoldMs)
        openingLock->unlock();
}

// Drops the connection; the error is set afterwards, since dropping resets the code.
bool NntpConnection::failOpening(const QString &text)
{
    disconnectFromServer();
    setError(text, NntpErrorConnection);
    return false;
}

bool NntpConnection::openSocket()
{
    QElapsedTimer waited;
    waited.start();
    if (ssl) {
        if (!QSslSocket::supportsSsl())
            return failOpening(QStringLiteral("This platform does not support SSL"));
        QSslSocket *sslSocket = new QSslSocket();
        socket = sslSocket;
        connect(socket, &QAbstractSocket::proxyAuthenticationRequired,
                this, &NntpConnection::socketProxyAuthenticationRequired);
        sslSocket->setPeerVerifyMode(QSslSocket::VerifyNone);
        sslSocket->ignoreSslErrors();
        sslSocket->connectToHostEncrypted(host, static_cast<quint16>(port), QIODevice::ReadWrite);
        if (!sslSocket->waitForConnected(timeout.load()))
            return failOpening(abortRequested.load() ? cancelledText() : socket->errorString());
        if (!waitForEncryption(waited))
            return failOpening(abortRequested.load() ? cancelledText() : handshakeFailedText());
        return true;
    }
    socket = new QTcpSocket();
    connect(socket, &QAbstractSocket::proxyAuthenticationRequired,
            this, &NntpConnection::socketProxyAuthenticationRequired);
    socket->connectToHost(host, static_cast<quint16>(port), QIODevice::ReadWrite);
    if (!socket->waitForConnected(timeout.load()))
        return failOpening(socket->errorString());
    return true;
}

// The TLS handshake of a connected socket, within the time-out counted by `waited`, in short
// waits so that a call-off is seen and the connect mutex is not held past its bound.
bool NntpConnection::waitForEncryption(QElapsedTimer &waited)
{
    QSslSocket *sslSocket = static_cast<QSslSocket *>(socket);
    while (!sslSocket->isEncrypted()) {
        if (abortRequested.load())
            return false;
        releaseLongHeldOpeningLock();
        const qint64 remaining = timeout.load() - waited.elapsed();
        if (remaining <= 0)
            return false;
        if (!sslSocket->waitForEncrypted(static_cast<int>(qMin<qint64>(remaining, SilencePollMs)))
            && (sslSocket->state() != QAbstractSocket::ConnectedState
                || sslSocket->error() != QAbstractSocket::SocketTimeoutError))
            return sslSocket->isEncrypted();
    }
    return true;
}

// The TCP connection stands but TLS could not be set up over it.
QString NntpConnection::handshakeFailedText() const
{
    const QString cause = socket->error() == QAbstractSocket::SocketTimeoutError
                              ? tr("no answer within %1 s").arg(secondsText(timeout.load()))
                              : socket->errorString();
    return tr("Error: the TLS handshake with the server failed (%1): is it a TLS port (SSL)?").arg(cause);
}

bool NntpConnection::readGreeting()
{
    QByteArray greeting;
    const LineRead read = readReplyLine(greeting);
    if (read == LineRead::TooLong)
        return failOpening(lineTooLongText());
    const QString code = replyCode(greeting);
    if (code == QLatin1String("200") || code == QLatin1String("201"))
        return true;
    if (abortRequested.load())
        return failOpening(cancelledText());
    if (read == LineRead::Incomplete)
        return failOpening(noGreetingText());
    return failOpening(QStringLiteral("Error: %1").arg(toText(greeting)));
}

// No whole greeting came: the server closed the connection first, or stayed silent, which is
// what a TLS port does to a client that does not start TLS.
QString NntpConnection::noGreetingText() const
{
    if (!isConnected())
        return tr("Error: the server closed the connection before its greeting");
    const QString seconds = secondsText(timeout.load());
    if (ssl)
        return tr("Error: no greeting from the server within %1 s").arg(seconds);
    return tr("Error: no greeting from the server within %1 s: is it a TLS port (SSL)?").arg(seconds);
}

QString NntpConnection::secondsText(qint32 milliseconds)
{
    return QString::number(milliseconds / 1000.0);
}

bool NntpConnection::authenticate()
{
    emit signalConnect();
    return logIn();
}

bool NntpConnection::logIn()
{
    iErrorCode = NntpErrorNone;
    if (!isConnected()) {
        setError(QStringLiteral("Error: not connected"), NntpErrorNotConnected);
        return false;
    }

    QByteArray reply;
    if (!sendAndWait("AUTHINFO USER " + login.toLatin1(),
                     QStringLiteral("Error: No answer from server while sending AUTHINFO USER command"), reply))
        return false;
    QString code = replyCode(reply);
    if (code == QLatin1String("281")) {
        ready = true;
        return true;
    }
    if (code != QLatin1String("381"))
        return failOpening(tr("Error: AUTHINFO USER 381, no password asked: check the login and password of this server"));

    if (!sendAndWait("AUTHINFO PASS " + password.toLatin1(),
                     QStringLiteral("Error: No answer from server while sending AUTHINFO PASS command"), reply))
        return false;
    code = replyCode(reply);
    if (code == QLatin1String("481"))
        return failOpening(tr("Error: Authentication failed/rejected (481): check the login and password of this server"));
    if (code == QLatin1String("482"))
        return failOpening(
            tr("Error: Authentication failed - commands issued out of sequence (482): check the login and password of this server"));
    if (code == QLatin1String("502"))
        return failOpening(tr("Error: Command unavailable (502): check the login and password of this server"));
    // A server that accepts the log-in has accepted it, even with an empty password.
    if (code == QLatin1String("281")) {
        ready = true;
        return true;
    }
    if (password.isEmpty())
        return failOpening(QStringLiteral("Error: Authentication failed (Password is empty)"));

    if (!sendAndWait("AUTHINFO GENERIC " + login.toLatin1() + ' ' + password.toLatin1(),
                     QStringLiteral("Error: No answer from server while sending AUTHINFO GENERIC command"), reply))
        return false;
    if (replyCode(reply) == QLatin1String("281")) {
        ready = true;
        return true;
    }

    const QString simpleNoAnswer = QStringLiteral("Error: No answer from server while sending AUTHINFO SIMPLE command");
    if (!sendAndWait("AUTHINFO SIMPLE", simpleNoAnswer, reply))
        return false;
    if (!sendAndWait(login.toLatin1() + ' ' + password.toLatin1(), simpleNoAnswer, reply))
        return false;
    if (replyCode(reply) == QLatin1String("250")) {
        ready = true;
        return true;
    }
    return failOpening(QStringLiteral("Error: Authentication failed on server"));
}

// One step of the log-in: the line is sent and its reply line awaited.
bool NntpConnection::sendAndWait(const QByteArray &line, const QString &noAnswerText, QByteArray &reply)
{
    sendCommand(line);
    if (readReplyLine(reply) == LineRead::TooLong)
        return failOpening(lineTooLongText());
    if (reply.isEmpty())
        return failOpening(abortRequested.load() ? cancelledText() : noAnswerText);
    return true;
}

void NntpConnection::disconnectFromServer()
{
    iErrorCode = NntpErrorNone;
    emit signalDisconnect();
    if (socket) {
        disconnect(socket, &QAbstractSocket::proxyAuthenticationRequired,
                   this, &NntpConnection::socketProxyAuthenticationRequired);
        delete socket;  // aborts the TCP connection; NNTP needs no closing command
        socket = nullptr;
    }
    ready = false;
}

void NntpConnection::socketProxyAuthenticationRequired(const QNetworkProxy &, QAuthenticator *)
{
    // A proxy that asks for credentials gets none.
}

// ---------------------------------------------------------------------------------------
// Reply reading

QString NntpConnection::toText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.constData(), static_cast<int>(qstrnlen(bytes.constData(), static_cast<uint>(bytes.size()))));
}

QString NntpConnection::replyCode(const QByteArray &reply)
{
    return toText(reply).left(3);
}

QString NntpConnection::silenceText() const
{
    return QStringLiteral("Error : no answer from server since %1 seconds").arg(timeout.load() / 1000);
}

// A refusal: the server's status line as it came, except for a log-in the server wants, which
// is no refusal of the command itself and is said so.
void NntpConnection::setRefusal(const QByteArray &statusLine)
{
    if (replyCode(statusLine) == QLatin1String("480")) {
        setError(tr("Error: the server requires a login (%1): check the login and password of this server")
                     .arg(toText(statusLine).trimmed()),
                 NntpErrorConnection);
        return;
    }
    setError(toText(statusLine), NntpErrorReply);
}

// No whole status line came: the connection was called off, the server closed it (before any
// byte of the reply when `partial` is empty) or stayed silent for the time-out.
void NntpConnection::setNoReplyError(const QByteArray &partial)
{
    if (abortRequested.load()) {
        setError(cancelledText(), NntpErrorNotConnected);
    } else if (!isConnected()) {
        setError(tr("Error: the server closed the connection"), NntpErrorNotConnected);
        bClosedBeforeReply = partial.isEmpty();
    } else {
        setError(silenceText(), NntpErrorNotConnected);
    }
}

QString NntpConnection::lineTooLongText()
{
    return QStringLiteral("Error: reply line longer than %1 bytes").arg(MaxReplyLineBytes);
}

void NntpConnection::sendCommand(const QByteArray &line)
{
    bClosedBeforeReply = false;
    socket->write(line + "\r\n");
    socket->waitForBytesWritten(timeout.load());
}

// Waits until a whole line (up to its LF) is buffered, at most the time-out and never past the
// deadline of the reply; ends at once when the connection is called off, and when more bytes
// than a line may hold came without a line feed.
NntpConnection::LineRead NntpConnection::waitForLine(const QDeadlineTimer &replyDeadline)
{
    QElapsedTimer waited;
    waited.start();
    while (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxReplyLineBytes)
            return LineRead::TooLong;
        if (abortRequested.load())
            return LineRead::Incomplete;
        releaseLongHeldOpeningLock();
        qint64 remaining = timeout.load() - waited.elapsed();
        if (!replyDeadline.isForever())
            remaining = qMin(remaining, replyDeadline.remainingTime());
        if (remaining <= 0 || socket->state() != QAbstractSocket::ConnectedState)
            return LineRead::Incomplete;
        socket->waitForReadyRead(static_cast<int>(qMin<qint64>(remaining, SilencePollMs)));
    }
    return LineRead::Complete;
}

// One reply line with its CR LF. Incomplete (time-out, lost connection, call-off): whatever part
// of it arrived, possibly nothing. TooLong: nothing, and the connection is out of step.
NntpConnection::LineRead NntpConnection::readReplyLine(QByteArray &line, const QDeadlineTimer &replyDeadline)
{
    line.clear();
    const LineRead wait = waitForLine(replyDeadline);
    if (wait == LineRead::Incomplete)
        line = socket->readAll();
    if (wait != LineRead::Complete)
        return wait;
    // The line feed may lie further on than a line may reach.
    line = socket->readLine(MaxReplyLineBytes + 1);
    if (!line.endsWith('\n')) {
        line.clear();
        return LineRead::TooLong;
    }
    return LineRead::Complete;
}

QDeadlineTimer NntpConnection::textReplyDeadline() const
{
    return QDeadlineTimer(qint64(TextReplyDeadlineTimeouts) * timeout.load());
}

// The lines of a multi-line reply up to its terminating line, each with its line end; at most
// `maxBytes` of them, all before the deadline.
bool NntpConnection::readMultiLineReply(const QDeadlineTimer &deadline, qint64 maxBytes,
                                        const std::function<void(const QByteArray &)> &onLine)
{
    qint64 received = 0;
    for (;;) {
        QByteArray line;
        const LineRead read = readReplyLine(line, deadline);
        if (read == LineRead::TooLong) {
            setError(lineTooLongText(), NntpErrorNotConnected);
            return false;
        }
        if (read == LineRead::Incomplete) {
            socket->readAll();
            if (abortRequested.load())
                setError(cancelledText(), NntpErrorNotConnected);
            else if (!isConnected())
                setError(QStringLiteral("Error : disconnected from server"), NntpErrorNotConnected);
            else if (deadline.hasExpired())
                setError(QStringLiteral("Error: reply text not complete within %1 seconds")
                             .arg(qint64(TextReplyDeadlineTimeouts) * timeout.load() / 1000),
                         NntpErrorNotConnected);
            else
                setError(silenceText(), NntpErrorNotConnected);
            return false;
        }
        if (line == ".\r\n" || line == ".\n")
            return true;
        received += line.size();
        if (received > maxBytes) {
            setError(QStringLiteral("Error: reply text longer than %1 bytes").arg(maxBytes), NntpErrorNotConnected);
            return false;
        }
        onLine(line);
    }
}

bool NntpConnection::checkReady()
{
    if (isConnected() && ready)
        return true;
    setError(QStringLiteral("Error: not connected"), NntpErrorNotConnected);
    return false;
}

bool NntpConnection::runSimpleCommand(const QByteArray &line, const char *successCode, QByteArray &statusLine)
{
    sendCommand(line);
    const LineRead read = readReplyLine(statusLine);
    if (read == LineRead::TooLong) {
        setError(lineTooLongText(), NntpErrorNotConnected);
        return false;
    }
    if (replyCode(statusLine) == QLatin1String(successCode))
        return true;
    if (read == LineRead::Incomplete)
        setNoReplyError(statusLine);
    else
        setRefusal(statusLine);
    return false;
}

// ---------------------------------------------------------------------------------------
// HELP and the further commands

bool NntpConnection::getHelp(QString &helpText)
{
    iErrorCode = NntpErrorNone;
    emit signalHelp();
    return runTextCommand("HELP", "100", helpText);
}

bool NntpConnection::getCapabilities(QString &capabilities)
{
    iErrorCode = NntpErrorNone;
    emit signalCapabilities();
    return runTextCommand("CAPABILITIES", "101", capabilities);
}

// A command answered by a status line and lines of text, appended to `text`.
bool NntpConnection::runTextCommand(const QByteArray &line, const char *successCode, QString &text)
{
    if (!checkReady())
        return false;
    const QDeadlineTimer deadline = textReplyDeadline();
    QByteArray status;
    if (!runSimpleCommand(line, successCode, status))
        return false;
    return readMultiLineReply(deadline, MaxTextReplyBytes,
                              [&text](const QByteArray &textLine) { text += toText(textLine); });
}

// A command answered by a status line whose words after the code are the result.
bool NntpConnection::runWordsCommand(const QByteArray &line, const char *successCode, QStringList &words)
{
    if (!checkReady())
        return false;
    QByteArray status;
    if (!runSimpleCommand(line, successCode, status))
        return false;
    words += wordsAfterCode(status);
    return true;
}

bool NntpConnection::getDate(QDateTime &dateTime)
{
    iErrorCode = NntpErrorNone;
    emit signalDate();
    if (!checkReady())
        return false;
    QByteArray status;
    if (!runSimpleCommand("DATE", "111", status))
        return false;
    const QStringList words = toText(status).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2) {
        setError(QStringLiteral("Error : Date not received in the response"), NntpErrorReply);
        return false;
    }
    const QString stamp = words.at(1).trimmed();
    if (stamp.size() < 14) {
        setError(QStringLiteral("Error : Date length is not valid"), NntpErrorReply);
        return false;
    }
    dateTime.setDate(QDate(stamp.mid(0, 4).toInt(), stamp.mid(4, 2).toInt(), stamp.mid(6, 2).toInt()));
    dateTime.setTime(QTime(stamp.mid(8, 2).toInt(), stamp.mid(10, 2).toInt(), stamp.mid(12, 2).toInt(), 0));
    return true;
}

QStringList NntpConnection::wordsAfterCode(const QByteArray &statusLine)
{
    QStringList words = toText(statusLine).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!words.isEmpty())
        words.removeFirst();
    return words;
}

bool NntpConnection::getStat(QStringList &words)
{
    iErrorCode = NntpErrorNone;
    emit signalStat(QString());
    return runWordsCommand("STAT", "223", words);
}

bool NntpConnection::checkReadAccess()
{
    QStringList words;
    if (!getStat(words) && iErrorCode == NntpErrorConnection)
        return failOpening(strLastError);
    setError(QString(), NntpErrorNone);
    return true;
}

bool NntpConnection::selectGroup(const QString &group, QStringList &words)
{
    iErrorCode = NntpErrorNone;
    emit signalSelectGroup(group);
    return runWordsCommand("GROUP " + group.toLatin1(), "211", words);
}

bool NntpConnection::listGroups(QStringList &groups)
{
    iErrorCode = NntpErrorNone;
    emit signalGetGroups();
    if (!checkReady())
        return false;
    const QDeadlineTimer deadline = textReplyDeadline();
    QByteArray status;
    if (!runSimpleCommand("LIST", "215", status))
        return false;
    return readMultiLineReply(deadline, MaxListReplyBytes, [&groups](const QByteArray &line) {
        const QStringList words = toText(line).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (!words.isEmpty())
            groups.append(words.first());
    });
}

bool NntpConnection::statArticle(const QString &messageId, QStringList &words)
{
    iErrorCode = NntpErrorNone;
    emit signalStat(messageId);
    if (!checkReady())
        return false;
    const QString id = messageId.trimmed();
    if (id.isEmpty()) {
        setError(QStringLiteral("Error: no STAT result"), NntpErrorReply);
        return false;
    }
    if (!isValidMessageId(id)) {
        setError(QStringLiteral("Error: Message Id is not valid"), NntpErrorReply);
        return false;
    }
    return runWordsCommand("STAT " + articleArgument(id), "223", words);
}

// ---------------------------------------------------------------------------------------
// Body transfer

// A control character that ends a command line would let an NZB inject commands.
bool NntpConnection::isValidMessageId(const QString &messageId)
{
    return !messageId.isEmpty() && !messageId.contains(QLatin1Char('\r'))
           && !messageId.contains(QLatin1Char('\n')) && !messageId.contains(QChar(0));
}

// An id made only of decimal digits is an article number; any other goes in angle brackets.
QByteArray NntpConnection::articleArgument(const QString &messageId)
{
    bool isNumber = false;
    messageId.toLongLong(&isNumber, 10);
    if (isNumber)
        return messageId.toLatin1();
    return '<' + messageId.toLatin1() + '>';
}

qint64 NntpConnection::bodyCapFor(qint64 announcedBytes)
{
    return qBound(MinimumBodyCap, 4 * announcedBytes, MaximumBodyCap);
}

bool NntpConnection::downloadBody(const QString &messageId, const QString &filePath, qint64 announcedBytes)
{
    iErrorCode = NntpErrorNone;
    bClosedBeforeReply = false;
    if (!checkReady())
        return false;
    const QString id = messageId.trimmed();
    if (!isValidMessageId(id)) {
        setError(QStringLiteral("Error: Message Id is not valid"), NntpErrorReply);
        return false;
    }

    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setError(QStringLiteral("Error: failed to create temporary file"), NntpErrorTempFile);
        return false;
    }

    sendCommand("BODY " + articleArgument(id));
    QByteArray status;
    const LineRead read = readReplyLine(status);
    if (read == LineRead::TooLong) {
        setError(lineTooLongText(), NntpErrorNotConnected);
        file.remove();
        return false;
    }
    if (abortRequested.load() && !status.endsWith('\n')) {
        setError(cancelledText(), NntpErrorNotConnected);
        file.remove();
        return false;
    }
    if (status.size() <= 2 || replyCode(status) != QLatin1String("222")) {
        if (read == LineRead::Incomplete)
            setNoReplyError(status);
        else
            setRefusal(status);
        file.remove();
        socket->readAll();
        return false;
    }
    emit signalBody(id);

    const qint64 cap = bodyCapFor(announcedBytes);
    BodyMemoryBudget &budget = BodyMemoryBudget::instance();
    BodyBuffer body(budget);
    if (announcedBytes > 0 && announcedBytes < MinimumBodyCap)
        body.reserve(announcedBytes + announcedBytes / 16 + 4096);
    const BodyEnd end = receiveBody(body, cap);
    if (end != BodyEnd::Complete) {
        if (end == BodyEnd::Silent)
            setError(silenceText(), NntpErrorNotConnected);
        else if (end == BodyEnd::Aborted)
            setError(cancelledText(), NntpErrorNotConnected);
        else if (end == BodyEnd::TooLarge)
            setError(QStringLiteral("Error : article body larger than %1 bytes").arg(cap), NntpErrorNotConnected);
        else if (end == BodyEnd::OverBudget)
            setError(QStringLiteral("Error : article bodies would take more than %1 bytes of memory").arg(budget.limit()),
                     NntpErrorNotConnected);
        else
            setError(QStringLiteral("Error : disconnected from server"), NntpErrorNotConnected);
        file.remove();
        return false;
    }

    removeDotStuffing(body.bytes());
    body.bytes().chop(3);  // the terminating line
    if (!writeSegmentFile(file, body.bytes())) {
        setError(QStringLiteral("Error: failed to write temporary file"), NntpErrorTempFile);
        file.remove();
        return false;
    }
    socket->readAll();
    return true;
}

// Reads the body up to and including its terminating line, within the time-out of silence,
// at most `cap` bytes and no more than the budget of all bodies gives, at the speed limit when
// one is set.
NntpConnection::BodyEnd NntpConnection::receiveBody(BodyBuffer &body, qint64 cap)
{
    if (receiveBuffer.size() != ReceiveBufferSize + 1)
        receiveBuffer.resize(ReceiveBufferSize + 1);
    QElapsedTimer silence;
    silence.start();
    qint64 n = 0;
    for (;;) {
        if (abortRequested.load())
            return BodyEnd::Aborted;
        const bool previousPassRead = n > 0;
        const qint64 wanted = nextReadSize();
        if (previousPassRead || !readClock.isValid())
            readClock.start();
        const bool limited = uiSpeedLimit.load() > 0;
        n = socket->read(receiveBuffer.data(), wanted);
        if (limited)
            QThread::msleep(LimitedPassSleepMs);
        countReceivedBytes(n);

        if (n == 0) {
            if (!isConnected())
                return BodyEnd::Disconnected;
            const qint64 remaining = timeout.load() - silence.elapsed();
            if (remaining <= 0)
                return BodyEnd::Silent;
            socket->waitForReadyRead(limited ? 1 : static_cast<int>(qMin<qint64>(remaining, SilencePollMs)));
            continue;
        }
        if (n < 0)
            return BodyEnd::Disconnected;

        silence.restart();
        if (body.size() + n > cap)
            return BodyEnd::TooLarge;
        if (!body.append(receiveBuffer.constData(), n))
            return BodyEnd::OverBudget;
        if (isBodyTerminated(body.bytes()))
            return BodyEnd::Complete;
        if (!isConnected() && socket->bytesAvailable() == 0)
            return BodyEnd::Disconnected;
    }
}

// The size of the next read pass: everything there is without a limit; with a limit what
// the limit allows for the time since the last read pass that got data.
qint64 NntpConnection::nextReadSize()
{
    const quint64 limit = uiSpeedLimit.load();
    if (limit == 0)
        return ReceiveBufferSize;
    if (uiAverageSpeed.load() > limit)
        return LimitedMinimumRead;
    const quint64 elapsed = readClock.isValid() ? static_cast<quint64>(qMin<qint64>(readClock.elapsed(), 1000)) : 1000;
    const quint64 allowance = limit * elapsed / 1000;
    if (allowance >= static_cast<quint64>(ReceiveBufferSize))
        return ReceiveBufferSize;
    return qMax<qint64>(static_cast<qint64>(allowance), LimitedMinimumRead);
}

void NntpConnection::countReceivedBytes(qint64 count)
{
    if (count <= 0)
        return;
    QMutexLocker locker(&byteCounterMutex);
    bytesSinceLastSample += static_cast<quint64>(count);
}

bool NntpConnection::isBodyTerminated(const QByteArray &body)
{
    return body == ".\r\n" || (body.size() > 4 && body.endsWith("\r\n.\r\n"));
}

// Every line that begins with two dots loses the first, the first line of the body included.
void NntpConnection::removeDotStuffing(QByteArray &body)
{
    char *data = body.data();
    const char *end = data + body.size();
    const char *line = data;
    char *write = data;
    while (line < end) {
        if (line + 1 < end && line[0] == '.' && line[1] == '.')
            ++line;
        const char *newline = static_cast<const char *>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
        const char *next = newline ? newline + 1 : end;
        const size_t length = static_cast<size_t>(next - line);
        if (write != line)
            std::memmove(write, line, length);
        write += length;
        line = next;
    }
    body.resize(static_cast<int>(write - data));
}

// The file holds one serialised byte array: a 32-bit big-endian length, then the body.
bool NntpConnection::writeSegmentFile(QFile &file, const QByteArray &body)
{
    QDataStream stream(&file);
    stream.setVersion(QDataStream::Qt_4_8);
    stream.writeBytes(body.constData(), static_cast<uint>(body.size()));
    file.close();
    return stream.status() == QDataStream::Ok && file.error() == QFileDevice::NoError;
}

// ---------------------------------------------------------------------------------------
// Speed samples

void NntpConnection::downloadSpeedTimeout()
{
    quint64 bytes;
    {
        QMutexLocker locker(&byteCounterMutex);
        bytes = bytesSinceLastSample;
        bytesSinceLastSample = 0;
    }
    speedSamples.prepend(bytes);
    while (speedSamples.size() > SpeedSampleCount)
        speedSamples.removeLast();

    if (speedSamples.at(0) == 0 && speedSamples.at(1) == 0 && speedSamples.at(2) == 0) {
        emit signalAverageSpeed(0);
        return;
    }
    quint64 sum = 0;
    for (quint64 sample : qAsConst(speedSamples))
        sum += sample;
    const quint64 average = sum / SpeedSampleCount;
    uiAverageSpeed.store(average);
    emit signalAverageSpeed(average);
}
