#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "web/FrameSearchResults.h"
#include "web/SearchTab.h"

#include "GuiTestHome.h"
#include "HttpTestServer.h"
#include "SearchPages.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include "ui_MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

using Response = HttpTestServer::Response;

const QByteArray FirstPage = "/?q=holiday&max=25&adv_age=&server=";

// What the stand-in for the main window's addNzbFile was given, with the file's bytes at the
// moment of the call (the tab removes the file afterwards).
struct QueuedNzb {
    QString path;
    QString name;
    QString destination;
    QByteArray content;
};

} // namespace

class tst_SearchTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void optionListsAndCompleter();
    void emptyQueryIsRefused();
    void searchFillsATab();
    void pagingThroughThreePages();
    void downloadButtonsWaitForThePageShown();
    void checkedResultsAreQueued();
    void destinationFromTheMenu();
    void downloadWithoutSelection();
    void downloadWithoutTab();
    void failuresEndWithAMessage_data();
    void failuresEndWithAMessage();
    void failedFetchQueuesNothing();
    void closingABusyTabGivesTheControlsBack();
    void closingATabDuringItsFetch();
    void tabsCloseByButtonMiddleClickAndCloseAll();
    void historyRules();
    void clearingTheHistory();
    void tabTitles_data();
    void tabTitles();
    void searchOptionsReachTheRequest();
    void internalSearchFromTheBrowser();

private:
    FrameSearchResults *page(int index);
    bool searchFor(const QString &query);
    bool waitUntilIdle();
    bool controlsEnabled();
    QStringList targets() const;
    void picture(const QString &name);
    // What the Cache folder's NZB folder holds, hidden entries included.
    QStringList nzbFolderEntries() const;

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<HttpTestServer> server;
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<SearchTab> tab;
    std::unique_ptr<ModalAnswerer> answerer;
    QList<QueuedNzb> queued;
};

void tst_SearchTab::initTestCase()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_SearchTab::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    qputenv("TESSAQUILL_BINSEARCH_URL", server->url().toEncoded());
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page1.html"))));
    server->addRoute("GET", QString::fromLatin1(FirstPage + "&min=25"), Response::ok(searchPage(QStringLiteral("page2.html"))));
    server->addRoute("GET", QString::fromLatin1(FirstPage + "&min=50"), Response::ok(searchPage(QStringLiteral("page3.html"))));
    server->addRoute("POST", "/fcgi/nzb.fcgi", Response::ok(searchPage(QStringLiteral("result.nzb"))));

    AppConfiguration *config = AppConfiguration::getInstance();
    config->socketTimeout = 30;
    config->searchHistory.clear();
    config->cacheFolder = home->path() + QStringLiteral("/Cache");
    QVERIFY(QDir(config->cacheFolder).removeRecursively());
    QFile::remove(AppConfiguration::getConfigurationFile());

    window = std::make_unique<QMainWindow>();
    ui = std::make_unique<Ui::MainWindow>();
    ui->setupUi(window.get());
    ui->tabWidget->setCurrentIndex(1);
    queued.clear();
    tab = std::make_unique<SearchTab>(SearchTab::Controls::fromForm(window.get(), *ui),
                                      [this](const QString &path, const QString &name, const QString &destination) {
                                          QFile file(path);
                                          QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>";
                                          queued.append({path, name, destination, content});
                                      });
    answerer = std::make_unique<ModalAnswerer>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_SearchTab::cleanup()
{
    QCOMPARE(answerer->pendingCount(), 0);
    tab.reset();
    window.reset();
    ui.reset();
    answerer.reset();
    server.reset();
}

FrameSearchResults *tst_SearchTab::page(int index)
{
    return qobject_cast<FrameSearchResults *>(ui->tabWidgetSearchNzb->widget(index));
}

bool tst_SearchTab::controlsEnabled()
{
    return ui->pushButtonSearchNzb->isEnabled() && ui->lineEditSearch->isEnabled()
           && ui->pushButtonSearchDownloadNzb->isEnabled() && ui->pushButtonSearchDownloadNzbDestination->isEnabled()
           && ui->pushButtonSearchCloseAllTabs->isEnabled() && window->cursor().shape() == Qt::ArrowCursor;
}

bool tst_SearchTab::waitUntilIdle()
{
    return QTest::qWaitFor(
        [this] {
            for (int i = 0; i < ui->tabWidgetSearchNzb->count(); ++i)
                if (page(i)->isBusy())
                    return false;
            return controlsEnabled();
        },
        20000);
}

