// The auxiliary windows opened from the menus: manual repair, about box, log viewer and the
// NZB history window.
#include "app/MainWindow.h"

#include "dialogs/DialogAbout.h"
#include "dialogs/DialogLogs.h"

// PENDING-DIALOGS: the manual repair dialog, once it is on main.
void MainWindow::slotManualRepairExtract()
{
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

// PENDING-DIALOGS: the NZB history window, once it is on main.
void MainWindow::slotNzbHistory()
{
}

void MainWindow::closeAuxiliaryWindows()
{
    delete dialogLogs;
    dialogLogs = nullptr;
}
