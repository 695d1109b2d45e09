// The search tab. Its logic lives in SearchTab, which drives the widgets of this window's form;
// the window's search slots hand over to it.
#include "app/MainWindow.h"

#include "web/SearchTab.h"

#include "ui_MainWindow.h"

#include <QAction>

// The search tab builds the completer over the search history, fills the option lists and
// connects the query line and the search tab's buttons to its slots.
void MainWindow::initSearch()
{
    searchTab = new SearchTab(SearchTab::Controls::fromForm(this, *ui),
                              [this](const QString &path, const QString &name, const QString &destination) {
                                  addNzbFile(path, name, destination);
                              },
                              this);
}

void MainWindow::initSearchComboBoxes()
{
    searchTab->initSearchComboBoxes();
}

void MainWindow::slotSearchNzb()
{
    searchTab->slotSearchNzb();
}

void MainWindow::slotSearchTabCloseRequested(int iIndex)
{
    searchTab->slotSearchTabCloseRequested(iIndex);
}

void MainWindow::slotSearchCloseAllTabs()
{
    searchTab->slotSearchCloseAllTabs();
}

void MainWindow::slotSearchButtonDownloadNzb()
{
    searchTab->slotSearchButtonDownloadNzb();
}

void MainWindow::slotSearchClearButton()
{
    searchTab->slotSearchClearButton();
}

// The destination is the data of the menu entry that was chosen.
void MainWindow::slotDownloadNzbDestinationTriggered()
{
    if (const auto *action = qobject_cast<QAction *>(sender()))
        searchTab->downloadSelectionTo(action->data().toString());
}

void MainWindow::slotSearchNzbDownloaded(bool bError, QString strError, QString strNzbPath, QString strDestination)
{
    searchTab->slotSearchNzbDownloaded(bError, strError, strNzbPath, strDestination);
}

void MainWindow::webBrowserNzbInternalSearch(QString strSearch)
{
    searchTab->webBrowserNzbInternalSearch(strSearch);
}
