// The action at the end of the queue, on the window built offscreen with the real engine. This
// test program is built into a folder of its own, so that the stand-in power tool it writes
// there is "the program's folder" without touching the real tool beside the main program.
#include "MainWindowTestAccess.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "QsLog/Destination.h"
#include "QsLog/Logger.h"

#include "GuiTestHome.h"
#include "WindowTestFixture.h"
#include "ModalAnswerer.h"
#include "StandInProgram.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTreeWidgetItem>
#include <QtTest>

#include <memory>

using namespace WindowTestFixture;

namespace {

const char *const kToolName = "tessaquill-power";

void allowEventLoopsAgain()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

} // namespace

class tst_MainWindowEndOfQueue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void waitsForEveryNzbToBeCleaned();
    void powerActions_data();
    void powerActions();
    void powerToolFailures_data();
    void powerToolFailures();
    void failureShownInTheTray();
    void waitsWhileADialogIsOpen();
    // Last: the exit shuts the process's download manager down for good.
    void closeEndsTheProgramWithTheQueueSaved();

private:
    NzbFiles *addNzb(const QString &name);
    void removeFromQueue(const QList<NzbFiles *> &nzbs);
    void writeTool(const QByteArray &body);
    QString recordPath() const { return home->path() + QStringLiteral("/tool-arguments.txt"); }
    QStringList recordedArguments() const;

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<MainWindow> window;
    CapturingDestination log;
    QList<QTreeWidgetItem *> rows;
};

void tst_MainWindowEndOfQueue::initTestCase()
{
    setUpApplication();
    QsLogging::Logger::getInstance()->setLevel(QsLogging::TraceLevel);
    QsLogging::Logger::getInstance()->attachDestination(&log);
}

void tst_MainWindowEndOfQueue::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    resetConfiguration(*home);
    log.clear();
    QFile::remove(QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(kToolName));
}

void tst_MainWindowEndOfQueue::cleanup()
{
    if (window)
        removeFromQueue(DownloadNzbManager::getInstance()->listNzbFiles);
    window.reset();
    qDeleteAll(rows);
    rows.clear();
    home.reset();
}

NzbFiles *tst_MainWindowEndOfQueue::addNzb(const QString &name)
{
    const QString path = home->path() + QLatin1Char('/') + name + QStringLiteral(".nzb");
    if (!writeFile(path, nzbDocument(name, {name + QStringLiteral(".bin")})))
        return nullptr;
    window->addNzbFile(path, name, QString());
    NzbFiles *nzb = DownloadNzbManager::getInstance()->listNzbFiles.last();
    return nzb->strName == name ? nzb : nullptr;
}

void tst_MainWindowEndOfQueue::removeFromQueue(const QList<NzbFiles *> &nzbs)
{
    QList<QTreeWidgetItem *> removed;
    for (NzbFiles *nzb : nzbs) {
        rows.append(new QTreeWidgetItem);
        nzb->pTreeItem = rows.last();
        removed.append(rows.last());
    }
    emit window->signalDeleteNzbList(removed);
    for (NzbFiles *nzb : nzbs)
        AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
}

// The stand-in writes its arguments, one a line, into the test's home.
void tst_MainWindowEndOfQueue::writeTool(const QByteArray &body)
{
    const QByteArray script = "for a in \"$@\"; do echo \"$a\"; done > '" + recordPath().toUtf8() + "'\n" + body;
    QVERIFY(!StandInProgram::write(QCoreApplication::applicationDirPath(), QLatin1String(kToolName), script).isEmpty());
}

