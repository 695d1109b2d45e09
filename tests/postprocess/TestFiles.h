#ifndef TESTFILES_H
#define TESTFILES_H

// Small file helpers shared by the post-processing tests.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

namespace TestFiles {

inline bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(content) == content.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline QByteArray sha256(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

inline QByteArray fileSha256(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex();
}

// Bytes that differ from one position to the next, so that a misplaced chunk shows.
inline QByteArray patternBytes(qint64 size, quint32 seed = 1)
{
    QByteArray bytes(int(size), '\0');
    quint32 state = seed * 2654435761u + 1;
    for (int i = 0; i < bytes.size(); ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = char(state >> 24);
    }
    return bytes;
}

// Every entry of a folder (hidden ones included), sorted.
inline QStringList entries(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                   | QDir::NoDotAndDotDot,
                                               QDir::Name);
    return names;
}

// A shell script made executable, for a stand-in outside program.
inline bool writeScript(const QString& path, const QByteArray& body)
{
    if (!writeFile(path, "#!/bin/sh\n" + body + "\n"))
        return false;
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ExeOwner);
}

} // namespace TestFiles

#endif // TESTFILES_H
