#include "HttpTestFetch.h"
#include "HttpTestServer.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

namespace {

using Response = HttpTestServer::Response;

using Fetched = HttpTestFetch::Result;

Fetched fetch(QNetworkAccessManager &manager, const QUrl &url, const QByteArray &method = "GET",
              const QByteArray &body = QByteArray())
{
    QNetworkRequest request(url);
    if (!body.isEmpty())
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    return HttpTestFetch::send(manager, request, method, body);
}

// Sends raw bytes and reads until the server closes the connection or a pause.
QByteArray exchange(quint16 port, const QByteArray &bytes)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(5000))
        return "<no connection>";
    socket.write(bytes);
    QByteArray answer;
    while (socket.waitForReadyRead(1000))
        answer += socket.readAll();
    return answer + socket.readAll();
}

} // namespace

class tst_HttpTestServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void routesChooseByMethodPathAndQuery_data();
    void routesChooseByMethodPathAndQuery();
    void requestsAreRecorded();
    void bodiesArriveWhole_data();
    void bodiesArriveWhole();
    void madeBodiesArriveWhole_data();
    void madeBodiesArriveWhole();
    void endlessBodyKeepsComing();
    void faultsReachTheClient();
    void proxyNeedsItsCredentials();
    void siteLogIn();
    void connectionsAreKeptAlive();

private:
    std::unique_ptr<HttpTestServer> server;
};

void tst_HttpTestServer::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    QVERIFY(server->port() > 0);
}

void tst_HttpTestServer::routesChooseByMethodPathAndQuery_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("pathAndQuery");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("path, any query") << QByteArray("GET") << "/page?x=1" << 200 << QByteArray("page");
    QTest::newRow("exact query") << QByteArray("GET") << "/page?min=25" << 200 << QByteArray("second");
    QTest::newRow("other method") << QByteArray("POST") << "/page" << 200 << QByteArray("posted");
    QTest::newRow("later route wins") << QByteArray("GET") << "/twice" << 200 << QByteArray("new");
    QTest::newRow("no route") << QByteArray("GET") << "/none" << 404 << QByteArray("<html>No route for /none</html>");
    QTest::newRow("status") << QByteArray("GET") << "/busy" << 503 << QByteArray("busy");
}

void tst_HttpTestServer::routesChooseByMethodPathAndQuery()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, pathAndQuery);
    QFETCH(int, status);
    QFETCH(QByteArray, body);

    server->addRoute("GET", "/page", Response::ok("page"));
    server->addRoute("GET", "/page?min=25", Response::ok("second"));
    server->addRoute("POST", "/page", Response::ok("posted"));
    server->addRoute("GET", "/twice", Response::ok("old"));
    server->addRoute("GET", "/twice", Response::ok("new"));
    server->addRoute("GET", "/busy", Response::withStatus(503, "busy"));

    QNetworkAccessManager manager;
    const Fetched got = fetch(manager, server->url(pathAndQuery), method, method == "POST" ? "a=b" : "");
    QCOMPARE(got.status, status);
    QCOMPARE(got.body, body);
}

void tst_HttpTestServer::requestsAreRecorded()
{
    server->addHandler("POST", "/echo", [](const HttpTestServer::Request &request) {
        return Response::ok(request.body + '|' + request.query());
    });
    QNetworkAccessManager manager;
    const Fetched got = fetch(manager, server->url("/echo?q=a+b%26c"), "POST", "1=on&2=on");
    QCOMPARE(got.body, QByteArray("1=on&2=on|q=a+b%26c"));

    const QList<HttpTestServer::Request> requests = server->requests();
    QCOMPARE(requests.size(), 1);
    const HttpTestServer::Request &request = requests.first();
    QCOMPARE(request.line, QByteArray("POST /echo?q=a+b%26c HTTP/1.1"));
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path(), QByteArray("/echo"));
    QCOMPARE(request.header("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.header("Content-Length"), QByteArray("9"));
    QCOMPARE(request.body, QByteArray("1=on&2=on"));
    QCOMPARE(request.url(), server->url("/echo?q=a+b%26c"));
    QVERIFY(!request.isAbsoluteForm());
}

void tst_HttpTestServer::bodiesArriveWhole_data()
{
    QTest::addColumn<bool>("chunked");
    QTest::addColumn<bool>("noContentLength");
    QTest::addColumn<int>("delayMs");

    QTest::newRow("content length") << false << false << 0;
    QTest::newRow("chunked") << true << false << 0;
    QTest::newRow("until close") << false << true << 0;
    QTest::newRow("delayed") << false << false << 300;
}

void tst_HttpTestServer::bodiesArriveWhole()
{
    QFETCH(bool, chunked);
    QFETCH(bool, noContentLength);
    QFETCH(int, delayMs);

    QByteArray body;
    for (int i = 0; i < 5000; ++i)
        body += QByteArray::number(i) + ' ';
    Response response = Response::ok(body);
    response.chunked = chunked;
    response.chunkSize = 700;
    response.chunkPauseMs = chunked ? 5 : 0;
    response.noContentLength = noContentLength;
    response.delayMs = delayMs;
    server->addRoute("GET", "/big", response);

    QNetworkAccessManager manager;
    const Fetched got = fetch(manager, server->url("/big"));
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.body, body);
}

void tst_HttpTestServer::madeBodiesArriveWhole_data()
{
    QTest::addColumn<bool>("chunked");
    QTest::addColumn<bool>("noContentLength");

    QTest::newRow("content length") << false << false;
    QTest::newRow("chunked") << true << false;
    QTest::newRow("until close") << false << true;
}

