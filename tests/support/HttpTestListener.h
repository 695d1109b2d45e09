#ifndef HTTPTESTLISTENER_H
#define HTTPTESTLISTENER_H

#include <QSemaphore>
#include <QString>
#include <QThread>

class HttpTestServer;

// The thread of the test HTTP server: it listens on 127.0.0.1 and runs every accepted
// connection (HttpTestConnection) in its own event loop until quit().
class HttpTestListener : public QThread
{
public:
    HttpTestListener(HttpTestServer *server, quint16 port);

    // Starts the thread and waits until it listens; false with the reason otherwise.
    bool startListening(quint16 &boundPort, QString &error);

protected:
    void run() override;

private:
    HttpTestServer *server;
    quint16 requestedPort;
    quint16 boundPort = 0;
    QString error;
    QSemaphore listening;
};

#endif // HTTPTESTLISTENER_H
