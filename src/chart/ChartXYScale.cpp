#include "chart/ChartXYScale.h"

#include "chart/ChartXYValues.h"

#include <QAbstractItemModel>

#include <cmath>
#include <limits>

namespace {

// The widening adds a step to a value again and again until a condition holds. Where every
// value is a whole number below 2^52 the additions are exact, so the count of additions is
// found by a binary search and the result is start + count x step, as fast at 1 GiB/s as at
// 1 KiB/s. Otherwise the first thousand additions are made one by one, so that fractional
// steps give the values of repeated addition; beyond that the count is searched as well.
constexpr double ExactLimit = 4503599627370496.0; // 2^52
constexpr quint64 AdditionsMadeOneByOne = 1024;

bool isWholeNumber(double value)
{
    return std::fabs(value) < ExactLimit && value == std::floor(value);
}

template<typename Reached>
quint64 searchAdditions(double start, double step, quint64 knownShort, Reached reached)
{
    // reached() is monotone in the count: find a count that reaches, then the smallest one.
    quint64 low = knownShort; // does not reach
    quint64 high = qMax<quint64>(2 * knownShort, 1);
    while (!reached(start + double(high) * step)) {
        low = high;
        if (high > std::numeric_limits<quint64>::max() / 2)
            return high;
        high *= 2;
    }
    while (high - low > 1) {
        const quint64 middle = low + (high - low) / 2;
        if (reached(start + double(middle) * step))
            high = middle;
        else
            low = middle;
    }
    return high;
}

// The value of `start` after the fewest additions of `step` (> 0) that make reached() true.
template<typename Reached>
double addUntil(double start, double step, Reached reached, quint64 *additions = nullptr)
{
    quint64 count = 0;
    double value = start;
    if (!reached(value)) {
        if (isWholeNumber(start) && isWholeNumber(step)) {
            count = searchAdditions(start, step, 0, reached);
            value = start + double(count) * step;
        } else {
            while (!reached(value) && count < AdditionsMadeOneByOne) {
                value += step;
                ++count;
            }
            if (!reached(value)) {
                count = searchAdditions(start, step, count, reached);
                value = start + double(count) * step;
            }
        }
    }
    if (additions)
        *additions = count;
    return value;
}

// `start` plus `count` additions of `step`, added one by one when few.
double addTimes(double start, double step, quint64 count)
{
    if (count > AdditionsMadeOneByOne || (isWholeNumber(start) && isWholeNumber(step)))
        return start + double(count) * step;
    for (quint64 i = 0; i < count; ++i)
        start += step;
    return start;
}

bool isDateOrTime(const QVariant &value)
{
    return value.type() == QVariant::Date || value.type() == QVariant::Time
        || value.type() == QVariant::DateTime;
}

// Past this many widenings of the interval the window starts at the minimum instead, with the
// first interval: the widening may otherwise take millions of passes (a narrow range far from
// zero with few intervals) or never end (a single interval across zero).
constexpr int MaximumWidenings = 1000;

void keepFirstMinimum(QVariant &min, const QVariant &value)
{
    if (!min.isValid() || variantToDouble(value) < variantToDouble(min))
        min = value;
}

void keepFirstMaximum(QVariant &max, const QVariant &value)
{
    if (!max.isValid() || variantToDouble(max) < variantToDouble(value))
        max = value;
}

} // namespace

ChartXYScale::ChartXYScale(QObject *parent)
    : QObject(parent)
{
}

void ChartXYScale::setLimits(const ChartXYLimits &limits)
{
    if (limitsFull != limits)
        limitsFull = limits;
    if (limitsView.type() != QVariant::Invalid && limitsView.type() == limitsFull.type())
        return;
    limitsView = limits;
}

void ChartXYScale::setViewLimits(const ChartXYLimits &limits)
{
    if (limitsView != limits)
        limitsView = limits;
    if (limitsFull.type() != QVariant::Invalid && limitsFull.type() == limitsView.type())
        return;
    limitsFull = limits;
}

