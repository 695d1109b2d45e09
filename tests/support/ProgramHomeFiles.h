#ifndef PROGRAMHOMEFILES_H
#define PROGRAMHOMEFILES_H

// What the program, run as a process of its own in a temporary home, leaves in its data folder.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>

// The text of every log file of the data folder, oldest first.
inline QString logTextIn(const QString &home)
{
    QString text;
    const QDir logs(home + QStringLiteral("/Tessaquill_Plus/Logs"));
    for (const QString &name : logs.entryList(QDir::Files, QDir::Name)) {
        QFile file(logs.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            text += QString::fromUtf8(file.readAll());
    }
    return text;
}

// Segment files whose article has arrived whole (a file is made empty before its transfer).
inline int wholeSegmentFileCount(const QString &home)
{
    int count = 0;
    QDirIterator it(home + QStringLiteral("/Tessaquill_Plus/Cache"), {QStringLiteral("*.tmp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        count += it.fileInfo().size() > 0 ? 1 : 0;
    }
    return count;
}

#endif // PROGRAMHOMEFILES_H
