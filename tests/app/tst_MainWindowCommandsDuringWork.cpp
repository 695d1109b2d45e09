// The download list commands while an NZB is decoded or post-processed, on the whole program:
// the main window on the real download manager, the test news server, real par2 and the
// bundled unrar, the commands pressed through the window's own slots as its buttons do. A
// command that cannot be carried out safely at that moment is refused with a message; the NZB
// then ends with one report that matches what is in its destination.
#include "MainWindowTestAccess.h"

#include "../engine/SegmentBodyWriter.h"
#include "app/DownloadListRows.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "QsLog/Logger.h"

#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "NewsPostingFixture.h"
#include "NntpTestServer.h"
#include "RarTestArchive.h"
#include "WidgetPicture.h"
#include "WindowTestFixture.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidgetItem>
#include <QtTest>

#include <memory>

using namespace NewsPostingFixture;
using Writer = SegmentBodyWriter;

namespace {

NzbFile *fileNamed(const NzbFiles *nzb, const QString &name)
{
    for (NzbFile *file : nzb->getFilesCopy()) {
        if (file->getSubject().contains(QLatin1Char('"') + name + QLatin1Char('"')))
            return file;
    }
    return nullptr;
}

// How many times the program reported the end of the NZB, well or not.
int endReports(const QString &name)
{
    return logText().count(QStringLiteral("NZB %1 has been ").arg(name));
}

bool inDecodeQueue(NzbFile *file)
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QMutexLocker locker(&manager->mutexFilesToDecode);
    return manager->listFilesToDecode.contains(file);
}

int queuedSegments()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QMutexLocker locker(&manager->mutexSegments);
    return manager->listSegments.size();
}

} // namespace

class tst_MainWindowCommandsDuringWork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void downloadAgainOnceComplete_data();
    void downloadAgainOnceComplete();
    void removalWhileDecoding();
    void destinationOrTitleDuringExtraction_data();
    void destinationOrTitleDuringExtraction();

private:
    void startWindow();
    NzbFiles *add(const QString &nzbPath);
    void select(QTreeWidgetItem *row);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<NntpTestServer> news;
    std::unique_ptr<MainWindow> window;
};

void tst_MainWindowCommandsDuringWork::initTestCase()
{
    WindowTestFixture::setUpApplication();
}

void tst_MainWindowCommandsDuringWork::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    WindowTestFixture::resetConfiguration(*home);
    QVERIFY(NewsPostingFixture::logIntoFiles());
    news = std::make_unique<NntpTestServer>();
    QVERIFY2(news->start(), qPrintable(news->errorString()));
}

void tst_MainWindowCommandsDuringWork::cleanup()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->stopAllThreads();
    manager->setDecodersPriority(0);
    QList<QTreeWidgetItem *> rows;
    const QList<NzbFiles *> left = manager->listNzbFiles;
    for (NzbFiles *nzb : left) {
        if (nzb->pTreeItem)
            rows.append(nzb->pTreeItem);
    }
    if (window && !rows.isEmpty())
        emit window->signalDeleteNzbList(rows);
    for (NzbFiles *nzb : left)
        AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
    manager->setEngineWaits(EngineWaits());
    window.reset();
    news.reset();
    home.reset();
}

void tst_MainWindowCommandsDuringWork::startWindow()
{
    // A connection waits a second after a failed transfer: far less will do here.
    DownloadNzbManager::getInstance()->setEngineWaits(EngineWaits().scaled(0.02));
    AppConfiguration::getInstance()->serversConfiguration.listServers.append(
        startedServer(1, QStringLiteral("test news"), news->port()));
    window = std::make_unique<MainWindow>();
    window->resize(1200, 760);
}

NzbFiles *tst_MainWindowCommandsDuringWork::add(const QString &nzbPath)
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    window->loadNzbFromArguments({QStringLiteral("tessaquill"), nzbPath});
    return manager->listNzbFiles.size() == before + 1 ? manager->listNzbFiles.last() : nullptr;
}

void tst_MainWindowCommandsDuringWork::select(QTreeWidgetItem *row)
{
    QTreeWidget *list = MainWindowTestAccess::treeWidgetDownloadList(*window);
    list->clearSelection();
    row->setSelected(true);
}

void tst_MainWindowCommandsDuringWork::downloadAgainOnceComplete_data()
{
    QTest::addColumn<bool>("whileRepaired");
    QTest::newRow("while par2 repairs the file") << true;
    QTest::newRow("after the NZB has ended") << false;
}

