#include "web/WebAnswerLimits.h"

#include <QNetworkReply>
#include <QTimer>

// The limit reaches the network thread only once the request has started there, which for a
// POST is after post() has returned: it is given again once that start has run, and when the
// answer's headers come, before its body.
void WebAnswerLimits::limitReadBuffer(QNetworkReply *reply, qint64 bytes)
{
    const auto limit = [reply, bytes] { reply->setReadBufferSize(bytes); };
    limit();
    QTimer::singleShot(0, reply, limit);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, limit);
}
