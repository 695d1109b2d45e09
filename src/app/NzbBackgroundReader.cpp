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

} // namespace

NzbFiles *NzbBackgroundReader::read(const QString &path, QString &error, const std::function<void(NzbFiles *)> &prepare)
{
    auto reading = std::make_shared<Reading>();
    QThread *caller = QThread::currentThread();
    QEventLoop loop;
    reading->loop = &loop;
    QThreadPool::globalInstance()->start(QRunnable::create([reading, path, caller, prepare] {
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
    }));
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
    QThreadPool::globalInstance()->start(QRunnable::create([working, nzb, work] {
        work(nzb);
        working->done.release();
        QMetaObject::invokeMethod(QCoreApplication::instance(), [working] {
            if (working->loop)
                working->loop->quit();
        }, Qt::QueuedConnection);
    }));
    loop.exec();
    working->loop = nullptr;
    const bool finishedInLoop = working->done.available() > 0;
    // Ended early (the application is ending): the NZB is the caller's again only once the work
    // is over.
    working->done.acquire();
    return finishedInLoop;
}
