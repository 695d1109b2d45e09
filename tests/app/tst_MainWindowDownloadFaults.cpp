// Downloads that go wrong, on the whole program: the main window on the real download manager,
// the fault-injecting test news server and real par2. Nothing the user downloaded is lost or
// reported as fine when it is not: a Download folder that fills, articles that never arrive, a
// posted name longer than the file system allows, and a damaged download into a destination
// that already holds the good one.
#include "MainWindowTestAccess.h"

#include "../engine/SegmentBodyWriter.h"
#include "app/DownloadListRows.h"
#include "config/AppConfiguration.h"
#include "config/NzbConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "QsLog/Logger.h"

#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "NewsPostingFixture.h"
#include "NntpTestServer.h"
#include "RarTestArchive.h"
#include "SmallFileSystem.h"
#include "WidgetPicture.h"
#include "WindowTestFixture.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTreeWidgetItem>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

using Writer = SegmentBodyWriter;
using NewsPostingFixture::entries;
using NewsPostingFixture::Posted;
using NewsPostingFixture::readFile;
using NewsPostingFixture::sha256;
using NewsPostingFixture::logText;
using NewsPostingFixture::withPar2Files;

// The box the window shows when it pauses the downloads after a write error, if one is open.
QMessageBox *pauseBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (box && box->isVisible() && box->text().startsWith(QStringLiteral("The downloads have been paused: ")))
            return box;
    }
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(NntpTestArticle::Fault)

class tst_MainWindowDownloadFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void downloadFolderThatFills();
    void downloadFolderThatCannotBeUsed_data();
    void downloadFolderThatCannotBeUsed();
    void articlesThatNeverArrive_data();
    void articlesThatNeverArrive();
    void nameLongerThanTheFileSystemAllows();
    void damagedDownloadBesideAGoodOne();
    void damageFoundBeforeARestartIsReported();
    void articlesOutOfTheirPlace_data();
    void articlesOutOfTheirPlace();
    void destinationThatFills_data();
    void destinationThatFills();
    void extractionIntoADestinationThatFills_data();
    void extractionIntoADestinationThatFills();
    void splitSetWithAGapKeepsItsPieces_data();
    void splitSetWithAGapKeepsItsPieces();
    void rarCutIntoPiecesIsRecovered();
    void postWithoutItsPar2IndexIsRepaired();
    void plainDownloadLogsNoError();
    void serverThatWantsALogin_data();
    void serverThatWantsALogin();
    void serverThatClosesAfterEveryArticle();

private:
    // Each posted file goes to the server in yEnc parts of `partSize` bytes, under message ids
    // "<tag>.<file>.<part>@test"; the NZB file is written into the test's home.
    QString post(const QString &tag, const QList<Posted> &files, int partSize,
                 NntpTestArticle::Fault fault = NntpTestArticle::Fault::None);
    void startWindowWithServer();
    void startWindowWithServers(const QList<NntpServer *> &list);
    NntpServer *startedServer(qint32 id, const QString &nickname, quint16 port) const;
    NzbFiles *add(const QString &nzbPath);
    // Starts the window with the server, adds the NZB and waits until it is cleaned; null when
    // it was not added or did not end in time.
    NzbFiles *downloadToTheEnd(const QString &nzbPath);
    void checkDownloadedWhole(NzbFiles *nzb, const QString &name, const QList<Posted> &files);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<NntpTestServer> news;
    std::unique_ptr<MainWindow> window;
};

void tst_MainWindowDownloadFaults::initTestCase()
{
    WindowTestFixture::setUpApplication();
}

void tst_MainWindowDownloadFaults::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    WindowTestFixture::resetConfiguration(*home);
    QVERIFY(NewsPostingFixture::logIntoFiles());
    news = std::make_unique<NntpTestServer>();
    QVERIFY2(news->start(), qPrintable(news->errorString()));
}

void tst_MainWindowDownloadFaults::cleanup()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->stopAllThreads();
    QList<QTreeWidgetItem *> rows;
    const QList<NzbFiles *> left = manager->listNzbFiles;
    for (NzbFiles *nzb : left) {
        if (!nzb->pTreeItem)
            nzb->pTreeItem = new QTreeWidgetItem; // freed with the window's removed rows or leaked on purpose
        rows.append(nzb->pTreeItem);
    }
    if (window && !rows.isEmpty())
        emit window->signalDeleteNzbList(rows);
    for (NzbFiles *nzb : left)
        AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
    if (QMessageBox *box = pauseBox())
        box->close();
    manager->pauseAllThreads(false);
    manager->setEngineWaits(EngineWaits());
    window.reset();
    news.reset();
    home.reset();
}

QString tst_MainWindowDownloadFaults::post(const QString &tag, const QList<Posted> &files, int partSize,
                                           NntpTestArticle::Fault fault)
{
    return NewsPostingFixture::post(*news, home->path(), tag, files, partSize, fault);
}

void tst_MainWindowDownloadFaults::startWindowWithServer()
{
    startWindowWithServers({startedServer(1, QStringLiteral("test news"), news->port())});
}

NntpServer *tst_MainWindowDownloadFaults::startedServer(qint32 id, const QString &nickname, quint16 port) const
{
    return NewsPostingFixture::startedServer(id, nickname, port);
}

void tst_MainWindowDownloadFaults::startWindowWithServers(const QList<NntpServer *> &list)
{
    // A connection waits a second after a failed transfer: far less will do here.
    DownloadNzbManager::getInstance()->setEngineWaits(EngineWaits().scaled(0.02));
    AppConfiguration::getInstance()->serversConfiguration.listServers.append(list);
    window = std::make_unique<MainWindow>();
    window->resize(1200, 760);
}

// The NZB ends as a success with every file in its destination, byte for byte.
void tst_MainWindowDownloadFaults::checkDownloadedWhole(NzbFiles *nzb, const QString &name, const QList<Posted> &files)
{
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages),
             name + QStringLiteral(" has been successfully downloaded"));
    for (const Posted &file : files)
        QCOMPARE(sha256(readFile(nzb->getDestination() + QLatin1Char('/') + file.name)), sha256(file.data));
}

