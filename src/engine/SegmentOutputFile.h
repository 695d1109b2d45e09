#ifndef SEGMENTOUTPUTFILE_H
#define SEGMENTOUTPUTFILE_H

#include <QFile>
#include <QString>

#include <cstddef>
#include <memory>

#ifndef TQ_SEGMENT_WRITE_BUFFER
#define TQ_SEGMENT_WRITE_BUFFER (64 * 1024)
#endif

class Crc32;

// The file a segment is decoded into. Decoded bytes are collected in a large buffer and reach
// the file in one write per buffer-full, before a seek, before the size is read and on close.
// Bytes committed while a CRC is attached are fed to it (over the buffer, in large pieces).
//
// Every write is checked: once one fails (a full disk), nothing more is written to the file and
// close() says so, so that a short file is never taken for a decoded one.
class SegmentOutputFile
{
public:
    // Large enough to make writes cheap, small enough to stay on the heap (no fresh pages per call).
    // Tests and the fuzz target build the decoder with a tiny buffer to reach every boundary.
    static constexpr std::size_t kBufferSize = TQ_SEGMENT_WRITE_BUFFER;
    static constexpr std::size_t kWriteSlack = 64;

    SegmentOutputFile();
    ~SegmentOutputFile();
    SegmentOutputFile(const SegmentOutputFile &) = delete;
    SegmentOutputFile &operator=(const SegmentOutputFile &) = delete;

    // Closes the file in use, then opens path for reading and writing, creating it when absent
    // and keeping its content. Writing starts at its first byte.
    bool open(const QString &path);
    // Writes what the buffer holds and closes the file. False when some byte committed since
    // open() did not reach the file, or the file could not be closed cleanly.
    bool close();
    bool isOpen() const;
    // A write since open() failed; errorString() says why.
    bool hasFailed() const { return failed; }
    QString errorString() const { return error; }

    bool seek(qint64 position);
    // Where the next byte committed goes.
    qint64 position() const;
    qint64 size();

    // Room for up to maxBytes decoded bytes plus kWriteSlack bytes of scratch after them.
    unsigned char *reserve(std::size_t maxBytes);
    void commit(std::size_t bytes);
    void write(const unsigned char *data, std::size_t length);

    // Bytes committed from now on go into crc (nullptr: into none).
    void attachCrc(Crc32 *crc);
    // Brings the attached CRC up to date with every byte committed so far.
    void feedCrc();

private:
    bool flush();
    void setFailed(const QString &why);

    QFile file;
    std::unique_ptr<unsigned char[]> buffer;
    std::size_t capacity = 0;
    std::size_t used = 0;
    std::size_t crcFrom = 0;
    Crc32 *crc = nullptr;
    bool failed = false;
    QString error;
};

#endif // SEGMENTOUTPUTFILE_H
