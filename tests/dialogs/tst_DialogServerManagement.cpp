#include "dialogs/DialogServerManagement.h"
#include "config/ServersConfiguration.h"
#include "dialogs/ThreadTestConnection.h"
#include "model/NntpServer.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "widgets/AppVersion.h"

#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "ShownImage.h"
#include "NntpTestServer.h"
#include "ServerEditorForm.h"
#include "WidgetPicture.h"

#include <QGroupBox>
#include <QHostAddress>
#include <QIntValidator>
#include <QTcpServer>
#include <QtTest>

Q_DECLARE_METATYPE(NntpTestServer::ConnectionFaults)

namespace {

using Faults = NntpTestServer::ConnectionFaults;

const int ShortTimeout = 1500;
const QString User = QStringLiteral("reader");
const QString Password = QStringLiteral("secret");
const QString Resting = QStringLiteral("Click on this button to test the connection");
const QString Success = QStringLiteral("You are successfully connected to the server!");
const QString Failure = QStringLiteral("An error occured while connecting to the server: %1");


// Waits, without running the event loop, until the test server has seen `count` connections end.
bool serverSawCloses(const NntpTestServer &server, int count)
{
    for (int attempt = 0; attempt < 1000; ++attempt) {
        int closes = 0;
        for (const NntpTestServer::Event &event : server.events())
            if (event.what == QLatin1String("close"))
                ++closes;
        if (closes >= count)
            return true;
        QThread::msleep(10);
    }
    return false;
}

// A server that accepts connections and never greets: a test against it waits until the server
// stops (or the connection's time-out).
bool startSilent(NntpTestServer &silent)
{
    if (!silent.start()) {
        qWarning("%s", qPrintable(silent.errorString()));
        return false;
    }
    NntpTestServer::ConnectionFaults stall;
    stall.greeting = NntpTestServer::Greeting::None;
    silent.setDefaultConnectionFaults(stall);
    return true;
}

quint16 refusedPort()
{
    QTcpServer holder;
    if (!holder.listen(QHostAddress::LocalHost, 0))
        return 0;
    const quint16 port = holder.serverPort();
    holder.close();
    return port;
}

} // namespace

class tst_DialogServerManagement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void formAsBuilt();
    void tabOrder();
    void fieldsGiveTheRecord_data();
    void fieldsGiveTheRecord();
    void nicknameDefaultsToAddress_data();
    void nicknameDefaultsToAddress();
    void portFieldTakesOnlyPorts_data();
    void portFieldTakesOnlyPorts();
    void portFinishedFallsBackToDefault_data();
    void portFinishedFallsBackToDefault();
    void refusals_data();
    void refusals();
    void refusedFieldsStartNoTest();
    void passwordBlanks_data();
    void passwordBlanks();
    void settersFillTheFields();
    void fieldsAtTheirBoundsAreStoredWhole();
    void longerStoredTextsAreKept_data();
    void longerStoredTextsAreKept();
    void connectionCountSetter_data();
    void connectionCountSetter();
    void counter_data();
    void counter();
    void counterReset_data();
    void counterReset();
    void returnPressesNoButton();

    void connectionTest_data();
    void connectionTest();
    void connectionTestToRefusedPort();
    void serverTextIsNotMarkup();
    void resultGoesWhenFieldsChange();
    void stalledTestLeavesDialogResponsive();
    void closingDuringTestNeitherBlocksNorCrashes();
    void resultOfInterruptedTestIsDropped();
    void newTestAfterInterruption();

private:
    NntpTestServer server;
    NntpTestServer tlsServer;
};

void tst_DialogServerManagement::initTestCase()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    QVERIFY2(server.start(), qPrintable(server.errorString()));
    QVERIFY2(tlsServer.start(true), qPrintable(tlsServer.errorString()));
}

void tst_DialogServerManagement::cleanupTestCase()
{
    server.stop();
    tlsServer.stop();
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
}

void tst_DialogServerManagement::init()
{
    for (NntpTestServer *each : {&server, &tlsServer}) {
        each->setCredentials(QString(), QString());
        each->setDefaultConnectionFaults(Faults());
        each->clearEvents();
    }
}

void tst_DialogServerManagement::cleanup()
{
    QVERIFY2(ServerEditorForm::waitForTestThreadsGone(), "a connection test thread outlived its test");
}

// ---------------------------------------------------------------------------------------
// The form

