#include "HttpTestServer.h"

#include "HttpTestListener.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QProcess>
#include <QThread>

namespace {

QByteArray basicCredentials(const QByteArray &user, const QByteArray &password)
{
    return "Basic " + (user + ':' + password).toBase64();
}

// Splits an origin-form or absolute-form target into its encoded path and query.
void splitTarget(const QByteArray &target, QByteArray &path, QByteArray &query)
{
    QByteArray rest = target;
    if (rest.startsWith("http://") || rest.startsWith("https://")) {
        const int slash = rest.indexOf('/', rest.indexOf("//") + 2);
        rest = slash < 0 ? QByteArray("/") : rest.mid(slash);
    }
    const int fragment = rest.indexOf('#');
    if (fragment >= 0)
        rest.truncate(fragment);
    const int mark = rest.indexOf('?');
    path = mark < 0 ? rest : rest.left(mark);
    query = mark < 0 ? QByteArray() : rest.mid(mark + 1);
}

QByteArray hostOf(const HttpTestServer::Request &request)
{
    return request.url().host().toUtf8();
}

} // namespace

HttpTestServer::Response HttpTestServer::Response::ok(const QByteArray &body, const QByteArray &contentType)
{
    Response response;
    response.body = body;
    response.headers.append(Header("Content-Type", contentType));
    return response;
}

HttpTestServer::Response HttpTestServer::Response::withStatus(int status, const QByteArray &body)
{
    Response response;
    response.status = status;
    response.body = body;
    response.headers.append(Header("Content-Type", "text/html"));
    return response;
}

HttpTestServer::Response HttpTestServer::Response::redirect(int status, const QByteArray &location)
{
    Response response;
    response.status = status;
    response.headers.append(Header("Location", location));
    return response;
}

HttpTestServer::Response HttpTestServer::Response::generated(const QByteArray &body, qint64 bytes,
                                                             const QByteArray &pattern, const QByteArray &contentType)
{
    Response response = ok(body, contentType);
    response.generatedBytes = bytes;
    response.generatedPattern = pattern.isEmpty() ? QByteArray("x") : pattern;
    response.noContentLength = bytes < 0;
    return response;
}

HttpTestServer::Response &HttpTestServer::Response::withHeader(const QByteArray &name, const QByteArray &value)
{
    headers.append(Header(name, value));
    return *this;
}

bool HttpTestServer::Request::isAbsoluteForm() const
{
    return target.startsWith("http://") || target.startsWith("https://");
}

QByteArray HttpTestServer::Request::header(const QByteArray &name) const
{
    const QByteArray wanted = name.toLower();
    for (const Header &header : headers)
        if (header.first.toLower() == wanted)
            return header.second;
    return QByteArray();
}

QUrl HttpTestServer::Request::url() const
{
    if (isAbsoluteForm())
        return QUrl::fromEncoded(target);
    return QUrl::fromEncoded("http://" + header("Host") + target);
}

QByteArray HttpTestServer::Request::path() const
{
    QByteArray path, query;
    splitTarget(target, path, query);
    return path;
}

QByteArray HttpTestServer::Request::query() const
{
    QByteArray path, query;
    splitTarget(target, path, query);
    return query;
}

HttpTestServer::HttpTestServer() = default;

HttpTestServer::~HttpTestServer()
{
    stop();
}

bool HttpTestServer::start(quint16 port, bool withTls)
{
    stop();
    tls = withTls;
    if (tls && !makeCertificate())
        return false;
    listener = std::make_unique<HttpTestListener>(this, port);
    if (!listener->startListening(listenPort, lastError)) {
        listener->wait();
        listener.reset();
        return false;
    }
    return true;
}

void HttpTestServer::stop()
{
    if (!listener)
        return;
    listener->quit();
    listener->wait();
    listener.reset();
}

QUrl HttpTestServer::url(const QString &pathAndQuery) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(listenPort)
                    .arg(pathAndQuery));
}

bool HttpTestServer::makeCertificate()
{
    certificateDir = std::make_unique<QTemporaryDir>();
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                   QStringLiteral("-nodes"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                   QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-keyout"), keyPath(),
                   QStringLiteral("-out"), certificatePath()});
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        lastError = QStringLiteral("cannot make a certificate with openssl: %1 %2")
                        .arg(openssl.errorString(), QString::fromLocal8Bit(openssl.readAllStandardError()));
        return false;
    }
    return true;
}

