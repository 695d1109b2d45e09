#include "postprocess/GenericSplit.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

GenericSplit::GenericSplit(const QString& firstVolume)
{
    setSourceFile(firstVolume);
}

void GenericSplit::setSourceFile(const QString& path)
{
    const QFileInfo info(path);
    strSourcePath = path;
    strSourceFolder = info.absolutePath();
    const QString fileName = info.fileName();
    const int lastDot = fileName.lastIndexOf(QLatin1Char('.'));
    strBaseName = lastDot >= 0 ? fileName.left(lastDot) : fileName;
}

QString GenericSplit::volumePath(quint32 number) const
{
    return strSourceFolder + QLatin1Char('/') + strBaseName + QLatin1Char('.')
           + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

quint32 GenericSplit::countVolumes() const
{
    quint32 count = 1;
    while (QFileInfo::exists(volumePath(count + 1)))
        ++count;
    return count;
}

int GenericSplit::unsplit(const QString& destinationFolder)
{
    QFile volume;
    if (!prepareJoin(destinationFolder, volume))
        return 1;
    strTargetName = strBaseName;
    uiVolumeCount = 1;
    uiTotalSize = 0;
    bHeader = false;

    QFile target;
    if (!openTarget(destinationFolder, target))
        return 1;
    uiVolumeCount = countVolumes();
    emitProgress(1);
    QThread::msleep(1);

    QByteArray buffer(int(kChunkSize), '\0');
    qint64 written = 0;
    for (quint32 number = 1;; ++number) {
        const CopyResult result = copyChunks(volume, target, buffer, -1, written);
        if (result == CopyResult::Stopped)
            return abandonStopped(target);
        if (result == CopyResult::ReadFailed)
            return fail(AbstractSplit::tr("Unsplit: failed to read source file - %1").arg(volume.errorString()));
        if (result == CopyResult::WriteFailed)
            return abandonFailedWrite(target, destinationFolder);
        target.flush();
        volume.close();
        volume.setFileName(volumePath(number + 1));
        if (!volume.open(QIODevice::ReadOnly))
            break;
        listVolumesRead.append(volume.fileName());
        emitProgress(number + 1);
        QThread::msleep(1);
    }
    return finishWrite(target, written, destinationFolder);
}
