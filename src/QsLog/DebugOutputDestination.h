#ifndef DEBUGOUTPUTDESTINATION_H
#define DEBUGOUTPUTDESTINATION_H

#include "QsLog/Destination.h"

namespace QsLogging {

// Sends each line to the debugger output. Made only by newDebugOutputDestination(); the program
// itself never attaches one.
class DebugOutputDestination : public Destination
{
public:
    void write(const QString &message) override;
};

// The line, then a line break, to the debugger output.
void writeToDebugger(const QString &message);

} // namespace QsLogging

#endif // DEBUGOUTPUTDESTINATION_H
