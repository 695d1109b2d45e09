#include "engine/ThreadFileDecoder.h"

#include "config/FolderCheck.h"
#include "config/PartialFile.h"
#include "config/UtilsFilesFolders.h"
#include "engine/DownloadNzbManager.h"
#include "engine/FileDecodeJob.h"
#include "engine/NntpConnection.h"
#include "engine/NntpSegmentDecoder.h"
#include "engine/RunDeadline.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "platform/UtilsProcess.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>

namespace {

constexpr unsigned long kIdleSleepMs = 10;
constexpr int kProbeOutputReserve = 150000;
// Decoder result of a failure other than those with a number of their own (Failed to create
// output directory among them).
constexpr int kOtherFailure = 5;

// The first bytes of a RAR archive, any case.
bool startsAsRar(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return QString::fromLatin1(file.read(4)).toUpper() == QLatin1String("RAR!");
}

} // namespace

ThreadFileDecoder::ThreadFileDecoder(QObject *parent)
    : QThread(parent)
{
}

void ThreadFileDecoder::setManager(DownloadNzbManager *newManager)
{
    manager = newManager;
}

void ThreadFileDecoder::setProgramFolder(const QString &folder)
{
    programFolder = folder;
}

void ThreadFileDecoder::setProbeTimeLimit(int milliseconds)
{
    probeTimeLimitMs = milliseconds;
}

void ThreadFileDecoder::run()
{
    if (!manager)
        manager = DownloadNzbManager::getInstance();
    while (!bStop) {
        if (NzbFile *file = manager->takeNextFileToDecode()) {
            decodeFile(file);
            manager->endFileDecoding(file);
            continue;
        }
        // Nothing queued: help with the articles of a file another decoder is on.
        if (const std::shared_ptr<FileDecodeJob> job = manager->decodeBoard.takeOpen()) {
            while (!bStop && job->decodeNext()) {
            }
            job->leave();
            continue;
        }
        msleep(kIdleSleepMs);
    }
}

void ThreadFileDecoder::decodeFile(NzbFile *file)
{
    const QList<NzbSegment *> segments = file->getSegments();
    if (segments.isEmpty()) {
        emit signalDecoded(file);
        return;
    }
    NzbFiles *nzb = file->getNzbFiles();
    QString folder;
    {
        QMutexLocker locker(&nzb->mutex);
        folder = nzb->strDownloadFolder;
    }

    // Each posted file writes under names of its own: a name another posted file of the folder
    // took gets a number. And no part is written beyond what the posted file can hold.
    DecodedFileNames &names = manager->decodedFileNames;
    SegmentDecodeOptions options;
    options.outputLimit = outputLimit(segments);
    options.writeAside = true;
    options.outputName = [&names, folder, file](const QString &wanted) {
        return names.claim(folder, wanted, file, DecodedFileNames::Use::Output);
    };
    const auto job = std::make_shared<FileDecodeJob>(segments, folder, file->getSubject(), options);
    const quint32 pause = uiPause;
    job->decodeNext();
    // yEnc parts can be decoded in any order: decoders with nothing else to do take some. At low
    // decoding priority the file is decoded by this thread alone, pausing after each article.
    const bool shared = pause == 0 && job->isSharable() && job->hasArticlesLeft();
    if (shared)
        manager->decodeBoard.post(job);
    do {
        if (pause != 0)
            msleep(pause);
    } while (job->decodeNext());
    job->waitUntilDone();
    if (shared)
        manager->decodeBoard.withdraw(job);

    // A file that could not be written is decoded again later: what its articles were like is
    // said then, not for an attempt that does not count.
    const QVector<int> results = job->results();
    QString failedName;
    QString reason;
    if (job->outputFailed(&failedName, &reason)) {
        giveUpUnwritten(file, folder + QLatin1Char('/') + failedName,
                        reason.isEmpty() ? tr("the file cannot be created") : reason);
        return;
    }
    if (results.contains(kOtherFailure) && !QFileInfo(folder).isDir()) {
        const QString why = FolderCheck::whyNotUsable(folder);
        giveUpUnwritten(file, folder, why.isEmpty() ? tr("the folder cannot be created") : why);
        return;
    }
    QStringList tempFolders;
    bool warned = false;
    for (int article = 0; article < segments.size(); ++article) {
        const NzbSegment *segment = segments.at(article);
        if (results.at(article) != 0) {
            emit signalFileWarning(file, warningFor(results.at(article), segment->getNumber()));
            warned = true;
        }
        if (!tempFolders.contains(segment->strTempFolder))
            tempFolders.append(segment->strTempFolder);
    }
    // Raw copies come last, so that they can never take the name of what this posted file decoded.
    for (int article = 0; article < segments.size(); ++article) {
        QString failedPath;
        if (results.at(article) == 2 && !copyRaw(file, segments.at(article), article + 1, folder, failedPath)) {
            giveUpUnwritten(file, failedPath, tr("the copy cannot be written"));
            return;
        }
    }

    // Whole: the files take their names.
    QHash<QString, QString> renamed;
    if (!publish(file, folder, renamed, failedName, reason)) {
        giveUpUnwritten(file, folder + QLatin1Char('/') + failedName, reason);
        return;
    }

    // Articles that all decoded cleanly can still leave bytes of the file unwritten: a part the
    // NZB does not list, or one that two of its entries both claimed to be.
    if (!warned) {
        for (const FileDecodeJob::Shortfall &shortfall : job->shortfalls())
            emit signalFileWarning(file, shortfallWarning(renamed.value(shortfall.outputName, shortfall.outputName),
                                                          shortfall.missingBytes, shortfall.fileSize));
    }

    file->setDecoded(true);
    noteFilesGone(nzb);
    for (const QString &tempFolder : qAsConst(tempFolders)) {
        if (!tempFolder.isEmpty())
            UtilsFilesFolders::removeFolder(QDir(tempFolder));
    }

    bool checkDone = false;
    {
        QMutexLocker locker(&nzb->mutex);
        checkDone = nzb->bPasswordCheckDone;
    }
    const QString lastOutput = renamed.value(job->lastOutputName(), job->lastOutputName());
    if (!checkDone && !lastOutput.isEmpty())
        probePassword(nzb, folder + QLatin1Char('/') + lastOutput);
    emit signalDecoded(file);
}

