#ifndef FIFOUNBLOCKER_H
#define FIFOUNBLOCKER_H

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A named pipe for tests of code that must never open one, with a way out for code that does:
// while it lives, a thread keeps trying to open the pipe for writing without waiting; the moment
// some reader waits in open() it gets in, writes `text` and closes, so the reader goes on (and
// the test fails where it should instead of hanging). Code that leaves the pipe alone never lets
// it in.
class FifoUnblocker
{
public:
    FifoUnblocker(const QString &path, const QByteArray &text = "this came through the pipe")
        : pipePath(path), text(text)
    {
        made = ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        writer.reset(QThread::create([this] { run(); }));
        writer->start();
    }
    ~FifoUnblocker()
    {
        stop.store(true);
        writer->wait();
        ::unlink(QFile::encodeName(pipePath).constData());
    }

    bool isMade() const { return made; }
    // True when some reader opened the pipe (the code under test did what it must not).
    bool wasOpened() const { return opened.load(); }

private:
    void run()
    {
        const QByteArray name = QFile::encodeName(pipePath);
        while (!stop.load()) {
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                opened.store(true);
                const ssize_t written = ::write(fd, text.constData(), static_cast<size_t>(text.size()));
                Q_UNUSED(written);
                ::close(fd);
            }
            QThread::msleep(20);
        }
    }

    QString pipePath;
    QByteArray text;
    bool made = false;
    std::atomic<bool> stop{false};
    std::atomic<bool> opened{false};
    std::unique_ptr<QThread> writer;
};

#endif // FIFOUNBLOCKER_H
