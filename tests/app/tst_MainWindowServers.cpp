// The main window's server table, connections table, pause, bandwidth limit and statistics
// tick, on the real download manager with test news servers on 127.0.0.1.
#include "MainWindowTestAccess.h"
#include "TotalSpeedHold.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "dialogs/DialogServerManagement.h"
#include "dialogs/DialogWizard.h"
#include "widgets/AppVersion.h"
#include "engine/DownloadNzbManager.h"
#include "engine/ThreadNntp.h"
#include "model/NntpServer.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "NntpTestArticle.h"
#include "NntpTestServer.h"
#include "WidgetPicture.h"
#include "WindowTestFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTableWidget>
#include <QTreeWidgetItem>
#include <QtTest>

#include <memory>

namespace {

NntpServer *makeServer(qint32 id, const QString &nickname, quint16 port, int connections, bool started = false)
{
    auto *server = new NntpServer;
    server->iId = id;
    server->strHost = QStringLiteral("127.0.0.1");
    server->strNickname = nickname;
    server->iPort = port;
    server->iConnectionCount = connections;
    server->bStarted = started;
    return server;
}

QList<NntpServer *> &servers()
{
    return AppConfiguration::getInstance()->serversConfiguration.listServers;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString recordPath(qint32 id)
{
    return AppConfiguration::getServersFolder() + QDir::separator() + ServersConfiguration::serverFileName(id);
}

// The server as its record file holds it; null when there is no readable record.
std::unique_ptr<NntpServer> storedServer(qint32 id)
{
    return std::unique_ptr<NntpServer>(ServersConfiguration::serverFromFileContent(readFile(recordPath(id))));
}

QByteArray nzbOfGeneratedArticles(int count, qint64 size, quint32 firstSeed)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<nzb><file poster=\"p\" date=\"1\" subject=\"&quot;work.bin&quot; yEnc\">"
                     "<groups><group>alt.binaries.test</group></groups><segments>";
    for (int i = 1; i <= count; ++i)
        xml += "<segment bytes=\"" + QByteArray::number(size) + "\" number=\"" + QByteArray::number(i) + "\">"
               + NntpTestArticle::generatedId(size, firstSeed + quint32(i)).toUtf8() + "</segment>";
    xml += "</segments></file></nzb>\n";
    return xml;
}

} // namespace

class tst_MainWindowServers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void serverRowsAtConstruction_data();
    void serverRowsAtConstruction();
    void startAndStopFromTheRows();
    void stopAnswerFollowsTheServerNotTheRow();
    void importedServersStartStopped();
    void serverWithoutConnectionsStopsAtOnce();
    void addModifyDeleteThroughTheDialogs();
    void newIdsSkipRecordFilesOnDisk();
    void failedSavesAreReported_data();
    void failedSavesAreReported();
    void refusals_data();
    void refusals();
    void wizardServer_data();
    void wizardServer();
    void connectionStatuses();
    void connectionRowKeepsTheLastError_data();
    void connectionRowKeepsTheLastError();
    void connectionSpeeds_data();
    void connectionSpeeds();
    void pauseAndResume();
    void timedPauseResumesByItself();
    void startingWhilePausedStartsPaused();
    void downloadsPausedByTheEngine();
    void bandwidthShares_data();
    void bandwidthShares();
    void limitHoldsDuringADownload_data();
    void limitHoldsDuringADownload();
    void statisticsTick();
    void remainingTimeTexts_data();
    void remainingTimeTexts();
    void picturesDuringADownload();

private:
    MainWindow &makeWindow();
    Ui::MainWindow &ui() { return MainWindowTestAccess::ui(*window); }
    QPushButton *rowButton(int row);
    QString rowStatusImage(int row);
    void clickRow(int row);
    NzbFiles *queueNzb(const QByteArray &xml, const QString &name);
    void removeQueuedNzbs();

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<MainWindow> window;
    QList<NzbFiles *> queued;
};

void tst_MainWindowServers::initTestCase()
{
    WindowTestFixture::setUpApplication();
}

void tst_MainWindowServers::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppConfiguration *config = AppConfiguration::getInstance();
    qDeleteAll(servers());
    servers().clear();
    config->nzbConfiguration.listNzbFiles.clear();
    config->autoDetectBandwidthLimit = true;
    config->autoSpeedLimit = 0;
    config->autoDownloadNzb = true;
    config->autoSaveHistoNzb = false;
    config->autoUnrar = false;
    config->autoUnsplit = false;
    config->cacheFolder = home->dataFolder() + QStringLiteral("/Cache");
    config->downloadFolder = home->dataFolder() + QStringLiteral("/Download");
    config->destinationFolder = home->dataFolder() + QStringLiteral("/Destination");
    config->webConfiguration.homePage.clear();
    config->webConfiguration.homePageLaunch = false;
}

void tst_MainWindowServers::cleanup()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->stopAllThreads();
    manager->pauseAllThreads(false);
    manager->setBandwidthLimit(0);
    manager->setEngineWaits(EngineWaits());
    removeQueuedNzbs();
    window.reset();
    manager->uiTotalSpeed = 0;
    home.reset();
}

MainWindow &tst_MainWindowServers::makeWindow()
{
    window = std::make_unique<MainWindow>();
    window->resize(1200, 760);
    return *window;
}

QPushButton *tst_MainWindowServers::rowButton(int row)
{
    QWidget *container = ui().tableWidgetServers->cellWidget(row, 3);
    return container ? container->findChild<QPushButton *>() : nullptr;
}

// Which of the two status images the row shows.
QString tst_MainWindowServers::rowStatusImage(int row)
{
    auto *label = qobject_cast<QLabel *>(ui().tableWidgetServers->cellWidget(row, 0));
    if (!label || label->pixmap(Qt::ReturnByValue).isNull())
        return QString();
    const QImage shown = label->pixmap(Qt::ReturnByValue).toImage();
    for (const QString &name : {QStringLiteral("server_started"), QStringLiteral("server_stop")}) {
        if (QPixmap(QStringLiteral(":/images/%1.png").arg(name)).toImage() == shown)
            return name;
    }
    return QStringLiteral("other");
}

void tst_MainWindowServers::clickRow(int row)
{
    QPushButton *button = rowButton(row);
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    button->click();
}

NzbFiles *tst_MainWindowServers::queueNzb(const QByteArray &xml, const QString &name)
{
    const QString path = home->path() + QStringLiteral("/") + name + QStringLiteral(".nzb");
    if (!writeFile(path, xml))
        return nullptr;
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    window->addNzbFile(path, name, QString());
    if (manager->listNzbFiles.size() != before + 1)
        return nullptr;
    queued.append(manager->listNzbFiles.last());
    return queued.last();
}

void tst_MainWindowServers::removeQueuedNzbs()
{
    if (queued.isEmpty())
        return;
    QList<QTreeWidgetItem *> rows;
    QList<QTreeWidgetItem *> ownRows;
    for (NzbFiles *nzb : qAsConst(queued)) {
        if (!nzb->pTreeItem) {
            ownRows.append(new QTreeWidgetItem);
            nzb->pTreeItem = ownRows.last();
        }
        rows.append(nzb->pTreeItem);
    }
    emit window->signalDeleteNzbList(rows);
    for (NzbFiles *nzb : qAsConst(queued))
        AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
    qDeleteAll(ownRows);
    queued.clear();
}

