#include "dialogs/DialogServerManagement.h"

#include "ui_DialogServerManagement.h"

#include "widgets/AppVersion.h"
#include "widgets/SizeSpeedText.h"
#include "config/ServersConfiguration.h"
#include "dialogs/ServerFieldRules.h"
#include "dialogs/ThreadTestConnection.h"
#include "model/NntpServer.h"
#include "widgets/WindowTextFit.h"

#include <QCloseEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMessageBox>

#include <limits>

namespace {

const int MaximumConnections = ServerFieldRules::MaxConnections;
const int LowestPort = ServerFieldRules::LowestPort;
const int HighestPort = ServerFieldRules::HighestPort;

void trimInPlace(QLineEdit *field)
{
    const QString trimmed = field->text().trimmed();
    if (trimmed != field->text())
        field->setText(trimmed);
}

// The port field read as an unsigned number; 0 when it is empty or not a number. A number
// too large for the record's field stays out of range instead of wrapping.
qint32 portFromText(const QString &text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok, 10);
    if (!ok)
        return 0;
    return static_cast<qint32>(qMin<uint>(port, static_cast<uint>(std::numeric_limits<qint32>::max())));
}

} // namespace

DialogServerManagement::DialogServerManagement(QWidget *parent)
    : QDialog(parent),
      server(nullptr),
      ui(new Ui::DialogServerManagement),
      counterReset(false),
      fieldsChangedDuringTest(false),
      testTimeoutMs(0)
{
    ui->setupUi(this);
    WindowTextFit::install(this);

    for (int count = 1; count <= MaximumConnections; ++count)
        ui->comboBoxNbConnections->addItem(QString::number(count));
    ui->comboBoxNbConnections->setCurrentIndex(0);

    // Bounded so that every server the editor accepts fits in its record.
    ui->lineEditServerName->setMaxLength(ServerFieldRules::MaxHostLength);
    ui->lineEditServerNickname->setMaxLength(ServerFieldRules::MaxNicknameLength);
    ui->lineEditLogin->setMaxLength(ServerFieldRules::MaxLoginLength);
    ui->lineEditPassword->setMaxLength(ServerFieldRules::MaxPasswordLength);
    ui->lineEditPort->setValidator(new QIntValidator(LowestPort, HighestPort, this));
    ui->lineEditPort->setText(ServerFieldRules::defaultPort(false));

    connect(ui->lineEditPort, &QLineEdit::editingFinished, this, &DialogServerManagement::lineEditPortFinished);
    connect(ui->lineEditServerName, &QLineEdit::editingFinished,
            this, &DialogServerManagement::lineEditServerNameFinished);
    connect(ui->pushButtonTestConnection, &QPushButton::clicked, this, &DialogServerManagement::slotTestConnection,
            Qt::UniqueConnection);

    // A test result describes the fields it was made with: once they change, it goes.
    for (QLineEdit *field : {ui->lineEditServerName, ui->lineEditPort, ui->lineEditLogin, ui->lineEditPassword})
        connect(field, &QLineEdit::textChanged, this, &DialogServerManagement::slotConnectionFieldChanged);
    for (QCheckBox *box : {ui->checkBoxAuthentication, ui->checkBoxSecuredConnection})
        connect(box, &QCheckBox::toggled, this, &DialogServerManagement::slotConnectionFieldChanged);
}

// A test still running is left to end on its own: its thread deletes itself.
DialogServerManagement::~DialogServerManagement()
{
    // Destroying a shown dialog hides it, and the field that loses the focus then reports the
    // end of its editing: that must not reach the slots of a dialog half destroyed.
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
    delete ui;
}

// ---------------------------------------------------------------------------------------
// Setters

void DialogServerManagement::setTitle(const QString &title)
{
    setWindowTitle(title);
}

void DialogServerManagement::setServerName(const QString &name)
{
    ServerFieldRules::setBoundedText(ui->lineEditServerName, name, ServerFieldRules::MaxHostLength);
}

void DialogServerManagement::setServerNickname(const QString &nickname)
{
    ServerFieldRules::setBoundedText(ui->lineEditServerNickname, nickname, ServerFieldRules::MaxNicknameLength);
}

void DialogServerManagement::setServerPort(uint port)
{
    ui->lineEditPort->setText(QString::number(port));
}

void DialogServerManagement::setNbConnections(uint count)
{
    const uint index = count == 0 ? 0 : qMin<uint>(count, MaximumConnections) - 1;
    ui->comboBoxNbConnections->setCurrentIndex(static_cast<int>(index));
}

void DialogServerManagement::setSecuredConnection(bool ssl)
{
    ui->checkBoxSecuredConnection->setChecked(ssl);
}

void DialogServerManagement::setAuthentication(const QString &login, const QString &password)
{
    ui->checkBoxAuthentication->setChecked(true);
    ServerFieldRules::setBoundedText(ui->lineEditLogin, login, ServerFieldRules::MaxLoginLength);
    ServerFieldRules::setBoundedText(ui->lineEditPassword, password, ServerFieldRules::MaxPasswordLength);
}

