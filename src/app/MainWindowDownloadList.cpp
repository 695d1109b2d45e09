// The download list: the tree, its rows, the download events shown in them, the enabling of
// the commands by the selection, and the removal of rows.
#include "app/MainWindow.h"

#include "app/DownloadListRows.h"
#include "widgets/AppVersion.h"
#include "app/DownloadListTreeWidget.h"
#include "app/DownloadListWidgetDelegate.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "QsLog/QsLog.h"

#include "ui_MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHash>
#include <QMessageBox>
#include <QSet>
#include <QSplitter>
#include <QTimer>

namespace {

using Rows = DownloadListRows;

const char *const kDownloadListStyle =
    "QTreeWidget#treeWidgetDownloadList { border: 0px solid gray; border-radius: 10px;background-attachment: fixed; "
    "background-clip: border; background-origin: content; background-color:#FFFFFF; background-image: "
    "url(:/images/Download_256x256.png); background-repeat: no-repeat; background-position: bottom right; }";

// The first child of `parent` of the class (compared in lower case) and, when given, the name.
QObject *findChildOf(const QObject *parent, const char *className, const QString &name = QString())
{
    if (!parent)
        return nullptr;
    for (QObject *child : parent->children()) {
        if (QString::fromLatin1(child->metaObject()->className()).toLower() != QLatin1String(className))
            continue;
        if (name.isEmpty() || child->objectName() == name)
            return child;
    }
    return nullptr;
}

// The grid of frame_5, inside the splitter that the constructor put into "frame".
QGridLayout *downloadListPlace(QWidget *page)
{
    const QObject *frame = findChildOf(page, "qframe", QStringLiteral("frame"));
    if (!frame)
        return nullptr;
    for (QObject *child : frame->children()) {
        if (QString::fromLatin1(child->metaObject()->className()).toLower() != QLatin1String("qsplitter"))
            continue;
        const QObject *frame5 = findChildOf(child, "qframe", QStringLiteral("frame_5"));
        if (auto *grid = qobject_cast<QGridLayout *>(findChildOf(frame5, "qgridlayout", QStringLiteral("gridLayout_4"))))
            return grid;
    }
    return nullptr;
}

QTreeWidgetItem *newRow()
{
    auto *row = new QTreeWidgetItem;
    row->setFlags(row->flags() & ~(Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled));
    return row;
}

void setSizeText(QTreeWidgetItem *row, const QString &text)
{
    row->setText(Rows::ColumnSize, text);
    row->setData(Rows::ColumnSize, Qt::TextAlignmentRole, int(Qt::AlignRight));
}

// What the segment and file events may touch: a live NZB, a file still in it, and its row.
bool isShownFile(const NzbFile *file)
{
    if (!file || file->bExcluded || !file->pTreeItem)
        return false;
    const NzbFiles *nzb = file->getNzbFiles();
    return nzb && !nzb->bDeleted;
}

// `arriving`: a segment reported before it is counted, whose share is shown with the rest.
void showPercentages(NzbFile *file, const NzbSegment *arriving = nullptr)
{
    const bool counted = !arriving || arriving->isCredited();
    Rows::setProgress(file->pTreeItem, Rows::filePercentage(file, counted ? 0 : 1));
    NzbFiles *nzb = file->getNzbFiles();
    if (nzb->pTreeItem)
        Rows::setProgress(nzb->pTreeItem, Rows::nzbPercentage(nzb, counted ? 0 : arriving->getBytesValue()));
}

void showWarning(NzbFile *file, const QString &message)
{
    if (!file->bPaused)
        Rows::setIcon(file->pTreeItem, QStringLiteral(":/images/download_warning.png"));
    Rows::setWarningMark(file->pTreeItem, true);
    Rows::setMessage(file->pTreeItem, message);
}

void showMessageInNzbRow(NzbFile *file, const QString &message)
{
    if (QTreeWidgetItem *parent = file->pTreeItem->parent())
        Rows::setMessage(parent, message);
}

} // namespace

