#ifndef MAINWINDOWTESTACCESS_H
#define MAINWINDOWTESTACCESS_H

#include "app/DownloadListTreeWidget.h"
#include "app/MainWindow.h"
#include "platform/SleepInhibitor.h"
#include "platform/TaskbarProgress.h"
#include "web/NetworkAccessManager.h"
#include "web/SearchTab.h"

#include "ui_MainWindow.h"

#include <QSplitter>
#include <QStandardItemModel>
#include <QTimer>

// What the main window's tests read and drive inside the window.
struct MainWindowTestAccess {
    static Ui::MainWindow &ui(MainWindow &w) { return *w.ui; }
    static void closeAuxiliaryWindows(MainWindow &w) { w.closeAuxiliaryWindows(); }
    static QSplitter *splitterLeft(MainWindow &w) { return w.splitterLeft; }
    static QSplitter *splitterRight(MainWindow &w) { return w.splitterRight; }
    static QSplitter *splitterMiddle(MainWindow &w) { return w.splitterMiddle; }
    static QStandardItemModel *modelSpeedChart(MainWindow &w) { return w.modelSpeedChart; }
    static const QList<quint64> &listSpeedHistory(MainWindow &w) { return w.listSpeedHistory; }
    static quint64 uiMaxSpeed(MainWindow &w) { return w.uiMaxSpeed; }
    // Servers, connections and pause.
    static const QHash<quint32, int> &hashThreadRows(MainWindow &w) { return w.hashThreadRows; }
    static const QHash<qint32, QList<quint32> *> &hashServerThreads(MainWindow &w) { return w.hashServerThreads; }
    static qint32 iThreadRowCount(MainWindow &w) { return w.iThreadRowCount; }
    static bool bPaused(MainWindow &w) { return w.bPaused; }
    static QString strPausedCountdown(MainWindow &w) { return w.strPausedCountdown; }
    static QMenu &menuDelayedPause(MainWindow &w) { return w.menuDelayedPause; }
    static DialogWizard *dialogWizard(MainWindow &w) { return w.dialogWizard; }
    static QTimer &timerSpeed(MainWindow &w) { return w.timerSpeed; }
    static QTimer &timerBlink(MainWindow &w) { return w.timerBlink; }
    static QTimer &timerRefreshDrivesFreeSpace(MainWindow &w) { return w.timerRefreshDrivesFreeSpace; }
    static QTimer &timerShutdown(MainWindow &w) { return w.timerShutdown; }
    static QTimer &timerDelayedPause(MainWindow &w) { return w.timerDelayedPause; }
    static QTimer &timerPreventSuspend(MainWindow &w) { return w.timerPreventSuspend; }
    static QSystemTrayIcon *trayIcon(MainWindow &w) { return w.trayIcon; }
    static QMenu *trayMenu(MainWindow &w) { return w.trayMenu; }
    static QAction *actionTrayMinimize(MainWindow &w) { return w.actionTrayMinimize; }
    static QAction *actionTrayMaximize(MainWindow &w) { return w.actionTrayMaximize; }
    static QAction *actionTrayRestore(MainWindow &w) { return w.actionTrayRestore; }
    static QAction *actionTrayQuit(MainWindow &w) { return w.actionTrayQuit; }
    static QString &strLastFinishedDestination(MainWindow &w) { return w.strLastFinishedDestination; }
    static QList<ThreadClean *> &listThreadClean(MainWindow &w) { return w.listThreadClean; }
    static SleepInhibitor *sleepInhibitor(MainWindow &w) { return w.sleepInhibitor; }
    static bool bSuspendPrevented(MainWindow &w) { return w.bSuspendPrevented; }
    static bool bFirstShowDone(MainWindow &w) { return w.bFirstShowDone; }
    static NetworkAccessManager *networkManagerVersion(MainWindow &w) { return w.networkManagerVersion; }
    static NetworkAccessManager *networkManagerBrowser(MainWindow &w) { return w.networkManagerBrowser; }
    static SearchTab *searchTab(MainWindow &w) { return w.searchTab; }
    static QMenu *menuOpenDestination(MainWindow &w) { return w.menuOpenDestination; }
    static QMenu *menuDownloadToDestination(MainWindow &w) { return w.menuDownloadToDestination; }
    static void saveWindowSettings(MainWindow &w) { w.saveWindowSettings(); }
    static bool hasTaskbar(MainWindow &w) { return w.taskbarList != nullptr; }
    static TaskbarProgress *taskbarList(MainWindow &w) { return w.taskbarList; }
    static DownloadListTreeWidget *treeWidgetDownloadList(MainWindow &w) { return w.treeWidgetDownloadList; }
    // The download list's context-menu actions, in menu order (the separator fifth).
    static QList<QAction *> downloadListActions(MainWindow &w)
    {
        return {w.actionRedownloadFiles, w.actionUnpauseFiles, w.actionPauseFiles,   w.actionDeleteFiles,
                w.actionSeparatorDownloadList, w.actionUnrarToDo, w.actionUnrarNotToDo, w.actionUnrarPassword,
                w.actionModifyDestination, w.actionModifyNzbTitle, w.actionDeleteNzb, w.actionKeepPar2Files};
    }
    static QList<QAction *> &listActionsOpenDestination(MainWindow &w) { return w.listActionsOpenDestination; }
    static QList<QAction *> &listActionsDownloadToDestination(MainWindow &w) { return w.listActionsDownloadToDestination; }
    static void createDestinationMenus(MainWindow &w) { w.createDestinationMenus(); }
    static const QList<QLabel *> &listLabelsFreeSpace(MainWindow &w) { return w.listLabelsFreeSpace; }
    static QString &strLastNzbFolder(MainWindow &w) { return w.strLastNzbFolder; }
    static bool bSkipExitQuestion(MainWindow &w) { return w.bSkipExitQuestion; }
};

#endif // MAINWINDOWTESTACCESS_H