void tst_DialogServerManagement::formAsBuilt()
{
    ServerEditorForm form;
    DialogServerManagement &dialog = form.dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("DialogServerManagement"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Server Configuration"));
    QVERIFY(form.builtModal);
    QCOMPARE(dialog.size(), QSize(472, 500));
    QCOMPARE(dialog.minimumSize(), QSize(472, 500));
    QCOMPARE(dialog.maximumSize(), QSize(472, 500));
    QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
    QCOMPARE(dialog.font().pointSize(), 10);
    QVERIFY(showsImage(dialog.windowIcon(), QStringLiteral(":/images/server.png")));
    QCOMPARE(form.find<QGroupBox>(QStringLiteral("groupBoxGeneralSettings"))->title(),
             QStringLiteral("Server general settings"));
    QCOMPARE(form.find<QGroupBox>(QStringLiteral("groupBoxAuthentication"))->title(), QStringLiteral("Authentication"));

    struct Expected {
        const char *name;
        const char *className;
        QString text;
        QString toolTip;
        bool enabled;
    };
    const QList<Expected> widgets = {
        {"lineEditServerName", "QLineEdit", QString(), QStringLiteral("Server name or IP"), true},
        {"lineEditPort", "QLineEdit", QStringLiteral("119"), QStringLiteral("Server port"), true},
        {"comboBoxNbConnections", "QComboBox", QStringLiteral("1"), QStringLiteral("Number of connections"), true},
        {"lineEditServerNickname", "QLineEdit", QString(), QStringLiteral("Nickname of the server"), true},
        {"checkBoxAuthentication", "QCheckBox", QStringLiteral("The server requires authentication"),
         QStringLiteral("Authentication on the server"), true},
        {"lineEditLogin", "QLineEdit", QString(), QStringLiteral("Login"), false},
        {"lineEditPassword", "QLineEdit", QString(), QStringLiteral("Password"), false},
        {"checkBoxSecuredConnection", "QCheckBox", QStringLiteral("Secured connection (SSL)"), QStringLiteral("SSL"), true},
        {"lineEditCounter", "QLineEdit", QStringLiteral("0 KiB"), QString(), false},
        {"labelDateCounter", "QLabel", QStringLiteral("Date Counter"), QString(), true},
        {"pushButtonResetCounter", "QPushButton", QStringLiteral("Reset counter"), QString(), false},
        {"labelInfoTestConnection", "QLabel", Resting, QString(), true},
        {"pushButtonTestConnection", "QPushButton", QString(), QStringLiteral("Test the connection"), true},
        {"pushButtonOk", "QPushButton", QStringLiteral("Ok"), QString(), true},
        {"pushButtonCancel", "QPushButton", QStringLiteral("Cancel"), QString(), true},
    };
    for (const Expected &expected : widgets) {
        const QString name = QString::fromLatin1(expected.name);
        QWidget *widget = form.find(name);
        QVERIFY2(widget, expected.name);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), QString::fromLatin1(expected.className));
        QString text;
        if (auto *edit = qobject_cast<QLineEdit *>(widget))
            text = edit->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            text = button->text();
        else if (auto *label = qobject_cast<QLabel *>(widget))
            text = label->text();
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            text = combo->currentText();
        QVERIFY2(text == expected.text, qPrintable(name + QStringLiteral(": ") + text));
        QVERIFY2(widget->toolTip() == expected.toolTip, qPrintable(name + QStringLiteral(": ") + widget->toolTip()));
        QVERIFY2(widget->isEnabled() == expected.enabled, expected.name);
    }

    // Labels of the fields.
    const QStringList labels = {QStringLiteral("Server address:"), QStringLiteral("Port:"),
                                QStringLiteral("Number of connections:"), QStringLiteral("Choose a nickname for the server:"),
                                QStringLiteral("Account name (Login):"), QStringLiteral("Password:"), QStringLiteral("Counter:")};
    QStringList shown;
    for (QLabel *label : dialog.findChildren<QLabel *>())
        shown << label->text();
    for (const QString &label : labels)
        QVERIFY2(shown.contains(label), qPrintable(label));

    QLineEdit *port = form.field(QStringLiteral("lineEditPort"));
    QCOMPARE(port->maxLength(), 100);
    QVERIFY(port->alignment() & Qt::AlignRight);
    auto *validator = qobject_cast<const QIntValidator *>(port->validator());
    QVERIFY(validator);
    QCOMPARE(validator->bottom(), 1);
    QCOMPARE(validator->top(), 65535);
    QCOMPARE(form.field(QStringLiteral("lineEditServerName"))->maxLength(), 512);
    QCOMPARE(form.field(QStringLiteral("lineEditServerNickname"))->maxLength(), 256);
    QCOMPARE(form.field(QStringLiteral("lineEditPassword"))->echoMode(), QLineEdit::PasswordEchoOnEdit);
    QVERIFY(form.label(QStringLiteral("labelInfoTestConnection"))->wordWrap());
    const QString counterStyle = form.field(QStringLiteral("lineEditCounter"))->styleSheet();
    QVERIFY(counterStyle.contains(QStringLiteral("color: white")) && counterStyle.contains(QStringLiteral("background: black")));

    auto *combo = form.find<QComboBox>(QStringLiteral("comboBoxNbConnections"));
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->count(), 100);
    for (int i = 0; i < combo->count(); ++i)
        QCOMPARE(combo->itemText(i), QString::number(i + 1));
    QCOMPARE(combo->currentIndex(), 0);

    QPushButton *test = form.testButton();
    QVERIFY(showsImage(test->icon(), QStringLiteral(":/images/connection_test.png")));
    QCOMPARE(test->iconSize(), QSize(32, 32));
    QVERIFY(showsImage(form.button(QStringLiteral("pushButtonResetCounter"))->icon(),
                       QStringLiteral(":/images/counter_reset.png")));
    QVERIFY(!dialog.isCounterReset());
    QVERIFY(!dialog.server);

    dialog.setTitle(QStringLiteral("Configuration of a new server"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Configuration of a new server"));
    WidgetPicture::save(&dialog, QStringLiteral("DialogServerManagement"));
}

void tst_DialogServerManagement::tabOrder()
{
    ServerEditorForm form;
    const QStringList expected = {QStringLiteral("lineEditServerName"), QStringLiteral("lineEditPort"),
                                  QStringLiteral("comboBoxNbConnections"), QStringLiteral("lineEditServerNickname"),
                                  QStringLiteral("checkBoxAuthentication"), QStringLiteral("lineEditLogin"),
                                  QStringLiteral("lineEditPassword"), QStringLiteral("checkBoxSecuredConnection"),
                                  QStringLiteral("pushButtonTestConnection")};
    QStringList chain;
    QWidget *widget = form.field(expected.first());
    for (int step = 0; step < 100 && chain.size() < expected.size(); ++step) {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    }
    QCOMPARE(chain, expected);
}

// ---------------------------------------------------------------------------------------
// From the fields to the record

void tst_DialogServerManagement::fieldsGiveTheRecord_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<int>("ssl"); // 0: unticked, 1: ticked before the port is typed, 2: after
    QTest::addColumn<QString>("port"); // empty: not typed
    QTest::addColumn<bool>("authentication");
    QTest::addColumn<bool>("untickAuthentication");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("connectionIndex");
    QTest::addColumn<QString>("expectHost");
    QTest::addColumn<QString>("expectNickname");
    QTest::addColumn<int>("expectPort");
    QTest::addColumn<QString>("expectLogin");
    QTest::addColumn<QString>("expectPassword");
    QTest::addColumn<int>("expectConnections");

    const QString host = QStringLiteral("news.example.net");
    QTest::newRow("address trimmed, nickname from it") << QStringLiteral("  news.example.net  ") << QString() << 0
        << QString() << false << false << QString() << QString() << 0 << host << host << 119 << QString() << QString() << 1;
    QTest::newRow("nickname typed") << host << QStringLiteral("  My provider ") << 0 << QString() << false << false
        << QString() << QString() << 2 << host << QStringLiteral("My provider") << 119 << QString() << QString() << 3;
    QTest::newRow("SSL gives 563") << host << QString() << 1 << QString() << false << false << QString() << QString()
        << 0 << host << host << 563 << QString() << QString() << 1;
    QTest::newRow("port typed after SSL, leading zeros go") << host << QString() << 1 << QStringLiteral("0443") << false
        << false << QString() << QString() << 0 << host << host << 443 << QString() << QString() << 1;
    QTest::newRow("SSL ticked after the port replaces it") << host << QString() << 2 << QStringLiteral("8119") << false
        << false << QString() << QString() << 0 << host << host << 563 << QString() << QString() << 1;
    QTest::newRow("highest port") << host << QString() << 0 << QStringLiteral("65535") << false << false << QString()
        << QString() << 0 << host << host << 65535 << QString() << QString() << 1;
    QTest::newRow("credentials, login trimmed, password as typed") << host << QString() << 0 << QString() << true << false
        << QStringLiteral("  reader ") << QStringLiteral("pass word") << 0 << host << host << 119 << User
        << QStringLiteral("pass word") << 1;
    QTest::newRow("credentials unticked are not kept") << host << QString() << 0 << QString() << true << true << User
        << Password << 0 << host << host << 119 << QString() << QString() << 1;
    QTest::newRow("100 connections") << host << QString() << 0 << QString() << false << false << QString() << QString()
        << 99 << host << host << 119 << QString() << QString() << 100;
}

