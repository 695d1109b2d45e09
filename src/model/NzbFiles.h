#ifndef NZBFILES_H
#define NZBFILES_H

#include <QAtomicInt>
#include <QFileInfo>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>

class NzbFile;
class QDataStream;
class QTreeWidgetItem;

// One NZB of the download queue: its files (owned, in download order), its folders, byte
// totals and post-processing state.
//
// The file list is read by decoder threads while the GUI thread may reorder it, so every
// access to it goes through the NZB's mutex; read it with getFiles().
class NzbFiles : public QObject
{
    Q_OBJECT

public:
    explicit NzbFiles(QObject *parent = nullptr);
    ~NzbFiles() override;

    void addFile(NzbFile *file);
    void removeFile(NzbFile *file);
    QList<NzbFile *> getFiles() const;
    QList<NzbFile *> getFilesCopy() const;
    NzbFile *getFileAt(quint64 index) const;
    qint64 getFileCount() const;
    QList<NzbFile *> getFilesByPauseState(bool paused) const;
    bool isAnyFileDecoded() const;

    void moveFilesUp(const QList<QTreeWidgetItem *> &items);
    void moveFilesDown(const QList<QTreeWidgetItem *> &items);

    QString getDestination() const;
    bool isFinished() const;
    void setFinished(bool finished);

    void updateSizes();
    void addToSizeToDownload(const QList<NzbFile *> &files);
    void addDownloadedBytes(quint64 bytes);
    void removeDownloadedBytes(quint64 bytes);
    void checkAllFilesDecoded();
    // For readers outside the engine: the decoders change these under the NZB's mutex.
    struct ByteProgress
    {
        quint64 sizeToDownload = 0;
        quint64 downloaded = 0;
    };
    ByteProgress getByteProgress() const;
    bool isAllFilesDecoded() const;
    QFileInfo takeNextFileInfo();

    // Preparing for download.
    // Index files first, then the other files (RAR first), then the PAR2 recovery volumes,
    // which smart download holds back (paused) but for one volume of each set that has no
    // index file in the NZB.
    void sortFiles(bool smartDownload);
    // Rebuilds the PAR2 volume list (by ascending size) without touching the file order or
    // the paused flags: for an NZB restored from its queue record.
    void rebuildPar2VolumeList();
    QList<NzbFile *> selectPar2Volumes(quint64 blocksNeeded, const QString &baseName) const;
    void setDestination(const QString &folder, bool makeSubFolder);
    void updateDestinationSubFolder(bool makeSubFolder);
    void setDownloadFolder(const QString &folder);
    // The folder setDownloadFolder would give the NZB under `folder`.
    QString downloadFolderUnder(const QString &folder) const;
    void setSegmentPaths(const QString &tempRoot, int nzbIndex);

    // Writes the NZB as an NZB 1.0 document (excluded files left out).
    void writeNzb(QByteArray &out) const;

    // A folder name made of a name or subject: never empty, ".", "..", nor holding a
    // separator, a character that file names cannot hold or a control character.
    static QString folderName(const QString &text);
    // Fallback for a text that leaves no usable folder name.
    static QString fallbackFolderName();

    static bool isPar2Subject(const QString &subject);
    static bool isPar2VolumeSubject(const QString &subject);

    qint32 iQueueId = 0;
    bool bPasswordCheckDone = false;
    bool bPasswordProtected = false;
    bool bDeleted = false;
    bool bPostProcessingSucceeded = true;
    bool bFinished = false;
    bool bCleaned = false;
    QString strName;
    QList<NzbFile *> listPar2Volumes;
    QString strBaseDestination;
    QString strDestination;
    QString strDownloadFolder;
    bool bAllFilesDecoded = false;
    mutable QMutex mutex;
    quint64 uiSizeToDownload = 0;
    quint64 uiTotalSize = 0;
    quint64 uiDownloaded = 0;
    QTreeWidgetItem *pTreeItem = nullptr;
    QList<QFileInfo> listPar2IndexFiles;
    bool bKeepPar2Files = false;
    bool bSkipExtraction = false;
    QString strArchivePassword;
    // Record snapshots of this NZB not yet written (NzbRecordSnapshot): they read its files,
    // which the destructor therefore keeps until the last one is gone.
    mutable QAtomicInt iRecordSnapshots;
    // Of this run only (not in the queue record), set at each completion by the post-processing:
    // why the NZB did not succeed (empty when there is nothing more to say), and whether its
    // volumes and PAR2 files stay for a manual repair (a repair that failed).
    QString strPostProcessingProblem;
    bool bKeepFilesForRepair = false;
    // Of this run only, under the mutex, taken when its last file was decoded: how many files were
    // decoded into the download folder in this run, and the names of those no longer there.
    int iFilesDecodedHere = 0;
    QStringList listFilesGone;

private:
    void recomputeTotalsLocked();
    void keepOneVolumeOfSetsWithoutIndex(const QList<NzbFile *> &indexFiles);

    QList<NzbFile *> listFiles;
    // Every file before this position in listFiles is done for checkAllFilesDecoded (decoded,
    // excluded, or a held-back PAR2 volume): the check goes on from here, so that completing the
    // files of a large NZB one after the other costs in proportion to their number. Back to 0
    // (under the mutex) whenever a file may stop being done or the list changes its order.
    int iDecodedScanStart = 0;

    // Sets the flags that decide whether a file is done, under the mutex.
    friend class NzbFile;
    // Takes the file list and the flags together, under the mutex.
    friend class NzbRecordSnapshot;
    friend QDataStream &operator<<(QDataStream &out, const NzbFiles &nzb);
    friend QDataStream &operator>>(QDataStream &in, NzbFiles &nzb);
};

QDataStream &operator<<(QDataStream &out, const NzbFiles &nzb);
QDataStream &operator>>(QDataStream &in, NzbFiles &nzb);

#endif // NZBFILES_H
