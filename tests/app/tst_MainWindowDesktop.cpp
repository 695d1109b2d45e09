#include "MainWindowTestAccess.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFiles.h"

#include "FakeGnomeSessionManager.h"
#include "FakeLoginManager.h"
#include "FakePowerManagement.h"
#include "GuiTestHome.h"
#include "LauncherEntryListener.h"
#include "PrivateSessionBus.h"

#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QTreeWidgetItem>
#include <QtTest>

#include <memory>

// The main window's ties to the desktop over D-Bus, on a private session bus: the progress of
// its launcher entry, and the sleep lock held while the queue has work, from a stand-in login
// manager's side.
class tst_MainWindowDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void progressReachesTheLauncherEntry();
    void sleepLockFollowsTheQueue();

private:
    NzbFiles *queueOneNzb(const QString &name);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<FakeLoginManager> loginManager;
    std::unique_ptr<MainWindow> window;
};

void tst_MainWindowDesktop::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no private session bus");
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");
    // The login manager lives on the private session bus here.
    SleepInhibitor::setDefaultBus(QDBusConnection::sessionBus());
}

void tst_MainWindowDesktop::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppConfiguration *config = AppConfiguration::getInstance();
    config->autoDownloadNzb = true;
    config->cacheFolder = home->dataFolder() + QStringLiteral("/Cache");
    config->downloadFolder = home->dataFolder() + QStringLiteral("/Download");
    config->destinationFolder = home->dataFolder() + QStringLiteral("/Destination");
    // A server, so that no wizard opens.
    auto *server = new NntpServer;
    server->iId = 1;
    config->serversConfiguration.listServers.append(server);
    loginManager = std::make_unique<FakeLoginManager>();
    QVERIFY(loginManager->registerService());
    window = std::make_unique<MainWindow>();
}

void tst_MainWindowDesktop::cleanup()
{
    window.reset();
    loginManager.reset();
    AppConfiguration *config = AppConfiguration::getInstance();
    qDeleteAll(config->serversConfiguration.listServers);
    config->serversConfiguration.listServers.clear();
    config->nzbConfiguration.listNzbFiles.clear();
    home.reset();
}

NzbFiles *tst_MainWindowDesktop::queueOneNzb(const QString &name)
{
    const QString path = home->path() + QLatin1Char('/') + name + QStringLiteral(".nzb");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return nullptr;
    file.write("<?xml version=\"1.0\"?>\n<nzb><file poster=\"p\" date=\"1\" subject=\"" + name.toUtf8()
               + ".bin\"><groups><group>g</group></groups><segments>"
                 "<segment bytes=\"5\" number=\"1\">" + name.toUtf8() + "@x</segment></segments></file></nzb>\n");
    file.close();
    window->addNzbFile(path, name, QString());
    NzbFiles *nzb = DownloadNzbManager::getInstance()->listNzbFiles.last();
    return nzb->strName == name ? nzb : nullptr;
}

void tst_MainWindowDesktop::progressReachesTheLauncherEntry()
{
    LauncherEntryListener listener;
    QVERIFY(listener.isListening());
    TaskbarProgress *taskbar = MainWindowTestAccess::taskbarList(*window);
    QVERIFY(taskbar);
    // What the statistics tick does each second while downloading: the state, then the value.
    taskbar->setProgressState(TaskbarProgress::Normal);
    window->updateWin7ProgressBarValue(50);
    window->updateWin7ProgressBarValue(99);
    taskbar->setProgressState(TaskbarProgress::NoProgress);
    QTRY_COMPARE(listener.updates.size(), 4);
    const QList<QPair<bool, double>> expected = {{true, 0.0}, {true, 50.0 / 99.0}, {true, 1.0}, {false, 1.0}};
    for (int i = 0; i < expected.size(); ++i) {
        const LauncherEntryListener::Update &update = listener.updates.at(i);
        QCOMPARE(update.applicationUri, QStringLiteral("application://tessaquill.desktop"));
        QCOMPARE(update.properties.value(QStringLiteral("progress-visible")).toBool(), expected.at(i).first);
        QCOMPARE(update.properties.value(QStringLiteral("progress")).toDouble(), expected.at(i).second);
    }
}

// Held from the first tick that sees work pending, let go at the first tick after the last NZB
// was cleaned, and gone with the program; the desktop session is asked not to suspend for as
// long.
void tst_MainWindowDesktop::sleepLockFollowsTheQueue()
{
    FakePowerManagement power;
    FakeGnomeSessionManager session;
    QVERIFY(power.registerService());
    QVERIFY(session.registerService());
    window->slotTimedElapsedPreventComputerSuspend();
    QTest::qWait(100);
    QCOMPARE(loginManager->calls.size(), 0);
    QCOMPARE(power.calls.size() + session.calls.size(), 0);

    NzbFiles *nzb = queueOneNzb(QStringLiteral("pending"));
    QVERIFY(nzb);
    window->slotTimedElapsedPreventComputerSuspend();
    QTRY_COMPARE(loginManager->heldLockCount(), 1);
    QCOMPARE(loginManager->calls.first().value(0), QStringLiteral("sleep:idle"));
    QCOMPARE(loginManager->calls.first().value(3), QStringLiteral("block"));
    QTRY_COMPARE(power.activeCookies.size(), 1);
    QTRY_COMPARE(session.activeFlags.size(), 1);
    window->slotTimedElapsedPreventComputerSuspend();
    QTest::qWait(100);
    QCOMPARE(loginManager->calls.size(), 1);
    QCOMPARE(power.calls.size() + session.calls.size(), 2);

    nzb->bCleaned = true;
    window->slotTimedElapsedPreventComputerSuspend();
    QTRY_COMPARE(loginManager->heldLockCount(), 0);
    QTRY_VERIFY(power.activeCookies.isEmpty() && session.activeFlags.isEmpty());

    // Work again, then the window goes: the lock goes with it.
    nzb->bCleaned = false;
    window->slotTimedElapsedPreventComputerSuspend();
    QTRY_COMPARE(loginManager->heldLockCount(), 1);
    QTreeWidgetItem row;
    nzb->pTreeItem = &row;
    emit window->signalDeleteNzbList({&row});
    QTRY_COMPARE(session.activeFlags.size(), 1);
    window.reset();
    QTRY_COMPARE(loginManager->heldLockCount(), 0);
    QTRY_VERIFY(power.activeCookies.isEmpty() && session.activeFlags.isEmpty());
}

int main(int argc, char *argv[])
{
    if (!PrivateSessionBus::enter(argc, argv))
        return 1;
    QApplication application(argc, argv);
    tst_MainWindowDesktop test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MainWindowDesktop.moc"
