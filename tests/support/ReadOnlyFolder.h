#ifndef READONLYFOLDER_H
#define READONLYFOLDER_H

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <sys/mount.h>
#include <sys/stat.h>

// A folder that refuses every write for the life of the object, as a disk mounted read-only
// does. Root ignores permissions, so where the test may mount the folder is bind-mounted onto
// itself read-only (writes fail with "Read-only file system"); elsewhere its permissions are
// taken away (writes fail with "Permission denied"). errorCode() is the errno writes then meet.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder)
        : path(QFile::encodeName(folder))
    {
        if (::mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0) {
            mounted = true;
            valid = ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
            return;
        }
        struct stat st {};
        if (::stat(path.constData(), &st) != 0)
            return;
        previousMode = st.st_mode & 07777;
        valid = ::chmod(path.constData(), 0555) == 0;
    }
    ~ReadOnlyFolder() { makeWritable(); }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool isValid() const { return valid; }
    int errorCode() const { return mounted ? EROFS : EACCES; }

    void makeWritable()
    {
        if (mounted)
            ::umount2(path.constData(), MNT_DETACH);
        else if (valid)
            ::chmod(path.constData(), previousMode);
        mounted = false;
        valid = false;
    }

private:
    QByteArray path;
    bool mounted = false;
    bool valid = false;
    mode_t previousMode = 0755;
};

#endif // READONLYFOLDER_H
