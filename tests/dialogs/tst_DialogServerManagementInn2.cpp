// The server editor's connection test against a real news server: INN 2 (nnrpd) started on
// 127.0.0.1 by the engine tests' script, plain, with log-in and with TLS.
#include "dialogs/DialogServerManagement.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"

#include "ModalAnswerer.h"
#include "ServerEditorForm.h"
#include "WidgetPicture.h"
#include "../support/LoopbackTestHelpers.h"

#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString User = QStringLiteral("reader");
const QString Password = QStringLiteral("s3cret");
const QString Success = QStringLiteral("You are successfully connected to the server!");

} // namespace

class tst_DialogServerManagementInn2 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void connectionTest_data();
    void connectionTest();

private:
    std::unique_ptr<QTemporaryDir> base;
    QString serverDir;
    bool started = false;
    quint16 plainPort = 0;
    quint16 authPort = 0;
    quint16 tlsPort = 0;
};

void tst_DialogServerManagementInn2::initTestCase()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());

    // The server runs as user news, which must reach its folder.
    base = newsReachableTemporaryDir(QStringLiteral("tq-inn2"));
    QVERIFY(base);
    serverDir = base->filePath(QStringLiteral("inn"));

    const QList<quint16> ports = freePorts(4);
    QCOMPARE(ports.size(), 4);
    plainPort = ports.at(1);
    authPort = ports.at(2);
    tlsPort = ports.at(3);
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral(TQ_INN2_SCRIPT),
                 {QStringLiteral("start"), serverDir, QString::number(ports.at(0)), QString::number(plainPort),
                  QString::number(authPort), QString::number(tlsPort), User, Password});
    const bool finished = script.waitForFinished(60000);
    const QString output = QString::fromLocal8Bit(script.readAll());
    started = true; // stop whatever part of it did start
    if (!finished || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0)
        QFAIL(qPrintable(QStringLiteral("INN 2 could not be started: %1 %2").arg(script.errorString(), output)));
}

void tst_DialogServerManagementInn2::cleanupTestCase()
{
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
    if (!started)
        return;
    QProcess script;
    script.start(QStringLiteral(TQ_INN2_SCRIPT), {QStringLiteral("stop"), serverDir});
    script.waitForFinished(30000);
}

void tst_DialogServerManagementInn2::connectionTest_data()
{
    QTest::addColumn<int>("which"); // 0 plain, 1 log-in, 2 TLS with log-in, 3 the TLS port without SSL
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expectText");
    QTest::addColumn<int>("expectIcon");

    const int information = QMessageBox::Information;
    const int critical = QMessageBox::Critical;
    QTest::newRow("plain, no log-in") << 0 << QString() << QString() << Success << information;
    QTest::newRow("log-in") << 1 << User << Password << Success << information;
    QTest::newRow("wrong password") << 1 << User << QStringLiteral("wrong")
        << QStringLiteral("An error occured while connecting to the server: Error: Authentication failed/rejected (481): check the login and password of this server")
        << critical;
    // nnrpd answers HELP without a log-in; the test's STAT shows that articles want one.
    QTest::newRow("log-in port, no log-in") << 1 << QString() << QString()
        << QStringLiteral("An error occured while connecting to the server: Error: the server requires a login (480 "
                          "Authentication required for command): check the login and password of this server")
        << critical;
    QTest::newRow("TLS port without SSL") << 3 << User << Password
        << QStringLiteral("An error occured while connecting to the server: Error: no greeting from the server within "
                          "2 s: is it a TLS port (SSL)?")
        << critical;
    QTest::newRow("TLS with log-in") << 2 << User << Password << Success << information;
    QTest::newRow("TLS, wrong password") << 2 << User << QStringLiteral("wrong")
        << QStringLiteral("An error occured while connecting to the server: Error: Authentication failed/rejected (481): check the login and password of this server")
        << critical;
}

void tst_DialogServerManagementInn2::connectionTest()
{
    QFETCH(int, which);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, expectText);
    QFETCH(int, expectIcon);

    const quint16 port = which == 0 ? plainPort : which == 1 ? authPort : tlsPort;
    ServerEditorForm form;
    // A plain client on the TLS port waits for a greeting that never comes: a short wait does.
    form.dialog.setConnectionTestTimeout(which == 3 ? 2000 : 10000);
    form.enterServer(port, which == 2, login, password);
    ModalAnswerer answerer;
    ModalAnswerer::Seen box;
    QVERIFY(form.runTest(answerer, box));
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.text, expectText);
    QCOMPARE(int(box.icon), expectIcon);
    QCOMPARE(form.info(), expectText);
    if (which == 2 && expectIcon == QMessageBox::Information)
        WidgetPicture::save(&form.dialog, QStringLiteral("DialogServerManagement_inn2_tls"));
    if (which == 1 && login.isEmpty())
        WidgetPicture::save(&form.dialog, QStringLiteral("DialogServerManagement_inn2_login_wanted"));
    QVERIFY(ServerEditorForm::waitForTestThreadsGone());
}

QTEST_MAIN(tst_DialogServerManagementInn2)
#include "tst_DialogServerManagementInn2.moc"
