// The three file decoder threads.
#include "engine/DownloadNzbManager.h"

#include "engine/ThreadFileDecoder.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"

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
        connect(decoder, SIGNAL(signalNotWritten(NzbFile*,QString,QString)), this,
                SLOT(processFileNotWritten(NzbFile*,QString,QString)));
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

void DownloadNzbManager::processFileNotWritten(NzbFile *pNzbFile, QString strPath, QString strReason)
{
    if (!pNzbFile || pNzbFile->bExcluded || pNzbFile->getNzbFiles()->bDeleted)
        return;
    // Its next decoding says whether its articles are sound.
    pNzbFile->setDamaged(false);
    // A download folder that cannot be used concerns its NZB alone; anything else (the disk
    // full) would fail every file alike.
    if (holdForUnusableFolder(pNzbFile))
        return;
    if (!listFilesNotWritten.contains(pNzbFile))
        listFilesNotWritten.append(pNzbFile);
    pauseAfterWriteError(tr("Cannot write the decoded file %1 (%2). "
                            "Free some disk space or check the Download folder, then resume the downloads.")
                             .arg(strPath, strReason));
}

// On resume: the files that could not be written are decoded again from their kept articles.
void DownloadNzbManager::requeueFilesNotWritten()
{
    if (listFilesNotWritten.isEmpty())
        return;
    QMutexLocker locker(&mutexFilesToDecode);
    for (NzbFile *file : qAsConst(listFilesNotWritten)) {
        if (!file->bExcluded && !file->getNzbFiles()->bDeleted && !file->isDecoded() && !listFilesToDecode.contains(file))
            listFilesToDecode.append(file);
    }
    listFilesNotWritten.clear();
}
