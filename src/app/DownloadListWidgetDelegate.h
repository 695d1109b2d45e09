#ifndef DOWNLOADLISTWIDGETDELEGATE_H
#define DOWNLOADLISTWIDGETDELEGATE_H

#include <QStyledItemDelegate>

// Draws the download list's progress column as a progress bar labelled "<n>%".
class DownloadListWidgetDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kProgressColumn = 1;

    explicit DownloadListWidgetDelegate(QObject *parent = nullptr);
    ~DownloadListWidgetDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

#endif // DOWNLOADLISTWIDGETDELEGATE_H
