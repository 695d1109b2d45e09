#include "postprocess/ThreadClean.h"

#include "config/AppConfiguration.h"
#include "config/FileNameLimit.h"
#include "config/PartialFile.h"
#include "config/UtilsFilesFolders.h"
#include "postprocess/FileMove.h"
#include "model/NzbFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

constexpr unsigned long kPauseAfterFileMs = 1;

// A path exists when something is there, a dangling symbolic link included.
bool pathTaken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QStringList filePaths(const QString& folder)
{
    QStringList paths;
    if (folder.isEmpty()) // an empty path would list the current folder
        return paths;
    const QFileInfoList files =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& file : files)
        paths.append(file.absoluteFilePath());
    return paths;
}

bool makeFolder(const QString& folder)
{
    const QDir dir(folder);
    return dir.exists() || QDir().mkpath(dir.absolutePath());
}

bool isInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder + QLatin1Char('/'));
}

} // namespace

ThreadClean::ThreadClean(QObject* parent)
    : QThread(parent)
    , m_autoDeletePatterns(AppConfiguration::getInstance()->autoDeleteFilesExtension)
{
}

void ThreadClean::setAutoDeletePatterns(const QString& patterns)
{
    QMutexLocker locker(&m_mutex);
    m_autoDeletePatterns = patterns;
}

bool ThreadClean::isDestinationCreated() const
{
    QMutexLocker locker(&m_mutex);
    return m_outcome.destinationCreated;
}

QStringList ThreadClean::getFilesNotMoved() const
{
    QMutexLocker locker(&m_mutex);
    return m_outcome.notMoved;
}

QStringList ThreadClean::getFilesRenamed() const
{
    QMutexLocker locker(&m_mutex);
    return m_outcome.renamed;
}

QStringList ThreadClean::getFilesGone() const
{
    QMutexLocker locker(&m_mutex);
    return m_outcome.gone;
}

bool ThreadClean::isDownloadFolderGone() const
{
    QMutexLocker locker(&m_mutex);
    return m_outcome.downloadFolderGone;
}

QString ThreadClean::getReasonNotMoved(const QString& path) const
{
    QMutexLocker locker(&m_mutex);
    return m_outcome.reasons.value(path);
}

bool ThreadClean::hasFilesLeftBehind() const
{
    QMutexLocker locker(&m_mutex);
    return !m_outcome.notMoved.isEmpty();
}

QString ThreadClean::distinctName(const QString& fileName, int number)
{
    const QString tag = QStringLiteral(" (%1)").arg(number);
    const int lastDot = fileName.lastIndexOf(QLatin1Char('.'));
    if (lastDot <= 0 || lastDot == fileName.size() - 1)
        return fileName + tag;
    return fileName.left(lastDot) + tag + fileName.mid(lastDot);
}

QString ThreadClean::distinctName(const QString& fileName, int number, int maxBytes)
{
    if (number == 0)
        return FileNameLimit::fit(fileName, maxBytes);
    const int tagBytes = FileNameLimit::bytesOf(QStringLiteral(" (%1)").arg(number));
    return distinctName(FileNameLimit::fit(fileName, maxBytes - tagBytes), number);
}

bool ThreadClean::matchesAny(const QString& fileName, const QStringList& patterns)
{
    for (const QString& pattern : patterns) {
        if (pattern.isEmpty())
            continue;
        const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern),
                                          QRegularExpression::CaseInsensitiveOption);
        if (wildcard.match(fileName).hasMatch())
            return true;
    }
    return false;
}

ThreadClean::Work ThreadClean::takeWork() const
{
    Work work;
    {
        QMutexLocker locker(&m_mutex);
        work.deletePatterns = m_autoDeletePatterns.split(QLatin1Char(';'));
    }
    QMutexLocker locker(&pNzbFiles->mutex);
    work.destination = pNzbFiles->strDestination;
    work.downloadFolder = pNzbFiles->strDownloadFolder;
    work.filesGone = pNzbFiles->listFilesGone;
    work.filesDecodedHere = pNzbFiles->iFilesDecodedHere > 0;
    // After a repair that failed nothing is deleted: a repair by hand may need any of it.
    if (pNzbFiles->bKeepFilesForRepair)
        work.deletePatterns.clear();
    // par2's backups went when their set verified; a ".1" file here is a posted one (a manual
    // page), or the backup of a set that failed, kept for a repair by hand.
    if (pNzbFiles->bPostProcessingSucceeded && !pNzbFiles->bKeepPar2Files)
        work.deletePatterns.append(QStringLiteral("*.par2"));
    return work;
}

