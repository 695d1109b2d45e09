// Fetch throughput of NntpConnection: 1, 4 and 8 connections each take 750 KB articles
// from the test news server on 127.0.0.1 until 1 GB has arrived, with no speed limit,
// every body going through its segment temporary file as in a real download.
//
// Prints, last: fetch-1, fetch-4, fetch-8 (MB/s, 1 MB = 10^6 bytes) and cpu-per-gb-8
// (CPU seconds of the fetching threads per 10^9 bytes with 8 connections).
#include "engine/NntpConnection.h"

#include "NntpTestServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <atomic>
#include <ctime>

namespace {

const qint64 ArticleSize = 750000;
const qint64 TotalBytes = 1000000000;
const int DistinctArticles = 16;

double threadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Result {
    double seconds = 0;
    double cpuSeconds = 0;
    qint64 bytes = 0;
    QString error;
};

Result fetch(const NntpTestServer &server, int connections, const QString &folder)
{
    const int articles = static_cast<int>((TotalBytes + ArticleSize - 1) / ArticleSize);
    std::atomic<int> nextArticle{0};
    std::atomic<qint64> bytes{0};
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    QList<double> cpu;
    QStringList errors;
    QMutex resultMutex;

    QList<QThread *> threads;
    for (int c = 0; c < connections; ++c) {
        threads.append(QThread::create([&, c]() {
            NntpConnection connection;
            connection.setHost(QStringLiteral("127.0.0.1"));
            connection.setPort(server.port());
            const bool opened = connection.connectToServer();
            ++ready;
            while (!go.load())
                QThread::usleep(100);
            const double cpuStart = threadCpuSeconds();
            const QString path = QStringLiteral("%1/%2.tmp").arg(folder).arg(c);
            QString error = opened ? QString() : connection.lastError();
            for (int i = nextArticle++; opened && i < articles; i = nextArticle++) {
                const QString id = NntpTestArticle::generatedId(ArticleSize, static_cast<quint32>(i % DistinctArticles));
                if (!connection.downloadBody(id, path, ArticleSize)) {
                    error = connection.lastError();
                    break;
                }
                bytes += ArticleSize;
            }
            const double used = threadCpuSeconds() - cpuStart;
            QMutexLocker locker(&resultMutex);
            cpu.append(used);
            if (!error.isEmpty())
                errors.append(error);
        }));
        threads.last()->start();
    }
    while (ready.load() < connections)
        QThread::usleep(100);

    QElapsedTimer clock;
    clock.start();
    go.store(true);
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    Result result;
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.bytes = bytes.load();
    for (double used : qAsConst(cpu))
        result.cpuSeconds += used;
    result.error = errors.join(QStringLiteral("; "));
    return result;
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
    QTemporaryDir folder;
    if (!folder.isValid()) {
        out << "cannot make a temporary folder" << Qt::endl;
        return 1;
    }

    QList<QPair<int, Result>> results;
    for (int connections : {1, 4, 8}) {
        const Result result = fetch(server, connections, folder.path());
        if (!result.error.isEmpty()) {
            out << "fetch with " << connections << " connections failed: " << result.error << Qt::endl;
            return 1;
        }
        out << connections << " connection(s): " << result.bytes << " bytes in " << result.seconds << " s, "
            << result.cpuSeconds << " s of CPU" << Qt::endl;
        results.append({connections, result});
    }
    for (const auto &entry : qAsConst(results))
        out << "fetch-" << entry.first << ": " << QString::number(entry.second.bytes / 1e6 / entry.second.seconds, 'f', 1)
            << " MB/s" << Qt::endl;
    const Result &eight = results.last().second;
    out << "cpu-per-gb-8: " << QString::number(eight.cpuSeconds / (eight.bytes / 1e9), 'f', 2) << " s" << Qt::endl;
    return 0;
}
