// The server table: its rows, each row's Start/Stop button, the answer to a stop, and adding,
// modifying, deleting and importing servers through the server editor, the wizard and the
// settings dialog.
#include "app/MainWindow.h"

#include "widgets/AppVersion.h"
#include "widgets/SizeSpeedText.h"
#include "widgets/WindowTextFit.h"
#include "config/AppConfiguration.h"
#include "dialogs/DialogServerManagement.h"
#include "dialogs/DialogWizard.h"
#include "dialogs/ServerFieldRules.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "QsLog/QsLog.h"

#include "ui_MainWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalMapper>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTimer>

namespace {

enum ServerColumn { StatusColumn = 0, NicknameColumn = 1, CounterColumn = 2, ButtonColumn = 3 };

constexpr int kButtonWidth = 100;
// A nickname is the user's text: the table's least width makes room for this much of it.
constexpr int kNicknameRoom = 200;

// The hint's own rich text, kept on the label while it blinks.
const char kHintTextProperty[] = "hintText";

QList<NntpServer *> &configuredServers()
{
    return AppConfiguration::getInstance()->serversConfiguration.listServers;
}

// The last configured server with that id, as every operation on a row finds it.
NntpServer *findConfiguredServer(qint32 id)
{
    const QList<NntpServer *> &servers = configuredServers();
    for (int i = servers.size() - 1; i >= 0; --i) {
        if (servers.at(i)->iId == id)
            return servers.at(i);
    }
    return nullptr;
}

bool anyServerStarted()
{
    for (const NntpServer *server : configuredServers()) {
        if (server->bStarted)
            return true;
    }
    return false;
}

qint32 rowServerId(const QTableWidget *table, int row)
{
    const QTableWidgetItem *item = table->item(row, NicknameColumn);
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

int findServerRow(const QTableWidget *table, qint32 id)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, NicknameColumn);
        if (item && item->data(Qt::UserRole).toInt() == id)
            return row;
    }
    return -1;
}

// The first child of the row's button container whose class name says it is a button.
QPushButton *rowButton(const QTableWidget *table, int row)
{
    const QWidget *container = table->cellWidget(row, ButtonColumn);
    if (!container)
        return nullptr;
    for (QObject *child : container->children()) {
        if (QString::fromLatin1(child->metaObject()->className()).toLower().contains(QLatin1String("button")))
            return qobject_cast<QPushButton *>(child);
    }
    return nullptr;
}

QLabel *rowStatusLabel(const QTableWidget *table, int row)
{
    return qobject_cast<QLabel *>(table->cellWidget(row, StatusColumn));
}

QString paddedText(const QString &text)
{
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}

QString counterText(quint64 bytes)
{
    return paddedText(SizeSpeedText::formatSize(double(bytes >> 10)));
}

// The width a cell needs to show `text` on one line, as the table measures its cells.
int cellWidth(const QTableWidget *table, const QString &text)
{
    QStyleOptionViewItem option;
    option.initFrom(table);
    option.font = table->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.text = text;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    return table->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), table).width();
}

// The widest text a counter can show: the most digits in the widest unit.
int widestCounterWidth(const QTableWidget *table)
{
    int widest = 0;
    for (const double kib : {1023.99, 1023.99 * 1024, 1023.99 * 1024 * 1024, 9999.99 * 1024 * 1024 * 1024})
        widest = qMax(widest, cellWidth(table, paddedText(SizeSpeedText::formatSize(kib))));
    return widest;
}

// The button keeps the width the form gives it, or more for a longer translation.
void fitButtonToText(QPushButton *button)
{
    button->setMaximumWidth(qMax(kButtonWidth, button->sizeHint().width()));
}

void showRowState(QTableWidget *table, int row, bool started)
{
    if (QLabel *status = rowStatusLabel(table, row))
        status->setPixmap(QPixmap(started ? QStringLiteral(":/images/server_started.png")
                                          : QStringLiteral(":/images/server_stop.png")));
    if (QPushButton *button = rowButton(table, row)) {
        button->setText(started ? MainWindow::tr("Stop") : MainWindow::tr("Start"));
        button->setIcon(QIcon(started ? QStringLiteral(":/images/stop_server.png")
                                      : QStringLiteral(":/images/start_server.png")));
        button->setEnabled(true);
        fitButtonToText(button);
    }
}

