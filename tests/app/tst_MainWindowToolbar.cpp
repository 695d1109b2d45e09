// The window's toolbar and its dialogs, the destination menus, the free space of the status bar
// and the start-up version check, on a window built offscreen with the real engine.
#include "MainWindowTestAccess.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/DriveSpaceQueries.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "dialogs/DialogSettings.h"
#include "dialogs/DialogShutdown.h"
#include "dialogs/DialogWizard.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "platform/Drives.h"

#include "../support/FakeMountProbe.h"
#include "GuiTestHome.h"
#include "WindowTestFixture.h"
#include "HttpTestServer.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkReply>
#include <QRadioButton>
#include <QSemaphore>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidgetItem>
#include <QCheckBox>
#include <QtTest>

#include <atomic>
#include <memory>

using namespace WindowTestFixture;

namespace {

// Receives the addresses the window opens with QDesktopServices.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher()
    {
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char *scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

void showForPictures(MainWindow &window)
{
    window.resize(1200, 760);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts.append(action->text());
    return texts;
}

// Drive space as a test wants it, by the name of the drive's folder; "hang" blocks until released.
struct FakeDrives
{
    static constexpr double kGiB = 1048576.0; // KiB
    static QSemaphore release;
    static std::atomic<int> hangingCalls;

    static bool query(const QString &folder, double &total, double &free)
    {
        total = 100 * kGiB;
        if (folder.contains(QLatin1String("hang"))) {
            ++hangingCalls;
            release.acquire();
            free = 50 * kGiB;
            return true;
        }
        if (folder.contains(QLatin1String("unreadable")))
            return false;
        if (folder.contains(QLatin1String("green")))
            free = 10 * kGiB;
        else if (folder.contains(QLatin1String("orange")))
            free = 2 * kGiB;
        else if (folder.contains(QLatin1String("red")))
            free = 1.99 * kGiB;
        else if (folder.contains(QLatin1String("full")))
            free = 0;
        else
            free = 20 * kGiB;
        return true;
    }
};

QSemaphore FakeDrives::release;
std::atomic<int> FakeDrives::hangingCalls{0};

} // namespace

class tst_MainWindowToolbar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void versionAnswer_data();
    void versionAnswer();
    void updateOpensTheProductPage();
    void destinationMenus();
    void openingADestination();
    void toolbarDispatch();
    void settingsDialog();
    void shutdownDialogArmsTheAction_data();
    void shutdownDialogArmsTheAction();
    void openDialogAddsFilesInOrder();
    void wizardComesBackReset();
    void freeSpaceColours();
    void manyDrivesDoNotWidenTheWindow();
    void freeSpaceOfTheMountedVolumes();
    void aHangingQueryDoesNotFreezeTheWindow();
    void aMountThatNeverAnswersDoesNotHoldTheStart();
    void pictures();

private:

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<MainWindow> window;
    std::function<bool(const QString &)> defaultMountProbe;
    QString defaultMountTable;
};

void tst_MainWindowToolbar::initTestCase()
{
    setUpApplication();
    defaultMountProbe = Drives::probe;
    defaultMountTable = Drives::mountTable;
    qRegisterMetaType<QNetworkReply *>();
    qputenv("TESSAQUILL_PRODUCT_URL", "http://127.0.0.1:1/product/");
}

void tst_MainWindowToolbar::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    resetConfiguration(*home);
    AppConfiguration *config = AppConfiguration::getInstance();
    config->autoDetectBandwidthLimit = true;
    config->autoSpeedLimit = 0;
    config->socketTimeout = 30;
}

void tst_MainWindowToolbar::cleanup()
{
    window.reset();
    home.reset();
    DriveSpaceQueries::query = &AppConfiguration::getDiskSpace;
    Drives::probe = defaultMountProbe;
    Drives::mountTable = defaultMountTable;
}

