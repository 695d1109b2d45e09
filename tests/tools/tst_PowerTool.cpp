// The power tool against a stand-in login manager on a private session bus: it asks whether the
// action is allowed, asks for it only then, and says why when it cannot. Never the real login
// manager: the test runs under dbus-run-session without a system bus.
#include "PrivateSessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

namespace {

const char *const kService = "org.freedesktop.login1";
const char *const kPath = "/org/freedesktop/login1";

// What the stand-in was asked, and what it answers.
class FakePowerManager : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QString strCanAnswer = QStringLiteral("yes");
    bool bRefuseCall = false;
    QStringList calls;

public slots:
    QString CanPowerOff() { return can(QStringLiteral("CanPowerOff")); }
    QString CanSuspend() { return can(QStringLiteral("CanSuspend")); }
    QString CanHibernate() { return can(QStringLiteral("CanHibernate")); }
    void PowerOff(bool interactive) { act(QStringLiteral("PowerOff"), interactive); }
    void Suspend(bool interactive) { act(QStringLiteral("Suspend"), interactive); }
    void Hibernate(bool interactive) { act(QStringLiteral("Hibernate"), interactive); }

private:
    QString can(const QString &name)
    {
        calls.append(name);
        return strCanAnswer;
    }
    void act(const QString &name, bool interactive)
    {
        calls.append(name + (interactive ? QStringLiteral("(true)") : QStringLiteral("(false)")));
        if (bRefuseCall)
            sendErrorReply(QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"),
                           QStringLiteral("Operation not permitted by the test"));
    }
};

struct ToolRun
{
    int exitCode = -1;
    QString output;
};

} // namespace

class tst_PowerTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void action_data();
    void action();
    void badArguments_data();
    void badArguments();
    void noLoginManager();

private:
    ToolRun runTool(const QStringList &arguments);
    QString toolPath;
};

void tst_PowerTool::initTestCase()
{
    toolPath = QString::fromLocal8Bit(qgetenv("TQ_BIN_DIR")) + QStringLiteral("/tessaquill-power");
    QVERIFY2(QFileInfo(toolPath).isExecutable(), qPrintable(toolPath));
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

// The tool runs while this process's event loop answers for the stand-in.
ToolRun tst_PowerTool::runTool(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TESSAQUILL_LOGIN_BUS"), QStringLiteral("session"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QSignalSpy finished(&process, SIGNAL(finished(int,QProcess::ExitStatus)));
    process.start(toolPath, arguments);
    ToolRun run;
    if (!process.waitForStarted(10000) || !finished.wait(30000))
        return run;
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return run;
}

void tst_PowerTool::action_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("canAnswer");
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("message");
    QTest::newRow("power off") << "poweroff" << "yes" << false << 0
                               << QStringList{"CanPowerOff", "PowerOff(true)"} << QString();
    QTest::newRow("suspend after authentication") << "suspend" << "challenge" << false << 0
                                                  << QStringList{"CanSuspend", "Suspend(true)"} << QString();
    QTest::newRow("hibernate") << "hibernate" << "yes" << false << 0
                               << QStringList{"CanHibernate", "Hibernate(true)"} << QString();
    QTest::newRow("hibernate not available") << "hibernate" << "na" << false << 2 << QStringList{"CanHibernate"}
                                             << "Hibernating is not allowed on this computer (the login manager "
                                                "answers \"na\" to CanHibernate)";
    QTest::newRow("power off not allowed") << "poweroff" << "no" << false << 2 << QStringList{"CanPowerOff"}
                                           << "Powering off is not allowed";
    QTest::newRow("suspend refused") << "suspend" << "yes" << true << 4
                                     << QStringList{"CanSuspend", "Suspend(true)"}
                                     << "The login manager refused Suspend: Operation not permitted by the test";
}

void tst_PowerTool::action()
{
    QFETCH(QString, argument);
    QFETCH(QString, canAnswer);
    QFETCH(bool, refuse);
    QFETCH(int, exitCode);
    QFETCH(QStringList, calls);
    QFETCH(QString, message);
    FakePowerManager fake;
    fake.strCanAnswer = canAnswer;
    fake.bRefuseCall = refuse;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-login1"));
    QVERIFY(bus.registerObject(QLatin1String(kPath), &fake, QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService(QLatin1String(kService)));
    const ToolRun run = runTool({argument});
    bus.unregisterService(QLatin1String(kService));
    bus.unregisterObject(QLatin1String(kPath));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-login1"));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(fake.calls, calls);
    if (message.isEmpty())
        QCOMPARE(run.output, QString());
    else
        QVERIFY2(run.output.contains(message), qPrintable(run.output));
}

void tst_PowerTool::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("unknown") << QStringList{"reboot"};
    QTest::newRow("the other tool's flags") << QStringList{"-k", "-f", "-c"};
    QTest::newRow("two actions") << QStringList{"suspend", "hibernate"};
}

void tst_PowerTool::badArguments()
{
    QFETCH(QStringList, arguments);
    const ToolRun run = runTool(arguments);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.output.startsWith(QLatin1String("Usage: tessaquill-power")), qPrintable(run.output));
}

// Nobody holds the login manager's name: the tool says so and asks nothing else.
void tst_PowerTool::noLoginManager()
{
    const ToolRun run = runTool({QStringLiteral("suspend")});
    QCOMPARE(run.exitCode, 3);
    QVERIFY2(run.output.contains(QLatin1String("The login manager could not be asked (CanSuspend)")), qPrintable(run.output));
}

int main(int argc, char *argv[])
{
    if (!PrivateSessionBus::enter(argc, argv))
        return 1;
    QCoreApplication application(argc, argv);
    tst_PowerTool test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PowerTool.moc"
