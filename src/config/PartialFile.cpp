#include "config/PartialFile.h"

#include "config/FileNameLimit.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const QLatin1String kPrefix(".");
const QLatin1String kSuffix(".tqpart");
constexpr size_t kCompareChunk = 1024 * 1024;

bool statPlainFile(const QByteArray &path, struct stat &st)
{
    return ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// Reads up to `size` bytes (fewer only at the end of the file); -1 on an error.
ssize_t readFully(int fd, char *buffer, size_t size)
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
        done += size_t(count);
    }
    return ssize_t(done);
}

bool sameBytes(int first, int second)
{
    std::vector<char> a(kCompareChunk);
    std::vector<char> b(kCompareChunk);
    for (;;) {
        const ssize_t countA = readFully(first, a.data(), a.size());
        const ssize_t countB = readFully(second, b.data(), b.size());
        if (countA < 0 || countA != countB)
            return false;
        if (countA == 0)
            return true;
        if (std::memcmp(a.data(), b.data(), size_t(countA)) != 0)
            return false;
    }
}

} // namespace

QString PartialFile::pathFor(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.path();
    const QString name = info.fileName();
    const int room = FileNameLimit::maxBytes(folder) - FileNameLimit::bytesOf(kPrefix + kSuffix);
    if (FileNameLimit::bytesOf(name) <= room)
        return folder + QLatin1Char('/') + kPrefix + name + kSuffix;
    // A name that fills the file system's limit: cut, two names could meet; their digests do not.
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex();
    return folder + QLatin1Char('/') + kPrefix + QString::fromLatin1(digest) + kSuffix;
}

// A partial file written through a save file has a temporary name of its own after the suffix.
bool PartialFile::isPartialName(const QString &fileName)
{
    if (!fileName.startsWith(kPrefix) || fileName.size() <= kPrefix.size() + kSuffix.size())
        return false;
    return fileName.endsWith(kSuffix) || fileName.contains(kSuffix + QLatin1Char('.'));
}

void PartialFile::removeLeftover(const QString &path)
{
    const QByteArray partial = QFile::encodeName(pathFor(path));
    struct stat st {};
    if (statPlainFile(partial, st))
        ::unlink(partial.constData());
}

int PartialFile::renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    // A file system that cannot rename without replacing: a hard link never replaces either.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
    // Nor links (FAT): the check and the rename are then two steps.
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

bool PartialFile::sameContent(const QString &first, const QString &second)
{
    const QByteArray pathA = QFile::encodeName(first);
    const QByteArray pathB = QFile::encodeName(second);
    struct stat a {};
    struct stat b {};
    if (!statPlainFile(pathA, a) || !statPlainFile(pathB, b) || a.st_size != b.st_size)
        return false;
    if (a.st_dev == b.st_dev && a.st_ino == b.st_ino)
        return true;
    const int fdA = ::open(pathA.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const int fdB = fdA < 0 ? -1 : ::open(pathB.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    const bool same = fdB >= 0 && sameBytes(fdA, fdB);
    if (fdA >= 0)
        ::close(fdA);
    if (fdB >= 0)
        ::close(fdB);
    return same;
}

PartialFile::Result PartialFile::publish(const QString &partial, const QString &target, QString *reason)
{
    const int error = renameNoReplace(QFile::encodeName(partial), QFile::encodeName(target));
    if (error == 0)
        return Result::Published;
    if (error == EEXIST) {
        if (!sameContent(partial, target))
            return Result::NameTaken;
        QFile::remove(partial);
        return Result::AlreadyThere;
    }
    if (reason)
        *reason = QString::fromLocal8Bit(std::strerror(error));
    return Result::Failed;
}
