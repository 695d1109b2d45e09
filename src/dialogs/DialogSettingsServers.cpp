// The "Import / Export" page of the settings dialog: servers files written and read through a
// check list of servers (ServersImportExport).
#include "dialogs/DialogSettings.h"

#include "dialogs/ServersImportExport.h"
#include "model/NntpServer.h"

#include <QList>
#include <QMetaObject>

namespace {

// The main window's slot that adds copies of imported servers to the configured ones.
const char kAddServersSlot[] = "slotAddNewServerFromImport";

} // namespace

void DialogSettings::slotButtonExportServers()
{
    ServersImportExport::exportServers(this);
}

// The imported servers go to the main window (this dialog's parent), which copies them into
// the configured servers. The call is direct and synchronous: the records are deleted right
// after it. A parent without that slot takes nothing, and the import does not report success.
void DialogSettings::slotButtonImportServers()
{
    QWidget *mainWindow = parentWidget();
    ServersImportExport::importServers(this, [mainWindow](const QList<NntpServer *> &servers) {
        return mainWindow
            && QMetaObject::invokeMethod(mainWindow, kAddServersSlot, Qt::DirectConnection,
                                         Q_ARG(QList<NntpServer *>, servers));
    });
}
