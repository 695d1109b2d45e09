#include "config/NzbConfiguration.h"

#include "config/AppConfiguration.h"
#include "config/SyncedFileBatch.h"
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
#include <QMutexLocker>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    fetchAgainWhatIsGone(nzbFiles);
    nzbFiles->updateSizes();
    nzbFiles->rebuildPar2VolumeList();
    return nzbFiles;
}

// A file is decoded, and its segment files removed, a moment before the record that says so is
// written: a program stopped in between comes back with a file whose articles the record holds
// all arrived but whose segment files are gone. Decoding it would give a file of nothing: its
// articles are fetched again. (A paused file keeps its state until the user resumes it.)
void NzbConfiguration::fetchAgainWhatIsGone(NzbFiles *nzbFiles)
{
    for (NzbFile *file : nzbFiles->getFiles()) {
        if (file->isDecoded() || file->bPaused || !file->isAllSegmentsProcessed())
            continue;
        const QList<NzbSegment *> segments = file->getSegments();
        const bool gone = std::any_of(segments.cbegin(), segments.cend(), [](const NzbSegment *segment) {
            const QString path = segment->getTempFilePath();
            return segment->bDownloaded && !path.isEmpty() && !QFileInfo::exists(path);
        });
        if (gone)
            file->reset();
    }
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
    // Records may be restored from their backups below, and the folder's files are now the ones
    // read: what was written before does not count.
    ledger->clear();
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

void NzbConfiguration::removeFilesOf(const QString &folder, qint32 queueId, const QSet<QString> &keep,
                                     NzbRecordLedger &ledger)
{
    const QString name = recordFileName(queueId);
    for (const QString &file : {name, name + backupSuffix()}) {
        if (keep.contains(file))
            continue;
        QFile::remove(inFolder(folder, file));
        ledger.forget(inFolder(folder, file));
    }
}

// The bytes of each record file, made from the snapshots.
NzbConfiguration::PreparedRecords NzbConfiguration::prepareRecords(const QueuedRecords &records)
{
    PreparedRecords prepared;
    prepared.reserve(records.size());
    for (const QueuedRecord &record : records) {
        QElapsedTimer preparing;
        preparing.start();
        QByteArray content = recordFileContent(*record.snapshot);
        record.stats->iLastRecordBytes = content.size();
        prepared.push_back({record, std::move(content), preparing.nsecsElapsed()});
    }
    return prepared;
}

std::vector<bool> NzbConfiguration::writeRecords(const QString &folder, const QueuedRecords &records,
                                                 NzbRecordLedger &ledger, QString *error)
{
    return writePrepared(folder, prepareRecords(records), ledger, error);
}

// Each record file is written, then its backup, unless both already hold the record as this
// program wrote them. The record file's time is the snapshot's: the segment files completed
// after that moment are credited at the next start (creditSegmentFilesWrittenSince), however
// long the write waited. Per record: whether its record file holds it now; `error` says why the
// first record that does not failed.
std::vector<bool> NzbConfiguration::writePrepared(const QString &folder, const PreparedRecords &records,
                                                  NzbRecordLedger &ledger, QString *error)
{
    std::vector<bool> onDisk(records.size(), false);
    std::vector<size_t> pending;
    SyncedFileBatch batch;
    qint64 iBatchBytes = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        const PreparedRecord &prepared = records.at(i);
        const QString path = inFolder(folder, recordFileName(prepared.record.snapshot->queueId()));
        if (ledger.holds(path, prepared.content) && ledger.holds(path + backupSuffix(), prepared.content)) {
            onDisk[i] = true;
            prepared.record.stats->iLastWriteMs = prepared.iPrepareNs / 1000000;
            continue;
        }
        batch.add(path, prepared.content, prepared.record.taken);
        // The backup gets the same bytes; a failure leaves the previous backup, while the record
        // itself is complete.
        batch.add(path + backupSuffix(), prepared.content);
        iBatchBytes += prepared.content.size();
        pending.push_back(i);
    }
    QElapsedTimer writing;
    writing.start();
    QStringList reasons;
    const QVector<bool> written = batch.commit(&reasons);
    const qint64 iWriteNs = writing.nsecsElapsed();
    for (size_t k = 0; k < pending.size(); ++k) {
        const PreparedRecord &prepared = records.at(pending.at(k));
        const QString path = inFolder(folder, recordFileName(prepared.record.snapshot->queueId()));
        const QString backup = path + backupSuffix();
        for (const auto &file : {std::make_pair(path, written.at(int(2 * k))),
                                 std::make_pair(backup, written.at(int(2 * k + 1)))}) {
            if (file.second)
                ledger.wrote(file.first, prepared.content);
            else
                ledger.forget(file.first);
        }
        onDisk[pending.at(k)] = written.at(int(2 * k));
        // Each record's share of the batch's time, by its size.
        const qint64 iShareNs = iBatchBytes > 0 ? iWriteNs * prepared.content.size() / iBatchBytes : 0;
        prepared.record.stats->iLastWriteMs = (prepared.iPrepareNs + iShareNs) / 1000000;
        if (onDisk[pending.at(k)])
            continue;
        const QString &reason = reasons.at(int(2 * k));
        QLOG_ERROR() << tr("The queue record of NZB %1 could not be written in %2: %3")
                            .arg(prepared.record.snapshot->name(), folder, reason);
        if (error && error->isEmpty())
            *error = reason;
    }
    return onDisk;
}

