#include "model/NzbFiles.h"

#include "model/NzbFile.h"
#include "model/NzbRecordSnapshot.h"
#include "model/NzbSegment.h"

#include <QDataStream>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <vector>

namespace {

QString joinFolder(const QString &base, const QString &name)
{
    return base + QLatin1Char('/') + NzbFiles::folderName(name);
}

// The PAR2 set a subject names, upper-cased for comparing: the last word of its file name (the
// text between quotes when it has them) before ".par2", without a volume part ("MOVIE" for
// "movie.vol03+04.par2"); empty when it names no PAR2 file.
QString par2SetOfSubject(const QString &subject)
{
    static const QRegularExpression par2Name(QStringLiteral("([^\"/\\\\\\s]*?)(\\.vol\\d+[+-]\\d+)?\\.par2"),
                                             QRegularExpression::CaseInsensitiveOption);
    const int open = subject.indexOf(QLatin1Char('"'));
    const int close = open >= 0 ? subject.indexOf(QLatin1Char('"'), open + 1) : -1;
    const QString name = close > open ? subject.mid(open + 1, close - open - 1) : subject;
    const QRegularExpressionMatch match = par2Name.match(name);
    return match.hasMatch() ? match.captured(1).toUpper() : QString();
}

} // namespace

NzbFiles::NzbFiles(QObject *parent)
    : QObject(parent)
{
}

NzbFiles::~NzbFiles()
{
    while (iRecordSnapshots.loadAcquire() > 0)
        QThread::msleep(1);
    for (NzbFile *file : qAsConst(listFiles))
        delete file;
}

void NzbFiles::addFile(NzbFile *file)
{
    if (!file)
        return;
    file->setNzbFiles(this);
    QMutexLocker locker(&mutex);
    listFiles.append(file);
}

void NzbFiles::removeFile(NzbFile *file)
{
    if (!file)
        return;
    {
        QMutexLocker locker(&mutex);
        listFiles.removeAll(file);
        iDecodedScanStart = 0;
    }
    delete file;
}

QList<NzbFile *> NzbFiles::getFiles() const
{
    QMutexLocker locker(&mutex);
    return listFiles;
}

QList<NzbFile *> NzbFiles::getFilesCopy() const
{
    QMutexLocker locker(&mutex);
    QList<NzbFile *> copy;
    copy.reserve(listFiles.size());
    for (NzbFile *file : listFiles)
        copy.append(file);
    return copy;
}

NzbFile *NzbFiles::getFileAt(quint64 index) const
{
    QMutexLocker locker(&mutex);
    if (index >= static_cast<quint64>(listFiles.size()))
        return nullptr;
    return listFiles.at(static_cast<int>(index));
}

qint64 NzbFiles::getFileCount() const
{
    QMutexLocker locker(&mutex);
    return listFiles.size();
}

QList<NzbFile *> NzbFiles::getFilesByPauseState(bool paused) const
{
    QList<NzbFile *> result;
    for (NzbFile *file : getFiles()) {
        if (file->bPaused == paused)
            result.append(file);
    }
    return result;
}

bool NzbFiles::isAnyFileDecoded() const
{
    QMutexLocker locker(&mutex);
    return std::any_of(listFiles.cbegin(), listFiles.cend(), [](const NzbFile *file) { return file->bDecoded; });
}

void NzbFiles::moveFilesUp(const QList<QTreeWidgetItem *> &items)
{
    const QSet<QTreeWidgetItem *> moved(items.cbegin(), items.cend());
    QMutexLocker locker(&mutex);
    iDecodedScanStart = 0;
    for (int i = 1; i < listFiles.size(); ++i) {
        if (moved.contains(listFiles.at(i)->pTreeItem))
            listFiles.swapItemsAt(i, i - 1);
    }
}

void NzbFiles::moveFilesDown(const QList<QTreeWidgetItem *> &items)
{
    const QSet<QTreeWidgetItem *> moved(items.cbegin(), items.cend());
    QMutexLocker locker(&mutex);
    iDecodedScanStart = 0;
    for (int i = listFiles.size() - 2; i >= 0; --i) {
        if (moved.contains(listFiles.at(i)->pTreeItem))
            listFiles.swapItemsAt(i, i + 1);
    }
}

