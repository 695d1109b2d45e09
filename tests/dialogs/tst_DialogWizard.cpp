#include "dialogs/DialogWizard.h"
#include "config/ServersConfiguration.h"
#include "model/NntpServer.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "widgets/AppVersion.h"

#include "ModalAnswerer.h"
#include "ShownImage.h"
#include "WidgetPicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

namespace {

const QString Warning = QStringLiteral("Warning");
const QString ExtraSpaces = QStringLiteral("Your password contains extra spaces. Do you want to remove them?");


// The wizard driven through its widgets, shown without modality so that the only modal windows
// are the boxes it opens.
struct Wizard
{
    Wizard()
        : builtModal(dialog.isModal())
    {
        dialog.setModal(false);
        dialog.show();
    }

    template<typename T = QWidget>
    T *find(const QString &name) const { return dialog.findChild<T *>(name); }
    QLineEdit *field(const QString &name) const { return find<QLineEdit>(name); }
    QPushButton *next() const { return find<QPushButton>(QStringLiteral("pushButtonNext")); }
    QPushButton *back() const { return find<QPushButton>(QStringLiteral("pushButtonBack")); }
    QPushButton *cancel() const { return find<QPushButton>(QStringLiteral("pushButtonCancel")); }
    int page() const { return find<QStackedWidget>(QStringLiteral("stackedWidgetWizard"))->currentIndex(); }
    void type(const QString &name, const QString &text)
    {
        field(name)->clear();
        QTest::keyClicks(field(name), text);
    }
    void tick(const QString &name, bool checked)
    {
        auto *box = find<QCheckBox>(name);
        if (box->isChecked() != checked)
            box->click();
    }
    // Page, Back enabled, Next text, Cancel shown.
    QString state() const
    {
        return QStringList{QString::number(page()), back()->isEnabled() ? QStringLiteral("back") : QStringLiteral("-"),
                           next()->text(), cancel()->isVisible() ? QStringLiteral("cancel") : QStringLiteral("-")}
            .join(QLatin1Char(' '));
    }

    DialogWizard dialog;
    const bool builtModal;
};

const QString Start = QStringLiteral("0 - Next > cancel");
const QString Credentials = QStringLiteral("1 back Next > cancel");
const QString End = QStringLiteral("2 back Finished -");

} // namespace

class tst_DialogWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void formAsBuilt();
    void walkWithoutCredentials();
    void walkWithCredentials();
    void refusals_data();
    void refusals();
    void addressWithPort_data();
    void addressWithPort();
    void passwordBlanks_data();
    void passwordBlanks();
    void resetAfterAFinishedRun();
    void cancelRejectsAndKeepsFields();
    void runAsTheMainWindowDoes();
    void pastedTextsKeepTheServerWithinItsRecord();
};

