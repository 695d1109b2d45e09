#include "WidgetPicture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <QWidget>

QString WidgetPicture::folder()
{
    const QString fromEnvironment = qEnvironmentVariable("TQ_SCREENSHOT_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral(TQ_SCREENSHOT_DIR) : fromEnvironment;
}

namespace {

QString writePicture(const QImage &image, const QString &name)
{
    const QString path = QDir(WidgetPicture::folder()).filePath(name + QLatin1String(".png"));
    if (!QDir().mkpath(WidgetPicture::folder()) || !image.save(path, "PNG")) {
        qWarning("WidgetPicture: cannot write %s", qPrintable(path));
        return QString();
    }
    return path;
}

} // namespace

QString WidgetPicture::saveScreen(const QList<QWidget *> &windows, const QString &name)
{
    QRect area;
    for (QWidget *window : windows)
        area |= window->geometry();
    QCoreApplication::processEvents();
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::darkGray);
    QPainter painter(&image);
    for (QWidget *window : windows)
        painter.drawPixmap(window->geometry().topLeft() - area.topLeft(), window->grab());
    painter.end();
    return writePicture(image, name);
}

QString WidgetPicture::save(QWidget *widget, const QString &name)
{
    if (!widget->isVisible()) {
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget))
            qWarning("WidgetPicture: %s was not exposed", qPrintable(name));
    }
    QCoreApplication::processEvents();
    return writePicture(widget->grab().toImage(), name);
}
