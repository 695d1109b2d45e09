// Completion of an NZB and its post-processing stages: every PAR2 set (with more recovery
// volumes fetched when par2 asks for them), then extraction, then joining when no extraction was
// done, then signalNzbFinished. One NZB is post-processed at a time: the head of
// listNzbToProcess, started by the one-second tick or at once when the queue is idle, stays
// running through all its stages.
//
// A set posted without its PAR2 index file is verified through one of its recovery volumes. RAR
// archives that a join put back together (an archive cut into ".001" pieces) are extracted last.
//
// Whether an NZB ends "successfully downloaded" is its post-processing-succeeded flag: set at
// each completion, and only ever cleared by a stage that failed (a later stage that succeeds
// does not hide an earlier failure). An NZB without PAR2 files succeeds only when every file it
// downloaded is complete; with PAR2 files, the verification or repair decides. While files are
// incomplete and no repair made them whole, every volume and piece is kept and nothing is joined.
#include "engine/DownloadNzbManager.h"

#include "engine/NzbToProcess.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "postprocess/Par2Backups.h"
#include "postprocess/Par2Sets.h"
#include "postprocess/RarSignature.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMutexLocker>

namespace {

constexpr int kPar2ExitNeedsMoreBlocks = 2;

bool isPendingSegment(const NzbSegment *segment)
{
    return !segment->bDownloaded && !segment->bDownloading && !segment->bMissing;
}

QFileInfoList folderFiles(const QString &folder)
{
    if (folder.isEmpty()) // QDir("") is the current folder
        return {};
    return QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
}

QStringList fileNames(const QList<QFileInfo> &files)
{
    QStringList names;
    names.reserve(files.size());
    for (const QFileInfo &file : files)
        names.append(file.fileName());
    return names;
}

void setSucceeded(NzbFiles *nzb, bool succeeded)
{
    QMutexLocker locker(&nzb->mutex);
    nzb->bPostProcessingSucceeded = succeeded;
}

} // namespace

// Completion: reached for every decoded (or removed) file. Holds mutexNzbToProcess throughout;
// queueNzbFiles and deleteFilesList call it with mutexNzbFiles, mutexSegments and
// mutexFilesToDecode held.
void DownloadNzbManager::processDecodedFile(NzbFile *pNzbFile)
{
    if (!pNzbFile || !pNzbFile->getNzbFiles() || pNzbFile->getNzbFiles()->bDeleted)
        return;
    NzbFiles *nzb = pNzbFile->getNzbFiles();
    QMutexLocker locker(&mutexNzbToProcess);
    emit signalFileDecoded(pNzbFile);

    bool allDecoded = false;
    {
        QMutexLocker nzbLocker(&nzb->mutex);
        allDecoded = nzb->bAllFilesDecoded;
    }
    if (!allDecoded) {
        // Incomplete again (a file to download again, recovery volumes): its next completion
        // gets post-processing of its own.
        setNzbsCompleted.remove(nzb);
        return;
    }
    // Two files that finish in the same turn both find the NZB complete: one job per completion.
    if (setNzbsCompleted.contains(nzb))
        return;
    setNzbsCompleted.insert(nzb);
    setSucceeded(nzb, true);
    nzb->strPostProcessingProblem.clear();
    nzb->bKeepFilesForRepair = false;

    // One PAR2 file per set: its index file, or one of its recovery volumes when it was posted
    // without an index (par2 reads the set from either).
    nzb->listPar2IndexFiles = Par2Sets::filesToVerify(nzb->strDownloadFolder);
    auto *job = new NzbToProcess;
    job->pNzbFiles = nzb;
    if (!nzb->listPar2IndexFiles.isEmpty()) {
        job->parityJob = makeParityJob(nzb);
        job->iKind = NzbToProcess::Par2;
        appendJob(job);
        return;
    }
    emit signalPar2Finished(tr("No par2 file found!"), QStringLiteral("0"), nzb);
    const QString incomplete = incompleteFilesProblem(nzb);
    if (!incomplete.isEmpty()) {
        // Nothing can make them whole here: what a join or a repair by hand needs stays.
        setSucceeded(nzb, false);
        nzb->bKeepFilesForRepair = true;
        nzb->strPostProcessingProblem = incomplete;
    }
    if (bAutoUnrar && !nzb->bSkipExtraction) {
        job->iKind = NzbToProcess::Unrar;
        appendJob(job);
    } else if (bAutoUnsplit && !nzb->bSkipExtraction) {
        job->iKind = NzbToProcess::Unsplit;
        appendJob(job);
    } else {
        delete job;
        nzb->setFinished(true);
        emit signalNzbFinished(nzb);
    }
}

