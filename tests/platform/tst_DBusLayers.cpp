#include "platform/SessionSuspendInhibitor.h"
#include "platform/SleepInhibitor.h"
#include "platform/TaskbarProgress.h"

#include "FakeGnomeSessionManager.h"
#include "FakeLoginManager.h"
#include "FakePowerManagement.h"
#include "LauncherEntryListener.h"
#include "PrivateSessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QtTest>

#include <memory>

// The desktop layers on a private session bus: the launcher entry progress as a dock sees it, and
// the sleep inhibitor against a stand-in login manager, and the desktop session's requests not to
// suspend against stand-ins for its two services.
class tst_DBusLayers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void progressReachesTheLauncherEntry();
    void progressWithoutSessionBus();
    void lockIsHeldUntilReleased();
    void oneLockForRepeatedRequests();
    void releaseBeforeTheAnswerKeepsNothing();
    void destroyedInhibitorLetsGo();
    void refusedOrMissingLoginManager_data();
    void refusedOrMissingLoginManager();
    void sessionIsAskedNotToSuspend_data();
    void sessionIsAskedNotToSuspend();
    void sessionReleaseBeforeTheAnswers();
    void destroyedInhibitorLetsGoOfTheSession_data();
    void destroyedInhibitorLetsGoOfTheSession();
    void sleepInhibitorAsksTheSessionToo();

private:
    std::unique_ptr<FakeLoginManager> loginManager;
};

void tst_DBusLayers::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no private session bus");
    QVERIFY(!QDBusConnection::systemBus().isConnected());
}

void tst_DBusLayers::init()
{
    loginManager = std::make_unique<FakeLoginManager>();
    QVERIFY(loginManager->registerService());
}

void tst_DBusLayers::cleanup()
{
    loginManager.reset();
}

void tst_DBusLayers::progressReachesTheLauncherEntry()
{
    LauncherEntryListener listener;
    QVERIFY(listener.isListening());
    std::unique_ptr<TaskbarProgress> progress(TaskbarProgress::create(QStringLiteral("tessaquill.desktop")));
    QVERIFY(progress);
    QCOMPARE(progress->applicationUri(), QStringLiteral("application://tessaquill.desktop"));

    progress->setProgressState(TaskbarProgress::Normal);
    progress->setProgressValue(50, 99);
    progress->setProgressValue(50, 99); // the same: nothing new to show
    progress->setProgressState(TaskbarProgress::Paused); // still shown, same value
    progress->setProgressValue(99, 99);
    progress->setProgressValue(120, 99); // past the end: full, as at 99
    progress->setProgressState(TaskbarProgress::NoProgress);
    progress->setProgressValue(10, 99); // hidden: no news for the dock

    QTRY_COMPARE(listener.updates.size(), 4);
    QTest::qWait(200);
    QCOMPARE(listener.updates.size(), 4);
    const struct {
        bool visible;
        double progress;
    } expected[] = {{true, 0.0}, {true, 50.0 / 99.0}, {true, 1.0}, {false, 1.0}};
    for (int i = 0; i < 4; ++i) {
        const LauncherEntryListener::Update &update = listener.updates.at(i);
        QCOMPARE(update.applicationUri, QStringLiteral("application://tessaquill.desktop"));
        QVERIFY(update.path.startsWith(QStringLiteral("/com/canonical/unity/launcherentry/")));
        QCOMPARE(update.properties.value(QStringLiteral("progress-visible")).toBool(), expected[i].visible);
        QCOMPARE(update.properties.value(QStringLiteral("progress")).toDouble(), expected[i].progress);
    }
}

void tst_DBusLayers::progressWithoutSessionBus()
{
    LauncherEntryListener listener;
    TaskbarProgress progress(QStringLiteral("tessaquill.desktop"),
                             QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                           QStringLiteral("tessaquill-no-bus")));
    progress.setProgressState(TaskbarProgress::Normal);
    progress.setProgressValue(10, 99);
    QTest::qWait(200);
    QVERIFY(listener.updates.isEmpty());
}

