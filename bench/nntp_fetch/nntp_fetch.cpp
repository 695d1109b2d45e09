// Fetch throughput of NntpConnection: 1, 4 and 8 connections each take 750 KB articles
// from the test news server on 127.0.0.1 until 1 GB has arrived, with no speed limit,
// every body going through its segment temporary file as in a real download.
//
// Prints, last: fetch-1, fetch-4, fetch-8 (MB/s, 1 MB = 10^6 bytes) and cpu-per-gb-8
// (CPU seconds of the fetching threads per 10^9 bytes with 8 connections).
#include "RawFetch.h"

#include "NntpTestServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const qint64 ArticleSize = 750000;
const qint64 TotalBytes = 1000000000;
const int DistinctArticles = 16;

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

    const auto idOf = [](int i) { return NntpTestArticle::generatedId(ArticleSize, static_cast<quint32>(i % DistinctArticles)); };
    QList<QPair<int, RawFetchResult>> results;
    for (int connections : {1, 4, 8}) {
        const RawFetchResult result = rawFetch(server.port(), connections, folder.path(), ArticleSize, TotalBytes, idOf);
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
    const RawFetchResult &eight = results.last().second;
    out << "cpu-per-gb-8: " << QString::number(eight.cpuSeconds / (eight.bytes / 1e9), 'f', 2) << " s" << Qt::endl;
    return 0;
}
