#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "web/FrameSearchResults.h"
#include "web/SearchDateTableWidgetItem.h"
#include "web/SearchSizeTableWidgetItem.h"

#include "GeneratedSearchPage.h"
#include "HttpTestServer.h"
#include "SearchPages.h"
#include "TempHome.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QScopeGuard>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using Response = HttpTestServer::Response;

const QString DefaultQuery = QStringLiteral("holiday");

// Watches a results table from a timer of no interval, which fires at every turn of the event
// loop, also at each one that a fill in progress allows (a posted event would not do: one
// posted before the fill began waits behind it): it keeps how many leading rows had their
// items each time that number changed.
class FillWatcher
{
public:
    explicit FillWatcher(QTableWidget *table)
        : table(table)
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { tick(); });
        timer.start(0);
    }

    void stop() { timer.stop(); }

    // The numbers seen while some rows of `rows` had their items and others not.
    QList<int> seenDuringTheFill(int rows) const
    {
        QList<int> during;
        for (int filled : seen) {
            if (filled > 0 && filled < rows)
                during.append(filled);
        }
        return during;
    }

    QString describe() const
    {
        QStringList texts;
        for (int filled : seen)
            texts.append(QString::number(filled));
        return QStringLiteral("rows filled at each turn: ") + texts.join(QLatin1Char(' '));
    }

    std::function<void()> whenFilling;

private:
    void tick()
    {
        if (!table)
            return;
        const int filled = filledRows();
        if (seen.isEmpty() || seen.last() != filled)
            seen.append(filled);
        if (filled > 0 && filled < table->rowCount() && whenFilling)
            whenFilling();
    }

    // The rows are filled in order: the first one without its items ends them.
    int filledRows() const
    {
        int low = 0;
        int high = table->rowCount();
        while (low < high) {
            const int middle = (low + high) / 2;
            if (table->item(middle, 1))
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }

    QPointer<QTableWidget> table;
    QTimer timer;
    QList<int> seen;
};

} // namespace

class tst_FrameSearchResults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formAtStart();
    void searchFillsTheTable();
    void pagingForwardAndBack();
    void failedPageKeepsThePageShown();
    void failedFirstQueryReportsTheNetworkError();
    void noResult();
    void selectAll();
    void downloadSelectionInTheOrderShown();
    void downloadWithoutSelection();
    void downloadRefusedWhilePaging();
    void failedDownloadLeavesThePageUsable();
    void ageSortKeys_data();
    void ageSortKeys();
    void sizeSortKeys_data();
    void sizeSortKeys();
    void columnsSortByValue();
    void fillLetsTheWindowBreathe();
    void pageClosedDuringTheFill_data();
    void pageClosedDuringTheFill();
    void pageDeletedDuringItsSearch();

private:
    bool searchAndWait(FrameSearchResults &page, const QString &query = DefaultQuery, uint page_ = 1);
    bool waitForEnd(QSignalSpy &spy);
    QTableWidget *table(FrameSearchResults &page) { return page.findChild<QTableWidget *>(QStringLiteral("tableWidgetResults")); }
    QPushButton *button(FrameSearchResults &page, const char *name) { return page.findChild<QPushButton *>(QLatin1String(name)); }
    QString label(FrameSearchResults &page, const char *name) { return page.findChild<QLabel *>(QLatin1String(name))->text(); }
    QStringList column(FrameSearchResults &page, int column);

    std::unique_ptr<TempHome> home;
    std::unique_ptr<HttpTestServer> server;
    QList<QVariant> lastFinished;
};

void tst_FrameSearchResults::initTestCase()
{
    home = std::make_unique<TempHome>();
    QVERIFY(home->isValid());
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_FrameSearchResults::init()
{
    server = std::make_unique<HttpTestServer>();
    QVERIFY2(server->start(), qPrintable(server->errorString()));
    qputenv("TESSAQUILL_BINSEARCH_URL", server->url().toEncoded());
    AppConfiguration::getInstance()->socketTimeout = 30;
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("page1.html"))));
    server->addRoute("GET", "/?q=holiday&max=25&adv_age=&server=&min=25", Response::ok(searchPage(QStringLiteral("page2.html"))));
    server->addRoute("GET", "/?q=holiday&max=25&adv_age=&server=&min=50", Response::ok(searchPage(QStringLiteral("page3.html"))));
}

