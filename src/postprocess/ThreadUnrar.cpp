#include "postprocess/ThreadUnrar.h"

#include "platform/UtilsProcess.h"
#include "postprocess/RarSignature.h"

#include <QDir>
#include <QFile>
#include <QMetaType>
#include <QMutexLocker>
#include <QRegularExpression>

#include <algorithm>

namespace {

// How long an idle worker waits for a job before it looks at its stop flag again; a job
// added wakes it at once.
constexpr unsigned long kStopCheckMs = 100;
constexpr int kOutputReserve = 200000;
const QLatin1String kVolumeLineMark("Extracting from");

QFileInfoList plainFiles(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryInfoList(QStringList(pattern), QDir::Files | QDir::NoDotAndDotDot,
                                      QDir::Name);
}

// The pattern of every volume name of the set whose first volume is named `firstName`:
// name.partN.rar, name.rar with name.r00, name.r01, ... (name.s00 after name.r99), or
// name.001, name.002, ...; an invalid pattern when the name is none of these.
QRegularExpression volumeSetPattern(const QString& firstName)
{
    static const QRegularExpression numberedInName(QStringLiteral("^(.+)\\.part0*1\\.rar$"),
                                                   QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression single(QStringLiteral("^(.+)\\.rar$"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression numbered(QStringLiteral("^(.+)\\.001$"));
    const auto setOf = [&firstName](const QRegularExpression& first, const QString& others) {
        const QRegularExpressionMatch match = first.match(firstName);
        if (!match.hasMatch())
            return QRegularExpression();
        return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(match.captured(1)) + others
                                      + QLatin1Char('$'),
                                  QRegularExpression::CaseInsensitiveOption);
    };
    QRegularExpression pattern = setOf(numberedInName, QStringLiteral("\\.part\\d+\\.rar"));
    if (pattern.pattern().isEmpty())
        pattern = setOf(single, QStringLiteral("\\.(rar|[r-z]\\d{2})"));
    if (pattern.pattern().isEmpty())
        pattern = setOf(numbered, QStringLiteral("\\.\\d{3,}"));
    return pattern;
}

} // namespace

ThreadUnrar::ThreadUnrar(QObject* parent)
    : QThread(parent)
{
    qRegisterMetaType<UnrarJob>("UnrarJob");
}

void ThreadUnrar::addJob(const UnrarJob& job)
{
    m_jobs.add(job);
}

void ThreadUnrar::setProgramFolder(const QString& folder)
{
    QMutexLocker locker(&m_programFolderMutex);
    m_programFolder = folder;
}

QStringList ThreadUnrar::findRarFiles(const QString& folder)
{
    m_archives.clear();
    if (folder.isEmpty()) // an empty path would list the current folder
        return m_archives;
    static const QRegularExpression firstOfNumberedSet(QStringLiteral("^.+\\.part0*1\\.rar$"),
                                                       QRegularExpression::CaseInsensitiveOption);
    const QFileInfoList rarFiles = plainFiles(folder, QStringLiteral("*.rar"));
    for (const QFileInfo& file : rarFiles) {
        if (firstOfNumberedSet.match(file.fileName()).hasMatch())
            m_archives.append(file.absoluteFilePath());
    }
    for (const QFileInfo& file : rarFiles) {
        if (!file.fileName().toLower().contains(QLatin1String(".part")))
            m_archives.append(file.absoluteFilePath());
    }
    for (const QFileInfo& file : plainFiles(folder, QStringLiteral("*.001"))) {
        if (RarSignature::isNumberedArchive(file.absoluteFilePath()))
            m_archives.append(file.absoluteFilePath());
    }
    return m_archives;
}

QStringList ThreadUnrar::findArchives(const UnrarJob& job)
{
    if (job.archives.isEmpty())
        return findRarFiles(job.sourceFolder);
    m_archives.clear();
    for (const QString& archive : job.archives) {
        if (QFileInfo(archive).isFile())
            m_archives.append(archive);
    }
    return m_archives;
}

QStringList ThreadUnrar::extractionArguments(const QString& archive, const QString& folder,
                                             const QString& password)
{
    const QString nativeArchive = QDir::toNativeSeparators(archive);
    const QString nativeFolder = QDir::toNativeSeparators(folder);
    if (password.isEmpty()) {
        return {QStringLiteral("x"), QStringLiteral("-p-"), QStringLiteral("-or"),
                QStringLiteral("-kb"), nativeArchive, nativeFolder};
    }
    return {QStringLiteral("x"), QStringLiteral("-kb"), QStringLiteral("-p") + password,
            QStringLiteral("-or"), nativeArchive, nativeFolder};
}

QString ThreadUnrar::progressText(const QString& chunk)
{
    const QStringList pieces = chunk.split(QLatin1Char('\n'));
    for (int i = pieces.size() - 1; i >= 0; --i) {
        const QString& piece = pieces.at(i);
        const int percent = piece.lastIndexOf(QLatin1Char('%'));
        if (percent < 0)
            continue;
        const int blank = percent > 0 ? piece.lastIndexOf(QLatin1Char(' '), percent - 1) : -1;
        const int start = blank < 0 ? 0 : blank;
        return piece.mid(start, percent - start + 1).trimmed();
    }
    return QString();
}

QStringList ThreadUnrar::volumesRead(const QString& output)
{
    QStringList paths;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        const int mark = line.indexOf(kVolumeLineMark, 0, Qt::CaseInsensitive);
        if (mark < 0)
            continue;
        const QString path = line.mid(mark + kVolumeLineMark.size()).trimmed();
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

bool ThreadUnrar::isVolumeOfSet(const QString& archive, const QString& path)
{
    const QFileInfo first(QDir::fromNativeSeparators(archive));
    const QString cleanPath = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const int slash = cleanPath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || cleanPath.left(slash) != QDir::cleanPath(first.absolutePath()))
        return false;
    const QRegularExpression pattern = volumeSetPattern(first.fileName());
    return !pattern.pattern().isEmpty() && pattern.match(cleanPath.mid(slash + 1)).hasMatch();
}

void ThreadUnrar::run()
{
    bStop = false;
    m_jobs.clear();
    m_takingJobs = true;
    while (!bStop) {
        UnrarJob job;
        if (m_jobs.take(job, kStopCheckMs))
            runJob(job);
    }
    m_takingJobs = false;
}

void ThreadUnrar::runJob(const UnrarJob& job)
{
    emit UpdateProgressSignal(QString(), job.jobId);
    if (findArchives(job).isEmpty()) {
        finishJob(job, NoArchiveFound);
        return;
    }
    finishJob(job, extractArchives(job));
}

int ThreadUnrar::extractArchives(const UnrarJob& job)
{
    ProcessRunOptions options;
    options.outputReserve = kOutputReserve;
    options.stopFlag = &bStop;
    options.pauseAfterPoll = true;
    options.systemPathFallback = false;
    {
        QMutexLocker locker(&m_programFolderMutex);
        options.programFolder = m_programFolder;
    }
    const quint32 jobId = job.jobId;
    options.chunkHandler = [this, jobId](const QString& chunk) {
        const QString progress = progressText(chunk);
        if (!progress.isEmpty())
            emit UpdateProgressSignal(progress, jobId);
    };

    // A warning of one archive stays the job's result when a later archive ends cleanly.
    int worst = 0;
    while (!m_archives.isEmpty()) {
        const QString archive = m_archives.first();
        const QDir extractionFolder(job.extractionFolder);
        if (job.extractionFolder.isEmpty()
            || (!extractionFolder.exists() && !QDir().mkpath(extractionFolder.absolutePath()))) {
            m_archives.clear();
            return ExtractFolderFailed;
        }
        const ProcessRun run = UtilsProcess::runHidden(
            QStringLiteral("unrar"),
            extractionArguments(archive, job.extractionFolder, job.password), options);
        if (!run.started) {
            m_archives.clear();
            return NotStarted;
        }
        const int result = int(run.exitCode);
        // Every code but success and warning is an error: a wrong or missing password (11),
        // a program that died, or a status that could not be read end the job with it.
        if (result != 0 && result != 1) {
            m_archives.clear();
            return result;
        }
        m_archives.removeFirst();
        // Only a clean extraction may cost the volumes: after a warning (1) some files can
        // be missing or broken, and the volumes are what a second try needs.
        if (bDeleteVolumes && !job.keepVolumes && result == 0 && !run.stopped)
            deleteVolumes(run.output, archive, job.sourceFolder);
        worst = std::max(worst, result);
    }
    return worst;
}

void ThreadUnrar::deleteVolumes(const QString& output, const QString& archive,
                                const QString& sourceFolder) const
{
    // A line that names anything but a volume of this very set is not believed: names
    // printed by unrar come from the archive.
    for (const QString& path : volumesRead(output)) {
        if (isVolumeOfSet(archive, path))
            QFile::remove(sourceFolder + QLatin1Char('/') + QFileInfo(QDir::fromNativeSeparators(path)).fileName());
    }
}

void ThreadUnrar::finishJob(const UnrarJob& job, int result)
{
    emit unrarDoneSignal(job, result, 0);
}
