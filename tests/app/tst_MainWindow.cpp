#include "MainWindowTestAccess.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MDPriorityChangeEvent.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFiles.h"
#include "postprocess/ThreadClean.h"
#include "dialogs/DialogAbout.h"
#include "dialogs/DialogHistoryNzb.h"
#include "postprocess/gui/DialogManualRepairExtract.h"
#include "dialogs/DialogLogs.h"
#include "dialogs/DialogWizard.h"
#include "dialogs/ThreadTestConnection.h"

#include "GuiTestHome.h"
#include "HttpTestServer.h"
#include "ModalAnswerer.h"
#include "NntpTestArticle.h"
#include "NntpTestServer.h"
#include "WidgetPicture.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QSemaphore>
#include <QSettings>
#include <QSignalSpy>
#include <QThread>
#include <QTreeWidgetItem>
#include <QScreen>
#include <QtTest>

#include <functional>

#include <memory>

namespace {

// Receives the addresses the window opens with QDesktopServices.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

// Runs an event loop that ends at once: after the exit sequence has told every loop to end,
// the next loops of the test must run again.
void allowEventLoopsAgain()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

QByteArray nzbDocument(const QString &subject, int segments = 2)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
    xml += "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;" + subject.toUtf8() + "&quot; yEnc (1/"
           + QByteArray::number(segments) + ")\">\n<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
    for (int i = 1; i <= segments; ++i)
        xml += "<segment bytes=\"1000\" number=\"" + QByteArray::number(i) + "\">" + subject.toUtf8() + "."
               + QByteArray::number(i) + "@test</segment>\n";
    xml += "</segments>\n</file>\n</nzb>\n";
    return xml;
}

// Calls `seen` with the object for each event of one type that reaches the objects it watches.
class EventRecorder : public QObject
{
public:
    EventRecorder(QEvent::Type type, std::function<void(QObject *)> seen)
        : type(type),
          seen(std::move(seen))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == type)
            seen(watched);
        return false;
    }

private:
    QEvent::Type type;
    std::function<void(QObject *)> seen;
};

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void constructionLeavesTheWindowReady();
    void splittersHoldTheFrames();
    void speedChartStartsEmpty();
    void windowLayoutComesBack();
    void endOfQueueTimer_data();
    void endOfQueueTimer();
    void bandwidthReference_data();
    void bandwidthReference();
    void versionCheckRequest_data();
    void versionCheckRequest();
    void managerSignalsReachTheWindow_data();
    void managerSignalsReachTheWindow();
    void formSignalsReachTheirSlots();
    void commandsReachTheManagerAtOnce();
    void settingsCopiedToTheManager_data();
    void settingsCopiedToTheManager();
    void decodingPriority();
    void trayIconAndMenu();
    void trayActionsFollowTheWindow();
    void hidingWithATray();
    void hidingWithoutATray();
    void trayActivation_data();
    void trayActivation();
    void trayMessageOpensTheLastFolder();
    void sleepPreventionFollowsTheQueue();
    void priorityEvent();
    void dragsAreAccepted();
    void noToolbarMenu();
    void configurationErrorIsShown();
    void unreadableSavedStateIsShown();
    void argumentsAndMessages();
    void argumentsThatAreNoNzbAreSaid();
    void unreadableNzbsAreNamed_data();
    void unreadableNzbsAreNamed();
    void exitQuestionAnsweredNo();
    void quitFromTheTrayShowsTheWindowFirst();
    void wizardWithoutServers_data();
    void wizardWithoutServers();
    void wizardStaysInFrontOfAnNzbAddedAtFirstStart_data();
    void wizardStaysInFrontOfAnNzbAddedAtFirstStart();
    void aboutBox();
    void oneLogViewerForTheRun();
    void manualRepairDialog();
    void historyWindowBuiltAnewWhenClosed();
    void historyWindowClosedDuringItsQuestion();
    void pictures();
    void firstShowingStartsTheSavedServers();
    // Last: the exit shuts the process's download manager down for good.
    void exitSavesEverythingAndLeavesNoThread();

private:
    std::unique_ptr<MainWindow> makeWindow();
    void resetConfiguration();

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<MainWindow> window;
};

void tst_MainWindow::initTestCase()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    QApplication::setQuitOnLastWindowClosed(false);
    // The version check of every window built here goes nowhere (a refused local port).
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");
}

void tst_MainWindow::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    resetConfiguration();
    MainWindow::systemTrayAvailable = [] { return false; };
}

void tst_MainWindow::cleanup()
{
    window.reset();
    home.reset();
}

void tst_MainWindow::resetConfiguration()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    qDeleteAll(config->serversConfiguration.listServers);
    config->serversConfiguration.listServers.clear();
    config->nzbConfiguration.listNzbFiles.clear();
    config->shutdownSaved = false;
    config->shutdownType = 0;
    config->autoDetectBandwidthLimit = true;
    config->autoSpeedLimit = 0;
    config->socketTimeout = 30;
    config->autoUnrar = true;
    config->autoUnsplit = true;
    config->autoDownloadNzb = false;
    config->autoCreateSubFolderInDestination = true;
    config->cacheFolder = home->dataFolder() + QStringLiteral("/Cache");
    config->downloadFolder = home->dataFolder() + QStringLiteral("/Download");
    config->destinationFolder = home->dataFolder() + QStringLiteral("/Destination");
    config->webConfiguration.homePage.clear();
    config->webConfiguration.homePageLaunch = false;
    config->searchHistory.clear();
    config->autoSaveHistoNzb = false;
}

std::unique_ptr<MainWindow> tst_MainWindow::makeWindow()
{
    return std::make_unique<MainWindow>();
}

void tst_MainWindow::constructionLeavesTheWindowReady()
{
    window = makeWindow();
    MainWindow &w = *window;
    Ui::MainWindow &ui = MainWindowTestAccess::ui(w);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tessaquill+ 1.4.1"));
    QVERIFY(ui.labelClickOnStartBtnToBegin->isHidden());
    QCOMPARE(ui.mainToolBar->actions().last(), ui.actionMinimize);
    QVERIFY(ui.mainToolBar->actions().at(ui.mainToolBar->actions().size() - 2)->isSeparator());

    const struct {
        QTimer &timer;
        int interval;
        bool active;
    } timers[] = {
        {MainWindowTestAccess::timerSpeed(w), 1000, true},
        {MainWindowTestAccess::timerBlink(w), 750, true},
        {MainWindowTestAccess::timerRefreshDrivesFreeSpace(w), 10000, true},
        {MainWindowTestAccess::timerPreventSuspend(w), 15000, true},
        {MainWindowTestAccess::timerShutdown(w), 0, false},
        {MainWindowTestAccess::timerDelayedPause(w), 0, false},
    };
    for (const auto &timer : timers) {
        QCOMPARE(timer.timer.isActive(), timer.active);
        if (timer.active)
            QCOMPARE(timer.timer.interval(), timer.interval);
    }
    QVERIFY(MainWindowTestAccess::trayIcon(w)->isVisible());
    QVERIFY(!MainWindowTestAccess::bFirstShowDone(w));
    QVERIFY(!MainWindowTestAccess::bSuspendPrevented(w));
    // No session bus in this test: no taskbar entry to show progress on.
    QVERIFY(!MainWindowTestAccess::hasTaskbar(w));
    QCOMPARE(ui.actionDestinations->menu(), MainWindowTestAccess::menuOpenDestination(w));
    QCOMPARE(ui.pushButtonSearchDownloadNzbDestination->menu(), MainWindowTestAccess::menuDownloadToDestination(w));
    QVERIFY(MainWindowTestAccess::networkManagerBrowser(w));
    QVERIFY(ui.labelWebDownloading->isHidden());
    QVERIFY(ui.progressBarWebDownload->isHidden());
    QVERIFY(ui.labelLoadStartedInfo->isHidden());
    QVERIFY(!ui.pushButtonWebBack->isEnabled());
    QVERIFY(!ui.pushButtonWebForward->isEnabled());
    QVERIFY(!ui.pushButtonWebHome->isEnabled());
    // The search tab is in place: its option lists are filled.
    QVERIFY(ui.comboBoxSearchResultsPerPage->count() > 0);
    QVERIFY(ui.lineEditSearch->completer());
    // The manager's thread runs, at the highest priority.
    QVERIFY(DownloadNzbManager::getInstance()->isRunning());
    QCOMPARE(DownloadNzbManager::getInstance()->priority(), QThread::TimeCriticalPriority);
}

