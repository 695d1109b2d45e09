#include "platform/SessionSuspendInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

#include <memory>

namespace {

std::unique_ptr<QDBusConnection> &busOverride()
{
    static std::unique_ptr<QDBusConnection> bus;
    return bus;
}

constexpr int kCallTimeoutMs = 10000;
constexpr int kPowerManagement = 0;
constexpr int kGnomeSession = 1;

} // namespace

QDBusConnection SessionSuspendInhibitor::defaultBus()
{
    return busOverride() ? *busOverride() : QDBusConnection::sessionBus();
}

void SessionSuspendInhibitor::setDefaultBus(const QDBusConnection &bus)
{
    busOverride() = std::make_unique<QDBusConnection>(bus);
}

SessionSuspendInhibitor::SessionSuspendInhibitor(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , bus(bus)
{
    Service powerManagement;
    powerManagement.name = "org.freedesktop.PowerManagement";
    powerManagement.path = "/org/freedesktop/PowerManagement/Inhibit";
    powerManagement.interface = "org.freedesktop.PowerManagement.Inhibit";
    powerManagement.releaseMethod = "UnInhibit";
    Service gnomeSession;
    gnomeSession.name = "org.gnome.SessionManager";
    gnomeSession.path = "/org/gnome/SessionManager";
    gnomeSession.interface = "org.gnome.SessionManager";
    gnomeSession.releaseMethod = "Uninhibit";
    services = {powerManagement, gnomeSession};
}

SessionSuspendInhibitor::~SessionSuspendInhibitor()
{
    release();
}

int SessionSuspendInhibitor::heldCount() const
{
    int count = 0;
    for (const Service &service : services)
        count += service.held ? 1 : 0;
    return count;
}

void SessionSuspendInhibitor::hold(const QString &why)
{
    bWanted = true;
    if (!bus.isConnected()) {
        strLastError = tr("No connection to the session bus");
        return;
    }
    for (int i = 0; i < services.size(); ++i) {
        const Service &service = services.at(i);
        if (!service.held && !service.pending && !service.failed)
            ask(i, why);
    }
}

void SessionSuspendInhibitor::ask(int index, const QString &why)
{
    Service &service = services[index];
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(service.name), QLatin1String(service.path),
                                                       QLatin1String(service.interface), QStringLiteral("Inhibit"));
    if (index == kPowerManagement)
        call << QStringLiteral("Tessaquill+") << why;
    else if (index == kGnomeSession)
        call << QStringLiteral("tessaquill") << uint(0) << why << kGnomeSuspendFlag;
    // Where a desktop has no such service, none is started for this request.
    call.setAutoStartService(false);
    service.pending = true;
    // The answer may come after this object is gone (the window closed at once): the watcher
    // outlives it, and a request granted then is handed back at once.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kCallTimeoutMs));
    QPointer<SessionSuspendInhibitor> self(this);
    const QDBusConnection connection = bus;
    connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
            [self, connection, service, index](QDBusPendingCallWatcher *finished) {
                if (self) {
                    self->answered(index, finished);
                    return;
                }
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                if (!reply.isError())
                    sendRelease(connection, service, reply.value());
            });
}

void SessionSuspendInhibitor::answered(int index, QDBusPendingCallWatcher *watcher)
{
    watcher->deleteLater();
    Service &service = services[index];
    service.pending = false;
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        strLastError = reply.error().message();
        service.failed = true;
        return;
    }
    if (!bWanted) {
        sendRelease(bus, service, reply.value()); // released meanwhile
        return;
    }
    service.cookie = reply.value();
    service.held = true;
}

void SessionSuspendInhibitor::release()
{
    bWanted = false;
    for (Service &service : services) {
        service.failed = false;
        if (!service.held)
            continue;
        sendRelease(bus, service, service.cookie);
        service.held = false;
    }
}

void SessionSuspendInhibitor::sendRelease(const QDBusConnection &bus, const Service &service, uint cookie)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(service.name), QLatin1String(service.path),
                                                       QLatin1String(service.interface),
                                                       QLatin1String(service.releaseMethod));
    call << cookie;
    call.setAutoStartService(false);
    bus.send(call);
}
