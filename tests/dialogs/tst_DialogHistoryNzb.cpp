#include "DialogTestSupport.h"
#include "FileSizeLimit.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "dialogs/DialogHistoryNzb.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

const char kStampFormat[] = "yyyyMMddhhmmsszzz";

QString fixture(const QString &name)
{
    return QStringLiteral(TQ_TEST_DATA "/nzb/") + name;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray holidayNzb()
{
    return readAll(fixture(QStringLiteral("history_holiday.nzb")));
}

// An NZB document with one single-segment file per subject.
QByteArray nzbOf(const QStringList &subjects)
{
    QByteArray document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
    int id = 0;
    for (const QString &subject : subjects) {
        QString escaped = subject.toHtmlEscaped();
        document += "<file poster=\"p@test.invalid\" date=\"1700000000\" subject=\"" + escaped.toUtf8()
                    + "\"><groups><group>alt.binaries.test</group></groups><segments><segment bytes=\"100\" number=\"1\">"
                    + QByteArray::number(++id) + "@test.invalid</segment></segments></file>\n";
    }
    return document + "</nzb>\n";
}

// Writes a history entry as the store names it, added (and last modified) at `stamp`: the
// list shows the newest modification first.
QString addRawEntry(const QString &name, const QDateTime &stamp, const QByteArray &content)
{
    const QString path = AppConfiguration::getHistoNzbFolder() + QLatin1Char('/') + name + QLatin1Char('.')
                         + stamp.toString(QLatin1String(kStampFormat)) + QStringLiteral(".tvz");
    if (!writeFile(path, content))
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(stamp, QFileDevice::FileModificationTime))
        return QString();
    return path;
}

QString addEntry(const QString &name, const QDateTime &stamp, const QByteArray &nzb = holidayNzb())
{
    return addRawEntry(name, stamp, qCompress(nzb));
}

// An entry added `minutes` ago: in the past and inside the window's default range (the last
// month) whatever the hour, so that the newest-first order is the one the times give.
QDateTime minutesAgo(int minutes)
{
    return QDateTime::currentDateTime().addSecs(-60 * minutes);
}

// A moment of today that has passed, also just after midnight.
QDateTime earlierToday()
{
    const QDateTime now = QDateTime::currentDateTime();
    return qMax(now.addSecs(-60), QDate::currentDate().startOfDay());
}

QStringList subjectsIn(const QString &nzbPath)
{
    QString error;
    const std::unique_ptr<NzbFiles> nzb(NzbParser::parseFile(nzbPath, error));
    QStringList subjects;
    if (nzb) {
        for (const NzbFile *file : nzb->getFiles())
            subjects << file->getSubject();
    }
    return subjects;
}

QString holidaySubject(const QString &fileName, int number)
{
    return QStringLiteral("Holiday [%1/5] - \"%2\" yEnc (1/%3)").arg(number).arg(fileName).arg(number == 1 ? 2 : 1);
}

QStringList columnTexts(const QTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

// Where the view draws the check box of a row's first cell.
QPoint checkBoxCentre(QTableWidget *table, int row)
{
    QTableWidgetItem *item = table->item(row, 0);
    QStyleOptionViewItem option;
    option.initFrom(table->viewport());
    option.rect = table->visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.checkState = item->checkState();
    option.text = item->text();
    option.widget = table;
    return table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table).center();
}

} // namespace