bool tst_SearchTab::searchFor(const QString &query)
{
    ui->lineEditSearch->setText(query);
    QTest::mouseClick(ui->pushButtonSearchNzb, Qt::LeftButton);
    return waitUntilIdle();
}

QStringList tst_SearchTab::targets() const
{
    QStringList list;
    for (const HttpTestServer::Request &request : server->requests())
        list.append(QString::fromLatin1(request.method + ' ' + request.target));
    return list;
}

QStringList tst_SearchTab::nzbFolderEntries() const
{
    return QDir(home->path() + QStringLiteral("/Cache/NZB"))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void tst_SearchTab::picture(const QString &name)
{
    window->resize(1280, 800);
    WidgetPicture::save(window.get(), name);
}

void tst_SearchTab::optionListsAndCompleter()
{
    QStringList perPage;
    for (int i = 0; i < ui->comboBoxSearchResultsPerPage->count(); ++i) {
        perPage.append(ui->comboBoxSearchResultsPerPage->itemText(i));
        QCOMPARE(ui->comboBoxSearchResultsPerPage->itemData(i).toInt(), i);
    }
    QCOMPARE(perPage, (QStringList{"25", "50", "100", "250"}));
    QCOMPARE(ui->comboBoxSearchResultsPerPage->currentIndex(), 0);
    QStringList ages;
    for (int i = 0; i < ui->comboBoxSearchMaximumAge->count(); ++i) {
        ages.append(ui->comboBoxSearchMaximumAge->itemText(i));
        QCOMPARE(ui->comboBoxSearchMaximumAge->itemData(i).toInt(), i);
    }
    QCOMPARE(ages, (QStringList{"1", "7", "14", "21", "50", "70", "99", "120", "365", "600", "1100", "-- All results --"}));
    QCOMPARE(ui->comboBoxSearchMaximumAge->currentIndex(), 11);

    QCompleter *completer = tab->completer();
    QCOMPARE(ui->lineEditSearch->completer(), completer);
    QCOMPARE(completer->caseSensitivity(), Qt::CaseInsensitive);
    QCOMPARE(completer->completionMode(), QCompleter::PopupCompletion);
    QVERIFY(controlsEnabled());
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 0);
}

void tst_SearchTab::emptyQueryIsRefused()
{
    answerer->pressNext(QMessageBox::Ok);
    ui->lineEditSearch->setText(QStringLiteral("   "));
    QTest::mouseClick(ui->pushButtonSearchNzb, Qt::LeftButton);
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(answerer->seen().first().title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer->seen().first().text, QStringLiteral("Please enter a search request."));
    QCOMPARE(answerer->seen().first().icon, QMessageBox::Critical);
    QCOMPARE(ui->lineEditSearch->text(), QString());
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 0);
    QCOMPARE(server->requestCount(), 0);
    QVERIFY(AppConfiguration::getInstance()->searchHistory.isEmpty());
    QVERIFY(controlsEnabled());
}

void tst_SearchTab::searchFillsATab()
{
    Response slow = Response::ok(searchPage(QStringLiteral("page1.html")));
    slow.delayMs = 300;
    server->addRoute("GET", "/", slow);
    ui->lineEditSearch->setText(QStringLiteral("  holiday  "));
    QTest::keyClick(ui->lineEditSearch, Qt::Key_Return);
    QCOMPARE(ui->lineEditSearch->text(), QStringLiteral("holiday"));
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 1);
    QCOMPARE(ui->tabWidgetSearchNzb->tabText(0), QStringLiteral("holiday"));
    QVERIFY(!ui->tabWidgetSearchNzb->tabIcon(0).isNull());
    QCOMPARE(ui->tabWidgetSearchNzb->currentIndex(), 0);
    for (QWidget *control : {static_cast<QWidget *>(ui->pushButtonSearchNzb), static_cast<QWidget *>(ui->lineEditSearch),
                             static_cast<QWidget *>(ui->pushButtonSearchDownloadNzb),
                             static_cast<QWidget *>(ui->pushButtonSearchDownloadNzbDestination),
                             static_cast<QWidget *>(ui->pushButtonSearchCloseAllTabs)})
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    QCOMPARE(window->cursor().shape(), Qt::WaitCursor);

    QVERIFY(waitUntilIdle());
    QCOMPARE(page(0)->findChild<QTableWidget *>(QStringLiteral("tableWidgetResults"))->rowCount(), 4);
    QCOMPARE(AppConfiguration::getInstance()->searchHistory, QStringList{QStringLiteral("holiday")});
    QCOMPARE(qobject_cast<QStringListModel *>(tab->completer()->model())->stringList(), QStringList{"holiday"});
    QFile saved(AppConfiguration::getConfigurationFile());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("<Search>holiday</Search>"));
    QCOMPARE(targets(), QStringList{QString::fromLatin1("GET " + FirstPage)});
    picture(QStringLiteral("SearchTab"));
}

