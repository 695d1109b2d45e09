#ifndef DISKSPACE_H
#define DISKSPACE_H

#include <QString>
#include <QtGlobal>

// Size of the file system that holds a path, read without touching the process's current folder.
class DiskSpace
{
public:
    // Total bytes of the volume and the bytes available to the calling user; false when the path
    // does not exist or its volume cannot be read (the outputs are then untouched).
    static bool query(const QString &path, quint64 &totalBytes, quint64 &availableBytes);
};

#endif // DISKSPACE_H
