#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "web/FrameWebBrowser.h"
#include "web/ListingPageRewriter.h"
#include "web/MyWebView.h"
#include "web/NetworkAccessManager.h"

#include "BrowserTestSupport.h"
#include "GuiTestHome.h"
#include "HttpTestServer.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWebFrame>
#include <QWebPage>
#include <QtTest>

#include <memory>

namespace {

using Response = HttpTestServer::Response;

const QString Marker = QStringLiteral("<!-- Modified by Tessaquill_Plus -->");
const QString Header = QStringLiteral("<tr><th class=\"border0\">Cat</th><th class=\"border0\">Fichier</th></tr>");

// What a title cell comes to hold, written out in full: the links users follow.
QString rewrittenCell(const QString &title)
{
    return QStringLiteral("<a target=\"_blank\" href=\"http://Tessaquill_Plus_Search/%1\">%1</a><br/>"
                          "<a href=\"http://www.binsearch.info/?q=%1&max=25&adv_age=&server=\">"
                          "<font color=\"#0000FF\">BinSearch</font></a> | "
                          "<a href=\"http://www.nzbindex.com/search/?q=%1&age=&max=25&sort=agedesc&minsize=&maxsize="
                          "&poster=&nfo=&hidespam=0&hidespam=1&more=1\"><font color=\"#FF0000\">NzbIndex</font></a>")
        .arg(title);
}

QString row(const QString &rowClass, const QStringList &cells)
{
    QString html = QStringLiteral("<tr class=\"%1\">").arg(rowClass);
    for (const QString &cell : cells)
        html += QStringLiteral("<td>") + cell + QStringLiteral("</td>");
    return html + QStringLiteral("</tr>");
}

QString listing(const QString &rows)
{
    return QStringLiteral("<p>Newsgroup, fichier, titre</p><table>") + Header + rows + QStringLiteral("</table>");
}

int occurrences(const QString &text, const QString &what)
{
    return text.count(what);
}

QWebFrame *childFrame(QWebView *view, const QString &name)
{
    for (QWebFrame *frame : view->page()->mainFrame()->childFrames()) {
        if (frame->frameName() == name)
            return frame;
    }
    return nullptr;
}

} // namespace

class tst_ListingPageRewriter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleCellBecomesSearchLinks();
    void rewrittenText_data();
    void rewrittenText();
    void advertisingBlocks_data();
    void advertisingBlocks();
    void frameWithoutTitleColumnIsLeftAlone();
    void titleHoldingRowMarkersEnds();
    void listingFrameTest_data();
    void listingFrameTest();

    void servedListingIsRewrittenOnce();
    void otherHostIsLeftAlone();
    void onlyTheFirstListingFrameIsRewritten();
    void listingWithoutTitleColumnStaysUnmarked();
    void failedLoadIsNotRewritten();

private:
    bool load(const QString &host, const QString &path = QStringLiteral("/index.html"));
    QString listingHtml();

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<NetworkAccessManager> manager;
    std::unique_ptr<FrameWebBrowser> frame;
    std::unique_ptr<QSignalSpy> loads;
};

void tst_ListingPageRewriter::initTestCase()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_ListingPageRewriter::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    for (const QString &host : {QStringLiteral("www.nzblisting.fr"), QStringLiteral("www.otherhost.fr")}) {
        for (const QString &page : {QStringLiteral("index.html"), QStringLiteral("menu.html"), QStringLiteral("listing.html")})
            server->addRoute("GET", QStringLiteral("http://%1/%2").arg(host, page),
                             Response::ok(listingPage(page), "text/html; charset=utf-8"));
    }
    manager = std::make_unique<NetworkAccessManager>();
    proxyThrough(*manager, *server);
    frame = std::make_unique<FrameWebBrowser>();
    frame->setNetworkManager(manager.get());
    frame->resize(900, 600);
    loads = std::make_unique<QSignalSpy>(frame.get(), SIGNAL(webBrowserLoadFinished(bool)));
}

void tst_ListingPageRewriter::cleanup()
{
    loads.reset();
    frame.reset();
    manager.reset();
    server.reset();
}

