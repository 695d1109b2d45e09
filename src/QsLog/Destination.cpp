#include "QsLog/Destination.h"

#include "QsLog/DebugOutputDestination.h"
#include "QsLog/FileDestination.h"

namespace QsLogging {

Destination::~Destination() = default;

Destination *newFileDestination(const QString &filePath)
{
    return new FileDestination(filePath);
}

Destination *newDebugOutputDestination()
{
    return new DebugOutputDestination;
}

} // namespace QsLogging
