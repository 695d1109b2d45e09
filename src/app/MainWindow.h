#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QNetworkRequest>
#include <QSet>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

#include <functional>

class BrowserTabWidget;
class DialogHistoryNzb;
class DialogLogs;
class DialogWizard;
class DownloadListTreeWidget;
class DriveSpaceQueries;
class NetworkAccessManager;
class NntpServer;
class NzbFile;
class NzbFiles;
class NzbSegment;
class QAction;
class QCloseEvent;
class QDragEnterEvent;
class QDragLeaveEvent;
class QDragMoveEvent;
class QDropEvent;
class QHBoxLayout;
class QLabel;
class QMessageBox;
class QNetworkReply;
class QSignalMapper;
class QSplitter;
class QStandardItemModel;
class QTreeWidgetItem;
class SearchTab;
class SleepInhibitor;
class TaskbarProgress;
class ThreadClean;
class WebBrowserTab;

namespace Ui {
class MainWindow;
}

// The program's one main window and the hub of the GUI thread: the queue, the servers and their
// connections, the statistics and speed chart, the search and browser tabs, the tray icon, and the
// program's orderly start and exit.
//
// Implementation by concern, one file each:
//   MainWindow.cpp                construction, destruction, custom events, size and speed texts
//   MainWindowLifecycle.cpp       first showing, hiding, the exit question and the exit sequence
//   MainWindowTray.cpp            tray icon and menu, taskbar progress, sleep prevention, drags
//   MainWindowDialogs.cpp         manual repair, about box, log viewer, NZB history window, wizard
//   MainWindowEngine.cpp          wiring of the download manager and its settings
//   MainWindowSearch.cpp          the search tab
//   MainWindowVersionCheck.cpp    the start-up version check
//   MainWindowQueue.cpp           adding NZB files, restoring the saved queue
//   MainWindowNzbRefusals.cpp     NZB files that could not be read, arguments that are no NZB file
//   MainWindowDownloadList.cpp    the download list, its rows and their events, removals
//   MainWindowNzbEnd.cpp          post-processing shown in the rows, the clean-up of a finished NZB
//   MainWindowServers.cpp         the server table, adding, changing and importing servers
//   MainWindowConnections.cpp     the connections table
//   MainWindowPause.cpp           pause, delayed pause and the bandwidth limit
//   MainWindowStatistics.cpp      the one-second statistics tick
//   MainWindowCommands.cpp        the download list commands
//   MainWindowDestinations.cpp    the destination menus
//   MainWindowToolbar.cpp         the toolbar actions
//   MainWindowFreeSpace.cpp       the free disk space of the status bar
//   MainWindowEndOfQueue.cpp      the action when the queue is finished
//   MainWindowBrowser.cpp         the web browser tab
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The one routine that queues an NZB file: its path, display name and destination folder
    // (empty: ask, or the default one with "AutoDownloadNzb"). The file has been read when it
    // returns; the window answers while it is read.
    void addNzbFile(const QString &strNzbPath, const QString &strNzbName, const QString &strDestination);
    // The program's arguments as QCoreApplication::arguments() gives them (the program's name
    // first): every NZB file among them is queued, anything else is logged and left.
    void loadNzbFromArguments(const QStringList &listArguments);
    // Shows the text of a configuration that could not be loaded, once the window is up.
    void reportConfigurationError(const QString &strError);
    // True once the exit sequence has begun; the program then only ends.
    bool isClosing() const { return bClosing; }
    // Tells, once the window is up, which NZBs of the saved queue and which server records the
    // start-up could not read (their files are kept); nothing when everything was read.
    void reportUnreadableSavedState();

    QString formatSize(double size);
    QString formatSpeed(double speed);

    void setVisible(bool visible) override;
    QMenu *createPopupMenu() override;

    // Whether the desktop has a system tray; tests stand in for a desktop with or without one.
    static std::function<bool()> systemTrayAvailable;