QStringList tst_MainWindowEndOfQueue::recordedArguments() const
{
    QFile file(recordPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Nothing happens while the queue is empty, holds only removed NZBs, or holds one that is not
// cleaned yet; once every NZB left is cleaned, the action runs once.
void tst_MainWindowEndOfQueue::waitsForEveryNzbToBeCleaned()
{
    writeTool(QByteArray());
    AppConfiguration::getInstance()->shutdownType = 3;
    window = std::make_unique<MainWindow>();
    QTimer &timer = MainWindowTestAccess::timerShutdown(*window);
    timer.start(1000);
    window->slotShutdownTick();
    QVERIFY(timer.isActive());

    NzbFiles *removed = addNzb(QStringLiteral("removed"));
    NzbFiles *first = addNzb(QStringLiteral("first"));
    NzbFiles *second = addNzb(QStringLiteral("second"));
    QVERIFY(removed && first && second);
    removeFromQueue({removed});
    removed->bCleaned = false;
    window->slotShutdownTick();
    QVERIFY(timer.isActive());
    first->bCleaned = true;
    window->slotShutdownTick();
    QVERIFY(timer.isActive());
    QVERIFY(!QFileInfo::exists(recordPath()));

    second->bCleaned = true;
    window->slotShutdownTick();
    QVERIFY(!timer.isActive());
    QVERIFY(MainWindowTestAccess::bSkipExitQuestion(*window));
    QTRY_COMPARE(recordedArguments(), QStringList{QStringLiteral("suspend")});
    // Acted once: a later tick does nothing more.
    QFile::remove(recordPath());
    window->slotShutdownTick();
    QTest::qWait(200);
    QVERIFY(!QFileInfo::exists(recordPath()));
}

void tst_MainWindowEndOfQueue::powerActions_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("argument");
    QTest::newRow("power off") << 2 << QStringLiteral("poweroff");
    QTest::newRow("standby") << 3 << QStringLiteral("suspend");
    QTest::newRow("hibernate") << 4 << QStringLiteral("hibernate");
}

// Armed at start from the saved choice, the tool gets the action's one argument; the program
// goes on, and its exit asks no question any more.
void tst_MainWindowEndOfQueue::powerActions()
{
    QFETCH(int, type);
    QFETCH(QString, argument);
    writeTool(QByteArray());
    AppConfiguration::getInstance()->shutdownSaved = true;
    AppConfiguration::getInstance()->shutdownType = type;
    window = std::make_unique<MainWindow>();
    QVERIFY(MainWindowTestAccess::timerShutdown(*window).isActive());
    NzbFiles *nzb = addNzb(QStringLiteral("done"));
    QVERIFY(nzb);
    nzb->bCleaned = true;
    QTRY_COMPARE_WITH_TIMEOUT(recordedArguments(), QStringList{argument}, 10000);
    QVERIFY(!MainWindowTestAccess::timerShutdown(*window).isActive());
    QVERIFY(MainWindowTestAccess::bSkipExitQuestion(*window));
    QVERIFY(DownloadNzbManager::getInstance()->isRunning());
    QTest::qWait(100);
    QVERIFY(!window->findChild<QMessageBox *>(QStringLiteral("messageBoxEndOfQueueFailure")));
    QVERIFY(log.lines().filter(QStringLiteral("ERROR")).isEmpty());
}

void tst_MainWindowEndOfQueue::powerToolFailures_data()
{
    QTest::addColumn<QByteArray>("tool");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("the power tool tessaquill-power is missing from the program's folder");
    QTest::newRow("not allowed") << QByteArray("echo 'Hibernating is not allowed on this computer' >&2\nexit 2\n")
                                 << QStringLiteral("Hibernating is not allowed on this computer");
    QTest::newRow("silent failure") << QByteArray("exit 4\n") << QStringLiteral("the power tool ended with code 4");
    QTest::newRow("killed") << QByteArray("kill -9 $$\n") << QStringLiteral("the power tool stopped unexpectedly");
}

// A tool that is missing, refuses or dies is logged as an error and shown in a box that blocks
// nothing; the action is disarmed and not tried again.
void tst_MainWindowEndOfQueue::powerToolFailures()
{
    QFETCH(QByteArray, tool);
    QFETCH(QString, reason);
    if (!tool.isEmpty())
        writeTool(tool);
    AppConfiguration::getInstance()->shutdownType = 4;
    window = std::make_unique<MainWindow>();
    MainWindowTestAccess::timerShutdown(*window).start(1000);
    NzbFiles *nzb = addNzb(QStringLiteral("done"));
    QVERIFY(nzb);
    nzb->bCleaned = true;
    window->slotShutdownTick();
    QMessageBox *box = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((box = window->findChild<QMessageBox *>(QStringLiteral("messageBoxEndOfQueueFailure"))), 10000);
    const QString expected = QStringLiteral("The action at the end of the downloads failed: ") + reason;
    QVERIFY2(box->text().startsWith(expected), qPrintable(box->text()));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QVERIFY(!box->isModal());
    QVERIFY(!QApplication::activeModalWidget());
    const QStringList errors = log.lines().filter(QStringLiteral("ERROR"));
    QVERIFY2(errors.size() == 1, qPrintable(errors.join(QLatin1Char('\n'))));
    QVERIFY2(errors.first().contains(expected), qPrintable(errors.first()));
    QVERIFY(!MainWindowTestAccess::timerShutdown(*window).isActive());
    box->close();
}

// With a tray and the window hidden in it, the failure is a tray message.
void tst_MainWindowEndOfQueue::failureShownInTheTray()
{
    MainWindow::systemTrayAvailable = [] { return true; };
    AppConfiguration::getInstance()->shutdownType = 2;
    window = std::make_unique<MainWindow>();
    QSignalSpy messages(window.get(), SIGNAL(signalTrayMessageShown(QString,QString)));
    MainWindowTestAccess::timerShutdown(*window).start(1000);
    NzbFiles *nzb = addNzb(QStringLiteral("done"));
    QVERIFY(nzb);
    nzb->bCleaned = true;
    window->hide();
    QVERIFY(!window->isVisible());
    messages.clear();
    window->slotShutdownTick();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages.first().at(0).toString(), QStringLiteral("Tessaquill+"));
    QVERIFY(messages.first().at(1).toString().contains(QLatin1String("tessaquill-power is missing")));
    QVERIFY(!window->findChild<QMessageBox *>(QStringLiteral("messageBoxEndOfQueueFailure")));
}

