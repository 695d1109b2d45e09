#include "platform/TaskbarProgress.h"

#include <QCryptographicHash>
#include <QDBusMessage>
#include <QVariantMap>

const char *const TaskbarProgress::kInterface = "com.canonical.Unity.LauncherEntry";

TaskbarProgress::TaskbarProgress(const QString &desktopFileId, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , bus(bus)
    , strApplicationUri(QStringLiteral("application://") + desktopFileId)
{
    // Readers match the entry by the URI, not by the path; one path per program keeps two
    // programs' signals apart.
    const QByteArray digest = QCryptographicHash::hash(strApplicationUri.toUtf8(), QCryptographicHash::Md5).toHex();
    strObjectPath = QStringLiteral("/com/canonical/unity/launcherentry/") + QString::fromLatin1(digest.left(12));
}

TaskbarProgress *TaskbarProgress::create(const QString &desktopFileId, QObject *parent)
{
    const QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return nullptr;
    return new TaskbarProgress(desktopFileId, session, parent);
}

void TaskbarProgress::setProgressState(int state)
{
    iState = (state == Normal || state == Paused) ? state : NoProgress;
    sendUpdate();
}

void TaskbarProgress::setProgressValue(quint64 completed, quint64 total)
{
    dProgress = (total == 0 || completed >= total) ? 1.0 : double(completed) / double(total);
    sendUpdate();
}

void TaskbarProgress::sendUpdate()
{
    const bool visible = isProgressVisible();
    if (bSent && visible == bSentVisible && (!visible || dProgress == dSentProgress))
        return;
    QDBusMessage signal = QDBusMessage::createSignal(strObjectPath, QLatin1String(kInterface), QStringLiteral("Update"));
    QVariantMap properties;
    properties.insert(QStringLiteral("progress-visible"), visible);
    properties.insert(QStringLiteral("progress"), dProgress);
    signal << strApplicationUri << properties;
    if (!bus.send(signal))
        return;
    bSent = true;
    bSentVisible = visible;
    dSentProgress = dProgress;
}