void MainWindow::initDownloadList()
{
    treeWidgetDownloadList = new DownloadListTreeWidget(this);
    DownloadListTreeWidget *list = treeWidgetDownloadList;
    list->setObjectName(QStringLiteral("treeWidgetDownloadList"));
    list->setFont(QFont(QStringLiteral("Arial"), 10));
    list->setFrameShape(QFrame::StyledPanel);
    list->setFrameShadow(QFrame::Sunken);
    list->setLineWidth(1);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setDragEnabled(true);
    list->setDragDropMode(QAbstractItemView::InternalMove);
    list->setDefaultDropAction(Qt::MoveAction);
    list->setAlternatingRowColors(false);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setColumnCount(Rows::ColumnCount);
    list->setHeaderLabels({tr("Subject"), tr("Progress"), tr("Size"), tr("File date"), tr("Destination directory"),
                           tr("Messages")});
    list->setStyleSheet(QLatin1String(kDownloadListStyle));
    list->setItemDelegate(new DownloadListWidgetDelegate(list));

    connect(list, SIGNAL(signalItemPositionChanged()), this, SLOT(slotDownloadListItemMoved()));
    connect(list, SIGNAL(signalItemDelete()), this, SLOT(slotDownloadListSupprEvent()));
    connect(list, SIGNAL(itemSelectionChanged()), this, SLOT(slotDownloadListItemSelectionChanged()));
    list->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(ui->pushButtonPlayFile, SIGNAL(clicked()), this, SLOT(slotUnpauseSelectedFiles()));
    connect(ui->pushButtonPauseFile, SIGNAL(clicked()), this, SLOT(slotPauseSelectedFiles()));
    connect(ui->pushButtonRedownloadFiles, SIGNAL(clicked()), this, SLOT(slotRedownloadSelectedFiles()));
    connect(ui->pushButtonDeleteFiles, SIGNAL(clicked()), this, SLOT(slotDownloadListFilesItemDelete()));

    const struct {
        QAction **member;
        const char *image;
        QString text;
        const char *slot;
    } actions[] = {
        {&actionRedownloadFiles, ":/images/download_again.png", tr("Redownload file(s)"), SLOT(slotRedownloadSelectedFiles())},
        {&actionUnpauseFiles, ":/images/Play.png", tr("Unpause selected files"), SLOT(slotUnpauseSelectedFiles())},
        {&actionPauseFiles, ":/images/download_pause.png", tr("Pause selected files"), SLOT(slotPauseSelectedFiles())},
        {&actionDeleteFiles, ":/images/Crystal_Clear_action_button_cancel.png", tr("Delete selected files"),
         SLOT(slotDownloadListFilesItemDelete())},
        {&actionSeparatorDownloadList, nullptr, QString(), nullptr},
        {&actionUnrarToDo, ":/images/winrar.png", tr("Uncompress"), SLOT(slotUnrarToDoOnNzb())},
        {&actionUnrarNotToDo, ":/images/notwinrar.png", tr("Do not uncompress"), SLOT(slotUnrarNotToDoOnNzb())},
        {&actionUnrarPassword, ":/images/winrarpassword.png", tr("Password of the archive"), SLOT(slotUnrarPassword())},
        {&actionModifyDestination, ":/images/Destinations.png", tr("Modify Destination directory"),
         SLOT(slotModifyDestinationDirectory())},
        {&actionModifyNzbTitle, ":/images/modify.png", tr("Modify NZB title"), SLOT(slotModifyNzbTitle())},
        {&actionDeleteNzb, ":/images/Crystal_Clear_action_button_cancel.png", tr("Delete selected NZB"),
         SLOT(slotDownloadListNzbItemDelete())},
        {&actionKeepPar2Files, nullptr, tr("Keep PAR2 file(s)"), SLOT(slotKeepPar2Files())},
    };
    for (const auto &entry : actions) {
        auto *action = new QAction(list);
        if (!entry.slot) {
            action->setSeparator(true);
        } else {
            if (entry.image)
                action->setIcon(QIcon(QLatin1String(entry.image)));
            action->setText(entry.text);
            connect(action, SIGNAL(triggered()), this, entry.slot);
            action->setEnabled(false);
        }
        *entry.member = action;
        list->addAction(action);
    }

    if (QGridLayout *grid = downloadListPlace(ui->tabServersDownload))
        grid->addWidget(list, 0, 0, 1, 1);
}

void MainWindow::createNzbItems(NzbFiles *pNzbFiles)
{
    if (!pNzbFiles)
        return;
    showNzbRow(buildNzbRow(pNzbFiles, nullptr));
}

