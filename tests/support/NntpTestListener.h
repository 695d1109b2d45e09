#ifndef NNTPTESTLISTENER_H
#define NNTPTESTLISTENER_H

#include <QSemaphore>
#include <QString>
#include <QThread>

class NntpTestServer;

// The accepting thread of the test news server: it listens on 127.0.0.1 and hands every
// accepted socket descriptor to the server, which starts a connection thread for it.
class NntpTestListener : public QThread
{
public:
    NntpTestListener(NntpTestServer *server, quint16 port);

    // Starts the thread and waits until it listens; false with the reason otherwise.
    bool startListening(quint16 &boundPort, QString &error);

protected:
    void run() override;

private:
    NntpTestServer *server;
    quint16 requestedPort;
    quint16 boundPort = 0;
    QString error;
    QSemaphore listening;
};

#endif // NNTPTESTLISTENER_H
