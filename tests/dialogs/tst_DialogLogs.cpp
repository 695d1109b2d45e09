#include "dialogs/DialogLogs.h"

#include "QsLog/Destination.h"
#include "QsLog/QsLog.h"
#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "widgets/AppVersion.h"

#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

const char *const kRunFile = "2013.01.02-03.04.05.log";

// Writes log statements into a file through the program's own logger, as a run does.
class LogWriter
{
public:
    explicit LogWriter(const QString &path)
        : destination(QsLogging::newFileDestination(path))
    {
        logger->setLevel(QsLogging::TraceLevel);
        logger->attachDestination(destination.get());
    }
    ~LogWriter() { logger->detachDestination(destination.get()); }

    void log(int level, const QString &message)
    {
        switch (level) {
        case QsLogging::TraceLevel: QLOG_TRACE() << message; break;
        case QsLogging::DebugLevel: QLOG_DEBUG() << message; break;
        case QsLogging::InfoLevel: QLOG_INFO() << message; break;
        case QsLogging::WarnLevel: QLOG_WARN() << message; break;
        case QsLogging::ErrorLevel: QLOG_ERROR() << message; break;
        default: QLOG_FATAL() << message; break;
        }
    }

private:
    QsLogging::Logger *logger = QsLogging::Logger::getInstance();
    std::unique_ptr<QsLogging::Destination> destination;
};

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList comboFiles(QComboBox *combo)
{
    QStringList files;
    for (int index = 0; index < combo->count(); ++index)
        files << combo->itemData(index).toString();
    return files;
}

} // namespace

class tst_DialogLogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formWithoutLogsFolder();
    void filesListedNewestFirst();
    void levelsColouredNewestLineOnTop();
    void lineLengthAndLevelRules_data();
    void lineLengthAndLevelRules();
    void growingFileShownAtTheNextTick();
    void anotherFileOfTheSameSizeIsRead();
    void refreshInterval();
    void processNewDataSwitch();
    void vanishedFileStopsTheRefresh();
    void deleteShownFile();
    void runFileCannotBeDeleted();
    void deleteAllButTheRunFile_data();
    void deleteAllButTheRunFile();
    void deleteAllWithOneFileDoesNothing();
    void loggingOffNoticeOnlyOnce();
    void keysDoNotCloseTheViewer();
    void okHidesAndReopenRestarts();

private:
    QString logsFolder() const { return AppConfiguration::getLogsFolder(); }
    QString logPath(const QString &name) const { return logsFolder() + QLatin1Char('/') + name; }
    void makeLogsFolder() { QVERIFY(QDir().mkpath(logsFolder())); }
    // A log file with one INFO line per message.
    void writeInfoLog(const QString &name, const QStringList &messages);

    template <typename T>
    static T *child(QWidget *dialog, const char *name)
    {
        return dialog->findChild<T *>(QLatin1String(name));
    }
    static QTimer *timerOf(DialogLogs &dialog)
    {
        return dialog.findChild<QTimer *>(QLatin1String(DialogLogs::RefreshTimerName));
    }
    static QStringList messages(DialogLogs &dialog);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<ModalAnswerer> answerer;
};

void tst_DialogLogs::initTestCase()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_DialogLogs::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    answerer = std::make_unique<ModalAnswerer>();
    AppConfiguration *configuration = AppConfiguration::getInstance();
    configuration->currentLogFile = QLatin1String(kRunFile);
    configuration->logLevel = QsLogging::InfoLevel;
}

void tst_DialogLogs::cleanup()
{
    answerer.reset();
    home.reset();
}

void tst_DialogLogs::writeInfoLog(const QString &name, const QStringList &lines)
{
    LogWriter writer(logPath(name));
    for (const QString &line : lines)
        writer.log(QsLogging::InfoLevel, line);
}

QStringList tst_DialogLogs::messages(DialogLogs &dialog)
{
    QTableWidget *table = child<QTableWidget>(&dialog, "tableWidgetLogs");
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, 1)->text();
    return texts;
}

