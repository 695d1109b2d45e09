#include "config/UtilsFilesFolders.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

bool UtilsFilesFolders::copyFile(const QString &source, const QString &destination, QString *error)
{
    if (sameFile(source, destination))
        return true;

    QDir().mkpath(QFileInfo(destination).absolutePath());
    const QString notReplaceable = whyNotReplaceable(destination);
    if (!notReplaceable.isEmpty())
        return fail(error, notReplaceable);

    QFile sourceFile;
    if (!openSource(sourceFile, source, error))
        return false;
    QSaveFile destinationFile(destination);
    if (!destinationFile.open(QIODevice::WriteOnly))
        return fail(error, whyNotWritable(destination, destinationFile.errorString()));

    // commit() would put the copy in place even when its last bytes could not be written out:
    // they are flushed and checked first.
    if (!copyContent(sourceFile, destinationFile) || !destinationFile.flush()) {
        const QString why = destinationFile.error() != QFileDevice::NoError ? destinationFile.errorString()
                                                                             : sourceFile.errorString();
        destinationFile.cancelWriting();
        return fail(error, why);
    }
    if (!destinationFile.commit())
        return fail(error, destinationFile.errorString());
    return true;
}

// Only a regular file is replaced: opening a named pipe for writing waits until some reader
// comes, a device is no file to keep, and a folder is the user's. Empty when it may be replaced
// (or does not exist).
QString UtilsFilesFolders::whyNotReplaceable(const QString &destination)
{
    struct stat status {};
    if (::stat(QFile::encodeName(destination).constData(), &status) != 0 || S_ISREG(status.st_mode))
        return QString();
    if (S_ISDIR(status.st_mode))
        return tr("%1 is a folder.").arg(QDir::toNativeSeparators(destination));
    return tr("%1 is not a regular file (a named pipe, a device or a socket); it is left as it is.")
        .arg(QDir::toNativeSeparators(destination));
}

bool UtilsFilesFolders::openSource(QFile &file, const QString &path, QString *error)
{
    switch (RegularFile::openForReading(file, path)) {
    case RegularFile::Opening::Opened:
        return true;
    case RegularFile::Opening::NotRegular:
        return fail(error, tr("%1 is not a regular file.").arg(QDir::toNativeSeparators(path)));
    case RegularFile::Opening::CannotOpen:
        break;
    }
    const QString why = QFileInfo::exists(path) ? tr("%1 cannot be read.") : tr("%1 does not exist.");
    return fail(error, why.arg(QDir::toNativeSeparators(path)));
}

bool UtilsFilesFolders::fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
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

bool UtilsFilesFolders::copyContent(QFile &source, QFileDevice &destination)
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
