#ifndef FILEDESTINATION_H
#define FILEDESTINATION_H

#include "QsLog/Destination.h"

#include <QFile>
#include <QTextStream>

namespace QsLogging {

// Writes each line to a file, flushed at once, so that the log is complete if the process dies.
class FileDestination : public Destination
{
public:
    // Opens (truncating or creating) the file; a file that cannot be opened loses every line.
    explicit FileDestination(const QString &filePath);
    void write(const QString &message) override;

private:
    QFile file;
    QTextStream stream;
};

} // namespace QsLogging

#endif // FILEDESTINATION_H
