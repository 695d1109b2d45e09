#ifndef LOGGER_H
#define LOGGER_H

#include <QObject>
#include <QString>

class QMutex;

namespace QsLogging {

// Levels of the log; a configured level of 6 (OffLevel) lets no statement through.
enum LogLevel {
    TraceLevel = 0,
    DebugLevel = 1,
    InfoLevel = 2,
    WarnLevel = 3,
    ErrorLevel = 4,
    FatalLevel = 5,
    OffLevel = 6
};

class Destination;
class LoggerData;

// The process-wide logger: a minimum level and the destinations that receive every finished
// line. It owns none of its destinations.
class Logger : public QObject
{
    Q_OBJECT

public:
    static Logger *getInstance();
    ~Logger() override;

    void setLevel(int level);
    int level() const;

    // Appends a destination; a null pointer is refused.
    void attachDestination(Destination *destination);
    // Takes a destination out of the list (the caller still owns it).
    void detachDestination(Destination *destination);
    int destinationCount() const;

    // Hands one finished line to every destination in attachment order. The caller holds mutex().
    void dispatch(const QString &line);
    QMutex &mutex();

    // "TRACE" .. "FATAL" for 0..5.
    static QString levelName(int level);

private:
    Logger();
    Q_DISABLE_COPY(Logger)

    LoggerData *d;
};

} // namespace QsLogging

#endif // LOGGER_H
