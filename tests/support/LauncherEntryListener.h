#ifndef LAUNCHERENTRYLISTENER_H
#define LAUNCHERENTRYLISTENER_H

#include <QDBusMessage>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Records the launcher entry updates (com.canonical.Unity.LauncherEntry.Update) sent on the
// session bus, as a dock or task manager receives them.
class LauncherEntryListener : public QObject
{
    Q_OBJECT

public:
    struct Update {
        QString path;
        QString applicationUri;
        QVariantMap properties;
    };

    LauncherEntryListener();
    ~LauncherEntryListener() override;
    bool isListening() const { return bListening; }

    QList<Update> updates;

private slots:
    void onUpdate(const QDBusMessage &message);

private:
    bool bListening = false;
};

#endif // LAUNCHERENTRYLISTENER_H
