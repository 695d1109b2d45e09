// The web browser tab of the real main window: the tab widget in its page, the form's controls,
// tabs, the internal search reaching the search tab, NZB files caught from pages reaching the
// queue, the favourites and options dialogs. Every page comes from the test server, which is
// the proxy of every host name.
#include "MainWindowTestAccess.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "web/BrowserTabWidget.h"
#include "web/DialogWebFavourite.h"
#include "web/MyWebView.h"
#include "widgets/WebAddresses.h"
#include "web/WebBrowserDownloads.h"

#include "../dialogs/DialogTestSupport.h"
#include "../web/BrowserTestSupport.h"
#include "GuiTestHome.h"
#include "HttpTestServer.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QNetworkProxy>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWebElement>
#include <QWebFrame>
#include <QWebHistory>
#include <QWebSettings>
#include <QtTest>

#include <memory>

namespace {

using Response = HttpTestServer::Response;

QByteArray page(const QByteArray &title, const QByteArray &body = QByteArray())
{
    return "<html><head><title>" + title + "</title></head><body><p>" + title + "</p>" + body + "</body></html>";
}

// What a parsed NZB holds: each file's subject and number of segments.
QStringList contentOf(const NzbFiles &nzb)
{
    QStringList content;
    for (const NzbFile *file : nzb.getFiles())
        content << file->getSubject() + QLatin1Char('/') + QString::number(file->getSegmentCount());
    content.sort();
    return content;
}

} // namespace

class tst_MainWindowBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void browserIsBuiltIntoTheWindow();
    void homePageAtStartup_data();
    void homePageAtStartup();
    void controlsDriveThePages();
    void tabsOfTheWindow();
    void internalSearchLinkReachesTheSearchTab();
    void caughtNzbGoesToTheQueue();
    void failedDownloadIsReportedAndNotQueued();
    void secondDownloadDuringTheFirstOnesSaveDialog();
    void favouritesAndOptions();
    void searchFormShowsItsLabelsWhole();

private:
    void build();
    bool goTo(const QString &address);
    QString lastTarget() const;
    QStringList temporaryFiles() const;
    Ui::MainWindow &ui() { return MainWindowTestAccess::ui(*window); }
    BrowserTabWidget *tabs() const { return window->findChild<BrowserTabWidget *>(QStringLiteral("webTabView")); }
    QList<NzbFiles *> &queue() { return AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles; }

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<QTemporaryDir> temporaryFolder;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<ModalAnswerer> answerer;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QSignalSpy> loads;
};

void tst_MainWindowBrowser::initTestCase()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindow::systemTrayAvailable = [] { return false; };
}

void tst_MainWindowBrowser::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    // The temporary files of the browser's downloads go into this test's folder, to be counted.
    temporaryFolder = std::make_unique<QTemporaryDir>(home->path() + QStringLiteral("/tmp-XXXXXX"));
    QVERIFY(temporaryFolder->isValid());
    qputenv("TMPDIR", QFile::encodeName(temporaryFolder->path()));

    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    server->addHandler("GET", "*", [](const HttpTestServer::Request &request) {
        return Response::ok(page("Page " + request.url().host().toLatin1() + request.path()));
    });
    // Every host name, the outside addresses included, is served by the test server.
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server->port()));
    qputenv("TESSAQUILL_BINSEARCH_URL", server->url().toEncoded());
    // No version check: it was made a moment ago.
    QSettings().setValue(QStringLiteral("checkedVersion"), QDateTime::currentDateTime());

    resetConfiguration();
    AppConfiguration *config = AppConfiguration::getInstance();
    qDeleteAll(config->serversConfiguration.listServers);
    config->serversConfiguration.listServers.clear();
    config->nzbConfiguration.listNzbFiles.clear();
    config->autoDownloadNzb = true;
    config->cacheFolder = home->dataFolder() + QStringLiteral("/Cache");
    config->downloadFolder = home->dataFolder() + QStringLiteral("/Download");
    config->destinationFolder = home->dataFolder() + QStringLiteral("/Destination");
    resetWebConfiguration();
    AppConfiguration::makeDataFolder();
    answerer = std::make_unique<ModalAnswerer>();
}

