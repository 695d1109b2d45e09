#ifndef NZBFILE_H
#define NZBFILE_H

#include "model/NzbSegment.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class NzbFiles;
class QDataStream;
class QTreeWidgetItem;

// One posted file of an NZB: its texts, groups and segments (owned, keyed by number), its
// size and credited bytes, and its download state.
class NzbFile : public QObject
{
    Q_OBJECT

public:
    explicit NzbFile(QObject *parent = nullptr);
    ~NzbFile() override;

    void setNzbFiles(NzbFiles *nzbFiles);
    NzbFiles *getNzbFiles() const;

    void setPoster(const QString &poster);
    QString getPoster() const;
    void setSubject(const QString &subject);
    QString getSubject() const;
    void setDate(const QString &date);
    QString getDate() const;
    // The date (Unix time) in the system locale's short date format.
    QString getDateString() const;

    void addGroup(const QString &group);
    int getGroupCount() const;
    QString getGroup(int index) const;

    // Takes ownership. Segments are kept by number; segments of one number are all kept, in the
    // order they came, except the same article (one message id) listed twice, whose later entry
    // replaces (and deletes) the earlier. Segments whose number places them nowhere come last.
    void addSegment(NzbSegment *segment);
    int getSegmentCount() const;
    // The segments by ascending number.
    QList<NzbSegment *> getSegments() const;

    bool isAllSegmentsProcessed() const;
    void addDownloadedBytes(quint64 bytes);
    // The decoded, paused and excluded flags are read by the completion test in the decoder
    // threads: they change under the NZB's mutex.
    void setDecoded(bool decoded);
    bool isDecoded() const;
    void setPaused(bool paused);
    void setExcluded(bool excluded);
    // Some article of the file did not decode cleanly (a CRC error, a length other than its
    // headers announce, bytes no article holds, an attachment cut short): without PAR2 files to
    // repair it, the NZB cannot end well. Kept in the queue record; under the NZB's mutex.
    void setDamaged(bool damaged);
    bool isDamaged() const;
    void reset();

    // What a queue record holds of the file that changes while the NZB downloads, taken at one
    // moment: the counters with the segments' statuses under the file's mutex, the decoded and
    // paused flags under the NZB's. The record can then be written in another thread.
    struct SegmentState
    {
        const NzbSegment *segment;
        NzbSegment::Status status;
    };
    struct RecordState
    {
        qint32 processed = 0;
        bool allSegmentsProcessed = false;
        bool decoded = false;
        bool paused = false;
        bool damaged = false;
        quint64 downloaded = 0;
        // In the segments' order, which is the record's.
        QVector<SegmentState> segments;
    };
    RecordState recordState() const;
    void writeRecord(QDataStream &out, const RecordState &state) const;

    // Sets the temporary folder and file of every segment: <root>/<nzbIndex>-<filePos>/<n>.tmp
    void setSegmentPaths(const QString &tempRoot, int nzbIndex, int filePosition);

    // Byte sums stop at the largest value instead of wrapping on absurd sizes.
    static quint64 saturatingAdd(quint64 a, quint64 b);

    quint64 uiSize = 0;
    quint64 uiDownloaded = 0;
    QStringList listGroups;
    // Where a segment stands among its file's segments.
    struct SegmentPlace
    {
        bool unplaced = false; // its number places it nowhere: after every other
        qint64 number = 0;
        int occurrence = 0;
        bool operator<(const SegmentPlace &other) const
        {
            if (unplaced != other.unplaced)
                return other.unplaced;
            if (number != other.number)
                return number < other.number;
            return occurrence < other.occurrence;
        }
    };
    QMap<SegmentPlace, NzbSegment *> mapSegments;
    mutable QMutex mutex;
    qint32 iProcessed = 0;
    bool bAllSegmentsProcessed = false;
    bool bDecoded = false;
    bool bPaused = false;
    bool bExcluded = false;
    bool bDamaged = false;
    QTreeWidgetItem *pTreeItem = nullptr;

private:
    void addDownloadedBytesLocked(quint64 bytes);
    void recountCreditedSegments();
    // NzbSegment credits its bytes under this file's mutex.
    friend class NzbSegment;

    NzbFiles *pNzbFiles = nullptr;
    QString strPoster{""};
    QString strSubject{""};
    QString strDate{""};

    friend QDataStream &operator<<(QDataStream &out, const NzbFile &file);
    friend QDataStream &operator>>(QDataStream &in, NzbFile &file);
};

QDataStream &operator<<(QDataStream &out, const NzbFile &file);
QDataStream &operator>>(QDataStream &in, NzbFile &file);

bool compareNzbFileSize(NzbFile *a, NzbFile *b);

#endif // NZBFILE_H
