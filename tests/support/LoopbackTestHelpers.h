#ifndef LOOPBACKTESTHELPERS_H
#define LOOPBACKTESTHELPERS_H

// Small helpers of the tests that run outside programs (INN 2, nyuu, par2, the program itself)
// on 127.0.0.1: free ports, file digests, reproducible data and a program run to its end.
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QList>
#include <QProcess>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QTemporaryDir>

#include <memory>

// Ports that were free a moment ago, all different.
inline QList<quint16> freePorts(int count)
{
    QList<std::shared_ptr<QTcpServer>> holders;
    QList<quint16> ports;
    for (int i = 0; i < count; ++i) {
        auto holder = std::make_shared<QTcpServer>();
        if (!holder->listen(QHostAddress::LocalHost, 0))
            return {};
        ports.append(holder->serverPort());
        holders.append(holder);
    }
    return ports;
}

// A temporary folder under the system's temporary folder that INN 2, which runs as user news,
// can reach: its owner keeps every right, others may enter and read. Null when it cannot be made.
inline std::unique_ptr<QTemporaryDir> newsReachableTemporaryDir(const QString &prefix)
{
    auto folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QLatin1Char('/') + prefix + QStringLiteral("-XXXXXX"));
    const QFileDevice::Permissions reachable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                               | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                               | QFileDevice::ReadOther | QFileDevice::ExeOther;
    if (!folder->isValid() || !QFile::setPermissions(folder->path(), reachable))
        return nullptr;
    return folder;
}

inline QByteArray sha256Of(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing " + path.toUtf8() + ">";
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

inline QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(generator.bounded(256));
    return bytes;
}

// Runs a program to its end; false with the reason (and its output) in `error` otherwise.
inline bool run(const QString &program, const QStringList &arguments, const QString &folder, int timeoutMs,
                QString &error)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    const QString output = QString::fromLocal8Bit(process.readAll());
    if (finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    error = QStringLiteral("%1 %2: %3 %4").arg(program, arguments.join(QLatin1Char(' ')), process.errorString(), output);
    return false;
}

// The same, run again up to `attempts` times in all while it fails: the poster nyuu has been
// seen to crash under a heavy load ("Timer already set"); a new attempt posts the set again under
// new message ids and writes its NZB anew.
inline bool runWithRetries(const QString &program, const QStringList &arguments, const QString &folder, int timeoutMs,
                           int attempts, QString &error)
{
    for (int attempt = 1;; ++attempt) {
        if (run(program, arguments, folder, timeoutMs, error))
            return true;
        if (attempt >= attempts) {
            error = QStringLiteral("%1 failed %2 times, last: %3").arg(program).arg(attempts).arg(error);
            return false;
        }
        qWarning("%s failed, running it again: %s", qPrintable(program), qPrintable(error));
    }
}

#endif // LOOPBACKTESTHELPERS_H
