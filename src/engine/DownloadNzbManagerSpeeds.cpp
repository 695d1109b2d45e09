// Connection speeds, the total speed and the per-server byte counts.
//
// TODO(connections): everything in this file. processDownload_OK already adds each downloaded
// segment's declared size to hashServerNewBytes (under mutexServerNewBytes) by server id, and
// the manager's thread calls computeAverageSpeed() and computeServerNewBytes() every second.
#include "engine/DownloadNzbManager.h"

// TODO(connections)
void DownloadNzbManager::setThreadSpeed(quint64 uiSpeed, quint32 uiThreadId)
{
    Q_UNUSED(uiSpeed);
    Q_UNUSED(uiThreadId);
}

// TODO(connections)
void DownloadNzbManager::computeAverageSpeed()
{
}

// TODO(connections)
void DownloadNzbManager::computeServerNewBytes()
{
}