// A file is reported decoded only when all its bytes are on disk: what was written of it goes
// (it is of no use, and takes room), its articles stay for the next try. It was written under
// partial names: what stands under the real names is not this file's.
void ThreadFileDecoder::giveUpUnwritten(NzbFile *file, const QString &path, const QString &reason)
{
    for (const QString &claimed : manager->decodedFileNames.claimedBy(file))
        PartialFile::removeLeftover(claimed);
    emit signalNotWritten(file, path, reason);
}

// Gives each file that `file` wrote its real name. A file that stands at a name with the same
// bytes is this one, decoded before the program was stopped (before the queue record could say
// so): the new copy goes. Another file there keeps its name and this one takes the next free one
// (renamed holds the claimed name and the one taken). False, with the name and the reason, when
// a name could not be given.
bool ThreadFileDecoder::publish(NzbFile *file, const QString &folder, QHash<QString, QString> &renamed,
                                QString &failedName, QString &reason)
{
    DecodedFileNames &names = manager->decodedFileNames;
    for (const QString &claimed : names.claimedBy(file)) {
        const QString partial = PartialFile::pathFor(claimed);
        if (!QFileInfo(partial).isFile())
            continue; // never opened (a part that failed), or given its name before
        const QString claimedName = QFileInfo(claimed).fileName();
        QString name = claimedName;
        for (;;) {
            const PartialFile::Result result = PartialFile::publish(partial, folder + QLatin1Char('/') + name, &reason);
            if (result == PartialFile::Result::Published || result == PartialFile::Result::AlreadyThere)
                break;
            failedName = name;
            if (result == PartialFile::Result::Failed)
                return false;
            name = names.rename(folder, name, file);
            if (name.isEmpty()) {
                reason = tr("every name it could take is taken");
                return false;
            }
        }
        if (name != claimedName)
            renamed.insert(claimedName, name);
        names.noteWritten(file, folder + QLatin1Char('/') + name);
    }
    return true;
}

// Once the NZB's last file is decoded: the names of the files decoded in this run that are no
// longer in the download folder (removed by hand, the folder deleted, a drive gone). The NZB
// cannot end as downloaded without them, unless its repair brings them back.
void ThreadFileDecoder::noteFilesGone(NzbFiles *nzb)
{
    if (!nzb->isAllFilesDecoded())
        return;
    QStringList gone;
    int written = 0;
    for (const NzbFile *decoded : nzb->getFiles()) {
        for (const QString &path : manager->decodedFileNames.writtenBy(decoded)) {
            ++written;
            if (!QFileInfo(path).isFile())
                gone << QFileInfo(path).fileName();
        }
    }
    QMutexLocker locker(&nzb->mutex);
    nzb->iFilesDecodedHere = written;
    nzb->listFilesGone = gone;
}

