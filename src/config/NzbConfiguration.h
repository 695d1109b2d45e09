#ifndef NZBCONFIGURATION_H
#define NZBCONFIGURATION_H

#include <QList>
#include <QObject>

class NzbFiles;

// The saved download queue: one record file per queued NZB in the "Nzb" folder.
// The NZB objects are shared with the download manager and never deleted here.
class NzbConfiguration : public QObject
{
    Q_OBJECT

public:
    explicit NzbConfiguration(QObject *parent = nullptr);

    QList<NzbFiles *> listNzbFiles;
};

#endif // NZBCONFIGURATION_H
