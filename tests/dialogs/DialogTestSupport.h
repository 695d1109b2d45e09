#ifndef DIALOGTESTSUPPORT_H
#define DIALOGTESTSUPPORT_H

#include "config/AppConfiguration.h"
#include "QsLog/Destination.h"
#include "QsLog/Logger.h"

#include <QDialogButtonBox>
#include <QDomDocument>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QWidget>

// Shared by the dialog tests: a configuration singleton as a fresh start in the current (test)
// home would leave it, and the values of the configuration file as written.

// The fields of the singleton back to the constructor's values (folders in the current home).
// The language holds the code in effect, as it does while the program runs.
inline void resetConfiguration()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    const AppConfiguration defaults;
    config->lastError.clear();
    config->destinationConfiguration.destinations.clear();
    config->autoUnrar = defaults.autoUnrar;
    config->autoUnsplit = defaults.autoUnsplit;
    config->autoDownloadNzb = defaults.autoDownloadNzb;
    config->autoSmartDownload = defaults.autoSmartDownload;
    config->autoCreateSubFolderInDestination = defaults.autoCreateSubFolderInDestination;
    config->autoDetectBandwidthLimit = defaults.autoDetectBandwidthLimit;
    config->autoSaveHistoNzb = defaults.autoSaveHistoNzb;
    config->autoKeepPar2Files = defaults.autoKeepPar2Files;
    config->autoSpeedLimit = defaults.autoSpeedLimit;
    config->socketTimeout = defaults.socketTimeout;
    config->autoDeleteFilesExtension = defaults.autoDeleteFilesExtension;
    config->cacheFolder = defaults.cacheFolder;
    config->downloadFolder = defaults.downloadFolder;
    config->destinationFolder = defaults.destinationFolder;
    config->proxyEnabled = defaults.proxyEnabled;
    config->proxyName = defaults.proxyName;
    config->proxyLogin = defaults.proxyLogin;
    config->proxyPassword = defaults.proxyPassword;
    config->proxy = defaults.proxy;
    config->systemProxies.clear();
    config->logLevel = defaults.logLevel;
    config->logAutoDelete = defaults.logAutoDelete;
    config->languageName = QStringLiteral("en");
    config->currentLogFile = QStringLiteral("dialog-test.log");
}

// Takes the log file that accepting a dialog may have attached off the logger again.
inline void detachLogFile()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->fileDestination)
        return;
    QsLogging::Logger::getInstance()->detachDestination(config->fileDestination);
    delete config->fileDestination;
    config->fileDestination = nullptr;
}

inline QDomDocument readConfigurationFile()
{
    QDomDocument document;
    QFile file(AppConfiguration::getConfigurationFile());
    if (file.open(QIODevice::ReadOnly))
        document.setContent(&file);
    return document;
}

// The text of <group><key> in the configuration file; a null string when either is missing.
inline QString storedValue(const QString &group, const QString &key)
{
    const QDomElement element =
        readConfigurationFile().documentElement().firstChildElement(group).firstChildElement(key);
    return element.isNull() ? QString() : element.text();
}

inline void clickButtonBox(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(which)->click();
}

// A file of a few bytes where a folder is expected.
inline bool writeSmallFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#endif // DIALOGTESTSUPPORT_H
