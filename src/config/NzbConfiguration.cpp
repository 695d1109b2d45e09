#include "config/NzbConfiguration.h"

#include "config/AppConfiguration.h"
#include "config/UtilsFilesFolders.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbRecordSnapshot.h"
#include "model/NzbSegment.h"
#include "QsLog/QsLog.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace {

const int StreamVersion = 12;
const int DigestSize = 16;

QString inFolder(const QString &folder, const QString &fileName)
{
    return folder + QDir::separator() + fileName;
}

} // namespace

NzbConfiguration::NzbConfiguration(QObject *parent)
    : QObject(parent)
{
    clock.start();
    timerPendingSaves.setParent(this);
    timerPendingSaves.setObjectName(QStringLiteral("timerPendingSaves"));
    timerPendingSaves.setSingleShot(true);
    connect(&timerPendingSaves, &QTimer::timeout, this, &NzbConfiguration::writeDueSaves);
}

NzbConfiguration::~NzbConfiguration() = default;

QString NzbConfiguration::recordFileName(qint32 queueId)
{
    return QLatin1String("Nzb_") + QString::number(quint32(queueId));
}

QString NzbConfiguration::backupSuffix()
{
    return QStringLiteral(".rec");
}

QString NzbConfiguration::damagedSuffix()
{
    return QStringLiteral(".damaged");
}

bool NzbConfiguration::isDamagedName(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(damagedSuffix().mid(1), Qt::CaseInsensitive) == 0;
}

bool NzbConfiguration::isBackupName(const QString &fileName)
{
    return QFileInfo(fileName).suffix().compare(QLatin1String("rec"), Qt::CaseInsensitive) == 0;
}

// The names the program writes records under; anything else in the folder is a leftover of an
// interrupted write (or a stranger) and is never loaded.
bool NzbConfiguration::isRecordName(const QString &fileName)
{
    static const QRegularExpression pattern(QStringLiteral("^Nzb_\\d{1,10}$"));
    return pattern.match(fileName).hasMatch();
}

QByteArray NzbConfiguration::recordFileContent(const NzbFiles &nzbFiles)
{
    return recordFileContent(NzbRecordSnapshot(nzbFiles));
}

QByteArray NzbConfiguration::recordFileContent(const NzbRecordSnapshot &snapshot)
{
    QByteArray content;
    QDataStream stream(&content, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    snapshot.write(stream);
    content.append(QCryptographicHash::hash(content, QCryptographicHash::Md5));
    return content;
}

bool NzbConfiguration::isSoundRecordFile(const QByteArray &content)
{
    if (content.size() < DigestSize)
        return false;
    const QByteArray record = content.left(content.size() - DigestSize);
    return QCryptographicHash::hash(record, QCryptographicHash::Md5) == content.right(DigestSize);
}

NzbFiles *NzbConfiguration::nzbFromRecordFile(const QByteArray &content)
{
    QDataStream stream(content.left(content.size() - DigestSize));
    stream.setVersion(StreamVersion);
    auto *nzbFiles = new NzbFiles(nullptr);
    stream >> *nzbFiles;
    nzbFiles->updateSizes();
    nzbFiles->rebuildPar2VolumeList();
    return nzbFiles;
}

// A record is written when an NZB is added and when one of its files is decoded, not for each
// article: after a crash, the articles that arrived since then are in their segment files but
// not in the record. A segment file is made empty before its article is asked for and holds the
// body's length then the body once the article has arrived whole, so a file of exactly that
// size, written after the record, is an article that need not be fetched again. Older files
// (leftovers of another NZB that had the same queue id) are left alone.
void NzbConfiguration::creditSegmentFilesWrittenSince(NzbFiles *nzbFiles, const QString &recordPath)
{
    const QDateTime recordTime = QFileInfo(recordPath).lastModified();
    bool credited = false;
    for (NzbFile *file : nzbFiles->getFiles()) {
        if (file->isDecoded() || file->isAllSegmentsProcessed())
            continue;
        for (NzbSegment *segment : file->getSegments()) {
            if (segment->bDownloaded || segment->bMissing)
                continue;
            const QFileInfo segmentFile(segment->getTempFilePath());
            if (segmentFile.lastModified() < recordTime || !isCompleteSegmentFile(segmentFile.filePath()))
                continue;
            segment->setDownloaded();
            credited = true;
        }
    }
    if (credited)
        nzbFiles->updateSizes();
}

bool NzbConfiguration::isCompleteSegmentFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 4)
        return false;
    QDataStream stream(&file);
    quint32 length = 0;
    stream >> length;
    return stream.status() == QDataStream::Ok && length != 0xffffffffu && file.size() == 4 + qint64(length);
}

