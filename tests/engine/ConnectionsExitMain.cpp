// A program that exits the way the main window does while every connection of a server is in
// the middle of a body that the server has stopped sending (the socket time-out is two
// minutes): it starts the manager, starts the server's four connections, waits until each has
// a body under way, calls shutdown() and returns from main.
//
//   tq_connections_exit <work folder>
//
// Prints "bodies-under-way: <n>", "shutdown-ms: <n>" and "threads-left: <threads of the
// process after shutdown that were not there before the manager>" with their names.
#include "ConnectionTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <thread>

namespace {

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    std::thread([] {}).join();
    const int threadsBefore = threadNames().size();
    const QString work = QString::fromLocal8Bit(argv[1]);

    NntpTestServer server;
    if (!server.start()) {
        std::printf("error: %s\n", qPrintable(server.errorString()));
        return 3;
    }
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    prepareManager(*manager, work, 1.0);
    manager->iSocketTimeout = 120000;
    manager->start(QThread::InheritPriority);
    manager->setPriority(QThread::TimeCriticalPriority);

    QList<TestArticle> stalled;
    for (quint32 seed = 1; seed <= 8; ++seed)
        stalled.append(TestArticle{600000, seed, NntpTestArticle::Fault::Stall});
    if (!queueGeneratedNzb(*manager, work, QStringLiteral("stalled"), {stalled})) {
        std::printf("error: the NZB was not queued\n");
        return 3;
    }
    int bodies = 0;
    QObject::connect(manager, &DownloadNzbManager::signalBody, [&bodies](QString, quint32) { ++bodies; });
    const auto record = serverRecord(1, QStringLiteral("news"), server, 4);
    manager->startServer(record.get(), false);
    QElapsedTimer waited;
    waited.start();
    while (bodies < 4 && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::printf("bodies-under-way: %d\n", bodies);

    QElapsedTimer elapsed;
    elapsed.start();
    manager->shutdown();
    std::printf("shutdown-ms: %lld\n", static_cast<long long>(elapsed.elapsed()));
    server.stop();
    QElapsedTimer settle;
    settle.start();
    while (threadNames().size() != threadsBefore && settle.elapsed() < 10000)
        QThread::msleep(20);
    const QStringList threads = threadNames();
    std::printf("threads-left: %d (%s)\n", int(threads.size() - threadsBefore), qPrintable(threads.join(QLatin1Char(' '))));
    std::fflush(stdout);
    return 0;
}
