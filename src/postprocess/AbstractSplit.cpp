#include "postprocess/AbstractSplit.h"

#include "config/FileNameLimit.h"
#include "postprocess/ThreadClean.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
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
    m_writtenName.clear();
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
    if (!openVolume(strSourcePath, firstVolume)) {
        fail(tr("Unsplit: failed to open source file %1").arg(strSourcePath));
        return false;
    }
    listVolumesRead.append(strSourcePath);
    return true;
}

bool AbstractSplit::openTarget(const QString& destinationFolder, QFile& target)
{
    // A name taken by anything but an earlier join of this very set (a file of the user, the
    // good file of an earlier download) gets the next free "name (n).ext".
    const QByteArray mark = setMark();
    const int maxBytes = FileNameLimit::maxBytes(destinationFolder);
    JoinTarget::Opened opened = JoinTarget::Opened::Failed;
    for (int number = 0; number < ThreadClean::kMaxDistinctNames && !strTargetName.isEmpty(); ++number) {
        m_writtenName = ThreadClean::distinctName(strTargetName, number, maxBytes);
        opened = m_target.open(targetPath(destinationFolder), mark);
        if (opened != JoinTarget::Opened::Refused)
            break;
    }
    const QString path = targetPath(destinationFolder);
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
        errno = 0;
        if (target.write(buffer.constData(), count) != count) {
            m_writeError = errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : target.errorString();
            return CopyResult::WriteFailed;
        }
        copiedHere += count;
        copied += count;
        QThread::usleep(1);
    }
}

bool AbstractSplit::openVolume(const QString& path, QFile& volume)
{
    volume.setFileName(path);
    return QFileInfo(path).isFile() && volume.open(QIODevice::ReadOnly);
}

int AbstractSplit::abandon(QFile& target, const QString& text)
{
    target.close();
    m_target.removeIfStillOurs();
    return fail(text);
}

int AbstractSplit::abandonStopped(QFile& target)
{
    m_stopped = true;
    return abandon(target, tr("Unsplit: joining stopped"));
}

int AbstractSplit::abandonFailedWrite(QFile& target, const QString& destinationFolder)
{
    return abandon(target, tr("Unsplit: failed to write file %1: %2").arg(targetPath(destinationFolder), m_writeError));
}

int AbstractSplit::finishWrite(QFile& target, qint64 written, const QString& destinationFolder)
{
    // A network file system may report a failed write only when the data reaches the disk.
    if (::fsync(target.handle()) != 0 && errno != EINVAL) {
        m_writeError = QString::fromLocal8Bit(std::strerror(errno));
        return abandonFailedWrite(target, destinationFolder);
    }
    if (target.size() != written) {
        m_writeError = tr("the file on disk is short");
        return abandonFailedWrite(target, destinationFolder);
    }
    target.close();
    return 0;
}

int AbstractSplit::fail(const QString& text)
{
    strError = text;
    return 1;
}

QString AbstractSplit::targetPath(const QString& destinationFolder) const
{
    return destinationFolder + QLatin1Char('/') + (m_writtenName.isEmpty() ? strTargetName : m_writtenName);
}

// What tells this set from any other, also from a later download of the same names: the first
// volume's file (device, inode, size and time of its last change, to the nanosecond) and path.
// Empty when the first volume cannot be read: the join then takes over nothing.
QByteArray AbstractSplit::setMark() const
{
    struct stat st {};
    const QByteArray path = QFile::encodeName(QFileInfo(strSourcePath).absoluteFilePath());
    if (::stat(path.constData(), &st) != 0)
        return QByteArray();
    const QByteArray identity = QByteArray::number(quint64(st.st_dev)) + ':' + QByteArray::number(quint64(st.st_ino))
                                + ':' + QByteArray::number(qint64(st.st_size)) + ':'
                                + QByteArray::number(qint64(st.st_mtim.tv_sec)) + '.'
                                + QByteArray::number(qint64(st.st_mtim.tv_nsec)) + ':' + path;
    return QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex();
}

void AbstractSplit::emitProgress(quint32 position)
{
    emit signalProgress(position, uiVolumeCount);
}
