#include "NntpTestListener.h"

#include "NntpTestServer.h"

#include <QHostAddress>
#include <QTcpServer>

namespace {

class DescriptorServer : public QTcpServer
{
public:
    explicit DescriptorServer(NntpTestServer *owner) : owner(owner) {}

protected:
    void incomingConnection(qintptr descriptor) override { owner->acceptConnection(descriptor); }

private:
    NntpTestServer *owner;
};

} // namespace

NntpTestListener::NntpTestListener(NntpTestServer *server, quint16 port)
    : server(server), requestedPort(port)
{
}

bool NntpTestListener::startListening(quint16 &port, QString &reason)
{
    start();
    listening.acquire();
    port = boundPort;
    reason = error;
    return error.isEmpty();
}

void NntpTestListener::run()
{
    DescriptorServer tcpServer(server);
    tcpServer.setMaxPendingConnections(1000);
    if (!tcpServer.listen(QHostAddress::LocalHost, requestedPort)) {
        error = tcpServer.errorString();
        listening.release();
        return;
    }
    boundPort = tcpServer.serverPort();
    listening.release();
    while (!server->stopping())
        tcpServer.waitForNewConnection(20);
}
