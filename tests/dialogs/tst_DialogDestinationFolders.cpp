#include "dialogs/DialogDestinationFolders.h"
#include "dialogs/DialogDestinationFoldersAddModify.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"

#include "DialogTestSupport.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using Destinations = QHash<QString, QString>;

namespace {

QTableWidget *tableOf(QWidget &editor)
{
    return editor.findChild<QTableWidget *>(QStringLiteral("tableWidgetDestinations"));
}

// The rows as "label=path", top to bottom.
QStringList rows(QWidget &editor)
{
    QStringList result;
    const QTableWidget *table = tableOf(editor);
    for (int row = 0; row < table->rowCount(); ++row)
        result << table->item(row, 0)->text() + QLatin1Char('=') + table->item(row, 1)->text();
    return result;
}

void selectLabel(QWidget &editor, const QString &label)
{
    QTableWidget *table = tableOf(editor);
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() == label)
            table->selectRow(row);
    }
}

void click(QWidget &editor, const char *button)
{
    editor.findChild<QPushButton *>(QLatin1String(button))->click();
}

// Answers the next entry dialog: types the label and the path, presses Ok and, when the entry
// was refused (the refusal box needs an answer of its own, queued after this one), Cancel.
// The typing runs from the dialog's own event loop, so that the refusal box can be answered.
void answerEntry(ModalAnswerer &answerer, const QString &label, const QString &path)
{
    answerer.handleNext([label, path](QWidget *window) {
        QTimer::singleShot(0, window, [window, label, path] {
            window->findChild<QLineEdit *>(QStringLiteral("lineEditLabel"))->setText(label);
            window->findChild<QLineEdit *>(QStringLiteral("lineEditPath"))->setText(path);
            clickButtonBox(window, QDialogButtonBox::Ok);
            if (window->isVisible())
                clickButtonBox(window, QDialogButtonBox::Cancel);
        });
    });
}

// The destinations of the configuration file, as "label=path" sorted.
QStringList storedDestinations()
{
    QStringList result;
    const QDomElement group = readConfigurationFile().documentElement().firstChildElement(QStringLiteral("Destinations"));
    for (QDomElement entry = group.firstChildElement(QStringLiteral("Destination")); !entry.isNull();
         entry = entry.nextSiblingElement(QStringLiteral("Destination")))
        result << entry.firstChildElement(QStringLiteral("Label")).text() + QLatin1Char('=')
                      + entry.firstChildElement(QStringLiteral("Path")).text();
    result.sort();
    return result;
}

Destinations &configured()
{
    return AppConfiguration::getInstance()->destinationConfiguration.destinations;
}

} // namespace

