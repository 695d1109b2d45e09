#ifndef CHARTXYBORDER_H
#define CHARTXYBORDER_H

#include <QColor>
#include <QObject>

// Margins (pixels taken off each side of the viewport before the grid and the data are drawn)
// and the background colour of a chart.
class ChartXYBorder : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYBorder(QObject *parent = nullptr);

    qint32 top() const { return iTop; }
    qint32 right() const { return iRight; }
    qint32 bottom() const { return iBottom; }
    qint32 left() const { return iLeft; }
    QColor backgroundColor() const { return colorBackground; }

    void setTop(qint32 top) { iTop = top; }
    void setRight(qint32 right) { iRight = right; }
    void setBottom(qint32 bottom) { iBottom = bottom; }
    void setLeft(qint32 left) { iLeft = left; }
    void setBackgroundColor(const QColor &color) { colorBackground = color; }

private:
    qint32 iTop = 0;
    qint32 iRight = 0;
    qint32 iBottom = 0;
    qint32 iLeft = 0;
    QColor colorBackground = Qt::white;
};

#endif // CHARTXYBORDER_H
