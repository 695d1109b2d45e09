#include "widgets/WindowTextFit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QTableWidget>
#include <QToolBox>

#include <algorithm>

namespace {

const char *const kWatchedProperty = "_tq_titlesKeptWhole";
const char *const kFittingProperty = "_tq_fittingTexts";
const char *const kFormSizeProperty = "_tq_formSize";
const char *const kScrollsSidewaysProperty = "_tq_scrollsSideways";
const char *const kStretchPausedProperty = "_tq_stretchPaused";
const char *const kFollowsLayoutProperty = "_tq_followsLayout";

// Widgets whose size follows their texts or their layout; input fields, views and sliders keep
// the sizes their forms give them.
bool sizedByTexts(const QWidget *widget)
{
    // Icon buttons and pictures keep their sizes.
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return !label->text().isEmpty();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return !button->text().isEmpty();
    if (qobject_cast<const QGroupBox *>(widget))
        return true;
    if (qobject_cast<const QAbstractScrollArea *>(widget))
        return false;
    return widget->layout() != nullptr;
}

int depth(const QWidget *widget)
{
    int levels = 0;
    for (const QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget())
        ++levels;
    return levels;
}

// The width a section's title needs; none for a section without a title.
int titleWidth(const QHeaderView *header, int logical)
{
    return header->model()->headerData(logical, Qt::Horizontal).toString().isEmpty() ? 0
                                                                                      : header->sectionSizeHint(logical);
}

} // namespace

WindowTextFit::WindowTextFit(QWidget *window)
    : QObject(window)
{
}

void WindowTextFit::followLayoutChanges(QWidget *window)
{
    window->setProperty(kFollowsLayoutProperty, true);
}

void WindowTextFit::letScrollSideways(QAbstractItemView *view)
{
    view->setProperty(kScrollsSidewaysProperty, true);
}

void WindowTextFit::install(QWidget *window)
{
    window->setProperty(kFormSizeProperty, window->size());
    window->installEventFilter(new WindowTextFit(window));
}

bool WindowTextFit::eventFilter(QObject *watched, QEvent *event)
{
    // A layout inside changed what it needs (a table's rows, a longer text): the least width
    // of a window that asked for it follows, once the layouts have taken the change in.
    if (event->type() == QEvent::LayoutRequest && watched == parent() && !minimumCheckDue
        && watched->property(kFollowsLayoutProperty).toBool()) {
        minimumCheckDue = true;
        QPointer<QWidget> window = static_cast<QWidget *>(watched);
        QTimer::singleShot(0, this, [this, window] {
            minimumCheckDue = false;
            if (window && window->isVisible())
                keepMinimumWidth(window);
        });
    }
    if (event->type() == QEvent::Show && watched == parent()) {
        auto *window = static_cast<QWidget *>(watched);
        fit(window);
        // Once more when what the showing started (queued layouts, column sizes) has settled.
        QPointer<QWidget> shown = window;
        QTimer::singleShot(0, window, [shown] {
            if (shown && shown->isVisible())
                fit(shown);
        });
    }
    return QObject::eventFilter(watched, event);
}

void WindowTextFit::fit(QWidget *window)
{
    if (window->property(kFittingProperty).toBool())
        return;
    window->setProperty(kFittingProperty, true);
    // The window's own widgets: the dialogs it owns fit themselves when they are shown.
    QList<QWidget *> widgets;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->window() == window)
            widgets.append(widget);
    }
    for (QWidget *widget : qAsConst(widgets)) {
        auto *header = qobject_cast<QHeaderView *>(widget);
        if (header && header->orientation() == Qt::Horizontal)
            keepTitlesWhole(header);
        if (auto *table = qobject_cast<QTableWidget *>(widget))
            fitColumnsToTexts(table);
    }
    // Innermost first: a container's needs include its children's. A widened widget can widen
    // its container's needs once more: again until nothing changes.
    std::stable_sort(widgets.begin(), widgets.end(),
                     [](const QWidget *a, const QWidget *b) { return depth(a) > depth(b); });
    for (int pass = 0; pass < 4; ++pass) {
        bool changed = false;
        for (QWidget *widget : qAsConst(widgets)) {
            if (auto *area = qobject_cast<QScrollArea *>(widget))
                changed |= fitScrollArea(area);
            else if (sizedByTexts(widget))
                changed |= fitWidget(widget);
        }
        if (!changed)
            break;
    }
    growWindow(window);
    window->setProperty(kFittingProperty, false);
}