QString HttpTestServer::certificatePath() const
{
    return certificateDir ? certificateDir->filePath(QStringLiteral("cert.pem")) : QString();
}

QString HttpTestServer::keyPath() const
{
    return certificateDir ? certificateDir->filePath(QStringLiteral("key.pem")) : QString();
}

void HttpTestServer::addRoute(const QByteArray &method, const QString &target, const Response &response)
{
    QMutexLocker lock(&mutex);
    routes.prepend(Route{method, target, response, Handler()});
}

void HttpTestServer::addHandler(const QByteArray &method, const QString &target, const Handler &handler)
{
    QMutexLocker lock(&mutex);
    routes.prepend(Route{method, target, Response(), handler});
}

void HttpTestServer::clearRoutes()
{
    QMutexLocker lock(&mutex);
    routes.clear();
}

void HttpTestServer::setProxyCredentials(const QByteArray &user, const QByteArray &password)
{
    QMutexLocker lock(&mutex);
    proxyUser = user;
    proxyPassword = password;
}

QList<HttpTestServer::Request> HttpTestServer::requests() const
{
    QMutexLocker lock(&mutex);
    return received;
}

int HttpTestServer::requestCount() const
{
    QMutexLocker lock(&mutex);
    return received.size();
}

void HttpTestServer::clearRequests()
{
    QMutexLocker lock(&mutex);
    received.clear();
}

bool HttpTestServer::waitForRequests(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (requestCount() < count) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

int HttpTestServer::connectionCount() const
{
    QMutexLocker lock(&mutex);
    return connections;
}

int HttpTestServer::newConnectionId()
{
    QMutexLocker lock(&mutex);
    return ++connections;
}

bool HttpTestServer::routeMatches(const Route &route, const Request &request) const
{
    if (!route.method.isEmpty() && route.method != "*" && route.method != request.method)
        return false;
    if (route.target == QLatin1String("*"))
        return true;
    QByteArray target = route.target.toUtf8();
    if (target.startsWith("http://") || target.startsWith("https://")) {
        if (QUrl::fromEncoded(target).host().toUtf8() != hostOf(request))
            return false;
    }
    QByteArray path, query;
    splitTarget(target, path, query);
    if (path != request.path())
        return false;
    return !target.contains('?') || query == request.query();
}

bool HttpTestServer::proxyRefuses(const Request &request) const
{
    return request.isAbsoluteForm() && !(proxyUser.isEmpty() && proxyPassword.isEmpty())
           && request.header("Proxy-Authorization") != basicCredentials(proxyUser, proxyPassword);
}

HttpTestServer::Response HttpTestServer::siteChallengeOr(const Request &request, const Response &response)
{
    if (!(response.siteUser.isEmpty() && response.sitePassword.isEmpty())
        && request.header("Authorization") != basicCredentials(response.siteUser, response.sitePassword)) {
        return Response::withStatus(401, "<html>Log-in required</html>")
            .withHeader("WWW-Authenticate", "Basic realm=\"" + response.siteRealm + '"');
    }
    return response;
}

HttpTestServer::Response HttpTestServer::respond(const Request &request)
{
    Route chosen;
    bool found = false;
    {
        QMutexLocker lock(&mutex);
        received.append(request);
        if (request.method == "CONNECT")
            return Response::withStatus(501, "<html>No tunnels here</html>");
        // The proxy is checked before anything else, as a real proxy would.
        if (proxyRefuses(request)) {
            return Response::withStatus(407, "<html>Proxy log-in required</html>")
                .withHeader("Proxy-Authenticate", "Basic realm=\"Test proxy\"");
        }
        for (const Route &route : qAsConst(routes)) {
            if (routeMatches(route, request)) {
                chosen = route;
                found = true;
                break;
            }
        }
    }
    if (!found)
        return Response::withStatus(404, "<html>No route for " + request.target + "</html>");
    // A handler runs outside the lock, so it may use the server's own calls.
    return siteChallengeOr(request, chosen.handler ? chosen.handler(request) : chosen.response);
}
