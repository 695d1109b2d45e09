#include "postprocess/FileMove.h"

#include "config/PartialFile.h"

#include <QFile>
#include <QFileInfo>

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

// So that the new name is on the disk before the source goes.
void syncFolderOf(const QString& path)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
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
    // What a move to the same path left, stopped in the middle of its copy.
    PartialFile::removeLeftover(target);
    const int error = PartialFile::renameNoReplace(QFile::encodeName(source), QFile::encodeName(target));
    if (error == 0)
        return Result::Moved;
    if (error == EEXIST)
        return Result::NameTaken;
    if (error == EXDEV)
        return copyAcross(source, target, reason);
    return failed(reason, error);
}

// The copy is written under its partial name and takes the real one only once it is whole and on
// the disk: a move stopped midway (the program killed, the machine off) leaves no cut file under
// the real name, and the move done again replaces what it left.
FileMove::Result FileMove::copyAcross(const QString& sourcePath, const QString& targetPath, QString* reason)
{
    const QByteArray source = QFile::encodeName(sourcePath);
    const QByteArray target = QFile::encodeName(targetPath);
    const QByteArray partial = QFile::encodeName(PartialFile::pathFor(targetPath));
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
    const int out = ::open(partial.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                           original.st_mode & 07777);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return failed(reason, error);
    }
    struct stat created {};
    if (::fstat(out, &created) != 0) {
        // Without its identity the copy could not be told apart later: it goes now, still empty.
        const int error = errno;
        ::close(in);
        ::close(out);
        ::unlink(partial.constData());
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
    if (error != 0) {
        removeCopy(partial, created);
        return failed(reason, error);
    }
    error = PartialFile::renameNoReplace(partial, target);
    if (error != 0) {
        removeCopy(partial, created);
        return error == EEXIST ? Result::NameTaken : failed(reason, error);
    }
    syncFolderOf(targetPath);
    if (::unlink(source.constData()) != 0) {
        error = errno;
        removeCopy(target, created);
        return failed(reason, error);
    }
    return Result::Moved;
}
