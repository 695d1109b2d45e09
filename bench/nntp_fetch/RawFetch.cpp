#include "RawFetch.h"

#include "engine/NntpConnection.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <ctime>

double threadCpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

RawFetchResult rawFetch(quint16 port, int connections, const QString &folder, qint64 articleBytes, qint64 totalBytes,
                        const std::function<QString(int)> &messageIdOf)
{
    const int articles = static_cast<int>((totalBytes + articleBytes - 1) / articleBytes);
    std::atomic<int> nextArticle{0};
    std::atomic<qint64> bytes{0};
    std::atomic<int> ready{0};
    std::atomic<bool> go{false};
    QList<double> cpu;
    QStringList errors;
    QMutex resultMutex;

    QList<QThread *> threads;
    for (int c = 0; c < connections; ++c) {
        threads.append(QThread::create([&, c]() {
            NntpConnection connection;
            connection.setHost(QStringLiteral("127.0.0.1"));
            connection.setPort(port);
            const bool opened = connection.connectToServer();
            ++ready;
            while (!go.load())
                QThread::usleep(100);
            const double cpuStart = threadCpuSeconds();
            const QString path = QStringLiteral("%1/%2.tmp").arg(folder).arg(c);
            QString error = opened ? QString() : connection.lastError();
            for (int i = nextArticle++; opened && i < articles; i = nextArticle++) {
                if (!connection.downloadBody(messageIdOf(i), path, articleBytes)) {
                    error = connection.lastError();
                    break;
                }
                bytes += articleBytes;
            }
            const double used = threadCpuSeconds() - cpuStart;
            connection.disconnectFromServer();
            QMutexLocker locker(&resultMutex);
            cpu.append(used);
            if (!error.isEmpty())
                errors.append(error);
        }));
        threads.last()->start();
    }
    while (ready.load() < connections)
        QThread::usleep(100);

    QElapsedTimer clock;
    clock.start();
    go.store(true);
    for (QThread *thread : threads) {
        thread->wait();
        delete thread;
    }
    RawFetchResult result;
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.bytes = bytes.load();
    for (double used : qAsConst(cpu))
        result.cpuSeconds += used;
    result.error = errors.join(QStringLiteral("; "));
    return result;
}
