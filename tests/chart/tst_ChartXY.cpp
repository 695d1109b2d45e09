#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "chart/ChartXY.h"
#include "chart/ChartXYBorder.h"
#include "chart/ChartXYGrid.h"
#include "chart/ChartXYRender.h"
#include "chart/ChartXYScale.h"
#include "chart/ChartXYSetting.h"

#include "WidgetPicture.h"

#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QtTest>

namespace {

// The renderer's protected operations, opened for the test.
class OpenRender : public ChartXYRender
{
public:
    using ChartXYRender::ChartXYRender;
    using ChartXYRender::dataGridPosition;
    using ChartXYRender::tickValue;
    using ChartXYRender::tickValueToString;
};

const QColor SeriesColor(128, 160, 255, 255);
const QDateTime Start(QDate(2024, 1, 1), QTime(10, 0));

// A chart whose viewport is exactly 301 x 101 pixels, with the x axis of four rows one minute
// apart and the y axis from 0 to 100.
struct Chart
{
    Chart()
    {
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(301, 101);
        view.setting()->scale()->setViewLimits(
            ChartXYLimits(ChartXYLimitAxis(Start, Start.addSecs(180)),
                          ChartXYLimitAxis(qulonglong(0), qulonglong(100))));
    }

    void setSeries(const QVariant &y, int rows = 4)
    {
        model.setRowCount(rows);
        model.setColumnCount(2);
        for (int row = 0; row < rows; ++row) {
            model.setData(model.index(row, 0), Start.addSecs(60 * row));
            model.setData(model.index(row, 1), y);
        }
        model.setData(model.index(0, 1), SeriesColor, Qt::DecorationRole);
        view.setModel(&model);
    }

    QImage picture()
    {
        if (!view.isVisible()) {
            view.show();
            if (!QTest::qWaitForWindowExposed(&view))
                qWarning("chart not exposed");
        }
        return view.viewport()->grab().toImage();
    }

    ChartXY view;
    QStandardItemModel model;
};

bool isDark(QRgb pixel)
{
    return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

bool isWhite(QRgb pixel)
{
    return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
}

bool isLineColoured(QRgb pixel)
{
    return qAbs(qRed(pixel) - 128) < 30 && qAbs(qGreen(pixel) - 160) < 30 && qBlue(pixel) > 220;
}

int darkPixelsInColumn(const QImage &image, int x, int fromY, int toY)
{
    int count = 0;
    for (int y = fromY; y <= toY; ++y)
        count += isDark(image.pixel(x, y));
    return count;
}

} // namespace

class tst_ChartXY : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void paintsDottedGridLineAndArea()
    {
        Chart chart;
        chart.setSeries(QVariant(qulonglong(50)));
        const QImage image = chart.picture();
        QCOMPARE(image.size(), QSize(301, 101));
        // Vertical grid lines at 0, 100, 200 and 300, dotted: dark, but not all the way.
        for (int x : {0, 100, 200, 300}) {
            const int dark = darkPixelsInColumn(image, x, 0, 30);
            QVERIFY2(dark > 5 && dark < 31, qPrintable(QStringLiteral("x %1: %2").arg(x).arg(dark)));
        }
        QCOMPARE(darkPixelsInColumn(image, 50, 0, 30), 0);
        QCOMPARE(darkPixelsInColumn(image, 150, 0, 30), 0);
        // The line at half height, the area below it, the background above.
        QVERIFY(isLineColoured(image.pixel(150, 49)));
        QVERIFY(isWhite(image.pixel(150, 20)));
        const QRgb area = image.pixel(150, 80);
        QVERIFY2(qRed(area) < 230 && qBlue(area) > 240,
                 qPrintable(QColor(area).name()));
        QVERIFY(!isWhite(image.pixel(20, 95)));
        WidgetPicture::save(&chart.view, QStringLiteral("ChartXY_series"));
    }

    void valuesOfAnotherTypeDrawNothing()
    {
        // The initial model of the main window holds integer zeros while the limits hold
        // unsigned 64-bit values: no row is drawn.
        Chart chart;
        chart.setSeries(QVariant(0));
        const QImage image = chart.picture();
        for (int x = 110; x < 190; ++x) {
            QVERIFY(isWhite(image.pixel(x, 100)));
            QVERIFY(isWhite(image.pixel(x, 80)));
        }
    }

