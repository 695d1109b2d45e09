// Hand-out of segments to the connection threads and the results they report.
#include "engine/DownloadNzbManager.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QDebug>
#include <QMutexLocker>

#include <algorithm>

NzbSegment *DownloadNzbManager::getNextSegment(quint32 uiServerId)
{
    {
        QMutexLocker locker(&mutexSegments);
        for (;;) {
            NzbSegment *segment = takeRetrySegment(uiServerId);
            if (!segment) {
                if (listSegments.isEmpty())
                    break;
                segment = listSegments.takeFirst();
            }
            // A stale entry (its NZB or file removed, or a second copy of a segment that is
            // already done or in a connection's hands) is dropped: each article is fetched once.
            if (!isLiveSegment(segment) || isFinalSegment(segment) || listSegmentsInProgress.contains(segment))
                continue;
            listSegmentsInProgress.insert(segment);
            return segment;
        }
    }
    QThread::msleep(5);
    return nullptr;
}

// The head of the server's retry queue, null when it has none. mutexSegments is held.
NzbSegment *DownloadNzbManager::takeRetrySegment(quint32 uiServerId)
{
    QMutexLocker locker(&mutexServerSegments);
    const auto queue = hashServerSegments.find(uiServerId);
    if (queue == hashServerSegments.end() || queue->isEmpty())
        return nullptr;
    return queue->takeFirst();
}

void DownloadNzbManager::addServerQueue(quint32 uiServerId)
{
    QMutexLocker locker(&mutexServerSegments);
    if (!hashServerSegments.contains(uiServerId))
        hashServerSegments.insert(uiServerId, QList<NzbSegment *>());
}

void DownloadNzbManager::putBackAtFront(NzbSegment *pSegment)
{
    listSegments.prepend(pSegment);
}

// Marks a segment downloaded or missing, which credits its bytes once, and queues its file for
// decoding when this is the result that completes it. mutexSegments is held.
void DownloadNzbManager::creditSegment(NzbSegment *pSegment, bool bDownloaded)
{
    QMutexLocker locker(&mutexFilesToDecode);
    creditSegmentLocked(pSegment, bDownloaded);
}

// The same, with mutexFilesToDecode held too.
void DownloadNzbManager::creditSegmentLocked(NzbSegment *pSegment, bool bDownloaded)
{
    NzbFile *file = pSegment->getNzbFile();
    const bool wasComplete = file->isAllSegmentsProcessed();
    if (bDownloaded) {
        // Sent before the credit: a receiver sees the file's bytes without this segment.
        emit signalSegmentDownloadOK(pSegment);
        pSegment->setDownloaded();
    } else {
        pSegment->setMissing();
        emit signalSegmentIsMissing(pSegment);
    }
    hashSegmentTries.remove(pSegment);
    if (!wasComplete && file->isAllSegmentsProcessed())
        listFilesToDecode.append(file);
}

// A segment that no server can be asked for (a blank message id), or whose number places it nowhere
// among its file's articles, is never downloaded: it is given up as missing at once, which counts
// its file incomplete, and reported. mutexSegments and mutexFilesToDecode are held.
void DownloadNzbManager::giveUpUndownloadable(NzbSegment *pSegment)
{
    creditSegmentLocked(pSegment, false);
    const QString why = pSegment->hasPlaceableNumber()
                            ? tr("Segment %1 cannot be downloaded: its message id is blank or holds a line break")
                            : tr("Segment %1 cannot be placed in its file: its number is not a whole number");
    processFileWarning(pSegment->getNzbFile(), why.arg(pSegment->getNumber()));
}

// Into the download queue (at its front, or its end), or given up when it cannot be downloaded.
// mutexSegments and mutexFilesToDecode are held.
void DownloadNzbManager::queueOrGiveUp(NzbSegment *pSegment, bool bAtFront)
{
    if (!pSegment->isDownloadable())
        giveUpUndownloadable(pSegment);
    else if (bAtFront)
        listSegments.prepend(pSegment);
    else
        listSegments.append(pSegment);
}

// The segment is missing on this server: it goes to the front of the retry queue of the first
// started server that has not had it yet, or is given up as missing when there is none.
// mutexSegments is held.
void DownloadNzbManager::routeMissingSegment(NzbSegment *pSegment, quint32 uiServerId,
                                             const QString &strServerNickname)
{
    SegmentServerTries &tries = hashSegmentTries[pSegment];
    if (!tries.listMissingOn.contains(uiServerId))
        tries.listMissingOn.append(uiServerId);
    if (!strServerNickname.isEmpty() && !pSegment->listServersTried.contains(strServerNickname))
        pSegment->listServersTried.append(strServerNickname);

    bool handedOn = false;
    {
        QMutexLocker locker(&mutexServerSegments);
        for (auto queue = hashServerSegments.begin(); queue != hashServerSegments.end(); ++queue) {
            if (!tries.listMissingOn.contains(queue.key())) {
                queue->prepend(pSegment);
                handedOn = true;
                break;
            }
        }
    }
    if (!handedOn)
        creditSegment(pSegment, false);
}

