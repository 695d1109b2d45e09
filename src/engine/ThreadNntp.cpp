#include "engine/ThreadNntp.h"

#include "engine/DownloadNzbManager.h"
#include "engine/ThreadComputeSpeed.h"
#include "model/NzbSegment.h"

#include <QDir>

namespace {

// Longest single sleep of the loop, so that a stop is seen soon.
const int StopPollMs = 20;

} // namespace

ThreadNntp::ThreadNntp(QObject *parent)
    : QThread(parent)
{
    connectRelays();
}

ThreadNntp::~ThreadNntp()
{
    // Deleting a running thread would abort the process: it is told to stop and waited for.
    requestStop();
    wait();
    disconnectRelays();
    stopSpeedThread();
}

void ThreadNntp::connectRelays()
{
    connect(&connection, SIGNAL(signalBody(QString)), this, SLOT(slotNntpBody(QString)));
    connect(&connection, SIGNAL(signalConnect()), this, SLOT(slotConnect()));
    connect(&connection, SIGNAL(signalDisconnect()), this, SLOT(slotDisconnect()));
    connect(&connection, SIGNAL(signalGetGroups()), this, SLOT(slotGetGroups()));
    connect(&connection, SIGNAL(signalSelectGroup(QString)), this, SLOT(slotSelectGroup(QString)));
    connect(&connection, SIGNAL(signalStat(QString)), this, SLOT(slotStat(QString)));
    connect(&connection, SIGNAL(signalHelp()), this, SLOT(slotHelp()));
    connect(&connection, SIGNAL(signalCapabilities()), this, SLOT(slotCapabilities()));
    connect(&connection, SIGNAL(signalDate()), this, SLOT(slotDate()));
    connect(&connection, SIGNAL(signalAverageSpeed(quint64)), this, SLOT(slotAverageSpeed(quint64)),
            Qt::DirectConnection);
}

void ThreadNntp::disconnectRelays()
{
    disconnect(&connection, nullptr, this, nullptr);
}

void ThreadNntp::setServer(NntpServer *pServer)
{
    server.copyRecordFieldsFrom(*pServer);
    connection.setHost(server.strHost);
    connection.setPort(server.iPort);
    connection.setLogin(server.strLogin);
    connection.setPassword(server.strPassword);
    connection.setSsl(server.bSsl);
}

void ThreadNntp::requestStop()
{
    bStop = true;
    connection.requestAbort();
}

// Relays: each passes a signal of the connection on with this thread's id.
void ThreadNntp::slotNntpBody(QString strMessageId) { emit signalBody(strMessageId, uiThreadId); }
void ThreadNntp::slotConnect() { emit signalConnect(uiThreadId); }
void ThreadNntp::slotDisconnect() { emit signalDisconnect(uiThreadId); }
void ThreadNntp::slotGetGroups() { emit signalGetGroups(uiThreadId); }
void ThreadNntp::slotSelectGroup(QString strGroup) { emit signalSelectGroup(strGroup, uiThreadId); }
void ThreadNntp::slotStat(QString strMessage) { emit signalStat(strMessage, uiThreadId); }
void ThreadNntp::slotHelp() { emit signalHelp(uiThreadId); }
void ThreadNntp::slotCapabilities() { emit signalCapabilities(uiThreadId); }
void ThreadNntp::slotDate() { emit signalDate(uiThreadId); }
void ThreadNntp::slotAverageSpeed(quint64 uiSpeed) { emit signalAverageSpeed(uiSpeed, uiThreadId); }

// The speed thread samples the connection from the start of run() until this object goes.
void ThreadNntp::startSpeedThread()
{
    pThreadComputeSpeed = new ThreadComputeSpeed;
    pThreadComputeSpeed->target = &connection;
    pThreadComputeSpeed->start(QThread::InheritPriority);
}

void ThreadNntp::stopSpeedThread()
{
    if (!pThreadComputeSpeed)
        return;
    pThreadComputeSpeed->quit();
    pThreadComputeSpeed->wait();
    delete pThreadComputeSpeed;
    pThreadComputeSpeed = nullptr;
}

void ThreadNntp::run()
{
    startSpeedThread();
    idleTimer.start();
    DownloadNzbManager *manager = pSegmentSource ? pSegmentSource : DownloadNzbManager::getInstance();
    while (!bStop) {
        if (bPaused) {
            runPausePass();
            continue;
        }
        NzbSegment *segment = manager->getNextSegment(serverId());
        pCurrentSegment = segment;
        if (!segment) {
            waitForWork();
            continue;
        }
        if (bStop) {
            emit signalDownloadReturned(uiThreadId, segment);
            break;
        }
        enterState(StateWorking);
        const bool reused = connection.isConnected();
        if (reused || openConnection(segment))
            fetch(segment, reused);
        idleTimer.restart();
    }
    pCurrentSegment = nullptr;
    // A socket the server has closed is still removed here, by the thread that owns it.
    if (connection.isConnected() || connection.hasSocket())
        connection.disconnectFromServer();
    emit signalEndOfThread(uiThreadId);
}

// One pass of a paused connection: it drops its server connection and reports itself paused.
void ThreadNntp::runPausePass()
{
    emit signalPaused(uiThreadId);
    iState = StatePaused;
    if (connection.isConnected()) {
        connection.disconnectFromServer();
        sleepUnlessStopped(waits.pausePassMs);
        emit signalPaused(uiThreadId);
    }
    sleepUnlessStopped(waits.pausePassMs);
    idleTimer.restart();
    if (bStop)
        bPaused = false;
}

