#include "engine/DecodedFileNames.h"

#include "config/FileNameLimit.h"

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
        const QString path = joined(folder, name);
        if (!isFree(path))
            continue;
        hashOwners.insert(path, file);
        hashClaims.insert(key, name);
        return name;
    }
    return QString();
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

// Free: no posted file claimed it in this run, and nothing stands at it. A file already there
// belongs to a decoding before a restart, or to post-processing: it is never written into.
bool DecodedFileNames::isFree(const QString &path) const
{
    if (hashOwners.contains(path))
        return false;
    const QFileInfo info(path);
    return !info.exists() && !info.isSymLink();
}
