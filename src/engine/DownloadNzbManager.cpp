// The manager's instance, construction, thread body, shutdown and destruction.
#include "engine/DownloadNzbManager.h"

#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMetaType>
#include <QTimer>

#include <atomic>
#include <climits>

namespace {

constexpr int kTimerIntervalMs = 1000;
// How often a worker that has not ended yet is told again to stop: a worker clears its stop
// flag when its run() begins, so a flag set just before that would be lost.
constexpr unsigned long kStopRepeatMs = 50;

// Sets a worker's stop flag until its thread has ended or the bound has passed; true when it ended.
template <typename Worker>
bool stopWorker(Worker &worker, unsigned long boundMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        worker.bStop = true;
        if (worker.wait(kStopRepeatMs))
            return true;
        if (static_cast<unsigned long>(elapsed.elapsed()) >= boundMs)
            return false;
    }
}

} // namespace

DownloadNzbManager *DownloadNzbManager::getInstance()
{
    static DownloadNzbManager instance;
    return &instance;
}

DownloadNzbManager::DownloadNzbManager()
    : QThread(nullptr)
{
    registerValueTypes();
    connectPostProcessingWorkers();
    connect(this, SIGNAL(signalNewBytesDownloaded(QList<quint32>,QList<quint64>)), &threadComputeServerNewBytes,
            SLOT(slotNewBytesDownloaded(QList<quint32>,QList<quint64>)));
}

void DownloadNzbManager::registerValueTypes()
{
    qRegisterMetaType<ParityJob>("ParityJob");
    qRegisterMetaType<UnrarJob>("UnrarJob");
    qRegisterMetaType<UnsplitJob>("UnsplitJob");
    qRegisterMetaType<quint32>("quint32");
    qRegisterMetaType<quint64>("quint64");
    qRegisterMetaType<QList<quint32>>("QList<quint32>");
    qRegisterMetaType<QList<quint64>>("QList<quint64>");
    // The model travels between threads as plain pointers in queued signals.
    qRegisterMetaType<NzbSegment *>("NzbSegment*");
    qRegisterMetaType<NzbFile *>("NzbFile*");
    qRegisterMetaType<NzbFiles *>("NzbFiles*");
}

void DownloadNzbManager::connectPostProcessingWorkers()
{
    connect(&threadParity, SIGNAL(parityDoneSignal(ParityJob,int,quint32)), this,
            SLOT(par2DoneSlot(ParityJob,int,quint32)));
    connect(&threadParity, SIGNAL(UpdateProgressSignal(quint32,QString)), this,
            SLOT(par2ProgressSignal(quint32,QString)));
    connect(this, SIGNAL(signalStartUnrar(NzbFiles*)), this, SLOT(unrarStartSlot(NzbFiles*)));
    connect(&threadUnrar, SIGNAL(UpdateProgressSignal(QString,quint32)), this,
            SLOT(unrarProgressSignal(QString,quint32)));
    connect(&threadUnrar, SIGNAL(unrarDoneSignal(UnrarJob,int,quint32)), this,
            SLOT(unrarDoneSlot(UnrarJob,int,quint32)));
    connect(this, SIGNAL(signalStartUnsplit(NzbFiles*)), this, SLOT(unsplitStartSlot(NzbFiles*)));
    connect(&threadUnsplit, SIGNAL(UpdateProgressSignal(quint32,quint32,quint32)), this,
            SLOT(unsplitProgress(quint32,quint32,quint32)));
    connect(&threadUnsplit, SIGNAL(unsplitDoneSignal(UnsplitJob,int,QString)), this,
            SLOT(unsplitDoneSlot(UnsplitJob,int,QString)));
}

void DownloadNzbManager::disconnectPostProcessingWorkers()
{
    disconnect(&threadParity, SIGNAL(parityDoneSignal(ParityJob,int,quint32)), this,
               SLOT(par2DoneSlot(ParityJob,int,quint32)));
    disconnect(&threadParity, SIGNAL(UpdateProgressSignal(quint32,QString)), this,
               SLOT(par2ProgressSignal(quint32,QString)));
    disconnect(this, SIGNAL(signalStartUnrar(NzbFiles*)), this, SLOT(unrarStartSlot(NzbFiles*)));
    disconnect(&threadUnrar, SIGNAL(UpdateProgressSignal(QString,quint32)), this,
               SLOT(unrarProgressSignal(QString,quint32)));
    disconnect(&threadUnrar, SIGNAL(unrarDoneSignal(UnrarJob,int,quint32)), this,
               SLOT(unrarDoneSlot(UnrarJob,int,quint32)));
    disconnect(this, SIGNAL(signalStartUnsplit(NzbFiles*)), this, SLOT(unsplitStartSlot(NzbFiles*)));
    disconnect(&threadUnsplit, SIGNAL(UpdateProgressSignal(quint32,quint32,quint32)), this,
               SLOT(unsplitProgress(quint32,quint32,quint32)));
    disconnect(&threadUnsplit, SIGNAL(unsplitDoneSignal(UnsplitJob,int,QString)), this,
               SLOT(unsplitDoneSlot(UnsplitJob,int,QString)));
}