void tst_DBusLayers::lockIsHeldUntilReleased()
{
    SleepInhibitor inhibitor(QDBusConnection::sessionBus());
    QSignalSpy held(&inhibitor, &SleepInhibitor::heldChanged);
    inhibitor.hold(QStringLiteral("Downloading"));
    QTRY_VERIFY(inhibitor.isHeld());
    QCOMPARE(held.size(), 1);
    QCOMPARE(loginManager->calls,
             (QList<QStringList>{{QStringLiteral("sleep:idle"), QStringLiteral("Tessaquill+"),
                                  QStringLiteral("Downloading"), QStringLiteral("block")}}));
    QTest::qWait(100);
    QCOMPARE(loginManager->heldLockCount(), 1);

    inhibitor.release();
    QVERIFY(!inhibitor.isHeld());
    QCOMPARE(held.size(), 2);
    QTRY_COMPARE(loginManager->heldLockCount(), 0);

    // And again: a new lock for new work.
    inhibitor.hold(QStringLiteral("Downloading"));
    QTRY_VERIFY(inhibitor.isHeld());
    QCOMPARE(loginManager->lockCount(), 2);
    QTRY_COMPARE(loginManager->heldLockCount(), 1);
}

void tst_DBusLayers::oneLockForRepeatedRequests()
{
    SleepInhibitor inhibitor(QDBusConnection::sessionBus());
    inhibitor.hold(QStringLiteral("a"));
    inhibitor.hold(QStringLiteral("b")); // answer still on its way
    QTRY_VERIFY(inhibitor.isHeld());
    inhibitor.hold(QStringLiteral("c")); // held already
    QTest::qWait(100);
    QCOMPARE(loginManager->calls.size(), 1);
    QCOMPARE(loginManager->heldLockCount(), 1);
}

void tst_DBusLayers::releaseBeforeTheAnswerKeepsNothing()
{
    SleepInhibitor inhibitor(QDBusConnection::sessionBus());
    inhibitor.hold(QStringLiteral("short"));
    inhibitor.release();
    QTRY_COMPARE(loginManager->lockCount(), 1);
    QTRY_COMPARE(loginManager->heldLockCount(), 0);
    QVERIFY(!inhibitor.isHeld());
}

void tst_DBusLayers::destroyedInhibitorLetsGo()
{
    {
        SleepInhibitor inhibitor(QDBusConnection::sessionBus());
        inhibitor.hold(QStringLiteral("Downloading"));
        QTRY_VERIFY(inhibitor.isHeld());
    }
    QTRY_COMPARE(loginManager->heldLockCount(), 0);
}

void tst_DBusLayers::refusedOrMissingLoginManager_data()
{
    QTest::addColumn<QString>("situation");
    QTest::newRow("refused") << "refused";
    QTest::newRow("no login manager") << "missing";
    QTest::newRow("no bus") << "no bus";
}

void tst_DBusLayers::refusedOrMissingLoginManager()
{
    QFETCH(QString, situation);
    if (situation == QLatin1String("refused"))
        loginManager->bRefuse = true;
    else
        loginManager.reset();
    const QDBusConnection bus = situation == QLatin1String("no bus")
                                    ? QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                                    QStringLiteral("tessaquill-no-bus"))
                                    : QDBusConnection::sessionBus();
    SleepInhibitor inhibitor(bus);
    inhibitor.hold(QStringLiteral("Downloading"));
    QTRY_VERIFY(!inhibitor.lastError().isEmpty());
    QVERIFY(!inhibitor.isHeld());
    inhibitor.release();
    QVERIFY(!inhibitor.isHeld());
}

void tst_DBusLayers::sessionIsAskedNotToSuspend_data()
{
    QTest::addColumn<bool>("powerManagement");
    QTest::addColumn<bool>("gnome");
    QTest::newRow("both services") << true << true;
    QTest::newRow("freedesktop power management only") << true << false;
    QTest::newRow("GNOME session only") << false << true;
    QTest::newRow("neither") << false << false;
}