bool tst_ListingPageRewriter::load(const QString &host, const QString &path)
{
    loads->clear();
    frame->webView()->load(QUrl(QStringLiteral("http://") + host + path));
    return settle(*loads);
}

QString tst_ListingPageRewriter::listingHtml()
{
    QWebFrame *listingFrame = childFrame(frame->webView(), QStringLiteral("liste"));
    return listingFrame ? listingFrame->toHtml() : QString();
}

void tst_ListingPageRewriter::titleCellBecomesSearchLinks()
{
    const QString html = rewriteListingHtml(listing(row(QStringLiteral("ligneclaire"), {"Films", "Holiday.2010"})));
    QVERIFY(html.startsWith(Marker));
    QVERIFY2(html.contains(QStringLiteral("<td>Films</td><td>") + rewrittenCell(QStringLiteral("Holiday.2010"))
                           + QStringLiteral("</td></tr>")),
             qPrintable(html));
}

void tst_ListingPageRewriter::rewrittenText_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QStringList>("rewritten");
    QTest::addColumn<QStringList>("untouched");

    const QString light = QStringLiteral("ligneclaire");
    const QString dark = QStringLiteral("lignefoncee");
    QTest::newRow("both row classes, others alone")
        << row(light, {"a", "First"}) + row(QStringLiteral("autre"), {"b", "Other"}) + row(dark, {"c", "Second"})
        << QStringList{"First", "Second"} << QStringList{"<td>Other</td>"};
    QTest::newRow("empty and picture cells stay")
        << row(light, {"a", "&nbsp;"}) + row(dark, {"b", "<img src=\"x.png\">"}) + row(dark, {"c", "Kept"})
        << QStringList{"Kept"} << QStringList{"<td>&nbsp;</td>", "<td><img src=\"x.png\"></td>"};
    QTest::newRow("blanks and ampersand go into the addresses unchanged")
        << row(light, {"a", "Tools &amp; More 2"}) << QStringList{"Tools &amp; More 2"} << QStringList();
    QTest::newRow("markers in any letter case")
        << QStringLiteral("<TR CLASS=\"LIGNECLAIRE\"><TD>a</TD><TD>Upper</TD></TR>")
        << QStringList{"Upper"} << QStringList{"<TD>a</TD>"};
    QTest::newRow("a cell with attributes is not counted")
        << QStringLiteral("<tr class=\"ligneclaire\"><td class=\"cat\">a</td><td>Second</td><td>Third</td></tr>")
        << QStringList{"Third"} << QStringList{"<td>Second</td>"};
    QTest::newRow("a short row takes its title from the next row")
        << QStringLiteral("<tr class=\"ligneclaire\"><td>only</td></tr>") + row(QStringLiteral("autre"), {"Borrowed", "x"})
        << QStringList{"Borrowed"} << QStringList{"<td>only</td>", "<td>x</td>"};
}

void tst_ListingPageRewriter::rewrittenText()
{
    QFETCH(QString, rows);
    QFETCH(QStringList, rewritten);
    QFETCH(QStringList, untouched);

    const QString html = rewriteListingHtml(listing(rows));
    QVERIFY(!html.isNull());
    QCOMPARE(occurrences(html, QStringLiteral("http://Tessaquill_Plus_Search/")), rewritten.size());
    for (const QString &title : rewritten)
        QVERIFY2(html.contains(rewrittenCell(title)), qPrintable(title + QStringLiteral(" in ") + html));
    for (const QString &cell : untouched)
        QVERIFY2(html.contains(cell), qPrintable(cell));
}

void tst_ListingPageRewriter::advertisingBlocks_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("left");

    QTest::newRow("statistics logo") << QStringLiteral("<div id=\"xiti-logo\"><img src=\"s.gif\"></div>") << QString();
    QTest::newRow("banner, its end comment stays")
        << QStringLiteral("<!-- D\u00e9but tag AdServerPub //--><p>ad</p><!-- Fin tag AdServerPub //-->")
        << QStringLiteral("<!-- Fin tag AdServerPub //-->");
    QTest::newRow("network script")
        << QStringLiteral("<script type=\"text/javascript\" src=\"http://ads.adserverpub.net/b.js\"></script>") << QString();
    QTest::newRow("footer") << QStringLiteral("<div class=\"NewsBas\">ad</div>") << QString();
    QTest::newRow("any letter case") << QStringLiteral("<DIV CLASS=\"newsbas\">ad</DIV>") << QString();
    QTest::newRow("a block without its end stays")
        << QStringLiteral("<div id=\"xiti-logo\"><p>no end") << QStringLiteral("<div id=\"xiti-logo\"><p>no end");
    QTest::newRow("another network's script stays")
        << QStringLiteral("<script type=\"text/javascript\" src=\"http://cdn.example.org/app.js\"></script>")
        << QStringLiteral("<script type=\"text/javascript\" src=\"http://cdn.example.org/app.js\"></script>");
}