void tst_DialogServerManagement::fieldsGiveTheRecord()
{
    QFETCH(QString, address);
    QFETCH(QString, nickname);
    QFETCH(int, ssl);
    QFETCH(QString, port);
    QFETCH(bool, authentication);
    QFETCH(bool, untickAuthentication);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(int, connectionIndex);

    ServerEditorForm form;
    form.type(QStringLiteral("lineEditServerName"), address);
    if (!nickname.isEmpty())
        form.type(QStringLiteral("lineEditServerNickname"), nickname);
    if (ssl == 1)
        form.setChecked(QStringLiteral("checkBoxSecuredConnection"), true);
    if (!port.isEmpty())
        form.type(QStringLiteral("lineEditPort"), port);
    if (ssl == 2)
        form.setChecked(QStringLiteral("checkBoxSecuredConnection"), true);
    form.find<QComboBox>(QStringLiteral("comboBoxNbConnections"))->setCurrentIndex(connectionIndex);
    if (authentication) {
        form.setChecked(QStringLiteral("checkBoxAuthentication"), true);
        QVERIFY(form.field(QStringLiteral("lineEditLogin"))->isEnabled());
        QVERIFY(form.field(QStringLiteral("lineEditPassword"))->isEnabled());
        form.type(QStringLiteral("lineEditLogin"), login);
        form.type(QStringLiteral("lineEditPassword"), password);
    }
    if (untickAuthentication) {
        form.setChecked(QStringLiteral("checkBoxAuthentication"), false);
        QVERIFY(!form.field(QStringLiteral("lineEditLogin"))->isEnabled());
        QCOMPARE(form.field(QStringLiteral("lineEditLogin"))->text(), login);
    }

    ModalAnswerer answerer;
    answerer.rejectNext(); // nothing may ask: an unexpected box is closed and seen
    form.button(QStringLiteral("pushButtonOk"))->click();
    QCOMPARE(answerer.answeredCount(), 0);
    QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
    QVERIFY(!form.dialog.isVisible());

    const NntpServer *record = form.dialog.server;
    QVERIFY(record);
    QCOMPARE(record->parent(), &form.dialog);
    QTEST(record->strHost, "expectHost");
    QTEST(record->strNickname, "expectNickname");
    QTEST(int(record->iPort), "expectPort");
    QTEST(record->strLogin, "expectLogin");
    QTEST(record->strPassword, "expectPassword");
    QTEST(int(record->iConnectionCount), "expectConnections");
    QCOMPARE(record->bSsl, ssl != 0);
    QCOMPARE(record->iId, 0);
    QVERIFY(!record->bStarted);
    QVERIFY(!record->bReserved);
    // The fields show what was stored.
    QCOMPARE(form.field(QStringLiteral("lineEditServerName"))->text(), record->strHost);
    QCOMPARE(form.field(QStringLiteral("lineEditServerNickname"))->text(), record->strNickname);
    QCOMPARE(form.field(QStringLiteral("lineEditPort"))->text(), QString::number(record->iPort));
    QVERIFY(!form.dialog.isCounterReset());
}

void tst_DialogServerManagement::nicknameDefaultsToAddress_data()
{
    QTest::addColumn<QString>("nicknameBefore");
    QTest::addColumn<QString>("expectNickname");
    QTest::newRow("empty") << QString() << QStringLiteral("news.example.net");
    QTest::newRow("blanks") << QStringLiteral("   ") << QStringLiteral("news.example.net");
    QTest::newRow("typed before") << QStringLiteral("Mine") << QStringLiteral("Mine");
}

void tst_DialogServerManagement::nicknameDefaultsToAddress()
{
    QFETCH(QString, nicknameBefore);
    ServerEditorForm form;
    form.type(QStringLiteral("lineEditServerNickname"), nicknameBefore, false);
    form.type(QStringLiteral("lineEditServerName"), QStringLiteral(" news.example.net "), false);
    QCOMPARE(form.field(QStringLiteral("lineEditServerNickname"))->text(), nicknameBefore);
    QTest::keyClick(form.field(QStringLiteral("lineEditServerName")), Qt::Key_Return);
    QCOMPARE(form.field(QStringLiteral("lineEditServerName"))->text(), QStringLiteral("news.example.net"));
    QTEST(form.field(QStringLiteral("lineEditServerNickname"))->text(), "expectNickname");
}

void tst_DialogServerManagement::portFieldTakesOnlyPorts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("port") << QStringLiteral("8119") << QStringLiteral("8119");
    QTest::newRow("six digits are cut") << QStringLiteral("100000") << QStringLiteral("10000");
    QTest::newRow("letters refused") << QStringLiteral("12ab") << QStringLiteral("12");
    QTest::newRow("no sign") << QStringLiteral("-5") << QStringLiteral("5");
}

void tst_DialogServerManagement::portFieldTakesOnlyPorts()
{
    QFETCH(QString, typed);
    ServerEditorForm form;
    form.type(QStringLiteral("lineEditPort"), typed, false);
    QTEST(form.field(QStringLiteral("lineEditPort"))->text(), "shown");
}

void tst_DialogServerManagement::portFinishedFallsBackToDefault_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ssl");
    QTest::addColumn<QString>("expect");
    QTest::newRow("0") << QStringLiteral("0") << false << QStringLiteral("119");
    QTest::newRow("0 with SSL") << QStringLiteral("0") << true << QStringLiteral("563");
    QTest::newRow("empty") << QString() << false << QStringLiteral("119");
    QTest::newRow("not a number") << QStringLiteral("x1") << true << QStringLiteral("563");
    QTest::newRow("negative") << QStringLiteral("-3") << false << QStringLiteral("119");
    QTest::newRow("leading zeros") << QStringLiteral("007") << true << QStringLiteral("7");
}

void tst_DialogServerManagement::portFinishedFallsBackToDefault()
{
    QFETCH(QString, text);
    QFETCH(bool, ssl);
    ServerEditorForm form;
    form.dialog.setSecuredConnection(ssl);
    form.field(QStringLiteral("lineEditPort"))->setText(text);
    form.dialog.lineEditPortFinished();
    QTEST(form.field(QStringLiteral("lineEditPort"))->text(), "expect");
}

