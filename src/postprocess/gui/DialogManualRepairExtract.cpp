#include "postprocess/gui/DialogManualRepairExtract.h"

#include "ui_DialogManualRepairExtract.h"

#include "postprocess/Par2Sets.h"
#include "postprocess/ThreadParity.h"
#include "postprocess/ThreadUnrar.h"
#include "postprocess/ThreadUnsplit.h"
#include "widgets/WindowTextFit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

namespace {

// How often a job waiting for its worker to take jobs looks again.
constexpr int kHandOverPollMs = 10;
// How long the destructor waits for the workers to end.
constexpr int kEndWorkersMs = 5000;
constexpr unsigned long kEndWorkersSliceMs = 20;

// The worker's result codes that the boxes tell apart.
constexpr int kPar2Success = 0;
constexpr int kPar2NeedsBlocks = 2;

// A box with the single button Ok; its text is shown as it is (file names are never markup).
void showPlainBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

DialogManualRepairExtract::DialogManualRepairExtract(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogManualRepairExtract)
    , m_parity(new ThreadParity)
    , m_unrar(new ThreadUnrar)
    , m_unsplit(new ThreadUnsplit)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    setUpAreas();
    connectWorkers();
    // Manual jobs leave the source volumes in place.
    m_unrar->bDeleteVolumes = false;
    m_unsplit->bDeleteVolumes = false;
    m_parity->start(QThread::NormalPriority);
    m_unrar->start(QThread::NormalPriority);
    m_unsplit->start(QThread::NormalPriority);
}

DialogManualRepairExtract::~DialogManualRepairExtract()
{
    const QList<Area*> all = areas();
    // Nothing of a worker may reach this dialog any more, least of all a restart.
    for (Area* area : all)
        area->worker->disconnect(this);
    stopWorkersForGood();
    for (Area* area : all) {
        QThread* worker = area->worker;
        if (!worker->isRunning()) {
            delete worker;
            continue;
        }
        // Still busy (a join held up by a slow disk, say): destroying a running thread would
        // abort the program, so it deletes itself once it has ended. Its stop flag stays set.
        connect(worker, &QThread::finished, worker, &QObject::deleteLater);
        if (worker->isFinished())
            worker->deleteLater();
    }
}

void DialogManualRepairExtract::stopWorkersForGood()
{
    const QList<Area*> all = areas();
    QDeadlineTimer deadline(kEndWorkersMs);
    bool allEnded = false;
    while (!allEnded) {
        allEnded = true;
        for (Area* area : all) {
            // Set again at every turn: a worker that was just restarted clears it as it starts.
            *area->stopFlag = true;
            if (!area->worker->wait(kEndWorkersSliceMs))
                allEnded = false;
        }
        if (deadline.hasExpired())
            break;
    }
}

void DialogManualRepairExtract::setProgramFolder(const QString& folder)
{
    m_parity->setProgramFolder(folder);
    m_unrar->setProgramFolder(folder);
}

QFileInfoList DialogManualRepairExtract::par2Files(const QString& folder)
{
    return Par2Sets::par2Files(folder);
}

int DialogManualRepairExtract::unsplitPercent(quint32 current, quint32 total)
{
    if (total == 0)
        return 0;
    return int(qMin<quint64>(quint64(current) * 100 / total, 100));
}