void tst_DialogLogs::formWithoutLogsFolder()
{
    answerer->acceptNext();
    DialogLogs dialog;
    QCOMPARE(answerer->answeredCount(), 1);
    const ModalAnswerer::Seen &box = answerer->seen().at(0);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
    QCOMPARE(box.text, QStringLiteral("No log found in ") + logsFolder());

    QCOMPARE(dialog.objectName(), QStringLiteral("DialogLogs"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Logs"));
    QCOMPARE(dialog.size(), QSize(783, 591));
    QCOMPARE(dialog.minimumSize(), QSize(783, 300));
    QCOMPARE(dialog.font().family(), QStringLiteral("Arial"));
    QCOMPARE(dialog.font().pointSize(), 10);
    QVERIFY(dialog.isSizeGripEnabled());
    QVERIFY(!dialog.windowIcon().isNull());

    QCOMPARE(child<QComboBox>(&dialog, "comboBoxLogName")->count(), 0);
    QCOMPARE(child<QComboBox>(&dialog, "comboBoxLogName")->size(), QSize(200, 26));
    for (const char *name : {"pushButtonDeleteLog", "pushButtonDeleteAllLogs"}) {
        QPushButton *button = child<QPushButton>(&dialog, name);
        QVERIFY2(button && !button->isEnabled(), name);
        QCOMPARE(button->size(), QSize(48, 48));
        QCOMPARE(button->iconSize(), QSize(40, 40));
        QVERIFY(button->text().isEmpty() && !button->icon().isNull());
    }
    QCOMPARE(child<QPushButton>(&dialog, "pushButtonDeleteLog")->toolTip(),
             QStringLiteral("Delete current log file"));
    QCOMPARE(child<QPushButton>(&dialog, "pushButtonDeleteAllLogs")->toolTip(),
             QStringLiteral("Delete all logs files but the most recent one"));

    QTableWidget *table = child<QTableWidget>(&dialog, "tableWidgetLogs");
    QCOMPARE(table->columnCount(), 2);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Date / Time"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Message"));
    QCOMPARE(table->horizontalHeaderItem(0)->font().pointSize(), 8);
    QCOMPARE(table->font().pointSize(), 12);
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table->horizontalHeader()->defaultSectionSize(), 200);
    QCOMPARE(table->horizontalHeader()->minimumSectionSize(), 200);
    QVERIFY(table->horizontalHeader()->stretchLastSection());
    QVERIFY(table->verticalHeader()->isHidden());
    QVERIFY(table->styleSheet().contains(QLatin1String(":/images/log_background.png")));

    QCheckBox *processNewData = child<QCheckBox>(&dialog, "checkBoxProcessNewData");
    QCOMPARE(processNewData->text(), QStringLiteral("Process new data"));
    QVERIFY(processNewData->isChecked());
    QLineEdit *refresh = child<QLineEdit>(&dialog, "lineEditRefreshTimeSecs");
    QCOMPARE(refresh->text(), QStringLiteral("5"));
    QCOMPARE(refresh->inputMask(), QStringLiteral("9"));
    QCOMPARE(refresh->maxLength(), 1);
    QVERIFY(refresh->alignment() & Qt::AlignRight);
    QCOMPARE(refresh->size(), QSize(50, 22));
    QCOMPARE(child<QDialogButtonBox>(&dialog, "buttonBox")->standardButtons(),
             QDialogButtonBox::StandardButtons(QDialogButtonBox::Ok));
    QVERIFY(!timerOf(dialog)->isActive());
}

