#include "widgets/SizeSpeedText.h"

#include <cmath>

QString SizeSpeedText::formatSize(double kib)
{
    return format(kib, {tr("KiB"), tr("MiB"), tr("GiB"), tr("TiB")});
}

QString SizeSpeedText::formatSpeed(double kibps)
{
    return format(kibps, {tr("KiB/s"), tr("MiB/s"), tr("GiB/s")});
}

QString SizeSpeedText::format(double value, const QStringList &units)
{
    int unit = 0;
    double scale = 1.0;
    while (unit + 1 < units.size() && value >= scale * 1024.0) {
        scale *= 1024.0;
        ++unit;
    }
    const double rounded = std::round(value / scale * 100.0) / 100.0;
    return QString::number(rounded, 'g', 6) + QLatin1Char(' ') + units.value(unit);
}
