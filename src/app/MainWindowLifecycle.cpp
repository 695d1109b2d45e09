// The window's first showing, hiding, the exit question and the orderly exit.
#include "app/MainWindow.h"

#include "config/AppConfiguration.h"
#include "config/UtilsFilesFolders.h"
#include "dialogs/DialogWizard.h"
#include "dialogs/ThreadTestConnection.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFiles.h"
#include "platform/SleepInhibitor.h"
#include "postprocess/ThreadClean.h"

#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QSet>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

// Longer than a connection test's own time-outs can keep it running.
constexpr qint64 kConnectionTestWaitMs = 35000;
// How often the exit's wait for a clean-up lets the window paint.
constexpr unsigned long kExitWaitSliceMs = 50;

} // namespace

std::function<bool()> MainWindow::systemTrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

void MainWindow::setVisible(bool visible)
{
    if (!visible && isVisible()) {
        if (!bClosing && !systemTrayAvailable()) {
            // Without a system tray a hidden window could never be reached again.
            showMinimized();
            return;
        }
        // A click on the balloon shown next must open nothing.
        strLastFinishedDestination.clear();
        if (!bClosing)
            showTrayMessage(tr("Information"), tr("Tessaquill+ has been minimized in the task bar"));
    }
    const bool bFirstShowing = visible && !bFirstShowDone;
    if (bFirstShowing) {
        // The servers that ran when the program last ended start again, before the window is
        // on screen; never once the engine has been stopped for the exit.
        if (!bClosing)
            startSavedServers();
        bFirstShowDone = true;
    }
    updateTrayActions(visible);
    QMainWindow::setVisible(visible);
    if (bFirstShowing) {
        // The buttons of the server rows know their texts' widths once they are shown.
        keepServerTableWhole();
        openFirstRunWizard();
    }
}

void MainWindow::startSavedServers()
{
    const QList<NntpServer *> listServers = AppConfiguration::getInstance()->serversConfiguration.listServers;
    for (NntpServer *server : listServers) {
        if (!server->bStarted)
            continue;
        const QList<quint32> listThreadIds = DownloadNzbManager::getInstance()->startServer(server, false);
        addServerThreadsRows(listThreadIds, server);
    }
}

// Without a news server the wizard asks for one. It is shown once the window is on screen, so
// that it opens above the window that owns it instead of behind it; it stays non-modal, and the
// main window usable meanwhile.
void MainWindow::openFirstRunWizard()
{
    if (bClosing || !AppConfiguration::getInstance()->serversConfiguration.listServers.isEmpty())
        return;
    dialogWizard->show();
    dialogWizard->raise();
    dialogWizard->activateWindow();
}

// From the state before the change: Minimize while visible, Maximize while not maximized,
// Restore while maximized or hidden.
void MainWindow::updateTrayActions(bool visible)
{
    actionTrayMinimize->setEnabled(visible);
    actionTrayMaximize->setEnabled(!isMaximized());
    actionTrayRestore->setEnabled(isMaximized() || !visible);
}

void MainWindow::showTrayMessage(const QString &strTitle, const QString &strText, QSystemTrayIcon::MessageIcon icon)
{
    if (!systemTrayAvailable())
        return;
    trayIcon->showMessage(strTitle, strText, icon, 10000);
    emit signalTrayMessageShown(strTitle, strText);
}

// Shown, not minimized, raised and active; a window hidden in the tray is shown through
// setVisible, so that its first showing starts the servers.
void MainWindow::bringWindowForward()
{
    if (windowState() & Qt::WindowMinimized)
        setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!isVisible())
        setVisible(true);
    else
        show();
    raise();
    activateWindow();
    keepWizardInFront();
}

