#ifndef CHARTXY_H
#define CHARTXY_H

#include <QAbstractItemView>

class ChartXYRender;
class ChartXYSetting;

// An item view that shows its model as an XY chart: column 0 of each row holds an x value and
// every further column one y series. It only displays: no item geometry, selection, scrolling
// or editing. The axis limits follow data changes and updateChart(); a new model, a reset or
// inserted rows recompute nothing. Without a model it paints its background only.
class ChartXY : public QAbstractItemView
{
    Q_OBJECT

public:
    explicit ChartXY(QWidget *parent = nullptr);

    ChartXYSetting *setting() const { return pSetting; }

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

public slots:
    // Recomputes the limits from the model and schedules a repaint.
    void updateChart();

protected slots:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>()) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;

private:
    ChartXYSetting *pSetting;
    ChartXYRender *pRender;
};

#endif // CHARTXY_H
