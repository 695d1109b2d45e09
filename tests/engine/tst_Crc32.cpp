#include "engine/ClmulCrc32.h"
#include "engine/Crc32.h"

#include "SegmentBodyWriter.h"

#include <QtTest>

#include <zlib.h>

class tst_Crc32 : public QObject
{
    Q_OBJECT

private slots:
    void knownValues_data();
    void knownValues();
    void blockUpdateMatchesBytewiseAndZlib_data();
    void blockUpdateMatchesBytewiseAndZlib();
    void resetStartsOver();
};

namespace {

QByteArray randomBytes(int size, quint32 seed)
{
    return SegmentBodyWriter::randomBytes(size, seed);
}

const unsigned char *bytesOf(const QByteArray &data)
{
    return reinterpret_cast<const unsigned char *>(data.constData());
}

} // namespace

void tst_Crc32::knownValues_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<quint32>("crc");
    QTest::newRow("empty") << QByteArray() << quint32(0);
    QTest::newRow("check string") << QByteArray("123456789") << quint32(0xCBF43926);
    QTest::newRow("one zero byte") << QByteArray(1, '\0') << quint32(0xD202EF8D);
    QTest::newRow("64 zero bytes") << QByteArray(64, '\0') << quint32(0x758D6336);
}

void tst_Crc32::knownValues()
{
    QFETCH(QByteArray, data);
    QFETCH(quint32, crc);
    Crc32 bytewise;
    for (const char c : data)
        bytewise.update(static_cast<unsigned char>(c));
    QCOMPARE(bytewise.finished(), crc);
    QCOMPARE(Crc32::of(bytesOf(data), std::size_t(data.size())), crc);
}

void tst_Crc32::blockUpdateMatchesBytewiseAndZlib_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("split");
    // Lengths around the folding thresholds (16-byte blocks, 64- and 128-byte lanes, the 256 bytes
    // of the 32-byte fold), odd alignments
    // and a block split in two updates.
    for (const int size : {1, 15, 16, 17, 63, 64, 65, 79, 80, 127, 128, 129, 255, 256, 257, 271, 383, 384, 1000,
                           4096, 65537, 1 << 20}) {
        for (const int offset : {0, 1, 7}) {
            QTest::addRow("size %d offset %d", size, offset) << size << offset << size;
            QTest::addRow("size %d offset %d split", size, offset) << size << offset << size / 3;
        }
    }
}

void tst_Crc32::blockUpdateMatchesBytewiseAndZlib()
{
    QFETCH(int, size);
    QFETCH(int, offset);
    QFETCH(int, split);
    const QByteArray buffer = randomBytes(size + offset, quint32(size * 8 + offset));
    const unsigned char *data = bytesOf(buffer) + offset;

    const quint32 expected = quint32(crc32(0, data, uInt(size)));
    Crc32 bytewise;
    for (int i = 0; i < size; ++i)
        bytewise.update(data[i]);
    Crc32 blockwise;
    blockwise.update(data, std::size_t(split));
    blockwise.update(data + split, std::size_t(size - split));

    QCOMPARE(bytewise.finished(), expected);
    QCOMPARE(blockwise.finished(), expected);
    QCOMPARE(ClmulCrc32::extend(0, data, std::size_t(size)), expected);
}

void tst_Crc32::resetStartsOver()
{
    const QByteArray data("123456789");
    Crc32 crc;
    crc.update(bytesOf(data), 9);
    crc.update(bytesOf(data), 9);
    crc.reset();
    crc.update(bytesOf(data), 9);
    QCOMPARE(crc.finished(), quint32(0xCBF43926));
    crc.reset();
    QCOMPARE(crc.finished(), quint32(0));
}

QTEST_GUILESS_MAIN(tst_Crc32)
#include "tst_Crc32.moc"
