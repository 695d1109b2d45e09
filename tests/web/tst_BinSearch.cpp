#include "config/AppConfiguration.h"
#include "web/BinSearch.h"
#include "web/SearchResult.h"

#include "GeneratedSearchPage.h"
#include "HttpTestServer.h"
#include "ProcessMemory.h"
#include "SearchPages.h"
#include "TempHome.h"

#include <QFile>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Response = HttpTestServer::Response;

struct SearchArgs {
    QString query = QStringLiteral("holiday");
    int ageIndex = 11;
    int resultsIndex = 0;
    bool otherGroups = false;
    bool collectionsOnly = false;
    bool withNfo = false;
    uint minSize = 0;
    uint maxSize = 0;
    uint page = 1;
};

// Runs one search and waits for its end; the signal must come exactly once.
bool runSearch(BinSearch &client, const SearchArgs &args, bool &error)
{
    QSignalSpy finished(&client, &BinSearch::signalSearchFinished);
    client.search(args.query, args.ageIndex, args.resultsIndex, args.otherGroups, args.collectionsOnly,
                  args.withNfo, args.minSize, args.maxSize, args.page);
    if (!finished.wait(20000) || finished.size() != 1)
        return false;
    QTest::qWait(0);
    if (finished.size() != 1)
        return false;
    error = finished.first().first().toBool();
    return true;
}

QString describe(const SearchResult *result)
{
    return QStringList{result->id, result->subject, result->info, result->poster, result->groups, result->age}
        .join(QStringLiteral(" | "));
}

const qint64 MiB = qint64(1) << 20;

QString tooLargeError(qint64 bound)
{
    return QStringLiteral("The answer of the server is larger than %1 MiB: it was stopped.").arg(bound / MiB);
}

// One result row around the given parts.
QByteArray row(const QByteArray &id, const QByteArray &subject, const QByteArray &info, const QByteArray &poster,
               const QByteArray &groupsCell, const QByteArray &age)
{
    return "<tr><td><input type=\"checkbox\" name=\"" + id + "\">\n<td><span class=\"s\">" + subject + "</span>"
           + info + "<td><a href=\"?q=p\">" + poster + "</a><td>" + groupsCell + "<td>" + age;
}

QByteArray table(const QByteArray &rows)
{
    return "<html><body><table>" + rows + "</table></body></html>";
}

} // namespace

class tst_BinSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void tables();
    void searchRequests_data();
    void searchRequests();
    void buildPostData_data();
    void buildPostData();
    void scrapesResultPages_data();
    void scrapesResultPages();
    void largePageIsScrapedWhole();
    void fieldsAreBounded_data();
    void fieldsAreBounded();
    void oversizedAnswersEndInAnError_data();
    void oversizedAnswersEndInAnError();
    void nextPageFlag_data();
    void nextPageFlag();
    void searchFailures_data();
    void searchFailures();
    void redirectedSearchIsFollowed();
    void searchAndFetchThroughTheProxy();
    void newSearchDropsThePreviousResults();
    void entities_data();
    void entities();
    void nzbFetchRequest();
    void nzbFetchWritesTheFile_data();
    void nzbFetchWritesTheFile();
    void nzbFetchFailures_data();
    void nzbFetchFailures();
    void safeNzbFileNames_data();
    void safeNzbFileNames();

private:
    std::unique_ptr<TempHome> home;
    std::unique_ptr<HttpTestServer> server;
};

void tst_BinSearch::initTestCase()
{
    home = std::make_unique<TempHome>();
    QVERIFY(home->isValid());
}

void tst_BinSearch::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    qputenv("TESSAQUILL_BINSEARCH_URL", server->url().toEncoded());
    AppConfiguration::getInstance()->socketTimeout = 30;
}

void tst_BinSearch::tables()
{
    BinSearch client;
    QCOMPARE(client.getResultsPerPageValues(), (QList<int>{25, 50, 100, 250}));
    QCOMPARE(client.getMaxAgeValues(), (QList<int>{1, 7, 14, 21, 50, 70, 99, 120, 365, 600, 1100, 0}));
    QVERIFY(client.getResults().isEmpty());
    QVERIFY(!client.hasMoreResults());
    QVERIFY(client.lastError().isEmpty());
    QVERIFY(!client.isBusy());
}