// A file of a complete NZB belongs to its post-processing (par2 repairs it in place) and then to
// its destination: "download again" is refused with a message. The NZB ends once, successfully,
// with the repaired file whole in its destination and nothing downloaded again.
void tst_MainWindowCommandsDuringWork::downloadAgainOnceComplete()
{
    QFETCH(bool, whileRepaired);
    const QByteArray data = Writer::randomBytes(3000000, 21);
    const QList<Posted> files = withPar2Files({{QStringLiteral("data.bin"), data}}, QStringLiteral("data"), 20000, 30);
    QCOMPARE(files.size(), 3);
    const QString nzbPath = post(*news, home->path(), QStringLiteral("again"), files, 100000);
    QVERIFY(!nzbPath.isEmpty());
    // One article of 100,000 bytes never arrives: par2 repairs five blocks of the file.
    news->addArticle(QStringLiteral("again.0.5@test"), QByteArray(), -1, NntpTestArticle::Fault::Missing);

    startWindow();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    NzbFile *dataFile = fileNamed(nzb, QStringLiteral("data.bin"));
    QVERIFY(dataFile);

    ModalAnswerer answerer;
    answerer.handleNext([](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        WidgetPicture::save(box, QStringLiteral("MainWindowCommandsDuringWork_downloadAgainRefused"));
        box->button(QMessageBox::Ok)->click();
    });
    bool issued = false;
    const auto downloadAgain = [&] {
        issued = true;
        select(dataFile->pTreeItem);
        window->slotRedownloadSelectedFiles();
    };
    if (whileRepaired) {
        // par2 reports its progress as it reads and repairs: the first report comes while it runs.
        connect(DownloadNzbManager::getInstance(), &DownloadNzbManager::signalPar2Progress, window.get(),
                [&](const QString &, NzbFiles *of) {
                    if (of == nzb && !issued)
                        downloadAgain();
                });
    }
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    if (!whileRepaired)
        downloadAgain();
    QVERIFY(issued);
    QVERIFY(dataFile->isDecoded());
    QCOMPARE(queuedSegments(), 0);
    QVERIFY(nzb->bCleaned);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages), QStringLiteral("again has been successfully downloaded"));
    QCOMPARE(endReports(QStringLiteral("again")), 1);
    QCOMPARE(entries(nzb->getDestination()), QStringList{"data.bin"});
    QCOMPARE(sha256(readFile(nzb->getDestination() + QStringLiteral("/data.bin"))), sha256(data));
    QVERIFY(!QFileInfo::exists(nzb->strDownloadFolder));

    QTRY_COMPARE(answerer.answeredCount(), 1);
    const ModalAnswerer::Seen &refusal = answerer.seen().first();
    QCOMPARE(refusal.icon, QMessageBox::Warning);
    QCOMPARE(refusal.title, QStringLiteral("Tessaquill+"));
    QVERIFY2(refusal.text.contains(QStringLiteral("NZB again ")) && refusal.text.contains(QStringLiteral("downloaded again")),
             qPrintable(refusal.text));
}

// A file a decoder is writing cannot be removed: its NZB would end and be moved while the
// decoder still writes into the download folder. The removal is refused with a message, and
// the NZB ends once with both files whole in its destination.
void tst_MainWindowCommandsDuringWork::removalWhileDecoding()
{
    const QByteArray big = Writer::randomBytes(240000, 22);
    const QByteArray small = Writer::randomBytes(3000, 23);
    const QString nzbPath = post(*news, home->path(), QStringLiteral("decoding"),
                                 {{QStringLiteral("big.bin"), big}, {QStringLiteral("small.bin"), small}}, 2400);
    QVERIFY(!nzbPath.isEmpty());

    startWindow();
    // Low decoding priority: the decoder pauses 100 ms after each article, so that big.bin (100
    // articles) takes ten seconds or more to decode, time enough for the command on a loaded machine.
    DownloadNzbManager::getInstance()->setDecodersPriority(100);
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    NzbFile *bigFile = fileNamed(nzb, QStringLiteral("big.bin"));
    QVERIFY(bigFile);
    // The removal must land while big.bin is decoded: every article of it has arrived and a
    // decoder has taken it off the decode queue, but has not finished it (nor reported it).
    QTRY_VERIFY_WITH_TIMEOUT(bigFile->isAllSegmentsProcessed() && !inDecodeQueue(bigFile) && !bigFile->isDecoded(), 60000);

    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok); // "Do you want to remove the selected file(s)?"
    answerer.handleNext([](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        QVERIFY(box);
        WidgetPicture::save(box, QStringLiteral("MainWindowCommandsDuringWork_removalRefused"));
        box->button(QMessageBox::Ok)->click();
    });
    select(bigFile->pTreeItem);
    window->slotDownloadListFilesItemDelete();
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowCommandsDuringWork_decoding"));

    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages), QStringLiteral("decoding has been successfully downloaded"));
    QCOMPARE(endReports(QStringLiteral("decoding")), 1);
    QCOMPARE(entries(nzb->getDestination()), (QStringList{"big.bin", "small.bin"}));
    QCOMPARE(sha256(readFile(nzb->getDestination() + QStringLiteral("/big.bin"))), sha256(big));
    QCOMPARE(sha256(readFile(nzb->getDestination() + QStringLiteral("/small.bin"))), sha256(small));
    QVERIFY(!QFileInfo::exists(nzb->strDownloadFolder));

    QCOMPARE(answerer.answeredCount(), 2);
    const ModalAnswerer::Seen &refusal = answerer.seen().at(1);
    QCOMPARE(refusal.icon, QMessageBox::Warning);
    QVERIFY2(refusal.text.contains(QStringLiteral("big.bin")) && refusal.text.contains(QStringLiteral("decoded")),
             qPrintable(refusal.text));
    QVERIFY(!bigFile->bExcluded);
    QVERIFY(bigFile->pTreeItem && bigFile->pTreeItem->parent() == nzb->pTreeItem);
}

