#include "engine/BodyMemoryBudget.h"

BodyMemoryBudget &BodyMemoryBudget::instance()
{
    static BodyMemoryBudget budget;
    return budget;
}

bool BodyMemoryBudget::take(qint64 bytes)
{
    qint64 used = iInUse.load();
    do {
        if (bytes > iLimit.load() - used)
            return false;
    } while (!iInUse.compare_exchange_weak(used, used + bytes));
    const qint64 now = used + bytes;
    qint64 peakSoFar = iPeak.load();
    while (now > peakSoFar && !iPeak.compare_exchange_weak(peakSoFar, now)) {
    }
    return true;
}

void BodyMemoryBudget::give(qint64 bytes)
{
    iInUse.fetch_sub(bytes);
}
