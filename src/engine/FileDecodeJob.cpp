#include "engine/FileDecodeJob.h"

#include "engine/NntpSegmentDecoder.h"
#include "model/NzbSegment.h"

#include <QFile>
#include <QHash>
#include <QMutexLocker>

#include <algorithm>

namespace {

// Enough of an article's start to hold its "=ybegin" and "=ypart" lines.
constexpr qint64 kHeadBytes = 4096;
constexpr int kMaxHelpers = 1;
// Decoder results of an output that could not be created or written.
constexpr int kNotOpened = 4;
constexpr int kNotWritten = 6;
// Decoder results of an article that does not hold what its yEnc headers announce, and of a
// uuencoded or base64 one cut short: decoded, but damaged.
constexpr int kLengthDiffers = 7;
constexpr int kCutShort = 8;

} // namespace

FileDecodeJob::FileDecodeJob(const QList<NzbSegment *> &segments, const QString &folder, const QString &subject,
                             const SegmentDecodeOptions &options)
    : segments(segments)
    , folder(folder)
    , subject(subject)
    , options(options)
    , count(segments.size())
    , resultByArticle(segments.size(), -1)
    , nameByArticle(segments.size())
{
}

bool FileDecodeJob::decodeNext()
{
    const int article = next++;
    if (article >= count)
        return false;
    const NzbSegment *segment = segments.at(article);
    QString firstName;
    QString outName;
    QString error;
    QVector<DecodedPart> parts;
    SegmentDecodeOptions articleOptions = options;
    articleOptions.decodedParts = &parts;
    const int result = NntpSegmentDecoder::decodeSegmentFile(segment->getTempFilePath(), folder, subject, firstName,
                                                             outName, error, articleOptions);
    if (article == 0 && hasDecoded(result))
        sharable = isYencPart(segment->getTempFilePath());
    QMutexLocker locker(&mutex);
    resultByArticle[article] = result;
    decodedParts += parts;
    if (hasDecoded(result))
        nameByArticle[article] = firstName;
    if ((result == kNotOpened || result == kNotWritten) && failedName.isEmpty()) {
        failedName = outName.isEmpty() ? firstName : outName;
        failedReason = error;
    }
    if (++decodedCount == count)
        allDecoded.wakeAll();
    return true;
}

bool FileDecodeJob::join()
{
    int current = helpers.load();
    while (current < kMaxHelpers) {
        if (helpers.compare_exchange_weak(current, current + 1))
            return true;
    }
    return false;
}

void FileDecodeJob::leave()
{
    --helpers;
}

void FileDecodeJob::waitUntilDone()
{
    QMutexLocker locker(&mutex);
    while (decodedCount < count)
        allDecoded.wait(&mutex);
}

QVector<int> FileDecodeJob::results() const
{
    QMutexLocker locker(&mutex);
    return resultByArticle;
}

QString FileDecodeJob::lastOutputName() const
{
    QMutexLocker locker(&mutex);
    for (int article = count - 1; article >= 0; --article) {
        if (!nameByArticle.at(article).isEmpty())
            return nameByArticle.at(article);
    }
    return QString();
}

bool FileDecodeJob::outputFailed(QString *name, QString *reason) const
{
    QMutexLocker locker(&mutex);
    if (name)
        *name = failedName;
    if (reason)
        *reason = failedReason;
    return resultByArticle.contains(kNotOpened) || resultByArticle.contains(kNotWritten);
}

QVector<FileDecodeJob::Shortfall> FileDecodeJob::shortfalls() const
{
    QHash<QString, QVector<DecodedPart>> partsByOutput;
    {
        QMutexLocker locker(&mutex);
        for (const DecodedPart &part : decodedParts)
            partsByOutput[part.outputName].append(part);
    }
    QVector<Shortfall> found;
    for (auto output = partsByOutput.begin(); output != partsByOutput.end(); ++output) {
        QVector<DecodedPart> &parts = output.value();
        std::sort(parts.begin(), parts.end(),
                  [](const DecodedPart &a, const DecodedPart &b) { return a.begin < b.begin; });
        qint64 size = 0;
        for (const DecodedPart &part : qAsConst(parts))
            size = std::max(size, part.fileSize);
        // The parts in order of their offsets: what lies between them, or beyond the last, is a gap.
        qint64 covered = 0;
        qint64 reached = 0;
        for (const DecodedPart &part : qAsConst(parts)) {
            const qint64 from = std::max(part.begin, reached);
            const qint64 to = std::min(part.begin + part.length, size);
            if (to > from) {
                covered += to - from;
                reached = to;
            }
        }
        if (covered < size)
            found.append({output.key(), size, size - covered});
    }
    std::sort(found.begin(), found.end(),
              [](const Shortfall &a, const Shortfall &b) { return a.outputName < b.outputName; });
    return found;
}

// The article was decoded, cleanly or not.
bool FileDecodeJob::hasDecoded(int result)
{
    return result == 0 || result == 1 || result == kLengthDiffers || result == kCutShort;
}

bool FileDecodeJob::isYencPart(const QString &segmentFile)
{
    QFile file(segmentFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kHeadBytes);
    return head.contains("=ybegin ") && head.contains("\n=ypart begin=");
}
