// The download manager's scheduling, without network:
//  - 8 connection threads (4 of each of two servers) take 1,000,000 segments from 10 NZBs of
//    100,000 segments each and report each one downloaded through a queued signal, as the
//    connection threads do; the results are handled in the main thread. Prints the rate.
//  - With 10 NZBs of 10,000 and then of 100,000 segments queued: the time of a reorder (the
//    last NZB moved first), a pause (every file of one NZB paused, then the queue rebuilt), an
//    exclusion of one file, and the removal of one NZB. Each queue operation is one pass over the
//    queue, so the second figures should be about ten times the first, not a hundred.
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kNzbs = 10;
constexpr int kSegmentsPerFile = 100;
constexpr int kThreads = 8;

class BenchManager : public DownloadNzbManager
{
public:
    BenchManager() = default;
};

QTreeWidgetItem *row(int n)
{
    static char rows[4096];
    return reinterpret_cast<QTreeWidgetItem *>(&rows[n]);
}

NzbFiles *makeNzb(int index, int segments)
{
    auto *nzb = new NzbFiles;
    nzb->strName = QStringLiteral("nzb%1").arg(index);
    for (int f = 0; f < segments / kSegmentsPerFile; ++f) {
        auto *file = new NzbFile;
        file->setSubject(QStringLiteral("nzb%1 file%2.rar").arg(index).arg(f));
        for (int s = 1; s <= kSegmentsPerFile; ++s) {
            auto *segment = new NzbSegment;
            segment->setNumber(QString::number(s));
            segment->setBytes(QStringLiteral("739674"));
            segment->setMessageId(QStringLiteral("part%1of%2.%3.%4@bench.test").arg(s).arg(kSegmentsPerFile).arg(f).arg(index));
            file->addSegment(segment);
        }
        nzb->addFile(file);
    }
    nzb->updateSizes();
    nzb->setSegmentPaths(QStringLiteral("/nonexistent-cache"), index);
    nzb->pTreeItem = row(index);
    return nzb;
}

void queueNzbs(DownloadNzbManager &manager, int segmentsEach)
{
    for (int i = 0; i < kNzbs; ++i) {
        QString error;
        manager.queueNzbFiles(makeNzb(i, segmentsEach), error);
    }
}

// A connection thread that downloads instantly.
class Connection : public QThread
{
    Q_OBJECT

public:
    Connection(DownloadNzbManager *manager, quint32 serverId, std::atomic<bool> *stop)
        : manager(manager), serverId(serverId), stop(stop)
    {
        connect(this, &Connection::signalDownloadOK, manager, &DownloadNzbManager::processDownload_OK);
    }

signals:
    void signalDownloadOK(NzbSegment *segment, quint32 serverId);

protected:
    void run() override
    {
        while (!stop->load()) {
            if (NzbSegment *segment = manager->getNextSegment(serverId))
                emit signalDownloadOK(segment, serverId);
        }
    }

private:
    DownloadNzbManager *manager;
    quint32 serverId;
    std::atomic<bool> *stop;
};

double segmentsPerSecond()
{
    BenchManager manager;
    queueNzbs(manager, 100000);
    manager.addServerQueue(1);
    manager.addServerQueue(2);
    const int total = kNzbs * 100000;
    int credited = 0;
    QEventLoop loop;
    QObject::connect(&manager, &DownloadNzbManager::signalSegmentDownloadOK, &loop, [&] {
        if (++credited == total)
            loop.quit();
    });
    std::atomic<bool> stop{false};
    std::vector<std::unique_ptr<Connection>> connections;
    for (int i = 0; i < kThreads; ++i)
        connections.emplace_back(new Connection(&manager, 1 + i % 2, &stop));
    QElapsedTimer elapsed;
    elapsed.start();
    for (auto &connection : connections)
        connection->start();
    loop.exec();
    const double seconds = elapsed.nsecsElapsed() / 1e9;
    stop = true;
    for (auto &connection : connections)
        connection->wait();
    std::printf("%d segments taken and credited in %.2f s\n", credited, seconds);
    return total / seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

template <typename Operation>
double milliseconds(Operation operation)
{
    QElapsedTimer elapsed;
    elapsed.start();
    operation();
    return elapsed.nsecsElapsed() / 1e6;
}

struct OperationTimes {
    double reorder, pause, exclude, remove;
};

OperationTimes queueOperations(int segmentsEach)
{
    BenchManager manager;
    queueNzbs(manager, segmentsEach);
    std::vector<double> reorder, pause, exclude, remove;
    for (int round = 0; round < 5; ++round) {
        QList<QTreeWidgetItem *> rows;
        for (const NzbFiles *nzb : qAsConst(manager.listNzbFiles))
            rows << nzb->pTreeItem;
        rows.prepend(rows.takeLast());
        reorder.push_back(milliseconds([&] { manager.reorderNzbList(rows); }));

        const QList<NzbFile *> files = manager.listNzbFiles.at(round)->getFiles();
        for (NzbFile *file : files)
            file->bPaused = true;
        pause.push_back(milliseconds([&] { manager.pauseUnpauseFiles(); }));
        for (NzbFile *file : files)
            file->bPaused = false;
        manager.pauseUnpauseFiles();
    }
    for (int round = 0; round < 5; ++round) {
        NzbFile *file = manager.listNzbFiles.at(round)->getFileAt(0);
        file->pTreeItem = row(1000 + round);
        exclude.push_back(milliseconds([&] { manager.deleteFilesList({row(1000 + round)}); }));
        NzbFiles *nzb = manager.listNzbFiles.last();
        remove.push_back(milliseconds([&] { manager.deleteNzbList({nzb->pTreeItem}); }));
    }
    return {median(reorder), median(pause), median(exclude), median(remove)};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const OperationTimes small = queueOperations(10000);
    const OperationTimes large = queueOperations(100000);
    const double rate = segmentsPerSecond();
    std::printf("segments-per-second: %.0f\n", rate);
    std::printf("reorder-10000: %.2f ms\n", small.reorder);
    std::printf("reorder-100000: %.2f ms\n", large.reorder);
    std::printf("pause-10000: %.2f ms\n", small.pause);
    std::printf("pause-100000: %.2f ms\n", large.pause);
    std::printf("exclude-10000: %.2f ms\n", small.exclude);
    std::printf("exclude-100000: %.2f ms\n", large.exclude);
    std::printf("delete-10000: %.2f ms\n", small.remove);
    std::printf("delete-100000: %.2f ms\n", large.remove);
    return 0;
}

#include "scheduler.moc"
