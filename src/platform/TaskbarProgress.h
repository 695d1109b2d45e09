#ifndef TASKBARPROGRESS_H
#define TASKBARPROGRESS_H

#include <QDBusConnection>
#include <QObject>
#include <QString>

// The progress shown on the program's entry in the task manager or dock: the D-Bus signal
// com.canonical.Unity.LauncherEntry.Update, which KDE Plasma's task manager and the common docks
// read, carrying the program's desktop entry and the properties "progress" (0 to 1) and
// "progress-visible". A signal is sent only when what it would show changes. Without a session
// bus nothing is sent.
class TaskbarProgress : public QObject
{
    Q_OBJECT

public:
    // The states the window asks for, with the values the rest of the program uses.
    enum State {
        NoProgress = 0,
        Normal = 2,
        Paused = 8
    };

    // `desktopFileId` is the name of the program's desktop entry, as "tessaquill.desktop".
    TaskbarProgress(const QString &desktopFileId, const QDBusConnection &bus, QObject *parent = nullptr);

    // A progress on the session bus, or null when there is no session bus.
    static TaskbarProgress *create(const QString &desktopFileId, QObject *parent = nullptr);

    // No progress hides the bar; the two other states show it.
    void setProgressState(int state);
    // Completed out of total; a completed value at or above the total fills the bar.
    void setProgressValue(quint64 completed, quint64 total);

    QString applicationUri() const { return strApplicationUri; }
    QString objectPath() const { return strObjectPath; }
    double progress() const { return dProgress; }
    bool isProgressVisible() const { return iState != NoProgress; }

    static const char *const kInterface;

private:
    void sendUpdate();

    QDBusConnection bus;
    QString strApplicationUri;
    QString strObjectPath;
    int iState = NoProgress;
    double dProgress = 0.0;
    bool bSent = false;
    bool bSentVisible = false;
    double dSentProgress = 0.0;
};

#endif // TASKBARPROGRESS_H
