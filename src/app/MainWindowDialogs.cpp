// The auxiliary windows opened from the menus: manual repair, about box, log viewer and the
// NZB history window.
#include "app/MainWindow.h"

#include "dialogs/DialogAbout.h"
#include "dialogs/DialogHistoryNzb.h"
#include "dialogs/DialogLogs.h"
#include "postprocess/gui/DialogManualRepairExtract.h"

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

// One log viewer for the whole run, shown again as it was left.
void MainWindow::slotActionLogs()
{
    if (dialogLogs && dialogLogs->isVisible())
        return;
    if (dialogLogs) {
        dialogLogs->reopen();
        dialogLogs->show();
        return;
    }
    dialogLogs = new DialogLogs(this);
    dialogLogs->setWindowFlags(Qt::Window);
    dialogLogs->show();
}

// A history window that was closed is built anew, so each opening reads the history afresh;
// one that is shown is left as it is.
void MainWindow::slotNzbHistory()
{
    if (dialogHistoryNzb && dialogHistoryNzb->isVisible())
        return;
    if (dialogHistoryNzb) {
        disconnect(dialogHistoryNzb, SIGNAL(historyNzbToDownload(QString)), this,
                   SLOT(slotHistoryNzbFileToDownload(QString)));
        delete dialogHistoryNzb;
    }
    dialogHistoryNzb = new DialogHistoryNzb(this);
    dialogHistoryNzb->setWindowFlags(Qt::Window);
    connect(dialogHistoryNzb, SIGNAL(historyNzbToDownload(QString)), this, SLOT(slotHistoryNzbFileToDownload(QString)));
    dialogHistoryNzb->show();
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
