#ifndef SINGLEINSTANCE_H
#define SINGLEINSTANCE_H

#include <QByteArray>
#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One running program per user and home folder. The first start holds a lock file and listens
// on a local socket that only its user can reach; a later start finds the lock held and sends
// its messages over that socket instead. Every message is acknowledged by the running program
// as soon as it has arrived, before it is handled, so a sender never waits on what the running
// program does with it. A lock left by a program that was killed is taken over, and a socket
// file it left is removed before listening.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `key` names the lock file and the socket, both in the system's temporary folder.
    explicit SingleInstance(const QString &key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another live program holds the identity. The first call decides: when the lock
    // is free this object takes it and starts listening, and the answer stays false.
    bool isRunning();

    // Sends one message to the running program and waits for its acknowledgement, trying to
    // reach it until the time-out has passed. False, with errorString(), when it could not be
    // delivered in time.
    bool sendMessage(const QString &message, int timeoutMs);

    // True while this object holds the lock and accepts messages.
    bool isListening() const;
    QString errorString() const { return strError; }

    QString lockFilePath() const;
    QString serverName() const { return strKey; }

    // "tessaquill-<user id>-<digest of the home folder>": two homes of one user (as tests use)
    // are two identities.
    static QString defaultKey();

    // The acknowledgement byte the running program answers each message with.
    static constexpr char kAcknowledgement = '\x06';
    // Longest message accepted, in bytes of UTF-8.
    static constexpr quint32 kMaxMessageBytes = 1 << 20;

signals:
    // A message from a later start; emitted from the event loop after it was acknowledged.
    void messageReceived(const QString &message);

private slots:
    void acceptConnections();
    void readMessage();

private:
    bool listen();
    bool connectToRunning(QLocalSocket &socket, int timeoutMs);

    QString strKey;
    QLockFile lockFile;
    QLocalServer *server = nullptr;
    QHash<QLocalSocket *, QByteArray> hashPending;
    bool bDecided = false;
    bool bRunning = false;
    QString strError;
};

#endif // SINGLEINSTANCE_H