// ---------------------------------------------------------------------------------------
// Refusals

void tst_DialogServerManagement::refusals_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("nickname");
    QTest::addColumn<QString>("port");
    QTest::addColumn<bool>("portBySetter");
    QTest::addColumn<bool>("authentication");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expectMessage");
    QTest::addColumn<QString>("expectFocus");
    QTest::addColumn<QString>("expectAddressShown");

    const QString host = QStringLiteral("news.example.net");
    const QString nick = QStringLiteral("nick");
    const QString port = QStringLiteral("119");
    const QString name = QStringLiteral("lineEditServerName");
    const QString portField = QStringLiteral("lineEditPort");
    const QString invalidPort = QStringLiteral("Invalid Port value");
    QTest::newRow("no address") << QString() << nick << port << false << false << QString() << QString()
        << QStringLiteral("Server name is required") << name << QString();
    QTest::newRow("address of blanks") << QStringLiteral("   ") << nick << port << false << false << QString() << QString()
        << QStringLiteral("Server name is required") << name << QString();
    QTest::newRow("no nickname; address still trimmed") << QStringLiteral(" news.example.net ") << QString() << port
        << false << false << QString() << QString() << QStringLiteral("Server nickname is required")
        << QStringLiteral("lineEditServerNickname") << host;
    QTest::newRow("empty port") << host << nick << QString() << false << false << QString() << QString() << invalidPort
        << portField << host;
    QTest::newRow("port 0") << host << nick << QStringLiteral("0") << false << false << QString() << QString()
        << invalidPort << portField << host;
    QTest::newRow("port 65536 typed") << host << nick << QStringLiteral("65536") << false << false << QString()
        << QString() << invalidPort << portField << host;
    QTest::newRow("port 70000 typed") << host << nick << QStringLiteral("70000") << false << false << QString()
        << QString() << invalidPort << portField << host;
    QTest::newRow("port 100000 set") << host << nick << QStringLiteral("100000") << true << false << QString()
        << QString() << invalidPort << portField << host;
    QTest::newRow("port beyond 32 bits set") << host << nick << QStringLiteral("4294967295") << true << false
        << QString() << QString() << invalidPort << portField << host;
    QTest::newRow("no login") << host << nick << port << false << true << QString() << Password
        << QStringLiteral("Login is required") << QStringLiteral("lineEditLogin") << host;
    QTest::newRow("login of blanks") << host << nick << port << false << true << QStringLiteral("  ") << Password
        << QStringLiteral("Login is required") << QStringLiteral("lineEditLogin") << host;
    QTest::newRow("no password") << host << nick << port << false << true << User << QString()
        << QStringLiteral("Password is required") << QStringLiteral("lineEditPassword") << host;
}

void tst_DialogServerManagement::refusals()
{
    QFETCH(QString, address);
    QFETCH(QString, nickname);
    QFETCH(QString, port);
    QFETCH(bool, portBySetter);
    QFETCH(bool, authentication);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, expectMessage);
    QFETCH(QString, expectFocus);

    ServerEditorForm form;
    // Away from every field, so that no editing ends before Ok.
    form.find(QStringLiteral("comboBoxNbConnections"))->setFocus();
    form.type(QStringLiteral("lineEditServerName"), address, false);
    form.type(QStringLiteral("lineEditServerNickname"), nickname, false);
    if (portBySetter)
        form.dialog.setServerPort(port.toUInt());
    else
        form.type(QStringLiteral("lineEditPort"), port, false);
    form.setChecked(QStringLiteral("checkBoxAuthentication"), authentication);
    form.type(QStringLiteral("lineEditLogin"), login, false);
    form.type(QStringLiteral("lineEditPassword"), password, false);

    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    form.button(QStringLiteral("pushButtonOk"))->click();
    QCOMPARE(answerer.answeredCount(), 1);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.className, QStringLiteral("QMessageBox"));
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.text, expectMessage);

    QVERIFY(form.dialog.isVisible());
    QCOMPARE(form.dialog.result(), int(QDialog::Rejected));
    QVERIFY(!form.dialog.server);
    QVERIFY(form.dialog.focusWidget());
    QCOMPARE(form.dialog.focusWidget()->objectName(), expectFocus);
    QTEST(form.field(QStringLiteral("lineEditServerName"))->text(), "expectAddressShown");
}

void tst_DialogServerManagement::refusedFieldsStartNoTest()
{
    ServerEditorForm form;
    form.type(QStringLiteral("lineEditServerName"), QStringLiteral("127.0.0.1"));
    form.dialog.setServerPort(70000);
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    form.testButton()->click();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(answerer.seen().first().text, QStringLiteral("Invalid Port value"));
    QVERIFY(!form.isTesting());
    QCOMPARE(ThreadTestConnection::instanceCount(), 0);
    QCOMPARE(form.info(), Resting);
    QCOMPARE(form.dialog.focusWidget(), form.field(QStringLiteral("lineEditPort")));
    QVERIFY(!form.dialog.server);
}

void tst_DialogServerManagement::passwordBlanks_data()
{
    QTest::addColumn<bool>("authentication");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::addColumn<QString>("expectPassword");
    QTest::addColumn<QString>("expectField");

    const int ok = QMessageBox::Ok;
    const int no = QMessageBox::No;
    QTest::newRow("leading blank, Ok") << true << QStringLiteral(" secret") << ok << Password << Password;
    QTest::newRow("trailing blank, No") << true << QStringLiteral("secret ") << no << QStringLiteral("secret ")
        << QStringLiteral("secret ");
    QTest::newRow("Ok removes every white space at both ends") << true << QStringLiteral("\tsecret ") << ok << Password
        << Password;
    QTest::newRow("trailing tab asks nothing") << true << QStringLiteral("secret\t") << 0 << QStringLiteral("secret\t")
        << QStringLiteral("secret\t");
    QTest::newRow("inner blank asks nothing") << true << QStringLiteral("sec ret") << 0 << QStringLiteral("sec ret")
        << QStringLiteral("sec ret");
    QTest::newRow("no authentication asks nothing") << false << QStringLiteral(" secret") << 0 << QString()
        << QStringLiteral(" secret");
}

