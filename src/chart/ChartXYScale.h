#ifndef CHARTXYSCALE_H
#define CHARTXYSCALE_H

#include "chart/ChartXYLimits.h"

#include <QObject>

class QAbstractItemModel;

// Axis limits of a chart: the full limits and the view limits that the renderer maps the data
// to, and the flags that make them follow the model (updateLimitsFromModel).
class ChartXYScale : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYScale(QObject *parent = nullptr);

    ChartXYLimits &limits() { return limitsFull; }
    const ChartXYLimits &limits() const { return limitsFull; }
    ChartXYLimits &viewLimits() { return limitsView; }
    const ChartXYLimits &viewLimits() const { return limitsView; }
    // Each setter also overwrites the other record unless that one already has a valid type
    // equal to the new record's.
    void setLimits(const ChartXYLimits &limits);
    void setViewLimits(const ChartXYLimits &limits);

    bool autoLimits() const { return bAutoLimits; }
    void setAutoLimits(bool on) { bAutoLimits = on; }
    bool autoViewLimits() const { return bAutoViewLimits; }
    void setAutoViewLimits(bool on) { bAutoViewLimits = on; }
    bool niceLimits() const { return bNiceLimits; }
    void setNiceLimits(bool on) { bNiceLimits = on; }

    bool canConvert(int type) const;
    QVariant::Type type() const;

    // Scans the model (column 0: x, further columns: y series) and sets the limits that follow
    // it: x from the smallest to the largest x, y from 0 to 50 above the largest y, widened to
    // whole intervals when niceLimits is on. Does nothing without a model or with both auto
    // flags off.
    void updateLimitsFromModel(const QAbstractItemModel *model, quint32 xIntervals,
                               quint32 yIntervals);

    // Widens [min, max] so that it spans exactly `intervals` intervals whose size is a multiple
    // of a power-of-ten step no larger than `step`. Leaves the pair unchanged for dates and
    // times, values that are not numbers or not finite, mixed types, min >= max, no interval
    // and a step that is not a positive number.
    static void computeNiceLimits(QVariant &min, QVariant &max, quint32 intervals, double step);

private:
    ChartXYLimits limitsFull;
    ChartXYLimits limitsView;
    bool bAutoLimits = false;
    bool bAutoViewLimits = false;
    bool bNiceLimits = false;
};

#endif // CHARTXYSCALE_H
