// The end of the session while the rows of an NZB of 40,000 files are being built: the exit
// runs at once, and the NZB is left out whole (no row, no place in the queue, no record)
// instead of half added.
#include "app/DownloadListTreeWidget.h"
#include "app/MainWindow.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "QsLog/Destination.h"
#include "QsLog/Logger.h"

#include "GuiTestHome.h"
#include "WindowTestFixture.h"

#include <QDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace WindowTestFixture;

namespace {

// Ends the session once a line holding the text is logged, from the next turn of events.
class ExitOnLine : public QsLogging::Destination
{
public:
    explicit ExitOnLine(const QString &text)
        : text(text)
    {
    }
    void write(const QString &message) override
    {
        if (message.contains(text))
            seen = true;
    }
    bool seen = false;

private:
    QString text;
};

} // namespace

class tst_MainWindowExitWhileAdding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void exitWhileTheRowsAreBuilt();
};

void tst_MainWindowExitWhileAdding::exitWhileTheRowsAreBuilt()
{
    GuiTestHome home;
    QVERIFY(home.isValid());
    resetConfiguration(home);
    QByteArray files;
    QStringList names;
    for (int i = 0; i < 40000; ++i)
        names << QStringLiteral("huge.%1.bin").arg(i, 6, 10, QLatin1Char('0'));
    const QString huge = home.path() + QStringLiteral("/huge.nzb");
    QVERIFY(writeFile(huge, nzbDocument(QStringLiteral("h"), names)));
    auto window = std::make_unique<MainWindow>();
    window->show();

    ExitOnLine building(QStringLiteral("NZB huge added to download list"));
    QsLogging::Logger::getInstance()->setLevel(QsLogging::TraceLevel);
    QsLogging::Logger::getInstance()->attachDestination(&building);
    bool exited = false;
    QTimer turn;
    connect(&turn, &QTimer::timeout, this, [&] {
        if (!building.seen || exited)
            return;
        exited = true;
        window->slotExitWithoutQuestion();
    });
    turn.start(0);
    window->handleMessage(huge);
    turn.stop();
    QsLogging::Logger::getInstance()->detachDestination(&building);

    QVERIFY2(exited, "the exit did not run while the rows were built");
    QVERIFY(window->isClosing());
    const DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    for (const NzbFiles *nzb : manager->listNzbFiles)
        QVERIFY(nzb->strName != QStringLiteral("huge"));
    QVERIFY(AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles.isEmpty());
    QCOMPARE(window->findChild<DownloadListTreeWidget *>()->topLevelItemCount(), 0);
    QCOMPARE(QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files), QStringList());
    window.reset();
}

QTEST_MAIN(tst_MainWindowExitWhileAdding)
#include "tst_MainWindowExitWhileAdding.moc"
