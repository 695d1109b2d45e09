#ifndef JOBQUEUE_H
#define JOBQUEUE_H

#include <QList>
#include <QMutex>
#include <QMutexLocker>

// The job queue of a post-processing worker: filled by its owners from any thread, emptied
// in order by the worker's own thread.
template <typename Job>
class JobQueue
{
public:
    void add(const Job& job)
    {
        QMutexLocker locker(&m_mutex);
        m_jobs.append(job);
    }

    // Takes the oldest job; false when there is none.
    bool take(Job& job)
    {
        QMutexLocker locker(&m_mutex);
        if (m_jobs.isEmpty())
            return false;
        job = m_jobs.takeFirst();
        return true;
    }

    void clear()
    {
        QMutexLocker locker(&m_mutex);
        m_jobs.clear();
    }

private:
    QList<Job> m_jobs;
    QMutex m_mutex;
};

#endif // JOBQUEUE_H