void tst_MainWindow::splittersHoldTheFrames()
{
    window = makeWindow();
    MainWindow &w = *window;
    Ui::MainWindow &ui = MainWindowTestAccess::ui(w);
    const struct {
        QSplitter *splitter;
        Qt::Orientation orientation;
        QWidget *first;
        QWidget *second;
        QWidget *parent;
    } splitters[] = {
        {MainWindowTestAccess::splitterLeft(w), Qt::Vertical, ui.frame_3, ui.frame_4, ui.frame_2},
        {MainWindowTestAccess::splitterRight(w), Qt::Vertical, ui.frame_5, ui.frame_6, ui.frame},
        {MainWindowTestAccess::splitterMiddle(w), Qt::Horizontal, ui.frame_2, ui.frame, ui.tabServersDownload},
    };
    for (const auto &s : splitters) {
        QCOMPARE(s.splitter->orientation(), s.orientation);
        QCOMPARE(s.splitter->count(), 2);
        QCOMPARE(s.splitter->widget(0), s.first);
        QCOMPARE(s.splitter->widget(1), s.second);
        QCOMPARE(s.splitter->parentWidget(), s.parent);
        QVERIFY(s.splitter->childrenCollapsible());
    }
    QVERIFY(ui.verticalLayout_6->indexOf(MainWindowTestAccess::splitterLeft(w)) >= 0);
    QVERIFY(ui.verticalLayout_4->indexOf(MainWindowTestAccess::splitterRight(w)) >= 0);
    QVERIFY(ui.horizontalLayout->indexOf(MainWindowTestAccess::splitterMiddle(w)) >= 0);
}

void tst_MainWindow::speedChartStartsEmpty()
{
    const QDateTime before = QDateTime::currentDateTime();
    window = makeWindow();
    const QDateTime after = QDateTime::currentDateTime();
    QStandardItemModel *model = MainWindowTestAccess::modelSpeedChart(*window);
    QCOMPARE(MainWindowTestAccess::ui(*window).DownloadGraph->model(), model);
    QCOMPARE(model->rowCount(), 30);
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Time"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Speed"));
    const QDateTime first = model->data(model->index(0, 0)).toDateTime();
    QVERIFY(first >= before.addMSecs(-1) && first <= after);
    for (int row = 0; row < 30; ++row) {
        QCOMPARE(model->data(model->index(row, 0)).toDateTime(), first.addSecs(60 * row));
        QCOMPARE(model->data(model->index(row, 1)).toInt(), 0);
        QCOMPARE(model->data(model->index(row, 1), Qt::DecorationRole).value<QColor>(), QColor(128, 160, 255, 255));
    }
    QCOMPARE(MainWindowTestAccess::listSpeedHistory(*window), QList<quint64>(QVector<quint64>(30, 0).toList()));
}

// What one window saved, the next one shows; values that are no layout leave the form's own.
void tst_MainWindow::windowLayoutComesBack()
{
    window = makeWindow();
    window->show();
    window->resize(1010, 690);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    MainWindowTestAccess::splitterLeft(*window)->setSizes({300, 120});
    const QList<int> savedLeft = MainWindowTestAccess::splitterLeft(*window)->sizes();
    MainWindowTestAccess::saveWindowSettings(*window);
    window.reset();

    {
        const QSettings settings;
        for (const char *key : {"mainWindowGeometry", "mainWindowState", "splitterLeftServers", "splitterRightDownload",
                                "splitterMiddleDownload"})
            QVERIFY2(!settings.value(QLatin1String(key)).toByteArray().isEmpty(), key);
    }
    window = makeWindow();
    QCOMPARE(window->size(), QSize(1010, 690));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(MainWindowTestAccess::splitterLeft(*window)->sizes(), savedLeft);
    window.reset();

    QSettings settings;
    settings.setValue(QStringLiteral("mainWindowGeometry"), QByteArray("not a geometry"));
    settings.setValue(QStringLiteral("splitterLeftServers"), QByteArray("\x01\x02"));
    settings.sync();
    window = makeWindow();
    const QSize withUnusableLayout = window->size();
    window.reset();
    // The same as with no saved layout at all: the form's size, as far as the screen holds it.
    settings.clear();
    settings.sync();
    window = makeWindow();
    QCOMPARE(withUnusableLayout, window->size());
}

void tst_MainWindow::endOfQueueTimer_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("running");
    QTest::newRow("saved, no action") << true << 0 << false;
    QTest::newRow("not saved, power off") << false << 2 << false;
    QTest::newRow("saved, close") << true << 1 << true;
    QTest::newRow("saved, hibernate") << true << 4 << true;
}

void tst_MainWindow::endOfQueueTimer()
{
    QFETCH(bool, saved);
    QFETCH(int, type);
    QFETCH(bool, running);
    AppConfiguration::getInstance()->shutdownSaved = saved;
    AppConfiguration::getInstance()->shutdownType = type;
    window = makeWindow();
    QCOMPARE(MainWindowTestAccess::timerShutdown(*window).isActive(), running);
    if (running)
        QCOMPARE(MainWindowTestAccess::timerShutdown(*window).interval(), 1000);
}

void tst_MainWindow::bandwidthReference_data()
{
    QTest::addColumn<bool>("autoDetect");
    QTest::addColumn<quint32>("limit");
    QTest::addColumn<quint64>("maxSpeed");
    QTest::addColumn<bool>("sliderEnabled");
    QTest::newRow("detected") << true << 500u << quint64(0) << false;
    QTest::newRow("fixed, no limit") << false << 0u << quint64(0) << true;
    QTest::newRow("fixed, 100 KiB/s") << false << 100u << quint64(102400) << true;
    QTest::newRow("fixed, 4 GiB/s") << false << 4194304u << quint64(4294967296) << true;
}

void tst_MainWindow::bandwidthReference()
{
    QFETCH(bool, autoDetect);
    QFETCH(quint32, limit);
    QFETCH(quint64, maxSpeed);
    QFETCH(bool, sliderEnabled);
    AppConfiguration::getInstance()->autoDetectBandwidthLimit = autoDetect;
    AppConfiguration::getInstance()->autoSpeedLimit = limit;
    window = makeWindow();
    QCOMPARE(MainWindowTestAccess::uiMaxSpeed(*window), maxSpeed);
    QCOMPARE(MainWindowTestAccess::ui(*window).verticalSliderBandwidth->isEnabled(), sliderEnabled);
}

void tst_MainWindow::versionCheckRequest_data()
{
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    QTest::addColumn<QVariant>("checked");
    QTest::addColumn<QVariant>("updateToDo");
    QTest::addColumn<bool>("sent");
    QTest::newRow("never checked") << QVariant() << QVariant() << true;
    QTest::newRow("checked today") << QVariant(today) << QVariant(false) << false;
    QTest::newRow("checked today, update pending") << QVariant(today) << QVariant(true) << true;
    QTest::newRow("checked yesterday evening") << QVariant(today.addSecs(-60)) << QVariant(false) << true;
    QTest::newRow("not a date") << QVariant(QStringLiteral("soon")) << QVariant(false) << true;
}

void tst_MainWindow::versionCheckRequest()
{
    QFETCH(QVariant, checked);
    QFETCH(QVariant, updateToDo);
    QFETCH(bool, sent);
    HttpTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    server.addRoute("GET", "/version.txt", HttpTestServer::Response::ok("1.4.1", "text/plain"));
    qputenv("TESSAQUILL_VERSION_URL", server.url(QStringLiteral("/version.txt")).toEncoded());
    {
        QSettings settings;
        if (checked.isValid())
            settings.setValue(QStringLiteral("checkedVersion"), checked);
        if (updateToDo.isValid())
            settings.setValue(QStringLiteral("updateToDo"), updateToDo);
    }
    window = makeWindow();
    QSignalSpy replies(MainWindowTestAccess::networkManagerVersion(*window), SIGNAL(finished(QNetworkReply*)));
    if (sent) {
        QVERIFY(replies.wait(10000));
        QCOMPARE(server.requestCount(), 1);
        QCOMPARE(server.requests().first().path(), QStringLiteral("/version.txt"));
    } else {
        QTest::qWait(300);
        QCOMPARE(server.requestCount(), 0);
    }
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");
}