void tst_SearchTab::pagingThroughThreePages()
{
    QVERIFY(searchFor(QStringLiteral("holiday")));
    FrameSearchResults *results = page(0);
    auto *next = results->findChild<QPushButton *>(QStringLiteral("pushButtonNext"));
    auto *back = results->findChild<QPushButton *>(QStringLiteral("pushButtonBack"));
    for (QPushButton *button : {next, next, back, back}) {
        QVERIFY(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(waitUntilIdle());
    }
    QCOMPARE(targets(), (QStringList{QString::fromLatin1("GET " + FirstPage), QString::fromLatin1("GET " + FirstPage + "&min=25"),
                                     QString::fromLatin1("GET " + FirstPage + "&min=50"),
                                     QString::fromLatin1("GET " + FirstPage + "&min=25"), QString::fromLatin1("GET " + FirstPage)}));
    QCOMPARE(results->currentPage(), 1U);
    QVERIFY(answerer->seen().isEmpty());
}

void tst_SearchTab::downloadButtonsWaitForThePageShown()
{
    QVERIFY(searchFor(QStringLiteral("holiday")));
    QVERIFY(searchFor(QStringLiteral("second")));
    Response slow = Response::ok(searchPage(QStringLiteral("page2.html")));
    slow.delayMs = 400;
    server->addRoute("GET", QString::fromLatin1(FirstPage + "&min=25"), slow);

    ui->tabWidgetSearchNzb->setCurrentIndex(0);
    page(0)->slotNext();
    QVERIFY(!ui->pushButtonSearchDownloadNzb->isEnabled());
    QVERIFY(!ui->pushButtonSearchDownloadNzbDestination->isEnabled());
    QVERIFY(ui->pushButtonSearchNzb->isEnabled());
    // Another page is not busy: its download is allowed.
    ui->tabWidgetSearchNzb->setCurrentIndex(1);
    QVERIFY(ui->pushButtonSearchDownloadNzb->isEnabled());
    ui->tabWidgetSearchNzb->setCurrentIndex(0);
    QVERIFY(!ui->pushButtonSearchDownloadNzb->isEnabled());
    QVERIFY(waitUntilIdle());
    QVERIFY(ui->pushButtonSearchDownloadNzb->isEnabled());
    QCOMPARE(page(0)->currentPage(), 2U);
}

// The fetched NZB is handed over under the query's name; a file of the user's of that name in
// the NZB folder is neither written over nor removed, and nothing the hand-over wrote is left.
void tst_SearchTab::checkedResultsAreQueued()
{
    const QString nzbFolder = home->path() + QStringLiteral("/Cache/NZB");
    const QString users = nzbFolder + QStringLiteral("/holiday.nzb");
    QVERIFY(QDir().mkpath(nzbFolder));
    QFile own(users);
    QVERIFY(own.open(QIODevice::WriteOnly) && own.write("the user's own holiday.nzb") > 0);
    own.close();
    QVERIFY(searchFor(QStringLiteral("holiday")));
    auto *table = page(0)->findChild<QTableWidget *>(QStringLiteral("tableWidgetResults"));
    table->item(0, 0)->setCheckState(Qt::Checked);
    table->item(2, 0)->setCheckState(Qt::Checked);
    QTest::mouseClick(ui->pushButtonSearchDownloadNzb, Qt::LeftButton);
    QVERIFY(!ui->pushButtonSearchDownloadNzb->isEnabled());
    QVERIFY(!ui->pushButtonSearchCloseAllTabs->isEnabled());
    QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
    QVERIFY(QTest::qWaitFor([this] { return !queued.isEmpty(); }, 20000));
    QVERIFY(waitUntilIdle());

    QCOMPARE(queued.size(), 1);
    const QFileInfo handedOver(queued.first().path);
    QCOMPARE(handedOver.fileName(), QStringLiteral("holiday.nzb"));
    QCOMPARE(QFileInfo(handedOver.absolutePath()).absolutePath(), nzbFolder);
    QCOMPARE(queued.first().name, QStringLiteral("holiday"));
    QCOMPARE(queued.first().destination, QString());
    QCOMPARE(queued.first().content, searchPage(QStringLiteral("result.nzb")));
    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll(), QByteArray("the user's own holiday.nzb"));
    QCOMPARE(nzbFolderEntries(), QStringList{QStringLiteral("holiday.nzb")});
    QCOMPARE(server->requests().last().body, QByteArray("1001=on&1003=on&action=nzb"));
    QVERIFY(answerer->seen().isEmpty());
}