// A question open when the queue is done holds the action back until it is answered.
void tst_MainWindowEndOfQueue::waitsWhileADialogIsOpen()
{
    writeTool(QByteArray());
    AppConfiguration::getInstance()->shutdownType = 2;
    window = std::make_unique<MainWindow>();
    MainWindowTestAccess::timerShutdown(*window).start(1000);
    NzbFiles *nzb = addNzb(QStringLiteral("done"));
    QVERIFY(nzb);
    nzb->bCleaned = true;
    ModalAnswerer answerer;
    bool bArmedWhileOpen = false;
    bool bToolRunWhileOpen = true;
    answerer.handleNext([&](QWidget *dialog) {
        // Two ticks with the question open.
        QTest::qWait(2300);
        bArmedWhileOpen = MainWindowTestAccess::timerShutdown(*window).isActive();
        bToolRunWhileOpen = QFileInfo::exists(recordPath());
        static_cast<QDialog *>(dialog)->reject();
    });
    QMessageBox::question(window.get(), QStringLiteral("Tessaquill+"), QStringLiteral("Still there?"));
    QCOMPARE(answerer.answeredCount(), 1);
    QVERIFY(bArmedWhileOpen);
    QVERIFY(!bToolRunWhileOpen);
    QTRY_COMPARE_WITH_TIMEOUT(recordedArguments(), QStringList{QStringLiteral("poweroff")}, 10000);
}

// "Close the program": the orderly exit without the question, with the queue records written.
void tst_MainWindowEndOfQueue::closeEndsTheProgramWithTheQueueSaved()
{
    AppConfiguration::getInstance()->shutdownSaved = true;
    AppConfiguration::getInstance()->shutdownType = 1;
    window = std::make_unique<MainWindow>();
    window->show();
    NzbFiles *done = addNzb(QStringLiteral("done"));
    QVERIFY(done);
    // A removed NZB does not count; its record is gone.
    NzbFiles *removed = addNzb(QStringLiteral("removed"));
    QVERIFY(removed);
    // Done only once both are queued: the addition lets events through, and the end of the queue
    // (the exit) may come at any of them once nothing is left to download.
    done->bCleaned = true;
    removeFromQueue({removed});
    // The done NZB's record changed after it was written: the exit writes it again.
    const QString record = AppConfiguration::getNzbFolder() + QStringLiteral("/Nzb_%1").arg(done->iQueueId);
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    QVERIFY(QFile::remove(record));
    ModalAnswerer answerer;
    QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 10000);
    allowEventLoopsAgain();
    QCOMPARE(answerer.answeredCount(), 0);
    QVERIFY(!DownloadNzbManager::getInstance()->isRunning());
    QVERIFY(QFileInfo::exists(record));
    QVERIFY(QSettings().contains(QStringLiteral("mainWindowGeometry")));
    QVERIFY(!log.lines().filter(QStringLiteral("closing the program")).isEmpty());
    window.reset();
}

QTEST_MAIN(tst_MainWindowEndOfQueue)
#include "tst_MainWindowEndOfQueue.moc"
