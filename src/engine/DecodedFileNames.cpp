#include "engine/DecodedFileNames.h"

#include "config/FileNameLimit.h"
#include "config/PartialFile.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace {

// Names tried before giving up.
constexpr int kMaxNames = 1000;

QString joined(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('/') + name;
}

} // namespace

QString DecodedFileNames::candidate(const QString &wanted, Use use, int article, int n)
{
    if (use == Use::Output)
        return n == 1 ? wanted : wanted + QStringLiteral(" (%1)").arg(n);
    if (n == 1)
        return wanted;
    const QString raw = wanted + QStringLiteral(" (segment %1)").arg(article);
    return n == 2 ? raw : raw + QStringLiteral(" (%1)").arg(n - 1);
}

// A name too long for the folder's file system is cut before its number, so that the number
// still tells two posted files of one cut name apart.
QString DecodedFileNames::fittedCandidate(const QString &wanted, Use use, int article, int n, int maxBytes)
{
    const QString name = candidate(wanted, use, article, n);
    const int overflow = FileNameLimit::bytesOf(name) - maxBytes;
    if (overflow <= 0)
        return name;
    return candidate(FileNameLimit::fit(wanted, FileNameLimit::bytesOf(wanted) - overflow), use, article, n);
}

QString DecodedFileNames::claim(const QString &folder, const QString &wanted, const NzbFile *file, Use use, int article)
{
    QMutexLocker locker(&mutex);
    const Key key{file, use, use == Use::RawCopy ? article : 0, joined(folder, wanted)};
    const auto earlier = hashClaims.constFind(key);
    if (earlier != hashClaims.constEnd())
        return *earlier;
    const int maxBytes = FileNameLimit::maxBytes(folder);
    for (int n = 1; n <= kMaxNames; ++n) {
        const QString name = fittedCandidate(wanted, use, article, n, maxBytes);
        if (!isFree(joined(folder, name)))
            continue;
        take(key, folder, name);
        PartialFile::removeLeftover(joined(folder, name));
        return name;
    }
    return QString();
}

QString DecodedFileNames::rename(const QString &folder, const QString &taken, const NzbFile *file)
{
    QMutexLocker locker(&mutex);
    const QString takenPath = joined(folder, taken);
    for (auto claim = hashClaims.cbegin(); claim != hashClaims.cend(); ++claim) {
        const Key key = claim.key();
        if (key.file != file || claim.value() != taken || QFileInfo(key.wantedPath).path() != folder)
            continue;
        const QString wanted = QFileInfo(key.wantedPath).fileName();
        const int maxBytes = FileNameLimit::maxBytes(folder);
        for (int n = 2; n <= kMaxNames; ++n) {
            const QString name = fittedCandidate(wanted, key.use, key.article, n, maxBytes);
            const QString path = joined(folder, name);
            const QFileInfo there(path);
            if (!isFree(path) || there.exists() || there.isSymLink())
                continue;
            hashPartials.remove(hashPartials.value(takenPath));
            hashPartials.remove(takenPath);
            hashOwners.remove(takenPath);
            take(key, folder, name);
            return name;
        }
        return QString();
    }
    return QString();
}

void DecodedFileNames::take(const Key &key, const QString &folder, const QString &name)
{
    const QString path = joined(folder, name);
    const QString partial = PartialFile::pathFor(path);
    hashOwners.insert(path, key.file);
    hashPartials.insert(path, partial);
    hashPartials.insert(partial, path);
    hashClaims.insert(key, name);
}

QStringList DecodedFileNames::claimedBy(const NzbFile *file)
{
    QMutexLocker locker(&mutex);
    QStringList paths;
    for (auto owner = hashOwners.constBegin(); owner != hashOwners.constEnd(); ++owner) {
        if (owner.value() == file)
            paths.append(owner.key());
    }
    return paths;
}

void DecodedFileNames::noteWritten(const NzbFile *file, const QString &path)
{
    QMutexLocker locker(&mutex);
    if (!hashWritten.contains(file, path))
        hashWritten.insert(file, path);
}

QStringList DecodedFileNames::writtenBy(const NzbFile *file)
{
    QMutexLocker locker(&mutex);
    return hashWritten.values(file);
}

// Free: no posted file claimed it, or a name with the same partial name, in this run. A file that
// stands there is no reason to write elsewhere: the file is written aside, and only a whole file
// that is not the one already there takes another name (rename()).
bool DecodedFileNames::isFree(const QString &path) const
{
    return !hashOwners.contains(path) && !hashPartials.contains(PartialFile::pathFor(path));
}
