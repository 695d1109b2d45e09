#include "ByteSource.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ByteSource::readExactly(uint64_t offset, void *buffer, size_t length)
{
    return readAt(offset, buffer, length) == length;
}

FileSource::~FileSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileSource::open(const std::string &path)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_size = static_cast<uint64_t>(st.st_size);
    return true;
}

size_t FileSource::readAt(uint64_t offset, void *buffer, size_t length)
{
    if (m_fd < 0 || offset >= m_size)
        return 0;
    size_t done = 0;
    auto *out = static_cast<uint8_t *>(buffer);
    while (done < length) {
        ssize_t n = ::pread(m_fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

size_t MemorySource::readAt(uint64_t offset, void *buffer, size_t length)
{
    if (offset >= m_size)
        return 0;
    size_t n = length;
    if (n > m_size - offset)
        n = static_cast<size_t>(m_size - offset);
    std::memcpy(buffer, m_data + offset, n);
    return n;
}