void tst_SearchTab::destinationFromTheMenu()
{
    QMenu menu;
    QAction *action = menu.addAction(QStringLiteral("Films"));
    action->setData(QStringLiteral("/media/films"));
    connect(action, &QAction::triggered, tab.get(), &SearchTab::slotDownloadNzbDestinationTriggered);
    ui->pushButtonSearchDownloadNzbDestination->setMenu(&menu);

    QVERIFY(searchFor(QStringLiteral("holiday")));
    page(0)->findChild<QTableWidget *>(QStringLiteral("tableWidgetResults"))->item(1, 0)->setCheckState(Qt::Checked);
    action->trigger();
    QVERIFY(QTest::qWaitFor([this] { return !queued.isEmpty(); }, 20000));
    QCOMPARE(queued.first().destination, QStringLiteral("/media/films"));
    QVERIFY(waitUntilIdle());
}

void tst_SearchTab::downloadWithoutSelection()
{
    QVERIFY(searchFor(QStringLiteral("holiday")));
    answerer->pressNext(QMessageBox::Ok);
    QTest::mouseClick(ui->pushButtonSearchDownloadNzb, Qt::LeftButton);
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(answerer->seen().first().text, QStringLiteral("Download error : No selected result."));
    QVERIFY(controlsEnabled());
    QVERIFY(queued.isEmpty());
    QCOMPARE(nzbFolderEntries(), QStringList());
}

void tst_SearchTab::downloadWithoutTab()
{
    QTest::mouseClick(ui->pushButtonSearchDownloadNzb, Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(answerer->seen().isEmpty());
    QVERIFY(controlsEnabled());
    QCOMPARE(server->requestCount(), 0);
}

void tst_SearchTab::failuresEndWithAMessage_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("textStart");
    QTest::newRow("service unavailable") << "503" << "Network reply error: ";
    QTest::newRow("stalled past the time-out") << "stall" << "The server does not respond.";
    QTest::newRow("closed in the middle") << "closed" << "Network reply error: ";
}

void tst_SearchTab::failuresEndWithAMessage()
{
    QFETCH(QString, fault);
    QFETCH(QString, textStart);

    Response response = Response::ok(searchPage(QStringLiteral("page1.html")));
    if (fault == QLatin1String("503"))
        response.status = 503;
    if (fault == QLatin1String("stall")) {
        response.stallAfterBodyBytes = 100;
        AppConfiguration::getInstance()->socketTimeout = 1;
    }
    if (fault == QLatin1String("closed"))
        response.closeAfterBodyBytes = 100;
    server->addRoute("GET", "/", response);

    answerer->pressNext(QMessageBox::Ok);
    ui->lineEditSearch->setText(QStringLiteral("holiday"));
    QTest::mouseClick(ui->pushButtonSearchNzb, Qt::LeftButton);
    QVERIFY(answerer->waitForAnswered(1, 20000));
    QVERIFY2(answerer->seen().first().text.startsWith(textStart), qPrintable(answerer->seen().first().text));
    QVERIFY(waitUntilIdle());
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 1);

    // The controls work again: the next search succeeds.
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page3.html"))));
    QVERIFY(searchFor(QStringLiteral("again")));
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 2);
}

