#ifndef LEFTIDENTITY_H
#define LEFTIDENTITY_H

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QSysInfo>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// What a single-instance identity can find in its folder without a program behind it: a lock
// file that some process wrote (another user, a program that died), and a socket file that
// nothing listens behind (a program that was killed).
namespace LeftIdentity {

// A lock file as QLockFile writes it, for a process that never took it.
inline bool writeLock(const QString &path, qint64 pid, const QString &program)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray::number(pid) + '\n' + QFile::encodeName(program) + '\n' + QSysInfo::machineHostName().toUtf8()
               + '\n');
    return true;
}

// A socket file with nothing listening behind it, as a killed program leaves it.
inline bool leaveStaleSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    qstrncpy(address.sun_path, native.constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFileInfo(path).exists();
}

} // namespace LeftIdentity

#endif // LEFTIDENTITY_H
