#ifndef BROWSERTESTSUPPORT_H
#define BROWSERTESTSUPPORT_H

#include "HttpTestServer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QString>
#include <QTest>

// Shared by the browser tests: the hand-written pages of tests/data/web/listing, a manager
// that reaches every host name through the test server, and a wait for pages to settle.

inline QByteArray listingPage(const QString &name)
{
    QFile file(QStringLiteral(TQ_TEST_DATA "/web/listing/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every request of the manager goes to the test server as a proxy, so a test can serve any
// host name (the outside addresses of the program) on 127.0.0.1.
inline void proxyThrough(QNetworkAccessManager &manager, const HttpTestServer &server)
{
    manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), server.port()));
}

// Waits until `spy` (a load-finished spy) has at least `atLeast` signals and no new one has
// come for a while: the load and whatever it set off (frames, a rewrite) are over.
inline bool settle(QSignalSpy &spy, int atLeast = 1, int timeoutMs = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        const int before = spy.count();
        QTest::qWait(250);
        if (spy.count() >= atLeast && spy.count() == before)
            return true;
    }
    return false;
}

#endif // BROWSERTESTSUPPORT_H
