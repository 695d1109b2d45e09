#include "chart/ChartXYRender.h"

#include "chart/ChartXYBorder.h"
#include "chart/ChartXYGrid.h"
#include "chart/ChartXYScale.h"
#include "chart/ChartXYSetting.h"
#include "chart/ChartXYValues.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace {

const char *const WatermarkImage = ":/images/system-monitor2.png";

QPen linePen(const ChartXYGrid *grid, qreal width, Qt::PenStyle style)
{
    return QPen(QBrush(grid->lineColor()), width, style, Qt::SquareCap, Qt::BevelJoin);
}

// Where value lies between min and max, mapped linearly from `from` (at min) to `to` (at max).
// An axis whose limits are equal puts every value in the middle.
qreal mapValue(double value, double min, double max, qreal from, qreal to)
{
    if (min == max)
        return (from + to) / 2;
    return (from * (value - max) - (value - min) * to) / (min - max);
}

} // namespace

ChartXYRender::ChartXYRender(QAbstractItemView *view, ChartXYSetting *setting)
    : QObject(view)
    , view(view)
    , viewport(view->viewport())
    , setting(setting)
{
}

void ChartXYRender::paint()
{
    QPainter painter(viewport);
    paintBorder(painter);
    if (view->model())
        paintGrid(painter);
}

void ChartXYRender::paintBorder(QPainter &painter)
{
    painter.fillRect(QRect(0, 0, viewport->width(), viewport->height()),
                     setting->border()->backgroundColor());
}

void ChartXYRender::paintGrid(QPainter &painter)
{
    const ChartXYBorder *border = setting->border();
    const qint32 offset = setting->grid()->offset();
    const int width = viewport->width();
    const int height = viewport->height();
    if (border->left() + border->right() + 2 * offset > width - 1
        || border->top() + border->bottom() + 2 * offset > height - 1)
        return;

    QRect rect(QPoint(0, 0), QPoint(width - 1, height - 1));
    rect.adjust(border->left(), border->top(), -border->right(), -border->bottom());
    if (setting->grid()->isVisible())
        paintGridLine(painter, rect);

    const QPixmap watermark(QString::fromLatin1(WatermarkImage));
    const int w = rect.width();
    const int h = rect.height();
    const int pw = watermark.width();
    painter.drawPixmap(QRect(w + 50 - pw, h / 2, pw - 52, h / 2 - 2), watermark);

    rect.adjust(offset, offset, -offset, -offset);
    paintData(painter, rect);
}

void ChartXYRender::paintGridLine(QPainter &painter, QRect &rect)
{
    painter.save();
    paintGridLineX(painter, rect);
    painter.restore();
}

void ChartXYRender::paintGridLineX(QPainter &painter, QRect &rect)
{
    const ChartXYGrid *grid = setting->grid();
    painter.setPen(linePen(grid, 1.0, Qt::DotLine));
    const int offset = grid->offset();
    const double w = rect.width() - 2 * offset;
    const quint32 n = grid->tickX()->major();
    for (quint32 i = 0; i < n; ++i) {
        const double x = rect.left() + offset + i * (w - 1) / (n - 1);
        painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
    }
}

