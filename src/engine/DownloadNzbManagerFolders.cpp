// NZBs whose download folder cannot be used (a file in its way, a folder that cannot be made or
// written): each waits alone, its decoded-to-be files kept with their articles, while the other
// NZBs go on. It goes on once its folder can be used, or in a folder under another Download
// folder when nothing of it has been written yet.
#include "engine/DownloadNzbManager.h"

#include "config/FolderCheck.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

namespace {

QString downloadFolderOf(NzbFiles *nzb)
{
    QMutexLocker locker(&nzb->mutex);
    return nzb->strDownloadFolder;
}

} // namespace

// Something of the NZB may be in its folder: a file decoded, or the folder itself made.
bool DownloadNzbManager::hasWrittenFiles(NzbFiles *pNzbFiles, const QString &strFolder)
{
    if (QFileInfo(strFolder).isDir())
        return true;
    for (const NzbFile *file : pNzbFiles->getFiles()) {
        if (!file->bExcluded && file->isDecoded())
            return true;
    }
    return false;
}

bool DownloadNzbManager::holdForUnusableFolder(NzbFile *pNzbFile)
{
    NzbFiles *nzb = pNzbFile->getNzbFiles();
    const QString folder = downloadFolderOf(nzb);
    const QString why = FolderCheck::whyNotUsable(folder);
    if (why.isEmpty())
        return false;
    const bool bNewlyWaiting = !hashFilesWaitingForFolder.contains(nzb);
    QList<NzbFile *> &files = hashFilesWaitingForFolder[nzb];
    if (!files.contains(pNzbFile))
        files.append(pNzbFile);
    if (bNewlyWaiting)
        emit signalNzbWaitsForFolder(nzb, folder, why, !hasWrittenFiles(nzb, folder));
    return true;
}

bool DownloadNzbManager::isWaitingForFolder(NzbFiles *pNzbFiles) const
{
    return hashFilesWaitingForFolder.contains(pNzbFiles);
}

// Only for another Download folder than the one the NZB's folder lies in: in the same one, what
// stands in its folder's way is for the user to look at.
bool DownloadNzbManager::adoptUsableDownloadFolder(NzbFiles *pNzbFiles)
{
    const QString folder = downloadFolderOf(pNzbFiles);
    const QString root = QDir::cleanPath(QDir(strDownloadFolder).absolutePath());
    if (QDir::cleanPath(QFileInfo(folder).path()) == root || FolderCheck::whyNotUsable(folder).isEmpty()
        || hasWrittenFiles(pNzbFiles, folder) || !FolderCheck::whyNotUsable(root).isEmpty())
        return false;
    const QString moved = freeDownloadFolderFor(pNzbFiles);
    QMutexLocker locker(&pNzbFiles->mutex);
    pNzbFiles->strDownloadFolder = moved;
    return true;
}

void DownloadNzbManager::retryNzbsWaitingForFolder()
{
    for (auto it = hashFilesWaitingForFolder.begin(); it != hashFilesWaitingForFolder.end();) {
        NzbFiles *nzb = it.key();
        if (nzb->bDeleted) {
            it = hashFilesWaitingForFolder.erase(it);
            continue;
        }
        adoptUsableDownloadFolder(nzb);
        const QString folder = downloadFolderOf(nzb);
        if (!FolderCheck::whyNotUsable(folder).isEmpty()) {
            ++it;
            continue;
        }
        {
            QMutexLocker locker(&mutexFilesToDecode);
            for (NzbFile *file : qAsConst(it.value())) {
                if (!file->bExcluded && !file->isDecoded() && !listFilesToDecode.contains(file))
                    listFilesToDecode.append(file);
            }
        }
        it = hashFilesWaitingForFolder.erase(it);
        emit signalNzbWaitsForFolder(nzb, folder, QString(), false);
    }
}