void tst_DialogLogs::filesListedNewestFirst()
{
    makeLogsFolder();
    for (const char *name : {"2012.03.15-14.05.09.log", kRunFile, "2011.12.31-23.59.59.log"})
        QVERIFY(writeRaw(logPath(QLatin1String(name)), QByteArray()));
    QVERIFY(writeRaw(logPath(QStringLiteral("notes.txt")), "not a log"));
    QVERIFY(QDir().mkpath(logPath(QStringLiteral("folder.log"))));

    AppConfiguration::getInstance()->currentLogFile = QStringLiteral("2012.03.15-14.05.09.log");
    {
        DialogLogs dialog;
        QComboBox *combo = child<QComboBox>(&dialog, "comboBoxLogName");
        QCOMPARE(comboFiles(combo), (QStringList{kRunFile, "2012.03.15-14.05.09.log",
                                                 "2011.12.31-23.59.59.log"}));
        QCOMPARE(combo->itemText(0), QStringLiteral("02-01-2013 03:04:05"));
        QCOMPARE(combo->itemText(1), QStringLiteral("15-03-2012 14:05:09"));
        QCOMPARE(combo->itemText(2), QStringLiteral("31-12-2011 23:59:59"));
        // This run's file is chosen.
        QCOMPARE(combo->currentIndex(), 1);
        QVERIFY(child<QPushButton>(&dialog, "pushButtonDeleteLog")->isEnabled());
        QVERIFY(child<QPushButton>(&dialog, "pushButtonDeleteAllLogs")->isEnabled());
        QVERIFY(timerOf(dialog)->isActive());
        QCOMPARE(timerOf(dialog)->interval(), 5000);
    }
    // This run's file is not among them (logging off): the newest is shown.
    AppConfiguration::getInstance()->currentLogFile = QStringLiteral("2014.01.01-00.00.00.log");
    DialogLogs dialog;
    QCOMPARE(child<QComboBox>(&dialog, "comboBoxLogName")->currentIndex(), 0);
    QCOMPARE(answerer->answeredCount(), 0);
}

void tst_DialogLogs::levelsColouredNewestLineOnTop()
{
    makeLogsFolder();
    {
        LogWriter writer(logPath(QLatin1String(kRunFile)));
        writer.log(QsLogging::InfoLevel, QStringLiteral("Tessaquill+ started"));
        writer.log(QsLogging::TraceLevel, QStringLiteral("trace line"));
        writer.log(QsLogging::DebugLevel, QStringLiteral("debug line"));
        writer.log(QsLogging::WarnLevel, QStringLiteral("Server news.example.com: slow answer"));
        writer.log(QsLogging::FatalLevel, QStringLiteral("fatal line"));
        writer.log(QsLogging::ErrorLevel, QStringLiteral("Error while importing NZB file: x.nzb"));
        // Two texts in one statement: the viewer drops the first and last quote only.
        QLOG_INFO() << QStringLiteral("NZB") << QStringLiteral("holiday");
    }
    DialogLogs dialog;
    QTableWidget *table = child<QTableWidget>(&dialog, "tableWidgetLogs");
    QCOMPARE(messages(dialog),
             (QStringList{"NZB\" \"holiday", "Error while importing NZB file: x.nzb",
                          "Server news.example.com: slow answer", "Tessaquill+ started"}));
    const QList<QColor> colours{QColor(0, 0, 0), QColor(255, 40, 25), QColor(255, 108, 40),
                                QColor(0, 0, 0)};
    for (int row = 0; row < 4; ++row) {
        QCOMPARE(table->item(row, 0)->foreground().color(), colours.at(row));
        QCOMPARE(table->item(row, 1)->foreground().color(), colours.at(row));
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}$"))
                     .match(table->item(row, 0)->text())
                     .hasMatch(),
                 qPrintable(table->item(row, 0)->text()));
    }
    QCOMPARE(table->font().pointSize(), 8);
    WidgetPicture::save(&dialog, QStringLiteral("DialogLogs"));
}

