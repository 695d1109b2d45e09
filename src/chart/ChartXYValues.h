#ifndef CHARTXYVALUES_H
#define CHARTXYVALUES_H

#include <QVariant>

// Conversions between the variants a chart axis carries and plain numbers.

// Milliseconds since the epoch for dates (from their local midnight) and date-times,
// milliseconds of the day for times, the number itself for anything that converts to double;
// 0 for everything else, invalid dates and times included.
double variantToDouble(const QVariant &value);

// The time of day of a millisecond count; whole days are dropped.
QVariant msecsToTimeVariant(quint64 msecs);
// The local date-time of a millisecond count since the epoch, and its date.
QVariant msecsToDateTimeVariant(quint64 msecs);
QVariant msecsToDateVariant(quint64 msecs);

#endif // CHARTXYVALUES_H
