#include "app/DownloadListTreeWidget.h"

#include <QDropEvent>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QHash>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

DownloadListTreeWidget::DownloadListTreeWidget(QWidget *parent)
    : QTreeWidget(parent)
{
}

DownloadListTreeWidget::~DownloadListTreeWidget() = default;

QList<QTreeWidgetItem *> DownloadListTreeWidget::selectedNzbRows() const
{
    QList<QTreeWidgetItem *> rows;
    for (QTreeWidgetItem *item : selectedItems()) {
        if (!item->parent())
            rows.append(item);
    }
    return rows;
}

QList<QTreeWidgetItem *> DownloadListTreeWidget::selectedFileRows() const
{
    QList<QTreeWidgetItem *> rows;
    for (QTreeWidgetItem *item : selectedItems()) {
        if (item->parent())
            rows.append(item);
    }
    return rows;
}

QList<QTreeWidgetItem *> DownloadListTreeWidget::nzbRows() const
{
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < topLevelItemCount(); ++i)
        rows.append(topLevelItem(i));
    return rows;
}

QList<QTreeWidgetItem *> DownloadListTreeWidget::rowsUnder(QTreeWidgetItem *parent) const
{
    if (!parent)
        return nzbRows();
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < parent->childCount(); ++i)
        rows.append(parent->child(i));
    return rows;
}

void DownloadListTreeWidget::removeRows(QTreeWidgetItem *parent, const QSet<QTreeWidgetItem *> &removed)
{
    QList<QTreeWidgetItem *> kept;
    for (QTreeWidgetItem *row : rowsUnder(parent)) {
        if (!removed.contains(row))
            kept.append(row);
    }
    replaceRows(parent, kept);
}

void DownloadListTreeWidget::replaceRows(QTreeWidgetItem *parent, const QList<QTreeWidgetItem *> &rows)
{
    QTreeWidgetItem *owner = parent ? parent : invisibleRootItem();
    // Only the rows under `owner` leave the list for a moment: the others keep their selection.
    QList<QTreeWidgetItem *> selected;
    for (QTreeWidgetItem *row : selectedItems()) {
        const QTreeWidgetItem *above = row->parent() ? row->parent() : invisibleRootItem();
        if (above == owner || (above->parent() ? above->parent() : invisibleRootItem()) == owner)
            selected.append(row);
    }
    QTreeWidgetItem *current = currentItem();
    QList<QTreeWidgetItem *> expanded;
    for (QTreeWidgetItem *row : rows) {
        if (row->childCount() > 0 && row->isExpanded())
            expanded.append(row);
    }
    const int scrolled = verticalScrollBar()->value();
    {
        const QSignalBlocker blocker(this);
        owner->takeChildren();
        owner->addChildren(rows);
        for (QTreeWidgetItem *row : qAsConst(expanded))
            row->setExpanded(true);
        selectAgain(selected);
        if (current && current->treeWidget() == this)
            selectionModel()->setCurrentIndex(indexFromItem(current), QItemSelectionModel::NoUpdate);
        verticalScrollBar()->setValue(scrolled);
    }
    emit itemSelectionChanged();
}

// Those of the rows back in the list, as few ranges as their places allow: the places under
// each parent are found in one walk over its rows.
void DownloadListTreeWidget::selectAgain(const QList<QTreeWidgetItem *> &rows)
{
    QHash<QTreeWidgetItem *, QSet<QTreeWidgetItem *>> byParent;
    for (QTreeWidgetItem *row : rows) {
        if (row->treeWidget() == this)
            byParent[row->parent() ? row->parent() : invisibleRootItem()].insert(row);
    }
    QItemSelection selection;
    const int lastColumn = qMax(0, columnCount() - 1);
    for (auto group = byParent.cbegin(); group != byParent.cend(); ++group) {
        QTreeWidgetItem *parent = group.key();
        int first = -1;
        for (int i = 0; i <= parent->childCount(); ++i) {
            const bool chosen = i < parent->childCount() && group.value().contains(parent->child(i));
            if (chosen && first < 0)
                first = i;
            if (!chosen && first >= 0) {
                selection.select(indexFromItem(parent->child(first), 0), indexFromItem(parent->child(i - 1), lastColumn));
                first = -1;
            }
        }
    }
    selectionModel()->select(selection, QItemSelectionModel::Select);
}

void DownloadListTreeWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        return;
    const QModelIndex index = indexAt(event->pos());
    const bool wasSelected = index.isValid() && selectionModel()->isSelected(index);
    QTreeView::mousePressEvent(event);
    if (wasSelected)
        selectionModel()->select(index, QItemSelectionModel::Deselect);
}

void DownloadListTreeWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete) {
        emit signalItemDelete();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void DownloadListTreeWidget::dropEvent(QDropEvent *event)
{
    QTreeWidget::dropEvent(event);
    if (event->isAccepted())
        emit signalItemPositionChanged();
}