void tst_BinSearch::searchRequests_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("ageIndex");
    QTest::addColumn<int>("resultsIndex");
    QTest::addColumn<bool>("otherGroups");
    QTest::addColumn<bool>("collectionsOnly");
    QTest::addColumn<bool>("withNfo");
    QTest::addColumn<uint>("minSize");
    QTest::addColumn<uint>("maxSize");
    QTest::addColumn<uint>("page");
    QTest::addColumn<QByteArray>("target");

    QTest::newRow("simple, blanks around and inside") << "  two  words " << 0 << 0 << false << false << false << 0U
                                                      << 0U << 1U << QByteArray("/?q=two++words&max=25&adv_age=1&server=");
    QTest::newRow("simple, page 3") << "  two  words " << 0 << 0 << false << false << false << 0U << 0U << 3U
                                    << QByteArray("/?q=two++words&max=25&adv_age=1&server=&min=50");
    QTest::newRow("every age, other groups") << "x" << 11 << 1 << true << false << false << 0U << 0U << 1U
                                             << QByteArray("/?q=x&max=50&adv_age=&server=2");
    QTest::newRow("250 a page, page 2") << "x" << 4 << 3 << false << false << false << 0U << 0U << 2U
                                        << QByteArray("/?q=x&max=250&adv_age=50&server=&min=250");
    QTest::newRow("advanced: minimum size only")
        << "x" << 0 << 0 << true << false << false << 700U << 0U << 1U
        << QByteArray("/?q=x&max=25&adv_g=&adv_age=1&adv_sort=date&minsize=700&maxsize=&font=");
    QTest::newRow("advanced: both flags, page 2")
        << "a b" << 11 << 0 << false << true << true << 0U << 0U << 2U
        << QByteArray("/?q=a+b&max=25&adv_g=&adv_age=&adv_sort=date&adv_col=on&adv_nfo=on&minsize=&maxsize=&font=&min=25");
    QTest::newRow("advanced: maximum size, nfo") << "x" << 2 << 2 << false << false << true << 0U << 4096U << 1U
                                                 << QByteArray("/?q=x&max=100&adv_g=&adv_age=14&adv_sort=date&adv_nfo=on&minsize=&maxsize=4096&font=");
    QTest::newRow("delimiters and other characters are encoded")
        << "a=b&c+d \xc3\xa9#%" << 11 << 0 << false << false << false << 0U << 0U << 1U
        << QByteArray("/?q=a%3Db%26c+d+%C3%A9%23%25&max=25&adv_age=&server=");
    QTest::newRow("indexes outside the tables take the defaults")
        << "x" << -1 << 9 << false << false << false << 0U << 0U << 1U << QByteArray("/?q=x&max=25&adv_age=&server=");
}

void tst_BinSearch::searchRequests()
{
    QFETCH(QString, query);
    QFETCH(int, ageIndex);
    QFETCH(int, resultsIndex);
    QFETCH(bool, otherGroups);
    QFETCH(bool, collectionsOnly);
    QFETCH(bool, withNfo);
    QFETCH(uint, minSize);
    QFETCH(uint, maxSize);
    QFETCH(uint, page);
    QFETCH(QByteArray, target);

    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("no-results.html"))));
    BinSearch client;
    SearchArgs args{query, ageIndex, resultsIndex, otherGroups, collectionsOnly, withNfo, minSize, maxSize, page};
    bool error = true;
    QVERIFY(runSearch(client, args, error));
    QVERIFY(!error);

    const QList<HttpTestServer::Request> requests = server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().method, QByteArray("GET"));
    QCOMPARE(requests.first().target, target);
    QVERIFY(requests.first().body.isEmpty());
}

void tst_BinSearch::buildPostData_data()
{
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("data");
    QTest::newRow("two") << QStringList{QStringLiteral("a"), QStringLiteral("b")} << "a=on&b=on";
    QTest::newRow("numbers") << QStringList{QStringLiteral("123"), QStringLiteral("456")} << "123=on&456=on";
    QTest::newRow("one") << QStringList{QStringLiteral("a")} << "a=on";
    QTest::newRow("none") << QStringList() << "";
}

void tst_BinSearch::buildPostData()
{
    QFETCH(QStringList, ids);
    QFETCH(QString, data);
    QCOMPARE(BinSearch::buildPostData(ids), data);
}

