// The free disk space of every volume, in the status bar.
#include "app/MainWindow.h"

// TODO(commands): the labels of listLabelsFreeSpace, queried off the GUI thread.
void MainWindow::slotRefreshDrivesFreeSpaceTick()
{
}
