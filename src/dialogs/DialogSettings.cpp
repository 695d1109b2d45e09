// The settings dialog: construction, folders, checks and storing at acceptance.
#include "dialogs/DialogSettings.h"

#include "ui_DialogSettings.h"

#include "widgets/AppTranslations.h"
#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"
#include "widgets/ConfigurationSave.h"
#include "dialogs/DialogDestinationFolders.h"
#include "config/FolderCheck.h"
#include "widgets/WindowTextFit.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

const char *const usableSpeedStyle =
    "QLineEdit{border: 1px solid gray; border-radius: 10px; padding: 0 8px; background: white; "
    "selection-background-color: darkgray;}";
// White on a gray dark enough for the value to stay readable (4.5:1 and more).
const char *const unusableSpeedStyle =
    "QLineEdit{border: 1px solid gray; border-radius: 10px; padding: 0 8px; color: white; "
    "background: dimgray; selection-background-color: darkgray;}";

// Logger levels stored for the entries of the log combo box, by index.
const int logLevelOfEntry[] = {6, 2, 3, 4};
const int logEntryCount = int(sizeof(logLevelOfEntry) / sizeof(logLevelOfEntry[0]));

int logEntryOfLevel(int level)
{
    for (int index = 1; index < logEntryCount; ++index) {
        if (logLevelOfEntry[index] == level)
            return index;
    }
    return 0;
}

} // namespace

DialogSettings::DialogSettings(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogSettings)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    loadFromConfiguration();
    initProxyPage();
    connect(ui->PushButtonImportServers, &QPushButton::clicked, this, &DialogSettings::slotButtonImportServers);
    connect(ui->PushButtonExportServers, &QPushButton::clicked, this, &DialogSettings::slotButtonExportServers);
    initLogComboBoxes();
    initLanguageComboBox();
    ui->toolBox->setCurrentIndex(0);
}

DialogSettings::~DialogSettings()
{
    delete ui;
}

void DialogSettings::loadFromConfiguration()
{
    const AppConfiguration *config = AppConfiguration::getInstance();
    ui->lineEditCacheFolder->setText(config->cacheFolder);
    ui->lineEditDownloadFolder->setText(config->downloadFolder);
    ui->lineEditDestinationFolder->setText(config->destinationFolder);
    ui->lineEditFilesExtToRemove->setText(config->autoDeleteFilesExtension);

    ui->checkBoxAutoUnrar->setChecked(config->autoUnrar);
    ui->checkBoxAutoUnsplit->setChecked(config->autoUnsplit);
    ui->checkBoxAutoSaveHistoNzb->setChecked(config->autoSaveHistoNzb);
    ui->checkBoxAutoDownload->setChecked(config->autoDownloadNzb);
    ui->checkBoxSmartDownload->setChecked(config->autoSmartDownload);
    ui->checkBoxAlwaysKeepPar2Files->setChecked(config->autoKeepPar2Files);
    ui->checkBoxAutoCreateSubFolderInDest->setChecked(config->autoCreateSubFolderInDestination);

    connect(ui->radioButtonManualBandwidth, &QRadioButton::toggled, this, &DialogSettings::slotManualSpeedLimit);
    if (!config->autoDetectBandwidthLimit) {
        ui->radioButtonManualBandwidth->setChecked(true);
    } else {
        ui->radioButtonAutoDetectBandwidth->setChecked(true);
        ui->lineEditMaximumSpeed->setStyleSheet(QLatin1String(unusableSpeedStyle));
    }
    if (config->autoSpeedLimit != 0)
        ui->lineEditMaximumSpeed->setText(QString::number(config->autoSpeedLimit));
    ui->lineEditSocketTimeout->setText(QString::number(config->socketTimeout));
}

void DialogSettings::initLogComboBoxes()
{
    const AppConfiguration *config = AppConfiguration::getInstance();
    ui->comboBoxLogMode->setCurrentIndex(logEntryOfLevel(config->logLevel));
    const int deletion = config->logAutoDelete;
    ui->comboBoxDeleteLogs->setCurrentIndex(deletion >= 0 && deletion <= 2 ? deletion : 0);
}

// The entries of the language box are the shipped languages, in the same order.
void DialogSettings::initLanguageComboBox()
{
    const QString language = AppConfiguration::getInstance()->languageName.toLower();
    const int index = AppTranslations::shippedLanguages().indexOf(language);
    ui->comboBoxSelectLanguage->setCurrentIndex(index >= 0 ? index : 1);
}

// ---- Slots of the pages

void DialogSettings::slotRestoreDefaultFolders()
{
    ui->lineEditCacheFolder->setText(AppConfiguration::defaultCacheFolder());
    ui->lineEditDownloadFolder->setText(AppConfiguration::defaultDownloadFolder());
    ui->lineEditDestinationFolder->setText(AppConfiguration::defaultDestinationFolder());
}

