#include "chart/ChartXYBorder.h"
#include "chart/ChartXYGrid.h"
#include "chart/ChartXYScale.h"
#include "chart/ChartXYSetting.h"
#include "chart/ChartXYValues.h"

#include <QPoint>
#include <QStandardItemModel>
#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(QVariant::Type)

namespace {

// Counts the cells read, to show when a model is not read at all.
class CountingModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        ++reads;
        return QStandardItemModel::data(index, role);
    }
    mutable int reads = 0;
};

// The main window's speed chart: 30 rows one minute apart, speeds as unsigned 64-bit values.
void fillSpeedModel(QStandardItemModel &model, const QDateTime &start,
                    const QList<QVariant> &speeds)
{
    model.setRowCount(speeds.size());
    model.setColumnCount(2);
    for (int row = 0; row < speeds.size(); ++row) {
        model.setData(model.index(row, 0), start.addSecs(60 * row));
        model.setData(model.index(row, 1), speeds.at(row));
    }
}

QList<QVariant> speeds(int count, const QVariant &value)
{
    QList<QVariant> list;
    for (int i = 0; i < count; ++i)
        list << value;
    return list;
}

} // namespace

class tst_ChartXYScale : public QObject
{
    Q_OBJECT

private slots:
    void defaultsOfTheSettings()
    {
        ChartXYSetting setting;
        QCOMPARE(setting.border()->parent(), &setting);
        QCOMPARE(setting.grid()->parent(), &setting);
        QCOMPARE(setting.scale()->parent(), &setting);
        const ChartXYBorder *border = setting.border();
        QCOMPARE(border->top() + border->right() + border->bottom() + border->left(), 0);
        QCOMPARE(border->backgroundColor(), QColor(Qt::white));
        const ChartXYGrid *grid = setting.grid();
        QVERIFY(grid->isVisible());
        QCOMPARE(grid->offset(), 0);
        QCOMPARE(grid->baseColor(), QColor(192, 192, 192, 255));
        QCOMPARE(grid->lineColor(), QColor(0, 0, 0, 255));
        QCOMPARE(grid->tickX()->major(), 4u);
        QCOMPARE(grid->tickY()->minor(), 4u);
        const ChartXYScale *scale = setting.scale();
        QVERIFY(!scale->autoLimits() && !scale->autoViewLimits() && !scale->niceLimits());
        QCOMPARE(scale->limits().type(), QVariant::Invalid);
        QCOMPARE(scale->viewLimits(), ChartXYLimits());
    }

    void tickCountsAreAtLeastTwo_data()
    {
        QTest::addColumn<quint32>("requested");
        QTest::addColumn<quint32>("stored");
        QTest::newRow("0") << 0u << 2u;
        QTest::newRow("1") << 1u << 2u;
        QTest::newRow("2") << 2u << 2u;
        QTest::newRow("7") << 7u << 7u;
    }

    void tickCountsAreAtLeastTwo()
    {
        QFETCH(quint32, requested);
        QFETCH(quint32, stored);
        ChartXYGridTick tick;
        tick.setMajor(requested);
        tick.setMinor(requested);
        QCOMPARE(tick.major(), stored);
        QCOMPARE(tick.minor(), stored);
        const ChartXYGridTick built(requested, 7);
        QCOMPARE(built.major(), stored);
        QCOMPARE(built.minor(), 7u);
    }

    void typesOfLimitRecords_data()
    {
        QTest::addColumn<QVariant>("min");
        QTest::addColumn<QVariant>("max");
        QTest::addColumn<QVariant::Type>("type");
        QTest::newRow("both integers") << QVariant(1) << QVariant(2) << QVariant::Int;
        QTest::newRow("integer and double") << QVariant(1) << QVariant(2.0) << QVariant::Invalid;
        QTest::newRow("default") << QVariant() << QVariant() << QVariant::Invalid;
        QTest::newRow("date-times")
            << QVariant(QDateTime::currentDateTime()) << QVariant(QDateTime::currentDateTime())
            << QVariant::DateTime;
    }

