#include "HttpTestListener.h"

#include "HttpTestConnection.h"
#include "HttpTestServer.h"

#include <QFile>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

namespace {

// Accepts plain connections, or TLS ones with the server's certificate.
class AcceptingServer : public QTcpServer
{
public:
    explicit AcceptingServer(const HttpTestServer *owner) : owner(owner)
    {
        if (!owner->isTls())
            return;
        QFile certificateFile(owner->certificatePath());
        QFile keyFile(owner->keyPath());
        if (certificateFile.open(QIODevice::ReadOnly))
            certificate = QSslCertificate(&certificateFile, QSsl::Pem);
        if (keyFile.open(QIODevice::ReadOnly))
            key = QSslKey(&keyFile, QSsl::Rsa, QSsl::Pem);
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (!owner->isTls()) {
            QTcpServer::incomingConnection(descriptor);
            return;
        }
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(certificate);
        socket->setPrivateKey(key);
        socket->setPeerVerifyMode(QSslSocket::VerifyNone);
        socket->startServerEncryption();
        addPendingConnection(socket);
    }

private:
    const HttpTestServer *owner;
    QSslCertificate certificate;
    QSslKey key;
};

} // namespace

HttpTestListener::HttpTestListener(HttpTestServer *server, quint16 port)
    : server(server), requestedPort(port)
{
}

bool HttpTestListener::startListening(quint16 &port, QString &reason)
{
    start();
    listening.acquire();
    port = boundPort;
    reason = error;
    return error.isEmpty();
}

void HttpTestListener::run()
{
    AcceptingServer tcpServer(server);
    if (!tcpServer.listen(QHostAddress::LocalHost, requestedPort)) {
        error = tcpServer.errorString();
        listening.release();
        return;
    }
    boundPort = tcpServer.serverPort();
    QObject::connect(&tcpServer, &QTcpServer::newConnection, &tcpServer, [this, &tcpServer] {
        while (QTcpSocket *socket = tcpServer.nextPendingConnection())
            new HttpTestConnection(socket, server);
    });
    listening.release();
    exec();
    // The sockets are children of the listening server, the connections children of their
    // sockets: leaving this scope closes and deletes them all in this thread.
}