bool DownloadNzbManager::hasCompleted(NzbFiles *pNzbFiles)
{
    if (!pNzbFiles)
        return false;
    // The decoder that decoded the last file marks the NZB complete before its report arrives.
    if (pNzbFiles->bCleaned || pNzbFiles->isFinished() || pNzbFiles->isAllFilesDecoded())
        return true;
    QMutexLocker locker(&mutexNzbToProcess);
    return setNzbsCompleted.contains(pNzbFiles);
}

// Queues a job (mutexNzbToProcess is held). The one-second tick would start it within a second;
// an idle queue starts it at once.
void DownloadNzbManager::appendJob(NzbToProcess *pJob)
{
    listNzbToProcess.append(pJob);
    startHeadJobSoon();
}

// Runs the tick's work in the manager object's thread as soon as its event loop is free, without
// waiting for the timer (safe from any thread, with any lock held).
void DownloadNzbManager::startHeadJobSoon()
{
    QMetaObject::invokeMethod(this, "slotNextNzbToProcess", Qt::QueuedConnection);
}

// A PAR2 run for the NZB's next index file, with the folder's files as they are now.
ParityJob DownloadNzbManager::makeParityJob(NzbFiles *pNzbFiles)
{
    // What the folder holds before par2 first changes it: after a run cut off midway, the next
    // one can tell par2's backups from posted files.
    Par2Backups::noteOriginals(pNzbFiles->strDownloadFolder);
    const QFileInfoList entries = folderFiles(pNzbFiles->strDownloadFolder);
    ParityJob job;
    job.jobId = uiParityJobId++;
    hashParityJobs.insert(job.jobId, pNzbFiles);
    job.otherFilesCount = entries.size() - pNzbFiles->listPar2IndexFiles.size();
    job.par2FilesCount = pNzbFiles->listPar2IndexFiles.size();
    job.par2File = pNzbFiles->takeNextFileInfo().absoluteFilePath();
    job.applicationFolder = QCoreApplication::applicationDirPath();
    job.folder = pNzbFiles->strDownloadFolder;
    job.result = QStringLiteral("0");
    job.folderFiles = entries;
    return job;
}

// The manager's thread, every second (and the GUI thread when a job was queued or ended):
// removes the head job once done and starts the next one. An extraction or a joining is started
// by a signal sent once the queue's mutexes are free: a slot it reaches directly in the GUI
// thread may run an event loop (a message box), where a report that locks them would otherwise
// freeze the window for good.
void DownloadNzbManager::slotNextNzbToProcess()
{
    NzbFiles *pStarted = nullptr;
    const int iKind = startHeadJob(&pStarted);
    if (iKind == NzbToProcess::Unrar)
        emit signalStartUnrar(pStarted);
    else if (iKind == NzbToProcess::Unsplit)
        emit signalStartUnsplit(pStarted);
}

