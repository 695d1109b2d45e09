#ifndef GUITESTHOME_H
#define GUITESTHOME_H

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh home folder for a window test: HOME and the XDG configuration, data and cache folders
// point into a temporary folder, and Qt's settings store (QSettings, user scope) is kept there,
// so the program's data folder, window layout and version-check keys never touch a real home.
// The previous environment comes back when the object is destroyed.
class GuiTestHome
{
public:
    GuiTestHome();
    ~GuiTestHome();

    bool isValid() const;
    QString path() const { return dir.path(); }
    // The program's data folder inside this home (not created here).
    QString dataFolder() const;
    // Folder of Qt's settings store inside this home.
    QString settingsFolder() const;

private:
    QTemporaryDir dir;
    QByteArray previousHome;
    QByteArray previousConfig;
    QByteArray previousData;
    QByteArray previousCache;
};

#endif // GUITESTHOME_H
