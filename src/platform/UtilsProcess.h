#ifndef UTILSPROCESS_H
#define UTILSPROCESS_H

#include "platform/ProcessRun.h"
#include "platform/ProcessRunOptions.h"

#include <QString>
#include <QStringList>

// Runs outside programs (par2, unrar, the power tool, the password converter of older servers
// files) without a window and without a shell: the arguments go to the program as a list,
// exactly as given, so that blanks and quotes in paths or passwords can neither split nor add
// arguments. Standard output and standard error share one pipe, standard input reads from
// /dev/null. Every call blocks the calling thread; the class holds no state, so runs in
// different threads are independent. A program run by runHidden never outlives this one: it is
// killed when this program ends, a crash or a kill -9 included.
class UtilsProcess
{
public:
    // Absolute path of an executable `fileName` in `programFolder` (empty: the folder of this
    // program's executable), then, when `systemPathFallback` is set, on the system PATH;
    // empty when there is none.
    static QString findProgram(const QString& fileName, const QString& programFolder = QString(),
                               bool systemPathFallback = false);

    // Runs the program and returns once it has ended (or was killed on the stop flag or at the
    // time limit) and its output is read in full.
    static ProcessRun runHidden(const QString& fileName, const QStringList& arguments,
                                const ProcessRunOptions& options = ProcessRunOptions());

    // Starts the program, detached, with its output discarded; does not wait for it.
    static bool startHidden(const QString& fileName, const QStringList& arguments,
                            const QString& programFolder = QString());
};

#endif // UTILSPROCESS_H
