#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "web/BrowserTabWidget.h"
#include "web/DialogWebFavourite.h"
#include "web/DialogWebOptions.h"
#include "web/FrameWebBrowser.h"
#include "web/MyWebView.h"
#include "web/NetworkAccessManager.h"
#include "web/WebBrowserDownloads.h"
#include "web/WebBrowserTab.h"
#include "web/SearchTab.h"

#include "../dialogs/DialogTestSupport.h"
#include "BrowserTestSupport.h"
#include "GuiTestHome.h"
#include "HttpTestServer.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include "ui_MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMainWindow>
#include <QToolButton>
#include <QTabBar>
#include <QAbstractButton>
#include <QMenu>
#include <QSignalSpy>
#include <QTableWidget>
#include <QWebElement>
#include <QWebFrame>
#include <QWebHistory>
#include <QWebSettings>
#include <QtTest>

#include <memory>

namespace {

using Response = HttpTestServer::Response;

QByteArray page(const QByteArray &title)
{
    return "<html><head><title>" + title + "</title></head><body><p>" + title + "</p></body></html>";
}

// The form's controls reach the browser as the main window wires them to its browser slots.
void wireLikeTheWindow(const Ui::MainWindow &ui, WebBrowserTab &tab)
{
    QObject::connect(ui.pushButtonGoUrl, SIGNAL(clicked()), &tab, SLOT(webBrowserGoUrl()));
    QObject::connect(ui.pushButtonGoNzbEngine, SIGNAL(clicked()), &tab, SLOT(webBrowserGoNzbSearchEngine()));
    QObject::connect(ui.pushButtonWebHome, SIGNAL(clicked()), &tab, SLOT(webBrowserGoHomePage()));
    QObject::connect(ui.pushButtonWebBack, SIGNAL(clicked()), &tab, SLOT(webBrowserBack()));
    QObject::connect(ui.pushButtonWebForward, SIGNAL(clicked()), &tab, SLOT(webBrowserForward()));
    QObject::connect(ui.pushButtonWebReload, SIGNAL(clicked()), &tab, SLOT(webBrowserReload()));
    QObject::connect(ui.lineEditWebUrl, SIGNAL(returnPressed()), ui.pushButtonGoUrl, SIGNAL(clicked()));
    QObject::connect(ui.lineEditWebSearch, SIGNAL(returnPressed()), ui.pushButtonWebSearch, SIGNAL(clicked()));
    QObject::connect(ui.pushButtonWebSearch, SIGNAL(clicked()), &tab, SLOT(webBrowserSearchClicked()));
    QObject::connect(ui.comboBoxWebZoom, SIGNAL(currentIndexChanged(QString)), &tab,
                     SLOT(webBrowserZoomCurrentIndexChanged(QString)));
}

} // namespace

class tst_WebBrowserTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void browserIsBuiltIntoThePage();
    void startStateFollowsTheConfiguration_data();
    void startStateFollowsTheConfiguration();
    void addressBar_data();
    void addressBar();
    void invalidAddressIsRefused_data();
    void invalidAddressIsRefused();
    void webSearch_data();
    void webSearch();
    void searchSiteShortcuts_data();
    void searchSiteShortcuts();
    void zoomBelongsToEachPage();
    void backAndForwardFollowTheHistory();
    void loadingLineAndAddressFollowTheCurrentTab();
    void tabsCloseButNeverTheLast();
    void favouritesMenu();
    void addingFavourites();
    void favouriteRefusals_data();
    void favouriteRefusals();
    void favouriteWithoutAPage();
    void browserOptionsAreApplied();
    void cancelledOptionsChangeNothing();
    void caughtNzbReachesTheQueue();
    void rewrittenListingLinkSearchesInTheSearchTab();

private:
    void build();
    bool goTo(const QString &address);
    QString lastTarget() const;
    void picture(const QString &name);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<NetworkAccessManager> manager;
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<QMenu> menu;
    std::unique_ptr<WebBrowserTab> tab;
    std::unique_ptr<QSignalSpy> loads;
    std::unique_ptr<ModalAnswerer> answerer;
    QStringList queued;
};

void tst_WebBrowserTab::initTestCase()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_WebBrowserTab::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    server->addHandler("GET", "*", [](const HttpTestServer::Request &request) {
        return Response::ok(page("Page " + request.url().host().toLatin1() + request.path()));
    });
    resetConfiguration();
    resetWebConfiguration();
    QFile::remove(AppConfiguration::getConfigurationFile());
    AppConfiguration::makeDataFolder();
    answerer = std::make_unique<ModalAnswerer>();
    queued.clear();
}

