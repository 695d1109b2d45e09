#include "config/FileNameLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

// The usual limit, for a folder whose own cannot be read.
constexpr int kDefaultMaxBytes = 255;
// An extension longer than this, or one with a blank, is taken for a part of the name.
constexpr int kMaxExtensionBytes = 32;
constexpr int kMaxExtensionSuffixes = 3;

} // namespace

int FileNameLimit::maxBytes(const QString &folder)
{
    QString existing = QDir::cleanPath(QFileInfo(folder.isEmpty() ? QStringLiteral(".") : folder).absoluteFilePath());
    while (!QFileInfo(existing).isDir() && existing != QDir::rootPath())
        existing = QFileInfo(existing).path();
    const long limit = ::pathconf(QFile::encodeName(existing).constData(), _PC_NAME_MAX);
    return limit > 0 && limit < 1000000 ? int(limit) : kDefaultMaxBytes;
}

int FileNameLimit::bytesOf(const QString &name)
{
    return QFile::encodeName(name).size();
}

QString FileNameLimit::fit(const QString &name, int maxBytes)
{
    if (bytesOf(name) <= maxBytes)
        return name;
    QString extension = extensionOf(name);
    if (bytesOf(extension) >= maxBytes)
        extension.clear();
    const QString stem = name.left(name.size() - extension.size());
    QString cut = cutToBytes(stem, maxBytes - bytesOf(extension));
    // "a title .mkv" would read as a name with a blank before its extension.
    while (cut.size() > 1 && cut.endsWith(QLatin1Char(' ')))
        cut.chop(1);
    return cut + extension;
}

// The longest tail of at most three suffixes that is short and holds no blank ("" when none).
QString FileNameLimit::extensionOf(const QString &name)
{
    QString extension;
    int dot = name.size();
    for (int suffixes = 0; suffixes < kMaxExtensionSuffixes; ++suffixes) {
        dot = dot > 0 ? name.lastIndexOf(QLatin1Char('.'), dot - 1) : -1;
        if (dot <= 0)
            break;
        const QString tail = name.mid(dot);
        bool blank = false;
        for (const QChar c : tail)
            blank = blank || c.isSpace();
        if (blank || bytesOf(tail) > kMaxExtensionBytes)
            break;
        extension = tail;
    }
    return extension;
}

QString FileNameLimit::cutToBytes(const QString &text, int maxBytes)
{
    int bytes = 0;
    int end = 0;
    while (end < text.size()) {
        // A character outside the basic plane is a surrogate pair: both halves or neither.
        const int length = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const int charBytes = bytesOf(text.mid(end, length));
        if (bytes + charBytes > maxBytes)
            break;
        bytes += charBytes;
        end += length;
    }
    return text.left(end);
}
