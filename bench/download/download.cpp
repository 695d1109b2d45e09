// Download throughput through the manager: the 1, 4 and 8 connection threads of one started
// server fetch 1 GB of 750 KB yEnc articles from the test news server on 127.0.0.1, no limit,
// every body into its own segment temporary file (removed once reported, as the decoder would);
// then, in the same run, 8 raw connections fetch the same articles, so that the manager's own
// cost shows.
//
// Prints, last: download-1, download-4, download-8 (MB/s, 1 MB = 10^6 bytes), cpu-per-gb-8
// (CPU seconds of the connection threads, their speed samplers and the GUI thread per 10^9
// bytes with 8 connections), fetch-8 and cpu-per-gb-fetch-8 (the raw connections),
// download-8-vs-fetch-8 (throughput ratio) and cpu-8-vs-fetch-8 (CPU ratio).
#include "RawFetch.h"
#include "SegmentBodyWriter.h"

#include "NntpTestServer.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <unistd.h>

namespace {

const int ArticleData = 750000; // bytes of the posted file per article
const qint64 TotalBytes = 1000000000;
const int DistinctArticles = 16;

class BenchManager : public DownloadNzbManager
{
public:
    BenchManager() = default;
};

QString messageIdOf(int i)
{
    return QStringLiteral("bench.%1@yenc").arg(i % DistinctArticles);
}

// Registers the articles; returns the length of each body (all the same).
qint64 addYencArticles(NntpTestServer &server)
{
    qint64 bodyBytes = 0;
    for (int i = 0; i < DistinctArticles; ++i) {
        const QByteArray file = SegmentBodyWriter::randomBytes(ArticleData * 2, static_cast<quint32>(i + 1));
        SegmentBodyWriter::YencPart part;
        part.number = 1;
        part.total = 2;
        part.begin = 1;
        part.end = ArticleData;
        const QByteArray body = SegmentBodyWriter::yencMultiPart(QStringLiteral("bench.bin"), file, part);
        server.addArticle(messageIdOf(i), body);
        bodyBytes = qMax(bodyBytes, static_cast<qint64>(body.size()));
    }
    return bodyBytes;
}

// One file of `count` segments: it completes only at the very end of the run.
NzbFiles *benchNzb(int count, qint64 bodyBytes, const QString &cache)
{
    auto *nzb = new NzbFiles;
    nzb->strName = QStringLiteral("bench");
    auto *file = new NzbFile;
    file->setSubject(QStringLiteral("bench.bin"));
    for (int i = 0; i < count; ++i) {
        auto *segment = new NzbSegment;
        segment->setNumber(QString::number(i + 1));
        segment->setBytes(QString::number(bodyBytes));
        segment->setMessageId(messageIdOf(i));
        file->addSegment(segment);
    }
    nzb->addFile(file);
    nzb->updateSizes();
    nzb->setSegmentPaths(cache, 0);
    return nzb;
}

// CPU seconds used so far by the threads of the process whose name begins with one of the prefixes.
double cpuOfThreads(const QStringList &namePrefixes)
{
    const double tick = static_cast<double>(sysconf(_SC_CLK_TCK));
    double seconds = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task) + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const int open = line.indexOf('(');
        const int close = line.lastIndexOf(')');
        const QString name = QString::fromLocal8Bit(line.mid(open + 1, close - open - 1));
        bool counted = false;
        for (const QString &prefix : namePrefixes)
            counted = counted || name.startsWith(prefix);
        if (!counted)
            continue;
        const QList<QByteArray> fields = line.mid(close + 2).split(' ');
        // After the name: state is field 3 of stat(5), utime 14 and stime 15.
        seconds += (fields.value(11).toDouble() + fields.value(12).toDouble()) / tick;
    }
    return seconds;
}

struct Result {
    double seconds = 0;
    double cpuSeconds = 0;
    qint64 bytes = 0;
    QString error;
};

