#include "web/NetworkAccessManager.h"

#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"
#include "web/DialogWebAuthentication.h"
#include "widgets/WebAddresses.h"
#include "web/WebAnswerLimits.h"

#include <QAuthenticator>
#include <QDir>
#include <QMessageBox>
#include <QNetworkDiskCache>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QStandardPaths>
#include <QUrl>

namespace {

NetworkAccessManager::DialogRunner &dialogRunner()
{
    static NetworkAccessManager::DialogRunner runner;
    return runner;
}

NetworkAccessManager::ProxyQuery &proxyQuery()
{
    static NetworkAccessManager::ProxyQuery query;
    return query;
}

// Whether a manager holds the disk cache folder now (GUI thread only).
bool &diskCacheFolderTaken()
{
    static bool taken = false;
    return taken;
}

} // namespace

NetworkAccessManager::NetworkAccessManager(QObject *parent, DiskCacheUse diskCache)
    : QNetworkAccessManager(parent)
{
    connect(this, &QNetworkAccessManager::authenticationRequired, this,
            &NetworkAccessManager::authenticationRequired);
    connect(this, &QNetworkAccessManager::proxyAuthenticationRequired, this,
            &NetworkAccessManager::proxyAuthenticationRequired);
    connect(this, &QNetworkAccessManager::sslErrors, this, &NetworkAccessManager::sslErrors);
    loadSettings();
    // A server that goes silent ends the request instead of holding it for ever.
    setTransferTimeout(int(qMin<quint32>(AppConfiguration::getInstance()->socketTimeout, 24U * 3600U) * 1000U));
    if (diskCache == WithDiskCache)
        installDiskCache();
}

NetworkAccessManager::~NetworkAccessManager()
{
    if (ownsDiskCacheFolder)
        diskCacheFolderTaken() = false;
}

// Every answer has a bounded read buffer from its start, so that a fast server cannot pile it
// up in memory faster than it is read: also a file that the browser reads as a page until it
// hands it over as a download. Who reads an answer itself narrows the buffer further.
QNetworkReply *NetworkAccessManager::createRequest(Operation op, const QNetworkRequest &request,
                                                   QIODevice *outgoingData)
{
    QNetworkReply *reply = QNetworkAccessManager::createRequest(op, request, outgoingData);
    if (!reply->isFinished())
        WebAnswerLimits::limitReadBuffer(reply, WebAnswerLimits::PageReadBufferBytes);
    return reply;
}

QString NetworkAccessManager::diskCacheFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty())
        base = AppConfiguration::getInstance()->cacheFolder;
    return QDir(base).filePath(QStringLiteral("WebCache"));
}

void NetworkAccessManager::setDialogRunner(const DialogRunner &runner)
{
    dialogRunner() = runner;
}

void NetworkAccessManager::setSystemProxyQuery(const ProxyQuery &query)
{
    proxyQuery() = query;
}

void NetworkAccessManager::installDiskCache()
{
    if (diskCacheFolderTaken())
        return;
    auto *cache = new QNetworkDiskCache(this);
    cache->setCacheDirectory(diskCacheFolder());
    setCache(cache);
    diskCacheFolderTaken() = true;
    ownsDiskCacheFolder = true;
}

void NetworkAccessManager::loadSettings()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->proxyEnabled)
        return;

    const QNetworkProxyQuery query(QUrl(WebAddresses::proxyQueryUrl()), QNetworkProxyQuery::UrlRequest);
    const QList<QNetworkProxy> found =
        proxyQuery() ? proxyQuery()(query) : QNetworkProxyFactory::systemProxyForQuery(query);

    bool chosen = false;
    for (const QNetworkProxy &candidate : found) {
        if (candidate.hostName() == config->proxyName) {
            QNetworkProxy proxy(candidate);
            proxy.setUser(config->proxyLogin);
            proxy.setPassword(config->proxyPassword);
            QNetworkProxy::setApplicationProxy(proxy);
            setProxy(proxy);
            config->proxy = proxy;
            chosen = true;
            break;
        }
    }
    if (!found.isEmpty())
        config->systemProxies = found;
    if (chosen)
        return;

    showProxyNotFound(config->proxyName);
    config->proxyEnabled = false;
    config->proxyLogin.clear();
    config->proxyName.clear();
    config->proxyPassword.clear();
    config->saveConfiguration();
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    config->proxy = QNetworkProxy(QNetworkProxy::NoProxy);
}

void NetworkAccessManager::showProxyNotFound(const QString &name)
{
    QMessageBox box(QMessageBox::Critical, AppVersion::displayName(),
                    tr("Proxy \"%1\" not found. Please check your configuration.").arg(name),
                    QMessageBox::Ok, dialogParent());
    runDialog(box);
}

void NetworkAccessManager::authenticationRequired(QNetworkReply *reply, QAuthenticator *auth)
{
    DialogWebAuthentication dialog(dialogParent());
    dialog.setWindowFlags(Qt::Sheet);
    const QString where = reply->url().toString().toHtmlEscaped();
    dialog.setText(tr("<qt>Enter username and password for \"%1\" at %2</qt>").arg(where, where));
    if (runDialog(dialog) == QDialog::Accepted) {
        auth->setUser(dialog.getUser());
        auth->setPassword(dialog.getPassword());
    }
}

void NetworkAccessManager::proxyAuthenticationRequired(const QNetworkProxy &, QAuthenticator *auth)
{
    AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->proxyEnabled)
        return;
    auth->setUser(config->proxyLogin);
    auth->setPassword(config->proxyPassword);
    setProxy(config->proxy);
}

void NetworkAccessManager::sslErrors(QNetworkReply *reply, const QList<QSslError> &)
{
    reply->ignoreSslErrors();
}

QWidget *NetworkAccessManager::dialogParent() const
{
    return qobject_cast<QWidget *>(parent());
}

int NetworkAccessManager::runDialog(QDialog &dialog)
{
    return dialogRunner() ? dialogRunner()(dialog) : dialog.exec();
}
