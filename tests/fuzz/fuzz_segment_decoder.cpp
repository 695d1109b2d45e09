// Fuzz target: any bytes as a segment temporary file. The decoder must not crash, whatever it
// writes must be regular files directly inside the output folder, and no yEnc part it tells of may
// reach beyond the size its header gives the file.
//
// The first input byte picks the subject (none, one naming the usual output, one that names
// nothing the headers give); the rest is the segment file.
#include "engine/NntpSegmentDecoder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <QVector>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir &workFolder()
{
    static QTemporaryDir folder(QDir::tempPath() + "/fuzz-segment-XXXXXX");
    return folder;
}

[[noreturn]] void failure(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

// Everything in the work folder must be the input file or the output folder, and everything in
// the output folder a regular file; the output folder is emptied for the next run.
void checkAndClean(const QString &work, const QString &output)
{
    const QFileInfoList top = QDir(work).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : top) {
        if (entry.fileName() != "in.tmp" && entry.fileName() != "out")
            failure("file written outside the output folder", entry.absoluteFilePath());
    }
    const QFileInfoList written = QDir(output).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : written) {
        if (!entry.isFile() || entry.isSymLink())
            failure("output that is not a regular file", entry.absoluteFilePath());
        if (entry.size() > (qint64(1) << 40))
            failure("output of more than a terabyte", entry.absoluteFilePath());
        QFile::remove(entry.absoluteFilePath());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || !workFolder().isValid())
        return 0;
    const QString work = workFolder().path();
    const QString input = work + "/in.tmp";
    const QString output = work + "/out";

    QFile file(input);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    file.close();

    static const QString subjects[] = {QString(), QStringLiteral("[1/2] - \"abc.bin\" yEnc (1/3)"),
                                       QStringLiteral("Some post")};
    const QString &subject = subjects[data[0] % 3];
    QString firstName, outName, error;
    QVector<DecodedPart> parts;
    SegmentDecodeOptions options;
    options.decodedParts = &parts;
    const int result = NntpSegmentDecoder::decodeSegmentFile(input, output, subject, firstName, outName, error, options);
    if (result < 0 || result > 8)
        failure("result out of range", QString::number(result));
    for (const DecodedPart &part : qAsConst(parts)) {
        if (part.begin < 0 || part.length <= 0 || part.begin + part.length > part.fileSize)
            failure("part written beyond the file's size",
                    QStringLiteral("%1 bytes at %2 of %3").arg(part.length).arg(part.begin).arg(part.fileSize));
    }
    checkAndClean(work, output);
    return 0;
}
