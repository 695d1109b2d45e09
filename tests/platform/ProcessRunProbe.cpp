// Plays a program that runs an outside program the way the post-processing workers do: from a
// thread of its own, with UtilsProcess::runHidden, waiting for it. Arguments: the folder of the
// outside program, its file name, then its arguments. Prints "done <exit code>" when the run is
// over. The tests kill this probe to see what becomes of the program it runs.
#include "platform/UtilsProcess.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.size() < 2)
        return 2;
    ProcessRunOptions options;
    options.programFolder = arguments.takeFirst();
    const QString program = arguments.takeFirst();
    ProcessRun run;
    QThread *worker = QThread::create([&] { run = UtilsProcess::runHidden(program, arguments, options); });
    worker->start();
    worker->wait();
    delete worker;
    std::printf("done %u\n", run.exitCode);
    return run.started ? 0 : 1;
}
