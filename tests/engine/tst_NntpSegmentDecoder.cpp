#include "engine/NntpSegmentDecoder.h"

#include "FileSizeLimit.h"
#include "SegmentBodyWriter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <thread>
#include <vector>

#include <sys/stat.h>

using Writer = SegmentBodyWriter;

namespace {

const QString kInputPathMark = QStringLiteral("<input>");

QByteArray randomBytes(int size, quint32 seed)
{
    return Writer::randomBytes(size, seed);
}

QByteArray everyByteValue(int rounds)
{
    QByteArray bytes;
    for (int r = 0; r < rounds; ++r) {
        for (int v = 0; v < 256; ++v)
            bytes.append(char(v));
    }
    return bytes;
}

QByteArray textLines(int count)
{
    QByteArray text;
    for (int i = 1; i <= count; ++i)
        text += "Line " + QByteArray::number(i) + " of a plain text article.\r\n";
    return text;
}

QVariantMap files(std::initializer_list<std::pair<QString, QByteArray>> list)
{
    QVariantMap map;
    for (const auto &entry : list)
        map.insert(entry.first, entry.second);
    return map;
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A body whose segment file's length field holds one LF byte (length 0x0Axx): a line of blanks
// after the article makes up the length.
QByteArray withLineFeedInLength(const QByteArray &leadingText, const QByteArray &article)
{
    const QByteArray text = leadingText + article;
    const int length = std::max(0x0A00, int(text.size()) + 2);
    Q_ASSERT(length < 0x0B00 && (length & 0xFF) != 0x0A);
    return text + QByteArray(length - text.size() - 2, ' ') + "\r\n";
}

} // namespace

class tst_NntpSegmentDecoder : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();

    void missingInputGivesThreeAndCreatesNothing();
    void inputThatCannotBeReadGivesFive();
    void outputFolderIsCreatedWithItsParents();
    void unusableOutputPlace_data();
    void unusableOutputPlace();
    void outParametersAreClearedOnEntry();
    void lineLongerThanOneReadBlock();
    void largeFileInPartsDecodedInRandomOrder();
    void concurrentCallsDoNotInterfere();
    void boundedOutput_data();
    void boundedOutput();
    void partThatCannotBePlacedFails();
    void outputThatCannotBeWrittenFails_data();
    void outputThatCannotBeWrittenFails();
    void callerChoosesTheOutputName_data();
    void callerChoosesTheOutputName();

    void sanitizeFileName_data();
    void sanitizeFileName();

private:
    struct Run
    {
        int result = -1;
        QString firstName;
        QString outName;
        QString error;
        QVector<DecodedPart> parts;
    };
    static Run decodeFile(const QString &input, const QString &folder, const QString &subject);
    static QStringList entriesOf(const QString &folder);
};

tst_NntpSegmentDecoder::Run tst_NntpSegmentDecoder::decodeFile(const QString &input, const QString &folder,
                                                               const QString &subject)
{
    Run run;
    SegmentDecodeOptions options;
    options.decodedParts = &run.parts;
    run.result = NntpSegmentDecoder::decodeSegmentFile(input, folder, subject, run.firstName, run.outName, run.error,
                                                       options);
    return run;
}

QStringList tst_NntpSegmentDecoder::entriesOf(const QString &folder)
{
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    std::sort(entries.begin(), entries.end());
    return entries;
}