void tst_DialogLogs::lineLengthAndLevelRules_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("row"); // time and message; empty: no row

    QTest::newRow("31 characters: skipped") << QByteArray(" INFO 2012-03-15T14:05:09.123 x")
                                            << QStringList();
    QTest::newRow("32 characters: shown") << QByteArray(" INFO 2012-03-15T14:05:09.123 xy")
                                          << QStringList{"2012-03-15 14:05:09.123", ""};
    QTest::newRow("quoted message") << QByteArray(" WARN 2012-03-15T14:05:09.123 \"disk full\" ")
                                    << QStringList{"2012-03-15 14:05:09.123", "disk full"};
    QTest::newRow("level in any case") << QByteArray("error 2012-03-15T14:05:09.123 \"late\" ")
                                       << QStringList{"2012-03-15 14:05:09.123", "late"};
    QTest::newRow("unknown level") << QByteArray("NOTE  2012-03-15T14:05:09.123 \"other\" ")
                                   << QStringList();
    QTest::newRow("debug") << QByteArray("DEBUG 2012-03-15T14:05:09.123 \"detail\" ")
                           << QStringList();
    QTest::newRow("CR LF line end") << QByteArray(" INFO 2012-03-15T14:05:09.123 \"dos\" \r")
                                    << QStringList{"2012-03-15 14:05:09.123", "dos"};
    QTest::newRow("non-ASCII") << QByteArray(" INFO 2012-03-15T14:05:09.123 \"f\xc3\xa9te\" ")
                               << QStringList{"2012-03-15 14:05:09.123", QString::fromUtf8("féte")};
}

void tst_DialogLogs::lineLengthAndLevelRules()
{
    QFETCH(QByteArray, line);
    QFETCH(QStringList, row);

    makeLogsFolder();
    QVERIFY(writeRaw(logPath(QLatin1String(kRunFile)), line + "\n"));
    DialogLogs dialog;
    QTableWidget *table = child<QTableWidget>(&dialog, "tableWidgetLogs");
    if (row.isEmpty()) {
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(table->font().pointSize(), 12);
        return;
    }
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 0)->text(), row.at(0));
    QCOMPARE(table->item(0, 1)->text(), row.at(1));
}

void tst_DialogLogs::growingFileShownAtTheNextTick()
{
    makeLogsFolder();
    LogWriter writer(logPath(QLatin1String(kRunFile)));
    writer.log(QsLogging::InfoLevel, QStringLiteral("first"));
    DialogLogs dialog;
    dialog.show();
    QCOMPARE(messages(dialog), QStringList{"first"});

    // Refresh every second, then the log grows while the viewer is open.
    QLineEdit *refresh = child<QLineEdit>(&dialog, "lineEditRefreshTimeSecs");
    refresh->setFocus();
    refresh->selectAll();
    QTest::keyClicks(refresh, QStringLiteral("1"));
    QTest::keyClick(refresh, Qt::Key_Return);
    QCOMPARE(timerOf(dialog)->interval(), 1000);
    writer.log(QsLogging::WarnLevel, QStringLiteral("second"));
    writer.log(QsLogging::InfoLevel, QStringLiteral("third"));
    QTRY_COMPARE_WITH_TIMEOUT(messages(dialog), (QStringList{"third", "second", "first"}), 20000);
    QVERIFY(timerOf(dialog)->isActive());

    // A file whose size did not change is not read again.
    child<QTableWidget>(&dialog, "tableWidgetLogs")->setRowCount(0);
    dialog.loadLogFile();
    QCOMPARE(messages(dialog), QStringList());
    writer.log(QsLogging::InfoLevel, QStringLiteral("fourth"));
    dialog.loadLogFile();
    QCOMPARE(messages(dialog).first(), QStringLiteral("fourth"));
    QCOMPARE(messages(dialog).size(), 4);
}

void tst_DialogLogs::anotherFileOfTheSameSizeIsRead()
{
    makeLogsFolder();
    const QByteArray older = " INFO 2012-03-15T14:05:09.123 \"older file\" \n";
    const QByteArray newer = " INFO 2013-01-02T03:04:05.678 \"newer file\" \n";
    QCOMPARE(older.size(), newer.size());
    QVERIFY(writeRaw(logPath(QStringLiteral("2012.03.15-14.05.09.log")), older));
    QVERIFY(writeRaw(logPath(QLatin1String(kRunFile)), newer));
    DialogLogs dialog;
    QCOMPARE(messages(dialog), QStringList{"newer file"});
    child<QComboBox>(&dialog, "comboBoxLogName")->setCurrentIndex(1);
    QCOMPARE(messages(dialog), QStringList{"older file"});
    QVERIFY(timerOf(dialog)->isActive());
}

