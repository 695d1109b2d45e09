#include "platform/SleepInhibitor.h"
#include "platform/TaskbarProgress.h"

#include "FakeLoginManager.h"
#include "LauncherEntryListener.h"
#include "PrivateSessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QtTest>

#include <memory>

// The desktop layers on a private session bus: the launcher entry progress as a dock sees it, and
// the sleep inhibitor against a stand-in login manager.
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

int main(int argc, char *argv[])
{
    if (!PrivateSessionBus::enter(argc, argv))
        return 1;
    QCoreApplication application(argc, argv);
    tst_DBusLayers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_DBusLayers.moc"