void tst_FrameSearchResults::cleanup()
{
    server.reset();
}

bool tst_FrameSearchResults::waitForEnd(QSignalSpy &spy)
{
    if (spy.isEmpty() && !spy.wait(20000))
        return false;
    QTest::qWait(0);
    if (spy.size() != 1)
        return false;
    lastFinished = spy.takeFirst();
    return true;
}

bool tst_FrameSearchResults::searchAndWait(FrameSearchResults &page, const QString &query, uint page_)
{
    QSignalSpy finished(&page, &FrameSearchResults::signalSearchFinished);
    page.search(query, 11, 0, false, false, false, 0, 0, page_);
    return waitForEnd(finished);
}

QStringList tst_FrameSearchResults::column(FrameSearchResults &page, int index)
{
    QStringList texts;
    QTableWidget *widget = table(page);
    for (int row = 0; row < widget->rowCount(); ++row)
        texts.append(index == 0 ? widget->item(row, 0)->data(Qt::UserRole).toString() : widget->item(row, index)->text());
    return texts;
}

void tst_FrameSearchResults::formAtStart()
{
    FrameSearchResults page;
    QCOMPARE(page.size(), QSize(641, 389));
    QCOMPARE(page.frameShape(), QFrame::StyledPanel);
    QCOMPARE(page.frameShadow(), QFrame::Raised);
    QTableWidget *widget = table(page);
    QVERIFY(widget);
    QCOMPARE(widget->columnCount(), 6);
    QStringList headers;
    for (int i = 0; i < 6; ++i)
        headers.append(widget->horizontalHeaderItem(i)->text());
    QCOMPARE(headers, (QStringList{QString(), "Subject", "Size", "Age", "Groups", "Poster"}));
    QCOMPARE(widget->horizontalHeaderItem(1)->font().pointSize(), 10);
    QCOMPARE(widget->font().family(), QStringLiteral("Arial"));
    QCOMPARE(widget->font().pointSize(), 8);
    QCOMPARE(widget->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(widget->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(widget->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(!widget->showGrid());
    QVERIFY(!widget->isSortingEnabled());
    QVERIFY(!widget->isCornerButtonEnabled());
    QVERIFY(!widget->verticalHeader()->isVisible());
    QVERIFY(widget->horizontalHeader()->stretchLastSection());
    QVERIFY(widget->styleSheet().contains(QStringLiteral(":/images/SearchNzbBackground.png")));

    QVERIFY(!button(page, "pushButtonBack")->isEnabled());
    QVERIFY(!button(page, "pushButtonNext")->isEnabled());
    QCOMPARE(button(page, "pushButtonBack")->toolTip(), QStringLiteral("Previous"));
    QCOMPARE(button(page, "pushButtonNext")->toolTip(), QStringLiteral("Next"));
    QCOMPARE(button(page, "pushButtonNext")->size(), QSize(30, 30));
    QCOMPARE(label(page, "labelPageNumber"), QStringLiteral("1"));
    QVERIFY(label(page, "labelInfoNbResults").isEmpty());
    QVERIFY(label(page, "labelSearchTitle").isEmpty());
    QCOMPARE(page.findChild<QCheckBox *>(QStringLiteral("checkBoxSelectAll"))->text(),
             QStringLiteral("Select / Unselect all"));
    QVERIFY(!page.isBusy());
}

void tst_FrameSearchResults::searchFillsTheTable()
{
    FrameSearchResults page;
    QSignalSpy busy(&page, &FrameSearchResults::signalBusyChanged);
    QSignalSpy finished(&page, &FrameSearchResults::signalSearchFinished);
    page.search(DefaultQuery, 11, 0, false, false, false, 0, 0, 1);
    QVERIFY(page.isBusy());
    QVERIFY(!table(page)->isEnabled());
    QCOMPARE(page.cursor().shape(), Qt::WaitCursor);
    QCOMPARE(label(page, "labelSearchTitle"), DefaultQuery);
    QVERIFY(waitForEnd(finished));
    QCOMPARE(lastFinished, (QList<QVariant>{false, QString()}));
    QCOMPARE(busy.size(), 2);
    QVERIFY(!page.isBusy());
    QCOMPARE(page.cursor().shape(), Qt::ArrowCursor);

    QCOMPARE(column(page, 0), (QStringList{"1001", "1002", "1003", "1005"}));
    QCOMPARE(column(page, 1), (QStringList{"Holiday Film (2009) [01/12] - \"holiday.film.part01.rar\" yEnc",
                                          QStringLiteral("Caf\u00e9 & more - 100% a+b"), "Broken Upload [1/5]",
                                          "Sample.Files.nfo"}));
    QCOMPARE(column(page, 2), (QStringList{" 1.37 GB", " ?", " 900 KB", " ?"}));
    QCOMPARE(column(page, 3), (QStringList{" 2d", " 3h", " 5m", " 7d"}));
    QCOMPARE(column(page, 4), (QStringList{" alt.binaries.movies - alt.binaries.hdtv - a.b.misc", " alt.binaries.sounds",
                                          " alt.binaries.test", " alt.binaries.test"}));
    QCOMPARE(column(page, 5), (QStringList{" film&fan@example.invalid", QStringLiteral(" J\u00fcrgen <j@example.invalid>"),
                                          " uploader", " sampler"}));
    const QList<QColor> colours{Qt::darkGreen, Qt::black, Qt::red, Qt::black};
    for (int row = 0; row < 4; ++row) {
        QTableWidgetItem *check = table(page)->item(row, 0);
        QCOMPARE(check->checkState(), Qt::Unchecked);
        QCOMPARE(check->font().pointSize(), 8);
        for (int col = 1; col <= 5; ++col)
            QCOMPARE(table(page)->item(row, col)->foreground().color(), colours.at(row));
    }
    QCOMPARE(table(page)->item(2, 2)->toolTip(), QStringLiteral("size: 900 KB, parts available: 3 / 5"));
    QVERIFY(table(page)->isSortingEnabled());
    QVERIFY(table(page)->isEnabled());
    QCOMPARE(label(page, "labelInfoNbResults"), QStringLiteral("4 result(s) - More results available"));
    QCOMPARE(label(page, "labelPageNumber"), QStringLiteral("1"));
    QVERIFY(button(page, "pushButtonNext")->isEnabled());
    QVERIFY(!button(page, "pushButtonBack")->isEnabled());
    page.resize(900, 400);
    WidgetPicture::save(&page, QStringLiteral("FrameSearchResults"));
}

void tst_FrameSearchResults::pagingForwardAndBack()
{
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    QSignalSpy finished(&page, &FrameSearchResults::signalSearchFinished);

    struct Step {
        const char *buttonName;
        QString pageNumber;
        QStringList ids;
        bool next;
        bool back;
        QString count;
    };
    const QList<Step> steps{
        {"pushButtonNext", "2", {"2001", "2002"}, true, true, "2 result(s) - More results available"},
        {"pushButtonNext", "3", {"3001"}, false, true, "1 result(s)"},
        {"pushButtonBack", "2", {"2001", "2002"}, true, true, "2 result(s) - More results available"},
        {"pushButtonBack", "1", {"1001", "1002", "1003", "1005"}, true, false, "4 result(s) - More results available"},
    };
    for (const Step &step : steps) {
        QTest::mouseClick(button(page, step.buttonName), Qt::LeftButton);
        QVERIFY(page.isBusy());
        QVERIFY(!button(page, "pushButtonNext")->isEnabled());
        QVERIFY(!button(page, "pushButtonBack")->isEnabled());
        QVERIFY(waitForEnd(finished));
        QCOMPARE(lastFinished.at(0).toBool(), false);
        QCOMPARE(label(page, "labelPageNumber"), step.pageNumber);
        QCOMPARE(column(page, 0), step.ids);
        QCOMPARE(button(page, "pushButtonNext")->isEnabled(), step.next);
        QCOMPARE(button(page, "pushButtonBack")->isEnabled(), step.back);
        QCOMPARE(label(page, "labelInfoNbResults"), step.count);
    }
    QStringList targets;
    for (const HttpTestServer::Request &request : server->requests())
        targets.append(QString::fromLatin1(request.target));
    QCOMPARE(targets, (QStringList{"/?q=holiday&max=25&adv_age=&server=", "/?q=holiday&max=25&adv_age=&server=&min=25",
                                   "/?q=holiday&max=25&adv_age=&server=&min=50", "/?q=holiday&max=25&adv_age=&server=&min=25",
                                   "/?q=holiday&max=25&adv_age=&server="}));
}

void tst_FrameSearchResults::failedPageKeepsThePageShown()
{
    server->addRoute("GET", "/?q=holiday&max=25&adv_age=&server=&min=25", Response::withStatus(503, "busy"));
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    QSignalSpy finished(&page, &FrameSearchResults::signalSearchFinished);
    QTest::mouseClick(button(page, "pushButtonNext"), Qt::LeftButton);
    QVERIFY(waitForEnd(finished));
    QCOMPARE(lastFinished.at(0).toBool(), true);
    QVERIFY2(lastFinished.at(1).toString().startsWith(QStringLiteral("Network reply error: ")),
             qPrintable(lastFinished.at(1).toString()));
    QCOMPARE(label(page, "labelPageNumber"), QStringLiteral("1"));
    QCOMPARE(column(page, 0), (QStringList{"1001", "1002", "1003", "1005"}));
    QCOMPARE(label(page, "labelInfoNbResults"), QStringLiteral("4 result(s) - More results available"));
    // The page shown still has a next page: Next stays on.
    QVERIFY(button(page, "pushButtonNext")->isEnabled());
    QVERIFY(!button(page, "pushButtonBack")->isEnabled());
    QVERIFY(table(page)->isEnabled());
}

void tst_FrameSearchResults::failedFirstQueryReportsTheNetworkError()
{
    server->addRoute("GET", "/", Response::withStatus(503, searchPage(QStringLiteral("no-results.html"))));
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    QCOMPARE(lastFinished.at(0).toBool(), true);
    QVERIFY2(lastFinished.at(1).toString().startsWith(QStringLiteral("Network reply error: ")),
             qPrintable(lastFinished.at(1).toString()));
    QCOMPARE(table(page)->rowCount(), 0);
}

void tst_FrameSearchResults::noResult()
{
    server->addRoute("GET", "/", Response::ok(searchPage(QStringLiteral("no-results.html"))));
    FrameSearchResults page;
    QVERIFY(searchAndWait(page, QStringLiteral("nothing here")));
    QCOMPARE(lastFinished, (QList<QVariant>{true, QStringLiteral("No result found for \"nothing here\"")}));
    QCOMPARE(label(page, "labelInfoNbResults"), QStringLiteral("0 result(s)"));
    QVERIFY(!button(page, "pushButtonNext")->isEnabled());
    QVERIFY(!button(page, "pushButtonBack")->isEnabled());
}

void tst_FrameSearchResults::selectAll()
{
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    auto *all = page.findChild<QCheckBox *>(QStringLiteral("checkBoxSelectAll"));
    all->setChecked(true);
    for (int row = 0; row < table(page)->rowCount(); ++row)
        QCOMPARE(table(page)->item(row, 0)->checkState(), Qt::Checked);
    all->setChecked(false);
    for (int row = 0; row < table(page)->rowCount(); ++row)
        QCOMPARE(table(page)->item(row, 0)->checkState(), Qt::Unchecked);
}

void tst_FrameSearchResults::downloadSelectionInTheOrderShown()
{
    server->addRoute("POST", "/fcgi/nzb.fcgi", Response::ok(searchPage(QStringLiteral("result.nzb"))));
    FrameSearchResults page;
    QVERIFY(searchAndWait(page, QStringLiteral("a/b: \"c\"?")));
    // Sorted by size, descending: 1.37 GB, 900 KB, then the two "?".
    table(page)->sortItems(2, Qt::DescendingOrder);
    QCOMPARE(column(page, 0).mid(0, 2), (QStringList{"1001", "1003"}));
    table(page)->item(0, 0)->setCheckState(Qt::Checked);
    table(page)->item(1, 0)->setCheckState(Qt::Checked);

    QTemporaryDir folder;
    const QString nzbFolder = folder.filePath(QStringLiteral("Cache/NZB"));
    QSignalSpy downloaded(&page, &FrameSearchResults::signalNzbDownloaded);
    page.downloadSelection(nzbFolder, QStringLiteral("/somewhere/else"));
    QVERIFY(page.isBusy());
    QVERIFY(!button(page, "pushButtonNext")->isEnabled());
    QVERIFY(downloaded.wait(20000));
    const QString path = nzbFolder + QStringLiteral("/ab c.nzb");
    QCOMPARE(downloaded.first(), (QList<QVariant>{false, QString(), path, QStringLiteral("/somewhere/else")}));
    QCOMPARE(server->requests().last().body, QByteArray("1001=on&1003=on&action=nzb"));
    QVERIFY(QFile::exists(path));
    QVERIFY(button(page, "pushButtonNext")->isEnabled());
    QVERIFY(!page.isBusy());
}

void tst_FrameSearchResults::downloadWithoutSelection()
{
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    QSignalSpy downloaded(&page, &FrameSearchResults::signalNzbDownloaded);
    page.downloadSelection(QStringLiteral("/folder"), QStringLiteral("/destination"));
    QCOMPARE(downloaded.size(), 1);
    QCOMPARE(downloaded.first(), (QList<QVariant>{true, QStringLiteral("No selected result."), QStringLiteral("/folder"), QString()}));
    QCOMPARE(server->requestCount(), 1);
    QVERIFY(button(page, "pushButtonNext")->isEnabled());
}

void tst_FrameSearchResults::downloadRefusedWhilePaging()
{
    Response slow = Response::ok(searchPage(QStringLiteral("page2.html")));
    slow.delayMs = 300;
    server->addRoute("GET", "/?q=holiday&max=25&adv_age=&server=&min=25", slow);
    server->addRoute("POST", "/fcgi/nzb.fcgi", Response::ok(searchPage(QStringLiteral("result.nzb"))));
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    table(page)->item(0, 0)->setCheckState(Qt::Checked);

    QSignalSpy finished(&page, &FrameSearchResults::signalSearchFinished);
    QSignalSpy downloaded(&page, &FrameSearchResults::signalNzbDownloaded);
    page.slotNext();
    page.downloadSelection(QStringLiteral("/folder"), QString());
    QCOMPARE(downloaded.size(), 1);
    QCOMPARE(downloaded.first().at(0).toBool(), true);
    QCOMPARE(downloaded.first().at(1).toString(), QStringLiteral("A request of this page is still running."));
    QVERIFY(waitForEnd(finished));
    QCOMPARE(lastFinished.at(0).toBool(), false);
    QCOMPARE(column(page, 0), (QStringList{"2001", "2002"}));
    for (const HttpTestServer::Request &request : server->requests())
        QCOMPARE(request.method, QByteArray("GET"));
}

void tst_FrameSearchResults::failedDownloadLeavesThePageUsable()
{
    server->addRoute("POST", "/fcgi/nzb.fcgi", Response::withStatus(503));
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    table(page)->item(0, 0)->setCheckState(Qt::Checked);
    QTemporaryDir folder;
    QSignalSpy downloaded(&page, &FrameSearchResults::signalNzbDownloaded);
    page.downloadSelection(folder.path(), QStringLiteral("/d"));
    QVERIFY(downloaded.wait(20000));
    QCOMPARE(downloaded.first().at(0).toBool(), true);
    QCOMPARE(downloaded.first().at(1).toString(),
             QStringLiteral("Network reply error: %1").arg(int(QNetworkReply::ServiceUnavailableError)));
    QCOMPARE(downloaded.first().at(3).toString(), QStringLiteral("/d"));
    QVERIFY(button(page, "pushButtonNext")->isEnabled());
    QVERIFY(!page.isBusy());
    QVERIFY(searchAndWait(page));
    QCOMPARE(lastFinished.at(0).toBool(), false);
}

void tst_FrameSearchResults::ageSortKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::newRow("minutes") << " 5m" << 5;
    QTest::newRow("hours") << " 3h" << 180;
    QTest::newRow("days") << " 2d" << 7200;
    QTest::newRow("upper case") << " 2D" << 7200;
    QTest::newRow("no unit") << " 12" << 0;
    QTest::newRow("not a number") << " xd" << 0;
    QTest::newRow("empty") << "" << 0;
}

void tst_FrameSearchResults::ageSortKeys()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QCOMPARE(SearchDateTableWidgetItem::sortKey(text), key);
}

void tst_FrameSearchResults::sizeSortKeys_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("key");
    QTest::newRow("KB") << " 900 KB" << 900.0;
    QTest::newRow("MB") << " 1.5 MB" << 1536.0;
    QTest::newRow("GB") << " 2 GB" << 2097152.0;
    QTest::newRow("lower case") << " 1.5 mb" << 1536.0;
    QTest::newRow("unknown") << " ?" << 0.0;
    QTest::newRow("comma is no decimal point") << " 1,5 MB" << 0.0;
    QTest::newRow("no unit") << " 12" << 0.0;
}

