#ifndef PROCESSMEMORY_H
#define PROCESSMEMORY_H

#include <QByteArray>
#include <QFile>
#include <QString>

// The resident memory of this process as Linux counts it, for tests and benchmarks that bound
// what a piece of work may take.
namespace ProcessMemory {

// The peak resident memory since the process started or since resetPeak(), in bytes.
inline qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

// Lets the peak count from now on (the current resident memory becomes the peak).
inline bool resetPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

} // namespace ProcessMemory

#endif // PROCESSMEMORY_H
