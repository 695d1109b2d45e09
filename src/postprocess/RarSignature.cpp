#include "postprocess/RarSignature.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Enough for the marker and a main header's first fields.
constexpr qint64 kHeadBytes = 64;

const QByteArray kRar4Marker("Rar!\x1a\x07\x00", 7);
const QByteArray kRar5Marker("Rar!\x1a\x07\x01\x00", 8);

constexpr quint8 kRar4MainType = 0x73;
constexpr quint16 kRar4VolumeFlag = 0x0001;
constexpr quint64 kRar5MainType = 1;
constexpr quint64 kRar5HasExtra = 0x0001;
constexpr quint64 kRar5HasData = 0x0002;
constexpr quint64 kRar5VolumeFlag = 0x0001;

QByteArray head(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.read(kHeadBytes);
}

// A RAR 5 variable-length number; false when it runs past the bytes read.
bool readVint(const QByteArray& bytes, int& pos, quint64& value)
{
    value = 0;
    for (int shift = 0; shift < 64 && pos < bytes.size(); shift += 7) {
        const quint8 byte = quint8(bytes.at(pos++));
        value |= quint64(byte & 0x7f) << shift;
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

RarSignature::Volume rar4Volume(const QByteArray& bytes)
{
    // CRC (2), type (1), flags (2) after the marker.
    const int at = kRar4Marker.size();
    if (bytes.size() < at + 5 || quint8(bytes.at(at + 2)) != kRar4MainType)
        return RarSignature::Volume::Unknown;
    const quint16 flags = quint16(quint8(bytes.at(at + 3)) | (quint8(bytes.at(at + 4)) << 8));
    return (flags & kRar4VolumeFlag) ? RarSignature::Volume::Yes : RarSignature::Volume::No;
}

RarSignature::Volume rar5Volume(const QByteArray& bytes)
{
    // CRC (4), then size, type and flags, the extra and data sizes when flagged, and the
    // archive flags of a main header.
    int pos = kRar5Marker.size() + 4;
    quint64 size = 0;
    quint64 type = 0;
    quint64 flags = 0;
    quint64 ignored = 0;
    if (!readVint(bytes, pos, size) || !readVint(bytes, pos, type) || type != kRar5MainType
        || !readVint(bytes, pos, flags))
        return RarSignature::Volume::Unknown;
    if ((flags & kRar5HasExtra) && !readVint(bytes, pos, ignored))
        return RarSignature::Volume::Unknown;
    if ((flags & kRar5HasData) && !readVint(bytes, pos, ignored))
        return RarSignature::Volume::Unknown;
    quint64 archiveFlags = 0;
    if (!readVint(bytes, pos, archiveFlags))
        return RarSignature::Volume::Unknown;
    return (archiveFlags & kRar5VolumeFlag) ? RarSignature::Volume::Yes : RarSignature::Volume::No;
}

bool hasRarMarker(const QByteArray& bytes)
{
    return bytes.left(4).toUpper() == "RAR!";
}

RarSignature::Volume volumeOf(const QByteArray& bytes)
{
    if (bytes.startsWith(kRar5Marker))
        return rar5Volume(bytes);
    if (bytes.startsWith(kRar4Marker))
        return rar4Volume(bytes);
    return RarSignature::Volume::Unknown;
}

} // namespace

bool RarSignature::startsAsRar(const QString& path)
{
    return hasRarMarker(head(path));
}

RarSignature::Volume RarSignature::mainHeaderVolume(const QString& path)
{
    return volumeOf(head(path));
}

bool RarSignature::isNumberedArchive(const QString& path)
{
    const QByteArray bytes = head(path);
    if (!hasRarMarker(bytes))
        return false;
    const QFileInfo first(path);
    const QString second = first.absolutePath() + QLatin1Char('/') + first.completeBaseName() + QStringLiteral(".002");
    if (!QFileInfo::exists(second))
        return true;
    return volumeOf(bytes) != Volume::No;
}
