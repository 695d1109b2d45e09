#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr int kLengthBytes = 4;
constexpr int kConnectRetryMs = 50;

int remainingOf(const QElapsedTimer &elapsed, int timeoutMs)
{
    return qMax(0, timeoutMs - int(elapsed.elapsed()));
}

} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , strKey(key)
    , lockFile(QDir::temp().filePath(key + QStringLiteral(".lock")))
{
    // A lock never goes stale by age: only when the program holding it is gone.
    lockFile.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server)
        server->close();
}

QString SingleInstance::defaultKey()
{
    const QDir home(QDir::homePath());
    const QString homePath = home.canonicalPath().isEmpty() ? home.absolutePath() : home.canonicalPath();
    const QByteArray digest = QCryptographicHash::hash(homePath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("tessaquill-%1-%2").arg(uint(getuid())).arg(QString::fromLatin1(digest.left(16)));
}

QString SingleInstance::lockFilePath() const
{
    return QDir::temp().filePath(strKey + QStringLiteral(".lock"));
}

bool SingleInstance::isListening() const
{
    return server && server->isListening();
}

bool SingleInstance::isRunning()
{
    if (bDecided)
        return bRunning;
    bDecided = true;
    // tryLock takes over a lock whose program has died.
    if (lockFile.tryLock(0)) {
        bRunning = false;
        listen();
        return false;
    }
    if (lockFile.error() == QLockFile::LockFailedError) {
        bRunning = true;
        return true;
    }
    // The lock file cannot be made at all (temporary folder unusable): run alone, without
    // hand-over, rather than not at all.
    strError = tr("Cannot create the lock file %1").arg(lockFilePath());
    bRunning = false;
    return false;
}

bool SingleInstance::listen()
{
    // We hold the lock, so a socket file at our name was left by a program that is gone.
    QLocalServer::removeServer(strKey);
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(strKey)) {
        strError = server->errorString();
        delete server;
        server = nullptr;
        return false;
    }
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

void SingleInstance::acceptConnections()
{
    while (server && server->hasPendingConnections()) {
        QLocalSocket *socket = server->nextPendingConnection();
        hashPending.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, &SingleInstance::readMessage);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            hashPending.remove(socket);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            QMetaObject::invokeMethod(this, "readMessage", Qt::QueuedConnection);
    }
}

void SingleInstance::readMessage()
{
    const QList<QLocalSocket *> sockets = hashPending.keys();
    for (QLocalSocket *socket : sockets) {
        QByteArray &buffer = hashPending[socket];
        buffer += socket->readAll();
        while (buffer.size() >= kLengthBytes) {
            const quint32 length = qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(buffer.constData()));
            if (length > kMaxMessageBytes) {
                // Not one of ours: drop the connection without an acknowledgement.
                hashPending.remove(socket);
                socket->abort();
                socket->deleteLater();
                break;
            }
            if (quint32(buffer.size()) < kLengthBytes + length)
                break;
            const QString message = QString::fromUtf8(buffer.mid(kLengthBytes, int(length)));
            buffer.remove(0, kLengthBytes + int(length));
            socket->putChar(kAcknowledgement);
            socket->flush();
            // Handled from the event loop, so that a slot that opens a dialog cannot hold the
            // acknowledgement of the next message back.
            QMetaObject::invokeMethod(this, [this, message] { emit messageReceived(message); }, Qt::QueuedConnection);
        }
    }
}

bool SingleInstance::connectToRunning(QLocalSocket &socket, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        socket.connectToServer(strKey);
        if (socket.waitForConnected(qMax(1, remainingOf(elapsed, timeoutMs))))
            return true;
        strError = socket.errorString();
        socket.abort();
        // The running program may hold the lock a moment before it listens.
        if (remainingOf(elapsed, timeoutMs) <= kConnectRetryMs)
            return false;
        QThread::msleep(kConnectRetryMs);
    }
}

bool SingleInstance::sendMessage(const QString &message, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    const QByteArray payload = message.toUtf8();
    if (quint32(payload.size()) > kMaxMessageBytes) {
        strError = tr("The message is too long");
        return false;
    }
    QLocalSocket socket;
    if (!connectToRunning(socket, timeoutMs)) {
        strError = tr("Cannot reach the running program: %1").arg(strError);
        return false;
    }
    QByteArray frame(kLengthBytes, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), reinterpret_cast<uchar *>(frame.data()));
    frame += payload;
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(qMax(1, remainingOf(elapsed, timeoutMs)))) {
            strError = tr("Cannot send to the running program: %1").arg(socket.errorString());
            return false;
        }
    }
    while (socket.bytesAvailable() < 1) {
        const int remaining = remainingOf(elapsed, timeoutMs);
        if (remaining <= 0 || !socket.waitForReadyRead(remaining)) {
            strError = tr("The running program did not acknowledge the message");
            return false;
        }
    }
    char answer = 0;
    if (!socket.getChar(&answer) || answer != kAcknowledgement) {
        strError = tr("The running program refused the message");
        return false;
    }
    socket.disconnectFromServer();
    return true;
}
