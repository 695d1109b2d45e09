#ifndef CHARTXYGRIDTICK_H
#define CHARTXYGRIDTICK_H

#include <QtGlobal>

// Tick counts of one chart axis. Both counts include the two ends and are never below 2:
// `major` ticks split the axis into major - 1 equal intervals (one grid line per tick), and
// `minor` tick positions split each of those intervals into minor - 1 parts.
class ChartXYGridTick
{
public:
    ChartXYGridTick() = default;
    ChartXYGridTick(quint32 major, quint32 minor);

    quint32 major() const { return uiMajor; }
    quint32 minor() const { return uiMinor; }
    void setMajor(quint32 major);
    void setMinor(quint32 minor);

private:
    quint32 uiMajor = 4;
    quint32 uiMinor = 4;
};

#endif // CHARTXYGRIDTICK_H