void tst_MainWindowCommandsDuringWork::destinationOrTitleDuringExtraction_data()
{
    QTest::addColumn<bool>("title");
    QTest::newRow("new destination") << false;
    QTest::newRow("new title") << true;
}

// unrar extracts into the destination the NZB had when it started: a new destination or title
// (which names the destination's sub-folder) is refused from then on. The extracted file is in
// the destination the row and the success line name.
void tst_MainWindowCommandsDuringWork::destinationOrTitleDuringExtraction()
{
    QFETCH(bool, title);
    const QByteArray inside = Writer::randomBytes(300000, 24);
    const QByteArray archive = RarTestArchive(RarTestArchive::Format::Rar5).file("inside.dat", inside).bytes();
    const QString nzbPath = post(*news, home->path(), QStringLiteral("extract"), {{QStringLiteral("set.rar"), archive}}, 50000);
    QVERIFY(!nzbPath.isEmpty());
    QVERIFY(AppConfiguration::getInstance()->autoUnrar);
    const QString elsewhere = home->path() + QStringLiteral("/Elsewhere");
    QVERIFY(QDir().mkpath(elsewhere));

    startWindow();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    const QString destination = nzb->getDestination();

    // Answers the refusal; the folder chooser and the title question too, should they come. The
    // refusal stays open until the NZB has ended: the extraction's report and the clean-up reach
    // the window while the box waits for the user (they once froze it for good when the box came
    // from a slot the extraction's start reached directly).
    ModalAnswerer answerer;
    bool endedWhileRefusalOpen = false;
    answerer.handleNext([&](QWidget *widget) {
        if (auto *box = qobject_cast<QMessageBox *>(widget)) {
            WidgetPicture::save(box, QStringLiteral("MainWindowCommandsDuringWork_changeRefused"));
            endedWhileRefusalOpen = QTest::qWaitFor([&] { return nzb->bCleaned; }, 60000);
            box->button(QMessageBox::Ok)->click();
        } else if (auto *chooser = qobject_cast<QFileDialog *>(widget)) {
            chooser->setDirectory(home->path());
            chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("Elsewhere"));
            QTimer::singleShot(0, chooser, [chooser] { static_cast<QDialog *>(chooser)->accept(); });
        } else if (auto *input = qobject_cast<QInputDialog *>(widget)) {
            input->setTextValue(QStringLiteral("renamed"));
            input->accept();
        }
    });
    // The extraction's start reaches the window after the manager has handed unrar its job: the
    // command comes as unrar starts.
    bool issued = false;
    connect(DownloadNzbManager::getInstance(), &DownloadNzbManager::signalStartUnrar, window.get(), [&](NzbFiles *of) {
        if (of != nzb || issued)
            return;
        issued = true;
        select(nzb->pTreeItem);
        if (title)
            window->slotModifyNzbTitle();
        else
            window->slotModifyDestinationDirectory();
    });
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    QVERIFY(issued);
    QVERIFY(endedWhileRefusalOpen);
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowCommandsDuringWork_extracted"));
    // Where the row and the success line say the files are, they are; nothing anywhere else.
    const QString named = nzb->pTreeItem->text(DownloadListRows::ColumnDestination);
    QCOMPARE(named, nzb->getDestination());
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages),
             nzb->strName + QStringLiteral(" has been successfully downloaded"));
    QCOMPARE(endReports(nzb->strName), 1);
    QCOMPARE(entries(named), QStringList{"inside.dat"});
    QCOMPARE(sha256(readFile(named + QStringLiteral("/inside.dat"))), sha256(inside));

    QCOMPARE(named, destination);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnSubject), QStringLiteral("extract"));
    QCOMPARE(QDir(elsewhere).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(answerer.answeredCount(), 1);
    const ModalAnswerer::Seen &refusal = answerer.seen().first();
    QCOMPARE(refusal.className, QStringLiteral("QMessageBox"));
    QCOMPARE(refusal.icon, QMessageBox::Warning);
    QVERIFY2(refusal.text.contains(QStringLiteral("NZB extract ")), qPrintable(refusal.text));
}

QTEST_MAIN(tst_MainWindowCommandsDuringWork)
#include "tst_MainWindowCommandsDuringWork.moc"
