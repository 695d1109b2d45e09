#ifndef THREADPARITY_H
#define THREADPARITY_H

#include "postprocess/JobQueue.h"
#include "postprocess/ParityJob.h"

#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>

// Verifies and repairs folders with the outside par2 program, one ParityJob at a time, in
// the order the jobs were added. Each job ends with parityDoneSignal; while par2 runs its
// latest output line is relayed with UpdateProgressSignal.
class ThreadParity : public QThread
{
    Q_OBJECT

public:
    // Exit code reported when par2 could not be started.
    static constexpr int kNotStartedExitCode = 9;

    explicit ThreadParity(QObject* parent = nullptr);

    // Queues a copy of the job; any thread may call it. A job added while the thread does
    // not run is dropped when the thread next starts.
    void addJob(const ParityJob& job);

    // Where par2 is looked for first (the program's own folder by default); the system
    // PATH is searched after it.
    void setProgramFolder(const QString& folder);

    // True from the moment run() has emptied the queue until it returns: jobs added from
    // then on are run.
    bool isTakingJobs() const { return m_takingJobs; }

    // Set by the owner to end the thread; also kills a running par2. Cleared by run().
    std::atomic<bool> bStop{false};

    // How many files par2 hashes at once on a machine with `cores` processor cores: one per
    // core, at most kMaxFileThreads.
    static int fileThreads(int cores);
    static constexpr int kMaxFileThreads = 8;
    // par2's arguments for a job: repair mode, the file threads, the job's PAR2 file, and
    // every file of the job's folder offered as a source of data blocks.
    static QStringList arguments(const ParityJob& job, int fileThreads);

    // The text par2 printed as the number of recovery blocks still needed, or "0" when its
    // output says no repair is needed, the repair is complete, or says none of these.
    static QString parseResult(const QString& output);
    // The last non-empty piece of a chunk of output split at line ends and carriage
    // returns; empty when there is none.
    static QString lastProgressPiece(const QString& chunk);

signals:
    void UpdateProgressSignal(quint32 JobId, QString strStatus);
    void parityDoneSignal(ParityJob job, int exitCode, quint32 notStarted);

protected:
    void run() override;

private:
    void runJob(ParityJob job);

    JobQueue<ParityJob> m_jobs;
    std::atomic<bool> m_takingJobs{false};
    QString m_programFolder;
};

#endif // THREADPARITY_H
