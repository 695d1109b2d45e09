#ifndef FAKEPOWERMANAGEMENT_H
#define FAKEPOWERMANAGEMENT_H

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

// A stand-in for a desktop's org.freedesktop.PowerManagement.Inhibit service, on a connection of
// its own to the (private) session bus. It hands out cookies and keeps those not yet given back.
class FakePowerManagement : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.PowerManagement.Inhibit")

public:
    FakePowerManagement();
    ~FakePowerManagement() override;

    bool registerService();

    // The arguments of each Inhibit call: application, reason.
    QList<QStringList> calls;
    QList<uint> releasedCookies;
    QSet<uint> activeCookies;

public slots:
    uint Inhibit(const QString &application, const QString &reason);
    void UnInhibit(uint cookie);

private:
    QDBusConnection bus;
    uint nextCookie = 101;
};

#endif // FAKEPOWERMANAGEMENT_H
