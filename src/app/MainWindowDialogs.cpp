// The auxiliary windows opened from the menus: manual repair, about box, log viewer and the
// NZB history window.
#include "app/MainWindow.h"

#include "dialogs/DialogAbout.h"
#include "dialogs/DialogHistoryNzb.h"
#include "dialogs/DialogLogs.h"
#include "dialogs/DialogWizard.h"
#include "postprocess/gui/DialogManualRepairExtract.h"

namespace {

// A window asked for again comes in front of the main window, also when it was minimized or
// had fallen behind, and gets the keyboard; what it shows stays as it was.
void bringForward(QWidget *window)
{
    if (window->windowState() & Qt::WindowMinimized)
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

// The dialog and its own workers go when it closes.
void MainWindow::slotManualRepairExtract()
{
    DialogManualRepairExtract dialog(this);
    dialog.setWindowFlags(Qt::Sheet);
    dialog.exec();
}

void MainWindow::slotAboutTessaquill()
{
    DialogAbout about(this);
    about.setWindowFlags(Qt::Sheet);
    about.exec();
}

// One log viewer for the whole run, shown again as it was left; an open one comes forward.
void MainWindow::slotActionLogs()
{
    if (dialogLogs && dialogLogs->isVisible()) {
        bringForward(dialogLogs);
        return;
    }
    if (dialogLogs) {
        dialogLogs->reopen();
        bringForward(dialogLogs);
        return;
    }
    dialogLogs = new DialogLogs(this);
    dialogLogs->setWindowFlags(Qt::Window);
    bringForward(dialogLogs);
}

// A history window that was closed is built anew, so each opening reads the history afresh;
// one that is shown comes forward as it is.
void MainWindow::slotNzbHistory()
{
    if (dialogHistoryNzb && dialogHistoryNzb->isVisible()) {
        bringForward(dialogHistoryNzb);
        return;
    }
    if (dialogHistoryNzb) {
        disconnect(dialogHistoryNzb, SIGNAL(historyNzbToDownload(QString)), this,
                   SLOT(slotHistoryNzbFileToDownload(QString)));
        delete dialogHistoryNzb;
    }
    dialogHistoryNzb = new DialogHistoryNzb(this);
    dialogHistoryNzb->setWindowFlags(Qt::Window);
    connect(dialogHistoryNzb, SIGNAL(historyNzbToDownload(QString)), this, SLOT(slotHistoryNzbFileToDownload(QString)));
    bringForward(dialogHistoryNzb);
}

// The wizard starts afresh when it was closed; an open one comes forward with what the user
// has typed so far.
void MainWindow::showConfigurationWizard()
{
    if (!dialogWizard->isVisible())
        dialogWizard->reset();
    bringForward(dialogWizard);
}

// The exit can run inside a question an auxiliary window is still asking (the history window
// asks one as it opens, and SIGTERM or the session's end is handled from any event loop): such
// a window is deleted once control is back in the event loop, never under its own feet.
void MainWindow::closeAuxiliaryWindows()
{
    const QList<QWidget *> windows{dialogHistoryNzb, dialogLogs};
    for (QWidget *window : windows) {
        if (!window)
            continue;
        window->hide();
        window->deleteLater();
    }
    dialogHistoryNzb = nullptr;
    dialogLogs = nullptr;
}
