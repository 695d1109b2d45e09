// The auxiliary windows opened from the menus: manual repair, about box, log viewer and the
// NZB history window.
#include "app/MainWindow.h"

// PENDING-DIALOGS: built once the dialogs are on main.
void MainWindow::slotManualRepairExtract()
{
}

void MainWindow::slotAboutTessaquill()
{
}

void MainWindow::slotActionLogs()
{
}

void MainWindow::slotNzbHistory()
{
}

void MainWindow::closeAuxiliaryWindows()
{
}
