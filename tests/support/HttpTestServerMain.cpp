// A web server to point the program at by hand (scripts/screenshots.sh): on 127.0.0.1 it serves
// the version page ("/version.txt", with the version given) and a page behind a site log-in
// ("/login"), until killed.
#include "HttpTestServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Test web server on 127.0.0.1: /version.txt and /login"));
    parser.addHelpOption();
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Version the version page names."),
                                           QStringLiteral("version"), QStringLiteral("1.5.0"));
    parser.addOption(versionOption);
    parser.process(app);

    HttpTestServer server;
    server.addRoute("GET", QStringLiteral("/version.txt"),
                    HttpTestServer::Response::ok(parser.value(versionOption).toUtf8() + "\n", "text/plain"));
    HttpTestServer::Response members = HttpTestServer::Response::ok("<html><body><h1>Members</h1></body></html>");
    members.siteUser = "member";
    members.sitePassword = "secret";
    members.siteRealm = "Members of the test site";
    server.addRoute("GET", QStringLiteral("/login"), members);
    if (!server.start()) {
        QTextStream(stderr) << "cannot listen: " << server.errorString() << '\n';
        return 1;
    }
    QTextStream(stdout) << "listening on 127.0.0.1:" << server.port() << Qt::endl;
    return app.exec();
}
