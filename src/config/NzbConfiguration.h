#ifndef NZBCONFIGURATION_H
#define NZBCONFIGURATION_H

#include "config/AppendedItems.h"
#include "config/NzbRecordLedger.h"
#include "config/NzbRecordWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <memory>
#include <vector>

class NzbFiles;
class NzbRecordSnapshot;

// The saved download queue: one record file per queued NZB in the "Nzb" folder ("Nzb_" + queue
// id: the NZB's record, then the MD5 of the record), each with a byte-identical backup named
// like it plus ".rec". Every file is replaced in one step, never truncated in place.
// The NZB objects are shared with the download manager and never deleted here.
//
// The window writes records in the background: a thread of their own (NzbRecordWriter) writes
// and removes the files in the order asked, from snapshots taken in the GUI thread, so that a
// record of a hundred megabytes never stops the window. Progress is coalesced: an NZB's record
// is written at most once per interval, with whatever changed meanwhile. The interval grows
// with the record: 50 ms per MiB of it (five seconds for a record of 100 MiB), and at least ten
// times as long as its last write took, so that writing records keeps a small share of the disk;
// a small record is written about as soon as it changes. The other operations wait for the
// background writes to end before they touch the files themselves.
//
// Writes asked for one after the other are written together, their flushes to the disk side by
// side, and a write that a later one of the same NZB (or a rewrite of the whole queue) makes
// useless before it began is skipped; a record whose file already holds the same content, as
// this program wrote it, is not written again. Every bookkeeping step costs in proportion to the
// NZBs it concerns, not to the length of the queue.
class NzbConfiguration : public QObject
{
    Q_OBJECT

public:
    explicit NzbConfiguration(QObject *parent = nullptr);
    // Background writes already asked for are finished; progress still waiting is dropped.
    ~NzbConfiguration() override;

    // Replaces the saved queue by the NZBs of the record files, in ascending queue id order.
    // A record that fails its check is restored from its backup (named in listRestoredNzbs).
    // A record that cannot be restored so is set aside with its backup, renamed with the
    // suffix of damaged files, and named in listUnrestoredNzbs.
    void loadNzbs();
    // Writes the record file of one NZB, then its backup; false when the folder or the record
    // file cannot be written.
    bool saveNzb(NzbFiles *nzbFiles);
    // Takes the NZB out of the saved queue and removes its record file and backup (unless an NZB
    // still in the saved queue has the same queue id).
    void deleteNzb(NzbFiles *nzbFiles);
    // Drops finished and deleted NZBs from the saved queue, writes every other one, and only then
    // removes the files that belong to no NZB of the queue. False when some record could not be
    // written (nothing is removed but the files of the dropped NZBs then).
    bool saveAllNzbs();

    // In the background, for an NZB of the saved queue (others are left alone):
    // - progress: written once its interval since its last write has passed, with everything
    //   else that changed by then;
    void scheduleSave(NzbFiles *nzbFiles);
    // - the moments that matter (added, downloaded whole): written as soon as the writer comes
    //   to it;
    void saveInBackground(NzbFiles *nzbFiles);
    // - deleteNzb() and saveAllNzbs(), the files removed and written after the writes asked
    //   for before.
    void deleteInBackground(NzbFiles *nzbFiles);
    void saveAllInBackground();
    // Writes the progress still waiting for its interval and returns once every background
    // write is on disk.
    void flushWrites();

    static QString recordFileName(qint32 queueId);
    static QString backupSuffix();
    // Record files that could not be read are kept under their name with this suffix (before
    // it, a number when that name is taken): never loaded, never removed.
    static QString damagedSuffix();
    static bool isDamagedName(const QString &fileName);
    // The content of a record file: the NZB's record, then the 16-byte MD5 of the record.
    static QByteArray recordFileContent(const NzbFiles &nzbFiles);
    static QByteArray recordFileContent(const NzbRecordSnapshot &snapshot);
    // True when the last 16 bytes are the MD5 of the bytes before them.
    static bool isSoundRecordFile(const QByteArray &content);

    QList<NzbFiles *> listNzbFiles;

    // What the last load found: NZBs restored from their backup, and NZBs whose record and
    // backup were both damaged (by the name the damaged bytes still tell, else by the record's
    // file name).
    QStringList listRestoredNzbs;
    QStringList listUnrestoredNzbs;

