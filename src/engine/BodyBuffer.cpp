#include "engine/BodyBuffer.h"

#include "engine/BodyMemoryBudget.h"

#include <climits>

namespace {

// The first room a body gets; it then grows by half each time.
const qint64 MinimumCapacity = 64 * 1024;

} // namespace

BodyBuffer::BodyBuffer(BodyMemoryBudget &budget)
    : budget(budget)
{
}

BodyBuffer::~BodyBuffer()
{
    buffer = QByteArray();
    budget.give(reserved);
}

bool BodyBuffer::reserve(qint64 capacity)
{
    return capacity <= reserved || growTo(capacity);
}

bool BodyBuffer::append(const char *data, qint64 size)
{
    const qint64 needed = buffer.size() + size;
    if (needed > reserved) {
        const qint64 generous = qMax(qMax(needed, reserved + reserved / 2), MinimumCapacity);
        if (!growTo(generous) && !growTo(needed))
            return false;
    }
    buffer.append(data, static_cast<int>(size));
    return true;
}

// While the bytes move to the larger block both blocks exist: the new room is taken before the
// old is given back.
bool BodyBuffer::growTo(qint64 capacity)
{
    if (capacity >= qint64(INT_MAX) || !budget.take(capacity))
        return false;
    buffer.reserve(static_cast<int>(capacity));
    budget.give(reserved);
    reserved = capacity;
    return true;
}
