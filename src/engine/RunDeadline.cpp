#include "engine/RunDeadline.h"

#include <chrono>

namespace {

// How often the owner's stop flag is looked at.
constexpr std::chrono::milliseconds kOwnerPoll{50};

} // namespace

RunDeadline::RunDeadline(int limitMs, const std::atomic<bool> *ownerStop)
    : ownerStop(ownerStop)
    , watcher(&RunDeadline::watch, this, limitMs)
{
}

RunDeadline::~RunDeadline()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    ended.notify_all();
    watcher.join();
}

void RunDeadline::watch(int limitMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    std::unique_lock<std::mutex> lock(mutex);
    while (!done) {
        if (ownerStop && ownerStop->load()) {
            stop = true;
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            timedOut = true;
            stop = true;
            return;
        }
        ended.wait_until(lock, std::min(deadline, now + kOwnerPoll));
    }
}
