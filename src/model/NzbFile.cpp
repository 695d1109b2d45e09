#include "model/NzbFile.h"

#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QDataStream>
#include <QDateTime>
#include <QLocale>
#include <QMutexLocker>

#include <algorithm>
#include <limits>

NzbFile::NzbFile(QObject *parent)
    : QObject(parent)
{
}

NzbFile::~NzbFile()
{
    qDeleteAll(mapSegments);
}

void NzbFile::setNzbFiles(NzbFiles *nzbFiles) { pNzbFiles = nzbFiles; }
NzbFiles *NzbFile::getNzbFiles() const { return pNzbFiles; }

void NzbFile::setPoster(const QString &poster) { strPoster = poster; }
QString NzbFile::getPoster() const { return strPoster; }
void NzbFile::setSubject(const QString &subject) { strSubject = subject; }
QString NzbFile::getSubject() const { return strSubject; }
void NzbFile::setDate(const QString &date) { strDate = date; }
QString NzbFile::getDate() const { return strDate; }

QString NzbFile::getDateString() const
{
    bool ok = false;
    const uint seconds = strDate.toUInt(&ok, 10);
    const QDateTime when = QDateTime::fromSecsSinceEpoch(ok ? seconds : 0).toLocalTime();
    return QLocale::system().toString(when.date(), QLocale::ShortFormat);
}

void NzbFile::addGroup(const QString &group) { listGroups.append(group); }
int NzbFile::getGroupCount() const { return listGroups.size(); }

QString NzbFile::getGroup(int index) const
{
    if (index < 0 || index >= listGroups.size())
        return QStringLiteral("");
    return listGroups.at(index);
}

quint64 NzbFile::saturatingAdd(quint64 a, quint64 b)
{
    return b > std::numeric_limits<quint64>::max() - a ? std::numeric_limits<quint64>::max() : a + b;
}

void NzbFile::addSegment(NzbSegment *segment)
{
    if (!segment)
        return;
    SegmentPlace place;
    place.unplaced = !segment->hasPlaceableNumber();
    place.number = segment->getNumberValue();
    // Two entries of one number may be two articles (the poster numbered one wrongly): both are
    // kept, the later behind the earlier. The same article listed twice is taken once.
    const QString messageId = segment->getMessageId().trimmed();
    for (auto entry = mapSegments.lowerBound(place);
         entry != mapSegments.end() && entry.key().unplaced == place.unplaced && entry.key().number == place.number;
         ++entry) {
        NzbSegment *old = entry.value();
        if (old == segment)
            return;
        if (old->getMessageId().trimmed() == messageId) {
            place.occurrence = entry.key().occurrence;
            const quint64 oldBytes = old->getBytesValue();
            uiSize = uiSize > oldBytes ? uiSize - oldBytes : 0;
            delete old;
            break;
        }
        place.occurrence = entry.key().occurrence + 1;
    }
    segment->setNumberOccurrence(place.occurrence);
    segment->setNzbFile(this);
    uiSize = saturatingAdd(uiSize, segment->getBytesValue());
    mapSegments.insert(place, segment);
}

int NzbFile::getSegmentCount() const { return mapSegments.size(); }

QList<NzbSegment *> NzbFile::getSegments() const
{
    return mapSegments.values();
}

bool NzbFile::isAllSegmentsProcessed() const { return bAllSegmentsProcessed; }

void NzbFile::addDownloadedBytes(quint64 bytes)
{
    QMutexLocker locker(&mutex);
    addDownloadedBytesLocked(bytes);
}

void NzbFile::addDownloadedBytesLocked(quint64 bytes)
{
    ++iProcessed;
    if (pNzbFiles)
        pNzbFiles->addDownloadedBytes(bytes);
    uiDownloaded = std::min(saturatingAdd(uiDownloaded, bytes), uiSize);
    if (iProcessed >= mapSegments.size())
        bAllSegmentsProcessed = true;
}

void NzbFile::setDecoded(bool decoded)
{
    {
        QMutexLocker locker(pNzbFiles ? &pNzbFiles->mutex : nullptr);
        bDecoded = decoded;
        if (pNzbFiles && !decoded)
            pNzbFiles->iDecodedScanStart = 0;
    }
    if (pNzbFiles)
        pNzbFiles->checkAllFilesDecoded();
}

bool NzbFile::isDecoded() const
{
    QMutexLocker locker(pNzbFiles ? &pNzbFiles->mutex : nullptr);
    return bDecoded;
}

void NzbFile::setPaused(bool paused)
{
    QMutexLocker locker(pNzbFiles ? &pNzbFiles->mutex : nullptr);
    bPaused = paused;
    if (pNzbFiles)
        pNzbFiles->iDecodedScanStart = 0;
}

