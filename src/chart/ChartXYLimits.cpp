#include "chart/ChartXYLimits.h"

ChartXYLimits::ChartXYLimits(const ChartXYLimitAxis &x, const ChartXYLimitAxis &y)
    : axisX(x)
    , axisY(y)
{
}

QVariant::Type ChartXYLimits::type() const
{
    return axisX.type() == axisY.type() ? axisX.type() : QVariant::Invalid;
}

bool ChartXYLimits::canConvert(int type) const
{
    return axisX.canConvert(type) && axisY.canConvert(type);
}

bool ChartXYLimits::operator==(const ChartXYLimits &other) const
{
    return axisX == other.axisX && axisY == other.axisY;
}
