#include "HttpTestFetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QTimer>

HttpTestFetch::Result HttpTestFetch::get(QNetworkAccessManager &manager, const QUrl &url)
{
    return send(manager, QNetworkRequest(url), "GET");
}

HttpTestFetch::Result HttpTestFetch::send(QNetworkAccessManager &manager, const QNetworkRequest &request,
                                          const QByteArray &method, const QByteArray &body)
{
    // GET and POST go through their own calls, which (unlike a custom verb) use the cache.
    QNetworkReply *reply = method == "GET"    ? manager.get(request)
                           : method == "POST" ? manager.post(request, body)
                                              : manager.sendCustomRequest(request, method, body);
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    Result result;
    result.finished = reply->isFinished();
    result.error = reply->error();
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->isOpen() ? reply->readAll() : QByteArray();
    result.fromCache = reply->attribute(QNetworkRequest::SourceIsFromCacheAttribute).toBool();
    delete reply;
    return result;
}
