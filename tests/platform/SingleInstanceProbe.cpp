// A program that plays one start of the application for tst_SingleInstance. The first start
// prints "primary" and then one line "message <text>" per message it receives, until its
// standard input closes; a later start sends its arguments, prints "sent <text>" or
// "failed <text>: <reason>" for each and exits 1 at the first failure.
//
// TQ_PROBE_TIMEOUT_MS: the time-out of each message (default 5000).
// TQ_PROBE_HANDLE_MS: how long the first start takes to handle each message, in an event loop of
// its own as a dialog would run (default 0).
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QEventLoop>
#include <QTimer>

#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    out.setCodec("UTF-8");
    SingleInstance instance;
    if (instance.isRunning()) {
        const int timeoutMs = qEnvironmentVariableIsSet("TQ_PROBE_TIMEOUT_MS")
                                  ? qEnvironmentVariableIntValue("TQ_PROBE_TIMEOUT_MS") : 5000;
        for (const QString &argument : QCoreApplication::arguments().mid(1)) {
            if (!instance.sendMessage(argument, timeoutMs)) {
                out << "failed " << argument << ": " << instance.errorString() << Qt::endl;
                return 1;
            }
            out << "sent " << argument << Qt::endl;
        }
        return 0;
    }
    const int handleMs = qEnvironmentVariableIntValue("TQ_PROBE_HANDLE_MS");
    QObject::connect(&instance, &SingleInstance::messageReceived, [&out, handleMs](const QString &message) {
        out << "message " << message << Qt::endl;
        if (handleMs > 0) {
            QEventLoop loop;
            QTimer::singleShot(handleMs, &loop, &QEventLoop::quit);
            loop.exec();
        }
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        char buffer[64];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    out << (instance.isListening() ? "primary" : "primary without listener") << Qt::endl;
    return QCoreApplication::exec();
}
