#include "config/FileNameLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Names longer than the file system allows are cut to fit, their extension kept, never inside a
// character; and a file of the cut name can be written.
class tst_FileNameLimit : public QObject
{
    Q_OBJECT

private slots:
    void fit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QString>("fitted");
        const QString n300(300, QLatin1Char('n'));
        QTest::newRow("short enough") << "movie.mkv" << 255 << "movie.mkv";
        QTest::newRow("exactly the limit") << QString(251, 'a') + ".bin" << 255 << QString(251, 'a') + ".bin";
        QTest::newRow("one suffix") << n300 + ".bin" << 255 << QString(251, 'n') + ".bin";
        QTest::newRow("RAR volume") << n300 + ".part01.rar" << 255 << QString(244, 'n') + ".part01.rar";
        QTest::newRow("PAR2 volume") << n300 + ".vol03+04.par2" << 255 << QString(241, 'n') + ".vol03+04.par2";
        QTest::newRow("split volume") << n300 + ".mkv.001" << 255 << QString(247, 'n') + ".mkv.001";
        QTest::newRow("no extension") << n300 << 255 << QString(255, 'n');
        QTest::newRow("a blank after the last dot") << n300 + ". not an extension" << 255 << QString(255, 'n');
        QTest::newRow("an extension too long to be one") << n300 + "." + QString(40, 'x') << 255 << QString(255, 'n');
        // Two bytes each: 125 of them and the extension make 254 bytes, a 126th would make 256.
        QTest::newRow("two-byte characters") << QString(200, QChar(0xE9)) + ".mkv" << 255
                                             << QString(125, QChar(0xE9)) + ".mkv";
        const QString face = QString::fromUtf8("\xF0\x9F\x98\x80"); // four bytes, two UTF-16 units
        QTest::newRow("characters outside the basic plane") << face.repeated(70) + ".txt" << 255 << face.repeated(62) + ".txt";
        QTest::newRow("blank where it is cut") << QString(250, 'a') + "  bbbbbbbbbb.mkv" << 255 << QString(250, 'a') + ".mkv";
    }

    void fit()
    {
        QFETCH(QString, name);
        QFETCH(int, maxBytes);
        QFETCH(QString, fitted);
        QCOMPARE(FileNameLimit::fit(name, maxBytes), fitted);
        QVERIFY(FileNameLimit::bytesOf(fitted) <= maxBytes);
    }

    // The limit of a folder, also of one not made yet; a file of the cut name can be written
    // there where one of the whole name cannot.
    void limitOfAFolder()
    {
        QTemporaryDir dir;
        const int limit = FileNameLimit::maxBytes(dir.path());
        QVERIFY(limit >= 14);
        QCOMPARE(FileNameLimit::maxBytes(dir.filePath(QStringLiteral("not/yet/made"))), limit);
        const QString name = QString(limit + 45, QLatin1Char('x')) + QStringLiteral(".bin");
        QFile whole(dir.filePath(name));
        QVERIFY(!whole.open(QIODevice::WriteOnly));
        QFile cut(dir.filePath(FileNameLimit::fit(name, limit)));
        QVERIFY(cut.open(QIODevice::WriteOnly));
        QVERIFY(cut.fileName().endsWith(QLatin1String(".bin")));
    }
};

QTEST_GUILESS_MAIN(tst_FileNameLimit)
#include "tst_FileNameLimit.moc"
