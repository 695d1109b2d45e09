#ifndef DECODEDFILENAMES_H
#define DECODEDFILENAMES_H

#include <QHash>
#include <QMutex>
#include <QString>
#include <QStringList>

class NzbFile;

// Which posted file writes which file of a download folder, so that two posted files that end
// with the same name (obfuscated posts with equal subjects, an entry listed twice) never write
// into one file, and a raw copy of an undecodable article never lands on an assembled file.
// Shared by the decoder threads; every call takes the object's own mutex.
class DecodedFileNames
{
public:
    // What a name is claimed for: a decoded output, or the raw copy of one article that held
    // nothing to decode. A posted file keeps the two apart, so neither ever writes over the other.
    enum class Use { Output, RawCopy };

    // The name under which `file` writes `wanted` in `folder` (for a raw copy, that of article
    // `article`), and claims it: the name it took for the same before, else `wanted` itself when
    // no posted file claimed it in this run (cut short, extension kept, when it is too long for
    // the folder's file system), else the first free of "wanted (2)", "wanted (3)"... (a raw
    // copy: "wanted (segment <article>)", then with " (2)"...). The number goes after the whole
    // name, so that a second copy never looks like a volume of an archive or split set. Empty
    // when no name is free. The file is written under the name's partial name (PartialFile) and
    // takes the name once whole; a new claim removes what a decoding stopped before left there.
    // A file that stands at the name is never written into: see rename().
    QString claim(const QString &folder, const QString &wanted, const NzbFile *file, Use use, int article = 0);

    // The claim of `file` that took `taken` in `folder` moves to the next name of its series that
    // no posted file claimed and nothing stands at, for a whole file that could not take `taken`
    // (another file stands there: written before a restart, or put there by someone else). Empty
    // when no name is free.
    QString rename(const QString &folder, const QString &taken, const NzbFile *file);

    // The paths `file` claimed so far, outputs and raw copies.
    QStringList claimedBy(const NzbFile *file);

    // The file at `path` was written whole for `file` and has its name.
    void noteWritten(const NzbFile *file, const QString &path);
    // The paths written whole for `file` in this run.
    QStringList writtenBy(const NzbFile *file);

    // The n-th name tried for `wanted` (n from 1).
    static QString candidate(const QString &wanted, Use use, int article, int n);
    // The same, cut to at most maxBytes bytes (the number kept whole).
    static QString fittedCandidate(const QString &wanted, Use use, int article, int n, int maxBytes);

private:
    struct Key
    {
        const NzbFile *file;
        Use use;
        int article;
        QString wantedPath;
        bool operator==(const Key &other) const
        {
            return file == other.file && use == other.use && article == other.article
                   && wantedPath == other.wantedPath;
        }
    };
    friend uint qHash(const Key &key, uint seed)
    {
        return qHash(key.wantedPath, seed) ^ qHash(key.file, seed) ^ qHash(key.article, seed);
    }

    bool isFree(const QString &path) const;
    void take(const Key &key, const QString &folder, const QString &name);

    QMutex mutex;
    QHash<Key, QString> hashClaims;             // what each posted file took for a wanted name
    QHash<QString, const NzbFile *> hashOwners; // every claimed path and its posted file
    QHash<QString, QString> hashPartials;       // the partial path of every claimed path, and back
    QMultiHash<const NzbFile *, QString> hashWritten;
};

#endif // DECODEDFILENAMES_H