void tst_MainWindow::managerSignalsReachTheWindow_data()
{
    QTest::addColumn<bool>("fromManager");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("slot");
    const auto row = [](bool fromManager, const char *signal, const char *slot) {
        QTest::newRow(signal) << fromManager << QByteArray(signal) << QByteArray(slot);
    };
    row(true, SIGNAL(signalIdle(quint32)), SLOT(slotThreadIdle(quint32)));
    row(true, SIGNAL(signalWorking(quint32)), SLOT(slotThreadWorking(quint32)));
    row(true, SIGNAL(signalPaused(quint32)), SLOT(slotThreadPaused(quint32)));
    row(true, SIGNAL(signalThreadCurrentSpeedBytesPerSec(quint64,quint32)), SLOT(slotThreadCurrentSpeedBytesPerSec(quint64,quint32)));
    row(true, SIGNAL(signalBody(QString,quint32)), SLOT(slotThreadBody(QString,quint32)));
    row(true, SIGNAL(signalConnect(quint32)), SLOT(slotThreadConnect(quint32)));
    row(true, SIGNAL(signalDisconnect(quint32)), SLOT(slotThreadDisconnect(quint32)));
    row(true, SIGNAL(signalGetGroups(quint32)), SLOT(slotThreadGetGroups(quint32)));
    row(true, SIGNAL(signalSelectGroup(QString,quint32)), SLOT(slotThreadSelectGroup(QString,quint32)));
    row(true, SIGNAL(signalStat(QString,quint32)), SLOT(slotThreadStat(QString,quint32)));
    row(true, SIGNAL(signalHelp(quint32)), SLOT(slotThreadHelp(quint32)));
    row(true, SIGNAL(signalCapabilities(quint32)), SLOT(slotThreadCapabilities(quint32)));
    row(true, SIGNAL(signalDate(quint32)), SLOT(slotThreadDate(quint32)));
    row(true, SIGNAL(signalSegmentErrorConnect(quint32,NzbSegment*,QString)), SLOT(slotThreadErrorConnect(quint32,NzbSegment*,QString)));
    row(true, SIGNAL(signalInfoSegmentIsMissing(quint32,NzbSegment*)), SLOT(slotThreadSegmentIsMissing(quint32,NzbSegment*)));
    row(false, SIGNAL(signalStopThreads(QList<quint32>,int)), SLOT(slotStopThreads(QList<quint32>,int)));
    row(false, SIGNAL(signalDeleteFileList(QList<QTreeWidgetItem*>)), SLOT(deleteFilesList(QList<QTreeWidgetItem*>)));
    row(false, SIGNAL(signalDeleteNzbList(QList<QTreeWidgetItem*>)), SLOT(deleteNzbList(QList<QTreeWidgetItem*>)));
    row(false, SIGNAL(signalReorderNzbList(QList<QTreeWidgetItem*>)), SLOT(reorderNzbList(QList<QTreeWidgetItem*>)));
    row(false, SIGNAL(signalPauseUnpauseFiles()), SLOT(pauseUnpauseFiles()));
    row(true, SIGNAL(signalThreadsStopped(QList<quint32>,int)), SLOT(slotThreadsStopped(QList<quint32>,int)));
    row(true, SIGNAL(signalSegmentDownloadOK(NzbSegment*)), SLOT(slotDownloadListSegmentDownloadOK(NzbSegment*)));
    row(true, SIGNAL(signalSegmentDownloadException(NzbSegment*,QString)), SLOT(slotDownloadListSegmentDownloadException(NzbSegment*,QString)));
    row(true, SIGNAL(signalSegmentIsMissing(NzbSegment*)), SLOT(slotDownloadListSegmentIsMissing(NzbSegment*)));
    row(true, SIGNAL(signalSegmentFailedToCreateFile(NzbSegment*,QString)), SLOT(slotDownloadListSegmentFailedToCreateFile(NzbSegment*,QString)));
    row(true, SIGNAL(signalFileDecoded(NzbFile*)), SLOT(slotDownloadListFileDecoded(NzbFile*)));
    row(true, SIGNAL(signalFileWarning(NzbFile*,QString)), SLOT(slotDownloadListFileWarning(NzbFile*,QString)));
    row(true, SIGNAL(signalFileResumed(NzbFile*)), SLOT(slotDownloadListFileResumed(NzbFile*)));
    row(true, SIGNAL(signalNzbFinished(NzbFiles*)), SLOT(slotDownloadListNzbFinished(NzbFiles*)));
    row(true, SIGNAL(signalPar2Progress(QString,NzbFiles*)), SLOT(slotDownloadListPar2Progress(QString,NzbFiles*)));
    row(true, SIGNAL(signalPar2Finished(QString,QString,NzbFiles*)), SLOT(slotDownloadListPar2Finished(QString,QString,NzbFiles*)));
    row(true, SIGNAL(signalUnrarProgress(QString,NzbFiles*)), SLOT(slotUnrarProgress(QString,NzbFiles*)));
    row(true, SIGNAL(signalUnrarFinished(NzbFiles*,bool)), SLOT(slotUnrarFinished(NzbFiles*,bool)));
    row(true, SIGNAL(signalUnrarError(QString,NzbFiles*)), SLOT(slotUnrarError(QString,NzbFiles*)));
    row(true, SIGNAL(signalUnrarNoFileFound(NzbFiles*)), SLOT(slotUnrarNoFileFound(NzbFiles*)));
    row(true, SIGNAL(signalStartUnsplit(NzbFiles*)), SLOT(slotUnsplitStart(NzbFiles*)));
    row(true, SIGNAL(signalUnsplitProgress(NzbFiles*,quint32,quint32)), SLOT(slotUnsplitProgress(NzbFiles*,quint32,quint32)));
    row(true, SIGNAL(signalUnsplitDone(NzbFiles*,QString)), SLOT(slotUnsplitDone(NzbFiles*,QString)));
    row(true, SIGNAL(signalDownloadsPaused(QString)), SLOT(slotDownloadsPaused(QString)));
}

// Each wiring is made exactly once: the first disconnection finds it, the second finds none.
void tst_MainWindow::managerSignalsReachTheWindow()
{
    QFETCH(bool, fromManager);
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, slot);
    window = makeWindow();
    QObject *manager = DownloadNzbManager::getInstance();
    QObject *sender = fromManager ? manager : static_cast<QObject *>(window.get());
    QObject *receiver = fromManager ? static_cast<QObject *>(window.get()) : manager;
    QVERIFY(QObject::disconnect(sender, signal.constData(), receiver, slot.constData()));
    QVERIFY(!QObject::disconnect(sender, signal.constData(), receiver, slot.constData()));
}

