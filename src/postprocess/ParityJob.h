#ifndef PARITYJOB_H
#define PARITYJOB_H

#include <QFileInfo>
#include <QList>
#include <QMetaType>
#include <QString>

// One par2 verification and repair run, handed to ThreadParity and returned by its done
// signal with the result filled in. A plain value: copied into the worker's queue and into
// every queued signal; the receiver finds its owner again by the job id.
struct ParityJob
{
    quint32 jobId = 0;
    QString par2File;           // absolute path of the PAR2 index file par2 is run on
    QString applicationFolder;  // informational: the worker looks for par2 itself
    QString folder;             // folder whose files are verified and repaired
    QString result;             // "0", or the number of recovery blocks still needed
    int otherFilesCount = 0;    // informational
    int par2FilesCount = 0;     // informational
    QList<QFileInfo> folderFiles; // the folder's files when the job was built
};

Q_DECLARE_METATYPE(ParityJob)

#endif // PARITYJOB_H
