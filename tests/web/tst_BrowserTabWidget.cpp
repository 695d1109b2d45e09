#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "web/BrowserTabWidget.h"
#include "web/FrameWebBrowser.h"
#include "web/MyWebView.h"
#include "web/NetworkAccessManager.h"

#include "BrowserTestSupport.h"
#include "GuiTestHome.h"
#include "HttpTestServer.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTabBar>
#include <QToolButton>
#include <QWebElement>
#include <QWebFrame>
#include <QWebPage>
#include <QWebSettings>
#include <QtTest>

#include <memory>

namespace {

using Response = HttpTestServer::Response;

QByteArray page(const QByteArray &title, const QByteArray &body = QByteArray())
{
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

} // namespace

class tst_BrowserTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tabTexts_data();
    void tabTexts();
    void pageTitlesBecomeTabTexts();
    void cornerButtonCreatesCurrentTabs();
    void blankTargetLinkOpensATab();
    void internalSearchLinkIsCaught_data();
    void internalSearchLinkIsCaught();
    void scriptWindowWithoutLinkOpensNothing();
    void middleClickClosesTheTabUnderThePointer();
    void relaysReachTheOwnerOnce();
    void pageIconBecomesTabIcon();
    void requestsOfUnknownPagesAreIgnored();

private:
    MyWebView *viewAt(int index) const;
    bool loadInto(MyWebView *view, const QString &path);
    void hoverAndClick(MyWebView *view, const QString &selector);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<NetworkAccessManager> manager;
    std::unique_ptr<BrowserTabWidget> tabs;
};

void tst_BrowserTabWidget::initTestCase()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    qRegisterMetaType<QNetworkReply *>();
}

void tst_BrowserTabWidget::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    manager = std::make_unique<NetworkAccessManager>();
    tabs = std::make_unique<BrowserTabWidget>();
    tabs->networkManager = manager.get();
    tabs->setTabsClosable(true);
    tabs->createTab();
    tabs->setMovable(true);
    tabs->resize(800, 500);
    tabs->show();
    QVERIFY(QTest::qWaitForWindowExposed(tabs.get()));
}

void tst_BrowserTabWidget::cleanup()
{
    tabs.reset();
    manager.reset();
    server.reset();
}

MyWebView *tst_BrowserTabWidget::viewAt(int index) const
{
    auto *frame = qobject_cast<FrameWebBrowser *>(tabs->widget(index));
    return frame ? frame->webView() : nullptr;
}

bool tst_BrowserTabWidget::loadInto(MyWebView *view, const QString &path)
{
    QSignalSpy finished(view, SIGNAL(loadFinished(bool)));
    view->load(server->url(path));
    return finished.wait(15000) && finished.first().first().toBool();
}

// The pointer moves onto the element (the page reports the link under it), then clicks it.
void tst_BrowserTabWidget::hoverAndClick(MyWebView *view, const QString &selector)
{
    const QPoint at = view->page()->mainFrame()->findFirstElement(selector).geometry().center();
    QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, at);
}

void tst_BrowserTabWidget::tabTexts_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const QString forty(40, QLatin1Char('a'));
    QTest::newRow("empty") << QString() << QStringLiteral("New tab");
    QTest::newRow("blanks only") << QStringLiteral("   \t ") << QStringLiteral("New tab");
    QTest::newRow("40 characters whole") << forty << forty;
    QTest::newRow("41 characters cut") << forty + QStringLiteral("b") << forty + QStringLiteral("...");
    QTest::newRow("measured trimmed, shown as received")
        << QString(10, QLatin1Char(' ')) + QString(35, QLatin1Char('x'))
        << QString(10, QLatin1Char(' ')) + QString(35, QLatin1Char('x'));
    QTest::newRow("ampersand stays visible") << QStringLiteral("Tom & Jerry") << QStringLiteral("Tom && Jerry");
}

void tst_BrowserTabWidget::tabTexts()
{
    QFETCH(QString, title);
    QFETCH(QString, text);
    tabs->webBrowserTitleChanged(title, tabs->widget(0));
    QCOMPARE(tabs->tabText(0), text);
}

void tst_BrowserTabWidget::pageTitlesBecomeTabTexts()
{
    server->addRoute("GET", "/first", Response::ok(page("First page")));
    server->addRoute("GET", "/long", Response::ok(page("A title much longer than the forty characters of a tab")));
    QCOMPARE(tabs->tabText(0), QStringLiteral("New tab"));
    QVERIFY(loadInto(viewAt(0), QStringLiteral("/first")));
    QCOMPARE(tabs->tabText(0), QStringLiteral("First page"));
    tabs->createTab();
    QVERIFY(loadInto(viewAt(1), QStringLiteral("/long")));
    QCOMPARE(tabs->tabText(1), QStringLiteral("A title much longer than the forty chara..."));
    QCOMPARE(tabs->tabText(0), QStringLiteral("First page"));
}

