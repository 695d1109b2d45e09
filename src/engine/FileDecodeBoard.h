#ifndef FILEDECODEBOARD_H
#define FILEDECODEBOARD_H

#include <QList>
#include <QMutex>

#include <memory>

class FileDecodeJob;

// Where a decoder leaves the articles of the file in its hands for decoders that have nothing
// else to do. Shared by the manager's decoder threads; every call takes the board's own mutex.
class FileDecodeBoard
{
public:
    void post(const std::shared_ptr<FileDecodeJob> &job);
    void withdraw(const std::shared_ptr<FileDecodeJob> &job);
    // A posted job with articles nobody took yet that the caller joined (FileDecodeJob::join);
    // null when there is none.
    std::shared_ptr<FileDecodeJob> takeOpen();

private:
    QMutex mutex;
    QList<std::shared_ptr<FileDecodeJob>> listJobs;
};

#endif // FILEDECODEBOARD_H