    void typesOfLimitRecords()
    {
        QFETCH(QVariant, min);
        QFETCH(QVariant, max);
        QFETCH(QVariant::Type, type);
        const ChartXYLimitAxis axis(min, max);
        QCOMPARE(axis.type(), type);
        QCOMPARE(ChartXYLimits(axis, axis).type(), type);
        // Axes of different types give the record no type, whatever each axis has.
        const ChartXYLimitAxis numbers(QVariant(qulonglong(0)), QVariant(qulonglong(5)));
        if (type != QVariant::ULongLong)
            QCOMPARE(ChartXYLimits(axis, numbers).type(), QVariant::Invalid);
    }

    void limitsChangeInPlaceThroughTheirAccessors()
    {
        ChartXYLimits limits;
        limits.y().set(1, 9);
        QCOMPARE(limits.y().max(), QVariant(9));
        QVERIFY(limits != ChartXYLimits());
    }

    void setViewLimitsOfMixedTypesOverwritesBothRecords()
    {
        ChartXYScale scale;
        const QDateTime start(QDate(2024, 1, 1), QTime(10, 0));
        const ChartXYLimits first(ChartXYLimitAxis(start, start.addSecs(60)),
                                  ChartXYLimitAxis(qulonglong(0), qulonglong(52)));
        scale.setViewLimits(first);
        QCOMPARE(scale.viewLimits(), first);
        QCOMPARE(scale.limits(), first);
        const ChartXYLimits second(ChartXYLimitAxis(start, start.addSecs(120)),
                                   ChartXYLimitAxis(qulonglong(0), qulonglong(152)));
        scale.setViewLimits(second);
        QCOMPARE(scale.limits(), second);
    }

    void setLimitsOfOneTypeFillsTheViewLimitsOnlyFirst()
    {
        ChartXYScale scale;
        const ChartXYLimits first(ChartXYLimitAxis(0.0, 1.0), ChartXYLimitAxis(0.0, 2.0));
        const ChartXYLimits second(ChartXYLimitAxis(5.0, 6.0), ChartXYLimitAxis(5.0, 7.0));
        scale.setLimits(first);
        QCOMPARE(scale.viewLimits(), first);
        scale.setLimits(second);
        QCOMPARE(scale.limits(), second);
        QCOMPARE(scale.viewLimits(), first);
        QCOMPARE(scale.type(), QVariant::Double);
    }