// Marks the head job running and hands a PAR2 job to its worker; returns the kind of the job
// started (-1 if none) and its NZB in `ppNzbFiles`.
int DownloadNzbManager::startHeadJob(NzbFiles **ppNzbFiles)
{
    // An NZB's removed flag is written under the queue mutexes; the last of them is enough here.
    QMutexLocker decodeLocker(&mutexFilesToDecode);
    QMutexLocker locker(&mutexNzbToProcess);
    while (!listNzbToProcess.isEmpty()) {
        NzbToProcess *head = listNzbToProcess.first();
        if (head->iState == NzbToProcess::Running)
            return -1;
        if (head->iState == NzbToProcess::Done) {
            delete listNzbToProcess.takeFirst();
            continue;
        }
        // The job of an NZB removed while it waited starts nothing: no extraction into its
        // destination, no par2 on its folder.
        const bool known = head->iKind == NzbToProcess::Par2 || head->iKind == NzbToProcess::Unrar
                           || head->iKind == NzbToProcess::Unsplit;
        if (!known || head->pNzbFiles->bDeleted) {
            delete listNzbToProcess.takeFirst();
            continue;
        }
        head->iState = NzbToProcess::Running;
        if (head->iKind == NzbToProcess::Par2)
            threadParity.addJob(head->parityJob);
        *ppNzbFiles = head->pNzbFiles;
        return head->iKind;
    }
    return -1;
}

void DownloadNzbManager::unrarStartSlot(NzbFiles *pNzbFiles)
{
    if (!pNzbFiles)
        return;
    if (pNzbFiles->bDeleted) {
        markJobDone(pNzbFiles);
        return;
    }
    UnrarJob job = makeUnrarJob(pNzbFiles, pNzbFiles->strDownloadFolder);
    job.keepVolumes = pNzbFiles->bKeepFilesForRepair;
    threadUnrar.addJob(job);
}

// An extraction into the NZB's destination of the archives found in `strSourceFolder`.
UnrarJob DownloadNzbManager::makeUnrarJob(NzbFiles *pNzbFiles, const QString &strSourceFolder)
{
    UnrarJob job;
    job.jobId = uiUnrarJobId++;
    hashUnrarJobs.insert(job.jobId, pNzbFiles);
    job.sourceFolder = strSourceFolder;
    job.extractionFolder = pNzbFiles->getDestination();
    job.applicationFolder = QCoreApplication::applicationDirPath();
    job.password = pNzbFiles->strArchivePassword;
    return job;
}

void DownloadNzbManager::unsplitStartSlot(NzbFiles *pNzbFiles)
{
    if (!pNzbFiles)
        return;
    if (pNzbFiles->bDeleted) {
        markJobDone(pNzbFiles);
        return;
    }
    UnsplitJob job;
    job.jobId = uiUnsplitJobId++;
    hashUnsplitJobs.insert(job.jobId, pNzbFiles);
    job.sourceFolder = pNzbFiles->strDownloadFolder;
    job.destinationFolder = pNzbFiles->getDestination();
    job.keepVolumes = pNzbFiles->bKeepFilesForRepair;
    job.incompleteDownload = pNzbFiles->bKeepFilesForRepair;
    threadUnsplit.addJob(job);
}

// The RAR archives that a join put back together, extracted into the NZB's destination where
// they were joined; the joined archives go once extracted, like any extracted volume.
void DownloadNzbManager::startJoinedExtraction(NzbFiles *pNzbFiles, const QStringList &listArchives)
{
    UnrarJob job = makeUnrarJob(pNzbFiles, pNzbFiles->getDestination());
    job.archives = listArchives;
    threadUnrar.addJob(job);
}

void DownloadNzbManager::par2ProgressSignal(quint32 uiJobId, QString strStatus)
{
    NzbFiles *nzb = hashParityJobs.value(uiJobId);
    if (nzb && !nzb->bDeleted)
        emit signalPar2Progress(strStatus, nzb);
}

void DownloadNzbManager::unrarProgressSignal(QString uiPercent, quint32 uiJobID)
{
    NzbFiles *nzb = hashUnrarJobs.value(uiJobID);
    if (nzb && !nzb->bDeleted)
        emit signalUnrarProgress(uiPercent, nzb);
}

