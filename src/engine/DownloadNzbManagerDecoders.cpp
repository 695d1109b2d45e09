// The three file decoder threads.
//
// TODO(post-processing): everything in this file. loadNzbFile, queueNzbFiles and
// restoreNzbFiles call startFileDecoders(); shutdown() calls stopFileDecoders();
// takeNextFileToDecode() hands out each file of the decode queue once, skipping files of
// removed NZBs and removed files.
#include "engine/DownloadNzbManager.h"

#include <QMutexLocker>

void DownloadNzbManager::setDecodersPriority(int iPause)
{
    QMutexLocker locker(&mutexDecoders);
    iDecodersPause = iPause;
    // TODO(post-processing): hand the pause to every decoder of listDecoders.
}

// TODO(post-processing): three ThreadFileDecoder, unless they run already.
void DownloadNzbManager::startFileDecoders()
{
}

// TODO(post-processing): stop flags, then wait for and delete each decoder.
void DownloadNzbManager::stopFileDecoders()
{
}