void tst_DialogWizard::formAsBuilt()
{
    Wizard wizard;
    DialogWizard &dialog = wizard.dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("DialogWizard"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Tessaquill+ - Configuration Wizard"));
    QVERIFY(wizard.builtModal);
    QCOMPARE(dialog.size(), QSize(572, 371));
    QCOMPARE(dialog.minimumSize(), QSize(572, 371));
    QCOMPARE(dialog.maximumSize(), QSize(572, 371));
    QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
    QCOMPARE(dialog.font().pointSize(), 10);
    QVERIFY(showsImage(dialog.windowIcon(), QStringLiteral(":/images/wizard.png")));

    auto *stack = wizard.find<QStackedWidget>(QStringLiteral("stackedWidgetWizard"));
    QCOMPARE(stack->count(), 3);
    const QStringList pages = {QStringLiteral("page"), QStringLiteral("page_2"), QStringLiteral("page_3")};
    const QList<QStringList> texts = {
        {QStringLiteral("Welcome to the server Wizard Configuration!"),
         QStringLiteral("Type the address of your internet news (NNTP) server."),
         QStringLiteral("News (NNTP) server address:"), QStringLiteral("Number of connections:")},
        {QStringLiteral("User name and password"),
         QStringLiteral("Enter the user name and password provided by your news (NNTP) provider."),
         QStringLiteral("User name:"), QStringLiteral("Password:")},
        {QStringLiteral("Congratulations!"),
         QStringLiteral("You have successfully configured your news (NNTP) server. It will be added to the servers list "
                        "when you click on Finished."),
         QStringLiteral("You can access to its configuration by double-clicking the server name.")},
    };
    for (int i = 0; i < pages.size(); ++i) {
        QWidget *page = stack->widget(i);
        QCOMPARE(page->objectName(), pages.at(i));
        QStringList shown;
        bool headedByImage = false;
        for (QLabel *label : page->findChildren<QLabel *>()) {
            shown << label->text();
            if (showsImage(label->pixmap(Qt::ReturnByValue), QStringLiteral(":/images/wizard.png")))
                headedByImage = true;
        }
        QVERIFY2(headedByImage, qPrintable(pages.at(i)));
        for (const QString &text : texts.at(i))
            QVERIFY2(shown.contains(text), qPrintable(text));
    }
    QCOMPARE(wizard.field(QStringLiteral("lineEditServerName"))->parentWidget()->objectName(), QStringLiteral("page"));
    QCOMPARE(wizard.find<QCheckBox>(QStringLiteral("checkBoxNeedUserNamePwd"))->text(),
             QStringLiteral("News (NNTP) server requires a user name and password"));
    QCOMPARE(wizard.find<QCheckBox>(QStringLiteral("checkBoxServerSsl"))->text(),
             QStringLiteral("News (NNTP) server uses SSL encryption"));
    QCOMPARE(wizard.field(QStringLiteral("lineEditLogin"))->maxLength(), 512);
    QCOMPARE(wizard.field(QStringLiteral("lineEditPassword"))->maxLength(), 512);
    QCOMPARE(wizard.field(QStringLiteral("lineEditPassword"))->echoMode(), QLineEdit::PasswordEchoOnEdit);
    QCOMPARE(wizard.field(QStringLiteral("lineEditLogin"))->parentWidget()->objectName(), QStringLiteral("page_2"));

    auto *combo = wizard.find<QComboBox>(QStringLiteral("comboBoxNbConnections"));
    QCOMPARE(combo->count(), 100);
    for (int i = 0; i < combo->count(); ++i)
        QCOMPARE(combo->itemText(i), QString::number(i + 1));
    QCOMPARE(combo->currentText(), QStringLiteral("1"));
    QCOMPARE(wizard.back()->text(), QStringLiteral("< Back"));
    QCOMPARE(wizard.cancel()->text(), QStringLiteral("Cancel"));
    QCOMPARE(wizard.state(), Start);
    QCOMPARE(dialog.focusWidget(), wizard.field(QStringLiteral("lineEditServerName")));
    WidgetPicture::save(&dialog, QStringLiteral("DialogWizard"));
}

void tst_DialogWizard::walkWithoutCredentials()
{
    Wizard wizard;
    QSignalSpy accepted(&wizard.dialog, &QDialog::accepted);
    wizard.type(QStringLiteral("lineEditServerName"), QStringLiteral("  news.example.net "));
    wizard.tick(QStringLiteral("checkBoxServerSsl"), true);
    wizard.find<QComboBox>(QStringLiteral("comboBoxNbConnections"))->setCurrentIndex(7);

    wizard.next()->click();
    QCOMPARE(wizard.state(), End);
    WidgetPicture::save(&wizard.dialog, QStringLiteral("DialogWizard_end"));
    wizard.back()->click();
    QCOMPARE(wizard.state(), Start);
    wizard.next()->click();
    QCOMPARE(wizard.state(), End);
    QCOMPARE(accepted.count(), 0);
    wizard.next()->click();
    QCOMPARE(accepted.count(), 1);
    QVERIFY(!wizard.dialog.isVisible());

    QCOMPARE(wizard.dialog.getServerName(), QStringLiteral("news.example.net"));
    QCOMPARE(wizard.field(QStringLiteral("lineEditServerName"))->text(), QStringLiteral("  news.example.net "));
    QVERIFY(wizard.dialog.isServerSsl());
    QVERIFY(!wizard.dialog.isAuthenticationNeeded());
    QCOMPARE(wizard.dialog.getNbConnections(), 8u);
}

void tst_DialogWizard::walkWithCredentials()
{
    Wizard wizard;
    QSignalSpy accepted(&wizard.dialog, &QDialog::accepted);
    wizard.type(QStringLiteral("lineEditServerName"), QStringLiteral("news.example.net"));
    wizard.tick(QStringLiteral("checkBoxNeedUserNamePwd"), true);
    wizard.find<QComboBox>(QStringLiteral("comboBoxNbConnections"))->setCurrentIndex(99);

    wizard.next()->click();
    QCOMPARE(wizard.state(), Credentials);
    wizard.type(QStringLiteral("lineEditLogin"), QStringLiteral(" reader "));
    wizard.type(QStringLiteral("lineEditPassword"), QStringLiteral("pass word"));
    WidgetPicture::save(&wizard.dialog, QStringLiteral("DialogWizard_credentials"));
    wizard.next()->click();
    QCOMPARE(wizard.state(), End);
    wizard.back()->click();
    QCOMPARE(wizard.state(), Credentials);
    wizard.back()->click();
    QCOMPARE(wizard.state(), Start);
    wizard.next()->click();
    wizard.next()->click();
    QCOMPARE(wizard.state(), End);
    wizard.next()->click();
    QCOMPARE(accepted.count(), 1);

    QCOMPARE(wizard.dialog.getServerName(), QStringLiteral("news.example.net"));
    QVERIFY(!wizard.dialog.isServerSsl());
    QVERIFY(wizard.dialog.isAuthenticationNeeded());
    QCOMPARE(wizard.dialog.getLogin(), QStringLiteral("reader"));
    QCOMPARE(wizard.field(QStringLiteral("lineEditLogin"))->text(), QStringLiteral(" reader "));
    QCOMPARE(wizard.dialog.getPassword(), QStringLiteral("pass word"));
    QCOMPARE(wizard.dialog.getNbConnections(), 100u);
}

void tst_DialogWizard::refusals_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("credentials");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expectMessage");
    QTest::addColumn<QString>("expectState");

    const QString host = QStringLiteral("news.example.net");
    const QString noServer = QStringLiteral("Please enter the name of your news (NNTP) server.");
    QTest::newRow("no address") << QString() << false << QString() << QString() << noServer << Start;
    QTest::newRow("address of blanks") << QStringLiteral("   ") << true << QString() << QString() << noServer << Start;
    QTest::newRow("no login") << host << true << QString() << QStringLiteral("secret")
        << QStringLiteral("Please enter the user name.") << Credentials;
    QTest::newRow("login of blanks") << host << true << QStringLiteral("   ") << QStringLiteral("secret")
        << QStringLiteral("Please enter the user name.") << Credentials;
    QTest::newRow("no password") << host << true << QStringLiteral("reader") << QString()
        << QStringLiteral("Please enter the password.") << Credentials;
}

