#ifndef NNTPTESTSESSION_H
#define NNTPTESTSESSION_H

#include "NntpTestServer.h"

#include <QByteArray>
#include <QThread>

class QTcpSocket;

// One client connection of the test news server, served by blocking reads and writes in
// a thread of its own.
class NntpTestSession : public QThread
{
public:
    NntpTestSession(NntpTestServer *server, qintptr descriptor, int number,
                    const NntpTestServer::ConnectionFaults &faults);

protected:
    void run() override;

private:
    bool openSocket();
    void sendGreeting();
    void serveCommands();
    bool handleCommand(const QByteArray &line);
    void handleAuthinfo(const QByteArray &arguments);
    void handleSimpleLogin(const QByteArray &line);
    void handleBody(const QByteArray &argument);
    void handleGroup(const QByteArray &argument);
    void handleStat(const QByteArray &argument);
    bool lookUp(const QByteArray &argument, QString &messageId, NntpTestArticle &article, QByteArray &refusal);
    void sendBody(const QString &messageId, const NntpTestArticle &article);
    void sendEndless();
    void sendEndlessLine();
    void sendEndlessHelp();

    void sendTextReply(const QByteArray &status, const QList<QByteArray> &lines);
    void sendLine(const QByteArray &line);
    void sendRaw(const QByteArray &data);
    bool flush();
    void pause(int ms);
    void waitForClientToLeave();
    bool connected() const;
    bool loggedInOrRefuse();

    NntpTestServer *server;
    qintptr descriptor;
    int number;
    NntpTestServer::ConnectionFaults faults;
    QTcpSocket *socket = nullptr;
    QByteArray pendingUser;
    bool loggedIn = false;
    bool awaitingSimpleLogin = false;
};

#endif // NNTPTESTSESSION_H
