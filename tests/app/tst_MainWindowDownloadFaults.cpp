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
#include "NntpTestServer.h"
#include "SmallFileSystem.h"
#include "WidgetPicture.h"
#include "WindowTestFixture.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QtTest>

#include <memory>

namespace {

using Writer = SegmentBodyWriter;

struct Posted
{
    QString name;
    QByteArray data;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QString logText()
{
    QString text;
    const QDir logs(AppConfiguration::getLogsFolder());
    for (const QString &name : logs.entryList(QDir::Files))
        text += QString::fromUtf8(readFile(logs.filePath(name)));
    return text;
}

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
    void articlesThatNeverArrive_data();
    void articlesThatNeverArrive();
    void nameLongerThanTheFileSystemAllows();
    void damagedDownloadBesideAGoodOne();

private:
    // Each posted file goes to the server in yEnc parts of `partSize` bytes, under message ids
    // "<tag>.<file>.<part>@test"; the NZB file is written into the test's home.
    QString post(const QString &tag, const QList<Posted> &files, int partSize,
                 NntpTestArticle::Fault fault = NntpTestArticle::Fault::None);
    void startWindowWithServer();
    NzbFiles *add(const QString &nzbPath);

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
    AppConfiguration *config = AppConfiguration::getInstance();
    config->loaded = true;
    config->autoKeepPar2Files = false;
    if (config->fileDestination) {
        QsLogging::Logger::getInstance()->detachDestination(config->fileDestination);
        delete config->fileDestination;
        config->fileDestination = nullptr;
    }
    config->logLevel = 2;
    QVERIFY(config->initLogs());
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
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
    for (int f = 0; f < files.size(); ++f) {
        const Posted &file = files.at(f);
        const int parts = qMax(1, (file.data.size() + partSize - 1) / partSize);
        xml += "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;" + file.name.toHtmlEscaped().toUtf8()
               + "&quot; yEnc (1/" + QByteArray::number(parts) + ")\">\n<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
        for (int p = 0; p < parts; ++p) {
            Writer::YencPart part;
            part.number = p + 1;
            part.total = parts;
            part.begin = qint64(p) * partSize + 1;
            part.end = qMin<qint64>(qint64(p + 1) * partSize, file.data.size());
            const QByteArray body = Writer::yencMultiPart(file.name, file.data, part);
            const QString id = QStringLiteral("%1.%2.%3@test").arg(tag).arg(f).arg(p + 1);
            news->addArticle(id, body, -1, fault);
            xml += "<segment bytes=\"" + QByteArray::number(body.size()) + "\" number=\"" + QByteArray::number(p + 1)
                   + "\">" + id.toUtf8() + "</segment>\n";
        }
        xml += "</segments>\n</file>\n";
    }
    const QString path = home->path() + QLatin1Char('/') + tag + QStringLiteral(".nzb");
    return WindowTestFixture::writeFile(path, xml + "</nzb>\n") ? path : QString();
}

void tst_MainWindowDownloadFaults::startWindowWithServer()
{
    // A connection waits a second after a failed transfer: far less will do here.
    DownloadNzbManager::getInstance()->setEngineWaits(EngineWaits().scaled(0.02));
    auto *server = new NntpServer;
    server->iId = 1;
    server->strHost = QStringLiteral("127.0.0.1");
    server->iPort = news->port();
    server->strNickname = QStringLiteral("test news");
    server->iConnectionCount = 2;
    server->bStarted = true;
    AppConfiguration::getInstance()->serversConfiguration.listServers.append(server);
    window = std::make_unique<MainWindow>();
    window->resize(1200, 760);
}

NzbFiles *tst_MainWindowDownloadFaults::add(const QString &nzbPath)
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    window->loadNzbFromArguments({QStringLiteral("tessaquill"), nzbPath});
    return manager->listNzbFiles.size() == before + 1 ? manager->listNzbFiles.last() : nullptr;
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
    QVERIFY2(box->text().startsWith(QStringLiteral("The downloads have been paused: Downloads paused: cannot write the "
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
    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
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
    startWindowWithServer();
    NzbFiles *nzb = add(nzbPath);
    QVERIFY(nzb);
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
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
// stays as it is, the second join gets a name of its own, and the volumes and PAR2 files a manual
// repair needs are kept; the row says so.
void tst_MainWindowDownloadFaults::damagedDownloadBesideAGoodOne()
{
    const QByteArray film = Writer::randomBytes(500000, 7);
    QTemporaryDir made;
    QVERIFY(made.isValid());
    QList<Posted> files;
    for (int v = 0; v < 5; ++v) {
        const QString name = QStringLiteral("film.mkv.%1").arg(v + 1, 3, 10, QLatin1Char('0'));
        files.append({name, film.mid(v * 100000, 100000)});
        QVERIFY(WindowTestFixture::writeFile(made.filePath(name), files.last().data));
    }
    QProcess par2;
    par2.setWorkingDirectory(made.path());
    QStringList arguments{QStringLiteral("create"), QStringLiteral("-q"), QStringLiteral("-s10000"), QStringLiteral("-c4"),
                          QStringLiteral("-n1"), QStringLiteral("film.par2")};
    for (const Posted &file : qAsConst(files))
        arguments << file.name;
    par2.start(QStringLiteral("par2"), arguments);
    QVERIFY2(par2.waitForFinished(60000), qPrintable(par2.errorString()));
    QCOMPARE(par2.exitCode(), 0);
    for (const QString &name : entries(made.path())) {
        if (name.endsWith(QLatin1String(".par2")))
            files.append({name, readFile(made.filePath(name))});
    }
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
                            "the volumes and PAR2 files are kept for a manual repair"));
    WidgetPicture::save(window.get(), QStringLiteral("MainWindowDownloadFaults_damaged"));

    QCOMPARE(sha256(readFile(destination + QStringLiteral("/film.mkv"))), sha256(film));
    const QStringList kept = entries(destination);
    for (const Posted &file : qAsConst(files))
        QVERIFY2(kept.contains(file.name), qPrintable(file.name + QLatin1String(" missing from ") + kept.join(QLatin1Char(','))));
    QVERIFY2(kept.contains(QStringLiteral("film (1).mkv")), qPrintable(kept.join(QLatin1Char(','))));
    QVERIFY(logText().contains(QStringLiteral("repair is not possible")));
}

QTEST_MAIN(tst_MainWindowDownloadFaults)
#include "tst_MainWindowDownloadFaults.moc"
