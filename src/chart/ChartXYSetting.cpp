#include "chart/ChartXYSetting.h"

#include "chart/ChartXYBorder.h"
#include "chart/ChartXYGrid.h"
#include "chart/ChartXYScale.h"

ChartXYSetting::ChartXYSetting(QObject *parent)
    : QObject(parent)
    , pBorder(new ChartXYBorder(this))
    , pGrid(new ChartXYGrid(this))
    , pScale(new ChartXYScale(this))
{
}
