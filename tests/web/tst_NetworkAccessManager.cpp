#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "web/DialogWebAuthentication.h"
#include "web/NetworkAccessManager.h"

#include "HttpTestFetch.h"
#include "HttpTestServer.h"
#include "ProcessMemory.h"
#include "TempHome.h"
#include "WidgetPicture.h"

#include <QAbstractNetworkCache>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

using Response = HttpTestServer::Response;

using Fetched = HttpTestFetch::Result;

Fetched fetch(QNetworkAccessManager &manager, const QUrl &url)
{
    return HttpTestFetch::get(manager, url);
}

QNetworkProxy httpProxy(const QString &host, quint16 port)
{
    return QNetworkProxy(QNetworkProxy::HttpProxy, host, port);
}

// What the dialogs the manager ran showed, and how the test answered them.
struct DialogAnswers {
    QStringList messages;  // title + "|" + text of each message box
    QStringList intros;    // intro text of each log-in dialog
    QList<QWidget *> parents;
    QList<Qt::WindowFlags> flags;
    bool accept = true;
    QString user;
    QString password;

    int run(QDialog &dialog)
    {
        parents.append(dialog.parentWidget());
        flags.append(dialog.windowFlags());
        if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
            messages.append(box->windowTitle() + QLatin1Char('|') + box->text());
            return QMessageBox::Ok;
        }
        if (qobject_cast<DialogWebAuthentication *>(&dialog)) {
            intros.append(dialog.findChild<QLabel *>(QStringLiteral("introLabel"))->text());
            dialog.findChild<QLineEdit *>(QStringLiteral("lineEditLogin"))->setText(user);
            dialog.findChild<QLineEdit *>(QStringLiteral("lineEditPassword"))->setText(password);
            return accept ? QDialog::Accepted : QDialog::Rejected;
        }
        return QDialog::Rejected;
    }
};

} // namespace

class tst_NetworkAccessManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void proxyDisabledAsksNothing();
    void firstProxyWithTheNameIsChosen();
    void proxyNotFound_data();
    void proxyNotFound();
    void systemProxyFromTheEnvironmentWithLogIn_data();
    void systemProxyFromTheEnvironmentWithLogIn();
    void proxyLogInIsNotGivenWhileDisabled();
    void siteLogInAsksTheUser_data();
    void siteLogInAsksTheUser();
    void logInDialogParentIsAWidgetOwner();
    void certificateErrorsAreIgnored();
    void onlyOneManagerHoldsTheDiskCache();
    void silentServerEndsTheRequest();
    void unreadAnswerWaitsInABoundedBuffer_data();
    void unreadAnswerWaitsInABoundedBuffer();
    void authenticationDialogForm();

private:
    std::unique_ptr<TempHome> home;
    DialogAnswers answers;
    int proxyQueries = 0;
    QList<QNetworkProxy> systemProxies;
};

void tst_NetworkAccessManager::initTestCase()
{
    home = std::make_unique<TempHome>();
    QVERIFY(home->isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home->path() + QStringLiteral("/cache")));
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_NetworkAccessManager::init()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyEnabled = false;
    config->proxyName.clear();
    config->proxyLogin.clear();
    config->proxyPassword.clear();
    config->proxy = QNetworkProxy(QNetworkProxy::NoProxy);
    config->systemProxies.clear();
    config->socketTimeout = 30;
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    answers = DialogAnswers();
    proxyQueries = 0;
    systemProxies.clear();
    NetworkAccessManager::setDialogRunner([this](QDialog &dialog) { return answers.run(dialog); });
    NetworkAccessManager::setSystemProxyQuery([this](const QNetworkProxyQuery &query) {
        ++proxyQueries;
        QTest::qVerify(query.queryType() == QNetworkProxyQuery::UrlRequest, "query type", "", __FILE__, __LINE__);
        return systemProxies;
    });
    QFile::remove(AppConfiguration::getConfigurationFile());
}