QString NzbFiles::getDestination() const { return strDestination; }
bool NzbFiles::isFinished() const { return bFinished; }
void NzbFiles::setFinished(bool finished) { bFinished = finished; }

void NzbFiles::recomputeTotalsLocked()
{
    uiTotalSize = 0;
    uiSizeToDownload = 0;
    uiDownloaded = 0;
    for (NzbFile *file : qAsConst(listFiles)) {
        if (!file->bExcluded)
            uiTotalSize = NzbFile::saturatingAdd(uiTotalSize, file->uiSize);
        if (!file->bExcluded && !file->bPaused)
            uiSizeToDownload = NzbFile::saturatingAdd(uiSizeToDownload, file->uiSize);
        uiDownloaded = NzbFile::saturatingAdd(uiDownloaded, file->uiDownloaded);
    }
}

void NzbFiles::updateSizes()
{
    QMutexLocker locker(&mutex);
    recomputeTotalsLocked();
}

void NzbFiles::addToSizeToDownload(const QList<NzbFile *> &files)
{
    QMutexLocker locker(&mutex);
    for (NzbFile *file : files)
        uiSizeToDownload = NzbFile::saturatingAdd(uiSizeToDownload, file->uiSize);
}

void NzbFiles::addDownloadedBytes(quint64 bytes)
{
    QMutexLocker locker(&mutex);
    uiDownloaded += bytes;
}

void NzbFiles::removeDownloadedBytes(quint64 bytes)
{
    QMutexLocker locker(&mutex);
    uiDownloaded -= bytes;
}

NzbFiles::ByteProgress NzbFiles::getByteProgress() const
{
    QMutexLocker locker(&mutex);
    return {uiSizeToDownload, uiDownloaded};
}

bool NzbFiles::isAllFilesDecoded() const
{
    QMutexLocker locker(&mutex);
    return bAllFilesDecoded;
}

void NzbFiles::checkAllFilesDecoded()
{
    QMutexLocker locker(&mutex);
    if (uiSizeToDownload <= uiDownloaded)
        uiDownloaded = uiSizeToDownload;
    for (; iDecodedScanStart < listFiles.size(); ++iDecodedScanStart) {
        const NzbFile *file = listFiles.at(iDecodedScanStart);
        if (file->bExcluded)
            continue;
        if (file->bPaused && isPar2Subject(file->getSubject()))
            continue;
        if (!file->bDecoded) {
            bAllFilesDecoded = false;
            return;
        }
    }
    bAllFilesDecoded = true;
}

QFileInfo NzbFiles::takeNextFileInfo()
{
    if (listPar2IndexFiles.isEmpty())
        return QFileInfo();
    return listPar2IndexFiles.takeFirst();
}

// The marks are plain letters: comparing them without letter case finds what the subject in
// capitals would show, without making that copy.
bool NzbFiles::isPar2Subject(const QString &subject)
{
    return subject.contains(QLatin1String(".PAR2"), Qt::CaseInsensitive);
}

bool NzbFiles::isPar2VolumeSubject(const QString &subject)
{
    return isPar2Subject(subject) && subject.contains(QLatin1String(".VOL"), Qt::CaseInsensitive);
}

