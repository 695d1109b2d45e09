// The version check at start-up: at most one request a day, or at every start while a newer
// version found earlier is pending.
#include "app/MainWindow.h"

#include "web/NetworkAccessManager.h"
#include "web/WebAddresses.h"

#include <QDate>
#include <QDateTime>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QTime>
#include <QUrl>

namespace {

// Whether the settings store asks for a check: never checked, a newer version pending, or the
// last check made before today.
bool isVersionCheckDue()
{
    const QSettings settings;
    const QDateTime checked = settings.value(QStringLiteral("checkedVersion")).toDateTime();
    if (!checked.isValid())
        return true;
    if (settings.value(QStringLiteral("updateToDo")).toBool())
        return true;
    return checked < QDateTime(QDate::currentDate(), QTime(0, 0));
}

} // namespace

// Nothing waits for the answer; it reaches checkVersionFinished through the event loop.
void MainWindow::startVersionCheck()
{
    networkManagerVersion = new NetworkAccessManager(this);
    connect(networkManagerVersion, SIGNAL(finished(QNetworkReply*)), this, SLOT(checkVersionFinished(QNetworkReply*)));
    if (!isVersionCheckDue())
        return;
    QNetworkRequest request(QUrl(WebAddresses::versionUrl()));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    networkManagerVersion->get(request);
}

// TODO(commands): read the answer (a version number, only from a successful reply), store
// "checkedVersion" and "updateToDo", announce a newer version.
void MainWindow::checkVersionFinished(QNetworkReply *reply)
{
    disconnect(networkManagerVersion, SIGNAL(finished(QNetworkReply*)), this, SLOT(checkVersionFinished(QNetworkReply*)));
    if (reply)
        reply->deleteLater();
}

// TODO(commands): open the product page (WebAddresses::productPageUrl()).
void MainWindow::slotActionUpdate()
{
}
