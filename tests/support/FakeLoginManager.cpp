#include "FakeLoginManager.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

FakeLoginManager::FakeLoginManager()
    : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("tessaquill-fake-login1")))
{
}

FakeLoginManager::~FakeLoginManager()
{
    bus.unregisterObject(QStringLiteral("/org/freedesktop/login1"));
    bus.unregisterService(QStringLiteral("org.freedesktop.login1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("tessaquill-fake-login1"));
    for (int fd : qAsConst(readEnds))
        ::close(fd);
}

bool FakeLoginManager::registerService()
{
    return bus.isConnected()
           && bus.registerObject(QStringLiteral("/org/freedesktop/login1"), this, QDBusConnection::ExportAllSlots)
           && bus.registerService(QStringLiteral("org.freedesktop.login1"));
}

QDBusUnixFileDescriptor FakeLoginManager::Inhibit(const QString &what, const QString &who, const QString &why,
                                                  const QString &mode)
{
    calls.append({what, who, why, mode});
    if (bRefuse) {
        sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), QStringLiteral("Refused by the test"));
        return QDBusUnixFileDescriptor();
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("pipe failed"));
        return QDBusUnixFileDescriptor();
    }
    readEnds.append(fds[0]);
    // The descriptor object keeps a copy of its own; the holder's copy is the only one left once
    // the answer has gone.
    const QDBusUnixFileDescriptor lock(fds[1]);
    ::close(fds[1]);
    return lock;
}

bool FakeLoginManager::isLockHeld(int index) const
{
    pollfd entry = {readEnds.at(index), POLLIN, 0};
    if (::poll(&entry, 1, 0) < 0)
        return false;
    return !(entry.revents & (POLLHUP | POLLERR));
}

int FakeLoginManager::heldLockCount() const
{
    int count = 0;
    for (int i = 0; i < readEnds.size(); ++i)
        count += isLockHeld(i) ? 1 : 0;
    return count;
}
