#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "web/DialogWebFavourite.h"
#include "web/DialogWebOptions.h"

#include "../dialogs/DialogTestSupport.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

QHash<QString, QString> manyFavourites()
{
    QHash<QString, QString> favourites;
    const QStringList titles{"kilo", "Alpha", "echo", "Zulu", "bravo", "mike", "delta", "Charlie", "yankee", "golf"};
    for (const QString &title : titles)
        favourites.insert(title, QStringLiteral("http://www.%1.test/").arg(title.toLower()));
    return favourites;
}

QHash<QString, QString> tableFavourites(const QTableWidget *table)
{
    QHash<QString, QString> shown;
    for (int row = 0; row < table->rowCount(); ++row)
        shown.insert(table->item(row, 0)->text(), table->item(row, 1)->text());
    return shown;
}

} // namespace

class tst_DialogWebOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void favouriteDialog();
    void optionsForm();
    void eachTitleBesideItsAddress();
    void configurationIsShown();
    void okReadsEverything();
    void deletingNonAdjacentRows();
    void refusals_data();
    void refusals();
    void emptyNameOnceIsAccepted();

private:
    QTableWidget *table() const;
    void setRow(int row, const QString &name, const QString &url);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<DialogWebOptions> dialog;
    std::unique_ptr<ModalAnswerer> answerer;
};

void tst_DialogWebOptions::initTestCase()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
}

void tst_DialogWebOptions::init()
{
    WebConfiguration &web = AppConfiguration::getInstance()->webConfiguration;
    web.favourites = manyFavourites();
    web.homePage = QStringLiteral("http://www.home.test/");
    web.homePageLaunch = true;
    web.pluginsEnabled = false;
    web.javaEnabled = true;
    web.javascriptEnabled = false;
    dialog = std::make_unique<DialogWebOptions>();
    answerer = std::make_unique<ModalAnswerer>();
}

void tst_DialogWebOptions::cleanup()
{
    QCOMPARE(answerer->pendingCount(), 0);
    answerer.reset();
    dialog.reset();
}

QTableWidget *tst_DialogWebOptions::table() const
{
    return dialog->findChild<QTableWidget *>(QStringLiteral("tableWidgetFavourites"));
}

// As the user edits a row: its address, then its name (the sorted table may move the row then).
void tst_DialogWebOptions::setRow(int row, const QString &name, const QString &url)
{
    table()->item(row, 1)->setText(url);
    table()->item(row, 0)->setText(name);
}

void tst_DialogWebOptions::favouriteDialog()
{
    DialogWebFavourite favourite;
    QCOMPARE(favourite.windowTitle(), QStringLiteral("Add Favourite"));
    QVERIFY(!favourite.windowIcon().isNull());
    auto *title = favourite.findChild<QLineEdit *>(QStringLiteral("lineEditTitle"));
    auto *url = favourite.findChild<QLineEdit *>(QStringLiteral("lineEditUrl"));
    QVERIFY(title && url);
    QStringList labels;
    for (const QLabel *label : favourite.findChildren<QLabel *>())
        labels << label->text();
    labels.sort();
    QCOMPARE(labels, (QStringList{"Title: ", "URL: "}));
    QCOMPARE(favourite.getTitle(), QString());
    favourite.setTitle(QStringLiteral("  A page "));
    favourite.setUrl(QStringLiteral(" http://www.page.test/ "));
    QCOMPARE(title->text(), QStringLiteral("  A page "));
    QCOMPARE(favourite.getTitle(), QStringLiteral("A page"));
    QCOMPARE(favourite.getUrl(), QStringLiteral("http://www.page.test/"));
    WidgetPicture::save(&favourite, QStringLiteral("DialogWebFavourite_form"));
}