void tst_BrowserTabWidget::cornerButtonCreatesCurrentTabs()
{
    QToolButton *button = tabs->newTabButton();
    QCOMPARE(tabs->cornerWidget(Qt::TopLeftCorner), button);
    QCOMPARE(button->toolTip(), QStringLiteral("Create a new tab"));
    QVERIFY(button->autoRaise());
    QVERIFY(!button->icon().isNull());
    QVERIFY(tabs->tabsClosable());

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->currentIndex(), 2);
    QCOMPARE(tabs->currentWebView(), viewAt(2));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(tabs->tabText(i), QStringLiteral("New tab"));
        QCOMPARE(viewAt(i)->page()->networkAccessManager(), manager.get());
        QCOMPARE(viewAt(i)->url(), QUrl(QStringLiteral("about:blank")));
        QVERIFY(viewAt(i)->page()->forwardUnsupportedContent());
    }
    WidgetPicture::save(tabs.get(), QStringLiteral("BrowserTabWidget"));
}

void tst_BrowserTabWidget::blankTargetLinkOpensATab()
{
    server->addRoute("GET", "/links", Response::ok(page("Links", "<p><a id=\"open\" target=\"_blank\" "
                                                             "href=\"/second\">Open the second page</a></p>")));
    server->addRoute("GET", "/second", Response::ok(page("Second page")));
    QVERIFY(loadInto(viewAt(0), QStringLiteral("/links")));

    QSignalSpy searches(tabs.get(), SIGNAL(signalNzbInternalSearch(QString)));
    hoverAndClick(viewAt(0), QStringLiteral("#open"));
    QTRY_COMPARE(tabs->count(), 2);
    QCOMPARE(tabs->currentIndex(), 1);
    QTRY_COMPARE(tabs->tabText(1), QStringLiteral("Second page"));
    QCOMPARE(viewAt(1)->url(), server->url(QStringLiteral("/second")));
    QCOMPARE(viewAt(0)->url(), server->url(QStringLiteral("/links")));
    QCOMPARE(searches.count(), 0);
    WidgetPicture::save(tabs.get(), QStringLiteral("BrowserTabWidget_two_pages"));
}

void tst_BrowserTabWidget::internalSearchLinkIsCaught_data()
{
    QTest::addColumn<QByteArray>("href");
    QTest::addColumn<QString>("search");

    QTest::newRow("as the rewriter writes it") << QByteArray("http://Tessaquill_Plus_Search/Some.Title")
                                               << QStringLiteral("Some.Title");
    QTest::newRow("host in another case") << QByteArray("http://TESSAQUILL_PLUS_SEARCH/Some.Title")
                                          << QStringLiteral("Some.Title");
    QTest::newRow("blanks in the title") << QByteArray("http://Tessaquill_Plus_Search/Some Show S01")
                                         << QStringLiteral("Some Show S01");
}

void tst_BrowserTabWidget::internalSearchLinkIsCaught()
{
    QFETCH(QByteArray, href);
    QFETCH(QString, search);
    server->addRoute("GET", "/listing", Response::ok(page("Listing", "<p><a id=\"search\" target=\"_blank\" href=\""
                                                                      + href + "\">Some.Title</a></p>")));
    QVERIFY(loadInto(viewAt(0), QStringLiteral("/listing")));
    const int requests = server->requestCount();

    QSignalSpy searches(tabs.get(), SIGNAL(signalNzbInternalSearch(QString)));
    hoverAndClick(viewAt(0), QStringLiteral("#search"));
    QTRY_COMPARE(searches.count(), 1);
    QCOMPARE(searches.first().first().toString(), search);
    QTest::qWait(200);
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(server->requestCount(), requests);
}

void tst_BrowserTabWidget::scriptWindowWithoutLinkOpensNothing()
{
    QWebSettings::globalSettings()->setAttribute(QWebSettings::JavascriptCanOpenWindows, true);
    server->addRoute("GET", "/popup", Response::ok(page("Popup", "<script>window.open('/second');</script>")));
    QSignalSpy searches(tabs.get(), SIGNAL(signalNzbInternalSearch(QString)));
    QVERIFY(loadInto(viewAt(0), QStringLiteral("/popup")));
    QTest::qWait(200);
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(searches.count(), 0);
    QWebSettings::globalSettings()->resetAttribute(QWebSettings::JavascriptCanOpenWindows);
}

