#include "app/NzbBackgroundReader.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"
#include "model/NzbSegment.h"

#include <QEventLoop>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include <memory>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {

// Shared by the caller and the reading task; `loop` is touched by the caller's thread only.
struct Reading
{
    QMutex mutex;
    bool finished = false;
    bool abandoned = false;
    NzbFiles *nzb = nullptr;
    QString error;
    QEventLoop *loop = nullptr;
};

// Objects made in a pool thread would belong to it; they go to the thread that asked.
void moveToThread(NzbFiles *nzb, QThread *thread)
{
    nzb->moveToThread(thread);
    for (NzbFile *file : nzb->getFiles()) {
        file->moveToThread(thread);
        for (NzbSegment *segment : qAsConst(file->mapSegments))
            segment->moveToThread(thread);
    }
}

// The pool's queue and wake-up are inside Qt, which ThreadSanitizer does not see: it is told that
// what the caller did before handing the task over (the task's copies of its captures included)
// comes before the task runs. Only that: a race of the task with what the caller does meanwhile
// is still reported.
#if defined(__SANITIZE_THREAD__)
char poolHandOver;
void handOverToPool() { __tsan_release(&poolHandOver); }
void takeOverInPool() { __tsan_acquire(&poolHandOver); }
#else
void handOverToPool() {}
void takeOverInPool() {}
#endif

void startInPool(const std::function<void()> &task)
{
    QRunnable *runnable = QRunnable::create([task] {
        takeOverInPool();
        task();
    });
    handOverToPool();
    QThreadPool::globalInstance()->start(runnable);
}

} // namespace

NzbFiles *NzbBackgroundReader::read(const QString &path, QString &error, const std::function<void(NzbFiles *)> &prepare)
{
    auto reading = std::make_shared<Reading>();
    QThread *caller = QThread::currentThread();
    QEventLoop loop;
    reading->loop = &loop;
    startInPool([reading, path, caller, prepare] {
        QString parseError;
        NzbFiles *nzb = NzbParser::parseFile(path, parseError);
        if (nzb && prepare)
            prepare(nzb);
        if (nzb)
            moveToThread(nzb, caller);
        // Under the lock: once the caller has given up (the application ends), nothing is
        // posted to it any more.
        QMutexLocker locker(&reading->mutex);
        if (reading->abandoned) {
            delete nzb;
            return;
        }
        reading->nzb = nzb;
        reading->error = parseError;
        reading->finished = true;
        QMetaObject::invokeMethod(QCoreApplication::instance(), [reading] {
            if (reading->loop)
                reading->loop->quit();
        }, Qt::QueuedConnection);
    });
    loop.exec();
    reading->loop = nullptr;

    QMutexLocker locker(&reading->mutex);
    if (!reading->finished) {
        reading->abandoned = true;
        error = tr("The program is closing");
        return nullptr;
    }
    if (!reading->nzb)
        error = reading->error;
    return reading->nzb;
}

bool NzbBackgroundReader::work(NzbFiles *nzb, const std::function<void(NzbFiles *)> &work)
{
    // `loop` is touched by the caller's thread only.
    struct Working
    {
        QSemaphore done;
        QEventLoop *loop = nullptr;
    };
    auto working = std::make_shared<Working>();
    QEventLoop loop;
    working->loop = &loop;
    startInPool([working, nzb, work] {
        work(nzb);
        working->done.release();
        QMetaObject::invokeMethod(QCoreApplication::instance(), [working] {
            if (working->loop)
                working->loop->quit();
        }, Qt::QueuedConnection);
    });
    loop.exec();
    working->loop = nullptr;
    const bool finishedInLoop = working->done.available() > 0;
    // Ended early (the application is ending): the NZB is the caller's again only once the work
    // is over.
    working->done.acquire();
    return finishedInLoop;
}
