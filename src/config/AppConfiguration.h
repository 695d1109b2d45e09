#ifndef APPCONFIGURATION_H
#define APPCONFIGURATION_H

#include "config/DestinationConfiguration.h"
#include "config/NzbConfiguration.h"
#include "config/ServersConfiguration.h"
#include "config/WebConfiguration.h"

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QNetworkProxy>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QDomElement;
class QXmlStreamWriter;

namespace QsLogging {
class Destination;
}

// Every setting of the program, as public fields of one process-wide instance, and the data
// folder "Tessaquill_Plus" in the home folder where the program keeps its files. A change reaches
// the configuration file only when its author calls saveConfiguration().
class AppConfiguration : public QObject
{
    Q_OBJECT

public:
    static AppConfiguration *getInstance();

    explicit AppConfiguration(QObject *parent = nullptr);
    ~AppConfiguration() override;

    // Start-up: configuration file, servers, saved queue, Cache clean-up, logging, drives.
    bool initialize();
    void cleanCacheFolder();

    void loadConfiguration();
    bool saveConfiguration();

    bool initLogs();
    void setLogLevel(int level);

    // The drives whose space can be read, or that have not answered within kDriveQueryBoundMs.
    void refreshDrives();
    static constexpr int kDriveQueryBoundMs = 2000;
    // Total size and free space (for the calling user) of the volume holding a folder, in KiB.
    static bool getDiskSpace(const QString &folder, double &totalKiB, double &freeKiB);

    static QString getDataFolder();
    static QString getConfigurationFile();
    static QString getNzbFolder();
    static QString getLogsFolder();
    static QString getServersFolder();
    static QString getHistoNzbFolder();
    static QString defaultCacheFolder();
    static QString defaultDownloadFolder();
    static QString defaultDestinationFolder();

    // Creates the data folder when it is missing, readable by its owner only (it holds
    // credentials).
    static bool makeDataFolder();
    // Creates a folder below the data folder, making the data folder first as above.
    static bool makeDataSubFolder(const QString &folder);

    // The folder a folder setting stands for: an empty or relative setting (which would resolve
    // against the current folder) means the default folder.
    static QString folderSettingOrDefault(const QString &value, const QString &defaultFolder);

    // Log files older than this are pruned at start-up: autoDelete 1 a week, 2 a calendar month.
    static bool isLogFileExpired(const QDateTime &created, const QDateTime &now, int autoDelete);

    bool loaded;
    QString lastError;
    WebConfiguration webConfiguration;
    DestinationConfiguration destinationConfiguration;
    ServersConfiguration serversConfiguration;
    NzbConfiguration nzbConfiguration;
    bool autoUnrar;
    bool autoUnsplit;
    bool autoDownloadNzb;
    bool autoSmartDownload;
    bool autoCreateSubFolderInDestination;
    bool autoDetectBandwidthLimit;
    bool autoSaveHistoNzb;
    bool autoKeepPar2Files;
    quint32 autoSpeedLimit;
    quint32 socketTimeout;
    QString autoDeleteFilesExtension;
    QString cacheFolder;
    QString downloadFolder;
    QString destinationFolder;
    bool proxyEnabled;
    QString proxyName;
    QString proxyLogin;
    QString proxyPassword;
    QNetworkProxy proxy;
    QList<QNetworkProxy> systemProxies;
    int logLevel;
    int logAutoDelete;
    QsLogging::Destination *fileDestination;
    QString currentLogFile;
    bool shutdownSaved;
    int shutdownType;
    QString languageName;
    QList<QFileInfo> drives;
    QStringList searchHistory;

    // The time used by the log set-up (pruning and the file name); replaceable for tests.
    std::function<QDateTime()> clock;

private:
    static QString inDataFolder(const QString &name);
    static bool isSegmentFolderName(const QString &name);
    void logUnreadableState() const;

    bool writeConfigurationFile(bool defaultDocument);
    void writeDefaultDocument(QXmlStreamWriter &xml) const;
    void writeDocument(QXmlStreamWriter &xml) const;
    void writeWebGroup(QXmlStreamWriter &xml) const;
    void writeDestinationsGroup(QXmlStreamWriter &xml) const;
    void writeSearchGroup(QXmlStreamWriter &xml) const;
    void writeAutoValues(QXmlStreamWriter &xml) const;
    void writeFoldersGroup(QXmlStreamWriter &xml) const;
    void writeProxyGroup(QXmlStreamWriter &xml) const;
    void writeLogsGroup(QXmlStreamWriter &xml) const;
    void writeShutdownGroup(QXmlStreamWriter &xml) const;
    void writeLanguageGroup(QXmlStreamWriter &xml) const;

    void readGroup(const QDomElement &group);
    void readLanguage(const QDomElement &group);
    void readLogs(const QDomElement &group);
    void readShutdown(const QDomElement &group);
    void readProxy(const QDomElement &group);
    void readAuto(const QDomElement &group);
    void readFolders(const QDomElement &group);
    void readWeb(const QDomElement &group);
    void readDestinations(const QDomElement &group);
    void readSearchHistory(const QDomElement &group);

    void pruneLogFiles(const QDateTime &now) const;
    void attachLogFile();
};

#endif // APPCONFIGURATION_H
