// The search client scrapes generated result pages of 2,000 and 8,000 rows, served by the
// test HTTP server on 127.0.0.1, and a hostile page of 2,000 rows that lack every end marker;
// then a results page is filled with 8,000 rows while a timer watches the window's event
// loop.
//
// Prints, last: search-0-rows-ms (a page without results: the request's own cost),
// scrape-2000-ms and scrape-8000-ms (median time of a search, from the request to its end; the
// work grows with the page, so 8,000 rows take about four times 2,000 beyond that cost),
// scrape-bare-2000-ms (the hostile page), fill-8000-ms (search and table fill of 8,000 rows on
// a results page) and fill-8000-longest-stall-ms (the longest time the window's event loop
// did not turn during it).
#include "GeneratedSearchPage.h"
#include "HttpTestServer.h"
#include "LoopWatcher.h"

#include "web/BinSearch.h"
#include "web/FrameSearchResults.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

using Response = HttpTestServer::Response;

// Each figure is the median of 15 runs, or of the runs that fit in 20 s (at least 3).
const int Runs = 15;
const int MinimumRuns = 3;
const qint64 RunTimeMs = 20000;

QByteArray bareRows(int rows)
{
    QByteArray html = "<html><body><table>";
    for (int i = 0; i < rows; ++i)
        html += "<tr><td><input type=\"checkbox\" name=\"" + QByteArray::number(i) + "\">" + QByteArray(100, 'b');
    return html + "</table></body></html>";
}

bool waitFor(QObject *sender, const char *signal)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, SLOT(quit()));
    QTimer::singleShot(600000, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

// Median milliseconds of a search of the page served at "/"; `expectedRows` < 0: any number.
double searchMs(HttpTestServer &server, const QByteArray &page, int expectedRows)
{
    server.clearRoutes();
    server.addRoute("GET", "/", Response::ok(page));
    QList<double> times;
    QElapsedTimer spent;
    spent.start();
    for (int run = 0; run < Runs && (run < MinimumRuns || spent.elapsed() < RunTimeMs); ++run) {
        BinSearch client;
        QElapsedTimer clock;
        clock.start();
        client.search(QStringLiteral("bench"), 11, 0, false, false, false, 0, 0, 1);
        const bool ended = waitFor(&client, SIGNAL(signalSearchFinished(bool)));
        const int rows = client.getResults().size();
        if (!ended || (expectedRows < 0 ? rows == 0 : rows != expectedRows)) {
            std::fprintf(stderr, "search of %d rows failed: %s (%d rows)\n", expectedRows, qPrintable(client.lastError()),
                         rows);
            return -1;
        }
        times.append(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);

    HttpTestServer server;
    if (!server.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.errorString()));
        return 1;
    }
    qputenv("TESSAQUILL_BINSEARCH_URL", server.url().toEncoded());

    const double empty = searchMs(server, generatedSearchPage(1, 0), 0);
    const double ms2000 = searchMs(server, generatedSearchPage(1, 2000), 2000);
    const double ms8000 = searchMs(server, generatedSearchPage(1, 8000), 8000);
    const double bare = searchMs(server, bareRows(2000), -1);

    server.clearRoutes();
    server.addRoute("GET", "/", Response::ok(generatedSearchPage(1, 8000)));
    auto page = std::make_unique<FrameSearchResults>();
    page->resize(900, 600);
    page->show();
    QElapsedTimer clock;
    clock.start();
    double longest = 0;
    {
        LoopWatcher watcher;
        page->search(QStringLiteral("bench"), 11, 0, false, false, false, 0, 0, 1);
        if (!waitFor(page.get(), SIGNAL(signalSearchFinished(bool,QString))))
            return 1;
        longest = watcher.longestMs();
    }
    const double fill = clock.nsecsElapsed() / 1e6;
    const int filled = page->findChild<QTableWidget *>(QStringLiteral("tableWidgetResults"))->rowCount();
    if (filled != 8000) {
        std::fprintf(stderr, "the page holds %d rows\n", filled);
        return 1;
    }

    std::printf("search-0-rows-ms: %.1f ms\n", empty);
    std::printf("scrape-2000-ms: %.1f ms\n", ms2000);
    std::printf("scrape-8000-ms: %.1f ms\n", ms8000);
    std::printf("scrape-bare-2000-ms: %.1f ms\n", bare);
    std::printf("fill-8000-ms: %.1f ms\n", fill);
    std::printf("fill-8000-longest-stall-ms: %.1f ms\n", longest);
    return empty < 0 || ms2000 < 0 || ms8000 < 0 || bare < 0 ? 1 : 0;
}