void tst_SearchTab::failedFetchQueuesNothing()
{
    server->addRoute("POST", "/fcgi/nzb.fcgi", Response::withStatus(503));
    QVERIFY(searchFor(QStringLiteral("holiday")));
    page(0)->findChild<QTableWidget *>(QStringLiteral("tableWidgetResults"))->item(0, 0)->setCheckState(Qt::Checked);
    answerer->pressNext(QMessageBox::Ok);
    QTest::mouseClick(ui->pushButtonSearchDownloadNzb, Qt::LeftButton);
    QVERIFY(answerer->waitForAnswered(1, 20000));
    QCOMPARE(answerer->seen().first().text, QStringLiteral("Download error : Network reply error: %1")
                                                .arg(int(QNetworkReply::ServiceUnavailableError)));
    QVERIFY(waitUntilIdle());
    QVERIFY(queued.isEmpty());
    QCOMPARE(nzbFolderEntries(), QStringList());
}

void tst_SearchTab::closingABusyTabGivesTheControlsBack()
{
    Response slow = Response::ok(searchPage(QStringLiteral("page1.html")));
    slow.delayMs = 500;
    server->addRoute("GET", "/", slow);
    ui->lineEditSearch->setText(QStringLiteral("holiday"));
    QTest::mouseClick(ui->pushButtonSearchNzb, Qt::LeftButton);
    QVERIFY(server->waitForRequests(1));
    QVERIFY(!controlsEnabled());
    QPointer<FrameSearchResults> closed = page(0);

    auto *closeButton = qobject_cast<QAbstractButton *>(ui->tabWidgetSearchNzb->tabBar()->tabButton(0, QTabBar::RightSide));
    QVERIFY(closeButton);
    closeButton->click();
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 0);
    QVERIFY(controlsEnabled());
    QTest::qWait(800);
    QVERIFY(closed.isNull());
    QVERIFY(answerer->seen().isEmpty());
    QVERIFY(controlsEnabled());
}

void tst_SearchTab::closingATabDuringItsFetch()
{
    Response slow = Response::ok(searchPage(QStringLiteral("result.nzb")));
    slow.delayMs = 500;
    server->addRoute("POST", "/fcgi/nzb.fcgi", slow);
    QVERIFY(searchFor(QStringLiteral("holiday")));
    page(0)->findChild<QTableWidget *>(QStringLiteral("tableWidgetResults"))->item(0, 0)->setCheckState(Qt::Checked);
    QTest::mouseClick(ui->pushButtonSearchDownloadNzb, Qt::LeftButton);
    QVERIFY(server->waitForRequests(2));
    QVERIFY(!ui->pushButtonSearchDownloadNzb->isEnabled());

    tab->slotSearchTabCloseRequested(0);
    QVERIFY(controlsEnabled());
    QTest::qWait(800);
    QVERIFY(queued.isEmpty());
    QVERIFY(answerer->seen().isEmpty());
    QTRY_COMPARE(nzbFolderEntries(), QStringList());
}

void tst_SearchTab::tabsCloseByButtonMiddleClickAndCloseAll()
{
    for (const QString &query : {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")})
        QVERIFY(searchFor(query));
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 3);

    // A middle click beside the tabs closes nothing; on a tab it closes that tab.
    QTabBar *bar = ui->tabWidgetSearchNzb->tabBar();
    QTest::mouseClick(ui->tabWidgetSearchNzb, Qt::MiddleButton, {}, QPoint(ui->tabWidgetSearchNzb->width() - 5, 5));
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 3);
    QTest::mouseClick(bar, Qt::MiddleButton, {}, bar->tabRect(1).center());
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 2);
    QCOMPARE(ui->tabWidgetSearchNzb->tabText(0), QStringLiteral("one"));
    QCOMPARE(ui->tabWidgetSearchNzb->tabText(1), QStringLiteral("three"));

    tab->slotSearchTabCloseRequested(7);
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 2);
    QTest::mouseClick(ui->pushButtonSearchCloseAllTabs, Qt::LeftButton);
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 0);
    QVERIFY(controlsEnabled());
}

void tst_SearchTab::historyRules()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    for (int i = 0; i < 100; ++i)
        config->searchHistory.append(QStringLiteral("old %1").arg(i));
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("no-results.html"))));

    answerer->pressNext(QMessageBox::Ok);
    QVERIFY(searchFor(QStringLiteral("Holiday")));
    QCOMPARE(config->searchHistory.size(), 100);
    QCOMPARE(config->searchHistory.first(), QStringLiteral("old 1"));
    QCOMPARE(config->searchHistory.last(), QStringLiteral("Holiday"));

    // Another letter case is another entry; an exact repeat saves nothing.
    answerer->pressNext(QMessageBox::Ok);
    QVERIFY(searchFor(QStringLiteral("holiday")));
    QCOMPARE(config->searchHistory.last(), QStringLiteral("holiday"));
    QVERIFY(QFile::remove(AppConfiguration::getConfigurationFile()));
    answerer->pressNext(QMessageBox::Ok);
    QVERIFY(searchFor(QStringLiteral("holiday")));
    QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
    QCOMPARE(config->searchHistory.size(), 100);
    QVERIFY(answerer->waitForAnswered(3));
    QCOMPARE(answerer->seen().last().text, QStringLiteral("No result found for \"holiday\""));
}