// Rows of the configured servers as saved: state, nickname with its id, counter, button; the
// start hint only while servers exist and none is started.
void tst_MainWindowServers::serverRowsAtConstruction_data()
{
    QTest::addColumn<QList<bool>>("started");
    QTest::addColumn<bool>("hint");
    QTest::newRow("no server") << QList<bool>() << false;
    QTest::newRow("none started") << QList<bool>{false, false} << true;
    QTest::newRow("one started") << QList<bool>{false, true} << false;
}

void tst_MainWindowServers::serverRowsAtConstruction()
{
    QFETCH(QList<bool>, started);
    QFETCH(bool, hint);
    for (int i = 0; i < started.size(); ++i) {
        servers().append(makeServer(5 + i, QStringLiteral("news %1").arg(i), 119, 2, started.at(i)));
        servers().last()->uiBytesDownloaded = quint64(i) * 3 * 1024 * 1024;
    }
    makeWindow();
    window->show();
    QTableWidget *table = ui().tableWidgetServers;
    QCOMPARE(table->rowCount(), started.size());
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Status"));
    QCOMPARE(table->horizontalHeaderItem(3)->text(), QStringLiteral("Start / Stop"));
    QCOMPARE(ui().tableWidgetServerThreads->horizontalHeaderItem(2)->text(), QStringLiteral("Description"));
    for (int row = 0; row < started.size(); ++row) {
        QCOMPARE(table->item(row, 1)->text(), QStringLiteral(" news %1 ").arg(row));
        QCOMPARE(table->item(row, 1)->data(Qt::UserRole).toInt(), 5 + row);
        QCOMPARE(table->item(row, 2)->text(), row == 0 ? QStringLiteral(" 0 KiB ") : QStringLiteral(" 3 MiB "));
        QCOMPARE(rowButton(row)->text(), started.at(row) ? QStringLiteral("Stop") : QStringLiteral("Start"));
        QCOMPARE(rowStatusImage(row), started.at(row) ? QStringLiteral("server_started") : QStringLiteral("server_stop"));
    }
    QCOMPARE(ui().labelClickOnStartBtnToBegin->isVisible(), hint);
    // The hint blinks while it is shown, and is left alone while hidden.
    const QString before = ui().labelClickOnStartBtnToBegin->text();
    window->slotLabelInfoStartServerBlink();
    QCOMPARE(ui().labelClickOnStartBtnToBegin->text().isEmpty(), hint);
    window->slotLabelInfoStartServerBlink();
    QCOMPARE(ui().labelClickOnStartBtnToBegin->text(), before);
    window->hide();
}

// Start and stop each server from its row: connection rows come and go, the rows of the other
// server move up and still receive their reports, the started flag is saved each time.
void tst_MainWindowServers::startAndStopFromTheRows()
{
    NntpTestServer first;
    NntpTestServer second;
    QVERIFY(first.start());
    QVERIFY(second.start());
    servers().append(makeServer(1, QStringLiteral("first"), first.port(), 2));
    servers().append(makeServer(2, QStringLiteral("second"), second.port(), 1));
    makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QTableWidget *threads = ui().tableWidgetServerThreads;

    clickRow(0);
    QCOMPARE(manager->listThreads.size(), 2);
    QCOMPARE(threads->rowCount(), 2);
    QCOMPARE(rowButton(0)->text(), QStringLiteral("Stop"));
    QCOMPARE(rowStatusImage(0), QStringLiteral("server_started"));
    QVERIFY(servers().at(0)->bStarted);
    QVERIFY(storedServer(1) && storedServer(1)->bStarted);
    QVERIFY(!ui().labelClickOnStartBtnToBegin->isVisible());
    clickRow(1);
    QCOMPARE(threads->rowCount(), 3);
    QCOMPARE(threads->item(2, 0)->text(), QStringLiteral(" second "));
    const QList<quint32> firstIds = *MainWindowTestAccess::hashServerThreads(*window).value(1);
    const quint32 secondId = MainWindowTestAccess::hashServerThreads(*window).value(2)->first();

    clickRow(0);
    // Stopping: the flag stays set and the button cannot be pressed again until the answer.
    QVERIFY(!rowButton(0)->isEnabled() || !servers().at(0)->bStarted);
    QTRY_VERIFY(rowButton(0)->isEnabled());
    QCOMPARE(rowButton(0)->text(), QStringLiteral("Start"));
    QCOMPARE(rowStatusImage(0), QStringLiteral("server_stop"));
    QVERIFY(!servers().at(0)->bStarted);
    QVERIFY(storedServer(1) && !storedServer(1)->bStarted);
    QCOMPARE(threads->rowCount(), 1);
    QCOMPARE(MainWindowTestAccess::iThreadRowCount(*window), 1);
    QCOMPARE(MainWindowTestAccess::hashThreadRows(*window).value(secondId, -1), 0);
    QVERIFY(!MainWindowTestAccess::hashServerThreads(*window).contains(1));
    QCOMPARE(manager->listThreads.size(), 1);

    // The second server's reports reach its moved row; a late report of a removed connection
    // reaches nothing.
    emit manager->signalIdle(secondId);
    QCOMPARE(threads->item(0, 2)->text(), QStringLiteral(" Idle"));
    emit manager->signalBody(QStringLiteral("late@x"), firstIds.first());
    emit manager->signalThreadCurrentSpeedBytesPerSec(5000, firstIds.last());
    QCOMPARE(threads->item(0, 2)->text(), QStringLiteral(" Idle"));
    QCOMPARE(threads->item(0, 1)->text(), QStringLiteral(" "));

    // Started again: fresh rows below the existing one.
    clickRow(0);
    QCOMPARE(threads->rowCount(), 3);
    QCOMPARE(threads->item(1, 0)->text(), QStringLiteral(" first "));
    QCOMPARE(MainWindowTestAccess::hashThreadRows(*window).value(secondId), 0);
    clickRow(1);
    QTRY_COMPARE(rowButton(1)->text(), QStringLiteral("Start"));
    QCOMPARE(threads->rowCount(), 2);
    QCOMPARE(threads->item(0, 0)->text(), QStringLiteral(" first "));
    QVERIFY(!ui().labelClickOnStartBtnToBegin->isVisible());
    clickRow(0);
    QTRY_COMPARE(rowButton(0)->text(), QStringLiteral("Start"));
    QCOMPARE(threads->rowCount(), 0);
    QVERIFY(ui().labelClickOnStartBtnToBegin->isVisible());
}

