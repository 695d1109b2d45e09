#ifndef NZBRECORDSNAPSHOT_H
#define NZBRECORDSNAPSHOT_H

#include <QList>
#include <QString>

class NzbFile;
class NzbFiles;
class QDataStream;

// An NZB's record as it stands at one moment, so that it can be written in another thread than
// the one that changes the NZB. The NZB's own fields (texts the window may replace, flags) and
// its list of files are copied when the snapshot is taken; the files themselves are written from
// the live objects, whose texts and segments never change once queued and whose flags and
// counters the engine changes one value at a time (as it always did while a record was written).
// While a snapshot exists, the NZB and its files are not destroyed.
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
    bool bKeepPar2Files = false;
    bool bSkipExtraction = false;
    QString strArchivePassword;
    QString strBaseDestination;
    bool bPasswordCheckDone = false;
    bool bPasswordProtected = false;
};

#endif // NZBRECORDSNAPSHOT_H
