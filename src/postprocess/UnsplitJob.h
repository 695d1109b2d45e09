#ifndef UNSPLITJOB_H
#define UNSPLITJOB_H

#include <QMetaType>
#include <QString>
#include <QStringList>

// One joining of every split-file set of a folder, handed to ThreadUnsplit and returned by
// its done signal with both lists filled in.
struct UnsplitJob
{
    quint32 jobId = 0;
    QString sourceFolder;          // folder searched for split volumes
    QString destinationFolder;     // folder the joined files are written into
    QStringList volumesConsumed;   // every volume of each set that was joined
    QStringList firstVolumesFound; // first volumes of the sets not joined (yet)
    bool keepVolumes = false;      // the volumes stay whatever the worker's setting (a set that
                                   // could not be repaired: a repair by hand needs them)
    bool incompleteDownload = false; // files of the download are incomplete: the sets are found
                                     // and listed, none is joined, every volume stays
    QStringList filesWritten;      // the joined file of each set joined, in order
};

Q_DECLARE_METATYPE(UnsplitJob)

#endif // UNSPLITJOB_H