// A server above a stopping one is deleted before the manager answers: the answer stops the
// server it was asked for, now one row higher, and nothing else.
void tst_MainWindowServers::stopAnswerFollowsTheServerNotTheRow()
{
    NntpTestServer news;
    QVERIFY(news.start());
    servers().append(makeServer(1, QStringLiteral("above"), news.port(), 1));
    servers().append(makeServer(2, QStringLiteral("stopping"), news.port(), 2));
    servers().append(makeServer(3, QStringLiteral("below"), news.port(), 1));
    makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    clickRow(1);
    clickRow(2);
    QCOMPARE(manager->listThreads.size(), 3);

    // The stop request is held back until the row above is gone.
    QVERIFY(QObject::disconnect(window.get(), SIGNAL(signalStopThreads(QList<quint32>,int)), manager,
                                SLOT(slotStopThreads(QList<quint32>,int))));
    QSignalSpy requests(window.get(), SIGNAL(signalStopThreads(QList<quint32>,int)));
    clickRow(1);
    QCOMPARE(requests.size(), 1);
    ui().tableWidgetServers->selectRow(0);
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->slotDeleteServer();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(ui().tableWidgetServers->rowCount(), 2);
    QVERIFY(!QFileInfo::exists(recordPath(1)));

    manager->slotStopThreads(requests.first().at(0).value<QList<quint32>>(), requests.first().at(1).toInt());
    QTRY_VERIFY(rowButton(0)->isEnabled());
    QCOMPARE(rowButton(0)->text(), QStringLiteral("Start"));
    QCOMPARE(ui().tableWidgetServers->item(0, 1)->text(), QStringLiteral(" stopping "));
    QVERIFY(!servers().at(0)->bStarted);
    QVERIFY(servers().at(1)->bStarted);
    QCOMPARE(rowButton(1)->text(), QStringLiteral("Stop"));
    QCOMPARE(manager->listThreads.size(), 1);
    QCOMPARE(ui().tableWidgetServerThreads->rowCount(), 1);
    QCOMPARE(ui().tableWidgetServerThreads->item(0, 0)->text(), QStringLiteral(" below "));
    // Each remaining button drives the server of its new row.
    clickRow(0);
    QCOMPARE(manager->listThreads.size(), 3);
    QVERIFY(servers().at(0)->bStarted);
}

// Imported servers get new ids after the highest, start stopped whatever their records say,
// and every button (old and new rows) reaches its own row.
void tst_MainWindowServers::importedServersStartStopped()
{
    NntpTestServer news;
    QVERIFY(news.start());
    servers().append(makeServer(7, QStringLiteral("existing"), news.port(), 1));
    makeWindow();
    window->show();
    QList<NntpServer *> imported;
    imported.append(makeServer(1, QStringLiteral("imported a"), news.port(), 2, true));
    imported.append(makeServer(7, QStringLiteral("imported b"), news.port(), 1, true));
    // As the settings dialog calls it.
    QVERIFY(QMetaObject::invokeMethod(window.get(), "slotAddNewServerFromImport", Qt::DirectConnection,
                                      Q_ARG(QList<NntpServer *>, imported)));
    qDeleteAll(imported);

    QTableWidget *table = ui().tableWidgetServers;
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(servers().size(), 3);
    for (int row = 1; row < 3; ++row) {
        QCOMPARE(servers().at(row)->iId, 7 + row);
        QVERIFY(!servers().at(row)->bStarted);
        QVERIFY(storedServer(7 + row) && !storedServer(7 + row)->bStarted);
        QCOMPARE(table->item(row, 1)->data(Qt::UserRole).toInt(), 7 + row);
        QCOMPARE(rowButton(row)->text(), QStringLiteral("Start"));
        QCOMPARE(rowStatusImage(row), QStringLiteral("server_stop"));
        QCOMPARE(table->item(row, 2)->text(), QStringLiteral(" 0 KiB "));
    }
    QVERIFY(ui().labelClickOnStartBtnToBegin->isVisible());
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    for (int row = 0; row < 3; ++row) {
        clickRow(row);
        QVERIFY(servers().at(row)->bStarted);
        QCOMPARE(manager->listThreads.size(), servers().at(row)->iConnectionCount);
        clickRow(row);
        QTRY_COMPARE(rowButton(row)->text(), QStringLiteral("Start"));
        QVERIFY(!servers().at(row)->bStarted);
        QCOMPARE(manager->listThreads.size(), 0);
    }
}

// A server with no connection (only an imported file can give it one) starts without a
// connection row and stops at once, without a request the manager would never answer.
void tst_MainWindowServers::serverWithoutConnectionsStopsAtOnce()
{
    makeWindow();
    window->show();
    QList<NntpServer *> imported{makeServer(3, QStringLiteral("empty"), 119, 0, true)};
    window->slotAddNewServerFromImport(imported);
    qDeleteAll(imported);
    QSignalSpy requests(window.get(), SIGNAL(signalStopThreads(QList<quint32>,int)));
    clickRow(0);
    QVERIFY(servers().at(0)->bStarted);
    QCOMPARE(rowButton(0)->text(), QStringLiteral("Stop"));
    QCOMPARE(ui().tableWidgetServerThreads->rowCount(), 0);
    clickRow(0);
    QCOMPARE(requests.size(), 0);
    QVERIFY(rowButton(0)->isEnabled());
    QCOMPARE(rowButton(0)->text(), QStringLiteral("Start"));
    QVERIFY(!servers().at(0)->bStarted);
    QVERIFY(storedServer(1) == nullptr); // a record with no connection is not readable...
    QVERIFY(QFileInfo::exists(recordPath(1)));  // ...but its file is kept
}

// The editor adds a server, modifies it (counter reset included) and the question deletes it.
void tst_MainWindowServers::addModifyDeleteThroughTheDialogs()
{
    makeWindow();
    window->show();
    QTableWidget *table = ui().tableWidgetServers;
    ModalAnswerer answerer;
    QString seenTitle;
    answerer.handleNext([&seenTitle](QWidget *dialog) {
        seenTitle = dialog->windowTitle();
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"))->setText(QStringLiteral("news.example"));
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerNickname"))->setText(QStringLiteral("example"));
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditPort"))->setText(QStringLiteral("119"));
        dialog->findChild<QComboBox *>(QStringLiteral("comboBoxNbConnections"))->setCurrentText(QStringLiteral("4"));
        dialog->findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
    });
    ui().pushButtonAddServer->click();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(seenTitle, QStringLiteral("Configuration of a new server"));
    QCOMPARE(servers().size(), 1);
    NntpServer *server = servers().first();
    QCOMPARE(server->iId, 1);
    QCOMPARE(server->strHost, QStringLiteral("news.example"));
    QCOMPARE(server->iConnectionCount, 4);
    QVERIFY(storedServer(1));
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral(" example "));
    QCOMPARE(rowButton(0)->text(), QStringLiteral("Start"));
    QVERIFY(ui().labelClickOnStartBtnToBegin->isVisible());

    // Cancelling the add dialog changes nothing.
    answerer.rejectNext();
    ui().pushButtonAddServer->click();
    QCOMPARE(servers().size(), 1);

    // Modify: the editor opens filled; the new nickname and a counter reset are kept.
    server->uiBytesDownloaded = 5 * 1024 * 1024;
    server->histoNbBytes.iCount = qint64(server->uiBytesDownloaded);
    window->slotCurrentSpeedDownload();
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral(" 5 MiB "));
    table->selectRow(0);
    QString shownHost;
    QPointer<QWidget> editor;
    answerer.handleNext([&shownHost, &editor](QWidget *dialog) {
        editor = dialog;
        shownHost = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"))->text();
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerNickname"))->setText(QStringLiteral("renamed"));
        QMetaObject::invokeMethod(dialog, "slotResetCounter", Qt::QueuedConnection);
    });
    // The reset question, then the editor's Ok.
    answerer.handleNext([&editor](QWidget *box) {
        qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
        QTimer::singleShot(0, editor, [&editor] {
            editor->findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
        });
    });
    table->cellDoubleClicked(0, 2);
    QCOMPARE(shownHost, QStringLiteral("news.example"));
    QCOMPARE(server->strNickname, QStringLiteral("renamed"));
    QCOMPARE(server->iId, 1);
    QCOMPARE(server->uiBytesDownloaded, quint64(0));
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral(" renamed "));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral(" 0 KiB "));
    QCOMPARE(storedServer(1)->strNickname, QStringLiteral("renamed"));

    // Delete: No keeps it; Ok removes server, row and files, and the hint goes with the last one.
    answerer.pressNext(QMessageBox::No);
    ui().pushButtonDeleteServer->click();
    QCOMPARE(servers().size(), 1);
    QCOMPARE(answerer.seen().last().informativeText, QStringLiteral("Remove the server 'renamed'?"));
    QCOMPARE(answerer.seen().last().title, AppVersion::displayName());
    QCOMPARE(answerer.seen().last().defaultButton, QMessageBox::No);
    answerer.pressNext(QMessageBox::Ok);
    ui().pushButtonDeleteServer->click();
    QCOMPARE(servers().size(), 0);
    QCOMPARE(table->rowCount(), 0);
    QVERIFY(!QFileInfo::exists(recordPath(1)));
    QVERIFY(!ui().labelClickOnStartBtnToBegin->isVisible());
}

