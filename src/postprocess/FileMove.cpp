#include "postprocess/FileMove.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kCopyChunk = 1024 * 1024;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

FileMove::Result failed(QString* reason, int error)
{
    if (reason)
        *reason = systemError(error);
    return FileMove::Result::Failed;
}

bool exists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

// The file system cannot rename without replacing (RENAME_NOREPLACE unsupported).
bool noReplaceUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// 0, or the errno of the read or write that failed. A write that takes nothing counts as a full
// disk: it would never end otherwise.
int copyContent(int in, int out, qint64& copied)
{
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        const ssize_t count = ::read(in, buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (count == 0)
            return 0;
        ssize_t done = 0;
        while (done < count) {
            const ssize_t written = ::write(out, buffer.data() + done, size_t(count - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0)
                return errno;
            if (written == 0)
                return ENOSPC;
            done += written;
        }
        copied += count;
    }
}

// Removes the copy while its name still leads to the file this move created.
void removeCopy(const QByteArray& target, const struct stat& created)
{
    struct stat st {};
    if (::lstat(target.constData(), &st) == 0 && st.st_dev == created.st_dev && st.st_ino == created.st_ino)
        ::unlink(target.constData());
}

} // namespace

FileMove::Result FileMove::move(const QString& source, const QString& target, QString* reason)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return Result::Moved;
    int error = errno;
    if (noReplaceUnsupported(error)) {
        if (exists(to))
            return Result::NameTaken;
        if (::rename(from.constData(), to.constData()) == 0)
            return Result::Moved;
        error = errno;
    }
    if (error == EEXIST)
        return Result::NameTaken;
    if (error == EXDEV)
        return copyAcross(from, to, reason);
    return failed(reason, error);
}

FileMove::Result FileMove::copyAcross(const QByteArray& source, const QByteArray& target, QString* reason)
{
    const int in = ::open(source.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return failed(reason, errno);
    struct stat original {};
    if (::fstat(in, &original) != 0) {
        const int error = errno;
        ::close(in);
        return failed(reason, error);
    }
    // O_EXCL: never a file that stands there, never through a link.
    const int out = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                           original.st_mode & 07777);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return error == EEXIST ? Result::NameTaken : failed(reason, error);
    }
    struct stat created {};
    if (::fstat(out, &created) != 0) {
        // Without its identity the copy could not be told apart later: it goes now, still empty.
        const int error = errno;
        ::close(in);
        ::close(out);
        ::unlink(target.constData());
        return failed(reason, error);
    }

    qint64 copied = 0;
    int error = copyContent(in, out, copied);
    ::close(in);
    // A network file system may report a failed write only when the data reaches the disk.
    if (error == 0 && ::fsync(out) != 0 && errno != EINVAL)
        error = errno;
    struct stat written {};
    if (error == 0 && (::fstat(out, &written) != 0 || written.st_size != original.st_size || copied != original.st_size))
        error = EIO;
    if (error == 0) {
        const struct timespec times[2] = {original.st_atim, original.st_mtim};
        ::futimens(out, times);
    }
    if (::close(out) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0 && ::unlink(source.constData()) != 0)
        error = errno;
    if (error != 0) {
        removeCopy(target, created);
        return failed(reason, error);
    }
    return Result::Moved;
}