void tst_NetworkAccessManager::cleanup()
{
    NetworkAccessManager::setDialogRunner(NetworkAccessManager::DialogRunner());
    NetworkAccessManager::setSystemProxyQuery(NetworkAccessManager::ProxyQuery());
    qunsetenv("http_proxy");
    qunsetenv("https_proxy");
}

void tst_NetworkAccessManager::proxyDisabledAsksNothing()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyName = QStringLiteral("proxy.lan");
    config->proxyLogin = QStringLiteral("me");
    systemProxies = {httpProxy(QStringLiteral("proxy.lan"), 3128)};

    NetworkAccessManager manager;
    QCOMPARE(proxyQueries, 0);
    QCOMPARE(manager.proxy().type(), QNetworkProxy::DefaultProxy);
    QCOMPARE(QNetworkProxy::applicationProxy().type(), QNetworkProxy::NoProxy);
    QCOMPARE(config->proxyName, QStringLiteral("proxy.lan"));
    QCOMPARE(config->proxyLogin, QStringLiteral("me"));
    QVERIFY(config->systemProxies.isEmpty());
    QVERIFY(answers.messages.isEmpty());
    QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
}

void tst_NetworkAccessManager::firstProxyWithTheNameIsChosen()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyEnabled = true;
    config->proxyName = QStringLiteral("proxy.lan");
    config->proxyLogin = QStringLiteral("user");
    config->proxyPassword = QStringLiteral("secret");
    systemProxies = {httpProxy(QStringLiteral("other.lan"), 1), httpProxy(QStringLiteral("proxy.lan"), 2),
                     httpProxy(QStringLiteral("proxy.lan"), 3)};

    NetworkAccessManager manager;
    QCOMPARE(proxyQueries, 1);
    for (const QNetworkProxy &proxy : {manager.proxy(), QNetworkProxy::applicationProxy(), config->proxy}) {
        QCOMPARE(proxy.hostName(), QStringLiteral("proxy.lan"));
        QCOMPARE(proxy.port(), quint16(2));
        QCOMPARE(proxy.user(), QStringLiteral("user"));
        QCOMPARE(proxy.password(), QStringLiteral("secret"));
    }
    QCOMPARE(config->systemProxies, systemProxies);
    QVERIFY(config->proxyEnabled);
    QVERIFY(answers.messages.isEmpty());
}

void tst_NetworkAccessManager::proxyNotFound_data()
{
    QTest::addColumn<QList<QNetworkProxy>>("reported");
    QTest::newRow("name differs in case") << QList<QNetworkProxy>{httpProxy(QStringLiteral("proxy.lan"), 3128)};
    QTest::newRow("system reports none") << QList<QNetworkProxy>();
}

void tst_NetworkAccessManager::proxyNotFound()
{
    QFETCH(QList<QNetworkProxy>, reported);
    AppConfiguration *config = AppConfiguration::getInstance();
    const QList<QNetworkProxy> before{httpProxy(QStringLiteral("earlier.lan"), 8080)};
    config->systemProxies = before;
    config->proxyEnabled = true;
    config->proxyName = QStringLiteral("Proxy.LAN");
    config->proxyLogin = QStringLiteral("user");
    config->proxyPassword = QStringLiteral("secret");
    systemProxies = reported;
    QNetworkProxy::setApplicationProxy(httpProxy(QStringLiteral("stale.lan"), 1));

    {
        NetworkAccessManager manager;
        QCOMPARE(answers.messages,
                 QStringList{QStringLiteral("Tessaquill+|Proxy \"Proxy.LAN\" not found. Please check your configuration.")});
        QCOMPARE(manager.proxy().type(), QNetworkProxy::DefaultProxy);
    }
    QVERIFY(!config->proxyEnabled);
    QVERIFY(config->proxyName.isEmpty());
    QVERIFY(config->proxyLogin.isEmpty());
    QVERIFY(config->proxyPassword.isEmpty());
    QCOMPARE(config->proxy.type(), QNetworkProxy::NoProxy);
    QCOMPARE(QNetworkProxy::applicationProxy().type(), QNetworkProxy::NoProxy);
    QCOMPARE(config->systemProxies, reported.isEmpty() ? before : reported);

    QFile saved(AppConfiguration::getConfigurationFile());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    QVERIFY2(text.contains("<Enabled>0</Enabled>") && !text.contains("secret"), text.constData());

    // A manager built afterwards finds the proxy disabled and says nothing more.
    NetworkAccessManager later;
    QCOMPARE(answers.messages.size(), 1);
    QCOMPARE(proxyQueries, 1);
}