void tst_MainWindowBrowser::cleanup()
{
    WebBrowserDownloads::setSaveFileChooser(nullptr);
    QCOMPARE(answerer->pendingCount(), 0);
    loads.reset();
    window.reset();
    answerer.reset();
    // What the window queued is not this test's to keep.
    AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles.clear();
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    qunsetenv("TESSAQUILL_BINSEARCH_URL");
    server.reset();
    QTRY_COMPARE(temporaryFiles(), QStringList());
    qunsetenv("TMPDIR");
    temporaryFolder.reset();
    home.reset();
    resetWebSettings();
}

void tst_MainWindowBrowser::build()
{
    window = std::make_unique<MainWindow>();
    ui().tabWidget->setCurrentWidget(ui().tabWebBrowser);
    window->resize(1280, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(tabs());
    loads = std::make_unique<QSignalSpy>(tabs(), SIGNAL(loadFinished(bool)));
}

// Types the address into the bar and presses Enter, then waits for the page and its icon.
bool tst_MainWindowBrowser::goTo(const QString &address)
{
    loads->clear();
    ui().lineEditWebUrl->setText(address);
    QTest::keyClick(ui().lineEditWebUrl, Qt::Key_Return);
    return settle(*loads);
}

QString tst_MainWindowBrowser::lastTarget() const
{
    return lastPageTarget(*server);
}

QStringList tst_MainWindowBrowser::temporaryFiles() const
{
    return QDir(temporaryFolder->path()).entryList(QDir::Files | QDir::Hidden);
}

void tst_MainWindowBrowser::browserIsBuiltIntoTheWindow()
{
    build();
    BrowserTabWidget *browser = tabs();
    QCOMPARE(browser->parentWidget(), ui().tabWebBrowser);
    QCOMPARE(ui().verticalLayout_2->indexOf(browser), 0);
    QVERIFY(browser->tabsClosable());
    QVERIFY(browser->isMovable());
    QCOMPARE(browser->count(), 1);
    QCOMPARE(browser->networkManager, MainWindowTestAccess::networkManagerBrowser(*window));
    QVERIFY(browser->currentWebView());
    QVERIFY(ui().labelWebDownloading->isHidden());
    QVERIFY(ui().progressBarWebDownload->isHidden());
    QVERIFY(ui().labelLoadStartedInfo->isHidden());
    QVERIFY(!ui().pushButtonWebBack->isEnabled());
    QVERIFY(!ui().pushButtonWebForward->isEnabled());
    QVERIFY(!ui().pushButtonWebHome->isEnabled());
    QCOMPARE(QFileInfo(QWebSettings::iconDatabasePath()).absolutePath(), AppConfiguration::getInstance()->cacheFolder);
    QVERIFY(ui().pushButtonWebFavourite->menu());
    QCOMPARE(menuTexts(*ui().pushButtonWebFavourite->menu()), (QStringList{"Add to Favourite", "Browser options", "--"}));
    QCOMPARE(server->requestCount(), 0);

    QVERIFY(goTo(QStringLiteral("www.example.test/start")));
    QCOMPARE(browser->tabText(0), QStringLiteral("Page www.example.test/start"));
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindow_browser")).isEmpty());
}

void tst_MainWindowBrowser::homePageAtStartup_data()
{
    QTest::addColumn<QString>("homePage");
    QTest::addColumn<bool>("launch");

    QTest::newRow("no home page") << QString() << true;
    QTest::newRow("home page, not loaded") << QStringLiteral("www.home.test/welcome") << false;
    QTest::newRow("home page loaded at start") << QStringLiteral("www.home.test/welcome") << true;
}

void tst_MainWindowBrowser::homePageAtStartup()
{
    QFETCH(QString, homePage);
    QFETCH(bool, launch);
    WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    web.homePage = homePage;
    web.homePageLaunch = launch;
    // With no home page, loading it at start-up is the empty address, which is refused.
    if (homePage.isEmpty())
        answerer->pressNext(QMessageBox::Ok);
    window = std::make_unique<MainWindow>();
    ui().tabWidget->setCurrentWidget(ui().tabWebBrowser);
    QSignalSpy started(tabs(), SIGNAL(loadFinished(bool)));
    window->show();

    QCOMPARE(ui().pushButtonWebHome->isEnabled(), !homePage.isEmpty());
    if (homePage.isEmpty()) {
        QVERIFY(answerer->waitForAnswered(1));
        QCOMPARE(answerer->seen().first().text, QStringLiteral("This is not a valid URL"));
    } else if (launch) {
        QVERIFY(settle(started));
        QCOMPARE(lastTarget(), QStringLiteral("http://www.home.test/welcome"));
        QCOMPARE(ui().lineEditWebUrl->text(), QStringLiteral("http://www.home.test/welcome"));
        // The Home button goes there again.
        server->clearRequests();
        ui().pushButtonWebHome->click();
        QTRY_COMPARE(lastTarget(), QStringLiteral("http://www.home.test/welcome"));
    } else {
        QTest::qWait(200);
        QCOMPARE(server->requestCount(), 0);
    }
}

void tst_MainWindowBrowser::controlsDriveThePages()
{
    build();
    QVERIFY(goTo(QStringLiteral("www.one.test")));
    QCOMPARE(ui().lineEditWebUrl->text(), QStringLiteral("http://www.one.test/"));
    QVERIFY(ui().labelLoadStartedInfo->isHidden());
    QVERIFY(!ui().pushButtonWebForward->isEnabled());
    QVERIFY(goTo(QStringLiteral("www.two.test")));
    QVERIFY(ui().pushButtonWebBack->isEnabled());
    QVERIFY(!ui().pushButtonWebForward->isEnabled());

    // Back and Forward follow the history.
    loads->clear();
    ui().pushButtonWebBack->click();
    QVERIFY(settle(*loads));
    QTRY_COMPARE(ui().lineEditWebUrl->text(), QStringLiteral("http://www.one.test/"));
    QVERIFY(ui().pushButtonWebBack->isEnabled()); // the blank page the tab started with
    QVERIFY(ui().pushButtonWebForward->isEnabled());
    loads->clear();
    ui().pushButtonWebForward->click();
    QVERIFY(settle(*loads));
    QTRY_COMPARE(ui().lineEditWebUrl->text(), QStringLiteral("http://www.two.test/"));

    // Reload asks for the page again.
    server->clearRequests();
    loads->clear();
    ui().pushButtonWebReload->click();
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), QStringLiteral("http://www.two.test/"));

    // The web search box: the text after the search engine's "q=", blanks and all.
    loads->clear();
    ui().lineEditWebSearch->setText(QStringLiteral("  two words "));
    QTest::keyClick(ui().lineEditWebSearch, Qt::Key_Return);
    QVERIFY(settle(*loads));
    QCOMPARE(lastTarget(), QString::fromLatin1(QUrl(WebAddresses::webSearchQueryUrl() + QStringLiteral("two words"),
                                                    QUrl::TolerantMode).toEncoded()));

    // Each search-site shortcut opens that site's home page.
    for (int index = 0; index < ui().comboBoxWebNzbSearch->count(); ++index) {
        ui().comboBoxWebNzbSearch->setCurrentIndex(index);
        const QUrl expected(WebAddresses::nzbSearchSiteHome(ui().comboBoxWebNzbSearch->currentText().toLower()));
        QVERIFY2(expected.isValid() && !expected.host().isEmpty(), qPrintable(ui().comboBoxWebNzbSearch->currentText()));
        loads->clear();
        ui().pushButtonGoNzbEngine->click();
        QVERIFY(settle(*loads));
        const QUrl asked(lastTarget());
        QCOMPARE(asked.host(), expected.host());
        QCOMPARE(asked.path(), expected.path().isEmpty() ? QStringLiteral("/") : expected.path());
    }

    // The zoom list zooms the page shown.
    ui().comboBoxWebZoom->setCurrentText(QStringLiteral("125%"));
    QCOMPARE(tabs()->currentWebView()->zoomFactor(), 1.25);
}

