#ifndef HTTPTESTSERVER_H
#define HTTPTESTSERVER_H

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>

class HttpTestListener;

// An HTTP/1.1 server for tests on 127.0.0.1 (port 0: a free one), running in a thread of its
// own, so that a client in the test's thread may wait on its replies.
//
// - Routes: a method and a target map to a canned Response (status, headers, body, a delay
//   before the answer, chunked coding, a close or a stall in the middle of the body, a site
//   log-in) or to a Handler that builds one from the request. Later routes are tried first.
//   A target is "*" (anything), "/path" (that path, any query), "/path?query" (that path and
//   exactly that encoded query), or "http://host/path[?query]" (the same, on that host only).
//   A request that no route takes gets 404.
// - Every request is recorded (request line, headers, body) for assertions, including those
//   answered 401, 407 or 404.
// - Proxy: the server takes absolute-form requests ("GET http://any.host/path HTTP/1.1") too,
//   matching them against the routes by host and path, so a client whose proxy is this
//   server reaches any host name without a name look-up. With proxy credentials set, such a
//   request without the right "Proxy-Authorization" (Basic) gets 407 and a challenge.
//   CONNECT (HTTPS through the proxy) is not supported: it gets 501.
// - Huge and endless bodies: a response may add, after its body, bytes made while they are
//   sent (a pattern repeated), written only as fast as the client takes them, so that a body
//   of gigabytes, or one without end, costs the server no memory.
// - TLS: start(port, true) serves HTTPS with a self-signed certificate made at start (the
//   `openssl` program), for tests of certificate handling.
// - Connections are kept alive between requests unless the client or the response says
//   otherwise; one request at a time is answered on each connection.
class HttpTestServer
{
public:
    using Header = QPair<QByteArray, QByteArray>;

    struct Response {
        int status = 200;
        QByteArray reason;            // empty: the usual phrase for the status
        QList<Header> headers;        // sent as given; Content-Length is added by the server
        QByteArray body;
        int delayMs = 0;              // silence before the status line
        bool chunked = false;         // body in chunked coding, chunkSize bytes a chunk
        int chunkSize = 1024;
        int chunkPauseMs = 0;         // silence between chunks
        qint64 closeAfterBodyBytes = -1;  // >= 0: the connection drops after that much body
        qint64 stallAfterBodyBytes = -1;  // >= 0: nothing more after that much body
        bool noContentLength = false; // the body ends when the server closes the connection
        // After `body`, this many more bytes of `generatedPattern` repeated, made as they are
        // sent; -1 for a body without end (sent chunked, or without a length unless chunked).
        qint64 generatedBytes = 0;
        QByteArray generatedPattern = "x";
        // When set, only a request carrying these Basic credentials gets this response; any
        // other gets 401 with a challenge for the realm.
        QByteArray siteUser;
        QByteArray sitePassword;
        QByteArray siteRealm = "Test site";

        static Response ok(const QByteArray &body, const QByteArray &contentType = "text/html");
        static Response withStatus(int status, const QByteArray &body = QByteArray());
        static Response redirect(int status, const QByteArray &location);
        // `body` followed by `bytes` made bytes (-1: without end) of `pattern`.
        static Response generated(const QByteArray &body, qint64 bytes, const QByteArray &pattern = "x",
                                  const QByteArray &contentType = "text/html");
        bool isEndless() const { return generatedBytes < 0; }
        qint64 bodySize() const { return body.size() + generatedBytes; }  // for a body with an end
        Response &withHeader(const QByteArray &name, const QByteArray &value);
    };

    struct Request {
        int connection = 0;           // 1 for the first accepted connection, and so on
        QByteArray line;              // the request line as received, without CR LF
        QByteArray method;
        QByteArray target;            // as sent: origin-form ("/a?b") or absolute-form
        QByteArray version;
        QList<Header> headers;        // in order, names as sent
        QByteArray body;

        bool isAbsoluteForm() const;
        QByteArray header(const QByteArray &name) const;  // first one, any letter case; empty if none
        QUrl url() const;             // absolute: the target, or "http://" + Host + target
        QByteArray path() const;      // encoded path of the target
        QByteArray query() const;     // encoded query of the target, without "?"
    };

    using Handler = std::function<Response(const Request &)>;

    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer &) = delete;
    HttpTestServer &operator=(const HttpTestServer &) = delete;

    // Listens on 127.0.0.1, with TLS when asked; false with errorString() when impossible.
    bool start(quint16 port = 0, bool tls = false);
    void stop();
    quint16 port() const { return listenPort; }
    bool isTls() const { return tls; }
    QString errorString() const { return lastError; }
    QString certificatePath() const;
    QString keyPath() const;

    // "http://127.0.0.1:<port>" (https with TLS) followed by the path and query, as a URL.
    QUrl url(const QString &pathAndQuery = QStringLiteral("/")) const;

    void addRoute(const QByteArray &method, const QString &target, const Response &response);
    void addHandler(const QByteArray &method, const QString &target, const Handler &handler);
    void clearRoutes();

    // Proxy log-in: empty user and password (the default) let every proxied request through.
    void setProxyCredentials(const QByteArray &user, const QByteArray &password);

    QList<Request> requests() const;
    int requestCount() const;
    void clearRequests();
    // Runs the calling thread's events until `count` requests have arrived or the time is up.
    bool waitForRequests(int count, int timeoutMs = 10000) const;
    int connectionCount() const;

    // Used by the connections: records the request and chooses its response.
    Response respond(const Request &request);
    int newConnectionId();

private:
    struct Route {
        QByteArray method;
        QString target;
        Response response;
        Handler handler;
    };

    bool routeMatches(const Route &route, const Request &request) const;
    bool makeCertificate();
    bool proxyRefuses(const Request &request) const;
    static Response siteChallengeOr(const Request &request, const Response &response);

    mutable QMutex mutex;
    QList<Route> routes;
    QList<Request> received;
    QByteArray proxyUser;
    QByteArray proxyPassword;
    int connections = 0;

    std::unique_ptr<QTemporaryDir> certificateDir;
    std::unique_ptr<HttpTestListener> listener;
    bool tls = false;
    quint16 listenPort = 0;
    QString lastError;
};

#endif // HTTPTESTSERVER_H