void tst_DialogWizard::refusals()
{
    QFETCH(QString, address);
    QFETCH(bool, credentials);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, expectMessage);

    Wizard wizard;
    wizard.type(QStringLiteral("lineEditServerName"), address);
    wizard.tick(QStringLiteral("checkBoxNeedUserNamePwd"), credentials);
    if (!address.trimmed().isEmpty()) {
        wizard.next()->click();
        wizard.type(QStringLiteral("lineEditLogin"), login);
        wizard.type(QStringLiteral("lineEditPassword"), password);
    }
    wizard.next()->setFocus();
    QWidget *focused = wizard.dialog.focusWidget();

    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    wizard.next()->click();
    QCOMPARE(answerer.answeredCount(), 1);
    const ModalAnswerer::Seen &box = answerer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Information"));
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.text, expectMessage);
    QTEST(wizard.state(), "expectState");
    QVERIFY(wizard.dialog.isVisible());
    QCOMPARE(wizard.dialog.focusWidget(), focused);
    // The fields keep what was typed.
    QCOMPARE(wizard.field(QStringLiteral("lineEditServerName"))->text(), address);
    QCOMPARE(wizard.field(QStringLiteral("lineEditLogin"))->text(), address.trimmed().isEmpty() ? QString() : login);
}

// A port typed after the address is the server's port (the wizard has no port field); one that
// is no port number is refused with a word on where the port is set.
void tst_DialogWizard::addressWithPort_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expectName"); // empty: refused
    QTest::addColumn<int>("expectPort");

    QTest::newRow("address alone") << "news.example.net" << "news.example.net" << 0;
    QTest::newRow("address and port") << "127.0.0.1:11119" << "127.0.0.1" << 11119;
    QTest::newRow("blanks around") << "  news.example.net:563 " << "news.example.net" << 563;
    QTest::newRow("highest port") << "news.example.net:65535" << "news.example.net" << 65535;
    QTest::newRow("IPv6 address alone") << "2001:db8::1" << "2001:db8::1" << 0;
    QTest::newRow("IPv6 in brackets") << "[::1]" << "::1" << 0;
    QTest::newRow("IPv6 in brackets and port") << "[2001:db8::1]:119" << "2001:db8::1" << 119;
    QTest::newRow("colon without port") << "news.example.net:" << QString() << 0;
    QTest::newRow("port 0") << "news.example.net:0" << QString() << 0;
    QTest::newRow("port above 65535") << "news.example.net:65536" << QString() << 0;
    QTest::newRow("port in words") << "news.example.net:nntp" << QString() << 0;
    QTest::newRow("signed port") << "news.example.net:+119" << QString() << 0;
    QTest::newRow("text after brackets") << "[::1]119" << QString() << 0;
}