// Only a 2xx answer that is a version number counts; anything else leaves the settings store as
// it was (so the next start asks again) and shows nothing.
void tst_MainWindowToolbar::versionAnswer_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<bool>("newer");
    QTest::newRow("newer patch") << 200 << QByteArray("1.4.2") << true << true;
    QTest::newRow("newer minor") << 200 << QByteArray("1.5") << true << true;
    QTest::newRow("newer major") << 200 << QByteArray("2.0.0") << true << true;
    QTest::newRow("minor 10, blanks around") << 200 << QByteArray("  1.10.0\r\n") << true << true;
    QTest::newRow("same") << 200 << QByteArray("1.4.1") << true << false;
    QTest::newRow("patch 0") << 200 << QByteArray("1.4") << true << false;
    QTest::newRow("older") << 200 << QByteArray("0.9.9") << true << false;
    QTest::newRow("error page") << 200 << QByteArray("<html><body><b>Maintenance</b></body></html>") << false << false;
    QTest::newRow("404 with a number") << 404 << QByteArray("9.9.9") << false << false;
    QTest::newRow("server error") << 500 << QByteArray() << false << false;
    QTest::newRow("empty") << 200 << QByteArray() << false << false;
    QTest::newRow("huge body") << 200 << QByteArray(8 * 1024 * 1024, '9') << false << false;
    QTest::newRow("number then markup") << 200 << QByteArray("2.0.0<img src=x>") << false << false;
    QTest::newRow("no answer") << 0 << QByteArray() << false << false;
}

void tst_MainWindowToolbar::versionAnswer()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, answered);
    QFETCH(bool, newer);
    HttpTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    HttpTestServer::Response response = HttpTestServer::Response::withStatus(status, body);
    server.addRoute("GET", "/version.txt", response);
    if (status != 0)
        qputenv("TESSAQUILL_VERSION_URL", server.url(QStringLiteral("/version.txt")).toEncoded());
    // A newer version was found before: the check runs and the earlier result is kept unless
    // the answer counts.
    const QDateTime yesterday(QDate::currentDate().addDays(-1), QTime(0, 0));
    {
        QSettings settings;
        settings.setValue(QStringLiteral("checkedVersion"), yesterday);
        settings.setValue(QStringLiteral("updateToDo"), true);
    }
    ModalAnswerer answerer;
    if (newer)
        answerer.pressNext(QMessageBox::No);
    UrlCatcher catcher;
    window = std::make_unique<MainWindow>();
    QSignalSpy replies(MainWindowTestAccess::networkManagerVersion(*window), SIGNAL(finished(QNetworkReply*)));
    QVERIFY(replies.wait(20000));
    QTest::qWait(50);
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");

    const QSettings settings;
    const QDateTime today(QDate::currentDate(), QTime(0, 0));
    QCOMPARE(settings.value(QStringLiteral("checkedVersion")).toDateTime(), answered ? today : yesterday);
    QCOMPARE(settings.value(QStringLiteral("updateToDo")).toBool(), answered ? newer : true);
    Ui::MainWindow &ui = MainWindowTestAccess::ui(*window);
    QCOMPARE(ui.mainToolBar->actions().contains(ui.actionUpdate), newer);
    QCOMPARE(ui.menu_Help->actions().contains(ui.actionUpdate), newer);
    QCOMPARE(answerer.answeredCount(), newer ? 1 : 0);
    QVERIFY(catcher.urls.isEmpty());
    if (newer) {
        const QString version = QString::fromLatin1(body).trimmed();
        const ModalAnswerer::Seen &box = answerer.seen().first();
        QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
        QCOMPARE(box.text, QStringLiteral("A new version is available (%1)!\n\nDo you want to visit the Web Site in "
                                          "order to download it?").arg(version));
        QCOMPARE(box.defaultButton, QMessageBox::No);
        QCOMPARE(ui.actionUpdate->toolTip(), QStringLiteral("A new version is available (%1)").arg(version));
    }
}

void tst_MainWindowToolbar::updateOpensTheProductPage()
{
    HttpTestServer server;
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    server.addRoute("GET", "/version.txt", HttpTestServer::Response::ok("1.5.0", "text/plain"));
    qputenv("TESSAQUILL_VERSION_URL", server.url(QStringLiteral("/version.txt")).toEncoded());
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Yes);
    UrlCatcher catcher;
    window = std::make_unique<MainWindow>();
    QVERIFY(answerer.waitForAnswered(1, 20000));
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(QStringLiteral("http://127.0.0.1:1/product/"))});
    MainWindowTestAccess::ui(*window).actionUpdate->trigger();
    QCOMPARE(catcher.urls.size(), 2);
    QCOMPARE(catcher.urls.last(), QUrl(QStringLiteral("http://127.0.0.1:1/product/")));
    showForPictures(*window);
    QVERIFY(!WidgetPicture::save(MainWindowTestAccess::ui(*window).mainToolBar, QStringLiteral("MainWindow_toolbar_update"))
                 .isEmpty());
}

