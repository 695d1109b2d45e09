// The end of an NZB: its post-processing stages shown in its row, then the clean-up that moves
// its files into the destination, and the report of how that went.
#include "app/MainWindow.h"

#include "app/DownloadListRows.h"
#include "app/DownloadListTreeWidget.h"
#include "config/AppConfiguration.h"
#include "model/NzbFiles.h"
#include "postprocess/ThreadClean.h"
#include "QsLog/QsLog.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace {

using Rows = DownloadListRows;

// The post-processing reports concern a live NZB with files and a row.
QTreeWidgetItem *postProcessingRow(const NzbFiles *nzb)
{
    if (!nzb || nzb->bDeleted || nzb->getFileCount() == 0)
        return nullptr;
    return nzb->pTreeItem;
}

void showStage(QTreeWidgetItem *row, const QString &message, const char *image = nullptr)
{
    Rows::setMessage(row, message);
    if (image)
        Rows::setIcon(row, QLatin1String(image));
}

} // namespace

void MainWindow::slotDownloadListPar2Progress(QString strStatus, NzbFiles *pNzbFiles)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    if (strStatus.isEmpty()) {
        showStage(row, tr("PAR2 parity test..."), ":/images/par2.png");
        QLOG_INFO() << tr("PAR2 parity test of %1...").arg(pNzbFiles->strName);
    } else {
        showStage(row, tr("PAR2 parity test: %1").arg(strStatus), ":/images/par2.png");
    }
}

void MainWindow::slotDownloadListPar2Finished(QString strMessage, QString strBlocksNeeded, NzbFiles *pNzbFiles)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    showStage(row, tr("%1, %2 block(s) needed").arg(strMessage, strBlocksNeeded));
    QLOG_INFO() << tr("PAR2 finished for %1: %2, %3 block(s) needed").arg(pNzbFiles->strName, strMessage, strBlocksNeeded);
}

void MainWindow::slotUnrarProgress(QString strPercent, NzbFiles *pNzbFiles)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    if (strPercent.isEmpty()) {
        showStage(row, tr("Unrar in progress..."), ":/images/winrar.png");
        QLOG_INFO() << tr("Unrar in progress for %1...").arg(pNzbFiles->strName);
    } else {
        showStage(row, tr("Unrar progress: %1").arg(strPercent), ":/images/winrar.png");
    }
}

void MainWindow::slotUnrarError(QString strMessage, NzbFiles *pNzbFiles)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    showStage(row, tr("Unrar error: %1").arg(strMessage));
    QLOG_ERROR() << tr("Unrar error for %1: %2").arg(pNzbFiles->strName, strMessage);
}

void MainWindow::slotUnrarNoFileFound(NzbFiles *pNzbFiles)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    showStage(row, tr("Unrar: no file found"));
    QLOG_INFO() << tr("Unrar: no file found for %1").arg(pNzbFiles->strName);
}

void MainWindow::slotUnrarFinished(NzbFiles *pNzbFiles, bool bSuccess)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    if (bSuccess) {
        showStage(row, tr("Unrar finished successfully"));
        QLOG_INFO() << tr("Unrar finished successfully for %1").arg(pNzbFiles->strName);
    } else {
        showStage(row, tr("Unrar finished with error(s)"));
        QLOG_ERROR() << tr("Unrar finished with error(s) for %1").arg(pNzbFiles->strName);
    }
}

void MainWindow::slotUnsplitStart(NzbFiles *pNzbFiles)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    showStage(row, tr("Unsplit in progress..."), ":/images/unsplit.png");
    QLOG_INFO() << tr("Unsplit in progress for %1...").arg(pNzbFiles->strName);
}

// A damaged volume header can announce no volume at all: then there is no percentage to show.
void MainWindow::slotUnsplitProgress(NzbFiles *pNzbFiles, quint32 uiPosCrt, quint32 uiPosTotal)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    if (uiPosTotal == 0) {
        showStage(row, tr("Unsplit in progress..."), ":/images/unsplit.png");
        return;
    }
    const quint64 percentage = qMin<quint64>(quint64(uiPosCrt) * 100 / uiPosTotal, 100);
    showStage(row, tr("Unsplit in progress: %1%").arg(percentage), ":/images/unsplit.png");
}

