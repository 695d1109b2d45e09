#include "dialogs/DialogImportExportServers.h"
#include "dialogs/ServersImportExport.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "model/NntpServer.h"

#include "FileSizeLimit.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "ServersTestSupport.h"
#include "WidgetPicture.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QListWidget *checkListOf(QWidget *window)
{
    return window->findChild<QListWidget *>(QStringLiteral("listWidgetServers"));
}

QString fieldText(QWidget *window, const char *name)
{
    return window->findChild<QLineEdit *>(QLatin1String(name))->text();
}

void pressOk(QWidget *window)
{
    window->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
        ->button(QDialogButtonBox::Ok)
        ->click();
}

// Unticks the given rows of the check list, then presses Ok.
std::function<void(QWidget *)> untickAndAccept(const QList<int> &rows)
{
    return [rows](QWidget *window) {
        QListWidget *list = checkListOf(window);
        for (int row : rows)
            list->item(row)->setCheckState(Qt::Unchecked);
        pressOk(window);
    };
}

// A servers file of `count` servers whose number of connections breaks the bounds, then one
// server that keeps them.
bool writeServersBeyondTheBounds(const QString &path, int count)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<Servers>\n";
    xml.reserve(count * 120 + 200);
    for (int i = 1; i <= count; ++i) {
        xml += "<Server><Id>" + QByteArray::number(i) + "</Id><ServerAddress>news" + QByteArray::number(i)
               + ".example</ServerAddress><ServerPort>119</ServerPort><ServerNbConnections>4294967295"
                 "</ServerNbConnections><Nickname>n" + QByteArray::number(i) + "</Nickname></Server>\n";
    }
    xml += "<Server><Id>0</Id><ServerAddress>news.ok.example</ServerAddress><ServerNbConnections>4"
           "</ServerNbConnections><Nickname>ok</Nickname></Server>\n</Servers>\n";
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size() && file.flush();
}

QList<NntpServer *> &configuredServers()
{
    return AppConfiguration::getInstance()->serversConfiguration.listServers;
}

} // namespace

class tst_DialogImportExportServers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void form();
    void checkListShowsEveryServer_data();
    void checkListShowsEveryServer();
    void currentRowFillsTheFields();

    void importCancelledAtTheFileChooser();
    void unreadableFileNamesItsFormat_data();
    void unreadableFileNamesItsFormat();
    void importHandsTheTickedServersOver();
    void importWithNothingTicked();
    void importCancelledAtTheCheckList();
    void importNotTakenIsNoSuccess();
    void olderFileWithoutConverterKeepsServersWithoutPassword();
    void importLeavesOutServersBeyondTheEditorsBounds();
    void importOfNothingButServersBeyondTheBounds();
    void boxOfServersLeftOutIsBounded_data();
    void boxOfServersLeftOutIsBounded();
    void fileOfMoreServersThanTakenIsRefused_data();
    void fileOfMoreServersThanTakenIsRefused();

    void exportCancelledAtTheFileChooser();
    void exportWritesTheTickedServers();
    void exportReplacesAnEarlierFile();
    void exportWithNothingToWrite_data();
    void exportWithNothingToWrite();
    void exportFailures_data();
    void exportFailures();
    void exportIsReadableByTheUserAlone_data();
    void exportIsReadableByTheUserAlone();

private:
    // Runs the import of `file`; the check list is answered by `checkList`, the box after it
    // by Ok, the hand-over answers `accepted`. Returns the servers handed over (deleted by
    // then: descriptions only).
    QStringList runImport(const QString &file, const std::function<void(QWidget *)> &checkList,
                          bool accepted = true);
    // Runs the import of `file` past the box of the servers left out (Ok), through the check
    // list (`rows` gets its row count; Ok) to the box of its end; the servers handed over.
    QStringList runImportPastTheLeftOut(const QString &file, int &rows);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QWidget> window;
    QDialog *settings = nullptr;
    ModalAnswerer *answerer = nullptr;
    int handOvers = 0;
    QList<QPointer<NntpServer>> handedOver;
};

