#ifndef PROCESSRUN_H
#define PROCESSRUN_H

#include <QString>

// The outcome of one UtilsProcess::runHidden.
struct ProcessRun
{
    // Stands for an exit status that could not be read (the wait for the program failed).
    // No program can exit with it, and it is never taken for success.
    static constexpr quint32 kExitCodeUnknown = 256;

    bool started = false;  // false: the program was not found or could not be started
    bool stopped = false;  // the run was ended by the caller's stop flag
    bool timedOut = false; // the run was ended because it passed the options' time limit
    // The program's exit status; 1 for a program killed on the stop flag, 128 + the signal
    // number for one that died of a signal (128 + 9 for one killed at the time limit),
    // kExitCodeUnknown when it could not be read.
    quint32 exitCode = 0;
    QString output;        // standard output and error as one text, decoded as UTF-8
};

#endif // PROCESSRUN_H