// The first-run wizard stays above the window it belongs to while it is open: the window coming
// forward for an NZB, or the add dialog closing, must not hide the step the user has to take
// first. Once more after the events of a closing dialog, which hand the activation back to the
// dialog's parent.
void MainWindow::keepWizardInFront()
{
    const auto bringWizard = [wizard = QPointer<DialogWizard>(dialogWizard)] {
        if (!wizard || !wizard->isVisible())
            return;
        wizard->raise();
        wizard->activateWindow();
    };
    if (!dialogWizard || !dialogWizard->isVisible())
        return;
    bringWizard();
    QTimer::singleShot(0, this, bringWizard);
}

void MainWindow::reportConfigurationError(const QString &strError)
{
    const QString text = tr("The configuration could not be loaded: %1\n\nThe program runs with the default settings.")
                             .arg(strError);
    QPointer<MainWindow> window(this);
    QTimer::singleShot(0, this, [window, text] {
        if (window && !window->bClosing)
            QMessageBox::critical(window, tr("Tessaquill+"), text, QMessageBox::Ok);
    });
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The window stays while the exit waits: it shows what for.
    if (bExitRunning) {
        event->ignore();
        return;
    }
    if (!bClosing && !bSkipExitQuestion) {
        bringWindowForward();
        const QMessageBox::StandardButton answer =
            QMessageBox::information(this, tr("Tessaquill+"), tr("Do you really want to exit Tessaquill+ ?"),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        // An exit without question may have run while the question was open.
        if (answer != QMessageBox::Yes && !bClosing) {
            event->ignore();
            return;
        }
    }
    runExitSequence();
    event->accept();
}

// The end of the session, SIGTERM and the end-of-queue action: the orderly exit, without the
// question, also while the question or another modal window is open.
void MainWindow::slotExitWithoutQuestion()
{
    if (bClosing)
        return;
    bSkipExitQuestion = true;
    runExitSequence();
    close();
}

// Everything is stopped and waited for before anything is saved or removed: the queue records
// are written after no thread can change an NZB any more. From its first step on, what later
// starts hand over is refused (they then run in this program's place once it has ended); what
// they handed over before is saved in the queue, added or not.
void MainWindow::runExitSequence()
{
    if (bClosing)
        return;
    timerSpeed.stop();
    bClosing = true;
    bExitRunning = true;
    emit signalExitBegun();
    for (QTimer *timer : {&timerBlink, &timerRefreshDrivesFreeSpace, &timerShutdown, &timerDelayedPause, &timerPreventSuspend})
        timer->stop();
    DownloadNzbManager::getInstance()->shutdown();
    collectLastResults();
    waitForCleanThreadsInSight();
    waitForConnectionTests();
    queueArgumentsLeftAtExit();
    AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->nzbConfiguration.saveAllNzbs())
        reportQueueNotSavedAtExit();
    removeDeletedNzbFolders();
    saveWindowSettings();
    config->serversConfiguration.saveAllServersHisto();
    sleepInhibitor->release();
    closeAuxiliaryWindows();
    bExitRunning = false;
    QCoreApplication::exit(0);
}

// What the engine's threads reported just before they stopped: results they had sent (a segment
// that arrived, a file decoded) are applied, and the bytes each server received since the last
// one-second hand-over reach its counter, so that the records and byte counts written next hold
// everything that arrived. Only the manager's and the byte counter's pending calls run here.
void MainWindow::collectLastResults()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCoreApplication::sendPostedEvents(manager, QEvent::MetaCall);
    ThreadComputeServerNewBytes *counter = &manager->threadComputeServerNewBytes;
    QCoreApplication::sendPostedEvents(counter, QEvent::MetaCall);
    const QMetaObject::Connection handOver =
        connect(manager, &DownloadNzbManager::signalNewBytesDownloaded, counter,
                &ThreadComputeServerNewBytes::slotNewBytesDownloaded, Qt::DirectConnection);
    manager->computeServerNewBytes();
    disconnect(handOver);
}

// A clean-up thread moves an NZB's files into its destination; ending it early could lose what
// it is moving, and destroying it while it runs would abort the program. It always ends on its
// own, so it is waited for without a bound.
void MainWindow::waitForCleanThreads()
{
    for (ThreadClean *thread : qAsConst(listThreadClean))
        thread->wait();
}