void WindowTextFit::keepMinimumWidth(QWidget *window)
{
    const bool fixed = window->minimumWidth() == window->maximumWidth();
    if (fixed || window->minimumWidth() == 0 || !window->layout())
        return;
    const int needed = window->layout()->totalMinimumSize().width();
    if (window->minimumWidth() < needed)
        window->setMinimumWidth(needed);
}

// At the size its form gives it, the window grows in width to what its layout now needs (a
// fixed-size dialog stays fixed, at that width). A size the user chose, or one restored from
// the last run, is left alone, and so are heights. A minimum width the form sets stands in for
// what the layout needs (Qt then no longer asks the layout): it is raised to that, so that the
// window made as narrow as it goes still shows its texts whole.
void WindowTextFit::growWindow(QWidget *window)
{
    const QSize formSize = window->property(kFormSizeProperty).toSize();
    const bool fixed = window->minimumWidth() == window->maximumWidth();
    const bool atFormSize = fixed || window->width() == formSize.width();
    for (int round = 0; round < 2; ++round) {
        // Layouts keep what they measured until told otherwise; a splitter tells its own only
        // later, from the event loop.
        for (QLayout *layout : window->findChildren<QLayout *>()) {
            if (layout->parentWidget() && layout->parentWidget()->window() == window)
                layout->invalidate();
        }
        if (window->layout())
            window->layout()->activate();
        const int needed = window->layout() ? window->layout()->totalMinimumSize().width()
                                            : window->minimumSizeHint().width();
        keepMinimumWidth(window);
        if (!atFormSize || needed <= window->width())
            return;
        if (fixed)
            window->setFixedWidth(needed);
        window->resize(needed, window->height());
        window->setProperty(kFormSizeProperty, window->size());
    }
}

// A scroll area holding a form page (a tool box page) is as wide as the page needs, and so is
// its tool box, whichever page is open.
bool WindowTextFit::fitScrollArea(QScrollArea *area)
{
    if (!area->widget() || !area->widgetResizable())
        return false;
    const int needed = area->widget()->minimumSizeHint().width() + 2 * area->frameWidth();
    if (needed <= area->minimumWidth())
        return false;
    area->setMinimumWidth(needed);
    for (QWidget *parent = area->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto *box = qobject_cast<QToolBox *>(parent)) {
            if (box->minimumWidth() < needed)
                box->setMinimumWidth(needed);
            break;
        }
    }
    return true;
}

// Columns that code sized to their contents before the window had its fonts: again, now.
void WindowTextFit::fitColumnsToTexts(QTableWidget *table)
{
    QHeaderView *header = table->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column) {
        const bool stretched = header->sectionResizeMode(column) == QHeaderView::Stretch
                               || (header->stretchLastSection() && header->visualIndex(column) == header->count() - 1);
        if (stretched || table->isColumnHidden(column))
            continue;
        const int needed = static_cast<QAbstractItemView *>(table)->sizeHintForColumn(column);
        if (table->columnWidth(column) < needed)
            table->setColumnWidth(column, needed);
    }
}

// A minimum or fixed width set by the form stands in for the widget's own needs in its layout:
// raise it to those needs. Heights are the form's: translations grow in width.
bool WindowTextFit::fitWidget(QWidget *widget)
{
    const int needed = widget->minimumSizeHint().width();
    if (needed <= 0)
        return false;
    if (widget->minimumWidth() == widget->maximumWidth()) {
        if (widget->maximumWidth() >= needed)
            return false;
        widget->setFixedWidth(needed);
        return true;
    }
    if (widget->minimumWidth() == 0 || widget->minimumWidth() >= needed)
        return false;
    widget->setMinimumWidth(needed);
    return true;
}

