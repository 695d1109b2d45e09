#include "postprocess/AbstractSplit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <unistd.h>

int AbstractSplit::unsplit(const QString& destinationFolder)
{
    Q_UNUSED(destinationFolder)
    return 0;
}

void AbstractSplit::setSourceFile(const QString& path)
{
    Q_UNUSED(path)
}

bool AbstractSplit::prepareJoin(const QString& destinationFolder, QFile& firstVolume)
{
    listVolumesRead.clear();
    m_stopped = false;
    if (destinationFolder.isEmpty()) {
        fail(tr("Unsplit: no extract path!"));
        return false;
    }
    const QDir destination(destinationFolder);
    if (!destination.exists() && !QDir().mkpath(destination.absolutePath())) {
        fail(tr("Unsplit: failed to create extract path!"));
        return false;
    }
    firstVolume.setFileName(strSourcePath);
    if (!firstVolume.open(QIODevice::ReadOnly)) {
        fail(tr("Unsplit: failed to open source file %1").arg(strSourcePath));
        return false;
    }
    listVolumesRead.append(strSourcePath);
    return true;
}

bool AbstractSplit::openTarget(const QString& destinationFolder, QFile& target)
{
    const QString path = targetPath(destinationFolder);
    const JoinTarget::Opened opened =
        strTargetName.isEmpty() ? JoinTarget::Opened::Failed : m_target.open(path);
    if (opened == JoinTarget::Opened::Refused) {
        fail(tr("Unsplit: file %1 already exists").arg(path));
        return false;
    }
    if (opened == JoinTarget::Opened::Failed) {
        fail(tr("Unsplit: failed to create file %1").arg(path));
        return false;
    }
    // Unbuffered, so that a failing write is seen at the chunk that failed.
    const int fd = m_target.release();
    if (!target.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail(tr("Unsplit: failed to create file %1").arg(path));
        return false;
    }
    return true;
}

AbstractSplit::CopyResult AbstractSplit::copyChunks(QFile& source, QFile& target,
                                                    QByteArray& buffer, qint64 limit,
                                                    qint64& copied)
{
    qint64 copiedHere = 0;
    for (;;) {
        if (stopRequested())
            return CopyResult::Stopped;
        qint64 wanted = kChunkSize;
        if (limit >= 0)
            wanted = qMin(wanted, limit - copiedHere);
        const qint64 count = wanted > 0 ? source.read(buffer.data(), wanted) : 0;
        if (count < 0)
            return CopyResult::ReadFailed;
        if (count == 0)
            return CopyResult::Done;
        if (target.write(buffer.constData(), count) != count)
            return CopyResult::WriteFailed;
        copiedHere += count;
        copied += count;
        QThread::usleep(1);
    }
}

int AbstractSplit::abandonStopped(QFile& target)
{
    target.close();
    m_target.removeIfStillOurs();
    m_stopped = true;
    return fail(tr("Unsplit: joining stopped"));
}

int AbstractSplit::fail(const QString& text)
{
    strError = text;
    return 1;
}

QString AbstractSplit::targetPath(const QString& destinationFolder) const
{
    return destinationFolder + QLatin1Char('/') + strTargetName;
}

void AbstractSplit::emitProgress(quint32 position)
{
    emit signalProgress(position, uiVolumeCount);
}
