#include "HttpTestConnection.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

const QByteArray HeaderEnd("\r\n\r\n");

QList<HttpTestServer::Header> parseHeaders(const QList<QByteArray> &lines)
{
    QList<HttpTestServer::Header> headers;
    for (const QByteArray &line : lines) {
        const int colon = line.indexOf(':');
        if (colon > 0)
            headers.append(HttpTestServer::Header(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
    }
    return headers;
}

} // namespace

HttpTestConnection::HttpTestConnection(QTcpSocket *socket, HttpTestServer *server)
    : QObject(socket), socket(socket), server(server), id(server->newConnectionId())
{
    connect(socket, &QTcpSocket::readyRead, this, [this] {
        buffer += this->socket->readAll();
        readRequests();
    });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

void HttpTestConnection::readRequests()
{
    if (answering)
        return;
    HttpTestServer::Request request;
    if (!takeRequest(request))
        return;
    answering = true;
    headOnly = request.method == "HEAD";
    closeWhenDone = request.header("Connection").toLower() == "close"
                    || request.header("Proxy-Connection").toLower() == "close";
    response = server->respond(request);
    if (response.noContentLength)
        closeWhenDone = true;
    if (response.delayMs > 0)
        QTimer::singleShot(response.delayMs, this, [this] { sendHead(); });
    else
        sendHead();
}

bool HttpTestConnection::takeRequest(HttpTestServer::Request &request)
{
    const int end = buffer.indexOf(HeaderEnd);
    if (end < 0)
        return false;
    QList<QByteArray> lines = buffer.left(end).split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    const QList<QByteArray> parts = lines.value(0).split(' ');
    request.line = lines.value(0);
    request.method = parts.value(0);
    request.target = parts.value(1);
    request.version = parts.value(2);
    request.headers = parseHeaders(lines.mid(1));
    const qint64 length = request.header("Content-Length").toLongLong();
    const qint64 bodyStart = end + HeaderEnd.size();
    if (buffer.size() - bodyStart < length)
        return false;
    request.body = buffer.mid(bodyStart, length);
    request.connection = id;
    buffer.remove(0, bodyStart + length);
    return true;
}

void HttpTestConnection::sendHead()
{
    QByteArray reason = response.reason.isEmpty() ? reasonPhrase(response.status) : response.reason;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reason + "\r\n";
    for (const HttpTestServer::Header &header : qAsConst(response.headers))
        head += header.first + ": " + header.second + "\r\n";
    if (response.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else if (!response.noContentLength)
        head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
    if (closeWhenDone)
        head += "Connection: close\r\n";
    head += "\r\n";
    socket->write(head);
    if (headOnly) {
        finishResponse();
        return;
    }
    sendBodyFrom(0);
}

qint64 HttpTestConnection::bodyLimit() const
{
    qint64 limit = response.body.size();
    if (response.closeAfterBodyBytes >= 0)
        limit = qMin(limit, response.closeAfterBodyBytes);
    if (response.stallAfterBodyBytes >= 0)
        limit = qMin(limit, response.stallAfterBodyBytes);
    return limit;
}

void HttpTestConnection::sendBodyFrom(qint64 offset)
{
    const qint64 limit = bodyLimit();
    if (!response.chunked) {
        socket->write(response.body.mid(offset, limit - offset));
        offset = limit;
    } else if (offset < limit) {
        const QByteArray chunk = response.body.mid(offset, qMin<qint64>(response.chunkSize, limit - offset));
        socket->write(QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n");
        offset += chunk.size();
        if (offset < limit) {
            QTimer::singleShot(response.chunkPauseMs, this, [this, offset] { sendBodyFrom(offset); });
            return;
        }
    }
    if (response.closeAfterBodyBytes >= 0 && offset >= response.closeAfterBodyBytes
        && response.closeAfterBodyBytes < response.body.size()) {
        socket->disconnectFromHost();
        return;
    }
    if (response.stallAfterBodyBytes >= 0 && response.stallAfterBodyBytes < response.body.size())
        return;  // the connection stays open and silent until the client gives up
    if (response.chunked)
        socket->write("0\r\n\r\n");
    finishResponse();
}

void HttpTestConnection::finishResponse()
{
    answering = false;
    if (closeWhenDone) {
        socket->disconnectFromHost();
        return;
    }
    readRequests();
}

QByteArray HttpTestConnection::reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 407: return "Proxy Authentication Required";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}
