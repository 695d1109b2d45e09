#include "engine/ThreadComputeServerNewBytes.h"

#include "config/AppConfiguration.h"
#include "model/NntpServer.h"

#include <QMutexLocker>
#include <QTimer>

namespace {

const unsigned long SaveEndPollMs = 100;

NntpServer *configuredServer(quint32 uiServerId)
{
    for (NntpServer *server : qAsConst(AppConfiguration::getInstance()->serversConfiguration.listServers)) {
        if (static_cast<quint32>(server->iId) == uiServerId)
            return server;
    }
    return nullptr;
}

} // namespace

ThreadComputeServerNewBytes::ThreadComputeServerNewBytes(QObject *parent)
    : QThread(parent)
{
}

ThreadComputeServerNewBytes::~ThreadComputeServerNewBytes()
{
    delete timerSave;
}

// GUI thread: the counts go to the servers' counters at once; their files are written later.
void ThreadComputeServerNewBytes::slotNewBytesDownloaded(QList<quint32> listServers, QList<quint64> listNbBytesDownloaded)
{
    QMutexLocker locker(&mutexServers);
    const int count = qMin(listServers.size(), listNbBytesDownloaded.size());
    for (int i = 0; i < count; ++i) {
        const quint32 id = listServers.at(i);
        NntpServer *server = configuredServer(id);
        // A server removed from the configuration meanwhile: its count is dropped.
        if (!server)
            continue;
        if (!listServersToSave.contains(id))
            listServersToSave.append(id);
        server->uiBytesDownloaded += listNbBytesDownloaded.at(i);
        server->histoNbBytes.iCount = static_cast<qint64>(server->uiBytesDownloaded);
    }
}

// GUI thread, at each tick of the save timer: the byte-count file of every server that
// received bytes since the last tick.
void ThreadComputeServerNewBytes::slotSaveServersNewBytes()
{
    if (listServersToSave.isEmpty())
        return;
    bSaving = true;
    {
        QMutexLocker locker(&mutexServers);
        for (quint32 id : qAsConst(listServersToSave)) {
            NntpServer *server = configuredServer(id);
            if (!server)
                continue;
            AppConfiguration::getInstance()->serversConfiguration.saveServerHisto(static_cast<qint32>(id));
            server->histoNbBytes.iCount = static_cast<qint64>(server->uiBytesDownloaded);
        }
        listServersToSave.clear();
    }
    bSaving = false;
}

void ThreadComputeServerNewBytes::run()
{
    // Made here, so that it belongs to this thread; its slot runs in the GUI thread, queued.
    timerSave = new QTimer;
    connect(timerSave, SIGNAL(timeout()), this, SLOT(slotSaveServersNewBytes()));
    timerSave->start(iSaveIntervalMs);
    exec();
    timerSave->stop();
    delete timerSave;
    timerSave = nullptr;
    while (bSaving.load())
        QThread::msleep(SaveEndPollMs);
}