void DownloadNzbManager::unsplitProgress(quint32 uiJobId, quint32 uiPosCrt, quint32 uiPosTotal)
{
    NzbFiles *nzb = hashUnsplitJobs.value(uiJobId);
    if (nzb && !nzb->bDeleted)
        emit signalUnsplitProgress(nzb, uiPosCrt, uiPosTotal);
}

void DownloadNzbManager::par2DoneSlot(ParityJob job, int iExitCode, quint32 uiNotStarted)
{
    Q_UNUSED(uiNotStarted);
    NzbFiles *nzb = hashParityJobs.value(job.jobId);
    if (!nzb)
        return;
    if (nzb->bDeleted) {
        Par2Backups::forgetOriginals(job.folder);
        markJobDone(nzb);
        return;
    }
    const QString base = Par2Sets::setName(QFileInfo(job.par2File).fileName());
    if (iExitCode == 0) {
        emit signalPar2Finished(tr("Par2: success - %1").arg(base), QStringLiteral("0"), nzb);
        // The set is whole: the damaged copies par2 kept are of no use, whatever stage follows.
        deletePar2Backups(job);
        Par2Backups::forgetOriginals(job.folder);
        startNextStage(nzb);
        return;
    }
    if (iExitCode == kPar2ExitNeedsMoreBlocks) {
        bool ok = false;
        const quint64 needed = job.result.toULongLong(&ok, 10);
        const QList<NzbFile *> volumes = nzb->selectPar2Volumes(ok ? needed : 0, base);
        if (queueRecoveryVolumes(nzb, volumes)) {
            emit signalPar2Finished(tr("Par2: need more par2 volumes to repair - %1").arg(base), job.result, nzb);
            return;
        }
        Par2Backups::forgetOriginals(job.folder);
        // Nothing left to fetch: the set stays damaged, whatever the stages after it do.
        emit signalPar2Finished(tr("Par2: repair is not possible - %1").arg(base), job.result, nzb);
        failRepair(nzb, tr("the repair is not possible, the volumes and PAR2 files are kept for a manual repair"));
        startNextStage(nzb);
        return;
    }
    Par2Backups::forgetOriginals(job.folder);
    failRepair(nzb, tr("the PAR2 verification failed, the volumes and PAR2 files are kept for a manual repair"));
    emit signalPar2Finished(base + QStringLiteral(": ") + par2ExitText(iExitCode), job.result, nzb);
    finishNzb(nzb);
}

// A set that could not be repaired: the NZB fails, and what a repair by hand needs (the volumes
// and the PAR2 files) is kept by the stages after it and by the clean-up.
void DownloadNzbManager::failRepair(NzbFiles *pNzbFiles, const QString &strProblem)
{
    setSucceeded(pNzbFiles, false);
    pNzbFiles->bKeepFilesForRepair = true;
    pNzbFiles->strPostProcessingProblem = strProblem;
}

// Why an NZB without PAR2 files cannot be taken as downloaded: files to download (neither paused
// nor removed) with articles missing or not decoded cleanly. Empty when every file is complete.
QString DownloadNzbManager::incompleteFilesProblem(NzbFiles *pNzbFiles) const
{
    int incompleteFiles = 0;
    int missingArticles = 0;
    for (NzbFile *file : pNzbFiles->getFiles()) {
        if (file->bExcluded || file->bPaused)
            continue;
        int missing = 0;
        for (const NzbSegment *segment : file->getSegments())
            missing += segment->bMissing ? 1 : 0;
        if (missing > 0 || file->isDamaged())
            ++incompleteFiles;
        missingArticles += missing;
    }
    if (incompleteFiles == 0)
        return QString();
    if (missingArticles == 0)
        return tr("%1 file(s) damaged, and no PAR2 file to repair them").arg(incompleteFiles);
    return tr("%1 file(s) incomplete, %2 article(s) missing, and no PAR2 file to repair them")
        .arg(incompleteFiles)
        .arg(missingArticles);
}

