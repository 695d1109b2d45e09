// The download list commands: pause, resume and download files again, move files and NZBs,
// extraction, password, PAR2 files, destination and title of an NZB, opening its folder.
#include "app/MainWindow.h"

#include "app/DownloadListRows.h"
#include "app/DownloadListTreeWidget.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "QsLog/QsLog.h"

#include <QAction>
#include <QDesktopServices>
#include <QHash>
#include <QFileDialog>
#include <QIcon>
#include <QInputDialog>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QTreeWidget>
#include <QUrl>

#include <algorithm>
#include <functional>

namespace {

constexpr int kTitleLength = 50;
// Lets the connections settle on the new order before the records are written.
constexpr unsigned long kReorderPauseMs = 150;

QList<NzbFiles *> queueCopy()
{
    return DownloadNzbManager::getInstance()->listNzbFiles;
}

QList<QTreeWidgetItem *> selectedRows(QTreeWidget *list, bool bFileRows)
{
    QList<QTreeWidgetItem *> rows;
    if (!list)
        return rows;
    const QList<QTreeWidgetItem *> selected = list->selectedItems();
    for (QTreeWidgetItem *row : selected) {
        if ((row->parent() != nullptr) == bFileRows)
            rows.append(row);
    }
    return rows;
}

// The one NZB the single-NZB commands act on: exactly one NZB row selected, and its NZB not
// cleaned yet.
NzbFiles *singleSelectedNzb(QTreeWidget *list)
{
    const QList<QTreeWidgetItem *> rows = selectedRows(list, false);
    if (rows.size() != 1)
        return nullptr;
    for (NzbFiles *nzb : queueCopy()) {
        if (nzb->pTreeItem == rows.first() && !nzb->bCleaned)
            return nzb;
    }
    return nullptr;
}

// Each of the rows changes place with its neighbour above [below], in turn from the first
// [last] of them: the places are worked out on a copy of the order under `parent` (the NZB rows
// when null), which the list then takes in one step. The rows that moved.
QList<QTreeWidgetItem *> moveRows(DownloadListTreeWidget *list, QTreeWidgetItem *parent, QList<QTreeWidgetItem *> rows,
                                  bool bUp)
{
    QList<QTreeWidgetItem *> order = list->rowsUnder(parent);
    QHash<QTreeWidgetItem *, int> position;
    for (int i = 0; i < order.size(); ++i)
        position.insert(order.at(i), i);
    std::stable_sort(rows.begin(), rows.end(), [&](QTreeWidgetItem *a, QTreeWidgetItem *b) {
        return bUp ? position.value(a, -1) < position.value(b, -1) : position.value(a, -1) > position.value(b, -1);
    });
    QList<QTreeWidgetItem *> moved;
    for (QTreeWidgetItem *row : qAsConst(rows)) {
        const int place = position.value(row, -1);
        const int neighbour = bUp ? place - 1 : place + 1;
        if (place < 0 || neighbour < 0 || neighbour >= order.size())
            continue;
        order.swapItemsAt(place, neighbour);
        position.insert(order.at(place), place);
        position.insert(order.at(neighbour), neighbour);
        moved.append(row);
    }
    if (!moved.isEmpty())
        list->replaceRows(parent, order);
    return moved;
}

// A new title as a folder and a name can take it: no character that file names cannot hold,
// 50 characters at most, no blanks around.
QString cleanTitle(const QString &text)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|]"));
    QString title = text;
    title.remove(forbidden);
    return title.left(kTitleLength).trimmed();
}

