#include "widgets/WrappingRowLayout.h"

#include <QtTest>

namespace {

// A widget that asks for a given size and needs it.
class Box : public QWidget
{
public:
    Box(const QSize &size, QWidget *parent)
        : QWidget(parent)
        , wanted(size)
    {
        setMinimumSize(size);
    }
    QSize sizeHint() const override { return wanted; }

private:
    QSize wanted;
};

const QList<QSize> kSizes = {QSize(100, 40), QSize(80, 60), QSize(120, 30)};
constexpr int kAcross = 10;
constexpr int kDown = 6;

struct Row
{
    QWidget container;
    WrappingRowLayout *layout = new WrappingRowLayout(&container);
    QList<Box *> boxes;

    Row()
    {
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacings(kAcross, kDown);
        for (const QSize &size : kSizes) {
            boxes.append(new Box(size, &container));
            layout->addWidget(boxes.last());
        }
    }

    void layOutAt(int width)
    {
        layout->setGeometry(QRect(0, 0, width, layout->heightForWidth(width)));
    }
};

} // namespace

// The row of groups under the download list: left-aligned in one line while there is room,
// going on in lines below when there is not, each line as tall as its tallest widget.
class tst_WrappingRowLayout : public QObject
{
    Q_OBJECT

private slots:
    void linesFollowTheWidth_data();
    void linesFollowTheWidth();
    void leastSizeHoldsTheWidestAndItsLines();
};

void tst_WrappingRowLayout::linesFollowTheWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("lines"); // the line of each widget
    QTest::newRow("room to spare") << 500 << QList<int>{0, 0, 0};
    QTest::newRow("exactly room for one line") << 320 << QList<int>{0, 0, 0};
    QTest::newRow("a pixel less") << 319 << QList<int>{0, 0, 1};
    QTest::newRow("two on the first line") << 190 << QList<int>{0, 0, 1};
    QTest::newRow("one per line") << 189 << QList<int>{0, 1, 2};
}

void tst_WrappingRowLayout::linesFollowTheWidth()
{
    QFETCH(int, width);
    QFETCH(QList<int>, lines);
    Row row;
    row.layOutAt(width);
    QList<int> lineTops;
    QList<int> lineHeights;
    for (int i = 0; i < kSizes.size(); ++i) {
        const QRect placed = row.boxes.at(i)->geometry();
        QCOMPARE(placed.width(), kSizes.at(i).width());
        QVERIFY2(placed.right() < width, qPrintable(QString::number(i)));
        const int line = lines.at(i);
        if (line == lineTops.size()) {
            lineTops.append(placed.top());
            lineHeights.append(placed.height());
            QCOMPARE(placed.left(), 0);
        } else {
            // Beside the one before it, as tall as the others of its line.
            QCOMPARE(placed.top(), lineTops.at(line));
            QCOMPARE(placed.height(), lineHeights.at(line));
            QCOMPARE(placed.left(), row.boxes.at(i - 1)->geometry().right() + 1 + kAcross);
        }
    }
    int expectedTop = 0;
    for (int line = 0; line < lineTops.size(); ++line) {
        int tallest = 0;
        for (int i = 0; i < kSizes.size(); ++i) {
            if (lines.at(i) == line)
                tallest = qMax(tallest, kSizes.at(i).height());
        }
        QCOMPARE(lineTops.at(line), expectedTop);
        QCOMPARE(lineHeights.at(line), tallest);
        expectedTop += tallest + kDown;
    }
    QCOMPARE(row.layout->heightForWidth(width), expectedTop - kDown);
}

// Made as narrow as it goes, the row holds its widest widget, one widget a line.
void tst_WrappingRowLayout::leastSizeHoldsTheWidestAndItsLines()
{
    Row row;
    row.layout->setContentsMargins(5, 3, 5, 3);
    const QSize least = row.layout->minimumSize();
    QCOMPARE(least.width(), 120 + 10);
    QCOMPARE(least.height(), 40 + kDown + 60 + kDown + 30 + 6);
    QCOMPARE(row.layout->heightForWidth(least.width()), least.height());
    QCOMPARE(row.layout->sizeHint().width(), 100 + kAcross + 80 + kAcross + 120 + 10);
}

QTEST_MAIN(tst_WrappingRowLayout)
#include "tst_WrappingRowLayout.moc"