void tst_MainWindow::formSignalsReachTheirSlots()
{
    window = makeWindow();
    MainWindow &w = *window;
    Ui::MainWindow &ui = MainWindowTestAccess::ui(w);
    const struct {
        QObject *sender;
        const char *signal;
        QObject *receiver;
        const char *slot;
    } rows[] = {
        {ui.mainToolBar, SIGNAL(actionTriggered(QAction*)), &w, SLOT(slotToolbarActionTriggered(QAction*))},
        {ui.actionExit, SIGNAL(triggered()), &w, SLOT(close())},
        {ui.actionUpdate, SIGNAL(triggered()), &w, SLOT(slotActionUpdate())},
        {ui.actionManual_repair_extraction_unsplit, SIGNAL(triggered()), &w, SLOT(slotManualRepairExtract())},
        {ui.actionLogs, SIGNAL(triggered()), &w, SLOT(slotActionLogs())},
        {ui.actionNZB_history, SIGNAL(triggered()), &w, SLOT(slotNzbHistory())},
        {ui.actionAbout_Tessaquill_Plus, SIGNAL(triggered()), &w, SLOT(slotAboutTessaquill())},
        {&MainWindowTestAccess::timerDelayedPause(w), SIGNAL(timeout()), &w, SLOT(slotPausedTick())},
        {&MainWindowTestAccess::timerShutdown(w), SIGNAL(timeout()), &w, SLOT(slotShutdownTick())},
        {&MainWindowTestAccess::timerRefreshDrivesFreeSpace(w), SIGNAL(timeout()), &w, SLOT(slotRefreshDrivesFreeSpaceTick())},
        {&MainWindowTestAccess::timerBlink(w), SIGNAL(timeout()), &w, SLOT(slotLabelInfoStartServerBlink())},
        {&MainWindowTestAccess::timerSpeed(w), SIGNAL(timeout()), &w, SLOT(slotCurrentSpeedDownload())},
        {ui.pushButtonGoUrl, SIGNAL(clicked()), &w, SLOT(webBrowserGoUrl())},
        {ui.pushButtonGoNzbEngine, SIGNAL(clicked()), &w, SLOT(webBrowserGoNzbSearchEngine())},
        {ui.pushButtonWebHome, SIGNAL(clicked()), &w, SLOT(webBrowserGoHomePage())},
        {ui.pushButtonWebBack, SIGNAL(clicked()), &w, SLOT(webBrowserBack())},
        {ui.pushButtonWebForward, SIGNAL(clicked()), &w, SLOT(webBrowserForward())},
        {ui.pushButtonWebReload, SIGNAL(clicked()), &w, SLOT(webBrowserReload())},
        {ui.lineEditWebUrl, SIGNAL(returnPressed()), ui.pushButtonGoUrl, SIGNAL(clicked())},
        {ui.lineEditWebSearch, SIGNAL(returnPressed()), ui.pushButtonWebSearch, SIGNAL(clicked())},
        {ui.pushButtonWebSearch, SIGNAL(clicked()), &w, SLOT(webBrowserSearchClicked())},
        {ui.comboBoxWebZoom, SIGNAL(currentIndexChanged(QString)), &w, SLOT(webBrowserZoomCurrentIndexChanged(QString))},
        {ui.pushButtonAddServer, SIGNAL(clicked()), &w, SLOT(slotAddNewServer())},
        {ui.pushButtonModifyServer, SIGNAL(clicked()), &w, SLOT(slotModifyServer())},
        {ui.pushButtonDeleteServer, SIGNAL(clicked()), &w, SLOT(slotDeleteServer())},
        {ui.pushButtonPausePlay, SIGNAL(clicked()), &w, SLOT(slotPausePlayThreads())},
        {ui.pushButtonDeleteSelNzb, SIGNAL(clicked()), &w, SLOT(slotDownloadListNzbItemDelete())},
        {ui.pushButtonDeleteNzbFinished, SIGNAL(clicked()), &w, SLOT(slotDeleteNzbFinished())},
        {ui.pushButtonOpenDestinationFolder, SIGNAL(clicked()), &w, SLOT(slotOpenDownloadDestinationFolder())},
        {ui.pushButtonMoveUpNzb, SIGNAL(clicked()), &w, SLOT(slotMoveUpNzb())},
        {ui.pushButtonMoveDownNzb, SIGNAL(clicked()), &w, SLOT(slotMoveDownNzb())},
        {ui.pushButtonMoveUpFiles, SIGNAL(clicked()), &w, SLOT(slotMoveUpFiles())},
        {ui.pushButtonMoveDownFiles, SIGNAL(clicked()), &w, SLOT(slotMoveDownFiles())},
        {ui.verticalSliderBandwidth, SIGNAL(valueChanged(int)), &w, SLOT(slotLimitBandwidthValueChanged(int))},
        {MainWindowTestAccess::trayIcon(w), SIGNAL(messageClicked()), &w, SLOT(slotSystrayMessageClicked())},
        {MainWindowTestAccess::trayIcon(w), SIGNAL(activated(QSystemTrayIcon::ActivationReason)), &w,
         SLOT(slotSystrayActivated(QSystemTrayIcon::ActivationReason))},
        {ui.radioButtonDecodingPriorityHigh, SIGNAL(toggled(bool)), &w, SLOT(slotDecodersPriorityStateChanged(bool))},
        {ui.radioButtonDecodingPriorityLow, SIGNAL(toggled(bool)), &w, SLOT(slotDecodersPriorityStateChanged(bool))},
        {ui.lineEditManualLimitBandwidth, SIGNAL(editingFinished()), &w, SLOT(slotManualLimitBandwidthEditingFinished())},
        {&MainWindowTestAccess::timerPreventSuspend(w), SIGNAL(timeout()), &w, SLOT(slotTimedElapsedPreventComputerSuspend())},
        {MainWindowTestAccess::actionTrayMinimize(w), SIGNAL(triggered()), &w, SLOT(hide())},
        {MainWindowTestAccess::actionTrayMaximize(w), SIGNAL(triggered()), &w, SLOT(showMaximized())},
        {MainWindowTestAccess::actionTrayRestore(w), SIGNAL(triggered()), &w, SLOT(showNormal())},
        {MainWindowTestAccess::actionTrayQuit(w), SIGNAL(triggered()), &w, SLOT(close())},
        {MainWindowTestAccess::networkManagerVersion(w), SIGNAL(finished(QNetworkReply*)), &w,
         SLOT(checkVersionFinished(QNetworkReply*))},
    };
    int row = 0;
    for (const auto &r : rows) {
        QVERIFY2(QObject::disconnect(r.sender, r.signal, r.receiver, r.slot), qPrintable(QString::number(row)));
        QVERIFY2(!QObject::disconnect(r.sender, r.signal, r.receiver, r.slot), qPrintable(QString::number(row)));
        ++row;
    }
    // The search tab's own controls reach the search tab.
    SearchTab *search = MainWindowTestAccess::searchTab(w);
    QVERIFY(QObject::disconnect(ui.lineEditSearch, &QLineEdit::returnPressed, search, &SearchTab::slotSearchNzb));
    QVERIFY(QObject::disconnect(ui.pushButtonSearchNzb, &QPushButton::clicked, search, &SearchTab::slotSearchNzb));
    QVERIFY(QObject::disconnect(ui.pushButtonSearchCloseAllTabs, &QPushButton::clicked, search,
                                &SearchTab::slotSearchCloseAllTabs));
}

// The deletions, the reorder and the pause change have reached the manager's queue when the
// window's emission returns.
void tst_MainWindow::commandsReachTheManagerAtOnce()
{
    window = makeWindow();
    const QString path = home->path() + QStringLiteral("/direct.nzb");
    QVERIFY(writeFile(path, nzbDocument(QStringLiteral("direct"))));
    AppConfiguration::getInstance()->autoDownloadNzb = true;
    window->addNzbFile(path, QStringLiteral("direct"), QString());
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    NzbFiles *nzb = manager->listNzbFiles.last();
    QCOMPARE(nzb->strName, QStringLiteral("direct"));
    QTreeWidgetItem row;
    nzb->pTreeItem = &row;
    emit window->signalDeleteNzbList({&row});
    QVERIFY(!manager->listNzbFiles.contains(nzb));
    QVERIFY(manager->listDeletedNzbFiles.contains(nzb));
    QVERIFY(nzb->bDeleted);
    QVERIFY(!nzb->pTreeItem);
    AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
}

void tst_MainWindow::settingsCopiedToTheManager_data()
{
    QTest::addColumn<quint32>("seconds");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("0 s") << 0u << 30000;
    QTest::newRow("1 s") << 1u << 30000;
    QTest::newRow("2 s") << 2u << 2000;
    QTest::newRow("30 s") << 30u << 30000;
    QTest::newRow("120 s") << 120u << 120000;
    QTest::newRow("too long to count in ms") << 3000000u << 30000;
}

void tst_MainWindow::settingsCopiedToTheManager()
{
    QFETCH(quint32, seconds);
    QFETCH(int, milliseconds);
    AppConfiguration *config = AppConfiguration::getInstance();
    config->socketTimeout = seconds;
    config->autoUnrar = false;
    config->autoUnsplit = false;
    config->cacheFolder = QStringLiteral("/srv/cache é");
    config->downloadFolder = QStringLiteral("/srv/download");
    config->destinationFolder = QStringLiteral("/srv/destination");
    window = makeWindow();
    const DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCOMPARE(manager->iSocketTimeout, milliseconds);
    QCOMPARE(manager->bAutoUnrar, false);
    QCOMPARE(manager->bAutoUnsplit, false);
    QCOMPARE(manager->strCacheFolder, QStringLiteral("/srv/cache é"));
    QCOMPARE(manager->strDownloadFolder, QStringLiteral("/srv/download"));
    QCOMPARE(manager->strDestinationFolder, QStringLiteral("/srv/destination"));
}

void tst_MainWindow::decodingPriority()
{
    window = makeWindow();
    Ui::MainWindow &ui = MainWindowTestAccess::ui(*window);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QVERIFY(ui.radioButtonDecodingPriorityHigh->isChecked());
    ui.radioButtonDecodingPriorityLow->setChecked(true);
    QCOMPARE(manager->iDecodersPause, 100);
    ui.radioButtonDecodingPriorityHigh->setChecked(true);
    QCOMPARE(manager->iDecodersPause, 0);
}

void tst_MainWindow::trayIconAndMenu()
{
    window = makeWindow();
    QSystemTrayIcon *tray = MainWindowTestAccess::trayIcon(*window);
    QCOMPARE(tray->toolTip(), QStringLiteral("Tessaquill+"));
    QCOMPARE(tray->icon().pixmap(32).toImage(), QIcon(QStringLiteral(":/images/logo_tessaquill.png")).pixmap(32).toImage());
    QCOMPARE(tray->contextMenu(), MainWindowTestAccess::trayMenu(*window));
    const QList<QAction *> actions = tray->contextMenu()->actions();
    QCOMPARE(actions.size(), 5);
    QCOMPARE(actions.at(0)->text(), QStringLiteral("Mi&nimize"));
    QCOMPARE(actions.at(1)->text(), QStringLiteral("Ma&ximize"));
    QCOMPARE(actions.at(2)->text(), QStringLiteral("&Restore"));
    QVERIFY(actions.at(3)->isSeparator());
    QCOMPARE(actions.at(4)->text(), QStringLiteral("&Quit"));
    for (QAction *action : actions)
        QVERIFY(action->isSeparator() || action->parent() == window.get());
}

void tst_MainWindow::trayActionsFollowTheWindow()
{
    MainWindow::systemTrayAvailable = [] { return true; };
    window = makeWindow();
    QAction *minimize = MainWindowTestAccess::actionTrayMinimize(*window);
    QAction *maximize = MainWindowTestAccess::actionTrayMaximize(*window);
    QAction *restore = MainWindowTestAccess::actionTrayRestore(*window);
    const auto states = [&] { return QList<bool>{minimize->isEnabled(), maximize->isEnabled(), restore->isEnabled()}; };

    window->showNormal();
    QCOMPARE(states(), (QList<bool>{true, true, false}));
    window->hide();
    QCOMPARE(states(), (QList<bool>{false, true, true}));
    window->showMaximized();
    QCOMPARE(states(), (QList<bool>{true, false, true}));
    maximize->trigger(); // disabled: nothing
    restore->trigger();
    QVERIFY(!window->isMaximized());
    QVERIFY(window->isVisible());
}