// A made body is the given start and then the pattern, cut at the size asked for, across many
// pieces.
void tst_HttpTestServer::madeBodiesArriveWhole()
{
    QFETCH(bool, chunked);
    QFETCH(bool, noContentLength);

    const qint64 made = 3 * 1024 * 1024 + 5;
    Response response = Response::generated("<start>", made, "0123456789", "application/octet-stream");
    response.chunked = chunked;
    response.noContentLength = noContentLength;
    server->addRoute("GET", "/made", response);

    QNetworkAccessManager manager;
    const Fetched got = fetch(manager, server->url("/made"));
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.body.size(), 7 + made);
    const QByteArray pattern("0123456789");
    const QByteArray expected = "<start>" + pattern.repeated(int(made / 10)) + pattern.left(int(made % 10));
    QVERIFY(got.body == expected);
}

void tst_HttpTestServer::endlessBodyKeepsComing()
{
    server->addRoute("GET", "/endless", Response::generated("head ", -1, "abc", "application/x-nzb"));
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(server->url("/endless")));
    reply->setReadBufferSize(64 * 1024);
    QByteArray got;
    connect(reply, &QNetworkReply::readyRead, this, [&] {
        got += reply->readAll();
        if (got.size() >= 5 * 1024 * 1024)
            reply->abort();
    });
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(20000));
    QVERIFY(reply->header(QNetworkRequest::ContentLengthHeader).isNull());
    QVERIFY(got.size() >= 5 * 1024 * 1024);
    QVERIFY(got.startsWith("head abcabc"));
    QVERIFY(got.mid(5, 3 * 1000000) == QByteArray("abc").repeated(1000000));
    reply->deleteLater();

    // The server goes on answering.
    server->addRoute("GET", "/after", Response::ok("still here"));
    QCOMPARE(fetch(manager, server->url("/after")).body, QByteArray("still here"));
}

void tst_HttpTestServer::faultsReachTheClient()
{
    Response dropped = Response::ok(QByteArray(4000, 'x'));
    dropped.closeAfterBodyBytes = 1000;
    server->addRoute("GET", "/dropped", dropped);
    Response stalled = Response::ok(QByteArray(4000, 'x'));
    stalled.stallAfterBodyBytes = 1000;
    server->addRoute("GET", "/stalled", stalled);

    QNetworkAccessManager manager;
    QVERIFY(fetch(manager, server->url("/dropped")).error != QNetworkReply::NoError);

    manager.setTransferTimeout(500);
    const Fetched got = fetch(manager, server->url("/stalled"));
    QVERIFY(got.error == QNetworkReply::OperationCanceledError || got.error == QNetworkReply::TimeoutError);
}

void tst_HttpTestServer::proxyNeedsItsCredentials()
{
    server->addRoute("GET", "http://search.invalid/results", Response::ok("from the proxy"));
    server->setProxyCredentials("user", "secret");

    const QByteArray request = "GET http://search.invalid/results?q=1 HTTP/1.1\r\nHost: search.invalid\r\n"
                               "Connection: close\r\n";
    QByteArray answer = exchange(server->port(), request + "\r\n");
    QVERIFY2(answer.startsWith("HTTP/1.1 407 "), answer.constData());
    QVERIFY(answer.contains("Proxy-Authenticate: Basic realm=\"Test proxy\""));

    answer = exchange(server->port(), request + "Proxy-Authorization: Basic "
                                          + QByteArray("user:secret").toBase64() + "\r\n\r\n");
    QVERIFY2(answer.startsWith("HTTP/1.1 200 OK"), answer.constData());
    QVERIFY(answer.endsWith("from the proxy"));

    // Another host is not served by that route.
    answer = exchange(server->port(), "GET http://other.invalid/results HTTP/1.1\r\nConnection: close\r\n"
                                      "Proxy-Authorization: Basic " + QByteArray("user:secret").toBase64()
                                      + "\r\n\r\n");
    QVERIFY2(answer.startsWith("HTTP/1.1 404 "), answer.constData());

    const QList<HttpTestServer::Request> requests = server->requests();
    QCOMPARE(requests.size(), 3);
    QVERIFY(requests.at(0).isAbsoluteForm());
    QCOMPARE(requests.at(0).url(), QUrl("http://search.invalid/results?q=1"));

    // Through Qt as its proxy, with the credentials in the proxy object.
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, "127.0.0.1", server->port(), "user", "secret"));
    const Fetched got = fetch(manager, QUrl("http://search.invalid/results"));
    QCOMPARE(got.status, 200);
    QCOMPARE(got.body, QByteArray("from the proxy"));
}

void tst_HttpTestServer::siteLogIn()
{
    Response secret = Response::ok("inside");
    secret.siteUser = "me";
    secret.sitePassword = "pw";
    server->addRoute("GET", "/private", secret);

    QNetworkAccessManager manager;
    Fetched got = fetch(manager, server->url("/private"));
    QCOMPARE(got.error, QNetworkReply::AuthenticationRequiredError);

    QUrl withCredentials = server->url("/private");
    withCredentials.setUserName("me");
    withCredentials.setPassword("pw");
    got = fetch(manager, withCredentials);
    QCOMPARE(got.status, 200);
    QCOMPARE(got.body, QByteArray("inside"));
}

void tst_HttpTestServer::connectionsAreKeptAlive()
{
    server->addRoute("GET", "*", Response::ok("any"));
    QNetworkAccessManager manager;
    for (int i = 0; i < 3; ++i)
        QCOMPARE(fetch(manager, server->url(QStringLiteral("/%1").arg(i))).body, QByteArray("any"));
    QCOMPARE(server->connectionCount(), 1);
    QCOMPARE(server->requestCount(), 3);
}

QTEST_GUILESS_MAIN(tst_HttpTestServer)
#include "tst_HttpTestServer.moc"
