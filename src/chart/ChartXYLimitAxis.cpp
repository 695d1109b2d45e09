#include "chart/ChartXYLimitAxis.h"

ChartXYLimitAxis::ChartXYLimitAxis(const QVariant &min, const QVariant &max)
    : vMin(min)
    , vMax(max)
{
}

void ChartXYLimitAxis::set(const QVariant &min, const QVariant &max)
{
    vMin = min;
    vMax = max;
}

QVariant::Type ChartXYLimitAxis::type() const
{
    return vMin.type() == vMax.type() ? vMin.type() : QVariant::Invalid;
}

bool ChartXYLimitAxis::canConvert(int type) const
{
    return vMin.canConvert(type) && vMax.canConvert(type);
}

bool ChartXYLimitAxis::operator==(const ChartXYLimitAxis &other) const
{
    return vMin == other.vMin && vMax == other.vMax;
}
