// The download list: its rows, the events of the queue shown in them, and the roads by which
// NZB files reach the queue.
//
// TODO(queue): the download list widget and its rows, the row events, the add-NZB dialog and the
// history copy when an NZB file is added, drops, the history hand-over, and the clean-up of
// leftovers after an empty restored queue (only after a configuration that loaded).
#include "app/MainWindow.h"

#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "QsLog/QsLog.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMessageBox>

// TODO(queue): create the DownloadListTreeWidget "treeWidgetDownloadList" with its delegate,
// columns and context-menu actions, and place it in gridLayout_4 of frame_5.
void MainWindow::initDownloadList()
{
}

// TODO(queue): the NZB's row and one row per file.
void MainWindow::createNzbItems(NzbFiles *pNzbFiles)
{
    Q_UNUSED(pNzbFiles);
}

// Every NZB of the saved queue gets its rows first, then goes to the manager in the saved
// order; the manager resumes each where its record left it.
void MainWindow::restoreDownloadList()
{
    const QList<NzbFiles *> listSaved = AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles;
    for (NzbFiles *nzb : listSaved)
        createNzbItems(nzb);
    for (NzbFiles *nzb : listSaved) {
        QString strError;
        DownloadNzbManager::getInstance()->queueNzbFiles(nzb, strError);
    }
    // TODO(queue): with an empty saved queue, after a configuration that loaded, remove the
    // leftovers of earlier runs in the Cache folder and the record folder.
}

// TODO(queue): the add-NZB dialog when no destination is given and "AutoDownloadNzb" is off
// (until then the NZB goes to the default destination), and the copy into the NZB history.
void MainWindow::addNzbFile(const QString &strNzbPath, const QString &strNzbName, const QString &strDestination)
{
    // Once the exit has begun the engine is stopped for good: nothing more may reach it.
    if (bClosing)
        return;
    bringWindowForward();
    AppConfiguration *config = AppConfiguration::getInstance();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QString strError;
    NzbFiles *nzb = manager->loadNzbFile(strNzbPath, strError, strNzbName, QString());
    if (!nzb) {
        const QString text = tr("Error while importing NZB file: %1").arg(strError);
        QLOG_ERROR() << text;
        QMessageBox::critical(this, tr("Tessaquill+"), text, QMessageBox::Ok);
        return;
    }
    QLOG_INFO() << tr("Adding new NZB: %1...").arg(nzb->strName);
    nzb->bKeepPar2Files = config->autoKeepPar2Files;
    QLOG_INFO() << tr("NZB %1 added to download list").arg(nzb->strName);
    if (!strDestination.isEmpty())
        nzb->setDestination(strDestination, config->autoCreateSubFolderInDestination);
    nzb->sortFiles(false);
    createNzbItems(nzb);
    quint32 uiHighest = 0;
    for (const NzbFiles *saved : qAsConst(config->nzbConfiguration.listNzbFiles))
        uiHighest = qMax(uiHighest, quint32(saved->iQueueId));
    nzb->iQueueId = config->nzbConfiguration.listNzbFiles.isEmpty() ? 0 : qint32(uiHighest + 1);
    config->nzbConfiguration.listNzbFiles.append(nzb);
    config->nzbConfiguration.saveNzb(nzb);
    manager->queueNzbFiles(nzb, strError);
}

// From index 1: an NZB file by its suffix, in any letter case; anything else is logged.
void MainWindow::loadNzbFromArguments(const QStringList &listArguments)
{
    for (int i = 1; i < listArguments.size(); ++i)
        handleMessage(listArguments.at(i));
}

// One argument of a later start of the program, handled as one of the command line.
void MainWindow::handleMessage(const QString &strMessage)
{
    if (bClosing)
        return;
    const QFileInfo info(strMessage);
    if (info.suffix().toLower() != QLatin1String("nzb")) {
        QLOG_ERROR() << tr("Cannot load %1: bad suffix").arg(strMessage);
        return;
    }
    addNzbFile(strMessage, info.completeBaseName(), QString());
}

// TODO(queue): add the local files of the first 32 URLs, after the drop has been accepted.
void MainWindow::dropEvent(QDropEvent *event)
{
    event->ignore();
}

