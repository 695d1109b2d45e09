#ifndef PROCESSMEMORY_H
#define PROCESSMEMORY_H

#include <QByteArray>
#include <QFile>
#include <QtGlobal>

// The memory this process holds, from /proc/self: what is resident now, and the peak since
// the last resetPeak(), to check that a transfer of hundreds of megabytes did not pile up.
class ProcessMemory
{
public:
    static qint64 residentBytes() { return statusValue("VmRSS:"); }
    static qint64 peakBytes() { return statusValue("VmHWM:"); }

    // Starts the peak afresh from what is resident now; false where the kernel cannot.
    static bool resetPeak()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    }

private:
    // A "Name:   1234 kB" line of /proc/self/status, in bytes; -1 when missing.
    static qint64 statusValue(const QByteArray &name)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith(name))
                return line.mid(name.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
        }
        return -1;
    }
};

#endif // PROCESSMEMORY_H