// The NZB's row with one row per file, built outside the list: a row added to the list costs the
// list's own bookkeeping at each step, one built aside only its own. With a `slice` the window
// handles its events between slices of rows (answerBetweenSteps), so that an NZB of hundreds of
// thousands of files never holds it; null when the exit began meanwhile (the rows are dropped).
QTreeWidgetItem *MainWindow::buildNzbRow(NzbFiles *pNzbFiles, QElapsedTimer *slice)
{
    auto *nzbRow = newRow();
    pNzbFiles->pTreeItem = nzbRow;
    if (pNzbFiles->bPasswordProtected) {
        Rows::setSubjectColour(nzbRow, Qt::red);
        Rows::setIcon(nzbRow, QStringLiteral(":/images/Key.png"));
    } else {
        Rows::setIcon(nzbRow, QStringLiteral(":/images/download_nzb.png"));
    }
    nzbRow->setText(Rows::ColumnSubject, pNzbFiles->strName);
    Rows::setWarningMark(nzbRow, false);
    Rows::setProgress(nzbRow, Rows::nzbPercentage(pNzbFiles));
    setSizeText(nzbRow, formatSize(double(pNzbFiles->uiTotalSize >> 10)));
    nzbRow->setText(Rows::ColumnDestination, pNzbFiles->getDestination());
    nzbRow->setIcon(Rows::ColumnDestination, Rows::icon(Rows::extractionImage(pNzbFiles)));
    Rows::setMessage(nzbRow, QString());

    const QList<NzbFile *> files = pNzbFiles->getFiles();
    for (NzbFile *file : files) {
        QTreeWidgetItem *fileRow = newRow();
        fileRow->setFlags(fileRow->flags() | Qt::ItemIsSelectable);
        nzbRow->addChild(fileRow);
        file->pTreeItem = fileRow;
        fileRow->setText(Rows::ColumnSubject, Rows::displaySubject(file->getSubject()));
        Rows::setIcon(fileRow, Rows::fileStateImage(file));
        Rows::setWarningMark(fileRow, false);
        Rows::setProgress(fileRow, Rows::filePercentage(file));
        setSizeText(fileRow, formatSize(double(file->uiSize >> 10)));
        fileRow->setText(Rows::ColumnDate, file->getDateString());
        fileRow->setData(Rows::ColumnDate, Qt::TextAlignmentRole, int(Qt::AlignRight));
        // No empty message is stored: the column holds nothing until there is a message, one
        // value less to keep for each of hundreds of thousands of rows.

        if (slice && !answerBetweenSteps(*slice)) {
            dropNzbRows(pNzbFiles, nzbRow);
            return nullptr;
        }
    }
    return nzbRow;
}

// Once the window has been held for a slice of an addition, it handles its events; false once
// the exit has begun. Not while the NZB files of the command line are read (see
// loadNzbFromArguments).
bool MainWindow::answerBetweenSteps(QElapsedTimer &slice)
{
    if (!bReadingStartArguments && slice.elapsed() >= kAnswerSliceMs) {
        QCoreApplication::processEvents();
        slice.restart();
    }
    return !bClosing;
}

// Rows that never reached the list: the model forgets them before they go.
void MainWindow::dropNzbRows(NzbFiles *pNzbFiles, QTreeWidgetItem *nzbRow)
{
    pNzbFiles->pTreeItem = nullptr;
    for (NzbFile *file : pNzbFiles->getFiles())
        file->pTreeItem = nullptr;
    delete nzbRow;
}

// Into the list at its end, in one step; the subject column is fitted to the rows once the
// additions of the moment are done.
void MainWindow::showNzbRow(QTreeWidgetItem *nzbRow)
{
    treeWidgetDownloadList->addTopLevelItem(nzbRow);
    if (bSubjectColumnFitPending)
        return;
    bSubjectColumnFitPending = true;
    QTimer::singleShot(0, this, [this] {
        bSubjectColumnFitPending = false;
        treeWidgetDownloadList->resizeColumnToContents(Rows::ColumnSubject);
    });
}

void MainWindow::slotDownloadListSegmentDownloadOK(NzbSegment *pSegment)
{
    NzbFile *file = pSegment ? pSegment->getNzbFile() : nullptr;
    if (!isShownFile(file))
        return;
    // The manager reports the segment before it counts it: without its share, the rows of a
    // download that has all its articles would stay short of what the totals say.
    showPercentages(file, pSegment);
    if (!Rows::hasWarningMark(file->pTreeItem) && !file->bPaused)
        Rows::setIcon(file->pTreeItem, QStringLiteral(":/images/download_downloading.png"));
}

