#include "app/ChartXYBorder.h"

ChartXYBorder::ChartXYBorder(QObject *parent)
    : QObject(parent)
{
}