// Un-pauses the volumes and puts their segments at the front of the global queue, the first
// volume's first; a volume whose articles are all in already goes straight to the decoders. True
// when anything was queued: the NZB's post-processing then ends here until it completes again.
bool DownloadNzbManager::queueRecoveryVolumes(NzbFiles *pNzbFiles, const QList<NzbFile *> &listVolumes)
{
    if (listVolumes.isEmpty())
        return false;
    pNzbFiles->addToSizeToDownload(listVolumes);
    {
        QMutexLocker locker(&pNzbFiles->mutex);
        pNzbFiles->bAllFilesDecoded = false;
    }
    bool queued = false;
    QMutexLocker segmentsLocker(&mutexSegments);
    QMutexLocker decodeLocker(&mutexFilesToDecode);
    for (auto volume = listVolumes.crbegin(); volume != listVolumes.crend(); ++volume) {
        NzbFile *file = *volume;
        file->setPaused(false);
        if (file->isAllSegmentsProcessed()) {
            if (!file->isDecoded() && !listFilesToDecode.contains(file)) {
                listFilesToDecode.append(file);
                queued = true;
            }
        } else {
            const QList<NzbSegment *> segments = file->getSegments();
            for (auto segment = segments.crbegin(); segment != segments.crend(); ++segment) {
                if (!isPendingSegment(*segment) || listSegmentsInProgress.contains(*segment))
                    continue;
                queueOrGiveUp(*segment, true);
                queued = true;
            }
        }
        emit signalFileResumed(file);
    }
    if (queued) {
        QMutexLocker locker(&mutexNzbToProcess);
        markJobDoneLocked(pNzbFiles);
        setNzbsCompleted.remove(pNzbFiles);
    }
    return queued;
}

// par2 keeps each file it repaired under "<name>.1": those copies go, with those that a run cut
// off before left, and nothing else (not the files the repair restored, nor posted files).
void DownloadNzbManager::deletePar2Backups(const ParityJob &job)
{
    const QStringList before = fileNames(job.folderFiles);
    const QStringList after = fileNames(folderFiles(job.folder));
    const QStringList inSet = Par2Backups::namesInSet(job.par2File);
    const QStringList backups = Par2Backups::backups(before, after, inSet) + Par2Backups::leftovers(job.folder, inSet);
    for (const QString &name : backups)
        QFile::remove(job.folder + QLatin1Char('/') + name);
}

// After a PAR2 set that verified, repaired or could not be repaired: the next set, else
// extraction, else joining, else the end.
void DownloadNzbManager::startNextStage(NzbFiles *pNzbFiles)
{
    if (!pNzbFiles->listPar2IndexFiles.isEmpty()) {
        threadParity.addJob(makeParityJob(pNzbFiles));
        return;
    }
    if (bAutoUnrar && !pNzbFiles->bSkipExtraction) {
        emit signalStartUnrar(pNzbFiles);
        return;
    }
    if (bAutoUnsplit && !pNzbFiles->bSkipExtraction) {
        emit signalStartUnsplit(pNzbFiles);
        return;
    }
    finishNzb(pNzbFiles);
}

void DownloadNzbManager::unrarDoneSlot(UnrarJob job, int iResult, quint32 uiStatus)
{
    NzbFiles *nzb = hashUnrarJobs.value(job.jobId);
    if (!nzb)
        return;
    if (nzb->bDeleted) {
        markJobDone(nzb);
        return;
    }
    if (iResult == 0) {
        emit signalUnrarFinished(nzb, true);
        finishNzb(nzb);
        return;
    }
    // The extraction of what a join gave is the last stage, whatever its result.
    const bool afterJoin = !job.archives.isEmpty();
    if (iResult == ThreadUnrar::ExtractFolderFailed) {
        setSucceeded(nzb, false);
        emit signalUnrarError(tr("Failed to create extract directory"), nzb);
        finishNzb(nzb);
        return;
    }
    if (iResult == ThreadUnrar::NoArchiveFound) {
        // Nothing to extract is no failure: the NZB simply holds no archive.
        emit signalUnrarNoFileFound(nzb);
    } else {
        emit signalUnrarError(tr("Unrar error: exit code: %1, exit status: %2").arg(iResult).arg(uiStatus), nzb);
        setSucceeded(nzb, false);
    }
    if (bAutoUnsplit && !nzb->bSkipExtraction && !afterJoin)
        emit signalStartUnsplit(nzb);
    else
        finishNzb(nzb);
}