    void variantToDouble_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<double>("number");
        const QDateTime moment(QDate(2011, 3, 5), QTime(9, 5, 7));
        QTest::newRow("time of one hour") << QVariant(QTime(1, 0)) << 3600000.0;
        QTest::newRow("quarter of a second") << QVariant(QTime(0, 0, 0, 250)) << 250.0;
        QTest::newRow("text holding 12") << QVariant(QStringLiteral("12")) << 12.0;
        QTest::newRow("unsigned 64-bit") << QVariant(qulonglong(1) << 40) << 1099511627776.0;
        QTest::newRow("no conversion") << QVariant(QPoint(1, 2)) << 0.0;
        QTest::newRow("invalid time") << QVariant(QTime(25, 0)) << 0.0;
        QTest::newRow("date-time") << QVariant(moment) << double(moment.toMSecsSinceEpoch());
        QTest::newRow("date, from its midnight")
            << QVariant(moment.date()) << double(moment.date().startOfDay().toMSecsSinceEpoch());
    }

    void variantToDouble()
    {
        QFETCH(QVariant, value);
        QFETCH(double, number);
        QCOMPARE(::variantToDouble(value), number);
    }

    void millisecondsToTimes()
    {
        QCOMPARE(msecsToTimeVariant(3600000).toTime(), QTime(1, 0));
        QCOMPARE(msecsToTimeVariant(86400000).toTime(), QTime(0, 0));
        QCOMPARE(msecsToTimeVariant(86400000 + 3723004).toTime(), QTime(1, 2, 3, 4));
        const QDateTime moment(QDate(2011, 3, 5), QTime(9, 5, 7));
        QCOMPARE(msecsToDateTimeVariant(quint64(moment.toMSecsSinceEpoch())).toDateTime(), moment);
        QCOMPARE(msecsToDateVariant(quint64(moment.toMSecsSinceEpoch())).toDate(), moment.date());
    }

    void niceLimits_data()
    {
        QTest::addColumn<QVariant>("min");
        QTest::addColumn<QVariant>("max");
        QTest::addColumn<quint32>("intervals");
        QTest::addColumn<QVariant>("niceMin");
        QTest::addColumn<QVariant>("niceMax");
        using ull = qulonglong;
        QTest::newRow("speed 100 plus headroom") << QVariant(ull(0)) << QVariant(ull(150)) << 4u
                                                 << QVariant(ull(0)) << QVariant(ull(152));
        QTest::newRow("no speed") << QVariant(ull(0)) << QVariant(ull(50)) << 4u
                                  << QVariant(ull(0)) << QVariant(ull(52));
        QTest::newRow("1 GiB/s") << QVariant(ull(0)) << QVariant(ull(1048626)) << 4u
                                 << QVariant(ull(0)) << QVariant(ull(1048628));
        QTest::newRow("2^50, never counted one by one")
            << QVariant(ull(0)) << QVariant(ull(1) << 50) << 4u << QVariant(ull(0))
            << QVariant(ull(1) << 50);
        QTest::newRow("3 to 17: the interval grows once") << QVariant(3) << QVariant(17) << 4u
                                                          << QVariant(0) << QVariant(20);
        QTest::newRow("-7 to 13: moved up to the minimum") << QVariant(-7) << QVariant(13) << 4u
                                                           << QVariant(-7) << QVariant(21);
        QTest::newRow("all negative") << QVariant(-20) << QVariant(-5) << 4u << QVariant(-20)
                                      << QVariant(-4);
        QTest::newRow("fractional step") << QVariant(0.0) << QVariant(2.0) << 4u
                                         << QVariant(0.0) << QVariant(2.0);
        QTest::newRow("tenths by repeated addition") << QVariant(0.25) << QVariant(0.75) << 4u
                                                     << QVariant(0.2) << QVariant(1.0);
        QTest::newRow("narrow range far from zero")
            << QVariant(1000000001) << QVariant(1000000101) << 4u << QVariant(999999999)
            << QVariant(1000000107);
        QTest::newRow("one interval across zero ends at the data")
            << QVariant(-5) << QVariant(5) << 1u << QVariant(-5) << QVariant(5);
    }

    void niceLimits()
    {
        QFETCH(QVariant, min);
        QFETCH(QVariant, max);
        QFETCH(quint32, intervals);
        QFETCH(QVariant, niceMin);
        QFETCH(QVariant, niceMax);
        ChartXYScale::computeNiceLimits(min, max, intervals, 1.0);
        QCOMPARE(min.type(), niceMin.type());
        QCOMPARE(max.type(), niceMax.type());
        if (niceMin.type() == QVariant::Double) {
            QCOMPARE(min.toDouble(), niceMin.toDouble());
            QCOMPARE(max.toDouble(), niceMax.toDouble());
        } else {
            QCOMPARE(min, niceMin);
            QCOMPARE(max, niceMax);
        }
    }

    void degeneratePairsStayUnchanged_data()
    {
        QTest::addColumn<QVariant>("min");
        QTest::addColumn<QVariant>("max");
        QTest::addColumn<quint32>("intervals");
        QTest::addColumn<double>("step");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        const double big = std::numeric_limits<double>::max();
        const QDateTime start(QDate(2024, 1, 1), QTime(10, 0));
        QTest::newRow("minimum equal to maximum") << QVariant(7) << QVariant(7) << 4u << 1.0;
        QTest::newRow("maximum below minimum") << QVariant(9) << QVariant(3) << 4u << 1.0;
        QTest::newRow("no interval") << QVariant(0) << QVariant(10) << 0u << 1.0;
        QTest::newRow("not a number") << QVariant(nan) << QVariant(1.0) << 4u << 1.0;
        QTest::newRow("infinite maximum") << QVariant(0.0) << QVariant(inf) << 4u << 1.0;
        QTest::newRow("range beyond a double") << QVariant(-big) << QVariant(big) << 4u << 1.0;
        QTest::newRow("zero step") << QVariant(0) << QVariant(10) << 4u << 0.0;
        QTest::newRow("step not a number") << QVariant(0) << QVariant(10) << 4u << nan;
        QTest::newRow("mixed types") << QVariant(0) << QVariant(10.0) << 4u << 1.0;
        QTest::newRow("date-times") << QVariant(start) << QVariant(start.addSecs(600)) << 4u
                                    << 1.0;
        QTest::newRow("times") << QVariant(QTime(1, 0)) << QVariant(QTime(2, 0)) << 4u << 1.0;
        QTest::newRow("no conversion") << QVariant(QPoint(0, 0)) << QVariant(QPoint(5, 5)) << 4u
                                       << 1.0;
        QTest::newRow("invalid") << QVariant() << QVariant() << 4u << 1.0;
    }

    void degeneratePairsStayUnchanged()
    {
        QFETCH(QVariant, min);
        QFETCH(QVariant, max);
        QFETCH(quint32, intervals);
        QFETCH(double, step);
        QVariant niceMin = min;
        QVariant niceMax = max;
        ChartXYScale::computeNiceLimits(niceMin, niceMax, intervals, step);
        QCOMPARE(niceMin.type(), min.type());
        QCOMPARE(niceMax.type(), max.type());
        // QVariant's equality does not hold for NaN, so compare through the text.
        QCOMPARE(niceMin.toString(), min.toString());
        QCOMPARE(niceMax.toString(), max.toString());
    }

    void speedChartLimitsFollowTheModel_data()
    {
        QTest::addColumn<QVariant>("speed");
        QTest::addColumn<qulonglong>("top");
        QTest::newRow("largest speed 100") << QVariant(qulonglong(100)) << qulonglong(152);
        QTest::newRow("all speeds 0") << QVariant(qulonglong(0)) << qulonglong(52);
        QTest::newRow("initial integer zeros") << QVariant(0) << qulonglong(52);
    }

    void speedChartLimitsFollowTheModel()
    {
        QFETCH(QVariant, speed);
        QFETCH(qulonglong, top);
        QStandardItemModel model;
        const QDateTime start(QDate(2024, 1, 1), QTime(10, 0));
        QList<QVariant> values = speeds(30, QVariant(qulonglong(0)));
        values[12] = speed;
        if (speed.type() == QVariant::Int)
            values = speeds(30, speed);
        fillSpeedModel(model, start, values);
        ChartXYScale scale;
        scale.setAutoViewLimits(true);
        scale.setNiceLimits(true);
        scale.updateLimitsFromModel(&model, 3, 4);
        const ChartXYLimits &view = scale.viewLimits();
        QCOMPARE(view.x().min(), QVariant(start));
        QCOMPARE(view.x().max(), QVariant(start.addSecs(60 * 29)));
        QCOMPARE(view.y().min(), QVariant(qulonglong(0)));
        QCOMPARE(view.y().max(), QVariant(top));
        QCOMPARE(scale.limits(), view);
    }

    void modelWithoutRowsStillSetsTheLimits()
    {
        QStandardItemModel model(0, 2);
        ChartXYScale scale;
        scale.setAutoLimits(true);
        scale.setNiceLimits(true);
        scale.updateLimitsFromModel(&model, 3, 4);
        QVERIFY(!scale.limits().x().min().isValid());
        QVERIFY(!scale.limits().x().max().isValid());
        QCOMPARE(scale.limits().y().max(), QVariant(qulonglong(52)));
    }

    void firstOfEqualValuesStays()
    {
        QStandardItemModel model(3, 2);
        model.setData(model.index(0, 0), 5);
        model.setData(model.index(1, 0), 5.0);
        model.setData(model.index(2, 0), 1);
        ChartXYScale scale;
        scale.setAutoViewLimits(true);
        scale.updateLimitsFromModel(&model, 3, 4);
        QCOMPARE(scale.viewLimits().x().max().type(), QVariant::Int);
        QCOMPARE(scale.viewLimits().x().min(), QVariant(1));
    }

    void withoutAutoFlagsTheModelIsNotRead()
    {
        CountingModel model(30, 2);
        ChartXYScale scale;
        scale.setNiceLimits(true);
        scale.updateLimitsFromModel(&model, 3, 4);
        QCOMPARE(model.reads, 0);
        QCOMPARE(scale.viewLimits(), ChartXYLimits());
        scale.updateLimitsFromModel(nullptr, 3, 4); // no model: nothing to read, no crash
        scale.setAutoViewLimits(true);
        scale.updateLimitsFromModel(nullptr, 3, 4);
        QCOMPARE(scale.viewLimits(), ChartXYLimits());
    }
};

QTEST_MAIN(tst_ChartXYScale)
#include "tst_ChartXYScale.moc"