Result downloadThroughManager(const NntpTestServer &server, int connections, qint64 bodyBytes, const QString &folder)
{
    Result result;
    const int count = static_cast<int>((TotalBytes + bodyBytes - 1) / bodyBytes);
    const QString cache = folder + QStringLiteral("/Cache");
    QDir(cache).removeRecursively();
    BenchManager manager;
    manager.strCacheFolder = cache;
    QString error;
    manager.queueNzbFiles(benchNzb(count, bodyBytes, cache), error);

    int done = 0;
    QEventLoop loop;
    QObject::connect(&manager, &DownloadNzbManager::signalSegmentDownloadOK, &loop, [&](NzbSegment *segment) {
        QFile::remove(segment->getTempFilePath());
        if (++done == count)
            loop.quit();
    });
    QObject::connect(&manager, &DownloadNzbManager::signalSegmentDownloadException, &loop,
                     [&](NzbSegment *, QString message) {
                         result.error = message;
                         loop.quit();
                     });
    NntpServer record;
    record.iId = 1;
    record.strNickname = QStringLiteral("bench");
    record.strHost = QStringLiteral("127.0.0.1");
    record.iPort = server.port();
    record.iConnectionCount = connections;

    const double mainCpuStart = threadCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    manager.startServer(&record, false);
    loop.exec();
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.cpuSeconds = threadCpuSeconds() - mainCpuStart
                        + cpuOfThreads({QStringLiteral("ThreadNntp"), QStringLiteral("ThreadComputeSp")});
    result.bytes = static_cast<qint64>(done) * bodyBytes;
    return result;
}

QString figure(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    NntpTestServer server;
    if (!server.start()) {
        out << "cannot start the test server: " << server.errorString() << Qt::endl;
        return 1;
    }
    const qint64 bodyBytes = addYencArticles(server);
    QTemporaryDir folder;
    if (!folder.isValid()) {
        out << "cannot make a temporary folder" << Qt::endl;
        return 1;
    }

    QList<QPair<int, Result>> results;
    for (int connections : {1, 4, 8}) {
        const Result result = downloadThroughManager(server, connections, bodyBytes, folder.path());
        if (!result.error.isEmpty()) {
            out << "download with " << connections << " connections failed: " << result.error << Qt::endl;
            return 1;
        }
        out << connections << " connection thread(s): " << result.bytes << " bytes in " << result.seconds << " s, "
            << result.cpuSeconds << " s of CPU" << Qt::endl;
        results.append({connections, result});
    }
    const RawFetchResult raw = rawFetch(server.port(), 8, folder.path(), bodyBytes, TotalBytes, messageIdOf);
    if (!raw.error.isEmpty()) {
        out << "raw fetch failed: " << raw.error << Qt::endl;
        return 1;
    }
    out << "8 raw connections: " << raw.bytes << " bytes in " << raw.seconds << " s, " << raw.cpuSeconds << " s of CPU"
        << Qt::endl;

    for (const auto &entry : qAsConst(results))
        out << "download-" << entry.first << ": " << figure(entry.second.bytes / 1e6 / entry.second.seconds, 1) << " MB/s"
            << Qt::endl;
    const Result &eight = results.last().second;
    const double downloadRate = eight.bytes / 1e6 / eight.seconds;
    const double fetchRate = raw.bytes / 1e6 / raw.seconds;
    const double cpuPerGb = eight.cpuSeconds / (eight.bytes / 1e9);
    const double fetchCpuPerGb = raw.cpuSeconds / (raw.bytes / 1e9);
    out << "cpu-per-gb-8: " << figure(cpuPerGb, 2) << " s" << Qt::endl;
    out << "fetch-8: " << figure(fetchRate, 1) << " MB/s" << Qt::endl;
    out << "cpu-per-gb-fetch-8: " << figure(fetchCpuPerGb, 2) << " s" << Qt::endl;
    out << "download-8-vs-fetch-8: " << figure(downloadRate / fetchRate, 3) << " ratio" << Qt::endl;
    out << "cpu-8-vs-fetch-8: " << figure(cpuPerGb / fetchCpuPerGb, 3) << " ratio" << Qt::endl;
    return 0;
}
