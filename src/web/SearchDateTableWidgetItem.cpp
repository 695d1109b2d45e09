#include "web/SearchDateTableWidgetItem.h"

namespace {

int numberWithout(const QString &text, QChar unit)
{
    QString number = text;
    number.remove(unit);
    bool ok = false;
    const int value = number.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

bool SearchDateTableWidgetItem::operator<(const QTableWidgetItem &other) const
{
    return sortKey(text()) < sortKey(other.text());
}

int SearchDateTableWidgetItem::sortKey(const QString &text)
{
    const QString upper = text.toUpper();
    if (upper.contains(QLatin1Char('M')))
        return numberWithout(upper, QLatin1Char('M'));
    if (upper.contains(QLatin1Char('H')))
        return numberWithout(upper, QLatin1Char('H')) * 60;
    if (upper.contains(QLatin1Char('D')))
        return numberWithout(upper, QLatin1Char('D')) * 3600;
    return 0;
}