    void zeroSeriesDrawsItsLineButNoArea()
    {
        Chart chart;
        chart.setSeries(QVariant(qulonglong(0)));
        const QImage image = chart.picture();
        QVERIFY(isLineColoured(image.pixel(150, 100)));
        QVERIFY(isWhite(image.pixel(150, 90)));
    }

    void singleRowGivesATriangle()
    {
        Chart chart;
        chart.setSeries(QVariant(qulonglong(100)), 1);
        const QImage image = chart.picture();
        // Row 0 maps to the left top corner; the triangle runs to the bottom corners.
        QVERIFY(!isWhite(image.pixel(20, 90)));
        QVERIFY(isWhite(image.pixel(150, 20)));
    }

    void withoutModelOnlyTheBackgroundIsPainted()
    {
        Chart chart;
        chart.view.setting()->border()->setBackgroundColor(QColor(10, 20, 30));
        chart.view.updateChart();
        const QImage image = chart.picture();
        for (int y = 0; y < image.height(); y += 5)
            for (int x = 0; x < image.width(); x += 5)
                QCOMPARE(QColor(image.pixel(x, y)), QColor(10, 20, 30));
    }

    void viewportSmallerThanTheMarginsShowsTheBackground()
    {
        Chart chart;
        chart.setSeries(QVariant(qulonglong(50)));
        chart.view.setting()->border()->setLeft(200);
        chart.view.setting()->border()->setRight(101);
        const QImage image = chart.picture();
        for (int x = 0; x < image.width(); x += 3)
            QVERIFY(isWhite(image.pixel(x, 49)));
    }

    void tickValuesOfADateTimeAxis()
    {
        Chart chart;
        OpenRender render(&chart.view, chart.view.setting());
        const QDateTime first(QDate(2024, 1, 1), QTime(10, 0));
        const ChartXYLimitAxis axis(first, first.addSecs(29 * 60));
        const ChartXYGridTick ticks(4, 5);
        QCOMPARE(render.tickValue(axis, ticks, 0), QVariant(first));
        QCOMPARE(render.tickValue(axis, ticks, 1).toDateTime().time(), QTime(10, 9, 40));
        QCOMPARE(render.tickValue(axis, ticks, 2).toDateTime().time(), QTime(10, 19, 20));
        QCOMPARE(render.tickValue(axis, ticks, 3), QVariant(first.addSecs(29 * 60)));
        QVERIFY(!render.tickValue(ChartXYLimitAxis(1, 2.0), ticks, 1).isValid());
        QCOMPARE(render.tickValue(ChartXYLimitAxis(0.0, 3.0), ticks, 1), QVariant(1.0));
        QCOMPARE(render.tickValue(ChartXYLimitAxis(QTime(1, 0), QTime(1, 3)), ticks, 2),
                 QVariant(QTime(1, 2)));
    }