void DialogManualRepairExtract::setUpAreas()
{
    m_par2Area.worker = m_parity;
    m_par2Area.stopFlag = &m_parity->bStop;
    m_par2Area.isTakingJobs = [this] { return m_parity->isTakingJobs(); };
    m_par2Area.startButton = ui->pushButtonStartPar2;
    m_par2Area.browseButtons = {ui->pushButtonBrowsePar2Path};
    m_par2Area.requiredFields = {ui->lineEditPar2Path};
    m_par2Area.progressField = ui->lineEditPar2Progress;
    m_par2Area.idleText = tr("Start repairing");
    m_par2Area.runningText = tr("Stop PAR2");

    m_unrarArea.worker = m_unrar;
    m_unrarArea.stopFlag = &m_unrar->bStop;
    m_unrarArea.isTakingJobs = [this] { return m_unrar->isTakingJobs(); };
    m_unrarArea.startButton = ui->pushButtonStartUnrar;
    m_unrarArea.browseButtons = {ui->pushButtonBrowseUnrarPath,
                                 ui->pushButtonBrowseUnrarDestination};
    m_unrarArea.requiredFields = {ui->lineEditUnrarPath, ui->lineEditUnrarDestinationPath};
    m_unrarArea.progressField = ui->lineEditUnrarProgress;
    m_unrarArea.idleText = tr("Start Unrar");
    m_unrarArea.runningText = tr("Stop Unrar");

    m_unsplitArea.worker = m_unsplit;
    m_unsplitArea.stopFlag = &m_unsplit->bStop;
    m_unsplitArea.isTakingJobs = [this] { return m_unsplit->isTakingJobs(); };
    m_unsplitArea.startButton = ui->pushButtonStartUnsplit;
    m_unsplitArea.browseButtons = {ui->pushButtonBrowseUnsplitPath,
                                   ui->pushButtonBrowseUnsplitDestination};
    m_unsplitArea.requiredFields = {ui->lineEditUnsplitPath, ui->lineEditUnsplitDestinationPath};
    m_unsplitArea.progressField = ui->lineEditUnsplitProgress;
    m_unsplitArea.idleText = tr("Start Unsplit");
    m_unsplitArea.runningText = tr("Stop Unsplit");
}

void DialogManualRepairExtract::connectWorkers()
{
    connect(m_parity, &ThreadParity::parityDoneSignal, this,
            &DialogManualRepairExtract::par2DoneSlot);
    connect(m_parity, &ThreadParity::UpdateProgressSignal, this,
            &DialogManualRepairExtract::par2ProgressSignal);
    connect(m_unrar, &ThreadUnrar::UpdateProgressSignal, this,
            &DialogManualRepairExtract::unrarProgressSignal);
    connect(m_unrar, &ThreadUnrar::unrarDoneSignal, this,
            &DialogManualRepairExtract::unrarDoneSlot);
    connect(m_unsplit, &ThreadUnsplit::UpdateProgressSignal, this,
            &DialogManualRepairExtract::unsplitProgress);
    connect(m_unsplit, &ThreadUnsplit::unsplitDoneSignal, this,
            &DialogManualRepairExtract::unsplitDoneSlot);
    // A worker's end reaches this dialog after every signal it sent before it: a stopped
    // job's late result is seen (and ignored) before the area can run another job.
    for (Area* area : areas()) {
        connect(area->worker, &QThread::finished, this, [this, area] { workerEnded(*area); },
                Qt::QueuedConnection);
    }
}

QList<DialogManualRepairExtract::Area*> DialogManualRepairExtract::areas()
{
    return {&m_par2Area, &m_unrarArea, &m_unsplitArea};
}

bool DialogManualRepairExtract::anyAreaBusy() const
{
    return m_par2Area.state != AreaState::Idle || m_unrarArea.state != AreaState::Idle
        || m_unsplitArea.state != AreaState::Idle;
}

// --- Folders ---------------------------------------------------------------------------

void DialogManualRepairExtract::slotPar2BrowsePath()
{
    browseInto(ui->lineEditPar2Path, tr("Choose PAR2 directory"));
}

void DialogManualRepairExtract::slotUnrarBrowsePath()
{
    browseInto(ui->lineEditUnrarPath, tr("Choose Unrar directory"));
}

void DialogManualRepairExtract::slotUnrarDestinationBrowsePath()
{
    browseInto(ui->lineEditUnrarDestinationPath, tr("Choose Unrar Destination directory"));
}

void DialogManualRepairExtract::slotUnsplitBrowsePath()
{
    browseInto(ui->lineEditUnsplitPath, tr("Choose Unsplit directory"));
}

void DialogManualRepairExtract::slotUnsplitDestinationBrowsePath()
{
    browseInto(ui->lineEditUnsplitDestinationPath, tr("Choose Unsplit destination"));
}

void DialogManualRepairExtract::browseInto(QLineEdit* field, const QString& caption)
{
    if (anyAreaBusy())
        return;
    const QString folder = QFileDialog::getExistingDirectory(this, caption, field->text());
    if (!folder.trimmed().isEmpty())
        field->setText(folder);
    setStartButtonsByReadiness();
}