void MainWindow::slotDownloadListSegmentDownloadException(NzbSegment *pSegment, QString strMessage)
{
    NzbFile *file = pSegment ? pSegment->getNzbFile() : nullptr;
    if (!isShownFile(file))
        return;
    Rows::setMessage(file->pTreeItem, strMessage);
    QLOG_WARN() << tr("Segment %1 (Number %2 of NZB %3): %4")
                       .arg(pSegment->getMessageId(), pSegment->getNumber(), file->getSubject(), strMessage);
    showMessageInNzbRow(file, strMessage);
}

void MainWindow::slotDownloadListSegmentIsMissing(NzbSegment *pSegment)
{
    NzbFile *file = pSegment ? pSegment->getNzbFile() : nullptr;
    if (!isShownFile(file))
        return;
    showPercentages(file);
    showWarning(file, tr("Segment %1 is missing").arg(pSegment->getNumber()));
    QLOG_WARN() << tr("Segment %1 (Number %2 of NZB %3) is missing")
                       .arg(pSegment->getMessageId(), pSegment->getNumber(), file->getSubject());
    showMessageInNzbRow(file, tr("%1: segment %2 is missing")
                                  .arg(file->pTreeItem->text(Rows::ColumnSubject), pSegment->getNumber()));
}

void MainWindow::slotDownloadListSegmentFailedToCreateFile(NzbSegment *pSegment, QString strMessage)
{
    NzbFile *file = pSegment ? pSegment->getNzbFile() : nullptr;
    if (!isShownFile(file))
        return;
    showPercentages(file);
    showWarning(file, strMessage);
    QLOG_ERROR() << tr("Failed to create file for segment %1 (Number %2 of NZB %3)")
                        .arg(pSegment->getMessageId(), pSegment->getNumber(), file->getSubject());
    showMessageInNzbRow(file, strMessage);
}

void MainWindow::slotDownloadListFileDecoded(NzbFile *pNzbFile)
{
    NzbFiles *nzb = pNzbFile ? pNzbFile->getNzbFiles() : nullptr;
    if (!nzb || nzb->bDeleted || pNzbFile->bExcluded)
        return;
    QLOG_INFO() << tr("File %1 of NZB %2 decoded").arg(pNzbFile->getSubject(), nzb->strName);
    if (nzb->bPasswordProtected) {
        QLOG_WARN() << tr("NZB %1 requires a password in order to extract the archive !").arg(nzb->strName);
        if (nzb->pTreeItem) {
            Rows::setSubjectColour(nzb->pTreeItem, Qt::red);
            Rows::setIcon(nzb->pTreeItem, QStringLiteral(":/images/Key.png"));
        }
    }
    if (!pNzbFile->pTreeItem)
        return;
    Rows::setProgress(pNzbFile->pTreeItem, 100);
    if (!Rows::hasWarningMark(pNzbFile->pTreeItem))
        Rows::setIcon(pNzbFile->pTreeItem, QStringLiteral(":/images/download_ok.png"));
    if (nzb->pTreeItem)
        Rows::setProgress(nzb->pTreeItem, Rows::nzbPercentage(nzb));
    // Progress is written within seconds, together with the files decoded meanwhile; the
    // record of an NZB downloaded whole goes at once.
    NzbConfiguration &queue = AppConfiguration::getInstance()->nzbConfiguration;
    if (nzb->isAllFilesDecoded())
        queue.saveInBackground(nzb);
    else
        queue.scheduleSave(nzb);
}

void MainWindow::slotDownloadListFileWarning(NzbFile *pNzbFile, QString strWarning)
{
    if (!isShownFile(pNzbFile))
        return;
    showWarning(pNzbFile, strWarning);
    QLOG_WARN() << tr("File %1 of NZB %2: %3").arg(pNzbFile->getSubject(), pNzbFile->getNzbFiles()->strName, strWarning);
    showMessageInNzbRow(pNzbFile, strWarning);
}

