#include "QsLog/LogEntry.h"

#include "QsLog/Logger.h"

#include <QDateTime>
#include <QMutexLocker>

namespace QsLogging {

LogEntry::LogEntry(int level)
    : level(level), stream(&buffer)
{
    stream.noquote();
}

LogEntry::~LogEntry()
{
    try {
        writeToLog();
    } catch (...) {
        // A failing write must never end the statement that logged.
    }
}

LogEntry &LogEntry::operator<<(const QString &text)
{
    stream << QString(QLatin1Char('"') + text + QLatin1Char('"'));
    return *this;
}

LogEntry &LogEntry::operator<<(const QByteArray &text)
{
    return *this << QString::fromUtf8(text);
}

LogEntry &LogEntry::operator<<(QLatin1String text)
{
    return *this << QString(text);
}

QString LogEntry::formatLine(int level, const QDateTime &time, const QString &message)
{
    // One substitution after another, so that a "%1" inside the message stays as it is.
    return QStringLiteral("%1 %2 %3")
        .arg(Logger::levelName(level), 5, QLatin1Char(' '))
        .arg(time.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss.zzz")))
        .arg(message);
}

void LogEntry::writeToLog()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString line = formatLine(level, now, buffer);
    Logger *logger = Logger::getInstance();
    QMutexLocker locker(&logger->mutex());
    logger->dispatch(line);
}

} // namespace QsLogging
