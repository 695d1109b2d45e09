#ifndef TEMPHOME_H
#define TEMPHOME_H

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

// Points HOME at a fresh temporary folder for the lifetime of the object, so that the data
// folder of the program lives there and nothing of a real home folder is read or written.
class TempHome
{
public:
    TempHome()
        : previous(qgetenv("HOME"))
    {
        qputenv("HOME", QFile::encodeName(dir.path()));
    }
    ~TempHome() { qputenv("HOME", previous); }

    bool isValid() const { return dir.isValid() && QDir::homePath() == dir.path(); }
    QString path() const { return dir.path(); }
    QString dataFolder() const { return dir.path() + QLatin1String("/Tessaquill_Plus"); }

private:
    QTemporaryDir dir;
    QByteArray previous;
};

#endif // TEMPHOME_H
