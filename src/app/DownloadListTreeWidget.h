#ifndef DOWNLOADLISTTREEWIDGET_H
#define DOWNLOADLISTTREEWIDGET_H

#include <QList>
#include <QSet>
#include <QTreeWidget>

class QDropEvent;
class QKeyEvent;
class QMouseEvent;

// The download list: one top-level row per queued NZB, one child row per file. The Delete key
// asks for a removal instead of acting, a right click leaves the selection alone (the context
// menu acts on it), and a click on a selected row deselects it.
class DownloadListTreeWidget : public QTreeWidget
{
    Q_OBJECT

public:
    explicit DownloadListTreeWidget(QWidget *parent = nullptr);
    ~DownloadListTreeWidget() override;

    // The selected NZB rows (no parent) and file rows (with a parent), in selection order.
    QList<QTreeWidgetItem *> selectedNzbRows() const;
    QList<QTreeWidgetItem *> selectedFileRows() const;
    // Every NZB row, in list order.
    QList<QTreeWidgetItem *> nzbRows() const;
    // The rows under `parent` in list order: its file rows, or the NZB rows when null.
    QList<QTreeWidgetItem *> rowsUnder(QTreeWidgetItem *parent) const;

    // The rows under `parent` (an NZB row, or null for the NZB rows themselves) become `rows`,
    // in that order, in one step: rows left out are taken out of the list with their file rows
    // (they are not destroyed), and the rows that stay keep their selection, expansion and
    // current row. The selection signal is sent once, at the end.
    void replaceRows(QTreeWidgetItem *parent, const QList<QTreeWidgetItem *> &rows);
    // The `removed` rows under `parent` leave the list in one step, as replaceRows takes them out.
    void removeRows(QTreeWidgetItem *parent, const QSet<QTreeWidgetItem *> &removed);

signals:
    void signalItemPositionChanged();
    void signalItemDelete();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void selectAgain(const QList<QTreeWidgetItem *> &rows);
};

#endif // DOWNLOADLISTTREEWIDGET_H