void ThreadClean::run()
{
    if (pNzbFiles) {
        Outcome outcome;
        cleanFolder(takeWork(), outcome);
        publish(outcome);
    }
    emit signalCleanDone(pNzbFiles);
}

void ThreadClean::cleanFolder(const Work& work, Outcome& outcome)
{
    if (work.destination.isEmpty() || !makeFolder(work.destination)) {
        outcome.destinationCreated = false;
        for (const QString& path : filePaths(work.downloadFolder))
            outcome.leave(path, tr("the destination folder could not be created"));
        return;
    }
    const QDir download(work.downloadFolder);
    if (work.downloadFolder.isEmpty())
        return;
    if (!download.exists()) {
        // The decoders wrote into it: it was deleted (or its drive is gone) before the end.
        outcome.downloadFolderGone = work.filesDecodedHere;
        return;
    }
    for (const QString &name : work.filesGone) {
        if (!QFileInfo::exists(download.filePath(name)))
            outcome.gone.append(name);
    }
    const QString downloadPath = QFileInfo(work.downloadFolder).canonicalFilePath();
    const QString destinationPath = QFileInfo(work.destination).canonicalFilePath();
    if (downloadPath == destinationPath)
        return; // the files are where they belong already

    for (const QString& path : filePaths(work.downloadFolder)) {
        const QString name = QFileInfo(path).fileName();
        // What a decoding stopped midway left is no file of the download.
        const QString reason = matchesAny(name, work.deletePatterns) || PartialFile::isPartialName(name)
                                   ? removeFile(path)
                                   : moveFile(path, destinationPath + QLatin1Char('/') + name, outcome);
        if (!reason.isEmpty())
            outcome.leave(path, reason);
        msleep(kPauseAfterFileMs);
    }
    // The download folder goes only when nothing is left in it that the user may want, and
    // never when the destination lies inside it.
    if (outcome.notMoved.isEmpty() && !isInside(destinationPath, downloadPath))
        UtilsFilesFolders::removeFolder(download);
}

QString ThreadClean::moveFile(const QString& source, const QString& destination, Outcome& outcome)
{
    const QFileInfo target(destination);
    const int maxBytes = FileNameLimit::maxBytes(target.absolutePath());
    for (int number = 0; number < kMaxDistinctNames; ++number) {
        const QString name = distinctName(target.fileName(), number, maxBytes);
        const QString candidate = target.absolutePath() + QLatin1Char('/') + name;
        if (pathTaken(candidate)) {
            // The file itself, put there by a move that was stopped before it could remove the
            // source: the move is done.
            if (PartialFile::sameContent(source, candidate) && ::unlink(QFile::encodeName(source).constData()) == 0) {
                if (name != target.fileName())
                    outcome.renamed.append(candidate);
                return QString();
            }
            continue;
        }
        // A name taken in the meantime is never replaced: the next one is tried. Any other
        // failure ends here, with the file whole where it was.
        QString reason;
        switch (FileMove::move(source, candidate, &reason)) {
        case FileMove::Result::Moved:
            if (name != target.fileName())
                outcome.renamed.append(candidate);
            return QString();
        case FileMove::Result::NameTaken:
            continue;
        case FileMove::Result::Failed:
            return reason;
        }
    }
    return tr("every name it could take in the destination is taken");
}

// Empty when the file is gone; otherwise why it stays.
QString ThreadClean::removeFile(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
}

void ThreadClean::Outcome::leave(const QString& path, const QString& reason)
{
    notMoved.append(path);
    reasons.insert(path, reason);
}

void ThreadClean::publish(const Outcome& outcome)
{
    QMutexLocker locker(&m_mutex);
    m_outcome = outcome;
}
