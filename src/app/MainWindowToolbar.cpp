// The toolbar's actions, dispatched by object name.
#include "app/MainWindow.h"

#include "config/AppConfiguration.h"
#include "dialogs/DialogSettings.h"
#include "dialogs/DialogShutdown.h"
#include "engine/DownloadNzbManager.h"

#include "ui_MainWindow.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

constexpr int kShutdownIntervalMs = 1000;

} // namespace

// The toolbar reports its own actions however they are triggered (button, menu entry, shortcut)
// and the entries of its drop-down menus; the destination entries have their own slot. Object
// names are compared as they are, never translated.
void MainWindow::slotToolbarActionTriggered(QAction *pAction)
{
    if (!pAction || listActionsOpenDestination.contains(pAction))
        return;
    const QString name = pAction->objectName().toLower();
    if (name == QLatin1String("actionminimize")) {
        setVisible(false);
    } else if (name == QLatin1String("actionconfiguration_wizard")) {
        showConfigurationWizard();
    } else if (name == QLatin1String("actionsettings")) {
        runSettingsDialog();
    } else if (name == QLatin1String("actionnzb")) {
        openNzbFiles();
    } else if (name == QLatin1String("actionshutdown")) {
        runShutdownDialog();
    }
}

// Accepted settings reach the manager for what it does from then on, and the menus show the
// destination folders as they now are.
void MainWindow::runSettingsDialog()
{
    DialogSettings dialog(this);
    dialog.setWindowFlags(Qt::Sheet);
    if (dialog.exec() != QDialog::Accepted)
        return;
    copySettingsToDownloadManager();
    initBandwidthReference();
    createDestinationMenus();
    // An NZB waiting for a download folder that could not be used may go on in the new one.
    DownloadNzbManager::getInstance()->retryNzbsWaitingForFolder();
}

// Native file choosers compare patterns case-sensitively, and "*.*" would hide files without a
// dot: the suffix in any letter case, and every file.
void MainWindow::openNzbFiles()
{
    const QStringList paths = QFileDialog::getOpenFileNames(this, tr("Open one or several NZB"), strLastNzbFolder,
                                                            tr("Nzb files (*.[nN][zZ][bB]);;Any files (*)"));
    for (const QString &path : paths) {
        if (bClosing)
            return;
        addNzbFile(path, QFileInfo(path).completeBaseName(), QString());
    }
    if (!paths.isEmpty())
        strLastNzbFolder = QFileInfo(paths.first()).absolutePath();
}

// Any accepted choice but "No shutdown" arms the action, whether it is saved for later starts
// or not.
void MainWindow::runShutdownDialog()
{
    DialogShutdown dialog(this);
    dialog.setWindowFlags(Qt::Sheet);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (AppConfiguration::getInstance()->shutdownType >= 1)
        timerShutdown.start(kShutdownIntervalMs);
    else
        timerShutdown.stop();
}
