#include "postprocess/ThreadUnsplit.h"

#include "postprocess/GenericSplit.h"
#include "postprocess/UnsplitBuilder.h"
#include "postprocess/XtremSplit.h"

#include <QDir>
#include <QFile>
#include <QMetaType>

#include <memory>

namespace {

// How long an idle worker waits for a job before it looks at its stop flag again; a job
// added wakes it at once.
constexpr unsigned long kStopCheckMs = 100;

// The joiner for the first set of `folder`, with the first volumes of every set of its
// kind appended to `firstVolumes`; null when the folder holds no split file.
std::unique_ptr<AbstractSplit> joinerFor(const QString& folder, QStringList& firstVolumes)
{
    if (folder.isEmpty() || !QDir(folder).exists())
        return nullptr;
    if (XtremSplit* xtremSplit = UnsplitBuilder::getXtremSplit(folder, firstVolumes))
        return std::unique_ptr<AbstractSplit>(xtremSplit);
    return std::unique_ptr<AbstractSplit>(UnsplitBuilder::getGenericSplit(folder, firstVolumes));
}

} // namespace

ThreadUnsplit::ThreadUnsplit(QObject* parent)
    : QThread(parent)
{
    qRegisterMetaType<UnsplitJob>("UnsplitJob");
}

void ThreadUnsplit::addJob(const UnsplitJob& job)
{
    m_jobs.add(job);
}

void ThreadUnsplit::run()
{
    bStop = false;
    m_jobs.clear();
    m_takingJobs = true;
    while (!bStop) {
        UnsplitJob job;
        if (m_jobs.take(job, kStopCheckMs))
            runJob(job);
    }
    m_takingJobs = false;
}

void ThreadUnsplit::runJob(UnsplitJob job)
{
    job.volumesConsumed.clear();
    m_currentJobId = job.jobId;
    std::unique_ptr<AbstractSplit> joiner = joinerFor(job.sourceFolder, job.firstVolumesFound);
    if (!joiner) {
        emit unsplitDoneSignal(job, NothingFound, tr("Unsplit: no split file found"));
        return;
    }
    // What an incomplete download would join is not the file that was split: the pieces stay,
    // for a join once the missing ones are found.
    if (job.incompleteDownload) {
        emit unsplitDoneSignal(job, NotJoined,
                               tr("Unsplit: files of the download are incomplete, the split files are kept unjoined"));
        return;
    }
    // The joiner lives in this thread, which runs no event loop: relay its progress directly.
    connect(joiner.get(), &AbstractSplit::signalProgress, this, &ThreadUnsplit::slotProgress,
            Qt::DirectConnection);
    joiner->setStopFlag(&bStop);
    QString error;
    const int result = joinSets(*joiner, job, error);
    emit unsplitDoneSignal(job, result, error);
    disconnect(joiner.get(), nullptr, this, nullptr);
    joiner.reset();
}

int ThreadUnsplit::joinSets(AbstractSplit& joiner, UnsplitJob& job, QString& error)
{
    for (;;) {
        if (joiner.unsplit(job.destinationFolder) != 0) {
            error = joiner.getErrorText();
            return JoinFailed;
        }
        job.filesWritten.append(job.destinationFolder + QLatin1Char('/') + joiner.getWrittenName());
        consumeVolumes(joiner.getVolumesRead(), job);
        job.firstVolumesFound.removeFirst();
        if (job.firstVolumesFound.isEmpty())
            return Joined;
        joiner.setSourceFile(job.firstVolumesFound.first());
    }
}

void ThreadUnsplit::consumeVolumes(const QStringList& volumes, UnsplitJob& job)
{
    for (const QString& volume : volumes) {
        job.volumesConsumed.append(volume);
        if (bDeleteVolumes && !job.keepVolumes)
            QFile::remove(volume);
    }
}

void ThreadUnsplit::slotProgress(quint32 uiPosCrt, quint32 uiPosTotal)
{
    emit UpdateProgressSignal(m_currentJobId, uiPosCrt, uiPosTotal);
}