void tst_ListingPageRewriter::advertisingBlocks()
{
    QFETCH(QString, block);
    QFETCH(QString, left);

    const QString html = rewriteListingHtml(QStringLiteral("<p>before</p>") + block + QStringLiteral("<p>after</p>")
                                            + listing(row(QStringLiteral("ligneclaire"), {"a", "T"})));
    QVERIFY(html.contains(QStringLiteral("<p>before</p>") + left + QStringLiteral("<p>after</p>")));
}

void tst_ListingPageRewriter::frameWithoutTitleColumnIsLeftAlone()
{
    const QString noHeader = QStringLiteral("<div class=\"NewsBas\">ad</div><p>newsgroup fichier titre</p>"
                                            "<table><tr class=\"ligneclaire\"><td>a</td></tr></table>");
    QVERIFY(rewriteListingHtml(noHeader).isNull());
    // The header cell found in another letter case but never equal: every header cell counts,
    // the rows run out, and nothing but the marker and the blocks changes.
    const QString otherCase = QStringLiteral("<table><tr><th class=\"border0\">FICHIER</th></tr>")
                              + row(QStringLiteral("ligneclaire"), {"T"}) + QStringLiteral("</table>");
    const QString html = rewriteListingHtml(otherCase);
    QCOMPARE(html, Marker + otherCase);
}

void tst_ListingPageRewriter::titleHoldingRowMarkersEnds()
{
    // A title that holds row and cell starts of its own is rewritten once: the pass never
    // goes back into the text it inserted.
    const QString hostile = QStringLiteral("A<tr class=\"ligneclaire\"><td>B<tr class=\"ligneclaire\"><td>C");
    const QString html = rewriteListingHtml(
        listing(QStringLiteral("<tr class=\"ligneclaire\"><td>a</td><td>") + hostile + QStringLiteral("</td></tr>")));
    QVERIFY(!html.isNull());
    QCOMPARE(occurrences(html, QStringLiteral("href=\"http://Tessaquill_Plus_Search/")), 1);
}

void tst_ListingPageRewriter::listingFrameTest_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("listing");

    QTest::newRow("all three words") << QStringLiteral("NewsGroup FICHIER Titre") << true;
    QTest::newRow("a word missing") << QStringLiteral("newsgroup fichier") << false;
    QTest::newRow("already marked") << QStringLiteral("<!-- MODIFIED BY TESSAQUILL_PLUS -->newsgroup fichier titre")
                                    << false;
}

void tst_ListingPageRewriter::listingFrameTest()
{
    QFETCH(QString, html);
    QFETCH(bool, listing);
    QCOMPARE(isListingFrameToRewrite(html), listing);
}

