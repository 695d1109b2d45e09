#include "dialogs/ServersImportExport.h"

#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"
#include "config/ServersConfiguration.h"
#include "dialogs/DialogImportExportServers.h"
#include "dialogs/ServerFieldRules.h"
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
QList<NntpServer *> readChosenFile(const QString &path, QString &whyNone)
{
    if (!isOlderServersFile(path))
        return DialogImportExportServers::readServersFile(path, &whyNone);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QList<NntpServer *> servers = DialogImportExportServers::readOldServersFile(path, &whyNone);
    QApplication::restoreOverrideCursor();
    return servers;
}

// A server's name in a message: its nickname, else its address, else its place in the file;
// cut short when it is long.
QString nameInMessage(const NntpServer &server, int position)
{
    const int shown = 60;
    QString name = server.strNickname.trimmed();
    if (name.isEmpty())
        name = server.strHost.trimmed();
    if (name.isEmpty())
        return ServersImportExport::tr("server %1 of the file").arg(position);
    return name.size() > shown ? name.left(shown) + QChar(0x2026) : name;
}

// The reader takes numbers as unsigned 32-bit values: shown as read, never wrapped to negative.
QString outOfRange(const QString &what, qint32 value, int lowest, int highest)
{
    return ServersImportExport::tr("%1 %2 is not between %3 and %4")
        .arg(what)
        .arg(quint32(value))
        .arg(lowest)
        .arg(highest);
}

QString tooLong(const QString &what, int bound)
{
    return ServersImportExport::tr("%1 longer than %2 characters").arg(what).arg(bound);
}

// The first of the server editor's bounds that an imported server breaks; empty when it keeps
// them all, and so can be started and stored as it is.
QString brokenBound(const NntpServer &server)
{
    using Rules = ServerFieldRules;
    if (server.strHost.trimmed().isEmpty())
        return ServersImportExport::tr("no server address");
    if (server.strHost.size() > Rules::MaxHostLength)
        return tooLong(ServersImportExport::tr("server address"), Rules::MaxHostLength);
    if (server.strNickname.trimmed().isEmpty())
        return ServersImportExport::tr("no nickname");
    if (server.strNickname.size() > Rules::MaxNicknameLength)
        return tooLong(ServersImportExport::tr("nickname"), Rules::MaxNicknameLength);
    if (server.iPort < Rules::LowestPort || server.iPort > Rules::HighestPort)
        return outOfRange(ServersImportExport::tr("port"), server.iPort, Rules::LowestPort, Rules::HighestPort);
    if (server.iConnectionCount < 1 || server.iConnectionCount > Rules::MaxConnections)
        return outOfRange(ServersImportExport::tr("number of connections"), server.iConnectionCount, 1,
                          Rules::MaxConnections);
    if (server.strLogin.size() > Rules::MaxLoginLength)
        return tooLong(ServersImportExport::tr("login"), Rules::MaxLoginLength);
    if (server.strPassword.size() > Rules::MaxPasswordLength)
        return tooLong(ServersImportExport::tr("password"), Rules::MaxPasswordLength);
    if (!ServersConfiguration::fitsInRecord(server))
        return ServersImportExport::tr("settings too long to be stored");
    return QString();
}

// Servers named, each with the bound it breaks, in the box of those left out; the others are
// only counted.
constexpr int kLeftOutNamed = 10;

// The servers that keep the editor's bounds; the first of the others are named, with the bound
// each breaks, in one box that says how many more were left out.
QList<NntpServer *> keepImportable(QWidget *window, const QList<NntpServer *> &servers)
{
    QList<NntpServer *> kept;
    QStringList leftOut;
    int notNamed = 0;
    for (int i = 0; i < servers.size(); ++i) {
        const QString broken = brokenBound(*servers.at(i));
        if (broken.isEmpty())
            kept << servers.at(i);
        else if (leftOut.size() < kLeftOutNamed)
            leftOut << ServersImportExport::tr("%1: %2").arg(nameInMessage(*servers.at(i), i + 1), broken);
        else
            ++notNamed;
    }
    if (notNamed > 0)
        leftOut << ServersImportExport::tr("and %n more", nullptr, notNamed);
    if (!leftOut.isEmpty()) {
        // The names come from the file: shown as they are, never read as markup.
        QMessageBox box(QMessageBox::Warning, AppVersion::displayName(),
                        ServersImportExport::tr("These servers are not imported:\n%1").arg(leftOut.join(QLatin1Char('\n'))),
                        QMessageBox::Ok, window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
    return kept;
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
    QString whyNone;
    ServersReadGuard read{readChosenFile(path, whyNone)};
    if (read.servers.isEmpty()) {
        const QString failed = isOlderServersFile(path) ? tr("An error occured while importing the Tessaquill 0.8.x "
                                                             "Servers file")
                                                        : tr("An error occured while importing the Tessaquill+ "
                                                             "Servers file");
        // The reason may quote the file's own text: shown as it is, never read as markup.
        QMessageBox box(QMessageBox::Critical, AppVersion::displayName(), failed + QLatin1Char('\n') + whyNone,
                        QMessageBox::Ok, window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }

    const QList<NntpServer *> importable = keepImportable(window, read.servers);
    if (importable.isEmpty())
        return;
    QList<NntpServer *> chosen;
    if (!chooseServers(settingsDialog, importable, true, chosen))
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