void tst_BinSearch::scrapesResultPages_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("errorText");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("rows, info present and absent, groups, notice dropped")
        << searchPage(QStringLiteral("page1.html")) << false << QString()
        << QStringList{
               QStringLiteral("1001 | Holiday Film (2009) [01/12] - \"holiday.film.part01.rar\" yEnc | size: 1.37 GB, "
                              "parts available: 12 / 12 | film&fan@example.invalid | alt.binaries.movies - "
                              "alt.binaries.hdtv - a.b.misc | 2d"),
               QStringLiteral("1002 | Caf\u00e9 & more - 100% a+b | ? | J\u00fcrgen <j@example.invalid> | "
                              "alt.binaries.sounds | 3h"),
               QStringLiteral("1003 | Broken Upload [1/5] | size: 900 KB, <font color='red'>parts available: 3 / 5"
                              "</font> | uploader | alt.binaries.test | 5m"),
               QStringLiteral("1005 | Sample.Files.nfo | ? | sampler | alt.binaries.test | 7d")};
    QTest::newRow("no check box: no result") << searchPage(QStringLiteral("no-results.html")) << false << QString()
                                             << QStringList();
    QTest::newRow("no table end") << searchPage(QStringLiteral("no-table-end.html")) << true
                                  << "Tag format exception in the answer" << QStringList();
    QTest::newRow("row without id keeps the rows before it")
        << searchPage(QStringLiteral("broken-row.html")) << true << "Tag format exception in the answer"
        << QStringList{QStringLiteral("5001 | Good Row | ? | poster | a.b.test | 1d")};
    // Missing markers cut the fields by the rule (the rest of the text, or a few characters
    // dropped) and reading still ends.
    QTest::newRow("subject without its end tag")
        << searchPage(QStringLiteral("missing-span-end.html")) << false << QString()
        << QStringList{QStringLiteral("6001 | Unclosed Subject<td><a href=\"?q=p\">poster</a><td><a href=\"?g=a.b.test\">"
                                      "a.b.test</a><td>1d | ? | d |  | ")};
    QTest::newRow("leading NUL: an empty page") << QByteArray(1, '\0') + searchPage(QStringLiteral("page1.html")) << true
                                                << "The server returned an empty page." << QStringList();
    QTest::newRow("empty body") << QByteArray() << true << "The server returned an empty page." << QStringList();
    QByteArray cutAtNul = searchPage(QStringLiteral("page1.html"));
    cutAtNul.insert(cutAtNul.indexOf("<tr><td><input type=\"checkbox\" name=\"1002\""), '\0');
    QTest::newRow("NUL inside: the page ends there")
        << cutAtNul << true << "Tag format exception in the answer" << QStringList();
}

void tst_BinSearch::scrapesResultPages()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, error);
    QFETCH(QString, errorText);
    QFETCH(QStringList, rows);

    server->addRoute("GET", "/", Response::ok(page));
    BinSearch client;
    bool failed = !error;
    QVERIFY(runSearch(client, SearchArgs(), failed));
    QCOMPARE(failed, error);
    QCOMPARE(client.lastError(), errorText);
    QStringList got;
    for (const SearchResult *result : client.getResults())
        got.append(describe(result));
    QCOMPARE(got, rows);
}

// Thousands of rows, each cut whole: the page is read in one pass, not row by row from the
// start of what is left.
void tst_BinSearch::largePageIsScrapedWhole()
{
    server->addRoute("GET", "/", Response::ok(generatedSearchPage(100000, 8000)));
    BinSearch client;
    bool error = true;
    QVERIFY(runSearch(client, SearchArgs(), error));
    QVERIFY(!error);
    const QList<SearchResult *> &results = client.getResults();
    QCOMPARE(results.size(), 8000);
    QCOMPARE(describe(results.first()),
             QStringLiteral("100000 | Generated row 100000 | size: 1 MB, parts available: 5 / 5 | poster100000 | a.b.test | 1d"));
    QCOMPARE(describe(results.last()),
             QStringLiteral("107999 | Generated row 107999 | size: 764 MB, parts available: 5 / 5 | poster107999 | a.b.test | 50d"));
    for (int i = 0; i < results.size(); ++i)
        QCOMPARE(results.at(i)->id, QString::number(100000 + i));
}

void tst_BinSearch::fieldsAreBounded_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("rows");

    const QByteArray huge(100000, 'a');
    const QByteArray info = " <a href=\"?b=1\">collection</a>size: 1&nbsp;MB,<br>parts available: 5 / 5<br>";
    const QByteArray groups = "<a href=\"?g=a.b.test\">a.b.test</a>";
    QTest::newRow("id") << table(row(huge, "s", info, "p", groups, "1d")) << 1;
    QTest::newRow("subject") << table(row("1", huge, info, "p", groups, "1d")) << 1;
    QTest::newRow("info") << table(row("1", "s", " <a>x</a>size: " + huge + "<br>parts available: " + huge + "<br>", "p",
                                       groups, "1d"))
                          << 1;
    QTest::newRow("poster") << table(row("1", "s", info, huge, groups, "1d")) << 1;
    QByteArray manyGroups = groups;
    for (int i = 0; i < 20000; ++i)
        manyGroups += "<br>" + groups;
    QTest::newRow("groups") << table(row("1", "s", info, "p", manyGroups, "1d")) << 1;
    // A groups cell without "</a>" repeats the rest of the cell every four characters.
    QTest::newRow("groups cell without link ends")
        << table(row("1", "s", info, "p", QByteArray(20000, 'g') + "<br>", "1d")) << 1;
    QTest::newRow("age of the last row") << table(row("1", "s", info, "p", groups, "1d") + row("2", "s", info, "p", groups, huge))
                                         << 2;
    // Rows that lack every end marker: each field would run to the end of the table.
    QByteArray bare;
    for (int i = 0; i < 1000; ++i)
        bare += "<tr><td><input type=\"checkbox\" name=\"" + QByteArray::number(i) + "\">" + QByteArray(100, 'b');
    // (How many rows they give depends on how far the missing markers move the reading.)
    QTest::newRow("rows without end markers") << table(bare) << -1;
}