NzbFiles *tst_MainWindowDownloadFaults::add(const QString &nzbPath)
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    window->loadNzbFromArguments({QStringLiteral("tessaquill"), nzbPath});
    return manager->listNzbFiles.size() == before + 1 ? manager->listNzbFiles.last() : nullptr;
}

NzbFiles *tst_MainWindowDownloadFaults::downloadToTheEnd(const QString &nzbPath)
{
    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    if (!nzb || !QTest::qWaitFor([nzb] { return nzb->bCleaned; }, 60000))
        return nullptr;
    return nzb;
}

// The Download folder (512 KiB) fills while two files are decoded: no file is reported decoded short,
// their articles stay, the downloads pause with the reason and the queue record stays sound.
// Once there is room again and the user resumes, both files reach the destination whole.
void tst_MainWindowDownloadFaults::downloadFolderThatFills()
{
    const QList<Posted> files = {{QStringLiteral("one.bin"), Writer::randomBytes(600000, 1)},
                                 {QStringLiteral("two.bin"), Writer::randomBytes(300000, 2)}};
    const QString nzbPath = post(QStringLiteral("full"), files, 100000);
    QVERIFY(!nzbPath.isEmpty());
    AppConfiguration *config = AppConfiguration::getInstance();
    SmallFileSystem disk(config->downloadFolder, 512 * 1024);
    QVERIFY(disk.isValid());
    qInfo() << (disk.isMounted() ? "Download folder on a tmpfs of 512 KiB" : "Files limited to 512 KiB");

    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    QTRY_VERIFY_WITH_TIMEOUT(pauseBox() || nzb->bCleaned, 60000);
    QMessageBox *box = pauseBox();
    QVERIFY(box);
    QVERIFY2(box->text().startsWith(QStringLiteral("The downloads have been paused: Cannot write the "
                                                   "decoded file ")
                                    + nzb->strDownloadFolder + QLatin1Char('/')),
             qPrintable(box->text()));
    QVERIFY(box->text().endsWith(QStringLiteral("Free some disk space or check the Download folder, then resume the downloads.")));
    QVERIFY(MainWindowTestAccess::bPaused(*window));
    QVERIFY(!nzb->isAllFilesDecoded());
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowDownloadFaults_paused"));

    // Whatever is reported decoded is whole on disk; what is not keeps its articles.
    int notDecoded = 0;
    for (int f = 0; f < files.size(); ++f) {
        NzbFile *file = nzb->getFileAt(quint64(f));
        const QString path = nzb->strDownloadFolder + QLatin1Char('/') + files.at(f).name;
        if (file->isDecoded()) {
            QCOMPARE(readFile(path), files.at(f).data);
            continue;
        }
        ++notDecoded;
        QVERIFY(!QFileInfo::exists(path) || QFileInfo(path).size() < files.at(f).data.size());
        for (const NzbSegment *segment : file->getSegments()) {
            if (segment->bDownloaded)
                QVERIFY2(QFileInfo::exists(segment->getTempFilePath()), qPrintable(segment->getTempFilePath()));
        }
    }
    QVERIFY(notDecoded > 0);

    // The queue record reads back, and holds no file as decoded that is not.
    NzbConfiguration saved;
    saved.loadNzbs();
    QCOMPARE(saved.listNzbFiles.size(), 1);
    NzbFiles *record = saved.listNzbFiles.first();
    QCOMPARE(record->getFileCount(), nzb->getFileCount());
    for (int f = 0; f < files.size(); ++f)
        QVERIFY(!record->getFileAt(quint64(f))->bDecoded || nzb->getFileAt(quint64(f))->isDecoded());
    qDeleteAll(saved.listNzbFiles);

    disk.makeRoom();
    box->close();
    MainWindowTestAccess::ui(*window).pushButtonPausePlay->click();
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages),
             QStringLiteral("full has been successfully downloaded"));
    for (const Posted &file : files)
        QCOMPARE(sha256(readFile(nzb->getDestination() + QLatin1Char('/') + file.name)), sha256(file.data));
    QCOMPARE(entries(nzb->getDestination()), (QStringList{"one.bin", "two.bin"}));
    QTRY_VERIFY(QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files).isEmpty());
}

void tst_MainWindowDownloadFaults::downloadFolderThatCannotBeUsed_data()
{
    QTest::addColumn<bool>("settingIsAFile");
    QTest::addColumn<bool>("fixedForTheNextStart");
    // The NZB's own folder is taken by a file; the good NZB comes after it in the queue.
    QTest::newRow("a file where its folder goes") << false << false;
    // The Download folder of the settings is a file (as an earlier version accepted); the good
    // NZB was added before.
    QTest::newRow("the Download folder is a file") << true << false;
    QTest::newRow("the Download folder is a file, fixed for the next start") << true << true;
}

