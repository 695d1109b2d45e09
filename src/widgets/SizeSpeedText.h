#ifndef SIZESPEEDTEXT_H
#define SIZESPEEDTEXT_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The texts every size and speed on screen is shown with: "KiB", "MiB", "GiB", "TiB" for sizes
// given in KiB and "KiB/s", "MiB/s", "GiB/s" for speeds given in KiB/s. The unit words belong to
// the main window's translation context; a dialog that words its units in its own context
// passes them to format().
class SizeSpeedText
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    static QString formatSize(double kib);
    static QString formatSpeed(double kibps);

    // `units` from the smallest: unit i is chosen from 1024^i on, by the unrounded value (the
    // last unit also beyond). The value in that unit is rounded to two decimals, halves away
    // from zero, and printed with at most six significant digits, then a blank and the unit.
    // Values below 1024, negative or not a number keep the first unit.
    static QString format(double value, const QStringList &units);
};

#endif // SIZESPEEDTEXT_H