void MainWindow::slotUnsplitDone(NzbFiles *pNzbFiles, QString strError)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    if (strError.isEmpty()) {
        showStage(row, tr("Unsplit finished successfully"));
        QLOG_INFO() << tr("Unsplit finished successfully for %1...").arg(pNzbFiles->strName);
    } else {
        showStage(row, tr("Unsplit finished with error(s): %1").arg(strError));
        QLOG_ERROR() << tr("Unsplit finished with error(s) for %1: %2").arg(pNzbFiles->strName, strError);
    }
}

// Decoded files that are not there at the end make the NZB fail: it is not downloaded whole.
void MainWindow::noteFilesGone(NzbFiles *pNzbFiles, const ThreadClean &thread) const
{
    QString strGone;
    if (thread.isDownloadFolderGone())
        strGone = tr("the download folder %1 is gone").arg(pNzbFiles->strDownloadFolder);
    const QStringList files = thread.getFilesGone();
    if (!files.isEmpty())
        strGone = tr("%1 decoded file(s) gone from the download folder before the end: %2")
                      .arg(files.size())
                      .arg(files.join(QStringLiteral(", ")));
    if (strGone.isEmpty())
        return;
    QMutexLocker locker(&pNzbFiles->mutex);
    pNzbFiles->bPostProcessingSucceeded = false;
    if (!pNzbFiles->strPostProcessingProblem.isEmpty())
        strGone = pNzbFiles->strPostProcessingProblem + QStringLiteral("; ") + strGone;
    pNzbFiles->strPostProcessingProblem = strGone;
}

// Each file that stayed is logged with its reason; the row names the first few.
QString MainWindow::filesLeftBehindText(const NzbFiles *pNzbFiles, const ThreadClean &thread) const
{
    const int kNamedInRow = 3;
    const QStringList files = thread.getFilesNotMoved();
    const QString destination = pNzbFiles->getDestination();
    QStringList named;
    for (const QString &path : files) {
        const QString reason = thread.getReasonNotMoved(path);
        QLOG_ERROR() << tr("NZB %1: %2 could not be moved to %3: %4").arg(pNzbFiles->strName, path, destination, reason);
        if (named.size() < kNamedInRow)
            named << QFileInfo(path).fileName() + QStringLiteral(": ") + reason;
    }
    if (files.size() > kNamedInRow)
        named << tr("and %1 more").arg(files.size() - kNamedInRow);
    return tr("%1: %2 file(s) could not be moved to %3 (%4), they stay in %5")
        .arg(pNzbFiles->strName)
        .arg(files.size())
        .arg(destination, named.join(QStringLiteral("; ")), pNzbFiles->strDownloadFolder);
}

// Most downloads hold no split file: finding none is told, not reported as a failure.
void MainWindow::slotUnsplitNoFileFound(NzbFiles *pNzbFiles)
{
    QTreeWidgetItem *row = postProcessingRow(pNzbFiles);
    if (!row)
        return;
    showStage(row, tr("Unsplit: no split file found"));
    QLOG_INFO() << tr("Unsplit: no split file found for %1").arg(pNzbFiles->strName);
}

void MainWindow::slotDownloadListNzbFinished(NzbFiles *pNzbFiles)
{
    if (!pNzbFiles || pNzbFiles->bDeleted)
        return;
    if (pNzbFiles->pTreeItem) {
        Rows::setIcon(pNzbFiles->pTreeItem, QStringLiteral(":/images/clean_balai.png"));
        Rows::setMessage(pNzbFiles->pTreeItem, tr("Cleaning ") + pNzbFiles->strName);
    }
    auto *thread = new ThreadClean(this);
    thread->pNzbFiles = pNzbFiles;
    listThreadClean.append(thread);
    connect(thread, SIGNAL(signalCleanDone(NzbFiles*)), this, SLOT(slotDownloadListNzbFinishedAndCleaned(NzbFiles*)));
    thread->start(QThread::InheritPriority);
}