void tst_DialogWebOptions::optionsForm()
{
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Browser options"));
    QVERIFY(!dialog->windowIcon().isNull());
    QStringList groups;
    for (const QGroupBox *box : dialog->findChildren<QGroupBox *>())
        groups << box->title();
    QCOMPARE(groups, (QStringList{"Favourites", "Home page", "Web settings"}));
    auto *remove = dialog->findChild<QPushButton *>(QStringLiteral("pushButtonDeleteFavourite"));
    QCOMPARE(remove->toolTip(), QStringLiteral("Delete selected favourites"));
    QVERIFY(remove->text().isEmpty());
    QVERIFY(!remove->icon().isNull());
    QTableWidget *favourites = table();
    QCOMPARE(favourites->toolTip(), QStringLiteral("List of favourites"));
    QCOMPARE(favourites->columnCount(), 2);
    QCOMPARE(favourites->horizontalHeaderItem(0)->text(), QStringLiteral("Name"));
    QCOMPARE(favourites->horizontalHeaderItem(1)->text(), QStringLiteral("URL"));
    QVERIFY(favourites->alternatingRowColors());
    QCOMPARE(favourites->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(favourites->selectionMode(), QAbstractItemView::MultiSelection);
    QVERIFY(favourites->showGrid());
    QVERIFY(favourites->isSortingEnabled());
    QVERIFY(favourites->horizontalHeader()->stretchLastSection());
    QVERIFY(favourites->verticalHeader()->isHidden());
    QCOMPARE(dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxLoadHomePageAtStartup"))->text(),
             QStringLiteral("Load the home page at startup"));
    QCOMPARE(dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxPluginsEnabled"))->text(), QStringLiteral("Plugins enabled"));
    QCOMPARE(dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxJavaEnabled"))->text(), QStringLiteral("Java enabled"));
    QCOMPARE(dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxJavascriptEnabled"))->text(),
             QStringLiteral("Javascript enabled"));
    QVERIFY(dialog->favourites.isEmpty());
    QVERIFY(dialog->homePage.isEmpty());
    WidgetPicture::save(dialog.get(), QStringLiteral("DialogWebOptions"));
}

// Filled into a sorted table, each row would move as its title is set, and the addresses
// would land beside other titles.
void tst_DialogWebOptions::eachTitleBesideItsAddress()
{
    QCOMPARE(table()->rowCount(), 10);
    QCOMPARE(tableFavourites(table()), manyFavourites());
    QStringList shown;
    for (int row = 0; row < table()->rowCount(); ++row)
        shown << table()->item(row, 0)->text();
    QCOMPARE(shown, (QStringList{"Alpha", "Charlie", "Zulu", "bravo", "delta", "echo", "golf", "kilo", "mike", "yankee"}));
    table()->sortItems(1, Qt::DescendingOrder);
    QCOMPARE(tableFavourites(table()), manyFavourites());
}

void tst_DialogWebOptions::configurationIsShown()
{
    QCOMPARE(dialog->findChild<QLineEdit *>(QStringLiteral("lineEditHomePage"))->text(), QStringLiteral("http://www.home.test/"));
    QVERIFY(dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxLoadHomePageAtStartup"))->isChecked());
    QVERIFY(!dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxPluginsEnabled"))->isChecked());
    QVERIFY(dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxJavaEnabled"))->isChecked());
    QVERIFY(!dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxJavascriptEnabled"))->isChecked());
}

void tst_DialogWebOptions::okReadsEverything()
{
    // Renamed and re-addressed in place, names and addresses trimmed.
    const QList<QTableWidgetItem *> found = table()->findItems(QStringLiteral("kilo"), Qt::MatchExactly);
    const int row = found.first()->row();
    setRow(row, QStringLiteral("  Kilo renamed "), QStringLiteral(" www.kilo.test "));
    dialog->findChild<QLineEdit *>(QStringLiteral("lineEditHomePage"))->setText(QStringLiteral("  www.new-home.test "));
    dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxPluginsEnabled"))->setChecked(true);
    dialog->findChild<QCheckBox *>(QStringLiteral("checkBoxJavascriptEnabled"))->setChecked(true);
    clickButtonBox(dialog.get(), QDialogButtonBox::Ok);

    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QHash<QString, QString> expected = manyFavourites();
    expected.remove(QStringLiteral("kilo"));
    expected.insert(QStringLiteral("Kilo renamed"), QStringLiteral("www.kilo.test"));
    QCOMPARE(dialog->favourites, expected);
    QCOMPARE(dialog->homePage, QStringLiteral("www.new-home.test"));
    QVERIFY(dialog->homePageLaunch);
    QVERIFY(dialog->pluginsEnabled);
    QVERIFY(dialog->javaEnabled);
    QVERIFY(dialog->javascriptEnabled);
    // The dialog stores nothing itself.
    QCOMPARE(AppConfiguration::getInstance()->webConfiguration.favourites, manyFavourites());
}

void tst_DialogWebOptions::deletingNonAdjacentRows()
{
    table()->sortItems(0, Qt::AscendingOrder);
    QStringList shownOrder;
    for (int row = 0; row < table()->rowCount(); ++row)
        shownOrder << table()->item(row, 0)->text();
    table()->selectRow(1);
    table()->selectRow(4);
    table()->selectRow(8);
    dialog->deleteSelectedFavourites();
    QHash<QString, QString> expected = manyFavourites();
    for (int row : {1, 4, 8})
        expected.remove(shownOrder.at(row));
    QCOMPARE(tableFavourites(table()), expected);
    QCOMPARE(table()->rowCount(), 7);
}

void tst_DialogWebOptions::refusals_data()
{
    QTest::addColumn<QString>("secondName");
    QTest::addColumn<QString>("secondUrl");
    QTest::addColumn<QString>("message");

    QTest::newRow("same name after trimming") << QStringLiteral("first ") << QStringLiteral("http://b.test/")
                                              << QStringLiteral("Favourite's name \"first\" must be unique");
    QTest::newRow("an address of blanks") << QStringLiteral("second") << QStringLiteral("   ")
                                          << QStringLiteral("\"second\" favourite's URL mustn't be empty");
}

void tst_DialogWebOptions::refusals()
{
    QFETCH(QString, secondName);
    QFETCH(QString, secondUrl);
    QFETCH(QString, message);
    AppConfiguration::getInstance()->webConfiguration.favourites = {{QStringLiteral("first"), QStringLiteral("http://a.test/")},
                                                                     {QStringLiteral("other"), QStringLiteral("http://c.test/")}};
    dialog = std::make_unique<DialogWebOptions>();
    table()->sortItems(0, Qt::AscendingOrder);
    setRow(1, secondName, secondUrl); // "other" becomes the second row's new text
    dialog->show();
    answerer->pressNext(QMessageBox::Ok);
    clickButtonBox(dialog.get(), QDialogButtonBox::Ok);
    QCOMPARE(answerer->answeredCount(), 1);
    QCOMPARE(answerer->seen().first().text, message);
    QCOMPARE(answerer->seen().first().title, QStringLiteral("Tessaquill+"));
    QCOMPARE(answerer->seen().first().icon, QMessageBox::Critical);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->result(), 0);
}

void tst_DialogWebOptions::emptyNameOnceIsAccepted()
{
    AppConfiguration::getInstance()->webConfiguration.favourites = {{QStringLiteral("a"), QStringLiteral("http://a.test/")}};
    dialog = std::make_unique<DialogWebOptions>();
    setRow(0, QStringLiteral("  "), QStringLiteral("http://blank.test/"));
    clickButtonBox(dialog.get(), QDialogButtonBox::Ok);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->favourites, (QHash<QString, QString>{{QString(), QStringLiteral("http://blank.test/")}}));
}

QTEST_MAIN(tst_DialogWebOptions)
#include "tst_DialogWebOptions.moc"
