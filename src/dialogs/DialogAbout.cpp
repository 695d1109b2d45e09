#include "dialogs/DialogAbout.h"

#include "widgets/WindowTextFit.h"
#include "ui_DialogAbout.h"

DialogAbout::DialogAbout(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogAbout)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    ui->labelVersion->setText(versionLine());
    ui->labelCopyright->setText(tr("Copyright © the Tessaquill+ developers. This program comes "
                                   "with no warranty."));
    ui->labelContact->setText(tr("Questions and bug reports are welcome on the project's issue "
                                 "tracker."));
    ui->labelSystemInfo->setText(systemLine());
}

DialogAbout::~DialogAbout()
{
    delete ui;
}

QString DialogAbout::versionLine()
{
    return tr("Version ") + QString::number(1.4, 'f', 1) + QLatin1Char('.') + QString::number(1);
}

QString DialogAbout::systemLine(const QString &systemName, int wordSize,
                                QSysInfo::Endian byteOrder)
{
    return systemName + tr(" - ") + QString::number(wordSize) + tr(" bits")
        + (byteOrder == QSysInfo::BigEndian ? tr(" (Big Endian)") : tr(" (Little Endian)"));
}

QString DialogAbout::systemLine()
{
    return systemLine(QSysInfo::prettyProductName(), QSysInfo::WordSize, QSysInfo::ByteOrder);
}
