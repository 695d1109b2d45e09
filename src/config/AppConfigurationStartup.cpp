// Start-up: what the program keeps in its data folder comes back into memory.
#include "config/AppConfiguration.h"

#include "config/UtilsFilesFolders.h"
#include "QsLog/QsLog.h"

#include <QDir>
#include <QRegularExpression>

bool AppConfiguration::initialize()
{
    loadConfiguration();
    // Servers and queue live in files of their own: they are loaded even when the configuration
    // file cannot be read, so that nothing later writes over records that were never read.
    serversConfiguration.loadServers();
    nzbConfiguration.loadNzbs();
    if (!loaded)
        return false;
    cleanCacheFolder();
    initLogs();
    logUnreadableState();
    refreshDrives();
    return true;
}

// What the loads found damaged, once there is a log to say it in (the window tells the user).
void AppConfiguration::logUnreadableState() const
{
    for (const QString &name : nzbConfiguration.listRestoredNzbs)
        QLOG_WARN() << tr("The queue record of NZB %1 was damaged: it has been restored from its backup").arg(name);
    for (const QString &name : nzbConfiguration.listUnrestoredNzbs)
        QLOG_ERROR() << tr("The queue record of NZB %1 and its backup are damaged: the NZB could not be restored, "
                           "its files are kept with the suffix %2 in %3")
                            .arg(name, NzbConfiguration::damagedSuffix(), getNzbFolder());
    for (const QString &file : serversConfiguration.listUnreadableFiles)
        QLOG_ERROR() << tr("The server record %1 could not be read: the file is kept in %2")
                            .arg(file, getServersFolder());
}

// The folders of segment temporary files: NZB index and file position joined by "-".
bool AppConfiguration::isSegmentFolderName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+-\\d+$"));
    return pattern.match(name).hasMatch();
}

// With an empty saved queue no segment temporary file can ever be resumed. Only the segment
// folders the program makes are removed: the Cache folder may be shared with anything else.
void AppConfiguration::cleanCacheFolder()
{
    if (!nzbConfiguration.listNzbFiles.isEmpty())
        return;
    if (cacheFolder.trimmed().isEmpty() || QDir::isRelativePath(cacheFolder))
        return;
    const QDir cache(cacheFolder);
    if (!cache.exists())
        return;
    const QFileInfoList folders = cache.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &folder : folders) {
        if (isSegmentFolderName(folder.fileName()))
            UtilsFilesFolders::removeFolder(QDir(folder.absoluteFilePath()));
    }
}
