// The statistics tick's ties to the download list and the launcher entry: the tool tip of the
// selected NZBs, and the taskbar progress of the whole queue, on a private session bus.
#include "MainWindowTestAccess.h"
#include "TotalSpeedHold.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFiles.h"

#include "GuiTestHome.h"
#include "PrivateSessionBus.h"

#include <QDBusConnection>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

class tst_MainWindowTick : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void selectionToolTip_data();
    void selectionToolTip();
    void taskbarFollowsTheQueue();

private:
    QTreeWidget *downloadList();
    void tick(int times = 1);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<TotalSpeedHold> speedHold;
    // Two NZBs of the queue, each with a row and one file row.
    NzbFiles first;
    NzbFiles second;
};

void tst_MainWindowTick::initTestCase()
{
    QVERIFY2(QDBusConnection::sessionBus().isConnected(), "no private session bus");
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");
    MainWindow::systemTrayAvailable = [] { return false; };
}

void tst_MainWindowTick::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppConfiguration *config = AppConfiguration::getInstance();
    config->cacheFolder = home->dataFolder() + QStringLiteral("/Cache");
    config->downloadFolder = home->dataFolder() + QStringLiteral("/Download");
    config->destinationFolder = home->dataFolder() + QStringLiteral("/Destination");
    auto *server = new NntpServer;
    server->iId = 1;
    config->serversConfiguration.listServers.append(server);
    window = std::make_unique<MainWindow>();
    first.uiSizeToDownload = 40 * 1024 * 1024;
    first.uiDownloaded = 10 * 1024 * 1024;
    second.uiSizeToDownload = 60 * 1024 * 1024;
    second.uiDownloaded = 60 * 1024 * 1024;
    // The average speed: 30 samples of 512 KiB/s.
    speedHold = std::make_unique<TotalSpeedHold>();
    QVERIFY(speedHold->isHolding());
    DownloadNzbManager::getInstance()->uiTotalSpeed = 512 * 1024;
    tick(30);
}

void tst_MainWindowTick::cleanup()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->listNzbFiles.removeAll(&first);
    manager->listNzbFiles.removeAll(&second);
    speedHold.reset();
    first.pTreeItem = nullptr;
    second.pTreeItem = nullptr;
    window.reset();
    AppConfiguration *config = AppConfiguration::getInstance();
    qDeleteAll(config->serversConfiguration.listServers);
    config->serversConfiguration.listServers.clear();
    home.reset();
}

// The window's download list, holding a row and a file row for each of the two NZBs.
QTreeWidget *tst_MainWindowTick::downloadList()
{
    auto *list = window->findChild<QTreeWidget *>(QStringLiteral("treeWidgetDownloadList"));
    if (!list)
        return nullptr;
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    for (NzbFiles *nzb : {&first, &second}) {
        if (nzb->pTreeItem)
            continue;
        nzb->pTreeItem = new QTreeWidgetItem(list, {nzb == &first ? QStringLiteral("first") : QStringLiteral("second")});
        new QTreeWidgetItem(nzb->pTreeItem, {QStringLiteral("file")});
        manager->listNzbFiles.append(nzb);
    }
    return list;
}

void tst_MainWindowTick::tick(int times)
{
    for (int i = 0; i < times; ++i)
        window->slotCurrentSpeedDownload();
}

void tst_MainWindowTick::selectionToolTip_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("nothing selected") << QStringList() << QString();
    // 30 MiB left at 512 KiB/s: 60 s.
    QTest::newRow("first NZB") << QStringList{"first"} << "10 MiB (25%) / 30 MiB - 00:01:00";
    QTest::newRow("both NZBs") << QStringList{"first", "second"} << "70 MiB (70%) / 30 MiB - 00:01:00";
    QTest::newRow("finished NZB") << QStringList{"second"} << "60 MiB (100%) / 0 KiB - ";
    QTest::newRow("file rows only") << QStringList{"first file", "second file"} << "0 KiB (0%) / 0 KiB - ";
}

void tst_MainWindowTick::selectionToolTip()
{
    QFETCH(QStringList, selected);
    QFETCH(QString, toolTip);
    QTreeWidget *list = downloadList();
    QVERIFY(list);
    list->clearSelection();
    for (const QString &name : selected) {
        NzbFiles *nzb = name.startsWith(QStringLiteral("first")) ? &first : &second;
        (name.endsWith(QStringLiteral("file")) ? nzb->pTreeItem->child(0) : nzb->pTreeItem)->setSelected(true);
    }
    tick();
    QCOMPARE(list->toolTip(), toolTip);
    // The totals of the whole queue do not depend on the selection.
    QCOMPARE(MainWindowTestAccess::ui(*window).tableWidgetDownloadInfos->item(2, 1)->text(),
             QStringLiteral("70 MiB (70%)"));
}

// No progress while the list has no row; the queue's percentage (out of 99) while it has,
// paused or not.
void tst_MainWindowTick::taskbarFollowsTheQueue()
{
    TaskbarProgress *taskbar = MainWindowTestAccess::taskbarList(*window);
    QVERIFY(taskbar);
    tick();
    QVERIFY(!taskbar->isProgressVisible());
    QVERIFY(downloadList());
    tick();
    QVERIFY(taskbar->isProgressVisible());
    QCOMPARE(taskbar->progress(), 70.0 / 99.0);
    MainWindowTestAccess::ui(*window).pushButtonPausePlay->click();
    first.uiDownloaded = 40 * 1024 * 1024;
    tick();
    QVERIFY(taskbar->isProgressVisible());
    QCOMPARE(taskbar->progress(), 1.0);
    MainWindowTestAccess::ui(*window).pushButtonPausePlay->click();
}

int main(int argc, char *argv[])
{
    if (!PrivateSessionBus::enter(argc, argv))
        return 1;
    QApplication app(argc, argv);
    tst_MainWindowTick test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MainWindowTick.moc"