// No field keeps more than 2048 characters of the page, however long the page makes it.
void tst_BinSearch::fieldsAreBounded()
{
    QFETCH(QByteArray, page);
    QFETCH(int, rows);
    server->addRoute("GET", "/", Response::ok(page));
    BinSearch client;
    bool error = true;
    QVERIFY(runSearch(client, SearchArgs(), error));
    QVERIFY(!error);
    if (rows >= 0)
        QCOMPARE(client.getResults().size(), rows);
    QVERIFY(!client.getResults().isEmpty());
    for (const SearchResult *result : client.getResults()) {
        for (const QString &field : {result->id, result->subject, result->info, result->poster, result->groups, result->age})
            QVERIFY2(field.size() <= 2048, qPrintable(QString::number(field.size())));
    }
    const SearchResult *last = client.getResults().last();
    if (QByteArray(QTest::currentDataTag()) == "groups")
        QVERIFY(last->groups.startsWith(QStringLiteral("a.b.test - a.b.test - ")));
    if (QByteArray(QTest::currentDataTag()) == "subject")
        QCOMPARE(last->subject, QString(2048, QLatin1Char('a')));
}

void tst_BinSearch::oversizedAnswersEndInAnError_data()
{
    QTest::addColumn<bool>("nzb");
    QTest::addColumn<QString>("shape");

    for (const bool nzb : {false, true}) {
        const char *answer = nzb ? "NZB answer" : "search page";
        QTest::addRow("%s, length announced", answer) << nzb << "announced";
        QTest::addRow("%s, without end, chunked", answer) << nzb << "chunked";
        QTest::addRow("%s, without end, until the close", answer) << nzb << "close";
    }
}

// A search page past 16 MiB, an NZB answer past 256 MiB: the transfer is stopped and the
// exchange fails with the reason, while the memory held stays far below the answer's size.
void tst_BinSearch::oversizedAnswersEndInAnError()
{
    QFETCH(bool, nzb);
    QFETCH(QString, shape);

    const qint64 bound = nzb ? 256 * MiB : 16 * MiB;
    const QByteArray start = nzb ? "<?xml version=\"1.0\"?>\n<nzb>" : "<html><body><table>";
    const QByteArray pattern = nzb ? QByteArray("<!-- more -->\n")
                                   : row("1", "s", "<td>", "p", "<a href=\"?g=a.b\">a.b</a>", "1d");
    Response answer = Response::generated(start, shape == QLatin1String("announced") ? bound + 1 - start.size() : -1,
                                          pattern, nzb ? "application/x-nzb" : "text/html");
    answer.chunked = shape == QLatin1String("chunked");
    answer.noContentLength = shape == QLatin1String("close");
    QTemporaryDir folder;
    if (nzb) {
        server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page3.html"))));
        server->addRoute("POST", "/fcgi/nzb.fcgi", answer);
    } else {
        server->addRoute("GET", "/", answer);
    }

    BinSearch client;
    QVERIFY(ProcessMemory::resetPeak());
    const qint64 before = ProcessMemory::residentBytes();
    bool error = !nzb;
    QVERIFY(runSearch(client, SearchArgs(), error));
    if (nzb) {
        QVERIFY(!error);
        QSignalSpy downloaded(&client, &BinSearch::signalNzbDownloaded);
        client.downloadNzb(QStringLiteral("3001=on"), folder.path(), QStringLiteral("big.nzb"));
        QVERIFY(downloaded.wait(60000));
        error = downloaded.first().at(0).toBool();
        QCOMPARE(downloaded.first().at(1).toString(), QString());
        // Nothing is left of the file it was written to.
        QTRY_COMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }
    QVERIFY(error);
    QCOMPARE(client.lastError(), tooLargeError(bound));
    QVERIFY(client.getResults().isEmpty() || nzb);
    QVERIFY(!client.isBusy());
    const qint64 growth = ProcessMemory::peakBytes() - before;
    QVERIFY2(growth < 64 * MiB, qPrintable(QStringLiteral("peak grew by %1 MiB").arg(growth / MiB)));
}