void tst_DialogLogs::refreshInterval()
{
    makeLogsFolder();
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("line")});
    DialogLogs dialog;
    dialog.show();
    QLineEdit *refresh = child<QLineEdit>(&dialog, "lineEditRefreshTimeSecs");
    QTimer *timer = timerOf(dialog);

    // 0 is put back to the current value; so is an empty field.
    refresh->setFocus();
    refresh->selectAll();
    QTest::keyClicks(refresh, QStringLiteral("0"));
    QTest::keyClick(refresh, Qt::Key_Return);
    QCOMPARE(refresh->text(), QStringLiteral("5"));
    QCOMPARE(timer->interval(), 5000);
    refresh->clear();
    dialog.refreshTimeEditFinished();
    QCOMPARE(refresh->text(), QStringLiteral("5"));

    // 3 seconds: the timer restarts with 3000 ms, and the focus goes to the table.
    refresh->setFocus();
    refresh->selectAll();
    QTest::keyClicks(refresh, QStringLiteral("3"));
    QTest::keyClick(refresh, Qt::Key_Return);
    QCOMPARE(timer->interval(), 3000);
    QVERIFY(timer->isActive());
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.focusWidget(), child<QTableWidget>(&dialog, "tableWidgetLogs"));

    // Letters cannot be typed; the field takes one digit.
    refresh->setFocus();
    refresh->selectAll();
    QTest::keyClicks(refresh, QStringLiteral("a72"));
    QCOMPARE(refresh->text(), QStringLiteral("7"));
}

void tst_DialogLogs::processNewDataSwitch()
{
    makeLogsFolder();
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("line")});
    DialogLogs dialog;
    dialog.show();
    QCheckBox *processNewData = child<QCheckBox>(&dialog, "checkBoxProcessNewData");
    QLineEdit *refresh = child<QLineEdit>(&dialog, "lineEditRefreshTimeSecs");
    QVERIFY(timerOf(dialog)->isActive());

    processNewData->click();
    QVERIFY(!timerOf(dialog)->isActive());
    QVERIFY(!refresh->isEnabled());
    // Choosing another entry does not start it while the switch is off.
    child<QComboBox>(&dialog, "comboBoxLogName")->setCurrentIndex(0);
    QVERIFY(!timerOf(dialog)->isActive());

    processNewData->click();
    QVERIFY(timerOf(dialog)->isActive());
    QVERIFY(refresh->isEnabled());
}

void tst_DialogLogs::vanishedFileStopsTheRefresh()
{
    makeLogsFolder();
    writeInfoLog(QStringLiteral("2012.03.15-14.05.09.log"), {QStringLiteral("kept")});
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("current")});
    DialogLogs dialog;
    QCOMPARE(messages(dialog), QStringList{"current"});

    QVERIFY(QFile::remove(logPath(QLatin1String(kRunFile))));
    answerer->acceptNext();
    dialog.loadLogFile(); // one tick of the refresh
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(answerer->seen().at(0).icon, QMessageBox::Critical);
    QCOMPARE(answerer->seen().at(0).text,
             QStringLiteral("Log file not found: ") + logsFolder() + QDir::separator()
                 + QLatin1String(kRunFile));
    QVERIFY(!timerOf(dialog)->isActive());
    QCOMPARE(messages(dialog), QStringList{"current"}); // the table keeps its rows

    // Choosing a vanished file again says so once and leaves the refresh stopped, so the
    // message does not come back at every tick; choosing a file that exists restarts it.
    QComboBox *combo = child<QComboBox>(&dialog, "comboBoxLogName");
    combo->setCurrentIndex(1);
    QVERIFY(timerOf(dialog)->isActive());
    QCOMPARE(messages(dialog), QStringList{"kept"});
    answerer->acceptNext();
    combo->setCurrentIndex(0);
    QCOMPARE(answerer->answeredCount(), 2);
    QVERIFY(!timerOf(dialog)->isActive());
}