class tst_DialogHistoryNzb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void init()
    {
        home.reset(new GuiTestHome);
        QVERIFY(home->isValid());
        resetConfiguration();
        AppConfiguration *configuration = AppConfiguration::getInstance();
        configuration->autoSaveHistoNzb = true;
        configuration->cacheFolder = home->path() + QStringLiteral("/Cache");
    }

    void cleanup()
    {
        window.reset();
        home.reset();
    }

    void formIsLaidOutAsDesigned()
    {
        open();
        QCOMPARE(window->objectName(), QStringLiteral("DialogHistoryNzb"));
        QCOMPARE(window->windowTitle(), QStringLiteral("NZB history"));
        QCOMPARE(window->font().family(), QStringLiteral("Arial"));
        QVERIFY(!window->windowIcon().isNull());

        struct Expected
        {
            const char *name;
            const char *className;
            QString text;
            QString toolTip;
            bool enabled;
        };
        const QList<Expected> widgets = {
            {"label", "QLabel", "From :", "", true},
            {"dateEditFrom", "QDateEdit", "", "", true},
            {"pushButtonPopupFrom", "QPushButton", "...", "Popup \"From\" calendar", true},
            {"label_2", "QLabel", "To :", "", true},
            {"dateEditTo", "QDateEdit", "", "", true},
            {"pushButtonPopupTo", "QPushButton", "...", "Popup \"To\" calendar", true},
            {"label_3", "QLabel", "Name :", "", true},
            {"lineEditNameFilter", "QLineEdit", "", "Filter by name", true},
            {"pushButtonRefresh", "QPushButton", "Refresh", "Refresh NZB list", true},
            {"tableWidgetListNzb", "QTableWidget", "", "", true},
            {"pushButtonDeleteSelNzb", "QPushButton", "Delete selected NZB", "Delete selected NZB", false},
            {"pushButtonDeleteAllNzbHisto", "QPushButton", "Delete all history", "Delete all history", true},
            {"tableWidgetListNzbFiles", "QTableWidget", "", "", true},
            {"groupBox", "QGroupBox", "Informations", "", true},
            {"labelInfosTotalSize", "QLabel", "Size : 0 KiB", "", true},
            {"labelInfosNbFilesSelected", "QLabel", "Selected files : 0", "", true},
            {"checkBoxSelectAllFiles", "QCheckBox", "Select all files", "", false},
            {"pushButtonExportNzb", "QPushButton", "Export to NZB", "Export selected files to NZB", false},
            {"pushButtonDownload", "QPushButton", "Download selection", "Download selected files", false},
        };
        for (const Expected &expected : widgets) {
            QWidget *widget = window->findChild<QWidget *>(QLatin1String(expected.name));
            QVERIFY2(widget, expected.name);
            QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), QString::fromLatin1(expected.className));
            QString text;
            if (auto *label = qobject_cast<QLabel *>(widget))
                text = label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                text = button->text();
            else if (auto *group = qobject_cast<QGroupBox *>(widget))
                text = group->title();
            QCOMPARE(text, expected.text);
            QCOMPARE(widget->toolTip(), expected.toolTip);
            QCOMPARE(widget->isEnabled(), expected.enabled);
        }
        for (const char *name : {"pushButtonRefresh", "pushButtonDeleteSelNzb", "pushButtonDeleteAllNzbHisto",
                                 "pushButtonExportNzb", "pushButtonDownload"})
            QVERIFY2(!button(name)->icon().isNull(), name);
        QVERIFY(checkBox()->isChecked());
        QVERIFY(!dateEdit("dateEditFrom")->calendarPopup());
        QCOMPARE(dateEdit("dateEditTo")->timeSpec(), Qt::LocalTime);

        QTableWidget *list = historyTable();
        QCOMPARE(columnHeaders(list), QStringList({"Date added", "Download name"}));
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(list->isSortingEnabled());
        QTableWidget *files = filesTable();
        QCOMPARE(columnHeaders(files), QStringList({"File name", "Size (KiB)"}));
        QCOMPARE(files->horizontalHeaderItem(1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(files->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(!files->isSortingEnabled());
        for (QTableWidget *table : {list, files}) {
            QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
            QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
            QVERIFY(table->horizontalHeader()->stretchLastSection());
            QVERIFY(!table->verticalHeader()->isVisible());
            QVERIFY(table->styleSheet().contains(QLatin1String("background-image")));
        }
        WidgetPicture::save(window.get(), QStringLiteral("DialogHistoryNzb_empty"));
    }

    void dateFormatsAndDefaultRange_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("format");
        QTest::newRow("English") << "en" << "MM/dd/yyyy";
        QTest::newRow("French") << "fr" << "dd/MM/yyyy";
        QTest::newRow("English of a region") << "en_GB" << "dd/MM/yyyy";
    }

    void dateFormatsAndDefaultRange()
    {
        QFETCH(QString, language);
        QFETCH(QString, format);
        AppConfiguration::getInstance()->languageName = language;
        addEntry(QStringLiteral("Holiday"), QDateTime(QDate(2011, 3, 5), QTime(14, 7, 9, 5)));
        open();
        QDateEdit *from = dateEdit("dateEditFrom");
        QDateEdit *to = dateEdit("dateEditTo");
        QCOMPARE(from->displayFormat(), format);
        QCOMPARE(to->displayFormat(), format);
        QCOMPARE(to->date(), QDate::currentDate());
        QCOMPARE(from->date(), QDate::currentDate().addMonths(-1));
        QCOMPARE(from->maximumDate(), to->date());
        QCOMPARE(to->minimumDate(), from->date());

        showRange(QDate(2011, 3, 1), QDate(2011, 3, 31));
        QCOMPARE(columnTexts(historyTable(), 0), QStringList({"05/03/2011 14:07:09"}));
    }

    void browsesByDateAndName()
    {
        addEntry(QStringLiteral("Holiday.Pictures"), QDateTime(QDate(2011, 2, 20), QTime(0, 0)));
        addEntry(QStringLiteral("Holiday.Videos"), QDateTime(QDate(2011, 3, 31), QTime(23, 59, 59, 999)));
        addEntry(QStringLiteral("Before"), QDateTime(QDate(2011, 2, 19), QTime(23, 59, 59, 999)));
        addEntry(QStringLiteral("After"), QDateTime(QDate(2011, 4, 1), QTime(0, 0)));
        addEntry(QStringLiteral("Report 2011"), QDateTime(QDate(2011, 2, 25), QTime(12, 0)));
        addEntry(QStringLiteral("Nothing"), QDateTime(QDate(2011, 3, 5), QTime(12, 0)));
        open();
        QCOMPARE(historyTable()->rowCount(), 0); // all older than a month

        // Both bounds count; the newest first as listed.
        showRange(QDate(2011, 2, 20), QDate(2011, 3, 31));
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Holiday.Videos", "Nothing", "Report 2011", "Holiday.Pictures"}));
        QCOMPARE(columnTexts(historyTable(), 0),
                 QStringList({"31/03/2011 23:59:59", "05/03/2011 12:00:00", "25/02/2011 12:00:00", "20/02/2011 00:00:00"}));

        // Sorted by "Date added", the order is the dates', not their texts' (which begin with the day).
        QHeaderView *header = historyTable()->horizontalHeader();
        const QPoint dateHeader(header->sectionViewportPosition(0) + 5, 5);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, dateHeader);
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Holiday.Pictures", "Report 2011", "Nothing", "Holiday.Videos"}));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, dateHeader);
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Holiday.Videos", "Nothing", "Report 2011", "Holiday.Pictures"}));

        QTest::keyClicks(lineEdit(), QStringLiteral("holiday"));
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Holiday.Videos", "Holiday.Pictures"}));
        lineEdit()->clear();
        QTest::keyClicks(lineEdit(), QStringLiteral("2011"));
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Report 2011"}));

        lineEdit()->setFocus();
        lineEdit()->clear();
        QCOMPARE(window->focusWidget(), dateEdit("dateEditFrom"));
        QCOMPARE(historyTable()->rowCount(), 4);

        // Refresh lists the folder again.
        addEntry(QStringLiteral("Late"), QDateTime(QDate(2011, 3, 1), QTime(8, 0)));
        QCOMPARE(historyTable()->rowCount(), 4);
        QTest::mouseClick(button("pushButtonRefresh"), Qt::LeftButton);
        QCOMPARE(historyTable()->rowCount(), 5);
    }

    void showsAnEntryAndTakesTheTicksAsShown()
    {
        addEntry(QStringLiteral("Holiday.Pictures"), minutesAgo(1));
        open();
        QCOMPARE(historyTable()->rowCount(), 1);
        clickEntry(0);

        QTableWidget *files = filesTable();
        QCOMPARE(columnTexts(files, 0), QStringList({"Holiday.Pictures.par2", "Holiday.Pictures.part01.rar",
                                                     "Holiday.Pictures.part02.rar", "Holiday.Pictures.nfo",
                                                     "Holiday.Pictures.vol00+01.par2"}));
        QCOMPARE(columnTexts(files, 1), QStringList({"2", "976", "0", "0", "50"}));
        QCOMPARE(files->item(1, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
        for (int row = 0; row < files->rowCount(); ++row)
            QCOMPARE(files->item(row, 0)->checkState(), Qt::Checked);
        expectSelection(5, "1 MiB");
        QVERIFY(checkBox()->isChecked() && checkBox()->isEnabled());
        QVERIFY(button("pushButtonDeleteSelNzb")->isEnabled());

        // The mouse on a check box.
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, checkBoxCentre(files, 1));
        QCOMPARE(files->item(1, 0)->checkState(), Qt::Unchecked);
        expectSelection(4, "53 KiB");

        // The space key on the current row.
        files->setFocus();
        files->setCurrentCell(3, 0);
        QTest::keyClick(files, Qt::Key_Space);
        QCOMPARE(files->item(3, 0)->checkState(), Qt::Unchecked);
        expectSelection(3, "52 KiB");

        // A click on the entry already shown keeps the ticks.
        clickEntry(0);
        QCOMPARE(files->item(1, 0)->checkState(), Qt::Unchecked);
        WidgetPicture::save(window.get(), QStringLiteral("DialogHistoryNzb"));

        // Download and export take exactly the ticked files.
        const QStringList ticked = {holidaySubject("Holiday.Pictures.par2", 3), holidaySubject("Holiday.Pictures.part02.rar", 2),
                                    holidaySubject("Holiday.Pictures.vol00+01.par2", 4)};
        QSignalSpy spy(window.get(), &DialogHistoryNzb::historyNzbToDownload);
        QTest::mouseClick(button("pushButtonDownload"), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(subjectsIn(spy.first().first().toString()), ticked);

        // Select all, off and on.
        QTest::mouseClick(checkBox(), Qt::LeftButton);
        expectSelection(0, "0 KiB");
        QVERIFY(!button("pushButtonExportNzb")->isEnabled() && !button("pushButtonDownload")->isEnabled());
        QTest::mouseClick(checkBox(), Qt::LeftButton);
        expectSelection(5, "1 MiB");

        // A new filter forgets the entry; a click shows it again from scratch.
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, checkBoxCentre(files, 0));
        QTest::keyClicks(lineEdit(), QStringLiteral("Holi"));
        QCOMPARE(files->rowCount(), 0);
        expectSelection(0, "0 KiB");
        QVERIFY(!button("pushButtonDeleteSelNzb")->isEnabled());
        clickEntry(0);
        QCOMPARE(files->rowCount(), 5);
        QCOMPARE(files->item(0, 0)->checkState(), Qt::Checked);
        expectSelection(5, "1 MiB");
    }

    void exportWritesTheTickedFiles()
    {
        addEntry(QStringLiteral("Holiday.Pictures"), minutesAgo(1));
        open();
        clickEntry(0);
        QTableWidget *files = filesTable();
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, checkBoxCentre(files, 0));
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, checkBoxCentre(files, 4));
        QTemporaryDir target;

        {
            ModalAnswerer answerer;
            answerer.chooseFileNext(target.filePath(QStringLiteral("chosen")));
            QTest::mouseClick(button("pushButtonExportNzb"), Qt::LeftButton);
            QCOMPARE(answerer.seen().first().title, QStringLiteral("Save NZB File"));
        }
        QCOMPARE(subjectsIn(target.filePath(QStringLiteral("chosen.nzb"))),
                 QStringList({holidaySubject("Holiday.Pictures.part01.rar", 1), holidaySubject("Holiday.Pictures.part02.rar", 2),
                              holidaySubject("Holiday.Pictures.nfo", 5)}));

        {
            ModalAnswerer answerer;
            answerer.rejectNext();
            QTest::mouseClick(button("pushButtonExportNzb"), Qt::LeftButton);
            QCOMPARE(answerer.answeredCount(), 1);
        }
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList({"chosen.nzb"}));

        // A write that fails is reported, and nothing is left.
        {
            ModalAnswerer answerer;
            answerer.chooseFileNext(target.filePath(QStringLiteral("full.nzb")));
            answerer.pressNext(QMessageBox::Ok);
            {
                FileSizeLimit limit(64);
                QVERIFY(limit.active);
                QTest::mouseClick(button("pushButtonExportNzb"), Qt::LeftButton);
            }
            QCOMPARE(answerer.answeredCount(), 2);
            QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Error"));
            QCOMPARE(answerer.seen().at(1).icon, QMessageBox::Critical);
            QCOMPARE(answerer.seen().at(1).text,
                     QStringLiteral("Failed to write NZB file %1").arg(target.filePath(QStringLiteral("full.nzb"))));
        }
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"chosen.nzb"}));
    }

    void downloadFileNames_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("quoted file name") << "[1/3] - \"Holiday.Pictures.par2\" yEnc (1/1)" << "Holiday.Pictures.nzb";
        QTest::newRow("no quote, no full stop") << "AC/DC Live" << "ACDC Live.nzb";
        QTest::newRow("first 50 characters")
            << "[1/2] \"A very long name that goes well beyond fifty characters in all.part01.rar\" yEnc"
            << "A very long name that goes well beyond fifty chara.nzb";
        QTest::newRow("forbidden characters") << "\"what?<now>|then*.rar\"" << "whatnowthen.nzb";
        QTest::newRow("long name without full stop") << QString(300, QLatin1Char('y')) << QString(251, QLatin1Char('y')) + ".nzb";
    }

    void downloadFileNames()
    {
        QFETCH(QString, subject);
        QFETCH(QString, fileName);
        // The second file sorts after the first, whose subject names the file.
        addEntry(QStringLiteral("Entry"), minutesAgo(1), nzbOf({subject, QStringLiteral("zz.bin")}));
        open();
        clickEntry(0);
        QSignalSpy spy(window.get(), &DialogHistoryNzb::historyNzbToDownload);
        QTest::mouseClick(button("pushButtonDownload"), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        // In a folder of its own inside the NZB folder, so that it replaces no file there.
        const QString path = spy.first().first().toString();
        const QFileInfo written(path);
        QCOMPARE(written.fileName(), fileName);
        QCOMPARE(QFileInfo(written.absolutePath()).absolutePath(), home->path() + QStringLiteral("/Cache/NZB"));
        QCOMPARE(subjectsIn(path).size(), 2);
    }

    void downloadFailuresAreReportedAndNothingIsHandedOn()
    {
        addEntry(QStringLiteral("Holiday.Pictures"), minutesAgo(2));
        addEntry(QStringLiteral("Empty"), minutesAgo(1), nzbOf({}));
        QVERIFY(writeFile(home->path() + QStringLiteral("/plain"), "a file, not a folder"));
        AppConfiguration::getInstance()->cacheFolder = home->path() + QStringLiteral("/plain");
        open();
        QSignalSpy spy(window.get(), &DialogHistoryNzb::historyNzbToDownload);
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Empty", "Holiday.Pictures"}));

        clickEntry(1);
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::Ok);
            QTest::mouseClick(button("pushButtonDownload"), Qt::LeftButton);
            QCOMPARE(answerer.seen().first().text,
                     QStringLiteral("Failed to write NZB file %1").arg(home->path() + QStringLiteral("/plain/NZB/Holiday.Pictures.nzb")));
        }

        clickEntry(0);
        QCOMPARE(filesTable()->rowCount(), 0);
        QVERIFY(!button("pushButtonDownload")->isEnabled() && !button("pushButtonExportNzb")->isEnabled());
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::Ok);
            window->slotDownloadSelection();
            QCOMPARE(answerer.seen().first().title, QStringLiteral("Error"));
            QCOMPARE(answerer.seen().first().text,
                     QStringLiteral("The NZB you wish to download does not contain any file to download"));
        }
        QCOMPARE(spy.count(), 0);
    }

    void deletesTheSelectedEntryOrAll()
    {
        const QString first = addEntry(QStringLiteral("First"), minutesAgo(1));
        const QString second = addEntry(QStringLiteral("Second"), minutesAgo(2));
        const QString old = addEntry(QStringLiteral("Old"), QDateTime(QDate(2001, 1, 1), QTime(12, 0)));
        open();
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"First", "Second"}));
        clickEntry(0);
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::No);
            QTest::mouseClick(button("pushButtonDeleteSelNzb"), Qt::LeftButton);
            const ModalAnswerer::Seen &seen = answerer.seen().first();
            QCOMPARE(seen.title, QStringLiteral("Tessaquill+"));
            QCOMPARE(seen.text, QStringLiteral("Do you really want to delete the selected NZB?"));
            QCOMPARE(seen.icon, QMessageBox::Information);
            QCOMPARE(seen.defaultButton, QMessageBox::No);
        }
        QVERIFY(QFile::exists(first));

        // The selected row counts, even when the keyboard moved it away from the entry shown.
        historyTable()->setFocus();
        QTest::keyClick(historyTable(), Qt::Key_Down);
        QCOMPARE(historyTable()->currentRow(), 1);
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::Yes);
            QTest::mouseClick(button("pushButtonDeleteSelNzb"), Qt::LeftButton);
        }
        QVERIFY(QFile::exists(first));
        QVERIFY(!QFile::exists(second));
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"First"}));
        QCOMPARE(filesTable()->rowCount(), 0);

        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::No);
            QTest::mouseClick(button("pushButtonDeleteAllNzbHisto"), Qt::LeftButton);
            QCOMPARE(answerer.seen().first().text, QStringLiteral("Do you really want to delete all your NZB history?"));
            QCOMPARE(answerer.seen().first().defaultButton, QMessageBox::No);
        }
        QVERIFY(QFile::exists(first) && QFile::exists(old));
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::Yes);
            QTest::mouseClick(button("pushButtonDeleteAllNzbHisto"), Qt::LeftButton);
        }
        QVERIFY(!QFile::exists(first));
        QVERIFY(!QFile::exists(old)); // outside the range shown
        QCOMPARE(historyTable()->rowCount(), 0);
    }

    void aBrokenEntryLeavesNothingToActOn()
    {
        addEntry(QStringLiteral("Good"), minutesAgo(2));
        const QString broken = addRawEntry(QStringLiteral("Broken"), minutesAgo(1), "this is no compressed NZB");
        QVERIFY(!broken.isEmpty());
        open();
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Broken", "Good"}));
        clickEntry(1);
        QCOMPARE(filesTable()->rowCount(), 5);

        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::Ok);
            clickEntry(0);
            QCOMPARE(answerer.answeredCount(), 1);
            const ModalAnswerer::Seen &seen = answerer.seen().first();
            QCOMPARE(seen.title, QStringLiteral("Error"));
            QCOMPARE(seen.icon, QMessageBox::Critical);
            QCOMPARE(seen.text, QStringLiteral("Error : NZB History file %1: data is corrupt").arg(broken));
        }
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(filesTable()->rowCount(), 0);
        expectSelection(0, "0 KiB");
        QVERIFY(!button("pushButtonExportNzb")->isEnabled());
        QVERIFY(!button("pushButtonDownload")->isEnabled());
        QVERIFY(!checkBox()->isEnabled());
        QVERIFY(button("pushButtonDeleteSelNzb")->isEnabled());
        WidgetPicture::save(window.get(), QStringLiteral("DialogHistoryNzb_broken"));

        // The earlier entry is gone: nothing to export or download, and no second error box.
        {
            QSignalSpy spy(window.get(), &DialogHistoryNzb::historyNzbToDownload);
            ModalAnswerer answerer;
            answerer.rejectNext();
            window->slotExportToNzb();
            window->slotDownloadSelection();
            clickEntry(0);
            QCOMPARE(answerer.answeredCount(), 0);
            QCOMPARE(spy.count(), 0);
        }

        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::Yes);
            QTest::mouseClick(button("pushButtonDeleteSelNzb"), Qt::LeftButton);
        }
        QVERIFY(!QFile::exists(broken));
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Good"}));
    }

    void offersToSwitchTheHistoryOn()
    {
        AppConfiguration *configuration = AppConfiguration::getInstance();
        configuration->autoSaveHistoNzb = false;
        window.reset(new DialogHistoryNzb);
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::No);
            window->show();
            QVERIFY(answerer.waitForAnswered(1));
            const ModalAnswerer::Seen &seen = answerer.seen().first();
            QCOMPARE(seen.title, QStringLiteral("Tessaquill+"));
            QCOMPARE(seen.text, QStringLiteral("Automatic save of your NZB history is not activated. Do you wish to activate it right now ?"));
            QCOMPARE(seen.icon, QMessageBox::Information);
            QCOMPARE(seen.defaultButton, QMessageBox::No);
        }
        QVERIFY(!configuration->autoSaveHistoNzb);
        window->hide();
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::Yes);
            window->show();
            QVERIFY(answerer.waitForAnswered(1));
        }
        QVERIFY(configuration->autoSaveHistoNzb);
        QCOMPARE(storedValue(QStringLiteral("Auto"), QStringLiteral("AutoSaveHistoNzb")), QStringLiteral("1"));
        window->hide();
        {
            ModalAnswerer answerer;
            answerer.pressNext(QMessageBox::No);
            window->show();
            QCOMPARE(answerer.answeredCount(), 0);
        }
    }

    void aSwitchThatCannotBeSavedIsReported()
    {
        AppConfiguration::getInstance()->autoSaveHistoNzb = false;
        QVERIFY(writeFile(home->dataFolder(), "a file where the data folder belongs"));
        window.reset(new DialogHistoryNzb);
        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Yes);
        answerer.pressNext(QMessageBox::Ok);
        window->show();
        QCOMPARE(answerer.answeredCount(), 2);
        QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Error"));
        QCOMPARE(answerer.seen().at(1).icon, QMessageBox::Critical);
        QVERIFY(answerer.seen().at(1).text.contains(AppConfiguration::getInstance()->lastError));
        QVERIFY(AppConfiguration::getInstance()->autoSaveHistoNzb); // for this run at least
    }

    void picksDatesWithTheCalendar()
    {
        addEntry(QStringLiteral("Holiday.Pictures"), earlierToday());
        addEntry(QStringLiteral("Last year"), earlierToday().addYears(-1));
        open();
        window->move(40, 30);
        QDateEdit *from = dateEdit("dateEditFrom");
        QDateEdit *to = dateEdit("dateEditTo");
        const QDate today = QDate::currentDate();

        // Home moves a year back: the list now reaches last year's entry.
        QPoint calendarPlace;
        {
            ModalAnswerer answerer;
            answerer.handleNext([&calendarPlace](QWidget *calendar) {
                calendarPlace = calendar->pos();
                QTest::keyClick(calendar, Qt::Key_Home);
                QTest::keyClick(calendar, Qt::Key_Return);
            });
            QTest::mouseClick(button("pushButtonPopupFrom"), Qt::LeftButton);
            QCOMPARE(answerer.seen().first().className, QStringLiteral("PopupCalendar"));
        }
        QCOMPARE(calendarPlace, from->mapToGlobal(QPoint(0, from->height())));
        QCOMPARE(from->date(), today.addMonths(-1).addYears(-1));
        QCOMPARE(window->focusWidget(), from);
        QCOMPARE(historyTable()->rowCount(), 2);

        // A "From" later than "To" becomes "To".
        {
            ModalAnswerer answerer;
            answerer.handleNext([](QWidget *calendar) {
                QTest::keyClick(calendar, Qt::Key_End);
                QTest::keyClick(calendar, Qt::Key_End);
                QTest::keyClick(calendar, Qt::Key_Return);
            });
            QTest::mouseClick(button("pushButtonPopupFrom"), Qt::LeftButton);
        }
        QCOMPARE(from->date(), to->date());
        QCOMPARE(columnTexts(historyTable(), 1), QStringList({"Holiday.Pictures"}));

        // A "To" earlier than "From" becomes "From".
        {
            ModalAnswerer answerer;
            answerer.handleNext([](QWidget *calendar) {
                QTest::keyClick(calendar, Qt::Key_PageUp);
                QTest::keyClick(calendar, Qt::Key_Escape); // the opening date
            });
            QTest::mouseClick(button("pushButtonPopupTo"), Qt::LeftButton);
        }
        QCOMPARE(to->date(), today);
        {
            ModalAnswerer answerer;
            answerer.handleNext([](QWidget *calendar) {
                QTest::keyClick(calendar, Qt::Key_PageUp);
                QTest::keyClick(calendar, Qt::Key_Space);
            });
            QTest::mouseClick(button("pushButtonPopupTo"), Qt::LeftButton);
        }
        QCOMPARE(to->date(), from->date());
        QCOMPARE(window->focusWidget(), to);
    }

    void sizeTexts_data()
    {
        QTest::addColumn<double>("kib");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0 KiB";
        QTest::newRow("just below a MiB") << 1023.996 << "1024 KiB";
        QTest::newRow("one and a half MiB") << 1536.0 << "1.5 MiB";
        QTest::newRow("one GiB") << 1048576.0 << "1 GiB";
        QTest::newRow("two TiB") << 2147483648.0 << "2 TiB";
    }

    void sizeTexts()
    {
        QFETCH(double, kib);
        QFETCH(QString, text);
        QCOMPARE(DialogHistoryNzb::formatSize(kib), text);
    }

