#include "NntpTestServer.h"

#include "NntpTestListener.h"
#include "NntpTestSession.h"

#include <QMutexLocker>
#include <QProcess>

namespace {

// Generated bodies kept ready to send; benchmarks fetch the same few again and again.
const int WireCacheEntries = 32;

} // namespace

NntpTestServer::NntpTestServer() = default;

NntpTestServer::~NntpTestServer()
{
    stop();
}

bool NntpTestServer::start(bool useTls, quint16 requestedPort)
{
    stop();
    stopRequested.store(false);
    tls = useTls;
    if (tls && !makeCertificate())
        return false;
    clock.start();
    listener.reset(new NntpTestListener(this, requestedPort));
    if (!listener->startListening(listenPort, lastError)) {
        listener->wait();
        listener.reset();
        return false;
    }
    return true;
}

void NntpTestServer::stop()
{
    stopRequested.store(true);
    if (listener) {
        listener->wait();
        listener.reset();
    }
    QList<NntpTestSession *> finished;
    {
        QMutexLocker locker(&mutex);
        finished.swap(sessions);
    }
    for (NntpTestSession *session : finished) {
        session->wait();
        delete session;
    }
}

bool NntpTestServer::makeCertificate()
{
    certificateDir.reset(new QTemporaryDir());
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                   QStringLiteral("-nodes"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                   QStringLiteral("-days"), QStringLiteral("1"),
                   QStringLiteral("-keyout"), keyPath(), QStringLiteral("-out"), certificatePath()});
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        lastError = QStringLiteral("cannot make a certificate with openssl: %1 %2")
                        .arg(openssl.errorString(), QString::fromLocal8Bit(openssl.readAllStandardError()));
        return false;
    }
    return true;
}

QString NntpTestServer::certificatePath() const
{
    return certificateDir ? certificateDir->filePath(QStringLiteral("cert.pem")) : QString();
}

QString NntpTestServer::keyPath() const
{
    return certificateDir ? certificateDir->filePath(QStringLiteral("key.pem")) : QString();
}

void NntpTestServer::acceptConnection(qintptr descriptor)
{
    QMutexLocker locker(&mutex);
    ConnectionFaults faults = queuedFaults.isEmpty() ? defaultFaults : queuedFaults.dequeue();
    NntpTestSession *session = new NntpTestSession(this, descriptor, nextConnection++, faults);
    sessions.append(session);
    session->start();
}

void NntpTestServer::setCredentials(const QString &newUser, const QString &newPassword)
{
    QMutexLocker locker(&mutex);
    user = newUser;
    password = newPassword;
}

void NntpTestServer::setDefaultConnectionFaults(const ConnectionFaults &faults)
{
    QMutexLocker locker(&mutex);
    defaultFaults = faults;
}

void NntpTestServer::queueConnectionFaults(const ConnectionFaults &faults)
{
    QMutexLocker locker(&mutex);
    queuedFaults.enqueue(faults);
}

void NntpTestServer::addArticle(const QString &messageId, const QByteArray &body, qint64 number,
                                NntpTestArticle::Fault fault)
{
    QMutexLocker locker(&mutex);
    NntpTestArticle article;
    article.body = body;
    article.number = number;
    article.fault = fault;
    articles.insert(messageId, article);
    wireCache.remove(messageId);
    if (number >= 0)
        idsByNumber.insert(number, messageId);
}

void NntpTestServer::addGroup(const QString &group)
{
    QMutexLocker locker(&mutex);
    groupNames.append(group);
}

QStringList NntpTestServer::groups() const
{
    QMutexLocker locker(&mutex);
    return groupNames;
}

bool NntpTestServer::findArticle(const QString &messageId, NntpTestArticle &article)
{
    {
        QMutexLocker locker(&mutex);
        const auto found = articles.constFind(messageId);
        if (found != articles.constEnd()) {
            article = found.value();
            return true;
        }
    }
    qint64 size = 0;
    quint32 seed = 0;
    NntpTestArticle::Fault fault = NntpTestArticle::Fault::None;
    if (!NntpTestArticle::parseGeneratedId(messageId, size, seed, fault))
        return false;
    article.fault = fault;
    article.number = -1;
    article.body.clear();  // made on demand by wireBodyOf()
    return true;
}

bool NntpTestServer::findArticleByNumber(qint64 number, QString &messageId, NntpTestArticle &article)
{
    {
        QMutexLocker locker(&mutex);
        messageId = idsByNumber.value(number);
    }
    return !messageId.isEmpty() && findArticle(messageId, article);
}

QByteArray NntpTestServer::wireBodyOf(const QString &messageId, const NntpTestArticle &article)
{
    qint64 size = 0;
    quint32 seed = 0;
    NntpTestArticle::Fault fault = NntpTestArticle::Fault::None;
    const bool generated = article.body.isEmpty() && NntpTestArticle::parseGeneratedId(messageId, size, seed, fault);
    const QString key = generated ? QStringLiteral("%1.%2").arg(size).arg(seed) : messageId;
    {
        QMutexLocker locker(&mutex);
        const auto cached = wireCache.constFind(key);
        if (cached != wireCache.constEnd())
            return cached.value();
    }
    const QByteArray wire = NntpTestArticle::wireBody(generated ? NntpTestArticle::generatedBody(size, seed) : article.body);
    QMutexLocker locker(&mutex);
    if (wireCache.size() >= WireCacheEntries)
        wireCache.clear();
    wireCache.insert(key, wire);
    return wire;
}

bool NntpTestServer::checkCredentials(const QString &givenUser, const QString &givenPassword) const
{
    QMutexLocker locker(&mutex);
    return givenUser == user && givenPassword == password;
}

bool NntpTestServer::loginRequired() const
{
    QMutexLocker locker(&mutex);
    return !user.isEmpty() || !password.isEmpty();
}

void NntpTestServer::record(int connection, const QString &what)
{
    QMutexLocker locker(&mutex);
    eventLog.append({connection, clock.elapsed(), what});
}

QList<NntpTestServer::Event> NntpTestServer::events() const
{
    QMutexLocker locker(&mutex);
    return eventLog;
}

QStringList NntpTestServer::commands() const
{
    QMutexLocker locker(&mutex);
    QStringList lines;
    for (const Event &event : eventLog)
        if (event.what != QLatin1String("accept") && event.what != QLatin1String("greeting")
            && event.what != QLatin1String("close"))
            lines.append(event.what);
    return lines;
}

void NntpTestServer::clearEvents()
{
    QMutexLocker locker(&mutex);
    eventLog.clear();
}

int NntpTestServer::connectionCount() const
{
    QMutexLocker locker(&mutex);
    return nextConnection;
}
