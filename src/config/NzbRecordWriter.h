#ifndef NZBRECORDWRITER_H
#define NZBRECORDWRITER_H

#include <QMutex>
#include <QQueue>
#include <QWaitCondition>

#include <functional>
#include <thread>

// A thread of its own for the queue record files: it runs the file work it is given (writes,
// removals) one job after the other, in the order given, so that whoever asks never waits for
// the disk. Started with the first job.
class NzbRecordWriter
{
public:
    using Job = std::function<void()>;

    NzbRecordWriter() = default;
    // Runs what is still queued, then ends the thread.
    ~NzbRecordWriter();
    NzbRecordWriter(const NzbRecordWriter &) = delete;
    NzbRecordWriter &operator=(const NzbRecordWriter &) = delete;

    void queue(Job job);
    // Returns once every job queued so far has run.
    void waitUntilIdle();
    bool isIdle() const;

private:
    void run();

    mutable QMutex mutex;
    QWaitCondition jobQueued;
    QWaitCondition jobsDone;
    QQueue<Job> jobs;
    bool bRunning = false;
    bool bStopping = false;
    std::thread thread;
};

#endif // NZBRECORDWRITER_H
