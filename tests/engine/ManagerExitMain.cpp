// A program that does what the main window does with the download manager around exit: it
// starts the manager's thread, optionally leaves work in flight (segments handed to connections,
// a par2 and an unrar run of stand-in programs that never end by themselves), calls shutdown()
// and returns from main, so that the manager is destroyed with the other statics.
//
//   tq_manager_exit idle|busy <work folder>
//
// Prints "shutdown-ms: <n>", "threads-left: <threads of the process after shutdown that were not
// there before the manager>" with their names, and, when busy, "stand-ins-gone: yes|no". The
// test checks those and the exit code.
#include "StandInProgram.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTextCodec>
#include <QThread>

#include <cstdio>
#include <functional>
#include <thread>

namespace {

// The names of the process's threads.
QStringList threadNames()
{
    QStringList names;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task) + QStringLiteral("/comm"));
        comm.open(QIODevice::ReadOnly);
        names << QString::fromLocal8Bit(comm.readAll()).trimmed();
    }
    return names;
}

bool waitFor(const std::function<bool()> &condition)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > 10000)
            return false;
        QThread::msleep(20);
    }
    return true;
}

NzbFiles *smallNzb(const QString &cache)
{
    auto *nzb = new NzbFiles;
    auto *file = new NzbFile;
    file->setSubject(QStringLiteral("in flight.bin"));
    for (int n = 1; n <= 4; ++n) {
        auto *segment = new NzbSegment;
        segment->setNumber(QString::number(n));
        segment->setBytes(QStringLiteral("1000"));
        segment->setMessageId(QStringLiteral("flight.%1@test").arg(n));
        file->addSegment(segment);
    }
    nzb->addFile(file);
    nzb->setSegmentPaths(cache, 0);
    return nzb;
}

// par2 and unrar stand-ins that record their pid and wait for a minute.
bool startPostProcessingWork(DownloadNzbManager *manager, const QString &work, QStringList &pidFiles)
{
    const QString bin = work + QStringLiteral("/bin");
    const QString source = work + QStringLiteral("/source");
    QDir().mkpath(bin);
    QDir().mkpath(source);
    QFile archive(source + QStringLiteral("/a.rar"));
    if (!archive.open(QIODevice::WriteOnly) || archive.write("Rar!\x1a\x07\x00", 7) != 7)
        return false;
    archive.close();
    pidFiles = QStringList{work + QStringLiteral("/par2.pid"), work + QStringLiteral("/unrar.pid")};
    for (const QString &name : {QStringLiteral("par2"), QStringLiteral("unrar")}) {
        const QString pidFile = work + QLatin1Char('/') + name + QStringLiteral(".pid");
        if (StandInProgram::write(bin, name, "echo $$ > '" + pidFile.toUtf8() + "'\nsleep 60\n").isEmpty())
            return false;
    }
    manager->threadParity.setProgramFolder(bin);
    manager->threadUnrar.setProgramFolder(bin);

    ParityJob parity;
    parity.par2File = source + QStringLiteral("/a.par2");
    parity.folder = source;
    parity.result = QStringLiteral("0");
    UnrarJob unrar;
    unrar.sourceFolder = source;
    unrar.extractionFolder = work + QStringLiteral("/out");
    // A job added before a worker's run() has begun is dropped: add again until each runs.
    return waitFor([&] {
        if (!QFile::exists(pidFiles.at(0)))
            manager->threadParity.addJob(parity);
        if (!QFile::exists(pidFiles.at(1)))
            manager->threadUnrar.addJob(unrar);
        QThread::msleep(200);
        return QFile::exists(pidFiles.at(0)) && QFile::exists(pidFiles.at(1));
    });
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    // Qt fills its codec cache on first use under a lock of its own; done here, before any worker
    // runs a program (which decodes its output), a sanitizer build does not take it for a race.
    QTextCodec::codecForName("UTF-8");
    // Whatever runs before the manager exists is not its own: a sanitizer starts a thread of its
    // own when the first thread is created, so one is created and joined first.
    std::thread([] {}).join();
    const int threadsBefore = threadNames().size();
    const bool busy = qstrcmp(argv[1], "busy") == 0;
    const QString work = QString::fromLocal8Bit(argv[2]);

    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->strCacheFolder = work + QStringLiteral("/Cache");
    manager->strDownloadFolder = work + QStringLiteral("/Download");
    manager->strDestinationFolder = work + QStringLiteral("/Destination");
    manager->start(QThread::InheritPriority);
    manager->setPriority(QThread::TimeCriticalPriority);

    QStringList pidFiles;
    if (busy) {
        QString error;
        manager->queueNzbFiles(smallNzb(manager->strCacheFolder), error);
        manager->addServerQueue(1);
        for (int i = 0; i < 3; ++i)
            manager->getNextSegment(1);
        if (!startPostProcessingWork(manager, work, pidFiles)) {
            std::printf("error: the stand-in programs did not start\n");
            return 3;
        }
    } else if (!waitFor([&] { return manager->threadUnrar.isTakingJobs() && manager->threadUnsplit.isTakingJobs(); })) {
        std::printf("error: the workers did not start\n");
        return 3;
    }

    QElapsedTimer elapsed;
    elapsed.start();
    manager->shutdown();
    std::printf("shutdown-ms: %lld\n", static_cast<long long>(elapsed.elapsed()));
    // A thread whose wait() has returned may still be leaving the kernel for a moment.
    waitFor([&] { return threadNames().size() == threadsBefore; });
    const QStringList threads = threadNames();
    std::printf("threads-left: %d (%s)\n", int(threads.size() - threadsBefore), qPrintable(threads.join(QLatin1Char(' '))));
    if (busy) {
        bool gone = true;
        for (const QString &pidFile : qAsConst(pidFiles))
            gone = gone && StandInProgram::isGone(StandInProgram::readPid(pidFile));
        std::printf("stand-ins-gone: %s\n", gone ? "yes" : "no");
    }
    std::fflush(stdout);
    return 0;
}
