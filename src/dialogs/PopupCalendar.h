#ifndef POPUPCALENDAR_H
#define POPUPCALENDAR_H

#include <QDate>
#include <QDialog>
#include <QFont>
#include <QPoint>

class QPushButton;

// A small frameless month calendar, painted by hand, from which the user picks one day: a title
// row with the month and two buttons, a row of weekday names and six weeks of days starting
// with the 1st of the month. Clicks, the arrow keys, Page Up/Down (month) and Home/End (year)
// move the day; Space, Return, Enter or a double click take it; Escape takes the opening date.
class PopupCalendar : public QDialog
{
    Q_OBJECT

public:
    // Runs a calendar modally with its top-left corner at `position` (screen coordinates, kept
    // on the screen) and returns the date shown when it ends.
    static QDate getDate(QWidget *parent, QDate date, QPoint position);

    PopupCalendar(QDate date, QPoint position, QWidget *parent = nullptr, const char *title = nullptr);

    QSize sizeHint() const override;
    void setDate(QDate date);
    QDate date() const { return shownDate; }

public slots:
    void slotPrevMonth();
    void slotNextMonth();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int rowHeight() const { return height() / 8; }
    int columnWidth() const { return width() / 7; }
    QDate firstOfMonth() const { return QDate(shownDate.year(), shownDate.month(), 1); }
    void moveTo(QDate date);
    void placeOnScreen(QPoint position);
    void paintTitle(QPainter &painter) const;
    void paintWeekdays(QPainter &painter) const;
    void paintDays(QPainter &painter) const;

    QPushButton *previousButton;
    QPushButton *nextButton;
    QFont calendarFont;
    QDate shownDate;
    QDate openingDate;
};

#endif // POPUPCALENDAR_H