void DialogManualRepairExtract::setStartButtonsByReadiness()
{
    if (anyAreaBusy())
        return;
    for (Area* area : areas()) {
        bool ready = true;
        for (const QLineEdit* field : qAsConst(area->requiredFields))
            ready = ready && !field->text().isEmpty();
        area->startButton->setEnabled(ready);
    }
}

// --- Starting ----------------------------------------------------------------------------

void DialogManualRepairExtract::slotPar2StopStart()
{
    startOrStop(m_par2Area, [this] { return startPar2Job(); });
}

void DialogManualRepairExtract::slotUnrarStopStart()
{
    startOrStop(m_unrarArea, [this] { return startUnrarJob(); });
}

void DialogManualRepairExtract::slotUnsplitStopStart()
{
    startOrStop(m_unsplitArea, [this] { return startUnsplitJob(); });
}

void DialogManualRepairExtract::startOrStop(Area& area, const std::function<bool()>& startJob)
{
    switch (area.state) {
    case AreaState::Idle:
        if (!anyAreaBusy())
            startJob();
        break;
    case AreaState::Running:
        stopJob(area);
        break;
    case AreaState::Stopping:
        break;
    }
}

bool DialogManualRepairExtract::checkFolder(const QLineEdit* field, const QString& message)
{
    const QString path = field->text();
    if (!path.isEmpty() && QDir(path).exists())
        return true;
    QMessageBox::critical(this, tr("Error"), message.arg(path), QMessageBox::Ok);
    return false;
}

bool DialogManualRepairExtract::startPar2Job()
{
    if (!checkFolder(ui->lineEditPar2Path, tr("Directory %1 does not exist.")))
        return false;
    const QString folder = ui->lineEditPar2Path->text();
    const QFileInfoList found = par2Files(folder);
    if (found.isEmpty()) {
        QMessageBox::information(this, tr("Info"), tr("No PAR2 file found in %1.").arg(folder),
                                 QMessageBox::Ok);
        return false;
    }
    // Every set of the folder, one job each, run in turn by the worker.
    QList<ParityJob> jobs;
    m_par2Sets.clear();
    m_par2Results.clear();
    for (const QFileInfo& file : Par2Sets::filesToVerify(found)) {
        ParityJob job;
        job.jobId = quint32(jobs.size());
        job.par2File = file.absoluteFilePath();
        job.applicationFolder = QCoreApplication::applicationDirPath();
        job.folder = folder;
        job.result = QStringLiteral("0");
        job.par2FilesCount = found.size();
        jobs.append(job);
        m_par2Sets.append(Par2Sets::setName(file.fileName()));
    }
    beginJob(m_par2Area, [this, jobs] {
        for (const ParityJob& job : jobs)
            m_parity->addJob(job);
    });
    return true;
}

bool DialogManualRepairExtract::startUnrarJob()
{
    if (!checkFolder(ui->lineEditUnrarPath, tr("Directory %1 does not exist."))
        || !checkFolder(ui->lineEditUnrarDestinationPath,
                        tr("Destination directory %1 does not exist.")))
        return false;
    UnrarJob job;
    job.jobId = 0;
    job.sourceFolder = ui->lineEditUnrarPath->text();
    job.extractionFolder = ui->lineEditUnrarDestinationPath->text();
    job.applicationFolder = QCoreApplication::applicationDirPath();
    const QString password = ui->lineEditUnrarPassword->text();
    job.password = password.isEmpty() ? QString() : password;
    beginJob(m_unrarArea, [this, job] { m_unrar->addJob(job); });
    return true;
}

bool DialogManualRepairExtract::startUnsplitJob()
{
    if (!checkFolder(ui->lineEditUnsplitPath, tr("Directory %1 does not exist."))
        || !checkFolder(ui->lineEditUnsplitDestinationPath,
                        tr("Destination directory %1 does not exist.")))
        return false;
    UnsplitJob job;
    job.jobId = 0;
    job.sourceFolder = ui->lineEditUnsplitPath->text();
    job.destinationFolder = ui->lineEditUnsplitDestinationPath->text();
    beginJob(m_unsplitArea, [this, job] { m_unsplit->addJob(job); });
    return true;
}