// A record file that could not be read keeps its id: a new server never overwrites it.
void tst_MainWindowServers::newIdsSkipRecordFilesOnDisk()
{
    servers().append(makeServer(1, QStringLiteral("one"), 119, 1));
    NntpServer unreadable;
    unreadable.iId = 12;
    unreadable.iPort = 0; // refused when the records are loaded
    const QByteArray content = ServersConfiguration::recordFileContent(unreadable);
    QVERIFY(writeFile(recordPath(12), content));
    QVERIFY(writeFile(recordPath(1) + QStringLiteral(".bak"), "x"));
    makeWindow();
    window->show();
    ModalAnswerer answerer;
    answerer.handleNext([](QWidget *dialog) {
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"))->setText(QStringLiteral("news.example"));
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerNickname"))->setText(QStringLiteral("example"));
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditPort"))->setText(QStringLiteral("119"));
        dialog->findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
    });
    ui().pushButtonAddServer->click();
    QCOMPARE(servers().size(), 2);
    QCOMPARE(servers().last()->iId, 13);
    QCOMPARE(readFile(recordPath(12)), content);
}

// Every way a server changes saves the records at once; a save that fails is told there and
// then, since the change is gone at the next start otherwise. Here the record file of the
// server with id 1 cannot be written (a folder is in its place), or the server's texts are too
// long for a record (stored before the editor bounded them).
void tst_MainWindowServers::failedSavesAreReported_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("detail");
    const QString blocked = QStringLiteral("Failed to write file %1");
    QTest::newRow("added with the editor") << "editor" << blocked;
    QTest::newRow("added by the wizard") << "wizard" << blocked;
    QTest::newRow("imported") << "import" << blocked;
    QTest::newRow("started") << "start" << blocked;
    QTest::newRow("started, texts too long") << "too long" << "The settings of server long are too long to be stored";
}

void tst_MainWindowServers::failedSavesAreReported()
{
    QFETCH(QString, change);
    QFETCH(QString, detail);
    if (change == QLatin1String("start") || change == QLatin1String("too long")) {
        // No connection: the start needs no news server.
        servers().append(makeServer(1, QStringLiteral("long"), 119, 0));
        if (change == QLatin1String("too long"))
            servers().first()->strLogin = QString(2100, QLatin1Char('l'));
    }
    if (change != QLatin1String("too long"))
        QVERIFY(QDir().mkpath(recordPath(1) + QStringLiteral("/in-the-way")));
    makeWindow();
    window->show();
    ModalAnswerer answerer;
    if (change == QLatin1String("editor")) {
        answerer.handleNext([](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"))->setText(QStringLiteral("news.example"));
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditServerNickname"))->setText(QStringLiteral("example"));
            dialog->findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
        });
    }
    answerer.pressNext(QMessageBox::Ok);
    if (change == QLatin1String("editor")) {
        ui().pushButtonAddServer->click();
    } else if (change == QLatin1String("wizard")) {
        DialogWizard *wizard = MainWindowTestAccess::dialogWizard(*window);
        wizard->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"))->setText(QStringLiteral("news.example"));
        emit wizard->accepted();
    } else if (change == QLatin1String("import")) {
        QList<NntpServer *> imported{makeServer(9, QStringLiteral("imported"), 119, 1)};
        window->slotAddNewServerFromImport(imported);
        qDeleteAll(imported);
    } else {
        clickRow(0);
    }
    const int expected = change == QLatin1String("editor") ? 2 : 1;
    QVERIFY(answerer.waitForAnswered(expected));
    const ModalAnswerer::Seen &box = answerer.seen().last();
    QCOMPARE(box.className, QStringLiteral("QMessageBox"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.text, QStringLiteral("The servers could not be saved: the changes will be lost when the program ends.\n\n")
                           + (detail.contains(QLatin1String("%1")) ? detail.arg(recordPath(1)) : detail));
    // The change holds for this run.
    QCOMPARE(servers().size(), 1);
    QCOMPARE(ui().tableWidgetServers->rowCount(), 1);
    QTest::qWait(50);
    QCOMPARE(answerer.answeredCount(), expected);
}

void tst_MainWindowServers::refusals_data()
{
    QTest::addColumn<bool>("select");
    QTest::addColumn<bool>("modify");
    QTest::addColumn<QString>("text");
    QTest::newRow("modify without selection") << false << true << "Please select a server to update in the list";
    QTest::newRow("delete without selection") << false << false << "Please select a server to delete in the list";
    QTest::newRow("modify a started server") << true << true << "Please stop the selected server before updating configuration";
    QTest::newRow("delete a started server") << true << false << "Please stop the selected server before deleting it";
}

void tst_MainWindowServers::refusals()
{
    QFETCH(bool, select);
    QFETCH(bool, modify);
    QFETCH(QString, text);
    servers().append(makeServer(1, QStringLiteral("started"), 119, 0, true));
    makeWindow();
    window->show();
    if (select)
        ui().tableWidgetServers->selectRow(0);
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    (modify ? ui().pushButtonModifyServer : ui().pushButtonDeleteServer)->click();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(answerer.seen().first().title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer.seen().first().text, text);
    QCOMPARE(answerer.seen().first().icon, QMessageBox::Warning);
    QCOMPARE(servers().size(), 1);
    QVERIFY(servers().first()->bStarted);
    QCOMPARE(ui().tableWidgetServers->rowCount(), 1);
}

// The usual port, or the one typed after the address; the address alone names the server.
void tst_MainWindowServers::wizardServer_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ssl");
    QTest::addColumn<bool>("authentication");
    QTest::addColumn<int>("port");
    QTest::newRow("plain, no log-in") << " news.example " << false << false << 119;
    QTest::newRow("TLS with log-in") << " news.example " << true << true << 563;
    QTest::newRow("port typed after the address") << "news.example:11119" << false << false << 11119;
    QTest::newRow("port typed, TLS") << " news.example:8563 " << true << false << 8563;
}

