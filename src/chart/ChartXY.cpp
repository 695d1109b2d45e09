#include "chart/ChartXY.h"

#include "chart/ChartXYGrid.h"
#include "chart/ChartXYRender.h"
#include "chart/ChartXYScale.h"
#include "chart/ChartXYSetting.h"

ChartXY::ChartXY(QWidget *parent)
    : QAbstractItemView(parent)
    , pSetting(new ChartXYSetting(this))
    , pRender(new ChartXYRender(this, pSetting))
{
}

void ChartXY::updateChart()
{
    const ChartXYGrid *grid = pSetting->grid();
    pSetting->scale()->updateLimitsFromModel(model(), grid->tickX()->major() - 1,
                                             grid->tickY()->major() - 1);
    viewport()->update();
}

void ChartXY::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                          const QVector<int> &roles)
{
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    updateChart();
}

void ChartXY::mousePressEvent(QMouseEvent *)
{
}

void ChartXY::mouseReleaseEvent(QMouseEvent *)
{
    setCursor(Qt::ArrowCursor);
}

void ChartXY::paintEvent(QPaintEvent *)
{
    pRender->paint();
}

void ChartXY::resizeEvent(QResizeEvent *)
{
    updateGeometries();
}

void ChartXY::scrollContentsBy(int, int)
{
}

QRect ChartXY::visualRect(const QModelIndex &) const
{
    return QRect();
}

void ChartXY::scrollTo(const QModelIndex &, ScrollHint)
{
    update();
}

QModelIndex ChartXY::indexAt(const QPoint &) const
{
    return QModelIndex();
}

QModelIndex ChartXY::moveCursor(CursorAction, Qt::KeyboardModifiers)
{
    return QModelIndex();
}

int ChartXY::horizontalOffset() const
{
    return 0;
}

int ChartXY::verticalOffset() const
{
    return 0;
}

bool ChartXY::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void ChartXY::setSelection(const QRect &, QItemSelectionModel::SelectionFlags)
{
    update();
}

QRegion ChartXY::visualRegionForSelection(const QItemSelection &) const
{
    return QRegion();
}
