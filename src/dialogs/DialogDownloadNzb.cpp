#include "dialogs/DialogDownloadNzb.h"

#include "ui_DialogDownloadNzb.h"

#include "widgets/AppVersion.h"
#include "widgets/SizeSpeedText.h"
#include "config/AppConfiguration.h"
#include "config/FolderCheck.h"
#include "dialogs/DialogDestinationFolders.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "widgets/WindowTextFit.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QStyle>

#include <algorithm>

DialogDownloadNzb::DialogDownloadNzb(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogDownloadNzb)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    keepFilesListReadable();
    ui->lineEditDownloadNzbPath->setText(AppConfiguration::getInstance()->destinationFolder);
    fillDestinations();
    connect(ui->tableWidgetDestinations, &QTableWidget::itemClicked, this,
            &DialogDownloadNzb::slotDestinationItemClicked);
}

// The list of files shows several of them at any height of the dialog, a long name's scroll
// bar included; the dialog is as tall as that needs.
void DialogDownloadNzb::keepFilesListReadable()
{
    QTableWidget *files = ui->tableWidgetNzbFilesList;
    const int rows = 5;
    const int height = files->horizontalHeader()->sizeHint().height() + rows * files->verticalHeader()->defaultSectionSize()
                       + files->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, files) + 2 * files->frameWidth();
    files->setMinimumHeight(qMax(files->minimumHeight(), height));
}

DialogDownloadNzb::~DialogDownloadNzb()
{
    delete ui;
}

QString DialogDownloadNzb::formatSize(double bytes)
{
    return SizeSpeedText::format(bytes, {tr("bytes"), tr("Kb"), tr("Mb"), tr("Gb")});
}

QString DialogDownloadNzb::displayName(const QString &subject)
{
    const int first = subject.indexOf(QLatin1Char('"'));
    const int last = subject.lastIndexOf(QLatin1Char('"'));
    if (first >= 0 && first < last)
        return subject.mid(first + 1, last - first - 1);
    return subject;
}

QString DialogDownloadNzb::withNzbExtension(const QString &path)
{
    const QFileInfo file(path);
    if (file.fileName().isEmpty() || !file.suffix().isEmpty())
        return path;
    return path + (path.endsWith(QLatin1Char('.')) ? QStringLiteral("nzb") : QStringLiteral(".nzb"));
}

void DialogDownloadNzb::setNzbFiles(NzbFiles *nzb)
{
    nzbFiles = nzb;
    QTableWidget *table = ui->tableWidgetNzbFilesList;
    table->setSortingEnabled(false);
    const int count = nzb ? nzb->getFiles().size() : 0;
    for (int i = 0; i < count; ++i) {
        const NzbFile *file = nzb->getFileAt(quint64(i));
        table->insertRow(i);
        auto *name = new QTableWidgetItem(displayName(file->getSubject()));
        name->setCheckState(Qt::Checked);
        name->setData(Qt::UserRole, i);
        table->setItem(i, 0, name);
        auto *size = new QTableWidgetItem(formatSize(double(file->uiSize)));
        size->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(i, 1, size);
    }
    table->setSortingEnabled(true);
    table->resizeColumnToContents(0);
    ui->checkBoxSelectUnselectAll->setChecked(true);
}

bool DialogDownloadNzb::isDownloadNzbSelected() const
{
    return !ui->radioButtonSaveNzb->isChecked();
}

bool DialogDownloadNzb::isSaveNzbSelected() const
{
    return ui->radioButtonSaveNzb->isChecked();
}

QString DialogDownloadNzb::getSaveFilePath() const
{
    return ui->lineEditSaveNzbPath->text();
}

QString DialogDownloadNzb::getDestinationPath() const
{
    return ui->lineEditDownloadNzbPath->text();
}

void DialogDownloadNzb::fillDestinations()
{
    QTableWidget *table = ui->tableWidgetDestinations;
    for (int row = table->rowCount() - 1; row >= 0; --row)
        table->removeRow(row);
    table->clearContents();
    table->setSortingEnabled(false);

    const AppConfiguration *config = AppConfiguration::getInstance();
    table->insertRow(0);
    table->setItem(0, 0, new QTableWidgetItem(tr("Default Destination")));
    table->setItem(0, 1, new QTableWidgetItem(config->destinationFolder));
    const QHash<QString, QString> &destinations = config->destinationConfiguration.destinations;
    const QStringList labels = destinations.keys();
    for (int j = 0; j < labels.size(); ++j) {
        table->insertRow(j + 1);
        table->setItem(j + 1, 0, new QTableWidgetItem(labels.at(j)));
        table->setItem(j + 1, 1, new QTableWidgetItem(destinations.value(labels.at(j))));
    }
    table->resizeColumnToContents(0);
    table->setSortingEnabled(true);
    table->sortItems(0, Qt::AscendingOrder);
}

