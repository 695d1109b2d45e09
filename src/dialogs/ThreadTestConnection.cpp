#include "dialogs/ThreadTestConnection.h"

std::atomic<int> ThreadTestConnection::instances{0};

ThreadTestConnection::ThreadTestConnection(QObject *parent)
    : QThread(parent)
{
    ++instances;
}

ThreadTestConnection::~ThreadTestConnection()
{
    --instances;
}

int ThreadTestConnection::instanceCount()
{
    return instances.load();
}

void ThreadTestConnection::setServer(NntpServer *record)
{
    server.copyRecordFieldsFrom(*record);
    server.iId = 0;

    connection.setLogin(server.strLogin);
    connection.setPassword(server.strPassword);
    connection.setSsl(server.bSsl);
    connection.setPort(server.iPort);
    connection.setHost(server.strHost);
}

void ThreadTestConnection::setTimeout(int milliseconds)
{
    connection.setTimeout(milliseconds);
}

void ThreadTestConnection::run()
{
    // A server may answer the opening's HELP without a log-in and want one for every article:
    // one harmless command more shows it.
    if (connection.connectToServer() && connection.checkReadAccess()) {
        emit signalEndOfThread(true, QString());
        connection.disconnectFromServer();
        return;
    }
    // Every failed opening has already closed its socket.
    emit signalEndOfThread(false, connection.lastError());
}
