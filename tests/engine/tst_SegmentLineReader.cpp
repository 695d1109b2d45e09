#include "engine/SegmentLineReader.h"

#include <QBuffer>
#include <QtTest>

// Lines must come out the same whatever the block size, with the slack after each readable.
class tst_SegmentLineReader : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
};

void tst_SegmentLineReader::lines_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>();
    QTest::newRow("one LF") << QByteArray("\n") << QList<QByteArray>{""};
    QTest::newRow("CR LF and LF") << QByteArray("ab\r\ncd\nef") << QList<QByteArray>{"ab", "cd", "ef"};
    QTest::newRow("only the CR before LF goes") << QByteArray("a\r\r\nb\rc\n") << QList<QByteArray>{"a\r", "b\rc"};
    QTest::newRow("last line keeps its CR") << QByteArray("a\nb\r") << QList<QByteArray>{"a", "b\r"};
    QTest::newRow("empty lines") << QByteArray("\r\n\n\r\nx") << QList<QByteArray>{"", "", "", "x"};
    QTest::newRow("NUL bytes") << QByteArray("\0a\n\0", 4) << QList<QByteArray>{QByteArray("\0a", 2), QByteArray(1, '\0')};
    const QByteArray longLine(5000, 'x');
    QTest::newRow("line longer than the block") << QByteArray(longLine + "\r\nshort\n" + longLine)
                                                << QList<QByteArray>{longLine, "short", longLine};
}

void tst_SegmentLineReader::lines()
{
    QFETCH(QByteArray, input);
    QFETCH(QList<QByteArray>, lines);
    for (const std::size_t blockSize : {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(7), std::size_t(4096),
                                        SegmentLineReader::kDefaultBlockSize}) {
        QBuffer device(&input);
        QVERIFY(device.open(QIODevice::ReadOnly));
        SegmentLineReader reader(device, blockSize);
        QList<QByteArray> read;
        const unsigned char *line = nullptr;
        std::size_t length = 0;
        while (reader.next(line, length)) {
            read << QByteArray(reinterpret_cast<const char *>(line), int(length));
            volatile unsigned char past = line[length + SegmentLineReader::kSlack - 1];
            (void)past;
        }
        QCOMPARE(read, lines);
    }
}

QTEST_GUILESS_MAIN(tst_SegmentLineReader)
#include "tst_SegmentLineReader.moc"