void openFolder(const QString &folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

// One walk over the queue for the pause family: `rule` is applied to each file whose row is
// selected and says whether it changed the file. Every NZB's sizes follow its files' states.
bool applyToSelectedFiles(QTreeWidget *list, const std::function<bool(NzbFile *)> &rule)
{
    const QList<QTreeWidgetItem *> rows = selectedRows(list, true);
    if (rows.isEmpty())
        return false;
    const QSet<QTreeWidgetItem *> setRows(rows.begin(), rows.end());
    bool bChanged = false;
    for (NzbFiles *nzb : queueCopy()) {
        for (NzbFile *file : nzb->getFilesCopy()) {
            if (file->pTreeItem && setRows.contains(file->pTreeItem) && rule(file))
                bChanged = true;
        }
        nzb->updateSizes();
    }
    return bChanged;
}

// Files move within the NZB of the last selected file row; rows of other NZBs are deselected.
bool moveSelectedFiles(DownloadListTreeWidget *list, bool bUp)
{
    QList<QTreeWidgetItem *> rows = selectedRows(list, true);
    if (rows.isEmpty())
        return false;
    QTreeWidgetItem *target = rows.last()->parent();
    QList<QTreeWidgetItem *> elsewhere;
    for (int i = rows.size() - 1; i >= 0; --i) {
        if (rows.at(i)->parent() != target)
            elsewhere.append(rows.takeAt(i));
    }
    for (QTreeWidgetItem *row : qAsConst(elsewhere))
        row->setSelected(false);
    NzbFiles *nzb = DownloadListRows::nzbOfRow(queueCopy(), target);
    if (!nzb)
        return false;
    const QList<QTreeWidgetItem *> moved = moveRows(list, target, rows, bUp);
    if (bUp)
        nzb->moveFilesUp(moved);
    else
        nzb->moveFilesDown(moved);
    return true;
}

// Each selected NZB row changes place with its neighbour; the selected rows themselves stay in
// the list, so they keep their selection and their file rows.
bool moveSelectedNzbs(DownloadListTreeWidget *list, bool bUp)
{
    const QList<QTreeWidgetItem *> rows = selectedRows(list, false);
    if (rows.isEmpty())
        return false;
    moveRows(list, nullptr, rows, bUp);
    return true;
}

void setExtraction(QTreeWidget *list, bool bExtract)
{
    const QList<QTreeWidgetItem *> selected = selectedRows(list, false);
    if (selected.isEmpty())
        return;
    const QSet<QTreeWidgetItem *> rows(selected.cbegin(), selected.cend());
    for (NzbFiles *nzb : queueCopy()) {
        if (!rows.contains(nzb->pTreeItem) || nzb->bCleaned)
            continue;
        nzb->bSkipExtraction = !bExtract;
        nzb->pTreeItem->setIcon(DownloadListRows::ColumnDestination, QIcon(DownloadListRows::extractionImage(nzb)));
    }
}

} // namespace

void MainWindow::slotUnpauseSelectedFiles()
{
    const bool bChanged = applyToSelectedFiles(treeWidgetDownloadList, [](NzbFile *file) {
        if (!file->bPaused || file->isAllSegmentsProcessed() || file->isDecoded())
            return false;
        file->setPaused(false);
        DownloadListRows::setIcon(file->pTreeItem, QStringLiteral(":/images/download_wait.png"));
        return true;
    });
    if (bChanged)
        emit signalPauseUnpauseFiles();
}

void MainWindow::slotPauseSelectedFiles()
{
    const bool bChanged = applyToSelectedFiles(treeWidgetDownloadList, [](NzbFile *file) {
        if (file->bPaused || file->isAllSegmentsProcessed() || file->isDecoded())
            return false;
        file->setPaused(true);
        DownloadListRows::setIcon(file->pTreeItem, QStringLiteral(":/images/download_pause.png"));
        return true;
    });
    if (bChanged)
        emit signalPauseUnpauseFiles();
}

// Only while the NZB is still downloading: once it is complete, its files belong to the
// post-processing (par2 repairs them in place, unrar reads them) and then to its destination.
void MainWindow::slotRedownloadSelectedFiles()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QStringList refused;
    const bool bChanged = applyToSelectedFiles(treeWidgetDownloadList, [manager, &refused](NzbFile *file) {
        if (!file->isDecoded())
            return false;
        NzbFiles *nzb = file->getNzbFiles();
        if (manager->hasCompleted(nzb)) {
            if (!refused.contains(nzb->strName))
                refused.append(nzb->strName);
            return false;
        }
        file->reset();
        QTreeWidgetItem *row = file->pTreeItem;
        DownloadListRows::setIcon(row, QStringLiteral(":/images/download_wait.png"));
        DownloadListRows::setWarningMark(row, false);
        DownloadListRows::setProgress(row, 0);
        DownloadListRows::setMessage(row, QString());
        return true;
    });
    if (bChanged)
        emit signalPauseUnpauseFiles();
    for (const QString &name : qAsConst(refused))
        refuseDownloadAgain(name);
}

void MainWindow::slotMoveUpFiles()
{
    if (!moveSelectedFiles(treeWidgetDownloadList, true))
        return;
    emit signalPauseUnpauseFiles();
}

void MainWindow::slotMoveDownFiles()
{
    if (!moveSelectedFiles(treeWidgetDownloadList, false))
        return;
    emit signalPauseUnpauseFiles();
}

void MainWindow::slotMoveUpNzb()
{
    if (moveSelectedNzbs(treeWidgetDownloadList, true))
        slotDownloadListItemMoved();
}

void MainWindow::slotMoveDownNzb()
{
    if (moveSelectedNzbs(treeWidgetDownloadList, false))
        slotDownloadListItemMoved();
}

