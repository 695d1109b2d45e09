#ifndef NZBLOCKHOLDER_H
#define NZBLOCKHOLDER_H

#include "model/NzbFiles.h"

#include <QMutexLocker>
#include <QSemaphore>
#include <QThread>

#include <memory>

// Holds an NZB's lock from a thread of its own until released, destroyed or `boundMs` has passed
// (so that a test that fails cannot hang), so that a clean-up started meanwhile waits at its
// start, before it has read anything of the NZB.
class NzbLockHolder
{
public:
    explicit NzbLockHolder(NzbFiles *nzb, int boundMs = 60000)
        : thread(QThread::create([this, nzb, boundMs] {
            QMutexLocker locker(&nzb->mutex);
            held.release();
            released.tryAcquire(1, boundMs);
        }))
    {
        thread->start();
        held.acquire();
    }
    ~NzbLockHolder() { release(); }

    void release()
    {
        if (thread->isFinished())
            return;
        released.release();
        thread->wait();
    }
    bool isHeld() const { return !thread->isFinished(); }

private:
    QSemaphore held;
    QSemaphore released;
    std::unique_ptr<QThread> thread;
};

#endif // NZBLOCKHOLDER_H
