#ifndef SERVERSIMPORTEXPORT_H
#define SERVERSIMPORTEXPORT_H

#include <QCoreApplication>
#include <QList>

#include <functional>

class NntpServer;
class QWidget;

// What the two buttons of the settings dialog's "Import / Export" page do: servers files read
// into and written from a check list of servers (DialogImportExportServers). The texts are the
// settings dialog's. Message boxes stand over the settings dialog's parent window; the check
// list and the file choosers over the settings dialog itself.
class ServersImportExport
{
    Q_DECLARE_TR_FUNCTIONS(DialogSettings)

public:
    // Takes the servers the user chose to import, in row order, and adds copies of them to the
    // configured servers (the records stay the import's, which deletes them afterwards). Returns
    // false when the servers could not be handed over.
    using AddServers = std::function<bool(const QList<NntpServer *> &)>;

    // Asks for a servers file (".tvp", or the older ".tvs"), reads it, lets the user tick the
    // servers to import and hands them to `addServers`.
    static void importServers(QWidget *settingsDialog, const AddServers &addServers);
    // Lets the user tick configured servers and writes them into a servers file of their choice
    // (".tvp" is added to a name without suffix, as the file chooser's filter implies).
    static void exportServers(QWidget *settingsDialog);
};

#endif // SERVERSIMPORTEXPORT_H