public slots:
    // Program entry and life cycle.
    void handleMessage(const QString &strMessage);
    void slotExitWithoutQuestion();

    // Engine hook-up.
    void slotDecodersPriorityStateChanged(bool bChecked);
    void slotDownloadsPaused(QString strReason);
    void slotNzbWaitsForFolder(NzbFiles *pNzbFiles, QString strFolder, QString strReason, bool bCanMove);

    // Queue records that cannot be written.
    void slotQueueRecordNotWritten(const QString &strFolder, const QString &strReason);

    // Tray, taskbar and sleep prevention.
    void slotSystrayActivated(QSystemTrayIcon::ActivationReason reason);
    void slotSystrayMessageClicked();
    void updateWin7ProgressBarValue(int iValue);
    void slotTimedElapsedPreventComputerSuspend();

    // Auxiliary windows.
    void slotManualRepairExtract();
    void slotAboutTessaquill();
    void slotActionLogs();
    void slotNzbHistory();
    void slotHistoryNzbFileToDownload(QString strNzbPath);

    // Version check.
    void checkVersionFinished(QNetworkReply *reply);
    void slotActionUpdate();

    // Connections table (their status, as the download manager relays it).
    void slotThreadIdle(quint32 uiThreadId);
    void slotThreadWorking(quint32 uiThreadId);
    void slotThreadPaused(quint32 uiThreadId);
    void slotThreadCurrentSpeedBytesPerSec(quint64 uiSpeed, quint32 uiThreadId);
    void slotThreadBody(QString strMessageId, quint32 uiThreadId);
    void slotThreadConnect(quint32 uiThreadId);
    void slotThreadDisconnect(quint32 uiThreadId);
    void slotThreadGetGroups(quint32 uiThreadId);
    void slotThreadSelectGroup(QString strGroup, quint32 uiThreadId);
    void slotThreadStat(QString strMessage, quint32 uiThreadId);
    void slotThreadHelp(quint32 uiThreadId);
    void slotThreadCapabilities(quint32 uiThreadId);
    void slotThreadDate(quint32 uiThreadId);
    void slotThreadErrorConnect(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage);
    void slotThreadConnectRetry(quint32 uiThreadId, QString strError, int iFailures, int iRetryMs);
    void slotThreadSegmentIsMissing(quint32 uiThreadId, NzbSegment *pSegment);
    void slotThreadsStopped(QList<quint32> listThreadIds, int iTag);

    // Server table, servers, pause and bandwidth.
    void pushButtonStartStopServer(int iRow);
    void slotAddNewServer();
    void slotModifyServer();
    void slotDeleteServer();
    void slotCellDoubleClicked(int iRow, int iColumn);
    void slotAddNewServerFromImport(QList<NntpServer *> listServers);
    void slotWizardAccepted();
    void slotLabelInfoStartServerBlink();
    void slotPausePlayThreads();
    void slotDifferedPausedClick();
    void slotPausedTick();
    void slotLimitBandwidthValueChanged(int iValue);
    void slotManualLimitBandwidthEditingFinished();

    // Statistics.
    void slotCurrentSpeedDownload();

    // Download list: progress, post-processing and the end of an NZB.
    void slotDownloadListSegmentDownloadOK(NzbSegment *pSegment);
    void slotDownloadListSegmentDownloadException(NzbSegment *pSegment, QString strMessage);
    void slotDownloadListSegmentIsMissing(NzbSegment *pSegment);
    void slotDownloadListSegmentFailedToCreateFile(NzbSegment *pSegment, QString strMessage);
    void slotDownloadListFileDecoded(NzbFile *pNzbFile);
    void slotDownloadListFileWarning(NzbFile *pNzbFile, QString strWarning);
    void slotDownloadListFileResumed(NzbFile *pNzbFile);
    void slotDownloadListNzbFinished(NzbFiles *pNzbFiles);
    void slotDownloadListNzbFinishedAndCleaned(NzbFiles *pNzbFiles);
    void slotDownloadListPar2Progress(QString strStatus, NzbFiles *pNzbFiles);
    void slotDownloadListPar2Finished(QString strMessage, QString strBlocksNeeded, NzbFiles *pNzbFiles);
    void slotUnrarProgress(QString strPercent, NzbFiles *pNzbFiles);
    void slotUnrarFinished(NzbFiles *pNzbFiles, bool bSuccess);
    void slotUnrarError(QString strMessage, NzbFiles *pNzbFiles);
    void slotUnrarNoFileFound(NzbFiles *pNzbFiles);
    void slotUnsplitStart(NzbFiles *pNzbFiles);
    void slotUnsplitProgress(NzbFiles *pNzbFiles, quint32 uiPosCrt, quint32 uiPosTotal);
    void slotUnsplitDone(NzbFiles *pNzbFiles, QString strError);
    void slotUnsplitNoFileFound(NzbFiles *pNzbFiles);

    // Download list: selection and removal.
    void slotDownloadListItemSelectionChanged();
    void slotDownloadListSupprEvent();
    void slotDownloadListFilesItemDelete();
    void slotDownloadListNzbItemDelete();
    void slotDeleteNzbFinished();

    // Download list commands.
    void slotUnpauseSelectedFiles();
    void slotPauseSelectedFiles();
    void slotRedownloadSelectedFiles();
    void slotMoveUpFiles();
    void slotMoveDownFiles();
    void slotMoveUpNzb();
    void slotMoveDownNzb();
    void slotDownloadListItemMoved();
    void slotUnrarToDoOnNzb();
    void slotUnrarNotToDoOnNzb();
    void slotUnrarPassword();
    void slotKeepPar2Files();
    void slotModifyDestinationDirectory();
    void slotModifyNzbTitle();
    void slotOpenDownloadDestinationFolder();
    void slotDestinationToOpenTriggered();

    // Toolbar, free space and the end of the queue.
    void slotToolbarActionTriggered(QAction *pAction);
    void slotRefreshDrivesFreeSpaceTick();
    void slotShutdownTick();

    // Search tab.
    void slotSearchNzb();
    void slotSearchTabCloseRequested(int iIndex);
    void slotSearchCloseAllTabs();
    void slotSearchButtonDownloadNzb();
    void slotSearchClearButton();
    void slotDownloadNzbDestinationTriggered();
    void slotSearchNzbDownloaded(bool bError, QString strError, QString strNzbPath, QString strDestination);
    void webBrowserNzbInternalSearch(QString strSearch);

    // Web browser tab.
    void webBrowserGoUrl();
    void webBrowserGoNzbSearchEngine();
    void webBrowserGoHomePage();
    void webBrowserBack();
    void webBrowserForward();
    void webBrowserReload();
    void webBrowserSearchClicked();
    void webBrowserZoomCurrentIndexChanged(QString strZoom);
    void webBrowserLoadFavourite();
    void webBrowserAddFavourite();
    void webBrowserBrowserOptions();
    void webBrowserLoadStarted();
    void webBrowserLoadFinished(bool bOk);
    void webBrowserUrlChanged(QUrl url, QWidget *pWidget);
    void webBrowserTabCloseRequested(int iIndex);
    void webBrowserCurrentTabChanged(int iIndex);
    void webBrowserUnsupportedContent(QNetworkReply *pReply);
    void webBrowserDownloadRequested(QNetworkRequest request);
    void webBrowserUnsupportedContentDownloadReadyRead();
    void webBrowserDownloadReadyRead();
    void webBrowserDownloadProgress(qint64 iReceived, qint64 iTotal);
    void webBrowserUnsupportedContentDownloadFinished();
    void webBrowserDownloadFinished();