void tst_DialogServerManagement::passwordBlanks()
{
    QFETCH(bool, authentication);
    QFETCH(QString, password);
    QFETCH(int, answer);

    ServerEditorForm form;
    form.type(QStringLiteral("lineEditServerName"), QStringLiteral("news.example.net"));
    form.dialog.setAuthentication(User, password);
    form.setChecked(QStringLiteral("checkBoxAuthentication"), authentication);

    ModalAnswerer answerer;
    if (answer)
        answerer.pressNext(QMessageBox::StandardButton(answer));
    else
        answerer.rejectNext();
    form.button(QStringLiteral("pushButtonOk"))->click();
    QCOMPARE(answerer.answeredCount(), answer ? 1 : 0);
    if (answer) {
        const ModalAnswerer::Seen &box = answerer.seen().first();
        QCOMPARE(box.title, AppVersion::displayName());
        QCOMPARE(box.text, QStringLiteral("Warning"));
        QCOMPARE(box.informativeText, QStringLiteral("Your password contains extra spaces. Do you want to remove them?"));
        QCOMPARE(box.defaultButton, QMessageBox::Ok);
    }
    // Neither answer refuses the input.
    QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
    QVERIFY(form.dialog.server);
    QTEST(form.dialog.server->strPassword, "expectPassword");
    QTEST(form.field(QStringLiteral("lineEditPassword"))->text(), "expectField");
}

void tst_DialogServerManagement::settersFillTheFields()
{
    // The main window's order for an existing server, then exec() as it runs the dialog.
    DialogServerManagement dialog;
    dialog.setTitle(QStringLiteral("Server Configuration"));
    dialog.setSecuredConnection(true);
    dialog.setServerName(QStringLiteral("news.example.net"));
    dialog.setServerPort(443);
    dialog.setServerNickname(QStringLiteral("Provider"));
    dialog.setNbConnections(8);
    dialog.setCounter(5 * 1024 * 1024, QDateTime(QDate(2024, 5, 1), QTime(10, 30)));
    dialog.setAuthentication(User, Password);

    ModalAnswerer answerer;
    answerer.clickNext(QStringLiteral("Ok"));
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    QVERIFY(dialog.server);
    QCOMPARE(dialog.server->strHost, QStringLiteral("news.example.net"));
    QCOMPARE(dialog.server->iPort, 443);
    QCOMPARE(dialog.server->strNickname, QStringLiteral("Provider"));
    QCOMPARE(dialog.server->iConnectionCount, 8);
    QVERIFY(dialog.server->bSsl);
    QCOMPARE(dialog.server->strLogin, User);
    QCOMPARE(dialog.server->strPassword, Password);
    QVERIFY(!dialog.isCounterReset());
}

// Pasted texts stop at the fields' bounds, at which the record still fits in its block: the
// server is stored and reads back whole.
void tst_DialogServerManagement::fieldsAtTheirBoundsAreStoredWhole()
{
    GuiTestHome home;
    QVERIFY(home.isValid());
    ServerEditorForm form;
    form.field(QStringLiteral("lineEditServerName"))->setText(QString(3000, QLatin1Char('h')));
    form.field(QStringLiteral("lineEditServerNickname"))->setText(QString(3000, QLatin1Char('n')));
    form.setChecked(QStringLiteral("checkBoxAuthentication"), true);
    form.field(QStringLiteral("lineEditLogin"))->setText(QString(3000, QLatin1Char('l')));
    form.field(QStringLiteral("lineEditPassword"))->setText(QString(3000, QLatin1Char('p')));
    ModalAnswerer answerer;
    answerer.rejectNext(); // nothing may ask
    form.button(QStringLiteral("pushButtonOk"))->click();
    QCOMPARE(answerer.answeredCount(), 0);
    const NntpServer *record = form.dialog.server;
    QVERIFY(record);
    QCOMPARE(record->strHost, QString(512, QLatin1Char('h')));
    QCOMPARE(record->strNickname, QString(256, QLatin1Char('n')));
    QCOMPARE(record->strLogin, QString(512, QLatin1Char('l')));
    QCOMPARE(record->strPassword, QString(512, QLatin1Char('p')));

    ServersConfiguration stored;
    auto *server = new NntpServer;
    server->copyRecordFieldsFrom(*record);
    server->iId = 1;
    stored.listServers.append(server);
    QVERIFY(stored.saveServers());
    ServersConfiguration loaded;
    loaded.loadServers();
    QCOMPARE(loaded.listServers.size(), 1);
    const NntpServer *read = loaded.listServers.first();
    QCOMPARE(read->strHost, record->strHost);
    QCOMPARE(read->strNickname, record->strNickname);
    QCOMPARE(read->strLogin, record->strLogin);
    QCOMPARE(read->strPassword, record->strPassword);
}

// A server stored before the fields were bounded opens with its texts whole; Ok keeps them as
// long as the record still fits, and otherwise says so rather than storing a server that is
// gone at the next start.
void tst_DialogServerManagement::longerStoredTextsAreKept_data()
{
    QTest::addColumn<int>("loginLength");
    QTest::addColumn<int>("passwordLength");
    QTest::addColumn<bool>("fits");
    QTest::newRow("still fits") << 1200 << 600 << true;
    QTest::newRow("too long together") << 1500 << 600 << false;
}

void tst_DialogServerManagement::longerStoredTextsAreKept()
{
    QFETCH(int, loginLength);
    QFETCH(int, passwordLength);
    QFETCH(bool, fits);
    const QString login(loginLength, QLatin1Char('l'));
    const QString password(passwordLength, QLatin1Char('p'));
    DialogServerManagement dialog;
    dialog.setServerName(QStringLiteral("news.example.net"));
    dialog.setServerNickname(QStringLiteral("Provider"));
    dialog.setAuthentication(login, password);
    dialog.setModal(false);
    dialog.show();
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    dialog.findChild<QPushButton *>(QStringLiteral("pushButtonOk"))->click();
    if (fits) {
        QCOMPARE(answerer.answeredCount(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.server->strLogin, login);
        QCOMPARE(dialog.server->strPassword, password);
        return;
    }
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(answerer.seen().first().icon, QMessageBox::Critical);
    QCOMPARE(answerer.seen().first().text,
             QStringLiteral("The address, nickname, login and password are too long together to be saved"));
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.server);
    QVERIFY(dialog.focusWidget());
    QCOMPARE(dialog.focusWidget()->objectName(), QStringLiteral("lineEditLogin"));
}

void tst_DialogServerManagement::connectionCountSetter_data()
{
    QTest::addColumn<uint>("count");
    QTest::addColumn<QString>("expect");
    QTest::newRow("0") << 0u << QStringLiteral("1");
    QTest::newRow("1") << 1u << QStringLiteral("1");
    QTest::newRow("42") << 42u << QStringLiteral("42");
    QTest::newRow("100") << 100u << QStringLiteral("100");
    QTest::newRow("250") << 250u << QStringLiteral("100");
}

