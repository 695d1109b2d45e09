#include "model/NzbRecordSnapshot.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"

#include <QDataStream>
#include <QMutexLocker>

// The texts and the other fields without a lock are the window's own (the thread that takes
// snapshots); the flags below change in the decoders and the post-processing too, under the
// NZB's mutex.
NzbRecordSnapshot::NzbRecordSnapshot(const NzbFiles &nzb)
    : pNzb(&nzb),
      bFinished(nzb.bFinished),
      strDestination(nzb.strDestination),
      strDownloadFolder(nzb.strDownloadFolder),
      strName(nzb.strName),
      iQueueId(nzb.iQueueId),
      bKeepPar2Files(nzb.bKeepPar2Files),
      bSkipExtraction(nzb.bSkipExtraction),
      strArchivePassword(nzb.strArchivePassword),
      strBaseDestination(nzb.strBaseDestination)
{
    nzb.iRecordSnapshots.ref();
    {
        QMutexLocker locker(&nzb.mutex);
        bAllFilesDecoded = nzb.bAllFilesDecoded;
        bPostProcessingSucceeded = nzb.bPostProcessingSucceeded;
        bPasswordCheckDone = nzb.bPasswordCheckDone;
        bPasswordProtected = nzb.bPasswordProtected;
        for (const NzbFile *file : nzb.listFiles) {
            if (!file->bExcluded)
                listFiles.append(file);
        }
    }
    fileStates.reserve(listFiles.size());
    for (const NzbFile *file : qAsConst(listFiles))
        fileStates.append(file->recordState());
}

NzbRecordSnapshot::NzbRecordSnapshot(const NzbRecordSnapshot &other)
    : pNzb(other.pNzb),
      bFinished(other.bFinished),
      strDestination(other.strDestination),
      strDownloadFolder(other.strDownloadFolder),
      strName(other.strName),
      bAllFilesDecoded(other.bAllFilesDecoded),
      bPostProcessingSucceeded(other.bPostProcessingSucceeded),
      iQueueId(other.iQueueId),
      listFiles(other.listFiles),
      fileStates(other.fileStates),
      bKeepPar2Files(other.bKeepPar2Files),
      bSkipExtraction(other.bSkipExtraction),
      strArchivePassword(other.strArchivePassword),
      strBaseDestination(other.strBaseDestination),
      bPasswordCheckDone(other.bPasswordCheckDone),
      bPasswordProtected(other.bPasswordProtected)
{
    pNzb->iRecordSnapshots.ref();
}

NzbRecordSnapshot::~NzbRecordSnapshot()
{
    pNzb->iRecordSnapshots.deref();
}

void NzbRecordSnapshot::write(QDataStream &out) const
{
    out << bFinished << strDestination << strDownloadFolder << strName << bAllFilesDecoded
        << bPostProcessingSucceeded << iQueueId;
    out << static_cast<qint32>(listFiles.size());
    for (int i = 0; i < listFiles.size(); ++i)
        listFiles.at(i)->writeRecord(out, fileStates.at(i));
    out << bKeepPar2Files << bSkipExtraction << strArchivePassword << strBaseDestination
        << bPasswordCheckDone << bPasswordProtected;
    // A group of its own after the others: the positions, in the record's list of files, of
    // the files found damaged. A reader that stops before it (an older one) misses only them.
    QVector<qint32> damaged;
    for (int i = 0; i < fileStates.size(); ++i) {
        if (fileStates.at(i).damaged)
            damaged.append(qint32(i));
    }
    out << qint32(damaged.size());
    for (const qint32 position : qAsConst(damaged))
        out << position;
}
