#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One running program per user and home folder. The first start holds a lock file and listens
// on a local socket, both in a folder that only its user can reach; a later start finds the lock
// held and sends its messages over that socket instead. A lock whose socket does not answer was
// left behind (by a program that was killed, or by anyone else) and is taken over.
//
// The running program answers each message as it takes it, before it handles it: taken, or
// refused once the program is ending (stopAccepting()). A message it does not answer (it ended
// first, or is stuck) was not taken either. So a sender always knows whether its message will be
// handled, and a message is never handled behind the back of a sender that gave up on it. An
// ending program also leaves a mark beside its lock until it is gone, so that a message it is too
// busy ending to answer counts as refused rather than failed.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Delivery {
        Taken,   // the running program handles it
        Refused, // the running program is ending: it will not handle it
        Failed   // not delivered (errorString() says why); the running program does not handle it
    };

    // `key` names the lock file and the socket, both in `folder` (see runtimeFolder()).
    explicit SingleInstance(const QString &key = defaultKey(), const QString &folder = runtimeFolder(),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another live program holds the identity. The first call decides: when the lock
    // is free, or held by nothing that answers and can be taken over, this object takes it and
    // starts listening, and the answer stays false.
    bool isRunning();
    // False when the program that holds the identity did not answer (isRunning() true): it
    // cannot be handed anything.
    bool isReachable() const { return bReachable; }

    // Sends one message to the running program and waits for its answer, trying to reach it
    // until the time-out has passed.
    Delivery sendMessage(const QString &message, int timeoutMs);

    // After the running program ended or refused a message: waits until its lock is free, at
    // most `timeoutMs` (-1: as long as it is held by a live program), and takes the identity
    // over, listening as a first start does. False when the lock stayed held.
    bool takeOver(int timeoutMs);

    // True while this object holds the lock and accepts messages.
    bool isListening() const;
    QString errorString() const { return strError; }

    QString lockFilePath() const;
    // The socket's full path.
    QString serverName() const;

    // "tessaquill-<user id>-<digest of the home folder>": two homes of one user (as tests use)
    // are two identities.
    static QString defaultKey();
    // The user's runtime folder ($XDG_RUNTIME_DIR) when it is private to the user; else a folder
    // of mode 0700 that this user owns in the temporary folder, or in the user's cache folder when
    // someone else holds that name. Empty when there is none.
    static QString runtimeFolder();

    // The answers of the running program to each message.
    static constexpr char kAcknowledgement = '\x06';
    static constexpr char kRefusal = '\x15';
    // Longest message accepted, in bytes of UTF-8.
    static constexpr quint32 kMaxMessageBytes = 1 << 20;
    // How long a lock whose socket does not answer is given, for a program that took its lock a
    // moment ago and is about to listen.
    static constexpr int kListenGraceMs = 1000;

public slots:
    // From now on every message is refused: the program is ending. What has arrived already and
    // is not answered yet is refused at once, since the program may end before its event loop
    // runs again.
    void stopAccepting();

signals:
    // A message from a later start, emitted from the event loop once the program took it.
    void messageReceived(const QString &message);

private slots:
    void acceptConnections();
    void readMessage();
    void answerNext();

private:
    struct Unanswered
    {
        QPointer<QLocalSocket> socket;
        QString message;
    };

    bool takeLock();
    bool answers(int timeoutMs);
    QString endingMarkPath() const;
    bool isHolderEnding() const;
    Delivery refusedAsEnding();
    bool listen();
    bool connectToRunning(QLocalSocket &socket, int timeoutMs);
    void answer(const Unanswered &entry);

    QString strKey;
    QString strFolder;
    QLockFile lockFile;
    QLocalServer *server = nullptr;
    QHash<QLocalSocket *, QByteArray> hashPending;
    QList<Unanswered> listUnanswered; // in arrival order
    bool bDecided = false;
    bool bRunning = false;
    bool bReachable = true;
    bool bAccepting = true;
    bool bEndingMarked = false;
    QString strError;
};

#endif // SINGLEINSTANCE_H