void DownloadNzbManager::unsplitDoneSlot(UnsplitJob job, int iResult, QString strError)
{
    NzbFiles *nzb = hashUnsplitJobs.value(job.jobId);
    if (!nzb)
        return;
    if (nzb->bDeleted) {
        markJobDone(nzb);
        return;
    }
    if (iResult == ThreadUnsplit::Joined) {
        emit signalUnsplitDone(nzb, QString());
        const QStringList archives = joinedArchives(job);
        if (!archives.isEmpty() && bAutoUnrar && !nzb->bSkipExtraction) {
            startJoinedExtraction(nzb, archives);
            return;
        }
    } else if (iResult == ThreadUnsplit::NothingFound) {
        // Nothing to join is no failure: most downloads hold no split file.
        emit signalUnsplitNoFileFound(nzb);
    } else {
        setSucceeded(nzb, false);
        if (iResult == ThreadUnsplit::NotJoined && !nzb->strPostProcessingProblem.isEmpty())
            nzb->strPostProcessingProblem += tr(", the split files are kept unjoined");
        else if (nzb->strPostProcessingProblem.isEmpty())
            nzb->strPostProcessingProblem = strError; // the row says why the join failed
        emit signalUnsplitDone(nzb, strError);
    }
    finishNzb(nzb);
}

// The files a join wrote that are RAR archives (a RAR archive cut into pieces).
QStringList DownloadNzbManager::joinedArchives(const UnsplitJob &job)
{
    QStringList archives;
    for (const QString &path : job.filesWritten) {
        if (RarSignature::startsAsRar(path))
            archives.append(path);
    }
    return archives;
}

void DownloadNzbManager::finishNzb(NzbFiles *pNzbFiles)
{
    pNzbFiles->setFinished(true);
    markJobDone(pNzbFiles);
    emit signalNzbFinished(pNzbFiles);
}

void DownloadNzbManager::markJobDone(NzbFiles *pNzbFiles)
{
    QMutexLocker locker(&mutexNzbToProcess);
    markJobDoneLocked(pNzbFiles);
}

// The NZB's own running job, never another NZB's: an NZB that finishes without a job (nothing
// to run) leaves the running head alone.
void DownloadNzbManager::markJobDoneLocked(NzbFiles *pNzbFiles)
{
    for (NzbToProcess *job : qAsConst(listNzbToProcess)) {
        if (job->pNzbFiles == pNzbFiles && job->iState == NzbToProcess::Running) {
            job->iState = NzbToProcess::Done;
            startHeadJobSoon();
        }
    }
}

QString DownloadNzbManager::par2ExitText(int iExitCode)
{
    switch (iExitCode) {
    case 1:
        return tr("Data files are damaged and there is enough recovery data available to repair them");
    case 3:
        return tr("There was something wrong with the command line arguments");
    case 4:
        return tr("The PAR2 files did not contain sufficient information about the data files to be able to verify them");
    case 5:
        return tr("Repair completed but the data files still appear to be damaged");
    case 6:
        return tr("An error occured when accessing files");
    case 7:
        return tr("An internal error occurred");
    case 8:
        return tr("Out of memory");
    case 9:
        return tr("Failed to start PAR2: you may have insufficient permissions to invoke the program");
    default:
        return QString();
    }
}

void DownloadNzbManager::deletePostProcessingJobs()
{
    QMutexLocker locker(&mutexNzbToProcess);
    qDeleteAll(listNzbToProcess);
    listNzbToProcess.clear();
}