// Fills row `row` (already inserted) of the server table.
void fillServerRow(QTableWidget *table, int row, const QString &nickname, qint32 id, quint64 bytes, bool started)
{
    auto *status = new QLabel;
    status->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    table->setCellWidget(row, StatusColumn, status);

    auto *nicknameItem = new QTableWidgetItem(paddedText(nickname));
    nicknameItem->setData(Qt::UserRole, id);
    table->setItem(row, NicknameColumn, nicknameItem);

    auto *counterItem = new QTableWidgetItem(counterText(bytes));
    counterItem->setData(Qt::TextAlignmentRole, int(Qt::AlignRight | Qt::AlignVCenter));
    table->setItem(row, CounterColumn, counterItem);

    auto *container = new QLabel;
    auto *layout = new QHBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *button = new QPushButton(container);
    button->setMinimumWidth(0);
    button->setMaximumWidth(kButtonWidth);
    layout->addWidget(button, 0, Qt::AlignCenter);
    table->setCellWidget(row, ButtonColumn, container);

    showRowState(table, row, started);
}

// The server of the first selected row, when it may be changed: none selected or a started
// (or stopping) server gets its warning and null.
NntpServer *selectedStoppedServer(QWidget *parent, const QTableWidget *table, const QString &noSelection,
                                  const QString &notStopped)
{
    const QModelIndexList selected = table->selectionModel()->selectedRows(StatusColumn);
    if (selected.isEmpty()) {
        QMessageBox::warning(parent, MainWindow::tr("Tessaquill+"), noSelection, QMessageBox::Ok);
        return nullptr;
    }
    NntpServer *server = findConfiguredServer(rowServerId(table, selected.first().row()));
    if (server && server->bStarted) {
        QMessageBox::warning(parent, MainWindow::tr("Tessaquill+"), notStopped, QMessageBox::Ok);
        return nullptr;
    }
    return server;
}

} // namespace

void MainWindow::initServersTables()
{
    QTableWidget *table = ui->tableWidgetServers;
    const QList<NntpServer *> servers = configuredServers();
    table->setColumnCount(4);
    for (int row = 0; row < servers.size(); ++row) {
        const NntpServer *server = servers.at(row);
        table->insertRow(row);
        fillServerRow(table, row, server->strNickname, server->iId, server->uiBytesDownloaded, server->bStarted);
    }
    rebuildServerButtonMapper();

    QLabel *hint = ui->labelClickOnStartBtnToBegin;
    hint->setProperty(kHintTextProperty, hint->text());
    updateStartHint();

    table->setHorizontalHeaderLabels({tr("Status"), tr("Nickname"), tr("Counter"), tr("Start / Stop")});
    table->resizeColumnsToContents();
    keepServerTableWhole();
    QTableWidget *threads = ui->tableWidgetServerThreads;
    threads->setColumnCount(3);
    threads->setHorizontalHeaderLabels({tr("Server"), tr("Speed"), tr("Description")});
    threads->resizeColumnToContents(0);
    connect(table, SIGNAL(cellDoubleClicked(int,int)), this, SLOT(slotCellDoubleClicked(int,int)));
}

// Every row's button maps to the row it sits in now.
void MainWindow::rebuildServerButtonMapper()
{
    delete signalMapperServers;
    signalMapperServers = new QSignalMapper(this);
    QTableWidget *table = ui->tableWidgetServers;
    for (int row = 0; row < table->rowCount(); ++row) {
        QPushButton *button = rowButton(table, row);
        if (!button)
            continue;
        connect(button, SIGNAL(clicked()), signalMapperServers, SLOT(map()));
        signalMapperServers->setMapping(button, row);
    }
    connect(signalMapperServers, SIGNAL(mapped(int)), this, SLOT(pushButtonStartStopServer(int)));
}

// Hidden without servers; otherwise shown exactly while none is started.
void MainWindow::updateStartHint()
{
    ui->labelClickOnStartBtnToBegin->setVisible(!configuredServers().isEmpty() && !anyServerStarted());
}

void MainWindow::pushButtonStartStopServer(int iRow)
{
    QTableWidget *table = ui->tableWidgetServers;
    NntpServer *server = findConfiguredServer(rowServerId(table, iRow));
    QPushButton *button = rowButton(table, iRow);
    if (!server || !button)
        return;
    if (!server->bStarted) {
        const QList<quint32> listThreadIds = DownloadNzbManager::getInstance()->startServer(server, bPaused);
        addServerThreadsRows(listThreadIds, server);
        server->bStarted = true;
        showRowState(table, iRow, true);
        saveServersOrReport();
        ui->labelClickOnStartBtnToBegin->hide();
        return;
    }
    button->setEnabled(false);
    QCoreApplication::processEvents();
    const QList<quint32> *threads = hashServerThreads.value(server->iId);
    if (!threads || threads->isEmpty()) {
        // No connection was started (a server without connections): nothing to wait for.
        markServerStopped(server);
        return;
    }
    // The answer names the server by id: rows above it may go before it comes.
    emit signalStopThreads(*threads, server->iId);
}

