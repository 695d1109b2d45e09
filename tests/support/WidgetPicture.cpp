#include "WidgetPicture.h"

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>

QString WidgetPicture::folder()
{
    const QString fromEnvironment = qEnvironmentVariable("TQ_SCREENSHOT_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral(TQ_SCREENSHOT_DIR) : fromEnvironment;
}

QString WidgetPicture::save(QWidget *widget, const QString &name)
{
    if (!widget->isVisible()) {
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget))
            qWarning("WidgetPicture: %s was not exposed", qPrintable(name));
    }
    QCoreApplication::processEvents();
    const QString path = QDir(folder()).filePath(name + QLatin1String(".png"));
    if (!QDir().mkpath(folder()) || !widget->grab().save(path, "PNG")) {
        qWarning("WidgetPicture: cannot write %s", qPrintable(path));
        return QString();
    }
    return path;
}
