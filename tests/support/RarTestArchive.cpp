#include "RarTestArchive.h"

#include <QFile>

#include <zlib.h>

namespace {

const QByteArray kRar4Signature("Rar!\x1a\x07\x00", 7);
const QByteArray kRar5Signature("Rar!\x1a\x07\x01\x00", 8);

// Unix modes of the entries (host system Unix in both formats).
constexpr quint32 kModeFile = 0100644;
constexpr quint32 kModeDirectory = 040755;
constexpr quint32 kModeSymlink = 0120777;
constexpr quint32 kModePipe = 010644;
constexpr quint32 kUnixTime = 1700000000;
constexpr quint32 kDosTime = 0x5A8E3100;

quint32 crc32Of(const QByteArray& bytes)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size())));
}

void appendLe(QByteArray& out, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

quint32 unixMode(RarTestArchive::Kind kind)
{
    switch (kind) {
    case RarTestArchive::Kind::Directory:
        return kModeDirectory;
    case RarTestArchive::Kind::Symlink:
        return kModeSymlink;
    case RarTestArchive::Kind::NamedPipe:
        return kModePipe;
    default:
        return kModeFile;
    }
}

} // namespace

// Its checksum is the low half of the CRC-32 of everything after the checksum.
QByteArray RarTestArchive::rar4Block(quint8 type, quint16 flags, const QByteArray& fields)
{
    QByteArray block(2, '\0');
    block.append(char(type));
    appendLe(block, flags, 2);
    appendLe(block, quint64(7 + fields.size()), 2);
    block.append(fields);
    const quint32 crc = crc32Of(block.mid(2));
    block[0] = char(crc & 0xFF);
    block[1] = char((crc >> 8) & 0xFF);
    return block;
}

namespace {

// A RAR 4 Unicode name: a high byte, then flag bytes each announcing four characters given by
// their low byte alone (enough for the ASCII names the tests hide there).
QByteArray rar4EncodedName(const QByteArray& name)
{
    QByteArray encoded(1, '\0');
    for (int i = 0; i < name.size(); i += 4) {
        encoded.append('\0');
        encoded.append(name.mid(i, 4));
    }
    return encoded;
}

} // namespace

RarTestArchive& RarTestArchive::add(const Entry& entry)
{
    m_blocks.append(m_format == Format::Rar4 ? rar4Entry(entry) : rar5Entry(entry));
    return *this;
}

RarTestArchive& RarTestArchive::file(const QByteArray& name, const QByteArray& data)
{
    Entry entry;
    entry.name = name;
    entry.data = data;
    return add(entry);
}

RarTestArchive& RarTestArchive::directory(const QByteArray& name)
{
    Entry entry;
    entry.name = name;
    entry.kind = Kind::Directory;
    return add(entry);
}

RarTestArchive& RarTestArchive::link(Kind kind, const QByteArray& name, const QByteArray& target)
{
    Entry entry;
    entry.name = name;
    entry.kind = kind;
    entry.target = target;
    return add(entry);
}

RarTestArchive& RarTestArchive::raw(const QByteArray& bytes)
{
    m_blocks.append(bytes);
    return *this;
}

RarTestArchive& RarTestArchive::moreVolumes()
{
    m_moreVolumes = true;
    return *this;
}

