#include "dialogs/DialogSettings.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"

#include "DialogTestSupport.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBox>
#include <QtTest>

// The proxy page asks Qt for the system's proxies; on Linux Qt reads them from http_proxy and
// friends, so the tests set those (to loopback addresses nothing listens on: no request is made).

namespace {

const char *const noProxyFound = "No proxy found !";

const char *const proxyWidgets[] = {"tableWidgetListProxies", "labelProxyLogin", "labelProxyPassword",
                                    "lineEditProxyLogin", "lineEditProxyPassword", "pushButtonRefreshProxies"};

template <typename T>
T *child(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

QStringList rowTexts(QDialog &dialog)
{
    QStringList texts;
    const auto *table = child<QTableWidget>(dialog, "tableWidgetListProxies");
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, 0)->text();
    return texts;
}

bool proxyWidgetsEnabled(QDialog &dialog, bool enabled)
{
    for (const char *name : proxyWidgets) {
        if (dialog.findChild<QWidget *>(QLatin1String(name))->isEnabled() != enabled) {
            qWarning("%s is %s", name, enabled ? "disabled" : "enabled");
            return false;
        }
    }
    return true;
}

QString capabilities(QDialog &dialog)
{
    return child<QTextEdit>(dialog, "textEditProxyInfo")->toPlainText();
}

void type(QDialog &dialog, const char *name, const QString &text)
{
    auto *line = child<QLineEdit>(dialog, name);
    line->clear();
    QTest::keyClicks(line, text);
}

const char *const environment[] = {"http_proxy", "https_proxy", "all_proxy", "no_proxy",
                                   "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "NO_PROXY",
                                   "TESSAQUILL_PROXY_QUERY_URL"};

} // namespace

