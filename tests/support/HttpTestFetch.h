#ifndef HTTPTESTFETCH_H
#define HTTPTESTFETCH_H

#include <QByteArray>
#include <QNetworkReply>
#include <QNetworkRequest>

class QNetworkAccessManager;

// Sends one request with a network manager and waits for its end (up to 20 s), for tests that
// check what a client gets back from the test HTTP server.
class HttpTestFetch
{
public:
    struct Result {
        QNetworkReply::NetworkError error = QNetworkReply::NoError;
        int status = 0;          // HTTP status, 0 when none came
        QByteArray body;
        bool fromCache = false;
        bool finished = false;   // false: no end within the wait
    };

    static Result get(QNetworkAccessManager &manager, const QUrl &url);
    static Result send(QNetworkAccessManager &manager, const QNetworkRequest &request, const QByteArray &method,
                       const QByteArray &body = QByteArray());
};

#endif // HTTPTESTFETCH_H