void tst_MainWindow::hidingWithATray()
{
    MainWindow::systemTrayAvailable = [] { return true; };
    window = makeWindow();
    QSignalSpy messages(window.get(), &MainWindow::signalTrayMessageShown);
    window->show();
    MainWindowTestAccess::strLastFinishedDestination(*window) = home->path();
    MainWindowTestAccess::actionTrayMinimize(*window)->trigger();
    QVERIFY(!window->isVisible());
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().at(0).toString(), QStringLiteral("Information"));
    QCOMPARE(messages.first().at(1).toString(), QStringLiteral("Tessaquill+ has been minimized in the task bar"));
    // A click on that balloon opens nothing, though an NZB finished before.
    QVERIFY(MainWindowTestAccess::strLastFinishedDestination(*window).isEmpty());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    emit MainWindowTestAccess::trayIcon(*window)->messageClicked();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY(catcher.urls.isEmpty());
}

// Without a tray, hiding would leave no way back to the window: it is minimized instead, and no
// balloon is shown.
void tst_MainWindow::hidingWithoutATray()
{
    window = makeWindow();
    QSignalSpy messages(window.get(), &MainWindow::signalTrayMessageShown);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    MainWindowTestAccess::actionTrayMinimize(*window)->trigger();
    QVERIFY(window->isVisible());
    QVERIFY(window->isMinimized());
    window->hide();
    QVERIFY(window->isVisible());
    QVERIFY(messages.isEmpty());
}

void tst_MainWindow::trayActivation_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("restores");
    // A single activation is what trays of the StatusNotifierItem kind send for a click.
    QTest::newRow("single click") << int(QSystemTrayIcon::Trigger) << true;
    QTest::newRow("double click") << int(QSystemTrayIcon::DoubleClick) << true;
    QTest::newRow("right click") << int(QSystemTrayIcon::Context) << false;
    QTest::newRow("middle click") << int(QSystemTrayIcon::MiddleClick) << false;
}

// A hidden window comes back, in its normal size, on a click or a double click; a right click
// only opens the menu: it neither shows a hidden window nor hides or shrinks a shown one.
void tst_MainWindow::trayActivation()
{
    QFETCH(int, reason);
    QFETCH(bool, restores);
    MainWindow::systemTrayAvailable = [] { return true; };
    window = makeWindow();
    QSystemTrayIcon *tray = MainWindowTestAccess::trayIcon(*window);
    emit tray->activated(QSystemTrayIcon::ActivationReason(reason));
    QCOMPARE(window->isVisible(), restores);
    window->showMaximized();
    window->hide();
    emit tray->activated(QSystemTrayIcon::ActivationReason(reason));
    QCOMPARE(window->isVisible(), restores);
    if (restores)
        QVERIFY(!window->isMaximized());

    window->showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    if (!restores) {
        emit tray->activated(QSystemTrayIcon::ActivationReason(reason));
        QVERIFY(window->isVisible());
        QVERIFY(window->isMaximized());
    }
}

void tst_MainWindow::trayMessageOpensTheLastFolder()
{
    window = makeWindow();
    const QString folder = home->path() + QStringLiteral("/Destination/Été 2024 #1");
    MainWindowTestAccess::strLastFinishedDestination(*window) = folder;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    emit MainWindowTestAccess::trayIcon(*window)->messageClicked();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().toLocalFile(), folder);
}

// The computer stays awake while the queue holds work that is neither removed nor cleaned. (The
// lock itself is checked against a stand-in login manager in tst_MainWindowDesktop.)
void tst_MainWindow::sleepPreventionFollowsTheQueue()
{
    window = makeWindow();
    window->slotTimedElapsedPreventComputerSuspend();
    QVERIFY(!MainWindowTestAccess::bSuspendPrevented(*window));
    QVERIFY(!MainWindowTestAccess::sleepInhibitor(*window)->isWanted());

    const QString path = home->path() + QStringLiteral("/awake.nzb");
    QVERIFY(writeFile(path, nzbDocument(QStringLiteral("awake"))));
    AppConfiguration::getInstance()->autoDownloadNzb = true;
    window->addNzbFile(path, QStringLiteral("awake"), QString());
    NzbFiles *nzb = DownloadNzbManager::getInstance()->listNzbFiles.last();
    window->slotTimedElapsedPreventComputerSuspend();
    QVERIFY(MainWindowTestAccess::bSuspendPrevented(*window));
    QVERIFY(MainWindowTestAccess::sleepInhibitor(*window)->isWanted());

    nzb->bCleaned = true;
    window->slotTimedElapsedPreventComputerSuspend();
    QVERIFY(!MainWindowTestAccess::bSuspendPrevented(*window));
    QVERIFY(!MainWindowTestAccess::sleepInhibitor(*window)->isWanted());

    QTreeWidgetItem row;
    nzb->pTreeItem = &row;
    emit window->signalDeleteNzbList({&row});
    AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
}

void tst_MainWindow::priorityEvent()
{
    window = makeWindow();
    QThread::currentThread()->setPriority(QThread::NormalPriority);
    QEvent other(QEvent::Type(QEvent::User + 201));
    other.accept();
    QCoreApplication::sendEvent(window.get(), &other);
    QVERIFY(!other.isAccepted());
    QCOMPARE(QThread::currentThread()->priority(), QThread::NormalPriority);

    QCoreApplication::postEvent(window.get(), new MDPriorityChangeEvent(QThread::HighPriority));
    QCOMPARE(int(MDPriorityChangeEvent::kType), 1200);
    QTRY_COMPARE(QThread::currentThread()->priority(), QThread::HighPriority);
}

void tst_MainWindow::dragsAreAccepted()
{
    window = makeWindow();
    QMimeData data;
    data.setText(QStringLiteral("anything at all"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::CopyAction);
    QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &move);
    QVERIFY(move.isAccepted());
    QDragLeaveEvent leave;
    leave.ignore();
    QCoreApplication::sendEvent(window.get(), &leave);
    QVERIFY(leave.isAccepted());
    QVERIFY(window->acceptDrops());
}

void tst_MainWindow::noToolbarMenu()
{
    window = makeWindow();
    QVERIFY(!window->createPopupMenu());
}

// What the start-up could not read is told once the window is up, in one box; nothing when
// everything was read.
void tst_MainWindow::unreadableSavedStateIsShown()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    window = makeWindow();
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->reportUnreadableSavedState();
    QTest::qWait(50);
    QCOMPARE(answerer.answeredCount(), 0);

    config->nzbConfiguration.listUnrestoredNzbs = QStringList{QStringLiteral("Holiday <films>"), QStringLiteral("Nzb_7")};
    config->serversConfiguration.listUnreadableFiles = QStringList{QStringLiteral("Server_2")};
    window->reportUnreadableSavedState();
    const bool answered = answerer.waitForAnswered(1);
    config->nzbConfiguration.listUnrestoredNzbs.clear();
    config->serversConfiguration.listUnreadableFiles.clear();
    QVERIFY(answered);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.text, QStringLiteral("These NZBs of the saved queue could not be restored: their record and its backup are "
                                      "damaged.\n- Holiday <films>\n- Nzb_7\nThe damaged files are kept in %1 with the "
                                      "suffix .damaged.\n\n"
                                      "These server records could not be read, so their servers are missing:\n- Server_2\n"
                                      "The files are kept in %2.")
                           .arg(AppConfiguration::getNzbFolder(), AppConfiguration::getServersFolder()));
}

void tst_MainWindow::configurationErrorIsShown()
{
    window = makeWindow();
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->reportConfigurationError(QStringLiteral("Failed to open configuration file Tessaquill_Plus.cfg"));
    QVERIFY(answerer.waitForAnswered(1));
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY2(box.text.contains(QStringLiteral("Failed to open configuration file Tessaquill_Plus.cfg")), qPrintable(box.text));
}

