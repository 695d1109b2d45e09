#ifndef DIALOGSETTINGS_H
#define DIALOGSETTINGS_H

#include <QDialog>
#include <QList>
#include <QNetworkProxy>
#include <QString>

class QLineEdit;
class QTableWidgetItem;

namespace Ui {
class DialogSettings;
}

// The settings dialog: program folders, automatic actions, removal filter, bandwidth limit,
// socket time-out, logging, the proxy for web access, servers import and export, language.
// The widgets are the working copy; the configuration changes, is applied and saved only when
// Ok passes every check (slotButtonAccept()).
class DialogSettings : public QDialog
{
    Q_OBJECT

public:
    explicit DialogSettings(QWidget *parent = nullptr);
    ~DialogSettings() override;

    // The removal filter as it is stored: trimmed, without spaces and without one final ";".
    static QString cleanRemovalPattern(const QString &pattern);
    // Whether a cleaned filter is empty or a list of "*.<word>" patterns, each followed by at
    // most one ";".
    static bool isRemovalPatternValid(const QString &pattern);
    // Whether two folder texts name one folder: same cleaned absolute path, or, when both
    // exist, the same folder once links are resolved.
    static bool isSameFolder(const QString &first, const QString &second);

public slots:
    void slotButtonAccept();
    void slotRestoreDefaultFolders();
    void slotButtonSelectCacheFolder();
    void slotButtonSelectDownloadFolder();
    void slotButtonSelectDestinationFolder();
    void slotButtonConfigureDestinations();
    void slotButtonExportServers();
    void slotButtonImportServers();
    void slotProxyEnabled(bool checked);
    void slotButtonProxyRefresh();
    void slotProxyCurrentItemChanged(QTableWidgetItem *current, QTableWidgetItem *previous);
    void slotComboBoxLogsMode(int index);
    void slotManualSpeedLimit(bool checked);

private:
    void initLanguageComboBox();
    void loadFromConfiguration();
    void initLogComboBoxes();

    // Acceptance: each check refuses with its message, page and field, and returns false.
    bool checkFolders();
    bool checkRemovalPattern();
    bool checkSpeedLimit(quint32 &limit);
    bool checkSocketTimeout(quint32 &timeout);
    void refuse(const QString &message, QWidget *page, QLineEdit *field);
    void storeLogSettings();
    void storeLanguage();

    void chooseFolder(QLineEdit *field, const QString &caption);

    // Proxy page.
    void initProxyPage();
    bool askSystemForProxies();
    void fillProxyRows(const QList<QNetworkProxy> &proxies);
    void setProxyWidgetsEnabled(bool enabled);
    bool chosenProxyName(QString &name) const;
    void storeProxyChoice();
    static void storeNoProxy();
    static QString proxyCapabilitiesText(const QNetworkProxy &proxy);

    Ui::DialogSettings *ui;
};

#endif // DIALOGSETTINGS_H
