#ifndef FILEMOVE_H
#define FILEMOVE_H

#include <QString>

// Moves one file to a new path without ever losing it: within one file system it is a rename;
// across file systems (a destination on another disk, a network mount) the file is copied under
// its partial name (PartialFile) beside the new path, and takes the new path, then the source is
// removed, only once the copy is known whole: every write, the sync to the disk and the close
// succeeded and the copy has the source's size. A copy that fails is removed again, so the file is
// whole in one place whatever happens, and never cut under its name. Nothing that stands at the
// new path is ever replaced.
class FileMove
{
public:
    enum class Result {
        Moved,
        NameTaken, // something stands at the new path: nothing was done
        Failed     // nothing was done; the reason says why
    };

    static Result move(const QString& source, const QString& target, QString* reason = nullptr);

private:
    FileMove() = delete;
    static Result copyAcross(const QString& source, const QString& target, QString* reason);
};

#endif // FILEMOVE_H
