// Download list commands that cannot be carried out safely at that moment: the user is told
// why, and nothing changes.
#include "app/MainWindow.h"

#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "postprocess/ThreadClean.h"
#include "QsLog/QsLog.h"

#include <QMessageBox>
#include <QSet>
#include <QTreeWidgetItem>

#include <algorithm>

// Names come from NZB files and posts: shown as they are, never read as markup.
void MainWindow::showRefusal(const QString &strText)
{
    QLOG_WARN() << strText;
    QMessageBox box(QMessageBox::Warning, tr("Tessaquill+"), strText, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// The clean-up thread of an NZB reads its destination and keep-PAR2 choice while it moves the
// files: those are not changed under its feet, and the user is told why (also when the clean-up
// began while the command's dialog was open).
bool MainWindow::refuseWhileCleaning(const NzbFiles *pNzbFiles)
{
    const bool bCleaning =
        std::any_of(listThreadClean.cbegin(), listThreadClean.cend(),
                    [pNzbFiles](const ThreadClean *thread) { return thread->pNzbFiles == pNzbFiles; });
    if (!bCleaning)
        return false;
    showRefusal(tr("NZB %1 is being moved to its destination folder: it cannot be changed until that is done.")
                    .arg(pNzbFiles->strName));
    return true;
}

// From the NZB's completion on, par2, unrar and the joining work in its download folder and
// write into the destination it had when they started, and the clean-up moves what is left
// there: a new destination or title would leave the results behind in the old folder, and the
// row would name a folder they never reached. Also asked again once the command's dialog
// closes: the NZB may have completed, or even ended, meanwhile.
bool MainWindow::refuseWhilePostProcessing(NzbFiles *pNzbFiles)
{
    if (refuseWhileCleaning(pNzbFiles))
        return true;
    if (!DownloadNzbManager::getInstance()->hasCompleted(pNzbFiles))
        return false;
    showRefusal(tr("NZB %1 is complete: its files are being verified, repaired and extracted into its destination "
                   "folder, or are already there. Its destination and title cannot be changed any more.")
                    .arg(pNzbFiles->strName));
    return true;
}

void MainWindow::refuseDownloadAgain(const QString &strNzbName)
{
    showRefusal(tr("The files of NZB %1 cannot be downloaded again: the NZB is complete, and its files are being "
                   "verified, extracted and moved or are already in its destination folder. Add the NZB again to "
                   "download it anew.")
                    .arg(strNzbName));
}

// A decoder writes these files now: removed, their NZB would be finished and moved while the
// decoder still writes into its download folder.
bool MainWindow::refuseRemovalWhileDecoding(const QList<QTreeWidgetItem *> &listRows)
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QSet<QTreeWidgetItem *> rows(listRows.cbegin(), listRows.cend());
    QStringList busy;
    for (NzbFiles *nzb : manager->listNzbFiles) {
        for (NzbFile *file : nzb->getFilesCopy()) {
            if (file->pTreeItem && rows.contains(file->pTreeItem) && manager->isFileBeingDecoded(file))
                busy.append(file->pTreeItem->text(0));
        }
    }
    if (busy.isEmpty())
        return false;
    showRefusal(tr("Files being decoded cannot be removed until that is done: %1")
                    .arg(busy.join(QStringLiteral(", "))));
    return true;
}