void tst_NetworkAccessManager::systemProxyFromTheEnvironmentWithLogIn_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<int>("status");
    QTest::addColumn<QNetworkReply::NetworkError>("error");

    QTest::newRow("right password") << QByteArray("secret") << 200 << QNetworkReply::NoError;
    QTest::newRow("wrong password") << QByteArray("wrong") << 407 << QNetworkReply::ProxyAuthenticationRequiredError;
}

// The real system query: on Linux it reads http_proxy. The test server is the proxy and
// serves a host name that does not exist.
void tst_NetworkAccessManager::systemProxyFromTheEnvironmentWithLogIn()
{
    QFETCH(QByteArray, password);
    QFETCH(int, status);
    QFETCH(QNetworkReply::NetworkError, error);

    HttpTestServer proxy;
    QVERIFY2(proxy.start(), qPrintable(proxy.errorString()));
    proxy.setProxyCredentials("user", "secret");
    proxy.addRoute("GET", "http://search.invalid/", Response::ok("through the proxy"));
    qputenv("http_proxy", QByteArray("http://127.0.0.1:") + QByteArray::number(proxy.port()));
    NetworkAccessManager::setSystemProxyQuery(NetworkAccessManager::ProxyQuery());

    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyEnabled = true;
    config->proxyName = QStringLiteral("127.0.0.1");
    config->proxyLogin = QStringLiteral("user");
    config->proxyPassword = QString::fromLatin1(password);

    NetworkAccessManager manager;
    QVERIFY(answers.messages.isEmpty());
    QCOMPARE(manager.proxy().port(), proxy.port());
    const Fetched got = fetch(manager, QUrl(QStringLiteral("http://search.invalid/")));
    QCOMPARE(got.error, error);
    QCOMPARE(got.status, status);
    if (status == 200)
        QCOMPARE(got.body, QByteArray("through the proxy"));

    const QList<HttpTestServer::Request> requests = proxy.requests();
    QVERIFY(!requests.isEmpty());
    QVERIFY(requests.first().isAbsoluteForm());
    QCOMPARE(requests.last().header("Proxy-Authorization"),
             QByteArray("Basic ") + (QByteArray("user:") + password).toBase64());
}

void tst_NetworkAccessManager::proxyLogInIsNotGivenWhileDisabled()
{
    HttpTestServer proxy;
    QVERIFY2(proxy.start(), qPrintable(proxy.errorString()));
    proxy.setProxyCredentials("user", "secret");
    proxy.addRoute("GET", "*", Response::ok("through the proxy"));

    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyLogin = QStringLiteral("user");
    config->proxyPassword = QStringLiteral("secret");
    NetworkAccessManager manager;
    manager.setProxy(httpProxy(QStringLiteral("127.0.0.1"), proxy.port()));
    const Fetched got = fetch(manager, QUrl(QStringLiteral("http://search.invalid/")));
    QCOMPARE(got.error, QNetworkReply::ProxyAuthenticationRequiredError);
    for (const HttpTestServer::Request &request : proxy.requests())
        QVERIFY(request.header("Proxy-Authorization").isEmpty());
}

void tst_NetworkAccessManager::siteLogInAsksTheUser_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("status");

    QTest::newRow("right") << true << "me & you" << " pass word " << 200;
    QTest::newRow("empty user name") << true << "" << "only a password" << 200;
    QTest::newRow("cancelled") << false << "me & you" << " pass word " << 401;
}