// The browser on the main window's form, every request through the test server.
void tst_WebBrowserTab::build()
{
    manager = std::make_unique<NetworkAccessManager>();
    proxyThrough(*manager, *server);
    window = std::make_unique<QMainWindow>();
    ui = std::make_unique<Ui::MainWindow>();
    ui->setupUi(window.get());
    ui->tabWidget->setCurrentWidget(ui->tabWebBrowser);
    menu = std::make_unique<QMenu>();
    tab = std::make_unique<WebBrowserTab>(WebBrowserTab::Controls::fromForm(window.get(), *ui, menu.get()),
                                          manager.get(),
                                          [this](const QString &path, const QString &name, const QString &destination) {
                                              QFile file(path);
                                              QVERIFY(file.open(QIODevice::ReadOnly));
                                              queued << name << destination << QString::fromLatin1(file.readAll());
                                          });
    wireLikeTheWindow(*ui, *tab);
    loads = std::make_unique<QSignalSpy>(tab->tabWidget(), SIGNAL(loadFinished(bool)));
    window->resize(1100, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_WebBrowserTab::cleanup()
{
    QCOMPARE(answerer->pendingCount(), 0);
    answerer.reset();
    loads.reset();
    tab.reset();
    menu.reset();
    window.reset();
    ui.reset();
    manager.reset();
    server.reset();
    resetWebSettings();
}

// Types the address into the bar and presses Enter, then waits for the page.
bool tst_WebBrowserTab::goTo(const QString &address)
{
    loads->clear();
    ui->lineEditWebUrl->setText(address);
    QTest::keyClick(ui->lineEditWebUrl, Qt::Key_Return);
    return settle(*loads);
}

// The last page asked for (the page icons that follow each page are left out).
QString tst_WebBrowserTab::lastTarget() const
{
    return lastPageTarget(*server);
}

void tst_WebBrowserTab::picture(const QString &name)
{
    window->resize(1280, 800);
    WidgetPicture::save(window.get(), name);
}

void tst_WebBrowserTab::browserIsBuiltIntoThePage()
{
    build();
    BrowserTabWidget *tabs = tab->tabWidget();
    QCOMPARE(tabs->objectName(), QStringLiteral("webTabView"));
    QCOMPARE(tabs->parentWidget(), ui->tabWebBrowser);
    QCOMPARE(ui->verticalLayout_2->indexOf(tabs), 0);
    QCOMPARE(window->findChild<BrowserTabWidget *>(QStringLiteral("webTabView")), tabs);
    QVERIFY(tabs->tabsClosable());
    QVERIFY(tabs->isMovable());
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->networkManager, manager.get());
    QVERIFY(ui->labelWebDownloading->isHidden());
    QVERIFY(ui->progressBarWebDownload->isHidden());
    QVERIFY(ui->labelLoadStartedInfo->isHidden());
    QCOMPARE(ui->progressBarWebDownload->value(), 0);
    QVERIFY(!ui->pushButtonWebBack->isEnabled());
    QVERIFY(!ui->pushButtonWebForward->isEnabled());
    QVERIFY(!ui->pushButtonWebHome->isEnabled());
    QCOMPARE(ui->pushButtonWebFavourite->menu(), menu.get());
    QCOMPARE(QFileInfo(QWebSettings::iconDatabasePath()).absolutePath(), AppConfiguration::getInstance()->cacheFolder);
    QVERIFY(tab->downloads());
    QCOMPARE(server->requestCount(), 0);
    picture(QStringLiteral("MainWindow_browser_empty"));
}

void tst_WebBrowserTab::startStateFollowsTheConfiguration_data()
{
    QTest::addColumn<QString>("homePage");
    QTest::addColumn<bool>("launch");
    QTest::addColumn<bool>("plugins");
    QTest::addColumn<bool>("java");
    QTest::addColumn<bool>("javascript");

    QTest::newRow("defaults") << QString() << false << false << true << true;
    QTest::newRow("home page, not loaded") << QStringLiteral("www.home.test") << false << true << false << false;
    QTest::newRow("home page loaded at start") << QStringLiteral("www.home.test") << true << false << true << true;
}

void tst_WebBrowserTab::startStateFollowsTheConfiguration()
{
    QFETCH(QString, homePage);
    QFETCH(bool, launch);
    QFETCH(bool, plugins);
    QFETCH(bool, java);
    QFETCH(bool, javascript);
    WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    web.homePage = homePage;
    web.homePageLaunch = launch;
    web.pluginsEnabled = plugins;
    web.javaEnabled = java;
    web.javascriptEnabled = javascript;
    build();

    QCOMPARE(ui->pushButtonWebHome->isEnabled(), !homePage.isEmpty());
    const QWebSettings *settings = QWebSettings::globalSettings();
    QCOMPARE(settings->testAttribute(QWebSettings::PluginsEnabled), plugins);
    QCOMPARE(settings->testAttribute(QWebSettings::JavaEnabled), java);
    QCOMPARE(settings->testAttribute(QWebSettings::JavascriptEnabled), javascript);
    QCOMPARE(settings->testAttribute(QWebSettings::JavascriptCanOpenWindows), javascript);
    QCOMPARE(settings->testAttribute(QWebSettings::JavascriptCanAccessClipboard), javascript);
    if (launch) {
        QVERIFY(settle(*loads));
        QCOMPARE(lastTarget(), QStringLiteral("http://www.home.test/"));
        QCOMPARE(tab->tabWidget()->tabText(0), QStringLiteral("Page www.home.test/"));
    } else {
        QTest::qWait(100);
        QCOMPARE(server->requestCount(), 0);
    }
}

void tst_WebBrowserTab::addressBar_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownBefore");
    QTest::addColumn<QString>("requested");

    QTest::newRow("host alone") << QStringLiteral("www.example.org") << QStringLiteral("http://www.example.org")
                                << QStringLiteral("http://www.example.org/");
    QTest::newRow("blanks around") << QStringLiteral("  www.example.org/a  ") << QStringLiteral("http://www.example.org/a")
                                   << QStringLiteral("http://www.example.org/a");
    QTest::newRow("after three slashes") << QStringLiteral("///www.example.org") << QStringLiteral("http://www.example.org")
                                         << QStringLiteral("http://www.example.org/");
    QTest::newRow("a scheme is kept") << QStringLiteral("HTTP://WWW.Example.ORG/Path") << QStringLiteral("http://www.example.org/Path")
                                      << QStringLiteral("http://www.example.org/Path");
    QTest::newRow("blank inside") << QStringLiteral("www.example.org/two words") << QStringLiteral("http://www.example.org/two words")
                                  << QStringLiteral("http://www.example.org/two%20words");
}

