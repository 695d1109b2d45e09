#ifndef PAR2BACKUPS_H
#define PAR2BACKUPS_H

#include <QString>
#include <QStringList>

// par2 keeps each file it repairs under the file's name with ".1" (or the next free number)
// appended. Telling those backups from the files a repair restored, so that only the backups
// are deleted.
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
};

#endif // PAR2BACKUPS_H
