// Connection speeds, the total speed and the per-server byte counts.
#include "engine/DownloadNzbManager.h"

#include "engine/ThreadNntp.h"

#include <QMutexLocker>

// Runs in the connection's speed-sampling thread, once a second.
void DownloadNzbManager::setThreadSpeed(quint64 uiSpeed, quint32 uiThreadId)
{
    {
        QMutexLocker locker(&mutexThreadSpeed);
        hashThreadSpeed.insert(uiThreadId, uiSpeed);
    }
    emit signalThreadCurrentSpeedBytesPerSec(uiSpeed, uiThreadId);
}

// The sum of the last speeds of the connections that still exist (the manager's thread, once
// a second); a connection that has not reported yet adds nothing.
void DownloadNzbManager::computeAverageSpeed()
{
    quint64 total = 0;
    {
        QMutexLocker threads(&mutexThreads);
        QMutexLocker speeds(&mutexThreadSpeed);
        for (const ThreadNntp *thread : qAsConst(listThreads))
            total += hashThreadSpeed.value(thread->uiThreadId, 0);
    }
    uiTotalSpeed = total;
}

// Hands the bytes each server received since the last tick to the byte-count saver (the
// manager's thread, once a second); nothing is sent for a second without bytes.
void DownloadNzbManager::computeServerNewBytes()
{
    QList<quint32> servers;
    QList<quint64> counts;
    {
        QMutexLocker locker(&mutexServerNewBytes);
        for (auto entry = hashServerNewBytes.begin(); entry != hashServerNewBytes.end(); ++entry) {
            if (entry.value() == 0)
                continue;
            servers.append(entry.key());
            counts.append(entry.value());
            entry.value() = 0;
        }
    }
    if (!servers.isEmpty())
        emit signalNewBytesDownloaded(servers, counts);
}
