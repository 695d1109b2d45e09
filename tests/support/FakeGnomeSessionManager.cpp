#include "FakeGnomeSessionManager.h"

namespace {
const char *const kConnection = "tessaquill-fake-gnome-session";
}

FakeGnomeSessionManager::FakeGnomeSessionManager()
    : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QLatin1String(kConnection)))
{
}

FakeGnomeSessionManager::~FakeGnomeSessionManager()
{
    bus.unregisterObject(QStringLiteral("/org/gnome/SessionManager"));
    bus.unregisterService(QStringLiteral("org.gnome.SessionManager"));
    QDBusConnection::disconnectFromBus(QLatin1String(kConnection));
}

bool FakeGnomeSessionManager::registerService()
{
    return bus.isConnected()
           && bus.registerObject(QStringLiteral("/org/gnome/SessionManager"), this, QDBusConnection::ExportAllSlots)
           && bus.registerService(QStringLiteral("org.gnome.SessionManager"));
}

uint FakeGnomeSessionManager::Inhibit(const QString &appId, uint toplevelXid, const QString &reason, uint flags)
{
    calls.append({appId, toplevelXid, reason, flags});
    activeFlags.insert(nextCookie, flags);
    return nextCookie++;
}

void FakeGnomeSessionManager::Uninhibit(uint cookie)
{
    releasedCookies.append(cookie);
    activeFlags.remove(cookie);
}
