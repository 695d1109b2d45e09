// Pause of every connection, now or for a chosen time, and the bandwidth limit by slider or by
// hand.
#include "app/MainWindow.h"

#include "QsLog/QsLog.h"
#include "engine/DownloadNzbManager.h"

#include "ui_MainWindow.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPointer>
#include <QToolTip>

namespace {

constexpr int kPausedTickMs = 1000;
constexpr int kNormalWeight = 50;
constexpr int kBoldWeight = 75;
constexpr int kNoLimitPosition = 4;

struct DelayedPauseEntry {
    const char *text;
    int seconds;
};

const DelayedPauseEntry kDelayedPauseEntries[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "Pause"), 0},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 5 minutes"), 300},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 15 minutes"), 900},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 30 minutes"), 1800},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 1 hour"), 3600},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 2 hours"), 7200},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 3 hours"), 10800},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 4 hours"), 14400},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 5 hours"), 18000},
    {QT_TRANSLATE_NOOP("MainWindow", "Pause for 6 hours"), 21600},
};

void setWeight(QAction *action, int weight)
{
    QFont font = action->font();
    font.setWeight(weight);
    action->setFont(font);
}

QString twoDigits(quint64 value)
{
    return (value < 10 ? QStringLiteral("0") : QString()) + QString::number(value);
}

} // namespace

void MainWindow::createDelayedPauseMenu()
{
    menuDelayedPause.clear();
    menuDelayedPause.setTitle(tr("Pause..."));
    for (const DelayedPauseEntry &entry : kDelayedPauseEntries) {
        QAction *action = menuDelayedPause.addAction(tr(entry.text));
        action->setData(entry.seconds);
        if (!actionPauseNow)
            actionPauseNow = action;
        connect(action, SIGNAL(triggered()), this, SLOT(slotDifferedPausedClick()));
    }
    ui->pushButtonDifferedPause->setMenu(&menuDelayedPause);
}

void MainWindow::resetDelayedPauseFonts()
{
    for (QAction *action : menuDelayedPause.actions())
        setWeight(action, kNormalWeight);
}

void MainWindow::showPauseButtonPaused(bool bShowPaused)
{
    ui->pushButtonPausePlay->setIcon(QIcon(bShowPaused ? QStringLiteral(":/images/Play.png")
                                                       : QStringLiteral(":/images/Pause.png")));
    ui->pushButtonPausePlay->setToolTip(bShowPaused ? tr("Start connections") : tr("Pause connections"));
}

void MainWindow::slotPausePlayThreads()
{
    ui->pushButtonPausePlay->setEnabled(false);
    QCoreApplication::processEvents();
    DownloadNzbManager::getInstance()->pauseAllThreads(!bPaused);
    strPausedCountdown.clear();
    if (!bPaused) {
        setWeight(actionPauseNow, kBoldWeight);
    } else {
        resetDelayedPauseFonts();
        timerDelayedPause.stop();
    }
    showPauseButtonPaused(!bPaused);
    bPaused = !bPaused;
    ui->pushButtonPausePlay->setEnabled(true);
}

void MainWindow::slotDifferedPausedClick()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    uiPauseDelay = action->data().toULongLong();
    resetDelayedPauseFonts();
    setWeight(action, kBoldWeight);
    strPausedCountdown.clear();
    if (uiPauseDelay == 0) {
        // "Pause" leaves the connections paused, whatever they were.
        timerDelayedPause.stop();
        bPaused = false;
        slotPausePlayThreads();
        return;
    }
    ui->pushButtonPausePlay->setEnabled(false);
    QCoreApplication::processEvents();
    DownloadNzbManager::getInstance()->pauseAllThreads(true);
    bPaused = true;
    showPauseButtonPaused(true);
    // A monotonic clock: a change of the wall clock cannot end the pause early or late.
    elapsedPausedStart.start();
    timerDelayedPause.start(kPausedTickMs);
    ui->pushButtonPausePlay->setEnabled(true);
}

void MainWindow::slotPausedTick()
{
    const quint64 elapsed = quint64(elapsedPausedStart.elapsed() / 1000);
    if (uiPauseDelay <= elapsed) {
        strPausedCountdown = QStringLiteral("00:00:00");
    } else {
        const quint64 left = uiPauseDelay - elapsed;
        strPausedCountdown = twoDigits(left / 3600) + QLatin1Char(':') + twoDigits((left % 3600) / 60)
                             + QLatin1Char(':') + twoDigits(left % 60);
    }
    if (uiPauseDelay <= quint64(elapsedPausedStart.elapsed() / 1000))
        slotPausePlayThreads();
}

// The manager has paused every connection because segment files cannot be written (disk full,
// Cache folder gone): the pause shows as the user's own, and the user is told why, in a box that
// does not hold anything up. Resuming is the user's choice.
void MainWindow::slotDownloadsPaused(QString strReason)
{
    QLOG_ERROR() << strReason;
    timerDelayedPause.stop();
    strPausedCountdown.clear();
    resetDelayedPauseFonts();
    setWeight(actionPauseNow, kBoldWeight);
    bPaused = true;
    showPauseButtonPaused(true);
    static QPointer<QMessageBox> box;
    if (box)
        box->close();
    box = new QMessageBox(QMessageBox::Critical, tr("Tessaquill+"),
                          tr("The downloads have been paused: %1").arg(strReason), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void MainWindow::slotLimitBandwidthValueChanged(int iValue)
{
    quint64 limit = 0;
    if (iValue >= 1 && iValue < kNoLimitPosition)
        limit = quint64(double(uiMaxSpeed) * 0.25 * iValue);
    const QString toolTip = iValue >= kNoLimitPosition
                                ? tr("No bandwidth limiting")
                                : tr("Limit bandwidth: ") + QString::number(iValue * 25) + tr("%");
    ui->verticalSliderBandwidth->setToolTip(toolTip);
    QToolTip::showText(QCursor::pos(), toolTip, ui->verticalSliderBandwidth);
    ui->lineEditManualLimitBandwidth->setText(QString());
    DownloadNzbManager::getInstance()->setBandwidthLimit(limit);
}

void MainWindow::slotManualLimitBandwidthEditingFinished()
{
    const QString text = ui->lineEditManualLimitBandwidth->text().trimmed();
    ui->tableWidgetDownloadInfos->setFocus(Qt::OtherFocusReason);
    const quint64 value = text.toULong(nullptr, 10);
    if (value == 0) {
        ui->lineEditManualLimitBandwidth->setText(QString());
        if (ui->verticalSliderBandwidth->value() < kNoLimitPosition)
            ui->verticalSliderBandwidth->setValue(kNoLimitPosition);
        else
            DownloadNzbManager::getInstance()->setBandwidthLimit(0);
        return;
    }
    ui->lineEditManualLimitBandwidth->setText(QString::number(value));
    DownloadNzbManager::getInstance()->setBandwidthLimit(value * 1024);
}