void ChartXYRender::paintGridLineY(QPainter &painter, QRect &rect)
{
    const ChartXYGrid *grid = setting->grid();
    painter.setPen(linePen(grid, 1.0, Qt::DotLine));
    const int offset = grid->offset();
    const double h = rect.height() - 2 * offset;
    const quint32 n = grid->tickY()->major();
    for (quint32 i = 0; i < n; ++i) {
        const double y = rect.bottom() - offset - i * (h - 1) / (n - 1);
        painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
}

void ChartXYRender::paintAxis(QPainter &painter, QRect &rect)
{
    painter.save();
    paintAxisY(painter, rect);
    painter.restore();
}

void ChartXYRender::paintAxisX(QPainter &painter, QRect &rect)
{
    const ChartXYGrid *grid = setting->grid();
    const QPen axisPen = linePen(grid, 2.0, Qt::SolidLine);
    const QPen majorPen = linePen(grid, 2.0, Qt::SolidLine);
    const QPen minorPen = linePen(grid, 1.0, Qt::SolidLine);
    painter.setPen(axisPen);
    painter.drawLine(QPointF(rect.left(), rect.bottom()), QPointF(rect.right(), rect.bottom()));

    const int offset = grid->offset();
    const double w = rect.right() - rect.left() - 2 * offset + 1;
    const quint32 n = grid->tickX()->major();
    const quint32 m = grid->tickX()->minor();
    for (quint32 i = 0; i < n; ++i) {
        const double xi = rect.left() + offset + i * w / (n - 1);
        if (i < n - 1) {
            painter.setPen(minorPen);
            for (quint32 j = 0; j < m; ++j) {
                const double xj = xi + j * (w / (n - 1)) / (m - 1);
                painter.drawLine(QPointF(xj, rect.bottom()), QPointF(xj, rect.bottom() + 6));
            }
        }
        painter.setPen(majorPen);
        painter.drawLine(QPointF(xi, rect.bottom()), QPointF(xi, rect.bottom() + 8));
    }
    paintAxisXTickvalue(painter, rect);
}

void ChartXYRender::paintAxisXTickvalue(QPainter &painter, QRect &rect)
{
    const ChartXYGrid *grid = setting->grid();
    const int ps = painter.fontInfo().pixelSize();
    const double w = rect.width() - 2 * grid->offset();
    const quint32 n = grid->tickX()->major();
    const double third = w / (n - 1) / 3;
    const ChartXYLimitAxis axis = setting->scale()->viewLimits().x();
    for (quint32 i = 0; i < n; ++i) {
        const QString text = tickValueToString(tickValue(axis, *grid->tickX(), i));
        const QRectF box(rect.left() + grid->offset() + i * w / (n - 1) - third,
                         rect.bottom() + 12, int(2 * third), ps);
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, text);
    }
}

void ChartXYRender::paintAxisY(QPainter &painter, QRect &rect)
{
    const ChartXYGrid *grid = setting->grid();
    const QPen axisPen = linePen(grid, 2.0, Qt::SolidLine);
    const QPen majorPen = linePen(grid, 2.0, Qt::SolidLine);
    const QPen minorPen = linePen(grid, 1.0, Qt::SolidLine);
    painter.setPen(axisPen);
    painter.drawLine(QPointF(rect.left(), rect.bottom()), QPointF(rect.left(), rect.top()));

    const int offset = grid->offset();
    const double h = rect.bottom() - rect.top() - 2 * offset + 1;
    const quint32 n = grid->tickY()->major();
    const quint32 m = grid->tickY()->minor();
    for (quint32 i = 0; i < n; ++i) {
        const double yi = rect.bottom() - offset - i * h / (n - 1);
        if (i < n - 1) {
            painter.setPen(minorPen);
            for (quint32 j = 0; j < m; ++j) {
                const double yj = yi - j * (h / (n - 1)) / (m - 1);
                painter.drawLine(QPointF(rect.left(), yj), QPointF(rect.left() + 2, yj));
            }
        }
        painter.setPen(majorPen);
        painter.drawLine(QPointF(rect.left(), yi), QPointF(rect.left() + 4, yi));
    }
    paintAxisYTickvalue(painter, rect);
}

void ChartXYRender::paintAxisYTickvalue(QPainter &painter, QRect &rect)
{
    const ChartXYGrid *grid = setting->grid();
    const int left = setting->border()->left();
    const int ps = painter.fontInfo().pixelSize();
    const int half = (10 * ps + 5) / 20;
    const int h = rect.height();
    const quint32 n = grid->tickY()->major();
    const ChartXYLimitAxis axis = setting->scale()->viewLimits().y();
    for (quint32 i = 0; i < n; ++i) {
        const QString text = tickValueToString(tickValue(axis, *grid->tickY(), i));
        const QRectF box(rect.left() + left + 16, rect.bottom() - double(i) * h / (n - 1) - half,
                         left + 18, ps);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
    }
}

void ChartXYRender::paintData(QPainter &painter, QRect &rect)
{
    const int columns = view->model()->columnCount();
    for (int column = 1; column < columns; ++column)
        paintDataColumn(painter, rect, column);
}