// Both menus: the default destination, then each named one, rebuilt whole at every call.
void tst_MainWindowToolbar::destinationMenus()
{
    window = std::make_unique<MainWindow>();
    QMenu *open = MainWindowTestAccess::menuOpenDestination(*window);
    QMenu *download = MainWindowTestAccess::menuDownloadToDestination(*window);
    QCOMPARE(menuTexts(open), QStringList{QStringLiteral("Default Destination")});
    QCOMPARE(menuTexts(download), QStringList{QStringLiteral("Default Destination")});
    QCOMPARE(open->actions().first()->data().toString(), AppConfiguration::getInstance()->destinationFolder);

    QHash<QString, QString> &named = AppConfiguration::getInstance()->destinationConfiguration.destinations;
    named.insert(QStringLiteral("Films"), home->path() + QStringLiteral("/Films"));
    named.insert(QStringLiteral("Music"), home->path() + QStringLiteral("/Music"));
    QStringList expected{QStringLiteral("Default Destination")};
    expected += named.keys(); // the table's own order
    MainWindowTestAccess::createDestinationMenus(*window);
    MainWindowTestAccess::createDestinationMenus(*window);
    QCOMPARE(menuTexts(open), expected);
    QCOMPARE(menuTexts(download), expected);
    QCOMPARE(MainWindowTestAccess::listActionsOpenDestination(*window), open->actions());
    QCOMPARE(MainWindowTestAccess::listActionsDownloadToDestination(*window), download->actions());
    for (QAction *action : open->actions()) {
        if (action->text() != QLatin1String("Default Destination"))
            QCOMPARE(action->data().toString(), named.value(action->text()));
    }
    // The old entries are gone, not only off the menus.
    QCOMPARE(window->findChildren<QAction *>().size(), [&] {
        const int before = window->findChildren<QAction *>().size();
        MainWindowTestAccess::createDestinationMenus(*window);
        return before;
    }());
    QVERIFY(!WidgetPicture::save(open, QStringLiteral("MainWindow_menu_destinations")).isEmpty());
    open->hide();
}

// An entry opens its folder as a local file address (a name with blanks and '#' intact); the
// toolbar's dispatch does nothing more for it, nor for the destinations action itself.
void tst_MainWindowToolbar::openingADestination()
{
    const QString folder = home->path() + QStringLiteral("/Films #1 été");
    AppConfiguration::getInstance()->destinationConfiguration.destinations.insert(QStringLiteral("Films"), folder);
    window = std::make_unique<MainWindow>();
    UrlCatcher catcher;
    ModalAnswerer answerer;
    QMenu *open = MainWindowTestAccess::menuOpenDestination(*window);
    for (QAction *action : open->actions()) {
        action->trigger();
        emit MainWindowTestAccess::ui(*window).mainToolBar->actionTriggered(action);
    }
    emit MainWindowTestAccess::ui(*window).mainToolBar->actionTriggered(MainWindowTestAccess::ui(*window).actionDestinations);
    QCOMPARE(catcher.urls.size(), 2);
    QVERIFY(catcher.urls.contains(QUrl::fromLocalFile(AppConfiguration::getInstance()->destinationFolder)));
    QVERIFY(catcher.urls.contains(QUrl::fromLocalFile(folder)));
    QCOMPARE(QUrl::fromLocalFile(folder).toLocalFile(), folder);
    QCOMPARE(answerer.answeredCount(), 0);
    QVERIFY(window->isHidden() || window->isVisible());
}

