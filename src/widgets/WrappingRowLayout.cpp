#include "widgets/WrappingRowLayout.h"

#include <QWidget>

WrappingRowLayout::WrappingRowLayout(QWidget *parent)
    : QLayout(parent)
{
}

WrappingRowLayout::~WrappingRowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void WrappingRowLayout::setSpacings(int horizontal, int vertical)
{
    horizontalSpacing = horizontal;
    verticalSpacing = vertical;
    invalidate();
}

void WrappingRowLayout::addItem(QLayoutItem *item)
{
    items.append(item);
    invalidate();
}

int WrappingRowLayout::count() const
{
    return items.size();
}

QLayoutItem *WrappingRowLayout::itemAt(int index) const
{
    return items.value(index);
}

QLayoutItem *WrappingRowLayout::takeAt(int index)
{
    if (index < 0 || index >= items.size())
        return nullptr;
    QLayoutItem *item = items.takeAt(index);
    invalidate();
    return item;
}

Qt::Orientations WrappingRowLayout::expandingDirections() const
{
    return {};
}

bool WrappingRowLayout::hasHeightForWidth() const
{
    return true;
}

int WrappingRowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize WrappingRowLayout::minimumSize() const
{
    int widest = 0;
    int height = 0;
    for (const QLayoutItem *item : items) {
        if (item->isEmpty())
            continue;
        widest = qMax(widest, item->minimumSize().width());
        height = qMax(height, item->minimumSize().height());
    }
    const QMargins margins = contentsMargins();
    const int width = widest + margins.left() + margins.right();
    // As tall as its lines are at that width: what is above and below it makes room for them.
    return QSize(width, qMax(arrange(QRect(0, 0, width, 0), false), height + margins.top() + margins.bottom()));
}

QSize WrappingRowLayout::sizeHint() const
{
    int width = 0;
    int height = 0;
    for (const QLayoutItem *item : items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        width += (width > 0 ? horizontalSpacing : 0) + hint.width();
        height = qMax(height, hint.height());
    }
    const QMargins margins = contentsMargins();
    return QSize(width + margins.left() + margins.right(), height + margins.top() + margins.bottom());
}

void WrappingRowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int WrappingRowLayout::arrange(const QRect &rect, bool place) const
{
    const QMargins margins = contentsMargins();
    const QRect area = rect.marginsRemoved(margins);
    // The lines first: which items each holds, at what width, and how tall it is.
    struct Placed
    {
        QLayoutItem *item;
        int width;
    };
    QList<QList<Placed>> rows;
    QList<int> heights;
    int x = 0;
    for (QLayoutItem *item : items) {
        if (item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        const int width = qMin(hint.width(), qMax(area.width(), item->minimumSize().width()));
        if (rows.isEmpty() || (x > 0 && x + horizontalSpacing + width > area.width())) {
            rows.append(QList<Placed>());
            heights.append(0);
            x = 0;
        } else if (x > 0) {
            x += horizontalSpacing;
        }
        rows.last().append({item, width});
        heights.last() = qMax(heights.last(), hint.height());
        x += width;
    }
    int y = area.top();
    for (int row = 0; row < rows.size(); ++row) {
        int left = area.left();
        for (const Placed &placed : qAsConst(rows.at(row))) {
            QLayoutItem *item = placed.item;
            const int height = qBound(item->minimumSize().height(), heights.at(row), item->maximumSize().height());
            if (place)
                item->setGeometry(QRect(left, y, placed.width, height));
            left += placed.width + horizontalSpacing;
        }
        y += heights.at(row) + (row + 1 < rows.size() ? verticalSpacing : 0);
    }
    return y - area.top() + margins.top() + margins.bottom();
}
