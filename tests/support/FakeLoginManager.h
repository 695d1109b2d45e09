#ifndef FAKELOGINMANAGER_H
#define FAKELOGINMANAGER_H

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusUnixFileDescriptor>
#include <QList>
#include <QObject>
#include <QStringList>

// A stand-in for the login manager's Inhibit call, on a connection of its own to the (private)
// session bus under the name org.freedesktop.login1. Each lock it hands out is the write end of a
// pipe whose read end it keeps, so it can tell when the holder has let go of the lock (the pipe
// hangs up), as the real one does.
class FakeLoginManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    FakeLoginManager();
    ~FakeLoginManager() override;

    // Takes the service name and path on a connection of its own; false when that failed.
    bool registerService();
    QDBusConnection connection() const { return bus; }

    // The arguments of each Inhibit call: what, who, why, mode.
    QList<QStringList> calls;
    // Inhibit answers with an error instead of a lock.
    bool bRefuse = false;

    int lockCount() const { return readEnds.size(); }
    // Whether the holder of a lock still has it.
    bool isLockHeld(int index) const;
    int heldLockCount() const;

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why, const QString &mode);

private:
    QDBusConnection bus;
    QList<int> readEnds;
};

#endif // FAKELOGINMANAGER_H
