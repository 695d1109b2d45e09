// The exit when a clean-up still moves an NZB's files: it waits for it, in sight, and what a
// later start hands over meanwhile is refused and not lost.
#include "app/MainWindow.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "platform/SingleInstance.h"
#include "postprocess/ThreadClean.h"

#include "GuiTestHome.h"
#include "NzbLockHolder.h"
#include "WidgetPicture.h"
#include "WindowTestFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace WindowTestFixture;

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Runs `check` from the event loop until it returns true, at most `rounds` times.
void repeatFromTheEventLoop(QObject *context, int rounds, const std::function<bool()> &check)
{
    QTimer::singleShot(0, context, [context, rounds, check] {
        if (!check() && rounds > 1)
            repeatFromTheEventLoop(context, rounds - 1, check);
    });
}

} // namespace

class tst_MainWindowExit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitWaitsForTheCleanUpInSight();
};

void tst_MainWindowExit::initTestCase()
{
    setUpApplication();
}

// The exit waits for the clean-up that moves an NZB's files (they are at stake) as long as it
// takes; meanwhile the window says what it waits for and keeps painting, and an NZB that a later
// start hands over is refused: that start takes the program's place once it has ended. The end of
// the clean-up is reported as during the run, so the NZB leaves the saved queue, also when it
// comes at the last moment of the wait.
void tst_MainWindowExit::exitWaitsForTheCleanUpInSight()
{
    GuiTestHome home;
    QVERIFY(home.isValid());
    resetConfiguration(home);
    const QString runtime = home.path() + QStringLiteral("/runtime");
    QVERIFY(QDir().mkdir(runtime));
    QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    MainWindow window;
    // The program's identity, wired as the program's start wires it.
    auto instance = std::make_unique<SingleInstance>(SingleInstance::defaultKey(), runtime);
    QVERIFY(!instance->isRunning());
    connect(instance.get(), &SingleInstance::messageReceived, &window, &MainWindow::handleMessage);
    connect(&window, &MainWindow::signalExitBegun, instance.get(), &SingleInstance::stopAccepting);
    window.resize(1000, 700);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QString path = home.path() + QStringLiteral("/moving.nzb");
    QVERIFY(writeFile(path, nzbDocument(QStringLiteral("moving"), {QStringLiteral("part.bin")})));
    window.addNzbFile(path, QStringLiteral("moving"), QString());
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    NzbFiles *nzb = manager->listNzbFiles.last();
    QCOMPARE(nzb->strName, QStringLiteral("moving"));
    QVERIFY(writeFile(nzb->strDownloadFolder + QStringLiteral("/part.bin"), "content"));
    AppConfiguration *config = AppConfiguration::getInstance();
    QVERIFY(config->nzbConfiguration.listNzbFiles.contains(nzb));

    // Its clean-up is held at its start until the test has seen the wait.
    NzbLockHolder lock(nzb, 30000);
    window.slotDownloadListNzbFinished(nzb);
    PaintCounter counter;
    window.statusBar()->installEventFilter(&counter);

    // A later start, played by the single-instance probe, hands an NZB over during the wait.
    QProcess later;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("TQ_PROBE_TAKE_OVER"), QStringLiteral("1"));
    later.setProcessEnvironment(environment);
    QStringList laterLines;
    connect(&later, &QProcess::readyReadStandardOutput, this, [&] {
        while (later.canReadLine())
            laterLines << QString::fromUtf8(later.readLine()).trimmed();
    });

    bool bExitReturned = false;
    bool bSeenDuringTheWait = false;
    bool bPaintedDuringTheWait = false;
    bool bRefusedDuringTheWait = false;
    QString message;
    QTimer::singleShot(0, &window, [&] {
        bSeenDuringTheWait = !bExitReturned;
        message = window.statusBar()->currentMessage();
        QVERIFY(!WidgetPicture::save(&window, QStringLiteral("MainWindow_exit_waiting")).isEmpty());
        const int paints = counter.paints;
        window.statusBar()->update();
        later.start(QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tq_single_instance_probe")),
                    {QStringLiteral("late.nzb")});
        repeatFromTheEventLoop(&window, 600, [&, paints] {
            if (!bExitReturned) {
                bPaintedDuringTheWait = bPaintedDuringTheWait || counter.paints > paints;
                bRefusedDuringTheWait = laterLines.contains(QStringLiteral("refused late.nzb"));
            }
            const bool bDone = bExitReturned || (bPaintedDuringTheWait && bRefusedDuringTheWait);
            if (bDone) {
                lock.release();
                // The clean-up ends while the window is still delivering this event: its report
                // is queued after the wait has looked at its events for the last time.
                for (ThreadClean *clean : window.findChildren<ThreadClean *>())
                    clean->wait();
            }
            return bDone;
        });
    });
    window.slotExitWithoutQuestion();
    bExitReturned = true;
    lock.release();

    QVERIFY(bSeenDuringTheWait);
    QVERIFY2(message.contains(QStringLiteral("moving")) && message.contains(nzb->getDestination()),
             qPrintable(message));
    QVERIFY(bPaintedDuringTheWait);
    QVERIFY2(bRefusedDuringTheWait, qPrintable(laterLines.join(QLatin1Char('|'))));
    QVERIFY(!window.isVisible());
    // The clean-up ended within the wait and was reported: the files are in the destination and
    // the NZB is no longer part of the saved queue.
    QCOMPARE(QFileInfo(nzb->getDestination() + QStringLiteral("/part.bin")).size(), qint64(7));
    QVERIFY(nzb->bCleaned);
    QVERIFY(!config->nzbConfiguration.listNzbFiles.contains(nzb));
    QVERIFY(QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files).isEmpty());
    // Nothing of the refused NZB reached this program.
    for (const NzbFiles *queued : qAsConst(manager->listNzbFiles))
        QVERIFY(queued->strName != QStringLiteral("late"));

    // The program ends (its identity goes): the later start runs in its place with its NZB.
    instance.reset();
    QTRY_COMPARE_WITH_TIMEOUT(laterLines, (QStringList{QStringLiteral("refused late.nzb"), QStringLiteral("primary"),
                                                        QStringLiteral("own late.nzb")}),
                              20000);
    later.closeWriteChannel();
    QVERIFY(later.waitForFinished(10000));
}

QTEST_MAIN(tst_MainWindowExit)
#include "tst_MainWindowExit.moc"
