#ifndef NZBCONFIGURATION_H
#define NZBCONFIGURATION_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class NzbFiles;

// The saved download queue: one record file per queued NZB in the "Nzb" folder ("Nzb_" + queue
// id: the NZB's record, then the MD5 of the record), each with a byte-identical backup named
// like it plus ".rec". Every file is replaced in one step, never truncated in place.
// The NZB objects are shared with the download manager and never deleted here.
class NzbConfiguration : public QObject
{
    Q_OBJECT

public:
    explicit NzbConfiguration(QObject *parent = nullptr);

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

    static QString recordFileName(qint32 queueId);
    static QString backupSuffix();
    // Record files that could not be read are kept under their name with this suffix (before
    // it, a number when that name is taken): never loaded, never removed.
    static QString damagedSuffix();
    static bool isDamagedName(const QString &fileName);
    // The content of a record file: the NZB's record, then the 16-byte MD5 of the record.
    static QByteArray recordFileContent(const NzbFiles &nzbFiles);
    // True when the last 16 bytes are the MD5 of the bytes before them.
    static bool isSoundRecordFile(const QByteArray &content);

    QList<NzbFiles *> listNzbFiles;
    // What the last load found: NZBs restored from their backup, and NZBs whose record and
    // backup were both damaged (by the name the damaged bytes still tell, else by the record's
    // file name).
    QStringList listRestoredNzbs;
    QStringList listUnrestoredNzbs;

private:
    static bool isBackupName(const QString &fileName);
    static bool isRecordName(const QString &fileName);
    static NzbFiles *nzbFromRecordFile(const QByteArray &content);
    static void creditSegmentFilesWrittenSince(NzbFiles *nzbFiles, const QString &recordPath);
    static bool isCompleteSegmentFile(const QString &path);
    static QByteArray readWholeFile(const QString &path, bool *ok = nullptr);
    static void removeFilesOf(qint32 queueId, const QSet<QString> &keep);
    static void setAside(const QString &path);
    static QString nameInDamagedRecord(const QByteArray &content);

    NzbFiles *loadRecordFile(const QString &path);
    void insertInQueueOrder(NzbFiles *nzbFiles);
    bool isLive(const NzbFiles *nzbFiles) const;
};

#endif // NZBCONFIGURATION_H
