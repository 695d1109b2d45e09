#include "engine/FileDecodeBoard.h"

#include "engine/FileDecodeJob.h"

#include <QMutexLocker>

void FileDecodeBoard::post(const std::shared_ptr<FileDecodeJob> &job)
{
    QMutexLocker locker(&mutex);
    listJobs.append(job);
}

void FileDecodeBoard::withdraw(const std::shared_ptr<FileDecodeJob> &job)
{
    QMutexLocker locker(&mutex);
    listJobs.removeAll(job);
}

std::shared_ptr<FileDecodeJob> FileDecodeBoard::takeOpen()
{
    QMutexLocker locker(&mutex);
    for (const std::shared_ptr<FileDecodeJob> &job : qAsConst(listJobs)) {
        if (job->hasArticlesLeft() && job->join())
            return job;
    }
    return nullptr;
}