// One NZB whose download folder cannot be used waits alone, its row naming the folder and why,
// while the other NZB downloads to the end; nothing is paused, no box. Once the user has chosen
// another Download folder in the settings, the waiting NZB (nothing of it written yet) goes on
// there and ends whole; so it does at the next start when the settings were changed meanwhile.
void tst_MainWindowDownloadFaults::downloadFolderThatCannotBeUsed()
{
    QFETCH(bool, settingIsAFile);
    QFETCH(bool, fixedForTheNextStart);
    const QList<Posted> blockedFiles = {{QStringLiteral("blocked.bin"), Writer::randomBytes(300000, 21)},
                                        {QStringLiteral("blocked.nfo"), Writer::randomBytes(2000, 22)}};
    const QList<Posted> goodFiles = {{QStringLiteral("going.bin"), Writer::randomBytes(300000, 23)}};
    const QString blockedPath = post(QStringLiteral("blocked"), blockedFiles, 20000);
    const QString goodPath = post(QStringLiteral("going"), goodFiles, 20000);
    QVERIFY(!blockedPath.isEmpty() && !goodPath.isEmpty());
    const QString aFile = home->path() + QStringLiteral("/notes.txt");
    QVERIFY(WindowTestFixture::writeFile(aFile, "not a folder"));

    startWindowWithServer();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    NzbFiles *good = nullptr;
    NzbFiles *blocked = nullptr;
    QString reason;
    if (settingIsAFile) {
        good = add(goodPath);
        AppConfiguration::getInstance()->downloadFolder = aFile;
        manager->strDownloadFolder = aFile;
        blocked = add(blockedPath);
        QVERIFY(blocked);
        reason = aFile + QStringLiteral(" is a file: no folder can be made in it");
    } else {
        blocked = add(blockedPath);
        QVERIFY(blocked);
        QVERIFY(WindowTestFixture::writeFile(blocked->strDownloadFolder, "in the way"));
        good = add(goodPath);
        reason = blocked->strDownloadFolder + QStringLiteral(" is a file, not a folder");
    }
    QVERIFY(good);
    const QString blockedFolder = blocked->strDownloadFolder;
    const QString waiting = QStringLiteral("Waiting: the download folder ") + blockedFolder
                            + QStringLiteral(" cannot be used: ") + reason
                            + QStringLiteral(". Choose another Download folder in the settings, or make this one "
                                             "usable: the download then goes on by itself.");
    QTRY_COMPARE_WITH_TIMEOUT(blocked->pTreeItem->text(DownloadListRows::ColumnMessages), waiting, 60000);
    checkDownloadedWhole(good, QStringLiteral("going"), goodFiles);
    QVERIFY(!pauseBox());
    QVERIFY(!MainWindowTestAccess::bPaused(*window));

    // Every article of the waiting NZB is in: its row says so, as the totals do.
    QTRY_VERIFY_WITH_TIMEOUT(blocked->getByteProgress().downloaded >= blocked->getByteProgress().sizeToDownload, 60000);
    QTRY_COMPARE(blocked->pTreeItem->data(DownloadListRows::ColumnProgress, Qt::DisplayRole).toULongLong(), 100ULL);
    QVERIFY(!blocked->isAllFilesDecoded());
    // What went wrong is the folder, not the articles.
    for (int f = 0; f < blocked->pTreeItem->childCount(); ++f)
        QVERIFY2(!blocked->pTreeItem->child(f)->text(DownloadListRows::ColumnMessages).contains(QStringLiteral("error")),
                 qPrintable(blocked->pTreeItem->child(f)->text(DownloadListRows::ColumnMessages)));
    const QString log = logText();
    QVERIFY(!log.contains(QStringLiteral("unknown error")));
    QVERIFY(log.contains(QStringLiteral("NZB blocked: ") + waiting));
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowDownloadFaults_folderCannotBeUsed"));

    const QString otherFolder = home->path() + QStringLiteral("/Downloads elsewhere");
    AppConfiguration *config = AppConfiguration::getInstance();
    if (fixedForTheNextStart) {
        // The program ends with the NZB waiting (its record kept), the configuration file is
        // given another Download folder, and the program starts again.
        manager->stopAllThreads();
        QVERIFY(config->nzbConfiguration.saveAllNzbs());
        config->nzbConfiguration.listNzbFiles.clear();
        QList<QTreeWidgetItem *> rows;
        for (NzbFiles *nzb : manager->listNzbFiles)
            rows.append(nzb->pTreeItem);
        emit window->signalDeleteNzbList(rows);
        window.reset();
        config->downloadFolder = otherFolder;
        config->nzbConfiguration.loadNzbs();
        QCOMPARE(config->nzbConfiguration.listNzbFiles.size(), 1);
        blocked = config->nzbConfiguration.listNzbFiles.first();
        window = std::make_unique<MainWindow>();
        window->resize(1200, 760);
        window->show();
        QVERIFY(manager->listNzbFiles.contains(blocked));
    } else {
        // The user chooses another Download folder in the settings (the language as shown there,
        // so that no restart is asked for).
        config->languageName = QStringLiteral("en");
        ModalAnswerer answerer;
        answerer.handleNext([otherFolder](QWidget *dialog) {
            auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditDownloadFolder"));
            field->setText(otherFolder);
            dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Ok)->click();
        });
        MainWindowTestAccess::ui(*window).actionSettings->trigger();
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(config->downloadFolder, otherFolder);
    }
    checkDownloadedWhole(blocked, QStringLiteral("blocked"), blockedFiles);
    QVERIFY(blocked->strDownloadFolder.startsWith(otherFolder + QLatin1Char('/')));
    QVERIFY(!pauseBox());
    QVERIFY(!logText().contains(QStringLiteral("unknown error")));
    QTRY_VERIFY(QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files).isEmpty());
}

void tst_MainWindowDownloadFaults::articlesThatNeverArrive_data()
{
    QTest::addColumn<NntpTestArticle::Fault>("fault");
    QTest::newRow("430 for every article") << NntpTestArticle::Fault::Missing;
    QTest::newRow("a wrong status code") << NntpTestArticle::Fault::WrongStatus;
    QTest::newRow("connection closed in mid-body") << NntpTestArticle::Fault::Drop;
}

// Not one article arrives and there is no PAR2 file to make up for them: the NZB ends with
// errors, and its row says why.
void tst_MainWindowDownloadFaults::articlesThatNeverArrive()
{
    QFETCH(NntpTestArticle::Fault, fault);
    const QString nzbPath = post(QStringLiteral("never"),
                                 {{QStringLiteral("a.bin"), Writer::randomBytes(20000, 3)},
                                  {QStringLiteral("b.bin"), Writer::randomBytes(20000, 4)}},
                                 10000, fault);
    NzbFiles *nzb = downloadToTheEnd(nzbPath);
    QVERIFY(nzb);
    QVERIFY(!nzb->bPostProcessingSucceeded);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages),
             QStringLiteral("never has been downloaded with error(s): 2 file(s) incomplete, 4 article(s) missing, "
                            "and no PAR2 file to repair them"));
    QVERIFY(logText().contains(QStringLiteral("NZB never has been downloaded with error(s)")));
    QVERIFY(!logText().contains(QStringLiteral("has been successfully downloaded")));
}