void tst_NetworkAccessManager::siteLogInAsksTheUser()
{
    QFETCH(bool, accept);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(int, status);

    HttpTestServer site;
    QVERIFY2(site.start(), qPrintable(site.errorString()));
    Response secret = Response::ok("inside");
    secret.siteUser = user.toUtf8();
    secret.sitePassword = password.toUtf8();
    site.addRoute("GET", "/private", secret);
    answers.accept = accept;
    answers.user = user;
    answers.password = password;

    NetworkAccessManager manager;
    const QUrl url = site.url(QStringLiteral("/private?a=1&b=2"));
    const Fetched got = fetch(manager, url);
    QCOMPARE(got.status, status);
    QCOMPARE(answers.intros.size(), 1);
    const QString where = url.toString().toHtmlEscaped();
    QVERIFY(where.endsWith(QStringLiteral("/private?a=1&amp;b=2")));
    QCOMPARE(answers.intros.first(), QStringLiteral("<qt>Enter username and password for \"%1\" at %1</qt>").arg(where));
    QCOMPARE(answers.parents.first(), nullptr);
    QVERIFY(answers.flags.first().testFlag(Qt::Sheet));
    if (accept) {
        QCOMPARE(got.body, QByteArray("inside"));
        QCOMPARE(site.requests().last().header("Authorization"),
                 QByteArray("Basic ") + (user + QLatin1Char(':') + password).toUtf8().toBase64());
    } else {
        QCOMPARE(got.error, QNetworkReply::AuthenticationRequiredError);
        QCOMPARE(site.requestCount(), 1);
    }
}

void tst_NetworkAccessManager::logInDialogParentIsAWidgetOwner()
{
    HttpTestServer site;
    QVERIFY2(site.start(), qPrintable(site.errorString()));
    Response secret = Response::ok("inside");
    secret.siteUser = "a";
    secret.sitePassword = "b";
    site.addRoute("GET", "/private", secret);
    answers.user = QStringLiteral("a");
    answers.password = QStringLiteral("b");

    QWidget window;
    auto *manager = new NetworkAccessManager(&window);
    QCOMPARE(fetch(*manager, site.url(QStringLiteral("/private"))).status, 200);
    QCOMPARE(answers.parents, QList<QWidget *>{&window});
}

void tst_NetworkAccessManager::certificateErrorsAreIgnored()
{
    HttpTestServer site;
    QVERIFY2(site.start(0, true), qPrintable(site.errorString()));
    site.addRoute("GET", "/", Response::ok("self-signed"));

    QNetworkAccessManager plain;
    QCOMPARE(fetch(plain, site.url()).error, QNetworkReply::SslHandshakeFailedError);

    NetworkAccessManager manager;
    const Fetched got = fetch(manager, site.url());
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.body, QByteArray("self-signed"));
}

void tst_NetworkAccessManager::onlyOneManagerHoldsTheDiskCache()
{
    HttpTestServer site;
    QVERIFY2(site.start(), qPrintable(site.errorString()));
    site.addRoute("GET", "/page", Response::ok("cached page").withHeader("Cache-Control", "max-age=3600"));

    NetworkAccessManager search;
    QVERIFY(!search.hasDiskCache());
    QCOMPARE(search.cache(), nullptr);
    {
        NetworkAccessManager browser(nullptr, NetworkAccessManager::WithDiskCache);
        QVERIFY(browser.hasDiskCache());
        QVERIFY(browser.cache());
        NetworkAccessManager second(nullptr, NetworkAccessManager::WithDiskCache);
        QVERIFY(!second.hasDiskCache());
        QCOMPARE(second.cache(), nullptr);

        QVERIFY(!fetch(browser, site.url(QStringLiteral("/page"))).fromCache);
        const Fetched again = fetch(browser, site.url(QStringLiteral("/page")));
        QVERIFY(again.fromCache);
        QCOMPARE(again.body, QByteArray("cached page"));
        QCOMPARE(site.requestCount(), 1);
        QVERIFY(NetworkAccessManager::diskCacheFolder().startsWith(home->path()));
    }
    NetworkAccessManager next(nullptr, NetworkAccessManager::WithDiskCache);
    QVERIFY(next.hasDiskCache());
}

