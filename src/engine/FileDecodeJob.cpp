#include "engine/FileDecodeJob.h"

#include "engine/NntpSegmentDecoder.h"
#include "model/NzbSegment.h"

#include <QFile>
#include <QMutexLocker>

namespace {

// Enough of an article's start to hold its "=ybegin" and "=ypart" lines.
constexpr qint64 kHeadBytes = 4096;
constexpr int kMaxHelpers = 1;
// Decoder results of an output that could not be created or written.
constexpr int kNotOpened = 4;
constexpr int kNotWritten = 6;

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
    const int result = NntpSegmentDecoder::decodeSegmentFile(segment->getTempFilePath(), folder, subject, firstName,
                                                             outName, error, options);
    if (article == 0 && (result == 0 || result == 1))
        sharable = isYencPart(segment->getTempFilePath());
    QMutexLocker locker(&mutex);
    resultByArticle[article] = result;
    if (result == 0 || result == 1)
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

bool FileDecodeJob::isYencPart(const QString &segmentFile)
{
    QFile file(segmentFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kHeadBytes);
    return head.contains("=ybegin ") && head.contains("\n=ypart begin=");
}