// Every live record (and backup) is written before anything is removed.
bool NzbConfiguration::writeAllRecordFiles(const QString &folder, const PreparedRecords &records,
                                           const QList<qint32> &droppedIds, NzbRecordLedger &ledger, QString *error)
{
    const std::vector<bool> onDisk = writePrepared(folder, records, ledger, error);
    const bool allWritten = std::all_of(onDisk.cbegin(), onDisk.cend(), [](bool ok) { return ok; });
    QSet<QString> liveNames;
    for (const PreparedRecord &prepared : records) {
        const QString name = recordFileName(prepared.record.snapshot->queueId());
        liveNames << name << name + backupSuffix();
    }

    const QDir dir(folder);
    if (!dir.exists())
        return allWritten;
    if (!allWritten) {
        // A record that could not be written may still live under its previous name: remove
        // only what belonged to the dropped NZBs.
        for (qint32 id : droppedIds)
            removeFilesOf(folder, id, liveNames, ledger);
        return false;
    }
    const QStringList files = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString &file : files) {
        if (!liveNames.contains(file) && !isDamagedName(file)) {
            QFile::remove(dir.filePath(file));
            ledger.forget(dir.filePath(file));
        }
    }
    return true;
}

bool NzbConfiguration::makeFolder(const QString &folder, QString *error)
{
    errno = 0;
    if (AppConfiguration::makeDataSubFolder(folder))
        return true;
    if (error)
        *error = errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : tr("the folder cannot be created");
    return false;
}

// The writes of a batch that no later write has made useless, together. Empty, or why a record
// could not be written.
QString NzbConfiguration::writeBatch(WriteBatch &batch, NzbRecordLedger &ledger)
{
    QueuedRecords records;
    {
        QMutexLocker locker(&batch.mutex);
        batch.bTaken = true;
        records.swap(batch.records);
    }
    QueuedRecords current;
    for (const QueuedRecord &record : records) {
        if (record.iGeneration == record.stats->iGeneration)
            current.push_back(record);
    }
    QString error;
    writeRecords(batch.strFolder, current, ledger, &error);
    for (const QueuedRecord &record : records)
        --record.stats->iInFlight;
    return error;
}

// ---------------------------------------------------------------------------------------
// The saved queue: GUI thread

bool NzbConfiguration::isLive(const NzbFiles *nzbFiles) const
{
    return !nzbFiles->isFinished() && !nzbFiles->bDeleted;
}

bool NzbConfiguration::isInSavedQueue(const NzbFiles *nzbFiles)
{
    refreshSavedIndex();
    return setSaved.contains(nzbFiles);
}