signals:
    void signalStopThreads(QList<quint32> listThreadIds, int iTag);
    void signalDeleteNzbList(QList<QTreeWidgetItem *> listItems);
    void signalDeleteFileList(QList<QTreeWidgetItem *> listItems);
    void signalReorderNzbList(QList<QTreeWidgetItem *> listItems);
    void signalPauseUnpauseFiles();
    // A tray balloon was shown (never without a system tray).
    void signalTrayMessageShown(QString strTitle, QString strText);
    // The exit sequence has begun: nothing more may be handed to the program.
    void signalExitBegun();

protected:
    void customEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // A test program may define this to reach the members it checks.
    friend struct MainWindowTestAccess;

    // Construction steps.
    void initSplitters();
    void initWrappingRows();
    static void wrapGroups(QHBoxLayout *line);
    void fitStartSizeToScreen();
    void initSpeedChart();
    void restoreWindowSettings();
    void initBandwidthReference();
    void initDestinationMenus();
    void connectFormSignals();
    void initSleepPrevention();

    // Life cycle.
    void startSavedServers();
    void openFirstRunWizard();
    void showConfigurationWizard();
    void bringWindowForward();
    void keepWizardInFront();
    void runExitSequence();
    void collectLastResults();
    void waitForCleanThreads();
    void waitForCleanThreadsInSight();
    QString exitWaitText(const NzbFiles *pNzbFiles) const;
    void waitForConnectionTests();
    void removeDeletedNzbFolders();
    void saveWindowSettings();
    void showTrayMessage(const QString &strTitle, const QString &strText,
                         QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information);
    void updateTrayActions(bool bVisible);
    void closeAuxiliaryWindows();

    // Engine hook-up.
    void initDownloadManager();
    void copySettingsToDownloadManager();

    // Tray and taskbar.
    void createSystrayMenu();
    void createSystrayIcon();
    void createTaskbarList();

    // Search and version check.
    void initSearch();
    void initSearchComboBoxes();
    void startVersionCheck();

    // Download list and queue.
    void initDownloadList();
    void createNzbItems(NzbFiles *pNzbFiles);
    QTreeWidgetItem *buildNzbRow(NzbFiles *pNzbFiles, QElapsedTimer *slice);
    bool answerBetweenSteps(QElapsedTimer &slice);
    // How long an addition may hold the window before it handles its events again.
    static constexpr qint64 kAnswerSliceMs = 20;
    void dropNzbRows(NzbFiles *pNzbFiles, QTreeWidgetItem *nzbRow);
    void showNzbRow(QTreeWidgetItem *nzbRow);
    void restoreDownloadList();
    void cleanLeftoversOfEmptyQueue();
    void removeNzbRows(const QList<QTreeWidgetItem *> &rows);
    void reportCleanDone(NzbFiles *pNzbFiles, const ThreadClean *thread);
    QString filesLeftBehindText(const NzbFiles *pNzbFiles, const ThreadClean &thread) const;
    void noteFilesGone(NzbFiles *pNzbFiles, const ThreadClean &thread) const;
    void addFilesFromDrop(const QStringList &listPaths);
    void takePendingArguments();
    void takeArgument(const QString &strArgument);
    qint32 nextQueueId() const;
    void queueArgumentsLeftAtExit();
    void queueArgumentAtExit(const QString &strPath, bool bSaveToHistory);
    void deleteNzbsQueuedAtExit();
    bool placeSegments(NzbFiles *pNzbFiles, const QString &strRoot, int iNzbIndex, QElapsedTimer &slice);
    bool askWhatBecomesOfNzb(NzbFiles *nzb, const QString &strNzbPath, QString &strDestination);
    bool saveNzbFileTo(const QString &strNzbPath, const QString &strNzbName, const QString &strSavePath);
    void reportQueueNotSavedAtExit();
    void reportUnreadableNzb(const QString &strNzbPath, const QString &strNzbName, const QString &strError);
    void refuseArgument(const QString &strArgument);
    void showRefusedArguments();

    // Servers, pause, destinations, browser.
    void initServersTables();
    void rebuildServerButtonMapper();
    void updateStartHint();
    void keepServerTableWhole();
    void markServerStopped(NntpServer *pServer);
    bool addConfiguredServer(const NntpServer &source);
    bool saveServersOrReport();
    void reportServersNotSaved(const QString &strDetails);
    void addServerThreadsRows(QList<quint32> listThreadIds, NntpServer *pServer);
    void removeThreadRows(const QList<quint32> &listThreadIds);
    bool setThreadStatus(quint32 uiThreadId, const QString &strStatus);
    QString threadLogLine(quint32 uiThreadId, const QString &strText) const;
    void showPauseButtonPaused(bool bShowPaused);
    void refreshServerCounters();
    static QString remainingTimeText(quint64 bytes, quint64 averageSpeed);
    void createDelayedPauseMenu();
    void resetDelayedPauseFonts();
    void createDestinationMenus();
    bool refuseWhileCleaning(const NzbFiles *pNzbFiles);
    bool refuseWhilePostProcessing(NzbFiles *pNzbFiles);
    bool refuseRemovalWhileDecoding(const QList<QTreeWidgetItem *> &listRows);
    void refuseDownloadAgain(const QString &strNzbName);
    void showRefusal(const QString &strText);
    void showDrivesFreeSpace();
    void runPowerTool(const QString &strArgument);
    void reportEndOfQueueFailure(const QString &strReason);
    void runSettingsDialog();
    void openNzbFiles();
    void runShutdownDialog();
    void initWebBrowser();
    void createWebFavouritesMenu();

    // Members, in the order the window builds them.
    Ui::MainWindow *ui;
    QSplitter *splitterLeft = nullptr;   // server table over statistics
    QSplitter *splitterRight = nullptr;  // download list over connection table
    QSplitter *splitterMiddle = nullptr; // the two columns
    QSignalMapper *signalMapperServers = nullptr;
    // The progress on the program's taskbar entry; null without a session bus.
    TaskbarProgress *taskbarList = nullptr;
    bool bFirstShowDone = false;
    QString strLastNzbFolder;
    // Arguments of the command line and of later starts not taken yet, and whether one is
    // being taken (see takePendingArguments).
    QStringList listPendingArguments;
    bool bTakingArguments = false;
    // The argument whose NZB is being added, until it is in the saved queue or given up, and
    // whether its NZB is in the history already.
    QString strArgumentBeingAdded;
    bool bArgumentInHistory = false;
    // NZBs the exit put in the saved queue: no engine holds them, the window deletes them.
    QList<NzbFiles *> listQueuedAtExit;
    // Arguments refused as no NZB file, said in one box (kept up to date while it is open).
    QStringList listRefusedArguments;
    QPointer<QMessageBox> boxRefusedArguments;
    bool bRefusedArgumentsDue = false;
    // While the NZB files of the command line are read, before the event loop runs.
    bool bReadingStartArguments = false;
    QStandardItemModel *modelSpeedChart = nullptr;
    quint64 uiMaxSpeed = 0;
    QMenu *menuOpenDestination = nullptr;
    QMenu *menuDownloadToDestination = nullptr;
    QList<QAction *> listActionsOpenDestination;
    QList<QAction *> listActionsDownloadToDestination;
    QTimer timerBlink;
    QTimer timerRefreshDrivesFreeSpace;
    QList<QLabel *> listLabelsFreeSpace;
    DriveSpaceQueries *driveSpaceQueries = nullptr;
    DialogLogs *dialogLogs = nullptr;
    DialogHistoryNzb *dialogHistoryNzb = nullptr;
    DialogWizard *dialogWizard = nullptr;
    QTimer timerShutdown;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *trayMenu = nullptr;
    QAction *actionTrayMinimize = nullptr;
    QAction *actionTrayMaximize = nullptr;
    QAction *actionTrayRestore = nullptr;
    QAction *actionTrayQuit = nullptr;
    QString strLastFinishedDestination;
    DownloadListTreeWidget *treeWidgetDownloadList = nullptr;
    QList<QTreeWidgetItem *> listRemovedRows; // out of the list, still named by the model; freed with the window
    bool bSubjectColumnFitPending = false;
    QAction *actionRedownloadFiles = nullptr;
    QAction *actionUnpauseFiles = nullptr;
    QAction *actionPauseFiles = nullptr;
    QAction *actionDeleteFiles = nullptr;
    QAction *actionSeparatorDownloadList = nullptr;
    QAction *actionUnrarToDo = nullptr;
    QAction *actionUnrarNotToDo = nullptr;
    QAction *actionUnrarPassword = nullptr;
    QAction *actionModifyDestination = nullptr;
    QAction *actionModifyNzbTitle = nullptr;
    QAction *actionDeleteNzb = nullptr;
    QAction *actionKeepPar2Files = nullptr;
    QList<quint64> listSpeedHistory; // total speeds in bytes per second, newest first
    BrowserTabWidget *browserTabWidget = nullptr;
    NetworkAccessManager *networkManagerBrowser = nullptr;
    WebBrowserTab *webBrowserTab = nullptr; // the controls, favourites and caught downloads
    QMenu menuWebFavourites;
    NetworkAccessManager *networkManagerVersion = nullptr;
    QHash<quint32, int> hashThreadRows;
    QHash<qint32, QList<quint32> *> hashServerThreads;
    qint32 iThreadRowCount = 0;
    bool bPaused = false;
    QMenu menuDelayedPause;
    QAction *actionPauseNow = nullptr;
    QTimer timerDelayedPause;
    QElapsedTimer elapsedPausedStart; // monotonic: a clock change cannot shorten a pause
    quint64 uiPauseDelay = 0;
    QString strPausedCountdown;
    bool bClosing = false;
    bool bExitRunning = false; // the exit sequence is between its first and its last step
    QList<ThreadClean *> listThreadClean;
    QTimer timerSpeed;
    SearchTab *searchTab = nullptr;
    QTimer timerPreventSuspend;
    bool bSuspendPrevented = false;
    SleepInhibitor *sleepInhibitor = nullptr;
    bool bSkipExitQuestion = false;
    bool bServersNotSavedShown = false;
    // Why the queue records could not be written: the causes (folder and reason) already shown,
    // and the last one met.
    QSet<QString> setQueueNotSavedCausesShown;
    QString strQueueNotSavedFolder;
    QString strQueueNotSavedReason;
};

#endif // MAINWINDOW_H
