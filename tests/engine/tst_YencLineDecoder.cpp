#include "engine/YencLineDecoder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <vector>

// The vector routines must give exactly the bytes of the byte-at-a-time rules, whatever follows
// their input in memory; a run of lines must give what decoding its lines one by one gives.
class tst_YencLineDecoder : public QObject
{
    Q_OBJECT

private slots:
    void lineRules_data();
    void lineRules();
    void vectorLineMatchesScalar_data();
    void vectorLineMatchesScalar();
    void runOfLines_data();
    void runOfLines();
    void randomRunsMatchLineByLine();
    void encodedDataRunsMatchLineByLine_data();
    void encodedDataRunsMatchLineByLine();
};

namespace {

using LineRoutine = std::size_t (*)(const unsigned char *, std::size_t, unsigned char *);
using RunRoutine = std::size_t (*)(const unsigned char *, std::size_t, unsigned char *, std::size_t &);

// Input with the given filler after it, output with room after it, as the callers provide.
std::vector<unsigned char> padded(const QByteArray &bytes, char filler)
{
    std::vector<unsigned char> in(std::size_t(bytes.size()) + YencLineDecoder::kReadSlack, static_cast<unsigned char>(filler));
    std::copy(bytes.cbegin(), bytes.cend(), in.begin());
    return in;
}

QByteArray decodeLine(LineRoutine routine, const QByteArray &line, char filler)
{
    const std::vector<unsigned char> in = padded(line, filler);
    std::vector<unsigned char> out(std::size_t(line.size()) + YencLineDecoder::kWriteSlack, 0xAA);
    const std::size_t produced = routine(in.data(), std::size_t(line.size()), out.data());
    return QByteArray(reinterpret_cast<const char *>(out.data()), int(produced));
}

QByteArray decodeRun(RunRoutine routine, const QByteArray &lines, char filler, int *consumed)
{
    const std::vector<unsigned char> in = padded(lines, filler);
    std::vector<unsigned char> out(std::size_t(lines.size()) + YencLineDecoder::kWriteSlack, 0xAA);
    std::size_t used = 0;
    const std::size_t produced = routine(in.data(), std::size_t(lines.size()), out.data(), used);
    *consumed = int(used);
    return QByteArray(reinterpret_cast<const char *>(out.data()), int(produced));
}

// The reference for a run: split at LF, drop a CR before it, decode line by line, stop before
// a control line.
QByteArray decodeLineByLine(const QByteArray &lines, int *consumed)
{
    QByteArray decoded;
    int at = 0;
    while (at < lines.size()) {
        const int lf = lines.indexOf('\n', at);
        QByteArray line = lines.mid(at, lf - at);
        if (line.startsWith("=ypart ") || line.startsWith("=yend "))
            break;
        if (line.endsWith('\r'))
            line.chop(1);
        decoded += decodeLine(YencLineDecoder::decodeScalar, line, 0);
        at = lf + 1;
    }
    *consumed = at;
    return decoded;
}

// Every run routine this processor can run.
std::vector<RunRoutine> runRoutines()
{
    std::vector<RunRoutine> routines = {YencLineDecoder::decodeLinesScalar, YencLineDecoder::decodeLinesSse2,
                                        YencLineDecoder::decodeLines};
    if (YencLineDecoder::hasSsse3())
        routines.push_back(YencLineDecoder::decodeLinesSsse3);
    if (YencLineDecoder::hasAvx2())
        routines.push_back(YencLineDecoder::decodeLinesAvx2);
    return routines;
}

QByteArray randomLines(QRandomGenerator &generator, int lineCount)
{
    // Bytes drawn mostly from the ones with a meaning here, so that escapes meet line ends,
    // CRs stand alone and control lines turn up.
    static const QByteArray pieces[] = {"=", "\r", "\n", "\r\n", "=\r\n", "=\n", "==", "=\r", "k", "kkkkkkkkkkkkkkkkkkkkkkk",
                                        "\x00", "=ypart ", "=yend ", "=y", "=ybegin "};
    QByteArray lines;
    for (int line = 0; line < lineCount; ++line) {
        const int count = int(generator.bounded(12));
        for (int i = 0; i < count; ++i)
            lines += pieces[generator.bounded(int(sizeof pieces / sizeof pieces[0]))];
        lines += generator.bounded(2) ? "\r\n" : "\n";
    }
    return lines;
}

} // namespace

void tst_YencLineDecoder::lineRules_data()
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

void tst_YencLineDecoder::lineRules()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, decoded);
    QCOMPARE(decodeLine(YencLineDecoder::decodeScalar, line, 'k'), decoded);
    QCOMPARE(decodeLine(YencLineDecoder::decode, line, 'k'), decoded);
}