void tst_BrowserTabWidget::middleClickClosesTheTabUnderThePointer()
{
    QSignalSpy closeRequests(tabs.get(), SIGNAL(tabCloseRequested(int)));
    QTabBar *bar = tabs->tabBar();
    // Alone, the tab stays: the release goes to the base class.
    QTest::mouseClick(tabs.get(), Qt::MiddleButton, Qt::NoModifier, bar->mapTo(tabs.get(), bar->tabRect(0).center()));
    QCOMPARE(closeRequests.count(), 0);

    tabs->createTab();
    tabs->createTab();
    QVERIFY(bar->pos().x() > 0); // the corner button shifts the bar
    // Released over the bar, the event reaches the tab widget in the bar's parent coordinates.
    QTest::mouseClick(bar, Qt::MiddleButton, Qt::NoModifier, bar->tabRect(1).center());
    QTest::mouseClick(tabs.get(), Qt::MiddleButton, Qt::NoModifier, bar->mapTo(tabs.get(), bar->tabRect(2).center()));
    const QPoint pastTheTabs(bar->geometry().right() + 20, bar->geometry().center().y());
    QTest::mouseClick(tabs.get(), Qt::MiddleButton, Qt::NoModifier, pastTheTabs);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(0).center());
    QCOMPARE(closeRequests.count(), 3);
    QCOMPARE(closeRequests.at(0).first().toInt(), 1);
    QCOMPARE(closeRequests.at(1).first().toInt(), 2);
    QCOMPARE(closeRequests.at(2).first().toInt(), -1);
    QCOMPARE(tabs->count(), 3); // the owner closes tabs
}

void tst_BrowserTabWidget::relaysReachTheOwnerOnce()
{
    QSignalSpy downloads(tabs.get(), SIGNAL(downloadRequested(QNetworkRequest)));
    QSignalSpy unsupported(tabs.get(), SIGNAL(unsupportedContent(QNetworkReply*)));
    QSignalSpy starts(tabs.get(), SIGNAL(loadStarted()));
    QSignalSpy ends(tabs.get(), SIGNAL(loadFinished(bool)));
    QSignalSpy urls(tabs.get(), SIGNAL(urlChanged(QUrl,QWidget*)));
    server->addRoute("GET", "/page", Response::ok(page("Page")));
    server->addRoute("GET", "/file.nzb", Response::ok("<nzb/>", "application/x-nzb"));

    MyWebView *view = viewAt(0);
    QVERIFY(loadInto(view, QStringLiteral("/page")));
    QCOMPARE(starts.count(), 1);
    QCOMPARE(ends.count(), 1);
    QVERIFY(ends.first().first().toBool());
    QVERIFY(!urls.isEmpty());
    QCOMPARE(urls.last().at(0).toUrl(), server->url(QStringLiteral("/page")));
    QCOMPARE(urls.last().at(1).value<QWidget *>(), tabs->widget(0));

    emit view->page()->downloadRequested(QNetworkRequest(server->url(QStringLiteral("/file.nzb"))));
    QCOMPARE(downloads.count(), 1);
    view->load(server->url(QStringLiteral("/file.nzb")));
    QTRY_COMPARE(unsupported.count(), 1);
    QTest::qWait(100);
    QCOMPARE(unsupported.count(), 1);
    auto *reply = unsupported.first().first().value<QNetworkReply *>();
    QVERIFY(reply);
    QCOMPARE(reply->url(), server->url(QStringLiteral("/file.nzb")));
    reply->deleteLater();
}

void tst_BrowserTabWidget::pageIconBecomesTabIcon()
{
    QWebSettings::setIconDatabasePath(home->path());
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    red.save(&buffer, "PNG");
    server->addRoute("GET", "/favicon.ico", Response::ok(png, "image/png"));
    server->addRoute("GET", "/iconic", Response::ok(page("Iconic")));
    QVERIFY(loadInto(viewAt(0), QStringLiteral("/iconic")));
    QTRY_VERIFY_WITH_TIMEOUT(!tabs->tabIcon(0).isNull(), 10000);
}

void tst_BrowserTabWidget::requestsOfUnknownPagesAreIgnored()
{
    QWidget stranger;
    tabs->webBrowserTitleChanged(QStringLiteral("Stranger"), &stranger);
    tabs->webBrowserTitleChanged(QStringLiteral("Nobody"), nullptr);
    tabs->webBrowserIconChanged(&stranger);
    tabs->webBrowserIconChanged(nullptr);
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QStringLiteral("New tab"));
}

QTEST_MAIN(tst_BrowserTabWidget)
#include "tst_BrowserTabWidget.moc"
