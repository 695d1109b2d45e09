#ifndef DEBUGGEROUTPUT_H
#define DEBUGGEROUTPUT_H

#include <QString>

// Text for an attached debugger. Linux has no debugger message channel, so the text goes to the
// standard error stream, which a debugger session shows.
class DebuggerOutput
{
public:
    static void write(const QString &text);
};

#endif // DEBUGGEROUTPUT_H
