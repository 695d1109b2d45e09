#ifndef BODYMEMORYBUDGET_H
#define BODYMEMORYBUDGET_H

#include <QtGlobal>

#include <atomic>

// The memory that the article bodies being received may take together, in the whole process:
// every connection holds its body in memory until the terminating line, so a bound per body
// alone would let several hostile servers (or an NZB announcing huge articles) take gigabytes.
// A body asks before it grows; what one cannot have, it does not take.
class BodyMemoryBudget
{
public:
    static constexpr qint64 DefaultLimit = qint64(256) * 1024 * 1024;

    static BodyMemoryBudget &instance();

    // Takes `bytes` when the bodies together stay within the limit; false (nothing taken) else.
    bool take(qint64 bytes);
    void give(qint64 bytes);

    qint64 limit() const { return iLimit.load(); }
    qint64 inUse() const { return iInUse.load(); }
    // The most that was ever taken at once (since the last resetPeak()).
    qint64 peak() const { return iPeak.load(); }
    void resetPeak() { iPeak.store(iInUse.load()); }

private:
    BodyMemoryBudget() = default;

    std::atomic<qint64> iLimit{DefaultLimit};
    std::atomic<qint64> iInUse{0};
    std::atomic<qint64> iPeak{0};
};

#endif // BODYMEMORYBUDGET_H
