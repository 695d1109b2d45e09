#include "app/DownloadListTreeWidget.h"

#include <QDropEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

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
