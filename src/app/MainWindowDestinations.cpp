// The two destination menus: folders to open, and folders to download search results to.
#include "app/MainWindow.h"

#include "config/AppConfiguration.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>

namespace {

// Empties a menu of the entries made for it before, then fills it again: the default
// destination first, then each named destination, every entry carrying its folder as data.
void rebuildDestinationMenu(MainWindow *window, QMenu *menu, QList<QAction *> &listActions, const char *slot)
{
    for (QAction *action : qAsConst(listActions)) {
        if (!action)
            continue;
        QObject::disconnect(action, SIGNAL(triggered()), window, slot);
        delete action;
    }
    listActions.clear();
    const AppConfiguration *config = AppConfiguration::getInstance();
    QList<QPair<QString, QString>> entries;
    entries.append({MainWindow::tr("Default Destination"), config->destinationFolder});
    const QHash<QString, QString> &named = config->destinationConfiguration.destinations;
    for (auto it = named.constBegin(); it != named.constEnd(); ++it)
        entries.append({it.key(), it.value()});
    for (const auto &entry : qAsConst(entries)) {
        auto *action = new QAction(entry.first, window);
        action->setData(entry.second);
        listActions.append(action);
        QObject::connect(action, SIGNAL(triggered()), window, slot);
        menu->addAction(action);
    }
}

} // namespace

// At construction, and after the dialogs that can change the destination folders.
void MainWindow::createDestinationMenus()
{
    rebuildDestinationMenu(this, menuDownloadToDestination, listActionsDownloadToDestination,
                           SLOT(slotDownloadNzbDestinationTriggered()));
    rebuildDestinationMenu(this, menuOpenDestination, listActionsOpenDestination,
                           SLOT(slotDestinationToOpenTriggered()));
}

void MainWindow::slotDestinationToOpenTriggered()
{
    const auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const QString strFolder = action->data().toString();
    if (strFolder.isEmpty())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(strFolder));
}
