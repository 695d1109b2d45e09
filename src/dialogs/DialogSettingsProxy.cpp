// The settings dialog's proxy page: the system's proxies listed by host name, the chosen one
// stored with a login and a password.
#include "dialogs/DialogSettings.h"

#include "ui_DialogSettings.h"

#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"
#include "widgets/WebAddresses.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QNetworkProxyFactory>
#include <QUrl>

void DialogSettings::initProxyPage()
{
    connect(ui->radioButtonProxyEnabled, &QRadioButton::toggled, this, &DialogSettings::slotProxyEnabled);
    connect(ui->pushButtonRefreshProxies, &QPushButton::clicked, this, &DialogSettings::slotButtonProxyRefresh);
    connect(ui->tableWidgetListProxies, &QTableWidget::currentItemChanged, this,
            &DialogSettings::slotProxyCurrentItemChanged);
    ui->labelInfoSearchProxies->hide();

    const AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->proxyEnabled)
        return;
    ui->radioButtonProxyEnabled->setChecked(true);
    ui->lineEditProxyLogin->setText(config->proxyLogin);
    ui->lineEditProxyPassword->setText(config->proxyPassword);
}

void DialogSettings::setProxyWidgetsEnabled(bool enabled)
{
    ui->tableWidgetListProxies->setEnabled(enabled);
    ui->labelProxyLogin->setEnabled(enabled);
    ui->labelProxyPassword->setEnabled(enabled);
    ui->lineEditProxyLogin->setEnabled(enabled);
    ui->lineEditProxyPassword->setEnabled(enabled);
    ui->pushButtonRefreshProxies->setEnabled(enabled);
}

void DialogSettings::fillProxyRows(const QList<QNetworkProxy> &proxies)
{
    QTableWidget *table = ui->tableWidgetListProxies;
    for (int row = table->rowCount() - 1; row >= 0; --row)
        table->removeRow(row);
    for (int row = 0; row < proxies.size(); ++row) {
        table->insertRow(row);
        table->setItem(row, 0, new QTableWidgetItem(proxies.at(row).hostName()));
    }
}

// Blocks behind the wait label until the system answers. Returns whether it named a proxy;
// when it did not, "No proxy" is checked again.
bool DialogSettings::askSystemForProxies()
{
    ui->labelInfoSearchProxies->show();
    QCoreApplication::processEvents();

    // The same address network access asks for, so that both find the same proxies.
    const QNetworkProxyQuery query(QUrl(WebAddresses::proxyQueryUrl()), QNetworkProxyQuery::UrlRequest);
    QList<QNetworkProxy> proxies = QNetworkProxyFactory::systemProxyForQuery(query);
    for (int i = proxies.size() - 1; i >= 0; --i) {
        if (proxies.at(i).type() == QNetworkProxy::NoProxy)
            proxies.removeAt(i);
    }
    fillProxyRows(proxies);
    AppConfiguration::getInstance()->systemProxies = proxies;

    if (proxies.isEmpty()) {
        QMessageBox::critical(parentWidget(), AppVersion::displayName(), tr("No proxy found !"), QMessageBox::Ok);
        ui->radioButtonNoProxy->setChecked(true);
        return false;
    }
    ui->tableWidgetListProxies->setCurrentCell(0, 0);
    return true;
}

void DialogSettings::slotProxyEnabled(bool checked)
{
    if (!checked) {
        setProxyWidgetsEnabled(false);
        return;
    }

    const AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->systemProxies.isEmpty()) {
        fillProxyRows(config->systemProxies);
        QTableWidget *table = ui->tableWidgetListProxies;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (table->item(row, 0)->text() == config->proxyName)
                table->setCurrentItem(table->item(row, 0));
        }
        setProxyWidgetsEnabled(true);
        return;
    }

    const bool found = askSystemForProxies();
    ui->labelInfoSearchProxies->hide();
    if (found)
        setProxyWidgetsEnabled(true);
}

void DialogSettings::slotButtonProxyRefresh()
{
    ui->pushButtonRefreshProxies->setEnabled(false);
    askSystemForProxies();
    ui->pushButtonRefreshProxies->setEnabled(true);
    ui->labelInfoSearchProxies->hide();
}

void DialogSettings::slotProxyCurrentItemChanged(QTableWidgetItem *current, QTableWidgetItem *previous)
{
    Q_UNUSED(previous)
    if (!current)
        return;
    for (const QNetworkProxy &proxy : qAsConst(AppConfiguration::getInstance()->systemProxies)) {
        if (proxy.hostName() == current->text())
            ui->textEditProxyInfo->setHtml(proxyCapabilitiesText(proxy));
    }
}

QString DialogSettings::proxyCapabilitiesText(const QNetworkProxy &proxy)
{
    QString text = QLatin1String("<b>") + proxy.hostName().toHtmlEscaped() + tr("</b>, port:")
        + QString::number(proxy.port()) + QLatin1String("<br/>");
    const QNetworkProxy::Capabilities capabilities = proxy.capabilities();
    if (capabilities & QNetworkProxy::TunnelingCapability)
        text += tr("Tunneling Capability<br/>");
    if (capabilities & QNetworkProxy::ListeningCapability)
        text += tr("Listening Capability<br/>");
    if (capabilities & QNetworkProxy::UdpTunnelingCapability)
        text += tr("UDP Tunneling Capability<br/>");
    if (capabilities & QNetworkProxy::CachingCapability)
        text += tr("Caching Capability<br/>");
    if (capabilities & QNetworkProxy::HostNameLookupCapability)
        text += tr("Host Name Lookup Capability<br/>");
    return text;
}

// The selected row's proxy. With rows listed but none selected, the stored proxy stays chosen
// while it is still listed; otherwise there is no choice.
bool DialogSettings::chosenProxyName(QString &name) const
{
    const QTableWidget *table = ui->tableWidgetListProxies;
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    if (!selected.isEmpty()) {
        name = selected.first()->text();
        return true;
    }
    const QString stored = AppConfiguration::getInstance()->proxyName;
    if (stored.isEmpty())
        return false;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == stored) {
            name = stored;
            return true;
        }
    }
    return false;
}

void DialogSettings::storeNoProxy()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyEnabled = false;
    config->proxyName = QString();
    config->proxyLogin = QString();
    config->proxyPassword = QString();
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    config->proxy = QNetworkProxy(QNetworkProxy::NoProxy);
}

void DialogSettings::storeProxyChoice()
{
    QString name;
    if (!ui->radioButtonProxyEnabled->isChecked() || ui->tableWidgetListProxies->rowCount() == 0
        || !chosenProxyName(name)) {
        storeNoProxy();
        return;
    }

    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyName = name;
    config->proxyEnabled = true;
    config->proxyLogin = ui->lineEditProxyLogin->text();
    config->proxyPassword = ui->lineEditProxyPassword->text();
    for (const QNetworkProxy &candidate : qAsConst(config->systemProxies)) {
        if (candidate.hostName() == name) {
            QNetworkProxy chosen(candidate);
            chosen.setUser(config->proxyLogin);
            chosen.setPassword(config->proxyPassword);
            QNetworkProxy::setApplicationProxy(chosen);
            config->proxy = chosen;
            break;
        }
    }
}
