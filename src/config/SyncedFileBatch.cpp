#include "config/SyncedFileBatch.h"

#include "config/UtilsFilesFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

constexpr int kNameAttempts = 100;

QString temporaryName(const QString &path)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return path + QLatin1Char('.') + suffix;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// 0, or the errno of the open or flush that failed.
int syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

} // namespace

void SyncedFileBatch::add(const QString &path, const QByteArray &bytes, const QDateTime &modified)
{
    Entry entry;
    entry.path = path;
    entry.bytes = bytes;
    entry.modified = modified;
    entries.append(entry);
}

// A new file of its own beside the target (never one that exists), written and closed.
bool SyncedFileBatch::writeTemporary(Entry &entry)
{
    QFile file;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        file.setFileName(temporaryName(entry.path));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
    }
    if (!file.isOpen()) {
        entry.reason = UtilsFilesFolders::whyNotWritable(entry.path, file.errorString());
        return false;
    }
    entry.temporary = file.fileName();
    bool written = file.write(entry.bytes) == entry.bytes.size() && file.flush();
    if (written && entry.modified.isValid())
        written = file.setFileTime(entry.modified, QFileDevice::FileModificationTime);
    file.close();
    if (written && file.error() == QFileDevice::NoError)
        return true;
    entry.reason = file.errorString();
    QFile::remove(entry.temporary);
    return false;
}

// Every written file on the disk before any of them replaces an old one.
void SyncedFileBatch::syncAll()
{
    std::vector<int> syncErrors(size_t(entries.size()), 0);
    const int threads = qMin(kSyncThreads, entries.size());
    const auto syncShare = [this, &syncErrors, threads](int first) {
        for (int i = first; i < entries.size(); i += threads) {
            if (entries.at(i).ok)
                syncErrors[size_t(i)] = syncPath(entries.at(i).temporary, O_RDONLY);
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(syncShare, t);
    if (threads > 0)
        syncShare(0);
    for (std::thread &worker : workers)
        worker.join();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).ok && syncErrors[size_t(i)] != 0) {
            QFile::remove(entries.at(i).temporary);
            entries[i].ok = false;
            entries[i].reason = systemReason(syncErrors[size_t(i)]);
        }
    }
}

// The renames themselves on the disk too, once per folder.
void SyncedFileBatch::syncFolders(const QVector<Entry> &entries)
{
    QSet<QString> folders;
    for (const Entry &entry : entries) {
        if (entry.ok)
            folders.insert(QFileInfo(entry.path).absolutePath());
    }
    for (const QString &folder : qAsConst(folders))
        syncPath(folder, O_RDONLY | O_DIRECTORY);
}

QVector<bool> SyncedFileBatch::commit(QStringList *reasons)
{
    for (Entry &entry : entries)
        entry.ok = writeTemporary(entry);
    syncAll();
    for (Entry &entry : entries) {
        if (!entry.ok)
            continue;
        entry.ok = std::rename(QFile::encodeName(entry.temporary).constData(),
                               QFile::encodeName(entry.path).constData())
                   == 0;
        if (!entry.ok) {
            entry.reason = systemReason(errno);
            QFile::remove(entry.temporary);
        }
    }
    syncFolders(entries);
    QVector<bool> results;
    results.reserve(entries.size());
    for (const Entry &entry : qAsConst(entries)) {
        results.append(entry.ok);
        if (reasons)
            reasons->append(entry.reason);
    }
    entries.clear();
    return results;
}