// A posted name of 300 bytes: written under a shortened name that keeps its extension, whole.
void tst_MainWindowDownloadFaults::nameLongerThanTheFileSystemAllows()
{
    const QString longName = QString(296, QLatin1Char('n')) + QStringLiteral(".bin");
    const QString otherLongName = QString(296, QLatin1Char('n')) + QStringLiteral(".dat");
    const QList<Posted> files = {{longName, Writer::randomBytes(30000, 5)},
                                 {otherLongName, Writer::randomBytes(30000, 6)}};
    const QString nzbPath = post(QStringLiteral("long"), files, 10000);
    NzbFiles *nzb = downloadToTheEnd(nzbPath);
    QVERIFY(nzb);
    QVERIFY2(nzb->bPostProcessingSucceeded, qPrintable(nzb->pTreeItem->text(DownloadListRows::ColumnMessages)));
    const QStringList written = entries(nzb->getDestination());
    QCOMPARE(written.size(), 2);
    for (int f = 0; f < files.size(); ++f) {
        const QString &name = written.at(f); // ".bin" sorts before ".dat"
        QVERIFY2(QFile::encodeName(name).size() <= 255, qPrintable(name));
        QVERIFY(name.startsWith(QStringLiteral("nnnnnnnnnn")));
        QVERIFY2(name.endsWith(files.at(f).name.right(4)), qPrintable(name));
        QCOMPARE(sha256(readFile(nzb->getDestination() + QLatin1Char('/') + name)), sha256(files.at(f).data));
    }
}

// A split set downloaded and verified once, then again into the same destination after articles
// went missing from the server: the repair is not possible, so the good file of the first download
// stays as it is, nothing is joined from the damaged pieces, and the volumes and PAR2 files a
// manual repair needs are kept; the row says so.
void tst_MainWindowDownloadFaults::damagedDownloadBesideAGoodOne()
{
    const QByteArray film = Writer::randomBytes(500000, 7);
    QList<Posted> volumes;
    for (int v = 0; v < 5; ++v) {
        const QString name = QStringLiteral("film.mkv.%1").arg(v + 1, 3, 10, QLatin1Char('0'));
        volumes.append({name, film.mid(v * 100000, 100000)});
    }
    const QList<Posted> files = withPar2Files(volumes, QStringLiteral("film"), 10000, 4);
    QCOMPARE(files.size(), 7);
    const QString nzbPath = post(QStringLiteral("film"), files, 25000);

    startWindowWithServer();
    NzbFiles *first = add(nzbPath);
    QVERIFY(first);
    QTRY_VERIFY_WITH_TIMEOUT(first->bCleaned, 60000);
    QCOMPARE(first->pTreeItem->text(DownloadListRows::ColumnMessages),
             QStringLiteral("film has been successfully downloaded"));
    const QString destination = first->getDestination();
    QCOMPARE(entries(destination), QStringList{"film.mkv"});
    QCOMPARE(sha256(readFile(destination + QStringLiteral("/film.mkv"))), sha256(film));

    // Two articles of each of the first four volumes are gone: 20 blocks lost, 4 to repair with.
    for (int v = 0; v < 4; ++v) {
        for (int part : {1, 3})
            news->addArticle(QStringLiteral("film.%1.%2@test").arg(v).arg(part), QByteArray(), -1,
                             NntpTestArticle::Fault::Missing);
    }
    NzbFiles *second = add(nzbPath);
    QVERIFY(second);
    QCOMPARE(second->getDestination(), destination);
    QTRY_VERIFY_WITH_TIMEOUT(second->bCleaned, 60000);
    QVERIFY(!second->bPostProcessingSucceeded);
    QCOMPARE(second->pTreeItem->text(DownloadListRows::ColumnMessages),
             QStringLiteral("film has been downloaded with error(s): the repair is not possible, "
                            "the volumes and PAR2 files are kept for a manual repair, the split files are kept unjoined"));
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowDownloadFaults_damaged"));

    QCOMPARE(sha256(readFile(destination + QStringLiteral("/film.mkv"))), sha256(film));
    const QStringList kept = entries(destination);
    for (const Posted &file : qAsConst(files))
        QVERIFY2(kept.contains(file.name), qPrintable(file.name + QLatin1String(" missing from ") + kept.join(QLatin1Char(','))));
    QVERIFY2(kept.filter(QStringLiteral(".mkv")).size() == 1 + 5, qPrintable(kept.join(QLatin1Char(','))));
    QVERIFY(logText().contains(QStringLiteral("repair is not possible")));
}

// A file found damaged (an article with a CRC error) in a set without PAR2 files, and the program
// ended before the set's end: the next start still knows the damage, from the queue record, and
// the NZB ends with it instead of "successfully downloaded".
void tst_MainWindowDownloadFaults::damageFoundBeforeARestartIsReported()
{
    const QList<Posted> files = {{QStringLiteral("a.bin"), Writer::randomBytes(12000, 21)},
                                 {QStringLiteral("b.bin"), Writer::randomBytes(3000000, 22)}};
    const QString nzbPath = post(QStringLiteral("dmg"), files, 100000);
    QVERIFY(!nzbPath.isEmpty());
    // a.bin is one article: one character of its data changed, its CRC no longer matches.
    Writer::YencPart whole;
    whole.end = files.first().data.size();
    QByteArray body = Writer::yencMultiPart(files.first().name, files.first().data, whole);
    int at = body.indexOf("\r\n", body.indexOf("=ypart ")) + 2 + 10;
    while (!QChar::isLetter(uint(uchar(body.at(at)))) || body.at(at - 1) == '=')
        ++at;
    body[at] = body.at(at) == 'A' ? 'B' : 'A';
    news->addArticle(QStringLiteral("dmg.0.1@test"), body);
    // b.bin comes slowly: the program ends while it downloads, a.bin long decoded (about ten
    // seconds for b.bin, against a fraction of one for a.bin).
    NntpTestServer::ConnectionFaults slow;
    slow.throttleBytesPerSecond = 150000;
    news->setDefaultConnectionFaults(slow);

    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    NzbFile *damaged = nullptr;
    for (NzbFile *file : nzb->getFiles()) {
        if (file->getSubject().contains(QLatin1String("a.bin")))
            damaged = file;
    }
    QVERIFY(damaged);
    // The window has taken the file as decoded, with its warning, and asked for its record.
    const auto decodedWithItsWarning = [damaged] {
        return damaged->pTreeItem && DownloadListRows::hasWarningMark(damaged->pTreeItem)
               && damaged->pTreeItem->data(DownloadListRows::ColumnProgress, Qt::DisplayRole).toInt() == 100;
    };
    QTRY_VERIFY_WITH_TIMEOUT(decodedWithItsWarning(), 60000);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->stopAllThreads();
    AppConfiguration *config = AppConfiguration::getInstance();
    config->nzbConfiguration.flushWrites();
    QVERIFY2(!nzb->isAllFilesDecoded(), "the set was downloaded before the end: the server is too fast for this test");

    // The end, as after a crash: what is on disk is what the next start finds.
    config->nzbConfiguration.listNzbFiles.clear();
    emit window->signalDeleteNzbList({nzb->pTreeItem});
    window.reset();
    news->setDefaultConnectionFaults(NntpTestServer::ConnectionFaults());
    config->nzbConfiguration.loadNzbs();
    QCOMPARE(config->nzbConfiguration.listNzbFiles.size(), 1);
    NzbFiles *restored = config->nzbConfiguration.listNzbFiles.first();
    for (NntpServer *server : qAsConst(config->serversConfiguration.listServers))
        server->bStarted = true;
    window = std::make_unique<MainWindow>();
    window->resize(1200, 760);
    window->show();
    QTRY_VERIFY_WITH_TIMEOUT(restored->bCleaned, 60000);
    QVERIFY(!restored->bPostProcessingSucceeded);
    QCOMPARE(restored->pTreeItem->text(DownloadListRows::ColumnMessages),
             QStringLiteral("dmg has been downloaded with error(s): "
                            "1 file(s) damaged, and no PAR2 file to repair them"));
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowDownloadFaults_damage_after_restart"));
    QCOMPARE(sha256(readFile(restored->getDestination() + QStringLiteral("/b.bin"))), sha256(files.at(1).data));
}