void tst_ListingPageRewriter::servedListingIsRewrittenOnce()
{
    QVERIFY(load(QStringLiteral("www.nzblisting.fr")));
    QString html = listingHtml();
    QVERIFY2(html.contains(Marker), qPrintable(html));
    for (const QString &title : {QStringLiteral("Holiday.Movie.2010"), QStringLiteral("Some Show S01E02"),
                                 QStringLiteral("Tools &amp; More")})
        QVERIFY2(html.contains(QStringLiteral("Tessaquill_Plus_Search/") + title), qPrintable(title));
    QCOMPARE(occurrences(html, QStringLiteral(">BinSearch</font>")), 3);
    QVERIFY(html.contains(QStringLiteral("<td>Left.Alone</td>")));
    QVERIFY(!html.contains(QStringLiteral("xiti-logo")));
    QVERIFY(!html.contains(QStringLiteral("advertising banner")));
    QVERIFY(!html.contains(QStringLiteral("adserverpub.net")));
    QVERIFY(!html.contains(QStringLiteral("footer advertising")));
    QVERIFY(html.contains(QStringLiteral("end of the listing")));
    QVERIFY(!childFrame(frame->webView(), QStringLiteral("menu"))->toHtml().contains(Marker));
    WidgetPicture::save(frame.get(), QStringLiteral("FrameWebBrowser_listing"));

    // Loaded again from the site, the frame is rewritten once more, and only once.
    const int listingRequests = server->requests().count();
    QVERIFY(load(QStringLiteral("www.nzblisting.fr")));
    QVERIFY(server->requestCount() > listingRequests);
    html = listingHtml();
    QCOMPARE(occurrences(html, Marker), 1);
    QCOMPARE(occurrences(html, QStringLiteral(">BinSearch</font>")), 3);
}

void tst_ListingPageRewriter::otherHostIsLeftAlone()
{
    QVERIFY(load(QStringLiteral("www.otherhost.fr")));
    const QString html = listingHtml();
    QVERIFY(html.contains(QStringLiteral("Holiday.Movie.2010")));
    QVERIFY(!html.contains(Marker));
    QVERIFY(html.contains(QStringLiteral("footer advertising")));
}

void tst_ListingPageRewriter::onlyTheFirstListingFrameIsRewritten()
{
    server->addRoute("GET", QStringLiteral("http://www.nzblisting.fr/two.html"),
                     Response::ok("<html><frameset rows=\"50%,50%\"><frame name=\"liste\" src=\"listing.html\">"
                                  "<frame name=\"second\" src=\"listing.html?again\"></frameset></html>"));
    QVERIFY(load(QStringLiteral("www.nzblisting.fr"), QStringLiteral("/two.html")));
    QVERIFY(childFrame(frame->webView(), QStringLiteral("liste"))->toHtml().contains(Marker));
    const QString second = childFrame(frame->webView(), QStringLiteral("second"))->toHtml();
    QVERIFY(second.contains(QStringLiteral("Holiday.Movie.2010")));
    QVERIFY(!second.contains(Marker));
}

void tst_ListingPageRewriter::listingWithoutTitleColumnStaysUnmarked()
{
    QByteArray page = listingPage(QStringLiteral("listing.html"));
    page.replace("<th class=\"border0\">Fichier</th>", "<th class=\"border0\">Name</th>");
    server->addRoute("GET", QStringLiteral("http://www.nzblisting.fr/listing.html"), Response::ok(page));
    QVERIFY(load(QStringLiteral("www.nzblisting.fr")));
    const QString html = listingHtml();
    QVERIFY(html.contains(QStringLiteral("Holiday.Movie.2010")));
    QVERIFY(!html.contains(Marker));
    QVERIFY(html.contains(QStringLiteral("footer advertising")));
}

void tst_ListingPageRewriter::failedLoadIsNotRewritten()
{
    // The frames arrive; a picture of the main page never does, and the load is stopped.
    server->addRoute("GET", QStringLiteral("http://www.nzblisting.fr/slow.html"),
                     Response::ok("<html><body><img src=\"never.png\"><iframe name=\"liste\" src=\"listing.html\">"
                                  "</iframe></body></html>"));
    Response never = Response::ok("x", "image/png");
    never.delayMs = 60000;
    server->addRoute("GET", QStringLiteral("http://www.nzblisting.fr/never.png"), never);

    loads->clear();
    frame->webView()->load(QUrl(QStringLiteral("http://www.nzblisting.fr/slow.html")));
    QTRY_VERIFY_WITH_TIMEOUT(listingHtml().contains(QStringLiteral("Holiday.Movie.2010")), 15000);
    QCOMPARE(loads->count(), 0);
    frame->webView()->stop();
    QTRY_VERIFY(loads->count() >= 1);
    QCOMPARE(loads->first().first().toBool(), false);
    QVERIFY(!listingHtml().contains(Marker));
}

QTEST_MAIN(tst_ListingPageRewriter)
#include "tst_ListingPageRewriter.moc"
