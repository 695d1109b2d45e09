#include "VolumeNames.h"

#include <QtTest>

class tst_UnrarVolumeNames : public QObject
{
    Q_OBJECT

private slots:
    void nextVolume_data();
    void nextVolume();
    void partNumber_data();
    void partNumber();
};

void tst_UnrarVolumeNames::nextVolume_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("numberedInName");
    QTest::addColumn<QString>("next");

    QTest::newRow("part1") << "/d/a.part1.rar" << true << "/d/a.part2.rar";
    QTest::newRow("part09 keeps width") << "/d/a.part09.rar" << true << "/d/a.part10.rar";
    QTest::newRow("part99 grows") << "/d/a.part99.rar" << true << "/d/a.part100.rar";
    QTest::newRow("upper case") << "/d/A.PART01.RAR" << true << "/d/A.PART02.RAR";
    QTest::newRow("rar to r00") << "/d/x.rar" << false << "/d/x.r00";
    QTest::newRow("RAR to R00") << "/d/X.RAR" << false << "/d/X.R00";
    QTest::newRow("r00 to r01") << "/d/x.r00" << false << "/d/x.r01";
    QTest::newRow("r09 to r10") << "/d/x.r09" << false << "/d/x.r10";
    QTest::newRow("r99 to s00") << "/d/x.r99" << false << "/d/x.s00";
    QTest::newRow("001 to 002") << "/d/x.001" << false << "/d/x.002";
    QTest::newRow("099 to 100") << "/d/x.099" << false << "/d/x.100";
    QTest::newRow("999 grows") << "/d/x.999" << false << "/d/x.1000";
    QTest::newRow("old numbering of a part name") << "/d/a.part1.rar" << false << "/d/a.part1.r00";
    QTest::newRow("digits in the folder only") << "/d.part1/x.rar" << true << "/d.part1/x.r00";
    QTest::newRow("no extension") << "/d/archive" << false << "";
    QTest::newRow("dot in the folder only") << "/d.x/archive" << false << "";
}

void tst_UnrarVolumeNames::nextVolume()
{
    QFETCH(QString, path);
    QFETCH(bool, numberedInName);
    QFETCH(QString, next);
    QCOMPARE(QString::fromStdString(nextVolumeName(path.toStdString(), numberedInName)), next);
}

void tst_UnrarVolumeNames::partNumber_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("numbered");

    QTest::newRow("part1") << "/d/a.part1.rar" << true;
    QTest::newRow("PART001") << "/d/A.PART001.RAR" << true;
    QTest::newRow("partial") << "/d/a.partial.rar" << false;
    QTest::newRow("plain") << "/d/a.rar" << false;
    QTest::newRow("no dot before part") << "/d/part1.rar" << false;
    QTest::newRow("r00") << "/d/a.part1.r00" << false;
    QTest::newRow("folder only") << "/d.part1.rar/a.rar" << false;
}

void tst_UnrarVolumeNames::partNumber()
{
    QFETCH(QString, path);
    QFETCH(bool, numbered);
    QCOMPARE(hasPartNumber(path.toStdString()), numbered);
}

QTEST_APPLESS_MAIN(tst_UnrarVolumeNames)
#include "tst_UnrarVolumeNames.moc"
