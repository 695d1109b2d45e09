#ifndef NZBHANDOVERFOLDER_H
#define NZBHANDOVERFOLDER_H

#include <QString>

// The NZB files that the history window and the search write only to hand them to the queue go
// each into a new folder of its own inside the NZB folder: the file keeps the name the queue
// shows (taken from the file's name), and no file already there, whatever its name, is written
// over. Once the file is read, it and its folder are removed, and nothing else.
class NzbHandOverFolder
{
public:
    // A new, empty folder inside `nzbFolder` (made when missing). Empty, with `error` (when
    // given) saying why, when none could be made.
    static QString make(const QString &nzbFolder, QString *error = nullptr);
    // Removes the handed-over file, then its folder when that is a hand-over folder left empty.
    static void removeFile(const QString &path);
    // Removes a hand-over folder when it is empty (a hand-over that wrote nothing).
    static void removeFolder(const QString &folder);

private:
    NzbHandOverFolder() = delete;
};

#endif // NZBHANDOVERFOLDER_H
