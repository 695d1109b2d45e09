#include "dialogs/PopupCalendar.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace {

enum { ButtonSize = 20, WeekCount = 6, DayCount = 7 };

QPushButton *makeMonthButton(QWidget *parent, const QString &icon, const QString &toolTip)
{
    auto *button = new QPushButton(parent);
    button->setFixedSize(ButtonSize, ButtonSize);
    button->setIcon(QIcon(icon));
    button->setToolTip(toolTip);
    // The keys belong to the calendar: a focused button would take Space for itself.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

QDate PopupCalendar::getDate(QWidget *parent, QDate date, QPoint position)
{
    QPointer<PopupCalendar> calendar = new PopupCalendar(date, position, parent);
    calendar->exec();
    if (!calendar) // its parent went away while it ran
        return date;
    const QDate picked = calendar->date();
    delete calendar;
    return picked;
}

PopupCalendar::PopupCalendar(QDate date, QPoint position, QWidget *parent, const char *title)
    : QDialog(parent, Qt::FramelessWindowHint)
    , shownDate(date.isValid() ? date : QDate::currentDate())
    , openingDate(shownDate)
{
    setWindowTitle(QString::fromUtf8(title));
    calendarFont = font();
    calendarFont.setPointSize(11);
    calendarFont.setWeight(QFont::Bold);
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::StrongFocus);
    setFocus();

    previousButton = makeMonthButton(this, QStringLiteral(":/images/back.png"), tr("Previous month"));
    previousButton->move(1, 1);
    nextButton = makeMonthButton(this, QStringLiteral(":/images/forward.png"), tr("Next month"));
    nextButton->move(width() - ButtonSize - 1, 1);
    connect(previousButton, &QPushButton::clicked, this, &PopupCalendar::slotPrevMonth);
    connect(nextButton, &QPushButton::clicked, this, &PopupCalendar::slotNextMonth);

    if (!position.isNull())
        placeOnScreen(position);
}

QSize PopupCalendar::sizeHint() const
{
    const QFontMetrics metrics(calendarFont);
    return QSize(DayCount * metrics.horizontalAdvance(tr("Wed")), int(8 * metrics.height() * 1.2));
}

// A calendar opened under a field near the bottom or right edge would run off the screen, where
// nobody could see or close the modal window: it is pushed back inside the screen's free area.
void PopupCalendar::placeOnScreen(QPoint position)
{
    QScreen *screen = QGuiApplication::screenAt(position);
    if (!screen && parentWidget())
        screen = parentWidget()->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        move(position);
        return;
    }
    const QRect area = screen->availableGeometry();
    const int x = qMax(area.left(), qMin(position.x(), area.right() + 1 - width()));
    const int y = qMax(area.top(), qMin(position.y(), area.bottom() + 1 - height()));
    move(x, y);
}

void PopupCalendar::setDate(QDate date)
{
    if (!date.isValid())
        return;
    shownDate = date;
    update();
}

void PopupCalendar::moveTo(QDate date)
{
    if (!date.isValid() || date == shownDate)
        return;
    shownDate = date;
    update();
}

void PopupCalendar::slotPrevMonth()
{
    moveTo(shownDate.addMonths(-1));
}

void PopupCalendar::slotNextMonth()
{
    moveTo(shownDate.addMonths(1));
}

// The day under the pointer, cell by cell as they are drawn; the pixels below the last week
// belong to it rather than to a seventh week that is not drawn.
void PopupCalendar::mousePressEvent(QMouseEvent *event)
{
    const int rows = rowHeight();
    const int y = event->pos().y();
    if (rows <= 0 || y < 2 * rows)
        return;
    const int week = qBound(0, (y - 2 * rows) / rows, WeekCount - 1);
    const int column = qBound(0, event->pos().x() / qMax(1, columnWidth()), DayCount - 1);
    moveTo(firstOfMonth().addDays(DayCount * week + column));
}

void PopupCalendar::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    accept();
}

void PopupCalendar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        break;
    case Qt::Key_Escape:
        moveTo(openingDate);
        accept();
        break;
    case Qt::Key_Left:
        moveTo(shownDate.addDays(-1));
        break;
    case Qt::Key_Right:
        moveTo(shownDate.addDays(1));
        break;
    case Qt::Key_Up:
        moveTo(shownDate.addDays(-DayCount));
        break;
    case Qt::Key_Down:
        moveTo(shownDate.addDays(DayCount));
        break;
    case Qt::Key_PageUp:
        moveTo(shownDate.addMonths(-1));
        break;
    case Qt::Key_PageDown:
        moveTo(shownDate.addMonths(1));
        break;
    case Qt::Key_Home:
        moveTo(shownDate.addYears(-1));
        break;
    case Qt::Key_End:
        moveTo(shownDate.addYears(1));
        break;
    default:
        QDialog::keyPressEvent(event);
    }
}

void PopupCalendar::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setFont(calendarFont);
    paintTitle(painter);
    paintWeekdays(painter);
    paintDays(painter);
    painter.drawRect(0, 0, width() - 2, height() - 2);
}

void PopupCalendar::paintTitle(QPainter &painter) const
{
    const QRect titleRect(QPoint(1, 1), QPoint(width() - 1, rowHeight() - 1));
    painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignTop,
                     QLocale::system().toString(shownDate, QStringLiteral("  yyyy MMMM  ")));
}

void PopupCalendar::paintWeekdays(QPainter &painter) const
{
    const int rows = rowHeight();
    const int columns = columnWidth();
    const QDate first = firstOfMonth();
    for (int i = 0; i < DayCount; ++i) {
        const QRect cell(QPoint(i * columns + 1, rows), QPoint((i + 1) * columns, 2 * rows - 2));
        painter.drawText(cell, Qt::AlignHCenter,
                         QLocale::system().toString(first.addDays(i), QStringLiteral("ddd")));
    }
}

void PopupCalendar::paintDays(QPainter &painter) const
{
    const int rows = rowHeight();
    const int columns = columnWidth();
    const QDate first = firstOfMonth();
    const QDate today = QDate::currentDate();
    for (int week = 0; week < WeekCount; ++week) {
        for (int i = 0; i < DayCount; ++i) {
            const QDate day = first.addDays(DayCount * week + i);
            const int x = 2 + i * columns;
            const int top = (week + 2) * rows + 2;
            const int bottom = (week + 3) * rows + 1;
            Qt::GlobalColor background = Qt::lightGray;
            if (day.month() != first.month())
                background = Qt::gray;
            else if (day == shownDate)
                background = Qt::green;
            else if (day == today)
                background = Qt::blue;
            painter.fillRect(QRect(QPoint(x - 1, top - 1), QPoint(x + columns - 3, bottom - 2)), background);
            painter.drawText(QRect(QPoint(x, top), QPoint(x + columns - 1, bottom)),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(day.day()));
        }
    }
}