class tst_DialogDestinationFolders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void tableListsTheDestinationsByLabel()
    {
        GuiTestHome home;
        resetConfiguration();
        configured() = {{"Series", "/srv/series"}, {"Movies", "/srv/movies"}, {"Music", "/srv/music"}};
        DialogDestinationFolders editor;
        QCOMPARE(rows(editor), QStringList({"Movies=/srv/movies", "Music=/srv/music", "Series=/srv/series"}));

        QCOMPARE(editor.windowTitle(), QStringLiteral("Destination folders"));
        QCOMPARE(editor.minimumSize(), QSize(600, 480));
        QTableWidget *table = tableOf(editor);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Label"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Path"));
        QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(table->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(table->isSortingEnabled());
        QVERIFY(!table->verticalHeader()->isVisible());
        const struct
        {
            const char *name;
            const char *toolTip;
        } buttons[] = {{"pushButtonAddDestination", "Add a new Destination"},
                       {"pushButtonDeleteDestination", "Remove selected Destination"},
                       {"pushButtonModifyDestination", "Edit the selected Destination"}};
        for (const auto &button : buttons) {
            auto *widget = editor.findChild<QPushButton *>(QLatin1String(button.name));
            QVERIFY2(widget, button.name);
            QCOMPARE(widget->toolTip(), QString::fromLatin1(button.toolTip));
            QCOMPARE(widget->size(), QSize(40, 40));
            QVERIFY(!widget->icon().isNull());
        }
        WidgetPicture::save(&editor, QStringLiteral("DialogDestinationFolders"));
    }

    void addEditAndRemoveThenOk()
    {
        GuiTestHome home;
        resetConfiguration();
        configured() = {{"Movies", "/srv/movies"}};
        DialogDestinationFolders editor;
        editor.show();
        ModalAnswerer answerer;

        answerEntry(answerer, QStringLiteral("Books"), QStringLiteral("/srv/books"));
        click(editor, "pushButtonAddDestination");
        QCOMPARE(rows(editor), QStringList({"Books=/srv/books", "Movies=/srv/movies"}));

        selectLabel(editor, QStringLiteral("Movies"));
        answerEntry(answerer, QStringLiteral("Films"), QStringLiteral("/srv/films"));
        click(editor, "pushButtonModifyDestination");
        QCOMPARE(rows(editor), QStringList({"Books=/srv/books", "Films=/srv/films"}));

        selectLabel(editor, QStringLiteral("Books"));
        click(editor, "pushButtonDeleteDestination");
        QCOMPARE(rows(editor), QStringList({"Films=/srv/films"}));

        answerEntry(answerer, QStringLiteral("Archive"), QStringLiteral("/srv/archive"));
        click(editor, "pushButtonAddDestination");
        QCOMPARE(rows(editor), QStringList({"Archive=/srv/archive", "Films=/srv/films"}));
        QCOMPARE(answerer.answeredCount(), 3);
        QCOMPARE(answerer.seen().at(0).objectName, QStringLiteral("DialogDestinationFoldersAddModify"));
        // Nothing reaches the configuration before Ok.
        QCOMPARE(configured(), Destinations({{"Movies", "/srv/movies"}}));

        clickButtonBox(&editor, QDialogButtonBox::Ok);
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        const Destinations expected = {{"Archive", "/srv/archive"}, {"Films", "/srv/films"}};
        QCOMPARE(configured(), expected);
        QCOMPARE(storedDestinations(), QStringList({"Archive=/srv/archive", "Films=/srv/films"}));
    }

    void cancelLeavesTheDestinationsAsTheyWere()
    {
        GuiTestHome home;
        resetConfiguration();
        configured() = {{"Movies", "/srv/movies"}, {"Music", "/srv/music"}};
        DialogDestinationFolders editor;
        editor.show();
        ModalAnswerer answerer;
        answerEntry(answerer, QStringLiteral("Books"), QStringLiteral("/srv/books"));
        click(editor, "pushButtonAddDestination");
        selectLabel(editor, QStringLiteral("Music"));
        click(editor, "pushButtonDeleteDestination");
        QCOMPARE(rows(editor), QStringList({"Books=/srv/books", "Movies=/srv/movies"}));
        clickButtonBox(&editor, QDialogButtonBox::Cancel);
        QCOMPARE(configured(), Destinations({{"Movies", "/srv/movies"}, {"Music", "/srv/music"}}));
        QVERIFY(!QFile::exists(AppConfiguration::getConfigurationFile()));
    }

    void okWithoutChangesSavesTheDestinations()
    {
        GuiTestHome home;
        resetConfiguration();
        configured() = {{"Movies", "/srv/movies"}};
        DialogDestinationFolders editor;
        editor.show();
        clickButtonBox(&editor, QDialogButtonBox::Ok);
        QCOMPARE(storedDestinations(), QStringList{"Movies=/srv/movies"});
    }

    void withAnEmptyTableRemoveAndEditDoNothing()
    {
        GuiTestHome home;
        resetConfiguration();
        DialogDestinationFolders editor;
        editor.show();
        ModalAnswerer answerer;
        answerer.rejectNext(); // would close a window that should not open
        click(editor, "pushButtonDeleteDestination");
        click(editor, "pushButtonModifyDestination");
        QCOMPARE(answerer.answeredCount(), 0);
        QCOMPARE(answerer.pendingCount(), 1);
    }

    void withoutASelectionRemoveAndEditAreRefused_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("remove") << "pushButtonDeleteDestination" << "Please select a Destination item to delete.";
        QTest::newRow("edit") << "pushButtonModifyDestination" << "Please select a Destination item to modify.";
    }

    void withoutASelectionRemoveAndEditAreRefused()
    {
        QFETCH(QString, button);
        QFETCH(QString, message);
        GuiTestHome home;
        resetConfiguration();
        configured() = {{"Movies", "/srv/movies"}};
        DialogDestinationFolders editor;
        editor.show();
        tableOf(editor)->clearSelection();
        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        click(editor, qPrintable(button));
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().text, message);
        QCOMPARE(answerer.seen().first().title, QStringLiteral("Error"));
        QCOMPARE(answerer.seen().first().icon, QMessageBox::Critical);
        QCOMPARE(rows(editor), QStringList{"Movies=/srv/movies"});
    }

    void entryIsCheckedOnOk_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("inUse");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("storedLabel");
        QTest::addColumn<QString>("storedPath");
        QTest::newRow("blanks around") << "  Books  " << " /srv/books " << QStringList{"Movies"} << "" << "Books"
                                       << "/srv/books";
        QTest::newRow("blank label") << "   " << "/srv/books" << QStringList() << "Please enter a Label." << ""
                                     << "";
        QTest::newRow("no path") << "Books" << "" << QStringList() << "Please enter a Path associated with the label."
                                 << "" << "";
        QTest::newRow("label of another row") << "Movies " << "/srv/other" << QStringList{"Books", "Movies"}
                                              << "Another Destination already has the label \"Movies\". Please "
                                                 "enter another Label."
                                              << "" << "";
        QTest::newRow("label differing in case") << "movies" << "/srv/other" << QStringList{"Movies"} << ""
                                                 << "movies" << "/srv/other";
        // The download menus use the path as it stands: it must name a folder the files can go to.
        const QString notFull = QStringLiteral("Please enter the full path of the folder associated with the label.");
        QTest::newRow("home folder sign") << "Videos" << "~/Videos" << QStringList() << "" << "Videos"
                                          << "@HOME@/Videos";
        QTest::newRow("home folder alone") << "Home" << "~" << QStringList() << "" << "Home" << "@HOME@";
        QTest::newRow("relative") << "Movies" << "Movies" << QStringList() << notFull << "" << "";
        QTest::newRow("relative upwards") << "Elsewhere" << "../elsewhere" << QStringList() << notFull << "" << "";
        QTest::newRow("another user's home") << "Theirs" << "~guest/Videos" << QStringList() << notFull << ""
                                             << "";
        QTest::newRow("a file") << "Notes" << "@HOME@/notes.txt" << QStringList()
                                << "The folder cannot be used: @HOME@/notes.txt is a file, not a folder." << ""
                                << "";
        QTest::newRow("under a file") << "Notes" << "@HOME@/notes.txt/more" << QStringList()
                                      << "The folder cannot be used: @HOME@/notes.txt is a file: no folder can be "
                                         "made in it."
                                      << "" << "";
        QTest::newRow("5,000 characters") << "Long" << "/srv/" + QString(4995, QLatin1Char('x')) << QStringList()
                                          << "The folder cannot be used: the path is longer than the system allows "
                                             "(5000 characters)."
                                          << "" << "";
    }

    void entryIsCheckedOnOk()
    {
        QFETCH(QString, label);
        QFETCH(QString, path);
        QFETCH(QStringList, inUse);
        QFETCH(QString, message);
        QFETCH(QString, storedLabel);
        QFETCH(QString, storedPath);
        GuiTestHome home;
        QVERIFY(writeSmallFile(home.path() + QLatin1String("/notes.txt"), "not a folder"));
        path.replace(QLatin1String("@HOME@"), home.path());
        message.replace(QLatin1String("@HOME@"), home.path());
        storedPath.replace(QLatin1String("@HOME@"), home.path());
        DialogDestinationFoldersAddModify entry;
        entry.setLabelsInUse(inUse);
        entry.show();
        QVERIFY(QTest::qWaitForWindowActive(&entry));
        auto *labelField = entry.findChild<QLineEdit *>(QStringLiteral("lineEditLabel"));
        labelField->setText(label);
        entry.findChild<QLineEdit *>(QStringLiteral("lineEditPath"))->setText(path);
        ModalAnswerer answerer;
        if (!message.isEmpty())
            answerer.pressNext(QMessageBox::Ok);
        clickButtonBox(&entry, QDialogButtonBox::Ok);

        QCOMPARE(labelField->text(), label.trimmed());
        if (message.isEmpty()) {
            QCOMPARE(answerer.answeredCount(), 0);
            QCOMPARE(entry.result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(answerer.answeredCount(), 1);
            QCOMPARE(answerer.seen().first().text, message);
            QCOMPARE(answerer.seen().first().title, QStringLiteral("Error"));
            QVERIFY(entry.isVisible());
        }
        QCOMPARE(entry.getLabel(), storedLabel);
        QCOMPARE(entry.getPath(), storedPath);
    }

    void entryFormAndBrowse()
    {
        GuiTestHome home;
        const QString folder = home.path() + QLatin1String("/books");
        QVERIFY(QDir().mkpath(folder));
        DialogDestinationFoldersAddModify entry;
        entry.setValues(QStringLiteral("Books"), QStringLiteral("/srv/old"));
        QCOMPARE(entry.windowTitle(), QStringLiteral("Destination item"));
        QCOMPARE(entry.minimumSize(), QSize(600, 104));
        QCOMPARE(entry.maximumSize(), QSize(600, 104));
        auto *pathField = entry.findChild<QLineEdit *>(QStringLiteral("lineEditPath"));
        QVERIFY(!pathField->isEnabled());
        QCOMPARE(pathField->text(), QStringLiteral("/srv/old"));
        QCOMPARE(entry.findChild<QLineEdit *>(QStringLiteral("lineEditLabel"))->text(), QStringLiteral("Books"));
        auto *browse = entry.findChild<QPushButton *>(QStringLiteral("pushButtonPath"));
        QCOMPARE(browse->toolTip(), QStringLiteral("Browse path..."));
        QVERIFY(browse->maximumWidth() <= 50);
        entry.show();
        WidgetPicture::save(&entry, QStringLiteral("DialogDestinationFoldersAddModify"));

        ModalAnswerer answerer;
        answerer.rejectNext();
        browse->click();
        QCOMPARE(pathField->text(), QStringLiteral("/srv/old"));
        answerer.chooseFileNext(folder);
        browse->click();
        QCOMPARE(pathField->text(), folder);
        QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Choose directory"));
    }

    void aLabelAnotherRowHasIsRefused()
    {
        GuiTestHome home;
        resetConfiguration();
        configured() = {{"Movies", "/srv/movies"}, {"Music", "/srv/music"}};
        DialogDestinationFolders editor;
        editor.show();
        ModalAnswerer answerer;

        answerEntry(answerer, QStringLiteral("Movies"), QStringLiteral("/srv/elsewhere"));
        answerer.pressNext(QMessageBox::Ok);
        click(editor, "pushButtonAddDestination");
        QCOMPARE(rows(editor), QStringList({"Movies=/srv/movies", "Music=/srv/music"}));

        selectLabel(editor, QStringLiteral("Music"));
        answerEntry(answerer, QStringLiteral("Movies"), QStringLiteral("/srv/music"));
        answerer.pressNext(QMessageBox::Ok);
        click(editor, "pushButtonModifyDestination");
        QCOMPARE(rows(editor), QStringList({"Movies=/srv/movies", "Music=/srv/music"}));

        // A row keeps its own label.
        selectLabel(editor, QStringLiteral("Music"));
        answerEntry(answerer, QStringLiteral("Music"), QStringLiteral("/srv/songs"));
        click(editor, "pushButtonModifyDestination");
        QCOMPARE(rows(editor), QStringList({"Movies=/srv/movies", "Music=/srv/songs"}));

        QCOMPARE(answerer.answeredCount(), 5);
        QVERIFY(answerer.seen().at(1).text.startsWith(QLatin1String("Another Destination already has the label")));
        QVERIFY(answerer.seen().at(3).text.startsWith(QLatin1String("Another Destination already has the label")));
        clickButtonBox(&editor, QDialogButtonBox::Ok);
        QCOMPARE(configured(), Destinations({{"Movies", "/srv/movies"}, {"Music", "/srv/songs"}}));
    }

    void aConfigurationThatCannotBeSavedIsReported()
    {
        GuiTestHome home;
        resetConfiguration();
        QVERIFY(QDir().mkpath(AppConfiguration::getConfigurationFile()));
        DialogDestinationFolders editor;
        editor.show();
        ModalAnswerer answerer;
        answerEntry(answerer, QStringLiteral("Books"), QStringLiteral("/srv/books"));
        click(editor, "pushButtonAddDestination");
        answerer.pressNext(QMessageBox::Ok);
        clickButtonBox(&editor, QDialogButtonBox::Ok);

        QCOMPARE(answerer.answeredCount(), 2);
        const ModalAnswerer::Seen &seen = answerer.seen().at(1);
        QCOMPARE(seen.title, QStringLiteral("Error"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY2(seen.text.contains(AppConfiguration::getInstance()->lastError), qPrintable(seen.text));
        QVERIFY(seen.text.contains(QLatin1String("Failed to write configuration file")));
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(configured(), Destinations({{"Books", "/srv/books"}}));
    }
};

QTEST_MAIN(tst_DialogDestinationFolders)
#include "tst_DialogDestinationFolders.moc"
