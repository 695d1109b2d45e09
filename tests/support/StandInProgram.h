#ifndef STANDINPROGRAM_H
#define STANDINPROGRAM_H

#include <QByteArray>
#include <QString>

// Small shell scripts that stand in for outside programs (par2, unrar) in tests, and probes
// that tell whether a process they started is still there.
class StandInProgram
{
public:
    // Writes "#!/bin/sh", then `body`, to folder/name and makes it executable; returns its
    // path, empty when it could not be written.
    static QString write(const QString& folder, const QString& name, const QByteArray& body);
    // True when the process no longer exists or is only a zombie waiting for its parent.
    static bool isGone(qint64 pid);
    // The process id a script wrote into a file (echo $$ > file); -1 when there is none.
    static qint64 readPid(const QString& path);
};

#endif // STANDINPROGRAM_H
