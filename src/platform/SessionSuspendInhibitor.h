#ifndef SESSIONSUSPENDINHIBITOR_H
#define SESSIONSUSPENDINHIBITOR_H

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVector>

class QDBusPendingCallWatcher;

// Asks the desktop session not to suspend the computer while the program has work: desktops
// suspend an idle computer on their own, whatever the login manager's locks say. Two session
// services take such requests, each answering with a cookie that is handed back to end it:
// org.freedesktop.PowerManagement.Inhibit (Inhibit / UnInhibit) and GNOME's session manager
// (org.gnome.SessionManager Inhibit with the suspend flag / Uninhibit). Each present one is
// asked; an absent one is not started for it. Both drop a request by themselves when the
// program leaves the bus, so a crash never leaves the computer awake.
class SessionSuspendInhibitor : public QObject
{
    Q_OBJECT

public:
    explicit SessionSuspendInhibitor(const QDBusConnection &bus = defaultBus(), QObject *parent = nullptr);
    ~SessionSuspendInhibitor() override;

    // Asks every service that is not asked yet (one that failed: again after a release).
    void hold(const QString &why);
    // Ends every request, also those whose answer has not arrived yet (ended when it comes).
    void release();

    // Services that hold a request of ours.
    int heldCount() const;
    bool isHeld() const { return heldCount() > 0; }
    QString lastError() const { return strLastError; }

    // The session bus, unless another one was set.
    static QDBusConnection defaultBus();
    static void setDefaultBus(const QDBusConnection &bus);

    // GNOME's flag for "do not suspend".
    static constexpr uint kGnomeSuspendFlag = 4;

private:
    struct Service {
        const char *name;
        const char *path;
        const char *interface;
        const char *releaseMethod;
        bool pending = false;
        bool held = false;
        bool failed = false; // not asked again before the next release
        uint cookie = 0;
    };

    void ask(int index, const QString &why);
    void answered(int index, QDBusPendingCallWatcher *watcher);
    static void sendRelease(const QDBusConnection &bus, const Service &service, uint cookie);

    QDBusConnection bus;
    QVector<Service> services;
    bool bWanted = false;
    QString strLastError;
};

#endif // SESSIONSUSPENDINHIBITOR_H