void MainWindow::slotDownloadListFileResumed(NzbFile *pNzbFile)
{
    NzbFiles *nzb = pNzbFile ? pNzbFile->getNzbFiles() : nullptr;
    if (!nzb || nzb->bDeleted || pNzbFile->bExcluded)
        return;
    QLOG_INFO() << tr("File %1 of NZB %2 resumed").arg(pNzbFile->getSubject(), nzb->strName);
    if (!pNzbFile->pTreeItem)
        return;
    Rows::setIcon(pNzbFile->pTreeItem, QStringLiteral(":/images/download_downloading.png"));
    if (QTreeWidgetItem *parent = pNzbFile->pTreeItem->parent())
        Rows::setIcon(parent, QStringLiteral(":/images/download_nzb.png"));
    if (nzb->pTreeItem)
        Rows::setProgress(nzb->pTreeItem, Rows::nzbPercentage(nzb));
}

// The NZB's download folder cannot be used: it waits alone, and its row says why and what to do;
// or it goes on (an empty reason), perhaps in another folder, which its queue record must hold.
void MainWindow::slotNzbWaitsForFolder(NzbFiles *pNzbFiles, QString strFolder, QString strReason, bool bCanMove)
{
    if (!pNzbFiles || pNzbFiles->bDeleted)
        return;
    if (strReason.isEmpty()) {
        QLOG_INFO() << tr("NZB %1 goes on in the download folder %2").arg(pNzbFiles->strName, strFolder);
        if (pNzbFiles->pTreeItem) {
            Rows::setMessage(pNzbFiles->pTreeItem, QString());
            Rows::setIcon(pNzbFiles->pTreeItem, QStringLiteral(":/images/download_nzb.png"));
        }
        AppConfiguration::getInstance()->nzbConfiguration.scheduleSave(pNzbFiles);
        return;
    }
    const QString text =
        bCanMove ? tr("Waiting: the download folder %1 cannot be used: %2. Choose another Download folder in the "
                      "settings, or make this one usable: the download then goes on by itself.")
                       .arg(strFolder, strReason)
                 : tr("Waiting: the download folder %1 cannot be used: %2. Make it usable again: the download then "
                      "goes on by itself.")
                       .arg(strFolder, strReason);
    QLOG_ERROR() << tr("NZB %1: %2").arg(pNzbFiles->strName, text);
    if (pNzbFiles->pTreeItem) {
        Rows::setMessage(pNzbFiles->pTreeItem, text);
        Rows::setIcon(pNzbFiles->pTreeItem, QStringLiteral(":/images/download_warning.png"));
    }
}

void MainWindow::slotDownloadListItemSelectionChanged()
{
    const QList<QAction *> actions = {actionRedownloadFiles, actionUnpauseFiles, actionPauseFiles,
                                      actionDeleteFiles,     actionUnrarToDo,    actionUnrarNotToDo,
                                      actionUnrarPassword,   actionModifyDestination, actionModifyNzbTitle,
                                      actionDeleteNzb,       actionKeepPar2Files};
    const QList<QWidget *> nzbButtons = {ui->pushButtonDeleteSelNzb, ui->pushButtonMoveUpNzb, ui->pushButtonMoveDownNzb};
    const QList<QWidget *> fileButtons = {ui->pushButtonPlayFile,        ui->pushButtonPauseFile,
                                          ui->pushButtonRedownloadFiles, ui->pushButtonDeleteFiles,
                                          ui->pushButtonMoveUpFiles,     ui->pushButtonMoveDownFiles};
    for (QAction *action : actions)
        action->setEnabled(false);
    for (QWidget *button : nzbButtons + fileButtons)
        button->setEnabled(false);
    ui->pushButtonOpenDestinationFolder->setEnabled(false);

    const QList<QTreeWidgetItem *> nzbRows = treeWidgetDownloadList->selectedNzbRows();
    const QList<QTreeWidgetItem *> fileRows = treeWidgetDownloadList->selectedFileRows();
    if (!nzbRows.isEmpty()) {
        const QList<NzbFiles *> queue = DownloadNzbManager::getInstance()->listNzbFiles;
        const QSet<QTreeWidgetItem *> setNzbRows(nzbRows.cbegin(), nzbRows.cend());
        NzbFiles *first = nullptr;
        for (NzbFiles *nzb : queue) {
            if (!setNzbRows.contains(nzb->pTreeItem))
                continue;
            if (!first)
                first = nzb;
            if (nzb->bCleaned || nzb->isAnyFileDecoded()) {
                ui->pushButtonOpenDestinationFolder->setEnabled(true);
                break;
            }
        }
        const bool one = nzbRows.size() == 1;
        for (QAction *action : {actionUnrarToDo, actionUnrarNotToDo, actionDeleteNzb})
            action->setEnabled(true);
        for (QAction *action : {actionUnrarPassword, actionKeepPar2Files, actionModifyDestination, actionModifyNzbTitle})
            action->setEnabled(one);
        for (QWidget *button : nzbButtons)
            button->setEnabled(true);
        if (one && first)
            actionKeepPar2Files->setText(first->bKeepPar2Files ? tr("Do not keep PAR2 file(s)") : tr("Keep PAR2 file(s)"));
    }
    if (!fileRows.isEmpty()) {
        for (QAction *action : {actionRedownloadFiles, actionPauseFiles, actionUnpauseFiles, actionDeleteFiles})
            action->setEnabled(true);
        for (QWidget *button : fileButtons)
            button->setEnabled(true);
    }
}