void tst_MainWindowServers::wizardServer()
{
    QFETCH(QString, typed);
    QFETCH(bool, ssl);
    QFETCH(bool, authentication);
    QFETCH(int, port);
    servers().append(makeServer(4, QStringLiteral("four"), 119, 1));
    makeWindow();
    DialogWizard *wizard = MainWindowTestAccess::dialogWizard(*window);
    wizard->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"))->setText(typed);
    wizard->findChild<QCheckBox *>(QStringLiteral("checkBoxServerSsl"))->setChecked(ssl);
    wizard->findChild<QCheckBox *>(QStringLiteral("checkBoxNeedUserNamePwd"))->setChecked(authentication);
    wizard->findChild<QLineEdit *>(QStringLiteral("lineEditLogin"))->setText(QStringLiteral(" user "));
    wizard->findChild<QLineEdit *>(QStringLiteral("lineEditPassword"))->setText(QStringLiteral(" secret"));
    emit wizard->accepted();
    QCOMPARE(servers().size(), 2);
    const NntpServer *server = servers().last();
    QCOMPARE(server->iId, 5);
    QCOMPARE(server->strHost, QStringLiteral("news.example"));
    QCOMPARE(server->strNickname, QStringLiteral("news.example"));
    QCOMPARE(server->iPort, port);
    QCOMPARE(server->bSsl, ssl);
    QCOMPARE(server->strLogin, authentication ? QStringLiteral("user") : QString());
    QCOMPARE(server->strPassword, authentication ? QStringLiteral(" secret") : QString());
    QVERIFY(!server->bStarted);
    QCOMPARE(ui().tableWidgetServers->rowCount(), 2);
    QCOMPARE(ui().tableWidgetServers->item(1, 1)->text(), QStringLiteral(" news.example "));
    QVERIFY(storedServer(5));
}

// Every report the manager relays shows in the connection's own row.
void tst_MainWindowServers::connectionStatuses()
{
    NntpTestServer news;
    QVERIFY(news.start());
    servers().append(makeServer(1, QStringLiteral("plain"), news.port(), 1));
    servers().append(makeServer(2, QStringLiteral("secure"), news.port(), 2));
    servers().last()->bSsl = true;
    makeWindow();
    window->show();
    clickRow(0);
    clickRow(1);
    QTableWidget *threads = ui().tableWidgetServerThreads;
    QCOMPARE(threads->rowCount(), 3);
    QCOMPARE(threads->item(1, 0)->text(), QStringLiteral(" secure "));
    QVERIFY(threads->item(0, 0)->icon().pixmap(16).toImage() == QIcon(":/images/unlock.png").pixmap(16).toImage());
    QVERIFY(threads->item(1, 0)->icon().pixmap(16).toImage() == QIcon(":/images/lock.png").pixmap(16).toImage());
    // Stop the connections so that only the reports below reach the rows.
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->pauseAllThreads(true);
    const quint32 id = MainWindowTestAccess::hashServerThreads(*window).value(2)->last();
    const int row = MainWindowTestAccess::hashThreadRows(*window).value(id);
    QCOMPARE(row, 2);
    NzbSegment segment;
    segment.setMessageId(QStringLiteral("part1@example"));
    const struct {
        std::function<void()> report;
        QString status;
    } reports[] = {
        {[&] { emit manager->signalDate(id); }, QStringLiteral(" Date")},
        {[&] { emit manager->signalCapabilities(id); }, QStringLiteral(" Capabilities")},
        {[&] { emit manager->signalHelp(id); }, QStringLiteral(" Help")},
        {[&] { emit manager->signalStat(QStringLiteral("x@y"), id); }, QStringLiteral(" Stat x@y")},
        {[&] { emit manager->signalSelectGroup(QStringLiteral("alt.test"), id); }, QStringLiteral(" Select group alt.test")},
        {[&] { emit manager->signalGetGroups(id); }, QStringLiteral(" Downloading Groups")},
        {[&] { emit manager->signalDisconnect(id); }, QStringLiteral(" Disconnecting from server")},
        {[&] { emit manager->signalConnect(id); }, QStringLiteral(" Connecting to server")},
        {[&] { emit manager->signalBody(QStringLiteral("part1@example"), id); }, QStringLiteral(" Downloading part1@example")},
        {[&] { emit manager->signalIdle(id); }, QStringLiteral(" Idle")},
        {[&] { emit manager->signalWorking(id); }, QStringLiteral(" Idle")},
        {[&] { emit manager->signalPaused(id); }, QStringLiteral(" Paused")},
        {[&] { emit manager->signalInfoSegmentIsMissing(id, &segment); },
         QStringLiteral(" Segment is missing on server: part1@example")},
        {[&] { emit manager->signalSegmentErrorConnect(id, &segment, QStringLiteral("Error: Authentication failed on server")); },
         QStringLiteral(" Error: Authentication failed on server")},
    };
    for (const auto &entry : reports) {
        entry.report();
        QCOMPARE(threads->item(row, 2)->text(), entry.status);
    }
    // Reports of an unknown connection reach no row.
    emit manager->signalIdle(999);
    emit manager->signalThreadCurrentSpeedBytesPerSec(999999, 999);
    for (int other = 0; other < row; ++other)
        QVERIFY(!threads->item(other, 2)->text().contains(QStringLiteral("Authentication")));
    QCOMPARE(threads->item(row, 2)->text(), QStringLiteral(" Error: Authentication failed on server"));
}

void tst_MainWindowServers::connectionRowKeepsTheLastError_data()
{
    QTest::addColumn<bool>("refusedPort");
    QTest::addColumn<int>("retryMs");
    QTest::addColumn<QString>("expectStatus"); // a pattern

    const QString at = QStringLiteral("next attempt at \\d\\d:\\d\\d:\\d\\d\\)$");
    const QString refusal = QStringLiteral("^ Error: Authentication failed/rejected \\(481\\): check the login and password of this server \\(");
    QTest::newRow("refused log-in, first failure") << false << 60000 << refusal + at;
    QTest::newRow("refused log-in, later failures") << false << 50
        << refusal + QStringLiteral("failed \\d+ times in a row, ") + at;
    QTest::newRow("refused port, later failures") << true << 50
        << QStringLiteral("^ Connection refused \\(failed \\d+ times in a row, ") + at;
}

// A connection that cannot connect or log in shows why in its row, with the time of its next
// attempt, until that attempt starts; each later failure shows it again, with the count, instead
// of the drop that ended the attempt.
void tst_MainWindowServers::connectionRowKeepsTheLastError()
{
    QFETCH(bool, refusedPort);
    QFETCH(int, retryMs);
    QFETCH(QString, expectStatus);

    NntpTestServer news;
    QVERIFY(news.start());
    news.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    NntpTestServer::ConnectionFaults refusing;
    refusing.refuseLogin = true;
    news.setDefaultConnectionFaults(refusing);
    quint16 port = news.port();
    if (refusedPort) {
        NntpTestServer gone;
        QVERIFY(gone.start());
        port = gone.port();
    }
    NntpServer *record = makeServer(1, QStringLiteral("news"), port, 1);
    record->strLogin = QStringLiteral("reader");
    record->strPassword = QStringLiteral("secret");
    servers().append(record);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    EngineWaits waits = EngineWaits().scaled(0.01);
    waits.failedConnectMs = retryMs;
    waits.maxFailedConnectMs = 2 * retryMs;
    manager->setEngineWaits(waits);
    makeWindow();
    window->show();
    QVERIFY(queueNzb(nzbOfGeneratedArticles(1, 1000, 40), QStringLiteral("waiting")));
    clickRow(0);
    QTableWidget *threads = ui().tableWidgetServerThreads;
    QCOMPARE(threads->rowCount(), 1);

    const QRegularExpression expected(expectStatus);
    QTRY_VERIFY2_WITH_TIMEOUT(expected.match(threads->item(0, 2)->text()).hasMatch(),
                              qPrintable(threads->item(0, 2)->text()), 20000);
    // Wider than the column at times: the tool tip holds it whole.
    QCOMPARE(threads->item(0, 2)->toolTip(), threads->item(0, 2)->text().trimmed());
    if (retryMs >= 60000) {
        // Nothing but the next attempt replaces it.
        const QString shown = threads->item(0, 2)->text();
        QTest::qWait(500);
        QCOMPARE(threads->item(0, 2)->text(), shown);
        QCOMPARE(news.connectionCount(), 1);
        WidgetPicture::save(threads, QStringLiteral("MainWindowServers_connection_refused_login"));
    }
}