// NZB files among the arguments and the messages of later starts are queued by suffix, in any
// letter case, with the file's base name; anything else is left.
void tst_MainWindow::argumentsAndMessages()
{
    AppConfiguration::getInstance()->autoDownloadNzb = true;
    window = makeWindow();
    const QString folder = home->path() + QStringLiteral("/incoming ü");
    QVERIFY(writeFile(folder + QStringLiteral("/Movie.NZB"), nzbDocument(QStringLiteral("movie"))));
    QVERIFY(writeFile(folder + QStringLiteral("/Été.nzb"), nzbDocument(QStringLiteral("ete"))));
    QVERIFY(writeFile(folder + QStringLiteral("/packed.nzb.gz"), nzbDocument(QStringLiteral("packed"))));
    QVERIFY(writeFile(folder + QStringLiteral("/notes.txt"), "text"));
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    // The files left are said, those of the command line together (from the event loop, which
    // the reading of the later start's NZB runs).
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    answerer.pressNext(QMessageBox::Ok);
    window->loadNzbFromArguments({QStringLiteral("tessaquill"), folder + QStringLiteral("/Movie.NZB"),
                                  folder + QStringLiteral("/packed.nzb.gz"), folder + QStringLiteral("/notes.txt")});
    QCOMPARE(answerer.answeredCount(), 0);
    window->handleMessage(folder + QStringLiteral("/Été.nzb"));
    window->handleMessage(folder + QStringLiteral("/notes.txt"));
    QVERIFY(answerer.waitForAnswered(2));
    const QString notes = QStringLiteral("- %1/notes.txt: not an NZB file (its name does not end in .nzb)").arg(folder);
    QCOMPARE(answerer.seen().at(0).text,
             QStringLiteral("These files were not added to the queue:\n- %1/packed.nzb.gz: a packed NZB file: unpack it, "
                            "then add the .nzb file\n")
                     .arg(folder)
                 + notes);
    QCOMPARE(answerer.seen().at(1).text, QStringLiteral("These files were not added to the queue:\n") + notes);
    QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer.seen().at(1).icon, QMessageBox::Warning);
    QCOMPARE(manager->listNzbFiles.size(), before + 2);
    QCOMPARE(manager->listNzbFiles.at(before)->strName, QStringLiteral("Movie"));
    QCOMPARE(manager->listNzbFiles.at(before + 1)->strName, QStringLiteral("Été"));
    // Adding brought the hidden window forward.
    QVERIFY(window->isVisible());
    QTreeWidgetItem first;
    QTreeWidgetItem second;
    NzbFiles *movie = manager->listNzbFiles.at(before);
    NzbFiles *ete = manager->listNzbFiles.at(before + 1);
    movie->pTreeItem = &first;
    ete->pTreeItem = &second;
    emit window->signalDeleteNzbList({&first, &second});
    AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(movie);
    AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(ete);
}

// A later start's arguments that are no NZB file are said in one box, with why each was left;
// one that comes while the box is open joins it. The window comes forward for it.
void tst_MainWindow::argumentsThatAreNoNzbAreSaid()
{
    window = makeWindow();
    const QString folder = home->path() + QStringLiteral("/given <b>");
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/a folder")));
    QVERIFY(writeFile(folder + QStringLiteral("/show.NZB.GZ"), "packed"));
    QVERIFY(writeFile(folder + QStringLiteral("/show.nzb.bak"), "kept"));
    ModalAnswerer answerer;
    bool visibleWhenSaid = false;
    bool plainText = false;
    QString textAfterOneMore;
    answerer.handleNext([&](QWidget *shown) {
        visibleWhenSaid = window->isVisible();
        window->handleMessage(folder + QStringLiteral("/late.txt"));
        auto *box = qobject_cast<QMessageBox *>(shown);
        // The names are the user's: shown as they are, never read as markup.
        plainText = box->textFormat() == Qt::PlainText;
        textAfterOneMore = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    for (const char *name : {"a folder", "show.NZB.GZ", "show.nzb.bak", "missing.nzb.gz"})
        window->handleMessage(folder + QLatin1Char('/') + QLatin1String(name));
    QVERIFY(answerer.waitForAnswered(1));
    QTest::qWait(50);
    QCOMPARE(answerer.answeredCount(), 1);
    QVERIFY(visibleWhenSaid);
    QVERIFY(plainText);
    const QStringList lines = {
        QStringLiteral("These files were not added to the queue:"),
        QStringLiteral("- %1/a folder: a folder, not an NZB file").arg(folder),
        QStringLiteral("- %1/show.NZB.GZ: a packed NZB file: unpack it, then add the .nzb file").arg(folder),
        QStringLiteral("- %1/show.nzb.bak: not an NZB file (its name does not end in .nzb)").arg(folder),
        QStringLiteral("- %1/missing.nzb.gz: no such file").arg(folder),
    };
    QCOMPARE(answerer.seen().first().text, lines.join(QLatin1Char('\n')));
    QCOMPARE(textAfterOneMore, (lines + QStringList{QStringLiteral("- %1/late.txt: no such file").arg(folder)})
                                   .join(QLatin1Char('\n')));
}

void tst_MainWindow::unreadableNzbsAreNamed_data()
{
    QTest::addColumn<QString>("road");
    QTest::newRow("command line") << "command line";
    QTest::newRow("later start") << "later start";
    QTest::newRow("browser") << "browser";
}

// Two NZB files that cannot be read, given together, give two boxes that each name their file:
// by its path, or by the NZB's name for the temporary file of a download.
void tst_MainWindow::unreadableNzbsAreNamed()
{
    QFETCH(QString, road);
    AppConfiguration::getInstance()->autoDownloadNzb = true;
    window = makeWindow();
    const QString first = home->path() + QStringLiteral("/first.nzb");
    const QString second = home->path() + QStringLiteral("/other/second.nzb");
    QVERIFY(writeFile(first, "<nzb><file"));
    QVERIFY(writeFile(second, "not xml at all"));
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    answerer.pressNext(QMessageBox::Ok);
    QStringList named = {first, second};
    if (road == QLatin1String("command line")) {
        window->loadNzbFromArguments({QStringLiteral("tessaquill"), first, second});
    } else if (road == QLatin1String("later start")) {
        window->handleMessage(first);
        window->handleMessage(second);
    } else {
        window->addNzbFile(first, QStringLiteral("Caught on a page"), QString());
        window->addNzbFile(second, QStringLiteral("Another page"), QString());
        named = QStringList{QStringLiteral("Caught on a page"), QStringLiteral("Another page")};
    }
    QVERIFY(answerer.waitForAnswered(2));
    for (int i = 0; i < 2; ++i) {
        const ModalAnswerer::Seen &box = answerer.seen().at(i);
        QCOMPARE(box.text, QStringLiteral("Error while importing NZB file: NZB contains error(s)\nFile: ") + named.at(i));
        QCOMPARE(box.icon, QMessageBox::Critical);
    }
}

void tst_MainWindow::exitQuestionAnsweredNo()
{
    window = makeWindow();
    window->show();
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::No);
    QVERIFY(!window->close());
    QCOMPARE(answerer.answeredCount(), 1);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.text, QStringLiteral("Do you really want to exit Tessaquill+ ?"));
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.defaultButton, QMessageBox::No);
    QVERIFY(window->isVisible());
    QVERIFY(MainWindowTestAccess::timerSpeed(*window).isActive());
    QVERIFY(DownloadNzbManager::getInstance()->isRunning());

    // Escape is No as well.
    answerer.rejectNext();
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
}

void tst_MainWindow::quitFromTheTrayShowsTheWindowFirst()
{
    MainWindow::systemTrayAvailable = [] { return true; };
    window = makeWindow();
    window->show();
    window->hide();
    QVERIFY(!window->isVisible());
    ModalAnswerer answerer;
    bool visibleWhenAsked = false;
    answerer.handleNext([&](QWidget *box) {
        visibleWhenAsked = window->isVisible();
        static_cast<QMessageBox *>(box)->button(QMessageBox::No)->click();
    });
    MainWindowTestAccess::actionTrayQuit(*window)->trigger();
    QCOMPARE(answerer.answeredCount(), 1);
    QVERIFY(visibleWhenAsked);
    QVERIFY(window->isVisible());
}

void tst_MainWindow::wizardWithoutServers_data()
{
    QTest::addColumn<bool>("withServer");
    QTest::newRow("no server") << false;
    QTest::newRow("a server") << true;
}

// The first-run wizard is built with the window and opened, when no server is configured, at the
// window's first showing: after the window and above it (a window of its own that the main window
// owns), active, and not modal, so the main window stays usable. A later showing opens nothing.
void tst_MainWindow::wizardWithoutServers()
{
    QFETCH(bool, withServer);
    if (withServer) {
        auto *server = new NntpServer;
        server->iId = 1;
        AppConfiguration::getInstance()->serversConfiguration.listServers.append(server);
    }
    window = makeWindow();
    const QList<DialogWizard *> wizards = window->findChildren<DialogWizard *>();
    QCOMPARE(wizards.size(), 1);
    DialogWizard *wizard = wizards.first();
    QVERIFY(!wizard->isVisible());
    window->resize(1000, 700);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(wizard->isVisible(), !withServer);
    QVERIFY(wizard->isWindow());
    QVERIFY(!wizard->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(QObject::disconnect(wizard, SIGNAL(accepted()), window.get(), SLOT(slotWizardAccepted())));
    if (withServer)
        return;
    QVERIFY(wizard->windowHandle());
    QCOMPARE(wizard->windowHandle()->transientParent(), window->windowHandle());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(wizard));
    QVERIFY(window->geometry().contains(wizard->geometry()));
    QVERIFY(!WidgetPicture::saveScreen({window.get(), wizard}, QStringLiteral("MainWindow_wizard")).isEmpty());
    wizard->hide();
    window->hide();
    window->show();
    QVERIFY(!wizard->isVisible());
}

void tst_MainWindow::wizardStaysInFrontOfAnNzbAddedAtFirstStart_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("added") << "accept";
    QTest::newRow("add dialog cancelled") << "reject";
    QTest::newRow("added without a question") << "none";
}