void tst_NntpSegmentDecoder::decode_data()
{
    QTest::addColumn<QByteArray>("segmentFile");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QVariantMap>("existingFiles");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("outName");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QVariantMap>("expectedFiles");

    const QByteArray data = randomBytes(3000, 1);
    const QByteArray three("\x01\xFF\x3D", 3);
    const QVariantMap none;

    // yEnc, single part.
    QTest::newRow("yenc three bytes") << Writer::segmentFile(Writer::yencSinglePart("abc.bin", three)) << QString()
                                      << none << 0 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", three}});
    QTest::newRow("yenc single part") << Writer::segmentFile(Writer::yencSinglePart("abc.bin", data)) << QString()
                                      << none << 0 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data}});
    QTest::newRow("yenc every byte value, lines of 61")
        << Writer::segmentFile(Writer::yencSinglePart("all.bin", everyByteValue(8), 61)) << QString() << none << 0
        << "all.bin" << "all.bin" << QString() << files({{"all.bin", everyByteValue(8)}});
    QTest::newRow("yenc wrong crc32 still writes")
        << Writer::segmentFile(Writer::yencSinglePartWithEnd("abc.bin", data, "size=3000 crc32=12345678")) << QString()
        << none << 1 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data}});
    QTest::newRow("yenc crc32 in capitals")
        << Writer::segmentFile(Writer::yencSinglePartWithEnd(
               "abc.bin", data, "size=3000 crc32=" + Writer::crcText(Writer::crcOf(data)).toUpper()))
        << QString() << none << 0 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data}});
    QTest::newRow("yenc crc32 no number")
        << Writer::segmentFile(Writer::yencSinglePartWithEnd("abc.bin", data, "size=3000 crc32=xyz")) << QString()
        << none << 1 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data}});
    QTest::newRow("yenc without crc")
        << Writer::segmentFile(Writer::yencSinglePartWithEnd("abc.bin", data, "size=3000")) << QString() << none << 0
        << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data}});
    {
        QByteArray body = Writer::yencSinglePartWithEnd("abc.bin", data, "size=3000 crc32=00000000");
        body.chop(2);
        QTest::newRow("yenc last line without line end is examined")
            << Writer::segmentFile(body) << QString() << none << 1 << "abc.bin" << "abc.bin" << QString()
            << files({{"abc.bin", data}});
    }

    // yEnc escapes and line bytes.
    const auto escapeHeader = [](int size) {
        return "=ybegin line=128 size=" + QByteArray::number(size) + " name=e.bin\r\n";
    };
    QTest::newRow("yenc escaped byte") << Writer::segmentFile(escapeHeader(1) + "=}\r\n=yend size=1\r\n") << QString()
                                       << none << 0 << "e.bin" << "e.bin" << QString()
                                       << files({{"e.bin", QByteArray("\x13")}});
    QTest::newRow("yenc escape ending a line is dropped")
        << Writer::segmentFile(escapeHeader(2) + "k=\r\nk\r\n=yend size=2\r\n") << QString() << none << 0 << "e.bin"
        << "e.bin" << QString() << files({{"e.bin", QByteArray("AA")}});
    QTest::newRow("yenc escaped equals sign")
        << Writer::segmentFile(escapeHeader(1) + "==\r\n=yend size=1\r\n") << QString() << none << 0 << "e.bin" << "e.bin"
        << QString() << files({{"e.bin", QByteArray("\xD3")}});
    QTest::newRow("yenc CR and TAB inside a line are data")
        << Writer::segmentFile(escapeHeader(6) + "k\rk\tk\r\r\n=yend size=6\r\n") << QString() << none << 0 << "e.bin"
        << "e.bin" << QString() << files({{"e.bin", QByteArray("A\xE3" "A\xDF" "A\xE3")}});
    QTest::newRow("yenc LF-only line ends")
        << Writer::segmentFile(Writer::yencSinglePart("lf.bin", data).replace("\r\n", "\n")) << QString() << none << 0
        << "lf.bin" << "lf.bin" << QString() << files({{"lf.bin", data}});

    // yEnc, multi-part.
    Writer::YencPart second;
    second.number = 2;
    second.total = 3;
    second.begin = 1001;
    second.end = 2000;
    const QByteArray secondAtOffset = QByteArray(1000, '\0') + data.mid(1000, 1000);
    QTest::newRow("yenc part 2 written at its offset")
        << Writer::segmentFile(Writer::yencMultiPart("abc.bin", data, second)) << QString() << none << 0 << "abc.bin"
        << "abc.bin" << QString() << files({{"abc.bin", secondAtOffset}});
    QTest::newRow("yenc part with only the file's crc32 is not a CRC error")
        << Writer::segmentFile(Writer::yencMultiPart("abc.bin", data, second, false, true)) << QString() << none << 0
        << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", secondAtOffset}});
    {
        QByteArray body = Writer::yencMultiPart("abc.bin", data, second, true, true);
        body.replace("pcrc32=", "pcrc32=1");
        QTest::newRow("yenc part with wrong pcrc32")
            << Writer::segmentFile(body) << QString() << none << 1 << "abc.bin" << "abc.bin" << QString()
            << files({{"abc.bin", secondAtOffset}});
    }
    {
        const QByteArray part = data.left(2500);
        const QByteArray body = "=ybegin  part=1  line= 128 size= 5000 name=a b.rar\r\n"
                                "=ypart begin=1 end=2500\r\n"
            + Writer::yencLines(part) + "=yend size=2500 part=1 pcrc32=" + Writer::crcText(Writer::crcOf(part)) + "\r\n";
        QTest::newRow("yenc header with extra blanks") << Writer::segmentFile(body) << QString() << none << 0 << "a b.rar"
                                                       << "a b.rar" << QString() << files({{"a b.rar", part}});
        const QByteArray last = "=ybegin  part=2  line= 128 size= 5000 name=a b.rar\r\n"
                                "=ypart begin=5000 end=5000\r\n"
            + Writer::yencLines("L") + "=yend size=1 part=2\r\n";
        QTest::newRow("yenc part at the last byte of the header's size")
            << Writer::segmentFile(last) << QString() << none << 0 << "a b.rar" << "a b.rar" << QString()
            << files({{"a b.rar", QByteArray(4999, '\0') + "L"}});
    }
    {
        Writer::YencPart first;
        first.total = 2;
        first.end = 1500;
        Writer::YencPart rest = first;
        rest.number = 2;
        rest.begin = 1501;
        rest.end = 3000;
        QTest::newRow("yenc two parts of one file in one body")
            << Writer::segmentFile(Writer::yencMultiPart("abc.bin", data, first)
                                   + Writer::yencMultiPart("abc.bin", data, rest))
            << QString() << none << 0 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data}});
    }
    QTest::newRow("yenc two files in one body")
        << Writer::segmentFile(Writer::yencSinglePart("a.bin", data.left(10)) + Writer::yencSinglePart("b.bin", data))
        << QString() << none << 0 << "a.bin" << "b.bin" << QString()
        << files({{"a.bin", data.left(10)}, {"b.bin", data}});

    // yEnc part offsets out of range fail the segment.
    const auto partAt = [&data](const QByteArray &partLine) {
        return Writer::segmentFile("=ybegin part=1 line=128 size=3000 name=abc.bin\r\n" + partLine + "\r\n"
                                   + Writer::yencLines(data.left(100)) + "=yend size=100 part=1\r\n");
    };
    const QString badOffset = QStringLiteral("Invalid yEnc part offset");
    QTest::newRow("yenc part begin 0") << partAt("=ypart begin=0 end=100") << QString() << none << 5 << "abc.bin"
                                       << "abc.bin" << badOffset << files({{"abc.bin", QByteArray()}});
    QTest::newRow("yenc part begin past the size") << partAt("=ypart begin=3001 end=3100") << QString() << none << 5
                                                   << "abc.bin" << "abc.bin" << badOffset
                                                   << files({{"abc.bin", QByteArray()}});
    QTest::newRow("yenc part begin far away") << partAt("=ypart begin=9000000000000 end=9000000000100") << QString()
                                              << none << 5 << "abc.bin" << "abc.bin" << badOffset
                                              << files({{"abc.bin", QByteArray()}});
    QTest::newRow("yenc part begin no number") << partAt("=ypart begin=x end=100") << QString() << none << 5
                                               << "abc.bin" << "abc.bin" << badOffset
                                               << files({{"abc.bin", QByteArray()}});
    QTest::newRow("yenc part begin negative") << partAt("=ypart begin=-5 end=100") << QString() << none << 5
                                              << "abc.bin" << "abc.bin" << badOffset
                                              << files({{"abc.bin", QByteArray()}});

    // yEnc headers that announce other sizes than the article holds: the article is damaged (7),
    // its bytes are written as far as its part reaches, never beyond.
    const QByteArray crc600 = "crc32=" + Writer::crcText(Writer::crcOf(data.left(600)));
    const QByteArray pcrc600 = "p" + crc600;
    const auto single = [&data](int headerSize, int bytes, const QByteArray &end) {
        return Writer::segmentFile("=ybegin line=128 size=" + QByteArray::number(headerSize) + " name=abc.bin\r\n"
                                   + Writer::yencLines(data.left(bytes)) + end);
    };
    const auto part = [&data](qint64 size, const QByteArray &partLine, const QByteArray &lines, const QByteArray &end) {
        return Writer::segmentFile("=ybegin part=1 total=3 line=128 size=" + QByteArray::number(size)
                                   + " name=abc.bin\r\n" + partLine + "\r\n" + lines + end);
    };
    QTest::newRow("yenc single part shorter than its size, end says so")
        << single(3000, 600, "=yend size=600 " + crc600 + "\r\n") << QString() << none << 7 << "abc.bin" << "abc.bin"
        << QString() << files({{"abc.bin", data.left(600)}});
    QTest::newRow("yenc single part shorter than its size and its end")
        << single(3000, 600, "=yend size=3000 " + crc600 + "\r\n") << QString() << none << 7 << "abc.bin"
        << "abc.bin" << QString() << files({{"abc.bin", data.left(600)}});
    QTest::newRow("yenc single part longer than its size")
        << single(600, 3000, "=yend size=3000 crc32=" + Writer::crcText(Writer::crcOf(data)) + "\r\n") << QString()
        << none << 7 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data.left(600)}});
    QTest::newRow("yenc single part whose end size is one short")
        << single(3000, 3000, "=yend size=2999 crc32=" + Writer::crcText(Writer::crcOf(data)) + "\r\n") << QString()
        << none << 7 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data}});
    QTest::newRow("yenc single part cut before its end line")
        << single(3000, 1536, QByteArray()) << QString() << none << 7 << "abc.bin" << "abc.bin" << QString()
        << files({{"abc.bin", data.left(1536)}});
    QTest::newRow("yenc single part whole but without its end line")
        << single(3000, 3000, QByteArray()) << QString() << none << 7 << "abc.bin" << "abc.bin" << QString()
        << files({{"abc.bin", data}});
    QTest::newRow("yenc part shorter than its range, matching pcrc32")
        << part(3000, "=ypart begin=1 end=1000", Writer::yencLines(data.left(600)), "=yend size=600 part=1 " + pcrc600 + "\r\n")
        << QString() << none << 7 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data.left(600)}});
    QTest::newRow("yenc part longer than its range keeps off the next part")
        << part(3000, "=ypart begin=1 end=1000", Writer::yencLines(data.left(2000)),
                "=yend size=2000 part=1 pcrc32=" + Writer::crcText(Writer::crcOf(data.left(2000))) + "\r\n")
        << QString() << files({{"abc.bin", QByteArray(3000, 'Z')}}) << 7 << "abc.bin" << "abc.bin" << QString()
        << files({{"abc.bin", data.left(1000) + QByteArray(2000, 'Z')}});
    QTest::newRow("yenc part that lost lines, with only the file's crc32")
        << part(3000, "=ypart begin=1001 end=2000", Writer::yencLines(data.mid(1000, 512)) + Writer::yencLines(data.mid(1640, 360)),
                "=yend size=1000 part=2 crc32=" + Writer::crcText(Writer::crcOf(data)) + "\r\n")
        << QString() << none << 7 << "abc.bin" << "abc.bin" << QString()
        << files({{"abc.bin", QByteArray(1000, '\0') + data.mid(1000, 512) + data.mid(1640, 360)}});
    QTest::newRow("yenc part whose end size is one short")
        << part(3000, "=ypart begin=1001 end=2000", Writer::yencLines(data.mid(1000, 1000)),
                "=yend size=999 part=2 pcrc32=" + Writer::crcText(Writer::crcOf(data.mid(1000, 1000))) + "\r\n")
        << QString() << none << 7 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", secondAtOffset}});
    QTest::newRow("yenc part ending beyond the file's size")
        << part(1500, "=ypart begin=1001 end=2000", Writer::yencLines(data.mid(1000, 1000)),
                "=yend size=1000 part=2 pcrc32=" + Writer::crcText(Writer::crcOf(data.mid(1000, 1000))) + "\r\n")
        << QString() << none << 7 << "abc.bin" << "abc.bin" << QString()
        << files({{"abc.bin", QByteArray(1000, '\0') + data.mid(1000, 500)}});
    QTest::newRow("yenc data before the part line")
        << Writer::segmentFile("=ybegin part=2 total=2 line=128 size=10 name=abc.bin\r\n" + Writer::yencLines(data.left(5))
                               + "=ypart begin=6 end=10\r\n" + Writer::yencLines(data.mid(5, 5)) + "=yend size=5 part=2\r\n")
        << QString() << none << 7 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", data.left(10)}});
    QTest::newRow("yenc part ending before it begins")
        << part(3000, "=ypart begin=1001 end=1000", Writer::yencLines(data.mid(1000, 100)), "=yend size=100 part=2\r\n")
        << QString() << none << 7 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", QByteArray()}});

    // yEnc headers that open no output.
    QTest::newRow("yenc header without size, with data")
        << Writer::segmentFile("=ybegin line=128 name=x.bin\r\n" + Writer::yencLines(data) + "=yend\r\n") << QString()
        << none << 5 << QString() << QString() << "yEnc data without an output file" << none;
    QTest::newRow("yenc header without line, no data")
        << Writer::segmentFile("=ybegin size=3 name=x.bin\r\n=yend size=3\r\n") << QString() << none << 0 << QString()
        << QString() << QString() << none;

    // Output names.
    QTest::newRow("yenc name cleaned") << Writer::segmentFile(Writer::yencSinglePart("x:y?.rar", three)) << QString()
                                       << none << 0 << "xy.rar" << "xy.rar" << QString() << files({{"xy.rar", three}});
    QTest::newRow("yenc name the subject lacks") << Writer::segmentFile(Writer::yencSinglePart("x:y?.rar", three))
                                                 << "Some post" << none << 0 << "Some post" << "Some post" << QString()
                                                 << files({{"Some post", three}});
    QTest::newRow("yenc name the subject holds in other case")
        << Writer::segmentFile(Writer::yencSinglePart("abc.bin", three)) << "[1/3] - \"ABC.BIN\" yEnc (1/1)" << none << 0
        << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", three}});
    QTest::newRow("yenc subject with forbidden characters")
        << Writer::segmentFile(Writer::yencSinglePart("abc.bin", three)) << "a/b: \"post\"?" << none << 0 << "ab post"
        << "ab post" << QString() << files({{"ab post", three}});
    QTest::newRow("yenc name with blanks and UTF-8")
        << Writer::segmentFile(Writer::yencSinglePart(QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e 2.mkv"), three))
        << QString() << none << 0 << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e 2.mkv")
        << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e 2.mkv") << QString()
        << files({{QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e 2.mkv"), three}});
    QTest::newRow("yenc name in Latin-1")
        << Writer::segmentFile("=ybegin line=128 size=3 name=caf\xE9.txt\r\n" + Writer::yencLines(three) + "=yend size=3\r\n")
        << QString() << none << 0 << QString::fromUtf8("caf\xC3\xA9.txt") << QString::fromUtf8("caf\xC3\xA9.txt")
        << QString() << files({{QString::fromUtf8("caf\xC3\xA9.txt"), three}});
    QTest::newRow("yenc path in name stays in the folder")
        << Writer::segmentFile(Writer::yencSinglePart("../../escape.bin", three)) << QString() << none << 0
        << "....escape.bin" << "....escape.bin" << QString() << files({{"....escape.bin", three}});

    // Names that cannot name a plain file fall back to the subject, or fail.
    const QString badName = QStringLiteral("Invalid output file name");
    const QList<std::pair<const char *, QString>> hostileNames = {
        {"dot dot", ".."}, {"dot", "."}, {"empty", ""}, {"only a slash", "/"}, {"tab", "a\tb"},
        {"control character", QString::fromLatin1("\x01x")}, {"blanks only", "  "}};
    for (const auto &name : hostileNames) {
        const QByteArray file = Writer::segmentFile(Writer::yencSinglePart(name.second, three));
        QTest::addRow("yenc name %s without subject", name.first)
            << file << QString() << none << 5 << QString() << QString() << badName << none;
        QTest::addRow("yenc name %s with subject", name.first)
            << file << "post .. 1" << none << 0 << "post .. 1" << "post .. 1" << QString() << files({{"post .. 1", three}});
    }
    QTest::newRow("yenc name and subject both unusable")
        << Writer::segmentFile(Writer::yencSinglePart("..", three)) << ".." << none << 5 << QString() << QString()
        << badName << none;

    // Header search and the 11-line rule.
    QTest::newRow("plain text") << Writer::segmentFile(textLines(20)) << QString() << none << 2 << kInputPathMark
                                << QString() << QString() << none;
    QTest::newRow("empty body") << Writer::segmentFile(QByteArray()) << QString() << none << 2 << kInputPathMark
                                << QString() << QString() << none;
    QTest::newRow("empty file") << QByteArray() << QString() << none << 2 << kInputPathMark << QString() << QString()
                                << none;
    QTest::newRow("header on line 11") << Writer::segmentFile(textLines(10) + Writer::yencSinglePart("abc.bin", three))
                                       << QString() << none << 0 << "abc.bin" << "abc.bin" << QString()
                                       << files({{"abc.bin", three}});
    QTest::newRow("header on line 12") << Writer::segmentFile(textLines(11) + Writer::yencSinglePart("abc.bin", three))
                                       << QString() << none << 2 << kInputPathMark << QString() << QString() << none;
    QTest::newRow("length field with LF, header on line 1")
        << Writer::segmentFile(withLineFeedInLength(QByteArray(), Writer::yencSinglePart("abc.bin", randomBytes(2400, 3))))
        << QString() << none << 0 << "abc.bin" << "abc.bin" << QString()
        << files({{"abc.bin", randomBytes(2400, 3)}});
    QTest::newRow("length field with LF, header on body line 10")
        << Writer::segmentFile(withLineFeedInLength(textLines(9), Writer::yencSinglePart("abc.bin", three))) << QString()
        << none << 0 << "abc.bin" << "abc.bin" << QString() << files({{"abc.bin", three}});
    QTest::newRow("length field with LF, header on body line 11")
        << Writer::segmentFile(withLineFeedInLength(textLines(10), Writer::yencSinglePart("abc.bin", three)))
        << QString() << none << 2 << kInputPathMark << QString() << QString() << none;

    // uuencode.
    const QByteArray picture = randomBytes(100, 4);
    QTest::newRow("uuencode") << Writer::segmentFile(Writer::uuencodeFile("pic.jpg", picture)) << QString() << none << 0
                              << "pic.jpg" << "pic.jpg" << QString() << files({{"pic.jpg", picture}});
    QTest::newRow("uuencode lines after end are ignored")
        << Writer::segmentFile(Writer::uuencodeFile("pic.jpg", picture) + Writer::uuencodeLines("more")) << QString()
        << none << 0 << "pic.jpg" << "pic.jpg" << QString() << files({{"pic.jpg", picture}});
    {
        const QByteArray lines = Writer::uuencodeLines(picture.left(45));
        const QByteArray body = "begin 644 pic.jpg\r\n" + lines + "M" + QByteArray(60, 'a') + "\r\n" + lines + "`\r\nend\r\n";
        QTest::newRow("uuencode line with a character outside the alphabet is skipped")
            << Writer::segmentFile(body) << QString() << none << 0 << "pic.jpg" << "pic.jpg" << QString()
            << files({{"pic.jpg", picture.left(45) + picture.left(45)}});
    }
    {
        // "*" announces 10 bytes; 13 characters give three groups (9 bytes), then the fourth fails.
        const QByteArray shortLine = Writer::uuencodeLines(picture.left(10)).left(13);
        const QByteArray body = "begin 644 pic.jpg\r\n" + Writer::uuencodeLines(picture.left(45)) + shortLine + "\r\n"
            + Writer::uuencodeLines(picture.mid(45)) + "`\r\nend\r\n";
        QTest::newRow("uuencode line ending too early") << Writer::segmentFile(body) << QString() << none << 5
                                                        << "pic.jpg" << "pic.jpg" << "34"
                                                        << files({{"pic.jpg", picture.left(45) + picture.left(9)}});
    }
    {
        // A body cut short is a damaged article (8), whatever it decoded: without its "end" line,
        // or with a line shorter than its length character says (skipped, its bytes lost).
        const QByteArray lines = Writer::uuencodeLines(picture); // lines of 61, 61 and 17 characters
        const QByteArray head = "begin 644 pic.jpg\r\n";
        const QByteArray secondCut = lines.left(63 + 30) + "\r\n";
        QTest::newRow("uuencode cut before its end line")
            << Writer::segmentFile(head + lines) << QString() << none << 8 << "pic.jpg" << "pic.jpg" << QString()
            << files({{"pic.jpg", picture}});
        QTest::newRow("uuencode cut in the middle of a line")
            << Writer::segmentFile(head + lines.left(63 + 30)) << QString() << none << 8 << "pic.jpg" << "pic.jpg"
            << QString() << files({{"pic.jpg", picture.left(45)}});
        QTest::newRow("uuencode line shorter than its length character, then its end")
            << Writer::segmentFile(head + secondCut + lines.mid(126) + "`\r\nend\r\n") << QString() << none << 8
            << "pic.jpg" << "pic.jpg" << QString() << files({{"pic.jpg", picture.left(45) + picture.mid(90)}});
    }

    // MIME base64.
    const QByteArray archive = randomBytes(400, 5);
    QTest::newRow("mime base64") << Writer::segmentFile(Writer::mimeBase64("\"file.zip\"", archive)) << QString() << none
                                 << 0 << "file.zip" << "file.zip" << QString() << files({{"file.zip", archive}});
    QTest::newRow("mime name in single quotes") << Writer::segmentFile(Writer::mimeBase64("'file.zip'", archive))
                                                << QString() << none << 0 << "file.zip" << "file.zip" << QString()
                                                << files({{"file.zip", archive}});
    {
        QByteArray body = Writer::mimeBase64("file.zip", archive);
        const int secondLine = body.indexOf(archive.toBase64().mid(76, 76));
        body.remove(secondLine + 75, 1); // a line of 75 characters is not decoded
        QTest::newRow("mime base64 line of 75 characters ignored, the article damaged")
            << Writer::segmentFile(body) << QString() << none << 8 << "file.zip" << "file.zip" << QString()
            << files({{"file.zip", archive.left(57) + archive.mid(114)}});
    }
    {
        // An attachment ends at its closing boundary, or at the padding of its last group;
        // one cut before either is a damaged article (8).
        const QByteArray body = Writer::mimeBase64("file.zip", archive); // 400 bytes: the last group padded
        const QByteArray closing = "\r\n--=_boundary--\r\n";
        const QByteArray unclosed = body.left(body.size() - closing.size());
        const int fourthLine = body.indexOf(archive.toBase64().mid(3 * 76, 76));
        QTest::newRow("mime base64 cut between two lines")
            << Writer::segmentFile(body.left(fourthLine)) << QString() << none << 8 << "file.zip" << "file.zip"
            << QString() << files({{"file.zip", archive.left(171)}});
        QTest::newRow("mime base64 cut in the middle of a line")
            << Writer::segmentFile(body.left(fourthLine + 30)) << QString() << none << 8 << "file.zip" << "file.zip"
            << QString() << files({{"file.zip", archive.left(171)}});
        QTest::newRow("mime base64 cut after whole groups of a line")
            << Writer::segmentFile(body.left(fourthLine + 32)) << QString() << none << 8 << "file.zip" << "file.zip"
            << QString() << files({{"file.zip", archive.left(171 + 24)}});
        QTest::newRow("mime base64 up to its padding, without a boundary")
            << Writer::segmentFile(unclosed) << QString() << none << 0 << "file.zip" << "file.zip" << QString()
            << files({{"file.zip", archive}});
        const QByteArray unpadded = archive.left(399);
        const QByteArray unpaddedBody = Writer::mimeBase64("file.zip", unpadded);
        QTest::newRow("mime base64 without padding, without a boundary")
            << Writer::segmentFile(unpaddedBody.left(unpaddedBody.size() - closing.size())) << QString() << none << 8
            << "file.zip" << "file.zip" << QString() << files({{"file.zip", unpadded}});
        // A boundary of 28 characters would decode as base64 if taken for data.
        QByteArray otherBoundary = unpaddedBody;
        otherBoundary.replace("--=_boundary--", "------=_NextPart_000_00123--");
        QTest::newRow("mime base64 closed by a boundary of other dashes")
            << Writer::segmentFile(otherBoundary) << QString() << none << 0 << "file.zip" << "file.zip" << QString()
            << files({{"file.zip", unpadded}});
    }
    QTest::newRow("mime boundary ends the attachment")
        << Writer::segmentFile(Writer::mimeBase64("file.zip", archive) + archive.left(30).toBase64() + "\r\n") << QString()
        << none << 0 << "file.zip" << "file.zip" << QString() << files({{"file.zip", archive}});

    // Existing output files.
    QTest::newRow("existing longer output keeps its tail")
        << Writer::segmentFile(Writer::yencSinglePart("abc.bin", data)) << QString()
        << files({{"abc.bin", QByteArray(5000, 'Z')}}) << 0 << "abc.bin" << "abc.bin" << QString()
        << files({{"abc.bin", data + QByteArray(2000, 'Z')}});
}

void tst_NntpSegmentDecoder::decode()
{
    QFETCH(QByteArray, segmentFile);
    QFETCH(QString, subject);
    QFETCH(QVariantMap, existingFiles);
    QFETCH(int, result);
    QFETCH(QString, firstName);
    QFETCH(QString, outName);
    QFETCH(QString, error);
    QFETCH(QVariantMap, expectedFiles);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    QVERIFY(QDir(work.path()).mkdir("cache"));
    const QString input = work.filePath("cache/1.tmp");
    const QString folder = work.filePath("download");
    QVERIFY(writeFile(input, segmentFile));
    if (!existingFiles.isEmpty())
        QVERIFY(QDir(work.path()).mkdir("download"));
    for (auto it = existingFiles.cbegin(); it != existingFiles.cend(); ++it)
        QVERIFY(writeFile(folder + "/" + it.key(), it.value().toByteArray()));

    const Run run = decodeFile(input, folder, subject);

    QCOMPARE(run.result, result);
    QCOMPARE(run.firstName, firstName == kInputPathMark ? input : firstName);
    QCOMPARE(run.outName, outName);
    QCOMPARE(run.error, error);
    QStringList topLevel = {"cache"};
    if (QDir(folder).exists())
        topLevel << "download";
    QCOMPARE(entriesOf(work.path()), topLevel);
    QStringList expectedNames = expectedFiles.keys();
    std::sort(expectedNames.begin(), expectedNames.end());
    QCOMPARE(entriesOf(folder), expectedNames);
    for (auto it = expectedFiles.cbegin(); it != expectedFiles.cend(); ++it)
        QCOMPARE(readFile(folder + "/" + it.key()), it.value().toByteArray());
    // What the yEnc sections say they wrote lies within their files, as announced and as written.
    for (const DecodedPart &part : run.parts) {
        QVERIFY2(part.begin >= 0 && part.length > 0 && part.begin + part.length <= part.fileSize,
                 qPrintable(QStringLiteral("%1 bytes at %2 of %3").arg(part.length).arg(part.begin).arg(part.fileSize)));
        QVERIFY(expectedFiles.contains(part.outputName));
        QVERIFY(part.begin + part.length <= expectedFiles.value(part.outputName).toByteArray().size());
    }
}

void tst_NntpSegmentDecoder::missingInputGivesThreeAndCreatesNothing()
{
    QTemporaryDir work;
    const Run run = decodeFile(work.filePath("nothing.tmp"), work.filePath("download"), "post");
    QCOMPARE(run.result, 3);
    QVERIFY(run.firstName.isEmpty() && run.outName.isEmpty() && run.error.isEmpty());
    QVERIFY(entriesOf(work.path()).isEmpty());
    QCOMPARE(decodeFile(QString(), work.filePath("download"), "post").result, 3);
}

void tst_NntpSegmentDecoder::inputThatCannotBeReadGivesFive()
{
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir("folder.tmp"));
    const Run run = decodeFile(work.filePath("folder.tmp"), work.filePath("download"), "post");
    QCOMPARE(run.result, 5);
    QVERIFY(run.firstName.isEmpty() && run.outName.isEmpty());
    QVERIFY(!QDir(work.filePath("download")).exists());
}

void tst_NntpSegmentDecoder::outputFolderIsCreatedWithItsParents()
{
    QTemporaryDir work;
    const QString input = work.filePath("1.tmp");
    QVERIFY(writeFile(input, Writer::segmentFile(Writer::yencSinglePart("abc.bin", "xyz"))));
    const Run run = decodeFile(input, work.filePath("a/b/c"), QString());
    QCOMPARE(run.result, 0);
    QCOMPARE(readFile(work.filePath("a/b/c/abc.bin")), QByteArray("xyz"));
}

void tst_NntpSegmentDecoder::unusableOutputPlace_data()
{
    QTest::addColumn<QString>("folder"); // under the work folder; empty: an empty argument
    QTest::addColumn<QString>("regularFile");
    QTest::addColumn<QString>("subFolder");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("error");
    const QString cannotCreate = QStringLiteral("Failed to create output directory");
    QTest::newRow("folder under a regular file") << "plain/download" << "plain" << QString() << 5 << cannotCreate;
    QTest::newRow("empty folder argument") << QString() << QString() << QString() << 5 << cannotCreate;
    QTest::newRow("output name taken by a folder") << "download" << QString() << "download/abc.bin" << 4 << QString();
}

void tst_NntpSegmentDecoder::unusableOutputPlace()
{
    QFETCH(QString, folder);
    QFETCH(QString, regularFile);
    QFETCH(QString, subFolder);
    QFETCH(int, result);
    QFETCH(QString, error);
    QTemporaryDir work;
    const QString input = work.filePath("1.tmp");
    QVERIFY(writeFile(input, Writer::segmentFile(Writer::yencSinglePart("abc.bin", "xyz"))));
    if (!regularFile.isEmpty())
        QVERIFY(writeFile(work.filePath(regularFile), "not a folder"));
    if (!subFolder.isEmpty())
        QVERIFY(QDir(work.path()).mkpath(subFolder));

    const Run run = decodeFile(input, folder.isEmpty() ? QString() : work.filePath(folder), QString());
    QCOMPARE(run.result, result);
    QCOMPARE(run.error, error);
    QCOMPARE(run.firstName, QStringLiteral("abc.bin"));
    QCOMPARE(run.outName, QStringLiteral("abc.bin"));
    QVERIFY(!QFile::exists(QDir::currentPath() + "/abc.bin"));
    QVERIFY(!QFile::exists("/abc.bin"));
}

void tst_NntpSegmentDecoder::outParametersAreClearedOnEntry()
{
    QTemporaryDir work;
    const QString input = work.filePath("1.tmp");
    QVERIFY(writeFile(input, Writer::segmentFile(Writer::yencSinglePart("abc.bin", "xyz"))));
    QString first = "old", out = "old", error = "old";
    QCOMPARE(NntpSegmentDecoder::decodeSegmentFile(input, work.filePath("d"), QString(), first, out, error), 0);
    QCOMPARE(first, QStringLiteral("abc.bin"));
    QCOMPARE(out, QStringLiteral("abc.bin"));
    QVERIFY(error.isEmpty());
    QCOMPARE(NntpSegmentDecoder::decodeSegmentFile(work.filePath("gone"), work.filePath("d"), QString(), first, out, error), 3);
    QVERIFY(first.isEmpty() && out.isEmpty() && error.isEmpty());
}

void tst_NntpSegmentDecoder::lineLongerThanOneReadBlock()
{
    // One data line of about 3 MB: the reader must grow its buffer and keep the line whole.
    QTemporaryDir work;
    const QByteArray data = randomBytes(3 * 1024 * 1024, 6);
    const QString input = work.filePath("1.tmp");
    QVERIFY(writeFile(input, Writer::segmentFile(Writer::yencSinglePart("long.bin", data, 1 << 30))));
    QCOMPARE(decodeFile(input, work.filePath("d"), QString()).result, 0);
    QCOMPARE(readFile(work.filePath("d/long.bin")), data);
}

void tst_NntpSegmentDecoder::largeFileInPartsDecodedInRandomOrder()
{
    const int partSize = 700 * 1024;
    const QByteArray source = randomBytes(6 * 1024 * 1024 + 12345, 7);
    const int parts = (source.size() + partSize - 1) / partSize;
    QTemporaryDir work;
    QVERIFY(QDir(work.path()).mkdir("cache"));

    std::vector<int> order;
    for (int number = 1; number <= parts; ++number) {
        Writer::YencPart part;
        part.number = number;
        part.total = parts;
        part.begin = qint64(number - 1) * partSize + 1;
        part.end = std::min<qint64>(qint64(number) * partSize, source.size());
        QVERIFY(writeFile(work.filePath("cache/%1.tmp").arg(number),
                          Writer::segmentFile(Writer::yencMultiPart("big.mkv", source, part))));
        order.push_back(number);
    }
    std::shuffle(order.begin(), order.end(), QRandomGenerator(8));
    QVERIFY(order.front() != 1 || order.back() != parts);

    const QString subject = QStringLiteral("[3/9] - \"big.mkv\" yEnc (1/%1)").arg(parts);
    for (const int number : order) {
        const Run run = decodeFile(work.filePath("cache/%1.tmp").arg(number), work.filePath("download"), subject);
        QCOMPARE(run.result, 0);
        QCOMPARE(run.outName, QStringLiteral("big.mkv"));
    }
    QCOMPARE(QCryptographicHash::hash(readFile(work.filePath("download/big.mkv")), QCryptographicHash::Sha256),
             QCryptographicHash::hash(source, QCryptographicHash::Sha256));
}

void tst_NntpSegmentDecoder::concurrentCallsDoNotInterfere()
{
    QTemporaryDir work;
    std::vector<QByteArray> sources;
    for (int i = 0; i < 3; ++i) {
        sources.push_back(randomBytes(900 * 1024, quint32(20 + i)));
        QVERIFY(writeFile(work.filePath("%1.tmp").arg(i),
                          Writer::segmentFile(Writer::yencSinglePart(QStringLiteral("f%1.bin").arg(i), sources.back()))));
    }
    std::vector<int> results(3, -1);
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i) {
        threads.emplace_back([&work, &results, i] {
            for (int round = 0; round < 5 && results[i] <= 0; ++round)
                results[i] = decodeFile(work.filePath("%1.tmp").arg(i), work.filePath("d"), QString()).result;
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(results[i], 0);
        QCOMPARE(readFile(work.filePath("d/f%1.bin").arg(i)), sources[i]);
    }
}

// The caller bounds the output by what the posted file can hold: a header may claim any size.
void tst_NntpSegmentDecoder::boundedOutput_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("begin");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("error");
    QTest::addColumn<qint64>("outputSize");

    const QString beyond = QStringLiteral("yEnc part beyond the posted file");
    QTest::newRow("part inside the bound") << qint64(3000) << qint64(2001) << qint64(3000) << 0 << QString() << qint64(2100);
    QTest::newRow("part ending on the bound") << qint64(3000) << qint64(2901) << qint64(3000) << 0 << QString() << qint64(3000);
    QTest::newRow("terabyte claim, part beyond the bound")
        << qint64(1000000000000) << qint64(999999990001) << qint64(3000) << 5 << beyond << qint64(0);
    QTest::newRow("part ending beyond the bound") << qint64(3100) << qint64(2951) << qint64(3000) << 5 << beyond << qint64(0);
    QTest::newRow("no bound given") << qint64(3000) << qint64(2001) << qint64(-1) << 0 << QString() << qint64(2100);
}

void tst_NntpSegmentDecoder::boundedOutput()
{
    QFETCH(qint64, size);
    QFETCH(qint64, begin);
    QFETCH(qint64, limit);
    QFETCH(int, result);
    QFETCH(QString, error);
    QFETCH(qint64, outputSize);

    QTemporaryDir work;
    const QByteArray data = randomBytes(100, 7);
    const QByteArray body = "=ybegin part=2 total=3 line=128 size=" + QByteArray::number(size)
                            + " name=abc.bin\r\n=ypart begin=" + QByteArray::number(begin)
                            + " end=" + QByteArray::number(begin + data.size() - 1) + "\r\n" + Writer::yencLines(data)
                            + "=yend size=100 part=2 pcrc32=" + Writer::crcText(Writer::crcOf(data)) + "\r\n";
    QVERIFY(writeFile(work.filePath("1.tmp"), Writer::segmentFile(body)));

    SegmentDecodeOptions options;
    options.outputLimit = limit;
    QString first, out, text;
    QCOMPARE(NntpSegmentDecoder::decodeSegmentFile(work.filePath("1.tmp"), work.filePath("d"), QString(), first, out,
                                                   text, options),
             result);
    QCOMPARE(text, error);
    QCOMPARE(QFileInfo(work.filePath("d/abc.bin")).size(), outputSize);
    if (result == 0)
        QCOMPARE(readFile(work.filePath("d/abc.bin")).mid(int(begin - 1)), data);
}

// A part whose offset cannot be reached is never written at the current position, over the
// start of the file: here the output is a pipe, which has no positions at all.
void tst_NntpSegmentDecoder::partThatCannotBePlacedFails()
{
    QTemporaryDir work;
    QVERIFY(QDir().mkpath(work.filePath("d")));
    QCOMPARE(::mkfifo(QFile::encodeName(work.filePath("d/abc.bin")).constData(), 0600), 0);
    const QByteArray data = randomBytes(100, 8);
    const QByteArray body = "=ybegin part=2 total=3 line=128 size=3000 name=abc.bin\r\n=ypart begin=2001 end=2100\r\n"
                            + Writer::yencLines(data) + "=yend size=100 part=2\r\n";
    QVERIFY(writeFile(work.filePath("1.tmp"), Writer::segmentFile(body)));
    const Run run = decodeFile(work.filePath("1.tmp"), work.filePath("d"), QString());
    QCOMPARE(run.result, 5);
    QCOMPARE(run.error, QStringLiteral("Cannot seek to the yEnc part offset"));
}

void tst_NntpSegmentDecoder::outputThatCannotBeWrittenFails_data()
{
    QTest::addColumn<QByteArray>("body");
    const QByteArray small = randomBytes(10000, 21);
    const QByteArray large = randomBytes(200000, 22);
    QTest::newRow("yEnc, bytes held until the end") << Writer::yencSinglePart(QStringLiteral("abc.bin"), small);
    QTest::newRow("yEnc, more than the write buffer") << Writer::yencSinglePart(QStringLiteral("abc.bin"), large);
    SegmentBodyWriter::YencPart part;
    part.number = 2;
    part.total = 2;
    part.begin = 5001;
    part.end = 10000;
    QTest::newRow("yEnc part beyond the room left") << Writer::yencMultiPart(QStringLiteral("abc.bin"), small, part);
    QTest::newRow("uuencode") << Writer::uuencodeFile(QStringLiteral("abc.bin"), small);
    QTest::newRow("base64") << Writer::mimeBase64(QStringLiteral("abc.bin"), small);
    QTest::newRow("a second file after the one that failed")
        << Writer::yencSinglePart(QStringLiteral("abc.bin"), small) + Writer::yencSinglePart(QStringLiteral("def.bin"), "xyz");
}

// A disk that fills while a segment is decoded: the decoder says so (6) rather than reporting a
// short file as decoded. Here no file may grow beyond 4096 bytes, as on a disk that is full.
void tst_NntpSegmentDecoder::outputThatCannotBeWrittenFails()
{
    QFETCH(QByteArray, body);
    QTemporaryDir work;
    QVERIFY(writeFile(work.filePath("1.tmp"), Writer::segmentFile(body)));
    Run run;
    {
        FileSizeLimit limit(4096);
        QVERIFY(limit.active);
        run = decodeFile(work.filePath("1.tmp"), work.filePath("d"), QString());
    }
    QCOMPARE(run.result, 6);
    QVERIFY(!run.error.isEmpty());
    QCOMPARE(run.firstName, QStringLiteral("abc.bin"));
}

void tst_NntpSegmentDecoder::callerChoosesTheOutputName_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("another name") << QStringLiteral("abc.bin (2)") << 0 << QStringList{"abc.bin (2)"};
    QTest::newRow("refused") << QString() << 5 << QStringList();
    QTest::newRow("a name that leaves the folder") << QStringLiteral("..") << 5 << QStringList();
}

void tst_NntpSegmentDecoder::callerChoosesTheOutputName()
{
    QFETCH(QString, given);
    QFETCH(int, result);
    QFETCH(QStringList, entries);
    QTemporaryDir work;
    const QByteArray data = randomBytes(300, 9);
    QVERIFY(writeFile(work.filePath("1.tmp"), Writer::segmentFile(Writer::yencSinglePart(QStringLiteral("abc.bin"), data))));
    QStringList asked;
    SegmentDecodeOptions options;
    options.outputName = [&asked, given](const QString &wanted) {
        asked << wanted;
        return given;
    };
    QString first, out, error;
    QCOMPARE(NntpSegmentDecoder::decodeSegmentFile(work.filePath("1.tmp"), work.filePath("d"), QString(), first, out,
                                                   error, options),
             result);
    QCOMPARE(asked, QStringList{"abc.bin"});
    QCOMPARE(entriesOf(work.filePath("d")), entries);
    if (result == 0) {
        QCOMPARE(first, given);
        QCOMPARE(readFile(work.filePath("d/") + given), data);
    }
}

void tst_NntpSegmentDecoder::sanitizeFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("clean");
    QTest::newRow("plain") << "a b-c.rar" << "a b-c.rar";
    QTest::newRow("every forbidden character") << "a\\b/c:d*e?f\"g<h>i|j" << "abcdefghij";
    QTest::newRow("only forbidden") << "\\/:*?\"<>|" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("dots and controls stay") << "..\t." << "..\t.";
    QTest::newRow("non-ASCII stays") << QString::fromUtf8("\xC3\xA9t\xC3\xA9?.txt") << QString::fromUtf8("\xC3\xA9t\xC3\xA9.txt");
}

void tst_NntpSegmentDecoder::sanitizeFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, clean);
    QCOMPARE(NntpSegmentDecoder::sanitizeFileName(name), clean);
}

QTEST_GUILESS_MAIN(tst_NntpSegmentDecoder)
#include "tst_NntpSegmentDecoder.moc"
