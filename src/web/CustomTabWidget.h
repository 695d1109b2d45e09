#ifndef CUSTOMTABWIDGET_H
#define CUSTOMTABWIDGET_H

#include <QTabWidget>

// A tab widget whose tabs close on a middle click: releasing the middle button over a tab asks
// for that tab to be closed (tabCloseRequested), -1 when no tab is under the pointer.
class CustomTabWidget : public QTabWidget
{
    Q_OBJECT

public:
    explicit CustomTabWidget(QWidget *parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

#endif // CUSTOMTABWIDGET_H
