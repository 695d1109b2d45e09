#include "config/UtilsFilesFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

bool UtilsFilesFolders::copyFile(const QString &source, const QString &destination)
{
    if (sameFile(source, destination))
        return true;

    QDir().mkpath(QFileInfo(destination).absolutePath());

    // The source is opened first: an existing destination is not truncated for a copy that
    // cannot take place.
    QFile sourceFile(source);
    if (!sourceFile.open(QIODevice::ReadOnly))
        return false;
    QFile destinationFile(destination);
    if (!destinationFile.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;

    bool complete = copyContent(sourceFile, destinationFile);
    complete = destinationFile.flush() && complete;
    destinationFile.close();
    return complete && destinationFile.error() == QFileDevice::NoError;
}

bool UtilsFilesFolders::sameFile(const QString &source, const QString &destination)
{
    if (source == destination)
        return true;
    const QFileInfo sourceInfo(source);
    const QFileInfo destinationInfo(destination);
    if (sourceInfo.absoluteFilePath() == destinationInfo.absoluteFilePath())
        return true;
    // Links or other spellings of one file: copying it onto itself would truncate it.
    const QString canonicalSource = sourceInfo.canonicalFilePath();
    return !canonicalSource.isEmpty() && canonicalSource == destinationInfo.canonicalFilePath();
}

bool UtilsFilesFolders::copyContent(QFile &source, QFile &destination)
{
    QByteArray buffer(CopyChunkSize, Qt::Uninitialized);
    while (!source.atEnd()) {
        const qint64 read = source.read(buffer.data(), buffer.size());
        if (read <= 0)
            return false;
        if (destination.write(buffer.constData(), read) != read)
            return false;
    }
    return true;
}

bool UtilsFilesFolders::removeFolder(QDir folder)
{
    const QFileInfo folderInfo(folder.path());
    if (folderInfo.isSymLink())
        return !QFile::remove(folderInfo.absoluteFilePath());
    if (!folder.exists())
        return false;

    // System entries are listed so that dangling links go too; hidden entries stay (and keep
    // the folder).
    bool failed = false;
    const QFileInfoList entries =
        folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir() && !entry.isSymLink())
            failed = removeFolder(QDir(entry.absoluteFilePath()));
        else
            failed = !QFile::remove(entry.absoluteFilePath());
        if (failed)
            break;
    }

    if (!folder.rmdir(folder.absolutePath()))
        return true;
    return failed;
}

// The system's reason when the file or its folder refuses writes (a read-only disk, a folder
// without the right), else what the file said.
QString UtilsFilesFolders::whyNotWritable(const QString &path, const QString &otherwise)
{
    const QByteArray file = QFile::encodeName(path);
    if (::access(file.constData(), W_OK) != 0 && errno != ENOENT)
        return QString::fromLocal8Bit(std::strerror(errno));
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::access(folder.constData(), W_OK) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return otherwise;
}

bool UtilsFilesFolders::saveFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = whyNotWritable(path, file.errorString());
        return false;
    }
    // The last bytes may still sit in the file's buffer: commit() would rename the temporary file
    // over the old one even when writing them out fails, so they are flushed and checked first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    const bool committed = file.commit();
    if (!committed && error)
        *error = file.errorString();
    return committed;
}