// The article is kept as it came (length field included) for the user to look at; never over a
// file that something else wrote. `article` counts the file's articles in number order, from 1
// (two articles may carry one number). False, with the path, when the copy could not be written.
bool ThreadFileDecoder::copyRaw(NzbFile *file, const NzbSegment *segment, int article, const QString &folder,
                                QString &failedPath)
{
    const QString tempFile = segment->getTempFilePath();
    const QString wanted = rawCopyName(file->getSubject(), tempFile);
    const QString name = manager->decodedFileNames.claim(folder, wanted, file, DecodedFileNames::Use::RawCopy, article);
    if (name.isEmpty())
        return true;
    failedPath = folder + QLatin1Char('/') + name;
    return QDir().mkpath(folder) && UtilsFilesFolders::copyFile(tempFile, PartialFile::pathFor(failedPath));
}

void ThreadFileDecoder::probePassword(NzbFiles *nzb, const QString &path)
{
    if (!startsAsRar(path))
        return;
    const RunDeadline deadline(probeTimeLimitMs, &bStop);
    ProcessRunOptions options;
    options.outputReserve = kProbeOutputReserve;
    options.pauseAfterPoll = true;
    options.stopFlag = deadline.flag();
    options.programFolder = programFolder;
    const ProcessRun run = UtilsProcess::runHidden(
        QStringLiteral("unrar"),
        {QStringLiteral("lt"), QStringLiteral("-c-"), QStringLiteral("-p-"), QDir::toNativeSeparators(path)}, options);
    if (!run.started) {
        qDebug() << "Process Unrar -lt didn't start in ThreadFileDecoder";
        msleep(kIdleSleepMs);
        return;
    }
    if (deadline.expired())
        qDebug() << "The password probe of" << path << "was stopped after" << probeTimeLimitMs << "ms";
    if (!needsPassword(run.output))
        return;
    QMutexLocker locker(&nzb->mutex);
    nzb->bPasswordProtected = true;
    nzb->bPasswordCheckDone = true;
}

QString ThreadFileDecoder::rawCopyName(const QString &subject, const QString &tempFilePath)
{
    QString name = subject;
    const int firstQuote = name.indexOf(QLatin1Char('"'));
    const int lastQuote = name.lastIndexOf(QLatin1Char('"'));
    if (firstQuote >= 0 && lastQuote > firstQuote)
        name = name.mid(firstQuote + 1, lastQuote - firstQuote - 1);
    name = NntpSegmentDecoder::sanitizeFileName(name);
    // A name that cannot name a plain file of the folder falls back to the temporary file's.
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QFileInfo(tempFilePath).fileName();
    return name;
}

bool ThreadFileDecoder::needsPassword(const QString &listing)
{
    const QStringList lines = listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        if (line.toLower().contains(QLatin1String("wrong password")) || line.startsWith(QLatin1Char('*')))
            return true;
    }
    return false;
}

qint64 ThreadFileDecoder::outputLimit(const QList<NzbSegment *> &segments)
{
    qint64 announced = 0;
    for (const NzbSegment *segment : segments) {
        const quint64 bytes = segment->getBytesValue();
        const qint64 article = bytes == 0 ? NntpConnection::MinimumBodyCap
                                          : qint64(qMin<quint64>(bytes, quint64(NntpConnection::MaximumBodyCap)));
        announced += article;
    }
    // An article's size counts its encoded form, larger than what it decodes to; the margin is
    // for NZBs that count the decoded bytes, and for a rounded size.
    constexpr qint64 kSlackBytes = 64 * 1024;
    return announced + announced / 16 + kSlackBytes;
}

QString ThreadFileDecoder::warningFor(int result, const QString &segmentNumber)
{
    switch (result) {
    case 0:
        return QString();
    case 1:
        return tr("Segment %1 has a CRC error").arg(segmentNumber);
    case 2:
        return tr("Segment %1 has nothing to decode").arg(segmentNumber);
    case 3:
        return tr("Segment %1 was not found").arg(segmentNumber);
    case 4:
        return tr("Segment %1: failed to create output file for assembly").arg(segmentNumber);
    case 6:
        return tr("Segment %1: the decoded file could not be written").arg(segmentNumber);
    case 7:
        return tr("Segment %1 is damaged: it does not hold what its yEnc header announces").arg(segmentNumber);
    case 8:
        return tr("Segment %1 is damaged: its uuencoded or base64 data is cut short").arg(segmentNumber);
    default:
        return tr("Segment %1: an unknown error has occured").arg(segmentNumber);
    }
}

QString ThreadFileDecoder::shortfallWarning(const QString &outputName, qint64 missingBytes, qint64 fileSize)
{
    return tr("%1 is incomplete: no article holds %2 of its %3 bytes").arg(outputName).arg(missingBytes).arg(fileSize);
}
