#ifndef THREADCOMPUTESERVERNEWBYTES_H
#define THREADCOMPUTESERVERNEWBYTES_H

#include <QList>
#include <QMutex>
#include <QThread>

#include <atomic>

class QTimer;

// Adds the bytes each news server received to its counters, and every three seconds writes
// the byte-count file of each server that received bytes. The object belongs to the GUI
// thread, where both slots run; its own thread only runs the save timer.
class ThreadComputeServerNewBytes : public QThread
{
    Q_OBJECT

public:
    explicit ThreadComputeServerNewBytes(QObject *parent = nullptr);
    ~ThreadComputeServerNewBytes() override;

    QTimer *timerSave = nullptr;      // lives while run() does
    QList<quint32> listServersToSave; // mutexServers
    QMutex mutexServers;
    std::atomic<bool> bSaving{false};
    // Period of the save timer, read when the thread starts (it may be set meanwhile).
    std::atomic<int> iSaveIntervalMs{3000};

public slots:
    void slotNewBytesDownloaded(QList<quint32> listServers, QList<quint64> listNbBytesDownloaded);
    void slotSaveServersNewBytes();

protected:
    void run() override;
};

#endif // THREADCOMPUTESERVERNEWBYTES_H
