// Decodes 1 GB of 700 KB yEnc articles from segment temporary files (in the page cache) into
// one output file, on one thread, as the file decoders do. Prints the decoding rate in MB of
// encoded input per second of wall time, best of several passes:
//   decode-new-file: each pass into a new output file (the file system allocates its pages);
//   decode:          each pass over the output file of the pass before (its pages exist), so
//                    that the figure is the decoder's and not the file system's;
// and the share of the second figure's time spent computing CRC-32.
//
//   decode [total MB]   (default 1024)
#include "engine/ClmulCrc32.h"
#include "engine/Crc32.h"
#include "engine/NntpSegmentDecoder.h"
#include "engine/YencLineDecoder.h"

#include "SegmentBodyWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kPartSize = 700 * 1024;
constexpr int kPasses = 3;

struct Corpus
{
    QStringList segmentFiles;
    qint64 encodedBytes = 0;
    qint64 decodedBytes = 0;
};

Corpus writeCorpus(const QString &folder, qint64 totalBytes)
{
    Corpus corpus;
    QRandomGenerator generator(2026);
    QByteArray part(kPartSize, Qt::Uninitialized);
    const int parts = int((totalBytes + kPartSize - 1) / kPartSize);
    const qint64 fileSize = qint64(parts) * kPartSize;
    for (int number = 1; number <= parts; ++number) {
        // Compressed archives, the usual payload, look like random bytes to the encoder.
        generator.fillRange(reinterpret_cast<quint32 *>(part.data()), kPartSize / 4);
        const qint64 begin = qint64(number - 1) * kPartSize + 1;
        const QByteArray body = "=ybegin part=" + QByteArray::number(number) + " total=" + QByteArray::number(parts)
            + " line=128 size=" + QByteArray::number(fileSize) + " name=bench.part01.rar\r\n=ypart begin="
            + QByteArray::number(begin) + " end=" + QByteArray::number(begin + kPartSize - 1) + "\r\n"
            + SegmentBodyWriter::yencLines(part) + "=yend size=" + QByteArray::number(kPartSize)
            + " part=" + QByteArray::number(number) + " pcrc32=" + SegmentBodyWriter::crcText(SegmentBodyWriter::crcOf(part))
            + "\r\n";
        const QByteArray file = SegmentBodyWriter::segmentFile(body);
        const QString path = folder + QStringLiteral("/%1.tmp").arg(number);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        corpus.segmentFiles << path;
        corpus.encodedBytes += file.size();
        corpus.decodedBytes += kPartSize;
    }
    return corpus;
}

// One pass over every segment into the output file; returns the seconds it took.
double decodePass(const Corpus &corpus, const QString &outputFolder, bool newFile)
{
    if (newFile)
        QFile::remove(outputFolder + "/bench.part01.rar");
    QString first, out, error;
    QElapsedTimer timer;
    timer.start();
    for (const QString &segment : corpus.segmentFiles) {
        const int result = NntpSegmentDecoder::decodeSegmentFile(segment, outputFolder, "bench.part01.rar", first, out, error);
        if (result != 0) {
            std::fprintf(stderr, "segment %s: result %d %s\n", qPrintable(segment), result, qPrintable(error));
            std::exit(1);
        }
    }
    return double(timer.nsecsElapsed()) / 1e9;
}

// The CRC work of one pass: the same number of part-sized blocks, hot in the cache as the
// decoder's output buffer is when its CRC is taken.
double crcSeconds(const Corpus &corpus)
{
    const QByteArray block = SegmentBodyWriter::randomBytes(kPartSize, 3);
    const auto *data = reinterpret_cast<const unsigned char *>(block.constData());
    double best = 1e9;
    for (int pass = 0; pass < kPasses; ++pass) {
        QElapsedTimer timer;
        timer.start();
        quint32 sink = 0;
        for (int i = 0; i < corpus.segmentFiles.size(); ++i) {
            Crc32 crc;
            crc.update(data, std::size_t(kPartSize));
            sink ^= crc.finished();
        }
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
        if (sink == 0x12345678)
            std::printf(" ");
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 totalMb = argc > 1 ? std::atoll(argv[1]) : 1024;

    QTemporaryDir work;
    if (!work.isValid() || !QDir(work.path()).mkdir("cache") || !QDir(work.path()).mkdir("download"))
        return 1;
    const Corpus corpus = writeCorpus(work.filePath("cache"), totalMb * 1024 * 1024);
    const QString outputFolder = work.filePath("download");

    std::fprintf(stderr, "corpus written, decoding\n");
    decodePass(corpus, outputFolder, true); // brings every segment file into the page cache
    double bestNewFile = 1e9;
    for (int pass = 0; pass < kPasses; ++pass)
        bestNewFile = std::min(bestNewFile, decodePass(corpus, outputFolder, true));
    double best = 1e9;
    for (int pass = 0; pass < kPasses; ++pass)
        best = std::min(best, decodePass(corpus, outputFolder, false));
    const double crcTime = crcSeconds(corpus);

    std::printf("segments: %d\n", int(corpus.segmentFiles.size()));
    std::printf("encoded-input: %.1f MB\n", double(corpus.encodedBytes) / 1e6);
    std::printf("yenc-kernel: %s\n", YencLineDecoder::kernelName());
    std::printf("crc-clmul: %s\n", ClmulCrc32::usesCarrylessMultiply() ? "yes" : "no");
    std::printf("decode-new-file: %.0f MB/s\n", double(corpus.encodedBytes) / 1e6 / bestNewFile);
    std::printf("decode: %.0f MB/s\n", double(corpus.encodedBytes) / 1e6 / best);
    std::printf("crc-share: %.1f %%\n", 100.0 * crcTime / best);
    return 0;
}