// The exit's wait for the clean-up threads, which can take long (a move to another disk): the
// window shows which NZB it waits for and keeps painting, and each clean-up that ends is
// reported as during the run, so that its NZB leaves the saved queue. User input is held back.
void MainWindow::waitForCleanThreadsInSight()
{
    bool bWaited = false;
    for (;;) {
        const auto running = std::find_if(listThreadClean.cbegin(), listThreadClean.cend(),
                                          [](const ThreadClean *thread) { return !thread->isFinished(); });
        if (running == listThreadClean.cend())
            break;
        if (!bWaited) {
            bWaited = true;
            bringWindowForward();
        }
        ui->statusBar->showMessage(exitWaitText((*running)->pNzbFiles));
        (*running)->wait(kExitWaitSliceMs);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    // A clean-up that ended after the last delivery has its report waiting in the queue (it is
    // sent before its thread ends).
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (bWaited)
        ui->statusBar->clearMessage();
}

QString MainWindow::exitWaitText(const NzbFiles *pNzbFiles) const
{
    if (!pNzbFiles)
        return tr("Exiting: waiting for the files of a finished NZB to be moved to their destination...");
    return tr("Exiting: waiting for the files of %1 to be moved to %2...")
        .arg(pNzbFiles->strName, pNzbFiles->getDestination());
}

// A server editor's connection test has no stop: it ends within its time-outs, and its thread
// object is deleted once it has. It must not outlive the program's objects.
void MainWindow::waitForConnectionTests()
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (ThreadTestConnection::instanceCount() > 0 && elapsed.elapsed() < kConnectionTestWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(10);
    }
}

namespace {

QString cleanFolder(const QString &folder)
{
    return QDir::cleanPath(folder);
}

// Only a folder of its own is ever removed: never an empty or relative path (the current
// folder), the root, the home folder or one of the configured folders themselves.
bool isOwnDownloadFolder(const QString &folder, const AppConfiguration &config)
{
    if (folder.trimmed().isEmpty() || QDir::isRelativePath(folder))
        return false;
    const QString path = cleanFolder(folder);
    const QStringList forbidden = {QDir::rootPath(), QDir::homePath(), config.downloadFolder, config.cacheFolder,
                                   config.destinationFolder, AppConfiguration::getDataFolder()};
    for (const QString &other : forbidden) {
        if (!other.isEmpty() && cleanFolder(other) == path)
            return false;
    }
    return true;
}

} // namespace

// The work folders of the NZBs removed during the run go, except a folder that a queued NZB
// still uses, and the folder of an NZB whose clean-up ran: that one holds exactly the files
// that could not be moved to the destination.
void MainWindow::removeDeletedNzbFolders()
{
    const DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const AppConfiguration *config = AppConfiguration::getInstance();
    QSet<QString> setFoldersInUse;
    for (const QList<NzbFiles *> &queue : {manager->listNzbFiles, config->nzbConfiguration.listNzbFiles}) {
        for (const NzbFiles *nzb : queue) {
            if (!nzb->bDeleted)
                setFoldersInUse.insert(cleanFolder(nzb->strDownloadFolder));
        }
    }
    QSet<const NzbFiles *> setCleanedNzbs;
    for (const ThreadClean *thread : qAsConst(listThreadClean))
        setCleanedNzbs.insert(thread->pNzbFiles);
    for (const NzbFiles *nzb : manager->listDeletedNzbFiles) {
        if (nzb->bCleaned || setCleanedNzbs.contains(nzb))
            continue;
        if (!isOwnDownloadFolder(nzb->strDownloadFolder, *config))
            continue;
        if (setFoldersInUse.contains(cleanFolder(nzb->strDownloadFolder)))
            continue;
        UtilsFilesFolders::removeFolder(QDir(nzb->strDownloadFolder));
    }
}
