// The tray icon and its menu, the progress on the taskbar entry, keeping the computer awake while
// work is pending, and drags over the window.
#include "app/MainWindow.h"

#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "platform/SleepInhibitor.h"
#include "platform/TaskbarProgress.h"

#include <QAction>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QUrl>

void MainWindow::createSystrayMenu()
{
    actionTrayMinimize = new QAction(tr("Mi&nimize"), this);
    connect(actionTrayMinimize, SIGNAL(triggered()), this, SLOT(hide()));
    actionTrayMaximize = new QAction(tr("Ma&ximize"), this);
    connect(actionTrayMaximize, SIGNAL(triggered()), this, SLOT(showMaximized()));
    actionTrayRestore = new QAction(tr("&Restore"), this);
    connect(actionTrayRestore, SIGNAL(triggered()), this, SLOT(showNormal()));
    actionTrayQuit = new QAction(tr("&Quit"), this);
    connect(actionTrayQuit, SIGNAL(triggered()), this, SLOT(close()));
}

void MainWindow::createSystrayIcon()
{
    trayMenu = new QMenu(this);
    trayMenu->addAction(actionTrayMinimize);
    trayMenu->addAction(actionTrayMaximize);
    trayMenu->addAction(actionTrayRestore);
    trayMenu->addSeparator();
    trayMenu->addAction(actionTrayQuit);
    trayIcon = new QSystemTrayIcon(this);
    trayIcon->setContextMenu(trayMenu);
    trayIcon->setIcon(QIcon(QStringLiteral(":/images/logo_tessaquill.png")));
    trayIcon->setToolTip(tr("Tessaquill+"));
    connect(trayIcon, SIGNAL(activated(QSystemTrayIcon::ActivationReason)), this,
            SLOT(slotSystrayActivated(QSystemTrayIcon::ActivationReason)));
}

// A click restores the window as a double click does: trays of the StatusNotifierItem kind send
// one activation for a click and never a double click. The right click belongs to the menu.
void MainWindow::slotSystrayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::DoubleClick && reason != QSystemTrayIcon::Trigger)
        return;
    showNormal();
    raise();
    activateWindow();
}

// The balloon of a finished NZB opens its destination; the "minimized" balloon opens nothing.
void MainWindow::slotSystrayMessageClicked()
{
    if (!strLastFinishedDestination.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(strLastFinishedDestination));
}

// The taskbar entry is the program's desktop entry, as the desktop knows it.
void MainWindow::createTaskbarList()
{
    QString desktopFileId = QGuiApplication::desktopFileName();
    if (desktopFileId.isEmpty())
        desktopFileId = QStringLiteral("tessaquill");
    taskbarList = TaskbarProgress::create(desktopFileId + QStringLiteral(".desktop"), this);
}

// Out of 99, not 100: 99 and above fill the bar.
void MainWindow::updateWin7ProgressBarValue(int iValue)
{
    if (taskbarList)
        taskbarList->setProgressValue(quint64(qMax(0, iValue)), 99);
}

// Every 15 seconds: the computer stays awake while some NZB of the queue is neither removed
// nor cleaned (waiting, downloading, paused or in post-processing).
void MainWindow::slotTimedElapsedPreventComputerSuspend()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    bool bActive = false;
    for (int i = 0; i < manager->listNzbFiles.size() && !bActive; ++i) {
        const NzbFiles *nzb = manager->getNzbFilesAt(i);
        bActive = nzb && !nzb->bDeleted && !nzb->bCleaned;
    }
    if (bActive)
        sleepInhibitor->hold(tr("Downloading"));
    else
        sleepInhibitor->release();
    bSuspendPrevented = bActive;
}

// Any drag may be dropped; what a drop holds is decided by dropEvent.
void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void MainWindow::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
}
