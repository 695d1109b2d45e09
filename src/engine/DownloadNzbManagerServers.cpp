// Connection threads: starting a server's connections, stopping them on request and at exit,
// pausing them, and sharing the bandwidth limit among them.
#include "engine/DownloadNzbManager.h"

#include "engine/ThreadNntp.h"
#include "model/NntpServer.h"
#include "model/NzbSegment.h"

#include <QMutexLocker>
#include <QSet>

namespace {

const int DefaultSocketTimeoutMs = 30000;

} // namespace

QList<quint32> DownloadNzbManager::startServer(NntpServer *pServer, bool bPaused)
{
    QList<quint32> ids;
    // A retry queue without a connection to empty it would hold missing segments for ever.
    if (!pServer || pServer->iConnectionCount <= 0 || bShutDown)
        return ids;
    addServerQueue(static_cast<quint32>(pServer->iId));
    const int timeout = iSocketTimeout <= 1000 ? DefaultSocketTimeoutMs : iSocketTimeout;
    {
        QMutexLocker locker(&mutexThreads);
        for (int i = 0; i < pServer->iConnectionCount; ++i) {
            auto *thread = new ThreadNntp(this);
            thread->setServer(pServer);
            thread->setManager(this);
            thread->setWaits(waits);
            ids.append(uiNextThreadId);
            thread->uiThreadId = uiNextThreadId++;
            thread->bPaused = bPaused;
            thread->connection.setTimeout(timeout);
            connectThreadSignals(thread);
            thread->start(QThread::TimeCriticalPriority);
            listThreads.append(thread);
        }
    }
    splitBandwidthLimit();
    return ids;
}

void DownloadNzbManager::pauseAllThreads(bool bPause)
{
    // Resuming ends a pause made after a write error, so that the next such error pauses and
    // reports again, and tries the files that could not be written again.
    if (!bPause) {
        bPausedAfterFileError = false;
        requeueFilesNotWritten();
        retryNzbsWaitingForFolder();
    }
    QMutexLocker locker(&mutexThreads);
    for (ThreadNntp *thread : qAsConst(listThreads))
        thread->bPaused = bPause;
}

void DownloadNzbManager::pauseThreads(const QList<quint32> &listThreadIds, bool bPause)
{
    QMutexLocker locker(&mutexThreads);
    for (ThreadNntp *thread : qAsConst(listThreads)) {
        if (listThreadIds.contains(thread->uiThreadId))
            thread->bPaused = bPause;
    }
}

// At exit: every connection is told to stop (a transfer in progress is cut short, its segment
// goes back), waited for and deleted; every retry queue goes back to the global queue.
// Open stop requests stay unanswered.
void DownloadNzbManager::stopAllThreads()
{
    QList<ThreadNntp *> threads;
    {
        QMutexLocker locker(&mutexThreads);
        for (ThreadNntp *thread : qAsConst(listThreads))
            thread->requestStop();
        threads.swap(listThreads);
        uiNextThreadId = 0;
        rebuildServerQueues(QList<quint32>());
    }
    // The threads never take mutexThreads; each leaves within about 100 ms of its stop.
    for (ThreadNntp *thread : qAsConst(threads)) {
        thread->wait();
        disconnectThreadSignals(thread);
        delete thread;
    }
}

void DownloadNzbManager::slotStopThreads(QList<quint32> listThreadIds, int iTag)
{
    listStopRequests.append(new QList<quint32>(listThreadIds));
    listStopRequestTags.append(iTag);
    requestStopThreads(listThreadIds);
    // A request that names no running connection is answered at once.
    answerStopRequests();
}

void DownloadNzbManager::requestStopThreads(const QList<quint32> &listThreadIds)
{
    QMutexLocker locker(&mutexThreads);
    auto *pending = new QList<quint32>;
    for (quint32 id : listThreadIds) {
        ThreadNntp *thread = findThreadLocked(id);
        if (!thread || pending->contains(id))
            continue;
        pending->append(id);
        // One connection per thread: its end answers every request that waits for it.
        connect(thread, &ThreadNntp::signalEndOfThread, this, &DownloadNzbManager::slotThreadStopped,
                Qt::UniqueConnection);
        thread->requestStop();
    }
    listStopRequestsPending.append(pending);
    rebuildServerQueues(listThreadIds);
}

