// The one-second statistics tick: speeds, totals, time left, the speed chart, the tool tips,
// the server counters and the taskbar progress.
#include "app/MainWindow.h"

#include "app/DownloadListTreeWidget.h"
#include "widgets/SizeSpeedText.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFiles.h"
#include "platform/TaskbarProgress.h"

#include "ui_MainWindow.h"

#include <QStandardItemModel>
#include <QTreeWidget>

#include <climits>

namespace {

constexpr int kStatisticsIntervalMs = 1000;
enum InfoRow { CurrentSpeedRow = 0, AverageSpeedRow, DownloadedRow, ToDownloadRow, RemainingTimeRow };

struct Totals {
    quint64 downloaded = 0;
    quint64 toDownload = 0;

    void add(const NzbFiles *nzb)
    {
        const NzbFiles::ByteProgress progress = nzb->getByteProgress();
        downloaded += progress.downloaded;
        toDownload += progress.sizeToDownload;
    }
    quint64 percent() const { return toDownload == 0 ? 0 : downloaded * 100 / toDownload; }
    quint64 remaining() const { return downloaded < toDownload ? toDownload - downloaded : 0; }
};

void setInfo(QTableWidget *table, int row, const QString &text)
{
    if (QTableWidgetItem *item = table->item(row, 1))
        item->setText(text);
    else
        table->setItem(row, 1, new QTableWidgetItem(text));
}

} // namespace

// Time left for `bytes` at `averageSpeed` bytes per second; empty when either is 0.
QString MainWindow::remainingTimeText(quint64 bytes, quint64 averageSpeed)
{
    if (bytes == 0 || averageSpeed == 0)
        return QString();
    const quint64 seconds = bytes / averageSpeed;
    const quint64 hours = seconds / 3600;
    const quint64 minutes = (seconds % 3600) / 60;
    if (hours == 0 && minutes == 0)
        return tr(" < 1 minute");
    auto twoDigits = [](quint64 value) {
        return (value < 10 ? QStringLiteral("0") : QString()) + QString::number(value);
    };
    return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') + twoDigits(seconds % 60);
}

void MainWindow::slotCurrentSpeedDownload()
{
    timerSpeed.stop();
    if (bClosing)
        return;
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    AppConfiguration *config = AppConfiguration::getInstance();
    // A download folder made usable again (a file moved out of its way, a disk mounted) is
    // seen within a second.
    manager->retryNzbsWaitingForFolder();
    const quint64 speed = manager->uiTotalSpeed.load();
    if (config->autoDetectBandwidthLimit && speed > uiMaxSpeed) {
        uiMaxSpeed = speed;
        ui->verticalSliderBandwidth->setEnabled(true);
    }
    QTreeWidget *downloadList = treeWidgetDownloadList;
    const QList<QTreeWidgetItem *> selectedItems = downloadList ? downloadList->selectedItems() : QList<QTreeWidgetItem *>();
    QTableWidget *infos = ui->tableWidgetDownloadInfos;
    setInfo(infos, CurrentSpeedRow, formatSpeed(double(speed / 1024)));

    listSpeedHistory.prepend(speed);
    listSpeedHistory.removeLast();
    const int historySize = listSpeedHistory.size();
    for (int row = 0; row < modelSpeedChart->rowCount(); ++row) {
        const int sample = historySize - 1 - row;
        const quint64 value = sample >= 0 ? listSpeedHistory.at(sample) / 1024 : 0;
        modelSpeedChart->setData(modelSpeedChart->index(row, 1), QVariant::fromValue<quint64>(value), Qt::EditRole);
    }

    quint64 average = 0;
    if (listSpeedHistory.value(0) != 0 || listSpeedHistory.value(1) != 0 || listSpeedHistory.value(2) != 0) {
        quint64 sum = 0;
        for (quint64 sample : qAsConst(listSpeedHistory))
            sum += sample;
        average = sum / 30;
    }
    setInfo(infos, AverageSpeedRow, formatSpeed(double(average / 1024)));

    // The selection counts NZB rows only, each once, in queue order within the selection.
    const QList<NzbFiles *> queue = manager->listNzbFiles;
    QList<const NzbFiles *> selectedNzbs;
    for (const QTreeWidgetItem *item : selectedItems) {
        for (const NzbFiles *nzb : queue) {
            if (!nzb->bDeleted && nzb->pTreeItem == item && !selectedNzbs.contains(nzb))
                selectedNzbs.append(nzb);
        }
    }
    Totals all;
    for (const NzbFiles *nzb : queue) {
        if (!nzb->bDeleted)
            all.add(nzb);
    }
    Totals selection;
    for (const NzbFiles *nzb : qAsConst(selectedNzbs))
        selection.add(nzb);

    if (taskbarList) {
        if (!downloadList || downloadList->topLevelItemCount() == 0) {
            taskbarList->setProgressState(TaskbarProgress::NoProgress);
        } else {
            taskbarList->setProgressState(bPaused ? TaskbarProgress::Paused : TaskbarProgress::Normal);
            updateWin7ProgressBarValue(int(qMin<quint64>(all.percent(), quint64(INT_MAX))));
        }
    }

    setInfo(infos, DownloadedRow,
            formatSize(double(all.downloaded / 1024)) + QStringLiteral(" (") + QString::number(all.percent()) + tr("%)"));
    setInfo(infos, ToDownloadRow, formatSize(double(all.remaining() / 1024)));
    const QString selectionProgress = formatSize(double(selection.downloaded / 1024)) + QStringLiteral(" (")
                                      + QString::number(selection.percent()) + tr("%)");
    const QString selectionRemaining = formatSize(double(selection.remaining() / 1024));
    const QString selectionTime = remainingTimeText(selection.remaining(), average);
    const QString remainingTime = remainingTimeText(all.remaining(), average);
    setInfo(infos, RemainingTimeRow, remainingTime);

    QString trayToolTip = tr("Tessaquill+");
    if (average != 0)
        trayToolTip += QStringLiteral("\r\n") + tr("Avg Speed: ") + infos->item(AverageSpeedRow, 1)->text();
    if (!remainingTime.isEmpty())
        trayToolTip += QStringLiteral("\r\n") + tr("Time: ") + remainingTime;
    if (trayIcon)
        trayIcon->setToolTip(trayToolTip);
    if (downloadList) {
        downloadList->setToolTip(selectedItems.isEmpty() ? QString()
                                                                   : selectionProgress + QStringLiteral(" / ")
                                                                         + selectionRemaining + QStringLiteral(" - ")
                                                                         + selectionTime);
    }

    refreshServerCounters();
    timerSpeed.start(kStatisticsIntervalMs);
}

// Column 2 of every server row: the bytes counted for the row's server.
void MainWindow::refreshServerCounters()
{
    const QList<NntpServer *> &servers = AppConfiguration::getInstance()->serversConfiguration.listServers;
    QTableWidget *table = ui->tableWidgetServers;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *nickname = table->item(row, 1);
        QTableWidgetItem *counter = table->item(row, 2);
        if (!nickname || !counter)
            continue;
        const qint32 id = nickname->data(Qt::UserRole).toInt();
        const NntpServer *found = nullptr;
        for (const NntpServer *server : servers) {
            if (server->iId == id)
                found = server;
        }
        if (found)
            counter->setText(QLatin1Char(' ') + formatSize(double(found->uiBytesDownloaded >> 10)) + QLatin1Char(' '));
    }
}