void NzbFile::setExcluded(bool excluded)
{
    QMutexLocker locker(pNzbFiles ? &pNzbFiles->mutex : nullptr);
    bExcluded = excluded;
    if (pNzbFiles)
        pNzbFiles->iDecodedScanStart = 0;
}

void NzbFile::setDamaged(bool damaged)
{
    QMutexLocker locker(pNzbFiles ? &pNzbFiles->mutex : nullptr);
    bDamaged = damaged;
}

bool NzbFile::isDamaged() const
{
    QMutexLocker locker(pNzbFiles ? &pNzbFiles->mutex : nullptr);
    return bDamaged;
}

void NzbFile::reset()
{
    const QList<NzbSegment *> segments = getSegments();
    {
        QMutexLocker locker(&mutex);
        for (NzbSegment *segment : segments)
            segment->clearStatusLocked();
        iProcessed = 0;
        uiDownloaded = 0;
        bAllSegmentsProcessed = false;
        if (pNzbFiles)
            pNzbFiles->removeDownloadedBytes(uiSize);
    }
    setPaused(false);
    setDamaged(false);
    setDecoded(false);
}

NzbFile::RecordState NzbFile::recordState() const
{
    RecordState state;
    state.segments.reserve(mapSegments.size());
    {
        QMutexLocker locker(&mutex);
        state.processed = iProcessed;
        state.allSegmentsProcessed = bAllSegmentsProcessed;
        state.downloaded = uiDownloaded;
        for (const NzbSegment *segment : mapSegments) {
            state.segments.append(
                {segment, {segment->bDownloaded, segment->bDownloading, segment->bFailed, segment->bMissing}});
        }
    }
    QMutexLocker locker(pNzbFiles ? &pNzbFiles->mutex : nullptr);
    state.decoded = bDecoded;
    state.paused = bPaused;
    state.damaged = bDamaged;
    return state;
}

// A record holds the counters of the moment its segments' statuses were taken: the statuses
// are what the next start goes by, so the counters are made of them again when it is read.
void NzbFile::recountCreditedSegments()
{
    QMutexLocker locker(&mutex);
    iProcessed = 0;
    quint64 credited = 0;
    for (NzbSegment *segment : qAsConst(mapSegments)) {
        segment->bBytesCredited = segment->bDownloaded || segment->bMissing;
        if (segment->bBytesCredited) {
            ++iProcessed;
            credited = saturatingAdd(credited, segment->getBytesValue());
        }
    }
    uiDownloaded = std::min(credited, uiSize);
    bAllSegmentsProcessed = !mapSegments.isEmpty() && iProcessed >= mapSegments.size();
}

void NzbFile::setSegmentPaths(const QString &tempRoot, int nzbIndex, int filePosition)
{
    const QString folder = tempRoot + QLatin1Char('/') + QString::number(nzbIndex)
                           + QLatin1Char('-') + QString::number(filePosition);
    for (NzbSegment *segment : qAsConst(mapSegments))
        segment->setTempFolder(folder);
}

void NzbFile::writeRecord(QDataStream &out, const RecordState &state) const
{
    out << strPoster << strSubject << strDate << state.processed << state.allSegmentsProcessed << state.decoded
        << state.paused << listGroups << static_cast<qint64>(state.downloaded);
    out << static_cast<qint32>(state.segments.size());
    for (const SegmentState &segment : state.segments)
        segment.segment->writeRecord(out, segment.status);
}

QDataStream &operator<<(QDataStream &out, const NzbFile &file)
{
    file.writeRecord(out, file.recordState());
    return out;
}

QDataStream &operator>>(QDataStream &in, NzbFile &file)
{
    in >> file.strPoster >> file.strSubject >> file.strDate >> file.iProcessed
        >> file.bAllSegmentsProcessed >> file.bDecoded >> file.bPaused;
    file.listGroups.clear();
    quint32 groupCount = 0;
    in >> groupCount;
    for (quint32 i = 0; i < groupCount && in.status() == QDataStream::Ok; ++i) {
        QString group;
        in >> group;
        if (in.status() == QDataStream::Ok)
            file.listGroups.append(group);
    }
    qint64 downloaded = 0;
    qint32 count = 0;
    in >> downloaded >> count;
    file.uiDownloaded = static_cast<quint64>(downloaded);
    // A damaged count must not make us build millions of empty segments: stop at the end
    // of the data.
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        auto *segment = new NzbSegment;
        in >> *segment;
        file.addSegment(segment);
    }
    file.recountCreditedSegments();
    return in;
}

bool compareNzbFileSize(NzbFile *a, NzbFile *b)
{
    return a->uiSize < b->uiSize;
}
