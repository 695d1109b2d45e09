#include "engine/ThreadComputeSpeed.h"

#include <QTimer>

namespace {

const int SampleIntervalMs = 1000;

} // namespace

ThreadComputeSpeed::ThreadComputeSpeed(QObject *parent)
    : QThread(parent)
{
}

ThreadComputeSpeed::~ThreadComputeSpeed()
{
    // Ending the thread here would be too late for the target it samples: the owner ends it
    // (quit() and wait()) before the target goes. run() has removed the timer by then.
    delete timer;
}

void ThreadComputeSpeed::run()
{
    // The timer is made and removed in this thread: a timer can be stopped only by its own thread.
    timer = new QTimer;
    if (target)
        connect(timer, SIGNAL(timeout()), target, SLOT(downloadSpeedTimeout()), Qt::DirectConnection);
    timer->start(SampleIntervalMs);
    exec();
    timer->stop();
    delete timer;
    timer = nullptr;
}
