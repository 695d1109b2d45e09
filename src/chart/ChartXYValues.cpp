#include "chart/ChartXYValues.h"

#include <QDateTime>

double variantToDouble(const QVariant &value)
{
    switch (value.type()) {
    case QVariant::Date:
    case QVariant::DateTime: {
        const QDateTime dateTime = value.toDateTime();
        return dateTime.isValid() ? double(dateTime.toMSecsSinceEpoch()) : 0.0;
    }
    case QVariant::Time: {
        const QTime time = value.toTime();
        if (!time.isValid())
            return 0.0;
        return time.hour() * 3600000.0 + time.minute() * 60000.0 + time.second() * 1000.0
            + time.msec();
    }
    default:
        return value.canConvert(QVariant::Double) ? value.toDouble() : 0.0;
    }
}

QVariant msecsToTimeVariant(quint64 msecs)
{
    const int hours = int((msecs % 86400000) / 3600000);
    const int minutes = int((msecs % 3600000) / 60000);
    const int seconds = int((msecs % 60000) / 1000);
    const int milliseconds = int(msecs % 1000);
    return QVariant(QTime(hours, minutes, seconds, milliseconds));
}

QVariant msecsToDateTimeVariant(quint64 msecs)
{
    QDateTime dateTime;
    dateTime.setMSecsSinceEpoch(qint64(msecs));
    return QVariant(dateTime);
}

QVariant msecsToDateVariant(quint64 msecs)
{
    return QVariant(msecsToDateTimeVariant(msecs).toDateTime().date());
}