void MainWindow::slotDownloadListSupprEvent()
{
    const bool nzbs = !treeWidgetDownloadList->selectedNzbRows().isEmpty();
    const bool files = !treeWidgetDownloadList->selectedFileRows().isEmpty();
    if (nzbs && files)
        QMessageBox::critical(this, tr("Tessaquill+"), tr("Please select either NZB(s) or file(s) to delete"),
                              QMessageBox::Ok);
    else if (files)
        slotDownloadListFilesItemDelete();
    else if (nzbs)
        slotDownloadListNzbItemDelete();
}

namespace {

// The download list's removal question: no parent, only the informative text, Ok by default.
bool confirmRemoval(const QString &question)
{
    QMessageBox box;
    box.setWindowTitle(AppVersion::displayName());
    box.setInformativeText(question);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Ok;
}

} // namespace

void MainWindow::slotDownloadListFilesItemDelete()
{
    const QList<QTreeWidgetItem *> rows = treeWidgetDownloadList->selectedFileRows();
    if (rows.isEmpty() || !confirmRemoval(tr("Do you want to remove the selected file(s)?"))
        || refuseRemovalWhileDecoding(rows))
        return;
    emit signalDeleteFileList(rows);
    QHash<QTreeWidgetItem *, QSet<QTreeWidgetItem *>> byNzbRow;
    for (QTreeWidgetItem *row : rows) {
        QLOG_INFO() << tr("File %1 removed from download list").arg(row->text(Rows::ColumnSubject));
        if (QTreeWidgetItem *parent = row->parent())
            byNzbRow[parent].insert(row);
        listRemovedRows.append(row);
    }
    // The file rows of each NZB row in one step.
    for (auto it = byNzbRow.cbegin(); it != byNzbRow.cend(); ++it)
        treeWidgetDownloadList->removeRows(it.key(), it.value());
    AppConfiguration::getInstance()->nzbConfiguration.saveAllInBackground();
    slotDownloadListItemSelectionChanged();
}

void MainWindow::slotDownloadListNzbItemDelete()
{
    const QList<QTreeWidgetItem *> rows = treeWidgetDownloadList->selectedNzbRows();
    if (rows.isEmpty() || !confirmRemoval(tr("Do you want to remove the selected NZB(s)?")))
        return;
    removeNzbRows(rows);
}

void MainWindow::slotDeleteNzbFinished()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < manager->listNzbFiles.size(); ++i) {
        const NzbFiles *nzb = manager->getNzbFilesAt(i);
        if (nzb && !nzb->bDeleted && nzb->bCleaned && nzb->pTreeItem)
            rows.append(nzb->pTreeItem);
    }
    if (!rows.isEmpty())
        removeNzbRows(rows);
}

// The manager drops the NZBs of these rows (it clears their row pointers), the rows leave the
// list (they stay alive: the model may still name them), and the saved queue follows.
void MainWindow::removeNzbRows(const QList<QTreeWidgetItem *> &rows)
{
    emit signalDeleteNzbList(rows);
    const QSet<QTreeWidgetItem *> removed(rows.cbegin(), rows.cend());
    for (QTreeWidgetItem *row : rows) {
        QLOG_INFO() << tr("NZB %1 removed from download list").arg(row->text(Rows::ColumnSubject));
        listRemovedRows.append(row);
    }
    // Out of the list in one step, the others in their order.
    treeWidgetDownloadList->removeRows(nullptr, removed);
    AppConfiguration::getInstance()->nzbConfiguration.saveAllInBackground();
    slotDownloadListItemSelectionChanged();
}
