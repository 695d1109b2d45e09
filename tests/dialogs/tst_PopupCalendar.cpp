#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "dialogs/PopupCalendar.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <functional>

namespace {

// Geometry of a calendar as it draws itself: row height R and column width K.
struct Grid
{
    explicit Grid(const QWidget &calendar)
        : width(calendar.width())
        , height(calendar.height())
        , row(calendar.height() / 8)
        , column(calendar.width() / 7)
    {
    }

    // A pixel that lies in the coloured part of a day cell and clear of its number.
    QPoint colourPixel(int offset) const
    {
        const int x = 2 + (offset % 7) * column;
        const int top = (offset / 7 + 2) * row + 2;
        const int bottom = (offset / 7 + 3) * row + 1;
        return QPoint(x + column - 6, (top + bottom) / 2); // the frame runs over the last column
    }

    QPoint cellCentre(int offset) const
    {
        return QPoint((offset % 7) * column + column / 2, (offset / 7 + 2) * row + row / 2);
    }

    int width;
    int height;
    int row;
    int column;
};

QDate firstOf(const QDate &date)
{
    return QDate(date.year(), date.month(), 1);
}

} // namespace

class tst_PopupCalendar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void sizeAndButtonsFollowTheFont()
    {
        PopupCalendar calendar(QDate(2024, 5, 15), QPoint(), nullptr, "Pick");
        QCOMPARE(calendar.size(), calendar.sizeHint());
        QCOMPARE(calendar.minimumSize(), calendar.maximumSize());
        QCOMPARE(calendar.windowTitle(), QStringLiteral("Pick"));
        QVERIFY(calendar.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(calendar.focusPolicy(), Qt::StrongFocus);

        QFont font = calendar.font();
        font.setPointSize(11);
        font.setWeight(QFont::Bold);
        const QFontMetrics metrics(font);
        QCOMPARE(calendar.width(), 7 * metrics.horizontalAdvance(QStringLiteral("Wed")));
        QCOMPARE(calendar.height(), int(8 * metrics.height() * 1.2));

        const QList<QPushButton *> buttons = calendar.findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 2);
        QPushButton *previous = buttons.at(0)->toolTip() == QStringLiteral("Previous month") ? buttons.at(0) : buttons.at(1);
        QPushButton *next = previous == buttons.at(0) ? buttons.at(1) : buttons.at(0);
        QCOMPARE(previous->toolTip(), QStringLiteral("Previous month"));
        QCOMPARE(next->toolTip(), QStringLiteral("Next month"));
        QCOMPARE(previous->geometry(), QRect(1, 1, 20, 20));
        QCOMPARE(next->geometry(), QRect(calendar.width() - 21, 1, 20, 20));
        QVERIFY(!previous->icon().isNull() && !next->icon().isNull());
        QCOMPARE(previous->focusPolicy(), Qt::NoFocus);

        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(calendar.date(), QDate(2024, 4, 15));
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(calendar.date(), QDate(2024, 6, 15));
    }

    void keysMoveTheDate_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QDate>("expected");

        QTest::newRow("left over a month's start") << QDate(2024, 3, 1) << int(Qt::Key_Left) << QDate(2024, 2, 29);
        QTest::newRow("right over a month's end") << QDate(2024, 2, 29) << int(Qt::Key_Right) << QDate(2024, 3, 1);
        QTest::newRow("up a week") << QDate(2024, 3, 5) << int(Qt::Key_Up) << QDate(2024, 2, 27);
        QTest::newRow("down a week over a year's end") << QDate(2023, 12, 28) << int(Qt::Key_Down) << QDate(2024, 1, 4);
        QTest::newRow("page up to a shorter month") << QDate(2024, 3, 31) << int(Qt::Key_PageUp) << QDate(2024, 2, 29);
        QTest::newRow("page down from 31 January, leap year") << QDate(2024, 1, 31) << int(Qt::Key_PageDown) << QDate(2024, 2, 29);
        QTest::newRow("page down from 31 January") << QDate(2023, 1, 31) << int(Qt::Key_PageDown) << QDate(2023, 2, 28);
        QTest::newRow("home from 29 February") << QDate(2024, 2, 29) << int(Qt::Key_Home) << QDate(2023, 2, 28);
        QTest::newRow("end from 29 February") << QDate(2024, 2, 29) << int(Qt::Key_End) << QDate(2025, 2, 28);
        QTest::newRow("another key") << QDate(2024, 2, 29) << int(Qt::Key_A) << QDate(2024, 2, 29);
    }

    void keysMoveTheDate()
    {
        QFETCH(QDate, start);
        QFETCH(int, key);
        QFETCH(QDate, expected);
        PopupCalendar calendar(start, QPoint());
        QTest::keyClick(&calendar, Qt::Key(key));
        QCOMPARE(calendar.date(), expected);
        QVERIFY(!calendar.isVisible());
    }

    void getDateReturnsTheDateShownAtTheEnd_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QDate>("expected");

        const QDate opening(2024, 1, 31);
        QTest::newRow("Return") << "return" << QDate(2024, 3, 1);
        QTest::newRow("Enter") << "enter" << QDate(2024, 3, 1);
        QTest::newRow("Space") << "space" << QDate(2024, 3, 1);
        QTest::newRow("Escape after moving to another month") << "escape" << opening;
        QTest::newRow("closed by other means") << "close" << QDate(2024, 3, 1);
        // 1 March 2024 is a Friday: its grid's last cell is 11 April.
        QTest::newRow("double click on a gray day") << "double click" << QDate(2024, 4, 11);
    }

    void getDateReturnsTheDateShownAtTheEnd()
    {
        QFETCH(QString, ending);
        QFETCH(QDate, expected);
        ModalAnswerer answerer;
        QPointer<QWidget> seenCalendar;
        answerer.handleNext([&ending, &seenCalendar](QWidget *window) {
            seenCalendar = window;
            QTest::keyClick(window, Qt::Key_PageDown); // 29 February
            QTest::keyClick(window, Qt::Key_Right);    // 1 March
            if (ending == QLatin1String("return"))
                QTest::keyClick(window, Qt::Key_Return);
            else if (ending == QLatin1String("enter"))
                QTest::keyClick(window, Qt::Key_Enter);
            else if (ending == QLatin1String("space"))
                QTest::keyClick(window, Qt::Key_Space);
            else if (ending == QLatin1String("escape"))
                QTest::keyClick(window, Qt::Key_Escape);
            else if (ending == QLatin1String("close"))
                window->close();
            else
                QTest::mouseDClick(window, Qt::LeftButton, {}, Grid(*window).cellCentre(41));
        });
        QWidget parent;
        const QDate picked = PopupCalendar::getDate(&parent, QDate(2024, 1, 31), QPoint());
        QCOMPARE(picked, expected);
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().className, QStringLiteral("PopupCalendar"));
        QVERIFY(seenCalendar.isNull()); // deleted once read
    }

    void clicksMapToTheDrawnGrid_data()
    {
        // x = columns * K + pixels and y = rows * R + pixels (R the row height, K the column
        // width); -1 columns: the calendar's last column of pixels, -1 rows: its last row of
        // pixels. Offset: the day picked, in days after the 1st; -1 when nothing changes.
        QTest::addColumn<int>("xColumns");
        QTest::addColumn<int>("xPixels");
        QTest::addColumn<int>("yRows");
        QTest::addColumn<int>("yPixels");
        QTest::addColumn<int>("offset");

        QTest::newRow("title row") << 3 << 0 << 0 << 2 << -1;
        QTest::newRow("last pixel of the weekday row") << 0 << 0 << 2 << -1 << -1;
        QTest::newRow("first pixel of the grid") << 0 << 0 << 2 << 0 << 0;
        QTest::newRow("last pixel of the first cell") << 1 << -1 << 3 << -1 << 0;
        QTest::newRow("first pixel of the second week's second cell") << 1 << 0 << 3 << 0 << 8;
        QTest::newRow("last week, right edge") << -1 << 0 << 7 << 1 << 41;
        QTest::newRow("last week's last drawn pixel") << 7 << -1 << 8 << -1 << 41;
        QTest::newRow("below the last week, right edge") << -1 << 0 << -1 << 0 << 41;
        QTest::newRow("below the last week, left edge") << 0 << 0 << -1 << 0 << 35;
    }

    void clicksMapToTheDrawnGrid()
    {
        QFETCH(int, xColumns);
        QFETCH(int, xPixels);
        QFETCH(int, yRows);
        QFETCH(int, yPixels);
        QFETCH(int, offset);
        const QDate start(2024, 5, 15);
        PopupCalendar calendar(start, QPoint());
        const Grid grid(calendar);
        const int x = xColumns < 0 ? grid.width - 1 : xColumns * grid.column + xPixels;
        const int y = yRows < 0 ? grid.height - 1 : yRows * grid.row + yPixels;
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, QPoint(x, y));
        QCOMPARE(calendar.date(), offset < 0 ? start : firstOf(start).addDays(offset));
    }

    void paintsTheMonthWithItsColours()
    {
        const QDate today = QDate::currentDate();
        const QDate shown = today.day() == 1 ? today.addDays(1) : firstOf(today);
        PopupCalendar calendar(shown, QPoint());
        const Grid grid(calendar);
        const QImage image = calendar.grab().toImage();
        const auto colourOf = [&](const QDate &day) {
            return QColor(image.pixel(grid.colourPixel(int(firstOf(shown).daysTo(day)))));
        };

        QCOMPARE(colourOf(shown), QColor(Qt::green));
        QCOMPARE(colourOf(today), QColor(Qt::blue));
        QCOMPARE(colourOf(firstOf(shown).addDays(41)), QColor(Qt::gray)); // always the next month
        const QDate plain = today.addDays(today.day() > 10 ? -3 : 3);
        QCOMPARE(colourOf(plain), QColor(Qt::lightGray));
        QCOMPARE(QColor(image.pixel(0, grid.height / 2)), QColor(Qt::black));
        QCOMPARE(QColor(image.pixel(grid.width - 2, grid.height / 2)), QColor(Qt::black));
        WidgetPicture::save(&calendar, QStringLiteral("PopupCalendar"));

        // Shown on the previous month, today is a gray day when the grid reaches it.
        PopupCalendar earlier(firstOf(today).addMonths(-1), QPoint());
        const int todayOffset = int(firstOf(today).addMonths(-1).daysTo(today));
        if (todayOffset <= 41) {
            const QImage earlierImage = earlier.grab().toImage();
            QCOMPARE(QColor(earlierImage.pixel(Grid(earlier).colourPixel(todayOffset))), QColor(Qt::gray));
        }
    }

    void clickOnAGrayDayShowsItsMonth()
    {
        PopupCalendar calendar(QDate(2023, 2, 10), QPoint());
        // February 2023 has 28 days from a Wednesday: four full weeks, then 1 to 14 March.
        const Grid grid(calendar);
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, grid.cellCentre(28));
        QCOMPARE(calendar.date(), QDate(2023, 3, 1));
        QTest::mouseClick(&calendar, Qt::LeftButton, {}, grid.cellCentre(0));
        QCOMPARE(calendar.date(), QDate(2023, 3, 1));
        WidgetPicture::save(&calendar, QStringLiteral("PopupCalendar_march"));
    }

    void staysOnTheScreen_data()
    {
        // Where the corner is asked for, relative to the free area of the screen.
        QTest::addColumn<QString>("place");

        QTest::newRow("inside") << "inside";
        QTest::newRow("near the right edge") << "right";
        QTest::newRow("near the bottom edge") << "bottom";
        QTest::newRow("near the bottom-right corner") << "corner";
        QTest::newRow("off the screen") << "outside";
        QTest::newRow("left of the screen") << "left";
    }

    void staysOnTheScreen()
    {
        QFETCH(QString, place);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        PopupCalendar probe(QDate(2024, 5, 15), QPoint());
        const QSize size = probe.size();
        QVERIFY(area.width() > size.width() + 20 && area.height() > size.height() + 20);
        const int farX = area.right() + 1 - size.width();
        const int farY = area.bottom() + 1 - size.height();

        QPoint asked;
        QPoint expected;
        if (place == QLatin1String("inside")) {
            asked = area.topLeft() + QPoint(10, 10);
            expected = asked;
        } else if (place == QLatin1String("right")) {
            asked = QPoint(area.right() - 5, area.top() + 10);
            expected = QPoint(farX, asked.y());
        } else if (place == QLatin1String("bottom")) {
            asked = QPoint(area.left() + 10, area.bottom() - 5);
            expected = QPoint(asked.x(), farY);
        } else if (place == QLatin1String("corner")) {
            asked = QPoint(area.right() - 5, area.bottom() - 5);
            expected = QPoint(farX, farY);
        } else if (place == QLatin1String("outside")) {
            asked = QPoint(area.right() + 500, area.bottom() + 500);
            expected = QPoint(farX, farY);
        } else {
            asked = QPoint(area.left() - 50, area.top() + 10);
            expected = QPoint(area.left(), asked.y());
        }

        PopupCalendar calendar(QDate(2024, 5, 15), asked);
        QCOMPARE(calendar.pos(), expected);
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QCOMPARE(calendar.frameGeometry().topLeft(), expected);
        QVERIFY(area.contains(calendar.frameGeometry()));
    }
};

QTEST_MAIN(tst_PopupCalendar)
#include "tst_PopupCalendar.moc"
