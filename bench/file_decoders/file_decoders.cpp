// The file decoder threads as the download manager runs them: posted files of 700 KB yEnc
// articles, all downloaded (segment files in the page cache), go to the decode queue at once;
// the figure is the time until every file is decoded into the download folder and its segment
// folder removed, with 1, 2, 3 and 4 decoder threads. The articles are written anew before each
// run (the decoders remove them), then each run is timed.
//
//   file_decoders <folder> [total MB] [runs] [articles per posted file (70)] [thread counts (1,2,3,4)]
//
// Prints last, per thread count n: decoders-<n>: MB/s of encoded input, busy-cpus-<n>: the CPU
// time of the process (user and system) over the wall time, cpu-s-per-gib-<n>: CPU seconds per
// GiB of encoded input, and speed-up-<n>: the ratio to one thread (medians of the runs,
// alternated). Busy CPUs below n mean the decoders wait; CPU per GiB above one thread's means
// each byte costs more when they run together. Where the decoder threads' time went, from the
// kernel's accounting of each thread (/proc/self/task/<id>/schedstat), as shares of n times the
// wall time: running-<n> (on a CPU), runnable-<n> (ready, but every CPU was taken by other
// work of the machine) and asleep-<n> (waiting: a lock, the disk, nothing left to decode).
#include "engine/DownloadNzbManager.h"
#include "engine/NzbToProcess.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include "SegmentBodyWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kPartSize = 700 * 1024;

class BenchManager : public DownloadNzbManager
{
public:
    explicit BenchManager(int decoders) { iFileDecodersToStart = decoders; }
};

struct Corpus
{
    std::vector<QByteArray> bodies; // one per part number, shared by every posted file
    qint64 encodedPerFile = 0;
};

int kPartsPerFile = 70; // set from the command line

// Parts of compressed archives look like random bytes to the encoder; a few distinct blocks
// serve every part (the headers differ), so that making the corpus stays cheap.
constexpr int kDistinctBlocks = 16;

Corpus makeCorpus()
{
    Corpus corpus;
    QRandomGenerator generator(2026);
    std::vector<QByteArray> lines;
    std::vector<QByteArray> crcs;
    QByteArray part(kPartSize, Qt::Uninitialized);
    for (int b = 0; b < kDistinctBlocks; ++b) {
        generator.fillRange(reinterpret_cast<quint32 *>(part.data()), kPartSize / 4);
        lines.push_back(SegmentBodyWriter::yencLines(part));
        crcs.push_back(SegmentBodyWriter::crcText(SegmentBodyWriter::crcOf(part)));
    }
    const qint64 fileSize = qint64(kPartsPerFile) * kPartSize;
    for (int number = 1; number <= kPartsPerFile; ++number) {
        const qint64 begin = qint64(number - 1) * kPartSize + 1;
        const size_t block = size_t(number % kDistinctBlocks);
        const QByteArray body = "=ybegin part=" + QByteArray::number(number) + " total=" + QByteArray::number(kPartsPerFile)
            + " line=128 size=" + QByteArray::number(fileSize) + " name=bench.bin\r\n=ypart begin="
            + QByteArray::number(begin) + " end=" + QByteArray::number(begin + kPartSize - 1) + "\r\n"
            + lines[block] + "=yend size=" + QByteArray::number(kPartSize) + " part=" + QByteArray::number(number)
            + " pcrc32=" + crcs[block] + "\r\n";
        corpus.bodies.push_back(SegmentBodyWriter::segmentFile(body));
        corpus.encodedPerFile += corpus.bodies.back().size();
    }
    return corpus;
}

// An NZB of `files` posted files, every article in its segment file.
NzbFiles *downloadedNzb(const Corpus &corpus, int files, const QString &root, int run)
{
    auto *nzb = new NzbFiles;
    nzb->strName = QStringLiteral("bench");
    for (int f = 0; f < files; ++f) {
        auto *file = new NzbFile;
        file->setSubject(QStringLiteral("\"file%1.bin\" yEnc (1/%2)").arg(f).arg(kPartsPerFile));
        for (int n = 1; n <= kPartsPerFile; ++n) {
            auto *segment = new NzbSegment;
            segment->setNumber(QString::number(n));
            segment->setBytes(QString::number(corpus.bodies[size_t(n - 1)].size()));
            segment->setMessageId(QStringLiteral("%1.%2.%3@bench").arg(run).arg(f).arg(n));
            file->addSegment(segment);
        }
        nzb->addFile(file);
    }
    nzb->updateSizes();
    nzb->strDownloadFolder = root + QStringLiteral("/Download/%1").arg(run);
    nzb->setSegmentPaths(root + QStringLiteral("/Cache"), run);
    for (NzbFile *file : nzb->getFiles()) {
        for (NzbSegment *segment : file->getSegments()) {
            QDir().mkpath(segment->strTempFolder);
            QFile out(segment->getTempFilePath());
            const QByteArray &bytes = corpus.bodies[size_t(segment->getNumber().toInt() - 1)];
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(segment->getTempFilePath()));
                std::exit(1);
            }
            segment->setDownloaded();
        }
    }
    return nzb;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct ThreadTimes
{
    double running = 0;
    double runnable = 0;
};