QStringList tst_DialogImportExportServers::runImportPastTheLeftOut(const QString &file, int &rows)
{
    answerer->chooseFileNext(file);
    answerer->pressNext(QMessageBox::Ok); // the servers left out
    answerer->handleNext([&rows](QWidget *checkList) {
        rows = checkListOf(checkList)->count();
        pressOk(checkList);
    });
    answerer->acceptNext();
    QStringList received;
    ServersImportExport::importServers(settings, [&](const QList<NntpServer *> &servers) {
        ++handOvers;
        received = describe(servers);
        return true;
    });
    return received;
}

void tst_DialogImportExportServers::initTestCase()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_DialogImportExportServers::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    // The main window and its settings dialog, as the two flows find them.
    window = std::make_unique<QWidget>();
    window->setObjectName(QStringLiteral("MainWindow"));
    settings = new QDialog(window.get());
    settings->setObjectName(QStringLiteral("DialogSettings"));
    answerer = new ModalAnswerer(window.get());
    handOvers = 0;
    handedOver.clear();
}

void tst_DialogImportExportServers::cleanup()
{
    qDeleteAll(configuredServers());
    configuredServers().clear();
    window.reset();
    dir.reset();
    home.reset();
}

void tst_DialogImportExportServers::form()
{
    DialogImportExportServers dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("DialogImportExportServers"));
    QCOMPARE(dialog.size(), QSize(573, 462));
    QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Import / Export Servers"));
    QVERIFY(!dialog.windowIcon().isNull());
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelSelectServers"))->text(),
             QStringLiteral("Select Servers to import / export"));
    QListWidget *list = checkListOf(&dialog);
    QCOMPARE(list->font().pointSize(), 8);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(list->wordWrap());
    QVERIFY(!list->showDropIndicator());
    auto *group = dialog.findChild<QGroupBox *>(QStringLiteral("groupBox"));
    QCOMPARE(group->title(), QStringLiteral("Server informations"));
    QCOMPARE(group->minimumHeight(), 151);
    QCOMPARE(group->maximumHeight(), 151);
    for (const char *name : {"lineEditServerAddress", "lineEditServerPort",
                             "lineEditServerNbConnections", "lineEditServerLogin"}) {
        auto *field = dialog.findChild<QLineEdit *>(QLatin1String(name));
        QVERIFY2(field && field->parentWidget() == group, name);
        QCOMPARE(field->maximumHeight(), 20);
        QVERIFY(field->styleSheet().contains(QLatin1String("border-radius: 10px")));
    }
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
}

void tst_DialogImportExportServers::checkListShowsEveryServer_data()
{
    QTest::addColumn<bool>("import");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label");

    QTest::newRow("import") << true << "Import Servers" << "Select Servers to import";
    QTest::newRow("export") << false << "Export Servers" << "Select Servers to export";
}

void tst_DialogImportExportServers::checkListShowsEveryServer()
{
    QFETCH(bool, import);
    QFETCH(QString, title);
    QFETCH(QString, label);

    std::unique_ptr<NntpServer> first(newServer(1, "news.a.example", 119, 4, "ann", "pw-a", "A"));
    std::unique_ptr<NntpServer> second(newServer(1, "news.b.example", 563, 20, "bob", "pw-b", "B"));
    std::unique_ptr<NntpServer> third(newServer(2, "news.c.example", 443, 1, "", "", "C"));
    DialogImportExportServers dialog;
    dialog.init({first.get(), second.get(), third.get()}, import);

    QCOMPARE(dialog.windowTitle(), title);
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("labelSelectServers"))->text(), label);
    QListWidget *list = checkListOf(&dialog);
    QCOMPARE(list->count(), 3);
    for (int row = 0; row < 3; ++row) {
        QListWidgetItem *item = list->item(row);
        QCOMPARE(item->text(), QString(QChar('A' + row)));
        QVERIFY(item->flags() & Qt::ItemIsUserCheckable);
        QCOMPARE(item->checkState(), Qt::Checked);
        QVERIFY(!item->icon().isNull());
    }
    QCOMPARE(dialog.checkedServers(), (QList<NntpServer *>{first.get(), second.get(), third.get()}));
    list->setCurrentRow(1);
    list->item(2)->setCheckState(Qt::Unchecked);
    WidgetPicture::save(&dialog, import ? QStringLiteral("DialogImportExportServers")
                                        : QStringLiteral("DialogImportExportServers_export"));
    list->item(2)->setCheckState(Qt::Checked);
    list->item(1)->setCheckState(Qt::Unchecked);
    QCOMPARE(dialog.checkedServers(), (QList<NntpServer *>{first.get(), third.get()}));
    list->item(0)->setCheckState(Qt::Unchecked);
    list->item(2)->setCheckState(Qt::Unchecked);
    QVERIFY(dialog.checkedServers().isEmpty());
}

