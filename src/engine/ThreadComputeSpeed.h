#ifndef THREADCOMPUTESPEED_H
#define THREADCOMPUTESPEED_H

#include <QThread>

class QTimer;

// Samples one connection's speed: once a second its timer calls the target's
// downloadSpeedTimeout() slot, directly, in this thread.
class ThreadComputeSpeed : public QThread
{
    Q_OBJECT

public:
    explicit ThreadComputeSpeed(QObject *parent = nullptr);
    ~ThreadComputeSpeed() override;

    QObject *target = nullptr; // set before the start
    QTimer *timer = nullptr;   // lives while run() does

protected:
    void run() override;
};

#endif // THREADCOMPUTESPEED_H
