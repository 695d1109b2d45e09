#include "dialogs/DialogWizard.h"

#include "ui_DialogWizard.h"

#include "dialogs/ServerFieldRules.h"
#include "widgets/WindowTextFit.h"

#include <QMessageBox>

namespace {

const int MaximumConnections = ServerFieldRules::MaxConnections;

} // namespace

DialogWizard::DialogWizard(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogWizard)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    ui->stackedWidgetWizard->setCurrentIndex(ServerPage);
    ui->lineEditServerName->setFocus(Qt::OtherFocusReason);
    // The address also becomes the server's nickname: it keeps to the nickname's bound, so that
    // the server always fits in its record.
    ui->lineEditServerName->setMaxLength(ServerFieldRules::MaxNicknameLength);
    ui->lineEditLogin->setMaxLength(ServerFieldRules::MaxLoginLength);
    ui->lineEditPassword->setMaxLength(ServerFieldRules::MaxPasswordLength);
    for (int count = 1; count <= MaximumConnections; ++count)
        ui->comboBoxNbConnections->addItem(QString::number(count));
    ui->comboBoxNbConnections->setCurrentIndex(0);
}

DialogWizard::~DialogWizard()
{
    delete ui;
}

void DialogWizard::reset()
{
    ui->lineEditServerName->clear();
    ui->lineEditLogin->clear();
    ui->lineEditPassword->clear();
    ui->checkBoxNeedUserNamePwd->setChecked(false);
    ui->checkBoxServerSsl->setChecked(false);
    ui->stackedWidgetWizard->setCurrentIndex(ServerPage);
    ui->comboBoxNbConnections->setCurrentIndex(0);
    ui->pushButtonBack->setEnabled(false);
    ui->pushButtonNext->setText(tr("Next >"));
    ui->pushButtonNext->setEnabled(true);
    ui->pushButtonCancel->show();
}

QString DialogWizard::getServerName() const
{
    return ServerFieldRules::splitAddress(ui->lineEditServerName->text()).host;
}

int DialogWizard::getServerPort() const
{
    return ServerFieldRules::splitAddress(ui->lineEditServerName->text()).port;
}

bool DialogWizard::isServerSsl() const
{
    return ui->checkBoxServerSsl->isChecked();
}

bool DialogWizard::isAuthenticationNeeded() const
{
    return ui->checkBoxNeedUserNamePwd->isChecked();
}

QString DialogWizard::getLogin() const
{
    return ui->lineEditLogin->text().trimmed();
}

QString DialogWizard::getPassword() const
{
    return ui->lineEditPassword->text();
}

uint DialogWizard::getNbConnections() const
{
    return ui->comboBoxNbConnections->currentText().toUInt();
}

void DialogWizard::refuse(const QString &message)
{
    QMessageBox::information(this, tr("Information"), message);
}

void DialogWizard::showEndPage()
{
    ui->pushButtonNext->setEnabled(true);
    ui->pushButtonNext->setText(tr("Finished"));
    ui->pushButtonBack->setEnabled(true);
    ui->pushButtonCancel->hide();
    ui->stackedWidgetWizard->setCurrentIndex(EndPage);
}

void DialogWizard::slotNextButton()
{
    switch (ui->stackedWidgetWizard->currentIndex()) {
    case ServerPage: {
        const ServerFieldRules::SplitAddress address = ServerFieldRules::splitAddress(ui->lineEditServerName->text());
        if (address.host.isEmpty()) {
            refuse(tr("Please enter the name of your news (NNTP) server."));
        } else if (address.kind == ServerFieldRules::BadPort) {
            refuse(tr("The text after the server's address is not a port number from 1 to 65535: \"%1\"\n"
                      "Type the address alone: the usual port is then used, and it can be changed in the server "
                      "editor (double-click the server in the servers list).")
                       .arg(address.portText));
        } else if (isAuthenticationNeeded()) {
            ui->stackedWidgetWizard->setCurrentIndex(CredentialsPage);
            ui->pushButtonBack->setEnabled(true);
        } else {
            showEndPage();
        }
        break;
    }
    case CredentialsPage:
        if (getLogin().isEmpty()) {
            refuse(tr("Please enter the user name."));
            return;
        }
        if (ui->lineEditPassword->text().isEmpty()) {
            refuse(tr("Please enter the password."));
            return;
        }
        if (ServerFieldRules::hasOuterBlank(ui->lineEditPassword->text())
            && ServerFieldRules::askToRemoveBlanks(tr("Warning"),
                                                   tr("Your password contains extra spaces. Do you want to remove them?")))
            ui->lineEditPassword->setText(ui->lineEditPassword->text().trimmed());
        showEndPage();
        break;
    case EndPage:
        accept();
        break;
    default:
        break;
    }
}

void DialogWizard::slotBackButton()
{
    ui->pushButtonNext->setText(tr("Next >"));
    ui->pushButtonNext->setEnabled(true);
    ui->pushButtonCancel->show();

    const bool toCredentials = ui->stackedWidgetWizard->currentIndex() == EndPage && isAuthenticationNeeded();
    const int target = toCredentials ? CredentialsPage : ServerPage;
    ui->stackedWidgetWizard->setCurrentIndex(target);
    if (target == ServerPage)
        ui->pushButtonBack->setEnabled(false);
}
