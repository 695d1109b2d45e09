#include "postprocess/Par2Backups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <cstring>

namespace {

constexpr qint64 kHeaderSize = 64;
constexpr qint64 kLengthOffset = 8;
constexpr qint64 kTypeOffset = 48;
// Three hashes and the length come before the name.
constexpr qint64 kNameOffset = 56;
// A file description is a few hundred bytes; anything larger is not read.
constexpr qint64 kMaxDescriptionSize = 64 * 1024;
// Packets looked at before giving up on a damaged or hostile file.
constexpr int kMaxPackets = 100000;

const char kMagic[8] = {'P', 'A', 'R', '2', '\0', 'P', 'K', 'T'};
const char kFileDescription[16] = {'P', 'A', 'R', ' ', '2', '.', '0', '\0', 'F', 'i', 'l', 'e', 'D', 'e', 's', 'c'};

quint64 littleEndian64(const char *bytes)
{
    quint64 value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | quint8(bytes[i]);
    return value;
}

// A note holds one name a line; no posted name holds a line break that this would cut (the
// decoder never writes one), and a longer note than this is no note of ours.
constexpr qint64 kMaxNoteSize = 64 * 1024 * 1024;

const QRegularExpression &numberedName()
{
    static const QRegularExpression numbered(QStringLiteral("^(.+)\\.\\d+$"));
    return numbered;
}

QStringList plainFileNames(const QString &folder)
{
    if (folder.isEmpty()) // QDir("") is the current folder
        return {};
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

QString notePath(const QString &folder)
{
    return folder + QLatin1Char('/') + Par2Backups::noteName();
}

QString lastComponent(const QByteArray &name)
{
    QString text = QFile::decodeName(name);
    const int separator = qMax(text.lastIndexOf(QLatin1Char('/')), text.lastIndexOf(QLatin1Char('\\')));
    return text.mid(separator + 1);
}

} // namespace

QStringList Par2Backups::namesInSet(const QString &par2Path)
{
    QFile file(par2Path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> seen;
    QStringList names;
    const qint64 size = file.size();
    qint64 position = 0;
    for (int packet = 0; packet < kMaxPackets && position + kHeaderSize <= size; ++packet) {
        if (!file.seek(position))
            break;
        const QByteArray header = file.read(kHeaderSize);
        if (header.size() != kHeaderSize || std::memcmp(header.constData(), kMagic, sizeof kMagic) != 0)
            break;
        const quint64 length = littleEndian64(header.constData() + kLengthOffset);
        if (length < quint64(kHeaderSize) || length % 4 != 0 || length > quint64(size - position))
            break;
        const bool description = std::memcmp(header.constData() + kTypeOffset, kFileDescription,
                                             sizeof kFileDescription) == 0;
        if (description && length - kHeaderSize > quint64(kNameOffset)
            && length - kHeaderSize <= quint64(kMaxDescriptionSize)) {
            QByteArray body = file.read(qint64(length) - kHeaderSize);
            QByteArray name = body.mid(int(kNameOffset));
            const int end = name.indexOf('\0');
            if (end >= 0)
                name.truncate(end);
            const QString fileName = lastComponent(name);
            if (!fileName.isEmpty() && !seen.contains(fileName)) {
                seen.insert(fileName);
                names.append(fileName);
            }
        }
        position += qint64(length);
    }
    return names;
}

QStringList Par2Backups::backups(const QStringList &namesBefore, const QStringList &namesAfter,
                                 const QStringList &namesInSet)
{
    const QRegularExpression &numbered = numberedName();
    const QSet<QString> before(namesBefore.begin(), namesBefore.end());
    const QSet<QString> after(namesAfter.begin(), namesAfter.end());
    const QSet<QString> listed(namesInSet.begin(), namesInSet.end());
    QStringList found;
    for (const QString &name : namesAfter) {
        if (before.contains(name) || listed.contains(name))
            continue;
        const QRegularExpressionMatch match = numbered.match(name);
        if (!match.hasMatch())
            continue;
        const QString original = match.captured(1);
        if (before.contains(original) && after.contains(original))
            found.append(name);
    }
    return found;
}

QString Par2Backups::noteName()
{
    return QStringLiteral(".tq-par2-originals");
}

bool Par2Backups::noteOriginals(const QString &folder)
{
    if (folder.isEmpty() || QFileInfo::exists(notePath(folder)))
        return !folder.isEmpty();
    QSaveFile note(notePath(folder));
    if (!note.open(QIODevice::WriteOnly))
        return false;
    for (const QString &name : plainFileNames(folder))
        note.write(QFile::encodeName(name) + '\n');
    return note.commit();
}

void Par2Backups::forgetOriginals(const QString &folder)
{
    if (!folder.isEmpty())
        QFile::remove(notePath(folder));
}

QStringList Par2Backups::leftovers(const QString &folder, const QStringList &namesInSet)
{
    QFile note(notePath(folder));
    if (folder.isEmpty() || !note.open(QIODevice::ReadOnly) || note.size() > kMaxNoteSize)
        return {};
    QSet<QString> originals;
    for (const QByteArray &line : note.readAll().split('\n')) {
        if (!line.isEmpty())
            originals.insert(QFile::decodeName(line));
    }
    const QStringList names = plainFileNames(folder);
    const QSet<QString> present(names.begin(), names.end());
    const QSet<QString> listed(namesInSet.begin(), namesInSet.end());
    QStringList found;
    for (const QString &name : names) {
        if (originals.contains(name) || listed.contains(name))
            continue;
        const QRegularExpressionMatch match = numberedName().match(name);
        if (match.hasMatch() && present.contains(match.captured(1)))
            found.append(name);
    }
    return found;
}
