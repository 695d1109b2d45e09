// The end of the session while the rows of an NZB of 40,000 files are being built, that NZB and
// another one behind it handed over by later starts: the exit runs at once, without building
// rows, and both NZBs are saved whole in the queue (the later starts were told they were taken),
// to be downloaded from the next start on, each in the NZB history once.
#include "app/DownloadListTreeWidget.h"
#include "app/MainWindow.h"
#include "config/AppConfiguration.h"
#include "config/NzbConfiguration.h"
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
    AppConfiguration::getInstance()->autoSaveHistoNzb = true;
    QByteArray files;
    QStringList names;
    for (int i = 0; i < 40000; ++i)
        names << QStringLiteral("huge.%1.bin").arg(i, 6, 10, QLatin1Char('0'));
    const QString huge = home.path() + QStringLiteral("/huge.nzb");
    QVERIFY(writeFile(huge, nzbDocument(QStringLiteral("h"), names)));
    const QString behind = home.path() + QStringLiteral("/behind.nzb");
    QVERIFY(writeFile(behind, nzbDocument(QStringLiteral("b"), {QStringLiteral("behind.bin")})));
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
        window->handleMessage(behind);
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
    QCOMPARE(window->findChild<DownloadListTreeWidget *>()->topLevelItemCount(), 0);
    window.reset();

    NzbConfiguration saved;
    saved.loadNzbs();
    QStringList savedNames;
    for (const NzbFiles *nzb : qAsConst(saved.listNzbFiles))
        savedNames << nzb->strName + QLatin1Char(':') + QString::number(nzb->getFileCount());
    QCOMPARE(savedNames, (QStringList{QStringLiteral("huge:40000"), QStringLiteral("behind:1")}));
    qDeleteAll(saved.listNzbFiles);
    // Each NZB once in the history, whether the addition had put it there or the exit did.
    QCOMPARE(QDir(AppConfiguration::getHistoNzbFolder()).entryList(QDir::Files).size(), 2);
}

QTEST_MAIN(tst_MainWindowExitWhileAdding)
#include "tst_MainWindowExitWhileAdding.moc"