void tst_MainWindowBrowser::tabsOfTheWindow()
{
    build();
    QVERIFY(goTo(QStringLiteral("www.first.test")));
    tabs()->newTabButton()->click();
    QCOMPARE(tabs()->count(), 2);
    QVERIFY(goTo(QStringLiteral("www.second.test")));
    tabs()->newTabButton()->click();
    QVERIFY(goTo(QStringLiteral("www.third.test")));
    QCOMPARE(tabs()->count(), 3);

    // The address bar follows the current tab.
    tabs()->setCurrentIndex(0);
    QCOMPARE(ui().lineEditWebUrl->text(), QStringLiteral("http://www.first.test/"));

    // A middle click closes the tab under the pointer, the corner button shifting the bar.
    QTabBar *bar = tabs()->tabBar();
    QVERIFY(bar->geometry().left() > 0);
    QWidget *second = tabs()->widget(1);
    QTest::mouseClick(tabs(), Qt::MiddleButton, Qt::NoModifier, bar->mapTo(tabs(), bar->tabRect(1).center()));
    QCOMPARE(tabs()->count(), 2);
    QVERIFY(tabs()->indexOf(second) < 0);
    QCOMPARE(tabs()->tabText(1), QStringLiteral("Page www.third.test/"));

    // The close buttons close tabs too, never the last one.
    emit tabs()->tabCloseRequested(1);
    QCOMPARE(tabs()->count(), 1);
    emit tabs()->tabCloseRequested(0);
    QCOMPARE(tabs()->count(), 1);
    QCOMPARE(tabs()->tabText(0), QStringLiteral("Page www.first.test/"));
}