void DialogDownloadNzb::slotDestinationItemClicked()
{
    const QList<QTableWidgetItem *> selected = ui->tableWidgetDestinations->selectedItems();
    if (selected.isEmpty())
        return;
    const QTableWidgetItem *path = ui->tableWidgetDestinations->item(selected.first()->row(), 1);
    if (path)
        ui->lineEditDownloadNzbPath->setText(path->text());
}

void DialogDownloadNzb::slotButtonConfigureDestinationsFolders()
{
    DialogDestinationFolders editor(this);
    editor.setWindowFlags(Qt::Sheet);
    if (editor.exec() == QDialog::Accepted)
        fillDestinations();
}

void DialogDownloadNzb::slotButtonChooseSaveFilePath()
{
    // The dialog adds the extension itself, so that its overwrite question names the real file.
    QFileDialog chooser(this, tr("Save NZB File"), QString(), tr("Nzb files (*.nzb)"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("nzb"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString path = chooser.selectedFiles().first();
    if (path.trimmed().isEmpty())
        return;
    strChosenSavePath = withNzbExtension(path);
    ui->lineEditSaveNzbPath->setText(strChosenSavePath);
}

void DialogDownloadNzb::slotButtonChooseDestinationPath()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Choose Destination directory"),
                                                             ui->lineEditDownloadNzbPath->text(),
                                                             QFileDialog::ShowDirsOnly);
    if (!folder.trimmed().isEmpty())
        ui->lineEditDownloadNzbPath->setText(folder);
}

void DialogDownloadNzb::setSaveGroupEnabled(bool enabled)
{
    ui->labelSaveFileTo->setEnabled(enabled);
    ui->lineEditSaveNzbPath->setEnabled(enabled);
    ui->pushButtonChooseSaveNzb->setEnabled(enabled);
}

void DialogDownloadNzb::setDownloadGroupEnabled(bool enabled)
{
    ui->labelDownloadFilesList->setEnabled(enabled);
    ui->tableWidgetNzbFilesList->setEnabled(enabled);
    ui->checkBoxSelectUnselectAll->setEnabled(enabled);
    ui->labelChooseDestination->setEnabled(enabled);
    ui->tableWidgetDestinations->setEnabled(enabled);
    ui->pushButtonConfigDestinations->setEnabled(enabled);
    ui->labelDownloadTo->setEnabled(enabled);
    ui->lineEditDownloadNzbPath->setEnabled(enabled);
    ui->pushButtonChooseDownloadNzb->setEnabled(enabled);
}

void DialogDownloadNzb::slotSaveNzbRadioButtonClicked()
{
    setSaveGroupEnabled(true);
    setDownloadGroupEnabled(false);
}

void DialogDownloadNzb::slotDownloadNzbRadioButtonClicked()
{
    setSaveGroupEnabled(false);
    setDownloadGroupEnabled(true);
}

void DialogDownloadNzb::slotSelectAllRadioButtonClicked()
{
    const Qt::CheckState state = ui->checkBoxSelectUnselectAll->isChecked() ? Qt::Checked : Qt::Unchecked;
    QTableWidget *table = ui->tableWidgetNzbFilesList;
    for (int row = 0; row < table->rowCount(); ++row)
        table->item(row, 0)->setCheckState(state);
}

bool DialogDownloadNzb::isAnyFileChecked() const
{
    const QTableWidget *table = ui->tableWidgetNzbFilesList;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->checkState() == Qt::Checked)
            return true;
    }
    return false;
}

