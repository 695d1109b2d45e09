#include "engine/SegmentOutputFile.h"

#include "engine/Crc32.h"

#include <algorithm>
#include <cstring>

SegmentOutputFile::SegmentOutputFile() = default;

SegmentOutputFile::~SegmentOutputFile()
{
    close();
}

bool SegmentOutputFile::open(const QString &path)
{
    close();
    failed = false;
    error.clear();
    file.setFileName(path);
    // Unbuffered: this class does the buffering, in far larger pieces than QFile would.
    return file.open(QIODevice::ReadWrite | QIODevice::Unbuffered);
}

bool SegmentOutputFile::close()
{
    if (!file.isOpen())
        return !failed;
    flush();
    file.close();
    // QFile keeps the error of a failed close (a write the system reports late).
    if (!failed && file.error() != QFileDevice::NoError)
        setFailed(file.errorString());
    return !failed;
}

bool SegmentOutputFile::isOpen() const
{
    return file.isOpen();
}

bool SegmentOutputFile::seek(qint64 position)
{
    return flush() && file.seek(position);
}

qint64 SegmentOutputFile::position() const
{
    return file.pos() + qint64(used);
}

qint64 SegmentOutputFile::size()
{
    flush();
    return file.size();
}

unsigned char *SegmentOutputFile::reserve(std::size_t maxBytes)
{
    if (used + maxBytes + kWriteSlack > capacity) {
        flush();
        if (maxBytes + kWriteSlack > capacity) {
            capacity = std::max(kBufferSize, maxBytes + kWriteSlack);
            buffer.reset(new unsigned char[capacity]);
        }
    }
    return buffer.get() + used;
}

void SegmentOutputFile::commit(std::size_t bytes)
{
    used += bytes;
}

void SegmentOutputFile::write(const unsigned char *data, std::size_t length)
{
    if (length == 0)
        return;
    std::memcpy(reserve(length), data, length);
    commit(length);
}

void SegmentOutputFile::attachCrc(Crc32 *newCrc)
{
    feedCrc();
    crc = newCrc;
}

void SegmentOutputFile::feedCrc()
{
    if (crc && used > crcFrom)
        crc->update(buffer.get() + crcFrom, used - crcFrom);
    crcFrom = used;
}

bool SegmentOutputFile::flush()
{
    feedCrc();
    // After a failed write the rest would land beyond a hole: nothing more is written.
    if (used > 0 && file.isOpen() && !failed
        && file.write(reinterpret_cast<const char *>(buffer.get()), qint64(used)) != qint64(used))
        setFailed(file.errorString());
    used = 0;
    crcFrom = 0;
    return !failed;
}

void SegmentOutputFile::setFailed(const QString &why)
{
    failed = true;
    error = why;
}