void DialogSettings::slotButtonSelectCacheFolder()
{
    chooseFolder(ui->lineEditCacheFolder, tr("Choose cache directory"));
}

void DialogSettings::slotButtonSelectDownloadFolder()
{
    chooseFolder(ui->lineEditDownloadFolder, tr("Choose download directory"));
}

void DialogSettings::slotButtonSelectDestinationFolder()
{
    chooseFolder(ui->lineEditDestinationFolder, tr("Choose destination directory"));
}

void DialogSettings::chooseFolder(QLineEdit *field, const QString &caption)
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, caption, field->text(), QFileDialog::ShowDirsOnly);
    if (!folder.trimmed().isEmpty())
        field->setText(folder);
}

void DialogSettings::slotButtonConfigureDestinations()
{
    DialogDestinationFolders editor(this);
    editor.setWindowFlags(Qt::Sheet);
    editor.exec();
}

void DialogSettings::slotManualSpeedLimit(bool checked)
{
    ui->lineEditMaximumSpeed->setStyleSheet(QLatin1String(checked ? usableSpeedStyle : unusableSpeedStyle));
    ui->lineEditMaximumSpeed->setEnabled(checked);
}

void DialogSettings::slotComboBoxLogsMode(int index)
{
    if (index <= 0)
        ui->labelInfoLog->setText(tr("Logs are disabled"));
    else if (index == 1)
        ui->labelInfoLog->setText(tr("Logs are enabled with INFOS, WARNINGS and ERRORS"));
    else if (index == 2)
        ui->labelInfoLog->setText(tr("Logs are enabled with WARNINGS and ERRORS"));
    else
        ui->labelInfoLog->setText(tr("Logs are enabled with ERRORS"));
    ui->labelLogDelete->setEnabled(index >= 1);
    ui->comboBoxDeleteLogs->setEnabled(index >= 1);
}

// ---- Acceptance

QString DialogSettings::cleanRemovalPattern(const QString &pattern)
{
    QString cleaned = pattern.trimmed();
    cleaned.remove(QLatin1Char(' '));
    if (cleaned.endsWith(QLatin1Char(';')))
        cleaned.chop(1);
    return cleaned;
}

bool DialogSettings::isRemovalPatternValid(const QString &pattern)
{
    // "\w" as a letter, digit or underscore of any script.
    static const QRegularExpression format(QStringLiteral("^(\\*\\.\\w+(;){0,1})*$"),
                                           QRegularExpression::CaseInsensitiveOption
                                               | QRegularExpression::UseUnicodePropertiesOption);
    return pattern.isEmpty() || format.match(pattern).hasMatch();
}

bool DialogSettings::isSameFolder(const QString &first, const QString &second)
{
    const QFileInfo firstInfo(first);
    const QFileInfo secondInfo(second);
    if (QDir::cleanPath(firstInfo.absoluteFilePath()) == QDir::cleanPath(secondInfo.absoluteFilePath()))
        return true;
    const QString firstCanonical = firstInfo.canonicalFilePath();
    return !firstCanonical.isEmpty() && firstCanonical == secondInfo.canonicalFilePath();
}

