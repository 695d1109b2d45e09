// Downloads one NZB the way the program does, without its window: the manager with its three
// decoders and post-processing workers, one server with N connections, then ThreadClean into
// the destination once the NZB is finished (the main window's part).
//
//   peer_engine <nzb> <port> <connections> [<folder>]
//
// The Cache, Download and Destination folders are the program's defaults (in the data folder
// of the home folder), or "Cache", "Download" and "Destination" in <folder>. Prints last:
// articles-in-s (seconds until the last article was in), decoded-s (until every file was
// decoded), par2-started-s (until par2's first output), par2-s (until par2 ended), finished-s
// (until the post-processing had ended), verified-s (until the files were verified and in the
// destination), status (succeeded or failed) and destination.
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "postprocess/ThreadClean.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QTimer>

#include <cstdio>

namespace {

class BenchManager : public DownloadNzbManager
{
public:
    BenchManager() = default;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <nzb> <port> <connections> [<folder>]\n", argv[0]);
        return 2;
    }
    const QString nzbPath = QString::fromLocal8Bit(argv[1]);
    const QString folder = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();

    BenchManager manager;
    manager.strCacheFolder = folder.isEmpty() ? AppConfiguration::defaultCacheFolder() : folder + "/Cache";
    manager.strDownloadFolder = folder.isEmpty() ? AppConfiguration::defaultDownloadFolder() : folder + "/Download";
    manager.strDestinationFolder = folder.isEmpty() ? AppConfiguration::defaultDestinationFolder() : folder + "/Destination";

    QElapsedTimer clock;
    double articlesIn = 0;
    double decoded = 0;
    double par2Started = 0;
    double par2Ended = 0;
    double finished = 0;
    double verified = 0;
    const auto now = [&clock] { return double(clock.nsecsElapsed()) / 1e9; };
    const auto articleIn = [&](NzbSegment *) { articlesIn = now(); };
    QObject::connect(&manager, &DownloadNzbManager::signalSegmentDownloadOK, articleIn);
    QObject::connect(&manager, &DownloadNzbManager::signalSegmentIsMissing, articleIn);
    // The first report of a decoded file that finds every file of the NZB decoded: the moment the
    // manager queues its post-processing (a decoder reports its file after it has removed the
    // file's articles, so the last report may come after par2 has started).
    QObject::connect(&manager, &DownloadNzbManager::signalFileDecoded, [&](NzbFile *file) {
        NzbFiles *nzb = file->getNzbFiles();
        QMutexLocker locker(&nzb->mutex);
        if (decoded == 0 && nzb->bAllFilesDecoded)
            decoded = now();
    });
    QObject::connect(&manager, &DownloadNzbManager::signalPar2Progress, [&](const QString &, NzbFiles *) {
        if (par2Started == 0)
            par2Started = now();
    });
    QObject::connect(&manager, &DownloadNzbManager::signalPar2Finished, [&](const QString &text, const QString &, NzbFiles *) {
        par2Ended = now();
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QObject::connect(&manager, &DownloadNzbManager::signalUnrarError, [](const QString &text, NzbFiles *) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    });

    ThreadClean clean;
    QObject::connect(&manager, &DownloadNzbManager::signalNzbFinished, [&](NzbFiles *nzb) {
        finished = now();
        clean.pNzbFiles = nzb;
        clean.start();
    });
    QObject::connect(&clean, &ThreadClean::signalCleanDone, [&](NzbFiles *) {
        verified = now();
        app.quit();
    });

    manager.start();
    clock.start();
    QString error;
    NzbFiles *nzb = manager.loadNzbFile(nzbPath, error, QString(), QString());
    if (!nzb) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    manager.queueNzbFiles(nzb, error);
    NntpServer server;
    server.iId = 1;
    server.strNickname = QStringLiteral("peer");
    server.strHost = QStringLiteral("127.0.0.1");
    server.iPort = QString::fromLocal8Bit(argv[2]).toInt();
    server.iConnectionCount = QString::fromLocal8Bit(argv[3]).toInt();
    manager.startServer(&server, false);
    app.exec();
    clean.wait();

    std::printf("articles-in-s: %.3f s\n", articlesIn);
    std::printf("decoded-s: %.3f s\n", decoded);
    std::printf("par2-started-s: %.3f s\n", par2Started);
    std::printf("par2-s: %.3f s\n", par2Ended);
    std::printf("finished-s: %.3f s\n", finished);
    std::printf("verified-s: %.3f s\n", verified);
    std::printf("status: %s\n", nzb->bPostProcessingSucceeded && !clean.hasFilesLeftBehind() ? "succeeded" : "failed");
    std::printf("destination: %s\n", qPrintable(nzb->getDestination()));
    std::fflush(stdout);
    manager.shutdown();
    return 0;
}
