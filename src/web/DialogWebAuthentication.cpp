#include "web/DialogWebAuthentication.h"

#include "ui_DialogWebAuthentication.h"

DialogWebAuthentication::DialogWebAuthentication(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogWebAuthentication)
{
    ui->setupUi(this);
    ui->lineEditPassword->setEchoMode(QLineEdit::Password);
}

DialogWebAuthentication::~DialogWebAuthentication()
{
    delete ui;
}

void DialogWebAuthentication::setText(const QString &text)
{
    ui->introLabel->setText(text);
    ui->introLabel->setWordWrap(true);
}

QString DialogWebAuthentication::getUser() const
{
    return ui->lineEditLogin->text();
}

QString DialogWebAuthentication::getPassword() const
{
    return ui->lineEditPassword->text();
}