void tst_BinSearch::nextPageFlag_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("ageIndex");
    QTest::addColumn<int>("resultsIndex");
    QTest::addColumn<bool>("otherGroups");
    QTest::addColumn<bool>("advanced");
    QTest::addColumn<uint>("page");
    QTest::addColumn<bool>("more");

    const QString link14 = QStringLiteral("&amp;max=50&amp;adv_age=14&amp;server=2&amp;min=100\">&gt;");
    QTest::newRow("matching link") << link14 << 2 << 1 << true << false << 2U << true;
    QTest::newRow("link of another page") << link14 << 2 << 1 << true << false << 1U << false;
    QTest::newRow("link of another age") << link14 << 3 << 1 << true << false << 2U << false;
    QTest::newRow("link without its arrow")
        << QStringLiteral("&amp;max=50&amp;adv_age=14&amp;server=2&amp;min=100\">") << 2 << 1 << true << false << 2U
        << false;
    QTest::newRow("every age") << QStringLiteral("&amp;max=25&amp;adv_age=&amp;server=&amp;min=25\">&gt;") << 11 << 0
                               << false << false << 1U << true;
    QTest::newRow("advanced search tests the same link")
        << QStringLiteral("&amp;max=25&amp;adv_age=&amp;server=&amp;min=25\">&gt;") << 11 << 0 << false << true << 1U
        << true;
}

void tst_BinSearch::nextPageFlag()
{
    QFETCH(QString, link);
    QFETCH(int, ageIndex);
    QFETCH(int, resultsIndex);
    QFETCH(bool, otherGroups);
    QFETCH(bool, advanced);
    QFETCH(uint, page);
    QFETCH(bool, more);

    const QByteArray html = searchPage(QStringLiteral("page3.html")) + "<a href=\"?q=x" + link.toLatin1() + "</a>";
    server->addRoute("GET", "/", Response::ok(html));
    BinSearch client;
    SearchArgs args;
    args.ageIndex = ageIndex;
    args.resultsIndex = resultsIndex;
    args.otherGroups = otherGroups;
    args.collectionsOnly = advanced;
    args.page = page;
    bool error = true;
    QVERIFY(runSearch(client, args, error));
    QVERIFY(!error);
    QCOMPARE(client.getResults().size(), 1);
    QCOMPARE(client.hasMoreResults(), more);
}

void tst_BinSearch::searchFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("errorStart");

    QTest::newRow("service unavailable") << "503" << "Network reply error: ";
    QTest::newRow("not found") << "404" << "Network reply error: ";
    QTest::newRow("connection refused") << "refused" << "Network reply error: ";
    QTest::newRow("closed in the body") << "closed" << "Network reply error: ";
    QTest::newRow("stalled past the time-out") << "stalled" << "The server does not respond.";
}

void tst_BinSearch::searchFailures()
{
    QFETCH(QString, fault);
    QFETCH(QString, errorStart);

    // Each error page looks like a page without results: it must not read as one.
    Response response = Response::ok(searchPage(QStringLiteral("no-results.html")));
    if (fault == QLatin1String("503") || fault == QLatin1String("404"))
        response.status = fault.toInt();
    if (fault == QLatin1String("closed"))
        response.closeAfterBodyBytes = 20;
    if (fault == QLatin1String("stalled")) {
        response.stallAfterBodyBytes = 20;
        AppConfiguration::getInstance()->socketTimeout = 1;
    }
    server->addRoute("GET", "/", response);
    if (fault == QLatin1String("refused")) {
        const QByteArray address = server->url().toEncoded();
        server->stop();
        qputenv("TESSAQUILL_BINSEARCH_URL", address);
    }

    BinSearch client;
    bool error = false;
    QVERIFY(runSearch(client, SearchArgs(), error));
    QVERIFY(error);
    QVERIFY2(client.lastError().startsWith(errorStart), qPrintable(client.lastError()));
    QVERIFY(client.getResults().isEmpty());
    QVERIFY(!client.isBusy());
}

void tst_BinSearch::redirectedSearchIsFollowed()
{
    server->addRoute("GET", "/", Response::redirect(302, "/results/"));
    server->addRoute("GET", "/results/", Response::ok(searchPage(QStringLiteral("page3.html"))));
    BinSearch client;
    bool error = true;
    QVERIFY(runSearch(client, SearchArgs(), error));
    QVERIFY(!error);
    QCOMPARE(client.getResults().size(), 1);
    QCOMPARE(client.getResults().first()->id, QStringLiteral("3001"));
}

