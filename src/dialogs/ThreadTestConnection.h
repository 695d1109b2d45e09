#ifndef THREADTESTCONNECTION_H
#define THREADTESTCONNECTION_H

#include "engine/NntpConnection.h"
#include "model/NntpServer.h"

#include <QString>
#include <QThread>

#include <atomic>

// Opens one NNTP session against a server record in a thread of its own, so that the window
// that asked stays responsive, reports the outcome once with signalEndOfThread and ends. It
// has no stop request: a test that nobody waits for any more runs to its end, bounded by the
// connection's time-outs, and its result reaches nobody.
class ThreadTestConnection : public QThread
{
    Q_OBJECT

public:
    explicit ThreadTestConnection(QObject *parent = nullptr);
    ~ThreadTestConnection() override;

    // Takes a copy of the record's connection fields (not its id nor its counters) and sets up
    // the connection from them; the record may be deleted as soon as this returns.
    void setServer(NntpServer *server);
    // Time allowed to each step of the opening; the connection's default (30 s) unless set.
    void setTimeout(int milliseconds);

    // Test threads that exist at the moment (a finished one until it has been deleted).
    static int instanceCount();

signals:
    // Emitted once per run, from the worker thread: true and an empty text when the session
    // opened, false and the connection's error text otherwise.
    void signalEndOfThread(bool ok, QString error);

protected:
    void run() override;

private:
    NntpServer server;
    NntpConnection connection;

    static std::atomic<int> instances;
};

#endif // THREADTESTCONNECTION_H
