// The "Import / Export" page of the settings dialog: servers files written and read through a
// check list of servers. The servers files and the check list dialog are classes of their own,
// still to come; until then both buttons do nothing.
#include "dialogs/DialogSettings.h"

void DialogSettings::slotButtonExportServers()
{
}

void DialogSettings::slotButtonImportServers()
{
}
