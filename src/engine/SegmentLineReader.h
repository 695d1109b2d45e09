#ifndef SEGMENTLINEREADER_H
#define SEGMENTLINEREADER_H

#include <QtGlobal>
#include <cstddef>
#include <memory>

#ifndef TQ_SEGMENT_READ_BLOCK
#define TQ_SEGMENT_READ_BLOCK (64 * 1024)
#endif

class QIODevice;

// Reads a device in large blocks and hands out its lines as views into the block buffer:
// the text up to each LF, without that LF and without a CR right before it. A last line
// without LF is handed out as it stands. A line longer than the block grows the buffer.
//
// At least kSlack readable bytes follow every line handed out, so vector routines may read
// past its end. A view stays valid until the next call of next().
class SegmentLineReader
{
public:
    static constexpr std::size_t kSlack = 64;
    // Large enough to make reads cheap, small enough to stay on the heap (no fresh pages per call).
    // Tests and the fuzz target build the decoder with tiny blocks to reach every boundary.
    static constexpr std::size_t kDefaultBlockSize = TQ_SEGMENT_READ_BLOCK;

    explicit SegmentLineReader(QIODevice &device, std::size_t blockSize = kDefaultBlockSize);

    bool next(const unsigned char *&line, std::size_t &length);

    // The whole lines (LF included) read but not handed out yet, for routines that take many
    // lines at once; false when there is none. consume() then skips the bytes they used, which
    // must end a line.
    bool wholeLines(const unsigned char *&lines, std::size_t &length) const;
    void consume(std::size_t length);

private:
    bool readMore();
    void grow();
    void handOut(std::size_t lineEnd, const unsigned char *&line, std::size_t &length);

    QIODevice &device;
    std::unique_ptr<unsigned char[]> buffer; // capacity + kSlack bytes
    std::size_t capacity;
    std::size_t begin = 0;    // first byte not handed out yet
    std::size_t end = 0;      // end of the bytes read
    std::size_t scanFrom = 0; // no LF between begin and here
    bool atEnd = false;
};

#endif // SEGMENTLINEREADER_H