void tst_MainWindowDownloadFaults::destinationThatFills_data()
{
    QTest::addColumn<qint64>("beyondRoom"); // the file's size less the destination's room

    QTest::newRow("4 KiB less than the room") << qint64(-4096);
    QTest::newRow("4 KiB beyond the room") << qint64(4096);
    QTest::newRow("12 KiB beyond the room") << qint64(12288);
    QTest::newRow("20 KiB beyond the room") << qint64(20480);
}

// The destination is another disk (1 MiB) that the downloaded file does not fit on: the file
// stays whole in the Download folder, the destination keeps no part of it under any name, and
// the NZB ends with an error that names the file, the destination and the reason.
void tst_MainWindowDownloadFaults::destinationThatFills()
{
    QFETCH(qint64, beyondRoom);
    const qint64 room = 1024 * 1024;
    const Posted movie{QStringLiteral("movie.mkv"), Writer::randomBytes(int(room + beyondRoom), 8)};
    const QString nzbPath = post(QStringLiteral("move"), {movie}, 200000);
    QVERIFY(!nzbPath.isEmpty());
    AppConfiguration *config = AppConfiguration::getInstance();
    SmallFileSystem disk(config->destinationFolder, room);
    if (!disk.isMounted())
        QSKIP("another file system for the destination needs a mount");

    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    const QString destination = nzb->getDestination();
    const QString message = nzb->pTreeItem->text(DownloadListRows::ColumnMessages);
    if (beyondRoom <= 0) {
        QCOMPARE(message, QStringLiteral("move has been successfully downloaded"));
        QCOMPARE(entries(destination), QStringList{movie.name});
        QCOMPARE(sha256(readFile(destination + QStringLiteral("/movie.mkv"))), sha256(movie.data));
        return;
    }
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowDownloadFaults_destinationFull"));
    QCOMPARE(entries(destination), QStringList());
    QCOMPARE(entries(nzb->strDownloadFolder), QStringList{movie.name});
    QCOMPARE(sha256(readFile(nzb->strDownloadFolder + QStringLiteral("/movie.mkv"))), sha256(movie.data));
    const QString reason = QString::fromLocal8Bit(std::strerror(ENOSPC));
    QCOMPARE(message, QStringLiteral("move: 1 file(s) could not be moved to %1 (movie.mkv: %2), they stay in %3")
                          .arg(destination, reason, nzb->strDownloadFolder));
    const QString log = logText();
    QVERIFY2(log.contains(QStringLiteral("NZB move: %1/movie.mkv could not be moved to %2: %3")
                              .arg(nzb->strDownloadFolder, destination, reason)),
             qPrintable(log));
    QVERIFY(!log.contains(QStringLiteral("successfully downloaded")));
    // The record stays: the NZB and where its file is are still known at the next start.
    QVERIFY(!QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files).isEmpty());
}

void tst_MainWindowDownloadFaults::extractionIntoADestinationThatFills_data()
{
    QTest::addColumn<qint64>("room");
    // The set (three volumes of 7,000, 7,000 and 6,432 bytes) holds one file of 20,111 bytes.
    QTest::newRow("4 KiB") << qint64(4096);
    QTest::newRow("16 KiB") << qint64(16384);
}

// The archive's file does not fit in the destination: the extraction fails, the NZB ends in
// error, and every volume and PAR2 file is kept whole (moved to the destination as far as room
// allows, else left in the Download folder); no truncated file of the archive stays anywhere.
void tst_MainWindowDownloadFaults::extractionIntoADestinationThatFills()
{
    QFETCH(qint64, room);
    QList<Posted> rar;
    for (int n = 1; n <= 3; ++n) {
        const QString name = QStringLiteral("test_rar_multivolume_single_file.part%1.rar").arg(n);
        rar.append({name, readFile(QStringLiteral(TQ_TEST_DATA "/rar/libarchive/") + name)});
        QVERIFY(!rar.last().data.isEmpty());
    }
    // With PAR2 files that verify the set: the extraction is what fails.
    const QList<Posted> volumes = withPar2Files(rar, QStringLiteral("unrar"), 1000, 2);
    QCOMPARE(volumes.size(), 5);
    const QString nzbPath = post(QStringLiteral("unrar"), volumes, 5000);
    QVERIFY(!nzbPath.isEmpty());
    AppConfiguration *config = AppConfiguration::getInstance();
    QVERIFY(config->autoUnrar);
    SmallFileSystem disk(config->destinationFolder, room);
    if (!disk.isMounted())
        QSKIP("a small destination beside a Download folder of normal size needs a mount");

    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    QVERIFY(!nzb->bPostProcessingSucceeded);
    const QString destination = nzb->getDestination();
    for (const Posted &volume : qAsConst(volumes)) {
        const QStringList places{destination, nzb->strDownloadFolder};
        int found = 0;
        for (const QString &place : places) {
            if (entries(place).contains(volume.name)) {
                ++found;
                QCOMPARE(sha256(readFile(place + QLatin1Char('/') + volume.name)), sha256(volume.data));
            }
        }
        QVERIFY2(found == 1, qPrintable(volume.name));
    }
    QStringList everything = entries(destination) + entries(nzb->strDownloadFolder);
    everything.sort();
    QStringList posted;
    for (const Posted &volume : qAsConst(volumes))
        posted << volume.name;
    posted.sort();
    QCOMPARE(everything, posted);
    const QString log = logText();
    QVERIFY2(log.contains(QStringLiteral("PAR2 finished for unrar: Par2: success")), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("Unrar error for unrar: Unrar error: exit code: 5")), qPrintable(log));
    QVERIFY(!log.contains(QStringLiteral("Unrar finished successfully")));
    QVERIFY(!log.contains(QStringLiteral("successfully downloaded")));
    QVERIFY(!nzb->pTreeItem->text(DownloadListRows::ColumnMessages).contains(QStringLiteral("successfully")));
}

