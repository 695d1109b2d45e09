#include "chart/ChartXYBorder.h"

ChartXYBorder::ChartXYBorder(QObject *parent)
    : QObject(parent)
{
}