class tst_DialogSettingsProxy : public QObject
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
        for (const char *variable : environment)
            qunsetenv(variable);
    }

    void cleanup()
    {
        init();
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        detachLogFile();
    }

    void storedProxyStillListedIsChosenAgain()
    {
        GuiTestHome home;
        resetConfiguration();
        qputenv("http_proxy", "http://127.0.0.1:3128");
        AppConfiguration *config = AppConfiguration::getInstance();
        config->proxyEnabled = true;
        config->proxyName = QStringLiteral("127.0.0.1");
        config->proxyLogin = QStringLiteral("reader");
        config->proxyPassword = QStringLiteral("s3cret");

        ModalAnswerer answerer;
        DialogSettings dialog;
        QCOMPARE(answerer.answeredCount(), 0);
        QVERIFY(child<QRadioButton>(dialog, "radioButtonProxyEnabled")->isChecked());
        QCOMPARE(rowTexts(dialog), QStringList{"127.0.0.1"});
        auto *table = child<QTableWidget>(dialog, "tableWidgetListProxies");
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(table->selectedItems().size(), 1);
        QCOMPARE(capabilities(dialog), QStringLiteral("127.0.0.1, port:3128\nTunneling Capability\n"
                                                      "Caching Capability\nHost Name Lookup Capability"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditProxyLogin")->text(), QStringLiteral("reader"));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditProxyPassword")->text(), QStringLiteral("s3cret"));
        QVERIFY(proxyWidgetsEnabled(dialog, true));
        QVERIFY(child<QLabel>(dialog, "labelInfoSearchProxies")->isHidden());
        QCOMPARE(config->systemProxies.size(), 1);
        child<QToolBox>(dialog, "toolBox")->setCurrentIndex(3);
        WidgetPicture::save(&dialog, QStringLiteral("DialogSettings_proxy"));

        type(dialog, "lineEditProxyLogin", QStringLiteral(" reader "));
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(storedValue("Proxy", "Enabled"), QStringLiteral("1"));
        QCOMPARE(storedValue("Proxy", "Name"), QStringLiteral("127.0.0.1"));
        QCOMPARE(storedValue("Proxy", "Login"), QStringLiteral(" reader "));
        QCOMPARE(storedValue("Proxy", "Password"), QStringLiteral("s3cret"));
        const QNetworkProxy applied = QNetworkProxy::applicationProxy();
        QCOMPARE(applied.type(), QNetworkProxy::HttpProxy);
        QCOMPARE(applied.hostName(), QStringLiteral("127.0.0.1"));
        QCOMPARE(applied.port(), quint16(3128));
        QCOMPARE(applied.user(), QStringLiteral(" reader "));
        QCOMPARE(applied.password(), QStringLiteral("s3cret"));
        QCOMPARE(config->proxy, applied);
    }

    void enabledProxyWithoutAnySystemProxy()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->proxyEnabled = true;
        config->proxyName = QStringLiteral("proxy.example");
        config->proxyLogin = QStringLiteral("reader");
        config->proxyPassword = QStringLiteral("s3cret");

        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        DialogSettings dialog; // the system answers with "no proxy" only, before the dialog shows
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().text, QString::fromLatin1(noProxyFound));
        QCOMPARE(answerer.seen().first().title, QStringLiteral("Tessaquill+"));
        QCOMPARE(answerer.seen().first().icon, QMessageBox::Critical);
        QVERIFY(child<QRadioButton>(dialog, "radioButtonNoProxy")->isChecked());
        QVERIFY(proxyWidgetsEnabled(dialog, false));
        QCOMPARE(child<QLineEdit>(dialog, "lineEditProxyLogin")->text(), QStringLiteral("reader"));
        QVERIFY(config->systemProxies.isEmpty());

        dialog.show();
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(storedValue("Proxy", "Enabled"), QStringLiteral("0"));
        QCOMPARE(storedValue("Proxy", "Name"), QString(""));
        QCOMPARE(storedValue("Proxy", "Login"), QString(""));
        QCOMPARE(storedValue("Proxy", "Password"), QString(""));
        QCOMPARE(QNetworkProxy::applicationProxy().type(), QNetworkProxy::NoProxy);
        QCOMPARE(config->proxy.type(), QNetworkProxy::NoProxy);
    }

    void turningTheProxyOnAsksTheSystem_data()
    {
        QTest::addColumn<QByteArray>("httpProxy");
        QTest::addColumn<QByteArray>("noProxy");
        QTest::addColumn<QByteArray>("queryAddress");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("info");
        QTest::newRow("http proxy on loopback")
            << QByteArray("http://127.0.0.1:3128") << QByteArray() << QByteArray() << QStringList{"127.0.0.1"}
            << "127.0.0.1, port:3128\nTunneling Capability\nCaching Capability\nHost Name Lookup Capability";
        QTest::newRow("socks proxy on loopback")
            << QByteArray("socks5h://127.0.0.2:1080") << QByteArray() << QByteArray() << QStringList{"127.0.0.2"}
            << "127.0.0.2, port:1080\nHost Name Lookup Capability";
        QTest::newRow("no proxy set") << QByteArray() << QByteArray() << QByteArray() << QStringList() << "";
        QTest::newRow("queried address excluded by no_proxy")
            << QByteArray("http://127.0.0.1:3128") << QByteArray("localhost,.example.org")
            << QByteArray("http://search.example.org/") << QStringList() << "";
    }

    void turningTheProxyOnAsksTheSystem()
    {
        QFETCH(QByteArray, httpProxy);
        QFETCH(QByteArray, noProxy);
        QFETCH(QByteArray, queryAddress);
        QFETCH(QStringList, rows);
        QFETCH(QString, info);
        GuiTestHome home;
        resetConfiguration();
        if (!httpProxy.isEmpty())
            qputenv("http_proxy", httpProxy);
        if (!noProxy.isEmpty())
            qputenv("no_proxy", noProxy);
        if (!queryAddress.isEmpty())
            qputenv("TESSAQUILL_PROXY_QUERY_URL", queryAddress);

        DialogSettings dialog;
        dialog.show();
        ModalAnswerer answerer;
        if (rows.isEmpty())
            answerer.pressNext(QMessageBox::Ok);
        child<QRadioButton>(dialog, "radioButtonProxyEnabled")->click();

        QCOMPARE(rowTexts(dialog), rows);
        QCOMPARE(capabilities(dialog), info);
        QVERIFY(child<QLabel>(dialog, "labelInfoSearchProxies")->isHidden());
        QCOMPARE(AppConfiguration::getInstance()->systemProxies.size(), rows.size());
        if (rows.isEmpty()) {
            QCOMPARE(answerer.seen().size(), 1);
            QCOMPARE(answerer.seen().first().text, QString::fromLatin1(noProxyFound));
            QVERIFY(child<QRadioButton>(dialog, "radioButtonNoProxy")->isChecked());
            QVERIFY(proxyWidgetsEnabled(dialog, false));
        } else {
            QCOMPARE(answerer.answeredCount(), 0);
            QCOMPARE(child<QTableWidget>(dialog, "tableWidgetListProxies")->currentRow(), 0);
            QVERIFY(proxyWidgetsEnabled(dialog, true));
        }
    }

    // Two proxies the system reported earlier; the stored name may or may not be among them.
    void storedListAndAcceptance_data()
    {
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<bool>("clearSelection");
        QTest::addColumn<int>("pickRow");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("appliedPort");
        const QString beta = QStringLiteral("beta.example, port:1080\nTunneling Capability\nListening Capability\n"
                                            "UDP Tunneling Capability\nHost Name Lookup Capability");
        QTest::newRow("stored proxy listed") << "beta.example" << false << -1 << 1 << beta << "1" << "beta.example"
                                             << 1080;
        QTest::newRow("stored proxy listed, selection cleared")
            << "beta.example" << true << -1 << 1 << beta << "1" << "beta.example" << 1080;
        QTest::newRow("stored proxy no longer listed") << "gamma.example" << false << -1 << -1 << "" << "0" << ""
                                                       << 0;
        QTest::newRow("another row picked") << "gamma.example" << false << 0 << 0
                                            << "alpha.example, port:8080\nTunneling Capability\nCaching Capability\n"
                                               "Host Name Lookup Capability"
                                            << "1" << "alpha.example" << 8080;
    }

    void storedListAndAcceptance()
    {
        QFETCH(QString, storedName);
        QFETCH(bool, clearSelection);
        QFETCH(int, pickRow);
        QFETCH(int, currentRow);
        QFETCH(QString, info);
        QFETCH(QString, enabled);
        QFETCH(QString, name);
        QFETCH(int, appliedPort);
        GuiTestHome home;
        resetConfiguration();
        // Were the system asked, it would answer with this one.
        qputenv("http_proxy", "http://127.0.0.1:3128");
        AppConfiguration *config = AppConfiguration::getInstance();
        config->proxyName = storedName;
        config->systemProxies = {QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("alpha.example"), 8080),
                                 QNetworkProxy(QNetworkProxy::Socks5Proxy, QStringLiteral("beta.example"), 1080)};

        DialogSettings dialog;
        dialog.show();
        child<QRadioButton>(dialog, "radioButtonProxyEnabled")->click();
        auto *table = child<QTableWidget>(dialog, "tableWidgetListProxies");
        QCOMPARE(rowTexts(dialog), QStringList({"alpha.example", "beta.example"}));
        if (pickRow >= 0)
            table->setCurrentCell(pickRow, 0);
        QCOMPARE(table->currentRow(), currentRow);
        QCOMPARE(table->selectedItems().size(), currentRow >= 0 ? 1 : 0);
        QCOMPARE(capabilities(dialog), info);
        QVERIFY(proxyWidgetsEnabled(dialog, true));
        if (clearSelection)
            table->clearSelection();

        type(dialog, "lineEditProxyLogin", QStringLiteral("reader"));
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(storedValue("Proxy", "Enabled"), enabled);
        QCOMPARE(storedValue("Proxy", "Name"), name);
        QCOMPARE(storedValue("Proxy", "Login"), enabled == QLatin1String("1") ? QStringLiteral("reader") : QString(""));
        const QNetworkProxy applied = QNetworkProxy::applicationProxy();
        QCOMPARE(applied.hostName(), name);
        QCOMPARE(int(applied.port()), appliedPort);
        QCOMPARE(config->proxy, applied);
    }

    void offAndOnReusesTheListAndRefreshAsksAgain()
    {
        GuiTestHome home;
        resetConfiguration();
        qputenv("http_proxy", "http://127.0.0.1:3128");
        AppConfiguration *config = AppConfiguration::getInstance();
        config->systemProxies = {QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("stored.example"), 8080)};

        DialogSettings dialog;
        dialog.show();
        child<QRadioButton>(dialog, "radioButtonProxyEnabled")->click();
        QCOMPARE(rowTexts(dialog), QStringList{"stored.example"});
        child<QRadioButton>(dialog, "radioButtonNoProxy")->click();
        QVERIFY(proxyWidgetsEnabled(dialog, false));
        QCOMPARE(rowTexts(dialog), QStringList{"stored.example"});
        child<QRadioButton>(dialog, "radioButtonProxyEnabled")->click();
        QCOMPARE(rowTexts(dialog), QStringList{"stored.example"});

        child<QPushButton>(dialog, "pushButtonRefreshProxies")->click();
        QCOMPARE(rowTexts(dialog), QStringList{"127.0.0.1"});
        QCOMPARE(child<QTableWidget>(dialog, "tableWidgetListProxies")->currentRow(), 0);
        QCOMPARE(config->systemProxies.size(), 1);
        QCOMPARE(config->systemProxies.first().hostName(), QStringLiteral("127.0.0.1"));
        QVERIFY(child<QPushButton>(dialog, "pushButtonRefreshProxies")->isEnabled());
        QVERIFY(child<QLabel>(dialog, "labelInfoSearchProxies")->isHidden());

        // The list asked for survives a Cancel; nothing else does.
        clickButtonBox(&dialog, QDialogButtonBox::Cancel);
        QCOMPARE(config->systemProxies.first().hostName(), QStringLiteral("127.0.0.1"));
        QVERIFY(!config->proxyEnabled);
        QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
    }

    void refreshFindingNothingFallsBackToNoProxy()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->systemProxies = {QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("stored.example"), 8080)};
        DialogSettings dialog;
        dialog.show();
        child<QRadioButton>(dialog, "radioButtonProxyEnabled")->click();

        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        child<QPushButton>(dialog, "pushButtonRefreshProxies")->click();
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().text, QString::fromLatin1(noProxyFound));
        QVERIFY(rowTexts(dialog).isEmpty());
        QVERIFY(config->systemProxies.isEmpty());
        QVERIFY(child<QRadioButton>(dialog, "radioButtonNoProxy")->isChecked());
        QVERIFY(child<QPushButton>(dialog, "pushButtonRefreshProxies")->isEnabled());
        QVERIFY(!child<QTableWidget>(dialog, "tableWidgetListProxies")->isEnabled());
        QVERIFY(!child<QLineEdit>(dialog, "lineEditProxyLogin")->isEnabled());
    }

    void twoProxiesOfOneHostName()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration *config = AppConfiguration::getInstance();
        config->proxyName = QStringLiteral("dup.example");
        config->systemProxies = {QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("dup.example"), 1000),
                                 QNetworkProxy(QNetworkProxy::Socks5Proxy, QStringLiteral("dup.example"), 2000)};
        DialogSettings dialog;
        dialog.show();
        child<QRadioButton>(dialog, "radioButtonProxyEnabled")->click();
        QCOMPARE(rowTexts(dialog), QStringList({"dup.example", "dup.example"}));
        QCOMPARE(child<QTableWidget>(dialog, "tableWidgetListProxies")->currentRow(), 1);
        QVERIFY(capabilities(dialog).startsWith(QLatin1String("dup.example, port:2000\n")));

        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(QNetworkProxy::applicationProxy().type(), QNetworkProxy::HttpProxy);
        QCOMPARE(QNetworkProxy::applicationProxy().port(), quint16(1000));
    }

    void storedNoProxyEntryShowsAsAnEmptyRow()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration::getInstance()->systemProxies = {QNetworkProxy(QNetworkProxy::NoProxy)};
        DialogSettings dialog;
        dialog.show();
        child<QRadioButton>(dialog, "radioButtonProxyEnabled")->click();
        QCOMPARE(rowTexts(dialog), QStringList{QString()});
    }
};

QTEST_MAIN(tst_DialogSettingsProxy)
#include "tst_DialogSettingsProxy.moc"