QByteArray NzbConfiguration::readWholeFile(const QString &path, bool *ok)
{
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    return opened ? file.readAll() : QByteArray();
}

void NzbConfiguration::loadNzbs()
{
    listNzbFiles.clear();
    listRestoredNzbs.clear();
    listUnrestoredNzbs.clear();
    const QDir folder(AppConfiguration::getNzbFolder());
    if (!folder.exists())
        return;
    const QFileInfoList files = folder.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &file : files) {
        if (isBackupName(file.fileName()) || isDamagedName(file.fileName()))
            continue;
        if (!isRecordName(file.fileName())) {
            QFile::remove(file.absoluteFilePath());
            continue;
        }
        if (NzbFiles *nzbFiles = loadRecordFile(file.absoluteFilePath()))
            insertInQueueOrder(nzbFiles);
    }
}

// A damaged record is replaced by its backup in one step, so that a crash during the repair
// leaves either the damaged file or the restored one, never neither. A record that cannot be
// restored is set aside with its backup: what is left of it may still be worth rescuing.
NzbFiles *NzbConfiguration::loadRecordFile(const QString &path)
{
    bool opened = false;
    const QByteArray content = readWholeFile(path, &opened);
    if (!opened)
        return nullptr;
    if (isSoundRecordFile(content)) {
        NzbFiles *nzbFiles = nzbFromRecordFile(content);
        creditSegmentFilesWrittenSince(nzbFiles, path);
        return nzbFiles;
    }

    const QString backupPath = path + backupSuffix();
    bool backupOpened = false;
    const QByteArray backup = readWholeFile(backupPath, &backupOpened);
    const bool backupExists = QFileInfo::exists(backupPath);
    if (backupExists && !backupOpened)
        return nullptr; // the backup may still be sound: keep both for a later start
    if (!backupExists || !isSoundRecordFile(backup)) {
        QString name = nameInDamagedRecord(content);
        if (name.isEmpty())
            name = nameInDamagedRecord(backup);
        listUnrestoredNzbs << (name.isEmpty() ? QFileInfo(path).fileName() : name);
        setAside(path);
        if (backupExists)
            setAside(backupPath);
        return nullptr;
    }
    UtilsFilesFolders::saveFile(path, backup);
    NzbFiles *nzbFiles = nzbFromRecordFile(backup);
    listRestoredNzbs << nzbFiles->strName;
    return nzbFiles;
}

// Renamed beside the others, under a name no other file has.
void NzbConfiguration::setAside(const QString &path)
{
    QString target = path + damagedSuffix();
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = path + QLatin1Char('.') + QString::number(n) + damagedSuffix();
    QFile::rename(path, target);
}

// The NZB's name, read from the start of a damaged record (it comes right after the two
// folders); empty when those bytes do not hold a plausible one.
QString NzbConfiguration::nameInDamagedRecord(const QByteArray &content)
{
    const int longestName = 4096;
    QDataStream stream(content);
    stream.setVersion(StreamVersion);
    bool finished = false;
    QString destination;
    QString downloadFolder;
    QString name;
    stream >> finished >> destination >> downloadFolder >> name;
    if (stream.status() != QDataStream::Ok || name.size() > longestName)
        return QString();
    for (const QChar c : qAsConst(name)) {
        if (!c.isPrint())
            return QString();
    }
    return name.trimmed();
}

