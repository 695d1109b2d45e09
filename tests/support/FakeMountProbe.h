#ifndef FAKEMOUNTPROBE_H
#define FAKEMOUNTPROBE_H

#include <QSemaphore>
#include <QString>

#include <atomic>

// Stands in for asking a mount point whether it can be read: one whose path holds "hang" never
// answers until the test releases it (a dead network mount), one whose path holds "unreadable"
// cannot be read, any other can.
struct FakeMountProbe
{
    static inline QSemaphore release{0};
    static inline std::atomic<int> hanging{0};

    static bool probe(const QString &mountPoint)
    {
        if (mountPoint.contains(QLatin1String("hang"))) {
            ++hanging;
            release.acquire();
            --hanging;
            return true;
        }
        return !mountPoint.contains(QLatin1String("unreadable"));
    }
};

#endif // FAKEMOUNTPROBE_H