void tst_DialogImportExportServers::currentRowFillsTheFields()
{
    // Two servers share an id: each row stands for its own server.
    std::unique_ptr<NntpServer> first(newServer(0, "news.a.example", 119, 4, "ann", "secret-a", "A"));
    std::unique_ptr<NntpServer> second(newServer(0, "news.b.example", 563, 20, "bob", "secret-b", "B"));
    DialogImportExportServers dialog;
    dialog.init({first.get(), second.get()}, true);
    dialog.show();

    checkListOf(&dialog)->setCurrentRow(1);
    QCOMPARE(fieldText(&dialog, "lineEditServerAddress"), QStringLiteral("news.b.example"));
    QCOMPARE(fieldText(&dialog, "lineEditServerPort"), QStringLiteral("563"));
    QCOMPARE(fieldText(&dialog, "lineEditServerNbConnections"), QStringLiteral("20"));
    QCOMPARE(fieldText(&dialog, "lineEditServerLogin"), QStringLiteral("bob"));
    checkListOf(&dialog)->setCurrentRow(0);
    QCOMPARE(fieldText(&dialog, "lineEditServerAddress"), QStringLiteral("news.a.example"));
    QCOMPARE(fieldText(&dialog, "lineEditServerLogin"), QStringLiteral("ann"));

    // No current row: the fields keep their texts. The password is shown nowhere.
    checkListOf(&dialog)->clearSelection();
    QCOMPARE(fieldText(&dialog, "lineEditServerAddress"), QStringLiteral("news.a.example"));
    for (const QLineEdit *field : dialog.findChildren<QLineEdit *>())
        QVERIFY(!field->text().contains(QLatin1String("secret")));
}

QStringList tst_DialogImportExportServers::runImport(const QString &file,
                                                     const std::function<void(QWidget *)> &checkList,
                                                     bool accepted)
{
    answerer->chooseFileNext(file);
    answerer->handleNext(checkList);
    answerer->acceptNext();
    QStringList received;
    ServersImportExport::importServers(settings, [&](const QList<NntpServer *> &servers) {
        ++handOvers;
        received = describe(servers);
        for (NntpServer *server : servers)
            handedOver << server;
        return accepted;
    });
    return received;
}

void tst_DialogImportExportServers::importCancelledAtTheFileChooser()
{
    answerer->handleNext([](QWidget *chooser) {
        auto *fileDialog = qobject_cast<QFileDialog *>(chooser);
        QVERIFY(fileDialog);
        QCOMPARE(fileDialog->windowTitle(), QStringLiteral("Open a Tessaquill+ Servers file"));
        QCOMPARE(fileDialog->nameFilters(),
                 (QStringList{"Tessaquill+ Servers (*.tvp)", "Tessaquill 0.8.x Servers (*.tvs)"}));
        QCOMPARE(fileDialog->acceptMode(), QFileDialog::AcceptOpen);
        fileDialog->reject();
    });
    ServersImportExport::importServers(settings, [&](const QList<NntpServer *> &) {
        ++handOvers;
        return true;
    });
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(handOvers, 0);
}