void tst_MainWindowServers::connectionSpeeds_data()
{
    QTest::addColumn<quint64>("bytesPerSecond");
    QTest::addColumn<QString>("text");
    QTest::newRow("idle") << quint64(0) << "0 KiB/s";
    QTest::newRow("1.5 KiB/s cut to whole KiB") << quint64(1536) << "1 KiB/s";
    QTest::newRow("1.5 MiB/s") << quint64(1536 * 1024) << "1.5 MiB/s";
    QTest::newRow("exactly 1 MiB/s") << quint64(1024 * 1024) << "1 MiB/s";
    QTest::newRow("1500 KiB/s") << quint64(1500 * 1024) << "1.46 MiB/s";
}

void tst_MainWindowServers::connectionSpeeds()
{
    QFETCH(quint64, bytesPerSecond);
    QFETCH(QString, text);
    servers().append(makeServer(1, QStringLiteral("news"), 1, 1));
    makeWindow();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->pauseAllThreads(true);
    clickRow(0);
    const quint32 id = MainWindowTestAccess::hashServerThreads(*window).value(1)->first();
    emit manager->signalThreadCurrentSpeedBytesPerSec(bytesPerSecond, id);
    QCOMPARE(ui().tableWidgetServerThreads->item(0, 1)->text(), text);
}

// The pause/play button pauses every connection and resumes them; "Pause" pauses whatever the
// state was.
void tst_MainWindowServers::pauseAndResume()
{
    NntpTestServer news;
    QVERIFY(news.start());
    servers().append(makeServer(1, QStringLiteral("news"), news.port(), 2));
    makeWindow();
    window->show();
    clickRow(0);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QMenu &menu = MainWindowTestAccess::menuDelayedPause(*window);
    QCOMPARE(menu.actions().size(), 10);
    QCOMPARE(menu.actions().at(4)->text(), QStringLiteral("Pause for 1 hour"));
    QCOMPARE(menu.actions().at(9)->data().toInt(), 21600);
    QCOMPARE(ui().pushButtonDifferedPause->menu(), &menu);
    auto allPaused = [manager](bool paused) {
        for (const ThreadNntp *thread : qAsConst(manager->listThreads)) {
            if (thread->bPaused != paused)
                return false;
        }
        return true;
    };

    ui().pushButtonPausePlay->click();
    QVERIFY(MainWindowTestAccess::bPaused(*window));
    QVERIFY(allPaused(true));
    QCOMPARE(ui().pushButtonPausePlay->toolTip(), QStringLiteral("Start connections"));
    QCOMPARE(menu.actions().first()->font().weight(), 75);
    ui().pushButtonPausePlay->click();
    QVERIFY(!MainWindowTestAccess::bPaused(*window));
    QVERIFY(allPaused(false));
    QCOMPARE(ui().pushButtonPausePlay->toolTip(), QStringLiteral("Pause connections"));
    QCOMPARE(menu.actions().first()->font().weight(), 50);

    menu.actions().first()->trigger();
    QVERIFY(allPaused(true));
    menu.actions().first()->trigger();
    QVERIFY(MainWindowTestAccess::bPaused(*window));
    QVERIFY(allPaused(true));
    QVERIFY(!MainWindowTestAccess::timerDelayedPause(*window).isActive());
}

// A timed pause (shortened here) counts down, shows its time left in the paused rows, and
// resumes by itself with every entry in normal weight; the button ends it at once.
void tst_MainWindowServers::timedPauseResumesByItself()
{
    NntpTestServer news;
    QVERIFY(news.start());
    servers().append(makeServer(1, QStringLiteral("news"), news.port(), 1));
    makeWindow();
    window->show();
    clickRow(0);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QMenu &menu = MainWindowTestAccess::menuDelayedPause(*window);
    QAction *fiveMinutes = menu.actions().at(1);
    QAction *oneHour = menu.actions().at(4);

    oneHour->trigger();
    QVERIFY(MainWindowTestAccess::bPaused(*window));
    QCOMPARE(oneHour->font().weight(), 75);
    window->slotPausedTick();
    QVERIFY(MainWindowTestAccess::strPausedCountdown(*window) == QStringLiteral("01:00:00")
            || MainWindowTestAccess::strPausedCountdown(*window) == QStringLiteral("00:59:59"));
    const quint32 id = MainWindowTestAccess::hashServerThreads(*window).value(1)->first();
    emit manager->signalPaused(id);
    QVERIFY(ui().tableWidgetServerThreads->item(0, 2)->text().startsWith(
        QStringLiteral(" Paused - Delay before thread starts: ")));

    fiveMinutes->setData(2);
    fiveMinutes->trigger();
    QCOMPARE(fiveMinutes->font().weight(), 75);
    QCOMPARE(oneHour->font().weight(), 50);
    QVERIFY(manager->listThreads.first()->bPaused);
    QTRY_VERIFY_WITH_TIMEOUT(!MainWindowTestAccess::bPaused(*window), 15000);
    QVERIFY(!manager->listThreads.first()->bPaused);
    QVERIFY(MainWindowTestAccess::strPausedCountdown(*window).isEmpty());
    QVERIFY(!MainWindowTestAccess::timerDelayedPause(*window).isActive());
    for (QAction *action : menu.actions())
        QCOMPARE(action->font().weight(), 50);
    emit manager->signalPaused(id);
    QCOMPARE(ui().tableWidgetServerThreads->item(0, 2)->text(), QStringLiteral(" Paused"));

    // The button during a timed pause resumes at once.
    oneHour->trigger();
    ui().pushButtonPausePlay->click();
    QVERIFY(!MainWindowTestAccess::bPaused(*window));
    QVERIFY(!MainWindowTestAccess::timerDelayedPause(*window).isActive());
    QVERIFY(MainWindowTestAccess::strPausedCountdown(*window).isEmpty());
}

void tst_MainWindowServers::startingWhilePausedStartsPaused()
{
    servers().append(makeServer(1, QStringLiteral("news"), 1, 2));
    makeWindow();
    ui().pushButtonPausePlay->click();
    clickRow(0);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCOMPARE(manager->listThreads.size(), 2);
    for (const ThreadNntp *thread : qAsConst(manager->listThreads))
        QVERIFY(thread->bPaused);
}

// The engine paused everything (segment files cannot be written): the window shows the pause as
// its own and says why, without holding anything up.
void tst_MainWindowServers::downloadsPausedByTheEngine()
{
    makeWindow();
    window->show();
    emit DownloadNzbManager::getInstance()->signalDownloadsPaused(QStringLiteral("The Cache folder is gone"));
    QVERIFY(MainWindowTestAccess::bPaused(*window));
    QCOMPARE(ui().pushButtonPausePlay->toolTip(), QStringLiteral("Start connections"));
    QMessageBox *box = window->findChild<QMessageBox *>();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(box->text().contains(QStringLiteral("The Cache folder is gone")));
    QVERIFY(!QApplication::activeModalWidget());
    box->close();
    ui().pushButtonPausePlay->click();
    QVERIFY(!MainWindowTestAccess::bPaused(*window));
}

