#ifndef NNTPCONNECTION_H
#define NNTPCONNECTION_H

#include <QByteArray>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>

class BodyBuffer;
class QAuthenticator;
class QFile;
class QNetworkProxy;
class QTcpSocket;

// One NNTP client connection to one news server, over plain TCP or TLS.
// Every operation blocks and runs in the calling thread; it returns success as a bool,
// leaves a text in lastError() and an outcome class in errorCode(), and emits a status
// signal. The body of an article is fetched into a segment temporary file holding one
// serialised byte array (32-bit big-endian length, then the body).
class NntpConnection : public QObject
{
    Q_OBJECT

public:
    // Outcome class of the last operation; the connection thread branches on it.
    enum NntpErrorCode {
        NntpErrorNotConnected = 0,  // no logged-in connection, or a body transfer lost it / timed out
        NntpErrorConnection = 1,    // opening failed: socket, TLS, greeting, HELP probe or AUTHINFO;
                                    // or a command was refused for want of a log-in (480)
        NntpErrorReply = 2,         // unexpected reply code, or an invalid argument
        NntpErrorTempFile = 4,      // the segment temporary file cannot be written
        NntpErrorNone = 5
    };

    // A body is read in passes of at most this many bytes.
    static constexpr int ReceiveBufferSize = 600000;
    // Smallest body cap; a larger announced article size raises it (four times that size).
    static constexpr qint64 MinimumBodyCap = 16 * 1024 * 1024;
    // Whatever the announced size, a body never grows past this (the file's length is 32-bit).
    // Besides, the bodies in progress of all connections take their memory from one budget
    // (BodyMemoryBudget): a body that would pass it fails like one over its cap.
    static constexpr qint64 MaximumBodyCap = 1024 * 1024 * 1024;
    // A status or text line of a reply, its line end included, is never longer than this: a
    // server that sends more without a line feed is broken or hostile.
    static constexpr int MaxReplyLineBytes = 64 * 1024;
    // The text of a multi-line reply (HELP, CAPABILITIES) and of a group list, line ends included.
    static constexpr qint64 MaxTextReplyBytes = 1024 * 1024;
    static constexpr qint64 MaxListReplyBytes = 64 * 1024 * 1024;
    // A multi-line reply must be complete within this many time-outs from its command on, however
    // steadily its lines come.
    static constexpr int TextReplyDeadlineTimeouts = 2;
    // Longest time one opening keeps the process-wide connect mutex once its socket is
    // connected: a server that is slow to greet, to finish the TLS handshake or to end its
    // HELP reply does not hold up every other connection's opening for the whole time-out.
    static constexpr int ConnectMutexHoldMs = 3000;

    explicit NntpConnection(QObject *parent = nullptr);
    ~NntpConnection() override;

    void setHost(const QString &host);
    void setPort(int port);
    void setTimeout(int milliseconds);
    void setLogin(const QString &login);
    void setPassword(const QString &password);
    void setSsl(bool ssl);
    void setSpeedLimit(quint64 bytesPerSecond);

    QString getHost() const { return host; }
    qint32 getPort() const { return port; }
    qint32 getTimeout() const { return timeout.load(); }
    QString getLogin() const { return login; }
    QString getPassword() const { return password; }
    bool isSsl() const { return ssl; }
    bool isReady() const { return ready; }

    QString lastError() const { return strLastError; }
    qint32 errorCode() const { return iErrorCode; }
    bool isConnected() const;
    // The last command found the connection closed by the server before any byte of its reply
    // came: nothing was learnt about the command, which a new connection may send again.
    bool closedBeforeReply() const { return bClosedBeforeReply; }
    // A socket exists, connected or not (the server may have closed it).
    bool hasSocket() const { return socket != nullptr; }
    quint64 averageSpeed() const { return uiAverageSpeed.load(); }
    quint64 speedLimit() const { return uiSpeedLimit.load(); }

    // Calls off the operation in progress and every later one, from any thread: a wait for
    // the connect mutex, the TLS handshake, a reply or a body ends within about 100 ms with
    // "Error: cancelled" (a TCP connect in progress ends at the time-out at the latest).
    // The connection stays called off until clearAbort().
    void requestAbort() { abortRequested.store(true); }
    void clearAbort() { abortRequested.store(false); }
    bool isAbortRequested() const { return abortRequested.load(); }

