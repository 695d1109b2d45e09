#include "SteppedProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {

QByteArray readProcFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString commandName(qint64 pid)
{
    return QString::fromUtf8(readProcFile(QStringLiteral("/proc/%1/comm").arg(pid))).trimmed();
}

} // namespace

char SteppedProcess::state(qint64 pid)
{
    const QByteArray line = readProcFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // The state letter follows the command name, which is in parentheses.
    const int closing = line.lastIndexOf(')');
    return closing < 0 || closing + 2 >= line.size() ? 0 : line.at(closing + 2);
}

bool SteppedProcess::stop(qint64 pid, int timeoutMs)
{
    if (::kill(pid_t(pid), SIGSTOP) != 0)
        return false;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const char now = state(pid);
        if (now == 'T' || now == 't')
            return true;
        if (now == 0 || now == 'Z' || clock.hasExpired(timeoutMs))
            return false;
        QThread::usleep(200);
    }
}

bool SteppedProcess::stepUntil(qint64 pid, const std::function<bool()> &reached, int stepMs, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!reached()) {
        if (clock.hasExpired(timeoutMs) || ::kill(pid_t(pid), SIGCONT) != 0)
            return false;
        QThread::msleep(stepMs);
        if (!stop(pid))
            return false;
    }
    return true;
}

QList<qint64> SteppedProcess::children(qint64 parent, const QString &name)
{
    QList<qint64> found;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(parent));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QList<QByteArray> pids = readProcFile(tasks.filePath(task) + QStringLiteral("/children")).split(' ');
        for (const QByteArray &text : pids) {
            bool ok = false;
            const qint64 pid = text.trimmed().toLongLong(&ok);
            if (ok && !found.contains(pid) && commandName(pid) == name)
                found.append(pid);
        }
    }
    return found;
}
