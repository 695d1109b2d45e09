#ifndef CHARTXYGRID_H
#define CHARTXYGRID_H

#include "chart/ChartXYGridTick.h"

#include <QColor>
#include <QObject>

// Grid of a chart: whether its lines are drawn, the inset of the data area inside the margins,
// the line colour and the tick counts of both axes (changed in place through tickX/tickY).
class ChartXYGrid : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYGrid(QObject *parent = nullptr);

    bool isVisible() const { return bVisible; }
    void setVisible(bool visible) { bVisible = visible; }
    qint32 offset() const { return iOffset; }
    void setOffset(qint32 offset) { iOffset = offset; }
    // Kept with the settings; the renderer does not use it.
    QColor baseColor() const { return colorBase; }
    void setBaseColor(const QColor &color) { colorBase = color; }
    // Colour of grid lines, axes and tick marks.
    QColor lineColor() const { return colorLine; }
    void setLineColor(const QColor &color) { colorLine = color; }

    ChartXYGridTick *tickY() { return &ticksY; }
    ChartXYGridTick *tickX() { return &ticksX; }
    const ChartXYGridTick *tickY() const { return &ticksY; }
    const ChartXYGridTick *tickX() const { return &ticksX; }

private:
    bool bVisible = true;
    qint32 iOffset = 0;
    QColor colorBase = QColor(192, 192, 192, 255);
    QColor colorLine = QColor(0, 0, 0, 255);
    ChartXYGridTick ticksY;
    ChartXYGridTick ticksX;
};

#endif // CHARTXYGRID_H
