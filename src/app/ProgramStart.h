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

    // Sends every argument to the running program, one message each, a relative path made
    // absolute from `currentFolder` (the running program has a folder of its own). Returns the
    // exit code: 0 when every one was taken; 1 when one was not, with the reason written to
    // `errors`; the arguments after it are not sent.
    static int handOver(SingleInstance &instance, const QStringList &listArguments, const QDir &currentFolder,
                        QTextStream &errors);

    static QString absoluteArgument(const QString &strArgument, const QDir &currentFolder);

    // How long the running program has to take one message.
    static constexpr int kHandOverTimeoutMs = 5000;

private:
    ProgramStart() = delete;
};

#endif // PROGRAMSTART_H
