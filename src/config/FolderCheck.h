#ifndef FOLDERCHECK_H
#define FOLDERCHECK_H

#include <QObject>
#include <QString>

// Whether a folder the user names can hold the program's files: nothing in its path is a file,
// the path is not longer than the system allows, and the folder (or, while it does not exist,
// the nearest one above it that does) can be written. Nothing is created.
class FolderCheck : private QObject
{
    Q_OBJECT

public:
    // Empty when the folder can be used, else why not, in the user's words, naming the path at
    // fault and the system's reason.
    static QString whyNotUsable(const QString &folder);
    // "~" and "~/..." as the user means them: the home folder and what is under it. Any other
    // text is returned as it is.
    static QString expandHome(const QString &folder);

private:
    FolderCheck() = delete;
    static QString tooLong(const QString &path);
    static QString nearestExisting(const QString &path);
};

#endif // FOLDERCHECK_H