// The configured system proxy (http_proxy) with its log-in: the service's own host name is
// served by the test server acting as the proxy, without a name look-up.
void tst_BinSearch::searchAndFetchThroughTheProxy()
{
    server->setProxyCredentials("user", "secret");
    server->addRoute("GET", "http://binsearch.invalid/", Response::ok(searchPage(QStringLiteral("page3.html"))));
    server->addRoute("POST", "http://binsearch.invalid/fcgi/nzb.fcgi", Response::ok(searchPage(QStringLiteral("result.nzb"))));
    qputenv("TESSAQUILL_BINSEARCH_URL", "http://binsearch.invalid/");
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(server->port()));
    AppConfiguration *config = AppConfiguration::getInstance();
    config->proxyEnabled = true;
    config->proxyName = QStringLiteral("127.0.0.1");
    config->proxyLogin = QStringLiteral("user");
    config->proxyPassword = QStringLiteral("secret");

    QTemporaryDir folder;
    bool error = true;
    bool fetched = false;
    {
        BinSearch client;
        if (runSearch(client, SearchArgs(), error) && !error) {
            QSignalSpy downloaded(&client, &BinSearch::signalNzbDownloaded);
            client.downloadNzb(QStringLiteral("3001=on"), folder.path(), QStringLiteral("p.nzb"));
            fetched = downloaded.wait(20000) && !downloaded.first().at(0).toBool();
        }
    }
    qunsetenv("http_proxy");
    config->proxyEnabled = false;
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    QVERIFY(!error);
    QVERIFY(fetched);

    const QList<HttpTestServer::Request> requests = server->requests();
    QCOMPARE(requests.first().line, QByteArray("GET http://binsearch.invalid/?q=holiday&max=25&adv_age=&server= HTTP/1.1"));
    QVERIFY(requests.first().header("Proxy-Authorization").isEmpty());
    QCOMPARE(requests.last().line, QByteArray("POST http://binsearch.invalid/fcgi/nzb.fcgi?q=holiday&max=25&adv_age=&server= HTTP/1.1"));
    QCOMPARE(requests.last().header("Proxy-Authorization"), "Basic " + QByteArray("user:secret").toBase64());
    QFile file(folder.filePath(QStringLiteral("p.nzb")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), searchPage(QStringLiteral("result.nzb")));
}

void tst_BinSearch::newSearchDropsThePreviousResults()
{
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page1.html"))));
    BinSearch client;
    bool error = true;
    QVERIFY(runSearch(client, SearchArgs(), error));
    QCOMPARE(client.getResults().size(), 4);
    QVERIFY(client.hasMoreResults());

    Response slow = Response::ok(searchPage(QStringLiteral("page3.html")));
    slow.delayMs = 200;
    server->addRoute("GET", "/", slow);
    QSignalSpy finished(&client, &BinSearch::signalSearchFinished);
    client.search(QStringLiteral("again"), 11, 0, false, false, false, 0, 0, 1);
    QVERIFY(client.getResults().isEmpty());
    QVERIFY(!client.hasMoreResults());
    QVERIFY(client.isBusy());
    QVERIFY(finished.wait(20000));
    QCOMPARE(client.getResults().size(), 1);
}

void tst_BinSearch::entities_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decoded");

    QTest::newRow("escaped ampersand before a later entity") << "&amp;lt;" << "<";
    QTest::newRow("escaped ampersand before a quote") << "&amp;quot;" << "&quot;";
    QTest::newRow("escaped ampersand before amp") << "&amp;amp;" << "&amp;";
    QTest::newRow("unlisted spellings stay") << "&LT; &#39; &hellip; &AMP;" << "&LT; &#39; &hellip; &AMP;";
    QTest::newRow("numeric Y diaeresis") << "&#376;&Yuml;&yuml;" << "\u0178\u0178\u00ff";
    QTest::newRow("letters follow the initial") << "&Agrave;&agrave;&Ccedil;&ccedil;&Ntilde;&otilde;"
                                                << "\u00c0\u00e0\u00c7\u00e7\u00d1\u00f5";
    QTest::newRow("ligatures") << "&Oelig;&oelig;&Aelig;&aelig;" << "\u0152\u0153\u00c6\u00e6";
    QTest::newRow("signs in both spellings") << "&Copy;&copy;&Euro;&trade;&Frac12;&iquest;&Macr;"
                                             << "\u00a9\u00a9\u20ac\u2122\u00bd\u00bf\u00af";
    QTest::newRow("quotes and apostrophe") << "&Quot;a&quot; &apos;b&Apos;" << "\"a\" 'b'";
    QTest::newRow("spaces and soft hyphen") << "a&nbsp;b&Ensp;c&shy;d&Shy;e" << "a b cde";
    QTest::newRow("only eth in lower case") << "&eth;&Eth;" << "\u00f0&Eth;";
    QTest::newRow("run of B0 to BF") << "&deg;&plusmn;&sup2;&sup3;&acute;&micro;&para;&middot;&cedil;&sup1;&ordm;"
                                        "&raquo;&frac14;&frac12;&frac34;&iquest;"
                                     << "\u00b0\u00b1\u00b2\u00b3\u00b4\u00b5\u00b6\u00b7\u00b8\u00b9\u00ba\u00bb"
                                        "\u00bc\u00bd\u00be\u00bf";
    QTest::newRow("run of A1 to AE") << "&iexcl;&cent;&pound;&curren;&yen;&brvbar;&sect;&uml;&copy;&ordf;&laquo;"
                                        "&not;&reg;"
                                     << "\u00a1\u00a2\u00a3\u00a4\u00a5\u00a6\u00a7\u00a8\u00a9\u00aa\u00ab\u00ac"
                                        "\u00ae";
    QTest::newRow("vowels with marks") << "&Egrave;&eacute;&Ugrave;&uuml;&Ucirc;&ecirc;&Euml;&igrave;&Iacute;"
                                          "&icirc;&Iuml;&Ograve;&oacute;&Ocirc;&Atilde;&auml;&Aring;&acirc;&Aacute;"
                                       << "\u00c8\u00e9\u00d9\u00fc\u00db\u00ea\u00cb\u00ec\u00cd\u00ee\u00cf"
                                          "\u00d2\u00f3\u00d4\u00c3\u00e4\u00c5\u00e2\u00c1";
    QTest::newRow("nothing to decode") << "plain text; & alone" << "plain text; & alone";
}

