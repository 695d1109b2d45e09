#include "dialogs/DialogHistoryNzb.h"

#include "config/NzbHandOverFolder.h"

#include "ui_DialogHistoryNzb.h"

#include "widgets/SizeSpeedText.h"
#include "config/AppConfiguration.h"
#include "config/UtilsFilesFolders.h"
#include "widgets/ConfigurationSave.h"
#include "dialogs/PopupCalendar.h"
#include "dialogs/UtilsNzbCompressUncompress.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "widgets/WindowTextFit.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSignalBlocker>

namespace {

const int DateAddedRole = Qt::UserRole + 1;
const int DownloadNameCutLength = 50;

// The "Date added" cell sorts by the time itself: its text begins with the day of the month.
class DateAddedItem : public QTableWidgetItem
{
public:
    DateAddedItem(const QDateTime &added, const QString &text)
        : QTableWidgetItem(text)
    {
        setData(DateAddedRole, added);
    }

    bool operator<(const QTableWidgetItem &other) const override
    {
        const QVariant mine = data(DateAddedRole);
        const QVariant theirs = other.data(DateAddedRole);
        if (mine.isValid() && theirs.isValid())
            return mine.toDateTime() < theirs.toDateTime();
        return QTableWidgetItem::operator<(other);
    }
};

} // namespace

DialogHistoryNzb::DialogHistoryNzb(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::DialogHistoryNzb)
{
    ui->setupUi(this);
    WindowTextFit::install(this);

    const QString dateFormat = AppConfiguration::getInstance()->languageName == QLatin1String("en")
                                   ? QStringLiteral("MM/dd/yyyy")
                                   : QStringLiteral("dd/MM/yyyy");
    ui->dateEditFrom->setDisplayFormat(dateFormat);
    ui->dateEditTo->setDisplayFormat(dateFormat);
    const QDateTime now = QDateTime::currentDateTime();
    ui->dateEditTo->setDateTime(now);
    ui->dateEditFrom->setDateTime(now.addMonths(-1));
    ui->dateEditFrom->setMaximumDate(ui->dateEditTo->date());
    ui->dateEditTo->setMinimumDate(ui->dateEditFrom->date());

    slotRefreshNzbHisto();

    connect(ui->lineEditNameFilter, &QLineEdit::textChanged, this, &DialogHistoryNzb::slotFilterTextChanged);
    connect(ui->dateEditFrom, &QDateEdit::dateChanged, this, &DialogHistoryNzb::dateFromChanged);
    connect(ui->dateEditTo, &QDateEdit::dateChanged, this, &DialogHistoryNzb::dateToChanged);
    connect(ui->tableWidgetListNzb, &QTableWidget::itemClicked, this, &DialogHistoryNzb::historyNzbClicked);
    connect(ui->tableWidgetListNzbFiles, &QTableWidget::itemClicked, this, &DialogHistoryNzb::nzbFileClicked);
    connect(ui->checkBoxSelectAllFiles, &QCheckBox::clicked, this, &DialogHistoryNzb::checkBoxSelectAllFilesClicked);
    // A tick changed with the keyboard counts as much as one changed with the mouse.
    connect(ui->tableWidgetListNzbFiles, &QTableWidget::itemChanged, this, &DialogHistoryNzb::fileItemChanged);
}

DialogHistoryNzb::~DialogHistoryNzb()
{
    delete currentNzb;
    delete ui;
}

QString DialogHistoryNzb::formatSize(double kib)
{
    return SizeSpeedText::format(kib, {tr("KiB"), tr("MiB"), tr("GiB"), tr("TiB")});
}