void tst_DialogServerManagement::connectionCountSetter()
{
    QFETCH(uint, count);
    ServerEditorForm form;
    form.dialog.setNbConnections(count);
    QTEST(form.find<QComboBox>(QStringLiteral("comboBoxNbConnections"))->currentText(), "expect");
}

// ---------------------------------------------------------------------------------------
// Counter

void tst_DialogServerManagement::counter_data()
{
    QTest::addColumn<bool>("set");
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("expectText");
    QTest::addColumn<bool>("expectResetEnabled");
    QTest::newRow("new server") << false << quint64(0) << QStringLiteral("0 KiB") << false;
    QTest::newRow("0 bytes") << true << quint64(0) << QStringLiteral("0 KiB") << false;
    QTest::newRow("1023 bytes") << true << quint64(1023) << QStringLiteral("0 KiB") << true;
    QTest::newRow("1.5 GiB") << true << quint64(3) * 512 * 1024 * 1024 << QStringLiteral("1.5 GiB") << true;
    QTest::newRow("2 TiB") << true << quint64(2) * 1024 * 1024 * 1024 * 1024 << QStringLiteral("2 TiB") << true;
}

void tst_DialogServerManagement::counter()
{
    QFETCH(bool, set);
    QFETCH(quint64, bytes);
    const QDateTime since(QDate(2023, 11, 7), QTime(8, 15, 30));
    ServerEditorForm form;
    if (set)
        form.dialog.setCounter(bytes, since);
    QTEST(form.field(QStringLiteral("lineEditCounter"))->text(), "expectText");
    QTEST(form.button(QStringLiteral("pushButtonResetCounter"))->isEnabled(), "expectResetEnabled");
    QCOMPARE(form.label(QStringLiteral("labelDateCounter"))->text(),
             set ? since.toString(Qt::TextDate) : QStringLiteral("Date Counter"));
}

void tst_DialogServerManagement::counterReset_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Ok resets") << int(QMessageBox::Ok);
    QTest::newRow("No keeps") << int(QMessageBox::No);
}

void tst_DialogServerManagement::counterReset()
{
    QFETCH(int, answer);
    const QDateTime since(QDate(2023, 11, 7), QTime(8, 15, 30));
    ServerEditorForm form;
    form.dialog.setCounter(quint64(7) * 1024 * 1024, since);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);

    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::StandardButton(answer));
    form.button(QStringLiteral("pushButtonResetCounter"))->click();
    QCOMPARE(answerer.answeredCount(), 1);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, AppVersion::displayName());
    QCOMPARE(box.text, QString());
    QCOMPARE(box.informativeText, QStringLiteral("Do you really want to reset your counter ?"));
    QCOMPARE(box.defaultButton, QMessageBox::Ok);

    const QString counter = form.field(QStringLiteral("lineEditCounter"))->text();
    const QString date = form.label(QStringLiteral("labelDateCounter"))->text();
    if (answer == QMessageBox::No) {
        QVERIFY(!form.dialog.isCounterReset());
        QCOMPARE(counter, QStringLiteral("7 MiB"));
        QCOMPARE(date, since.toString(Qt::TextDate));
        QVERIFY(form.button(QStringLiteral("pushButtonResetCounter"))->isEnabled());
        return;
    }
    QVERIFY(form.dialog.isCounterReset());
    QCOMPARE(counter, QStringLiteral("0 byte"));
    const QDateTime shown = QDateTime::fromString(date, Qt::TextDate);
    QVERIFY2(shown.isValid() && shown >= before && shown <= QDateTime::currentDateTime(), qPrintable(date));
    QVERIFY(!form.button(QStringLiteral("pushButtonResetCounter"))->isEnabled());

    // The confirmation is reported with the accepted record; nothing else changes.
    form.type(QStringLiteral("lineEditServerName"), QStringLiteral("news.example.net"));
    form.button(QStringLiteral("pushButtonOk"))->click();
    QCOMPARE(form.dialog.result(), int(QDialog::Accepted));
    QVERIFY(form.dialog.isCounterReset());
}

void tst_DialogServerManagement::returnPressesNoButton()
{
    ServerEditorForm form;
    ModalAnswerer answerer;
    answerer.rejectNext();
    form.type(QStringLiteral("lineEditServerName"), QStringLiteral("127.0.0.1"));
    form.dialog.setServerPort(server.port());
    QTest::keyClick(form.field(QStringLiteral("lineEditServerNickname")), Qt::Key_Enter);
    QTest::keyClick(&form.dialog, Qt::Key_Return);
    QVERIFY(form.dialog.isVisible());
    QVERIFY(!form.isTesting());
    QCOMPARE(ThreadTestConnection::instanceCount(), 0);
    QCOMPARE(answerer.answeredCount(), 0);
    QCOMPARE(form.dialog.result(), int(QDialog::Rejected));
    QTest::keyClick(&form.dialog, Qt::Key_Escape);
    QVERIFY(!form.dialog.isVisible());
    QCOMPARE(form.dialog.result(), int(QDialog::Rejected));
}

// ---------------------------------------------------------------------------------------
// Connection test against the test news server

void tst_DialogServerManagement::connectionTest_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<bool>("tls");
    QTest::addColumn<bool>("serverNeedsLogin");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expectError"); // empty: success

    Faults f;
    QTest::newRow("greeting 200, HELP") << f << false << false << QString() << QString() << QString();
    f.greeting = NntpTestServer::Greeting::PostingDisabled;
    QTest::newRow("greeting 201") << f << false << false << QString() << QString() << QString();
    f = Faults();
    f.greeting = NntpTestServer::Greeting::Wrong;
    QTest::newRow("greeting 502") << f << false << false << QString() << QString()
        << QStringLiteral("Error: 502 service permanently unavailable\r\n");
    f = Faults();
    f.helpReply = "480 authentication required";
    QTest::newRow("HELP refused for want of a login") << f << false << false << QString() << QString()
        << QStringLiteral("Error: the server requires a login (480 authentication required): check the login and "
                          "password of this server");
    f = Faults();
    f.helpReply = "502 no help here";
    QTest::newRow("HELP refused") << f << false << false << QString() << QString()
        << QStringLiteral("502 no help here\r\n");
    f = Faults();
    // HELP is answered without a log-in, articles are not: the test asks one harmless command more.
    QTest::newRow("login wanted, none given") << f << false << true << QString() << QString()
        << QStringLiteral("Error: the server requires a login (480 authentication required): check the login and "
                          "password of this server");
    f = Faults();
    QTest::newRow("381 then log-in accepted") << f << false << true << User << Password << QString();
    QTest::newRow("481 wrong password") << f << false << true << User << QStringLiteral("wrong")
        << QStringLiteral("Error: Authentication failed/rejected (481): check the login and password of this server");
    f.passReply = "502 unavailable";
    QTest::newRow("502 to the password") << f << false << true << User << Password
        << QStringLiteral("Error: Command unavailable (502): check the login and password of this server");
    f = Faults();
    f.userReply = "502 no such user";
    QTest::newRow("no 381 to the user") << f << false << true << User << Password
        << QStringLiteral("Error: AUTHINFO USER 381, no password asked: check the login and password of this server");
    f = Faults();
    f.greeting = NntpTestServer::Greeting::None;
    QTest::newRow("stall past the time-out") << f << false << false << QString() << QString()
        << QStringLiteral("Error: no greeting from the server within 1.5 s: is it a TLS port (SSL)?");
    f = Faults();
    f.loginDelayMs = ShortTimeout + 1000;
    QTest::newRow("no answer to the log-in") << f << false << true << User << Password
        << QStringLiteral("Error: No answer from server while sending AUTHINFO USER command");
    f = Faults();
    QTest::newRow("TLS, self-signed certificate") << f << true << false << QString() << QString() << QString();
    QTest::newRow("TLS with log-in") << f << true << true << User << Password << QString();
}