    void tickValueTexts_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("date") << QVariant(QDate(2011, 3, 5)) << "05/03/2011";
        QTest::newRow("time") << QVariant(QTime(9, 5, 7)) << "09:05:07";
        QTest::newRow("date-time") << QVariant(QDateTime(QDate(2011, 3, 5), QTime(9, 5, 7)))
                                   << "05/03/2011 09:05:07";
        QTest::newRow("double") << QVariant(1.5) << "1.5";
        QTest::newRow("invalid") << QVariant() << "";
    }

    void tickValueTexts()
    {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        Chart chart;
        OpenRender render(&chart.view, chart.view.setting());
        QCOMPARE(render.tickValueToString(value), text);
    }

    void positionsMapTheLimitsToTheRectangle()
    {
        Chart chart;
        OpenRender render(&chart.view, chart.view.setting());
        QRect rect(10, 20, 101, 51); // right 110, bottom 70
        QCOMPARE(render.dataGridPosition(rect, Start, qulonglong(0)), QPointF(10, 70));
        QCOMPARE(render.dataGridPosition(rect, Start.addSecs(180), qulonglong(100)),
                 QPointF(110, 20));
        // Equal limits put the value in the middle instead of dividing by zero.
        chart.view.setting()->scale()->setViewLimits(ChartXYLimits(
            ChartXYLimitAxis(Start, Start), ChartXYLimitAxis(qulonglong(5), qulonglong(5))));
        QCOMPARE(render.dataGridPosition(rect, Start, qulonglong(5)), QPointF(60, 45));
    }

    void clicksAndKeysSelectNothing()
    {
        Chart chart;
        chart.setSeries(QVariant(qulonglong(50)));
        chart.picture();
        chart.view.setCursor(Qt::WaitCursor);
        QTest::mouseClick(chart.view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 50));
        QTest::keyClick(&chart.view, Qt::Key_Down);
        QVERIFY(!chart.view.currentIndex().isValid());
        QVERIFY(!chart.view.selectionModel()->hasSelection());
        QCOMPARE(chart.view.cursor().shape(), Qt::ArrowCursor);
    }

    void limitsFollowDataChangesOnly()
    {
        Chart chart;
        ChartXYScale *scale = chart.view.setting()->scale();
        scale->setAutoViewLimits(true);
        scale->setNiceLimits(true);
        chart.view.setting()->grid()->tickY()->setMajor(5); // four y intervals
        chart.setSeries(QVariant(qulonglong(100)));
        chart.view.updateChart();
        QCOMPARE(scale->viewLimits().y().max(), QVariant(qulonglong(152)));

        // New rows change nothing until the next data change.
        chart.model.insertRow(4);
        chart.model.setItem(4, 0, new QStandardItem());
        QCOMPARE(scale->viewLimits().y().max(), QVariant(qulonglong(152)));
        chart.model.setData(chart.model.index(4, 0), Start.addSecs(240));
        chart.model.setData(chart.model.index(4, 1), qulonglong(1000));
        QCOMPARE(scale->viewLimits().y().max(), QVariant(qulonglong(1052)));
        QCOMPARE(scale->viewLimits().x().max(), QVariant(Start.addSecs(240)));

        // Resizing repaints without recomputing; a new model recomputes nothing either.
        scale->setViewLimits(ChartXYLimits());
        chart.view.resize(200, 80);
        chart.picture();
        QCOMPARE(scale->viewLimits(), ChartXYLimits());
        QStandardItemModel other(2, 2);
        chart.view.setModel(&other);
        QCOMPARE(scale->viewLimits(), ChartXYLimits());
        chart.view.setModel(nullptr);
        chart.view.updateChart(); // no model: nothing read
    }

    void speedChartAsTheMainWindowSetsItUp()
    {
        // 30 samples a minute apart, configured as the main window does.
        ChartXY view;
        QStandardItemModel model(30, 2);
        model.setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Speed")});
        for (int row = 0; row < 30; ++row) {
            model.setData(model.index(row, 0), Start.addSecs(60 * row));
            model.setData(model.index(row, 1), 0);
            model.setData(model.index(row, 1), SeriesColor, Qt::DecorationRole);
        }
        view.setModel(&model);
        ChartXYSetting *setting = view.setting();
        setting->border()->setBackgroundColor(QColor(255, 255, 255, 255));
        setting->grid()->tickX()->setMajor(4);
        setting->grid()->tickX()->setMinor(5);
        setting->grid()->tickY()->setMajor(5);
        setting->grid()->tickY()->setMinor(1);
        setting->scale()->setAutoViewLimits(true);
        setting->scale()->setNiceLimits(true);
        view.updateChart();
        QCOMPARE(setting->grid()->tickY()->minor(), 2u);
        QCOMPARE(setting->scale()->viewLimits().y().max(), QVariant(qulonglong(52)));

        const qulonglong samples[] = {0, 120, 340, 800, 760, 900, 1200, 1150, 1300, 1280};
        for (int row = 0; row < 30; ++row)
            model.setData(model.index(row, 1), samples[row % 10] + qulonglong(row) * 20);
        QCOMPARE(setting->scale()->viewLimits().y().max(), QVariant(qulonglong(1912)));
        view.resize(420, 82);
        QVERIFY(!WidgetPicture::save(&view, QStringLiteral("ChartXY")).isEmpty());
    }
};

QTEST_MAIN(tst_ChartXY)
#include "tst_ChartXY.moc"