void ChartXYRender::paintDataColumn(QPainter &painter, QRect &rect, int column)
{
    const QAbstractItemModel *model = view->model();
    const ChartXYLimits &limits = setting->scale()->viewLimits();
    const QVariant color = model->data(model->index(0, column), Qt::DecorationRole);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(rect);
    if (color.type() == QVariant::Color)
        painter.setPen(QPen(QBrush(color.value<QColor>()), 2.0, Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));

    QPolygonF points;
    QPointF first;
    QPointF previous;
    bool anyPointDrawn = false;
    bool anyNonZero = false;
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        const QVariant x = model->data(model->index(row, 0), Qt::DisplayRole);
        const QVariant y = model->data(model->index(row, column), Qt::DisplayRole);
        // Values of another type than the limits' are left out of the line and the area.
        if (x.type() != limits.x().type() || y.type() != limits.y().type())
            continue;
        const QPointF point = dataGridPosition(rect, x, y);
        if (!anyPointDrawn) {
            first = point;
            previous = point;
            anyPointDrawn = true;
        }
        if (y.toULongLong() != 0)
            anyNonZero = true;
        painter.drawLine(previous, point);
        previous = point;
        points << point;
        if (row == rows - 1)
            points << QPointF(rect.right(), rect.bottom()) << QPointF(rect.left(), rect.bottom())
                   << first;
    }

    if (points.size() > 3 && anyNonZero) {
        const int w = rect.width();
        const int h = rect.height();
        QLinearGradient gradient(w / 2, h, w / 2, 0);
        gradient.setColorAt(0, QColor(201, 216, 255, 255));
        gradient.setColorAt(0.5, QColor(128, 194, 255, 255));
        painter.setBrush(gradient);
        painter.setPen(Qt::NoPen);
        painter.setOpacity(0.8);
        painter.drawPolygon(points, Qt::OddEvenFill);
    }
    painter.restore();
}

QVariant ChartXYRender::tickValue(ChartXYLimitAxis limit_axis, ChartXYGridTick grid_tick,
                                  unsigned tick)
{
    const QVariant::Type type = limit_axis.type();
    if (type == QVariant::Invalid)
        return QVariant();
    const unsigned n = grid_tick.major() - 1;
    if (tick == 0)
        return limit_axis.min();
    if (tick == n)
        return limit_axis.max();

    const auto interpolate = [n, tick](double a, double b) {
        const double intervals = n;
        const double position = tick;
        return ((position - intervals) * a) / (-intervals) - (b * position) / (-intervals);
    };
    switch (type) {
    case QVariant::Time: {
        const quint64 a = quint64(variantToDouble(limit_axis.min()));
        const quint64 b = quint64(variantToDouble(limit_axis.max()));
        return msecsToTimeVariant(quint64(interpolate(double(a), double(b))));
    }
    case QVariant::DateTime: {
        const quint64 a = quint64(limit_axis.min().toDateTime().toMSecsSinceEpoch());
        const quint64 b = quint64(limit_axis.max().toDateTime().toMSecsSinceEpoch());
        return msecsToDateTimeVariant(quint64(interpolate(double(a), double(b))));
    }
    case QVariant::Date: {
        const quint64 a = quint64(limit_axis.min().toDate().startOfDay().toMSecsSinceEpoch());
        const quint64 b = quint64(limit_axis.max().toDate().startOfDay().toMSecsSinceEpoch());
        return msecsToDateVariant(quint64(interpolate(double(a), double(b))));
    }
    default:
        if (!limit_axis.canConvert(QVariant::Double))
            return QVariant();
        return QVariant(interpolate(limit_axis.min().toDouble(), limit_axis.max().toDouble()));
    }
}

QString ChartXYRender::tickValueToString(QVariant tick_value)
{
    switch (tick_value.type()) {
    case QVariant::Time:
        return QStringLiteral("%1").arg(tick_value.toTime().toString(QStringLiteral("hh:mm:ss")));
    case QVariant::DateTime:
        return QStringLiteral("%1").arg(
            tick_value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));
    case QVariant::Date:
        return QStringLiteral("%1").arg(tick_value.toDate().toString(QStringLiteral("dd/MM/yyyy")));
    default:
        if (!tick_value.isValid() || !tick_value.canConvert(QVariant::Double))
            return QString();
        return QStringLiteral("%1").arg(tick_value.toDouble(), 0, 'g', -1, QLatin1Char(' '));
    }
}

QPointF ChartXYRender::dataGridPosition(QRect &rect, QVariant x, QVariant y)
{
    const ChartXYLimits &limits = setting->scale()->viewLimits();
    const double px = mapValue(variantToDouble(x), variantToDouble(limits.x().min()),
                               variantToDouble(limits.x().max()), rect.left(), rect.right());
    const double py = mapValue(variantToDouble(y), variantToDouble(limits.y().min()),
                               variantToDouble(limits.y().max()), rect.bottom(), rect.top());
    return QPointF(px, py);
}
