#include "config/FolderCheck.h"

#include "config/FileNameLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>

#include <unistd.h>

QString FolderCheck::whyNotUsable(const QString &folder)
{
    if (folder.trimmed().isEmpty() || QDir::isRelativePath(folder))
        return tr("%1 is not a full path").arg(folder);
    const QString path = QDir::cleanPath(folder);
    const QString longer = tooLong(path);
    if (!longer.isEmpty())
        return longer;
    const QString existing = nearestExisting(path);
    const QFileInfo info(existing);
    if (!info.isDir()) {
        if (existing == path)
            return tr("%1 is a file, not a folder").arg(path);
        return tr("%1 is a file: no folder can be made in it").arg(existing);
    }
    if (::access(QFile::encodeName(existing).constData(), W_OK | X_OK) != 0)
        return tr("%1 cannot be written (%2)").arg(existing, QString::fromLocal8Bit(std::strerror(errno)));
    return QString();
}

QString FolderCheck::expandHome(const QString &folder)
{
    if (folder == QLatin1String("~"))
        return QDir::homePath();
    if (folder.startsWith(QLatin1String("~/")))
        return QDir::homePath() + folder.mid(1);
    return folder;
}

QString FolderCheck::tooLong(const QString &path)
{
    if (QFile::encodeName(path).size() >= PATH_MAX)
        return tr("the path is longer than the system allows (%1 characters)").arg(path.size());
    const int maxBytes = FileNameLimit::maxBytes(path);
    for (const QString &name : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (FileNameLimit::bytesOf(name) > maxBytes)
            return tr("the name %1 is longer than the system allows").arg(name.left(40) + QStringLiteral("..."));
    }
    return QString();
}

// The path itself when something is there (a dangling link counts), else the nearest folder
// above it that exists.
QString FolderCheck::nearestExisting(const QString &path)
{
    QString existing = path;
    while (!QFileInfo::exists(existing) && !QFileInfo(existing).isSymLink() && existing != QDir::rootPath())
        existing = QFileInfo(existing).path();
    return existing;
}
