#ifndef SEARCHDATETABLEWIDGETITEM_H
#define SEARCHDATETABLEWIDGETITEM_H

#include <QTableWidgetItem>

// The "Age" cell of a search result: sorts "5m", "3h" and "2d" by the time they stand for.
class SearchDateTableWidgetItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;

    bool operator<(const QTableWidgetItem &other) const override;
    static int sortKey(const QString &text);
};

#endif // SEARCHDATETABLEWIDGETITEM_H
