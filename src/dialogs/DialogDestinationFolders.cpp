#include "dialogs/DialogDestinationFolders.h"

#include "ui_DialogDestinationFolders.h"

#include "config/AppConfiguration.h"
#include "widgets/ConfigurationSave.h"
#include "dialogs/DialogDestinationFoldersAddModify.h"
#include "widgets/WindowTextFit.h"

#include <QHash>
#include <QMessageBox>

DialogDestinationFolders::DialogDestinationFolders(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogDestinationFolders)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    fillTable();
}

DialogDestinationFolders::~DialogDestinationFolders()
{
    delete ui;
}

void DialogDestinationFolders::fillTable()
{
    QTableWidget *table = ui->tableWidgetDestinations;
    table->setSortingEnabled(false);
    const QHash<QString, QString> &destinations = AppConfiguration::getInstance()->destinationConfiguration.destinations;
    for (auto it = destinations.constBegin(); it != destinations.constEnd(); ++it) {
        const int row = table->rowCount();
        table->insertRow(row);
        setRow(row, it.key(), it.value());
    }
    sortByLabel();
}

void DialogDestinationFolders::setRow(int row, const QString &label, const QString &path)
{
    ui->tableWidgetDestinations->setItem(row, 0, new QTableWidgetItem(label));
    ui->tableWidgetDestinations->setItem(row, 1, new QTableWidgetItem(path));
}

void DialogDestinationFolders::sortByLabel()
{
    ui->tableWidgetDestinations->setSortingEnabled(true);
    ui->tableWidgetDestinations->sortItems(0, Qt::AscendingOrder);
}

int DialogDestinationFolders::selectedRow() const
{
    const QList<QTableWidgetItem *> selected = ui->tableWidgetDestinations->selectedItems();
    return selected.isEmpty() ? -1 : selected.first()->row();
}

QStringList DialogDestinationFolders::labels(int exceptRow) const
{
    QStringList result;
    const QTableWidget *table = ui->tableWidgetDestinations;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (row != exceptRow)
            result << table->item(row, 0)->text();
    }
    return result;
}

void DialogDestinationFolders::slotAddDestination()
{
    QTableWidget *table = ui->tableWidgetDestinations;
    table->setSortingEnabled(false);
    DialogDestinationFoldersAddModify entry(this);
    entry.setWindowFlags(Qt::Sheet);
    entry.setLabelsInUse(labels(-1));
    if (entry.exec() == QDialog::Accepted) {
        const int row = table->rowCount();
        table->insertRow(row);
        setRow(row, entry.getLabel(), entry.getPath());
    }
    table->resizeColumnToContents(0);
    sortByLabel();
}

void DialogDestinationFolders::slotDeleteDestination()
{
    QTableWidget *table = ui->tableWidgetDestinations;
    if (table->rowCount() == 0)
        return;
    const int row = selectedRow();
    if (row < 0) {
        QMessageBox::critical(this, tr("Error"), tr("Please select a Destination item to delete."), QMessageBox::Ok);
        return;
    }
    table->setSortingEnabled(false);
    table->removeRow(row);
    sortByLabel();
}

void DialogDestinationFolders::slotModifyDestination()
{
    QTableWidget *table = ui->tableWidgetDestinations;
    if (table->rowCount() == 0)
        return;
    const int row = selectedRow();
    if (row < 0) {
        QMessageBox::critical(this, tr("Error"), tr("Please select a Destination item to modify."), QMessageBox::Ok);
        return;
    }
    table->setSortingEnabled(false);
    DialogDestinationFoldersAddModify entry(this);
    entry.setWindowFlags(Qt::Sheet);
    entry.setValues(table->item(row, 0)->text(), table->item(row, 1)->text());
    entry.setLabelsInUse(labels(row));
    if (entry.exec() == QDialog::Accepted) {
        table->item(row, 0)->setText(entry.getLabel());
        table->item(row, 1)->setText(entry.getPath());
    }
    sortByLabel();
}

void DialogDestinationFolders::slotButtonOk()
{
    QHash<QString, QString> destinations;
    const QTableWidget *table = ui->tableWidgetDestinations;
    for (int row = 0; row < table->rowCount(); ++row)
        destinations.insert(table->item(row, 0)->text(), table->item(row, 1)->text());
    AppConfiguration::getInstance()->destinationConfiguration.destinations = destinations;
    ConfigurationSave::saveOrReport(this, tr("Error"));
    accept();
}
