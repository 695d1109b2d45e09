#include "config/NzbHandOverFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

const QLatin1String kPrefix("handover-");

} // namespace

QString NzbHandOverFolder::make(const QString &nzbFolder, QString *error)
{
    QDir().mkpath(nzbFolder);
    QTemporaryDir folder(nzbFolder + QLatin1Char('/') + kPrefix + QLatin1String("XXXXXX"));
    if (!folder.isValid()) {
        if (error)
            *error = folder.errorString();
        return QString();
    }
    folder.setAutoRemove(false);
    return folder.path();
}

void NzbHandOverFolder::removeFile(const QString &path)
{
    QFile::remove(path);
    removeFolder(QFileInfo(path).absolutePath());
}

void NzbHandOverFolder::removeFolder(const QString &folder)
{
    // rmdir removes only an empty folder: what someone else put there keeps it.
    if (!folder.isEmpty() && QFileInfo(folder).fileName().startsWith(kPrefix))
        QDir().rmdir(folder);
}
