#ifndef TOTALSPEEDHOLD_H
#define TOTALSPEEDHOLD_H

#include "engine/DownloadNzbManager.h"

#include <QElapsedTimer>
#include <QMetaObject>
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
        DownloadNzbManager *manager = DownloadNzbManager::getInstance();
        QElapsedTimer waited;
        waited.start();
        // The manager's thread starts its timer shortly after the first window starts it.
        while ((!manager->timerAverageSpeed || !manager->timerAverageSpeed->isActive()) && waited.elapsed() < 10000)
            QThread::msleep(5);
        timer = manager->timerAverageSpeed;
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
    QTimer *timer = nullptr;
};

#endif // TOTALSPEEDHOLD_H
