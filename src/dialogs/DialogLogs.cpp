#include "dialogs/DialogLogs.h"

#include "ui_DialogLogs.h"

#include "QsLog/Logger.h"
#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"
#include "widgets/WindowTextFit.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTableWidgetItem>
#include <QTextStream>

#include <algorithm>

const char *const DialogLogs::RefreshTimerName = "refreshTimer";

namespace {

// Where the parts of a log line stand: the level name in columns 0 to 4, the time in columns
// 6 to 28, and the message, written as one quoted text and a blank, from column 30 on.
constexpr int kShortestLine = 32;
constexpr int kLevelLength = 5;
constexpr int kTimePosition = 6;
constexpr int kTimeLength = 23;
constexpr int kMessagePosition = 31;

const QString &currentLogFile()
{
    return AppConfiguration::getInstance()->currentLogFile;
}

QColor levelColour(int level)
{
    switch (level) {
    case QsLogging::WarnLevel:
        return QColor(255, 108, 40);
    case QsLogging::ErrorLevel:
        return QColor(255, 40, 25);
    default:
        return QColor(0, 0, 0);
    }
}

QTableWidgetItem *cell(const QString &text, const QColor &colour)
{
    auto *item = new QTableWidgetItem(text);
    item->setForeground(colour);
    return item;
}

} // namespace

DialogLogs::DialogLogs(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::DialogLogs),
      refreshTimer(this)
{
    ui->setupUi(this);
    WindowTextFit::install(this);
    refreshTimer.setObjectName(QLatin1String(RefreshTimerName));
    connect(ui->pushButtonDeleteLog, &QPushButton::clicked, this,
            &DialogLogs::deleteCurrentLogFile);
    connect(ui->pushButtonDeleteAllLogs, &QPushButton::clicked, this, &DialogLogs::deleteAllLogs);
    connect(ui->checkBoxProcessNewData, &QCheckBox::clicked, this,
            &DialogLogs::checkProcessNewData);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &DialogLogs::buttonOkClicked);
    refreshLogList();
    connect(ui->lineEditRefreshTimeSecs, &QLineEdit::editingFinished, this,
            &DialogLogs::refreshTimeEditFinished);
}

DialogLogs::~DialogLogs()
{
    delete ui;
}

void DialogLogs::reopen()
{
    closing = false;
    ui->lineEditRefreshTimeSecs->setText(QString::number(refreshIntervalMs / 1000));
    ui->tableWidgetLogs->setFocus(Qt::OtherFocusReason);
    if (ui->comboBoxLogName->count() == 0)
        refreshLogList();
    else if (ui->checkBoxProcessNewData->isChecked())
        refreshTimer.start(refreshIntervalMs);
}

QString DialogLogs::entryText(const QString &fileName)
{
    QString name = fileName;
    name.remove(QLatin1String(".log"), Qt::CaseInsensitive);
    QString text = tr("DD-MM-YYYY hh:mm:ss");
    text.replace(QLatin1String("YYYY"), name.left(4));
    text.replace(QLatin1String("MM"), name.mid(5, 2));
    text.replace(QLatin1String("DD"), name.mid(8, 2));
    text.replace(QLatin1String("hh"), name.mid(11, 2));
    text.replace(QLatin1String("mm"), name.mid(14, 2));
    text.replace(QLatin1String("ss"), name.mid(17, 2));
    return text;
}

