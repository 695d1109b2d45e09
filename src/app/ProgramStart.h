#ifndef PROGRAMSTART_H
#define PROGRAMSTART_H

#include <QString>
#include <QStringList>

class QDir;
class QTextStream;
class SingleInstance;

// What main does before the main window exists: the application's identity, and the hand-over
// of a later start's arguments to the program that already runs.
class ProgramStart
{
public:
    // Organisation domain and name, application name and version (the settings store keeps the
    // window layout and the version check under these), and the desktop entry's name.
    static void setIdentity();

    // What became of a later start's arguments.
    struct HandOver
    {
        // The exit code of this start, when it ends here: 0 when every argument was taken, 1
        // when one was not (the reason written to the errors).
        int exitCode = 0;
        // The running program ended or is ending without taking every argument: this start has
        // taken its place (the identity is now its own) and runs with the arguments not taken.
        bool bRunItself = false;
        QStringList listNotTaken;
    };

    // Sends every argument to the running program, one message each, a relative path made
    // absolute from `currentFolder` (the running program has a folder of its own), until one is
    // not taken. An argument refused by a program that is ending is never lost: this start waits
    // for that program to end and takes its place; so it does when the program ended before it
    // answered. Otherwise the reason goes to `errors` and the arguments after it are not sent.
    static HandOver handOver(SingleInstance &instance, const QStringList &listArguments, const QDir &currentFolder,
                             QTextStream &errors);

    static QString absoluteArgument(const QString &strArgument, const QDir &currentFolder);

    // How long the running program has to take one message.
    static constexpr int kHandOverTimeoutMs = 5000;
    // How long a program that did not answer is given to let its identity go, when it was ending.
    static constexpr int kEndingProgramWaitMs = 2000;

private:
    ProgramStart() = delete;
};

#endif // PROGRAMSTART_H