// A first start with an NZB on the command line, no server yet: the window comes forward for the
// NZB and the add dialog opens over it; once the dialog is gone the wizard, the one step the user
// must take first, is the active window and the last one raised, above the main window.
// Raising is watched as the program asks for it (each raise() is a ZOrderChange event): the
// offscreen screen keeps no stacking order of its own. Also run on X servers of 1280 x 1024 and
// 1024 x 768.
void tst_MainWindow::wizardStaysInFrontOfAnNzbAddedAtFirstStart()
{
    QFETCH(QString, answer);
    AppConfiguration::getInstance()->autoDownloadNzb = answer == QLatin1String("none");
    const QString path = home->path() + QStringLiteral("/first start.nzb");
    QVERIFY(writeFile(path, nzbDocument(QStringLiteral("first start"))));
    window = makeWindow();
    auto *wizard = window->findChild<DialogWizard *>();
    QVERIFY(wizard);
    QVERIFY(QObject::disconnect(wizard, SIGNAL(accepted()), window.get(), SLOT(slotWizardAccepted())));

    QList<QWidget *> raised;
    EventRecorder recorder(QEvent::ZOrderChange, [&raised](QObject *watched) {
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->isWindow())
            raised.append(widget);
    });
    window->installEventFilter(&recorder);
    wizard->installEventFilter(&recorder);
    ModalAnswerer answerer;
    QString addDialogClass;
    if (answer != QLatin1String("none")) {
        answerer.handleNext([&addDialogClass, answer](QWidget *dialog) {
            addDialogClass = QString::fromLatin1(dialog->metaObject()->className());
            WidgetPicture::saveScreen({dialog}, QStringLiteral("MainWindow_firstStartAddDialog"));
            if (answer == QLatin1String("accept"))
                static_cast<QDialog *>(dialog)->accept();
            else
                static_cast<QDialog *>(dialog)->reject();
        });
    }
    window->loadNzbFromArguments({QStringLiteral("tessaquill"), path});
    if (answer != QLatin1String("none"))
        QCOMPARE(addDialogClass, QStringLiteral("DialogDownloadNzb"));
    QVERIFY(window->isVisible());
    QVERIFY(wizard->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(wizard));
    QVERIFY(!raised.isEmpty());
    QCOMPARE(raised.last(), static_cast<QWidget *>(wizard));
    QVERIFY(raised.contains(window.get()));
    // Still so once every event of the dialog's closing has been handled.
    QTest::qWait(200);
    QCOMPARE(QApplication::activeWindow(), static_cast<QWidget *>(wizard));
    QCOMPARE(raised.last(), static_cast<QWidget *>(wizard));
    // Whole on the screens users have (the offscreen one is smaller than any of them).
    const QRect available = wizard->screen()->availableGeometry();
    if (available.width() >= 1024)
        QVERIFY2(available.contains(wizard->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                              .arg(wizard->frameGeometry().x())
                                                                              .arg(wizard->frameGeometry().y())
                                                                              .arg(wizard->frameGeometry().width())
                                                                              .arg(wizard->frameGeometry().height())));
    const QString screen = QStringLiteral("%1x%2").arg(window->screen()->size().width()).arg(window->screen()->size().height());
    QVERIFY(!WidgetPicture::saveScreen({window.get(), wizard},
                                       QStringLiteral("MainWindow_firstStartWizard_%1_%2").arg(answer, screen))
                 .isEmpty());
    window->removeEventFilter(&recorder);
    wizard->removeEventFilter(&recorder);
    wizard->hide();
}

void tst_MainWindow::aboutBox()
{
    window = makeWindow();
    ModalAnswerer answerer;
    answerer.acceptNext();
    MainWindowTestAccess::ui(*window).actionAbout_Tessaquill_Plus->trigger();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(answerer.seen().first().className, QStringLiteral("DialogAbout"));
    // Built on the stack, gone once closed.
    QVERIFY(window->findChildren<DialogAbout *>().isEmpty());
}

void tst_MainWindow::oneLogViewerForTheRun()
{
    QVERIFY(writeFile(AppConfiguration::getLogsFolder() + QStringLiteral("/2024-01-02T03-04-05.log"), "INFO line\n"));
    window = makeWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QAction *logs = MainWindowTestAccess::ui(*window).actionLogs;
    logs->trigger();
    const QList<DialogLogs *> viewers = window->findChildren<DialogLogs *>();
    QCOMPARE(viewers.size(), 1);
    DialogLogs *viewer = viewers.first();
    QVERIFY(viewer->isVisible());
    QVERIFY(viewer->isWindow());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(viewer));
    // Shown already but behind the main window, or minimized: it comes forward as it is.
    auto *refresh = viewer->findChild<QLineEdit *>(QStringLiteral("lineEditRefreshTimeSecs"));
    QVERIFY(refresh);
    refresh->setText(QStringLiteral("7"));
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(window.get()));
    logs->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(viewer));
    viewer->showMinimized();
    logs->trigger();
    QVERIFY(!(viewer->windowState() & Qt::WindowMinimized));
    QCOMPARE(refresh->text(), QStringLiteral("7"));
    QCOMPARE(window->findChildren<DialogLogs *>(), viewers);
    viewer->hide();
    logs->trigger(); // the same viewer comes back
    QCOMPARE(window->findChildren<DialogLogs *>(), viewers);
    QVERIFY(viewer->isVisible());
    viewer->hide();
}

void tst_MainWindow::manualRepairDialog()
{
    window = makeWindow();
    ModalAnswerer answerer;
    answerer.rejectNext();
    MainWindowTestAccess::ui(*window).actionManual_repair_extraction_unsplit->trigger();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(answerer.seen().first().className, QStringLiteral("DialogManualRepairExtract"));
    QVERIFY(window->findChildren<DialogManualRepairExtract *>().isEmpty());
}

void tst_MainWindow::historyWindowBuiltAnewWhenClosed()
{
    AppConfiguration::getInstance()->autoSaveHistoNzb = false;
    window = makeWindow();
    QAction *history = MainWindowTestAccess::ui(*window).actionNZB_history;
    // The window asks to switch the history on when it is off.
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::No);
    history->trigger();
    QCOMPARE(answerer.answeredCount(), 1);
    QPointer<DialogHistoryNzb> first = window->findChild<DialogHistoryNzb *>();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(first->isWindow());
    QVERIFY(!first->isModal());
    // Shown already, behind the main window: it comes forward as it is.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(window.get()));
    history->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(first.data()));
    QCOMPARE(window->findChildren<DialogHistoryNzb *>().size(), 1);
    QCOMPARE(answerer.answeredCount(), 1);

    first->hide();
    answerer.pressNext(QMessageBox::No);
    history->trigger();
    QVERIFY(!first);
    const QList<DialogHistoryNzb *> windows = window->findChildren<DialogHistoryNzb *>();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
    QVERIFY(QObject::disconnect(windows.first(), SIGNAL(historyNzbToDownload(QString)), window.get(),
                                SLOT(slotHistoryNzbFileToDownload(QString))));
    windows.first()->hide();
}

// The exit can come while the history window still asks its opening question (SIGTERM and the
// session's end are handled from that question's event loop): the window goes afterwards, not
// while its question is on the stack.
void tst_MainWindow::historyWindowClosedDuringItsQuestion()
{
    AppConfiguration::getInstance()->autoSaveHistoNzb = false;
    window = makeWindow();
    MainWindow *mainWindow = window.get();
    ModalAnswerer answerer;
    answerer.handleNext([mainWindow](QWidget *question) {
        MainWindowTestAccess::closeAuxiliaryWindows(*mainWindow);
        auto *box = qobject_cast<QMessageBox *>(question);
        QVERIFY(box);
        box->button(QMessageBox::No)->click();
    });
    MainWindowTestAccess::ui(*window).actionNZB_history->trigger();
    QCOMPARE(answerer.answeredCount(), 1);
    QTRY_VERIFY(window->findChildren<DialogHistoryNzb *>().isEmpty());
    QVERIFY(!AppConfiguration::getInstance()->autoSaveHistoNzb);
}

void tst_MainWindow::pictures()
{
    window = makeWindow();
    window->resize(1200, 760);
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindow_start")).isEmpty());
}