void DialogLogs::refreshLogList()
{
    ui->comboBoxLogName->clear();
    shownFilePath.clear();
    disconnect(&refreshTimer, &QTimer::timeout, this, &DialogLogs::loadLogFile);
    disconnect(ui->comboBoxLogName, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
               &DialogLogs::comboBoxLogNameIndexChanged);
    refreshTimer.stop();
    ui->lineEditRefreshTimeSecs->setText(QString::number(refreshIntervalMs / 1000));

    const QDir folder(AppConfiguration::getLogsFolder());
    if (!folder.exists()) {
        QMessageBox::critical(this, AppVersion::displayName(),
                              tr("No log found in %1").arg(folder.path()));
        return;
    }

    QStringList names = folder.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::NoSort);
    std::sort(names.begin(), names.end());
    // The names are the runs' start times: the newest run comes first.
    for (auto it = names.crbegin(); it != names.crend(); ++it)
        ui->comboBoxLogName->addItem(entryText(*it), *it);
    const int current = ui->comboBoxLogName->findData(currentLogFile(), Qt::UserRole,
                                                      Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (current >= 0)
        ui->comboBoxLogName->setCurrentIndex(current);

    connect(ui->comboBoxLogName, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DialogLogs::comboBoxLogNameIndexChanged);
    const bool anyFile = ui->comboBoxLogName->count() > 0;
    ui->pushButtonDeleteLog->setEnabled(anyFile);
    ui->pushButtonDeleteAllLogs->setEnabled(anyFile);
    if (ui->comboBoxLogName->currentIndex() < 0)
        return;
    showFile(ui->comboBoxLogName->currentData().toString());
    connect(&refreshTimer, &QTimer::timeout, this, &DialogLogs::loadLogFile);
    startRefreshWhenWanted();
}

void DialogLogs::showFile(const QString &fileName)
{
    shownFilePath = AppConfiguration::getLogsFolder() + QDir::separator() + fileName;
    shownFileIsNew = true;
    loadLogFile();
}

// A shown file that has gone away stops the refresh after its one message; only the user
// starts it again, so that the message does not come back at every tick.
void DialogLogs::startRefreshWhenWanted()
{
    if (ui->checkBoxProcessNewData->isChecked() && !shownFileMissing)
        refreshTimer.start(refreshIntervalMs);
}

