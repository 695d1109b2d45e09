#ifndef ABSTRACTSPLIT_H
#define ABSTRACTSPLIT_H

#include "postprocess/JoinTarget.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>

class QFile;

// Common base of the joiners that turn one set of split volumes back into the file that was
// split. A joiner is pointed at the first volume of a set (setSourceFile), joins it into a
// destination folder (unsplit) and then knows which volumes it read, or why it failed.
//
// A join can be stopped from another thread through the stop flag handed to setStopFlag:
// the flag is looked at between chunks, and a stopped join removes what it wrote.
class AbstractSplit : public QObject
{
    Q_OBJECT

public:
    // Size of the one buffer every join copies through.
    static constexpr qint64 kChunkSize = 2097152;

    AbstractSplit() = default;
    ~AbstractSplit() override = default;

    // Joins the current set into `destinationFolder`: 0 on success, 1 on failure (the error
    // text then says why).
    virtual int unsplit(const QString& destinationFolder);
    // Makes `path` the first volume of the current set.
    virtual void setSourceFile(const QString& path);

    void setStopFlag(const std::atomic<bool>* stopFlag) { m_stopFlag = stopFlag; }
    // True when the last join ended because the stop flag was set.
    bool wasStopped() const { return m_stopped; }

    QString getErrorText() const { return strError; }
    QStringList getVolumesRead() const { return listVolumesRead; }
    QString getTargetName() const { return strTargetName; }
    // The name the last join wrote: the target name, or a free "name (n).ext" when that was
    // taken in the destination by something else than an earlier join of the same set.
    QString getWrittenName() const { return m_writtenName.isEmpty() ? strTargetName : m_writtenName; }
    quint32 getVolumeCount() const { return uiVolumeCount; }
    quint64 getTotalSize() const { return uiTotalSize; }

signals:
    void signalProgress(quint32 uiPosCrt, quint32 uiPosTotal);

protected:
    enum class CopyResult { Done, ReadFailed, WriteFailed, Stopped };

    // Shared first steps of every join: empties the volumes read, makes sure the destination
    // folder exists and opens the first volume (listed as read). False with the error text
    // set when one of them fails.
    bool prepareJoin(const QString& destinationFolder, QFile& firstVolume);
    // Opens the joined file: a new file, or the output of an earlier join of this set emptied
    // for this one; never through a link, never over a file that is not this set's own, whose
    // name then goes to the next free "name (n).ext". False with the error text set.
    bool openTarget(const QString& destinationFolder, QFile& target);
    // Copies `source` into `target` until a read returns nothing or, when `limit` is not
    // negative, until `limit` bytes were copied. `copied` grows by every byte written.
    CopyResult copyChunks(QFile& source, QFile& target, QByteArray& buffer, qint64 limit,
                          qint64& copied);
    // Opens a volume for reading: regular files only (opening a named pipe would wait for a
    // writer for ever). False when it is not one or cannot be opened.
    static bool openVolume(const QString& path, QFile& volume);
    // Ends a join that cannot go on once the joined file is open: nothing half joined stays
    // under its name (the partial file is removed while its name still leads to it); fails
    // with `text`.
    int abandon(QFile& target, const QString& text);
    // Ends a join stopped from outside: closes the partial joined file and removes it while
    // its name still leads to the file this join wrote.
    int abandonStopped(QFile& target);
    // Ends a join whose write failed (a full disk): removes the partial joined file, as above,
    // and says why the write failed.
    int abandonFailedWrite(QFile& target, const QString& destinationFolder);
    // Ends a join whose copy went through: the joined file must be on the disk, whole, before
    // the volumes may go. 0, or 1 after abandonFailedWrite.
    int finishWrite(QFile& target, qint64 written, const QString& destinationFolder);
    int fail(const QString& text);
    QString targetPath(const QString& destinationFolder) const;
    QByteArray setMark() const;
    bool stopRequested() const { return m_stopFlag && m_stopFlag->load(); }
    void emitProgress(quint32 position);

    QString strError;
    QString strSourceFolder;
    QString strSourcePath;
    QString strBaseName;
    QString strTargetName;
    bool bHeader = true;
    quint32 uiVolumeCount = 0;
    quint64 uiTotalSize = 0;
    QStringList listVolumesRead;

private:
    JoinTarget m_target;
    QString m_writtenName;
    QString m_writeError; // why the last write failed, as the system says it
    const std::atomic<bool>* m_stopFlag = nullptr;
    bool m_stopped = false;
};

#endif // ABSTRACTSPLIT_H