// Each toolbar action reaches what it names, through the toolbar's one signal.
void tst_MainWindowToolbar::toolbarDispatch()
{
    window = std::make_unique<MainWindow>();
    Ui::MainWindow &ui = MainWindowTestAccess::ui(*window);
    const QList<QAction *> toolbar = ui.mainToolBar->actions();
    for (QAction *action : {ui.actionSettings, ui.actionNZB, ui.actionShutdown, ui.actionDestinations,
                            ui.actionConfiguration_Wizard, ui.actionMinimize})
        QVERIFY2(toolbar.contains(action), qPrintable(action->objectName()));

    ModalAnswerer answerer;
    answerer.rejectNext();
    ui.actionSettings->trigger();
    answerer.rejectNext();
    ui.actionShutdown->trigger();
    answerer.rejectNext();
    ui.actionNZB->trigger();
    QCOMPARE(answerer.answeredCount(), 3);
    QCOMPARE(answerer.seen().at(0).className, QStringLiteral("DialogSettings"));
    QCOMPARE(answerer.seen().at(1).className, QStringLiteral("DialogShutdown"));
    QCOMPARE(answerer.seen().at(2).className, QStringLiteral("QFileDialog"));
    QCOMPARE(answerer.seen().at(2).title, QStringLiteral("Open one or several NZB"));
    // Built on the stack: gone once closed.
    QVERIFY(window->findChildren<DialogSettings *>().isEmpty());
    QVERIFY(window->findChildren<DialogShutdown *>().isEmpty());

    ui.actionConfiguration_Wizard->trigger();
    QVERIFY(MainWindowTestAccess::dialogWizard(*window)->isVisible());
    QVERIFY(!MainWindowTestAccess::dialogWizard(*window)->isModal());
    MainWindowTestAccess::dialogWizard(*window)->hide();

    // Minimize: without a tray the window is minimized, never hidden out of reach.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    ui.actionMinimize->trigger();
    QVERIFY(window->isMinimized() || window->windowState() & Qt::WindowMinimized);
    QCOMPARE(answerer.answeredCount(), 3);
    QCOMPARE(DownloadNzbManager::getInstance()->listNzbFiles.size(), 0);
}

// Accepted settings reach the manager, the bandwidth scale (manual limit) and the menus.
void tst_MainWindowToolbar::settingsDialog()
{
    window = std::make_unique<MainWindow>();
    QVERIFY(!MainWindowTestAccess::ui(*window).verticalSliderBandwidth->isEnabled());
    AppConfiguration *config = AppConfiguration::getInstance();
    const quint64 maxBefore = MainWindowTestAccess::uiMaxSpeed(*window);

    // Cancelled: nothing changes.
    config->autoDetectBandwidthLimit = false;
    config->autoSpeedLimit = 500;
    ModalAnswerer answerer;
    answerer.rejectNext();
    MainWindowTestAccess::ui(*window).actionSettings->trigger();
    QCOMPARE(MainWindowTestAccess::uiMaxSpeed(*window), maxBefore);

    config->socketTimeout = 12;
    config->autoUnrar = false;
    config->downloadFolder = home->path() + QStringLiteral("/OtherDownload");
    config->destinationConfiguration.destinations.insert(QStringLiteral("Series"), home->path() + QStringLiteral("/Series"));
    answerer.acceptNext();
    MainWindowTestAccess::ui(*window).actionSettings->trigger();
    QCOMPARE(answerer.answeredCount(), 2);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCOMPARE(MainWindowTestAccess::uiMaxSpeed(*window), quint64(500 * 1024));
    QVERIFY(MainWindowTestAccess::ui(*window).verticalSliderBandwidth->isEnabled());
    QCOMPARE(manager->iSocketTimeout, 12000);
    QVERIFY(!manager->bAutoUnrar);
    QCOMPARE(manager->strDownloadFolder, home->path() + QStringLiteral("/OtherDownload"));
    QVERIFY(menuTexts(MainWindowTestAccess::menuOpenDestination(*window)).contains(QStringLiteral("Series")));
    QVERIFY(menuTexts(MainWindowTestAccess::menuDownloadToDestination(*window)).contains(QStringLiteral("Series")));

    // With detection on, the scale and the slider keep what they have.
    config->autoDetectBandwidthLimit = true;
    config->autoSpeedLimit = 20;
    answerer.acceptNext();
    MainWindowTestAccess::ui(*window).actionSettings->trigger();
    QCOMPARE(MainWindowTestAccess::uiMaxSpeed(*window), quint64(500 * 1024));
    config->autoUnrar = true;
    config->socketTimeout = 30;
}

