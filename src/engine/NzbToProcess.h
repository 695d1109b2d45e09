#ifndef NZBTOPROCESS_H
#define NZBTOPROCESS_H

#include "postprocess/ParityJob.h"

#include <QObject>

class NzbFiles;

// One entry of the download manager's post-processing queue: the NZB whose post-processing it
// starts, the stage it starts with, and where it stands. The entry at the head of the queue is
// the NZB being post-processed; it stays there, running, through all the NZB's stages.
class NzbToProcess : public QObject
{
    Q_OBJECT

public:
    enum Kind { Par2 = 0, Unrar = 1, Unsplit = 2 };
    enum State { Waiting = 0, Running = 1, Done = 2 };

    explicit NzbToProcess(QObject *parent = nullptr);

    ParityJob parityJob; // the PAR2 run to start with (kind Par2 only)
    NzbFiles *pNzbFiles = nullptr;
    int iKind = Par2;
    int iState = Waiting;
};

#endif // NZBTOPROCESS_H
