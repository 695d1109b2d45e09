// Loading and queueing NZBs, and the download list's operations on the queue: removal of NZBs
// and files, reordering, the rebuild after a pause change, and the decode queue.
#include "engine/DownloadNzbManager.h"

#include "config/AppConfiguration.h"
#include "engine/SegmentFolders.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"
#include "model/NzbSegment.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QRegularExpression>

#include <algorithm>
#include <unordered_map>

namespace {

constexpr int kRecordStreamVersion = 12;
constexpr int kMaxNameFromSubject = 50;

// The absolute form of a folder setting or argument (a blank text is a folder name of its own).
QString absoluteFolder(const QString &folder)
{
    return QDir(folder).absolutePath();
}

// The NZB index of a segment folder "<index>-<file position>", -1 for any other name.
int nzbIndexOfFolderName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)-\\d+$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return -1;
    bool ok = false;
    const int index = match.captured(1).toInt(&ok, 10);
    return ok ? index : -1;
}

// The NZB index an NZB's segment paths were built with, -1 when it has no segment.
int nzbIndexOf(const NzbFiles *nzb)
{
    const qint64 count = nzb->getFileCount();
    for (qint64 i = 0; i < count; ++i) {
        const NzbFile *file = nzb->getFileAt(quint64(i));
        if (!file || file->mapSegments.isEmpty())
            continue;
        const NzbSegment *segment = file->mapSegments.constBegin().value();
        return nzbIndexOfFolderName(QFileInfo(segment->strTempFolder).fileName());
    }
    return -1;
}

QString nameFromSubject(const QString &subject)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|]"));
    QString name = subject;
    name.remove(forbidden);
    return name.left(kMaxNameFromSubject).trimmed();
}

// The folder that holds the NZB's segment folders, empty when it has no segment.
QString segmentFoldersParent(const NzbFiles *nzb)
{
    for (const NzbFile *file : nzb->getFiles()) {
        if (!file->mapSegments.isEmpty())
            return QFileInfo(file->mapSegments.constBegin().value()->strTempFolder).path();
    }
    return QString();
}

bool isPending(const NzbSegment *segment)
{
    return !segment->bDownloaded && !segment->bDownloading && !segment->bMissing;
}

} // namespace

NzbFiles *DownloadNzbManager::loadNzbFile(const QString &strPath, QString &strError, const QString &strName,
                                          const QString &strDestination)
{
    NzbFiles *nzb = NzbParser::parseFile(strPath, strError);
    if (!nzb)
        return nullptr;
    return prepareLoadedNzb(nzb, strName, strDestination);
}

NzbFiles *DownloadNzbManager::prepareLoadedNzb(NzbFiles *nzb, const QString &strName, const QString &strDestination,
                                               int *pNzbIndex)
{
    startFileDecoders();
    const AppConfiguration *config = AppConfiguration::getInstance();
    nzb->sortFiles(config->autoSmartDownload);
    const QList<NzbFile *> files = nzb->getFiles();
    if (!strName.trimmed().isEmpty())
        nzb->strName = strName;
    else if (files.isEmpty())
        nzb->strName = tr("Unknown NZB Subject");
    else
        nzb->strName = nameFromSubject(files.first()->getSubject());

    nzb->setDestination(absoluteFolder(strDestination.isEmpty() ? strDestinationFolder : strDestination),
                        config->autoCreateSubFolderInDestination);
    nzb->strDownloadFolder = freeDownloadFolderFor(nzb);
    const int index = takeFreeNzbIndex();
    if (pNzbIndex)
        *pNzbIndex = index;
    else
        nzb->setSegmentPaths(segmentsRoot(), index);
    return nzb;
}

// The NZB's folder of its own under the Download folder, named after its first file.
QString DownloadNzbManager::freeDownloadFolderFor(const NzbFiles *nzb)
{
    const QString downloadRoot = absoluteFolder(strDownloadFolder);
    // Without a file the download folder would be the Download folder itself, which the NZB's
    // clean-up would then empty.
    const QString folder = nzb->getFileCount() == 0
                               ? downloadRoot + QLatin1Char('/') + NzbFiles::folderName(nzb->strName)
                               : nzb->downloadFolderUnder(downloadRoot);
    return takeFreeDownloadFolder(folder);
}