// Each service present is asked once for the stretch of work and given its cookie back at the
// end; an absent one costs one failed call, not one per tick.
void tst_DBusLayers::sessionIsAskedNotToSuspend()
{
    QFETCH(bool, powerManagement);
    QFETCH(bool, gnome);
    FakePowerManagement power;
    FakeGnomeSessionManager session;
    if (powerManagement)
        QVERIFY(power.registerService());
    if (gnome)
        QVERIFY(session.registerService());
    const int present = (powerManagement ? 1 : 0) + (gnome ? 1 : 0);

    SessionSuspendInhibitor inhibitor(QDBusConnection::sessionBus());
    inhibitor.hold(QStringLiteral("Downloading"));
    if (present < 2)
        QTRY_VERIFY(!inhibitor.lastError().isEmpty());
    QTRY_COMPARE(inhibitor.heldCount(), present);
    const QList<QStringList> powerCalls{{QStringLiteral("Tessaquill+"), QStringLiteral("Downloading")}};
    QCOMPARE(power.calls, powerManagement ? powerCalls : QList<QStringList>());
    const QList<QVariantList> sessionCalls{
        {QStringLiteral("tessaquill"), 0u, QStringLiteral("Downloading"), SessionSuspendInhibitor::kGnomeSuspendFlag}};
    QCOMPARE(session.calls, gnome ? sessionCalls : QList<QVariantList>());
    QCOMPARE(power.activeCookies.size(), powerManagement ? 1 : 0);
    QCOMPARE(session.activeFlags.size(), gnome ? 1 : 0);

    // The next ticks of the same work ask nothing new.
    inhibitor.hold(QStringLiteral("Downloading"));
    inhibitor.hold(QStringLiteral("Downloading"));
    QTest::qWait(200);
    QCOMPARE(power.calls.size() + session.calls.size(), present);

    const QSet<uint> powerCookies = power.activeCookies;
    const QList<uint> sessionCookies = session.activeFlags.keys();
    inhibitor.release();
    QCOMPARE(inhibitor.heldCount(), 0);
    QTRY_VERIFY(power.activeCookies.isEmpty() && session.activeFlags.isEmpty());
    QCOMPARE(QSet<uint>(power.releasedCookies.begin(), power.releasedCookies.end()), powerCookies);
    QCOMPARE(session.releasedCookies, sessionCookies);

    // New work, new requests.
    inhibitor.hold(QStringLiteral("Downloading"));
    QTRY_COMPARE(inhibitor.heldCount(), present);
    QCOMPARE(power.activeCookies.size() + session.activeFlags.size(), present);
}

void tst_DBusLayers::sessionReleaseBeforeTheAnswers()
{
    FakePowerManagement power;
    FakeGnomeSessionManager session;
    QVERIFY(power.registerService());
    QVERIFY(session.registerService());
    SessionSuspendInhibitor inhibitor(QDBusConnection::sessionBus());
    inhibitor.hold(QStringLiteral("short"));
    inhibitor.release();
    QTRY_COMPARE(power.releasedCookies.size(), 1);
    QTRY_COMPARE(session.releasedCookies.size(), 1);
    QVERIFY(power.activeCookies.isEmpty());
    QVERIFY(session.activeFlags.isEmpty());
    QCOMPARE(inhibitor.heldCount(), 0);
}

void tst_DBusLayers::destroyedInhibitorLetsGoOfTheSession_data()
{
    QTest::addColumn<bool>("answered");
    QTest::newRow("after the answers") << true;
    QTest::newRow("before the answers (the window closed at once)") << false;
}

// Whether the services answered before the inhibitor went or only after, nothing stays held,
// the program still running.
void tst_DBusLayers::destroyedInhibitorLetsGoOfTheSession()
{
    QFETCH(bool, answered);
    FakePowerManagement power;
    FakeGnomeSessionManager session;
    QVERIFY(power.registerService());
    QVERIFY(session.registerService());
    {
        SleepInhibitor inhibitor(QDBusConnection::sessionBus());
        inhibitor.hold(QStringLiteral("Downloading"));
        if (answered) {
            QTRY_VERIFY(inhibitor.isHeld());
            QTRY_COMPARE(inhibitor.sessionInhibitor()->heldCount(), 2);
        }
    }
    QTRY_COMPARE(power.calls.size(), 1);
    QTRY_COMPARE(session.calls.size(), 1);
    QTRY_COMPARE(loginManager->lockCount(), 1);
    QTRY_VERIFY(power.activeCookies.isEmpty() && session.activeFlags.isEmpty());
    QTRY_COMPARE(loginManager->heldLockCount(), 0);
}

// The sleep inhibitor the window uses holds the login manager's lock and the session's requests
// together, and lets go of all of them.
void tst_DBusLayers::sleepInhibitorAsksTheSessionToo()
{
    FakePowerManagement power;
    FakeGnomeSessionManager session;
    QVERIFY(power.registerService());
    QVERIFY(session.registerService());
    SleepInhibitor inhibitor(QDBusConnection::sessionBus());
    inhibitor.hold(QStringLiteral("Downloading"));
    QTRY_VERIFY(inhibitor.isHeld());
    QTRY_COMPARE(inhibitor.sessionInhibitor()->heldCount(), 2);
    QCOMPARE(power.activeCookies.size(), 1);
    QCOMPARE(session.activeFlags.size(), 1);
    inhibitor.release();
    QTRY_COMPARE(loginManager->heldLockCount(), 0);
    QTRY_VERIFY(power.activeCookies.isEmpty() && session.activeFlags.isEmpty());
}

int main(int argc, char *argv[])
{
    if (!PrivateSessionBus::enter(argc, argv))
        return 1;
    QCoreApplication application(argc, argv);
    tst_DBusLayers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_DBusLayers.moc"
