// The toolbar's actions, dispatched by object name.
#include "app/MainWindow.h"

// TODO(commands): the dispatch. After an accepted settings dialog: copySettingsToDownloadManager(),
// the bandwidth scale without automatic detection, createDestinationMenus().
void MainWindow::slotToolbarActionTriggered(QAction *pAction)
{
    Q_UNUSED(pAction);
}
