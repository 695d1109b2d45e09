#ifndef APPSTYLE_H
#define APPSTYLE_H

class QStyle;

// The program's widget style: Plastique (Debian's qt5-style-plugins), Fusion when that plugin
// is missing. The forms' style sheets are drawn for it: under Fusion the tab widget's and tool
// bar's gradient backgrounds come out black.
class AppStyle
{
public:
    static QStyle *create();
};

#endif // APPSTYLE_H
