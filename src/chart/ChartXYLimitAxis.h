#ifndef CHARTXYLIMITAXIS_H
#define CHARTXYLIMITAXIS_H

#include <QVariant>

// The limits of one chart axis. Values are variants so that an axis can carry numbers, dates,
// times of day or date-times.
class ChartXYLimitAxis
{
public:
    ChartXYLimitAxis() = default;
    ChartXYLimitAxis(const QVariant &min, const QVariant &max);

    void set(const QVariant &min, const QVariant &max);
    QVariant min() const { return vMin; }
    QVariant max() const { return vMax; }

    // The common type of both limits; QVariant::Invalid when they differ.
    QVariant::Type type() const;
    bool canConvert(int type) const;

    bool operator==(const ChartXYLimitAxis &other) const;
    bool operator!=(const ChartXYLimitAxis &other) const { return !(*this == other); }

private:
    QVariant vMin;
    QVariant vMax;
};

#endif // CHARTXYLIMITAXIS_H
