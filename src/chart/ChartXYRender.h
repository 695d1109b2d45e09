#ifndef CHARTXYRENDER_H
#define CHARTXYRENDER_H

#include "chart/ChartXYGridTick.h"
#include "chart/ChartXYLimitAxis.h"

#include <QObject>
#include <QPointF>
#include <QVariant>

class ChartXYSetting;
class QAbstractItemView;
class QPainter;
class QRect;
class QWidget;

// Draws a chart view's model on the view's viewport: the background, the vertical grid lines,
// a watermark, and for each y column a line through its points over a translucent gradient
// area. Everything is read afresh at each paint; the renderer keeps no state of its own.
class ChartXYRender : public QObject
{
    Q_OBJECT

public:
    ChartXYRender(QAbstractItemView *view, ChartXYSetting *setting);

public slots:
    void paint();

protected slots:
    void paintBorder(QPainter &painter);
    void paintGrid(QPainter &painter);
    void paintGridLine(QPainter &painter, QRect &rect);
    void paintGridLineX(QPainter &painter, QRect &rect);
    void paintGridLineY(QPainter &painter, QRect &rect);
    void paintAxis(QPainter &painter, QRect &rect);
    void paintAxisX(QPainter &painter, QRect &rect);
    void paintAxisXTickvalue(QPainter &painter, QRect &rect);
    void paintAxisY(QPainter &painter, QRect &rect);
    void paintAxisYTickvalue(QPainter &painter, QRect &rect);
    void paintData(QPainter &painter, QRect &rect);
    void paintDataColumn(QPainter &painter, QRect &rect, int column);
    QVariant tickValue(ChartXYLimitAxis limit_axis, ChartXYGridTick grid_tick, unsigned tick);
    QString tickValueToString(QVariant tick_value);
    QPointF dataGridPosition(QRect &rect, QVariant x, QVariant y);

private:
    QAbstractItemView *view;
    QWidget *viewport;
    ChartXYSetting *setting;
};

#endif // CHARTXYRENDER_H
