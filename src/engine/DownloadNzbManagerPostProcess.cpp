// Completion of an NZB and its post-processing stages: PAR2, extraction, joining.
//
// TODO(post-processing): everything in this file beyond what processDecodedFile does now.
// The constructor connects the three workers' done and progress signals to the slots below
// (and own signalStartUnrar / signalStartUnsplit to the start slots); shutdown() disconnects
// them before it stops the workers. The manager's thread calls slotNextNzbToProcess() every
// second. deleteFilesList and queueNzbFiles call processDecodedFile(file) holding mutexNzbFiles,
// mutexSegments and mutexFilesToDecode; mutexNzbToProcess comes after them.
#include "engine/DownloadNzbManager.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"

#include <QMutexLocker>

void DownloadNzbManager::processDecodedFile(NzbFile *pNzbFile)
{
    if (!pNzbFile || pNzbFile->getNzbFiles()->bDeleted)
        return;
    QMutexLocker locker(&mutexNzbToProcess);
    emit signalFileDecoded(pNzbFile);
    // TODO(post-processing): when the whole NZB is decoded, queue its first job (once).
}

// TODO(post-processing)
QFileInfoList DownloadNzbManager::findPar2Files(const QString &strFolder)
{
    Q_UNUSED(strFolder);
    return {};
}

// TODO(post-processing)
void DownloadNzbManager::slotNextNzbToProcess()
{
}

// TODO(post-processing)
void DownloadNzbManager::unsplitStartSlot(NzbFiles *pNzbFiles)
{
    Q_UNUSED(pNzbFiles);
}

// TODO(post-processing)
void DownloadNzbManager::unsplitProgress(quint32 uiJobId, quint32 uiPosCrt, quint32 uiPosTotal)
{
    Q_UNUSED(uiJobId);
    Q_UNUSED(uiPosCrt);
    Q_UNUSED(uiPosTotal);
}

// TODO(post-processing)
void DownloadNzbManager::unsplitDoneSlot(UnsplitJob job, int iResult, QString strError)
{
    Q_UNUSED(job);
    Q_UNUSED(iResult);
    Q_UNUSED(strError);
}

// TODO(post-processing)
void DownloadNzbManager::unrarStartSlot(NzbFiles *pNzbFiles)
{
    Q_UNUSED(pNzbFiles);
}

// TODO(post-processing)
void DownloadNzbManager::unrarDoneSlot(UnrarJob job, int iResult, quint32 uiStatus)
{
    Q_UNUSED(job);
    Q_UNUSED(iResult);
    Q_UNUSED(uiStatus);
}

// TODO(post-processing)
void DownloadNzbManager::unrarProgressSignal(QString uiPercent, quint32 uiJobID)
{
    Q_UNUSED(uiPercent);
    Q_UNUSED(uiJobID);
}

// TODO(post-processing)
void DownloadNzbManager::par2DoneSlot(ParityJob job, int iExitCode, quint32 uiNotStarted)
{
    Q_UNUSED(job);
    Q_UNUSED(iExitCode);
    Q_UNUSED(uiNotStarted);
}

// TODO(post-processing)
void DownloadNzbManager::par2ProgressSignal(quint32 uiJobId, QString strStatus)
{
    Q_UNUSED(uiJobId);
    Q_UNUSED(strStatus);
}

// TODO(post-processing): delete the jobs of listNzbToProcess (called by the destructor, once
// every thread has ended).
void DownloadNzbManager::deletePostProcessingJobs()
{
}
