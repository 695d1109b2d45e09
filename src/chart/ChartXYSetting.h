#ifndef CHARTXYSETTING_H
#define CHARTXYSETTING_H

#include <QObject>

class ChartXYBorder;
class ChartXYGrid;
class ChartXYScale;

// Holder of a chart's settings. Callers change them in place through the three parts and then
// call ChartXY::updateChart(); nothing here repaints by itself.
class ChartXYSetting : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYSetting(QObject *parent = nullptr);

    ChartXYBorder *border() const { return pBorder; }
    ChartXYGrid *grid() const { return pGrid; }
    ChartXYScale *scale() const { return pScale; }

private:
    ChartXYBorder *pBorder;
    ChartXYGrid *pGrid;
    ChartXYScale *pScale;
};

#endif // CHARTXYSETTING_H