void tst_WebBrowserTab::addressBar()
{
    QFETCH(QString, typed);
    QFETCH(QString, shownBefore);
    QFETCH(QString, requested);
    build();
    QSignalSpy starts(tab->tabWidget(), SIGNAL(loadStarted()));
    ui->lineEditWebUrl->setText(typed);
    QTest::keyClick(ui->lineEditWebUrl, Qt::Key_Return);
    QCOMPARE(ui->lineEditWebUrl->text(), shownBefore);
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), requested);
    QCOMPARE(ui->lineEditWebUrl->text(), QUrl(requested).toString());
    QVERIFY(starts.count() >= 1);
    QCOMPARE(answerer->answeredCount(), 0);
}

void tst_WebBrowserTab::invalidAddressIsRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("blanks") << QStringLiteral("   ") << QString();
    QTest::newRow("blank in the host") << QStringLiteral(" http://exa mple.org ") << QStringLiteral("http://exa mple.org");
}

void tst_WebBrowserTab::invalidAddressIsRefused()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    build();
    answerer->pressNext(QMessageBox::Ok);
    ui->lineEditWebUrl->setText(typed);
    QTest::mouseClick(ui->pushButtonGoUrl, Qt::LeftButton);
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(answerer->seen().first().text, QStringLiteral("This is not a valid URL"));
    QCOMPARE(answerer->seen().first().title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer->seen().first().icon, QMessageBox::Warning);
    QCOMPARE(ui->lineEditWebUrl->text(), kept);
    QTest::qWait(100);
    QCOMPARE(server->requestCount(), 0);
}

void tst_WebBrowserTab::webSearch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("requested");

    QTest::newRow("one word") << QStringLiteral("holiday") << QStringLiteral("http://www.google.com/search?q=holiday");
    QTest::newRow("words and blanks around") << QStringLiteral("  two words ")
                                             << QStringLiteral("http://www.google.com/search?q=two%20words");
    QTest::newRow("empty: nothing") << QStringLiteral("   ") << QString();
}