void NzbConfiguration::insertInQueueOrder(NzbFiles *nzbFiles)
{
    const quint32 id = quint32(nzbFiles->iQueueId);
    int position = 0;
    while (position < listNzbFiles.size() && quint32(listNzbFiles.at(position)->iQueueId) < id)
        ++position;
    listNzbFiles.insert(position, nzbFiles);
}

// ---------------------------------------------------------------------------------------
// The files themselves: any thread, the folder given

// The record file's time is the snapshot's: the segment files completed after that moment are
// credited at the next start (creditSegmentFilesWrittenSince), however long the write waited.
bool NzbConfiguration::writeRecordFiles(const QString &folder, const NzbRecordSnapshot &snapshot,
                                        const QDateTime &taken, qint64 *recordBytes)
{
    const QByteArray content = recordFileContent(snapshot);
    if (recordBytes)
        *recordBytes = content.size();
    const QString path = inFolder(folder, recordFileName(snapshot.queueId()));
    if (!UtilsFilesFolders::saveFile(path, content))
        return false;
    QFile record(path);
    if (record.open(QIODevice::ReadOnly))
        record.setFileTime(taken, QFileDevice::FileModificationTime);
    // The backup gets the same bytes, also replaced in one step; a failure leaves the previous
    // backup, while the record itself is complete.
    UtilsFilesFolders::saveFile(path + backupSuffix(), content);
    return true;
}

void NzbConfiguration::writeTimed(const QString &folder, const NzbRecordSnapshot &snapshot, const QDateTime &taken,
                                  WriteStats &stats, bool *written)
{
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 recordBytes = 0;
    const bool ok = writeRecordFiles(folder, snapshot, taken, &recordBytes);
    stats.iLastWriteMs = elapsed.elapsed();
    stats.iLastRecordBytes = recordBytes;
    if (!ok)
        QLOG_ERROR() << tr("The queue record of NZB %1 could not be written in %2").arg(snapshot.name(), folder);
    if (written)
        *written = ok;
}

void NzbConfiguration::removeFilesOf(const QString &folder, qint32 queueId, const QSet<QString> &keep)
{
    const QString name = recordFileName(queueId);
    if (!keep.contains(name))
        QFile::remove(inFolder(folder, name));
    if (!keep.contains(name + backupSuffix()))
        QFile::remove(inFolder(folder, name + backupSuffix()));
}

