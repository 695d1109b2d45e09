#include "model/NntpServer.h"

NntpServer::NntpServer(QObject *parent)
    : QObject(parent)
{
}

NntpServer::~NntpServer() = default;

void NntpServer::copyRecordFieldsFrom(const NntpServer &other)
{
    iId = other.iId;
    strHost = other.strHost;
    strLogin = other.strLogin;
    strPassword = other.strPassword;
    strNickname = other.strNickname;
    iPort = other.iPort;
    iConnectionCount = other.iConnectionCount;
    bStarted = other.bStarted;
    bReserved = other.bReserved;
    bSsl = other.bSsl;
}

QDataStream &operator<<(QDataStream &stream, const NntpServer &server)
{
    return stream << server.iId << server.strHost << server.strLogin << server.strPassword << server.strNickname
                  << server.iPort << server.iConnectionCount << server.bStarted << server.bReserved
                  << server.bSsl;
}

QDataStream &operator>>(QDataStream &stream, NntpServer &server)
{
    return stream >> server.iId >> server.strHost >> server.strLogin >> server.strPassword >> server.strNickname
        >> server.iPort >> server.iConnectionCount >> server.bStarted >> server.bReserved >> server.bSsl;
}
