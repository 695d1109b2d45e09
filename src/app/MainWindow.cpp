// Construction and destruction of the main window, its custom events and its size texts.
#include "app/MainWindow.h"

#include "widgets/AppVersion.h"
#include "chart/ChartXY.h"
#include "chart/ChartXYBorder.h"
#include "chart/ChartXYGrid.h"
#include "chart/ChartXYGridTick.h"
#include "chart/ChartXYScale.h"
#include "chart/ChartXYSetting.h"
#include "app/DownloadListTreeWidget.h"
#include "app/MDPriorityChangeEvent.h"
#include "widgets/SizeSpeedText.h"
#include "config/AppConfiguration.h"
#include "model/NzbFiles.h"
#include "dialogs/DialogWizard.h"
#include "platform/SleepInhibitor.h"
#include "web/BrowserTabWidget.h"

#include "widgets/WindowTextFit.h"
#include "widgets/WrappingRowLayout.h"
#include "ui_MainWindow.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTreeWidgetItem>

namespace {

constexpr int kSpeedHistoryLength = 30;
constexpr int kBlinkIntervalMs = 750;
constexpr int kFreeSpaceIntervalMs = 10000;
constexpr int kShutdownIntervalMs = 1000;
constexpr int kStatisticsIntervalMs = 1000;
constexpr int kPreventSuspendIntervalMs = 15000;

// Room kept for the window manager's frame around the window at its first start.
constexpr int kFrameBorder = 5;
constexpr int kFrameTitleBar = 30;

const char *const kKeyGeometry = "mainWindowGeometry";
const char *const kKeyState = "mainWindowState";
const char *const kKeySplitterLeft = "splitterLeftServers";
const char *const kKeySplitterRight = "splitterRightDownload";
const char *const kKeySplitterMiddle = "splitterMiddleDownload";

QSplitter *makeSplitter(Qt::Orientation orientation, QWidget *parent, QWidget *first, QWidget *second)
{
    auto *splitter = new QSplitter(orientation, parent);
    splitter->setChildrenCollapsible(true);
    splitter->addWidget(first);
    splitter->addWidget(second);
    return splitter;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    WindowTextFit::followLayoutChanges(this);
    createTaskbarList();
    ui->mainToolBar->addSeparator();
    ui->mainToolBar->addAction(ui->actionMinimize);
    initSplitters();
    initWrappingRows();
    setWindowTitle(tr("Tessaquill+ ") + AppVersion::version());
    ui->labelClickOnStartBtnToBegin->hide();
    // The first-run wizard: a top-level window of its own, kept for the whole run, never modal.
    dialogWizard = new DialogWizard(this);
    dialogWizard->setWindowFlags(Qt::Window);
    dialogWizard->setModal(false);
    for (int i = 0; i < kSpeedHistoryLength; ++i)
        listSpeedHistory.append(0);
    initSpeedChart();

    AppConfiguration *config = AppConfiguration::getInstance();
    if (config->shutdownSaved && config->shutdownType > 0)
        timerShutdown.start(kShutdownIntervalMs);
    slotRefreshDrivesFreeSpaceTick();
    timerRefreshDrivesFreeSpace.start(kFreeSpaceIntervalMs);
    timerBlink.start(kBlinkIntervalMs);
    restoreWindowSettings();
    initBandwidthReference();
    initDestinationMenus();
    startVersionCheck();
    createSystrayMenu();
    createSystrayIcon();
    trayIcon->show();
    initDownloadManager();
    initDownloadList();
    WindowTextFit::letScrollSideways(treeWidgetDownloadList);
    initServersTables();
    createDelayedPauseMenu();

    splitterMiddle = makeSplitter(Qt::Horizontal, ui->tabServersDownload, ui->frame_2, ui->frame);
    ui->horizontalLayout->addWidget(splitterMiddle);
    splitterMiddle->restoreState(QSettings().value(QLatin1String(kKeySplitterMiddle)).toByteArray());

    initSearch();
    initWebBrowser();
    connectFormSignals();
    timerSpeed.start(kStatisticsIntervalMs);
    initSleepPrevention();
    connect(&config->nzbConfiguration, &NzbConfiguration::signalRecordNotWritten, this,
            &MainWindow::slotQueueRecordNotWritten);
    restoreDownloadList();
    // Without a news server the wizard asks for one once the window is on screen (setVisible).
}

MainWindow::~MainWindow()
{
    // A clean-up thread is a child of the window: destroying it while it runs would abort.
    waitForCleanThreads();
    qDeleteAll(hashServerThreads);
    // QTreeWidgetItem must be complete here: deleting a declared-only class skips its destructor.
    qDeleteAll(listRemovedRows);
    deleteNzbsQueuedAtExit();
    delete ui;
}

// Their records are written: they leave the saved queue's list with the window.
void MainWindow::deleteNzbsQueuedAtExit()
{
    QList<NzbFiles *> &saved = AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles;
    for (NzbFiles *nzb : qAsConst(listQueuedAtExit))
        saved.removeOne(nzb);
    qDeleteAll(listQueuedAtExit);
    listQueuedAtExit.clear();
}

void MainWindow::initSplitters()
{
    splitterLeft = makeSplitter(Qt::Vertical, ui->frame_2, ui->frame_3, ui->frame_4);
    ui->verticalLayout_6->addWidget(splitterLeft);
    splitterRight = makeSplitter(Qt::Vertical, ui->frame, ui->frame_5, ui->frame_6);
    ui->verticalLayout_4->addWidget(splitterRight);
}

// The groups of controls under the download list and the search options go on in a line below
// when their column is too narrow for them, instead of being cut at the window's edge, so that
// the window fits a screen 1024 pixels wide.
void MainWindow::initWrappingRows()
{
    wrapGroups(ui->horizontalLayout_3);
    ui->frame_5->setMinimumWidth(0);
    wrapGroups(ui->horizontalLayout_6);
}

void MainWindow::wrapGroups(QHBoxLayout *line)
{
    auto *row = new WrappingRowLayout;
    row->setSpacings(10, 6);
    while (QLayoutItem *item = line->takeAt(0)) {
        if (item->widget())
            row->addWidget(item->widget());
        delete item; // the spacers between the groups are the row's spacing now
    }
    line->addLayout(row, 1);
}

// Thirty one-minute rows of zero speed, coloured as the speed series, shown by the chart view.
void MainWindow::initSpeedChart()
{
    modelSpeedChart = new QStandardItemModel(kSpeedHistoryLength, 2, this);
    modelSpeedChart->setHeaderData(0, Qt::Horizontal, tr("Time"), Qt::EditRole);
    modelSpeedChart->setHeaderData(1, Qt::Horizontal, tr("Speed"), Qt::EditRole);
    QDateTime time = QDateTime::currentDateTime();
    const QColor seriesColor(128, 160, 255, 255);
    for (int row = 0; row < kSpeedHistoryLength; ++row) {
        modelSpeedChart->setData(modelSpeedChart->index(row, 0), time, Qt::EditRole);
        time = time.addSecs(60);
        modelSpeedChart->setData(modelSpeedChart->index(row, 1), 0, Qt::EditRole);
        modelSpeedChart->setData(modelSpeedChart->index(row, 1), seriesColor, Qt::DecorationRole);
    }
    ui->DownloadGraph->setModel(modelSpeedChart);
    ChartXYSetting *setting = ui->DownloadGraph->setting();
    setting->border()->setBackgroundColor(QColor(255, 255, 255, 255));
    setting->grid()->tickX()->setMajor(4);
    setting->grid()->tickX()->setMinor(5);
    setting->grid()->tickY()->setMajor(5);
    setting->grid()->tickY()->setMinor(1);
    setting->grid()->setBaseColor(QColor(192, 192, 192));
    setting->grid()->setLineColor(QColor(0, 0, 0, 255));
    setting->scale()->setAutoViewLimits(true);
    setting->scale()->setNiceLimits(true);
    ui->DownloadGraph->updateChart();
}

// A missing or unusable value is refused by Qt and leaves the form's own layout, at a size
// that fits the screen.
void MainWindow::restoreWindowSettings()
{
    const QSettings settings;
    if (!restoreGeometry(settings.value(QLatin1String(kKeyGeometry)).toByteArray()))
        fitStartSizeToScreen();
    restoreState(settings.value(QLatin1String(kKeyState)).toByteArray(), 0);
    splitterLeft->restoreState(settings.value(QLatin1String(kKeySplitterLeft)).toByteArray());
    splitterRight->restoreState(settings.value(QLatin1String(kKeySplitterRight)).toByteArray());
}

// The form's size where the screen has room for it, else the room the screen leaves beside its
// panels and the window's frame; never below the window's minimum.
void MainWindow::fitStartSizeToScreen()
{
    const QScreen *shownOn = screen();
    if (!shownOn)
        return;
    // The frame is the window manager's and known only once the window is shown: a title bar
    // and borders of common sizes.
    const QSize frame(2 * kFrameBorder, kFrameTitleBar + 2 * kFrameBorder);
    const QSize room = shownOn->availableGeometry().size() - frame;
    resize(size().boundedTo(room).expandedTo(minimumSize()));
}

void MainWindow::saveWindowSettings()
{
    QSettings settings;
    settings.setValue(QLatin1String(kKeyGeometry), saveGeometry());
    settings.setValue(QLatin1String(kKeyState), saveState(0));
    settings.setValue(QLatin1String(kKeySplitterLeft), splitterLeft->saveState());
    settings.setValue(QLatin1String(kKeySplitterRight), splitterRight->saveState());
    settings.setValue(QLatin1String(kKeySplitterMiddle), splitterMiddle->saveState());
    settings.sync();
}

// Without automatic detection the slider's scale is the configured limit from the start.
void MainWindow::initBandwidthReference()
{
    const AppConfiguration *config = AppConfiguration::getInstance();
    if (config->autoDetectBandwidthLimit)
        return;
    uiMaxSpeed = quint64(config->autoSpeedLimit) * 1024;
    ui->verticalSliderBandwidth->setEnabled(true);
}

void MainWindow::initDestinationMenus()
{
    menuOpenDestination = new QMenu(this);
    menuDownloadToDestination = new QMenu(this);
    ui->actionDestinations->setMenu(menuOpenDestination);
    ui->pushButtonSearchDownloadNzbDestination->setMenu(menuDownloadToDestination);
    createDestinationMenus();
}

void MainWindow::connectFormSignals()
{
    connect(ui->mainToolBar, SIGNAL(actionTriggered(QAction*)), this, SLOT(slotToolbarActionTriggered(QAction*)));
    connect(ui->actionExit, SIGNAL(triggered()), this, SLOT(close()));
    connect(ui->actionUpdate, SIGNAL(triggered()), this, SLOT(slotActionUpdate()));
    connect(ui->actionManual_repair_extraction_unsplit, SIGNAL(triggered()), this, SLOT(slotManualRepairExtract()));
    connect(ui->actionLogs, SIGNAL(triggered()), this, SLOT(slotActionLogs()));
    connect(ui->actionNZB_history, SIGNAL(triggered()), this, SLOT(slotNzbHistory()));
    connect(ui->actionAbout_Tessaquill_Plus, SIGNAL(triggered()), this, SLOT(slotAboutTessaquill()));
    connect(&timerDelayedPause, SIGNAL(timeout()), this, SLOT(slotPausedTick()));
    connect(&timerShutdown, SIGNAL(timeout()), this, SLOT(slotShutdownTick()));
    connect(&timerRefreshDrivesFreeSpace, SIGNAL(timeout()), this, SLOT(slotRefreshDrivesFreeSpaceTick()));
    connect(&timerBlink, SIGNAL(timeout()), this, SLOT(slotLabelInfoStartServerBlink()));
    connect(&timerSpeed, SIGNAL(timeout()), this, SLOT(slotCurrentSpeedDownload()));
    connect(ui->pushButtonGoUrl, SIGNAL(clicked()), this, SLOT(webBrowserGoUrl()));
    connect(ui->pushButtonGoNzbEngine, SIGNAL(clicked()), this, SLOT(webBrowserGoNzbSearchEngine()));
    connect(ui->pushButtonWebHome, SIGNAL(clicked()), this, SLOT(webBrowserGoHomePage()));
    connect(ui->pushButtonWebBack, SIGNAL(clicked()), this, SLOT(webBrowserBack()));
    connect(ui->pushButtonWebForward, SIGNAL(clicked()), this, SLOT(webBrowserForward()));
    connect(ui->pushButtonWebReload, SIGNAL(clicked()), this, SLOT(webBrowserReload()));
    connect(ui->lineEditWebUrl, SIGNAL(returnPressed()), ui->pushButtonGoUrl, SIGNAL(clicked()));
    connect(ui->lineEditWebSearch, SIGNAL(returnPressed()), ui->pushButtonWebSearch, SIGNAL(clicked()));
    connect(ui->pushButtonWebSearch, SIGNAL(clicked()), this, SLOT(webBrowserSearchClicked()));
    connect(ui->comboBoxWebZoom, SIGNAL(currentIndexChanged(QString)), this,
            SLOT(webBrowserZoomCurrentIndexChanged(QString)));
    // The browser's tab widget sends its loads, addresses, tab changes and caught files to the
    // browser tab (WebBrowserTab, built by initWebBrowser()); an internal search link goes to the
    // search tab.
    connect(browserTabWidget, SIGNAL(signalNzbInternalSearch(QString)), this,
            SLOT(webBrowserNzbInternalSearch(QString)));
    connect(ui->pushButtonAddServer, SIGNAL(clicked()), this, SLOT(slotAddNewServer()));
    connect(ui->pushButtonModifyServer, SIGNAL(clicked()), this, SLOT(slotModifyServer()));
    connect(ui->pushButtonDeleteServer, SIGNAL(clicked()), this, SLOT(slotDeleteServer()));
    connect(ui->pushButtonPausePlay, SIGNAL(clicked()), this, SLOT(slotPausePlayThreads()));
    connect(ui->pushButtonDeleteSelNzb, SIGNAL(clicked()), this, SLOT(slotDownloadListNzbItemDelete()));
    connect(ui->pushButtonDeleteNzbFinished, SIGNAL(clicked()), this, SLOT(slotDeleteNzbFinished()));
    connect(ui->pushButtonOpenDestinationFolder, SIGNAL(clicked()), this, SLOT(slotOpenDownloadDestinationFolder()));
    connect(ui->pushButtonMoveUpNzb, SIGNAL(clicked()), this, SLOT(slotMoveUpNzb()));
    connect(ui->pushButtonMoveDownNzb, SIGNAL(clicked()), this, SLOT(slotMoveDownNzb()));
    connect(ui->pushButtonMoveUpFiles, SIGNAL(clicked()), this, SLOT(slotMoveUpFiles()));
    connect(ui->pushButtonMoveDownFiles, SIGNAL(clicked()), this, SLOT(slotMoveDownFiles()));
    connect(ui->verticalSliderBandwidth, SIGNAL(valueChanged(int)), this, SLOT(slotLimitBandwidthValueChanged(int)));
    connect(trayIcon, SIGNAL(messageClicked()), this, SLOT(slotSystrayMessageClicked()));
    connect(dialogWizard, SIGNAL(accepted()), this, SLOT(slotWizardAccepted()));
    // The search tab connects its own controls (query line, search, close, download, clear,
    // close all): see initSearch().
    connect(ui->radioButtonDecodingPriorityHigh, SIGNAL(toggled(bool)), this, SLOT(slotDecodersPriorityStateChanged(bool)));
    connect(ui->radioButtonDecodingPriorityLow, SIGNAL(toggled(bool)), this, SLOT(slotDecodersPriorityStateChanged(bool)));
    connect(ui->lineEditManualLimitBandwidth, SIGNAL(editingFinished()), this,
            SLOT(slotManualLimitBandwidthEditingFinished()));
}

void MainWindow::initSleepPrevention()
{
    bSuspendPrevented = false;
    sleepInhibitor = new SleepInhibitor(SleepInhibitor::defaultBus(), this);
    connect(&timerPreventSuspend, SIGNAL(timeout()), this, SLOT(slotTimedElapsedPreventComputerSuspend()));
    timerPreventSuspend.start(kPreventSuspendIntervalMs);
}

// Raises the GUI thread once the event loop runs; any other custom event is left alone.
void MainWindow::customEvent(QEvent *event)
{
    if (event->type() != MDPriorityChangeEvent::kType) {
        event->ignore();
        return;
    }
    const auto priority = QThread::Priority(static_cast<MDPriorityChangeEvent *>(event)->priority);
    QCoreApplication::instance()->thread()->setPriority(priority);
    QThread::currentThread()->setPriority(priority);
}

// No menu of tool bars on a right click.
QMenu *MainWindow::createPopupMenu()
{
    return nullptr;
}

QString MainWindow::formatSize(double size)
{
    return SizeSpeedText::formatSize(size);
}

QString MainWindow::formatSpeed(double speed)
{
    return SizeSpeedText::formatSpeed(speed);
}
