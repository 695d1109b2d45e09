#ifndef JOBQUEUE_H
#define JOBQUEUE_H

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QWaitCondition>

// The job queue of a post-processing worker: filled by its owners from any thread, emptied
// in order by the worker's own thread, which sleeps in take() until a job is added.
template <typename Job>
class JobQueue
{
public:
    void add(const Job& job)
    {
        QMutexLocker locker(&m_mutex);
        m_jobs.append(job);
        m_added.wakeAll();
    }

    // Takes the oldest job, waiting up to `timeoutMs` for one when the queue is empty; false
    // when none came. The test and the wait are made under the queue's mutex, so a job added
    // at any moment either is found or wakes the wait.
    bool take(Job& job, unsigned long timeoutMs = 0)
    {
        QMutexLocker locker(&m_mutex);
        if (m_jobs.isEmpty() && timeoutMs > 0)
            m_added.wait(&m_mutex, timeoutMs);
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
    QWaitCondition m_added;
};

#endif // JOBQUEUE_H
