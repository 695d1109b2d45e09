#include "engine/YencLineDecoder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <vector>

// The vector routines must give exactly the bytes of the byte-at-a-time rules, whatever follows
// the line in memory.
class tst_YencLineDecoder : public QObject
{
    Q_OBJECT

private slots:
    void scalarRules_data();
    void scalarRules();
    void vectorRoutinesMatchScalar_data();
    void vectorRoutinesMatchScalar();
};

namespace {

QByteArray decodeWith(std::size_t (*routine)(const unsigned char *, std::size_t, unsigned char *),
                      const QByteArray &line, char filler)
{
    std::vector<unsigned char> in(std::size_t(line.size()) + YencLineDecoder::kReadSlack, static_cast<unsigned char>(filler));
    std::copy(line.cbegin(), line.cend(), in.begin());
    std::vector<unsigned char> out(std::size_t(line.size()) + YencLineDecoder::kWriteSlack, 0xAA);
    const std::size_t produced = routine(in.data(), std::size_t(line.size()), out.data());
    return QByteArray(reinterpret_cast<const char *>(out.data()), int(produced));
}

} // namespace

void tst_YencLineDecoder::scalarRules_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("decoded");
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("plain") << QByteArray("kl") << QByteArray("AB");
    QTest::newRow("escape") << QByteArray("=}") << QByteArray("\x13");
    QTest::newRow("escaped equals") << QByteArray("==") << QByteArray("\xD3");
    QTest::newRow("three equals") << QByteArray("===") << QByteArray("\xD3");
    QTest::newRow("escape at end dropped") << QByteArray("k=") << QByteArray("A");
    QTest::newRow("wrap below zero") << QByteArray("\x01", 1) << QByteArray("\xD7");
    QTest::newRow("NUL and CR are data") << QByteArray("\0\r", 2) << QByteArray("\xD6\xE3");
}

void tst_YencLineDecoder::scalarRules()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, decoded);
    QCOMPARE(decodeWith(YencLineDecoder::decodeScalar, line, 'k'), decoded);
    QCOMPARE(decodeWith(YencLineDecoder::decode, line, 'k'), decoded);
}

void tst_YencLineDecoder::vectorRoutinesMatchScalar_data()
{
    QTest::addColumn<QByteArray>("line");
    QRandomGenerator generator(42);
    // Lengths around the vector widths; escape density from none to every other byte; lines
    // ending in "=", starting with "=" and runs of "=".
    for (const int length : {1, 2, 15, 16, 17, 31, 32, 33, 47, 63, 64, 65, 127, 128, 129, 130, 1000}) {
        for (const int escapesPerHundred : {0, 2, 20, 50, 100}) {
            for (int round = 0; round < 4; ++round) {
                QByteArray line(length, Qt::Uninitialized);
                for (char &c : line)
                    c = int(generator.bounded(100)) < escapesPerHundred ? '=' : char(generator.bounded(256));
                if (round == 1)
                    line[length - 1] = '=';
                if (round == 2)
                    line[0] = '=';
                QTest::addRow("length %d escapes %d%% round %d", length, escapesPerHundred, round) << line;
            }
        }
    }
}

void tst_YencLineDecoder::vectorRoutinesMatchScalar()
{
    QFETCH(QByteArray, line);
    const QByteArray expected = decodeWith(YencLineDecoder::decodeScalar, line, 0);
    // Whatever follows the line ("=" included) must not change the result.
    for (const char filler : {'\0', '=', 'k'}) {
        QCOMPARE(decodeWith(YencLineDecoder::decode, line, filler), expected);
        if (YencLineDecoder::hasSse2())
            QCOMPARE(decodeWith(YencLineDecoder::decodeSse2, line, filler), expected);
        if (YencLineDecoder::hasAvx2())
            QCOMPARE(decodeWith(YencLineDecoder::decodeAvx2, line, filler), expected);
    }
}

QTEST_GUILESS_MAIN(tst_YencLineDecoder)
#include "tst_YencLineDecoder.moc"