// A result has arrived: the segment leaves the in-progress set. True when the result is still
// to be acted on; not for a segment whose NZB or file was removed meanwhile, nor for a second
// result of a segment already downloaded or missing. mutexSegments is held.
bool DownloadNzbManager::takeResult(NzbSegment *pSegment)
{
    listSegmentsInProgress.remove(pSegment);
    if (!isLiveSegment(pSegment)) {
        hashSegmentTries.remove(pSegment);
        return false;
    }
    return !isFinalSegment(pSegment);
}

void DownloadNzbManager::processDownload_OK(NzbSegment *pSegment, quint32 uiServerId)
{
    if (!pSegment)
        return;
    {
        QMutexLocker locker(&mutexServerNewBytes);
        hashServerNewBytes[uiServerId] += pSegment->getBytesValue();
    }
    QMutexLocker locker(&mutexSegments);
    if (takeResult(pSegment))
        creditSegment(pSegment, true);
}

void DownloadNzbManager::processDownload_ErrorMissingSegment(quint32 uiThreadId, NzbSegment *pSegment,
                                                            QString strMessage, QString strServerNickname,
                                                            quint32 uiServerId)
{
    Q_UNUSED(strMessage);
    if (!pSegment)
        return;
    qDebug().nospace().noquote() << "Missing segment for " << pSegment->getMessageId();
    QMutexLocker locker(&mutexSegments);
    const bool pending = takeResult(pSegment);
    emit signalInfoSegmentIsMissing(uiThreadId, pSegment);
    if (pending)
        routeMissingSegment(pSegment, uiServerId, strServerNickname);
}

void DownloadNzbManager::processDownload_ErrorException(NzbSegment *pSegment, QString strMessage, quint32 uiServerId)
{
    if (!pSegment)
        return;
    qDebug().nospace().noquote() << "Download error exception for " << pSegment->getMessageId() << ": " << strMessage;
    QMutexLocker locker(&mutexSegments);
    if (!takeResult(pSegment))
        return;
    emit signalSegmentDownloadException(pSegment, strMessage);

    // A server that keeps refusing an article (an access or syntax error, a provider's own
    // code, an article over the body cap, an id it will not send) has it as good as missing:
    // after a few failures the segment takes the missing path, so another server gets its
    // turn and the NZB can end, instead of coming back to the front of the queue for ever.
    SegmentServerTries &tries = hashSegmentTries[pSegment];
    int failures = 1;
    auto entry = std::find_if(tries.listFailures.begin(), tries.listFailures.end(),
                              [uiServerId](const QPair<quint32, int> &e) { return e.first == uiServerId; });
    if (entry == tries.listFailures.end())
        tries.listFailures.append(qMakePair(uiServerId, failures));
    else
        failures = ++entry->second;
    if (failures >= kMaxSegmentFailuresPerServer)
        routeMissingSegment(pSegment, uiServerId, QString());
    else
        putBackAtFront(pSegment);
}

void DownloadNzbManager::processDownload_ErrorFailedConnect(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage)
{
    if (!pSegment)
        return;
    qDebug().nospace().noquote() << "Download error connection failed for " << pSegment->getMessageId() << ": "
                                 << strMessage;
    QMutexLocker locker(&mutexSegments);
    // A server that cannot be reached says nothing about the article: no failure is counted.
    if (!takeResult(pSegment))
        return;
    emit signalSegmentErrorConnect(uiThreadId, pSegment, strMessage);
    putBackAtFront(pSegment);
}

void DownloadNzbManager::processDownload_Returned(quint32 uiThreadId, NzbSegment *pSegment)
{
    Q_UNUSED(uiThreadId);
    if (!pSegment)
        return;
    // Nothing was learnt about the article or the server: no failure is counted.
    QMutexLocker locker(&mutexSegments);
    if (takeResult(pSegment))
        putBackAtFront(pSegment);
}

void DownloadNzbManager::processDownload_ErrorFailedCreateFile(NzbSegment *pSegment, QString strMessage)
{
    if (!pSegment)
        return;
    qDebug().nospace().noquote() << "Failed to create file for " << pSegment->getMessageId();
    {
        QMutexLocker locker(&mutexSegments);
        if (!takeResult(pSegment))
            return;
        emit signalSegmentFailedToCreateFile(pSegment, strMessage);
        putBackAtFront(pSegment);
    }
    pauseAfterFileError(pSegment, strMessage);
}

// A temporary file that cannot be written (disk full, Cache folder gone) fails every article
// alike: rather than spin through the queue, every connection is paused and the user is told.
// Called without any of the manager's mutexes held.
void DownloadNzbManager::pauseAfterFileError(NzbSegment *pSegment, const QString &strMessage)
{
    const QString cause = strMessage.isEmpty() ? tr("the disk is full or the folder cannot be written") : strMessage;
    pauseAfterWriteError(tr("Cannot write the temporary file %1 (%2). "
                            "Free some disk space or check the Cache folder, then resume the downloads.")
                             .arg(pSegment->getTempFilePath(), cause));
}

void DownloadNzbManager::pauseAfterWriteError(const QString &strReason)
{
    if (bPausedAfterFileError)
        return;
    bPausedAfterFileError = true;
    pauseAllThreads(true);
    emit signalDownloadsPaused(strReason);
}
