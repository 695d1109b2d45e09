// Connection threads: starting a server's connections, stopping them on request and at exit,
// pausing them, and sharing the bandwidth limit among them.
//
// TODO(connections): everything in this file. What the rest of the manager already does for it:
// getNextSegment(server id) serves a server's retry queue first, addServerQueue(server id)
// creates that queue, and the result slots expect the server id (not the nickname) of the
// connection that reports. Lock order: mutexThreads, then mutexSegments, then
// mutexServerSegments (see the class comment).
#include "engine/DownloadNzbManager.h"

#include "model/NntpServer.h"

// TODO(connections): addServerQueue(server id), one ThreadNntp per configured connection with
// the next thread ids, wired and started; then the bandwidth split.
QList<quint32> DownloadNzbManager::startServer(NntpServer *pServer, bool bPaused)
{
    Q_UNUSED(pServer);
    Q_UNUSED(bPaused);
    return {};
}

// TODO(connections): set or clear the paused flag of every connection thread under mutexThreads.
void DownloadNzbManager::pauseAllThreads(bool bPause)
{
    // Resuming ends a pause made after a temporary-file error, so that the next such error
    // pauses and reports again.
    if (!bPause)
        bPausedAfterFileError = false;
}

// TODO(connections)
void DownloadNzbManager::pauseThreads(const QList<quint32> &listThreadIds, bool bPause)
{
    Q_UNUSED(listThreadIds);
    Q_UNUSED(bPause);
}

// TODO(connections): stop flags, wait for and delete every thread, ids back to 0, every retry
// queue back to the front of the global queue. Called by shutdown().
void DownloadNzbManager::stopAllThreads()
{
}

// TODO(connections)
void DownloadNzbManager::slotStopThreads(QList<quint32> listThreadIds, int iTag)
{
    Q_UNUSED(listThreadIds);
    Q_UNUSED(iTag);
}

// TODO(connections)
void DownloadNzbManager::slotThreadStopped(quint32 uiThreadId)
{
    Q_UNUSED(uiThreadId);
}

// TODO(connections)
void DownloadNzbManager::connectThreadSignals(ThreadNntp *pThread)
{
    Q_UNUSED(pThread);
}

// TODO(connections)
void DownloadNzbManager::disconnectThreadSignals(ThreadNntp *pThread)
{
    Q_UNUSED(pThread);
}

// TODO(connections)
void DownloadNzbManager::requestStopThreads(const QList<quint32> &listThreadIds)
{
    Q_UNUSED(listThreadIds);
}

// TODO(connections): with mutexThreads held, take mutexSegments, then mutexServerSegments.
void DownloadNzbManager::rebuildServerQueues(const QList<quint32> &listThreadIds)
{
    Q_UNUSED(listThreadIds);
}

// TODO(connections)
void DownloadNzbManager::splitBandwidthLimit()
{
}