void tst_DialogImportExportServers::unreadableFileNamesItsFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    const QString older = "An error occured while importing the Tessaquill 0.8.x Servers file";
    const QString current = "An error occured while importing the Tessaquill+ Servers file";
    QTest::newRow("tvs in capitals") << "servers.TVS" << older;
    QTest::newRow("tvs in mixed case") << "servers.Tvs" << older;
    QTest::newRow("tvs") << "servers.tvs" << older;
    QTest::newRow("tvp") << "servers.tvp" << current;
    QTest::newRow("other suffix") << "servers.xml" << current;
    QTest::newRow("no suffix") << "servers" << current;
}

void tst_DialogImportExportServers::unreadableFileNamesItsFormat()
{
    QFETCH(QString, name);
    QFETCH(QString, message);

    const QString path = dir->filePath(name);
    QVERIFY(QFile::copy(serversFixture(QStringLiteral("not-xml.tvp")), path));
    answerer->chooseFileNext(path);
    QWidget *boxParent = nullptr;
    answerer->handleNext([&boxParent](QWidget *box) {
        boxParent = box->parentWidget();
        qobject_cast<QMessageBox *>(box)->button(QMessageBox::Ok)->click();
    });
    ServersImportExport::importServers(settings, [&](const QList<NntpServer *> &) {
        ++handOvers;
        return true;
    });

    QCOMPARE(answerer->answeredCount(), 2); // no check list
    const ModalAnswerer::Seen &box = answerer->seen().at(1);
    QCOMPARE(box.className, QStringLiteral("QMessageBox"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    // Then why: this file is no XML at all.
    QCOMPARE(box.text, message + QStringLiteral("\nIt is not a servers file: Start tag expected. (line 1, column 1)."));
    QCOMPARE(boxParent, window.get());
    QCOMPARE(handOvers, 0);
}

void tst_DialogImportExportServers::importHandsTheTickedServersOver()
{
    // Three servers without ids: the rows ticked decide, and each row shows its own server.
    QString shownAddress;
    QWidget *checkListParent = nullptr;
    Qt::WindowType checkListType = Qt::Widget;
    const QStringList received = runImport(
        serversFixture(QStringLiteral("no-ids.tvp")),
        [&](QWidget *checkList) {
            checkListParent = checkList->parentWidget();
            checkListType = checkList->windowType();
            QCOMPARE(checkList->windowTitle(), QStringLiteral("Import Servers"));
            checkListOf(checkList)->setCurrentRow(2);
            shownAddress = fieldText(checkList, "lineEditServerAddress");
            untickAndAccept({0})(checkList);
        });

    QCOMPARE(answerer->answeredCount(), 3);
    QCOMPARE(received, (QStringList{"0|b.example|119|1|||b|plain", "0|c.example|119|1|||c|plain"}));
    QCOMPARE(handOvers, 1);
    QCOMPARE(shownAddress, QStringLiteral("c.example"));
    QCOMPARE(checkListParent, settings);
    QCOMPARE(checkListType, Qt::Sheet);
    const ModalAnswerer::Seen &box = answerer->seen().at(2);
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.text, QStringLiteral("Servers successfully imported."));
    // The records read are gone once the import is over: the main window made its copies.
    for (const QPointer<NntpServer> &server : qAsConst(handedOver))
        QVERIFY(server.isNull());
}

void tst_DialogImportExportServers::importWithNothingTicked()
{
    runImport(serversFixture(QStringLiteral("no-ids.tvp")), untickAndAccept({0, 1, 2}));
    QCOMPARE(answerer->answeredCount(), 3);
    QCOMPARE(handOvers, 0);
    QCOMPARE(answerer->seen().at(2).icon, QMessageBox::Information);
    QCOMPARE(answerer->seen().at(2).text,
             QStringLiteral("You must select at least one server to import."));
}

void tst_DialogImportExportServers::importCancelledAtTheCheckList()
{
    QList<QPointer<NntpServer>> read;
    answerer->chooseFileNext(serversFixture(QStringLiteral("no-ids.tvp")));
    answerer->handleNext([&read](QWidget *checkList) {
        for (NntpServer *server :
             qobject_cast<DialogImportExportServers *>(checkList)->checkedServers())
            read << server;
        qobject_cast<QDialog *>(checkList)->reject();
    });
    ServersImportExport::importServers(settings, [&](const QList<NntpServer *> &) {
        ++handOvers;
        return true;
    });
    QCOMPARE(answerer->answeredCount(), 2);
    QCOMPARE(handOvers, 0);
    QCOMPARE(read.size(), 3);
    for (const QPointer<NntpServer> &server : qAsConst(read))
        QVERIFY(server.isNull());
}

void tst_DialogImportExportServers::importNotTakenIsNoSuccess()
{
    runImport(serversFixture(QStringLiteral("no-ids.tvp")), untickAndAccept({}), false);
    QCOMPARE(answerer->answeredCount(), 3);
    QCOMPARE(handOvers, 1);
    QCOMPARE(answerer->seen().at(2).icon, QMessageBox::Critical);
    QCOMPARE(answerer->seen().at(2).text, QStringLiteral("The servers could not be added."));
}

void tst_DialogImportExportServers::olderFileWithoutConverterKeepsServersWithoutPassword()
{
    // No converter is shipped: the program's folder has none, so only the server without a
    // password can be imported from an older file.
    int rows = -1;
    const QStringList received = runImport(
        serversFixture(QStringLiteral("older.tvs")),
        [&rows](QWidget *checkList) {
            rows = checkListOf(checkList)->count();
            pressOk(checkList);
        });
    QCOMPARE(answerer->answeredCount(), 3);
    QCOMPARE(rows, 1);
    QCOMPARE(received, QStringList{"2|news.second.example|563|8|||no password|ssl"});
}

// What the server editor would refuse cannot come in through a file either (a server of 5000
// connections would start 5000 threads, and be dropped at the next start): each such server is
// named with the bound it breaks, and the others are imported.
void tst_DialogImportExportServers::importLeavesOutServersBeyondTheEditorsBounds()
{
    const QString longest(512, QLatin1Char('x'));
    QList<NntpServer *> written{
        newServer(1, "news.ok.example", 119, 4, "", "", "ok"),
        newServer(2, "news.far.example", 70000, 4, "", "", "far port"),
        newServer(3, "news.zero.example", 0, 4, "", "", "no port"),
        newServer(4, "news.many.example", 119, 5000, "", "", "many"),
        newServer(5, "news.none.example", 119, 0, "", "", "none"),
        newServer(6, "news.login.example", 119, 4, QString(513, QLatin1Char('l')), "pw", "long login"),
        newServer(7, "news.password.example", 119, 4, "user", QString(513, QLatin1Char('p')), "long password"),
        newServer(8, "news.nonick.example", 119, 4, "", "", ""),
        newServer(9, "", 119, 4, "", "", ""),
        newServer(10, "news.nick.example", 119, 4, "", "", QString(257, QLatin1Char('n'))),
        newServer(11, longest, 65535, 100, longest, longest, QString(256, QLatin1Char('e'))),
        newServer(12, "news.huge.example", 119, -1, "", "", "huge")}; // written as 4294967295
    const QString path = dir->filePath(QStringLiteral("bounds.tvp"));
    QCOMPARE(DialogImportExportServers::saveServersFile(path, written), DialogImportExportServers::Saved);
    qDeleteAll(written);

    int rows = -1;
    const QStringList received = runImportPastTheLeftOut(path, rows);

    QCOMPARE(answerer->answeredCount(), 4);
    const ModalAnswerer::Seen &box = answerer->seen().at(1);
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.text, QStringLiteral("These servers are not imported:\n"
                                      "far port: port 70000 is not between 1 and 65535\n"
                                      "no port: port 0 is not between 1 and 65535\n"
                                      "many: number of connections 5000 is not between 1 and 100\n"
                                      "none: number of connections 0 is not between 1 and 100\n"
                                      "long login: login longer than 512 characters\n"
                                      "long password: password longer than 512 characters\n"
                                      "news.nonick.example: no nickname\n"
                                      "server 9 of the file: no server address\n")
                           + QString(60, QLatin1Char('n')) + QChar(0x2026)
                           + QStringLiteral(": nickname longer than 256 characters\n"
                                            "huge: number of connections 4294967295 is not between 1 and 100"));
    QCOMPARE(rows, 2);
    QCOMPARE(received, (QStringList{"1|news.ok.example|119|4|||ok|plain",
                                    QStringLiteral("11|%1|65535|100|%1|%1|%2|plain").arg(longest, QString(256, QLatin1Char('e')))}));
    QCOMPARE(answerer->seen().at(3).text, QStringLiteral("Servers successfully imported."));
}