// Every live record (and backup) is written before anything is removed.
bool NzbConfiguration::writeAllRecordFiles(const QString &folder, const QueuedRecords &records,
                                           const QList<qint32> &droppedIds, const QDateTime &taken)
{
    bool allWritten = true;
    QSet<QString> liveNames;
    for (const QueuedRecord &record : records) {
        bool written = false;
        writeTimed(folder, *record.snapshot, taken, *record.stats, &written);
        allWritten = written && allWritten;
        const QString name = recordFileName(record.snapshot->queueId());
        liveNames << name << name + backupSuffix();
    }

    const QDir dir(folder);
    if (!dir.exists())
        return allWritten;
    if (!allWritten) {
        // A record that could not be written may still live under its previous name: remove
        // only what belonged to the dropped NZBs.
        for (qint32 id : droppedIds)
            removeFilesOf(folder, id, liveNames);
        return false;
    }
    const QStringList files = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString &file : files) {
        if (!liveNames.contains(file) && !isDamagedName(file))
            QFile::remove(dir.filePath(file));
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// The saved queue: GUI thread

bool NzbConfiguration::isLive(const NzbFiles *nzbFiles) const
{
    return !nzbFiles->isFinished() && !nzbFiles->bDeleted;
}

bool NzbConfiguration::isInSavedQueue(const NzbFiles *nzbFiles) const
{
    return std::any_of(listNzbFiles.cbegin(), listNzbFiles.cend(),
                       [nzbFiles](const NzbFiles *saved) { return saved == nzbFiles; });
}

// A deleted NZB may carry the queue id that the queue's renumbering gave to another one.
QSet<QString> NzbConfiguration::namesKeptWhenDeleting(const NzbFiles *nzbFiles) const
{
    QSet<QString> keep;
    for (const NzbFiles *other : qAsConst(listNzbFiles)) {
        if (other != nzbFiles && isLive(other) && other->iQueueId == nzbFiles->iQueueId)
            keep << recordFileName(other->iQueueId) << recordFileName(other->iQueueId) + backupSuffix();
    }
    return keep;
}

// Finished and deleted NZBs leave the saved queue; their queue ids.
QList<qint32> NzbConfiguration::dropNotLive()
{
    QList<qint32> dropped;
    const QList<NzbFiles *> queue = listNzbFiles;
    for (NzbFiles *nzbFiles : queue) {
        if (!isLive(nzbFiles)) {
            listNzbFiles.removeAll(nzbFiles);
            hashSchedules.remove(nzbFiles);
            dropped << nzbFiles->iQueueId;
        }
    }
    return dropped;
}

// One snapshot per NZB of the saved queue, each counted as written now.
NzbConfiguration::QueuedRecords NzbConfiguration::snapshotsOfSavedQueue()
{
    QueuedRecords records;
    for (NzbFiles *nzbFiles : qAsConst(listNzbFiles)) {
        Schedule &schedule = hashSchedules[nzbFiles];
        schedule.bWaiting = false;
        schedule.iLastQueuedMs = clock.elapsed();
        records.push_back({std::make_shared<const NzbRecordSnapshot>(*nzbFiles), schedule.stats});
    }
    return records;
}

bool NzbConfiguration::saveNzb(NzbFiles *nzbFiles)
{
    const QDateTime taken = QDateTime::currentDateTime();
    const QString folder = AppConfiguration::getNzbFolder();
    if (!AppConfiguration::makeDataSubFolder(folder))
        return false;
    if (hashSchedules.contains(nzbFiles))
        hashSchedules[nzbFiles].bWaiting = false;
    writer.waitUntilIdle();
    return writeRecordFiles(folder, NzbRecordSnapshot(*nzbFiles), taken, nullptr);
}

void NzbConfiguration::deleteNzb(NzbFiles *nzbFiles)
{
    listNzbFiles.removeAll(nzbFiles);
    hashSchedules.remove(nzbFiles);
    const QString folder = AppConfiguration::getNzbFolder();
    writer.waitUntilIdle();
    if (QDir(folder).exists())
        removeFilesOf(folder, nzbFiles->iQueueId, namesKeptWhenDeleting(nzbFiles));
}

bool NzbConfiguration::saveAllNzbs()
{
    const QDateTime taken = QDateTime::currentDateTime();
    const QList<qint32> dropped = dropNotLive();
    const QueuedRecords records = snapshotsOfSavedQueue();
    const QString folder = AppConfiguration::getNzbFolder();
    writer.waitUntilIdle();
    if (!records.empty() && !AppConfiguration::makeDataSubFolder(folder))
        return false;
    return writeAllRecordFiles(folder, records, dropped, taken);
}

// ---------------------------------------------------------------------------------------
// In the background

void NzbConfiguration::queueWrite(NzbFiles *nzbFiles)
{
    const QString folder = AppConfiguration::getNzbFolder();
    Schedule &schedule = hashSchedules[nzbFiles];
    schedule.bWaiting = false;
    schedule.iLastQueuedMs = clock.elapsed();
    if (!AppConfiguration::makeDataSubFolder(folder)) {
        QLOG_ERROR() << tr("The queue record of NZB %1 could not be written in %2").arg(nzbFiles->strName, folder);
        return;
    }
    const QDateTime taken = QDateTime::currentDateTime();
    auto snapshot = std::make_shared<const NzbRecordSnapshot>(*nzbFiles);
    const std::shared_ptr<WriteStats> stats = schedule.stats;
    ++stats->iInFlight;
    writer.queue([folder, snapshot, stats, taken] {
        writeTimed(folder, *snapshot, taken, *stats, nullptr);
        --stats->iInFlight;
    });
}

void NzbConfiguration::scheduleSave(NzbFiles *nzbFiles)
{
    hashSchedules[nzbFiles].bWaiting = true;
    armPendingSaves();
}

void NzbConfiguration::saveInBackground(NzbFiles *nzbFiles)
{
    if (isInSavedQueue(nzbFiles))
        queueWrite(nzbFiles);
    armPendingSaves();
}

void NzbConfiguration::deleteInBackground(NzbFiles *nzbFiles)
{
    listNzbFiles.removeAll(nzbFiles);
    hashSchedules.remove(nzbFiles);
    const QString folder = AppConfiguration::getNzbFolder();
    const qint32 queueId = nzbFiles->iQueueId;
    const QSet<QString> keep = namesKeptWhenDeleting(nzbFiles);
    writer.queue([folder, queueId, keep] {
        if (QDir(folder).exists())
            removeFilesOf(folder, queueId, keep);
    });
    armPendingSaves();
}

void NzbConfiguration::saveAllInBackground()
{
    const QDateTime taken = QDateTime::currentDateTime();
    const QList<qint32> dropped = dropNotLive();
    const QueuedRecords records = snapshotsOfSavedQueue();
    const QString folder = AppConfiguration::getNzbFolder();
    if (!records.empty() && !AppConfiguration::makeDataSubFolder(folder))
        QLOG_ERROR() << tr("The queue records could not be written in %1").arg(folder);
    for (const QueuedRecord &record : records)
        ++record.stats->iInFlight;
    writer.queue([folder, records, dropped, taken] {
        writeAllRecordFiles(folder, records, dropped, taken);
        for (const QueuedRecord &record : records)
            --record.stats->iInFlight;
    });
    armPendingSaves();
}

void NzbConfiguration::flushWrites()
{
    for (NzbFiles *nzbFiles : qAsConst(listNzbFiles)) {
        const auto it = hashSchedules.constFind(nzbFiles);
        if (it != hashSchedules.constEnd() && it->bWaiting && !nzbFiles->bDeleted)
            queueWrite(nzbFiles);
    }
    armPendingSaves();
    writer.waitUntilIdle();
}

// A write still waiting in the writer's queue is never followed by a second one of the same NZB.
qint64 NzbConfiguration::dueMs(const Schedule &schedule) const
{
    const qint64 now = clock.elapsed();
    const qint64 interval = qMax<qint64>(schedule.stats->iLastRecordBytes * IntervalMsPerRecordMiB / (1024 * 1024),
                                         WriteCostFactor * schedule.stats->iLastWriteMs);
    qint64 due = schedule.iLastQueuedMs < 0 ? now : schedule.iLastQueuedMs + interval;
    if (schedule.stats->iInFlight > 0)
        due = qMax(due, now + BusyRecheckMs);
    return due;
}

void NzbConfiguration::writeDueSaves()
{
    const qint64 now = clock.elapsed();
    for (NzbFiles *nzbFiles : qAsConst(listNzbFiles)) {
        const auto it = hashSchedules.constFind(nzbFiles);
        if (it == hashSchedules.constEnd() || !it->bWaiting)
            continue;
        if (nzbFiles->bDeleted)
            hashSchedules.remove(nzbFiles);
        else if (dueMs(*it) <= now)
            queueWrite(nzbFiles);
    }
    armPendingSaves();
}

// The timer runs for the earliest write due among the NZBs of the saved queue; progress of an
// NZB no longer there is forgotten.
void NzbConfiguration::armPendingSaves()
{
    qint64 earliest = -1;
    for (auto it = hashSchedules.begin(); it != hashSchedules.end();) {
        if (!isInSavedQueue(it.key())) {
            it = hashSchedules.erase(it);
            continue;
        }
        if (it->bWaiting) {
            const qint64 due = dueMs(*it);
            earliest = earliest < 0 ? due : qMin(earliest, due);
        }
        ++it;
    }
    if (earliest < 0) {
        timerPendingSaves.stop();
        return;
    }
    timerPendingSaves.start(int(qBound<qint64>(0, earliest - clock.elapsed(), std::numeric_limits<int>::max())));
}
