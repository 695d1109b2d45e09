#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kLengthBytes = 4;
constexpr int kConnectRetryMs = 50;
// A lock that nothing answers for is removed and taken at most this often: a second time only
// when another start took it in between.
constexpr int kTakeOverAttempts = 2;
constexpr int kTakeOverPollMs = 100;
// Connections picked up at once when the program stops accepting; more wait for the event loop.
constexpr int kMaxPickedUpConnections = 64;

int remainingOf(const QElapsedTimer &elapsed, int timeoutMs)
{
    return qMax(0, timeoutMs - int(elapsed.elapsed()));
}

QString lockPathIn(const QString &folder, const QString &key)
{
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + key + QStringLiteral(".lock");
}

// A folder of this user's alone: a real folder (not a link to one), owned by the user, that no
// one else may enter. With `make` it is created with mode 0700 when missing, and narrowed to that
// mode when it is the user's but open to others.
bool isPrivateFolder(const QString &path, bool make)
{
    if (path.isEmpty() || QDir::isRelativePath(path))
        return false;
    const QByteArray native = QFile::encodeName(path);
    if (make && ::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    bool bPrivate = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::geteuid();
    if (bPrivate && (status.st_mode & 077) != 0)
        bPrivate = make && ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return bPrivate;
}

} // namespace

SingleInstance::SingleInstance(const QString &key, const QString &folder, QObject *parent)
    : QObject(parent)
    , strKey(key)
    , strFolder(folder)
    , lockFile(lockPathIn(folder, key))
{
    // A lock never goes stale by age: only when the program holding it is gone.
    lockFile.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server)
        server->close();
    // The lock goes right after, with this object.
    if (bEndingMarked)
        QFile::remove(endingMarkPath());
}

QString SingleInstance::defaultKey()
{
    const QDir home(QDir::homePath());
    const QString homePath = home.canonicalPath().isEmpty() ? home.absolutePath() : home.canonicalPath();
    const QByteArray digest = QCryptographicHash::hash(homePath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("tessaquill-%1-%2").arg(uint(getuid())).arg(QString::fromLatin1(digest.left(16)));
}

// Never the shared temporary folder itself: there anyone can make the files first.
QString SingleInstance::runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime, false))
        return QDir::cleanPath(runtime);
    const QString inTemp = QDir::tempPath() + QStringLiteral("/tessaquill-%1").arg(uint(::geteuid()));
    if (isPrivateFolder(inTemp, true))
        return inTemp;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString inCache = cache + QStringLiteral("/tessaquill-runtime");
    if (!cache.isEmpty() && QDir().mkpath(cache) && isPrivateFolder(inCache, true))
        return inCache;
    return QString();
}

QString SingleInstance::lockFilePath() const
{
    return lockPathIn(strFolder, strKey);
}

QString SingleInstance::serverName() const
{
    return strFolder + QLatin1Char('/') + strKey;
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
    if (strFolder.isEmpty()) {
        // Run alone, without hand-over, rather than not at all.
        strError = tr("There is no folder of this user's own for the lock file");
        return false;
    }
    for (int attempt = 0; attempt < kTakeOverAttempts; ++attempt) {
        // tryLock takes over a lock whose program has died.
        if (takeLock())
            return false;
        if (lockFile.error() != QLockFile::LockFailedError) {
            strError = tr("Cannot create the lock file %1").arg(lockFilePath());
            return false;
        }
        if (isHolderEnding() || answers(kListenGraceMs)) {
            bRunning = true;
            return true;
        }
        // Nothing answers for the lock: it was left behind, or is no program's at all. It is
        // removed unless a live program still holds it.
        lockFile.removeStaleLockFile();
    }
    strError = tr("Another program holds the lock file %1 and does not answer").arg(lockFilePath());
    bRunning = true;
    bReachable = false;
    return true;
}

bool SingleInstance::takeLock()
{
    if (!lockFile.tryLock(0))
        return false;
    // Left by a program that ended before it could remove it.
    QFile::remove(endingMarkPath());
    bRunning = false;
    bReachable = true;
    listen();
    return true;
}

bool SingleInstance::answers(int timeoutMs)
{
    QLocalSocket socket;
    if (!connectToRunning(socket, timeoutMs))
        return false;
    socket.abort();
    return true;
}

bool SingleInstance::takeOver(int timeoutMs)
{
    const QDeadlineTimer deadline = timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    bDecided = true;
    for (;;) {
        if (takeLock())
            return true;
        if (lockFile.error() != QLockFile::LockFailedError) {
            strError = tr("Cannot create the lock file %1").arg(lockFilePath());
            return false;
        }
        if (deadline.hasExpired()) {
            strError = tr("The running program did not end");
            return false;
        }
        QThread::msleep(kTakeOverPollMs);
    }
}