    // Opens a new connection: emits signalConnect() once the host is known, then greeting and
    // HELP probe or log-in.
    bool connectToServer();
    bool authenticate();
    // After an opening: STAT without argument, a command that reads nothing, to see whether the
    // server lets this reader in (some answer HELP without a log-in and want one for articles).
    // False, with the connection dropped, only when it answers 480; any other reply counts as
    // access, since the opening itself succeeded.
    bool checkReadAccess();
    void disconnectFromServer();
    bool getHelp(QString &helpText);
    // announcedBytes is the article size the NZB gives (0 when unknown); it raises the body cap.
    bool downloadBody(const QString &messageId, const QString &filePath, qint64 announcedBytes = 0);

    bool getDate(QDateTime &dateTime);
    bool getCapabilities(QString &capabilities);
    bool getStat(QStringList &words);
    bool selectGroup(const QString &group, QStringList &words);
    bool listGroups(QStringList &groups);
    bool statArticle(const QString &messageId, QStringList &words);

    static qint64 bodyCapFor(qint64 announcedBytes);

public slots:
    void downloadSpeedTimeout();
    void socketProxyAuthenticationRequired(const QNetworkProxy &proxy, QAuthenticator *authenticator);

signals:
    void signalConnect();
    void signalDisconnect();
    void signalHelp();
    void signalBody(QString messageId);
    void signalAverageSpeed(quint64 bytesPerSecond);
    void signalDate();
    void signalCapabilities();
    void signalGetGroups();
    void signalSelectGroup(QString group);
    void signalStat(QString messageId);

private:
    enum class BodyEnd { Complete, Silent, Disconnected, TooLarge, OverBudget, Aborted };
    // How the wait for one reply line ended.
    enum class LineRead { Complete, TooLong, Incomplete };

    void setError(const QString &text, qint32 code);
    bool failOpening(const QString &text);
    bool openSocket();
    bool waitForEncryption(QElapsedTimer &waited);
    void releaseLongHeldOpeningLock();
    bool readGreeting();
    QString noGreetingText() const;
    QString handshakeFailedText() const;
    static QString secondsText(qint32 milliseconds);
    bool logIn();
    void setRefusal(const QByteArray &statusLine);
    void setNoReplyError(const QByteArray &partial);
    bool sendAndWait(const QByteArray &line, const QString &noAnswerText, QByteArray &reply);

    bool checkReady();
    void sendCommand(const QByteArray &line);
    LineRead waitForLine(const QDeadlineTimer &replyDeadline);
    LineRead readReplyLine(QByteArray &line, const QDeadlineTimer &replyDeadline = QDeadlineTimer(QDeadlineTimer::Forever));
    QDeadlineTimer textReplyDeadline() const;
    bool readMultiLineReply(const QDeadlineTimer &deadline, qint64 maxBytes,
                            const std::function<void(const QByteArray &)> &onLine);
    bool runSimpleCommand(const QByteArray &line, const char *successCode, QByteArray &statusLine);
    bool runTextCommand(const QByteArray &line, const char *successCode, QString &text);
    bool runWordsCommand(const QByteArray &line, const char *successCode, QStringList &words);
    QString silenceText() const;
    static QString lineTooLongText();

    static QString toText(const QByteArray &bytes);
    static QString replyCode(const QByteArray &reply);
    static bool isValidMessageId(const QString &messageId);
    static QByteArray articleArgument(const QString &messageId);
    static QStringList wordsAfterCode(const QByteArray &statusLine);

    BodyEnd receiveBody(BodyBuffer &body, qint64 cap);
    qint64 nextReadSize();
    void countReceivedBytes(qint64 count);
    static bool isBodyTerminated(const QByteArray &body);
    static void removeDotStuffing(QByteArray &body);
    bool writeSegmentFile(QFile &file, const QByteArray &body);

    static QMutex connectMutex;
    static QString cancelledText();

    QTcpSocket *socket;
    QString host;
    qint32 port;
    std::atomic<qint32> timeout;  // read at each use by running operations
    QString login;
    QString password;
    bool ssl;
    QString strLastError;
    bool ready;
    qint32 iErrorCode;
    QList<quint64> speedSamples;
    quint64 bytesSinceLastSample;
    std::atomic<quint64> uiAverageSpeed;
    QMutex byteCounterMutex;
    std::atomic<quint64> uiSpeedLimit;
    QElapsedTimer readClock;
    // Allocated on the first body and kept for the life of the connection object.
    QByteArray receiveBuffer;
    std::atomic<bool> abortRequested{false};
    bool bClosedBeforeReply = false;
    // While an opening holds the connect mutex: its lock, and since when it holds it.
    std::unique_lock<QMutex> *openingLock = nullptr;
    QElapsedTimer openingClock;
};

#endif // NNTPCONNECTION_H
