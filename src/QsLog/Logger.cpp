#include "QsLog/Logger.h"

#include "QsLog/Destination.h"

#include <QAtomicInt>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

namespace QsLogging {

class LoggerData
{
public:
    QMutex mutex;
    QAtomicInt level {InfoLevel};
    QList<Destination *> destinations;
};

Logger *Logger::getInstance()
{
    static Logger instance;
    return &instance;
}

Logger::Logger()
    : QObject(nullptr), d(new LoggerData)
{
}

Logger::~Logger()
{
    delete d;
}

void Logger::setLevel(int level)
{
    d->level.storeRelaxed(level);
}

int Logger::level() const
{
    return d->level.loadRelaxed();
}

void Logger::attachDestination(Destination *destination)
{
    if (!destination)
        return;
    QMutexLocker locker(&d->mutex);
    d->destinations.append(destination);
}

void Logger::detachDestination(Destination *destination)
{
    QMutexLocker locker(&d->mutex);
    d->destinations.removeAll(destination);
}

int Logger::destinationCount() const
{
    QMutexLocker locker(&d->mutex);
    return d->destinations.size();
}

void Logger::dispatch(const QString &line)
{
    for (Destination *destination : qAsConst(d->destinations))
        destination->write(line);
}

QMutex &Logger::mutex()
{
    return d->mutex;
}

QString Logger::levelName(int level)
{
    static const char *const names[] = {"TRACE", "DEBUG", "INFO", "WARN", "ERROR", "FATAL"};
    if (level < TraceLevel || level > FatalLevel)
        return QString();
    return QString::fromLatin1(names[level]);
}

} // namespace QsLogging
