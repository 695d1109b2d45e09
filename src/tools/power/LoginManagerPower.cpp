#include "LoginManagerPower.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusReply>
#include <QList>
#include <QVariant>

namespace {

const char *const kService = "org.freedesktop.login1";
const char *const kPath = "/org/freedesktop/login1";
const char *const kInterface = "org.freedesktop.login1.Manager";
// A power call can wait for an authentication prompt; the question of whether it is allowed
// cannot.
constexpr int kQuestionTimeoutMs = 10000;
constexpr int kActionTimeoutMs = 120000;

struct ActionNames
{
    const char *argument;
    const char *question;
    const char *call;
    const char *description;
};

ActionNames namesOf(LoginManagerPower::Action action)
{
    switch (action) {
    case LoginManagerPower::Action::PowerOff:
        return {"poweroff", "CanPowerOff", "PowerOff", "Powering off"};
    case LoginManagerPower::Action::Suspend:
        return {"suspend", "CanSuspend", "Suspend", "Suspending"};
    case LoginManagerPower::Action::Hibernate:
        break;
    }
    return {"hibernate", "CanHibernate", "Hibernate", "Hibernating"};
}

} // namespace

LoginManagerPower::LoginManagerPower(const QDBusConnection &bus)
    : bus(bus)
{
}

bool LoginManagerPower::parseAction(const QString &text, Action &action)
{
    for (Action candidate : {Action::PowerOff, Action::Suspend, Action::Hibernate}) {
        if (text == QLatin1String(namesOf(candidate).argument)) {
            action = candidate;
            return true;
        }
    }
    return false;
}

LoginManagerPower::Result LoginManagerPower::run(Action action)
{
    const ActionNames names = namesOf(action);
    strMessage.clear();
    if (!bus.isConnected()) {
        strMessage = QStringLiteral("No connection to the login manager's bus: %1").arg(bus.lastError().message());
        return NoLoginManager;
    }
    const QDBusMessage question =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QLatin1String(names.question));
    const QDBusReply<QString> allowed = bus.call(question, QDBus::Block, kQuestionTimeoutMs);
    if (!allowed.isValid()) {
        strMessage = QStringLiteral("The login manager could not be asked (%1): %2")
                         .arg(QLatin1String(names.question), allowed.error().message());
        return NoLoginManager;
    }
    // "yes": allowed; "challenge": allowed after authentication; "no" and "na": not allowed.
    const QString answer = allowed.value();
    if (answer != QLatin1String("yes") && answer != QLatin1String("challenge")) {
        strMessage = QStringLiteral("%1 is not allowed on this computer (the login manager answers \"%2\" to %3)")
                         .arg(QLatin1String(names.description), answer, QLatin1String(names.question));
        return NotAllowed;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QLatin1String(names.call));
    // Interactive: a desktop's authentication agent may ask for a password.
    call << true;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kActionTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        strMessage = QStringLiteral("The login manager refused %1: %2")
                         .arg(QLatin1String(names.call), reply.errorMessage());
        return CallFailed;
    }
    return Done;
}

QDBusConnection LoginManagerPower::busFromEnvironment()
{
    if (qgetenv("TESSAQUILL_LOGIN_BUS") == "session")
        return QDBusConnection::sessionBus();
    return QDBusConnection::systemBus();
}