// The manager's own thread: three one-second timers and the post-processing workers.
void DownloadNzbManager::run()
{
    timerAverageSpeed = new QTimer;
    timerServerNewBytes = new QTimer;
    timerNzbToProcess = new QTimer;
    connect(timerAverageSpeed, SIGNAL(timeout()), this, SLOT(computeAverageSpeed()), Qt::DirectConnection);
    connect(timerServerNewBytes, SIGNAL(timeout()), this, SLOT(computeServerNewBytes()), Qt::DirectConnection);
    connect(timerNzbToProcess, SIGNAL(timeout()), this, SLOT(slotNextNzbToProcess()), Qt::DirectConnection);
    threadParity.start(QThread::NormalPriority);
    threadUnrar.start(QThread::NormalPriority);
    threadUnsplit.start(QThread::NormalPriority);
    threadComputeServerNewBytes.start(QThread::NormalPriority);
    // A worker drops the jobs added before its run() has begun: the first tick, which hands
    // one over, waits for them.
    waitForWorkers();

    timerAverageSpeed->start(kTimerIntervalMs);
    timerNzbToProcess->start(kTimerIntervalMs);
    timerServerNewBytes->start(kTimerIntervalMs);

    exec();

    timerAverageSpeed->stop();
    timerServerNewBytes->stop();
    timerNzbToProcess->stop();
    delete timerAverageSpeed;
    delete timerServerNewBytes;
    delete timerNzbToProcess;
    timerAverageSpeed = nullptr;
    timerServerNewBytes = nullptr;
    timerNzbToProcess = nullptr;
}

void DownloadNzbManager::waitForWorkers()
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!(threadParity.isTakingJobs() && threadUnrar.isTakingJobs() && threadUnsplit.isTakingJobs())
           && elapsed.elapsed() < qint64(kWorkerStopWaitMs))
        msleep(1);
}

void DownloadNzbManager::shutdown()
{
    if (bShutDown)
        return;
    bShutDown = true;
    stopOwnThreads();
}

// Ends every thread the manager owns, in the order of the exit sequence. A QThread that is
// destroyed while it runs aborts the process, so nothing is ever terminated: each thread is
// told to stop and waited for. The manager's thread runs only timers and ends at once; the
// post-processing workers notice their stop flag within their 100 ms idle wait, kill a running
// par2 or unrar within one 10 ms poll of its output and stop a join at its next chunk, so the
// bounds (kWorkerStopWaitMs each, kSaverStopWaitMs for the byte-count saver) are only reached
// when a system call hangs; the destructor then waits for what is left.
void DownloadNzbManager::stopOwnThreads()
{
    // Waiting for the manager's thread first means its run() has started the workers (or never
    // will) before they are told to stop. It is waited for until it has ended, however long
    // that takes: the rest of the exit tears down what its timers still use, and doing so
    // beside it crashed the process at exit.
    quit();
    QElapsedTimer elapsed;
    elapsed.start();
    bool bSaid = false;
    while (!wait(kStopRepeatMs)) {
        if (!bSaid && elapsed.elapsed() >= qint64(kWorkerStopWaitMs)) {
            qDebug() << "The download manager's thread did not end within" << kWorkerStopWaitMs << "ms";
            bSaid = true;
        }
    }
    disconnectPostProcessingWorkers();
    stopAllThreads();
    disconnect(this, SIGNAL(signalNewBytesDownloaded(QList<quint32>,QList<quint64>)), &threadComputeServerNewBytes,
               SLOT(slotNewBytesDownloaded(QList<quint32>,QList<quint64>)));
    // All three are told at once, so that they stop side by side; then each is waited for.
    threadUnrar.bStop = true;
    threadParity.bStop = true;
    threadUnsplit.bStop = true;
    threadComputeServerNewBytes.quit();
    if (!stopWorker(threadUnrar, kWorkerStopWaitMs))
        qDebug() << "The extraction worker did not end within" << kWorkerStopWaitMs << "ms";
    if (!stopWorker(threadParity, kWorkerStopWaitMs))
        qDebug() << "The PAR2 worker did not end within" << kWorkerStopWaitMs << "ms";
    if (!stopWorker(threadUnsplit, kWorkerStopWaitMs))
        qDebug() << "The joining worker did not end within" << kWorkerStopWaitMs << "ms";
    if (!threadComputeServerNewBytes.wait(kSaverStopWaitMs))
        qDebug() << "The byte-count saver did not end within" << kSaverStopWaitMs << "ms";
    stopFileDecoders();
}

DownloadNzbManager::~DownloadNzbManager()
{
    if (!bShutDown)
        shutdown();
    // Whatever outlived its bound is waited for: destroying a running thread would abort.
    quit();
    wait();
    const unsigned long noBound = ULONG_MAX;
    stopWorker(threadUnrar, noBound);
    stopWorker(threadParity, noBound);
    stopWorker(threadUnsplit, noBound);
    threadComputeServerNewBytes.quit();
    threadComputeServerNewBytes.wait();

    qDeleteAll(listNzbFiles);
    listNzbFiles.clear();
    hashServerSegments.clear();
    // Every thread that could still hold a pointer into them has ended.
    qDeleteAll(listDeletedNzbFiles);
    listDeletedNzbFiles.clear();
    qDeleteAll(listStopRequestsPending);
    qDeleteAll(listStopRequests);
    deletePostProcessingJobs();
}
