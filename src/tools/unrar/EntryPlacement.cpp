#include "EntryPlacement.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kMaxNameBytes = 255;
// Names tried beside a taken one before giving up.
constexpr int kMaxNumbers = 100000;

size_t nameStart(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

class Descriptor
{
public:
    explicit Descriptor(const std::string &path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW)) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

// Reads up to `size` bytes, fewer only at the end of the file; -1 on an error.
ssize_t readFull(int fd, char *buffer, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t count = ::read(fd, buffer + done, size - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return -1;
        if (count == 0)
            break;
        done += static_cast<size_t>(count);
    }
    return static_cast<ssize_t>(done);
}

} // namespace

std::string EntryPlacement::unfinishedPath(const std::string &path)
{
    const size_t start = nameStart(path);
    const std::string tail = suffix();
    std::string name = path.substr(start);
    if (name.size() + tail.size() > kMaxNameBytes)
        name.resize(kMaxNameBytes - tail.size());
    return path.substr(0, start) + name + tail;
}

bool EntryPlacement::clearUnfinished(const std::string &unfinished)
{
    struct stat st {};
    if (::lstat(unfinished.c_str(), &st) != 0)
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode))
        return false;
    return ::unlink(unfinished.c_str()) == 0 || errno == ENOENT;
}

std::string EntryPlacement::numberedPath(const std::string &path, int number)
{
    const size_t start = nameStart(path);
    size_t dot = path.find_last_of('.');
    // The number goes before the extension; a name without one, or a hidden name, gets it last.
    if (dot == std::string::npos || dot <= start || dot == path.size() - 1)
        dot = path.size();
    return path.substr(0, dot) + " (" + std::to_string(number) + ")" + path.substr(dot);
}

bool EntryPlacement::sameContent(const std::string &a, const std::string &b)
{
    struct stat first {};
    struct stat second {};
    if (::lstat(a.c_str(), &first) != 0 || ::lstat(b.c_str(), &second) != 0 || !S_ISREG(first.st_mode)
        || !S_ISREG(second.st_mode) || first.st_size != second.st_size)
        return false;
    const Descriptor one(a);
    const Descriptor two(b);
    if (one.fd() < 0 || two.fd() < 0)
        return false;
    std::vector<char> left(1 << 16);
    std::vector<char> right(left.size());
    for (;;) {
        const ssize_t count = readFull(one.fd(), left.data(), left.size());
        if (count < 0 || readFull(two.fd(), right.data(), right.size()) != count)
            return false;
        if (count == 0)
            return true;
        if (std::memcmp(left.data(), right.data(), static_cast<size_t>(count)) != 0)
            return false;
    }
}

bool EntryPlacement::renameNoReplace(const std::string &from, const std::string &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without that rename: a hard link is made only where nothing stands either.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (errno != EPERM && errno != ENOTSUP)
        return false;
    // Nor hard links (FAT): the test and the rename are two steps.
    struct stat st {};
    if (::lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

EntryPlacement::Placed EntryPlacement::place(const std::string &unfinished, const std::string &path, Policy policy)
{
    Placed placed;
    if (policy == Policy::Replace) {
        placed.ok = ::rename(unfinished.c_str(), path.c_str()) == 0;
        placed.error = placed.ok ? 0 : errno;
        placed.path = path;
        return placed;
    }
    for (int number = 0; number < kMaxNumbers; ++number) {
        const std::string candidate = number == 0 ? path : numberedPath(path, number);
        if (renameNoReplace(unfinished, candidate)) {
            placed.ok = true;
            placed.path = candidate;
            return placed;
        }
        if (errno != EEXIST) {
            placed.error = errno;
            return placed;
        }
        if (sameContent(unfinished, candidate)) {
            ::unlink(unfinished.c_str());
            placed.ok = true;
            placed.already = true;
            placed.path = candidate;
            return placed;
        }
        if (policy == Policy::Skip) {
            placed.taken = true;
            return placed;
        }
    }
    placed.error = EEXIST;
    return placed;
}