void tst_DialogImportExportServers::importOfNothingButServersBeyondTheBounds()
{
    QList<NntpServer *> written{newServer(1, "news.far.example", 70000, 4, "", "", "far port")};
    const QString path = dir->filePath(QStringLiteral("far.tvp"));
    QCOMPARE(DialogImportExportServers::saveServersFile(path, written), DialogImportExportServers::Saved);
    qDeleteAll(written);
    answerer->chooseFileNext(path);
    answerer->pressNext(QMessageBox::Ok);
    ServersImportExport::importServers(settings, [&](const QList<NntpServer *> &) {
        ++handOvers;
        return true;
    });
    QCOMPARE(answerer->answeredCount(), 2); // no check list
    QCOMPARE(answerer->seen().at(1).text,
             QStringLiteral("These servers are not imported:\nfar port: port 70000 is not between 1 and 65535"));
    QCOMPARE(handOvers, 0);
}

void tst_DialogImportExportServers::boxOfServersLeftOutIsBounded_data()
{
    QTest::addColumn<int>("leftOut");
    QTest::newRow("one more than are named") << 11;
    QTest::newRow("as many as are taken from one file") << DialogImportExportServers::MaxServersInFile - 1;
}

// A servers file of countless servers that break the bounds: the box names the first ten, says
// how many more there are, and stays a box a person can read, whatever the file holds.
void tst_DialogImportExportServers::boxOfServersLeftOutIsBounded()
{
    QFETCH(int, leftOut);
    const QString path = dir->filePath(QStringLiteral("hostile.tvp"));
    QVERIFY(writeServersBeyondTheBounds(path, leftOut));

    int rows = -1;
    const QStringList received = runImportPastTheLeftOut(path, rows);

    QCOMPARE(answerer->answeredCount(), 4);
    const QString text = answerer->seen().at(1).text;
    QStringList expected{QStringLiteral("These servers are not imported:")};
    for (int i = 1; i <= 10; ++i)
        expected << QStringLiteral("n%1: number of connections 4294967295 is not between 1 and 100").arg(i);
    expected << QStringLiteral("and %1 more").arg(leftOut - 10);
    QCOMPARE(text.split(QLatin1Char('\n')), expected);
    QVERIFY2(text.size() < 1000, qPrintable(QString::number(text.size())));
    QCOMPARE(rows, 1);
    QCOMPARE(received, QStringList{"0|news.ok.example|119|4|||ok|plain"});
}

