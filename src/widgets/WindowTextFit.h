#ifndef WINDOWTEXTFIT_H
#define WINDOWTEXTFIT_H

#include <QObject>

class QAbstractItemView;
class QHeaderView;
class QScrollArea;
class QTableWidget;
class QWidget;

// Keeps a window's texts whole in every language, whatever sizes its form gives: the sizes a form
// fixes are right for its English texts, longer translations need more. Installed on a window,
// it acts each time the window is shown, before it is painted:
// - a widget whose minimum (or fixed) size is below what its texts and layout need gets that;
// - a scroll area that holds a form page (the pages of a tool box) is made as wide as the page,
//   so the page needs no horizontal scrolling;
// - every column header section stays at least as wide as its title (sort arrow included), and a
//   table whose last section stretches is made wide enough for that section's title (one that
//   may scroll sideways keeps its width: its last section then stops stretching while it would
//   be narrower than its title);
// - at the width its form gives it, the window grows to what its layout then needs (a fixed-size
//   dialog keeps a fixed size); a size restored or chosen by the user is left alone;
// - a minimum width the form sets for the window is raised to what its layout needs, then (and
//   whenever its layouts change, for a window that asks for it).
// Sizes that already suffice are left as the form made them.
class WindowTextFit : public QObject
{
    Q_OBJECT

public:
    static void install(QWidget *window);
    // What install() does at each showing, at once.
    static void fit(QWidget *window);
    // The window's least width follows what its layout needs also after it is shown (rows added
    // to a table, groups that wrap): for a window whose texts are all the form's or bounded.
    static void followLayoutChanges(QWidget *window);
    // A wide list whose columns the user scrolls to: it does not widen its window for them.
    static void letScrollSideways(QAbstractItemView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowTextFit(QWidget *window);
    static void growWindow(QWidget *window);
    static void keepMinimumWidth(QWidget *window);
    static bool fitWidget(QWidget *widget);
    static bool fitScrollArea(QScrollArea *area);
    static void fitColumnsToTexts(QTableWidget *table);
    static void keepTitlesWhole(QHeaderView *header);
    static void fitHeader(QHeaderView *header);
    static void keepLastTitleWhileScrolling(QHeaderView *header, int lastLogical);

    bool minimumCheckDue = false;
};

#endif // WINDOWTEXTFIT_H
