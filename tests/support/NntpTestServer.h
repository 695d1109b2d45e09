#ifndef NNTPTESTSERVER_H
#define NNTPTESTSERVER_H

#include "NntpTestArticle.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <memory>

class QThread;
class NntpTestSession;
class NntpTestListener;

// A news server for tests on 127.0.0.1, plain or TLS (self-signed certificate made at
// start). It answers the reader commands a client needs (greeting, AUTHINFO USER/PASS/
// GENERIC/SIMPLE, MODE READER, HELP, CAPABILITIES, DATE, GROUP, LIST, STAT, BODY by
// message id or number, QUIT), dot-stuffs bodies, and injects faults per article (see
// NntpTestArticle) and per connection (ConnectionFaults). Every connection runs in a
// thread of its own, so a test may drive blocking clients from its own thread.
class NntpTestServer
{
public:
    enum class Greeting {
        Normal,           // "200 ..."
        PostingDisabled,  // "201 ..."
        Wrong,            // "502 ..."
        None,             // nothing at all
        Split,            // "200 ..." in two packets
        Endless           // "200 " and bytes without a line feed, until the client leaves
    };

    // What follows the status line of a HELP reply instead of its text and terminating line.
    enum class HelpText {
        Normal,
        Silence,       // one line, then nothing
        EndlessLine,   // bytes without a line feed, until the client leaves
        EndlessLines   // lines without end (helpLinePauseMs apart), until the client leaves
    };

    struct ConnectionFaults {
        Greeting greeting = Greeting::Normal;
        int greetingDelayMs = 0;   // before the greeting
        int loginDelayMs = 0;      // before each AUTHINFO reply
        bool refuseLogin = false;  // AUTHINFO PASS answers 481 whatever the password
        // Replies sent verbatim (CR LF added) instead of the normal ones, when not empty.
        QByteArray userReply;
        QByteArray passReply;
        QByteArray genericReply;
        QByteArray helpReply;
        quint64 throttleBytesPerSecond = 0;  // 0: as fast as the socket takes it
        int textReplyPauseMs = 0;  // HELP, CAPABILITIES, LIST: pauses inside the reply
        HelpText helpText = HelpText::Normal;
        int helpLinePauseMs = 0;  // HelpText::EndlessLines: the pause between two lines
        bool closeAfterGreeting = false;
        // The server closes the connection once it has answered a BODY (as some servers do
        // after every article, or after an idle time shorter than the client's).
        bool closeAfterBody = false;
    };

    // What happened, for tests that check order and timing; `atMs` counts from start().
    struct Event {
        int connection;
        qint64 atMs;
        QString what;  // "accept", "greeting", "close", or a received command line
    };

    NntpTestServer();
    ~NntpTestServer();

    // Listens on 127.0.0.1 (port 0: a free one); false with errorString() when impossible.
    bool start(bool tls = false, quint16 port = 0);
    void stop();
    quint16 port() const { return listenPort; }
    bool isTls() const { return tls; }
    QString errorString() const { return lastError; }

    // Log-in becomes required (480 before it) when credentials are set.
    void setCredentials(const QString &user, const QString &password);
    void setDefaultConnectionFaults(const ConnectionFaults &faults);
    // The next connections take these in order before falling back to the defaults.
    void queueConnectionFaults(const ConnectionFaults &faults);

    void addArticle(const QString &messageId, const QByteArray &body, qint64 number = -1,
                    NntpTestArticle::Fault fault = NntpTestArticle::Fault::None);
    void addGroup(const QString &group);

    QList<Event> events() const;
    QStringList commands() const;  // every received command line, in order
    void clearEvents();
    int connectionCount() const;

    // Internal: used by the connection threads.
    ConnectionFaults takeConnectionFaults();
    bool findArticle(const QString &messageId, NntpTestArticle &article);
    bool findArticleByNumber(qint64 number, QString &messageId, NntpTestArticle &article);
    QByteArray wireBodyOf(const QString &messageId, const NntpTestArticle &article);
    bool checkCredentials(const QString &user, const QString &password) const;
    bool loginRequired() const;
    QStringList groups() const;
    void record(int connection, const QString &what);
    bool stopping() const { return stopRequested.load(); }
    QString certificatePath() const;
    QString keyPath() const;
    void acceptConnection(qintptr descriptor);

private:
    bool makeCertificate();

    mutable QMutex mutex;
    QHash<QString, NntpTestArticle> articles;
    QHash<qint64, QString> idsByNumber;
    QHash<QString, QByteArray> wireCache;
    QStringList groupNames;
    QString user;
    QString password;
    ConnectionFaults defaultFaults;
    QQueue<ConnectionFaults> queuedFaults;
    QList<Event> eventLog;
    QList<NntpTestSession *> sessions;
    int nextConnection = 0;

    QElapsedTimer clock;
    std::unique_ptr<QTemporaryDir> certificateDir;
    std::unique_ptr<NntpTestListener> listener;
    std::atomic<bool> stopRequested{false};
    quint16 listenPort = 0;
    bool tls = false;
    QString lastError;
};

#endif // NNTPTESTSERVER_H
