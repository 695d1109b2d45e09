// The connections table: one row per running news-server connection with its server, speed and
// what it is doing, as the download manager relays the connections' reports.
#include "app/MainWindow.h"

#include "QsLog/QsLog.h"
#include "widgets/SizeSpeedText.h"
#include "model/NntpServer.h"
#include "model/NzbSegment.h"

#include "ui_MainWindow.h"

#include <QTableWidget>
#include <QTime>

#include <algorithm>

namespace {

enum ThreadColumn { ServerColumn = 0, SpeedColumn = 1, StatusColumn = 2 };

// The cell of a connection's row; null for a connection without a row (its rows are gone: a
// late report must not reach another connection's row).
QTableWidgetItem *threadCell(const QTableWidget *table, const QHash<quint32, int> &rows, quint32 threadId, int column)
{
    const auto found = rows.constFind(threadId);
    if (found == rows.constEnd())
        return nullptr;
    return table->item(found.value(), column);
}

} // namespace

void MainWindow::addServerThreadsRows(QList<quint32> listThreadIds, NntpServer *pServer)
{
    if (listThreadIds.isEmpty() || !pServer)
        return;
    delete hashServerThreads.take(pServer->iId);
    hashServerThreads.insert(pServer->iId, new QList<quint32>(listThreadIds));
    QTableWidget *table = ui->tableWidgetServerThreads;
    const QIcon icon(pServer->bSsl ? QStringLiteral(":/images/lock.png") : QStringLiteral(":/images/unlock.png"));
    for (quint32 threadId : qAsConst(listThreadIds)) {
        table->insertRow(iThreadRowCount);
        hashThreadRows.insert(threadId, iThreadRowCount);
        auto *serverCell = new QTableWidgetItem(icon, QLatin1Char(' ') + pServer->strNickname + QLatin1Char(' '));
        serverCell->setData(Qt::UserRole, pServer->strNickname);
        table->setItem(iThreadRowCount, ServerColumn, serverCell);
        auto *speed = new QTableWidgetItem(QStringLiteral(" "));
        speed->setData(Qt::TextAlignmentRole, int(Qt::AlignRight | Qt::AlignVCenter));
        table->setItem(iThreadRowCount, SpeedColumn, speed);
        table->setItem(iThreadRowCount, StatusColumn, new QTableWidgetItem(QStringLiteral(" ")));
        ++iThreadRowCount;
    }
    table->resizeColumnToContents(ServerColumn);
}

// The rows of these connections go, from the lowest in the table up, and every row below each
// moves up; ids without a row are left alone.
void MainWindow::removeThreadRows(const QList<quint32> &listThreadIds)
{
    QList<int> rows;
    for (quint32 threadId : listThreadIds) {
        const auto found = hashThreadRows.find(threadId);
        if (found == hashThreadRows.end())
            continue;
        rows.append(found.value());
        hashThreadRows.erase(found);
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : qAsConst(rows)) {
        ui->tableWidgetServerThreads->removeRow(row);
        for (auto entry = hashThreadRows.begin(); entry != hashThreadRows.end(); ++entry) {
            if (entry.value() > row)
                --entry.value();
        }
        --iThreadRowCount;
    }
}

bool MainWindow::setThreadStatus(quint32 uiThreadId, const QString &strStatus)
{
    QTableWidgetItem *cell = threadCell(ui->tableWidgetServerThreads, hashThreadRows, uiThreadId, StatusColumn);
    if (!cell)
        return false;
    cell->setText(strStatus);
    // An error with its next attempt may be wider than the column.
    cell->setToolTip(strStatus.trimmed());
    return true;
}

void MainWindow::slotThreadIdle(quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Idle"));
}

void MainWindow::slotThreadWorking(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

void MainWindow::slotThreadPaused(quint32 uiThreadId)
{
    QString status = tr(" Paused");
    if (!strPausedCountdown.isEmpty())
        status += tr(" - Delay before thread starts: ") + strPausedCountdown;
    setThreadStatus(uiThreadId, status);
}

// Whole KiB per second, then the unit.
void MainWindow::slotThreadCurrentSpeedBytesPerSec(quint64 uiSpeed, quint32 uiThreadId)
{
    QTableWidgetItem *cell = threadCell(ui->tableWidgetServerThreads, hashThreadRows, uiThreadId, SpeedColumn);
    if (cell)
        cell->setText(SizeSpeedText::formatSpeed(double(uiSpeed / 1024)));
}

void MainWindow::slotThreadBody(QString strMessageId, quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Downloading ") + strMessageId);
}

void MainWindow::slotThreadConnect(quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Connecting to server"));
}

void MainWindow::slotThreadDisconnect(quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Disconnecting from server"));
}

void MainWindow::slotThreadGetGroups(quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Downloading Groups"));
}

void MainWindow::slotThreadSelectGroup(QString strGroup, quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Select group %1").arg(strGroup));
}

void MainWindow::slotThreadStat(QString strMessage, quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Stat %1").arg(strMessage));
}

void MainWindow::slotThreadHelp(quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Help"));
}

void MainWindow::slotThreadCapabilities(quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Capabilities"));
}

void MainWindow::slotThreadDate(quint32 uiThreadId)
{
    setThreadStatus(uiThreadId, tr(" Date"));
}

void MainWindow::slotThreadErrorConnect(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage)
{
    Q_UNUSED(pSegment);
    if (setThreadStatus(uiThreadId, QLatin1Char(' ') + strMessage))
        QLOG_ERROR() << threadLogLine(uiThreadId, strMessage);
}

// The row keeps the error of the connection's last attempt, and when it tries again, until
// that attempt begins.
void MainWindow::slotThreadConnectRetry(quint32 uiThreadId, QString strError, int iFailures, int iRetryMs)
{
    const QString nextAttempt = QTime::currentTime().addMSecs(iRetryMs).toString(QStringLiteral("HH:mm:ss"));
    const QString error = strError.trimmed();
    setThreadStatus(uiThreadId, iFailures > 1 ? tr(" %1 (failed %2 times in a row, next attempt at %3)")
                                                    .arg(error)
                                                    .arg(iFailures)
                                                    .arg(nextAttempt)
                                              : tr(" %1 (next attempt at %2)").arg(error, nextAttempt));
}

void MainWindow::slotThreadSegmentIsMissing(quint32 uiThreadId, NzbSegment *pSegment)
{
    if (!pSegment)
        return;
    const QString status = tr(" Segment is missing on server: %1").arg(pSegment->getMessageId());
    if (setThreadStatus(uiThreadId, status))
        QLOG_WARN() << threadLogLine(uiThreadId, status);
}

// A log line about a connection names it and its server.
QString MainWindow::threadLogLine(quint32 uiThreadId, const QString &strText) const
{
    const QTableWidgetItem *cell = threadCell(ui->tableWidgetServerThreads, hashThreadRows, uiThreadId, ServerColumn);
    const QString server = cell ? cell->data(Qt::UserRole).toString() : QString();
    return tr("Thread %1 (server %2): %3").arg(uiThreadId).arg(server, strText);
}