void tst_MainWindowToolbar::shutdownDialogArmsTheAction_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("armed");
    QTest::newRow("close, not saved") << QStringLiteral("radioButtonCloseApplication") << false << true;
    QTest::newRow("power off, saved") << QStringLiteral("radioButtonShutdownComputer") << true << true;
    QTest::newRow("hibernate") << QStringLiteral("radioButtonHibernate") << false << true;
    QTest::newRow("no shutdown") << QStringLiteral("radioButtonNoShutdown") << true << false;
}

// Any accepted choice but "No shutdown" arms the one-second check, saved or not; a cancelled
// dialog leaves the check as it was.
void tst_MainWindowToolbar::shutdownDialogArmsTheAction()
{
    QFETCH(QString, choice);
    QFETCH(bool, saved);
    QFETCH(bool, armed);
    window = std::make_unique<MainWindow>();
    QTimer &timer = MainWindowTestAccess::timerShutdown(*window);
    // Armed or not before, by the opposite of what the choice will make.
    if (!armed)
        timer.start(1000);
    ModalAnswerer answerer;
    answerer.handleNext([&](QWidget *dialog) {
        dialog->findChild<QRadioButton *>(choice)->setChecked(true);
        if (auto *box = dialog->findChild<QCheckBox *>())
            box->setChecked(saved);
        QMetaObject::invokeMethod(dialog, "slotButtonOk");
        if (dialog->isVisible())
            static_cast<QDialog *>(dialog)->reject();
    });
    MainWindowTestAccess::ui(*window).actionShutdown->trigger();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(timer.isActive(), armed);
    if (armed)
        QCOMPARE(timer.interval(), 1000);
    answerer.rejectNext();
    MainWindowTestAccess::ui(*window).actionShutdown->trigger();
    QCOMPARE(timer.isActive(), armed);
}

// The chooser offers NZB files, the suffix in any letter case, and every file; the chosen files are added in
// the chooser's order, and the next chooser starts in the folder of the first of them.
void tst_MainWindowToolbar::openDialogAddsFilesInOrder()
{
    const QString folder = home->path() + QStringLiteral("/incoming nzb");
    const QStringList names = {QStringLiteral("second.NZB"), QStringLiteral("first.nzb"), QStringLiteral("third")};
    for (const QString &name : names)
        QVERIFY(writeFile(folder + QLatin1Char('/') + name, nzbDocument(name, {QFileInfo(name).completeBaseName() + QStringLiteral(".bin")})));
    window = std::make_unique<MainWindow>();
    ModalAnswerer answerer;
    QStringList filters;
    QString startFolder = QStringLiteral("unset");
    QStringList chosen;
    answerer.handleNext([&](QWidget *widget) {
        auto *chooser = qobject_cast<QFileDialog *>(widget);
        filters = chooser->nameFilters();
        startFolder = chooser->directory().absolutePath();
        // The chooser lists a folder in a thread of its own, and selects the typed names that its
        // list holds: the names are typed once the folder is listed, with every file shown, so
        // that rows coming later cannot change the answer between this test's reading of it and
        // the window's.
        chooser->selectNameFilter(filters.last());
        auto *listing = chooser->findChild<QFileSystemModel *>();
        QVERIFY(listing);
        QSignalSpy listed(listing, &QFileSystemModel::directoryLoaded);
        chooser->setDirectory(folder);
        QVERIFY(QTest::qWaitFor([&listed, &folder] {
            for (const QList<QVariant> &arguments : listed)
                if (QDir(arguments.value(0).toString()) == QDir(folder))
                    return true;
            return false;
        }, 10000));
        QTest::qWait(50);
        chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("\"second.NZB\" \"first.nzb\" \"third\""));
        // The chooser decides the order of its answer (typed, or as its view lists them).
        QTimer::singleShot(0, chooser, [chooser, &chosen] {
            static_cast<QDialog *>(chooser)->accept();
            chosen = chooser->selectedFiles();
        });
    });
    MainWindowTestAccess::ui(*window).actionNZB->trigger();
    QCOMPARE(filters.size(), 2);
    QCOMPARE(filters.last(), QStringLiteral("Any files (*)"));
    // Native choosers compare the patterns with the names letter for letter.
    const QString inParentheses = QRegularExpression(QStringLiteral("\\(([^)]*)\\)")).match(filters.first()).captured(1);
    const QStringList patterns = inParentheses.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto shown = [&patterns](const QString &name) {
        for (const QString &pattern : patterns)
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(name).hasMatch())
                return true;
        return false;
    };
    for (const char *name : {"a.nzb", "b.NZB", "c.Nzb", "d.nZb", "e.nzB"})
        QVERIFY2(shown(name), qPrintable(name + QStringLiteral(" is not shown by ") + filters.first()));
    for (const char *name : {"e.nzb.gz", "f.txt", "nzb"})
        QVERIFY2(!shown(name), qPrintable(name + QStringLiteral(" is shown by ") + filters.first()));
    QCOMPARE(startFolder, QDir::currentPath());
    QCOMPARE(chosen.size(), 3);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCOMPARE(manager->listNzbFiles.size(), 3);
    for (int i = 0; i < chosen.size(); ++i)
        QCOMPARE(manager->listNzbFiles.at(i)->strName, QFileInfo(chosen.at(i)).completeBaseName());
    QCOMPARE(MainWindowTestAccess::strLastNzbFolder(*window), folder);

    answerer.handleNext([&](QWidget *widget) {
        startFolder = qobject_cast<QFileDialog *>(widget)->directory().absolutePath();
        static_cast<QDialog *>(widget)->reject();
    });
    MainWindowTestAccess::ui(*window).actionNZB->trigger();
    QCOMPARE(startFolder, folder);
    QCOMPARE(manager->listNzbFiles.size(), 3);

    // Out of the queue again for the tests that follow.
    QList<QTreeWidgetItem *> rows;
    const QList<NzbFiles *> queue = manager->listNzbFiles;
    for (NzbFiles *nzb : queue) {
        rows.append(new QTreeWidgetItem);
        nzb->pTreeItem = rows.last();
    }
    emit window->signalDeleteNzbList(rows);
    for (NzbFiles *nzb : queue)
        AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
    qDeleteAll(rows);
}