void tst_DialogImportExportServers::fileOfMoreServersThanTakenIsRefused_data()
{
    QTest::addColumn<int>("beyondTheBounds");
    QTest::addColumn<QString>("why");
    QTest::newRow("one more than are taken")
        << int(DialogImportExportServers::MaxServersInFile)
        << "The file holds more than 1000 servers; the program imports at most 1000 from one file.";
    // Some 37 MB: refused for its size before its servers are counted.
    QTest::newRow("a hostile file of 200,000") << 200000
                                               << "The file is larger than 16 MiB, more than any servers file takes.";
}

// The file is refused whole, with why, before any of its servers is checked or listed.
void tst_DialogImportExportServers::fileOfMoreServersThanTakenIsRefused()
{
    QFETCH(int, beyondTheBounds);
    QFETCH(QString, why);
    const QString path = dir->filePath(QStringLiteral("hostile.tvp"));
    QVERIFY(writeServersBeyondTheBounds(path, beyondTheBounds));
    answerer->chooseFileNext(path);
    answerer->pressNext(QMessageBox::Ok);
    ServersImportExport::importServers(settings, [&](const QList<NntpServer *> &) {
        ++handOvers;
        return true;
    });

    QCOMPARE(answerer->answeredCount(), 2); // no box of servers left out, no check list
    const ModalAnswerer::Seen &box = answerer->seen().at(1);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.text, QStringLiteral("An error occured while importing the Tessaquill+ Servers file\n") + why);
    QCOMPARE(handOvers, 0);
}

