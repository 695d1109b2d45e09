#include "app/ChartXYGrid.h"

ChartXYGrid::ChartXYGrid(QObject *parent)
    : QObject(parent)
{
}