void tst_NetworkAccessManager::silentServerEndsTheRequest()
{
    HttpTestServer site;
    QVERIFY2(site.start(), qPrintable(site.errorString()));
    Response silent = Response::ok("late");
    silent.delayMs = 60000;
    site.addRoute("GET", "/silent", silent);
    AppConfiguration::getInstance()->socketTimeout = 1;

    NetworkAccessManager manager;
    QCOMPARE(manager.transferTimeout(), 1000);
    const Fetched got = fetch(manager, site.url(QStringLiteral("/silent")));
    QVERIFY(got.error == QNetworkReply::OperationCanceledError || got.error == QNetworkReply::TimeoutError);

    AppConfiguration::getInstance()->socketTimeout = 0;
    QCOMPARE(NetworkAccessManager().transferTimeout(), 0);
}

void tst_NetworkAccessManager::unreadAnswerWaitsInABoundedBuffer_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::newRow("GET") << QByteArray("GET");
    QTest::newRow("POST") << QByteArray("POST");
}

// An answer that nobody reads for a while (a page waiting behind a script's dialog, a file
// that the browser is about to hand over) holds at most its read buffer, however fast and
// long the server sends.
void tst_NetworkAccessManager::unreadAnswerWaitsInABoundedBuffer()
{
    QFETCH(QByteArray, method);
    HttpTestServer site;
    QVERIFY2(site.start(), qPrintable(site.errorString()));
    Response endless = Response::generated("start", -1, "0123456789abcdef", "application/octet-stream");
    endless.noContentLength = false;
    endless.chunked = true;
    site.addRoute(method, "/endless", endless);

    NetworkAccessManager manager;
    QVERIFY(ProcessMemory::resetPeak());
    const qint64 before = ProcessMemory::residentBytes();
    QNetworkRequest request(site.url(QStringLiteral("/endless")));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/x-www-form-urlencoded"));
    std::unique_ptr<QNetworkReply> reply(method == "GET" ? manager.get(request) : manager.post(request, QByteArray("a=b")));
    QTRY_VERIFY_WITH_TIMEOUT(reply->bytesAvailable() >= 8 * 1024 * 1024, 20000);
    QTest::qWait(500);
    QVERIFY2(reply->bytesAvailable() <= 16 * 1024 * 1024, qPrintable(QString::number(reply->bytesAvailable())));
    const qint64 growth = ProcessMemory::peakBytes() - before;
    QVERIFY2(growth < 64 * 1024 * 1024, qPrintable(QStringLiteral("peak grew by %1 MiB").arg(growth >> 20)));
    QVERIFY(!reply->isFinished());
    reply->abort();
}

void tst_NetworkAccessManager::authenticationDialogForm()
{
    DialogWebAuthentication dialog;
    QCOMPARE(dialog.size(), QSize(300, 130));
    dialog.setText(QStringLiteral("<qt>Enter username and password for \"http://127.0.0.1/private\" at "
                                  "http://127.0.0.1/private</qt>"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Authentication required"));
    QCOMPARE(dialog.minimumSize(), QSize(300, 130));
    QCOMPARE(dialog.maximumSize(), QSize(800, 200));
    auto *password = dialog.findChild<QLineEdit *>(QStringLiteral("lineEditPassword"));
    auto *login = dialog.findChild<QLineEdit *>(QStringLiteral("lineEditLogin"));
    QVERIFY(password && login);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QVERIFY(dialog.findChild<QLabel *>(QStringLiteral("introLabel"))->wordWrap());
    login->setText(QStringLiteral(" padded "));
    password->setText(QStringLiteral(" pw "));
    QCOMPARE(dialog.getUser(), QStringLiteral(" padded "));
    QCOMPARE(dialog.getPassword(), QStringLiteral(" pw "));
    QVERIFY(!dialog.windowIcon().isNull());
    // The long intro wraps on more lines than the first size shows: the dialog grows to show them.
    QVERIFY(dialog.height() > 130 && dialog.height() <= 200);
    QVERIFY(dialog.width() >= 300 && dialog.width() <= 800);
    WidgetPicture::save(&dialog, QStringLiteral("DialogWebAuthentication"));
}

QTEST_MAIN(tst_NetworkAccessManager)
#include "tst_NetworkAccessManager.moc"
