#ifndef WIDGETPICTURE_H
#define WIDGETPICTURE_H

#include <QList>
#include <QString>

class QWidget;

// Pictures of windows for review: saves what a widget shows as <build>/screenshots/<name>.png
// (the folder can be moved with the environment variable TQ_SCREENSHOT_DIR). A widget that is
// not shown yet is shown first, so that its layout is in place. Not an assertion: returns the
// file's path, or an empty string when it could not be written.
class WidgetPicture
{
public:
    static QString save(QWidget *widget, const QString &name);
    // Top-level windows as they lie over one another on the screen, the first at the bottom,
    // each drawn at its place (without the frames of the window manager).
    static QString saveScreen(const QList<QWidget *> &windows, const QString &name);
    static QString folder();
};

#endif // WIDGETPICTURE_H
