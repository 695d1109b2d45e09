#include "web/DialogWebAuthentication.h"

#include "widgets/WindowTextFit.h"
#include "ui_DialogWebAuthentication.h"

#include <QLayout>
#include <QTextDocument>
#include <QtMath>

DialogWebAuthentication::DialogWebAuthentication(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogWebAuthentication)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
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
    // A long address does not wrap: widen the dialog for it, within its maximum size.
    const QMargins margins = layout()->contentsMargins();
    QTextDocument document;
    document.setDefaultFont(ui->introLabel->font());
    document.setHtml(text);
    document.setTextWidth(0);  // wrap wherever it may: the widest piece left is what must fit
    const int wanted = qCeil(document.idealWidth()) + margins.left() + margins.right();
    const int width = qBound(minimumWidth(), qMax(wanted, this->width()), maximumWidth());
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width) : sizeHint().height();
    resize(width, qBound(minimumHeight(), qMax(height, this->height()), maximumHeight()));
}

QString DialogWebAuthentication::getUser() const
{
    return ui->lineEditLogin->text();
}

QString DialogWebAuthentication::getPassword() const
{
    return ui->lineEditPassword->text();
}