void DialogManualRepairExtract::beginJob(Area& area, std::function<void()> handOver)
{
    area.state = AreaState::Running;
    area.startButton->setText(area.runningText);
    ui->pushButtonExit->setEnabled(false);
    for (Area* other : areas()) {
        for (QPushButton* button : qAsConst(other->browseButtons))
            button->setEnabled(false);
        if (other != &area)
            other->startButton->setEnabled(false);
    }
    area.pendingHandOver = std::move(handOver);
    tryHandOver(area);
}

void DialogManualRepairExtract::tryHandOver(Area& area)
{
    if (area.state != AreaState::Running || !area.pendingHandOver)
        return;
    // A job added before the worker emptied its queue at its start would be dropped.
    if (!area.isTakingJobs()) {
        QTimer::singleShot(kHandOverPollMs, this, [this, &area] { tryHandOver(area); });
        return;
    }
    const std::function<void()> handOver = std::move(area.pendingHandOver);
    area.pendingHandOver = nullptr;
    handOver();
}

// --- Stopping ----------------------------------------------------------------------------

void DialogManualRepairExtract::stopJob(Area& area)
{
    if (area.pendingHandOver) {
        // The worker never got the job: nothing to stop.
        area.pendingHandOver = nullptr;
        returnToIdle(area);
        return;
    }
    // The worker ends its outside program or its join and then its loop; the area stays
    // busy until then (workerEnded).
    area.state = AreaState::Stopping;
    area.startButton->setEnabled(false);
    *area.stopFlag = true;
}

void DialogManualRepairExtract::workerEnded(Area& area)
{
    // finished() is sent just before the thread is done with: let it be done, then start it
    // again (it clears its stop flag and empties its queue as it starts).
    area.worker->wait();
    area.worker->start(QThread::NormalPriority);
    if (area.state != AreaState::Idle) {
        area.pendingHandOver = nullptr;
        returnToIdle(area);
    }
}

void DialogManualRepairExtract::returnToIdle(Area& area)
{
    area.state = AreaState::Idle;
    area.startButton->setText(area.idleText);
    area.progressField->clear();
    ui->pushButtonExit->setEnabled(true);
    for (Area* each : areas()) {
        for (QPushButton* button : qAsConst(each->browseButtons))
            button->setEnabled(true);
    }
    setStartButtonsByReadiness();
}

// --- Results -----------------------------------------------------------------------------

bool DialogManualRepairExtract::endJob(Area& area)
{
    if (area.state != AreaState::Running || area.pendingHandOver)
        return false;
    returnToIdle(area);
    return true;
}

void DialogManualRepairExtract::par2DoneSlot(ParityJob job, int result, quint32 notStarted)
{
    Q_UNUSED(notStarted)
    if (m_par2Area.state != AreaState::Running || m_par2Area.pendingHandOver
        || job.jobId >= quint32(m_par2Sets.size()) || m_par2Results.size() != int(job.jobId))
        return;
    m_par2Results.append({m_par2Sets.at(int(job.jobId)), result, job.result});
    if (m_par2Results.size() < m_par2Sets.size())
        return; // the next set is being verified
    if (!endJob(m_par2Area))
        return;
    showPar2Results();
}

