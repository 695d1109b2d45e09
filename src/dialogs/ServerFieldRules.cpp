#include "dialogs/ServerFieldRules.h"

#include <QLineEdit>
#include <QMessageBox>

void ServerFieldRules::setBoundedText(QLineEdit *field, const QString &text, int bound)
{
    field->setMaxLength(qMax(bound, text.size()));
    field->setText(text);
}

QString ServerFieldRules::defaultPort(bool ssl)
{
    return ssl ? QStringLiteral("563") : QStringLiteral("119");
}

bool ServerFieldRules::hasOuterBlank(const QString &password)
{
    const QChar blank(0x20);
    return !password.isEmpty() && (password.front() == blank || password.back() == blank);
}

bool ServerFieldRules::askToRemoveBlanks(const QString &text, const QString &informativeText)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    box.setInformativeText(informativeText);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
