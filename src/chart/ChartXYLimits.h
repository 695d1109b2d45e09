#ifndef CHARTXYLIMITS_H
#define CHARTXYLIMITS_H

#include "chart/ChartXYLimitAxis.h"

// The limits of both chart axes. x() and y() hand out the records themselves, so that callers
// change them in place.
class ChartXYLimits
{
public:
    ChartXYLimits() = default;
    ChartXYLimits(const ChartXYLimitAxis &x, const ChartXYLimitAxis &y);

    ChartXYLimitAxis &x() { return axisX; }
    ChartXYLimitAxis &y() { return axisY; }
    const ChartXYLimitAxis &x() const { return axisX; }
    const ChartXYLimitAxis &y() const { return axisY; }

    // The type of the x axis when both axes share it; QVariant::Invalid otherwise.
    QVariant::Type type() const;
    bool canConvert(int type) const;

    bool operator==(const ChartXYLimits &other) const;
    bool operator!=(const ChartXYLimits &other) const { return !(*this == other); }

private:
    ChartXYLimitAxis axisX;
    ChartXYLimitAxis axisY;
};

#endif // CHARTXYLIMITS_H
