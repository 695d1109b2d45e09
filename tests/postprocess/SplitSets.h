#ifndef SPLITSETS_H
#define SPLITSETS_H

// Builds split-volume sets for the joining tests.

#include "TestFiles.h"

#include <QtEndian>

namespace SplitSets {

struct XtremHeader
{
    QByteArray nameField;  // up to 50 bytes, zero-padded
    int nameLength = -1;   // -1: the name field's text length
    qint64 volumeCount = -1; // -1: the real number of volumes
    qint64 totalSize = -1;   // -1: the real joined size
    quint64 hugeTotalSize = 0; // when set, the size written whatever the above says
};

inline QByteArray xtremHeader(const XtremHeader& values, quint32 volumeCount, quint64 totalSize)
{
    QByteArray header(40, 'x');
    const QByteArray name = values.nameField.left(50);
    const int length = values.nameLength >= 0 ? values.nameLength : int(qstrnlen(name.constData(), name.size()));
    header.append(char(length));
    header.append(name);
    header.append(QByteArray(50 - name.size(), '\0'));
    header.append(char(1));
    uchar count[4];
    qToLittleEndian<quint32>(values.volumeCount >= 0 ? quint32(values.volumeCount) : volumeCount, count);
    header.append(reinterpret_cast<const char*>(count), 4);
    uchar size[8];
    const quint64 written = values.totalSize >= 0 ? quint64(values.totalSize) : totalSize;
    qToLittleEndian<quint64>(values.hugeTotalSize != 0 ? values.hugeTotalSize : written, size);
    header.append(reinterpret_cast<const char*>(size), 8);
    return header;
}

inline QString volumeNumber(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

// Writes data as an XtremSplit set base.001.xtm, base.002.xtm, ... of volumes holding
// `volumeSize` bytes of data each (the first one after its header); `suffix` sets the case
// of ".xtm". Returns the volume paths.
inline QStringList writeXtremSet(const QString& folder, const QString& base, const QByteArray& data,
                                 int volumeSize, const XtremHeader& values,
                                 const QString& suffix = QStringLiteral(".xtm"))
{
    QStringList paths;
    const int count = qMax(1, (data.size() + volumeSize - 1) / volumeSize);
    for (int n = 1; n <= count; ++n) {
        QByteArray content = data.mid((n - 1) * volumeSize, volumeSize);
        if (n == 1)
            content.prepend(xtremHeader(values, quint32(count), quint64(data.size())));
        const QString path = folder + QLatin1Char('/') + base + QLatin1Char('.') + volumeNumber(n) + suffix;
        if (!TestFiles::writeFile(path, content))
            return QStringList();
        paths.append(path);
    }
    return paths;
}

// Writes data as a plain set base.001, base.002, ...; returns the volume paths.
inline QStringList writePlainSet(const QString& folder, const QString& base, const QByteArray& data,
                                 int volumeSize)
{
    QStringList paths;
    const int count = qMax(1, (data.size() + volumeSize - 1) / volumeSize);
    for (int n = 1; n <= count; ++n) {
        const QString path = folder + QLatin1Char('/') + base + QLatin1Char('.') + volumeNumber(n);
        if (!TestFiles::writeFile(path, data.mid((n - 1) * volumeSize, volumeSize)))
            return QStringList();
        paths.append(path);
    }
    return paths;
}

} // namespace SplitSets

#endif // SPLITSETS_H