bool ChartXYScale::canConvert(int type) const
{
    return limitsFull.canConvert(type) && limitsView.canConvert(type);
}

QVariant::Type ChartXYScale::type() const
{
    return limitsFull.type() == limitsView.type() ? limitsFull.type() : QVariant::Invalid;
}

void ChartXYScale::updateLimitsFromModel(const QAbstractItemModel *model, quint32 xIntervals,
                                         quint32 yIntervals)
{
    if (!bAutoLimits && !bAutoViewLimits)
        return;
    if (!model)
        return;

    QVariant xMin, xMax, yMin, yMax;
    const int rows = model->rowCount();
    const int columns = model->columnCount();
    for (int row = 0; row < rows; ++row) {
        const QVariant x = model->data(model->index(row, 0), Qt::DisplayRole);
        keepFirstMinimum(xMin, x);
        keepFirstMaximum(xMax, x);
        for (int column = 1; column < columns; ++column) {
            const QVariant y = model->data(model->index(row, column), Qt::DisplayRole);
            keepFirstMinimum(yMin, y);
            keepFirstMaximum(yMax, y);
        }
    }

    // The y range always starts at zero and leaves 50 above the largest value.
    const qulonglong largest = yMax.toULongLong();
    const qulonglong top = largest > std::numeric_limits<qulonglong>::max() - 50
        ? std::numeric_limits<qulonglong>::max()
        : largest + 50;
    yMin = QVariant(qulonglong(0));
    yMax = QVariant(top);

    if (bNiceLimits) {
        computeNiceLimits(xMin, xMax, xIntervals, 1.0);
        computeNiceLimits(yMin, yMax, yIntervals, 1.0);
    }

    const ChartXYLimits limits(ChartXYLimitAxis(xMin, xMax), ChartXYLimitAxis(yMin, yMax));
    if (bAutoLimits)
        setLimits(limits);
    if (bAutoViewLimits)
        setViewLimits(limits);
}

void ChartXYScale::computeNiceLimits(QVariant &min, QVariant &max, quint32 intervals, double step)
{
    if (isDateOrTime(min) || !min.canConvert(QVariant::Double) || min.type() != max.type())
        return;
    const double a = variantToDouble(min);
    const double b = variantToDouble(max);
    const double range = b - a;
    if (!(a < b) || !std::isfinite(range) || intervals == 0 || !(step > 0)
        || !std::isfinite(step))
        return;
    const double n = intervals;

    // The step: the starting step divided by ten until n steps fit into the range.
    double unit = step;
    while (n * unit > range && unit / 10.0 > 0)
        unit /= 10.0;

    // The interval: the smallest sum of steps for which n intervals cover the range.
    double interval = addUntil(0.0, unit, [&](double i) { return n * i >= range; });
    double span = n * interval;
    const double firstSpan = span;

    // The window: its top is the first multiple of the interval (counted from 0, or from the
    // minimum when every value is negative) that is not below the maximum; widen the interval
    // until the window also reaches down to the minimum.
    double from = b < 0 ? a : 0.0;
    double upper = 0;
    double lower = 0;
    for (int widenings = 0;; ++widenings) {
        upper = addUntil(from, interval, [&](double f) { return !(b > f); });
        lower = upper - span;
        if (!(lower > a))
            break;
        if (widenings == MaximumWidenings) {
            interval = firstSpan / n;
            lower = a;
            upper = a + firstSpan;
            break;
        }
        interval += unit;
        span = n * interval;
        from = upper < 0 ? lower : 0.0;
    }

    // Move the window up by whole intervals while it still holds the minimum.
    quint64 moves = 0;
    lower = addUntil(lower, interval, [&](double l) { return !(l + interval <= a); }, &moves);
    upper = addTimes(upper, interval, moves);

    const int type = min.userType();
    min = QVariant(lower);
    max = QVariant(upper);
    min.convert(type);
    max.convert(type);
}
