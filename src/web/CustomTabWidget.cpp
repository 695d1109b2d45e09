#include "web/CustomTabWidget.h"

#include <QMouseEvent>
#include <QTabBar>

CustomTabWidget::CustomTabWidget(QWidget *parent)
    : QTabWidget(parent)
{
}

void CustomTabWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::MiddleButton) {
        QTabWidget::mouseReleaseEvent(event);
        return;
    }
    // The tab bar does not start at the widget's corner (a corner widget or the document mode
    // shifts it): look the tab up at the position in the bar's own coordinates.
    const QPoint inBar = tabBar()->mapFrom(this, event->pos());
    emit tabCloseRequested(tabBar()->tabAt(inBar));
}