void DialogServerManagement::setCounter(quint64 bytes, const QDateTime &since)
{
    ui->lineEditCounter->setText(formatSize(static_cast<double>(bytes / 1024)));
    ui->labelDateCounter->setText(since.toString(Qt::TextDate));
    if (bytes != 0)
        ui->pushButtonResetCounter->setEnabled(true);
}

QString DialogServerManagement::formatSize(double kib)
{
    return SizeSpeedText::format(kib, {tr("KiB"), tr("MiB"), tr("GiB"), tr("TiB")});
}

// ---------------------------------------------------------------------------------------
// The record and its checks

void DialogServerManagement::deleteServer()
{
    delete server;
    server = nullptr;
}

void DialogServerManagement::createServerFromFields()
{
    trimInPlace(ui->lineEditServerName);
    trimInPlace(ui->lineEditServerNickname);
    trimInPlace(ui->lineEditLogin);

    deleteServer();
    server = new NntpServer(this);
    server->bStarted = false;
    if (ui->checkBoxAuthentication->isChecked()) {
        server->strLogin = ui->lineEditLogin->text();
        server->strPassword = ui->lineEditPassword->text();
    }
    server->iConnectionCount = static_cast<qint32>(ui->comboBoxNbConnections->currentText().toUInt());
    server->strNickname = ui->lineEditServerNickname->text();
    server->iPort = portFromText(ui->lineEditPort->text());
    server->strHost = ui->lineEditServerName->text();
    server->bSsl = ui->checkBoxSecuredConnection->isChecked();
    server->iId = 0;
    server->bReserved = false;
}

bool DialogServerManagement::refuse(const QString &message, QLineEdit *field)
{
    QMessageBox::critical(this, tr("Tessaquill+"), message);
    field->setFocus(Qt::OtherFocusReason);
    return false;
}

bool DialogServerManagement::checkServerFields()
{
    const bool authentication = ui->checkBoxAuthentication->isChecked();
    if (server->strHost.trimmed().isEmpty())
        return refuse(tr("Server name is required"), ui->lineEditServerName);
    if (server->strNickname.trimmed().isEmpty())
        return refuse(tr("Server nickname is required"), ui->lineEditServerNickname);
    if (server->iPort < LowestPort || server->iPort > HighestPort)
        return refuse(tr("Invalid Port value"), ui->lineEditPort);
    if (authentication && server->strLogin.isEmpty())
        return refuse(tr("Login is required"), ui->lineEditLogin);
    if (authentication && server->strPassword.isEmpty())
        return refuse(tr("Password is required"), ui->lineEditPassword);

    // Only texts kept from a server stored before the fields were bounded can overflow.
    if (!ServersConfiguration::fitsInRecord(*server))
        return refuse(tr("The address, nickname, login and password are too long together to be saved"),
                      authentication ? ui->lineEditLogin : ui->lineEditServerName);

    if (authentication && ServerFieldRules::hasOuterBlank(server->strPassword)
        && ServerFieldRules::askToRemoveBlanks(tr("Warning"),
                                               tr("Your password contains extra spaces. Do you want to remove them?"))) {
        server->strPassword = server->strPassword.trimmed();
        ui->lineEditPassword->setText(server->strPassword);
    }
    return true;
}

void DialogServerManagement::slotDialogOk()
{
    createServerFromFields();
    if (checkServerFields())
        accept();
    else
        deleteServer();
}

// ---------------------------------------------------------------------------------------
// Field reactions

void DialogServerManagement::slotSslCheckChanged(int state)
{
    ui->lineEditPort->setText(ServerFieldRules::defaultPort(state == Qt::Checked));
}

void DialogServerManagement::slotAuthenticationCheckChanged(int state)
{
    const bool enabled = state == Qt::Checked;
    ui->lineEditLogin->setEnabled(enabled);
    ui->lineEditPassword->setEnabled(enabled);
}

void DialogServerManagement::lineEditPortFinished()
{
    bool ok = false;
    const int port = ui->lineEditPort->text().toInt(&ok, 10);
    if (!ok || port < 1)
        ui->lineEditPort->setText(ServerFieldRules::defaultPort(ui->checkBoxSecuredConnection->isChecked()));
    else
        ui->lineEditPort->setText(QString::number(port));
}

void DialogServerManagement::lineEditServerNameFinished()
{
    trimInPlace(ui->lineEditServerName);
    if (ui->lineEditServerNickname->text().trimmed().isEmpty())
        ui->lineEditServerNickname->setText(ui->lineEditServerName->text());
}

void DialogServerManagement::slotConnectionFieldChanged()
{
    if (isTesting())
        fieldsChangedDuringTest = true;
    else
        ui->labelInfoTestConnection->setText(restingTestText());
}

// ---------------------------------------------------------------------------------------
// Counter

