#include "app/DownloadListWidgetDelegate.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionProgressBar>

DownloadListWidgetDelegate::DownloadListWidgetDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

DownloadListWidgetDelegate::~DownloadListWidgetDelegate() = default;

void DownloadListWidgetDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    if (index.column() != kProgressColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const int progress = index.model() ? index.data(Qt::DisplayRole).toInt() : 0;
    QStyleOptionProgressBar bar;
    bar.rect = option.rect;
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = progress;
    bar.text = QString::number(progress) + QLatin1Char('%');
    bar.textVisible = true;
    QApplication::style()->drawControl(QStyle::CE_ProgressBar, &bar, painter, nullptr);
}