void tst_SearchTab::clearingTheHistory()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    QTest::mouseClick(ui->pushButtonSearchClear, Qt::LeftButton);
    QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));

    QVERIFY(searchFor(QStringLiteral("holiday")));
    QCOMPARE(qobject_cast<QStringListModel *>(tab->completer()->model())->stringList().size(), 1);
    QVERIFY(QFile::remove(AppConfiguration::getConfigurationFile()));
    QTest::mouseClick(ui->pushButtonSearchClear, Qt::LeftButton);
    QVERIFY(config->searchHistory.isEmpty());
    QVERIFY(qobject_cast<QStringListModel *>(tab->completer()->model())->stringList().isEmpty());
    QFile saved(AppConfiguration::getConfigurationFile());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(!saved.readAll().contains("<Search>"));
}

void tst_SearchTab::tabTitles_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("title");
    QTest::newRow("30 characters") << QString(30, QLatin1Char('a')) << QString(30, QLatin1Char('a'));
    QTest::newRow("31 characters") << QString(31, QLatin1Char('b')) << QString(30, QLatin1Char('b')) + "...";
}

void tst_SearchTab::tabTitles()
{
    QFETCH(QString, query);
    QFETCH(QString, title);
    QVERIFY(searchFor(query));
    QCOMPARE(ui->tabWidgetSearchNzb->tabText(0), title);
}

void tst_SearchTab::searchOptionsReachTheRequest()
{
    ui->radioButtonSearchOtherGroups->setChecked(true);
    ui->comboBoxSearchResultsPerPage->setCurrentIndex(1);
    ui->comboBoxSearchMaximumAge->setCurrentIndex(2);
    QVERIFY(searchFor(QStringLiteral("a b")));
    ui->lineEditSearchSizeMin->setText(QStringLiteral("700"));
    ui->checkBoxSearchOnlyShowNfo->setChecked(true);
    QVERIFY(searchFor(QStringLiteral("a b")));
    // The fields' masks keep digits only; without a mask, a text that is no unsigned number
    // sends no bound.
    ui->lineEditSearchSizeMin->setText(QStringLiteral("-12"));
    ui->lineEditSearchSizeMax->setText(QStringLiteral("lots"));
    ui->checkBoxSearchOnlyShowNfo->setChecked(false);
    QVERIFY(searchFor(QStringLiteral("a b")));
    ui->lineEditSearchSizeMin->setInputMask(QString());
    ui->lineEditSearchSizeMax->setInputMask(QString());
    ui->lineEditSearchSizeMin->setText(QStringLiteral("-12"));
    ui->lineEditSearchSizeMax->setText(QStringLiteral("lots"));
    QVERIFY(searchFor(QStringLiteral("a b")));
    QCOMPARE(targets(), (QStringList{"GET /?q=a+b&max=50&adv_age=14&server=2",
                                     "GET /?q=a+b&max=50&adv_g=&adv_age=14&adv_sort=date&adv_nfo=on&minsize=700&maxsize=&font=",
                                     "GET /?q=a+b&max=50&adv_g=&adv_age=14&adv_sort=date&minsize=12&maxsize=&font=",
                                     "GET /?q=a+b&max=50&adv_age=14&server=2"}));
}

void tst_SearchTab::internalSearchFromTheBrowser()
{
    ui->tabWidget->setCurrentIndex(0);
    tab->webBrowserNzbInternalSearch(QStringLiteral(" holiday "));
    QCOMPARE(ui->tabWidget->currentIndex(), 1);
    QCOMPARE(ui->lineEditSearch->text(), QStringLiteral("holiday"));
    QVERIFY(waitUntilIdle());
    QCOMPARE(ui->tabWidgetSearchNzb->count(), 1);
}

QTEST_MAIN(tst_SearchTab)
#include "tst_SearchTab.moc"
