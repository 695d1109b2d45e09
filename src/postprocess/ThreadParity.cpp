#include "postprocess/ThreadParity.h"

#include "platform/UtilsProcess.h"

#include <QDebug>
#include <QDir>
#include <QRegularExpression>

namespace {

// How long an idle worker waits for a job before it looks at its stop flag again; a job
// added wakes it at once.
constexpr unsigned long kStopCheckMs = 100;
constexpr int kOutputReserve = 200000;

const QRegularExpression& lineBreaks()
{
    static const QRegularExpression breaks(QStringLiteral("[\r\n]"));
    return breaks;
}

// The blocks count of a "You need N more recovery blocks to be able to repair." line.
QString neededBlocks(const QString& line)
{
    static const QString need = QStringLiteral("need ");
    const int at = line.indexOf(need);
    if (at < 0) {
        // Not the usual wording: the first number of the line is the best reading.
        static const QRegularExpression digits(QStringLiteral("\\d+"));
        const QRegularExpressionMatch match = digits.match(line);
        return match.hasMatch() ? match.captured() : QStringLiteral("0");
    }
    const int start = at + need.size();
    const int blank = line.indexOf(QLatin1Char(' '), start);
    return blank < 0 ? line.mid(start) : line.mid(start, blank - start);
}

} // namespace

ThreadParity::ThreadParity(QObject* parent)
    : QThread(parent)
{
    qRegisterMetaType<ParityJob>("ParityJob");
}

void ThreadParity::addJob(const ParityJob& job)
{
    m_jobs.add(job);
}

void ThreadParity::setProgramFolder(const QString& folder)
{
    m_programFolder = folder;
}

int ThreadParity::fileThreads(int cores)
{
    return qBound(1, cores, kMaxFileThreads);
}

QStringList ThreadParity::arguments(const ParityJob& job, int fileThreads)
{
    return {QStringLiteral("r"), QStringLiteral("-T%1").arg(fileThreads),
            QDir::toNativeSeparators(job.par2File),
            QDir::toNativeSeparators(job.folder + QStringLiteral("/*"))};
}

QString ThreadParity::parseResult(const QString& output)
{
    const QStringList lines = output.split(lineBreaks());
    for (int i = lines.size() - 1; i >= 0; --i) {
        const QString& line = lines.at(i);
        if (line.contains(QLatin1String("repair is not required")))
            return QStringLiteral("0");
        if (line.contains(QLatin1String("more recovery blocks to be able to repair")))
            return neededBlocks(line);
        if (line.contains(QLatin1String("Repair complete.")))
            return QStringLiteral("0");
    }
    return QStringLiteral("0");
}

QString ThreadParity::lastProgressPiece(const QString& chunk)
{
    const QStringList pieces = chunk.split(lineBreaks());
    for (int i = pieces.size() - 1; i >= 0; --i) {
        if (!pieces.at(i).isEmpty())
            return pieces.at(i);
    }
    return QString();
}

void ThreadParity::run()
{
    bStop = false;
    m_jobs.clear();
    m_takingJobs = true;
    while (!bStop) {
        ParityJob job;
        if (m_jobs.take(job, kStopCheckMs))
            runJob(job);
    }
    m_takingJobs = false;
}

void ThreadParity::runJob(ParityJob job)
{
    ProcessRunOptions options;
    options.outputReserve = kOutputReserve;
    options.pauseAfterPoll = true;
    options.stopFlag = &bStop;
    options.programFolder = m_programFolder;
    options.systemPathFallback = true;
    const quint32 jobId = job.jobId;
    options.chunkHandler = [this, jobId](const QString& chunk) {
        const QString progress = lastProgressPiece(chunk);
        if (!progress.isEmpty())
            emit UpdateProgressSignal(jobId, progress);
    };

    const ProcessRun run = UtilsProcess::runHidden(
        QStringLiteral("par2"), arguments(job, fileThreads(QThread::idealThreadCount())), options);
    if (!run.started) {
        qDebug() << "Process didn't start in QParityChecker::beginParitySlot";
        emit parityDoneSignal(job, kNotStartedExitCode, 1);
        return;
    }
    job.result = parseResult(run.output);
    emit parityDoneSignal(job, int(run.exitCode), 0);
}