void tst_BinSearch::entities()
{
    QFETCH(QString, text);
    QFETCH(QString, decoded);
    QCOMPARE(BinSearch::decodeHtmlEntities(text), decoded);
    QCOMPARE(BinSearch::htmlEntityCount(), 134);
}

void tst_BinSearch::nzbFetchRequest()
{
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page1.html"))));
    server->addRoute("POST", "/fcgi/nzb.fcgi", Response::ok(searchPage(QStringLiteral("result.nzb")), "application/x-nzb"));
    QTemporaryDir folder;
    BinSearch client;
    SearchArgs args;
    args.query = QStringLiteral("holiday film");
    args.page = 2;
    bool error = true;
    QVERIFY(runSearch(client, args, error));

    QSignalSpy downloaded(&client, &BinSearch::signalNzbDownloaded);
    client.downloadNzb(BinSearch::buildPostData({QStringLiteral("1001"), QStringLiteral("1003")}),
                       folder.filePath(QStringLiteral("NZB")), QStringLiteral("holiday film.nzb"));
    QVERIFY(client.isBusy());
    QVERIFY(downloaded.wait(20000));
    QCOMPARE(downloaded.size(), 1);
    QCOMPARE(downloaded.first().at(0).toBool(), false);
    const QString path = folder.filePath(QStringLiteral("NZB/holiday film.nzb"));
    QCOMPARE(downloaded.first().at(1).toString(), path);

    const HttpTestServer::Request post = server->requests().last();
    QCOMPARE(post.line, QByteArray("POST /fcgi/nzb.fcgi?q=holiday+film&max=25&adv_age=&server=&min=25 HTTP/1.1"));
    QCOMPARE(post.body, QByteArray("1001=on&1003=on&action=nzb"));
    QCOMPARE(post.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(post.header("Content-Length"), QByteArray("26"));
    QCOMPARE(post.header("Accept-Charset"), QByteArray("ISO-8859-1,utf-8;q=0.7,*;q=0.7"));

    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), searchPage(QStringLiteral("result.nzb")));
}

void tst_BinSearch::nzbFetchWritesTheFile_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("writtenName");
    QTest::addColumn<QByteArray>("written");

    const QByteArray nzb = searchPage(QStringLiteral("result.nzb"));
    QTest::newRow("given name") << "q" << "chosen.nzb" << nzb << "chosen.nzb" << nzb;
    QTest::newRow("no name: the trimmed query") << "  holiday film  " << "" << nzb << "holiday film.nzb" << nzb;
    QTest::newRow("no name: a query with path characters") << "../../etc/x:y" << "" << nzb << "....etcxy.nzb" << nzb;
    QTest::newRow("saved up to a NUL") << "q" << "cut.nzb" << nzb + '\0' + "tail" << "cut.nzb" << nzb;
    QTest::newRow("Latin-1 bytes kept as they came") << "q" << "latin.nzb" << QByteArray("<nzb>caf\xe9</nzb>")
                                                     << "latin.nzb" << QByteArray("<nzb>caf\xe9</nzb>");
    QTest::newRow("query longer than a file name") << QString(300, QLatin1Char('w')) << "" << nzb
                                                   << QString(244, QLatin1Char('w')) + QStringLiteral(".nzb") << nzb;
    QTest::newRow("long name of two-byte letters") << QString(200, QChar(0xe9)) << "" << nzb
                                                   << QString(122, QChar(0xe9)) + QStringLiteral(".nzb") << nzb;
}

void tst_BinSearch::nzbFetchWritesTheFile()
{
    QFETCH(QString, query);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, body);
    QFETCH(QString, writtenName);
    QFETCH(QByteArray, written);

    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page3.html"))));
    server->addRoute("POST", "/fcgi/nzb.fcgi", Response::ok(body));
    QTemporaryDir folder;
    // A file of the same name is replaced.
    QFile old(folder.filePath(writtenName));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old content that is longer than some of the new ones, so truncation shows");
    old.close();

    BinSearch client;
    SearchArgs args;
    args.query = query;
    bool error = true;
    QVERIFY(runSearch(client, args, error));
    QSignalSpy downloaded(&client, &BinSearch::signalNzbDownloaded);
    client.downloadNzb(QStringLiteral("3001=on"), folder.path(), fileName);
    QVERIFY(downloaded.wait(20000));
    QVERIFY2(!downloaded.first().at(0).toBool(), qPrintable(client.lastError()));
    QCOMPARE(downloaded.first().at(1).toString(), folder.filePath(writtenName));
    QFile file(folder.filePath(writtenName));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), written);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{writtenName});
}

