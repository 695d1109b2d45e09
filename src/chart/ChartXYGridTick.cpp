#include "chart/ChartXYGridTick.h"

#include <QtGlobal>

namespace {

quint32 atLeastTwo(quint32 count)
{
    return qMax<quint32>(count, 2);
}

} // namespace

ChartXYGridTick::ChartXYGridTick(quint32 major, quint32 minor)
    : uiMajor(atLeastTwo(major))
    , uiMinor(atLeastTwo(minor))
{
}

void ChartXYGridTick::setMajor(quint32 major)
{
    uiMajor = atLeastTwo(major);
}

void ChartXYGridTick::setMinor(quint32 minor)
{
    uiMinor = atLeastTwo(minor);
}