void tst_FrameSearchResults::sizeSortKeys()
{
    QFETCH(QString, text);
    QFETCH(double, key);
    QCOMPARE(SearchSizeTableWidgetItem::sortKey(text), key);
}

void tst_FrameSearchResults::columnsSortByValue()
{
    FrameSearchResults page;
    QVERIFY(searchAndWait(page));
    table(page)->sortItems(3, Qt::AscendingOrder);
    QCOMPARE(column(page, 3), (QStringList{" 5m", " 3h", " 2d", " 7d"}));
    table(page)->sortItems(2, Qt::AscendingOrder);
    QCOMPARE(column(page, 2).mid(2), (QStringList{" 900 KB", " 1.37 GB"}));
}

// A long fill lets the window breathe: pending events run after every 70th row.
void tst_FrameSearchResults::fillLetsTheWindowBreathe()
{
    server->addRoute("GET", "/", Response::ok(generatedSearchPage(7000, 700)));
    FrameSearchResults page;
    FillWatcher watcher(table(page));
    QVERIFY(searchAndWait(page));
    watcher.stop();
    QCOMPARE(table(page)->rowCount(), 700);
    QCOMPARE(column(page, 0).last(), QStringLiteral("7699"));
    const QList<int> during = watcher.seenDuringTheFill(700);
    QVERIFY2(during.size() >= 5, qPrintable(watcher.describe()));
    for (int filled : during)
        QVERIFY2(filled % 70 == 0, qPrintable(watcher.describe()));
}