void DialogSettings::refuse(const QString &message, QWidget *page, QLineEdit *field)
{
    QMessageBox::critical(parentWidget(), AppVersion::displayName(), message, QMessageBox::Ok);
    ui->toolBox->setCurrentWidget(page);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

// An empty or relative folder would resolve against the program's working folder, and two
// fields naming one folder would let the clean-up of one remove the other's files. A folder that
// is a file, or that cannot be made or written, would stop the downloads only once they come to it.
bool DialogSettings::checkFolders()
{
    const struct
    {
        QLineEdit *field;
        QString message;
        QString unusable;
    } folders[] = {
        {ui->lineEditCacheFolder, tr("Please enter the full path of the Cache folder."),
         tr("The Cache folder cannot be used: %1.")},
        {ui->lineEditDownloadFolder, tr("Please enter the full path of the Download folder."),
         tr("The Download folder cannot be used: %1.")},
        {ui->lineEditDestinationFolder, tr("Please enter the full path of the Destination folder."),
         tr("The Destination folder cannot be used: %1.")},
    };
    for (const auto &folder : folders) {
        const QString text = folder.field->text();
        if (text.trimmed().isEmpty() || QDir::isRelativePath(text)) {
            refuse(folder.message, ui->pageGeneralSettings, folder.field);
            return false;
        }
    }
    for (const auto &folder : folders) {
        const QString why = FolderCheck::whyNotUsable(folder.field->text());
        if (!why.isEmpty()) {
            refuse(folder.unusable.arg(why), ui->pageGeneralSettings, folder.field);
            return false;
        }
    }

    const QString cache = ui->lineEditCacheFolder->text();
    const QString download = ui->lineEditDownloadFolder->text();
    const QString destination = ui->lineEditDestinationFolder->text();
    if (isSameFolder(cache, download) || isSameFolder(cache, destination) || isSameFolder(download, destination)) {
        refuse(tr("Cache, Download and Destination folders must be defined in different paths."),
               ui->pageGeneralSettings, ui->lineEditCacheFolder);
        return false;
    }
    return true;
}

bool DialogSettings::checkRemovalPattern()
{
    const QString pattern = cleanRemovalPattern(ui->lineEditFilesExtToRemove->text());
    ui->lineEditFilesExtToRemove->setText(pattern);
    if (isRemovalPatternValid(pattern))
        return true;
    refuse(tr("Please check your files filter removal pattern. It must match the following format: "
              "*.nzb;*.par2;*.001"),
           ui->pageDownload, ui->lineEditFilesExtToRemove);
    return false;
}

bool DialogSettings::checkSpeedLimit(quint32 &limit)
{
    limit = 0;
    if (!ui->radioButtonManualBandwidth->isChecked())
        return true;
    const QString text = ui->lineEditMaximumSpeed->text().trimmed();
    ui->lineEditMaximumSpeed->setText(text);
    const uint value = text.toUInt();
    if (value < 50 || value > 99999) {
        refuse(tr("The maximum speed limit is invald. It must be between 50 KiB/s and 99999 KiB/s"),
               ui->pageDownload, ui->lineEditMaximumSpeed);
        return false;
    }
    limit = value;
    return true;
}

bool DialogSettings::checkSocketTimeout(quint32 &timeout)
{
    const QString text = ui->lineEditSocketTimeout->text().trimmed();
    ui->lineEditSocketTimeout->setText(text);
    const uint value = text.toUInt();
    if (value < 2 || value > 30) {
        refuse(tr("The socket timeout must be between 2 and 30 seconds"), ui->pageDownload,
               ui->lineEditSocketTimeout);
        return false;
    }
    timeout = value;
    return true;
}

void DialogSettings::slotButtonAccept()
{
    quint32 speedLimit = 0;
    quint32 socketTimeout = 0;
    if (!checkFolders() || !checkRemovalPattern() || !checkSpeedLimit(speedLimit)
        || !checkSocketTimeout(socketTimeout))
        return;

    AppConfiguration *config = AppConfiguration::getInstance();
    config->cacheFolder = ui->lineEditCacheFolder->text();
    config->downloadFolder = ui->lineEditDownloadFolder->text();
    config->destinationFolder = ui->lineEditDestinationFolder->text();
    config->autoUnrar = ui->checkBoxAutoUnrar->isChecked();
    config->autoUnsplit = ui->checkBoxAutoUnsplit->isChecked();
    config->autoSaveHistoNzb = ui->checkBoxAutoSaveHistoNzb->isChecked();
    config->autoDownloadNzb = ui->checkBoxAutoDownload->isChecked();
    config->autoSmartDownload = ui->checkBoxSmartDownload->isChecked();
    config->autoKeepPar2Files = ui->checkBoxAlwaysKeepPar2Files->isChecked();
    config->autoCreateSubFolderInDestination = ui->checkBoxAutoCreateSubFolderInDest->isChecked();
    config->autoDeleteFilesExtension = ui->lineEditFilesExtToRemove->text();
    config->autoDetectBandwidthLimit = ui->radioButtonAutoDetectBandwidth->isChecked();
    config->autoSpeedLimit = speedLimit;
    config->socketTimeout = socketTimeout;

    storeProxyChoice();
    storeLogSettings();
    storeLanguage();
    ConfigurationSave::saveOrReport(parentWidget(), AppVersion::displayName());
    accept();
}

void DialogSettings::storeLogSettings()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    const int entry = ui->comboBoxLogMode->currentIndex();
    config->setLogLevel(entry >= 0 && entry < logEntryCount ? logLevelOfEntry[entry] : 6);
    config->logAutoDelete = qBound(0, ui->comboBoxDeleteLogs->currentIndex(), 2);
}

// The language takes effect at the next start, when the program installs its translation.
void DialogSettings::storeLanguage()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    const QStringList languages = AppTranslations::shippedLanguages();
    const int index = ui->comboBoxSelectLanguage->currentIndex();
    const QString language = index >= 0 && index < languages.size() ? languages.at(index) : QStringLiteral("en");
    if (language != config->languageName)
        QMessageBox::information(parentWidget(), AppVersion::displayName(),
                                 tr("You will have to restart the application in order to apply the new "
                                    "selected language."),
                                 QMessageBox::Ok);
    config->languageName = language;
}