void DialogLogs::loadLogFile()
{
    if (shownFilePath.isEmpty())
        return;
    const QFileInfo info(shownFilePath);
    shownFileMissing = !info.exists();
    if (shownFileMissing) {
        refreshTimer.stop();
        QMessageBox::critical(this, AppVersion::displayName(),
                              tr("Log file not found: %1").arg(shownFilePath));
        return;
    }
    if (!shownFileIsNew && info.size() == shownFileSize)
        return;
    shownFileIsNew = false;
    shownFileSize = info.size();
    ui->tableWidgetLogs->setRowCount(0);

    QFile file(shownFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    QList<Line> lines;
    Line line;
    while (!stream.atEnd()) {
        if (parseLine(stream.readLine(), line))
            lines << line;
    }
    file.close();
    fillTable(lines);
}

bool DialogLogs::parseLine(const QString &text, Line &line)
{
    if (text.size() < kShortestLine)
        return false;
    const QString level = text.left(kLevelLength).trimmed().toLower();
    if (level == QLatin1String("info"))
        line.level = QsLogging::InfoLevel;
    else if (level == QLatin1String("warn"))
        line.level = QsLogging::WarnLevel;
    else if (level == QLatin1String("error"))
        line.level = QsLogging::ErrorLevel;
    else
        return false;
    const QString time = text.mid(kTimePosition, kTimeLength);
    line.time = time.left(10) + QLatin1Char(' ') + time.mid(11);
    line.message = text.mid(kMessagePosition);
    line.message.chop(2);
    return true;
}

// The file's last line goes on top. Rows are made in one go: inserting each at the top would
// move every row already there, which a long log makes slow.
void DialogLogs::fillTable(const QList<Line> &lines)
{
    if (lines.isEmpty())
        return;
    QTableWidget *table = ui->tableWidgetLogs;
    table->setUpdatesEnabled(false);
    table->setFont(QFont(QStringLiteral("Arial"), 8));
    table->setRowCount(lines.size());
    int row = lines.size();
    for (const Line &line : lines) {
        --row;
        const QColor colour = levelColour(line.level);
        table->setItem(row, 0, cell(line.time, colour));
        table->setItem(row, 1, cell(line.message, colour));
    }
    table->setUpdatesEnabled(true);
}

void DialogLogs::comboBoxLogNameIndexChanged(int index)
{
    refreshTimer.stop();
    if (index < 0) {
        shownFilePath.clear();
        return;
    }
    showFile(ui->comboBoxLogName->itemData(index).toString());
    startRefreshWhenWanted();
}

void DialogLogs::checkProcessNewData()
{
    refreshTimer.stop();
    const bool on = ui->checkBoxProcessNewData->isChecked();
    ui->lineEditRefreshTimeSecs->setEnabled(on);
    if (on)
        refreshTimer.start(refreshIntervalMs);
}

void DialogLogs::refreshTimeEditFinished()
{
    const QString text = ui->lineEditRefreshTimeSecs->text();
    const int seconds = text.toInt();
    ui->tableWidgetLogs->setFocus(Qt::OtherFocusReason);
    if (closing)
        return;
    if (text.trimmed().isEmpty() || seconds < 1) {
        ui->lineEditRefreshTimeSecs->setText(QString::number(refreshIntervalMs / 1000));
        return;
    }
    if (seconds * 1000 == refreshIntervalMs)
        return;
    refreshIntervalMs = seconds * 1000;
    refreshTimer.stop();
    if (ui->checkBoxProcessNewData->isChecked())
        refreshTimer.start(refreshIntervalMs);
}

bool DialogLogs::askDeletion(const QString &text, const QString &informativeText) const
{
    QMessageBox question;
    question.setWindowTitle(AppVersion::displayName());
    question.setText(text);
    question.setInformativeText(informativeText);
    question.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    question.setDefaultButton(QMessageBox::Cancel);
    return question.exec() != QMessageBox::Cancel;
}

void DialogLogs::deleteCurrentLogFile()
{
    if (ui->comboBoxLogName->count() == 0)
        return;
    if (ui->comboBoxLogName->currentData().toString() == currentLogFile()) {
        QMessageBox::critical(this, AppVersion::displayName(),
                              tr("Cannot delete current log file"));
        return;
    }
    if (!askDeletion(tr("Delete current log file."),
                     tr("Do you really want to delete the current log file?")))
        return;
    QFile::remove(shownFilePath);
    shownFilePath.clear();
    refreshLogList();
}

void DialogLogs::deleteAllLogs()
{
    if (ui->comboBoxLogName->count() < 2)
        return;
    const QDir folder(AppConfiguration::getLogsFolder());
    if (!folder.exists())
        return;
    if (!askDeletion(tr("Delete logs files."),
                     tr("Do you really want to delete all logs files (Except the last one)?")))
        return;

    QStringList names = folder.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::NoSort);
    std::sort(names.begin(), names.end());
    // The file kept is the one this run writes; with logging off there is none, and the newest
    // file is kept instead, as the question promised.
    QString kept = currentLogFile().toLower();
    const bool runFileListed = std::any_of(names.cbegin(), names.cend(), [&kept](const QString &name) {
        return name.toLower() == kept;
    });
    if (!runFileListed && !names.isEmpty())
        kept = names.last().toLower();
    for (const QString &name : qAsConst(names)) {
        if (name.toLower() != kept)
            QFile::remove(folder.filePath(name));
    }
    shownFilePath.clear();
    refreshLogList();
}

void DialogLogs::buttonOkClicked()
{
    refreshTimer.stop();
    closing = true;
    accept();
}

void DialogLogs::keyPressEvent(QKeyEvent *event)
{
    // Keys no child took do nothing here: Escape does not close the viewer and Return does not
    // press Ok.
    event->accept();
}

void DialogLogs::closeEvent(QCloseEvent *event)
{
    refreshTimer.stop();
    closing = true;
    QDialog::closeEvent(event);
}

void DialogLogs::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (loggingOffNoticeShown || AppConfiguration::getInstance()->logLevel != QsLogging::OffLevel)
        return;
    loggingOffNoticeShown = true;
    QMessageBox::information(this, AppVersion::displayName(),
                             tr("Logs are not enabled.\nIf you want to activate this "
                                "functionnality you have to enable it via the configuration of "
                                "the application."));
}
