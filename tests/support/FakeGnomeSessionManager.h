#ifndef FAKEGNOMESESSIONMANAGER_H
#define FAKEGNOMESESSIONMANAGER_H

#include <QDBusConnection>
#include <QList>
#include <QMap>
#include <QObject>
#include <QVariantList>

// A stand-in for GNOME's session manager (org.gnome.SessionManager Inhibit / Uninhibit), on a
// connection of its own to the (private) session bus. It keeps the flags of each request not
// yet ended, by cookie.
class FakeGnomeSessionManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")

public:
    FakeGnomeSessionManager();
    ~FakeGnomeSessionManager() override;

    bool registerService();

    // The arguments of each Inhibit call: application id, top-level window id, reason, flags.
    QList<QVariantList> calls;
    QList<uint> releasedCookies;
    QMap<uint, uint> activeFlags;

public slots:
    uint Inhibit(const QString &appId, uint toplevelXid, const QString &reason, uint flags);
    void Uninhibit(uint cookie);

private:
    QDBusConnection bus;
    uint nextCookie = 7001;
};

#endif // FAKEGNOMESESSIONMANAGER_H