// The manager takes the list's order as the queue's and numbers the queue anew; the records
// follow.
void MainWindow::slotDownloadListItemMoved()
{
    QTreeWidget *list = treeWidgetDownloadList;
    QLOG_INFO() << tr("NZB download list reordered by user");
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows.append(list->topLevelItem(i));
    emit signalReorderNzbList(rows);
    QThread::msleep(kReorderPauseMs);
    AppConfiguration::getInstance()->nzbConfiguration.saveAllInBackground();
    slotDownloadListItemSelectionChanged();
}

void MainWindow::slotUnrarToDoOnNzb()
{
    setExtraction(treeWidgetDownloadList, true);
}

void MainWindow::slotUnrarNotToDoOnNzb()
{
    setExtraction(treeWidgetDownloadList, false);
}

// Shown as typed: the user checks what the archive will be opened with.
void MainWindow::slotUnrarPassword()
{
    NzbFiles *nzb = singleSelectedNzb(treeWidgetDownloadList);
    if (!nzb)
        return;
    bool bOk = false;
    const QString strPassword = QInputDialog::getText(this, tr("Password"), tr("Password of the archive :"),
                                                      QLineEdit::Normal, nzb->strArchivePassword, &bOk);
    if (bOk)
        nzb->strArchivePassword = strPassword;
}

void MainWindow::slotKeepPar2Files()
{
    NzbFiles *nzb = singleSelectedNzb(treeWidgetDownloadList);
    if (!nzb || refuseWhileCleaning(nzb))
        return;
    nzb->bKeepPar2Files = !nzb->bKeepPar2Files;
    if (actionKeepPar2Files)
        actionKeepPar2Files->setText(nzb->bKeepPar2Files ? tr("Do not keep PAR2 file(s)") : tr("Keep PAR2 file(s)"));
}

// The download folder stays; the files go to the new destination at the clean-up. Once the NZB
// is complete its extraction writes into the destination it had: from then on it stays.
void MainWindow::slotModifyDestinationDirectory()
{
    NzbFiles *nzb = singleSelectedNzb(treeWidgetDownloadList);
    if (!nzb || refuseWhilePostProcessing(nzb))
        return;
    const QString strFolder = QFileDialog::getExistingDirectory(this, tr("Choose Destination directory"),
                                                                nzb->getDestination(), QFileDialog::ShowDirsOnly);
    if (strFolder.trimmed().isEmpty() || refuseWhilePostProcessing(nzb))
        return;
    nzb->setDestination(strFolder, AppConfiguration::getInstance()->autoCreateSubFolderInDestination);
    nzb->pTreeItem->setText(DownloadListRows::ColumnDestination, nzb->getDestination());
}

// The destination's sub-folder follows the new title; a title that leaves no usable folder
// name (only dots, say) gets the model's fixed folder name, never one above the destination.
void MainWindow::slotModifyNzbTitle()
{
    NzbFiles *nzb = singleSelectedNzb(treeWidgetDownloadList);
    if (!nzb || refuseWhilePostProcessing(nzb))
        return;
    bool bOk = false;
    const QString strText = QInputDialog::getText(this, tr("NZB title"), tr("New NZB title :"), QLineEdit::Normal,
                                                  nzb->strName, &bOk);
    if (!bOk || refuseWhilePostProcessing(nzb))
        return;
    const QString strTitle = cleanTitle(strText);
    if (strTitle.isEmpty())
        return;
    nzb->strName = strTitle;
    nzb->updateDestinationSubFolder(AppConfiguration::getInstance()->autoCreateSubFolderInDestination);
    nzb->pTreeItem->setText(DownloadListRows::ColumnSubject, nzb->strName);
    nzb->pTreeItem->setText(DownloadListRows::ColumnDestination, nzb->getDestination());
}

// A finished NZB opens where its files went; one still downloading or post-processing opens
// its working folder. One window per NZB.
void MainWindow::slotOpenDownloadDestinationFolder()
{
    const QList<QTreeWidgetItem *> selected = selectedRows(treeWidgetDownloadList, false);
    if (selected.isEmpty())
        return;
    const QSet<QTreeWidgetItem *> rows(selected.cbegin(), selected.cend());
    QStringList folders;
    for (NzbFiles *nzb : queueCopy()) {
        if (!rows.contains(nzb->pTreeItem))
            continue;
        if (nzb->bCleaned)
            folders.append(nzb->getDestination());
        else if (nzb->isAnyFileDecoded())
            folders.append(nzb->strDownloadFolder);
    }
    for (const QString &folder : qAsConst(folders))
        openFolder(folder);
}
