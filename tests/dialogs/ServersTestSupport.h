#ifndef SERVERSTESTSUPPORT_H
#define SERVERSTESTSUPPORT_H

#include "model/NntpServer.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

// Shared by the tests of the servers files and of their import and export.

// One server as "id|host|port|connections|login|password|nickname|ssl".
inline QString describe(const NntpServer *server)
{
    return QStringList{QString::number(server->iId), server->strHost,
                       QString::number(server->iPort), QString::number(server->iConnectionCount),
                       server->strLogin, server->strPassword, server->strNickname,
                       server->bSsl ? QStringLiteral("ssl") : QStringLiteral("plain")}
        .join(QLatin1Char('|'));
}

inline QStringList describe(const QList<NntpServer *> &servers)
{
    QStringList lines;
    for (const NntpServer *server : servers)
        lines << describe(server);
    return lines;
}

// A new server without parent, owned by the caller.
inline NntpServer *newServer(qint32 id, const QString &host, qint32 port, qint32 connections,
                             const QString &login, const QString &password,
                             const QString &nickname, bool ssl = false)
{
    auto *server = new NntpServer;
    server->iId = id;
    server->strHost = host;
    server->iPort = port;
    server->iConnectionCount = connections;
    server->strLogin = login;
    server->strPassword = password;
    server->strNickname = nickname;
    server->bSsl = ssl;
    return server;
}

// A servers file of tests/data/servers.
inline QString serversFixture(const QString &name)
{
    return QStringLiteral(TQ_TEST_DATA "/servers/") + name;
}

#endif // SERVERSTESTSUPPORT_H