    enum {
        IntervalMsPerRecordMiB = 50,
        // An interval lasts at least this many times the NZB's last write.
        WriteCostFactor = 10,
        BusyRecheckMs = 250
    };

signals:
    // A queue record could not be written (a full or read-only disk): the folder and why.
    // Emitted from the thread that wrote, the writer's own for the background writes.
    void signalRecordNotWritten(const QString &folder, const QString &reason);

private:
    // How the background writes of one NZB went; shared with the writer thread.
    struct WriteStats
    {
        std::atomic<int> iInFlight{0};
        std::atomic<qint64> iLastWriteMs{0};
        std::atomic<qint64> iLastRecordBytes{0};
        // Raised by each write asked for, and when the NZB leaves the saved queue: a write still
        // waiting with an older number has been made useless and is skipped.
        std::atomic<quint64> iGeneration{0};
    };
    struct Schedule
    {
        bool bWaiting = false;
        qint64 iLastQueuedMs = -1;
        std::shared_ptr<WriteStats> stats = std::make_shared<WriteStats>();
    };
    struct QueuedRecord
    {
        std::shared_ptr<const NzbRecordSnapshot> snapshot;
        std::shared_ptr<WriteStats> stats;
        quint64 iGeneration = 0;
        QDateTime taken;
    };
    using QueuedRecords = std::vector<QueuedRecord>;
    struct PreparedRecord
    {
        QueuedRecord record;
        QByteArray content;
        qint64 iPrepareNs = 0;
    };
    using PreparedRecords = std::vector<PreparedRecord>;
    // The writes of NZBs asked for one after the other, written by one job of the writer. It
    // takes the writes asked for until that job begins or another kind of job is queued.
    struct WriteBatch
    {
        QMutex mutex;
        QString strFolder;
        bool bTaken = false;
        QueuedRecords records;
        QHash<const NzbFiles *, size_t> hashPositions;
    };

    static bool isBackupName(const QString &fileName);
    static bool isRecordName(const QString &fileName);
    static NzbFiles *nzbFromRecordFile(const QByteArray &content);
    static void fetchAgainWhatIsGone(NzbFiles *nzbFiles);
    static void creditSegmentFilesWrittenSince(NzbFiles *nzbFiles, const QString &recordPath);
    static bool isCompleteSegmentFile(const QString &path);
    static QByteArray readWholeFile(const QString &path, bool *ok = nullptr);
    static void removeFilesOf(const QString &folder, qint32 queueId, const QSet<QString> &keep,
                              NzbRecordLedger &ledger);
    static PreparedRecords prepareRecords(const QueuedRecords &records);
    static std::vector<bool> writeRecords(const QString &folder, const QueuedRecords &records, NzbRecordLedger &ledger,
                                          QString *error = nullptr);
    static std::vector<bool> writePrepared(const QString &folder, const PreparedRecords &records,
                                           NzbRecordLedger &ledger, QString *error = nullptr);
    static bool writeAllRecordFiles(const QString &folder, const PreparedRecords &records,
                                    const QList<qint32> &droppedIds, NzbRecordLedger &ledger, QString *error);
    static QString writeBatch(WriteBatch &batch, NzbRecordLedger &ledger);
    // Makes the folder of the records; false, with `error` saying why, when it cannot be made.
    static bool makeFolder(const QString &folder, QString *error);
    static void setAside(const QString &path);
    static QString nameInDamagedRecord(const QByteArray &content);

    NzbFiles *loadRecordFile(const QString &path);
    void insertInQueueOrder(NzbFiles *nzbFiles);
    bool isLive(const NzbFiles *nzbFiles) const;
    bool isInSavedQueue(const NzbFiles *nzbFiles);
    void refreshSavedIndex();
    QSet<QString> namesKeptWhenDeleting(const NzbFiles *nzbFiles) const;
    void forgetSchedule(const NzbFiles *nzbFiles);
    QList<qint32> dropNotLive();
    QueuedRecords snapshotsOfSavedQueue();
    QueuedRecord newRecord(NzbFiles *nzbFiles, Schedule &schedule);
    void queueWrite(NzbFiles *nzbFiles);
    void queueJob(NzbRecordWriter::Job job);
    void writeDueSaves();
    void armPendingSaves();
    qint64 dueMs(const Schedule &schedule) const;

    QHash<const NzbFiles *, Schedule> hashSchedules;
    // The NZBs whose progress waits for its interval.
    QSet<const NzbFiles *> setWaiting;
    // The saved queue as a set (see refreshSavedIndex).
    QSet<const NzbFiles *> setSaved;
    AppendedItems<NzbFiles *> savedQueueChanges;
    QTimer timerPendingSaves;
    QElapsedTimer clock;
    std::shared_ptr<NzbRecordLedger> ledger = std::make_shared<NzbRecordLedger>();
    std::shared_ptr<WriteBatch> openBatch;
    // Last: destroyed first, so that the writes it runs still find what they need.
    NzbRecordWriter writer;
};

#endif // NZBCONFIGURATION_H
