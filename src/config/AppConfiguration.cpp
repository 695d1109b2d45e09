#include "config/AppConfiguration.h"

#include "platform/DiskSpace.h"
#include "platform/Drives.h"

#include <QDir>
#include <QFile>

AppConfiguration *AppConfiguration::getInstance()
{
    static AppConfiguration instance;
    return &instance;
}

AppConfiguration::AppConfiguration(QObject *parent)
    : QObject(parent),
      loaded(false),
      autoUnrar(true),
      autoUnsplit(true),
      autoDownloadNzb(false),
      autoSmartDownload(true),
      autoCreateSubFolderInDestination(true),
      autoDetectBandwidthLimit(true),
      autoSaveHistoNzb(false),
      autoKeepPar2Files(false),
      autoSpeedLimit(0),
      socketTimeout(30),
      cacheFolder(defaultCacheFolder()),
      downloadFolder(defaultDownloadFolder()),
      destinationFolder(defaultDestinationFolder()),
      proxyEnabled(false),
      proxy(QNetworkProxy::NoProxy),
      logLevel(2),
      logAutoDelete(2),
      fileDestination(nullptr),
      shutdownSaved(false),
      shutdownType(0),
      clock([] { return QDateTime::currentDateTime(); })
{
}

// The file destination is deliberately not deleted: the logger may still write through it.
AppConfiguration::~AppConfiguration() = default;

QString AppConfiguration::getDataFolder()
{
    return QDir::homePath() + QDir::separator() + QLatin1String("Tessaquill_Plus");
}

QString AppConfiguration::inDataFolder(const QString &name)
{
    return getDataFolder() + QDir::separator() + name;
}

QString AppConfiguration::getConfigurationFile()
{
    return inDataFolder(QStringLiteral("Tessaquill_Plus.cfg"));
}

QString AppConfiguration::getNzbFolder()
{
    return inDataFolder(QStringLiteral("Nzb"));
}

QString AppConfiguration::getLogsFolder()
{
    return inDataFolder(QStringLiteral("Logs"));
}

QString AppConfiguration::getServersFolder()
{
    return inDataFolder(QStringLiteral("Servers"));
}

QString AppConfiguration::getHistoNzbFolder()
{
    return inDataFolder(QStringLiteral("HISTO_NZB"));
}

QString AppConfiguration::defaultCacheFolder()
{
    return inDataFolder(QStringLiteral("Cache"));
}

QString AppConfiguration::defaultDownloadFolder()
{
    return inDataFolder(QStringLiteral("Download"));
}

QString AppConfiguration::defaultDestinationFolder()
{
    return inDataFolder(QStringLiteral("Destination"));
}

bool AppConfiguration::makeDataFolder()
{
    const QString dataFolder = getDataFolder();
    if (QFileInfo(dataFolder).isDir())
        return true;
    QDir dir;
    if (!dir.mkpath(QDir::homePath()) || !dir.mkdir(dataFolder))
        return QFileInfo(dataFolder).isDir();
    return QFile::setPermissions(dataFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 | QFileDevice::ExeOwner);
}

bool AppConfiguration::makeDataSubFolder(const QString &folder)
{
    return makeDataFolder() && QDir().mkpath(folder);
}

bool AppConfiguration::getDiskSpace(const QString &folder, double &totalKiB, double &freeKiB)
{
    quint64 totalBytes = 0;
    quint64 availableBytes = 0;
    if (!DiskSpace::query(folder, totalBytes, availableBytes))
        return false;
    totalKiB = double(totalBytes) / 1024.0;
    freeKiB = double(availableBytes) / 1024.0;
    return true;
}

// Runs before the window shows: a mount that does not answer within the bound holds the start
// no longer, and stays in the list, shown once its space can be read.
void AppConfiguration::refreshDrives()
{
    drives = Drives::readable(Drives::mounted(), kDriveQueryBoundMs);
}