void tst_MainWindowServers::bandwidthShares_data()
{
    QTest::addColumn<int>("connections");
    QTest::addColumn<int>("sliderBefore");
    QTest::addColumn<int>("slider");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<quint64>("limit");
    QTest::addColumn<quint64>("share");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("sliderAfter");
    // Scale top: 1000 KiB/s, 1024000 bytes per second.
    QTest::newRow("slider at 2, four connections") << 4 << 4 << 2 << QString() << quint64(512000) << quint64(128000) << "" << 2;
    QTest::newRow("slider at 1") << 1 << 4 << 1 << QString() << quint64(256000) << quint64(256000) << "" << 1;
    QTest::newRow("slider at 3") << 2 << 4 << 3 << QString() << quint64(768000) << quint64(384000) << "" << 3;
    QTest::newRow("20 KiB/s typed, three connections") << 3 << 4 << -1 << "20" << quint64(20480) << quint64(15360) << "20" << 4;
    QTest::newRow("00150 typed") << 1 << 2 << -1 << "00150" << quint64(153600) << quint64(153600) << "150" << 2;
    QTest::newRow("0 typed, slider at 2") << 1 << 2 << -1 << "0" << quint64(0) << quint64(0) << "" << 4;
    QTest::newRow("field cleared, slider at 4") << 1 << 4 << -1 << "" << quint64(0) << quint64(0) << "" << 4;
    QTest::newRow("no connection") << 0 << 4 << 2 << QString() << quint64(512000) << quint64(0) << "" << 2;
}

void tst_MainWindowServers::bandwidthShares()
{
    QFETCH(int, connections);
    QFETCH(int, sliderBefore);
    QFETCH(int, slider);
    QFETCH(QString, typed);
    QFETCH(quint64, limit);
    QFETCH(quint64, share);
    QFETCH(QString, field);
    QFETCH(int, sliderAfter);
    AppConfiguration::getInstance()->autoDetectBandwidthLimit = false;
    AppConfiguration::getInstance()->autoSpeedLimit = 1000;
    servers().append(makeServer(1, QStringLiteral("news"), 1, qMax(connections, 1)));
    makeWindow();
    QCOMPARE(MainWindowTestAccess::uiMaxSpeed(*window), quint64(1024000));
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->pauseAllThreads(true);
    if (connections > 0)
        clickRow(0);
    ui().verticalSliderBandwidth->setValue(sliderBefore);
    if (slider > 0) {
        ui().verticalSliderBandwidth->setValue(slider);
        QCOMPARE(ui().verticalSliderBandwidth->toolTip(),
                 slider == 4 ? QStringLiteral("No bandwidth limiting") : QStringLiteral("Limit bandwidth: %1%").arg(slider * 25));
    } else {
        ui().lineEditManualLimitBandwidth->setText(typed);
        window->slotManualLimitBandwidthEditingFinished();
    }
    QCOMPARE(manager->uiBandwidthLimit, limit);
    for (const ThreadNntp *thread : qAsConst(manager->listThreads))
        QCOMPARE(thread->connection.speedLimit(), share);
    QCOMPARE(ui().lineEditManualLimitBandwidth->text().trimmed(), field);
    QCOMPARE(ui().verticalSliderBandwidth->value(), sliderAfter);
}

// A real download under a limit set by the slider or typed by hand: the bytes that arrive in
// five seconds stay within 20 % above the limit (a busy machine can only make it slower).
void tst_MainWindowServers::limitHoldsDuringADownload_data()
{
    QTest::addColumn<bool>("bySlider");
    QTest::newRow("slider at 25 %") << true;
    QTest::newRow("typed by hand") << false;
}

void tst_MainWindowServers::limitHoldsDuringADownload()
{
    QFETCH(bool, bySlider);
    const quint64 limit = 400 * 1024;
    AppConfiguration::getInstance()->autoDetectBandwidthLimit = false;
    AppConfiguration::getInstance()->autoSpeedLimit = 1600;
    NntpTestServer news;
    QVERIFY(news.start());
    servers().append(makeServer(1, QStringLiteral("news"), news.port(), 3));
    makeWindow();
    window->show();
    if (bySlider) {
        ui().verticalSliderBandwidth->setValue(1);
    } else {
        ui().lineEditManualLimitBandwidth->setText(QStringLiteral("400"));
        window->slotManualLimitBandwidthEditingFinished();
    }
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCOMPARE(manager->uiBandwidthLimit, limit);
    NzbFiles *nzb = queueNzb(nzbOfGeneratedArticles(200, 40000, bySlider ? 1000 : 3000), QStringLiteral("limited"));
    QVERIFY(nzb);
    clickRow(0);
    QTRY_VERIFY(nzb->getByteProgress().downloaded > 0);
    QTest::qWait(1000);
    const quint64 before = nzb->getByteProgress().downloaded;
    QElapsedTimer elapsed;
    elapsed.start();
    QTest::qWait(5000);
    const quint64 received = nzb->getByteProgress().downloaded - before;
    const double seconds = elapsed.elapsed() / 1000.0;
    const double rate = received / seconds;
    qInfo("received %llu bytes in %.2f s: %.0f bytes/s against a limit of %llu", received, seconds, rate, limit);
    QVERIFY2(rate <= limit * 1.2, qPrintable(QStringLiteral("%1 bytes/s").arg(rate)));
    QVERIFY(received > 0);
}

