#ifndef SLEEPINHIBITOR_H
#define SLEEPINHIBITOR_H

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;
class SessionSuspendInhibitor;

// Keeps the computer from going to sleep while the program has work: an inhibitor lock of the
// login manager (org.freedesktop.login1.Manager.Inhibit with "sleep:idle" in "block" mode), and
// the desktop session's own requests not to suspend (SessionSuspendInhibitor), since a desktop
// may suspend an idle computer whatever the login manager's locks say. The lock lasts as long as
// the descriptor that the login manager hands back is held, so a program that ends or crashes
// can never leave the computer awake. The calls are made without waiting for their answers;
// without a login manager (no system bus, no logind) or session services nothing happens.
class SleepInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit SleepInhibitor(const QDBusConnection &bus = defaultBus(), QObject *parent = nullptr);

    // Asks for the lock, unless it is held or asked for already.
    void hold(const QString &why);
    // Gives the lock back, also one whose answer has not arrived yet.
    void release();

    bool isWanted() const { return bWanted; }
    bool isHeld() const { return descriptor.isValid(); }
    QString lastError() const { return strLastError; }
    // The desktop session's part, on the session bus.
    SessionSuspendInhibitor *sessionInhibitor() const { return session; }

    // The bus the login manager is reached on: the system bus, unless another one was set
    // (tests put a stand-in login manager on a private session bus).
    static QDBusConnection defaultBus();
    static void setDefaultBus(const QDBusConnection &bus);

    static const char *const kService;
    static const char *const kPath;
    static const char *const kInterface;

signals:
    void heldChanged(bool held);

private slots:
    void inhibitAnswered(QDBusPendingCallWatcher *watcher);

private:
    QDBusConnection bus;
    SessionSuspendInhibitor *session = nullptr;
    QDBusUnixFileDescriptor descriptor;
    bool bWanted = false;
    bool bPending = false;
    QString strLastError;
};

#endif // SLEEPINHIBITOR_H
