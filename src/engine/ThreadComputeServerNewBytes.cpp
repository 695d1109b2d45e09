#include "engine/ThreadComputeServerNewBytes.h"

#include <QTimer>

ThreadComputeServerNewBytes::ThreadComputeServerNewBytes(QObject *parent)
    : QThread(parent)
{
}

ThreadComputeServerNewBytes::~ThreadComputeServerNewBytes()
{
    delete timerSave;
}

// TODO(connections): add the counts to each configured server's bytes downloaded and byte count.
void ThreadComputeServerNewBytes::slotNewBytesDownloaded(QList<quint32> listServers, QList<quint64> listNbBytesDownloaded)
{
    Q_UNUSED(listServers);
    Q_UNUSED(listNbBytesDownloaded);
}

// TODO(connections): write the byte-count file of every server in listServersToSave.
void ThreadComputeServerNewBytes::slotSaveServersNewBytes()
{
}

// TODO(connections): create and start the three-second save timer before the event loop, and
// stop it (waiting out a save in progress) after it. The manager's shutdown already ends the
// event loop with quit() and waits for the thread.
void ThreadComputeServerNewBytes::run()
{
    exec();
}
