#include "config/NzbRecordWriter.h"

#include <QMutexLocker>

NzbRecordWriter::~NzbRecordWriter()
{
    {
        QMutexLocker locker(&mutex);
        bStopping = true;
        jobQueued.wakeAll();
    }
    if (thread.joinable())
        thread.join();
}

void NzbRecordWriter::queue(Job job)
{
    QMutexLocker locker(&mutex);
    jobs.enqueue(std::move(job));
    if (!thread.joinable())
        thread = std::thread([this] { run(); });
    jobQueued.wakeAll();
}

void NzbRecordWriter::waitUntilIdle()
{
    QMutexLocker locker(&mutex);
    while (!jobs.isEmpty() || bRunning)
        jobsDone.wait(&mutex);
}

bool NzbRecordWriter::isIdle() const
{
    QMutexLocker locker(&mutex);
    return jobs.isEmpty() && !bRunning;
}

void NzbRecordWriter::run()
{
    QMutexLocker locker(&mutex);
    for (;;) {
        while (jobs.isEmpty() && !bStopping)
            jobQueued.wait(&mutex);
        if (jobs.isEmpty())
            return;
        Job job = jobs.dequeue();
        bRunning = true;
        locker.unlock();
        job();
        // What the job captured (a record's snapshot) goes before the job counts as done.
        job = nullptr;
        locker.relock();
        bRunning = false;
        if (jobs.isEmpty())
            jobsDone.wakeAll();
    }
}