// No work: the connection reports itself idle and drops its server connection after a while.
void ThreadNntp::waitForWork()
{
    enterState(StateIdle);
    if (idleTimer.elapsed() >= waits.idleDisconnectMs && connection.isConnected()) {
        connection.disconnectFromServer();
        sleepUnlessStopped(waits.afterIdleDisconnectMs);
        emit signalIdle(uiThreadId);
    }
    sleepUnlessStopped(waits.idlePollMs);
}

void ThreadNntp::enterState(State state)
{
    if (iState == state)
        return;
    iState = state;
    if (state == StateIdle)
        emit signalIdle(uiThreadId);
    else if (state == StateWorking)
        emit signalWorking(uiThreadId);
}

bool ThreadNntp::openConnection(NzbSegment *pSegment)
{
    if (connection.connectToServer())
        return true;
    failedConnect(pSegment);
    return false;
}

// The connection could not be opened, or the server wants a login it was not given: the segment
// goes back and the thread waits before its next attempt.
void ThreadNntp::failedConnect(NzbSegment *pSegment)
{
    if (bStop) {
        emit signalDownloadReturned(uiThreadId, pSegment);
        return;
    }
    reportFailedConnect(pSegment);
    // A long wait ends early when the user pauses, so that the pause shows at once.
    sleepUnlessStopped(iConnectRetryMs, true);
}

// The server has let the connection in as far as an article: a series of failed connects ends.
void ThreadNntp::endConnectFailures()
{
    strConnectError.clear();
    iConnectFailures = 0;
    iConnectRetryMs = 0;
}

// A server that keeps refusing is tried again and again, but less and less often (the wait
// doubles up to its cap), and one error is reported once, then once more with its count when
// the wait has reached its cap. The segment goes back each time either way.
void ThreadNntp::reportFailedConnect(NzbSegment *pSegment)
{
    const QString error = connection.lastError();
    if (error != strConnectError) {
        strConnectError = error;
        iConnectFailures = 0;
        iConnectRetryMs = 0;
    }
    ++iConnectFailures;
    const int cap = qMax(waits.maxFailedConnectMs, waits.failedConnectMs);
    iConnectRetryMs = iConnectRetryMs == 0 ? waits.failedConnectMs : qMin(2 * iConnectRetryMs, cap);

    // The failure at which the wait first reaches its cap (the second at the earliest).
    int failuresToCap = 1;
    for (qint64 ms = waits.failedConnectMs; ms < cap; ms *= 2)
        ++failuresToCap;
    const int reportCountAt = qMax(2, failuresToCap);

    if (iConnectFailures == 1) {
        emit signalDownloadErrorFailedConnect(uiThreadId, pSegment, error);
    } else if (iConnectFailures == reportCountAt) {
        emit signalDownloadErrorFailedConnect(
            uiThreadId, pSegment,
            tr("%1 (failed %2 times in a row; trying again every %3 s)")
                .arg(error.trimmed())
                .arg(iConnectFailures)
                .arg(QString::number(cap / 1000.0)));
    } else {
        emit signalDownloadReturned(uiThreadId, pSegment);
    }
    // Every attempt, reported or not, shows in the connection's row until the next one starts.
    emit signalConnectRetry(uiThreadId, error, iConnectFailures, iConnectRetryMs);
}

void ThreadNntp::fetch(NzbSegment *pSegment, bool bReused)
{
    const QString folder = pSegment->strTempFolder;
    if (!folder.isEmpty() && !QDir(folder).exists())
        QDir().mkpath(folder);
    // The announced size raises the connection's cap on the body.
    const qint64 announced =
        static_cast<qint64>(qMin<quint64>(pSegment->getBytesValue(), NntpConnection::MaximumBodyCap));
    if (connection.downloadBody(pSegment->getMessageId(), pSegment->getTempFilePath(), announced)) {
        endConnectFailures();
        emit signalDownloadOK(pSegment, serverId());
        return;
    }
    if (connection.isAbortRequested()) {
        emit signalDownloadReturned(uiThreadId, pSegment);
        connection.disconnectFromServer();
        return;
    }
    // A server that closes a connection after an article, or after an idle time shorter than
    // ours, has told nothing about this one: it goes over a new connection at once.
    if (bReused && connection.closedBeforeReply()) {
        connection.disconnectFromServer();
        if (openConnection(pSegment))
            fetch(pSegment, false);
        return;
    }
    // 480: the server wants a login. That is a connection that failed, not an article.
    if (connection.errorCode() == NntpConnection::NntpErrorConnection) {
        connection.disconnectFromServer();
        failedConnect(pSegment);
        return;
    }
    endConnectFailures();
    reportFailedTransfer(pSegment);
    sleepUnlessStopped(waits.failedTransferMs);
}

void ThreadNntp::reportFailedTransfer(NzbSegment *pSegment)
{
    const QString error = connection.lastError();
    switch (connection.errorCode()) {
    case NntpConnection::NntpErrorNotConnected:
        emit signalDownloadErrorException(pSegment, error, serverId());
        connection.disconnectFromServer();
        return;
    case NntpConnection::NntpErrorTempFile:
        emit signalDownloadErrorFailedCreateFile(pSegment, error);
        return;
    default:
        break;
    }
    if (error.size() > 2 && (error.startsWith(QLatin1String("430")) || error.startsWith(QLatin1String("423")))) {
        emit signalDownloadErrorMissingSegment(uiThreadId, pSegment, QString(), server.strNickname, serverId());
        return;
    }
    emit signalDownloadErrorException(pSegment, error, serverId());
    connection.disconnectFromServer();
}

void ThreadNntp::sleepUnlessStopped(int ms, bool bEndOnPause)
{
    QElapsedTimer slept;
    slept.start();
    for (qint64 left = ms; left > 0 && !bStop && !(bEndOnPause && bPaused); left = ms - slept.elapsed())
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(left, StopPollMs)));
}
