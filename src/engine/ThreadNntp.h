#ifndef THREADNNTP_H
#define THREADNNTP_H

#include "engine/EngineWaits.h"
#include "engine/NntpConnection.h"
#include "model/NntpServer.h"

#include <QElapsedTimer>
#include <QString>
#include <QThread>

#include <atomic>

class DownloadNzbManager;
class NzbSegment;
class ThreadComputeSpeed;

// One connection to one news server: asks the download manager for the next segment, fetches
// its body into the segment's temporary file and reports the outcome by signal. Every signal
// carries the thread id by which the manager and the connections table tell connections apart.
//
// The object belongs to the thread that made it (the GUI thread): the relay slots run there,
// queued, except slotAverageSpeed(), which runs in the speed-sampling thread.
class ThreadNntp : public QThread
{
    Q_OBJECT

public:
    enum State { StateIdle = 0, StateWorking = 1, StatePaused = 2, StateNew = 3 };

    explicit ThreadNntp(QObject *parent = nullptr);
    ~ThreadNntp() override;

    // Takes a copy of the server's record fields and gives the connection its address and log-in.
    void setServer(NntpServer *pServer);
    // Where segments come from; the process's manager unless set before the start.
    void setManager(DownloadNzbManager *pManager) { pSegmentSource = pManager; }
    void setWaits(const EngineWaits &newWaits) { waits = newWaits; }
    // Tells the thread to end: it leaves at once, cutting short a connect, log-in or transfer
    // in progress; a segment it held goes back to the manager untried.
    void requestStop();

    QElapsedTimer idleTimer;
    NntpServer server;
    NntpConnection connection;
    NzbSegment *pCurrentSegment = nullptr;
    quint32 uiThreadId = 0;
    // Written by the GUI thread, read by the loop at its next pass.
    std::atomic<bool> bPaused{false};
    std::atomic<bool> bStop{false};
    qint32 iState = StateNew;
    ThreadComputeSpeed *pThreadComputeSpeed = nullptr;

public slots:
    void slotNntpBody(QString strMessageId);
    void slotConnect();
    void slotDisconnect();
    void slotGetGroups();
    void slotSelectGroup(QString strGroup);
    void slotStat(QString strMessage);
    void slotHelp();
    void slotCapabilities();
    void slotDate();
    void slotAverageSpeed(quint64 uiSpeed);

signals:
    void signalPaused(quint32 uiThreadId);
    void signalIdle(quint32 uiThreadId);
    void signalWorking(quint32 uiThreadId);
    void signalDownloadOK(NzbSegment *pSegment, quint32 uiServerId);
    void signalDownloadErrorException(NzbSegment *pSegment, QString strMessage, quint32 uiServerId);
    void signalDownloadErrorFailedCreateFile(NzbSegment *pSegment, QString strMessage = QString());
    void signalDownloadErrorMissingSegment(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage,
                                           QString strServerNickname, quint32 uiServerId);
    void signalDownloadErrorFailedConnect(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage = QString());
    // The segment goes back untried: the thread was stopped in the middle, or it cannot connect
    // and has already reported that error.
    void signalDownloadReturned(quint32 uiThreadId, NzbSegment *pSegment);
    // After each failed connect or log-in: its error, how many failed in a row, and the wait
    // before the next attempt.
    void signalConnectRetry(quint32 uiThreadId, QString strError, int iFailures, int iRetryMs);
    void signalBody(QString strMessageId, quint32 uiThreadId);
    void signalConnect(quint32 uiThreadId);
    void signalDisconnect(quint32 uiThreadId);
    void signalGetGroups(quint32 uiThreadId);
    void signalSelectGroup(QString strGroup, quint32 uiThreadId);
    void signalStat(QString strMessage, quint32 uiThreadId);
    void signalHelp(quint32 uiThreadId);
    void signalCapabilities(quint32 uiThreadId);
    void signalDate(quint32 uiThreadId);
    void signalAverageSpeed(quint64 uiSpeed, quint32 uiThreadId);
    void signalEndOfThread(quint32 uiThreadId);

protected:
    void run() override;

private:
    void connectRelays();
    void disconnectRelays();
    void startSpeedThread();
    void stopSpeedThread();

    void runPausePass();
    void waitForWork();
    void enterState(State state);
    bool openConnection(NzbSegment *pSegment);
    void failedConnect(NzbSegment *pSegment);
    void endConnectFailures();
    void reportFailedConnect(NzbSegment *pSegment);
    // bReused: the connection was open before this segment (the server may have closed it since).
    void fetch(NzbSegment *pSegment, bool bReused);
    void reportFailedTransfer(NzbSegment *pSegment);
    // Sleeps, but returns as soon as the thread is told to stop (or paused, when asked).
    void sleepUnlessStopped(int ms, bool bEndOnPause = false);
    quint32 serverId() const { return static_cast<quint32>(server.iId); }

    DownloadNzbManager *pSegmentSource = nullptr;
    EngineWaits waits;
    // The current series of failed connects: its error, its length and the next wait.
    QString strConnectError;
    int iConnectFailures = 0;
    int iConnectRetryMs = 0;
};

#endif // THREADNNTP_H