void tst_DialogServerManagement::connectionTest()
{
    QFETCH(Faults, faults);
    QFETCH(bool, tls);
    QFETCH(bool, serverNeedsLogin);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, expectError);

    NntpTestServer &target = tls ? tlsServer : server;
    target.setDefaultConnectionFaults(faults);
    target.setCredentials(serverNeedsLogin ? User : QString(), serverNeedsLogin ? Password : QString());

    ServerEditorForm form;
    form.dialog.setConnectionTestTimeout(ShortTimeout);
    form.enterServer(target.port(), tls, login, password);

    ModalAnswerer answerer;
    answerer.acceptNext();
    form.testButton()->click();
    // While it runs: the stop role, Ok and Cancel disabled.
    QVERIFY(form.isTesting());
    QVERIFY(!form.button(QStringLiteral("pushButtonOk"))->isEnabled());
    QCOMPARE(form.testButton()->toolTip(), QStringLiteral("Stop the current connection test"));
    QVERIFY(showsImage(form.testButton()->icon(), QStringLiteral(":/images/stop.png")));
    QCOMPARE(form.info(), QStringLiteral("Testing the connection..."));
    if (QTest::currentDataTag() == QLatin1String("stall past the time-out"))
        WidgetPicture::save(&form.dialog, QStringLiteral("DialogServerManagement_testing"));

    QVERIFY(answerer.waitForAnswered(1, 30000));
    QTRY_VERIFY(!form.isTesting());
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    if (expectError.isEmpty()) {
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.text, Success);
        QCOMPARE(form.info(), Success);
    } else {
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.text, Failure.arg(expectError));
        QCOMPARE(form.info(), Failure.arg(expectError.trimmed()));
    }
    // Back to rest.
    QCOMPARE(form.testButton()->toolTip(), QStringLiteral("Test the connection"));
    QVERIFY(showsImage(form.testButton()->icon(), QStringLiteral(":/images/connection_test.png")));
    QVERIFY(form.button(QStringLiteral("pushButtonOk"))->isEnabled());
    QVERIFY(form.button(QStringLiteral("pushButtonCancel"))->isEnabled());
    if (QTest::currentDataTag() == QLatin1String("381 then log-in accepted"))
        WidgetPicture::save(&form.dialog, QStringLiteral("DialogServerManagement_result"));

    // The session went to the server the fields name, with their credentials.
    const QStringList commands = target.commands();
    if (serverNeedsLogin && expectError.isEmpty())
        QVERIFY2(commands.contains(QStringLiteral("AUTHINFO USER ") + login), qPrintable(commands.join(QLatin1Char('|'))));
    if (!serverNeedsLogin && expectError.isEmpty())
        QVERIFY2(commands.contains(QStringLiteral("HELP")), qPrintable(commands.join(QLatin1Char('|'))));
    // Nothing of the dialog is stored by a test.
    QVERIFY(!form.dialog.server);
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
}

void tst_DialogServerManagement::connectionTestToRefusedPort()
{
    const quint16 port = refusedPort();
    QVERIFY(port != 0);
    ServerEditorForm form;
    form.dialog.setConnectionTestTimeout(ShortTimeout);
    form.enterServer(port, false);
    ModalAnswerer answerer;
    ModalAnswerer::Seen box;
    QVERIFY(form.runTest(answerer, box));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.text, Failure.arg(QStringLiteral("Connection refused")));
}

void tst_DialogServerManagement::serverTextIsNotMarkup()
{
    Faults f;
    f.helpReply = "502 <b>not</b> <img src=\"file:///etc/passwd\">";
    server.setDefaultConnectionFaults(f);
    ServerEditorForm form;
    form.enterServer(server.port(), false);
    ModalAnswerer answerer;
    Qt::TextFormat boxFormat = Qt::AutoText;
    answerer.handleNext([&boxFormat](QWidget *window) {
        auto *box = qobject_cast<QMessageBox *>(window);
        boxFormat = box->textFormat();
        box->accept();
    });
    form.testButton()->click();
    QVERIFY(answerer.waitForAnswered(1, 30000));
    QTRY_VERIFY(!form.isTesting());
    const QString error = QStringLiteral("502 <b>not</b> <img src=\"file:///etc/passwd\">");
    QCOMPARE(answerer.seen().first().text, Failure.arg(error + QStringLiteral("\r\n")));
    QCOMPARE(boxFormat, Qt::PlainText);
    QCOMPARE(form.info(), Failure.arg(error));
    QCOMPARE(form.label(QStringLiteral("labelInfoTestConnection"))->textFormat(), Qt::PlainText);
}

void tst_DialogServerManagement::resultGoesWhenFieldsChange()
{
    ServerEditorForm form;
    ModalAnswerer answerer;
    ModalAnswerer::Seen box;

    // Each change of a field that the test depends on brings the resting text back.
    const QList<std::function<void()>> changes = {
        [&] { form.type(QStringLiteral("lineEditServerName"), QStringLiteral("localhost")); },
        [&] { form.type(QStringLiteral("lineEditPort"), QStringLiteral("1")); },
        [&] { form.setChecked(QStringLiteral("checkBoxSecuredConnection"), true); },
        [&] { form.setChecked(QStringLiteral("checkBoxAuthentication"), true); },
    };
    for (int i = 0; i < changes.size(); ++i) {
        form.enterServer(server.port(), false);
        QVERIFY(form.runTest(answerer, box));
        QCOMPARE(box.text, Success);
        QCOMPARE(form.info(), Success);
        changes.at(i)();
        QVERIFY2(form.info() == Resting, qPrintable(QString::number(i)));
    }

    // A field changed while the test runs: the result shows in its box, not in the label.
    Faults slow;
    slow.greetingDelayMs = 300;
    server.setDefaultConnectionFaults(slow);
    form.enterServer(server.port(), false);
    const int answered = answerer.answeredCount();
    answerer.acceptNext();
    form.testButton()->click();
    QVERIFY(form.isTesting());
    form.setChecked(QStringLiteral("checkBoxAuthentication"), true);
    QCOMPARE(form.info(), QStringLiteral("Testing the connection..."));
    QVERIFY(answerer.waitForAnswered(answered + 1, 30000));
    QTRY_VERIFY(!form.isTesting());
    QCOMPARE(answerer.seen().constLast().text, Success);
    QCOMPARE(form.info(), Resting);
}

