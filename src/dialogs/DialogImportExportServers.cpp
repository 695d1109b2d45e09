#include "dialogs/DialogImportExportServers.h"

#include "ui_DialogImportExportServers.h"

#include "model/NntpServer.h"
#include "widgets/WindowTextFit.h"

#include <QIcon>
#include <QListWidgetItem>

DialogImportExportServers::DialogImportExportServers(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogImportExportServers)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    connect(ui->listWidgetServers, &QListWidget::itemSelectionChanged, this,
            &DialogImportExportServers::itemSelectionChanged);
}

DialogImportExportServers::~DialogImportExportServers()
{
    delete ui;
}

void DialogImportExportServers::init(const QList<NntpServer *> &serverList, bool import)
{
    servers = serverList;
    if (import) {
        setWindowTitle(tr("Import Servers"));
        ui->labelSelectServers->setText(tr("Select Servers to import"));
    } else {
        setWindowTitle(tr("Export Servers"));
        ui->labelSelectServers->setText(tr("Select Servers to export"));
    }
    ui->listWidgetServers->clear();
    const QIcon icon(QStringLiteral(":/images/server.png"));
    // Row i stands for servers[i]: several servers may share an id or a nickname.
    for (const NntpServer *server : qAsConst(servers)) {
        auto *item = new QListWidgetItem(icon, server->strNickname, ui->listWidgetServers);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

QList<NntpServer *> DialogImportExportServers::checkedServers() const
{
    QList<NntpServer *> checked;
    for (int row = 0; row < ui->listWidgetServers->count() && row < servers.size(); ++row) {
        if (ui->listWidgetServers->item(row)->checkState() == Qt::Checked)
            checked << servers.at(row);
    }
    return checked;
}

void DialogImportExportServers::itemSelectionChanged()
{
    const int row = ui->listWidgetServers->currentRow();
    if (row < 0 || row >= servers.size())
        return;
    const NntpServer *server = servers.at(row);
    ui->lineEditServerAddress->setText(server->strHost);
    ui->lineEditServerPort->setText(QString::number(server->iPort));
    ui->lineEditServerNbConnections->setText(QString::number(server->iConnectionCount));
    ui->lineEditServerLogin->setText(server->strLogin);
}
