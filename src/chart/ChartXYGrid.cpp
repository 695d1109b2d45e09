#include "chart/ChartXYGrid.h"

ChartXYGrid::ChartXYGrid(QObject *parent)
    : QObject(parent)
{
}