void tst_YencLineDecoder::vectorLineMatchesScalar_data()
{
    QTest::addColumn<QByteArray>("line");
    QRandomGenerator generator(42);
    // Lengths around the vector width; escape density from none to every other byte; lines
    // ending in "=", starting with "=".
    for (const int length : {1, 2, 15, 16, 17, 31, 32, 33, 63, 64, 65, 127, 128, 129, 130, 1000}) {
        for (const int escapesPerHundred : {0, 2, 20, 50, 100}) {
            for (int round = 0; round < 3; ++round) {
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

void tst_YencLineDecoder::vectorLineMatchesScalar()
{
    QFETCH(QByteArray, line);
    const QByteArray expected = decodeLine(YencLineDecoder::decodeScalar, line, 0);
    for (const char filler : {'\0', '=', 'k'})
        QCOMPARE(decodeLine(YencLineDecoder::decode, line, filler), expected);
}

void tst_YencLineDecoder::runOfLines_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QByteArray>("decoded");
    QTest::addColumn<int>("consumed");
    QTest::newRow("CR LF and LF line ends") << QByteArray("kl\r\nk\nl\r\n") << QByteArray("ABAB") << 9;
    QTest::newRow("CR not before LF is data") << QByteArray("k\rk\r\r\n") << QByteArray("A\xE3" "A\xE3") << 6;
    QTest::newRow("escape before CR LF dropped") << QByteArray("k=\r\nk\n") << QByteArray("AA") << 6;
    QTest::newRow("escape before LF dropped") << QByteArray("k=\nk\n") << QByteArray("AA") << 5;
    QTest::newRow("escaped CR inside a line") << QByteArray("=\r\r\n") << QByteArray("\xA3") << 4;
    QTest::newRow("escape state ends with the line") << QByteArray("=\n}\n") << QByteArray("S") << 4;
    QTest::newRow("stops before =ypart") << QByteArray("k\r\n=ypart begin=1\r\nk\r\n") << QByteArray("A") << 3;
    QTest::newRow("stops before =yend") << QByteArray("k\n=yend size=1\n") << QByteArray("A") << 2;
    QTest::newRow("control line first") << QByteArray("=yend \r\n") << QByteArray() << 0;
    QTest::newRow("=ybegin and =yend without blank are data")
        << QByteArray("=ybegin\n=yend\n") << QByteArray("\x0F" "8;=?D\x0F" ";D:") << 14;
}

void tst_YencLineDecoder::runOfLines()
{
    QFETCH(QByteArray, lines);
    QFETCH(QByteArray, decoded);
    QFETCH(int, consumed);
    int referenceConsumed = -1;
    QCOMPARE(decodeLineByLine(lines, &referenceConsumed), decoded);
    QCOMPARE(referenceConsumed, consumed);
    for (const RunRoutine routine : runRoutines()) {
        int used = -1;
        QCOMPARE(decodeRun(routine, lines, '=', &used), decoded);
        QCOMPARE(used, consumed);
    }
}

void tst_YencLineDecoder::randomRunsMatchLineByLine()
{
    QRandomGenerator generator(7);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray lines = randomLines(generator, 1 + int(generator.bounded(6)));
        int expectedConsumed = -1;
        const QByteArray expected = decodeLineByLine(lines, &expectedConsumed);
        for (const char filler : {'\0', '\n', '='}) {
            for (const RunRoutine routine : runRoutines()) {
                int consumed = -1;
                QCOMPARE(decodeRun(routine, lines, filler, &consumed), expected);
                QCOMPARE(consumed, expectedConsumed);
            }
        }
    }
}

void tst_YencLineDecoder::encodedDataRunsMatchLineByLine_data()
{
    QTest::addColumn<int>("escapeOneIn");
    QTest::addColumn<int>("maxLineLength");
    // Escapes far more often than in real data, so that they meet every position in a block;
    // then as often as in real data and with long lines, so that many blocks in a row have
    // none and the routines' fastest ways are taken.
    QTest::newRow("dense escapes") << 8 << 140;
    QTest::newRow("escapes as in real data") << 64 << 140;
    QTest::newRow("sparse escapes, long lines") << 256 << 400;
}

void tst_YencLineDecoder::encodedDataRunsMatchLineByLine()
{
    QFETCH(int, escapeOneIn);
    QFETCH(int, maxLineLength);
    QRandomGenerator generator(9);
    QByteArray lines;
    for (int line = 0; line < 400; ++line) {
        const int length = 1 + int(generator.bounded(maxLineLength));
        for (int i = 0; i < length; ++i) {
            if (generator.bounded(escapeOneIn) == 0)
                lines += '=';
            lines += char(generator.bounded(256) | 0x10); // no CR or LF in the data
        }
        lines += "\r\n";
    }
    int expectedConsumed = -1;
    const QByteArray expected = decodeLineByLine(lines, &expectedConsumed);
    QCOMPARE(expectedConsumed, lines.size());
    for (const RunRoutine routine : runRoutines()) {
        int consumed = -1;
        QCOMPARE(decodeRun(routine, lines, 'k', &consumed), expected);
        QCOMPARE(consumed, expectedConsumed);
    }
}

QTEST_GUILESS_MAIN(tst_YencLineDecoder)
#include "tst_YencLineDecoder.moc"
