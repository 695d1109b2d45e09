#ifndef LOOPWATCHER_H
#define LOOPWATCHER_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

// A timer of no interval, which fires at every turn of the event loop (nested loops included):
// the longest gap between two turns is the longest time the thread could not answer an event.
class LoopWatcher
{
public:
    LoopWatcher()
    {
        clock.start();
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
        });
        timer.start(0);
    }
    // Forgets the gaps seen so far: the next figure covers what runs from now on.
    void reset()
    {
        last = clock.nsecsElapsed();
        longest = 0;
    }
    double longestMs() const { return longest / 1e6; }

private:
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
};

#endif // LOOPWATCHER_H