void DownloadNzbManager::slotThreadStopped(quint32 uiThreadId)
{
    ThreadNntp *ended = nullptr;
    bool requestsOpen = false;
    {
        QMutexLocker locker(&mutexThreads);
        bool awaited = false;
        for (const QList<quint32> *pending : qAsConst(listStopRequestsPending))
            awaited = awaited || pending->contains(uiThreadId);
        if (!awaited)
            return;
        ended = findThreadLocked(uiThreadId);
        listThreads.removeOne(ended);
        for (QList<quint32> *pending : qAsConst(listStopRequestsPending))
            pending->removeAll(uiThreadId);
    }
    if (ended) {
        disconnectThreadSignals(ended);
        delete ended; // its run() has returned: the wait is short
    }
    answerStopRequests();
    {
        QMutexLocker locker(&mutexThreads);
        requestsOpen = !listStopRequestsPending.isEmpty();
    }
    if (!requestsOpen)
        splitBandwidthLimit();
}

// Sends signalThreadsStopped for every open request whose connections have all ended, in the
// order of the requests, and closes them. The signal goes out without any lock held, so that
// its receivers may call back into the manager.
void DownloadNzbManager::answerStopRequests()
{
    QList<QPair<QList<quint32>, int>> answered;
    {
        QMutexLocker locker(&mutexThreads);
        for (int i = 0; i < listStopRequestsPending.size();) {
            if (!listStopRequestsPending.at(i)->isEmpty()) {
                ++i;
                continue;
            }
            answered.append(qMakePair(*listStopRequests.at(i), listStopRequestTags.at(i)));
            delete listStopRequestsPending.takeAt(i);
            delete listStopRequests.takeAt(i);
            listStopRequestTags.removeAt(i);
        }
    }
    for (const auto &request : qAsConst(answered))
        emit signalThreadsStopped(request.first, request.second);
}

ThreadNntp *DownloadNzbManager::findThreadLocked(quint32 uiThreadId) const
{
    for (ThreadNntp *thread : listThreads) {
        if (thread->uiThreadId == uiThreadId)
            return thread;
    }
    return nullptr;
}

void DownloadNzbManager::connectThreadSignals(ThreadNntp *pThread)
{
    connect(pThread, &ThreadNntp::signalDownloadOK, this, &DownloadNzbManager::processDownload_OK);
    connect(pThread, &ThreadNntp::signalDownloadErrorMissingSegment, this,
            &DownloadNzbManager::processDownload_ErrorMissingSegment);
    connect(pThread, &ThreadNntp::signalDownloadErrorFailedCreateFile, this,
            &DownloadNzbManager::processDownload_ErrorFailedCreateFile);
    connect(pThread, &ThreadNntp::signalDownloadErrorException, this,
            &DownloadNzbManager::processDownload_ErrorException);
    connect(pThread, &ThreadNntp::signalDownloadErrorFailedConnect, this,
            &DownloadNzbManager::processDownload_ErrorFailedConnect);
    connect(pThread, &ThreadNntp::signalDownloadReturned, this, &DownloadNzbManager::processDownload_Returned);
    connect(pThread, &ThreadNntp::signalConnectRetry, this, &DownloadNzbManager::signalConnectRetry);
    connect(pThread, &ThreadNntp::signalIdle, this, &DownloadNzbManager::signalIdle);
    connect(pThread, &ThreadNntp::signalPaused, this, &DownloadNzbManager::signalPaused);
    connect(pThread, &ThreadNntp::signalWorking, this, &DownloadNzbManager::signalWorking);
    connect(pThread, &ThreadNntp::signalBody, this, &DownloadNzbManager::signalBody);
    connect(pThread, &ThreadNntp::signalConnect, this, &DownloadNzbManager::signalConnect);
    connect(pThread, &ThreadNntp::signalDisconnect, this, &DownloadNzbManager::signalDisconnect);
    connect(pThread, &ThreadNntp::signalGetGroups, this, &DownloadNzbManager::signalGetGroups);
    connect(pThread, &ThreadNntp::signalSelectGroup, this, &DownloadNzbManager::signalSelectGroup);
    connect(pThread, &ThreadNntp::signalStat, this, &DownloadNzbManager::signalStat);
    connect(pThread, &ThreadNntp::signalHelp, this, &DownloadNzbManager::signalHelp);
    connect(pThread, &ThreadNntp::signalCapabilities, this, &DownloadNzbManager::signalCapabilities);
    connect(pThread, &ThreadNntp::signalDate, this, &DownloadNzbManager::signalDate);
    // Stored in the thread that samples the speed.
    connect(pThread, &ThreadNntp::signalAverageSpeed, this, &DownloadNzbManager::setThreadSpeed,
            Qt::DirectConnection);
}

