#ifndef BROWSERTESTSUPPORT_H
#define BROWSERTESTSUPPORT_H

#include "HttpTestServer.h"
#include "config/AppConfiguration.h"

#include <QByteArray>
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWebSettings>

// Shared by the browser tests: the hand-written pages of tests/data/web/listing, a manager
// that reaches every host name through the test server, a wait for pages to settle, the page
// last asked for, the favourites menu as texts, and the NZB fixture the pages serve.

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

// The target of the last page asked of the server (the page icons that follow each page are
// left out); through the proxy it is the absolute address.
inline QString lastPageTarget(const HttpTestServer &server)
{
    QString target;
    for (const HttpTestServer::Request &request : server.requests()) {
        if (request.path() != "/favicon.ico")
            target = QString::fromLatin1(request.target);
    }
    return target;
}

// The entries of a menu, "--" for a separator.
inline QStringList menuTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts.append(action->isSeparator() ? QStringLiteral("--") : action->text());
    return texts;
}

inline QAction *menuAction(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

// The browser's part of the configuration as a first start leaves it: no favourite.
inline void resetWebConfiguration()
{
    WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    const WebConfiguration defaults;
    web.favourites.clear();
    web.homePage = defaults.homePage;
    web.homePageLaunch = defaults.homePageLaunch;
    web.pluginsEnabled = defaults.pluginsEnabled;
    web.javaEnabled = defaults.javaEnabled;
    web.javascriptEnabled = defaults.javascriptEnabled;
}

// The process-wide web settings that building a browser sets, back to WebKit's own.
inline void resetWebSettings()
{
    for (QWebSettings::WebAttribute attribute :
         {QWebSettings::JavascriptEnabled, QWebSettings::JavascriptCanOpenWindows,
          QWebSettings::JavascriptCanAccessClipboard, QWebSettings::PluginsEnabled, QWebSettings::JavaEnabled})
        QWebSettings::globalSettings()->resetAttribute(attribute);
}

inline QByteArray fixtureNzb()
{
    QFile file(QStringLiteral(TQ_TEST_DATA "/nzb/holiday_with_par2.nzb"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#endif // BROWSERTESTSUPPORT_H