void DialogServerManagement::slotResetCounter()
{
    QMessageBox question;
    question.setWindowTitle(AppVersion::displayName());
    question.setInformativeText(tr("Do you really want to reset your counter ?"));
    question.setStandardButtons(QMessageBox::Ok | QMessageBox::No);
    question.setDefaultButton(QMessageBox::Ok);
    if (question.exec() == QMessageBox::No)
        return;
    counterReset = true;
    ui->lineEditCounter->setText(tr("0 byte"));
    ui->labelDateCounter->setText(QDateTime::currentDateTime().toString(Qt::TextDate));
    ui->pushButtonResetCounter->setEnabled(false);
}

// ---------------------------------------------------------------------------------------
// Connection test

bool DialogServerManagement::isTesting() const
{
    return !ui->pushButtonCancel->isEnabled();
}

QString DialogServerManagement::restingTestText() const
{
    return tr("Click on this button to test the connection");
}

void DialogServerManagement::showTestRunning()
{
    disconnect(ui->pushButtonTestConnection, &QPushButton::clicked, this, &DialogServerManagement::slotTestConnection);
    connect(ui->pushButtonTestConnection, &QPushButton::clicked, this,
            &DialogServerManagement::slotInterruptTestConnection, Qt::UniqueConnection);
    ui->pushButtonTestConnection->setIcon(QIcon(QStringLiteral(":/images/stop.png")));
    ui->pushButtonTestConnection->setToolTip(tr("Stop the current connection test"));
    ui->pushButtonOk->setEnabled(false);
    ui->pushButtonCancel->setEnabled(false);
    ui->labelInfoTestConnection->setText(tr("Testing the connection..."));
    fieldsChangedDuringTest = false;
}

void DialogServerManagement::showTestIdle()
{
    connect(ui->pushButtonTestConnection, &QPushButton::clicked, this, &DialogServerManagement::slotTestConnection,
            Qt::UniqueConnection);
    ui->pushButtonTestConnection->setIcon(QIcon(QStringLiteral(":/images/connection_test.png")));
    ui->pushButtonTestConnection->setToolTip(tr("Test the connection"));
    ui->pushButtonOk->setEnabled(true);
    ui->pushButtonCancel->setEnabled(true);
}

// The stop role leaves the test button, and the running thread's result reaches nobody.
void DialogServerManagement::forgetTestThread()
{
    disconnect(ui->pushButtonTestConnection, &QPushButton::clicked, this,
               &DialogServerManagement::slotInterruptTestConnection);
    if (testThread)
        disconnect(testThread, &ThreadTestConnection::signalEndOfThread, this,
                   &DialogServerManagement::slotEndTestConnection);
}

void DialogServerManagement::slotTestConnection()
{
    if (isTesting())
        return;
    createServerFromFields();
    if (checkServerFields()) {
        showTestRunning();
        // No parent: closing the dialog must neither wait for the test nor destroy a running
        // thread. The thread deletes itself once its run has ended.
        auto *thread = new ThreadTestConnection();
        testThread = thread;
        thread->setServer(server);
        if (testTimeoutMs > 0)
            thread->setTimeout(testTimeoutMs);
        connect(thread, &ThreadTestConnection::signalEndOfThread, this, &DialogServerManagement::slotEndTestConnection);
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
        thread->start(QThread::InheritPriority);
    }
    deleteServer();
}

void DialogServerManagement::slotEndTestConnection(bool ok, QString error)
{
    // Only the running test's own thread ends it. A result that a stopped test had posted just
    // before the stop click still arrives, but no longer from a connected sender.
    if (!isTesting() || !testThread || sender() != testThread)
        return;
    forgetTestThread();

    const QString message = ok ? tr("You are successfully connected to the server!")
                               : tr("An error occured while connecting to the server: %1");
    ui->labelInfoTestConnection->setText(fieldsChangedDuringTest ? restingTestText()
                                                                 : ok ? message : message.arg(error.trimmed()));
    // The error comes from the server: shown as it is, never read as markup.
    QMessageBox box(ok ? QMessageBox::Information : QMessageBox::Critical, tr("Tessaquill+"),
                    ok ? message : message.arg(error), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    showTestIdle();
}

void DialogServerManagement::slotInterruptTestConnection()
{
    if (!isTesting())
        return;
    forgetTestThread();
    showTestIdle();
    ui->labelInfoTestConnection->setText(restingTestText());
}

// ---------------------------------------------------------------------------------------
// Closing: not while a test runs

void DialogServerManagement::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (ui->pushButtonCancel->isEnabled())
            reject();
        else
            event->ignore();
        return;
    }
    // Not QDialog's handling: Return typed in a field presses no default button.
    QWidget::keyPressEvent(event);
}

void DialogServerManagement::closeEvent(QCloseEvent *event)
{
    if (ui->pushButtonCancel->isEnabled())
        QDialog::closeEvent(event);
    else
        event->ignore();
}