void tst_WebBrowserTab::webSearch()
{
    QFETCH(QString, typed);
    QFETCH(QString, requested);
    build();
    ui->lineEditWebSearch->setText(typed);
    QTest::keyClick(ui->lineEditWebSearch, Qt::Key_Return);
    if (requested.isEmpty()) {
        QTest::qWait(100);
        QCOMPARE(server->requestCount(), 0);
        QCOMPARE(ui->lineEditWebUrl->text(), QString());
        return;
    }
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), requested);
}

void tst_WebBrowserTab::searchSiteShortcuts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("requested");

    QTest::newRow("BinSearch") << 0 << QStringLiteral("http://www.binsearch.info/");
    QTest::newRow("NzbIndex") << 1 << QStringLiteral("http://www.nzbindex.com/");
    QTest::newRow("MysterBin") << 2 << QStringLiteral("http://www.mysterbin.com/");
    QTest::newRow("nzbking.com") << 3 << QStringLiteral("http://nzbking.com/");
    QTest::newRow("YabSearch") << 4 << QStringLiteral("http://www.yabsearch.nl/news/index");
}

void tst_WebBrowserTab::searchSiteShortcuts()
{
    QFETCH(int, index);
    QFETCH(QString, requested);
    build();
    ui->comboBoxWebNzbSearch->setCurrentIndex(index);
    QTest::mouseClick(ui->pushButtonGoNzbEngine, Qt::LeftButton);
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), requested);
    QCOMPARE(server->requests().first().header("Host"), QUrl(requested).host().toLatin1());
}

void tst_WebBrowserTab::zoomBelongsToEachPage()
{
    build();
    QVERIFY(goTo(QStringLiteral("www.zoom.test")));
    MyWebView *first = tab->currentWebView();
    ui->comboBoxWebZoom->setCurrentText(QStringLiteral("125%"));
    QCOMPARE(first->zoomFactor(), 1.25);
    ui->comboBoxWebZoom->setCurrentText(QStringLiteral("50%"));
    QCOMPARE(first->zoomFactor(), 0.5);

    tab->tabWidget()->createTab();
    MyWebView *second = tab->currentWebView();
    QVERIFY(second != first);
    QCOMPARE(second->zoomFactor(), 1.0);
    QCOMPARE(ui->comboBoxWebZoom->currentText(), QStringLiteral("50%"));
    ui->comboBoxWebZoom->setCurrentText(QStringLiteral("400%"));
    QCOMPARE(second->zoomFactor(), 4.0);
    tab->tabWidget()->setCurrentIndex(0);
    QCOMPARE(first->zoomFactor(), 0.5);
    QCOMPARE(ui->comboBoxWebZoom->currentText(), QStringLiteral("400%"));
}

void tst_WebBrowserTab::backAndForwardFollowTheHistory()
{
    build();
    QVERIFY(goTo(QStringLiteral("www.first.test")));
    QVERIFY(!ui->pushButtonWebForward->isEnabled());
    QVERIFY(goTo(QStringLiteral("www.second.test")));
    QVERIFY(ui->pushButtonWebBack->isEnabled());
    QVERIFY(!ui->pushButtonWebForward->isEnabled());

    loads->clear();
    QTest::mouseClick(ui->pushButtonWebBack, Qt::LeftButton);
    QVERIFY(settle(*loads));
    QCOMPARE(tab->currentWebView()->url(), QUrl(QStringLiteral("http://www.first.test/")));
    QCOMPARE(ui->lineEditWebUrl->text(), QStringLiteral("http://www.first.test/"));
    QVERIFY(ui->pushButtonWebBack->isEnabled()); // the blank page the tab started with
    QVERIFY(ui->pushButtonWebForward->isEnabled());

    loads->clear();
    QTest::mouseClick(ui->pushButtonWebForward, Qt::LeftButton);
    QVERIFY(settle(*loads));
    QCOMPARE(tab->currentWebView()->url(), QUrl(QStringLiteral("http://www.second.test/")));
    QVERIFY(ui->pushButtonWebBack->isEnabled());

    // Reload asks the server again.
    server->clearRequests();
    loads->clear();
    QTest::mouseClick(ui->pushButtonWebReload, Qt::LeftButton);
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), QStringLiteral("http://www.second.test/"));

    // A new tab has no history; going back to the first tab brings its state back.
    QTest::mouseClick(tab->tabWidget()->newTabButton(), Qt::LeftButton);
    QVERIFY(!ui->pushButtonWebBack->isEnabled());
    QVERIFY(!ui->pushButtonWebForward->isEnabled());
    QCOMPARE(ui->lineEditWebUrl->text(), QStringLiteral("about:blank"));
    tab->tabWidget()->setCurrentIndex(0);
    QVERIFY(ui->pushButtonWebBack->isEnabled());
    QCOMPARE(ui->lineEditWebUrl->text(), QStringLiteral("http://www.second.test/"));
    picture(QStringLiteral("MainWindow_browser"));
}