// The tick against a known queue: speeds, average, totals, time left, tool tip, chart.
void tst_MainWindowServers::statisticsTick()
{
    servers().append(makeServer(1, QStringLiteral("news"), 1, 1));
    servers().first()->uiBytesDownloaded = 2 * 1024 * 1024;
    makeWindow();
    const TotalSpeedHold hold;
    QVERIFY(hold.isHolding());
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QTableWidget *infos = ui().tableWidgetDownloadInfos;
    auto info = [infos](int row) { return infos->item(row, 1) ? infos->item(row, 1)->text() : QString(); };

    // Right after start: nothing yet.
    window->slotCurrentSpeedDownload();
    QCOMPARE(info(0), QStringLiteral("0 KiB/s"));
    QCOMPARE(info(1), QStringLiteral("0 KiB/s"));
    QCOMPARE(info(2), QStringLiteral("0 KiB (0%)"));
    QCOMPARE(info(4), QString());
    QCOMPARE(MainWindowTestAccess::trayIcon(*window)->toolTip(), QStringLiteral("Tessaquill+"));
    QCOMPARE(ui().tableWidgetServers->item(0, 2)->text(), QStringLiteral(" 2 MiB "));
    QVERIFY(MainWindowTestAccess::timerSpeed(*window).isActive());
    // The counter grows to its widest texts while the window is open: it stays on one line.
    QTableWidget *table = ui().tableWidgetServers;
    for (const quint64 bytes : {quint64(1048565) * 1024, quint64(1023) * 1024 * 1024 * 1024 + quint64(1013) * 1024 * 1024,
                                quint64(9999) * 1024 * 1024 * 1024 * 1024}) {
        servers().first()->uiBytesDownloaded = bytes;
        window->slotCurrentSpeedDownload();
        QVERIFY2(table->columnWidth(2) >= static_cast<QAbstractItemView *>(table)->sizeHintForColumn(2),
                 qPrintable(table->item(0, 2)->text()));
    }
    servers().first()->uiBytesDownloaded = 2 * 1024 * 1024;

    // A known queue: 30 MiB to download, 10 MiB there; a deleted NZB does not count.
    NzbFiles counted;
    counted.uiSizeToDownload = 30 * 1024 * 1024;
    counted.uiDownloaded = 10 * 1024 * 1024;
    NzbFiles deleted;
    deleted.bDeleted = true;
    deleted.uiSizeToDownload = 1000;
    manager->listNzbFiles.append(&counted);
    manager->listNzbFiles.append(&deleted);

    // Ten seconds at 300 KiB/s after a long idle time: average 100 KiB/s.
    manager->uiTotalSpeed = 300 * 1024;
    for (int i = 0; i < 10; ++i)
        window->slotCurrentSpeedDownload();
    QStandardItemModel *chart = MainWindowTestAccess::modelSpeedChart(*window);
    QCOMPARE(chart->data(chart->index(29, 1)).toULongLong(), quint64(300));
    QCOMPARE(chart->data(chart->index(20, 1)).toULongLong(), quint64(300));
    QCOMPARE(chart->data(chart->index(19, 1)).toULongLong(), quint64(0));
    QCOMPARE(info(0), QStringLiteral("300 KiB/s"));
    QCOMPARE(info(1), QStringLiteral("100 KiB/s"));
    QCOMPARE(info(2), QStringLiteral("10 MiB (33%)"));
    QCOMPARE(info(3), QStringLiteral("20 MiB"));
    // 20 MiB at 100 KiB/s: 204 s.
    QCOMPARE(info(4), QStringLiteral("00:03:24"));
    QCOMPARE(MainWindowTestAccess::trayIcon(*window)->toolTip(),
             QStringLiteral("Tessaquill+\r\nAvg Speed: 100 KiB/s\r\nTime: 00:03:24"));

    // One more tick: one more point, the oldest drops.
    manager->uiTotalSpeed = 1500 * 1024;
    window->slotCurrentSpeedDownload();
    QCOMPARE(chart->data(chart->index(29, 1)).toULongLong(), quint64(1500));
    QCOMPARE(chart->data(chart->index(28, 1)).toULongLong(), quint64(300));
    QCOMPARE(chart->data(chart->index(19, 1)).toULongLong(), quint64(300));
    QCOMPARE(info(0), QStringLiteral("1.46 MiB/s"));

    // The three newest samples at 0: no average, no time left, a bare tray tool tip.
    manager->uiTotalSpeed = 0;
    for (int i = 0; i < 3; ++i)
        window->slotCurrentSpeedDownload();
    QCOMPARE(info(1), QStringLiteral("0 KiB/s"));
    QCOMPARE(info(4), QString());
    QCOMPARE(MainWindowTestAccess::trayIcon(*window)->toolTip(), QStringLiteral("Tessaquill+"));

    // More downloaded than announced: above 100 %, nothing left.
    counted.uiDownloaded = 31 * 1024 * 1024;
    window->slotCurrentSpeedDownload();
    QCOMPARE(info(2), QStringLiteral("31 MiB (103%)"));
    QCOMPARE(info(3), QStringLiteral("0 KiB"));
    manager->listNzbFiles.removeAll(&counted);
    manager->listNzbFiles.removeAll(&deleted);

    // With automatic detection the scale top is the fastest speed measured.
    QCOMPARE(MainWindowTestAccess::uiMaxSpeed(*window), quint64(1500 * 1024));
    QVERIFY(ui().verticalSliderBandwidth->isEnabled());
}

void tst_MainWindowServers::remainingTimeTexts_data()
{
    QTest::addColumn<quint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("59 seconds") << quint64(59) << " < 1 minute";
    QTest::newRow("61 seconds") << quint64(61) << "00:01:01";
    QTest::newRow("1 h 5 min 9 s") << quint64(3909) << "01:05:09";
    QTest::newRow("100 hours") << quint64(360000) << "100:00:00";
}

void tst_MainWindowServers::remainingTimeTexts()
{
    QFETCH(quint64, seconds);
    QFETCH(QString, text);
    makeWindow();
    const TotalSpeedHold hold;
    QVERIFY(hold.isHolding());
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    // 30 samples of 30 KiB/s: the average is exactly 30 KiB/s.
    manager->uiTotalSpeed = 30 * 1024;
    for (int i = 0; i < 30; ++i)
        window->slotCurrentSpeedDownload();
    NzbFiles nzb;
    nzb.uiSizeToDownload = seconds * 30 * 1024;
    manager->listNzbFiles.append(&nzb);
    window->slotCurrentSpeedDownload();
    manager->listNzbFiles.removeAll(&nzb);
    QCOMPARE(ui().tableWidgetDownloadInfos->item(4, 1)->text(), text);
}

// Pictures of both tables while two servers download.
void tst_MainWindowServers::picturesDuringADownload()
{
    NntpTestServer first;
    NntpTestServer second;
    NntpTestServer::ConnectionFaults slow;
    slow.throttleBytesPerSecond = 60000;
    for (NntpTestServer *news : {&first, &second}) {
        QVERIFY(news->start());
        news->setDefaultConnectionFaults(slow);
    }
    servers().append(makeServer(1, QStringLiteral("news.first"), first.port(), 2));
    servers().append(makeServer(2, QStringLiteral("news.second"), second.port(), 1));
    servers().last()->bSsl = false;
    makeWindow();
    window->show();
    NzbFiles *nzb = queueNzb(nzbOfGeneratedArticles(12, 120000, 500), QStringLiteral("pictured"));
    QVERIFY(nzb);
    clickRow(0);
    clickRow(1);
    QTableWidget *threads = ui().tableWidgetServerThreads;
    QTRY_VERIFY_WITH_TIMEOUT(threads->item(0, 2)->text().startsWith(QStringLiteral(" Downloading "))
                                 && threads->item(2, 2)->text().startsWith(QStringLiteral(" Downloading ")),
                             15000);
    QTRY_VERIFY_WITH_TIMEOUT(threads->item(0, 1)->text().endsWith(QStringLiteral("/s"))
                                 && threads->item(0, 1)->text() != QStringLiteral("0 KiB/s"),
                             15000);
    QTest::qWait(2500);
    // The tick's totals are those of the download under way.
    window->slotCurrentSpeedDownload();
    const NzbFiles::ByteProgress progress = nzb->getByteProgress();
    const quint64 downloaded = progress.downloaded;
    const quint64 size = progress.sizeToDownload;
    QVERIFY(downloaded > 0 && downloaded < size);
    QTableWidget *infos = ui().tableWidgetDownloadInfos;
    QCOMPARE(infos->item(2, 1)->text(),
             window->formatSize(double(downloaded / 1024)) + QStringLiteral(" (%1%)").arg(downloaded * 100 / size));
    QCOMPARE(infos->item(3, 1)->text(), window->formatSize(double((size - downloaded) / 1024)));
    QVERIFY(infos->item(0, 1)->text().endsWith(QStringLiteral("/s")));
    QVERIFY(infos->item(1, 1)->text() != QStringLiteral("0 KiB/s"));
    QVERIFY(!infos->item(4, 1)->text().isEmpty());
    QVERIFY(!WidgetPicture::save(ui().tableWidgetServers, QStringLiteral("MainWindow_servers")).isEmpty());
    QVERIFY(!WidgetPicture::save(threads, QStringLiteral("MainWindow_connections")).isEmpty());
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindow_downloading")).isEmpty());
}

QTEST_MAIN(tst_MainWindowServers)
#include "tst_MainWindowServers.moc"
