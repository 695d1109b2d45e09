#ifndef LOGENTRY_H
#define LOGENTRY_H

#include <QByteArray>
#include <QDebug>
#include <QLatin1String>
#include <QString>

namespace QsLogging {

// One log statement. Items streamed into it form the message: every text (QString, QByteArray,
// QLatin1String) between plain double quotes, written as it is (no escaping), and every item
// followed by one blank. The destructor builds the line and hands it to the logger.
class LogEntry
{
public:
    explicit LogEntry(int level);
    ~LogEntry();

    LogEntry &operator<<(const QString &text);
    LogEntry &operator<<(const QByteArray &text);
    LogEntry &operator<<(QLatin1String text);

    template <typename T>
    LogEntry &operator<<(const T &item)
    {
        stream << item;
        return *this;
    }

    // The line for a message: level name right-aligned in five characters, the time, the message.
    static QString formatLine(int level, const QDateTime &time, const QString &message);

private:
    Q_DISABLE_COPY(LogEntry)
    void writeToLog();

    int level;
    QString buffer;
    QDebug stream;
};

} // namespace QsLogging

#endif // LOGENTRY_H