void tst_MainWindowDownloadFaults::splitSetWithAGapKeepsItsPieces_data()
{
    QTest::addColumn<QList<int>>("posted");   // the pieces the NZB lists, of five
    QTest::addColumn<int>("withoutArticles"); // the piece whose articles are gone, 0 for none
    QTest::addColumn<QString>("why");         // what the row says after "with error(s): "
    QTest::addColumn<QString>("logged");

    QTest::newRow("articles of a piece missing")
        << QList<int>{1, 2, 3, 4, 5} << 3
        << "1 file(s) incomplete, 2 article(s) missing, and no PAR2 file to repair them, "
           "the split files are kept unjoined"
        << "the split files are kept unjoined";
    // The download itself is complete: only the pieces show that the set is not.
    QTest::newRow("a piece the NZB does not list") << QList<int>{1, 3} << 0 << "Unsplit: volume big.bin.002 is missing"
                                                  << "Unsplit: volume big.bin.002 is missing";
}

// big.bin cut into five pieces of 12,000 bytes, of which one did not come (its articles gone, or
// the NZB does not list it), no PAR2 file to make up for it: nothing is joined up to the gap
// under the file's name, every piece that came reaches the destination as it was posted (a join
// by hand once the missing one is found), and the row says why.
void tst_MainWindowDownloadFaults::splitSetWithAGapKeepsItsPieces()
{
    QFETCH(QList<int>, posted);
    QFETCH(int, withoutArticles);
    QFETCH(QString, why);
    QFETCH(QString, logged);

    const QByteArray big = Writer::randomBytes(60000, 11);
    QList<Posted> files;
    for (int v : qAsConst(posted))
        files.append({QStringLiteral("big.bin.%1").arg(v, 3, 10, QLatin1Char('0')), big.mid((v - 1) * 12000, 12000)});
    const QString nzbPath = post(QStringLiteral("big"), files, 6000);
    if (withoutArticles > 0) {
        for (int part : {1, 2})
            news->addArticle(QStringLiteral("big.%1.%2@test").arg(posted.indexOf(withoutArticles)).arg(part),
                             QByteArray(), -1, NntpTestArticle::Fault::Missing);
    }

    NzbFiles *nzb = downloadToTheEnd(nzbPath);
    QVERIFY(nzb);
    QVERIFY(!nzb->bPostProcessingSucceeded);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages),
             QStringLiteral("big has been downloaded with error(s): ") + why);
    WidgetPicture::save(window.get(), withoutArticles > 0 ? QStringLiteral("MainWindowDownloadFaults_gap")
                                                          : QStringLiteral("MainWindowDownloadFaults_gap_not_posted"));
    const QString destination = nzb->getDestination();
    QVERIFY2(!QFileInfo::exists(destination + QStringLiteral("/big.bin")), qPrintable(entries(destination).join(',')));
    for (int v = 0; v < posted.size(); ++v) {
        if (posted.at(v) != withoutArticles)
            QCOMPARE(sha256(readFile(destination + QLatin1Char('/') + files.at(v).name)), sha256(files.at(v).data));
    }
    QVERIFY(logText().contains(logged));
}

// A RAR archive cut into three ".001" pieces with a splitting tool: joined back into the archive,
// which is extracted; the destination holds what the archive held, the NZB succeeds.
void tst_MainWindowDownloadFaults::rarCutIntoPiecesIsRecovered()
{
    const QByteArray inside = Writer::randomBytes(30000, 12);
    const QByteArray archive = RarTestArchive(RarTestArchive::Format::Rar5).file("cn.dat", inside).bytes();
    const int third = (archive.size() + 2) / 3;
    QList<Posted> files;
    for (int v = 0; v < 3; ++v)
        files.append({QStringLiteral("cn.rar.00%1").arg(v + 1), archive.mid(v * third, third)});
    const QString nzbPath = post(QStringLiteral("cn"), files, 5000);

    NzbFiles *nzb = downloadToTheEnd(nzbPath);
    QVERIFY(nzb);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages), QStringLiteral("cn has been successfully downloaded"));
    QCOMPARE(entries(nzb->getDestination()), QStringList{"cn.dat"});
    QCOMPARE(sha256(readFile(nzb->getDestination() + QStringLiteral("/cn.dat"))), sha256(inside));
}