void tst_DialogImportExportServers::exportCancelledAtTheFileChooser()
{
    configuredServers() << newServer(1, "h", 119, 1, "", "", "n");
    answerer->handleNext([](QWidget *chooser) {
        auto *fileDialog = qobject_cast<QFileDialog *>(chooser);
        QVERIFY(fileDialog);
        QCOMPARE(fileDialog->windowTitle(),
                 QStringLiteral("Choose a Tessaquill+ file to export Servers"));
        QCOMPARE(fileDialog->nameFilters(), QStringList{"Tessaquill+ Servers (*.tvp)"});
        QCOMPARE(fileDialog->acceptMode(), QFileDialog::AcceptSave);
        fileDialog->reject();
    });
    ServersImportExport::exportServers(settings);
    QCOMPARE(answerer->answeredCount(), 1);
    QVERIFY(QDir(dir->path()).isEmpty());
}

void tst_DialogImportExportServers::exportWritesTheTickedServers()
{
    configuredServers() << newServer(1, "news.a.example", 119, 4, "ann", "a&b <c>", "A")
                        << newServer(2, "news.b.example", 563, 20, "bob", "pw", "B")
                        << newServer(3, "news.c.example", 443, 1, "", " ", "C");
    const QStringList before = describe(configuredServers());
    answerer->chooseFileNext(dir->filePath(QStringLiteral("my servers")));
    answerer->handleNext([](QWidget *checkList) {
        QCOMPARE(checkList->windowTitle(), QStringLiteral("Export Servers"));
        untickAndAccept({1})(checkList);
    });
    answerer->acceptNext();
    ServersImportExport::exportServers(settings);

    // A name without suffix gets ".tvp", as the chooser's filter says.
    const QString written = dir->filePath(QStringLiteral("my servers.tvp"));
    QCOMPARE(answerer->answeredCount(), 3);
    QCOMPARE(answerer->seen().at(2).icon, QMessageBox::Information);
    QCOMPARE(answerer->seen().at(2).text, QStringLiteral("Servers successfully exported to ") + written);
    QList<NntpServer *> read = DialogImportExportServers::readServersFile(written);
    QCOMPARE(describe(read), (QStringList{"1|news.a.example|119|4|ann|a&b <c>|A|plain",
                                          "3|news.c.example|443|1|| |C|plain"}));
    qDeleteAll(read);
    QCOMPARE(describe(configuredServers()), before);
}

void tst_DialogImportExportServers::exportReplacesAnEarlierFile()
{
    configuredServers() << newServer(5, "news.e.example", 119, 2, "", "", "E");
    const QString path = dir->filePath(QStringLiteral("servers.tvp"));
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write(QByteArray(4000, 'x'));
    earlier.close();

    answerer->chooseFileNext(path);
    answerer->pressNext(QMessageBox::Yes); // the chooser asks before replacing a file
    answerer->acceptNext();
    answerer->acceptNext();
    ServersImportExport::exportServers(settings);

    QCOMPARE(answerer->answeredCount(), 4);
    QCOMPARE(answerer->seen().at(3).text, QStringLiteral("Servers successfully exported to ") + path);
    QList<NntpServer *> read = DialogImportExportServers::readServersFile(path);
    QCOMPARE(describe(read), QStringList{"5|news.e.example|119|2|||E|plain"});
    qDeleteAll(read);
}

void tst_DialogImportExportServers::exportWithNothingToWrite_data()
{
    QTest::addColumn<int>("configured");
    QTest::addColumn<bool>("cancel");

    QTest::newRow("no server configured") << 0 << false;
    QTest::newRow("every row unticked") << 2 << false;
    QTest::newRow("check list cancelled") << 2 << true;
}

