#include "postprocess/JoinTarget.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// Written on every file a join creates. Archives cannot carry it: extraction restores no
// extended attributes.
const char kJoinMark[] = "user.tessaquill.joined";

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool hasJoinMark(int fd, const QByteArray& setMark)
{
    QByteArray value(setMark.size() + 1, '\0');
    const ssize_t length = fgetxattr(fd, kJoinMark, value.data(), size_t(value.size()));
    return !setMark.isEmpty() && length == setMark.size() && value.left(int(length)) == setMark;
}

} // namespace

JoinTarget::~JoinTarget()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int JoinTarget::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool JoinTarget::remember(int fd)
{
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        m_error = systemError();
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_device = st.st_dev;
    m_inode = st.st_ino;
    return true;
}

JoinTarget::Opened JoinTarget::open(const QString& path, const QByteArray& setMark)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path = path;
    m_error.clear();
    const QByteArray encoded = QFile::encodeName(path);
    // O_EXCL never follows a link, not even a dangling one, and never opens what is there.
    const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST)
            return takeOver(encoded, setMark);
        m_error = systemError();
        return Opened::Failed;
    }
    // Best effort: on a file system without extended attributes the file simply cannot be
    // taken over by a later join.
    if (!setMark.isEmpty())
        fsetxattr(fd, kJoinMark, setMark.constData(), size_t(setMark.size()), 0);
    return remember(fd) ? Opened::Created : Opened::Failed;
}

JoinTarget::Opened JoinTarget::takeOver(const QByteArray& encodedPath, const QByteArray& setMark)
{
    // O_NOFOLLOW refuses a symbolic link, O_NONBLOCK keeps a named pipe from blocking.
    // Opening changes nothing yet.
    const int fd = ::open(encodedPath.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Opened::Refused;
    struct stat st {};
    const bool ours = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1
                      && st.st_uid == geteuid() && hasJoinMark(fd, setMark);
    if (!ours) {
        ::close(fd);
        return Opened::Refused;
    }
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 || ftruncate(fd, 0) != 0) {
        m_error = systemError();
        ::close(fd);
        return Opened::Failed;
    }
    return remember(fd) ? Opened::TakenOver : Opened::Failed;
}

bool JoinTarget::removeIfStillOurs() const
{
    if (m_path.isEmpty() || (m_device == 0 && m_inode == 0))
        return false;
    const QByteArray encoded = QFile::encodeName(m_path);
    struct stat st {};
    if (lstat(encoded.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_dev != m_device
        || st.st_ino != m_inode)
        return false;
    return ::unlink(encoded.constData()) == 0;
}
