#include "HttpTestConnection.h"

#include <QTcpSocket>
#include <QTimer>

namespace {

const QByteArray HeaderEnd("\r\n\r\n");

// A made body goes out in pieces of this size, and only while less than HighWater bytes wait
// in the socket: as fast as the client reads, never faster.
const qint64 PieceSize = 256 * 1024;
const qint64 HighWater = 1024 * 1024;

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
    connect(socket, &QTcpSocket::bytesWritten, this, [this] {
        if (generating)
            sendGenerated();
    });
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
    else if (!response.noContentLength && !response.isEndless())
        head += "Content-Length: " + QByteArray::number(response.bodySize()) + "\r\n";
    if (closeWhenDone)
        head += "Connection: close\r\n";
    head += "\r\n";
    socket->write(head);
    if (headOnly) {
        finishResponse();
        return;
    }
    if (response.generatedBytes != 0) {
        const QByteArray pattern = response.generatedPattern.isEmpty() ? QByteArray("x") : response.generatedPattern;
        patternBlock = pattern.repeated(int((PieceSize + pattern.size()) / pattern.size() + 1));
        response.generatedPattern = pattern;
        generatedOffset = 0;
        generating = true;
        sendGenerated();
        return;
    }
    sendBodyFrom(0);
}

// How much of the body is sent: all of it, or up to the close or the stall; -1 without end.
qint64 HttpTestConnection::bodyLimit() const
{
    qint64 limit = response.isEndless() ? -1 : response.bodySize();
    for (const qint64 fault : {response.closeAfterBodyBytes, response.stallAfterBodyBytes}) {
        if (fault >= 0)
            limit = limit < 0 ? fault : qMin(limit, fault);
    }
    return limit;
}

void HttpTestConnection::sendGenerated()
{
    const qint64 limit = bodyLimit();
    while (socket->bytesToWrite() < HighWater && (limit < 0 || generatedOffset < limit)) {
        const QByteArray piece = generatedPiece(generatedOffset, limit < 0 ? PieceSize : qMin(PieceSize, limit - generatedOffset));
        socket->write(response.chunked ? QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n" : piece);
        generatedOffset += piece.size();
    }
    if (limit >= 0 && generatedOffset >= limit) {
        generating = false;
        endBody(generatedOffset);
    }
}

// Bytes [offset, offset + size) of the body followed by the pattern repeated (fewer at the end
// of the body).
QByteArray HttpTestConnection::generatedPiece(qint64 offset, qint64 size) const
{
    if (offset < response.body.size())
        return response.body.mid(int(offset), int(qMin<qint64>(size, response.body.size() - offset)));
    const int start = int((offset - response.body.size()) % response.generatedPattern.size());
    return patternBlock.mid(start, int(size));
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
    endBody(offset);
}

// After the last byte sent: the drop, the stall or the end of the response that it asks for.
void HttpTestConnection::endBody(qint64 offset)
{
    const qint64 size = response.isEndless() ? -1 : response.bodySize();
    const auto cutsTheBody = [size](qint64 fault) { return fault >= 0 && (size < 0 || fault < size); };
    if (cutsTheBody(response.closeAfterBodyBytes) && offset >= response.closeAfterBodyBytes) {
        socket->disconnectFromHost();
        return;
    }
    if (cutsTheBody(response.stallAfterBodyBytes))
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
