// A program that plays one start of the application for the single-instance tests. The first
// start prints "primary" and then one line "message <text>" per message it receives, until its
// standard input closes; a later start sends its arguments, prints "sent <text>",
// "refused <text>" or "failed <text>: <reason>" for each and exits 1 at the first that is not
// taken. With TQ_PROBE_TAKE_OVER set, a later start whose message was refused waits for the
// running one to end instead, takes its place (printing "primary") and prints "own <text>" for
// that argument and the ones after it.
//
// TQ_PROBE_TIMEOUT_MS: the time-out of each message (default 5000).
// TQ_PROBE_HANDLE_MS: how long the first start takes to handle each message, in an event loop of
// its own as a dialog would run (default 0).
// TQ_PROBE_REFUSE_AFTER: the first start refuses every message after this many (as a program
// that began its exit).
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <unistd.h>

namespace {

int sendArguments(SingleInstance &instance, QStringList &listArguments, QTextStream &out)
{
    const int timeoutMs =
        qEnvironmentVariableIsSet("TQ_PROBE_TIMEOUT_MS") ? qEnvironmentVariableIntValue("TQ_PROBE_TIMEOUT_MS") : 5000;
    while (!listArguments.isEmpty()) {
        const QString argument = listArguments.first();
        switch (instance.sendMessage(argument, timeoutMs)) {
        case SingleInstance::Delivery::Taken:
            out << "sent " << argument << Qt::endl;
            listArguments.removeFirst();
            break;
        case SingleInstance::Delivery::Refused:
            out << "refused " << argument << Qt::endl;
            return 1;
        case SingleInstance::Delivery::Failed:
            out << "failed " << argument << ": " << instance.errorString() << Qt::endl;
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    out.setCodec("UTF-8");
    SingleInstance instance;
    QStringList listOwn;
    if (instance.isRunning()) {
        QStringList listArguments = QCoreApplication::arguments().mid(1);
        const int result = sendArguments(instance, listArguments, out);
        if (result == 0 || !qEnvironmentVariableIsSet("TQ_PROBE_TAKE_OVER") || !instance.takeOver(-1))
            return result;
        listOwn = listArguments;
    }
    const int handleMs = qEnvironmentVariableIntValue("TQ_PROBE_HANDLE_MS");
    const int refuseAfter =
        qEnvironmentVariableIsSet("TQ_PROBE_REFUSE_AFTER") ? qEnvironmentVariableIntValue("TQ_PROBE_REFUSE_AFTER") : -1;
    int received = 0;
    QObject::connect(&instance, &SingleInstance::messageReceived, [&](const QString &message) {
        out << "message " << message << Qt::endl;
        if (++received == refuseAfter)
            instance.stopAccepting();
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
    for (const QString &argument : qAsConst(listOwn))
        out << "own " << argument << Qt::endl;
    if (refuseAfter == 0)
        instance.stopAccepting();
    return QCoreApplication::exec();
}
