#ifndef STEPPEDPROCESS_H
#define STEPPEDPROCESS_H

#include <QList>
#include <QString>

#include <functional>

// Holds a running process still (SIGSTOP) and lets it run in short steps, so that a test can
// catch it at a chosen point of its work (the file it writes exists, and is not whole yet) and
// stop it or what runs it right there, however loaded the machine is.
class SteppedProcess
{
public:
    // The state letter of /proc/<pid>/stat ('R', 'S', 'T', 'Z', ...); 0 when there is no such
    // process.
    static char state(qint64 pid);
    // Sends SIGSTOP and waits until the process is stopped; false when it ended first.
    static bool stop(qint64 pid, int timeoutMs = 30000);
    // Lets the stopped process run stepMs at a time, stopping it again after each step, until
    // `reached` holds; the process is then stopped. False when it ended or timeoutMs passed.
    static bool stepUntil(qint64 pid, const std::function<bool()> &reached, int stepMs = 2,
                          int timeoutMs = 120000);
    // The child processes of `parent` whose command name is `name`.
    static QList<qint64> children(qint64 parent, const QString &name);
};

#endif // STEPPEDPROCESS_H