// A link of the page rewriter, opened from a page: the window's search tab searches for it.
void tst_MainWindowBrowser::internalSearchLinkReachesTheSearchTab()
{
    server->addRoute("GET", "http://www.listing.test/",
                     Response::ok(page("Listing", "<p><a id=\"s\" target=\"_blank\" "
                                                  "href=\"http://Tessaquill_Plus_Search/Some.Title\">Some.Title</a></p>")));
    build();
    QVERIFY(goTo(QStringLiteral("www.listing.test")));
    answerer->pressNext(QMessageBox::Ok); // the search finds nothing
    const QWebElement link = tabs()->currentWebView()->page()->mainFrame()->findFirstElement(QStringLiteral("#s"));
    QVERIFY(!link.isNull());
    const QPoint at = link.geometry().center();
    QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(tabs()->currentWebView(), &move);
    QTest::mouseClick(tabs()->currentWebView(), Qt::LeftButton, Qt::NoModifier, at);

    QTRY_COMPARE(ui().tabWidget->currentWidget(), ui().tabSearch);
    QCOMPARE(ui().lineEditSearch->text(), QStringLiteral("Some.Title"));
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(tabs()->count(), 1);
    bool searched = false;
    for (const HttpTestServer::Request &request : server->requests())
        searched = searched || request.query().startsWith("q=Some.Title");
    QVERIFY(searched);
}

void tst_MainWindowBrowser::caughtNzbGoesToTheQueue()
{
    const QByteArray nzb = fixtureNzb();
    QVERIFY(!nzb.isEmpty());
    Response chunked = Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=\"Holiday.nzb\"");
    chunked.chunked = true;
    chunked.chunkSize = 700;
    server->addRoute("GET", "http://www.nzbsite.test/get/1", chunked);
    build();
    ui().lineEditWebUrl->setText(QStringLiteral("www.nzbsite.test/get/1"));
    QTest::keyClick(ui().lineEditWebUrl, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(queue().size(), 1, 15000);

    // Everything that was served is queued, under the name less its suffix.
    NzbFiles *queued = queue().first();
    QCOMPARE(queued->strName, QStringLiteral("Holiday"));
    QFile fixture(QStringLiteral(TQ_TEST_DATA "/nzb/holiday_with_par2.nzb"));
    QString error;
    std::unique_ptr<NzbFiles> expected(
        DownloadNzbManager::getInstance()->loadNzbFile(fixture.fileName(), error, QStringLiteral("Holiday"), QString()));
    QVERIFY2(expected, qPrintable(error));
    QCOMPARE(contentOf(*queued), contentOf(*expected));
    QTRY_VERIFY(ui().labelWebDownloading->isHidden());
    QCOMPARE(answerer->answeredCount(), 0);
}

