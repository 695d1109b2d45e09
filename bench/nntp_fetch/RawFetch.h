#ifndef RAWFETCH_H
#define RAWFETCH_H

#include <QString>

#include <functional>

// N raw NntpConnections, each in a thread of its own, take articles from the news server on
// 127.0.0.1 until `totalBytes` have arrived, every body going through a segment temporary file
// (one per connection, overwritten). The reference the download benchmarks compare against.
struct RawFetchResult {
    double seconds = 0;
    double cpuSeconds = 0; // CPU of the fetching threads
    qint64 bytes = 0;
    QString error;
};

RawFetchResult rawFetch(quint16 port, int connections, const QString &folder, qint64 articleBytes, qint64 totalBytes,
                        const std::function<QString(int)> &messageIdOf);

// CPU seconds the calling thread has used.
double threadCpuSeconds();

#endif // RAWFETCH_H