// A closed wizard comes back reset; an open one that fell behind the main window comes forward
// with what the user typed.
void tst_MainWindowToolbar::wizardComesBackReset()
{
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    DialogWizard *wizard = MainWindowTestAccess::dialogWizard(*window);
    auto *name = wizard->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"));
    QVERIFY(name);
    name->setText(QStringLiteral("news.example"));
    wizard->hide();
    QAction *action = MainWindowTestAccess::ui(*window).actionConfiguration_Wizard;
    action->trigger();
    QVERIFY(wizard->isVisible());
    QVERIFY(wizard->getServerName().isEmpty());
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(wizard));

    name->setText(QStringLiteral("news.example"));
    wizard->findChild<QCheckBox *>(QStringLiteral("checkBoxNeedUserNamePwd"))->setChecked(true);
    window->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(window.get()));
    action->trigger();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget *>(wizard));
    QCOMPARE(wizard->getServerName(), QStringLiteral("news.example"));
    QVERIFY(wizard->isAuthenticationNeeded());

    wizard->showMinimized();
    action->trigger();
    QVERIFY(!(wizard->windowState() & Qt::WindowMinimized));
    QVERIFY(wizard->isVisible());
    QCOMPARE(wizard->getServerName(), QStringLiteral("news.example"));
    wizard->hide();
}

