#ifndef PROCESSRUNOPTIONS_H
#define PROCESSRUNOPTIONS_H

#include <QString>

#include <atomic>
#include <functional>

// How UtilsProcess::runHidden runs one outside program.
struct ProcessRunOptions
{
    // Characters reserved up front for the output; the output still grows past it.
    int outputReserve = 0;
    // Owned by the caller and read once per poll: when set, the program (with every process
    // it started in its group) is killed and reaped, and the run is marked as stopped.
    const std::atomic<bool>* stopFlag = nullptr;
    // Called in the running thread with the text of each read made while the program runs
    // (pieces of output as they arrive, not lines); not called for the final drain.
    std::function<void(const QString&)> chunkHandler;
    // Sleep 10 ms after each poll, so that output is gathered in larger pieces.
    bool pauseAfterPoll = false;
    // Where the program is looked for first; empty: the folder of this program's executable.
    QString programFolder;
    // Whether the system PATH is searched when the program is not in the program folder.
    bool systemPathFallback = false;
    // Longest run allowed, in milliseconds, counted from the start; 0: no limit. A program
    // still running past it is killed with every process of its group and reaped, and the
    // run is marked as timed out.
    int timeLimitMs = 0;
};

#endif // PROCESSRUNOPTIONS_H
