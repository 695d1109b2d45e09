#include "config/NzbConfiguration.h"

#include "config/AppConfiguration.h"
#include "config/UtilsFilesFolders.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const int StreamVersion = 12;
const int DigestSize = 16;

QString inNzbFolder(const QString &fileName)
{
    return AppConfiguration::getNzbFolder() + QDir::separator() + fileName;
}

} // namespace

NzbConfiguration::NzbConfiguration(QObject *parent)
    : QObject(parent)
{
}

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
    QByteArray content;
    QDataStream stream(&content, QIODevice::WriteOnly);
    stream.setVersion(StreamVersion);
    stream << nzbFiles;
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
        if (file->bDecoded || file->isAllSegmentsProcessed())
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

bool NzbConfiguration::saveNzb(NzbFiles *nzbFiles)
{
    if (!AppConfiguration::makeDataSubFolder(AppConfiguration::getNzbFolder()))
        return false;
    const QByteArray content = recordFileContent(*nzbFiles);
    const QString path = inNzbFolder(recordFileName(nzbFiles->iQueueId));
    if (!UtilsFilesFolders::saveFile(path, content))
        return false;
    // The backup gets the same bytes, also replaced in one step; a failure leaves the previous
    // backup, while the record itself is complete.
    UtilsFilesFolders::saveFile(path + backupSuffix(), content);
    return true;
}

bool NzbConfiguration::isLive(const NzbFiles *nzbFiles) const
{
    return !nzbFiles->isFinished() && !nzbFiles->bDeleted;
}

void NzbConfiguration::removeFilesOf(qint32 queueId, const QSet<QString> &keep)
{
    const QString name = recordFileName(queueId);
    if (!keep.contains(name))
        QFile::remove(inNzbFolder(name));
    if (!keep.contains(name + backupSuffix()))
        QFile::remove(inNzbFolder(name + backupSuffix()));
}

void NzbConfiguration::deleteNzb(NzbFiles *nzbFiles)
{
    listNzbFiles.removeAll(nzbFiles);
    if (!QDir(AppConfiguration::getNzbFolder()).exists())
        return;
    // A deleted NZB may carry the queue id that the queue's renumbering gave to another one.
    QSet<QString> keep;
    for (const NzbFiles *other : qAsConst(listNzbFiles)) {
        if (isLive(other) && other->iQueueId == nzbFiles->iQueueId)
            keep << recordFileName(other->iQueueId) << recordFileName(other->iQueueId) + backupSuffix();
    }
    removeFilesOf(nzbFiles->iQueueId, keep);
}

bool NzbConfiguration::saveAllNzbs()
{
    const QList<NzbFiles *> queue = listNzbFiles;
    QList<NzbFiles *> dropped;
    for (NzbFiles *nzbFiles : queue) {
        if (!isLive(nzbFiles)) {
            listNzbFiles.removeAll(nzbFiles);
            dropped << nzbFiles;
        }
    }

    // Every live record (and backup) is written before anything is removed.
    bool allWritten = true;
    QSet<QString> liveNames;
    for (NzbFiles *nzbFiles : qAsConst(listNzbFiles)) {
        allWritten = saveNzb(nzbFiles) && allWritten;
        liveNames << recordFileName(nzbFiles->iQueueId) << recordFileName(nzbFiles->iQueueId) + backupSuffix();
    }

    const QDir folder(AppConfiguration::getNzbFolder());
    if (!folder.exists())
        return allWritten;
    if (!allWritten) {
        // A record that could not be written may still live under its previous name: remove
        // only what belonged to the dropped NZBs.
        for (const NzbFiles *nzbFiles : qAsConst(dropped))
            removeFilesOf(nzbFiles->iQueueId, liveNames);
        return false;
    }
    const QStringList files = folder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString &file : files) {
        if (!liveNames.contains(file) && !isDamagedName(file))
            QFile::remove(folder.filePath(file));
    }
    return true;
}