void tst_WebBrowserTab::loadingLineAndAddressFollowTheCurrentTab()
{
    Response slow = Response::ok(page("Slow"));
    slow.delayMs = 400;
    server->addRoute("GET", "http://www.slow.test/", slow);
    build();
    QVERIFY(goTo(QStringLiteral("www.shown.test")));

    // A page loading in a background tab: the line comes and goes, the address bar stays.
    MyWebView *background = tab->currentWebView();
    QTest::mouseClick(tab->tabWidget()->newTabButton(), Qt::LeftButton);
    ui->lineEditWebUrl->setText(QStringLiteral("typed by the user"));
    loads->clear();
    background->load(QUrl(QStringLiteral("http://www.slow.test/")));
    QTRY_VERIFY(ui->labelLoadStartedInfo->isVisible());
    QCOMPARE(ui->labelLoadStartedInfo->text(), QStringLiteral("Loading page..."));
    QVERIFY(settle(*loads));
    QVERIFY(ui->labelLoadStartedInfo->isHidden());
    QCOMPARE(ui->lineEditWebUrl->text(), QStringLiteral("typed by the user"));
    tab->tabWidget()->setCurrentIndex(0);
    QCOMPARE(ui->lineEditWebUrl->text(), QStringLiteral("http://www.slow.test/"));
}

void tst_WebBrowserTab::tabsCloseButNeverTheLast()
{
    build();
    BrowserTabWidget *tabs = tab->tabWidget();
    tab->webBrowserTabCloseRequested(0);
    QCOMPARE(tabs->count(), 1);
    tabs->createTab();
    tabs->createTab();
    QPointer<QWidget> middle = tabs->widget(1);
    tab->webBrowserTabCloseRequested(-1);
    tab->webBrowserTabCloseRequested(7);
    QCOMPARE(tabs->count(), 3);
    emit tabs->tabCloseRequested(1);
    QCOMPARE(tabs->count(), 2);
    QTRY_VERIFY(middle.isNull());
    // The tab's own close button.
    QTabBar *bar = tabs->tabBar();
    auto *close = qobject_cast<QAbstractButton *>(bar->tabButton(1, QTabBar::RightSide));
    QVERIFY(close);
    close->click();
    QCOMPARE(tabs->count(), 1);
    close = qobject_cast<QAbstractButton *>(bar->tabButton(0, QTabBar::RightSide));
    close->click();
    QCOMPARE(tabs->count(), 1);
}

void tst_WebBrowserTab::favouritesMenu()
{
    AppConfiguration::getInstance()->webConfiguration.favourites = {
        {QStringLiteral("zeta"), QStringLiteral("www.zeta.test")},
        {QStringLiteral("Alpha"), QStringLiteral("www.alpha.test")},
        {QStringLiteral("beta"), QStringLiteral("http://www.beta.test/page")},
    };
    build();
    QCOMPARE(menuTexts(*menu),
             (QStringList{"Add to Favourite", "Browser options", "--", "Alpha", "beta", "zeta"}));
    QVERIFY(!menu->actions().at(0)->icon().isNull());
    QVERIFY(!menu->actions().at(1)->icon().isNull());
    QCOMPARE(menuAction(*menu, QStringLiteral("beta"))->data().toString(), QStringLiteral("http://www.beta.test/page"));

    loads->clear();
    menuAction(*menu, QStringLiteral("beta"))->trigger();
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), QStringLiteral("http://www.beta.test/page"));
    loads->clear();
    menuAction(*menu, QStringLiteral("zeta"))->trigger();
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), QStringLiteral("http://www.zeta.test/"));

    AppConfiguration::getInstance()->webConfiguration.favourites.clear();
    tab->createWebFavouritesMenu();
    QCOMPARE(menuTexts(*menu), (QStringList{"Add to Favourite", "Browser options", "--"}));
}