// The manager's answer to a stop: the connections of the server with id iTag have all ended.
void MainWindow::slotThreadsStopped(QList<quint32> listThreadIds, int iTag)
{
    setCursor(Qt::ArrowCursor);
    removeThreadRows(listThreadIds);
    const qint32 serverId = iTag;
    delete hashServerThreads.take(serverId);
    if (NntpServer *server = findConfiguredServer(serverId))
        markServerStopped(server);
}

void MainWindow::markServerStopped(NntpServer *pServer)
{
    delete hashServerThreads.take(pServer->iId);
    pServer->bStarted = false;
    saveServersOrReport();
    const int row = findServerRow(ui->tableWidgetServers, pServer->iId);
    if (row >= 0)
        showRowState(ui->tableWidgetServers, row, false);
    updateStartHint();
}

void MainWindow::slotLabelInfoStartServerBlink()
{
    QLabel *hint = ui->labelClickOnStartBtnToBegin;
    if (!hint->isVisible())
        return;
    if (!hint->text().isEmpty())
        hint->setText(QString());
    else
        hint->setText(hint->property(kHintTextProperty).toString());
}

// Saves every server record; a save that fails is told at once, since what it did not write is
// gone at the next start. False then.
bool MainWindow::saveServersOrReport()
{
    ServersConfiguration &serversConfiguration = AppConfiguration::getInstance()->serversConfiguration;
    if (serversConfiguration.saveServers())
        return true;
    reportServersNotSaved(serversConfiguration.lastError);
    return false;
}

// The box comes once control is back in the event loop (a stop is answered inside the engine's
// signal), and one at a time: a disk that refuses every save does not pile them up.
void MainWindow::reportServersNotSaved(const QString &strDetails)
{
    QLOG_ERROR() << tr("The servers could not be saved: %1").arg(strDetails);
    if (bServersNotSavedShown || bClosing)
        return;
    bServersNotSavedShown = true;
    const QString text = tr("The servers could not be saved: the changes will be lost when the program "
                            "ends.\n\n%1")
                             .arg(strDetails);
    QPointer<MainWindow> window(this);
    QTimer::singleShot(0, this, [window, text] {
        if (!window)
            return;
        if (!window->bClosing) {
            QMessageBox box(QMessageBox::Critical, tr("Tessaquill+"), text, QMessageBox::Ok, window);
            box.setTextFormat(Qt::PlainText);
            box.exec();
        }
        if (window)
            window->bServersNotSavedShown = false;
    });
}

// A new configured server from the record fields of `source` (started flag cleared: a new
// server always starts stopped), with the next free id; its row goes at the end of the table.
// False when the servers could not be saved (the server stays for this run, and that is said).
bool MainWindow::addConfiguredServer(const NntpServer &source)
{
    ServersConfiguration &serversConfiguration = AppConfiguration::getInstance()->serversConfiguration;
    auto *server = new NntpServer;
    server->copyRecordFieldsFrom(source);
    server->iId = serversConfiguration.nextServerId();
    server->bStarted = false;
    serversConfiguration.listServers.append(server);
    const bool saved = saveServersOrReport();

    QTableWidget *table = ui->tableWidgetServers;
    const int row = table->rowCount();
    table->insertRow(row);
    fillServerRow(table, row, source.strNickname, server->iId, source.uiBytesDownloaded, false);
    rebuildServerButtonMapper();
    table->resizeColumnToContents(StatusColumn);
    table->resizeColumnToContents(NicknameColumn);
    keepServerTableWhole();
    return saved;
}

// Every column of the server table whole, also once a fourth server brings its scroll bar: the
// counters have room for the widest they can show (they would wrap onto a second line), each
// button for its text, and the table is as wide as its columns and its last title need.
void MainWindow::keepServerTableWhole()
{
    QTableWidget *table = ui->tableWidgetServers;
    const int counter = qMax(widestCounterWidth(table), static_cast<QAbstractItemView *>(table)->sizeHintForColumn(CounterColumn));
    if (table->columnWidth(CounterColumn) < counter)
        table->setColumnWidth(CounterColumn, counter);
    int buttons = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (QPushButton *button = rowButton(table, row)) {
            fitButtonToText(button);
            buttons = qMax(buttons, button->sizeHint().width());
        }
    }
    const int last = qMax(table->horizontalHeader()->sectionSizeHint(ButtonColumn), buttons);
    const int needed = table->columnWidth(StatusColumn) + qMin(table->columnWidth(NicknameColumn), kNicknameRoom)
                       + table->columnWidth(CounterColumn) + last + 2 * table->frameWidth()
                       + table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    if (table->minimumWidth() >= needed)
        return;
    table->setMinimumWidth(needed);
    // The column and the window around it make room (done at the first showing otherwise).
    if (isVisible())
        WindowTextFit::fit(this);
}

