#ifndef DESTINATION_H
#define DESTINATION_H

#include <QString>

namespace QsLogging {

// Receiver of finished log lines (one line, without line break, per call).
class Destination
{
public:
    virtual ~Destination();
    virtual void write(const QString &message) = 0;
};

// A file destination on the given path, truncating or creating the file; owned by the caller.
Destination *newFileDestination(const QString &filePath);
// A destination for an attached debugger; owned by the caller.
Destination *newDebugOutputDestination();

} // namespace QsLogging

#endif // DESTINATION_H
