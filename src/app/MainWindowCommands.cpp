// The download list commands: pause, resume and download files again, move files and NZBs,
// extraction, password, PAR2 files, destination and title of an NZB, opening its folder.
//
// TODO(commands): everything in this file. Folders are opened with QUrl::fromLocalFile.
#include "app/MainWindow.h"

void MainWindow::slotUnpauseSelectedFiles()
{
}

void MainWindow::slotPauseSelectedFiles()
{
}

void MainWindow::slotRedownloadSelectedFiles()
{
}

void MainWindow::slotMoveUpFiles()
{
}

void MainWindow::slotMoveDownFiles()
{
}

void MainWindow::slotMoveUpNzb()
{
}

void MainWindow::slotMoveDownNzb()
{
}

void MainWindow::slotDownloadListItemMoved()
{
}

void MainWindow::slotUnrarToDoOnNzb()
{
}

void MainWindow::slotUnrarNotToDoOnNzb()
{
}

void MainWindow::slotUnrarPassword()
{
}

void MainWindow::slotKeepPar2Files()
{
}

void MainWindow::slotModifyDestinationDirectory()
{
}

void MainWindow::slotModifyNzbTitle()
{
}

void MainWindow::slotOpenDownloadDestinationFolder()
{
}