void MainWindow::slotAddNewServer()
{
    DialogServerManagement dialog(this);
    dialog.setWindowFlags(Qt::Sheet);
    dialog.setTitle(tr("Configuration of a new server"));
    if (dialog.exec() == QDialog::Accepted && dialog.server)
        addConfiguredServer(*dialog.server);
    updateStartHint();
}

void MainWindow::slotCellDoubleClicked(int iRow, int iColumn)
{
    Q_UNUSED(iRow);
    Q_UNUSED(iColumn);
    slotModifyServer();
}

void MainWindow::slotModifyServer()
{
    QTableWidget *table = ui->tableWidgetServers;
    NntpServer *server = selectedStoppedServer(this, table, tr("Please select a server to update in the list"),
                                               tr("Please stop the selected server before updating configuration"));
    if (!server)
        return;
    const qint32 id = server->iId;
    DialogServerManagement dialog(this);
    dialog.setWindowFlags(Qt::Sheet);
    dialog.setTitle(tr("Server Configuration"));
    dialog.setSecuredConnection(server->bSsl);
    dialog.setServerName(server->strHost);
    dialog.setServerPort(uint(server->iPort));
    dialog.setServerNickname(server->strNickname);
    dialog.setNbConnections(uint(server->iConnectionCount));
    dialog.setCounter(server->uiBytesDownloaded, server->histoNbBytes.dtStart);
    if (!server->strLogin.isEmpty() && !server->strPassword.isEmpty())
        dialog.setAuthentication(server->strLogin, server->strPassword);
    if (dialog.exec() != QDialog::Accepted || !dialog.server)
        return;

    const bool counterReset = dialog.isCounterReset();
    ServersConfiguration &serversConfiguration = AppConfiguration::getInstance()->serversConfiguration;
    // The editor ran an event loop: look the server up again.
    server = findConfiguredServer(id);
    if (server) {
        server->copyRecordFieldsFrom(*dialog.server);
        server->iId = id;
        server->bStarted = false;
        if (counterReset) {
            server->histoNbBytes.reset();
            server->uiBytesDownloaded = 0;
            serversConfiguration.saveServerHisto(id);
        }
    }
    saveServersOrReport();
    const int currentRow = findServerRow(table, id);
    if (!server || currentRow < 0)
        return;
    table->item(currentRow, NicknameColumn)->setText(paddedText(server->strNickname));
    table->item(currentRow, CounterColumn)->setText(counterText(server->uiBytesDownloaded));
}

void MainWindow::slotDeleteServer()
{
    QTableWidget *table = ui->tableWidgetServers;
    const NntpServer *server = selectedStoppedServer(this, table, tr("Please select a server to delete in the list"),
                                                     tr("Please stop the selected server before deleting it"));
    if (!server)
        return;
    const qint32 id = server->iId;
    QMessageBox question;
    question.setWindowTitle(AppVersion::displayName());
    question.setInformativeText(tr("Remove the server '%1'?").arg(server->strNickname));
    question.setStandardButtons(QMessageBox::Ok | QMessageBox::No);
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() == QMessageBox::Ok) {
        const NntpServer *stillThere = findConfiguredServer(id);
        const int row = findServerRow(table, id);
        if (stillThere && !stillThere->bStarted && row >= 0) {
            AppConfiguration::getInstance()->serversConfiguration.deleteServer(id);
            table->removeRow(row);
            rebuildServerButtonMapper();
        }
    }
    updateStartHint();
}

void MainWindow::slotWizardAccepted()
{
    NntpServer server;
    server.strHost = dialogWizard->getServerName().trimmed();
    server.strNickname = server.strHost;
    server.bSsl = dialogWizard->isServerSsl();
    server.bStarted = false;
    server.iConnectionCount = qint32(dialogWizard->getNbConnections());
    server.iPort = dialogWizard->getServerPort() > 0 ? dialogWizard->getServerPort()
                                                      : ServerFieldRules::defaultPort(server.bSsl).toInt();
    if (dialogWizard->isAuthenticationNeeded()) {
        server.strLogin = dialogWizard->getLogin().trimmed();
        server.strPassword = dialogWizard->getPassword();
    }
    addConfiguredServer(server);
    updateStartHint();
}

// The settings dialog keeps the imported records and deletes them afterwards: each becomes a
// new configured server of its own, stopped, with a new id.
void MainWindow::slotAddNewServerFromImport(QList<NntpServer *> listServers)
{
    bool saved = true;
    for (const NntpServer *imported : qAsConst(listServers)) {
        if (imported)
            saved = addConfiguredServer(*imported) && saved;
    }
    // Each addition saved already; with nothing to add the records are saved all the same.
    if (saved)
        saveServersOrReport();
    ui->labelClickOnStartBtnToBegin->setVisible(!anyServerStarted());
}
