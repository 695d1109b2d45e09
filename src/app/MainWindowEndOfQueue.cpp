// The action once the queue is finished: close the program, or power off, suspend or hibernate.
#include "app/MainWindow.h"

#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "platform/UtilsProcess.h"
#include "QsLog/QsLog.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>

namespace {

// The power tool built with the program and installed beside it.
const char *const kPowerToolName = "tessaquill-power";
// More than any message of the tool; the rest is not read.
constexpr qint64 kMaxToolOutput = 4096;

enum ShutdownType { kNoAction = 0, kCloseProgram = 1, kPowerOff = 2, kStandby = 3, kHibernate = 4 };

// The tool's argument for a power action; empty for any other type.
QString powerToolArgument(int type)
{
    switch (type) {
    case kPowerOff:
        return QStringLiteral("poweroff");
    case kStandby:
        return QStringLiteral("suspend");
    case kHibernate:
        return QStringLiteral("hibernate");
    default:
        return QString();
    }
}

// Whether the queue holds at least one NZB that is not removed, and every such NZB has been
// finished and cleaned up.
bool isQueueDone()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    bool bAnyKept = false;
    for (int i = 0; i < manager->listNzbFiles.size(); ++i) {
        const NzbFiles *nzb = manager->getNzbFilesAt(i);
        if (!nzb || nzb->bDeleted)
            continue;
        if (!nzb->bCleaned)
            return false;
        bAnyKept = true;
    }
    return bAnyKept;
}

} // namespace

// The action waits while a window asks the user something: closing or powering off under an
// open question would take the answer away.
void MainWindow::slotShutdownTick()
{
    // Disarmed (it acts once): a tick already on its way does nothing.
    if (!timerShutdown.isActive() || !isQueueDone() || QApplication::activeModalWidget())
        return;
    timerShutdown.stop();
    bSkipExitQuestion = true;
    const int type = AppConfiguration::getInstance()->shutdownType;
    if (type == kCloseProgram) {
        QLOG_INFO() << tr("Every download is finished: closing the program");
        slotExitWithoutQuestion();
        return;
    }
    const QString argument = powerToolArgument(type);
    if (argument.isEmpty())
        return;
    runPowerTool(argument);
}

// The tool is not waited for; a tool that is missing, cannot start or refuses the action is
// reported, since the user expects the computer to go down.
void MainWindow::runPowerTool(const QString &strArgument)
{
    const QString path = UtilsProcess::findProgram(QLatin1String(kPowerToolName));
    if (path.isEmpty()) {
        reportEndOfQueueFailure(tr("the power tool %1 is missing from the program's folder")
                                    .arg(QLatin1String(kPowerToolName)));
        return;
    }
    QLOG_INFO() << tr("Every download is finished: starting %1 %2").arg(path, strArgument);
    auto *process = new QProcess(this);
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        reportEndOfQueueFailure(tr("the power tool could not be started: %1").arg(process->errorString()));
        process->deleteLater();
    });
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                const QString output = QString::fromLocal8Bit(process->read(kMaxToolOutput)).trimmed();
                process->deleteLater();
                if (status == QProcess::NormalExit && exitCode == 0)
                    return;
                QString reason = output;
                if (reason.isEmpty() && status == QProcess::CrashExit)
                    reason = tr("the power tool stopped unexpectedly");
                else if (reason.isEmpty())
                    reason = tr("the power tool ended with code %1").arg(exitCode);
                reportEndOfQueueFailure(reason);
            });
    process->start(path, {strArgument});
}

// In the log, and where the user sees it: the tray, or a box that blocks nothing.
void MainWindow::reportEndOfQueueFailure(const QString &strReason)
{
    const QString text = tr("The action at the end of the downloads failed: %1").arg(strReason);
    QLOG_ERROR() << text;
    if (systemTrayAvailable() && !isVisible()) {
        showTrayMessage(tr("Tessaquill+"), text);
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Tessaquill+"), text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("messageBoxEndOfQueueFailure"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}
