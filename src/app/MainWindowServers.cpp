// The server table, the connections table, adding and changing servers, pause and delayed
// pause, and the bandwidth limit.
//
// TODO(servers): everything in this file.
#include "app/MainWindow.h"

#include "QsLog/QsLog.h"

// TODO(servers): fill the server table, the button signal mapper, the connection table.
void MainWindow::initServersTables()
{
}

void MainWindow::pushButtonStartStopServer(int iRow)
{
    Q_UNUSED(iRow);
}

// TODO(servers): one connection row per thread id; hashServerThreads and hashThreadRows.
void MainWindow::addServerThreadsRows(QList<quint32> listThreadIds, NntpServer *pServer)
{
    Q_UNUSED(listThreadIds);
    Q_UNUSED(pServer);
}

void MainWindow::slotThreadsStopped(QList<quint32> listThreadIds, int iTag)
{
    Q_UNUSED(listThreadIds);
    Q_UNUSED(iTag);
}

void MainWindow::slotThreadIdle(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadWorking(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadPaused(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadCurrentSpeedBytesPerSec(quint64 uiSpeed, quint32 uiThreadId)
{
    Q_UNUSED(uiSpeed);
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadBody(QString strMessageId, quint32 uiThreadId)
{
    Q_UNUSED(strMessageId);
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadConnect(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadDisconnect(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadGetGroups(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadSelectGroup(QString strGroup, quint32 uiThreadId)
{
    Q_UNUSED(strGroup);
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadStat(QString strMessage, quint32 uiThreadId)
{
    Q_UNUSED(strMessage);
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadHelp(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadCapabilities(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadDate(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadErrorConnect(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage)
{
    Q_UNUSED(uiThreadId);
    Q_UNUSED(pSegment);
    Q_UNUSED(strMessage);
}

void MainWindow::slotThreadSegmentIsMissing(quint32 uiThreadId, NzbSegment *pSegment)
{
    Q_UNUSED(uiThreadId);
    Q_UNUSED(pSegment);
}

void MainWindow::slotAddNewServer()
{
}

void MainWindow::slotModifyServer()
{
}

void MainWindow::slotDeleteServer()
{
}

void MainWindow::slotCellDoubleClicked(int iRow, int iColumn)
{
    Q_UNUSED(iRow);
    Q_UNUSED(iColumn);
}

void MainWindow::slotAddNewServerFromImport(QList<NntpServer *> listServers)
{
    Q_UNUSED(listServers);
}

void MainWindow::slotWizardAccepted()
{
}

void MainWindow::slotLabelInfoStartServerBlink()
{
}

void MainWindow::slotPausePlayThreads()
{
}

void MainWindow::slotDifferedPausedClick()
{
}

void MainWindow::slotPausedTick()
{
}

void MainWindow::createDelayedPauseMenu()
{
}

void MainWindow::resetDelayedPauseFonts()
{
}

void MainWindow::slotLimitBandwidthValueChanged(int iValue)
{
    Q_UNUSED(iValue);
}

void MainWindow::slotManualLimitBandwidthEditingFinished()
{
}

// The manager has paused every connection because segment files cannot be written (disk full,
// Cache folder gone). TODO(servers): show the pause button as paused and the reason to the user.
void MainWindow::slotDownloadsPaused(QString strReason)
{
    bPaused = true;
    QLOG_ERROR() << strReason;
}
