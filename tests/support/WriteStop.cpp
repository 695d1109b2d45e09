// Loaded into the program under test with LD_PRELOAD (see ProgramRunner::stopAtWrite): once the
// process has written TQ_WRITE_STOP_AFTER bytes into files whose path begins with
// TQ_WRITE_STOP_PREFIX, it stops itself (SIGSTOP) in the middle of that write, once. A test can
// then end it there (SIGKILL, or SIGTERM and SIGCONT) knowing exactly where the step stands,
// whatever the machine's load. Without the two variables every write goes through untouched.
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <signal.h>
#include <string>
#include <unistd.h>

namespace {

using WriteFunction = ssize_t (*)(int, const void *, size_t);

struct Settings
{
    std::string prefix;
    long long after = -1;
};

const Settings &settings()
{
    static const Settings read = [] {
        Settings s;
        const char *prefix = std::getenv("TQ_WRITE_STOP_PREFIX");
        const char *after = std::getenv("TQ_WRITE_STOP_AFTER");
        if (prefix && after && *prefix) {
            s.prefix = prefix;
            s.after = std::atoll(after);
        }
        return s;
    }();
    return read;
}

std::atomic<long long> written{0};
std::atomic<bool> stopped{false};

bool underPrefix(int fd, const std::string &prefix)
{
    char link[64];
    char path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = ::readlink(link, path, sizeof path - 1);
    if (length <= 0)
        return false;
    return size_t(length) >= prefix.size() && std::memcmp(path, prefix.data(), prefix.size()) == 0;
}

} // namespace

extern "C" ssize_t write(int fd, const void *buffer, size_t count)
{
    static const WriteFunction next = reinterpret_cast<WriteFunction>(::dlsym(RTLD_NEXT, "write"));
    const Settings &s = settings();
    if (s.after < 0 || stopped.load() || count == 0)
        return next(fd, buffer, count);
    const int savedErrno = errno;
    if (!underPrefix(fd, s.prefix)) {
        errno = savedErrno;
        return next(fd, buffer, count);
    }
    errno = savedErrno;
    // Half of this write goes first, so that the file is cut inside, not at a write's edge.
    if (written.fetch_add(static_cast<long long>(count)) + static_cast<long long>(count) >= s.after && !stopped.exchange(true)) {
        const size_t half = count / 2;
        const ssize_t first = half > 0 ? next(fd, buffer, half) : 0;
        // To this very thread: it stops on its way back from the call, before another write.
        ::raise(SIGSTOP);
        return first > 0 ? first : next(fd, buffer, count);
    }
    return next(fd, buffer, count);
}
