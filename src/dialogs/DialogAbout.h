#ifndef DIALOGABOUT_H
#define DIALOGABOUT_H

#include <QDialog>
#include <QString>
#include <QSysInfo>

namespace Ui {
class DialogAbout;
}

// The about box: logo, product name, version, copyright and contact lines, and one line naming
// the operating system, the word size of the build and the machine's byte order.
class DialogAbout : public QDialog
{
    Q_OBJECT

public:
    explicit DialogAbout(QWidget *parent = nullptr);
    ~DialogAbout() override;

    // "Version 1.4.1".
    static QString versionLine();
    // "<system> - <word size> bits (Little Endian)" or "... (Big Endian)".
    static QString systemLine(const QString &systemName, int wordSize, QSysInfo::Endian byteOrder);
    // The line for the running system and this build.
    static QString systemLine();

private:
    Ui::DialogAbout *ui;
};

#endif // DIALOGABOUT_H