void tst_MainWindowBrowser::failedDownloadIsReportedAndNotQueued()
{
    const QByteArray nzb = fixtureNzb();
    server->addRoute("GET", "http://www.nzbsite.test/gone",
                     Response::withStatus(404, nzb)
                         .withHeader("Content-Type", "application/x-nzb")
                         .withHeader("Content-Disposition", "attachment; filename=gone.nzb"));
    Response cut = Response::ok(nzb, "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=cut.nzb");
    cut.closeAfterBodyBytes = nzb.size() / 2;
    server->addRoute("GET", "http://www.nzbsite.test/cut", cut);
    build();
    for (const QString &address : {QStringLiteral("www.nzbsite.test/gone"), QStringLiteral("www.nzbsite.test/cut")}) {
        const int before = answerer->answeredCount();
        answerer->pressNext(QMessageBox::Ok);
        ui().lineEditWebUrl->setText(address);
        QTest::keyClick(ui().lineEditWebUrl, Qt::Key_Return);
        QVERIFY2(answerer->waitForAnswered(before + 1, 15000), qPrintable(address));
        QCOMPARE(answerer->seen().last().text, QStringLiteral("Download failed"));
        QCOMPARE(answerer->seen().last().title, QStringLiteral("Tessaquill+"));
    }
    QVERIFY(queue().isEmpty());
    QVERIFY(ui().labelWebDownloading->isHidden());
}

// While the save dialog of a caught file is open, an NZB caught from another page goes to the
// queue; the first file is then saved whole.
void tst_MainWindowBrowser::secondDownloadDuringTheFirstOnesSaveDialog()
{
    QByteArray archive;
    for (int i = 0; i < 5000; ++i)
        archive += QByteArray::number(i) + ' ';
    server->addRoute("GET", "http://www.files.test/notes",
                     Response::ok(archive, "application/zip").withHeader("Content-Disposition", "attachment; filename=\"notes.zip\""));
    server->addRoute("GET", "http://www.nzbsite.test/get/2",
                     Response::ok(fixtureNzb(), "application/x-nzb").withHeader("Content-Disposition", "attachment; filename=Second.nzb"));
    build();
    const QString target = home->path() + QStringLiteral("/saved/notes.zip");
    QStringList suggestions;
    bool queuedMeanwhile = false;
    WebBrowserDownloads::setSaveFileChooser([&](QWidget *, const QString &, const QString &suggestion) {
        suggestions << suggestion;
        tabs()->currentWebView()->load(QUrl(QStringLiteral("http://www.nzbsite.test/get/2")));
        QElapsedTimer clock;
        clock.start();
        while (queue().isEmpty() && clock.elapsed() < 15000)
            QTest::qWait(20);
        queuedMeanwhile = !queue().isEmpty();
        return target;
    });
    ui().lineEditWebUrl->setText(QStringLiteral("www.files.test/notes"));
    QTest::keyClick(ui().lineEditWebUrl, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(target), 20000);

    QCOMPARE(suggestions, QStringList{QDir::homePath() + QStringLiteral("/notes.zip")});
    QVERIFY(queuedMeanwhile);
    QCOMPARE(queue().size(), 1);
    QCOMPARE(queue().first()->strName, QStringLiteral("Second"));
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), archive);
    QCOMPARE(answerer->answeredCount(), 0);
}

