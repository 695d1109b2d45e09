#include "QsLog/DebugOutputDestination.h"

#include "platform/DebuggerOutput.h"

namespace QsLogging {

void DebugOutputDestination::write(const QString &message)
{
    writeToDebugger(message);
}

void writeToDebugger(const QString &message)
{
    DebuggerOutput::write(message + QLatin1Char('\n'));
}

} // namespace QsLogging
