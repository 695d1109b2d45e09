#ifndef PROGRAMRUNNER_H
#define PROGRAMRUNNER_H

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class AppConfiguration;
class NntpServer;
class QProcess;

// The program itself, run as a user runs it: the built executable as a process of its own,
// offscreen, in a home folder of the test's (no desktop bus, no version check). For tests that
// start it, wait until it reaches some state, stop it there (SIGKILL as in a crash, SIGTERM as at
// the end of the session) and start it again in the same home:
//
//     ProgramRunner program(home.path());
//     program.configure({ProgramRunner::newsServer(news.port())});
//     program.start({nzbPath});
//     QVERIFY(program.waitFor([&] { return partialFileGrows(); }));
//     QCOMPARE(program.stop(SIGKILL), ProgramRunner::kKilled);
//     program.start();
//
// Where polling could miss a short step (a copy of a few megabytes), stopAtWrite() makes the
// program freeze itself in the middle of a write into a folder; the test then ends it there:
//
//     program.stopAtWrite(destination, 1024 * 1024);
//     program.start({nzbPath});
//     QVERIFY(program.waitUntilFrozen());
//     program.stop(SIGKILL);
//
// One program at a time; one still running when the runner goes is killed.
class ProgramRunner
{
public:
    // stop()'s result for a program that ended by a signal, or did not end.
    static constexpr int kKilled = -1;

    explicit ProgramRunner(const QString &home);
    ~ProgramRunner();
    ProgramRunner(const ProgramRunner &) = delete;
    ProgramRunner &operator=(const ProgramRunner &) = delete;

    QString home() const { return homeFolder; }
    // The program's data folder in the home.
    QString dataFolder() const;
    QProcessEnvironment environment() const;

    // Writes the configuration file and the server records into the home: NZB files are queued
    // without a question into the default folders (under the data folder); adjust, when given,
    // changes the rest. The servers are taken over (deleted here). False when a file could not be
    // written.
    bool configure(const QList<NntpServer *> &servers,
                   const std::function<void(AppConfiguration &)> &adjust = {});
    // A started server record for a news server on 127.0.0.1.
    static NntpServer *newsServer(quint16 port, int connections = 2);

    // The next start only: once the program has written `bytes` bytes into files whose path
    // begins with pathPrefix (its own writes, and those of the programs it runs), it freezes
    // itself (SIGSTOP) in the middle of that write. No write of it is lost: resume() or a signal
    // and resume() let it go on.
    void stopAtWrite(const QString &pathPrefix, qint64 bytes);

    // Runs the program from `folder` (its executable and the tools beside it, as an installation
    // would have them) instead of the build's; empty: the build's.
    void setProgramFolder(const QString &folder) { programFolder = folder; }
    // Places the build's executable in `folder` (a hard link, else a copy), where the tools it runs
    // (par2, unrar) can be stand-ins of the test's; false when it could not.
    static bool placeProgramIn(const QString &folder);

    // Starts the program with these arguments (NZB files), in the home; false when it did not start.
    bool start(const QStringList &arguments = {});
    bool isRunning() const;
    qint64 processId() const;
    // Polls the condition until it holds (true), or until the time-out passes or the program
    // ends (false, with a warning that says which).
    bool waitFor(const std::function<bool()> &condition, int timeoutMs = 120000);
    // Whether the program is frozen (stopped by a signal), and waiting for it.
    bool isFrozen() const;
    bool waitUntilFrozen(int timeoutMs = 120000);
    void resume();
    // Sends the signal and waits for the end: the exit code, or kKilled.
    int stop(int signalNumber, int timeoutMs = 120000);
    // What the last program wrote on its error output, once it has ended.
    QString errors() const { return lastErrors; }
    // The text of every log file of the data folder, oldest first.
    QString logText() const;

private:
    QString homeFolder;
    QString programFolder;
    std::unique_ptr<QProcess> process;
    QString lastErrors;
    QString writeStopPrefix;
    qint64 writeStopBytes = -1;
};

#endif // PROGRAMRUNNER_H