void NzbFiles::sortFiles(bool smartDownload)
{
    // What the order needs of each subject, found once per file rather than at each comparison.
    struct Keyed
    {
        bool bNotRar;
        QString subject;
        NzbFile *file;
    };
    const auto rarFirst = [](const Keyed &a, const Keyed &b) {
        return a.bNotRar != b.bNotRar ? a.bNotRar < b.bNotRar : a.subject < b.subject;
    };
    QList<NzbFile *> indexFiles;
    std::vector<Keyed> otherKeys;
    std::vector<Keyed> volumeKeys;
    listPar2Volumes.clear();
    for (NzbFile *file : getFiles()) {
        const QString subject = file->getSubject();
        const Keyed keyed{!subject.contains(QLatin1String(".RAR"), Qt::CaseInsensitive), subject, file};
        if (!isPar2Subject(subject)) {
            otherKeys.push_back(keyed);
        } else if (!isPar2VolumeSubject(subject)) {
            indexFiles.append(file);
        } else {
            volumeKeys.push_back(keyed);
            listPar2Volumes.append(file);
        }
    }
    std::sort(listPar2Volumes.begin(), listPar2Volumes.end(), compareNzbFileSize);
    // Sorting again what is in order (as after the reading, or a second call) costs one pass.
    if (!std::is_sorted(otherKeys.cbegin(), otherKeys.cend(), rarFirst))
        std::sort(otherKeys.begin(), otherKeys.end(), rarFirst);
    if (!std::is_sorted(volumeKeys.cbegin(), volumeKeys.cend(), rarFirst))
        std::sort(volumeKeys.begin(), volumeKeys.end(), rarFirst);
    QList<NzbFile *> otherFiles;
    otherFiles.reserve(int(otherKeys.size()));
    for (const Keyed &keyed : otherKeys)
        otherFiles.append(keyed.file);
    QList<NzbFile *> volumes;
    volumes.reserve(int(volumeKeys.size()));
    for (const Keyed &keyed : volumeKeys)
        volumes.append(keyed.file);

    QMutexLocker locker(&mutex);
    if (smartDownload) {
        for (NzbFile *volume : qAsConst(volumes))
            volume->bPaused = true;
        keepOneVolumeOfSetsWithoutIndex(indexFiles);
    }
    listFiles = indexFiles + otherFiles + volumes;
    iDecodedScanStart = 0;
    // A fresh NZB has no excluded file; the totals here count every file.
    uiTotalSize = 0;
    uiSizeToDownload = 0;
    uiDownloaded = 0;
    for (NzbFile *file : qAsConst(listFiles)) {
        uiTotalSize = NzbFile::saturatingAdd(uiTotalSize, file->uiSize);
        if (!file->bPaused)
            uiSizeToDownload = NzbFile::saturatingAdd(uiSizeToDownload, file->uiSize);
        uiDownloaded = NzbFile::saturatingAdd(uiDownloaded, file->uiDownloaded);
    }
}

// A set posted without its index file can only be verified through one of its volumes: the
// smallest one of each such set is downloaded with the other files.
void NzbFiles::keepOneVolumeOfSetsWithoutIndex(const QList<NzbFile *> &indexFiles)
{
    QSet<QString> setsWithFile;
    for (const NzbFile *index : indexFiles)
        setsWithFile.insert(par2SetOfSubject(index->getSubject()));
    for (NzbFile *volume : qAsConst(listPar2Volumes)) { // smallest first
        const QString set = par2SetOfSubject(volume->getSubject());
        if (setsWithFile.contains(set))
            continue;
        setsWithFile.insert(set);
        volume->bPaused = false;
    }
}

void NzbFiles::rebuildPar2VolumeList()
{
    listPar2Volumes.clear();
    for (NzbFile *file : getFiles()) {
        if (isPar2VolumeSubject(file->getSubject()))
            listPar2Volumes.append(file);
    }
    std::sort(listPar2Volumes.begin(), listPar2Volumes.end(), compareNzbFileSize);
}

QList<NzbFile *> NzbFiles::selectPar2Volumes(quint64 blocksNeeded, const QString &baseName) const
{
    QList<NzbFile *> selected;
    if (blocksNeeded == 0 || listPar2Volumes.isEmpty())
        return selected;
    const QString upperBase = baseName.toUpper();
    quint64 sum = 0;
    for (NzbFile *volume : listPar2Volumes) {
        const QString subject = volume->getSubject().toUpper();
        const bool qualifies = subject.contains(upperBase) && subject.contains(QLatin1String(".PAR2"))
                               && subject.contains(QLatin1String(".VOL")) && subject.contains(QLatin1Char('+'))
                               && volume->bPaused && !volume->bExcluded;
        if (!qualifies)
            continue;
        const int plus = subject.lastIndexOf(QLatin1Char('+'));
        const int par2 = subject.indexOf(QLatin1String(".PAR2"));
        bool ok = false;
        const quint64 blocks = subject.mid(plus + 1, par2 - plus - 1).toULongLong(&ok, 10);
        sum = NzbFile::saturatingAdd(sum, ok ? blocks : 0);
        selected.append(volume);
        if (sum >= blocksNeeded)
            return selected;
    }
    return selected;
}