// Thresholds at 10 and 2 GiB; a drive without free space or unreadable has no label; a folder
// name is shown as text, never as markup.
void tst_MainWindowToolbar::freeSpaceColours()
{
    DriveSpaceQueries::query = &FakeDrives::query;
    QStringList mountPoints = {QStringLiteral("/tq-green/"), QStringLiteral("/tq-orange/"), QStringLiteral("/tq-red/"),
                               QStringLiteral("/tq-full/"), QStringLiteral("/tq-unreadable/"),
                               QStringLiteral("/tq-<i>%1&amp;/")};
    AppConfiguration *config = AppConfiguration::getInstance();
    for (const QString &mountPoint : mountPoints)
        config->drives.append(Drives::entryFor(mountPoint));
    window = std::make_unique<MainWindow>();
    const QList<QLabel *> &labels = MainWindowTestAccess::listLabelsFreeSpace(*window);
    QTRY_COMPARE(labels.size(), 4);
    QStringList folders;
    for (const QFileInfo &drive : qAsConst(config->drives))
        folders.append(drive.dir().absolutePath());
    QCOMPARE(labels.at(0)->text(), QStringLiteral("<b><font color='green'>%1 10 GiB</font></b>").arg(folders.at(0)));
    QCOMPARE(labels.at(1)->text(), QStringLiteral("<b><font color='orange'>%1 2 GiB</font></b>").arg(folders.at(1)));
    QCOMPARE(labels.at(2)->text(), QStringLiteral("<b><font color='red'>%1 1.99 GiB</font></b>").arg(folders.at(2)));
    QCOMPARE(labels.at(3)->text(), QStringLiteral("<b><font color='green'>%1 20 GiB</font></b>")
                                       .arg(folders.at(5).toHtmlEscaped()));
    QVERIFY(labels.at(3)->text().contains(QStringLiteral("&lt;i&gt;%1&amp;amp;")));

    // Many refreshes later: still one label per drive, the old ones deleted.
    QList<QPointer<QLabel>> old;
    for (QLabel *label : labels)
        old.append(label);
    for (int i = 0; i < 5; ++i)
        window->slotRefreshDrivesFreeSpaceTick();
    QTRY_VERIFY(std::all_of(old.begin(), old.end(), [](const QPointer<QLabel> &label) { return label.isNull(); }));
    QTRY_COMPARE(labels.size(), 4);
    QCOMPARE(window->statusBar()->findChildren<QLabel *>().size(), 4);
    showForPictures(*window);
    QVERIFY(!WidgetPicture::save(window->statusBar(), QStringLiteral("MainWindow_statusbar_colours")).isEmpty());
}

// The drives are the computer's, however many: they share the status bar's width and never
// make the window wider than its texts need (it would no longer fit the screen).
void tst_MainWindowToolbar::manyDrivesDoNotWidenTheWindow()
{
    DriveSpaceQueries::query = &FakeDrives::query;
    window = std::make_unique<MainWindow>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(100);
    const int least = window->minimumWidth();
    AppConfiguration *config = AppConfiguration::getInstance();
    for (int i = 0; i < 40; ++i)
        config->drives.append(Drives::entryFor(QStringLiteral("/tq-green-volume-with-a-long-name-%1/").arg(i)));
    window->slotRefreshDrivesFreeSpaceTick();
    QTRY_COMPARE(MainWindowTestAccess::listLabelsFreeSpace(*window).size(), 40);
    QTest::qWait(100);
    QCOMPARE(window->minimumWidth(), least);
}

// The computer's own volumes, read for real.
void tst_MainWindowToolbar::freeSpaceOfTheMountedVolumes()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->refreshDrives();
    QVERIFY2(!config->drives.isEmpty(), "no readable volume on this computer");
    window = std::make_unique<MainWindow>();
    const QList<QLabel *> &labels = MainWindowTestAccess::listLabelsFreeSpace(*window);
    QTRY_VERIFY(!labels.isEmpty());
    QTRY_COMPARE(labels.size(), [&] {
        int withSpace = 0;
        for (const QFileInfo &drive : qAsConst(config->drives)) {
            double total = 0;
            double free = 0;
            if (AppConfiguration::getDiskSpace(drive.dir().absolutePath(), total, free) && free > 0)
                ++withSpace;
        }
        return withSpace;
    }());
    const QString root = QDir::rootPath();
    bool bRootShown = false;
    for (QLabel *label : labels) {
        QVERIFY2(label->text().startsWith(QLatin1String("<b><font color='")), qPrintable(label->text()));
        if (label->text().contains(QStringLiteral("'>%1 ").arg(root)))
            bRootShown = true;
    }
    QVERIFY(bRootShown || config->drives.size() == labels.size());
    showForPictures(*window);
    QVERIFY(!WidgetPicture::save(window->statusBar(), QStringLiteral("MainWindow_statusbar")).isEmpty());
}

