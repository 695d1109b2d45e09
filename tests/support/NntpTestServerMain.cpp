// A news server to point the program at by hand: it serves the generated articles
// (message ids like "tq.750000.1@gen", see NntpTestArticle) on 127.0.0.1 until killed.
#include "NntpTestServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Test news server on 127.0.0.1 serving generated articles (message id "
                                                    "tq.<size>.<seed>[.missing|stall|drop|split|endless|endlessstatus|"
                                                    "wrongstatus|nostatus]@gen)"));
    parser.addHelpOption();
    const QCommandLineOption portOption(QStringLiteral("port"), QStringLiteral("Port (0: a free one)."), QStringLiteral("port"), QStringLiteral("0"));
    const QCommandLineOption tlsOption(QStringLiteral("tls"), QStringLiteral("TLS with a self-signed certificate."));
    const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("Require this AUTHINFO user."), QStringLiteral("user"));
    const QCommandLineOption passwordOption(QStringLiteral("password"), QStringLiteral("Password of that user."), QStringLiteral("password"));
    const QCommandLineOption throttleOption(QStringLiteral("throttle"), QStringLiteral("Bytes per second per connection."), QStringLiteral("rate"), QStringLiteral("0"));
    parser.addOptions({portOption, tlsOption, userOption, passwordOption, throttleOption});
    parser.process(app);

    NntpTestServer server;
    if (parser.isSet(userOption))
        server.setCredentials(parser.value(userOption), parser.value(passwordOption));
    NntpTestServer::ConnectionFaults faults;
    faults.throttleBytesPerSecond = parser.value(throttleOption).toULongLong();
    server.setDefaultConnectionFaults(faults);
    server.addGroup(QStringLiteral("alt.binaries.test"));
    if (!server.start(parser.isSet(tlsOption), static_cast<quint16>(parser.value(portOption).toUInt()))) {
        QTextStream(stderr) << "cannot start: " << server.errorString() << '\n';
        return 1;
    }
    QTextStream(stdout) << "listening on 127.0.0.1:" << server.port() << (server.isTls() ? " (TLS)" : "") << Qt::endl;
    // Runs until killed; the connections end with the process.
    return app.exec();
}