// A blank path is refused and emptied; a relative one (which would land in the program's
// working folder) is refused and selected.
bool DialogDownloadNzb::checkPathField(QLineEdit *field, const QString &message)
{
    const QString text = field->text();
    const bool blank = text.trimmed().isEmpty();
    if (!blank && !QDir::isRelativePath(text))
        return true;
    QMessageBox::critical(this, AppVersion::displayName(), message, QMessageBox::Ok);
    if (blank)
        field->clear();
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

// The copy is saved to a file: a folder, a named pipe or a device at the path is refused, and the
// field keeps the path to be corrected.
bool DialogDownloadNzb::refuseWhatIsNoFile(const QString &path)
{
    const QFileInfo target(path);
    if (!target.exists() || target.isFile())
        return true;
    const QString native = QDir::toNativeSeparators(path);
    const QString text = target.isDir()
                             ? tr("%1 is a folder. Please enter the path of the file the NZB will be saved to.").arg(native)
                             : tr("%1 is not a regular file (a named pipe, a device or a socket). Please enter the path "
                                  "of the file the NZB will be saved to.")
                                   .arg(native);
    QMessageBox box(QMessageBox::Critical, AppVersion::displayName(), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    focusSavePath();
    return false;
}

// A file already there is replaced only when the user says so, as the chooser asks; a path the
// chooser gave was asked about there.
bool DialogDownloadNzb::confirmReplacing(const QString &path)
{
    if (path == strChosenSavePath || !QFileInfo::exists(path))
        return true;
    QMessageBox box(QMessageBox::Warning, AppVersion::displayName(),
                    tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    if (box.exec() == QMessageBox::Yes)
        return true;
    focusSavePath();
    return false;
}

void DialogDownloadNzb::focusSavePath()
{
    ui->lineEditSaveNzbPath->setFocus(Qt::OtherFocusReason);
    ui->lineEditSaveNzbPath->selectAll();
}

// A folder that is a file, or that cannot be made or written, would fail only after the download.
bool DialogDownloadNzb::checkDestinationUsable()
{
    QLineEdit *field = ui->lineEditDownloadNzbPath;
    const QString why = FolderCheck::whyNotUsable(field->text());
    if (why.isEmpty())
        return true;
    QMessageBox::critical(this, AppVersion::displayName(),
                          tr("The folder where the NZB will be downloaded cannot be used: %1.").arg(why), QMessageBox::Ok);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

// Files go from the highest index down, so that every lower index still names the file it
// named when the table was filled, whatever order the user sorted the rows in.
void DialogDownloadNzb::removeUncheckedFiles()
{
    QList<int> unchecked;
    const QTableWidget *table = ui->tableWidgetNzbFilesList;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, 0);
        if (item->checkState() == Qt::Unchecked)
            unchecked << item->data(Qt::UserRole).toInt();
    }
    std::sort(unchecked.begin(), unchecked.end());
    for (int i = unchecked.size() - 1; i >= 0; --i)
        nzbFiles->removeFile(nzbFiles->getFileAt(quint64(unchecked.at(i))));
}

// Only held-back files left (recovery volumes chosen alone): they are what the user wants.
void DialogDownloadNzb::unpauseWhenAllPaused()
{
    if (nzbFiles->getFilesByPauseState(true).size() != nzbFiles->getFileCount())
        return;
    for (qint64 i = 0; i < nzbFiles->getFileCount(); ++i)
        nzbFiles->getFileAt(quint64(i))->bPaused = false;
}

void DialogDownloadNzb::slotButtonOkClicked()
{
    if (isSaveNzbSelected()) {
        if (!checkPathField(ui->lineEditSaveNzbPath, tr("Please enter the path where the file will be saved"))
            || !refuseWhatIsNoFile(ui->lineEditSaveNzbPath->text()))
            return;
        ui->lineEditSaveNzbPath->setText(withNzbExtension(ui->lineEditSaveNzbPath->text()));
        if (!refuseWhatIsNoFile(ui->lineEditSaveNzbPath->text()) || !confirmReplacing(ui->lineEditSaveNzbPath->text()))
            return;
        accept();
        return;
    }

    if (!isAnyFileChecked()) {
        QMessageBox::critical(this, AppVersion::displayName(), tr("Please check at least one file in the files list"),
                              QMessageBox::Ok);
        return;
    }
    if (!checkPathField(ui->lineEditDownloadNzbPath,
                        tr("Please enter the full path of the folder where the NZB will be downloaded"))
        || !checkDestinationUsable())
        return;
    removeUncheckedFiles();
    unpauseWhenAllPaused();
    accept();
}