void tst_DialogLogs::deleteShownFile()
{
    makeLogsFolder();
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("current")});
    writeInfoLog(QStringLiteral("2012.03.15-14.05.09.log"), {QStringLiteral("older")});
    DialogLogs dialog;
    QComboBox *combo = child<QComboBox>(&dialog, "comboBoxLogName");
    combo->setCurrentIndex(1);

    QWidget *questionParent = &dialog;
    answerer->handleNext([&questionParent](QWidget *box) {
        questionParent = box->parentWidget();
        qobject_cast<QMessageBox *>(box)->button(QMessageBox::Cancel)->click();
    });
    child<QPushButton>(&dialog, "pushButtonDeleteLog")->click();
    const ModalAnswerer::Seen &question = answerer->seen().at(0);
    QCOMPARE(question.text, QStringLiteral("Delete current log file."));
    QCOMPARE(question.informativeText,
             QStringLiteral("Do you really want to delete the current log file?"));
    QCOMPARE(question.defaultButton, QMessageBox::Cancel);
    QCOMPARE(question.title, AppVersion::displayName());
    QVERIFY(questionParent == nullptr);
    QVERIFY(QFileInfo::exists(logPath(QStringLiteral("2012.03.15-14.05.09.log"))));
    QCOMPARE(combo->count(), 2);

    answerer->pressNext(QMessageBox::Ok);
    child<QPushButton>(&dialog, "pushButtonDeleteLog")->click();
    QVERIFY(!QFileInfo::exists(logPath(QStringLiteral("2012.03.15-14.05.09.log"))));
    QCOMPARE(comboFiles(combo), QStringList{kRunFile});
    QCOMPARE(messages(dialog), QStringList{"current"});
}

void tst_DialogLogs::runFileCannotBeDeleted()
{
    makeLogsFolder();
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("current")});
    writeInfoLog(QStringLiteral("2012.03.15-14.05.09.log"), {QStringLiteral("older")});
    DialogLogs dialog;
    answerer->acceptNext();
    child<QPushButton>(&dialog, "pushButtonDeleteLog")->click();
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(answerer->seen().at(0).icon, QMessageBox::Critical);
    QCOMPARE(answerer->seen().at(0).title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer->seen().at(0).text, QStringLiteral("Cannot delete current log file"));
    QVERIFY(QFileInfo::exists(logPath(QLatin1String(kRunFile))));
}

void tst_DialogLogs::deleteAllButTheRunFile_data()
{
    QTest::addColumn<QString>("runFile");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("left");

    const QStringList all{"2013.01.02-03.04.05.log", "2012.03.15-14.05.09.log",
                          "2011.12.31-23.59.59.log"};
    QTest::newRow("cancelled") << kRunFile << int(QMessageBox::Cancel) << all;
    QTest::newRow("this run's file kept") << "2012.03.15-14.05.09.log" << int(QMessageBox::Ok)
                                          << QStringList{"2012.03.15-14.05.09.log"};
    QTest::newRow("other letter case") << "2012.03.15-14.05.09.LOG" << int(QMessageBox::Ok)
                                       << QStringList{"2012.03.15-14.05.09.log"};
    // Logging off: this run has no file; the most recent one is kept, as the question says.
    QTest::newRow("no file for this run") << "2014.01.01-00.00.00.log" << int(QMessageBox::Ok)
                                          << QStringList{"2013.01.02-03.04.05.log"};
}

void tst_DialogLogs::deleteAllButTheRunFile()
{
    QFETCH(QString, runFile);
    QFETCH(int, answer);
    QFETCH(QStringList, left);

    makeLogsFolder();
    for (const char *name : {kRunFile, "2012.03.15-14.05.09.log", "2011.12.31-23.59.59.log"})
        writeInfoLog(QLatin1String(name), {QString::fromLatin1(name)});
    QVERIFY(writeRaw(logPath(QStringLiteral("notes.txt")), "not a log"));
    AppConfiguration::getInstance()->currentLogFile = runFile;
    DialogLogs dialog;

    answerer->pressNext(QMessageBox::StandardButton(answer));
    child<QPushButton>(&dialog, "pushButtonDeleteAllLogs")->click();
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(answerer->seen().at(0).text, QStringLiteral("Delete logs files."));
    QCOMPARE(answerer->seen().at(0).informativeText,
             QStringLiteral("Do you really want to delete all logs files (Except the last one)?"));
    QCOMPARE(answerer->seen().at(0).defaultButton, QMessageBox::Cancel);
    QCOMPARE(answerer->seen().at(0).title, AppVersion::displayName());

    QCOMPARE(comboFiles(child<QComboBox>(&dialog, "comboBoxLogName")), left);
    QStringList onDisk = QDir(logsFolder()).entryList({QStringLiteral("*.log")}, QDir::Files,
                                                      QDir::Name | QDir::Reversed);
    QCOMPARE(onDisk, left);
    QVERIFY(QFileInfo::exists(logPath(QStringLiteral("notes.txt"))));
}