private:
    void open()
    {
        window.reset(new DialogHistoryNzb);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void showRange(const QDate &from, const QDate &to)
    {
        dateEdit("dateEditFrom")->setDate(from);
        dateEdit("dateEditTo")->setDate(to);
        QCOMPARE(dateEdit("dateEditFrom")->date(), from);
    }

    void clickEntry(int row)
    {
        QTableWidget *table = historyTable();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(row, 1)).center());
    }

    void expectSelection(int count, const QString &size)
    {
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("labelInfosNbFilesSelected"))->text(),
                 QStringLiteral("Selected files : %1").arg(count));
        QCOMPARE(window->findChild<QLabel *>(QStringLiteral("labelInfosTotalSize"))->text(), QStringLiteral("Size : ") + size);
        QCOMPARE(button("pushButtonExportNzb")->isEnabled(), count != 0);
        QCOMPARE(button("pushButtonDownload")->isEnabled(), count != 0);
    }

    static QStringList columnHeaders(const QTableWidget *table)
    {
        QStringList headers;
        for (int column = 0; column < table->columnCount(); ++column)
            headers << table->horizontalHeaderItem(column)->text();
        return headers;
    }

    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(QLatin1String(name)); }
    QDateEdit *dateEdit(const char *name) const { return window->findChild<QDateEdit *>(QLatin1String(name)); }
    QLineEdit *lineEdit() const { return window->findChild<QLineEdit *>(QStringLiteral("lineEditNameFilter")); }
    QCheckBox *checkBox() const { return window->findChild<QCheckBox *>(QStringLiteral("checkBoxSelectAllFiles")); }
    QTableWidget *historyTable() const { return window->findChild<QTableWidget *>(QStringLiteral("tableWidgetListNzb")); }
    QTableWidget *filesTable() const { return window->findChild<QTableWidget *>(QStringLiteral("tableWidgetListNzbFiles")); }

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<DialogHistoryNzb> window;
};

QTEST_MAIN(tst_DialogHistoryNzb)
#include "tst_DialogHistoryNzb.moc"
