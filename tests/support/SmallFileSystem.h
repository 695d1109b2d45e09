#ifndef SMALLFILESYSTEM_H
#define SMALLFILESYSTEM_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>

// A folder that holds only a few bytes, for tests of a disk that fills. Where the test may mount
// (root), it is a tmpfs of that size mounted on the folder, which fails writes with "No space
// left on device" when full; elsewhere every file this process writes is limited to that size
// (RLIMIT_FSIZE), which fails writes the same way. makeRoom() gives the room back, as when the
// user frees some disk space.
class SmallFileSystem
{
public:
    SmallFileSystem(const QString &folder, qint64 bytes)
        : path(folder)
    {
        QDir().mkpath(folder);
        mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                          QByteArray("size=" + QByteArray::number(bytes)).constData())
                  == 0;
        if (mounted)
            return;
        getrlimit(RLIMIT_FSIZE, &previous);
        previousHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous;
        limited.rlim_cur = rlim_t(bytes);
        limitedSize = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~SmallFileSystem()
    {
        if (mounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
        else
            makeRoom();
    }
    SmallFileSystem(const SmallFileSystem &) = delete;
    SmallFileSystem &operator=(const SmallFileSystem &) = delete;

    bool isValid() const { return mounted || limitedSize; }
    bool isMounted() const { return mounted; }

    void makeRoom()
    {
        if (mounted) {
            ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", MS_REMOUNT | MS_NOSUID | MS_NODEV,
                    "size=1g");
        } else if (limitedSize) {
            setrlimit(RLIMIT_FSIZE, &previous);
            signal(SIGXFSZ, previousHandler);
            limitedSize = false;
        }
    }

private:
    QString path;
    bool mounted = false;
    bool limitedSize = false;
    rlimit previous{};
    sighandler_t previousHandler = SIG_DFL;
};

#endif // SMALLFILESYSTEM_H