void tst_DialogLogs::deleteAllWithOneFileDoesNothing()
{
    makeLogsFolder();
    writeInfoLog(QStringLiteral("2012.03.15-14.05.09.log"), {QStringLiteral("only")});
    DialogLogs dialog;
    QVERIFY(child<QPushButton>(&dialog, "pushButtonDeleteAllLogs")->isEnabled());
    child<QPushButton>(&dialog, "pushButtonDeleteAllLogs")->click();
    QCoreApplication::processEvents();
    QCOMPARE(answerer->answeredCount(), 0);
    QVERIFY(QFileInfo::exists(logPath(QStringLiteral("2012.03.15-14.05.09.log"))));
}

void tst_DialogLogs::loggingOffNoticeOnlyOnce()
{
    makeLogsFolder();
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("line")});
    AppConfiguration::getInstance()->logLevel = QsLogging::OffLevel;
    DialogLogs dialog;
    answerer->acceptNext();
    dialog.show();
    QVERIFY(answerer->waitForAnswered(1));
    QCOMPARE(answerer->seen().at(0).icon, QMessageBox::Information);
    QCOMPARE(answerer->seen().at(0).title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer->seen().at(0).text,
             QStringLiteral("Logs are not enabled.\nIf you want to activate this functionnality "
                            "you have to enable it via the configuration of the application."));
    QVERIFY(dialog.isVisible());
    QCOMPARE(messages(dialog), QStringList{"line"});

    child<QDialogButtonBox>(&dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
    dialog.reopen();
    dialog.show();
    QCoreApplication::processEvents();
    QCOMPARE(answerer->answeredCount(), 1);
}

void tst_DialogLogs::keysDoNotCloseTheViewer()
{
    makeLogsFolder();
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("line")});
    DialogLogs dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(child<QTableWidget>(&dialog, "tableWidgetLogs"), Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(child<QTableWidget>(&dialog, "tableWidgetLogs"), Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QLineEdit *refresh = child<QLineEdit>(&dialog, "lineEditRefreshTimeSecs");
    refresh->setFocus();
    QTest::keyClick(refresh, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
}

void tst_DialogLogs::okHidesAndReopenRestarts()
{
    makeLogsFolder();
    writeInfoLog(QLatin1String(kRunFile), {QStringLiteral("line")});
    DialogLogs dialog;
    dialog.show();
    QVERIFY(timerOf(dialog)->isActive());

    child<QDialogButtonBox>(&dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(!timerOf(dialog)->isActive());
    // While closed, a new interval is not taken.
    QLineEdit *refresh = child<QLineEdit>(&dialog, "lineEditRefreshTimeSecs");
    refresh->setText(QStringLiteral("2"));
    dialog.refreshTimeEditFinished();
    QCOMPARE(timerOf(dialog)->interval(), 5000);

    dialog.reopen();
    dialog.show();
    QCOMPARE(refresh->text(), QStringLiteral("5"));
    QVERIFY(timerOf(dialog)->isActive());

    // The window's close button hides it the same way.
    dialog.close();
    QVERIFY(!dialog.isVisible());
    QVERIFY(!timerOf(dialog)->isActive());
    dialog.reopen();
    dialog.show();
    QVERIFY(timerOf(dialog)->isActive());
}

QTEST_MAIN(tst_DialogLogs)
#include "tst_DialogLogs.moc"
