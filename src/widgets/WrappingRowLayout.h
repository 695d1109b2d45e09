#ifndef WRAPPINGROWLAYOUT_H
#define WRAPPINGROWLAYOUT_H

#include <QLayout>
#include <QList>

// A row of widgets that goes on in a line below when the width runs out, instead of cutting
// the widgets at the right: with room, it looks like a left-aligned box row. Each widget gets
// its size hint (within its minimum and maximum), the widgets of one line the height of the
// tallest of them. Its minimum width is that of its widest widget, its minimum height that of
// its lines at that width.
class WrappingRowLayout : public QLayout
{
public:
    explicit WrappingRowLayout(QWidget *parent = nullptr);
    ~WrappingRowLayout() override;

    void setSpacings(int horizontal, int vertical);

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Lays the items out in `rect` (or only measures when `place` is false); the height used.
    int arrange(const QRect &rect, bool place) const;

    QList<QLayoutItem *> items;
    int horizontalSpacing = 6;
    int verticalSpacing = 6;
};

#endif // WRAPPINGROWLAYOUT_H