void tst_WebBrowserTab::addingFavourites()
{
    AppConfiguration::getInstance()->webConfiguration.favourites = {{QStringLiteral("Page www.fav.test/"), QStringLiteral("old")}};
    build();
    QVERIFY(goTo(QStringLiteral("www.fav.test")));
    QString proposedTitle;
    QString proposedUrl;
    answerer->handleNext([&](QWidget *w) {
        auto *dialog = qobject_cast<DialogWebFavourite *>(w);
        QVERIFY(dialog);
        proposedTitle = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditTitle"))->text();
        proposedUrl = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditUrl"))->text();
        WidgetPicture::save(dialog, QStringLiteral("DialogWebFavourite"));
        clickButtonBox(dialog, QDialogButtonBox::Ok);
    });
    menuAction(*menu, QStringLiteral("Add to Favourite"))->trigger();
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(answerer->seen().first().title, QStringLiteral("Add Favourite"));
    QCOMPARE(proposedTitle, QStringLiteral("Page www.fav.test/"));
    QCOMPARE(proposedUrl, QStringLiteral("http://www.fav.test/"));

    // The title existed: its address is replaced, and the menu shows it once.
    const QHash<QString, QString> expected{{QStringLiteral("Page www.fav.test/"), QStringLiteral("http://www.fav.test/")}};
    QCOMPARE(AppConfiguration::getInstance()->webConfiguration.favourites, expected);
    QCOMPARE(menuTexts(*menu), (QStringList{"Add to Favourite", "Browser options", "--", "Page www.fav.test/"}));
    const QDomElement favourite = readConfigurationFile().documentElement().firstChildElement("Web").firstChildElement("Favourite");
    QCOMPARE(favourite.firstChildElement("Fav_Name").text(), QStringLiteral("Page www.fav.test/"));
    QCOMPARE(favourite.firstChildElement("Fav_Url").text(), QStringLiteral("http://www.fav.test/"));

    // Edited in the dialog, trimmed.
    answerer->handleNext([](QWidget *w) {
        w->findChild<QLineEdit *>(QStringLiteral("lineEditTitle"))->setText(QStringLiteral("  Mine  "));
        w->findChild<QLineEdit *>(QStringLiteral("lineEditUrl"))->setText(QStringLiteral(" www.mine.test "));
        clickButtonBox(w, QDialogButtonBox::Ok);
    });
    tab->webBrowserAddFavourite();
    QCOMPARE(AppConfiguration::getInstance()->webConfiguration.favourites.value(QStringLiteral("Mine")),
             QStringLiteral("www.mine.test"));

    // Cancel stores nothing.
    answerer->handleNext([](QWidget *w) {
        w->findChild<QLineEdit *>(QStringLiteral("lineEditTitle"))->setText(QStringLiteral("Cancelled"));
        clickButtonBox(w, QDialogButtonBox::Cancel);
    });
    tab->webBrowserAddFavourite();
    QCOMPARE(AppConfiguration::getInstance()->webConfiguration.favourites.size(), 2);
}

void tst_WebBrowserTab::favouriteRefusals_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("message");

    QTest::newRow("blank title") << QStringLiteral("   ") << QStringLiteral("www.x.test") << QStringLiteral("Title must not be empty");
    QTest::newRow("blank address") << QStringLiteral("X") << QStringLiteral("  ") << QStringLiteral("URL must not be empty");
    QTest::newRow("both blank") << QString() << QString() << QStringLiteral("Title must not be empty");
}

void tst_WebBrowserTab::favouriteRefusals()
{
    QFETCH(QString, title);
    QFETCH(QString, url);
    QFETCH(QString, message);
    build();
    answerer->handleNext([&](QWidget *w) {
        w->findChild<QLineEdit *>(QStringLiteral("lineEditTitle"))->setText(title);
        w->findChild<QLineEdit *>(QStringLiteral("lineEditUrl"))->setText(url);
        clickButtonBox(w, QDialogButtonBox::Ok);
    });
    answerer->pressNext(QMessageBox::Ok);
    tab->webBrowserAddFavourite();
    QCOMPARE(answerer->answeredCount(), 2);
    QCOMPARE(answerer->seen().at(1).text, message);
    QCOMPARE(answerer->seen().at(1).icon, QMessageBox::Critical);
    QVERIFY(AppConfiguration::getInstance()->webConfiguration.favourites.isEmpty());
    QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
}

