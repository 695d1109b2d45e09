#include "dialogs/DialogDestinationFoldersAddModify.h"

#include "config/FolderCheck.h"
#include "widgets/WindowTextFit.h"
#include "ui_DialogDestinationFoldersAddModify.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

DialogDestinationFoldersAddModify::DialogDestinationFoldersAddModify(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogDestinationFoldersAddModify)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
}

DialogDestinationFoldersAddModify::~DialogDestinationFoldersAddModify()
{
    delete ui;
}

void DialogDestinationFoldersAddModify::setValues(const QString &label, const QString &path)
{
    strLabel = label;
    strPath = path;
    ui->lineEditLabel->setText(label);
    ui->lineEditPath->setText(path);
}

void DialogDestinationFoldersAddModify::setLabelsInUse(const QStringList &labels)
{
    labelsInUse = labels;
}

void DialogDestinationFoldersAddModify::refuse(const QString &message)
{
    QMessageBox::critical(this, tr("Error"), message, QMessageBox::Ok);
}

void DialogDestinationFoldersAddModify::slotButtonOk()
{
    const QString label = ui->lineEditLabel->text().trimmed();
    const QString path = FolderCheck::expandHome(ui->lineEditPath->text().trimmed());
    ui->lineEditLabel->setText(label);
    ui->lineEditPath->setText(path);

    if (label.isEmpty()) {
        refuse(tr("Please enter a Label."));
        return;
    }
    if (path.isEmpty()) {
        refuse(tr("Please enter a Path associated with the label."));
        return;
    }
    // The download menus take the path as it stands: a relative one would land under whatever
    // folder the program was started from.
    if (QDir::isRelativePath(path)) {
        refuse(tr("Please enter the full path of the folder associated with the label."));
        return;
    }
    const QString why = FolderCheck::whyNotUsable(path);
    if (!why.isEmpty()) {
        refuse(tr("The folder cannot be used: %1.").arg(why));
        return;
    }
    if (labelsInUse.contains(label)) {
        refuse(tr("Another Destination already has the label \"%1\". Please enter another Label.").arg(label));
        ui->lineEditLabel->setFocus(Qt::OtherFocusReason);
        ui->lineEditLabel->selectAll();
        return;
    }
    strLabel = label;
    strPath = path;
    accept();
}

void DialogDestinationFoldersAddModify::slotButtonSearchPath()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Choose directory"), ui->lineEditPath->text(),
                                                             QFileDialog::ShowDirsOnly);
    if (!folder.trimmed().isEmpty())
        ui->lineEditPath->setText(folder);
}
