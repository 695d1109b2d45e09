#include "widgets/SizeSpeedText.h"

#include <QtTest>

#include <cmath>
#include <limits>

class tst_SizeSpeedText : public QObject
{
    Q_OBJECT

private slots:
    void formatSize_data()
    {
        QTest::addColumn<double>("kib");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0 KiB";
        QTest::newRow("below a hundredth") << 0.004 << "0 KiB";
        QTest::newRow("two decimals") << 123.456 << "123.46 KiB";
        QTest::newRow("1.005 is just below, rounds down") << 1.005 << "1 KiB";
        QTest::newRow("2.005 is exactly a half, away from zero") << 2.005 << "2.01 KiB";
        QTest::newRow("rounds up to 1024 of the smaller unit") << 1023.999 << "1024 KiB";
        QTest::newRow("MiB from 1024") << 1024.0 << "1 MiB";
        QTest::newRow("one and a half MiB") << 1536.0 << "1.5 MiB";
        QTest::newRow("just below GiB") << 1048575.0 << "1024 MiB";
        QTest::newRow("GiB from 1048576") << 1048576.0 << "1 GiB";
        QTest::newRow("GiB with decimals") << 12345678.9 << "11.77 GiB";
        QTest::newRow("just below TiB") << 1073741823.0 << "1024 GiB";
        QTest::newRow("TiB from 1073741824") << 1073741824.0 << "1 TiB";
        QTest::newRow("no unit beyond TiB") << 1.2e15 << "1.11759e+06 TiB";
        QTest::newRow("six significant digits") << 12345.678 * 1073741824.0 << "12345.7 TiB";
        QTest::newRow("negative stays in KiB") << -2048.0 << "-2048 KiB";
    }

    void formatSize()
    {
        QFETCH(double, kib);
        QFETCH(QString, text);
        QCOMPARE(SizeSpeedText::formatSize(kib), text);
    }

    void formatSpeed_data()
    {
        QTest::addColumn<double>("kibps");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0 KiB/s";
        QTest::newRow("KiB/s") << 512.0 << "512 KiB/s";
        QTest::newRow("just below MiB/s") << 1023.994 << "1023.99 KiB/s";
        QTest::newRow("MiB/s from 1024") << 1024.0 << "1 MiB/s";
        QTest::newRow("two MiB/s") << 2048.0 << "2 MiB/s";
        QTest::newRow("just below GiB/s") << 1048575.0 << "1024 MiB/s";
        QTest::newRow("GiB/s from 1048576") << 1048576.0 << "1 GiB/s";
        QTest::newRow("no unit beyond GiB/s") << 1073741824.0 << "1024 GiB/s";
    }

    void formatSpeed()
    {
        QFETCH(double, kibps);
        QFETCH(QString, text);
        QCOMPARE(SizeSpeedText::formatSpeed(kibps), text);
    }

    void valuesThatAreNotNumbersKeepTheFirstUnit()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QVERIFY(SizeSpeedText::formatSize(nan).endsWith(QLatin1String(" KiB")));
        QVERIFY(SizeSpeedText::formatSpeed(nan).endsWith(QLatin1String(" KiB/s")));
        QCOMPARE(SizeSpeedText::formatSize(std::numeric_limits<double>::infinity()),
                 QStringLiteral("inf TiB"));
    }

    void callerUnitsFollowTheSameRule()
    {
        const QStringList units{QStringLiteral("a"), QStringLiteral("b")};
        QCOMPARE(SizeSpeedText::format(1023.0, units), QStringLiteral("1023 a"));
        QCOMPARE(SizeSpeedText::format(1024.0 * 1024 * 3, units), QStringLiteral("3072 b"));
    }
};

QTEST_MAIN(tst_SizeSpeedText)
#include "tst_SizeSpeedText.moc"