void tst_DialogServerManagement::stalledTestLeavesDialogResponsive()
{
    NntpTestServer silent;
    QVERIFY(startSilent(silent));

    // The connection's own time-out (30 s): the test stalls until the server goes.
    ServerEditorForm form;
    form.enterServer(silent.port(), false);
    ModalAnswerer answerer;
    answerer.rejectNext();
    form.testButton()->click();
    QVERIFY(form.isTesting());
    QTest::qWait(50);
    QCOMPARE(ThreadTestConnection::instanceCount(), 1);

    // Typing still works; Escape and the window's close button do nothing.
    form.type(QStringLiteral("lineEditServerNickname"), QStringLiteral("still typing"), false);
    QCOMPARE(form.field(QStringLiteral("lineEditServerNickname"))->text(), QStringLiteral("still typing"));
    QTest::keyClick(&form.dialog, Qt::Key_Escape);
    QVERIFY(form.dialog.isVisible());
    QVERIFY(!form.dialog.close());
    QVERIFY(form.dialog.isVisible());

    // The stop button gives the dialog back at once, while the thread still waits.
    form.testButton()->click();
    QVERIFY(!form.isTesting());
    QCOMPARE(form.info(), Resting);
    QCOMPARE(form.testButton()->toolTip(), QStringLiteral("Test the connection"));
    QVERIFY(showsImage(form.testButton()->icon(), QStringLiteral(":/images/connection_test.png")));
    QCOMPARE(ThreadTestConnection::instanceCount(), 1);

    // The interrupted test ends when the server goes; its result shows nothing.
    silent.stop();
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
    QTest::qWait(50);
    QCOMPARE(answerer.answeredCount(), 0);
    QCOMPARE(form.info(), Resting);

    // Escape and the close button work again.
    QTest::keyClick(&form.dialog, Qt::Key_Escape);
    QVERIFY(!form.dialog.isVisible());
    QCOMPARE(form.dialog.result(), int(QDialog::Rejected));
}

void tst_DialogServerManagement::closingDuringTestNeitherBlocksNorCrashes()
{
    NntpTestServer silent;
    QVERIFY(startSilent(silent));

    QWidget window;
    auto *dialog = new DialogServerManagement(&window);
    dialog->setModal(false); // the answerer is there for boxes only
    window.show();
    dialog->show();
    dialog->setServerName(QStringLiteral("127.0.0.1"));
    dialog->setServerNickname(QStringLiteral("silent"));
    dialog->setServerPort(silent.port());
    ModalAnswerer answerer;
    answerer.rejectNext();
    dialog->slotTestConnection();
    QTRY_COMPARE(silent.connectionCount(), 1);

    // The window that holds the dialog goes while the test waits for a greeting: the dialog
    // is destroyed without waiting for the thread, which is left running.
    delete dialog;
    QCOMPARE(ThreadTestConnection::instanceCount(), 1);
    silent.stop();
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
    QTest::qWait(50);
    QCOMPARE(answerer.answeredCount(), 0);
}

void tst_DialogServerManagement::resultOfInterruptedTestIsDropped()
{
    // The result is already waiting in the event queue when the user clicks stop.
    ServerEditorForm form;
    form.enterServer(server.port(), false);
    ModalAnswerer answerer;
    answerer.rejectNext();
    form.testButton()->click();
    QVERIFY(serverSawCloses(server, 1));
    form.testButton()->click();
    QVERIFY(!form.isTesting());

    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
    QTest::qWait(50);
    QCOMPARE(answerer.answeredCount(), 0);
    QCOMPARE(form.info(), Resting);
    QVERIFY(form.button(QStringLiteral("pushButtonOk"))->isEnabled());
}

void tst_DialogServerManagement::newTestAfterInterruption()
{
    NntpTestServer silent;
    QVERIFY(startSilent(silent));

    ServerEditorForm form;
    form.enterServer(silent.port(), false);
    ModalAnswerer answerer;
    form.testButton()->click();
    QTRY_COMPARE(silent.connectionCount(), 1);
    form.testButton()->click(); // stop
    QVERIFY(!form.isTesting());

    // A second test, to a server that answers, runs in a thread of its own beside the first.
    // Openings take turns: it goes on once the first one has given up.
    form.type(QStringLiteral("lineEditPort"), QString::number(server.port()));
    answerer.acceptNext();
    form.testButton()->click();
    QVERIFY(form.isTesting());
    QCOMPARE(ThreadTestConnection::instanceCount(), 2);
    silent.stop();
    QVERIFY(answerer.waitForAnswered(1, 30000));
    QTRY_VERIFY(!form.isTesting());
    QCOMPARE(answerer.seen().first().text, Success);
    QCOMPARE(form.info(), Success);
    QVERIFY(serverSawCloses(server, 1));
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());

    // A result posted before a stop click neither ends a newer test nor shows: the newer test
    // fails, so its box tells the two apart.
    server.clearEvents();
    form.testButton()->click();
    QVERIFY(serverSawCloses(server, 1));
    form.testButton()->click(); // stop, with the result queued
    Faults wrong;
    wrong.greeting = NntpTestServer::Greeting::Wrong;
    server.setDefaultConnectionFaults(wrong);
    answerer.acceptNext();
    answerer.acceptNext(); // spare: a wrongly shown stale result must not hang the test
    form.testButton()->click(); // a new test, before the queued result is delivered
    QVERIFY(form.isTesting());
    QVERIFY(answerer.waitForAnswered(2, 30000));
    QTRY_VERIFY(!form.isTesting());
    QCOMPARE(answerer.seen().at(1).text, Failure.arg(QStringLiteral("Error: 502 service permanently unavailable\r\n")));
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
    QCOMPARE(answerer.answeredCount(), 2);
}

QTEST_MAIN(tst_DialogServerManagement)
#include "tst_DialogServerManagement.moc"