void tst_DialogWizard::addressWithPort()
{
    QFETCH(QString, typed);
    QFETCH(QString, expectName);
    QFETCH(int, expectPort);

    Wizard wizard;
    wizard.type(QStringLiteral("lineEditServerName"), typed);
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    wizard.next()->click();
    if (expectName.isEmpty()) {
        QCOMPARE(answerer.answeredCount(), 1);
        const ModalAnswerer::Seen &box = answerer.seen().first();
        QCOMPARE(box.title, QStringLiteral("Information"));
        QVERIFY2(box.text.contains(QLatin1String("not a port number from 1 to 65535"))
                     && box.text.contains(QLatin1String("server editor")),
                 qPrintable(box.text));
        QCOMPARE(wizard.state(), Start);
        QCOMPARE(wizard.field(QStringLiteral("lineEditServerName"))->text(), typed);
        return;
    }
    QCOMPARE(answerer.answeredCount(), 0);
    QCOMPARE(wizard.state(), End);
    QCOMPARE(wizard.dialog.getServerName(), expectName);
    QCOMPARE(wizard.dialog.getServerPort(), expectPort);
}

void tst_DialogWizard::passwordBlanks_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::addColumn<QString>("expectPassword");

    QTest::newRow("trailing blank, Ok") << QStringLiteral("secret ") << int(QMessageBox::Ok) << QStringLiteral("secret");
    QTest::newRow("trailing blank, No") << QStringLiteral("secret ") << int(QMessageBox::No) << QStringLiteral("secret ");
    QTest::newRow("leading blank and tab, Ok") << QStringLiteral(" \tsecret") << int(QMessageBox::Ok)
        << QStringLiteral("secret");
    QTest::newRow("blanks only, Ok leaves it empty") << QStringLiteral("   ") << int(QMessageBox::Ok) << QString();
    QTest::newRow("trailing tab asks nothing") << QStringLiteral("secret\t") << 0 << QStringLiteral("secret\t");
}

void tst_DialogWizard::passwordBlanks()
{
    QFETCH(QString, password);
    QFETCH(int, answer);

    Wizard wizard;
    wizard.type(QStringLiteral("lineEditServerName"), QStringLiteral("news.example.net"));
    wizard.tick(QStringLiteral("checkBoxNeedUserNamePwd"), true);
    wizard.next()->click();
    wizard.type(QStringLiteral("lineEditLogin"), QStringLiteral("reader"));
    wizard.field(QStringLiteral("lineEditPassword"))->setText(password); // a typed tab would move the focus

    ModalAnswerer answerer;
    if (answer)
        answerer.pressNext(QMessageBox::StandardButton(answer));
    else
        answerer.rejectNext();
    wizard.next()->click();
    QCOMPARE(answerer.answeredCount(), answer ? 1 : 0);
    if (answer) {
        const ModalAnswerer::Seen &box = answerer.seen().first();
        // Titled with the program's name: an untitled box would carry the name of its data folder.
        QCOMPARE(box.title, AppVersion::displayName());
        QCOMPARE(box.text, Warning);
        QCOMPARE(box.informativeText, ExtraSpaces);
        QCOMPARE(box.defaultButton, QMessageBox::Ok);
    }
    QCOMPARE(wizard.state(), End);
    QTEST(wizard.dialog.getPassword(), "expectPassword");
    QTEST(wizard.field(QStringLiteral("lineEditPassword"))->text(), "expectPassword");
}

