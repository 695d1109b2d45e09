// Log set-up: level, pruning of old log files, the log file of this run.
#include "config/AppConfiguration.h"

#include "QsLog/Destination.h"
#include "QsLog/Logger.h"

#include <QDir>
#include <QFile>

namespace {

// The creation time of a file where the file system records it, else its last status change.
QDateTime creationTime(const QFileInfo &file)
{
    const QDateTime birth = file.birthTime();
    return birth.isValid() ? birth : file.metadataChangeTime();
}

} // namespace

bool AppConfiguration::isLogFileExpired(const QDateTime &created, const QDateTime &now, int autoDelete)
{
    QDateTime limit;
    if (autoDelete == 1)
        limit = created.addDays(7);
    else if (autoDelete == 2)
        limit = created.addMonths(1);
    else
        return false;
    return now >= limit;
}

bool AppConfiguration::initLogs()
{
    QsLogging::Logger::getInstance()->setLevel(logLevel);

    const QString logsFolder = getLogsFolder();
    if (!makeDataSubFolder(logsFolder)) {
        lastError = tr("Failed to create directory %1").arg(logsFolder);
        return false;
    }

    const QDateTime now = clock();
    pruneLogFiles(now);
    currentLogFile = now.toString(QStringLiteral("yyyy.MM.dd-hh.mm.ss")) + QLatin1String(".log");
    if (logLevel != QsLogging::OffLevel)
        attachLogFile();
    return true;
}

void AppConfiguration::pruneLogFiles(const QDateTime &now) const
{
    if (logAutoDelete != 1 && logAutoDelete != 2)
        return;
    const QFileInfoList files =
        QDir(getLogsFolder()).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &file : files) {
        if (isLogFileExpired(creationTime(file), now, logAutoDelete))
            QFile::remove(file.absoluteFilePath());
    }
}

void AppConfiguration::setLogLevel(int level)
{
    logLevel = level;
    QsLogging::Logger *logger = QsLogging::Logger::getInstance();
    if (logger->destinationCount() == 0 && level != QsLogging::OffLevel)
        attachLogFile();
    logger->setLevel(level);
}

void AppConfiguration::attachLogFile()
{
    fileDestination = QsLogging::newFileDestination(getLogsFolder() + QDir::separator() + currentLogFile);
    QsLogging::Logger::getInstance()->attachDestination(fileDestination);
}