// The times of the decoder threads alive now, from their creation.
ThreadTimes decoderThreadTimes()
{
    ThreadTimes times;
    QDirIterator tasks(QStringLiteral("/proc/self/task"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (tasks.hasNext()) {
        const QString task = tasks.next();
        QFile comm(task + QStringLiteral("/comm"));
        QFile schedstat(task + QStringLiteral("/schedstat"));
        if (!comm.open(QIODevice::ReadOnly) || !comm.readAll().startsWith("ThreadFileDecod")
            || !schedstat.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> fields = schedstat.readAll().simplified().split(' ');
        if (fields.size() < 2)
            continue;
        times.running += fields.at(0).toDouble() / 1e9;
        times.runnable += fields.at(1).toDouble() / 1e9;
    }
    return times;
}

struct RunFigures
{
    double seconds = 0;
    double cpu = 0;
    ThreadTimes decoders;
};

RunFigures runOnce(const Corpus &corpus, int files, const QString &root, int decoders, int run)
{
    BenchManager manager(decoders);
    manager.bAutoUnrar = false;
    manager.bAutoUnsplit = false;
    NzbFiles *nzb = downloadedNzb(corpus, files, root, run);
    int decoded = 0;
    QObject::connect(&manager, &DownloadNzbManager::signalFileDecoded, [&decoded](NzbFile *) { ++decoded; });
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = cpuSeconds();
    QString error;
    manager.queueNzbFiles(nzb, error);
    while (decoded < files) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
    RunFigures figures;
    figures.seconds = double(timer.nsecsElapsed()) / 1e9;
    figures.cpu = cpuSeconds() - cpuBefore;
    figures.decoders = decoderThreadTimes();
    manager.stopFileDecoders();
    QDir(nzb->strDownloadFolder).removeRecursively();
    return figures;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [total MB] [runs]\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/file-decoders-%1").arg(QCoreApplication::applicationPid());
    const qint64 totalMb = argc > 2 ? std::atoll(argv[2]) : 1024;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    if (argc > 4)
        kPartsPerFile = std::max(1, std::atoi(argv[4]));
    const Corpus corpus = makeCorpus();
    const int files = std::max<int>(1, int(totalMb * 1024 * 1024 / (qint64(kPartsPerFile) * kPartSize)));
    const double encodedMb = double(corpus.encodedPerFile) * files / 1e6;

    std::vector<int> counts{1, 2, 3, 4};
    if (argc > 5) // thread counts, such as "1,3"
        counts.clear();
    for (const QByteArray &count : QByteArray(argc > 5 ? argv[5] : "").split(','))
        if (count.toInt() > 0)
            counts.push_back(count.toInt());
    std::map<int, std::vector<double>> seconds;
    std::map<int, std::vector<double>> cpu;
    std::map<int, std::vector<double>> running;
    std::map<int, std::vector<double>> runnable;
    int run = 0;
    for (int r = 0; r < runs; ++r) {
        for (int count : counts) {
            const RunFigures figures = runOnce(corpus, files, root, count, run++);
            seconds[count].push_back(figures.seconds);
            cpu[count].push_back(figures.cpu);
            running[count].push_back(figures.decoders.running / (count * figures.seconds));
            runnable[count].push_back(figures.decoders.runnable / (count * figures.seconds));
            std::fprintf(stderr, "run %d, %d decoders: %.0f MB/s, %.2f CPUs busy\n", r + 1, count,
                         encodedMb / figures.seconds, figures.cpu / figures.seconds);
        }
    }
    QDir(root).removeRecursively();
    const double one = seconds.count(1) ? median(seconds[1]) : 0;
    const double encodedGib = encodedMb * 1e6 / (1024.0 * 1024 * 1024);
    for (int count : counts) {
        std::printf("decoders-%d: %.0f MB/s\n", count, encodedMb / median(seconds[count]));
        std::printf("busy-cpus-%d: %.2f\n", count, median(cpu[count]) / median(seconds[count]));
        std::printf("cpu-s-per-gib-%d: %.2f s\n", count, median(cpu[count]) / encodedGib);
        const double run = median(running[count]);
        const double ready = median(runnable[count]);
        std::printf("running-%d: %.0f %%\n", count, 100 * run);
        std::printf("runnable-%d: %.0f %%\n", count, 100 * ready);
        std::printf("asleep-%d: %.0f %%\n", count, 100 * std::max(0.0, 1 - run - ready));
    }
    for (int count : counts)
        if (one > 0)
            std::printf("speed-up-%d: %.2f\n", count, one / median(seconds[count]));
    return 0;
}
