#ifndef TESTFILES_H
#define TESTFILES_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Whole-file helpers for tests. A file that cannot be read reads as "<unreadable>", so that a
// missing file never compares equal to an empty one.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes the bytes in place (no temporary file), creating the folder chain.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

#endif // TESTFILES_H
