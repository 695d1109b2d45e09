#ifndef UNRARJOB_H
#define UNRARJOB_H

#include <QMetaType>
#include <QString>
#include <QStringList>

// One extraction of every RAR set of a folder, handed to ThreadUnrar and returned unchanged
// by its done signal.
struct UnrarJob
{
    quint32 jobId = 0;
    QString sourceFolder;       // folder holding the archives
    QString extractionFolder;   // folder the archives are extracted into
    QString applicationFolder;  // informational: the worker looks for unrar itself
    QString password;           // empty: no password
    QStringList strings;        // always empty; kept for the record's layout
    bool keepVolumes = false;   // the volumes stay whatever the worker's setting (a set that
                                // could not be repaired: a repair by hand needs them)
    QStringList archives;       // when not empty, these archives (those still there) are
                                // extracted instead of the ones found in the source folder
};

Q_DECLARE_METATYPE(UnrarJob)

#endif // UNRARJOB_H