// The servers that ran when the program last ended start at the first showing, with all their
// connections, unpaused; a later showing starts nothing.
void tst_MainWindow::firstShowingStartsTheSavedServers()
{
    NntpTestServer first;
    NntpTestServer stopped;
    NntpTestServer second;
    for (NntpTestServer *news : {&first, &stopped, &second})
        QVERIFY2(news->start(), qPrintable(news->errorString()));
    const struct {
        qint32 id;
        NntpTestServer *news;
        int connections;
        bool started;
    } servers[] = {{1, &first, 2, true}, {2, &stopped, 1, false}, {3, &second, 1, true}};
    AppConfiguration *config = AppConfiguration::getInstance();
    for (const auto &entry : servers) {
        auto *server = new NntpServer;
        server->iId = entry.id;
        server->strHost = QStringLiteral("127.0.0.1");
        server->iPort = entry.news->port();
        server->strNickname = QStringLiteral("news %1").arg(entry.id);
        server->iConnectionCount = entry.connections;
        server->bStarted = entry.started;
        config->serversConfiguration.listServers.append(server);
    }
    // Work for every connection: slow articles, one at a time per connection.
    config->autoDownloadNzb = true;
    const QString path = home->path() + QStringLiteral("/work.nzb");
    QByteArray xml = "<?xml version=\"1.0\"?>\n<nzb><file poster=\"p\" date=\"1\" subject=\"work.bin\">"
                     "<groups><group>alt.binaries.test</group></groups><segments>";
    for (int i = 1; i <= 12; ++i)
        xml += "<segment bytes=\"50000\" number=\"" + QByteArray::number(i) + "\">"
               + NntpTestArticle::generatedId(50000, quint32(i)).toUtf8() + "</segment>";
    xml += "</segments></file></nzb>\n";
    QVERIFY(writeFile(path, xml));
    NntpTestServer::ConnectionFaults slow;
    slow.throttleBytesPerSecond = 50000;
    for (NntpTestServer *news : {&first, &stopped, &second})
        news->setDefaultConnectionFaults(slow);

    window = makeWindow();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCOMPARE(manager->listThreads.size(), 0);
    window->addNzbFile(path, QStringLiteral("work"), QString()); // shows the window: its first showing
    NzbFiles *work = manager->listNzbFiles.last();
    QCOMPARE(work->strName, QStringLiteral("work"));
    QCOMPARE(manager->listThreads.size(), 3);
    QTRY_COMPARE(first.connectionCount(), 2);
    QTRY_COMPARE(second.connectionCount(), 1);
    QTest::qWait(300);
    QCOMPARE(stopped.connectionCount(), 0);
    QVERIFY(config->serversConfiguration.listServers.at(0)->bStarted);
    QVERIFY(!config->serversConfiguration.listServers.at(1)->bStarted);

    config->serversConfiguration.listServers.at(1)->bStarted = true;
    window->showMinimized();
    window->showNormal();
    QCOMPARE(manager->listThreads.size(), 3);
    manager->stopAllThreads();
    QVERIFY(manager->listThreads.isEmpty());
    QTreeWidgetItem row;
    work->pTreeItem = &row;
    emit window->signalDeleteNzbList({&row});
    config->nzbConfiguration.deleteNzb(work);
}

// The exit question answered Yes: the engine stops, every clean-up thread is waited for, the
// queue records, the window layout and the byte counts are saved, and only the work folders that
// belong to nothing any more are removed.
void tst_MainWindow::exitSavesEverythingAndLeavesNoThread()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->autoDownloadNzb = true;
    auto *server = new NntpServer;
    server->iId = 1;
    server->strHost = QStringLiteral("127.0.0.1");
    server->strNickname = QStringLiteral("news");
    server->uiBytesDownloaded = 123456;
    server->histoNbBytes.iCount = 123456;
    config->serversConfiguration.listServers.append(server);
    window = makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();

    // Five NZBs: one stays queued, one is removed, one is removed but shares its work folder with
    // the queued one, one is removed while its clean-up still moves its files, one is removed
    // after a clean-up that left files behind.
    const QStringList names = {QStringLiteral("kept"), QStringLiteral("removed"), QStringLiteral("sharing"),
                               QStringLiteral("cleaning"), QStringLiteral("leftovers")};
    QList<NzbFiles *> nzbs;
    for (const QString &name : names) {
        const QString path = home->path() + QStringLiteral("/") + name + QStringLiteral(".nzb");
        QVERIFY(writeFile(path, nzbDocument(name)));
        window->addNzbFile(path, name, QString());
        nzbs.append(manager->listNzbFiles.last());
        QCOMPARE(nzbs.last()->strName, name);
        QVERIFY(writeFile(nzbs.last()->strDownloadFolder + QStringLiteral("/part.bin"), name.toUtf8()));
    }
    NzbFiles *kept = nzbs.at(0);
    NzbFiles *removed = nzbs.at(1);
    NzbFiles *sharing = nzbs.at(2);
    NzbFiles *cleaning = nzbs.at(3);
    NzbFiles *leftovers = nzbs.at(4);
    leftovers->bCleaned = true;
    sharing->strDownloadFolder = kept->strDownloadFolder;
    cleaning->strDestination = home->path() + QStringLiteral("/Destination/cleaning");

    // The clean-up of "cleaning" is held at its start for a while by its NZB's lock.
    auto *clean = new ThreadClean(window.get());
    clean->pNzbFiles = cleaning;
    MainWindowTestAccess::listThreadClean(*window).append(clean);
    QSemaphore started;
    std::unique_ptr<QThread> holder(QThread::create([cleaning, &started] {
        QMutexLocker locker(&cleaning->mutex);
        started.release();
        QThread::msleep(700);
    }));
    holder->start();
    started.acquire();
    clean->start();

    // A server editor's connection test still waits for a greeting that never comes.
    NntpTestServer silent;
    NntpTestServer::ConnectionFaults noGreeting;
    noGreeting.greeting = NntpTestServer::Greeting::None;
    silent.setDefaultConnectionFaults(noGreeting);
    QVERIFY(silent.start());
    NntpServer target;
    target.strHost = QStringLiteral("127.0.0.1");
    target.iPort = silent.port();
    auto *test = new ThreadTestConnection;
    test->setServer(&target);
    test->setTimeout(1500);
    connect(test, &QThread::finished, test, &QObject::deleteLater);
    test->start();
    // And the log viewer is open.
    QVERIFY(writeFile(AppConfiguration::getLogsFolder() + QStringLiteral("/2024-01-02T03-04-05.log"), "INFO\n"));
    MainWindowTestAccess::ui(*window).actionLogs->trigger();
    QPointer<DialogLogs> viewer = window->findChild<DialogLogs *>();
    QVERIFY(viewer);
    // And the history window.
    config->autoSaveHistoNzb = true;
    MainWindowTestAccess::ui(*window).actionNZB_history->trigger();
    QPointer<DialogHistoryNzb> history = window->findChild<DialogHistoryNzb *>();
    QVERIFY(history);

    QList<QTreeWidgetItem *> rows;
    for (NzbFiles *nzb : {removed, sharing, cleaning, leftovers}) {
        rows.append(new QTreeWidgetItem);
        nzb->pTreeItem = rows.last();
    }
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindow_queue")).isEmpty());
    emit window->signalDeleteNzbList(rows);
    QVERIFY(manager->listDeletedNzbFiles.contains(removed));

    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Yes);
    QVERIFY(window->close());
    allowEventLoopsAgain();
    holder->wait();
    qDeleteAll(rows);

    QVERIFY(!window->isVisible());
    QVERIFY(!MainWindowTestAccess::timerSpeed(*window).isActive());
    // No thread is left running.
    QVERIFY(!manager->isRunning());
    QVERIFY(!manager->threadParity.isRunning());
    QVERIFY(!manager->threadUnrar.isRunning());
    QVERIFY(!manager->threadUnsplit.isRunning());
    QVERIFY(!manager->threadComputeServerNewBytes.isRunning());
    QVERIFY(manager->listThreads.isEmpty());
    QVERIFY(manager->listDecoders.isEmpty());
    QVERIFY(clean->isFinished());
    QCOMPARE(ThreadTestConnection::instanceCount(), 0);
    QTRY_VERIFY(!viewer);
    QTRY_VERIFY(!history);

    // The clean-up could finish: its file reached the destination and nothing of it was lost.
    QCOMPARE(QFileInfo(cleaning->strDestination + QStringLiteral("/part.bin")).size(), qint64(names.at(3).size()));
    // The removed NZB's folder is gone; the one a queued NZB still uses stays.
    QVERIFY(!QFileInfo::exists(removed->strDownloadFolder));
    QVERIFY(QFileInfo::exists(kept->strDownloadFolder + QStringLiteral("/part.bin")));
    // What a clean-up could not move stays where it is.
    QVERIFY(QFileInfo::exists(leftovers->strDownloadFolder + QStringLiteral("/part.bin")));

    // Queue records: the kept NZB only.
    const QStringList records = QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(records, (QStringList{QStringLiteral("Nzb_%1").arg(kept->iQueueId),
                                   QStringLiteral("Nzb_%1.rec").arg(kept->iQueueId)}));
    // Window layout and the byte counts.
    const QSettings settings;
    for (const char *key : {"mainWindowGeometry", "mainWindowState", "splitterLeftServers", "splitterRightDownload",
                            "splitterMiddleDownload"})
        QVERIFY2(settings.contains(QLatin1String(key)), key);
    QVERIFY(QFileInfo::exists(ServersConfiguration::getHistoFolder() + QStringLiteral("/Server_1")));
    QCOMPARE(answerer.answeredCount(), 1);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
