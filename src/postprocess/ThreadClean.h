#ifndef THREADCLEAN_H
#define THREADCLEAN_H

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

class NzbFiles;

// Moves the files of a finished NZB from its download folder into its destination, in one
// pass, and removes the download folder once nothing is left behind. Of the NZB's own files
// it deletes instead of moving: the PAR2 files (unless the NZB keeps them) after a successful
// post-processing, and whatever matches the configured auto-delete patterns, unless a repair
// failed (then every file goes, for a repair by hand). par2's backups are no concern of it:
// they go when their set verifies, and a posted ".1" file is moved like any other.
// Files already in the destination are never deleted or replaced: a name that is taken there
// is kept under a distinct name, unless the file there is this one already (a clean-up stopped
// after the copy, before it could remove the source). What a stopped decoding left under a
// partial name is deleted. A file leaves the download folder only once it is whole in the
// destination; one that cannot be moved (a full or refusing destination) stays, with the reason.
//
// The run ends with signalCleanDone in every case; what stayed behind can then be read from
// the thread.
class ThreadClean : public QThread
{
    Q_OBJECT

public:
    // Names tried for a file whose name is taken in the destination, before giving up.
    static constexpr int kMaxDistinctNames = 1000;

    // Takes the auto-delete patterns from the configuration: construct it in the thread that
    // owns the configuration.
    explicit ThreadClean(QObject* parent = nullptr);

    // The NZB to clean; set by the creator before the thread starts; not owned.
    NzbFiles* pNzbFiles = nullptr;

    // The patterns, separated by ';', of files deleted instead of moved (as "*.nfo;*.sfv").
    void setAutoDeletePatterns(const QString& patterns);

    // The outcome, complete once signalCleanDone was emitted.
    // Whether the destination existed or could be made; when not, nothing was moved.
    bool isDestinationCreated() const;
    // Paths of the files left in the download folder (not moved, or not deleted).
    QStringList getFilesNotMoved() const;
    // Why the file at that path (one of getFilesNotMoved) stayed.
    QString getReasonNotMoved(const QString& path) const;
    // Destination paths of the files kept under a distinct name because theirs was taken.
    QStringList getFilesRenamed() const;
    // True when something could not be moved (the download folder then stays).
    bool hasFilesLeftBehind() const;
    // Names of the NZB's decoded files that are gone from the download folder (noted when its
    // last file was decoded, and still not there: no repair brought them back).
    QStringList getFilesGone() const;
    // Whether the download folder itself is gone, after files were decoded into it in this run:
    // nothing of the NZB could be moved.
    bool isDownloadFolderGone() const;

    // "name (n).ext": the n-th distinct name for a file whose name is taken.
    static QString distinctName(const QString& fileName, int number);
    // The name tried at `number` (0: the name itself) for a folder whose names have at most
    // maxBytes bytes: cut to fit, extension and number kept.
    static QString distinctName(const QString& fileName, int number, int maxBytes);
    // Whether a file name matches one of the wildcard patterns (whole name, any case).
    static bool matchesAny(const QString& fileName, const QStringList& patterns);

signals:
    void signalCleanDone(NzbFiles* pNzbFiles);

protected:
    void run() override;

private:
    struct Work
    {
        QString destination;
        QString downloadFolder;
        QStringList deletePatterns;
        QStringList filesGone;
        bool filesDecodedHere = false;
    };
    struct Outcome
    {
        bool destinationCreated = true;
        QStringList notMoved;
        QHash<QString, QString> reasons; // of the files not moved, by path
        QStringList renamed;
        QStringList gone;
        bool downloadFolderGone = false;

        void leave(const QString& path, const QString& reason);
    };

    Work takeWork() const;
    static void cleanFolder(const Work& work, Outcome& outcome);
    // Empty when the file was moved; otherwise why it stayed.
    static QString moveFile(const QString& source, const QString& destination, Outcome& outcome);
    static QString removeFile(const QString& path);
    void publish(const Outcome& outcome);

    QString m_autoDeletePatterns;
    mutable QMutex m_mutex;
    Outcome m_outcome;
};

#endif // THREADCLEAN_H
