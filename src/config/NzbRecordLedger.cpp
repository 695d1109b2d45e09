#include "config/NzbRecordLedger.h"

#include <QFile>
#include <QMutexLocker>

#include <sys/stat.h>

namespace {

const int DigestSize = 16;

QByteArray digestOf(const QByteArray &content)
{
    return content.right(DigestSize);
}

} // namespace

// Empty when the file cannot be seen.
QByteArray NzbRecordLedger::identityOf(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QByteArray();
    QByteArray identity;
    for (const qint64 value : {qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
                               qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec),
                               qint64(status.st_ctim.tv_sec), qint64(status.st_ctim.tv_nsec)})
        identity += QByteArray::number(value) + ' ';
    return identity;
}

bool NzbRecordLedger::holds(const QString &path, const QByteArray &content) const
{
    Written written;
    {
        QMutexLocker locker(&mutex);
        const auto it = hashWritten.constFind(path);
        if (it == hashWritten.constEnd())
            return false;
        written = *it;
    }
    return written.digest == digestOf(content) && !written.identity.isEmpty() && written.identity == identityOf(path);
}

void NzbRecordLedger::wrote(const QString &path, const QByteArray &content)
{
    const QByteArray identity = identityOf(path);
    QMutexLocker locker(&mutex);
    hashWritten.insert(path, {digestOf(content), identity});
}

void NzbRecordLedger::forget(const QString &path)
{
    QMutexLocker locker(&mutex);
    hashWritten.remove(path);
}

void NzbRecordLedger::clear()
{
    QMutexLocker locker(&mutex);
    hashWritten.clear();
}
