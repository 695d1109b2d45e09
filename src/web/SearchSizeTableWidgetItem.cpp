#include "web/SearchSizeTableWidgetItem.h"

#include <QLocale>

namespace {

double numberWithout(const QString &text, const QString &unit)
{
    QString number = text;
    number.remove(unit);
    bool ok = false;
    const double value = QLocale::c().toDouble(number.trimmed(), &ok);
    return ok ? value : 0.0;
}

} // namespace

bool SearchSizeTableWidgetItem::operator<(const QTableWidgetItem &other) const
{
    return sortKey(text()) < sortKey(other.text());
}

double SearchSizeTableWidgetItem::sortKey(const QString &text)
{
    if (text.trimmed() == QLatin1String("?"))
        return 0.0;
    const QString upper = text.toUpper();
    if (upper.contains(QLatin1String("KB")))
        return numberWithout(upper, QStringLiteral("KB"));
    if (upper.contains(QLatin1String("MB")))
        return numberWithout(upper, QStringLiteral("MB")) * 1024.0;
    if (upper.contains(QLatin1String("GB")))
        return numberWithout(upper, QStringLiteral("GB")) * 1048576.0;
    return 0.0;
}
