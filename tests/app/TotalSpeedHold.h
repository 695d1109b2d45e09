#ifndef TOTALSPEEDHOLD_H
#define TOTALSPEEDHOLD_H

#include "engine/DownloadNzbManager.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QThread>
#include <QTimer>

// While it lives, the download manager's own thread no longer measures the total speed, so that
// a test may set DownloadNzbManager::uiTotalSpeed and have the window's tick read exactly that.
// The measuring timer lives in the manager's thread: it is stopped and started there.
class TotalSpeedHold
{
public:
    TotalSpeedHold()
    {
        QElapsedTimer waited;
        waited.start();
        // The manager's thread starts its timer shortly after the first window starts it.
        while (!(timer = runningTimer()) && waited.elapsed() < 10000)
            QThread::msleep(5);
        if (timer)
            QMetaObject::invokeMethod(timer, "stop", Qt::BlockingQueuedConnection);
    }
    ~TotalSpeedHold()
    {
        DownloadNzbManager *manager = DownloadNzbManager::getInstance();
        manager->uiTotalSpeed = 0;
        if (timer && manager->timerAverageSpeed == timer)
            QMetaObject::invokeMethod(timer, "start", Qt::BlockingQueuedConnection);
    }
    TotalSpeedHold(const TotalSpeedHold &) = delete;
    TotalSpeedHold &operator=(const TotalSpeedHold &) = delete;

    bool isHolding() const { return timer != nullptr; }

private:
    // The manager's measuring timer once it runs, else null; looked at in the manager's own
    // thread, which sets it, and handed over under a lock.
    static QTimer *runningTimer()
    {
        DownloadNzbManager *manager = DownloadNzbManager::getInstance();
        if (!manager->isRunning())
            return nullptr;
        QMutex mutex;
        QTimer *running = nullptr;
        auto *probe = new QObject;
        probe->moveToThread(manager);
        QMetaObject::invokeMethod(
            probe,
            [&mutex, &running, manager, probe] {
                QMutexLocker locker(&mutex);
                if (manager->timerAverageSpeed && manager->timerAverageSpeed->isActive())
                    running = manager->timerAverageSpeed;
                delete probe;
            },
            Qt::BlockingQueuedConnection);
        QMutexLocker locker(&mutex);
        return running;
    }

    QTimer *timer = nullptr;
};

#endif // TOTALSPEEDHOLD_H
