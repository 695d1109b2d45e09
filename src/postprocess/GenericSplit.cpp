#include "postprocess/GenericSplit.h"

#include <QDir>
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

// What a join of the counted volumes would miss, before anything is written: a volume numbered
// after the first missing one (the set was posted or downloaded with a gap), or one that is
// there but is no file that can be read (a folder, a named pipe). Empty when the set is whole.
QString GenericSplit::incompleteSet() const
{
    for (quint32 number = 2; number <= uiVolumeCount; ++number) {
        const QFileInfo volume(volumePath(number));
        if (!volume.isFile() || !volume.isReadable())
            return AbstractSplit::tr("Unsplit: failed to open source file %1").arg(volume.filePath());
    }
    const QString prefix = strBaseName + QLatin1Char('.');
    const QStringList names =
        QDir(strSourceFolder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!name.startsWith(prefix))
            continue;
        bool isNumber = false;
        const quint32 number = name.mid(prefix.size()).toUInt(&isNumber);
        if (isNumber && number > uiVolumeCount && name == QFileInfo(volumePath(number)).fileName())
            return AbstractSplit::tr("Unsplit: volume %1 is missing")
                .arg(QFileInfo(volumePath(uiVolumeCount + 1)).fileName());
    }
    return QString();
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

    uiVolumeCount = countVolumes();
    const QString missing = incompleteSet();
    if (!missing.isEmpty())
        return fail(missing);

    QFile target;
    if (!openTarget(destinationFolder, target))
        return 1;
    emitProgress(1);
    QThread::msleep(1);

    QByteArray buffer(int(kChunkSize), '\0');
    qint64 written = 0;
    for (quint32 number = 1;; ++number) {
        const CopyResult result = copyChunks(volume, target, buffer, -1, written);
        if (result == CopyResult::Stopped)
            return abandonStopped(target);
        if (result == CopyResult::ReadFailed)
            return abandon(target,
                           AbstractSplit::tr("Unsplit: failed to read source file - %1").arg(volume.errorString()));
        if (result == CopyResult::WriteFailed)
            return abandonFailedWrite(target, destinationFolder);
        target.flush();
        volume.close();
        if (number == uiVolumeCount)
            break;
        // A volume that went away since it was counted leaves the join short: it fails.
        if (!openVolume(volumePath(number + 1), volume))
            return abandon(target,
                           AbstractSplit::tr("Unsplit: failed to open source file %1").arg(volumePath(number + 1)));
        listVolumesRead.append(volume.fileName());
        emitProgress(number + 1);
        QThread::msleep(1);
    }
    return finishWrite(target, written, destinationFolder);
}
