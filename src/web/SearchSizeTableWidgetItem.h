#ifndef SEARCHSIZETABLEWIDGETITEM_H
#define SEARCHSIZETABLEWIDGETITEM_H

#include <QTableWidgetItem>

// The "Size" cell of a search result: sorts "900 KB", "1.5 MB" and "2 GB" by size, "?" first.
class SearchSizeTableWidgetItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;

    bool operator<(const QTableWidgetItem &other) const override;
    static double sortKey(const QString &text);
};

#endif // SEARCHSIZETABLEWIDGETITEM_H