void MainWindow::slotDownloadListNzbFinishedAndCleaned(NzbFiles *pNzbFiles)
{
    ThreadClean *thread = nullptr;
    for (ThreadClean *candidate : qAsConst(listThreadClean)) {
        if (candidate->pNzbFiles == pNzbFiles) {
            thread = candidate;
            break;
        }
    }
    if (thread) {
        disconnect(thread, SIGNAL(signalCleanDone(NzbFiles*)), this, SLOT(slotDownloadListNzbFinishedAndCleaned(NzbFiles*)));
        listThreadClean.removeAll(thread);
        // The signal is sent at the very end of the run: the thread has nothing left to do.
        thread->wait();
    }
    if (pNzbFiles)
        reportCleanDone(pNzbFiles, thread);
    if (thread)
        thread->deleteLater();
    slotDownloadListItemSelectionChanged();
}

// What the clean-up could not do keeps the NZB's record, so that nothing of it is forgotten;
// an NZB removed while it was cleaned has no row left to show anything in.
void MainWindow::reportCleanDone(NzbFiles *pNzbFiles, const ThreadClean *thread)
{
    const bool bDestinationCreated = !thread || thread->isDestinationCreated();
    const bool bFilesLeftBehind = thread && thread->hasFilesLeftBehind();
    if (thread) {
        for (const QString &path : thread->getFilesRenamed())
            QLOG_WARN() << tr("NZB %1: a file of that name was already in the destination, kept as %2")
                               .arg(pNzbFiles->strName, path);
        noteFilesGone(pNzbFiles, *thread);
    }
    QString strFailure;
    if (!bDestinationCreated)
        strFailure = tr("%1: the destination folder %2 could not be created, the files stay in %3")
                         .arg(pNzbFiles->strName, pNzbFiles->getDestination(), pNzbFiles->strDownloadFolder);
    else if (bFilesLeftBehind)
        strFailure = filesLeftBehindText(pNzbFiles, *thread);
    if (strFailure.isEmpty())
        AppConfiguration::getInstance()->nzbConfiguration.deleteInBackground(pNzbFiles);
    else
        QLOG_ERROR() << strFailure;

    const bool bDeleted = pNzbFiles->bDeleted || !pNzbFiles->pTreeItem;
    if (!bDeleted) {
        QTreeWidgetItem *row = pNzbFiles->pTreeItem;
        Rows::setProgress(row, 100);
        strLastFinishedDestination = pNzbFiles->getDestination();
        if (!strFailure.isEmpty()) {
            Rows::setIcon(row, QStringLiteral(":/images/download_warning.png"));
            Rows::setMessage(row, strFailure);
            showTrayMessage(tr("Error"), strFailure, QSystemTrayIcon::Critical);
        } else if (!pNzbFiles->bPostProcessingSucceeded) {
            // The row says why, when the post-processing knows.
            const QString why = pNzbFiles->strPostProcessingProblem.isEmpty()
                                    ? QString()
                                    : QStringLiteral(": ") + pNzbFiles->strPostProcessingProblem;
            QLOG_ERROR() << tr("NZB %1 has been downloaded with error(s)").arg(pNzbFiles->strName) + why;
            Rows::setIcon(row, QStringLiteral(":/images/download_warning.png"));
            const QString text = pNzbFiles->strName + tr(" has been downloaded with error(s)") + why;
            Rows::setMessage(row, text);
            showTrayMessage(tr("Error"), text, QSystemTrayIcon::Critical);
        } else {
            QLOG_INFO() << tr("NZB %1 has been successfully downloaded").arg(pNzbFiles->strName);
            Rows::setSubjectColour(row, Qt::darkGreen);
            Rows::setIcon(row, QStringLiteral(":/images/download_ok.png"));
            const QString text = pNzbFiles->strName + tr(" has been successfully downloaded");
            Rows::setMessage(row, text);
            showTrayMessage(tr("Information"), text, QSystemTrayIcon::Information);
        }
    }
    pNzbFiles->bCleaned = true;
}