void tst_WebBrowserTab::favouriteWithoutAPage()
{
    build();
    ui->lineEditWebUrl->setText(QStringLiteral("  www.typed.test "));
    // No tab left (the window never lets the last one go; a test can).
    while (tab->tabWidget()->count() > 0)
        delete tab->tabWidget()->widget(0);
    QVERIFY(!tab->currentWebView());
    QString proposedTitle;
    QString proposedUrl;
    answerer->handleNext([&](QWidget *w) {
        proposedTitle = w->findChild<QLineEdit *>(QStringLiteral("lineEditTitle"))->text();
        proposedUrl = w->findChild<QLineEdit *>(QStringLiteral("lineEditUrl"))->text();
        clickButtonBox(w, QDialogButtonBox::Cancel);
    });
    tab->webBrowserAddFavourite();
    QCOMPARE(proposedTitle, QStringLiteral("New favourite"));
    QCOMPARE(proposedUrl, QStringLiteral("www.typed.test"));
    // Nothing to act on: these do nothing.
    tab->webBrowserBack();
    tab->webBrowserForward();
    tab->webBrowserReload();
    tab->webBrowserZoomCurrentIndexChanged(QStringLiteral("200%"));
    tab->webBrowserLoadFinished(true);
    QVERIFY(!ui->pushButtonWebBack->isEnabled());
}

void tst_WebBrowserTab::browserOptionsAreApplied()
{
    WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    web.favourites = {{QStringLiteral("keep"), QStringLiteral("www.keep.test")},
                      {QStringLiteral("drop"), QStringLiteral("www.drop.test")}};
    web.javascriptEnabled = false;
    build();
    QVERIFY(!QWebSettings::globalSettings()->testAttribute(QWebSettings::JavascriptEnabled));

    answerer->handleNext([](QWidget *w) {
        auto *table = w->findChild<QTableWidget *>(QStringLiteral("tableWidgetFavourites"));
        const QList<QTableWidgetItem *> found = table->findItems(QStringLiteral("drop"), Qt::MatchExactly);
        table->selectRow(found.first()->row());
        w->findChild<QPushButton *>(QStringLiteral("pushButtonDeleteFavourite"))->click();
        w->findChild<QLineEdit *>(QStringLiteral("lineEditHomePage"))->setText(QStringLiteral(" www.home.test "));
        w->findChild<QCheckBox *>(QStringLiteral("checkBoxLoadHomePageAtStartup"))->setChecked(true);
        w->findChild<QCheckBox *>(QStringLiteral("checkBoxPluginsEnabled"))->setChecked(true);
        w->findChild<QCheckBox *>(QStringLiteral("checkBoxJavaEnabled"))->setChecked(false);
        w->findChild<QCheckBox *>(QStringLiteral("checkBoxJavascriptEnabled"))->setChecked(true);
        clickButtonBox(w, QDialogButtonBox::Ok);
    });
    menuAction(*menu, QStringLiteral("Browser options"))->trigger();
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(answerer->seen().first().title, QStringLiteral("Browser options"));

    QCOMPARE(web.homePage, QStringLiteral("www.home.test"));
    QVERIFY(web.homePageLaunch);
    QVERIFY(web.pluginsEnabled);
    QVERIFY(!web.javaEnabled);
    QVERIFY(web.javascriptEnabled);
    QCOMPARE(web.favourites, (QHash<QString, QString>{{QStringLiteral("keep"), QStringLiteral("www.keep.test")}}));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("HomePage")), QStringLiteral("www.home.test"));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("HomePageLaunch")), QStringLiteral("1"));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("PluginsEnabled")), QStringLiteral("1"));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("JavaEnabled")), QStringLiteral("0"));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("JavascriptEnabled")), QStringLiteral("1"));
    QCOMPARE(menuTexts(*menu), (QStringList{"Add to Favourite", "Browser options", "--", "keep"}));

    // Scripts run at once; their windows and clipboard wait for the next start.
    const QWebSettings *settings = QWebSettings::globalSettings();
    QVERIFY(settings->testAttribute(QWebSettings::JavascriptEnabled));
    QVERIFY(settings->testAttribute(QWebSettings::PluginsEnabled));
    QVERIFY(!settings->testAttribute(QWebSettings::JavaEnabled));
    QVERIFY(!settings->testAttribute(QWebSettings::JavascriptCanOpenWindows));
    QVERIFY(!settings->testAttribute(QWebSettings::JavascriptCanAccessClipboard));
    // The Home button keeps its start-up state.
    QVERIFY(!ui->pushButtonWebHome->isEnabled());
}