void SingleInstance::stopAccepting()
{
    if (!bAccepting)
        return;
    bAccepting = false;
    if (server) {
        // Connections and messages that arrived before the event loop saw them (each new
        // connection reaches acceptConnections() as it is picked up).
        for (int i = 0; i < kMaxPickedUpConnections && server->isListening(); ++i) {
            bool bTimedOut = false;
            server->waitForNewConnection(0, &bTimedOut);
            if (bTimedOut)
                break;
        }
        const QList<QLocalSocket *> sockets = hashPending.keys();
        for (QLocalSocket *socket : sockets)
            socket->waitForReadyRead(0);
        readMessage();
    }
    while (!listUnanswered.isEmpty())
        answer(listUnanswered.takeFirst());
    // Messages that come while the program is too busy ending to answer are known refused.
    if (lockFile.isLocked()) {
        QFile mark(endingMarkPath());
        bEndingMarked = mark.open(QIODevice::WriteOnly);
    }
}

QString SingleInstance::endingMarkPath() const
{
    return strFolder + QLatin1Char('/') + strKey + QStringLiteral(".ending");
}

// The running program has begun its exit: whatever it does not answer now is not taken.
bool SingleInstance::isHolderEnding() const
{
    return !strFolder.isEmpty() && QFileInfo::exists(endingMarkPath());
}

SingleInstance::Delivery SingleInstance::refusedAsEnding()
{
    strError = tr("The running program is ending and did not take the message");
    return Delivery::Refused;
}

bool SingleInstance::listen()
{
    // We hold the lock, so a socket file at our name was left by a program that is gone.
    QLocalServer::removeServer(serverName());
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName())) {
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
                // Not one of ours: drop the connection without an answer.
                hashPending.remove(socket);
                socket->abort();
                socket->deleteLater();
                break;
            }
            if (quint32(buffer.size()) < kLengthBytes + length)
                break;
            listUnanswered.append({socket, QString::fromUtf8(buffer.mid(kLengthBytes, int(length)))});
            buffer.remove(0, kLengthBytes + int(length));
            // Answered and handled from the event loop, so that a slot that opens a dialog for one
            // message cannot hold back the answer to the next.
            QMetaObject::invokeMethod(this, "answerNext", Qt::QueuedConnection);
        }
    }
}

// The answer goes out as the message is taken, so it tells the truth: a message answered
// "taken" is handled, and one that comes once the program is ending is refused. A sender that
// has gone gave up on its message and said so: it is not handled.
void SingleInstance::answerNext()
{
    if (!listUnanswered.isEmpty())
        answer(listUnanswered.takeFirst());
}

void SingleInstance::answer(const Unanswered &entry)
{
    QLocalSocket *socket = entry.socket.data();
    if (!socket || socket->state() != QLocalSocket::ConnectedState)
        return;
    socket->putChar(bAccepting ? kAcknowledgement : kRefusal);
    socket->flush();
    if (bAccepting)
        emit messageReceived(entry.message);
}

bool SingleInstance::connectToRunning(QLocalSocket &socket, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        socket.connectToServer(serverName());
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

SingleInstance::Delivery SingleInstance::sendMessage(const QString &message, int timeoutMs)
{
    if (isHolderEnding())
        return refusedAsEnding();
    if (!bReachable)
        return Delivery::Failed;
    QElapsedTimer elapsed;
    elapsed.start();
    const QByteArray payload = message.toUtf8();
    if (quint32(payload.size()) > kMaxMessageBytes) {
        strError = tr("The message is too long");
        return Delivery::Failed;
    }
    QLocalSocket socket;
    if (!connectToRunning(socket, timeoutMs)) {
        if (isHolderEnding())
            return refusedAsEnding();
        strError = tr("Cannot reach the running program: %1").arg(strError);
        return Delivery::Failed;
    }
    QByteArray frame(kLengthBytes, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), reinterpret_cast<uchar *>(frame.data()));
    frame += payload;
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(qMax(1, remainingOf(elapsed, timeoutMs)))) {
            strError = tr("Cannot send to the running program: %1").arg(socket.errorString());
            return Delivery::Failed;
        }
    }
    while (socket.bytesAvailable() < 1) {
        const int remaining = remainingOf(elapsed, timeoutMs);
        if (remaining <= 0 || !socket.waitForReadyRead(remaining)) {
            if (isHolderEnding())
                return refusedAsEnding();
            strError = tr("The running program did not acknowledge the message");
            return Delivery::Failed;
        }
    }
    char reply = 0;
    if (!socket.getChar(&reply)) {
        strError = tr("The running program did not acknowledge the message");
        return Delivery::Failed;
    }
    if (reply == kRefusal)
        return refusedAsEnding();
    if (reply != kAcknowledgement) {
        strError = tr("The running program gave an answer that is not one of ours");
        return Delivery::Failed;
    }
    socket.disconnectFromServer();
    return Delivery::Taken;
}
