#ifndef SHOWNIMAGE_H
#define SHOWNIMAGE_H

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// Whether an icon or a pixmap shows a compiled-in image, compared pixel by pixel at the image's
// own size (pixmaps hold premultiplied pixels, so both sides are compared in that form).
inline bool showsImage(const QPixmap &pixmap, const QString &path)
{
    const QImage expected(path);
    return !expected.isNull() && !pixmap.isNull()
           && pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied)
                  == expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

inline bool showsImage(const QIcon &icon, const QString &path)
{
    const QImage expected(path);
    return !expected.isNull() && !icon.isNull() && showsImage(icon.pixmap(expected.size()), path);
}

#endif // SHOWNIMAGE_H