void DialogHistoryNzb::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    AppConfiguration *configuration = AppConfiguration::getInstance();
    if (configuration->autoSaveHistoNzb)
        return;
    const int answer = QMessageBox::information(
        this, tr("Tessaquill+"),
        tr("Automatic save of your NZB history is not activated. Do you wish to activate it right now ?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    configuration->autoSaveHistoNzb = true;
    ConfigurationSave::saveOrReport(this, tr("Error"));
}

void DialogHistoryNzb::slotPopupFromCalendar()
{
    popupCalendar(ui->dateEditFrom);
}

void DialogHistoryNzb::slotPopupToCalendar()
{
    popupCalendar(ui->dateEditTo);
}

void DialogHistoryNzb::popupCalendar(QDateEdit *edit)
{
    const QPoint place = edit->mapToGlobal(QPoint(0, edit->height()));
    QDate date = PopupCalendar::getDate(this, edit->date(), place);
    if (edit == ui->dateEditFrom && date > ui->dateEditTo->date())
        date = ui->dateEditTo->date();
    else if (edit == ui->dateEditTo && date < ui->dateEditFrom->date())
        date = ui->dateEditFrom->date();
    edit->setDate(date);
    edit->setFocus();
}

void DialogHistoryNzb::slotRefreshNzbHisto()
{
    listHistoryFiles = UtilsNzbCompressUncompress::listHistoryFiles();
    refreshList(ui->dateEditFrom->date(), ui->dateEditTo->date(), ui->lineEditNameFilter->text());
}

void DialogHistoryNzb::slotFilterTextChanged(const QString &text)
{
    refreshList(ui->dateEditFrom->date(), ui->dateEditTo->date(), text);
}

void DialogHistoryNzb::dateFromChanged(const QDate &date)
{
    ui->dateEditTo->setMinimumDate(date);
    refreshList(ui->dateEditFrom->date(), ui->dateEditTo->date(), ui->lineEditNameFilter->text());
}

void DialogHistoryNzb::dateToChanged(const QDate &date)
{
    ui->dateEditFrom->setMaximumDate(date);
    refreshList(ui->dateEditFrom->date(), ui->dateEditTo->date(), ui->lineEditNameFilter->text());
}

void DialogHistoryNzb::refreshList(const QDate &from, const QDate &to, const QString &filter)
{
    if (filter.isEmpty())
        ui->dateEditFrom->setFocus();
    currentPath.clear();

    QList<QFileInfo> kept;
    for (const QFileInfo &entry : qAsConst(listHistoryFiles)) {
        const QDate added = UtilsNzbCompressUncompress::dateAdded(entry).date();
        if (added < from || added > to)
            continue;
        if (!filter.isEmpty() && !UtilsNzbCompressUncompress::entryName(entry).contains(filter, Qt::CaseInsensitive))
            continue;
        kept << entry;
    }

    ui->tableWidgetListNzb->setRowCount(0);
    ui->tableWidgetListNzb->clearContents();
    clearFilesTable();
    ui->pushButtonDeleteSelNzb->setEnabled(false);
    dropCurrentNzb();
    fillHistoryList(kept);
    showSelection(0, 0);
}

void DialogHistoryNzb::fillHistoryList(const QList<QFileInfo> &entries)
{
    QTableWidget *table = ui->tableWidgetListNzb;
    table->setSortingEnabled(false);
    table->setRowCount(entries.size());
    const QString timeFormat = tr("dd/MM/yyyy hh:mm:ss");
    for (int row = 0; row < entries.size(); ++row) {
        const QFileInfo &entry = entries.at(row);
        const QDateTime added = UtilsNzbCompressUncompress::dateAdded(entry);
        auto *dateCell = new DateAddedItem(added, added.toString(timeFormat));
        dateCell->setData(Qt::UserRole, entry.absoluteFilePath());
        table->setItem(row, 0, dateCell);
        table->setItem(row, 1, new QTableWidgetItem(UtilsNzbCompressUncompress::entryName(entry)));
    }
    table->resizeColumnToContents(0);
    table->setSortingEnabled(true);
}

void DialogHistoryNzb::clearFilesTable()
{
    const QSignalBlocker blocker(ui->tableWidgetListNzbFiles);
    ui->tableWidgetListNzbFiles->setRowCount(0);
    ui->tableWidgetListNzbFiles->clearContents();
    ui->checkBoxSelectAllFiles->setEnabled(false);
}

void DialogHistoryNzb::dropCurrentNzb()
{
    delete currentNzb;
    currentNzb = nullptr;
}

QString DialogHistoryNzb::selectedEntryPath() const
{
    const QList<QTableWidgetItem *> selected = ui->tableWidgetListNzb->selectedItems();
    if (selected.isEmpty())
        return QString();
    const QTableWidgetItem *cell = ui->tableWidgetListNzb->item(selected.first()->row(), 0);
    return cell ? cell->data(Qt::UserRole).toString() : QString();
}

void DialogHistoryNzb::historyNzbClicked(QTableWidgetItem *)
{
    if (ui->tableWidgetListNzb->selectedItems().isEmpty())
        return;
    const QString path = selectedEntryPath();
    if (path == currentPath)
        return;

    setCursor(Qt::WaitCursor);
    currentPath = path;
    clearFilesTable();
    NzbFiles *loaded = nullptr;
    QString error;
    if (UtilsNzbCompressUncompress::loadHistoryFile(path, loaded, error)) {
        showLoadedNzb(loaded);
        setCursor(Qt::ArrowCursor);
        return;
    }
    // Nothing of an earlier entry may stay selectable once this one is shown as broken; the
    // broken entry itself can still be deleted.
    dropCurrentNzb();
    showSelection(0, 0);
    ui->pushButtonDeleteSelNzb->setEnabled(true);
    setCursor(Qt::ArrowCursor);
    QMessageBox::critical(this, tr("Error"), tr("Error : %1").arg(error), QMessageBox::Ok);
}

void DialogHistoryNzb::showLoadedNzb(NzbFiles *nzb)
{
    dropCurrentNzb();
    currentNzb = nzb;
    currentNzb->sortFiles(AppConfiguration::getInstance()->autoSmartDownload);
    const QList<NzbFile *> files = currentNzb->getFiles();

    quint64 totalBytes = 0;
    QTableWidget *table = ui->tableWidgetListNzbFiles;
    {
        const QSignalBlocker blocker(table);
        table->setRowCount(files.size());
        for (int row = 0; row < files.size(); ++row) {
            const NzbFile *file = files.at(row);
            auto *nameCell = new QTableWidgetItem(fileDisplayName(file->getSubject()));
            nameCell->setCheckState(Qt::Checked);
            table->setItem(row, 0, nameCell);
            auto *sizeCell = new QTableWidgetItem(QString::number(file->uiSize / 1024));
            sizeCell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, 1, sizeCell);
            totalBytes = NzbFile::saturatingAdd(totalBytes, file->uiSize);
        }
    }
    table->resizeColumnToContents(0);
    ui->checkBoxSelectAllFiles->setChecked(true);
    ui->checkBoxSelectAllFiles->setEnabled(true);
    ui->pushButtonDeleteSelNzb->setEnabled(true);
    showSelection(files.size(), totalBytes);
}

