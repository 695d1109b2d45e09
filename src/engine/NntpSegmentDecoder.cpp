#include "engine/NntpSegmentDecoder.h"

#include "engine/SegmentDecodeSession.h"

NntpSegmentDecoder::NntpSegmentDecoder() = default;

int NntpSegmentDecoder::decodeSegmentFile(const QString &inputPath, const QString &outputFolder, const QString &subject,
                                          QString &firstOutputName, QString &outputName, QString &errorText)
{
    return decodeSegmentFile(inputPath, outputFolder, subject, firstOutputName, outputName, errorText,
                             SegmentDecodeOptions());
}

int NntpSegmentDecoder::decodeSegmentFile(const QString &inputPath, const QString &outputFolder, const QString &subject,
                                          QString &firstOutputName, QString &outputName, QString &errorText,
                                          const SegmentDecodeOptions &options)
{
    SegmentDecodeSession session(inputPath, outputFolder, subject, options);
    return session.run(firstOutputName, outputName, errorText);
}

namespace {

bool isForbiddenInFileName(QChar c)
{
    switch (c.unicode()) {
    case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
        return true;
    default:
        return false;
    }
}

} // namespace

QString NntpSegmentDecoder::sanitizeFileName(const QString &name)
{
    QString clean;
    clean.reserve(name.size());
    for (const QChar c : name) {
        if (!isForbiddenInFileName(c))
            clean.append(c);
    }
    return clean;
}
