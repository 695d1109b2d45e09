#include "platform/SleepInhibitor.h"

#include "platform/SessionSuspendInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <memory>

const char *const SleepInhibitor::kService = "org.freedesktop.login1";
const char *const SleepInhibitor::kPath = "/org/freedesktop/login1";
const char *const SleepInhibitor::kInterface = "org.freedesktop.login1.Manager";

namespace {

std::unique_ptr<QDBusConnection> &busOverride()
{
    static std::unique_ptr<QDBusConnection> bus;
    return bus;
}

constexpr int kCallTimeoutMs = 10000;

} // namespace

QDBusConnection SleepInhibitor::defaultBus()
{
    return busOverride() ? *busOverride() : QDBusConnection::systemBus();
}

void SleepInhibitor::setDefaultBus(const QDBusConnection &bus)
{
    busOverride() = std::make_unique<QDBusConnection>(bus);
}

SleepInhibitor::SleepInhibitor(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , bus(bus)
    , session(new SessionSuspendInhibitor(SessionSuspendInhibitor::defaultBus(), this))
{
}

void SleepInhibitor::hold(const QString &why)
{
    bWanted = true;
    session->hold(why);
    if (isHeld() || bPending)
        return;
    if (!bus.isConnected()) {
        strLastError = tr("No connection to the login manager's bus");
        return;
    }
    if (!(bus.connectionCapabilities() & QDBusConnection::UnixFileDescriptorPassing)) {
        strLastError = tr("The bus cannot pass file descriptors");
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
                                                       QLatin1String(kInterface), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("Tessaquill+") << why << QStringLiteral("block");
    bPending = true;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &SleepInhibitor::inhibitAnswered);
}

void SleepInhibitor::inhibitAnswered(QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    bPending = false;
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
    if (reply.isError()) {
        strLastError = reply.error().message();
        return;
    }
    if (!bWanted)
        return; // released meanwhile: the descriptor closes with the reply
    descriptor = reply.value();
    if (isHeld())
        emit heldChanged(true);
}

void SleepInhibitor::release()
{
    bWanted = false;
    session->release();
    if (!isHeld())
        return;
    descriptor = QDBusUnixFileDescriptor();
    emit heldChanged(false);
}