// TODO(queue): close the history window, add the file, then delete it.
void MainWindow::slotHistoryNzbFileToDownload(QString strNzbPath)
{
    Q_UNUSED(strNzbPath);
}

// TODO(queue): the progress and state of the rows.
void MainWindow::slotDownloadListSegmentDownloadOK(NzbSegment *pSegment)
{
    Q_UNUSED(pSegment);
}

void MainWindow::slotDownloadListSegmentDownloadException(NzbSegment *pSegment, QString strMessage)
{
    Q_UNUSED(pSegment);
    Q_UNUSED(strMessage);
}

void MainWindow::slotDownloadListSegmentIsMissing(NzbSegment *pSegment)
{
    Q_UNUSED(pSegment);
}

void MainWindow::slotDownloadListSegmentFailedToCreateFile(NzbSegment *pSegment, QString strMessage)
{
    Q_UNUSED(pSegment);
    Q_UNUSED(strMessage);
}

// TODO(queue): the row of a decoded file; the NZB's queue record is written.
void MainWindow::slotDownloadListFileDecoded(NzbFile *pNzbFile)
{
    Q_UNUSED(pNzbFile);
}

void MainWindow::slotDownloadListFileWarning(NzbFile *pNzbFile, QString strWarning)
{
    Q_UNUSED(pNzbFile);
    Q_UNUSED(strWarning);
}

void MainWindow::slotDownloadListFileResumed(NzbFile *pNzbFile)
{
    Q_UNUSED(pNzbFile);
}

// TODO(queue): one ThreadClean per finished NZB, kept in listThreadClean (the exit waits for
// every thread of that list); the end of the clean-up in slotDownloadListNzbFinishedAndCleaned,
// whose tray balloon goes through showTrayMessage().
void MainWindow::slotDownloadListNzbFinished(NzbFiles *pNzbFiles)
{
    Q_UNUSED(pNzbFiles);
}

void MainWindow::slotDownloadListNzbFinishedAndCleaned(NzbFiles *pNzbFiles)
{
    Q_UNUSED(pNzbFiles);
}

// TODO(queue): the post-processing display.
void MainWindow::slotDownloadListPar2Progress(QString strStatus, NzbFiles *pNzbFiles)
{
    Q_UNUSED(strStatus);
    Q_UNUSED(pNzbFiles);
}

void MainWindow::slotDownloadListPar2Finished(QString strMessage, QString strBlocksNeeded, NzbFiles *pNzbFiles)
{
    Q_UNUSED(strMessage);
    Q_UNUSED(strBlocksNeeded);
    Q_UNUSED(pNzbFiles);
}

void MainWindow::slotUnrarProgress(QString strPercent, NzbFiles *pNzbFiles)
{
    Q_UNUSED(strPercent);
    Q_UNUSED(pNzbFiles);
}

void MainWindow::slotUnrarFinished(NzbFiles *pNzbFiles, bool bSuccess)
{
    Q_UNUSED(pNzbFiles);
    Q_UNUSED(bSuccess);
}

void MainWindow::slotUnrarError(QString strMessage, NzbFiles *pNzbFiles)
{
    Q_UNUSED(strMessage);
    Q_UNUSED(pNzbFiles);
}

void MainWindow::slotUnrarNoFileFound(NzbFiles *pNzbFiles)
{
    Q_UNUSED(pNzbFiles);
}

void MainWindow::slotUnsplitStart(NzbFiles *pNzbFiles)
{
    Q_UNUSED(pNzbFiles);
}

void MainWindow::slotUnsplitProgress(NzbFiles *pNzbFiles, quint32 uiPosCrt, quint32 uiPosTotal)
{
    Q_UNUSED(pNzbFiles);
    Q_UNUSED(uiPosCrt);
    Q_UNUSED(uiPosTotal);
}

void MainWindow::slotUnsplitDone(NzbFiles *pNzbFiles, QString strError)
{
    Q_UNUSED(pNzbFiles);
    Q_UNUSED(strError);
}

// TODO(queue): selection and removal of rows.
void MainWindow::slotDownloadListItemSelectionChanged()
{
}

void MainWindow::slotDownloadListSupprEvent()
{
}

void MainWindow::slotDownloadListFilesItemDelete()
{
}

void MainWindow::slotDownloadListNzbItemDelete()
{
}

void MainWindow::slotDeleteNzbFinished()
{
}
