#include "FakePowerManagement.h"

namespace {
const char *const kConnection = "tessaquill-fake-power-management";
}

FakePowerManagement::FakePowerManagement()
    : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QLatin1String(kConnection)))
{
}

FakePowerManagement::~FakePowerManagement()
{
    bus.unregisterObject(QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"));
    bus.unregisterService(QStringLiteral("org.freedesktop.PowerManagement"));
    QDBusConnection::disconnectFromBus(QLatin1String(kConnection));
}

bool FakePowerManagement::registerService()
{
    return bus.isConnected()
           && bus.registerObject(QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"), this,
                                 QDBusConnection::ExportAllSlots)
           && bus.registerService(QStringLiteral("org.freedesktop.PowerManagement"));
}

uint FakePowerManagement::Inhibit(const QString &application, const QString &reason)
{
    calls.append({application, reason});
    activeCookies.insert(nextCookie);
    return nextCookie++;
}

void FakePowerManagement::UnInhibit(uint cookie)
{
    releasedCookies.append(cookie);
    activeCookies.remove(cookie);
}
