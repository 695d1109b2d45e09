#ifndef TEXTCONTRAST_H
#define TEXTCONTRAST_H

#include <QColor>
#include <QHash>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>

// How readable a widget's text is as drawn: the contrast ratio (as the web's accessibility
// guidelines define it, 1 to 21) between the field's background, its most frequent colour, and
// the pixel that stands out most from it. Text drawn dark on black, or grey on grey, stays near 1;
// readable text reaches 4.5 or more.
namespace TextContrast {

inline double luminance(QRgb pixel)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) + 0.0722 * channel(qBlue(pixel));
}

inline double ratio(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Inside the widget's frame (the borders and rounded corners left out).
inline double ofWidget(QWidget *widget)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect inside = QRect(QPoint(0, 0), image.size()).adjusted(10, 3, -10, -3);
    QHash<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        best = std::max(best, ratio(it.key(), background));
    return best;
}

} // namespace TextContrast

#endif // TEXTCONTRAST_H
