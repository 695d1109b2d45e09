#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

const int kHandledSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe, read by the handler; -1 while no object holds the handlers.
std::atomic<int> writeEnd{-1};
int readEnd = -1;

extern "C" void onTerminationSignal(int signalNumber)
{
    const int savedErrno = errno;
    const int fd = writeEnd.load();
    if (fd >= 0) {
        const unsigned char number = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a request; losing this one changes nothing.
        [[maybe_unused]] const ssize_t written = ::write(fd, &number, 1);
    }
    errno = savedErrno;
}

void setHandler(void (*handler)(int))
{
    for (int signalNumber : kHandledSignals) {
        struct sigaction action = {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(signalNumber, &action, nullptr);
    }
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (writeEnd.load() >= 0)
        return;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    readEnd = fds[0];
    writeEnd.store(fds[1]);
    notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignals);
    setHandler(onTerminationSignal);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier)
        return;
    setHandler(SIG_DFL);
    const int fd = writeEnd.exchange(-1);
    delete notifier;
    ::close(fd);
    ::close(readEnd);
    readEnd = -1;
}

void TerminationSignals::readSignals()
{
    unsigned char numbers[16];
    for (;;) {
        const ssize_t count = ::read(readEnd, numbers, sizeof numbers);
        if (count <= 0)
            return;
        for (ssize_t i = 0; i < count; ++i)
            emit terminationRequested(numbers[i]);
    }
}