QString DialogHistoryNzb::fileDisplayName(const QString &subject)
{
    const int firstQuote = subject.indexOf(QLatin1Char('"'));
    const int lastQuote = subject.lastIndexOf(QLatin1Char('"'));
    if (firstQuote >= 0 && firstQuote < lastQuote)
        return subject.mid(firstQuote + 1, lastQuote - firstQuote - 1);
    return subject;
}

void DialogHistoryNzb::nzbFileClicked(QTableWidgetItem *)
{
    takeOverTicks();
}

void DialogHistoryNzb::fileItemChanged(QTableWidgetItem *item)
{
    if (item && item->column() == 0)
        takeOverTicks();
}

void DialogHistoryNzb::takeOverTicks()
{
    if (!currentNzb)
        return;
    const QList<NzbFile *> files = currentNzb->getFiles();
    const int rows = qMin(ui->tableWidgetListNzbFiles->rowCount(), files.size());
    qint64 ticked = 0;
    quint64 totalBytes = 0;
    for (int row = 0; row < rows; ++row) {
        const QTableWidgetItem *cell = ui->tableWidgetListNzbFiles->item(row, 0);
        NzbFile *file = files.at(row);
        file->bExcluded = !(cell && cell->checkState() == Qt::Checked);
        if (file->bExcluded)
            continue;
        ++ticked;
        totalBytes = NzbFile::saturatingAdd(totalBytes, file->uiSize);
    }
    showSelection(ticked, totalBytes);
}