void tst_WebBrowserTab::cancelledOptionsChangeNothing()
{
    WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    web.favourites = {{QStringLiteral("one"), QStringLiteral("www.one.test")}};
    build();
    answerer->handleNext([](QWidget *w) {
        auto *table = w->findChild<QTableWidget *>(QStringLiteral("tableWidgetFavourites"));
        table->selectRow(0);
        w->findChild<QPushButton *>(QStringLiteral("pushButtonDeleteFavourite"))->click();
        QCOMPARE(table->rowCount(), 0);
        w->findChild<QCheckBox *>(QStringLiteral("checkBoxJavascriptEnabled"))->setChecked(false);
        clickButtonBox(w, QDialogButtonBox::Cancel);
    });
    tab->webBrowserBrowserOptions();
    QCOMPARE(web.favourites.size(), 1);
    QVERIFY(web.javascriptEnabled);
    QVERIFY(QWebSettings::globalSettings()->testAttribute(QWebSettings::JavascriptEnabled));
    QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
}

void tst_WebBrowserTab::caughtNzbReachesTheQueue()
{
    QFile fixture(QStringLiteral(TQ_TEST_DATA "/nzb/holiday_with_par2.nzb"));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    const QByteArray nzb = fixture.readAll();
    server->addRoute("GET", "http://www.nzbsite.test/get/1",
                     Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=\"Holiday.nzb\""));
    build();
    QSignalSpy ends(tab->downloads(), SIGNAL(downloadEnded()));
    ui->lineEditWebUrl->setText(QStringLiteral("www.nzbsite.test/get/1"));
    QTest::keyClick(ui->lineEditWebUrl, Qt::Key_Return);
    QVERIFY(ends.wait(15000));
    QCOMPARE(queued, (QStringList{"Holiday", QString(), QString::fromLatin1(nzb)}));
    QVERIFY(ui->labelWebDownloading->isHidden());
}

// A title of the listing site, rewritten into a search link, searched for in the search tab:
// the road from a page to the search service.
void tst_WebBrowserTab::rewrittenListingLinkSearchesInTheSearchTab()
{
    for (const QString &name : {QStringLiteral("index.html"), QStringLiteral("menu.html"), QStringLiteral("listing.html")})
        server->addRoute("GET", QStringLiteral("http://www.nzblisting.fr/") + name,
                         Response::ok(listingPage(name), "text/html; charset=utf-8"));
    server->addRoute("GET", "/", Response::ok("<html><body>no results</body></html>"));
    qputenv("TESSAQUILL_BINSEARCH_URL", server->url().toEncoded());
    build();
    SearchTab search(SearchTab::Controls::fromForm(window.get(), *ui), [](const QString &, const QString &, const QString &) {});
    connect(tab->tabWidget(), SIGNAL(signalNzbInternalSearch(QString)), &search, SLOT(webBrowserNzbInternalSearch(QString)));
    answerer->pressNext(QMessageBox::Ok); // "no result" for the search

    QVERIFY(goTo(QStringLiteral("www.nzblisting.fr/index.html")));
    QWebFrame *listing = tab->currentWebView()->page()->mainFrame()->childFrames().at(1);
    QTRY_VERIFY(listing->toHtml().contains(QStringLiteral("Tessaquill_Plus_Search/Holiday.Movie.2010")));
    const QWebElement link = listing->findFirstElement(QStringLiteral("a[target=_blank]"));
    QCOMPARE(link.toPlainText(), QStringLiteral("Holiday.Movie.2010"));
    const QPoint at = link.geometry().center() + listing->geometry().topLeft() - listing->scrollPosition();
    QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(tab->currentWebView(), &move);
    QTest::mouseClick(tab->currentWebView(), Qt::LeftButton, Qt::NoModifier, at);

    QTRY_COMPARE(ui->tabWidget->currentWidget(), ui->tabSearch);
    QCOMPARE(ui->lineEditSearch->text(), QStringLiteral("Holiday.Movie.2010"));
    QTRY_COMPARE(ui->tabWidgetSearchNzb->count(), 1);
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(tab->tabWidget()->count(), 1);
    bool searched = false;
    for (const HttpTestServer::Request &request : server->requests())
        searched = searched || request.query().startsWith("q=Holiday.Movie.2010");
    QVERIFY(searched);
    qunsetenv("TESSAQUILL_BINSEARCH_URL");
}

QTEST_MAIN(tst_WebBrowserTab)
#include "tst_WebBrowserTab.moc"
