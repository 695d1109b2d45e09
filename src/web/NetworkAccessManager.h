#ifndef NETWORKACCESSMANAGER_H
#define NETWORKACCESSMANAGER_H

#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSslError>
#include <QString>

#include <functional>

class QAuthenticator;
class QDialog;
class QNetworkReply;
class QWidget;

// The program's network access for every web request (browser, version check, search): the
// proxy chosen in the settings among the system's proxies with its log-in, the site log-in
// asked of the user, certificate errors let through, a transfer time-out from the socket
// time-out setting, and, for the one manager that asks for it, a disk cache. Every answer has
// a bounded read buffer.
class NetworkAccessManager : public QNetworkAccessManager
{
    Q_OBJECT

public:
    // Only one manager at a time may use the disk cache folder (Qt does not share one between
    // managers); the browser's asks for it, the others go without.
    enum DiskCacheUse { NoDiskCache, WithDiskCache };

    // Runs a modal dialog (the site log-in, the proxy message) and returns its result.
    using DialogRunner = std::function<int(QDialog &)>;
    // Asks the system which proxies it would use for a query.
    using ProxyQuery = std::function<QList<QNetworkProxy>(const QNetworkProxyQuery &)>;

    explicit NetworkAccessManager(QObject *parent = nullptr, DiskCacheUse diskCache = NoDiskCache);
    ~NetworkAccessManager() override;

    bool hasDiskCache() const { return ownsDiskCacheFolder; }
    static QString diskCacheFolder();

    // Replace how dialogs are run and how the system is asked for proxies (tests); an empty
    // function restores the default (exec(), and Qt's system proxy query).
    static void setDialogRunner(const DialogRunner &runner);
    static void setSystemProxyQuery(const ProxyQuery &query);

public slots:
    void loadSettings();

protected:
    QNetworkReply *createRequest(Operation op, const QNetworkRequest &request, QIODevice *outgoingData) override;

private slots:
    void authenticationRequired(QNetworkReply *reply, QAuthenticator *auth);
    void proxyAuthenticationRequired(const QNetworkProxy &proxy, QAuthenticator *auth);
    void sslErrors(QNetworkReply *reply, const QList<QSslError> &errors);

private:
    void installDiskCache();
    void showProxyNotFound(const QString &name);
    QWidget *dialogParent() const;
    static int runDialog(QDialog &dialog);

    bool ownsDiskCacheFolder = false;
};

#endif // NETWORKACCESSMANAGER_H