// Every connection from the thread to the manager, the end-of-thread one included: the thread
// is about to be deleted.
void DownloadNzbManager::disconnectThreadSignals(ThreadNntp *pThread)
{
    disconnect(pThread, nullptr, this, nullptr);
}

// The retry queue of every server that keeps no running connection (none outside the given
// ids, none that is already stopping) goes to the front of the global queue, and the server
// leaves the retry table, so that no missing segment is routed to it any more.
// mutexThreads is held.
void DownloadNzbManager::rebuildServerQueues(const QList<quint32> &listThreadIds)
{
    QSet<quint32> serversKept;
    for (const ThreadNntp *thread : qAsConst(listThreads)) {
        if (!listThreadIds.contains(thread->uiThreadId) && !thread->bStop)
            serversKept.insert(static_cast<quint32>(thread->server.iId));
    }
    QMutexLocker segments(&mutexSegments);
    QMutexLocker retryQueues(&mutexServerSegments);
    for (auto queue = hashServerSegments.begin(); queue != hashServerSegments.end();) {
        if (serversKept.contains(queue.key())) {
            ++queue;
            continue;
        }
        // Each in front of the one before: they end up in reverse order, ahead of the rest.
        for (NzbSegment *segment : qAsConst(queue.value()))
            listSegments.prepend(segment);
        queue = hashServerSegments.erase(queue);
    }
}

void DownloadNzbManager::setBandwidthLimit(quint64 uiLimit)
{
    QMutexLocker locker(&mutexThreads);
    uiBandwidthLimit = uiLimit;
    shareBandwidthLimitLocked(true);
}

// After connections start or stop: a limit in force is shared again among the live ones.
void DownloadNzbManager::splitBandwidthLimit()
{
    QMutexLocker locker(&mutexThreads);
    if (uiBandwidthLimit != 0)
        shareBandwidthLimitLocked(false);
}

// Gives each connection that is not stopping an equal share of the limit, at least the floor
// (so that many connections together may exceed a low limit); without a limit, the share 0
// (no limit) when asked to, else nothing changes. mutexThreads is held.
void DownloadNzbManager::shareBandwidthLimitLocked(bool bEvenWithoutLimit)
{
    if (uiBandwidthLimit == 0 && !bEvenWithoutLimit)
        return;
    quint64 live = 0;
    for (const ThreadNntp *thread : qAsConst(listThreads))
        live += thread->bStop ? 0 : 1;
    if (live == 0)
        return;
    const quint64 share = uiBandwidthLimit == 0 ? 0 : qMax(uiBandwidthLimit / live, kMinimumBandwidthShare);
    for (ThreadNntp *thread : qAsConst(listThreads)) {
        if (!thread->bStop)
            thread->connection.setSpeedLimit(share);
    }
}

void DownloadNzbManager::setEngineWaits(const EngineWaits &newWaits)
{
    waits = newWaits;
    threadComputeServerNewBytes.iSaveIntervalMs = newWaits.serverBytesSaveMs;
}
