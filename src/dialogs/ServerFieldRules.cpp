#include "dialogs/ServerFieldRules.h"

#include "widgets/AppVersion.h"

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

namespace {

ServerFieldRules::SplitAddress withPortText(const QString &host, const QString &portText)
{
    ServerFieldRules::SplitAddress split;
    split.host = host.trimmed();
    split.portText = portText;
    bool digits = !portText.isEmpty();
    for (const QChar c : portText)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const uint port = digits ? portText.toUInt(&digits, 10) : 0;
    if (!digits || port < uint(ServerFieldRules::LowestPort) || port > uint(ServerFieldRules::HighestPort)) {
        split.kind = ServerFieldRules::BadPort;
        return split;
    }
    split.kind = ServerFieldRules::WithPort;
    split.port = int(port);
    return split;
}

} // namespace

ServerFieldRules::SplitAddress ServerFieldRules::splitAddress(const QString &text)
{
    const QString address = text.trimmed();
    SplitAddress split;
    split.host = address;
    if (address.startsWith(QLatin1Char('['))) {
        const int close = address.indexOf(QLatin1Char(']'));
        if (close < 0)
            return split;
        const QString rest = address.mid(close + 1);
        split.host = address.mid(1, close - 1).trimmed();
        if (rest.isEmpty())
            return split;
        if (!rest.startsWith(QLatin1Char(':'))) {
            split.kind = BadPort;
            split.portText = rest;
            return split;
        }
        return withPortText(split.host, rest.mid(1));
    }
    const int colon = address.indexOf(QLatin1Char(':'));
    if (colon < 0 || address.indexOf(QLatin1Char(':'), colon + 1) >= 0)
        return split;
    return withPortText(address.left(colon), address.mid(colon + 1));
}

bool ServerFieldRules::hasOuterBlank(const QString &password)
{
    const QChar blank(0x20);
    return !password.isEmpty() && (password.front() == blank || password.back() == blank);
}

bool ServerFieldRules::askToRemoveBlanks(const QString &text, const QString &informativeText)
{
    QMessageBox box;
    box.setWindowTitle(AppVersion::displayName());
    box.setIcon(QMessageBox::Question);
    box.setText(text);
    box.setInformativeText(informativeText);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
