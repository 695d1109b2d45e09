#include "dialogs/DialogSettings.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "dialogs/DialogImportExportServers.h"
#include "model/NntpServer.h"

#include "DialogTestSupport.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "ServersTestSupport.h"

#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Stands in for the main window: the settings dialog hands it the imported servers, and it
// keeps copies of them, as the main window adds copies to the configured servers.
class StandInMainWindow : public QWidget
{
    Q_OBJECT

public:
    ~StandInMainWindow() override { qDeleteAll(copies); }
    QList<NntpServer *> copies;
    QList<QPointer<NntpServer>> received;

public slots:
    void slotAddNewServerFromImport(QList<NntpServer *> servers)
    {
        for (NntpServer *server : servers) {
            received << server;
            auto *copy = new NntpServer;
            copy->copyRecordFieldsFrom(*server);
            copies << copy;
        }
    }
};

class tst_DialogSettingsServers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void init()
    {
        home = std::make_unique<GuiTestHome>();
        QVERIFY(home->isValid());
        resetConfiguration();
        QVERIFY(dir.isValid());
    }

    void cleanup()
    {
        QList<NntpServer *> &configured =
            AppConfiguration::getInstance()->serversConfiguration.listServers;
        qDeleteAll(configured);
        configured.clear();
        detachLogFile();
        home.reset();
    }

    void importButtonHandsServersToTheMainWindow()
    {
        StandInMainWindow window;
        DialogSettings dialog(&window);
        ModalAnswerer answerer;
        answerer.chooseFileNext(serversFixture(QStringLiteral("no-ids.tvp")));
        answerer.acceptNext(); // the check list, every row ticked
        QWidget *boxParent = nullptr;
        answerer.handleNext([&boxParent](QWidget *box) {
            boxParent = box->parentWidget();
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
        });
        dialog.findChild<QPushButton *>(QStringLiteral("PushButtonImportServers"))->click();

        QCOMPARE(answerer.answeredCount(), 3);
        QCOMPARE(answerer.seen().at(1).className, QStringLiteral("DialogImportExportServers"));
        QCOMPARE(answerer.seen().at(2).text, QStringLiteral("Servers successfully imported."));
        QCOMPARE(boxParent, &window);
        QCOMPARE(describe(window.copies),
                 (QStringList{"0|a.example|119|1|||a|plain", "0|b.example|119|1|||b|plain",
                              "0|c.example|119|1|||c|plain"}));
        // The records handed over were the import's own, and are gone now.
        QCOMPARE(window.received.size(), 3);
        for (const QPointer<NntpServer> &server : qAsConst(window.received))
            QVERIFY(server.isNull());
        // The settings dialog stores nothing itself.
        QVERIFY(AppConfiguration::getInstance()->serversConfiguration.listServers.isEmpty());
    }

    void importWithoutMainWindowIsNoSuccess()
    {
        QWidget window; // has no slot to take the servers
        DialogSettings dialog(&window);
        ModalAnswerer answerer;
        answerer.chooseFileNext(serversFixture(QStringLiteral("no-ids.tvp")));
        answerer.acceptNext();
        answerer.acceptNext();
        dialog.findChild<QPushButton *>(QStringLiteral("PushButtonImportServers"))->click();
        QCOMPARE(answerer.answeredCount(), 3);
        QCOMPARE(answerer.seen().at(2).icon, QMessageBox::Critical);
        QCOMPARE(answerer.seen().at(2).text, QStringLiteral("The servers could not be added."));
    }

    void exportButtonWritesTheConfiguredServers()
    {
        AppConfiguration::getInstance()->serversConfiguration.listServers
            << newServer(1, "news.a.example", 119, 4, "ann", "pw a", "A")
            << newServer(2, "news.b.example", 563, 8, "bob", "pw&b", "B", true);
        StandInMainWindow window;
        DialogSettings dialog(&window);
        ModalAnswerer answerer;
        const QString path = dir.filePath(QStringLiteral("servers.tvp"));
        answerer.chooseFileNext(path);
        answerer.acceptNext();
        answerer.acceptNext();
        dialog.findChild<QPushButton *>(QStringLiteral("PushButtonExportServers"))->click();

        QCOMPARE(answerer.answeredCount(), 3);
        QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Export Servers"));
        QCOMPARE(answerer.seen().at(2).text, QStringLiteral("Servers successfully exported to ") + path);
        QList<NntpServer *> read = DialogImportExportServers::readServersFile(path);
        QCOMPARE(describe(read), (QStringList{"1|news.a.example|119|4|ann|pw a|A|plain",
                                              "2|news.b.example|563|8|bob|pw&b|B|ssl"}));
        qDeleteAll(read);
        QVERIFY(window.copies.isEmpty());
    }

private:
    std::unique_ptr<GuiTestHome> home;
    QTemporaryDir dir;
};

QTEST_MAIN(tst_DialogSettingsServers)
#include "tst_DialogSettingsServers.moc"
