#ifndef PAR2BACKUPS_H
#define PAR2BACKUPS_H

#include <QString>
#include <QStringList>

// par2 keeps each file it repairs under the file's name with ".1" (or the next free number)
// appended. Telling those backups from the files a repair restored, and from posted files that
// merely look like them ("tool.1", a manual page), so that only the backups are deleted: also
// those of a run that was cut off (the program killed), which the next run finds in the folder.
class Par2Backups
{
public:
    // The file names a PAR2 file lists for its recovery set (its file description packets),
    // without any folder part; empty when the file cannot be read or lists none.
    static QStringList namesInSet(const QString &par2Path);

    // The backups among the names a folder holds after a run: names that were not there before,
    // that are "<name>.<number>" of a file that was there before and still is, and that the
    // set does not list (a listed name is a file the repair restored).
    static QStringList backups(const QStringList &namesBefore, const QStringList &namesAfter,
                               const QStringList &namesInSet);

    // Notes in `folder` the names of the files it holds before par2 first works on it (the
    // posted files), unless a note is there already (from a run that was cut off). Written
    // aside and renamed, so that a note is always whole. False when it cannot be written.
    static bool noteOriginals(const QString &folder);
    // Removes the note once par2 is done with the folder.
    static void forgetOriginals(const QString &folder);
    // The backups that runs cut off before left in `folder`: "<name>.<number>" of a file that is
    // there, that the set does not list and that the note does not name. None without a note.
    static QStringList leftovers(const QString &folder, const QStringList &namesInSet);
    // The note's file name in the folder (hidden).
    static QString noteName();
};

#endif // PAR2BACKUPS_H