void WindowTextFit::keepTitlesWhole(QHeaderView *header)
{
    fitHeader(header);
    if (header->property(kWatchedProperty).toBool())
        return;
    header->setProperty(kWatchedProperty, true);
    // Code that sizes columns to their contents, new titles, the sort arrow: titles stay whole.
    connect(header, &QHeaderView::sectionResized, header, [header] { fitHeader(header); }, Qt::QueuedConnection);
    connect(header, &QHeaderView::sectionCountChanged, header, [header] { fitHeader(header); }, Qt::QueuedConnection);
    connect(header, &QHeaderView::sortIndicatorChanged, header, [header] { fitHeader(header); }, Qt::QueuedConnection);
    connect(header, &QHeaderView::geometriesChanged, header, [header] { fitHeader(header); }, Qt::QueuedConnection);
    // A view that scrolls sideways: the room for its last title changes with its width.
    auto *view = qobject_cast<QAbstractItemView *>(header->parentWidget());
    if (view && view->property(kScrollsSidewaysProperty).toBool())
        connect(view->horizontalScrollBar(), &QScrollBar::rangeChanged, header, [header] { fitHeader(header); },
                Qt::QueuedConnection);
}

void WindowTextFit::fitHeader(QHeaderView *header)
{
    if (!header->model() || header->count() == 0)
        return;
    int last = header->count() - 1;
    while (last > 0 && header->isSectionHidden(header->logicalIndex(last)))
        --last;
    const int lastLogical = header->logicalIndex(last);
    auto *view = qobject_cast<QAbstractItemView *>(header->parentWidget());
    if (view && view->property(kScrollsSidewaysProperty).toBool()) {
        keepLastTitleWhileScrolling(header, lastLogical);
        return;
    }
    const bool lastStretches = header->stretchLastSection();
    int othersWidth = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        const int hint = titleWidth(header, logical);
        const bool stretched = header->sectionResizeMode(logical) == QHeaderView::Stretch
                               || (lastStretches && logical == lastLogical);
        if (!stretched && header->sectionSize(logical) < hint)
            header->resizeSection(logical, hint);
        // Columns sized to their data count with no more than their title or default width.
        if (logical != lastLogical)
            othersWidth += qMin(header->sectionSize(logical), qMax(hint, header->defaultSectionSize()));
    }
    if (!lastStretches)
        return;
    // The view must be wide enough for the stretched last title beside the other sections.
    if (!view)
        return;
    int needed = othersWidth + header->sectionSizeHint(lastLogical) + 2 * view->frameWidth();
    if (view->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        needed += view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    for (QHeaderView *rows : view->findChildren<QHeaderView *>()) {
        if (rows->orientation() == Qt::Vertical && rows->isVisibleTo(view))
            needed += rows->width();
    }
    if (view->minimumWidth() >= needed)
        return;
    view->setMinimumWidth(needed);
    // The window around it may need more room now.
    QPointer<QWidget> window = view->window();
    QTimer::singleShot(0, window, [window] {
        if (window && window->isVisible())
            fit(window);
    });
}

// The sections keep their titles whole; the last one stretches over the room left only while
// that room holds its title, else it keeps its title's width and the view scrolls to it.
void WindowTextFit::keepLastTitleWhileScrolling(QHeaderView *header, int lastLogical)
{
    const bool paused = header->property(kStretchPausedProperty).toBool();
    if (!header->stretchLastSection() && !paused)
        return;
    int othersWidth = 0;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical) || logical == lastLogical)
            continue;
        const int hint = titleWidth(header, logical);
        if (header->sectionSize(logical) < hint)
            header->resizeSection(logical, hint);
        othersWidth += header->sectionSize(logical);
    }
    const int lastHint = header->sectionSizeHint(lastLogical);
    const bool room = header->viewport()->width() - othersWidth >= lastHint;
    if (room && paused) {
        header->setProperty(kStretchPausedProperty, false);
        header->setStretchLastSection(true);
    } else if (!room && !paused) {
        header->setProperty(kStretchPausedProperty, true);
        header->setStretchLastSection(false);
        header->resizeSection(lastLogical, lastHint);
    } else if (!room && header->sectionSize(lastLogical) < lastHint) {
        header->resizeSection(lastLogical, lastHint);
    }
}
