#ifndef HTTPTESTCONNECTION_H
#define HTTPTESTCONNECTION_H

#include "HttpTestServer.h"

#include <QByteArray>
#include <QObject>

class QTcpSocket;

// One accepted connection of the test HTTP server, living in the server's thread as a child
// of its socket: it reads requests one at a time, asks the server for the response and sends
// it with the pauses, chunks, stalls and drops the response asks for.
class HttpTestConnection : public QObject
{
public:
    HttpTestConnection(QTcpSocket *socket, HttpTestServer *server);

private:
    void readRequests();
    bool takeRequest(HttpTestServer::Request &request);
    void sendHead();
    void sendBodyFrom(qint64 offset);
    void sendGenerated();
    QByteArray generatedPiece(qint64 offset, qint64 size) const;
    void endBody(qint64 offset);
    void finishResponse();
    qint64 bodyLimit() const;
    static QByteArray reasonPhrase(int status);

    QTcpSocket *socket;
    HttpTestServer *server;
    int id;
    QByteArray buffer;
    bool answering = false;
    bool closeWhenDone = false;
    bool headOnly = false;
    HttpTestServer::Response response;
    // A body made while it is sent: how much has gone, and the pattern repeated over one piece.
    bool generating = false;
    qint64 generatedOffset = 0;
    QByteArray patternBlock;
};

#endif // HTTPTESTCONNECTION_H
