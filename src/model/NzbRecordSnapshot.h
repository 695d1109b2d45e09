#ifndef NZBRECORDSNAPSHOT_H
#define NZBRECORDSNAPSHOT_H

#include "model/NzbFile.h"

#include <QList>
#include <QString>
#include <QVector>

class NzbFiles;
class QDataStream;

// An NZB's record as it stands at one moment, so that it can be written in another thread than
// the one that changes the NZB. Everything that changes while the NZB is queued is copied when
// the snapshot is taken, under the locks its writers hold: the NZB's own fields (texts the window
// may replace, flags the decoders set), its list of files, and each file's flags and counters
// together with its segments' statuses (NzbFile::RecordState). Only the texts of files and
// segments, which never change once queued, are read from the live objects when the record is
// written. While a snapshot exists, the NZB and its files are not destroyed.
class NzbRecordSnapshot
{
public:
    explicit NzbRecordSnapshot(const NzbFiles &nzb);
    NzbRecordSnapshot(const NzbRecordSnapshot &other);
    NzbRecordSnapshot &operator=(const NzbRecordSnapshot &other) = delete;
    ~NzbRecordSnapshot();

    const NzbFiles *nzb() const { return pNzb; }
    qint32 queueId() const { return iQueueId; }
    QString name() const { return strName; }
    // The NZB's record (the same bytes as streaming the NZB itself).
    void write(QDataStream &out) const;

private:
    const NzbFiles *pNzb;
    bool bFinished = false;
    QString strDestination;
    QString strDownloadFolder;
    QString strName;
    bool bAllFilesDecoded = false;
    bool bPostProcessingSucceeded = true;
    qint32 iQueueId = 0;
    // Excluded files are never in a record.
    QList<const NzbFile *> listFiles;
    QVector<NzbFile::RecordState> fileStates;
    bool bKeepPar2Files = false;
    bool bSkipExtraction = false;
    QString strArchivePassword;
    QString strBaseDestination;
    bool bPasswordCheckDone = false;
    bool bPasswordProtected = false;
};

#endif // NZBRECORDSNAPSHOT_H
