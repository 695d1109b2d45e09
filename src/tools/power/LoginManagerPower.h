#ifndef LOGINMANAGERPOWER_H
#define LOGINMANAGERPOWER_H

#include <QDBusConnection>
#include <QString>

// One power action asked of the login manager (org.freedesktop.login1.Manager): first whether it
// is allowed (CanPowerOff, CanSuspend, CanHibernate), then the action itself. Nothing is asked
// when the login manager says the action is not available.
class LoginManagerPower
{
public:
    enum class Action { PowerOff, Suspend, Hibernate };

    // The tool's exit codes.
    enum Result {
        Done = 0,
        BadArguments = 1,
        NotAllowed = 2,
        NoLoginManager = 3,
        CallFailed = 4,
    };

    explicit LoginManagerPower(const QDBusConnection &bus);

    // The action named on the command line ("poweroff", "suspend", "hibernate"); false for
    // anything else.
    static bool parseAction(const QString &text, Action &action);

    // Asks for the action; the message says what went wrong (empty after Done).
    Result run(Action action);
    QString message() const { return strMessage; }

    // The bus the login manager is reached on: the system bus, or the session bus when the
    // environment variable TESSAQUILL_LOGIN_BUS is "session" (tests put a stand-in there).
    static QDBusConnection busFromEnvironment();

private:
    QDBusConnection bus;
    QString strMessage;
};

#endif // LOGINMANAGERPOWER_H
