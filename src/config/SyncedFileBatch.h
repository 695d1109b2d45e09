#ifndef SYNCEDFILEBATCH_H
#define SYNCEDFILEBATCH_H

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// Files replaced together, each as UtilsFilesFolders::saveFile replaces one: written whole beside
// its place, on the disk, then renamed over the old file in one step, so that a crash leaves the
// old content or the new, never a part. The flushes to the disk, which cost most, are made
// side by side (the file system commits them together) instead of one after the other.
class SyncedFileBatch
{
public:
    // `modified`: the file's modification time once in place, when valid.
    void add(const QString &path, const QByteArray &bytes, const QDateTime &modified = QDateTime());
    int size() const { return entries.size(); }

    // Writes every file, then puts each in its place in the order added. Per file, in that
    // order: whether it is in place; a file that is not keeps its previous content, and
    // `reasons` (when given) says why, empty for a file in place.
    QVector<bool> commit(QStringList *reasons = nullptr);

    // How many flushes run at once.
    static constexpr int kSyncThreads = 4;

private:
    struct Entry
    {
        QString path;
        QByteArray bytes;
        QDateTime modified;
        QString temporary;
        QString reason;
        bool ok = false;
    };

    static bool writeTemporary(Entry &entry);
    void syncAll();
    static void syncFolders(const QVector<Entry> &entries);

    QVector<Entry> entries;
};

#endif // SYNCEDFILEBATCH_H