QString DownloadNzbManager::segmentsRoot() const
{
    return absoluteFolder(strCacheFolder);
}

// Every NZB whose folders may be in use: queued, removed during this run (its folders go at
// exit), or in the saved queue (restored, perhaps not handed to the manager yet). Its NZB index
// and download folder stay taken for the rest of the run; each NZB is looked at once, when it
// comes into one of those lists.
void DownloadNzbManager::reserveFoldersOfKnownNzbs()
{
    const QList<NzbFiles *> &saved = AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles;
    const QList<NzbFiles *> fresh =
        queueChanges.since(listNzbFiles) + deletedChanges.since(listDeletedNzbFiles) + savedChanges.since(saved);
    for (const NzbFiles *nzb : fresh) {
        setNzbIndexesGiven.insert(nzbIndexOf(nzb));
        setDownloadFoldersGiven.insert(QDir::cleanPath(nzb->strDownloadFolder));
    }
}

// An NZB index that no known NZB uses and that names no segment folder in the Cache folder, so
// that two NZBs never write, read or remove the same segment files. Never given twice in a run.
int DownloadNzbManager::takeFreeNzbIndex()
{
    reserveFoldersOfKnownNzbs();
    QSet<int> inCache;
    const QStringList folders = QDir(absoluteFolder(strCacheFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &folder : folders)
        inCache.insert(nzbIndexOfFolderName(folder));
    // The indexes taken only grow: none below the lowest one free can come free again.
    while (setNzbIndexesGiven.contains(iLowestFreeNzbIndex))
        ++iLowestFreeNzbIndex;
    int index = iLowestFreeNzbIndex;
    while (setNzbIndexesGiven.contains(index) || inCache.contains(index))
        ++index;
    setNzbIndexesGiven.insert(index);
    return index;
}

// The folder itself, or with " (2)", " (3)"... appended, whichever no known NZB uses and does
// not exist yet: each NZB assembles, verifies and cleans up in a folder of its own.
QString DownloadNzbManager::takeFreeDownloadFolder(const QString &strFolder)
{
    reserveFoldersOfKnownNzbs();
    const QString base = QDir::cleanPath(strFolder);
    QString folder = base;
    // The numbers given to a folder only grow: the search goes on from the last one.
    int n = qMax(2, hashNextFolderNumber.value(base, 2));
    if (setDownloadFoldersGiven.contains(folder) || QFileInfo::exists(folder)) {
        for (folder = base + QStringLiteral(" (%1)").arg(n); setDownloadFoldersGiven.contains(folder) || QFileInfo::exists(folder);
             folder = base + QStringLiteral(" (%1)").arg(++n)) {
        }
        hashNextFolderNumber.insert(base, n + 1);
    }
    setDownloadFoldersGiven.insert(folder);
    return folder;
}

void DownloadNzbManager::queueNzbFiles(NzbFiles *pNzbFiles, QString &strError)
{
    if (!pNzbFiles) {
        strError = tr("Error: no NZB file object");
        return;
    }
    startFileDecoders();
    {
        QMutexLocker locker(&mutexNzbFiles);
        if (listNzbFiles.contains(pNzbFiles) || listDeletedNzbFiles.contains(pNzbFiles)) {
            strError = tr("Error: NZB file already queued");
            return;
        }
        listNzbFiles.append(pNzbFiles);
    }
    if (pNzbFiles->isFinished())
        return;
    // The connections make the segment folders beneath it from now on.
    const QString segmentsParent = segmentFoldersParent(pNzbFiles);
    if (!segmentsParent.isEmpty())
        SegmentFolders::prepareParent(segmentsParent);

    QMutexLocker segmentsLocker(&mutexSegments);
    QMutexLocker decodeLocker(&mutexFilesToDecode);
    if (appendPendingWork(pNzbFiles))
        return;
    for (NzbFile *file : pNzbFiles->getFiles()) {
        if (!file->bPaused && !file->bExcluded) {
            processDecodedFile(file);
            return;
        }
    }
    // Every file is paused (say, an NZB of PAR2 volumes alone with smart download on) or there
    // is none: the NZB stays queued with nothing to download, so that resuming or removing its
    // files still reaches it.
}

// Appends the NZB's complete files to the decode queue and the pending segments of its other
// files to the global queue, in file and number order; paused, decoded and excluded files are
// left out. True when anything was appended. mutexSegments and mutexFilesToDecode are held.
bool DownloadNzbManager::appendPendingWork(NzbFiles *pNzbFiles)
{
    bool appended = false;
    for (NzbFile *file : pNzbFiles->getFiles()) {
        if (file->bPaused || file->isDecoded() || file->bExcluded)
            continue;
        if (file->isAllSegmentsProcessed()) {
            listFilesToDecode.append(file);
            appended = true;
            continue;
        }
        for (NzbSegment *segment : file->getSegments()) {
            if (!isPending(segment))
                continue;
            queueOrGiveUp(segment, false);
            appended = true;
        }
    }
    return appended;
}

NzbFiles *DownloadNzbManager::getNzbFilesAt(int iPosition)
{
    QMutexLocker locker(&mutexNzbFiles);
    if (iPosition < 0 || iPosition >= listNzbFiles.size())
        return nullptr;
    return listNzbFiles.at(iPosition);
}

bool DownloadNzbManager::isLiveSegment(const NzbSegment *pSegment) const
{
    const NzbFile *file = pSegment->getNzbFile();
    return file && !file->bExcluded && file->getNzbFiles() && !file->getNzbFiles()->bDeleted;
}

bool DownloadNzbManager::isFinalSegment(const NzbSegment *pSegment) const
{
    return pSegment->bDownloaded || pSegment->bMissing;
}

// One pass over the global queue. mutexSegments is held.
void DownloadNzbManager::removeFromGlobalQueue(const QSet<NzbFiles *> &setNzbs, const QSet<NzbFile *> &setFiles)
{
    // A file's segments mostly stand together in the queue: decide once per run of them.
    NzbFile *lastFile = nullptr;
    bool lastGone = false;
    const auto gone = [&](NzbSegment *segment) {
        NzbFile *file = segment->getNzbFile();
        if (file != lastFile) {
            lastFile = file;
            lastGone = setFiles.contains(file) || setNzbs.contains(file->getNzbFiles());
        }
        return lastGone;
    };
    listSegments.erase(std::remove_if(listSegments.begin(), listSegments.end(), gone), listSegments.end());
}

void DownloadNzbManager::renumberQueueIds()
{
    for (int position = 0; position < listNzbFiles.size(); ++position)
        listNzbFiles.at(position)->iQueueId = position;
}

void DownloadNzbManager::deleteNzbList(QList<QTreeWidgetItem *> listItems)
{
    const QSet<QTreeWidgetItem *> items(listItems.begin(), listItems.end());
    QMutexLocker nzbLocker(&mutexNzbFiles);
    QMutexLocker segmentsLocker(&mutexSegments);
    QMutexLocker decodeLocker(&mutexFilesToDecode);
    QSet<NzbFiles *> removed;
    QList<NzbFiles *> kept;
    for (NzbFiles *nzb : qAsConst(listNzbFiles)) {
        if (nzb->pTreeItem && items.contains(nzb->pTreeItem)) {
            nzb->bDeleted = true;
            nzb->pTreeItem = nullptr;
            removed.insert(nzb);
            listDeletedNzbFiles.append(nzb);
        } else {
            kept.append(nzb);
        }
    }
    if (removed.isEmpty())
        return;
    // Retry queues, the in-progress set and the decode queue keep their entries: the deleted
    // flag drops them when they are next taken or reported.
    removeFromGlobalQueue(removed, {});
    listNzbFiles = kept;
    renumberQueueIds();
}

void DownloadNzbManager::deleteFilesList(QList<QTreeWidgetItem *> listItems)
{
    const QSet<QTreeWidgetItem *> items(listItems.begin(), listItems.end());
    QMutexLocker nzbLocker(&mutexNzbFiles);
    QMutexLocker segmentsLocker(&mutexSegments);
    QMutexLocker decodeLocker(&mutexFilesToDecode);
    QList<NzbFile *> excluded;
    for (NzbFiles *nzb : qAsConst(listNzbFiles)) {
        for (NzbFile *file : nzb->getFiles()) {
            // A file a decoder is writing stays: its NZB must not complete (and be moved) under
            // the decoder's feet. The window refuses such a removal; this keeps a removal that
            // raced with a decoder taking the file just as safe.
            if (setFilesBeingDecoded.contains(file))
                continue;
            if (file->pTreeItem && items.contains(file->pTreeItem)) {
                file->setExcluded(true);
                file->pTreeItem = nullptr;
                excluded.append(file);
            }
        }
    }
    if (excluded.isEmpty())
        return;
    removeFromGlobalQueue({}, QSet<NzbFile *>(excluded.begin(), excluded.end()));
    QSet<NzbFiles *> resized;
    for (NzbFile *file : qAsConst(excluded)) {
        if (!resized.contains(file->getNzbFiles())) {
            resized.insert(file->getNzbFiles());
            file->getNzbFiles()->updateSizes();
        }
    }
    for (NzbFile *file : qAsConst(excluded)) {
        // The NZB then completes when this was the last file it waited for.
        file->setDecoded(true);
        processDecodedFile(file);
    }
}

bool DownloadNzbManager::reorderNzbList(QList<QTreeWidgetItem *> listMovedItems)
{
    if (listMovedItems.size() != listNzbFiles.size())
        return false;
    QMutexLocker nzbLocker(&mutexNzbFiles);
    QMutexLocker segmentsLocker(&mutexSegments);
    QMutexLocker decodeLocker(&mutexFilesToDecode);

    QHash<QTreeWidgetItem *, NzbFiles *> byItem;
    for (NzbFiles *nzb : qAsConst(listNzbFiles)) {
        if (nzb->pTreeItem)
            byItem.insert(nzb->pTreeItem, nzb);
    }
    // The new order must hold every queued NZB exactly once: a list naming one NZB twice would
    // otherwise drop another from the queue.
    QList<NzbFiles *> order;
    QSet<NzbFiles *> seen;
    for (QTreeWidgetItem *item : qAsConst(listMovedItems)) {
        NzbFiles *nzb = byItem.value(item);
        if (!nzb || seen.contains(nzb))
            return false;
        seen.insert(nzb);
        order.append(nzb);
    }
    if (order == listNzbFiles)
        return false;

    listNzbFiles = order;
    renumberQueueIds();

    // Regroup the global queue by NZB in the new order, keeping each NZB's segments in their
    // present relative order.
    // Node-based: the pointer to a group stays valid while others are added.
    std::unordered_map<NzbFiles *, QList<NzbSegment *>> byNzb;
    QList<NzbSegment *> others;
    NzbFile *lastFile = nullptr;
    QList<NzbSegment *> *lastGroup = nullptr;
    for (NzbSegment *segment : qAsConst(listSegments)) {
        NzbFile *file = segment->getNzbFile();
        if (file != lastFile) {
            lastFile = file;
            NzbFiles *nzb = file->getNzbFiles();
            lastGroup = seen.contains(nzb) ? &byNzb[nzb] : &others;
        }
        lastGroup->append(segment);
    }
    QList<NzbSegment *> regrouped;
    regrouped.reserve(listSegments.size());
    for (NzbFiles *nzb : qAsConst(order))
        regrouped += byNzb[nzb];
    regrouped += others;
    listSegments.swap(regrouped);
    return true;
}

void DownloadNzbManager::pauseUnpauseFiles()
{
    QMutexLocker nzbLocker(&mutexNzbFiles);
    QMutexLocker segmentsLocker(&mutexSegments);
    QMutexLocker decodeLocker(&mutexFilesToDecode);

    // A segment waiting in a retry queue is already on its way to a server: queueing it again
    // would download it twice.
    QSet<NzbSegment *> waitingForRetry;
    {
        QMutexLocker retryLocker(&mutexServerSegments);
        for (const QList<NzbSegment *> &queue : qAsConst(hashServerSegments)) {
            for (NzbSegment *segment : queue)
                waitingForRetry.insert(segment);
        }
    }

    listSegments.clear();
    for (NzbFiles *nzb : qAsConst(listNzbFiles)) {
        if (nzb->bDeleted)
            continue;
        for (NzbFile *file : nzb->getFiles()) {
            // A file to download again (its articles reset) starts with a clean slate.
            if (!file->isDecoded() && !file->isAllSegmentsProcessed())
                file->setDamaged(false);
            if (file->bPaused || file->isDecoded() || file->isAllSegmentsProcessed() || file->bExcluded)
                continue;
            for (NzbSegment *segment : file->getSegments()) {
                if (!isPending(segment) || segment->bFailed || listSegmentsInProgress.contains(segment)
                    || waitingForRetry.contains(segment))
                    continue;
                queueOrGiveUp(segment, false);
            }
        }
    }
}

NzbFile *DownloadNzbManager::takeNextFileToDecode()
{
    {
        QMutexLocker locker(&mutexFilesToDecode);
        while (!listFilesToDecode.isEmpty()) {
            NzbFile *file = listFilesToDecode.takeFirst();
            // A removed file or NZB is not worth decoding, and its report would complete the
            // NZB a second time.
            if (file->bExcluded || file->getNzbFiles()->bDeleted)
                continue;
            setFilesBeingDecoded.insert(file);
            return file;
        }
    }
    QThread::msleep(5);
    return nullptr;
}

void DownloadNzbManager::endFileDecoding(NzbFile *pNzbFile)
{
    QMutexLocker locker(&mutexFilesToDecode);
    setFilesBeingDecoded.remove(pNzbFile);
}

bool DownloadNzbManager::isFileBeingDecoded(const NzbFile *pNzbFile)
{
    QMutexLocker locker(&mutexFilesToDecode);
    return setFilesBeingDecoded.contains(pNzbFile);
}

void DownloadNzbManager::processFileWarning(NzbFile *pNzbFile, QString strWarning)
{
    if (!pNzbFile || pNzbFile->bExcluded || pNzbFile->getNzbFiles()->bDeleted)
        return;
    // Every warning of a decoder tells of an article that did not decode cleanly.
    pNzbFile->setDamaged(true);
    emit signalFileWarning(pNzbFile, strWarning);
}

QList<QByteArray *> DownloadNzbManager::saveQueueToBytes()
{
    QMutexLocker locker(&mutexNzbFiles);
    QList<QByteArray *> records;
    for (const NzbFiles *nzb : qAsConst(listNzbFiles)) {
        auto *bytes = new QByteArray;
        QDataStream stream(bytes, QIODevice::WriteOnly);
        stream.setVersion(kRecordStreamVersion);
        stream << *nzb;
        records.append(bytes);
    }
    return records;
}

NzbFiles *DownloadNzbManager::restoreNzbFiles(QByteArray *pBytes)
{
    startFileDecoders();
    if (!pBytes)
        return nullptr;
    QDataStream stream(*pBytes);
    stream.setVersion(kRecordStreamVersion);
    auto *nzb = new NzbFiles;
    stream >> *nzb;
    if (stream.status() != QDataStream::Ok) {
        delete nzb;
        return nullptr;
    }
    nzb->updateSizes();
    nzb->rebuildPar2VolumeList();
    return nzb;
}
