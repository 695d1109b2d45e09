#ifndef REGULARFILE_H
#define REGULARFILE_H

#include <QIODevice>
#include <QString>

class QFile;

// Opens a file for reading only when it is a regular file, and never waits in open(): a named
// pipe would hold the caller there until some writer comes, and a device may have no end.
class RegularFile
{
public:
    enum class Opening { Opened, CannotOpen, NotRegular };

    // Opens `file` on the path read-only (with the extra mode flags, such as QIODevice::Text).
    static Opening openForReading(QFile &file, const QString &path, QIODevice::OpenMode extraMode = QIODevice::NotOpen);
};

#endif // REGULARFILE_H
