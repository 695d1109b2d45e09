#ifndef RARTESTARCHIVE_H
#define RARTESTARCHIVE_H

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Writes small RAR 4 and RAR 5 archives of stored (uncompressed) entries, with correct header
// checksums, after the public descriptions of both formats. Tests make the odd and hostile
// archives they need with it at run time: names with any bytes, symbolic and hard links,
// special files, sizes that do not match the data, raw blocks.
class RarTestArchive
{
public:
    enum class Format { Rar4, Rar5 };
    enum class Kind {
        File,
        Directory,
        Symlink,        // RAR 4: a Unix entry whose data is the target; RAR 5: a redirection record
        WindowsSymlink, // RAR 5 only
        Junction,       // RAR 5 only
        Hardlink,       // RAR 5 only
        FileCopy,       // RAR 5 only
        NamedPipe       // a Unix entry whose mode says FIFO
    };

    struct Entry
    {
        QByteArray name;          // stored as it is: any bytes
        Kind kind = Kind::File;
        QByteArray data;          // a file's content
        QByteArray target;        // where a link leads
        qint64 unpackedSize = -1; // -1: the size of the data
        qint64 packedSize = -1;   // -1: the size of the data (as written in the header)
        QByteArray unicodeName;   // RAR 4: a name stored after a NUL behind `name` (ASCII here)
    };

    explicit RarTestArchive(Format format) : m_format(format) {}

    RarTestArchive& add(const Entry& entry);
    RarTestArchive& file(const QByteArray& name, const QByteArray& data);
    RarTestArchive& directory(const QByteArray& name);
    RarTestArchive& link(Kind kind, const QByteArray& name, const QByteArray& target);
    // Bytes put as they are between the entries (a damaged or looping block).
    RarTestArchive& raw(const QByteArray& bytes);
    // The end block says that another volume follows.
    RarTestArchive& moreVolumes();

    QByteArray bytes() const;
    bool write(const QString& path) const;

    // A RAR 5 block: checksum and size in front of type, flags, the optional extra area and
    // data sizes, then `fields` and `extra`; no data area without `dataSize`.
    static QByteArray rar5Block(quint64 type, const QByteArray& fields, const QByteArray& extra = QByteArray(),
                                std::optional<quint64> dataSize = std::nullopt);
    static QByteArray rar5Vint(quint64 value);
    // A RAR 4 block: checksum, type, flags and size in front of `fields`.
    static QByteArray rar4Block(quint8 type, quint16 flags, const QByteArray& fields);

private:
    QByteArray rar4Entry(const Entry& entry) const;
    QByteArray rar5Entry(const Entry& entry) const;

    Format m_format;
    QList<QByteArray> m_blocks;
    bool m_moreVolumes = false;
};

#endif // RARTESTARCHIVE_H
