#ifndef THREADUNRAR_H
#define THREADUNRAR_H

#include "postprocess/JobQueue.h"
#include "postprocess/UnrarJob.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>

// Extracts the RAR archives of a folder with the outside unrar program, one UnrarJob at a
// time, in the order the jobs were added. Every RAR set found in the job's source folder is
// extracted into its extraction folder, until a run fails (any exit code but 0 and 1); the
// volumes of its own set that a successful run read are deleted when bDeleteVolumes is set. Each
// job ends with unrarDoneSignal, whose result is the worst of its archives' (a warning of one
// archive is not lost when a later one ends cleanly); while unrar runs, the percentage it prints
// is relayed with UpdateProgressSignal.
class ThreadUnrar : public QThread
{
    Q_OBJECT

public:
    // Results of unrarDoneSignal besides unrar's own exit code.
    enum Result { ExtractFolderFailed = -1, NoArchiveFound = -2, NotStarted = -3 };

    explicit ThreadUnrar(QObject* parent = nullptr);

    // Queues a copy of the job; any thread may call it. A job added while the thread does
    // not run is dropped when the thread next starts.
    void addJob(const UnrarJob& job);

    // Where unrar is looked for (the program's own folder by default). The system PATH is
    // never searched: the system's unrar may be another program with other exit codes.
    void setProgramFolder(const QString& folder);

    // The first volumes of every RAR set of `folder`, in the order they are extracted: the
    // sets numbered in the name (name.part1.rar), then the other .rar archives, then the
    // .001 files that are RAR archives or volumes of their own (not the first piece of an
    // archive cut into pieces, which the join takes). Also fills the worker's archive list.
    QStringList findRarFiles(const QString& folder);

    // unrar's arguments for one archive, with or without a password.
    static QStringList extractionArguments(const QString& archive, const QString& folder,
                                           const QString& password);
    // The newest percentage in a chunk of unrar's output ("45%"); empty when there is none.
    static QString progressText(const QString& chunk);
    // The volume paths a run's "Extracting from" lines name, as printed.
    static QStringList volumesRead(const QString& output);
    // Whether `path` names a volume of the set whose first volume is `archive`, in the same
    // folder: only those volumes are deleted after a successful run.
    static bool isVolumeOfSet(const QString& archive, const QString& path);

    // True from the moment run() has emptied the queue until it returns: jobs added from
    // then on are run.
    bool isTakingJobs() const { return m_takingJobs; }

    // Set by the owner to end the thread; also kills a running unrar. Cleared by run().
    std::atomic<bool> bStop{false};
    // Whether the volumes of a successful run are deleted; written before the thread starts.
    bool bDeleteVolumes = true;

signals:
    void UpdateProgressSignal(QString PercentComplete, quint32 unrarId);
    void unrarDoneSignal(UnrarJob job, int result, quint32 status);

protected:
    void run() override;

private:
    void runJob(const UnrarJob& job);
    // The job's own archives when it names them, else findRarFiles of its source folder.
    QStringList findArchives(const UnrarJob& job);
    // Extracts the archives of the list in turn; the job's result.
    int extractArchives(const UnrarJob& job);
    void deleteVolumes(const QString& output, const QString& archive, const QString& sourceFolder) const;
    void finishJob(const UnrarJob& job, int result);

    JobQueue<UnrarJob> m_jobs;
    std::atomic<bool> m_takingJobs{false};
    QStringList m_archives;
    QString m_programFolder;
    QMutex m_programFolderMutex;
};

#endif // THREADUNRAR_H
