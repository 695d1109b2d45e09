#include "LauncherEntryListener.h"

#include <QDBusArgument>
#include <QDBusConnection>

namespace {

const char *const kConnectionName = "tessaquill-launcher-listener";

QDBusConnection listenerBus()
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QLatin1String(kConnectionName));
}

} // namespace

LauncherEntryListener::LauncherEntryListener()
{
    bListening = listenerBus().connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                                       QStringLiteral("Update"), this, SLOT(onUpdate(QDBusMessage)));
}

LauncherEntryListener::~LauncherEntryListener()
{
    QDBusConnection::disconnectFromBus(QLatin1String(kConnectionName));
}

void LauncherEntryListener::onUpdate(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    Update update;
    update.path = message.path();
    update.applicationUri = arguments.value(0).toString();
    const QVariant second = arguments.value(1);
    if (second.canConvert<QDBusArgument>())
        second.value<QDBusArgument>() >> update.properties;
    else
        update.properties = second.toMap();
    updates.append(update);
}
