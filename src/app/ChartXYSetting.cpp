#include "app/ChartXYSetting.h"

#include "app/ChartXYBorder.h"
#include "app/ChartXYGrid.h"
#include "app/ChartXYScale.h"

ChartXYSetting::ChartXYSetting(QObject *parent)
    : QObject(parent)
    , pBorder(new ChartXYBorder(this))
    , pGrid(new ChartXYGrid(this))
    , pScale(new ChartXYScale(this))
{
}