void tst_DialogImportExportServers::exportWithNothingToWrite()
{
    QFETCH(int, configured);
    QFETCH(bool, cancel);

    for (int id = 1; id <= configured; ++id)
        configuredServers() << newServer(id, "h", 119, 1, "", "", QString::number(id));
    const QString path = dir->filePath(QStringLiteral("servers.tvp"));
    int rows = -1;
    answerer->chooseFileNext(path);
    answerer->handleNext([&](QWidget *checkList) {
        QListWidget *list = checkListOf(checkList);
        rows = list->count();
        if (cancel) {
            qobject_cast<QDialog *>(checkList)->reject();
            return;
        }
        for (int row = 0; row < list->count(); ++row)
            list->item(row)->setCheckState(Qt::Unchecked);
        pressOk(checkList);
    });
    answerer->acceptNext();
    ServersImportExport::exportServers(settings);

    QCOMPARE(rows, configured);
    QVERIFY(!QFileInfo::exists(path));
    if (cancel) {
        QCOMPARE(answerer->answeredCount(), 2);
        return;
    }
    QCOMPARE(answerer->answeredCount(), 3);
    QCOMPARE(answerer->seen().at(2).icon, QMessageBox::Information);
    QCOMPARE(answerer->seen().at(2).text,
             QStringLiteral("You must select at least one server to export."));
}

void tst_DialogImportExportServers::exportFailures_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("diskFull");
    QTest::addColumn<QString>("message");

    QTest::newRow("below a regular file") << "file/servers.tvp" << false << "Failed to create file %1";
    QTest::newRow("disk full while writing") << "servers.tvp" << true << "Failed to write file %1";
}

void tst_DialogImportExportServers::exportFailures()
{
    QFETCH(QString, target);
    QFETCH(bool, diskFull);
    QFETCH(QString, message);

    for (int id = 1; id <= 30; ++id)
        configuredServers() << newServer(id, "news.example.com", 119, 4, "login", "password",
                                         QStringLiteral("server %1").arg(id));
    QFile file(dir->filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = dir->filePath(target);
    answerer->chooseFileNext(path);
    answerer->acceptNext();
    answerer->acceptNext();
    {
        std::unique_ptr<FileSizeLimit> limit;
        if (diskFull) {
            limit = std::make_unique<FileSizeLimit>(300);
            QVERIFY(limit->active);
        }
        ServersImportExport::exportServers(settings);
    }

    QCOMPARE(answerer->answeredCount(), 3);
    QCOMPARE(answerer->seen().at(2).icon, QMessageBox::Critical);
    QCOMPARE(answerer->seen().at(2).title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer->seen().at(2).text, message.arg(path));
    QVERIFY(!QFileInfo::exists(path));
}

// The file holds the passwords in clear: it is the user's alone, also when it replaces a file
// that every local user could read.
void tst_DialogImportExportServers::exportIsReadableByTheUserAlone_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("new file") << false;
    QTest::newRow("replacing a file all can read") << true;
}

void tst_DialogImportExportServers::exportIsReadableByTheUserAlone()
{
    QFETCH(bool, replace);
    configuredServers() << newServer(1, "news.a.example", 119, 4, "ann", "secret", "A");
    const QString path = dir->filePath(QStringLiteral("servers.tvp"));
    if (replace) {
        QFile earlier(path);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.close();
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                                | QFileDevice::ReadOther));
    }
    answerer->chooseFileNext(path);
    if (replace)
        answerer->pressNext(QMessageBox::Yes);
    answerer->acceptNext();
    answerer->acceptNext();
    ServersImportExport::exportServers(settings);

    QCOMPARE(answerer->seen().last().text, QStringLiteral("Servers successfully exported to ") + path);
    const QFileDevice::Permissions everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                              | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                              | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(QFile::permissions(path) & everyone, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

QTEST_MAIN(tst_DialogImportExportServers)
#include "tst_DialogImportExportServers.moc"
