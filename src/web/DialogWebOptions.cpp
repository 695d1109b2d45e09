#include "web/DialogWebOptions.h"

#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"

#include "widgets/WindowTextFit.h"
#include "ui_DialogWebOptions.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QTableWidgetItem>

#include <algorithm>

DialogWebOptions::DialogWebOptions(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DialogWebOptions)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    ui->tableWidgetFavourites->setHorizontalHeaderLabels({tr("Name"), tr("URL")});
    // Shown by name until the user clicks a header (the order of the stored favourites changes
    // from run to run).
    ui->tableWidgetFavourites->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);

    const WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    fillFavourites(web.favourites);
    ui->lineEditHomePage->setText(web.homePage);
    ui->checkBoxLoadHomePageAtStartup->setChecked(web.homePageLaunch);
    ui->checkBoxPluginsEnabled->setChecked(web.pluginsEnabled);
    ui->checkBoxJavaEnabled->setChecked(web.javaEnabled);
    ui->checkBoxJavascriptEnabled->setChecked(web.javascriptEnabled);

    connect(ui->buttonBox, SIGNAL(accepted()), this, SLOT(onOkClicked()));
    connect(ui->buttonBox, SIGNAL(rejected()), this, SLOT(reject()));
    connect(ui->pushButtonDeleteFavourite, SIGNAL(clicked()), this, SLOT(deleteSelectedFavourites()));
}

DialogWebOptions::~DialogWebOptions()
{
    delete ui;
}

// A sorted table moves a row as soon as its first cell is set: the rows are filled unsorted,
// then sorted, so that each title stays beside its own address.
void DialogWebOptions::fillFavourites(const QHash<QString, QString> &configured)
{
    QTableWidget *table = ui->tableWidgetFavourites;
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    table->setRowCount(0);
    for (auto it = configured.constBegin(); it != configured.constEnd(); ++it) {
        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, new QTableWidgetItem(it.key()));
        table->setItem(row, 1, new QTableWidgetItem(it.value()));
    }
    table->setSortingEnabled(sorting);
}

void DialogWebOptions::deleteSelectedFavourites()
{
    QList<int> rows;
    for (const QModelIndex &index : ui->tableWidgetFavourites->selectionModel()->selectedRows(0))
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    for (int i = rows.size() - 1; i >= 0; --i)
        ui->tableWidgetFavourites->removeRow(rows.at(i));
}

void DialogWebOptions::onOkClicked()
{
    favourites.clear();
    QTableWidget *table = ui->tableWidgetFavourites;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *nameItem = table->item(row, 0);
        const QTableWidgetItem *urlItem = table->item(row, 1);
        const QString name = nameItem ? nameItem->text().trimmed() : QString();
        if (favourites.contains(name)) {
            refuse(tr("Favourite's name \"%1\" must be unique").arg(name));
            return;
        }
        const QString url = urlItem ? urlItem->text().trimmed() : QString();
        if (url.isEmpty()) {
            refuse(tr("\"%1\" favourite's URL mustn't be empty").arg(name));
            return;
        }
        favourites.insert(name, url);
    }
    homePage = ui->lineEditHomePage->text().trimmed();
    homePageLaunch = ui->checkBoxLoadHomePageAtStartup->isChecked();
    pluginsEnabled = ui->checkBoxPluginsEnabled->isChecked();
    javaEnabled = ui->checkBoxJavaEnabled->isChecked();
    javascriptEnabled = ui->checkBoxJavascriptEnabled->isChecked();
    accept();
}

void DialogWebOptions::refuse(const QString &text)
{
    QMessageBox::critical(this, AppVersion::displayName(), text, QMessageBox::Ok);
}
