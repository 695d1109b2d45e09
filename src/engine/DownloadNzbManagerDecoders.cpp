// The three file decoder threads.
#include "engine/DownloadNzbManager.h"

#include "engine/ThreadFileDecoder.h"

#include <QMutexLocker>

void DownloadNzbManager::setDecodersPriority(int iPause)
{
    QMutexLocker locker(&mutexDecoders);
    iDecodersPause = iPause;
    for (ThreadFileDecoder *decoder : qAsConst(listDecoders))
        decoder->uiPause = quint32(qMax(0, iPause));
}

// Starts the decoders unless they run; their reports reach the manager queued, in its thread.
void DownloadNzbManager::startFileDecoders()
{
    QMutexLocker locker(&mutexDecoders);
    if (!listDecoders.isEmpty() || bShutDown)
        return;
    for (int n = 0; n < iFileDecodersToStart; ++n) {
        auto *decoder = new ThreadFileDecoder;
        decoder->setManager(this);
        decoder->uiPause = quint32(qMax(0, iDecodersPause));
        connect(decoder, SIGNAL(signalDecoded(NzbFile*)), this, SLOT(processDecodedFile(NzbFile*)));
        connect(decoder, SIGNAL(signalFileWarning(NzbFile*,QString)), this,
                SLOT(processFileWarning(NzbFile*,QString)));
        listDecoders.append(decoder);
        decoder->start(QThread::HighPriority);
    }
}

// Each decoder finishes the file in hand (a password probe is stopped), then ends.
void DownloadNzbManager::stopFileDecoders()
{
    QMutexLocker locker(&mutexDecoders);
    for (ThreadFileDecoder *decoder : qAsConst(listDecoders))
        decoder->bStop = true;
    for (ThreadFileDecoder *decoder : qAsConst(listDecoders)) {
        decoder->wait();
        disconnect(decoder, nullptr, this, nullptr);
        delete decoder;
    }
    listDecoders.clear();
}