void tst_BinSearch::nzbFetchFailures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("errorText");
    QTest::addColumn<bool>("sent");

    QTest::newRow("blank folder") << "blank" << "Wrong path    : cannot download NZB file" << false;
    QTest::newRow("folder under a regular file") << "under file" << "Cannot create folder " << false;
    QTest::newRow("service unavailable") << "503"
                                         << QStringLiteral("Network reply error: %1")
                                                .arg(int(QNetworkReply::ServiceUnavailableError))
                                         << true;
    QTest::newRow("body starting with NUL") << "nul" << "Request suceeded but no NZB returned" << true;
    QTest::newRow("empty body") << "empty" << "Request suceeded but no NZB returned" << true;
    QTest::newRow("closed in the body") << "closed" << "Network reply error: " << true;
    QTest::newRow("file cannot be written") << "unwritable" << "Cannot write NZB file " << true;
}

void tst_BinSearch::nzbFetchFailures()
{
    QFETCH(QString, fault);
    QFETCH(QString, errorText);
    QFETCH(bool, sent);

    QTemporaryDir temporary;
    QString folder = temporary.filePath(QStringLiteral("NZB"));
    Response response = Response::ok(searchPage(QStringLiteral("result.nzb")));
    if (fault == QLatin1String("blank"))
        folder = QStringLiteral("   ");
    if (fault == QLatin1String("under file")) {
        QFile file(temporary.filePath(QStringLiteral("plain")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        folder = temporary.filePath(QStringLiteral("plain/NZB"));
    }
    if (fault == QLatin1String("503"))
        response.status = 503;
    if (fault == QLatin1String("nul"))
        response.body.prepend('\0');
    if (fault == QLatin1String("empty"))
        response.body.clear();
    if (fault == QLatin1String("closed"))
        response.closeAfterBodyBytes = 10;
    // A folder where the file should be: the name cannot be written.
    if (fault == QLatin1String("unwritable"))
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/q.nzb")));
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page3.html"))));
    server->addRoute("POST", "/fcgi/nzb.fcgi", response);

    BinSearch client;
    SearchArgs args;
    args.query = QStringLiteral("q");
    bool error = true;
    QVERIFY(runSearch(client, args, error));
    server->clearRequests();
    QSignalSpy downloaded(&client, &BinSearch::signalNzbDownloaded);
    client.downloadNzb(QStringLiteral("3001=on"), folder, QString());
    if (downloaded.isEmpty())
        QVERIFY(downloaded.wait(20000));
    QTest::qWait(0);
    QCOMPARE(downloaded.size(), 1);
    QCOMPARE(downloaded.first().at(0).toBool(), true);
    QCOMPARE(downloaded.first().at(1).toString(), QString());
    QVERIFY2(client.lastError().startsWith(errorText), qPrintable(client.lastError()));
    QCOMPARE(server->requestCount(), sent ? 1 : 0);
    if (fault != QLatin1String("unwritable"))
        QVERIFY(!QFile::exists(folder + QStringLiteral("/q.nzb")));
    QVERIFY(!client.isBusy());
}

void tst_BinSearch::safeNzbFileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("safe");
    QTest::newRow("plain") << "abc.nzb" << "abc.nzb";
    QTest::newRow("forbidden characters") << "a\\b/c:d*e?f\"g<h>i|j.nzb" << "abcdefghij.nzb";
    QTest::newRow("only forbidden characters") << "\\/:*?\"<>|.nzb" << ".nzb";
    QTest::newRow("248 bytes stay") << QString(244, QLatin1Char('a')) + ".nzb" << QString(244, QLatin1Char('a')) + ".nzb";
    QTest::newRow("249 bytes lose one") << QString(245, QLatin1Char('a')) + ".nzb" << QString(244, QLatin1Char('a')) + ".nzb";
    QTest::newRow("no suffix") << QString(300, QLatin1Char('a')) << QString(248, QLatin1Char('a'));
    QTest::newRow("a character outside the basic plane is not split")
        << QString(121, QChar(0xe9)) + QString::fromUtf8("\xf0\x9f\x98\x80") + ".nzb"
        << QString(121, QChar(0xe9)) + ".nzb";
    QTest::newRow("nor a two-byte letter") << QString(123, QChar(0xe9)) + ".nzb" << QString(122, QChar(0xe9)) + ".nzb";
}

void tst_BinSearch::safeNzbFileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, safe);
    QCOMPARE(BinSearch::safeNzbFileName(name), safe);
}

QTEST_MAIN(tst_BinSearch)
#include "tst_BinSearch.moc"