void tst_MainWindowBrowser::favouritesAndOptions()
{
    AppConfiguration::getInstance()->webConfiguration.favourites = {{QStringLiteral("Old"), QStringLiteral("www.old.test")}};
    build();
    QMenu &menu = *ui().pushButtonWebFavourite->menu();
    QCOMPARE(menuTexts(menu), (QStringList{"Add to Favourite", "Browser options", "--", "Old"}));
    QVERIFY(goTo(QStringLiteral("www.fav.test/page")));

    // Added from the page shown: its title and address are proposed.
    QString proposedTitle;
    QString proposedUrl;
    answerer->handleNext([&](QWidget *w) {
        proposedTitle = w->findChild<QLineEdit *>(QStringLiteral("lineEditTitle"))->text();
        proposedUrl = w->findChild<QLineEdit *>(QStringLiteral("lineEditUrl"))->text();
        clickButtonBox(w, QDialogButtonBox::Ok);
    });
    menuAction(menu, QStringLiteral("Add to Favourite"))->trigger();
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(proposedTitle, QStringLiteral("Page www.fav.test/page"));
    QCOMPARE(proposedUrl, QStringLiteral("http://www.fav.test/page"));
    QCOMPARE(AppConfiguration::getInstance()->webConfiguration.favourites.value(proposedTitle), proposedUrl);
    QVERIFY(menuAction(menu, proposedTitle));

    // A favourite of the menu loads its page.
    loads->clear();
    menuAction(menu, QStringLiteral("Old"))->trigger();
    QVERIFY(settle(*loads));
    QCOMPARE(ui().lineEditWebUrl->text(), QStringLiteral("http://www.old.test/"));

    // The options: "Old" edited, the new one removed, home page and switches saved.
    answerer->handleNext([](QWidget *w) {
        auto *table = w->findChild<QTableWidget *>(QStringLiteral("tableWidgetFavourites"));
        const QTableWidgetItem *old = table->findItems(QStringLiteral("Old"), Qt::MatchExactly).first();
        table->item(old->row(), 1)->setText(QStringLiteral("www.edited.test"));
        table->selectRow(table->findItems(QStringLiteral("Page www.fav.test/page"), Qt::MatchExactly).first()->row());
        w->findChild<QPushButton *>(QStringLiteral("pushButtonDeleteFavourite"))->click();
        w->findChild<QLineEdit *>(QStringLiteral("lineEditHomePage"))->setText(QStringLiteral("www.home.test"));
        w->findChild<QCheckBox *>(QStringLiteral("checkBoxLoadHomePageAtStartup"))->setChecked(true);
        w->findChild<QCheckBox *>(QStringLiteral("checkBoxJavascriptEnabled"))->setChecked(false);
        WidgetPicture::save(w, QStringLiteral("MainWindow_browser_options"));
        clickButtonBox(w, QDialogButtonBox::Ok);
    });
    menuAction(menu, QStringLiteral("Browser options"))->trigger();
    QCOMPARE(answerer->answeredCount(), 2);
    const WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    QCOMPARE(web.favourites, (QHash<QString, QString>{{QStringLiteral("Old"), QStringLiteral("www.edited.test")}}));
    QCOMPARE(web.homePage, QStringLiteral("www.home.test"));
    QVERIFY(web.homePageLaunch);
    QVERIFY(!web.javascriptEnabled);
    QVERIFY(!QWebSettings::globalSettings()->testAttribute(QWebSettings::JavascriptEnabled));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("HomePage")), QStringLiteral("www.home.test"));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("HomePageLaunch")), QStringLiteral("1"));
    QCOMPARE(storedValue(QStringLiteral("Web"), QStringLiteral("JavascriptEnabled")), QStringLiteral("0"));
    QCOMPARE(menuTexts(menu), (QStringList{"Add to Favourite", "Browser options", "--", "Old"}));
}

// Every text of the search form's option boxes is shown whole.
void tst_MainWindowBrowser::searchFormShowsItsLabelsWhole()
{
    build();
    ui().tabWidget->setCurrentWidget(ui().tabSearch);
    QTest::qWait(50);
    QList<QWidget *> texts;
    for (QLabel *label : ui().tabSearch->findChildren<QLabel *>())
        texts << label;
    for (QCheckBox *box : ui().tabSearch->findChildren<QCheckBox *>())
        texts << box;
    for (QRadioButton *button : ui().tabSearch->findChildren<QRadioButton *>())
        texts << button;
    QVERIFY(texts.contains(ui().label_7));
    for (const QWidget *text : qAsConst(texts)) {
        if (!text->isVisible())
            continue;
        QVERIFY2(text->width() >= text->sizeHint().width() && text->height() >= text->sizeHint().height(),
                 qPrintable(QStringLiteral("%1: %2x%3, needs %4x%5").arg(text->objectName()).arg(text->width()).arg(text->height()).arg(text->sizeHint().width()).arg(text->sizeHint().height())));
    }
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindow_search")).isEmpty());
}

QTEST_MAIN(tst_MainWindowBrowser)
#include "tst_MainWindowBrowser.moc"