void DialogHistoryNzb::showSelection(qint64 fileCount, quint64 totalBytes)
{
    ui->labelInfosNbFilesSelected->setText(tr("Selected files : ") + QString::number(fileCount));
    ui->labelInfosTotalSize->setText(tr("Size : ") + formatSize(double(totalBytes / 1024)));
    ui->pushButtonExportNzb->setEnabled(fileCount != 0);
    ui->pushButtonDownload->setEnabled(fileCount != 0);
}

void DialogHistoryNzb::checkBoxSelectAllFilesClicked()
{
    if (!currentNzb)
        return;
    const Qt::CheckState state = ui->checkBoxSelectAllFiles->isChecked() ? Qt::Checked : Qt::Unchecked;
    {
        const QSignalBlocker blocker(ui->tableWidgetListNzbFiles);
        for (int row = 0; row < ui->tableWidgetListNzbFiles->rowCount(); ++row) {
            if (QTableWidgetItem *cell = ui->tableWidgetListNzbFiles->item(row, 0))
                cell->setCheckState(state);
        }
    }
    takeOverTicks();
}

bool DialogHistoryNzb::writeSelection(const QString &path)
{
    QByteArray document;
    currentNzb->writeNzb(document);
    if (UtilsFilesFolders::saveFile(path, document))
        return true;
    QMessageBox::critical(this, tr("Error"), tr("Failed to write NZB file %1").arg(QDir::toNativeSeparators(path)),
                          QMessageBox::Ok);
    return false;
}

void DialogHistoryNzb::slotExportToNzb()
{
    if (!currentNzb)
        return;
    // A name typed without an extension gets ".nzb", and the question about replacing a file
    // is asked for the name actually written.
    QFileDialog chooser(this, tr("Save NZB File"), QString(), tr("Nzb files (*.nzb)"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("nzb"));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return;
    const QString path = chooser.selectedFiles().constFirst();
    if (path.trimmed().isEmpty())
        return;
    writeSelection(path);
}

QString DialogHistoryNzb::nzbFolder()
{
    const QString cache = AppConfiguration::folderSettingOrDefault(AppConfiguration::getInstance()->cacheFolder,
                                                                   AppConfiguration::defaultCacheFolder());
    return cache + QLatin1String("/NZB");
}

void DialogHistoryNzb::slotDownloadSelection()
{
    if (!currentNzb)
        return;
    if (currentNzb->getFileCount() == 0) {
        QMessageBox::critical(this, tr("Error"),
                              tr("The NZB you wish to download does not contain any file to download"),
                              QMessageBox::Ok);
        return;
    }
    const QString name = UtilsNzbCompressUncompress::fileNamePart(currentNzb->getFileAt(0)->getSubject(),
                                                                  DownloadNameCutLength, 4 /* ".nzb" */);
    const QString fileName = name + QLatin1String(".nzb");
    QString why;
    const QString folder = NzbHandOverFolder::make(nzbFolder(), &why);
    if (folder.isEmpty()) {
        QMessageBox::critical(this, tr("Error"),
                              tr("Failed to write NZB file %1")
                                  .arg(QDir::toNativeSeparators(nzbFolder() + QLatin1Char('/') + fileName)),
                              QMessageBox::Ok);
        return;
    }
    const QString path = folder + QLatin1Char('/') + fileName;
    if (writeSelection(path))
        emit historyNzbToDownload(path);
    else
        NzbHandOverFolder::removeFolder(folder);
}

void DialogHistoryNzb::slotDeleteNzbSelected()
{
    const QString path = selectedEntryPath();
    if (ui->tableWidgetListNzb->selectedItems().isEmpty())
        return;
    const int answer = QMessageBox::information(this, tr("Tessaquill+"),
                                                tr("Do you really want to delete the selected NZB?"),
                                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    if (!path.isEmpty())
        QFile::remove(path);
    slotRefreshNzbHisto();
}

void DialogHistoryNzb::slotDeleteAllHistory()
{
    const int answer = QMessageBox::information(this, tr("Tessaquill+"),
                                                tr("Do you really want to delete all your NZB history?"),
                                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    listHistoryFiles = UtilsNzbCompressUncompress::listHistoryFiles();
    for (const QFileInfo &entry : qAsConst(listHistoryFiles))
        QFile::remove(entry.absoluteFilePath());
    slotRefreshNzbHisto();
}