// The saved queue is a public list, which others append to and empty: the set follows it by
// what came into it since it was last looked at. Progress of an NZB no longer there is forgotten
// when the list changed otherwise than by growing.
void NzbConfiguration::refreshSavedIndex()
{
    bool bWhole = false;
    const QList<NzbFiles *> fresh = savedQueueChanges.since(listNzbFiles, &bWhole);
    if (bWhole)
        setSaved.clear();
    for (const NzbFiles *nzbFiles : fresh)
        setSaved.insert(nzbFiles);
    if (!bWhole)
        return;
    QList<const NzbFiles *> gone;
    for (auto it = hashSchedules.cbegin(); it != hashSchedules.cend(); ++it) {
        if (!setSaved.contains(it.key()))
            gone.append(it.key());
    }
    for (const NzbFiles *nzbFiles : qAsConst(gone))
        forgetSchedule(nzbFiles);
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

// Its progress is no longer written, and writes of it still waiting are skipped.
void NzbConfiguration::forgetSchedule(const NzbFiles *nzbFiles)
{
    setWaiting.remove(nzbFiles);
    const auto it = hashSchedules.find(nzbFiles);
    if (it == hashSchedules.end())
        return;
    ++it->stats->iGeneration;
    hashSchedules.erase(it);
}

// Finished and deleted NZBs leave the saved queue, in one pass; their queue ids.
QList<qint32> NzbConfiguration::dropNotLive()
{
    QList<qint32> dropped;
    QList<NzbFiles *> kept;
    kept.reserve(listNzbFiles.size());
    for (NzbFiles *nzbFiles : qAsConst(listNzbFiles)) {
        if (isLive(nzbFiles)) {
            kept.append(nzbFiles);
            continue;
        }
        forgetSchedule(nzbFiles);
        dropped << nzbFiles->iQueueId;
    }
    if (kept.size() != listNzbFiles.size())
        listNzbFiles = kept;
    return dropped;
}

// A snapshot of the NZB now, which makes the writes of it asked for before useless.
NzbConfiguration::QueuedRecord NzbConfiguration::newRecord(NzbFiles *nzbFiles, Schedule &schedule)
{
    schedule.bWaiting = false;
    setWaiting.remove(nzbFiles);
    schedule.iLastQueuedMs = clock.elapsed();
    return {std::make_shared<const NzbRecordSnapshot>(*nzbFiles), schedule.stats, ++schedule.stats->iGeneration,
            QDateTime::currentDateTime()};
}

// One snapshot per NZB of the saved queue, each counted as written now.
NzbConfiguration::QueuedRecords NzbConfiguration::snapshotsOfSavedQueue()
{
    QueuedRecords records;
    records.reserve(size_t(listNzbFiles.size()));
    for (NzbFiles *nzbFiles : qAsConst(listNzbFiles))
        records.push_back(newRecord(nzbFiles, hashSchedules[nzbFiles]));
    return records;
}

bool NzbConfiguration::saveNzb(NzbFiles *nzbFiles)
{
    const QString folder = AppConfiguration::getNzbFolder();
    QString error;
    if (!makeFolder(folder, &error)) {
        emit signalRecordNotWritten(folder, error);
        return false;
    }
    // An NZB outside the saved queue gets no schedule of its own.
    Schedule outside;
    const auto it = hashSchedules.find(nzbFiles);
    const QueuedRecord record = newRecord(nzbFiles, it != hashSchedules.end() ? *it : outside);
    writer.waitUntilIdle();
    if (writeRecords(folder, {record}, *ledger, &error).front())
        return true;
    emit signalRecordNotWritten(folder, error);
    return false;
}

void NzbConfiguration::deleteNzb(NzbFiles *nzbFiles)
{
    listNzbFiles.removeAll(nzbFiles);
    forgetSchedule(nzbFiles);
    const QString folder = AppConfiguration::getNzbFolder();
    writer.waitUntilIdle();
    if (QDir(folder).exists())
        removeFilesOf(folder, nzbFiles->iQueueId, namesKeptWhenDeleting(nzbFiles), *ledger);
}

// The records are made while the writer finishes what it was asked before (at exit, a large
// record may still be on its way to the disk).
bool NzbConfiguration::saveAllNzbs()
{
    const QList<qint32> dropped = dropNotLive();
    const PreparedRecords records = prepareRecords(snapshotsOfSavedQueue());
    const QString folder = AppConfiguration::getNzbFolder();
    writer.waitUntilIdle();
    QString error;
    if ((records.empty() || makeFolder(folder, &error)) && writeAllRecordFiles(folder, records, dropped, *ledger, &error))
        return true;
    emit signalRecordNotWritten(folder, error);
    return false;
}

// ---------------------------------------------------------------------------------------
// In the background

// A job other than a write of NZBs comes after the writes asked for before it, and before those
// asked for after it.
void NzbConfiguration::queueJob(NzbRecordWriter::Job job)
{
    openBatch.reset();
    writer.queue(std::move(job));
}

void NzbConfiguration::queueWrite(NzbFiles *nzbFiles)
{
    const QString folder = AppConfiguration::getNzbFolder();
    const QueuedRecord record = newRecord(nzbFiles, hashSchedules[nzbFiles]);
    QString error;
    if (!makeFolder(folder, &error)) {
        QLOG_ERROR() << tr("The queue record of NZB %1 could not be written in %2: %3").arg(nzbFiles->strName, folder, error);
        emit signalRecordNotWritten(folder, error);
        return;
    }
    if (openBatch) {
        QMutexLocker locker(&openBatch->mutex);
        if (!openBatch->bTaken && openBatch->strFolder == folder) {
            const auto it = openBatch->hashPositions.constFind(nzbFiles);
            if (it != openBatch->hashPositions.constEnd()) {
                openBatch->records[*it] = record;
                return;
            }
            ++record.stats->iInFlight;
            openBatch->hashPositions.insert(nzbFiles, openBatch->records.size());
            openBatch->records.push_back(record);
            return;
        }
    }
    auto batch = std::make_shared<WriteBatch>();
    batch->strFolder = folder;
    batch->hashPositions.insert(nzbFiles, 0);
    batch->records.push_back(record);
    ++record.stats->iInFlight;
    openBatch = batch;
    const std::shared_ptr<NzbRecordLedger> files = ledger;
    // The writer ends before this object: it may report through it.
    writer.queue([this, batch, files] {
        const QString writeError = writeBatch(*batch, *files);
        if (!writeError.isEmpty())
            emit signalRecordNotWritten(batch->strFolder, writeError);
    });
}

void NzbConfiguration::scheduleSave(NzbFiles *nzbFiles)
{
    hashSchedules[nzbFiles].bWaiting = true;
    setWaiting.insert(nzbFiles);
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
    forgetSchedule(nzbFiles);
    const QString folder = AppConfiguration::getNzbFolder();
    const qint32 queueId = nzbFiles->iQueueId;
    const QSet<QString> keep = namesKeptWhenDeleting(nzbFiles);
    const std::shared_ptr<NzbRecordLedger> files = ledger;
    queueJob([folder, queueId, keep, files] {
        if (QDir(folder).exists())
            removeFilesOf(folder, queueId, keep, *files);
    });
    armPendingSaves();
}

void NzbConfiguration::saveAllInBackground()
{
    const QList<qint32> dropped = dropNotLive();
    const QueuedRecords records = snapshotsOfSavedQueue();
    const QString folder = AppConfiguration::getNzbFolder();
    QString error;
    const bool folderMade = records.empty() || makeFolder(folder, &error);
    if (!folderMade) {
        QLOG_ERROR() << tr("The queue records could not be written in %1: %2").arg(folder, error);
        emit signalRecordNotWritten(folder, error);
    }
    for (const QueuedRecord &record : records)
        ++record.stats->iInFlight;
    const std::shared_ptr<NzbRecordLedger> files = ledger;
    queueJob([this, folder, records, dropped, files, folderMade] {
        QString writeError;
        if (!writeAllRecordFiles(folder, prepareRecords(records), dropped, *files, &writeError) && folderMade)
            emit signalRecordNotWritten(folder, writeError);
        for (const QueuedRecord &record : records)
            --record.stats->iInFlight;
    });
    armPendingSaves();
}

void NzbConfiguration::flushWrites()
{
    const QSet<const NzbFiles *> waiting = setWaiting;
    for (const NzbFiles *waitingNzb : waiting) {
        auto *nzbFiles = const_cast<NzbFiles *>(waitingNzb);
        if (isInSavedQueue(nzbFiles) && !nzbFiles->bDeleted)
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
    const QSet<const NzbFiles *> waiting = setWaiting;
    for (const NzbFiles *waitingNzb : waiting) {
        auto *nzbFiles = const_cast<NzbFiles *>(waitingNzb);
        // Looked up once the saved queue's index is fresh: refreshing it may forget schedules.
        if (!isInSavedQueue(nzbFiles))
            continue;
        const auto it = hashSchedules.constFind(nzbFiles);
        if (it == hashSchedules.constEnd())
            continue;
        if (nzbFiles->bDeleted)
            forgetSchedule(nzbFiles);
        else if (dueMs(*it) <= now)
            queueWrite(nzbFiles);
    }
    armPendingSaves();
}

// The timer runs for the earliest write due among the NZBs of the saved queue whose progress
// waits; progress of an NZB no longer there is forgotten.
void NzbConfiguration::armPendingSaves()
{
    qint64 earliest = -1;
    const QSet<const NzbFiles *> waiting = setWaiting;
    for (const NzbFiles *nzbFiles : waiting) {
        const bool bSaved = isInSavedQueue(nzbFiles);
        const auto it = hashSchedules.constFind(nzbFiles);
        if (!bSaved || it == hashSchedules.constEnd()) {
            forgetSchedule(nzbFiles);
            continue;
        }
        const qint64 due = dueMs(*it);
        earliest = earliest < 0 ? due : qMin(earliest, due);
    }
    if (earliest < 0) {
        timerPendingSaves.stop();
        return;
    }
    timerPendingSaves.start(int(qBound<qint64>(0, earliest - clock.elapsed(), std::numeric_limits<int>::max())));
}