// A volume whose query never returns holds nothing up: the tick returns at once, the other
// drives keep their labels, the stuck drive gets no label and no second query until it answers.
void tst_MainWindowToolbar::aHangingQueryDoesNotFreezeTheWindow()
{
    DriveSpaceQueries::query = &FakeDrives::query;
    FakeDrives::hangingCalls = 0;
    AppConfiguration *config = AppConfiguration::getInstance();
    config->drives = {Drives::entryFor(QStringLiteral("/tq-green/")), Drives::entryFor(QStringLiteral("/tq-hang/"))};
    window = std::make_unique<MainWindow>(); // the constructor runs the first tick
    const QList<QLabel *> &labels = MainWindowTestAccess::listLabelsFreeSpace(*window);
    QTRY_COMPARE(labels.size(), 1);
    QTRY_COMPARE(FakeDrives::hangingCalls.load(), 1);
    for (int i = 0; i < 3; ++i) {
        window->slotRefreshDrivesFreeSpaceTick();
        QTest::qWait(20);
    }
    QCOMPARE(FakeDrives::hangingCalls.load(), 1);
    QCOMPARE(labels.size(), 1);
    QVERIFY(labels.first()->text().contains(QLatin1String("tq-green")));
    // The volume answers at last: its label comes, and the next tick asks it again.
    FakeDrives::release.release();
    QTRY_COMPARE(labels.size(), 2);
    FakeDrives::release.release();
    window->slotRefreshDrivesFreeSpaceTick();
    QTRY_COMPARE(FakeDrives::hangingCalls.load(), 2);
    QTRY_COMPARE(labels.size(), 2);
}

// A network mount that never answers, among the computer's mounts: the start-up's drive list
// waits for it no longer than its bound, the window shows, and its status bar shows the drives
// that answer; the stuck one shows once it answers.
void tst_MainWindowToolbar::aMountThatNeverAnswersDoesNotHoldTheStart()
{
    const QString table = home->path() + QStringLiteral("/mounts");
    QVERIFY(writeFile(table, "/dev/vda1 /tq-green ext4 rw 0 0\n"
                             "server:/export /tq-hang nfs4 rw 0 0\n"
                             "/dev/vdb1 /tq-unreadable ext4 rw 0 0\n"
                             "/dev/vdc1 /tq-orange ext4 rw 0 0\n"));
    Drives::mountTable = table;
    Drives::probe = &FakeMountProbe::probe;
    DriveSpaceQueries::query = &FakeDrives::query;
    FakeDrives::hangingCalls = 0;
    AppConfiguration *config = AppConfiguration::getInstance();
    config->refreshDrives();
    QCOMPARE(config->drives.size(), 3);
    QCOMPARE(config->drives.at(1).dir().absolutePath(), QStringLiteral("/tq-hang"));

    window = std::make_unique<MainWindow>();
    showForPictures(*window);
    const QList<QLabel *> &labels = MainWindowTestAccess::listLabelsFreeSpace(*window);
    QTRY_COMPARE(labels.size(), 2);
    QVERIFY(labels.at(0)->text().contains(QLatin1String("/tq-green")));
    QVERIFY(labels.at(1)->text().contains(QLatin1String("/tq-orange")));
    QVERIFY(!WidgetPicture::save(window->statusBar(), QStringLiteral("MainWindow_statusbar_stuck_mount")).isEmpty());

    FakeMountProbe::release.release();
    FakeDrives::release.release();
    QTRY_COMPARE(labels.size(), 3);
    QVERIFY(labels.at(1)->text().contains(QLatin1String("/tq-hang")));
    QTRY_COMPARE(FakeMountProbe::hanging.load(), 0);
}

void tst_MainWindowToolbar::pictures()
{
    window = std::make_unique<MainWindow>();
    showForPictures(*window);
    QVERIFY(!WidgetPicture::save(MainWindowTestAccess::ui(*window).mainToolBar, QStringLiteral("MainWindow_toolbar"))
                 .isEmpty());
    QVERIFY(!WidgetPicture::save(MainWindowTestAccess::ui(*window).menu_File, QStringLiteral("MainWindow_menu_file"))
                 .isEmpty());
    MainWindowTestAccess::ui(*window).menu_File->hide();
}

QTEST_MAIN(tst_MainWindowToolbar)
#include "tst_MainWindowToolbar.moc"