// One set: its result alone. Several: every set by name with its result, under the worst one.
void DialogManualRepairExtract::showPar2Results()
{
    int worst = kPar2Success;
    QStringList lines;
    for (const Par2SetResult& set : qAsConst(m_par2Results)) {
        if (set.result == kPar2Success) {
            lines << tr("%1: successful").arg(set.set);
        } else if (set.result == kPar2NeedsBlocks) {
            lines << tr("%1: need %2 more block(s) to repair").arg(set.set, set.blocksNeeded);
            if (worst == kPar2Success)
                worst = kPar2NeedsBlocks;
        } else {
            lines << tr("%1: PAR2 error code %2").arg(set.set).arg(set.result);
            worst = set.result;
        }
    }
    const Par2SetResult& only = m_par2Results.first();
    const bool several = m_par2Results.size() > 1;
    const QString summary = tr("%1 PAR2 sets:\n%2").arg(m_par2Results.size()).arg(lines.join(QLatin1Char('\n')));
    if (worst == kPar2Success) {
        showPlainBox(this, QMessageBox::Information, tr("Info"), several ? summary : tr("PAR2 successful !"));
    } else if (worst == kPar2NeedsBlocks) {
        showPlainBox(this, QMessageBox::Warning, tr("Warning"),
                     several ? summary : tr("PAR2 : need %1 more block(s) to repair.").arg(only.blocksNeeded));
    } else {
        showPlainBox(this, QMessageBox::Critical, tr("Error"),
                     several ? summary : tr("PAR2 error code %1.").arg(only.result));
    }
}

void DialogManualRepairExtract::unrarDoneSlot(UnrarJob job, int result, quint32 status)
{
    Q_UNUSED(job)
    if (!endJob(m_unrarArea))
        return;
    if (result == 0) {
        QMessageBox::information(this, tr("Info"), tr("Unrar successful !"), QMessageBox::Ok);
    } else if (result == ThreadUnrar::NoArchiveFound) {
        QMessageBox::warning(this, tr("Warning"),
                             tr("No rar file found in directory : %1")
                                 .arg(ui->lineEditUnrarPath->text()),
                             QMessageBox::Ok);
    } else if (result == ThreadUnrar::ExtractFolderFailed) {
        QMessageBox::critical(this, tr("Error"),
                              tr("Failed to create destination directory : %1")
                                  .arg(ui->lineEditUnrarDestinationPath->text()),
                              QMessageBox::Ok);
    } else {
        QMessageBox::critical(this, tr("Error"),
                              tr("Unrar error: exit code: %1, exit status: %2")
                                  .arg(result)
                                  .arg(status),
                              QMessageBox::Ok);
    }
}

void DialogManualRepairExtract::unsplitDoneSlot(UnsplitJob job, int result, QString error)
{
    Q_UNUSED(job)
    if (!endJob(m_unsplitArea))
        return;
    if (result == ThreadUnsplit::Joined) {
        QMessageBox::information(this, tr("Info"), tr("Unsplit successful !"), QMessageBox::Ok);
    } else if (result == ThreadUnsplit::NothingFound) {
        QMessageBox::information(this, tr("Info"), tr("Unsplit - no splitted file found"),
                                 QMessageBox::Ok);
    } else {
        QMessageBox::critical(this, tr("Error"), tr("Unsplit error : %1").arg(error),
                              QMessageBox::Ok);
    }
}

// --- Progress ----------------------------------------------------------------------------

void DialogManualRepairExtract::par2ProgressSignal(quint32 jobId, QString status)
{
    Q_UNUSED(jobId)
    if (m_par2Area.state == AreaState::Running)
        ui->lineEditPar2Progress->setText(status);
}

void DialogManualRepairExtract::unrarProgressSignal(QString percentComplete, quint32 jobId)
{
    Q_UNUSED(jobId)
    if (m_unrarArea.state != AreaState::Running)
        return;
    ui->lineEditUnrarProgress->setText(percentComplete.isEmpty()
                                           ? tr("Unrar in progress...")
                                           : tr("Unrar progress: %1").arg(percentComplete));
}

void DialogManualRepairExtract::unsplitProgress(quint32 jobId, quint32 current, quint32 total)
{
    Q_UNUSED(jobId)
    if (m_unsplitArea.state != AreaState::Running)
        return;
    ui->lineEditUnsplitProgress->setText(
        tr("Unsplit in progress: %1%").arg(unsplitPercent(current, total)));
}

// --- Closing -----------------------------------------------------------------------------

void DialogManualRepairExtract::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (ui->pushButtonExit->isEnabled())
            reject();
        event->accept();
        return;
    }
    // Not QDialog's handling: Return and Enter press no default button from here.
    QWidget::keyPressEvent(event);
}

void DialogManualRepairExtract::closeEvent(QCloseEvent* event)
{
    if (ui->pushButtonExit->isEnabled())
        event->accept();
    else
        event->ignore();
}
