#include "model/NntpServer.h"

NntpServer::NntpServer(QObject *parent)
    : QObject(parent),
      id(0),
      port(119),
      connectionCount(1),
      bytesDownloaded(0),
      started(false),
      reserved(false),
      ssl(false)
{
}

NntpServer::~NntpServer() = default;

void NntpServer::copyRecordFieldsFrom(const NntpServer &other)
{
    id = other.id;
    host = other.host;
    login = other.login;
    password = other.password;
    nickname = other.nickname;
    port = other.port;
    connectionCount = other.connectionCount;
    started = other.started;
    reserved = other.reserved;
    ssl = other.ssl;
}

QDataStream &operator<<(QDataStream &stream, const NntpServer &server)
{
    return stream << server.id << server.host << server.login << server.password << server.nickname
                  << server.port << server.connectionCount << server.started << server.reserved
                  << server.ssl;
}

QDataStream &operator>>(QDataStream &stream, NntpServer &server)
{
    return stream >> server.id >> server.host >> server.login >> server.password >> server.nickname
        >> server.port >> server.connectionCount >> server.started >> server.reserved >> server.ssl;
}
