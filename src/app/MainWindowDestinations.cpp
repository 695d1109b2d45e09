// The two destination menus: folders to open, and folders to download search results to.
#include "app/MainWindow.h"

// TODO(commands): rebuild both menus (menuOpenDestination with listActionsOpenDestination to
// slotDestinationToOpenTriggered, menuDownloadToDestination with listActionsDownloadToDestination
// to slotDownloadNzbDestinationTriggered). Both menus exist when this runs.
void MainWindow::createDestinationMenus()
{
}

// TODO(commands): open the folder of the sending action with QUrl::fromLocalFile.
void MainWindow::slotDestinationToOpenTriggered()
{
}