// A RAR archive posted with PAR2 recovery volumes but without their index file, an article of the
// archive gone: the set is verified from a volume, the volumes it needs are fetched, the archive
// is repaired and then extracted whole.
void tst_MainWindowDownloadFaults::postWithoutItsPar2IndexIsRepaired()
{
    const QByteArray inside = Writer::randomBytes(100000, 13);
    const QList<Posted> archive = {
        {QStringLiteral("ma.rar"), RarTestArchive(RarTestArchive::Format::Rar5).file("ma.dat", inside).bytes()}};
    QList<Posted> files = archive;
    for (const Posted &par2 : par2Files(archive, {QStringLiteral("-s5000"), QStringLiteral("-c8"), QStringLiteral("-n3"),
                                                   QStringLiteral("ma.par2")})) {
        if (par2.name != QLatin1String("ma.par2"))
            files.append(par2);
    }
    QVERIFY(files.size() >= 3); // the archive and recovery volumes, no index
    const QString nzbPath = post(QStringLiteral("ma"), files, 10000);
    news->addArticle(QStringLiteral("ma.0.3@test"), QByteArray(), -1, NntpTestArticle::Fault::Missing);
    AppConfiguration::getInstance()->autoSmartDownload = true;

    NzbFiles *nzb = downloadToTheEnd(nzbPath);
    QVERIFY(nzb);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages), QStringLiteral("ma has been successfully downloaded"));
    QCOMPARE(entries(nzb->getDestination()), QStringList{"ma.dat"});
    QCOMPARE(sha256(readFile(nzb->getDestination() + QStringLiteral("/ma.dat"))), sha256(inside));
    QVERIFY(logText().contains(QStringLiteral("Par2: success - ma")));
}

// Most downloads hold no split file: finding none is said at INFO, and a plain download that
// succeeds leaves no ERROR line in the log.
void tst_MainWindowDownloadFaults::plainDownloadLogsNoError()
{
    const QString nzbPath = post(QStringLiteral("plain"),
                                 {{QStringLiteral("a.bin"), Writer::randomBytes(20000, 14)},
                                  {QStringLiteral("b.bin"), Writer::randomBytes(20000, 15)}},
                                 10000);
    NzbFiles *nzb = downloadToTheEnd(nzbPath);
    QVERIFY(nzb);
    QCOMPARE(nzb->pTreeItem->text(DownloadListRows::ColumnMessages), QStringLiteral("plain has been successfully downloaded"));
    const QString log = logText();
    QVERIFY(log.contains(QStringLiteral("Unsplit: no split file found for plain")));
    QVERIFY2(!log.contains(QRegularExpression(QStringLiteral("^ERROR "), QRegularExpression::MultilineOption)),
             qPrintable(log));
}

void tst_MainWindowDownloadFaults::serverThatWantsALogin_data()
{
    QTest::addColumn<bool>("withOpenServer");
    QTest::newRow("beside an open server") << true;
    QTest::newRow("alone") << false;
}

// A server that wants a login, configured without one, answers every BODY with 480. That is no
// missing article: its connections fail like a refused login (row and log name the reason and
// the server) and try again later, and the articles are downloaded from the other server, or
// wait in the queue when there is none. Nothing is counted missing.
void tst_MainWindowDownloadFaults::serverThatWantsALogin()
{
    QFETCH(bool, withOpenServer);
    NntpTestServer locked;
    QVERIFY2(locked.start(), qPrintable(locked.errorString()));
    locked.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    const QList<Posted> files = {{QStringLiteral("a.bin"), Writer::randomBytes(30000, 8)},
                                 {QStringLiteral("b.bin"), Writer::randomBytes(30000, 9)}};
    const QString nzbPath = post(QStringLiteral("locked"), files, 10000);
    QList<NntpServer *> list{startedServer(1, QStringLiteral("locked news"), locked.port())};
    if (withOpenServer) {
        // The open server greets late, so that the locked one is asked for articles first instead
        // of finding the queue already empty.
        NntpTestServer::ConnectionFaults late;
        late.greetingDelayMs = 1500;
        news->setDefaultConnectionFaults(late);
        list.append(startedServer(2, QStringLiteral("open news"), news->port()));
    }
    startWindowWithServers(list);
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    const QString refusal = QStringLiteral("Error: the server requires a login (480 authentication required): check "
                                           "the login and password of this server");
    QTRY_VERIFY_WITH_TIMEOUT(logText().contains(QStringLiteral("(server locked news): ") + refusal), 30000);

    if (withOpenServer) {
        checkDownloadedWhole(nzb, QStringLiteral("locked"), files);
    } else {
        // Several attempts later, every article still waits for a server that gives it.
        QTRY_VERIFY_WITH_TIMEOUT(locked.connectionCount() >= 6, 30000);
        QVERIFY(!nzb->bCleaned);
        for (int f = 0; f < files.size(); ++f) {
            for (const NzbSegment *segment : nzb->getFileAt(quint64(f))->getSegments())
                QVERIFY(!segment->bDownloaded && !segment->bMissing);
        }
        QTableWidget *threads = MainWindowTestAccess::ui(*window).tableWidgetServerThreads;
        const QString shown = QLatin1Char(' ') + refusal + QStringLiteral(" (");
        QTRY_VERIFY_WITH_TIMEOUT(threads->item(0, 2)->text().startsWith(shown), 10000);
        WidgetPicture::save(threads, QStringLiteral("MainWindowDownloadFaults_login_wanted_connections"));
    }
    QVERIFY(!logText().contains(QStringLiteral(" is missing")));
    QVERIFY(!logText().contains(QStringLiteral("(Number ")));
}

// A server that closes the connection after every article (or whose idle time-out is shorter
// than the program's): the next article goes over a new connection, without a warning.
void tst_MainWindowDownloadFaults::serverThatClosesAfterEveryArticle()
{
    NntpTestServer::ConnectionFaults closing;
    closing.closeAfterBody = true;
    news->setDefaultConnectionFaults(closing);
    const QList<Posted> files = {{QStringLiteral("c.bin"), Writer::randomBytes(60000, 10)},
                                 {QStringLiteral("d.bin"), Writer::randomBytes(60000, 11)}};
    const QString nzbPath = post(QStringLiteral("closing"), files, 5000);
    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    checkDownloadedWhole(nzb, QStringLiteral("closing"), files);
    QVERIFY2(!logText().contains(QStringLiteral("(Number ")), qPrintable(logText()));
}

