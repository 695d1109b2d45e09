#include "model/NzbRecordSnapshot.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"

#include <QDataStream>

NzbRecordSnapshot::NzbRecordSnapshot(const NzbFiles &nzb)
    : pNzb(&nzb),
      bFinished(nzb.bFinished),
      strDestination(nzb.strDestination),
      strDownloadFolder(nzb.strDownloadFolder),
      strName(nzb.strName),
      bAllFilesDecoded(nzb.bAllFilesDecoded),
      bPostProcessingSucceeded(nzb.bPostProcessingSucceeded),
      iQueueId(nzb.iQueueId),
      bKeepPar2Files(nzb.bKeepPar2Files),
      bSkipExtraction(nzb.bSkipExtraction),
      strArchivePassword(nzb.strArchivePassword),
      strBaseDestination(nzb.strBaseDestination),
      bPasswordCheckDone(nzb.bPasswordCheckDone),
      bPasswordProtected(nzb.bPasswordProtected)
{
    nzb.iRecordSnapshots.ref();
    for (const NzbFile *file : nzb.getFilesCopy()) {
        if (!file->bExcluded)
            listFiles.append(file);
    }
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
    for (const NzbFile *file : listFiles)
        out << *file;
    out << bKeepPar2Files << bSkipExtraction << strArchivePassword << strBaseDestination
        << bPasswordCheckDone << bPasswordProtected;
}
