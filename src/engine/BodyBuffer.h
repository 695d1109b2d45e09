#ifndef BODYBUFFER_H
#define BODYBUFFER_H

#include <QByteArray>

class BodyMemoryBudget;

// The body of one article while it arrives, held in memory until its terminating line: its bytes
// and the share of the process-wide budget for article bodies that they take. The buffer grows
// only with what the budget gives, and gives it back when it goes.
class BodyBuffer
{
public:
    explicit BodyBuffer(BodyMemoryBudget &budget);
    ~BodyBuffer();
    BodyBuffer(const BodyBuffer &) = delete;
    BodyBuffer &operator=(const BodyBuffer &) = delete;

    // Makes room for `capacity` bytes in all when the budget has it; nothing happens otherwise.
    bool reserve(qint64 capacity);
    // Appends the bytes, growing when needed; false (nothing appended) when the budget cannot give
    // the room.
    bool append(const char *data, qint64 size);

    QByteArray &bytes() { return buffer; }
    qint64 size() const { return buffer.size(); }

private:
    bool growTo(qint64 capacity);

    BodyMemoryBudget &budget;
    QByteArray buffer;
    qint64 reserved = 0;
};

#endif // BODYBUFFER_H