QString NzbFiles::fallbackFolderName()
{
    return QStringLiteral("Untitled");
}

QString NzbFiles::folderName(const QString &text)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f\\x7f]"));
    QString name = text;
    const int firstQuote = name.indexOf(QLatin1Char('"'));
    const int lastQuote = name.lastIndexOf(QLatin1Char('"'));
    if (firstQuote >= 0 && firstQuote < lastQuote)
        name = name.mid(firstQuote + 1, lastQuote - firstQuote - 1);
    const int lastStop = name.lastIndexOf(QLatin1Char('.'));
    if (lastStop >= 0) {
        name = name.left(lastStop);
        name.remove(forbidden);
        name = name.left(50).trimmed();
    }
    // Whatever the text, a folder name never holds a separator or a control character, and
    // never names the folder itself or its parent.
    name.remove(forbidden);
    bool onlyDotsAndBlanks = true;
    for (QChar c : qAsConst(name)) {
        if (c != QLatin1Char('.') && !c.isSpace()) {
            onlyDotsAndBlanks = false;
            break;
        }
    }
    if (onlyDotsAndBlanks)
        return fallbackFolderName();
    return name;
}

void NzbFiles::setDestination(const QString &folder, bool makeSubFolder)
{
    strBaseDestination = folder;
    strDestination = folder;
    if (makeSubFolder && !strName.isEmpty())
        strDestination = joinFolder(folder, strName);
}

void NzbFiles::updateDestinationSubFolder(bool makeSubFolder)
{
    if (!makeSubFolder || strBaseDestination.isEmpty() || strName.isEmpty())
        return;
    strDestination = joinFolder(strBaseDestination, strName);
}

void NzbFiles::setDownloadFolder(const QString &folder)
{
    strDownloadFolder = downloadFolderUnder(folder);
}

QString NzbFiles::downloadFolderUnder(const QString &folder) const
{
    const QList<NzbFile *> files = getFiles();
    return files.isEmpty() ? folder : joinFolder(folder, files.first()->getSubject());
}

void NzbFiles::setSegmentPaths(const QString &tempRoot, int nzbIndex)
{
    const QList<NzbFile *> files = getFiles();
    for (int position = 0; position < files.size(); ++position)
        files.at(position)->setSegmentPaths(tempRoot, nzbIndex, position);
}

QDataStream &operator<<(QDataStream &out, const NzbFiles &nzb)
{
    NzbRecordSnapshot(nzb).write(out);
    return out;
}

namespace {

// The files found damaged, by their positions in the record's list of files (a record written
// before the mark was kept has none).
void readDamagedFiles(QDataStream &in, NzbFiles &nzb)
{
    const QList<NzbFile *> files = nzb.getFiles();
    qint32 count = 0;
    in >> count;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        qint32 position = -1;
        in >> position;
        if (in.status() == QDataStream::Ok && position >= 0 && position < files.size())
            files.at(position)->bDamaged = true;
    }
}

} // namespace

QDataStream &operator>>(QDataStream &in, NzbFiles &nzb)
{
    qint32 count = 0;
    in >> nzb.bFinished >> nzb.strDestination >> nzb.strDownloadFolder >> nzb.strName
        >> nzb.bAllFilesDecoded >> nzb.bPostProcessingSucceeded >> nzb.iQueueId >> count;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        auto *file = new NzbFile;
        in >> *file;
        nzb.addFile(file);
    }
    if (!in.atEnd())
        in >> nzb.bKeepPar2Files >> nzb.bSkipExtraction >> nzb.strArchivePassword >> nzb.strBaseDestination;
    if (!in.atEnd())
        in >> nzb.bPasswordCheckDone >> nzb.bPasswordProtected;
    if (!in.atEnd())
        readDamagedFiles(in, nzb);
    return in;
}
