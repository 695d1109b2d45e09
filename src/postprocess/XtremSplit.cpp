#include "postprocess/XtremSplit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <QtEndian>

#include <limits>

namespace {

const QLatin1String kFirstVolumeMark(".001.XTM");
constexpr qint64 kNameLengthOffset = 40;
constexpr int kNameFieldSize = 50;

bool readExactly(QFile& file, char* data, qint64 size)
{
    return file.read(data, size) == size;
}

bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

XtremSplit::XtremSplit(const QString& firstVolume)
{
    setSourceFile(firstVolume);
}

void XtremSplit::setSourceFile(const QString& path)
{
    const QFileInfo info(path);
    strSourcePath = path;
    strSourceFolder = info.absolutePath();
    const QString fileName = info.fileName();
    const int mark = fileName.toUpper().indexOf(kFirstVolumeMark);
    strBaseName = mark >= 0 ? fileName.left(mark) : fileName;
    m_suffix = mark >= 0 ? fileName.mid(mark + 4, 4) : QStringLiteral(".xtm");
    m_folderNames.clear();
}

QString XtremSplit::cleanTargetName(const QString& postedName)
{
    static const QRegularExpression forbidden(QStringLiteral("[\\\\/:*?\"<>|]"));
    const int lastSeparator =
        qMax(postedName.lastIndexOf(QLatin1Char('/')), postedName.lastIndexOf(QLatin1Char('\\')));
    QString name = postedName.mid(lastSeparator + 1);
    name.remove(forbidden);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || hasControlCharacter(name))
        return QString();
    return name;
}

bool XtremSplit::readHeader(QFile& volume, Header& header)
{
    char nameLength = 0;
    char nameField[kNameFieldSize];
    char flag = 0;
    uchar count[4];
    uchar size[8];
    if (!readExactly(volume, &nameLength, 1) || !readExactly(volume, nameField, kNameFieldSize)
        || !readExactly(volume, &flag, 1) || !readExactly(volume, reinterpret_cast<char*>(count), 4)
        || !readExactly(volume, reinterpret_cast<char*>(size), 8))
        return false;
    const int textLength = int(qstrnlen(nameField, kNameFieldSize));
    header.name = QString::fromLatin1(nameField, textLength);
    const int length = static_cast<signed char>(nameLength);
    if (length >= 0 && length < header.name.length())
        header.name.truncate(length);
    header.flag = static_cast<signed char>(flag) > 0;
    header.volumeCount = qFromLittleEndian<quint32>(count);
    header.totalSize = qFromLittleEndian<quint64>(size);
    return true;
}

bool XtremSplit::isVolumeOfThisSet(const QString& destinationFolder, const QString& name) const
{
    if (QFileInfo(destinationFolder).canonicalFilePath() != QFileInfo(strSourceFolder).canonicalFilePath())
        return false;
    const QRegularExpression volume(QStringLiteral("^%1\\.\\d{3,}\\.xtm$")
                                        .arg(QRegularExpression::escape(strBaseName)),
                                    QRegularExpression::CaseInsensitiveOption);
    return volume.match(name).hasMatch();
}

// A header naming a file outside the destination, or one of the volumes being read, is
// refused before anything is written; 0 when the header can be used.
int XtremSplit::refuseHeader(const Header& header, const QString& destinationFolder)
{
    if (header.volumeCount == 0)
        return fail(AbstractSplit::tr("Unsplit: no volume in %1").arg(strSourcePath));
    if (header.name.isEmpty())
        return 0; // the empty name fails to open as a file, with its own message
    if (strTargetName.isEmpty() || isVolumeOfThisSet(destinationFolder, strTargetName))
        return fail(AbstractSplit::tr("Unsplit: unusable file name in %1").arg(strSourcePath));
    return 0;
}

QString XtremSplit::volumeName(quint32 number) const
{
    return strBaseName + QLatin1Char('.') + QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'))
           + m_suffix;
}

QString XtremSplit::volumePath(quint32 number)
{
    const QString name = volumeName(number);
    const QString exact = strSourceFolder + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact))
        return exact;
    if (m_folderNames.isEmpty()) {
        const QStringList names = QDir(strSourceFolder).entryList(QDir::Files | QDir::Hidden);
        for (const QString& entry : names)
            m_folderNames.insert(entry.toLower(), entry);
    }
    const QString found = m_folderNames.value(name.toLower());
    return found.isEmpty() ? exact : strSourceFolder + QLatin1Char('/') + found;
}

int XtremSplit::unsplit(const QString& destinationFolder)
{
    QFile volume;
    if (!prepareJoin(destinationFolder, volume))
        return 1;
    if (!volume.seek(kNameLengthOffset))
        return fail(AbstractSplit::tr("Unsplit: failed to parse source file %1").arg(strSourcePath));
    Header header;
    if (!readHeader(volume, header))
        return fail(AbstractSplit::tr("Unsplit: failed to parse source file HEADER %1").arg(strSourcePath));
    strTargetName = header.name.isEmpty() ? QString() : cleanTargetName(header.name);
    bHeader = header.flag;
    uiVolumeCount = header.volumeCount;
    uiTotalSize = header.totalSize;
    if (refuseHeader(header, destinationFolder) != 0)
        return 1;

    QFile target;
    if (!openTarget(destinationFolder, target))
        return 1;
    emitProgress(1);
    QThread::msleep(1);
    return copyVolumes(volume, target, destinationFolder);
}

int XtremSplit::copyVolumes(QFile& volume, QFile& target, const QString& destinationFolder)
{
    QByteArray buffer(int(kChunkSize), '\0');
    // A size beyond what a file can hold is never reached: the join fails on the last volume.
    const qint64 totalSize = qint64(qMin<quint64>(uiTotalSize, std::numeric_limits<qint64>::max()));
    qint64 written = 0;
    for (quint32 number = 1; number <= uiVolumeCount; ++number) {
        const bool last = number == uiVolumeCount;
        const qint64 missing = totalSize - written;
        const qint64 limit = last ? qMax<qint64>(0, missing) : -1;
        const CopyResult result = copyChunks(volume, target, buffer, limit, written);
        if (result == CopyResult::Stopped)
            return abandonStopped(target);
        if (result == CopyResult::ReadFailed)
            return abandon(target,
                           AbstractSplit::tr("Unsplit: error while parsing file - %1").arg(volume.errorString()));
        if (result == CopyResult::WriteFailed)
            return abandonFailedWrite(target, destinationFolder);
        if (last && written < totalSize)
            return abandon(target, AbstractSplit::tr("Unsplit: unexpected end of file %1").arg(volume.fileName()));
        target.flush();
        volume.close();
        if (!last) {
            if (!openVolume(volumePath(number + 1), volume))
                return abandon(target,
                               AbstractSplit::tr("Unsplit: Error while opening file: %1").arg(volumeName(number + 1)));
            listVolumesRead.append(volume.fileName());
            emitProgress(number + 1);
        }
        QThread::msleep(1);
    }
    return finishWrite(target, written, destinationFolder);
}
