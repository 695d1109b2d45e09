#ifndef BYTESOURCE_H
#define BYTESOURCE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Random access to the bytes of one archive volume: a file on disk or a buffer in memory
// (the latter lets the header walker run on fuzzed input without touching the disk).
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads up to `length` bytes at `offset`; returns how many were read (0 at or past the end).
    virtual size_t readAt(uint64_t offset, void *buffer, size_t length) = 0;

    // Reads exactly `length` bytes or fails.
    bool readExactly(uint64_t offset, void *buffer, size_t length);
};

class FileSource : public ByteSource
{
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource &) = delete;
    FileSource &operator=(const FileSource &) = delete;

    bool open(const std::string &path);
    uint64_t size() const override { return m_size; }
    size_t readAt(uint64_t offset, void *buffer, size_t length) override;

private:
    int m_fd = -1;
    uint64_t m_size = 0;
};

class MemorySource : public ByteSource
{
public:
    MemorySource(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    uint64_t size() const override { return m_size; }
    size_t readAt(uint64_t offset, void *buffer, size_t length) override;

private:
    const uint8_t *m_data;
    size_t m_size;
};

#endif // BYTESOURCE_H