namespace {

constexpr int kTwelvePartSize = 20000;

// Part `number` (from 1) of a 12-part yEnc post of `data`, as `lie` makes it: "" as posted,
// "lost lines" without a line of data and without its pcrc32, "longer" holding twice its part
// (the second half bytes of no part), "end size" with an "=yend size=" one short.
QByteArray twelvePartArticle(const QByteArray &data, int number, const QString &lie)
{
    Writer::YencPart part;
    part.number = number;
    part.total = 12;
    part.begin = qint64(number - 1) * kTwelvePartSize + 1;
    part.end = qint64(number) * kTwelvePartSize;
    if (lie == QLatin1String("lost lines")) {
        QList<QByteArray> lines = Writer::yencMultiPart(QStringLiteral("data.bin"), data, part, false, true).split('\n');
        lines.removeAt(5);
        return lines.join('\n');
    }
    if (lie == QLatin1String("longer")) {
        const QByteArray bytes = data.mid(int(part.begin - 1), kTwelvePartSize) + Writer::randomBytes(kTwelvePartSize, 99);
        return "=ybegin part=" + QByteArray::number(number) + " total=12 line=128 size=" + QByteArray::number(data.size())
            + " name=data.bin\r\n=ypart begin=" + QByteArray::number(part.begin) + " end=" + QByteArray::number(part.end)
            + "\r\n" + Writer::yencLines(bytes) + "=yend size=" + QByteArray::number(bytes.size()) + " part="
            + QByteArray::number(number) + " pcrc32=" + Writer::crcText(Writer::crcOf(bytes)) + "\r\n";
    }
    QByteArray body = Writer::yencMultiPart(QStringLiteral("data.bin"), data, part);
    if (lie == QLatin1String("end size"))
        body.replace("=yend size=" + QByteArray::number(kTwelvePartSize), "=yend size=" + QByteArray::number(kTwelvePartSize - 1));
    return body;
}

} // namespace

void tst_MainWindowDownloadFaults::articlesOutOfTheirPlace_data()
{
    QTest::addColumn<QStringList>("numbers"); // the NZB's number of each part; "" leaves the part out
    QTest::addColumn<int>("lyingPart");       // the part that does not hold what its headers announce
    QTest::addColumn<QString>("lie");
    QTest::addColumn<QString>("problem");     // empty: the file comes whole and the NZB succeeds
    QTest::addColumn<QString>("logged");      // a warning the log holds

    const QStringList plain{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    const auto lastNumbered = [&plain](const QString &number) {
        QStringList numbers = plain;
        numbers.last() = number;
        return numbers;
    };
    QStringList sixAsFive = plain;
    sixAsFive[5] = QStringLiteral("5");
    const QString damaged = QStringLiteral("1 file(s) damaged, and no PAR2 file to repair them");
    QTest::newRow("last part numbered 2^31") << lastNumbered("2147483648") << 0 << QString() << QString() << QString();
    QTest::newRow("last part numbered 2^32") << lastNumbered("4294967296") << 0 << QString() << QString() << QString();
    QTest::newRow("last part numbered -1") << lastNumbered("-1") << 0 << QString() << QString() << QString();
    QTest::newRow("part 6 numbered 5 again") << sixAsFive << 0 << QString() << QString() << QString();
    QTest::newRow("last part numbered x")
        << lastNumbered("x") << 0 << QString()
        << "1 file(s) incomplete, 1 article(s) missing, and no PAR2 file to repair them"
        << "Segment x cannot be placed in its file: its number is not a whole number";
    QTest::newRow("last part not listed")
        << lastNumbered(QString()) << 0 << QString() << damaged
        << "data.bin is incomplete: no article holds 20000 of its 240000 bytes";
    QTest::newRow("part 3 lost lines, only the file's crc32") << plain << 3 << "lost lines" << damaged
                                                             << "Segment 3 is damaged: it does not hold what its yEnc header announces";
    QTest::newRow("part 3 longer than its range") << plain << 3 << "longer" << damaged
                                                  << "Segment 3 is damaged: it does not hold what its yEnc header announces";
    QTest::newRow("part 3 with an end size one short") << plain << 3 << "end size" << damaged
                                                       << "Segment 3 is damaged: it does not hold what its yEnc header announces";
}

// Articles whose NZB numbers are odd go where their yEnc parts say, and the file comes whole.
// An article that cannot be placed, a part the NZB leaves out and an article that does not hold
// what its headers announce leave the file incomplete: without PAR2 files, the NZB then ends
// with errors, never "successfully downloaded".
void tst_MainWindowDownloadFaults::articlesOutOfTheirPlace()
{
    QFETCH(QStringList, numbers);
    QFETCH(int, lyingPart);
    QFETCH(QString, lie);
    QFETCH(QString, problem);
    QFETCH(QString, logged);
    const QByteArray data = Writer::randomBytes(12 * kTwelvePartSize, 12);
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n"
                     "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;data.bin&quot; yEnc (1/12)\">\n"
                     "<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
    for (int p = 1; p <= 12; ++p) {
        const QByteArray body = twelvePartArticle(data, p, p == lyingPart ? lie : QString());
        const QString id = QStringLiteral("place.%1@test").arg(p);
        news->addArticle(id, body);
        if (!numbers.at(p - 1).isEmpty())
            xml += "<segment bytes=\"" + QByteArray::number(body.size()) + "\" number=\"" + numbers.at(p - 1).toUtf8()
                   + "\">" + id.toUtf8() + "</segment>\n";
    }
    const QString nzbPath = home->path() + QStringLiteral("/place.nzb");
    QVERIFY(WindowTestFixture::writeFile(nzbPath, xml + "</segments>\n</file>\n</nzb>\n"));

    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    const QString message = nzb->pTreeItem->text(DownloadListRows::ColumnMessages);
    const QString written = nzb->getDestination() + QStringLiteral("/data.bin");
    if (problem.isEmpty()) {
        QCOMPARE(message, QStringLiteral("place has been successfully downloaded"));
        QCOMPARE(sha256(readFile(written)), sha256(data));
        return;
    }
    QCOMPARE(message, QStringLiteral("place has been downloaded with error(s): ") + problem);
    QVERIFY(!nzb->bPostProcessingSucceeded);
    QVERIFY(!logText().contains(QStringLiteral("has been successfully downloaded")));
    QVERIFY2(logText().contains(logged), qPrintable(logText()));
    // Whatever was written, no article wrote beyond its part.
    const QByteArray got = readFile(written);
    QVERIFY(got.size() <= data.size());
    if (lie == QLatin1String("longer"))
        QCOMPARE(got.mid(3 * kTwelvePartSize, kTwelvePartSize), data.mid(3 * kTwelvePartSize, kTwelvePartSize));
}

QTEST_MAIN(tst_MainWindowDownloadFaults)
#include "tst_MainWindowDownloadFaults.moc"