void tst_DialogWizard::resetAfterAFinishedRun()
{
    Wizard wizard;
    wizard.type(QStringLiteral("lineEditServerName"), QStringLiteral("news.example.net"));
    wizard.tick(QStringLiteral("checkBoxNeedUserNamePwd"), true);
    wizard.tick(QStringLiteral("checkBoxServerSsl"), true);
    wizard.find<QComboBox>(QStringLiteral("comboBoxNbConnections"))->setCurrentIndex(5);
    wizard.next()->click();
    wizard.type(QStringLiteral("lineEditLogin"), QStringLiteral("reader"));
    wizard.type(QStringLiteral("lineEditPassword"), QStringLiteral("secret"));
    wizard.next()->click();
    wizard.next()->click();
    QVERIFY(!wizard.dialog.isVisible());

    wizard.dialog.reset();
    wizard.dialog.show();
    QCOMPARE(wizard.state(), Start);
    QVERIFY(wizard.next()->isEnabled());
    QVERIFY(wizard.field(QStringLiteral("lineEditServerName"))->text().isEmpty());
    QVERIFY(wizard.field(QStringLiteral("lineEditLogin"))->text().isEmpty());
    QVERIFY(wizard.field(QStringLiteral("lineEditPassword"))->text().isEmpty());
    QVERIFY(!wizard.dialog.isAuthenticationNeeded());
    QVERIFY(!wizard.dialog.isServerSsl());
    QCOMPARE(wizard.dialog.getNbConnections(), 1u);
}

void tst_DialogWizard::cancelRejectsAndKeepsFields()
{
    Wizard wizard;
    QSignalSpy rejected(&wizard.dialog, &QDialog::rejected);
    wizard.type(QStringLiteral("lineEditServerName"), QStringLiteral("news.example.net"));
    wizard.tick(QStringLiteral("checkBoxNeedUserNamePwd"), true);
    wizard.next()->click();
    wizard.cancel()->click();
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!wizard.dialog.isVisible());
    // Shown again without reset(), it is where the user left it.
    wizard.dialog.show();
    QCOMPARE(wizard.state(), Credentials);
    QCOMPARE(wizard.dialog.getServerName(), QStringLiteral("news.example.net"));
    QTest::keyClick(&wizard.dialog, Qt::Key_Escape);
    QCOMPARE(rejected.count(), 2);
}

void tst_DialogWizard::runAsTheMainWindowDoes()
{
    QWidget window;
    DialogWizard wizard(&window);
    int accepts = 0;
    connect(&wizard, &QDialog::accepted, this, [&] { ++accepts; });

    ModalAnswerer answerer;
    answerer.handleNext([](QWidget *shown) {
        shown->findChild<QLineEdit *>(QStringLiteral("lineEditServerName"))->setText(QStringLiteral("news.example.net"));
        auto *next = shown->findChild<QPushButton *>(QStringLiteral("pushButtonNext"));
        next->click();
        next->click();
    });
    QCOMPARE(wizard.exec(), int(QDialog::Accepted));
    QCOMPARE(accepts, 1);
    QCOMPARE(wizard.getServerName(), QStringLiteral("news.example.net"));
}

// The address becomes the nickname too: with the login and the password, pasted texts stop
// where the server the main window makes of them still fits in its record.
void tst_DialogWizard::pastedTextsKeepTheServerWithinItsRecord()
{
    Wizard wizard;
    wizard.field(QStringLiteral("lineEditServerName"))->setText(QString(3000, QLatin1Char('h')));
    wizard.tick(QStringLiteral("checkBoxNeedUserNamePwd"), true);
    wizard.field(QStringLiteral("lineEditLogin"))->setText(QString(3000, QLatin1Char('l')));
    wizard.field(QStringLiteral("lineEditPassword"))->setText(QString(3000, QLatin1Char('p')));
    QCOMPARE(wizard.dialog.getServerName().size(), 256);
    QCOMPARE(wizard.dialog.getLogin().size(), 512);
    QCOMPARE(wizard.dialog.getPassword().size(), 512);
    NntpServer server;
    server.strHost = wizard.dialog.getServerName();
    server.strNickname = server.strHost;
    server.strLogin = wizard.dialog.getLogin();
    server.strPassword = wizard.dialog.getPassword();
    QVERIFY(ServersConfiguration::fitsInRecord(server));
}

QTEST_MAIN(tst_DialogWizard)
#include "tst_DialogWizard.moc"