void tst_FrameSearchResults::pageClosedDuringTheFill_data()
{
    QTest::addColumn<bool>("atOnce");
    QTest::newRow("closed as its tab does (deleted later)") << false;
    QTest::newRow("deleted at once") << true;
}

// The user closes the page's tab while a long fill lets the window breathe: the fill stops
// there, and nothing of the page is touched after it is gone.
void tst_FrameSearchResults::pageClosedDuringTheFill()
{
    QFETCH(bool, atOnce);
    server->addRoute("GET", "/", Response::ok(generatedSearchPage(7000, 700)));
    QPointer<FrameSearchResults> page = new FrameSearchResults;
    const auto leftOver = qScopeGuard([&page] { delete page.data(); });
    QSignalSpy finished(page.data(), &FrameSearchResults::signalSearchFinished);
    FillWatcher watcher(table(*page));
    bool closed = false;
    watcher.whenFilling = [&] {
        if (closed)
            return;
        closed = true;
        if (atOnce)
            delete page.data();
        else
            page->deleteLater();
    };
    page->search(DefaultQuery, 11, 0, false, false, false, 0, 0, 1);
    QTRY_VERIFY_WITH_TIMEOUT(page.isNull(), 20000);
    watcher.stop();
    QVERIFY(closed);
    QTest::qWait(50);
    QCOMPARE(finished.size(), 0);
}

void tst_FrameSearchResults::pageDeletedDuringItsSearch()
{
    Response slow = Response::ok(searchPage(QStringLiteral("page1.html")));
    slow.delayMs = 300;
    server->addRoute("GET", "/", slow);
    auto *page = new FrameSearchResults;
    QSignalSpy finished(page, &FrameSearchResults::signalSearchFinished);
    page->search(DefaultQuery, 11, 0, false, false, false, 0, 0, 1);
    QVERIFY(server->waitForRequests(1));
    page->deleteLater();
    QTest::qWait(600);
    QCOMPARE(finished.size(), 0);
}

QTEST_MAIN(tst_FrameSearchResults)
#include "tst_FrameSearchResults.moc"
