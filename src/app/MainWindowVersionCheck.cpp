// The version check at start-up: at most one request a day, or at every start while a newer
// version found earlier is pending.
#include "app/MainWindow.h"

#include "widgets/AppVersion.h"
#include "web/NetworkAccessManager.h"
#include "widgets/WebAddresses.h"

#include "ui_MainWindow.h"

#include <QDate>
#include <QDateTime>
#include <QDesktopServices>
#include <QMessageBox>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSettings>
#include <QTime>
#include <QUrl>

namespace {

// A version page answers with a few bytes; anything longer is not an answer and is not read on.
constexpr qint64 kMaxAnswerBytes = 256;
// A page that stops answering half-way does not hold the check for ever.
constexpr int kTransferTimeoutMs = 30000;

// The numbers of a version text "major[.minor[.patch]]"; false for any other text.
bool parseVersion(const QString &text, QList<int> &numbers)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,6}(\\.\\d{1,6}){0,2}$"));
    if (!pattern.match(text).hasMatch())
        return false;
    numbers.clear();
    for (const QString &part : text.split(QLatin1Char('.')))
        numbers.append(part.toInt());
    while (numbers.size() < 3)
        numbers.append(0);
    return true;
}

bool isNewerThanThisBuild(const QList<int> &remote)
{
    QList<int> own;
    parseVersion(AppVersion::version(), own);
    for (int i = 0; i < 3; ++i) {
        if (remote.at(i) != own.at(i))
            return remote.at(i) > own.at(i);
    }
    return false;
}

// The version number of a reply that succeeded (2xx) with a short plain version text; empty for
// anything else (a network error, an error page, a redirect loop, an over-long body).
QString versionOfReply(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError)
        return QString();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299)
        return QString();
    const QByteArray body = reply->read(kMaxAnswerBytes + 1);
    if (body.size() > kMaxAnswerBytes || reply->bytesAvailable() > 0)
        return QString();
    const QString text = QString::fromLatin1(body).trimmed();
    QList<int> numbers;
    return parseVersion(text, numbers) ? text : QString();
}

QDateTime todayAtMidnight()
{
    return QDateTime(QDate::currentDate(), QTime(0, 0));
}

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
    request.setTransferTimeout(kTransferTimeoutMs);
    QNetworkReply *reply = networkManagerVersion->get(request);
    // A body longer than any version number is cut short instead of being read whole.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > kMaxAnswerBytes || total > kMaxAnswerBytes)
            reply->abort();
    });
}

// Only the first answer counts. An answer that is no version number changes nothing, so the
// next start asks again.
void MainWindow::checkVersionFinished(QNetworkReply *reply)
{
    disconnect(networkManagerVersion, SIGNAL(finished(QNetworkReply*)), this, SLOT(checkVersionFinished(QNetworkReply*)));
    if (!reply)
        return;
    reply->deleteLater();
    const QString strVersion = versionOfReply(reply);
    if (strVersion.isEmpty())
        return;
    QSettings settings;
    settings.setValue(QStringLiteral("checkedVersion"), todayAtMidnight());
    QList<int> numbers;
    parseVersion(strVersion, numbers);
    if (!isNewerThanThisBuild(numbers)) {
        settings.setValue(QStringLiteral("updateToDo"), false);
        return;
    }
    ui->actionUpdate->setToolTip(tr("A new version is available (%1)").arg(strVersion));
    ui->mainToolBar->addAction(ui->actionUpdate);
    ui->menu_Help->addSeparator();
    ui->menu_Help->addAction(ui->actionUpdate);
    settings.setValue(QStringLiteral("updateToDo"), true);
    settings.sync();
    // An answer that comes while the exit waits asks nothing: the program is ending.
    if (bClosing)
        return;
    const QMessageBox::StandardButton answer = QMessageBox::information(
        this, tr("Tessaquill+"),
        tr("A new version is available (%1)!\n\nDo you want to visit the Web Site in order to download it?").arg(strVersion),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        slotActionUpdate();
}

void MainWindow::slotActionUpdate()
{
    QDesktopServices::openUrl(QUrl(WebAddresses::productPageUrl()));
}
