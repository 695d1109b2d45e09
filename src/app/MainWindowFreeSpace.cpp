// The free disk space of every volume, in the status bar.
#include "app/MainWindow.h"

#include "app/DriveSpaceQueries.h"
#include "config/AppConfiguration.h"

#include "ui_MainWindow.h"

#include <QDir>
#include <QLabel>
#include <QStatusBar>

namespace {

constexpr double kKiBPerGiB = 1048576.0;

QString colourForFreeSpace(double freeKiB)
{
    const double freeGiB = freeKiB / kKiBPerGiB;
    if (freeGiB >= 10)
        return QStringLiteral("green");
    if (freeGiB >= 2)
        return QStringLiteral("orange");
    return QStringLiteral("red");
}

// The folders of the drive list, as the labels name them.
QStringList driveFolders()
{
    QStringList folders;
    const QList<QFileInfo> drives = AppConfiguration::getInstance()->drives;
    for (const QFileInfo &drive : drives)
        folders.append(drive.dir().absolutePath());
    return folders;
}

} // namespace

// Each tick asks every drive again, except one whose last query has not returned: that drive
// shows no label until it answers. The labels follow the answers as they arrive.
void MainWindow::slotRefreshDrivesFreeSpaceTick()
{
    if (!driveSpaceQueries) {
        driveSpaceQueries = new DriveSpaceQueries(this);
        connect(driveSpaceQueries, &DriveSpaceQueries::answered, this, [this] { showDrivesFreeSpace(); });
    }
    const QStringList folders = driveFolders();
    for (const QString &folder : folders) {
        if (driveSpaceQueries->isPending(folder))
            driveSpaceQueries->forget(folder);
    }
    driveSpaceQueries->refresh(folders);
    showDrivesFreeSpace();
}

// One label per readable drive with free space, in drive-list order, coloured by what is left.
// A folder name is text, never markup.
void MainWindow::showDrivesFreeSpace()
{
    for (QLabel *label : qAsConst(listLabelsFreeSpace)) {
        ui->statusBar->removeWidget(label);
        delete label;
    }
    listLabelsFreeSpace.clear();
    const QStringList folders = driveFolders();
    for (const QString &folder : folders) {
        const DriveSpaceQueries::Answer answer = driveSpaceQueries->lastAnswer(folder);
        if (!answer.bReadable || answer.dFreeKiB <= 0)
            continue;
        const QString text = folder + QLatin1Char(' ') + formatSize(answer.dFreeKiB);
        auto *label = new QLabel(tr("<b><font color='%1'>%2</font></b>")
                                     .arg(colourForFreeSpace(answer.dFreeKiB), text.toHtmlEscaped()));
        label->setTextFormat(Qt::RichText);
        // However many drives there are, they share the width the window has: they never widen it.
        label->setMinimumWidth(1);
        ui->statusBar->addWidget(label, 0);
        listLabelsFreeSpace.append(label);
    }
}
