#include "dialogs/ServersImportExport.h"

#include "app/AppVersion.h"
#include "config/AppConfiguration.h"
#include "dialogs/DialogImportExportServers.h"
#include "model/NntpServer.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

#include <memory>

namespace {

QWidget *windowOf(QWidget *settingsDialog)
{
    return settingsDialog ? settingsDialog->parentWidget() : nullptr;
}

bool isOlderServersFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("tvs"), Qt::CaseInsensitive) == 0;
}

// Deletes the servers a reader created when the import ends, whichever way it ends.
struct ServersReadGuard
{
    QList<NntpServer *> servers;
    ~ServersReadGuard() { qDeleteAll(servers); }
};

// The older file's conversion runs an outside program per password while the window waits.
QList<NntpServer *> readChosenFile(const QString &path)
{
    if (!isOlderServersFile(path))
        return DialogImportExportServers::readServersFile(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<NntpServer *> servers = DialogImportExportServers::readOldServersFile(path);
    QApplication::restoreOverrideCursor();
    return servers;
}

// Runs the check list over `servers`; the servers of the ticked rows when the user pressed Ok.
bool chooseServers(QWidget *settingsDialog, const QList<NntpServer *> &servers, bool import,
                   QList<NntpServer *> &chosen)
{
    DialogImportExportServers checkList(settingsDialog);
    checkList.setWindowFlags(Qt::Sheet);
    checkList.init(servers, import);
    if (checkList.exec() != QDialog::Accepted)
        return false;
    chosen = checkList.checkedServers();
    return true;
}

QString chooseExportFile(QWidget *settingsDialog, const QString &caption, const QString &filter)
{
    QFileDialog chooser(settingsDialog, caption, QString(), filter);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("tvp"));
    if (chooser.exec() != QDialog::Accepted)
        return QString();
    return chooser.selectedFiles().value(0);
}

} // namespace

void ServersImportExport::importServers(QWidget *settingsDialog, const AddServers &addServers)
{
    const QString chosenFile = QFileDialog::getOpenFileName(
        settingsDialog, tr("Open a Tessaquill+ Servers file"), QString(),
        tr("Tessaquill+ Servers (*.tvp)") + tr(";;Tessaquill 0.8.x Servers (*.tvs)"));
    if (chosenFile.trimmed().isEmpty())
        return;

    const QString path = QFileInfo(chosenFile).absoluteFilePath();
    QWidget *window = windowOf(settingsDialog);
    ServersReadGuard read{readChosenFile(path)};
    if (read.servers.isEmpty()) {
        QMessageBox::critical(window, AppVersion::displayName(),
                              isOlderServersFile(path)
                                  ? tr("An error occured while importing the Tessaquill 0.8.x "
                                       "Servers file")
                                  : tr("An error occured while importing the Tessaquill+ "
                                       "Servers file"));
        return;
    }

    QList<NntpServer *> chosen;
    if (!chooseServers(settingsDialog, read.servers, true, chosen))
        return;
    if (chosen.isEmpty()) {
        QMessageBox::information(window, AppVersion::displayName(),
                                 tr("You must select at least one server to import."));
        return;
    }
    if (!addServers || !addServers(chosen)) {
        QMessageBox::critical(window, AppVersion::displayName(),
                              tr("The servers could not be added."));
        return;
    }
    QMessageBox::information(window, AppVersion::displayName(),
                             tr("Servers successfully imported."));
}

void ServersImportExport::exportServers(QWidget *settingsDialog)
{
    const QString chosenFile =
        chooseExportFile(settingsDialog, tr("Choose a Tessaquill+ file to export Servers"),
                         tr("Tessaquill+ Servers (*.tvp)"));
    if (chosenFile.trimmed().isEmpty())
        return;

    QWidget *window = windowOf(settingsDialog);
    const QList<NntpServer *> configured =
        AppConfiguration::getInstance()->serversConfiguration.listServers;
    QList<NntpServer *> chosen;
    if (!chooseServers(settingsDialog, configured, false, chosen))
        return;
    if (chosen.isEmpty()) {
        QMessageBox::information(window, AppVersion::displayName(),
                                 tr("You must select at least one server to export."));
        return;
    }

    const QString path = QFileInfo(chosenFile).absoluteFilePath();
    switch (DialogImportExportServers::saveServersFile(path, chosen)) {
    case DialogImportExportServers::Saved:
        QMessageBox::information(window, AppVersion::displayName(),
                                 tr("Servers successfully exported to %1").arg(path));
        break;
    case DialogImportExportServers::NotCreated:
        QMessageBox::critical(window, AppVersion::displayName(),
                              tr("Failed to create file %1").arg(path));
        break;
    case DialogImportExportServers::NotWritten:
        QMessageBox::critical(window, AppVersion::displayName(),
                              tr("Failed to write file %1").arg(path));
        break;
    }
}
