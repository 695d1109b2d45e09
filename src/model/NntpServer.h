#ifndef NNTPSERVER_H
#define NNTPSERVER_H

#include "model/NntpServerHistoNbBytes.h"

#include <QDataStream>
#include <QObject>
#include <QString>

// One configured news server. Never copied as a whole: whoever needs a copy of its own builds a
// new NntpServer and takes the ten record fields one by one (copyRecordFieldsFrom does that);
// the byte counters stay with the configured instance.
class NntpServer : public QObject
{
    Q_OBJECT

public:
    explicit NntpServer(QObject *parent = nullptr);
    ~NntpServer() override;

    // Copies the ten record fields (id to SSL) of another server; counters are left alone.
    void copyRecordFieldsFrom(const NntpServer &other);

    qint32 iId = 0;
    QString strHost;
    QString strLogin;
    QString strPassword;
    QString strNickname;
    qint32 iPort = 119;
    qint32 iConnectionCount = 1;
    quint64 uiBytesDownloaded = 0; // kept equal to histoNbBytes.iCount
    NntpServerHistoNbBytes histoNbBytes;
    bool bStarted = false;
    bool bReserved = false; // kept in the record, decides nothing
    bool bSsl = false;
};

// Record of the ten record fields, in this order: id, host, login, password, nickname, port,
// connection count, started, reserved, SSL. Reading leaves the byte counters alone.
QDataStream &operator<<(QDataStream &stream, const NntpServer &server);
QDataStream &operator>>(QDataStream &stream, NntpServer &server);

#endif // NNTPSERVER_H
