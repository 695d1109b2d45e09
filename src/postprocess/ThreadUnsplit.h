#ifndef THREADUNSPLIT_H
#define THREADUNSPLIT_H

#include "postprocess/JobQueue.h"
#include "postprocess/UnsplitJob.h"

#include <QList>
#include <QString>
#include <QThread>

#include <atomic>

class AbstractSplit;

// Joins the split files of a folder into a destination folder, one UnsplitJob at a time, in
// the order the jobs were added. XtremSplit sets ("*.001.xtm") are joined when the folder
// holds any, plain numbered sets ("*.001") otherwise; the volumes of every joined set are
// deleted when bDeleteVolumes is set. Each job ends with unsplitDoneSignal.
//
// The owner ends the thread by setting bStop and waiting: a join in progress notices the
// flag between two chunks, removes its partial output and still reports its job.
class ThreadUnsplit : public QThread
{
    Q_OBJECT

public:
    enum Result { Joined = 0, NothingFound = 1, JoinFailed = 2,
                  // The job's download is incomplete: split files were found and left as they are.
                  NotJoined = 3 };

    explicit ThreadUnsplit(QObject* parent = nullptr);

    // Queues a copy of the job; any thread may call it. A job added while the thread does
    // not run is dropped when the thread next starts.
    void addJob(const UnsplitJob& job);

    // True from the moment run() has emptied the queue until it returns: jobs added from
    // then on are run.
    bool isTakingJobs() const { return m_takingJobs; }

    // Set by the owner to end the thread; cleared by run().
    std::atomic<bool> bStop{false};
    // Whether the volumes of a joined set are deleted; written before the thread starts.
    bool bDeleteVolumes = true;

signals:
    void unsplitDoneSignal(UnsplitJob job, int iExitCode, QString strError);
    void UpdateProgressSignal(quint32 unsplitId, quint32 uiPosCrt, quint32 uiPosTotal);

public slots:
    void slotProgress(quint32 uiPosCrt, quint32 uiPosTotal);

protected:
    void run() override;

private:
    void runJob(UnsplitJob job);
    // Joins every set the joiner's finder listed; the job's result and error text.
    int joinSets(AbstractSplit& joiner, UnsplitJob& job, QString& error);
    void consumeVolumes(const QStringList& volumes, UnsplitJob& job);

    JobQueue<UnsplitJob> m_jobs;
    std::atomic<bool> m_takingJobs{false};
    std::atomic<quint32> m_currentJobId{0};
};

#endif // THREADUNSPLIT_H
