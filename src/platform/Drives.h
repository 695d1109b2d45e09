#ifndef DRIVES_H
#define DRIVES_H

#include <QFileInfo>
#include <QList>

// The computer's drives: the mounted file systems that hold user data, one entry per mount
// point. Each entry is built so that both `absoluteFilePath()` and `dir().absolutePath()` name
// the mount point itself (a trailing separator is kept on purpose), as callers that expect
// drive roots such as "C:/" do.
class Drives
{
public:
    static QList<QFileInfo> mounted();

    // The entry for one mount point, in the form described above.
    static QFileInfo entryFor(const QString &mountPoint);

private:
    static bool isUserVolume(const QString &mountPoint, const QByteArray &fileSystemType);
};

#endif // DRIVES_H