QByteArray RarTestArchive::rar5Vint(quint64 value)
{
    QByteArray out;
    while (value >= 0x80) {
        out.append(char((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
    return out;
}

QByteArray RarTestArchive::rar5Block(quint64 type, const QByteArray& fields, const QByteArray& extra,
                                     std::optional<quint64> dataSize)
{
    quint64 flags = 0;
    if (!extra.isEmpty())
        flags |= 0x0001;
    if (dataSize)
        flags |= 0x0002;
    QByteArray header = rar5Vint(type) + rar5Vint(flags);
    if (!extra.isEmpty())
        header += rar5Vint(quint64(extra.size()));
    if (dataSize)
        header += rar5Vint(*dataSize);
    header += fields + extra;
    const QByteArray sized = rar5Vint(quint64(header.size())) + header;
    QByteArray block;
    appendLe(block, crc32Of(sized), 4);
    return block + sized;
}

QByteArray RarTestArchive::rar5Entry(const Entry& entry) const
{
    const bool directory = entry.kind == Kind::Directory;
    const bool hasData = entry.kind == Kind::File || entry.kind == Kind::NamedPipe;
    const QByteArray data = hasData ? entry.data : QByteArray();
    quint64 fileFlags = 0x0002 | 0x0004; // modification time and CRC present
    if (directory)
        fileFlags = 0x0001 | 0x0002;
    QByteArray fields = rar5Vint(fileFlags);
    fields += rar5Vint(quint64(entry.unpackedSize >= 0 ? entry.unpackedSize : data.size()));
    fields += rar5Vint(unixMode(entry.kind));
    appendLe(fields, kUnixTime, 4);
    if (!directory)
        appendLe(fields, crc32Of(data), 4);
    fields += rar5Vint(0); // stored, no dictionary
    fields += rar5Vint(1); // host system Unix
    fields += rar5Vint(quint64(entry.name.size())) + entry.name;

    QByteArray extra;
    int redirection = 0;
    switch (entry.kind) {
    case Kind::Symlink: redirection = 1; break;
    case Kind::WindowsSymlink: redirection = 2; break;
    case Kind::Junction: redirection = 3; break;
    case Kind::Hardlink: redirection = 4; break;
    case Kind::FileCopy: redirection = 5; break;
    default: break;
    }
    if (redirection != 0) {
        const QByteArray record = rar5Vint(5) + rar5Vint(quint64(redirection)) + rar5Vint(0)
                                  + rar5Vint(quint64(entry.target.size())) + entry.target;
        extra = rar5Vint(quint64(record.size())) + record;
    }
    const qint64 packed = entry.packedSize >= 0 ? entry.packedSize : data.size();
    return rar5Block(2, fields, extra, quint64(packed)) + data;
}

QByteArray RarTestArchive::rar4Entry(const Entry& entry) const
{
    const QByteArray data = entry.kind == Kind::Symlink ? entry.target : entry.data;
    const quint64 packed = quint64(entry.packedSize >= 0 ? entry.packedSize : data.size());
    const quint64 unpacked = quint64(entry.unpackedSize >= 0 ? entry.unpackedSize : data.size());
    const bool large = packed > 0xFFFFFFFFu || unpacked > 0xFFFFFFFFu;
    QByteArray name = entry.name;
    quint16 flags = 0x8000; // data follows the header
    if (!entry.unicodeName.isEmpty()) {
        name += '\0' + rar4EncodedName(entry.unicodeName);
        flags |= 0x0200;
    }
    if (entry.kind == Kind::Directory)
        flags |= 0x00E0;
    if (large)
        flags |= 0x0100;

    QByteArray fields;
    appendLe(fields, packed & 0xFFFFFFFFu, 4);
    appendLe(fields, unpacked & 0xFFFFFFFFu, 4);
    fields.append(char(3)); // host system Unix
    appendLe(fields, crc32Of(data), 4);
    appendLe(fields, kDosTime, 4);
    fields.append(char(29)); // version needed: 2.9
    fields.append(char(0x30)); // stored
    appendLe(fields, quint64(name.size()), 2);
    appendLe(fields, unixMode(entry.kind), 4);
    if (large) {
        appendLe(fields, packed >> 32, 4);
        appendLe(fields, unpacked >> 32, 4);
    }
    fields += name;
    return rar4Block(0x74, flags, fields) + data;
}

QByteArray RarTestArchive::bytes() const
{
    QByteArray out;
    if (m_format == Format::Rar4) {
        // Volume, new numbering, first volume when another one follows.
        out = kRar4Signature + rar4Block(0x73, m_moreVolumes ? 0x0111 : 0, QByteArray(6, '\0'));
    } else {
        out = kRar5Signature + rar5Block(1, rar5Vint(m_moreVolumes ? 0x0001 : 0));
    }
    for (const QByteArray& block : m_blocks)
        out += block;
    if (m_format == Format::Rar4)
        return out + rar4Block(0x7B, quint16(0x4000 | (m_moreVolumes ? 0x0001 : 0)), QByteArray());
    return out + rar5Block(5, rar5Vint(m_moreVolumes ? 0x0001 : 0));
}

bool RarTestArchive::write(const QString& path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray content = bytes();
    return file.write(content) == content.size();
}
