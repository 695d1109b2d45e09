#include "platform/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The path may have become something else since the caller looked at it: what was opened is
// looked at again. Opened without waiting, a pipe without writer opens at once.
RegularFile::Opening RegularFile::openForReading(QFile &file, const QString &path, QIODevice::OpenMode extraMode)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Opening::CannotOpen;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Opening::NotRegular;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) {
        ::close(fd);
        return Opening::CannotOpen;
    }
    // From here on the file owns the descriptor.
    if (!file.open(fd, QIODevice::ReadOnly | extraMode, QFileDevice::AutoCloseHandle))
        return Opening::CannotOpen;
    return Opening::Opened;
}
