#include "engine/SegmentLineReader.h"

#include <QIODevice>

#include <cstring>

SegmentLineReader::SegmentLineReader(QIODevice &device, std::size_t blockSize)
    : device(device)
    , buffer(new unsigned char[blockSize + kSlack])
    , capacity(blockSize)
{
    std::memset(buffer.get(), 0, kSlack);
}

bool SegmentLineReader::next(const unsigned char *&line, std::size_t &length)
{
    for (;;) {
        const void *lf = std::memchr(buffer.get() + scanFrom, '\n', end - scanFrom);
        if (lf) {
            const std::size_t lineEnd = std::size_t(static_cast<const unsigned char *>(lf) - buffer.get());
            handOut(lineEnd, line, length);
            begin = lineEnd + 1;
            scanFrom = begin;
            if (length > 0 && line[length - 1] == '\r')
                --length;
            return true;
        }
        scanFrom = end;
        if (atEnd) {
            if (begin == end)
                return false;
            handOut(end, line, length);
            begin = end;
            scanFrom = end;
            return true;
        }
        if (!readMore())
            atEnd = true;
    }
}

bool SegmentLineReader::wholeLines(const unsigned char *&lines, std::size_t &length) const
{
    if (begin == end)
        return false;
    const void *lastLf = memrchr(buffer.get() + begin, '\n', end - begin);
    if (!lastLf)
        return false;
    lines = buffer.get() + begin;
    length = std::size_t(static_cast<const unsigned char *>(lastLf) - lines) + 1;
    return true;
}

void SegmentLineReader::consume(std::size_t length)
{
    begin += length;
    if (scanFrom < begin)
        scanFrom = begin;
}

void SegmentLineReader::handOut(std::size_t lineEnd, const unsigned char *&line, std::size_t &length)
{
    line = buffer.get() + begin;
    length = lineEnd - begin;
}

bool SegmentLineReader::readMore()
{
    if (begin > 0) {
        std::memmove(buffer.get(), buffer.get() + begin, end - begin);
        end -= begin;
        scanFrom -= begin;
        begin = 0;
    }
    if (end == capacity)
        grow();
    const qint64 got = device.read(reinterpret_cast<char *>(buffer.get() + end), qint64(capacity - end));
    if (got > 0)
        end += std::size_t(got);
    // The bytes past the data are read by vector routines but never used: keep them defined.
    std::memset(buffer.get() + end, 0, kSlack);
    return got > 0;
}

void SegmentLineReader::grow()
{
    std::unique_ptr<unsigned char[]> larger(new unsigned char[2 * capacity + kSlack]);
    std::memcpy(larger.get(), buffer.get(), end);
    buffer = std::move(larger);
    capacity *= 2;
}
