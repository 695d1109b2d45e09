#ifndef RUNDEADLINE_H
#define RUNDEADLINE_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// A stop flag for one run of an outside program (UtilsProcess::runHidden reads it at every poll)
// that sets itself when a time limit has passed or when the owner's own stop flag is set, so
// that a program that hangs cannot hold the calling thread for ever. Watches from a thread of
// its own for as long as the object lives.
class RunDeadline
{
public:
    RunDeadline(int limitMs, const std::atomic<bool> *ownerStop);
    ~RunDeadline();
    RunDeadline(const RunDeadline &) = delete;
    RunDeadline &operator=(const RunDeadline &) = delete;

    // The flag to hand to the run.
    const std::atomic<bool> *flag() const { return &stop; }
    // Whether the time limit ended the run.
    bool expired() const { return timedOut; }

private:
    void watch(int limitMs);

    const std::atomic<bool> *ownerStop;
    std::atomic<bool> stop{false};
    std::atomic<bool> timedOut{false};
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::thread watcher;
};

#endif // RUNDEADLINE_H
