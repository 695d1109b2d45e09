#ifndef FILEDECODEJOB_H
#define FILEDECODEJOB_H

#include "engine/DecodedPart.h"
#include "engine/SegmentDecodeOptions.h"

#include <QList>
#include <QMutex>
#include <QString>
#include <QVector>
#include <QWaitCondition>

#include <atomic>

class NzbSegment;

// The decoding of one posted file's articles, which several decoder threads can share: each
// takes the next article not yet taken and decodes it into the download folder. The parts of a
// multi-part yEnc file each go to their own place in the output, so they can be decoded in any
// order and at the same time; one large file then no longer keeps a decoder idle at the end of
// a download.
class FileDecodeJob
{
public:
    // An output whose yEnc parts leave bytes of the size their headers announce unwritten.
    struct Shortfall
    {
        QString outputName;
        qint64 fileSize = 0;
        qint64 missingBytes = 0;
    };

    FileDecodeJob(const QList<NzbSegment *> &segments, const QString &folder, const QString &subject,
                  const SegmentDecodeOptions &options);

    // Decodes the next article nobody took yet; false when every article is taken.
    bool decodeNext();
    // Whether every article is placed by its own offset (yEnc parts), so that the articles may
    // be decoded in any order. Known once the first article is decoded.
    bool isSharable() const { return sharable; }
    bool hasArticlesLeft() const { return next.load() < count; }
    // A decoder other than the owner joins in, unless one already did; leave() when it stops.
    // Two threads writing one file already wait on each other for the file's lock in the
    // kernel much of the time; a third made the file slower, not faster.
    bool join();
    void leave();

    // Waits until every article taken has been decoded.
    void waitUntilDone();

    // The decoder's result for each article, in number order.
    QVector<int> results() const;
    // The first output name of the last article that decoded, empty when none did.
    QString lastOutputName() const;
    // Whether some article's output could not be created or written whole (a full disk); name
    // and reason of the first such failure.
    bool outputFailed(QString *name = nullptr, QString *reason = nullptr) const;
    // The outputs that the articles' yEnc parts, put together, do not cover whole.
    QVector<Shortfall> shortfalls() const;

private:
    static bool isYencPart(const QString &segmentFile);
    static bool hasDecoded(int result);

    const QList<NzbSegment *> segments;
    const QString folder;
    const QString subject;
    const SegmentDecodeOptions options;
    const int count;
    std::atomic<int> next{0};
    std::atomic<bool> sharable{false};
    std::atomic<int> helpers{0};

    mutable QMutex mutex;
    QWaitCondition allDecoded;
    int decodedCount = 0;
    QVector<int> resultByArticle;
    QVector<QString> nameByArticle;
    QVector<DecodedPart> decodedParts;
    QString failedName;
    QString failedReason;
};

#endif // FILEDECODEJOB_H
