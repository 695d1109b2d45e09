#include "dialogs/DialogDownloadNzb.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "config/AppConfiguration.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"

#include "DialogTestSupport.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"
#include "../config/TestFiles.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

namespace {

const char *const nothingTicked = "Please check at least one file in the files list";
const char *const saveFolderNeeded = "Please enter the path where the file will be saved";
const char *const downloadFolderNeeded = "Please enter the full path of the folder where the NZB will be downloaded";

// The real posting of tests/data: a PAR2 index, two archives, an NFO, two recovery volumes and a
// file whose subject has no quotes, prepared as the main window prepares an added NZB (sorted
// for download, recovery volumes held back by Smart Download).
std::unique_ptr<NzbFiles> loadPosting()
{
    QString error;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parseFile(QStringLiteral(TQ_TEST_DATA "/nzb/holiday_with_par2.nzb"), error));
    if (nzb)
        nzb->sortFiles(true);
    return nzb;
}

const QStringList postingNames = {"holiday.par2", "holiday.part1.rar", "holiday.part2.rar", "holiday.nfo",
                                  "holiday.vol00+01.par2", "holiday.vol01+02.par2", "readme without quotes"};

QStringList namesOf(const NzbFiles &nzb)
{
    QStringList names;
    for (const NzbFile *file : nzb.getFiles())
        names << DialogDownloadNzb::displayName(file->getSubject());
    names.sort();
    return names;
}

QStringList pausedNamesOf(const NzbFiles &nzb)
{
    QStringList names;
    for (const NzbFile *file : nzb.getFilesByPauseState(true))
        names << DialogDownloadNzb::displayName(file->getSubject());
    names.sort();
    return names;
}

template <typename T>
T *child(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

QTableWidget *filesTable(QWidget &dialog)
{
    return child<QTableWidget>(dialog, "tableWidgetNzbFilesList");
}

QTableWidgetItem *fileItem(QWidget &dialog, const QString &name)
{
    const QList<QTableWidgetItem *> found = filesTable(dialog)->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void setTicked(QWidget &dialog, const QStringList &names, Qt::CheckState state)
{
    for (const QString &name : names)
        fileItem(dialog, name)->setCheckState(state);
}

QStringList destinationLabels(QWidget &dialog)
{
    QStringList labels;
    const auto *table = child<QTableWidget>(dialog, "tableWidgetDestinations");
    for (int row = 0; row < table->rowCount(); ++row)
        labels << table->item(row, 0)->text() + QLatin1Char('=') + table->item(row, 1)->text();
    return labels;
}

void clickDestination(QWidget &dialog, const QString &label)
{
    auto *table = child<QTableWidget>(dialog, "tableWidgetDestinations");
    QTableWidgetItem *item = table->findItems(label, Qt::MatchExactly).first();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(item).center());
}

void typeInto(QWidget &dialog, const char *name, const QString &text)
{
    auto *line = child<QLineEdit>(dialog, name);
    line->clear();
    QTest::keyClicks(line, text);
}

QString withHome(QString text)
{
    return text.replace(QLatin1String("@HOME@"), QDir::homePath());
}

const char *const saveGroup[] = {"labelSaveFileTo", "lineEditSaveNzbPath", "pushButtonChooseSaveNzb"};
const char *const downloadGroup[] = {"labelDownloadFilesList", "tableWidgetNzbFilesList", "checkBoxSelectUnselectAll",
                                     "labelChooseDestination", "tableWidgetDestinations",
                                     "pushButtonConfigDestinations", "labelDownloadTo", "lineEditDownloadNzbPath",
                                     "pushButtonChooseDownloadNzb"};

bool groupsEnabled(QWidget &dialog, bool save, bool download)
{
    for (const char *name : saveGroup) {
        if (dialog.findChild<QWidget *>(QLatin1String(name))->isEnabled() != save)
            return false;
    }
    for (const char *name : downloadGroup) {
        if (dialog.findChild<QWidget *>(QLatin1String(name))->isEnabled() != download)
            return false;
    }
    return true;
}

} // namespace

class tst_DialogDownloadNzb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        AppResources::initialize();
        QApplication::setStyle(AppStyle::create());
    }

    void sizeTexts_data()
    {
        QTest::addColumn<double>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << "0 bytes";
        QTest::newRow("1") << 1.0 << "1 bytes";
        QTest::newRow("1023") << 1023.0 << "1023 bytes";
        QTest::newRow("1024") << 1024.0 << "1 Kb";
        QTest::newRow("1500") << 1500.0 << "1.46 Kb";
        QTest::newRow("1536") << 1536.0 << "1.5 Kb";
        QTest::newRow("unit chosen before rounding") << 1048575.0 << "1024 Kb";
        QTest::newRow("1048576") << 1048576.0 << "1 Mb";
        QTest::newRow("1234567") << 1234567.0 << "1.18 Mb";
        QTest::newRow("1073741824") << 1073741824.0 << "1 Gb";
        QTest::newRow("no unit beyond Gb") << 1024.0 * 1073741824.0 << "1024 Gb";
    }

    void sizeTexts()
    {
        QFETCH(double, bytes);
        QFETCH(QString, text);
        QCOMPARE(DialogDownloadNzb::formatSize(bytes), text);
    }

    void displayNames_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("name");
        QTest::newRow("no quote") << "readme without quotes" << "readme without quotes";
        QTest::newRow("one quote") << "a \"half quoted name" << "a \"half quoted name";
        QTest::newRow("usual subject") << "[2/7] - \"holiday.part1.rar\" yEnc (1/3)" << "holiday.part1.rar";
        QTest::newRow("first to last quote") << "\"a\" and \"b\" yEnc" << "a\" and \"b";
        QTest::newRow("nothing between") << "x \"\" y" << "";
    }

    void displayNames()
    {
        QFETCH(QString, subject);
        QFETCH(QString, name);
        QCOMPARE(DialogDownloadNzb::displayName(subject), name);
    }

    void savedCopiesGetTheNzbExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no extension") << "/x/copy" << "/x/copy.nzb";
        QTest::newRow("ending with a dot") << "/x/copy." << "/x/copy.nzb";
        QTest::newRow("nzb") << "/x/copy.nzb" << "/x/copy.nzb";
        QTest::newRow("NZB") << "/x/copy.NZB" << "/x/copy.NZB";
        QTest::newRow("another extension") << "/x/my.show" << "/x/my.show";
        QTest::newRow("a dotted folder") << "/x/v1.2/copy" << "/x/v1.2/copy.nzb";
        QTest::newRow("no file name") << "/x/dir/" << "/x/dir/";
    }

    void savedCopiesGetTheNzbExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, saved);
        QCOMPARE(DialogDownloadNzb::withNzbExtension(path), saved);
    }

    void filesAreListedTickedWithTheirSizes()
    {
        GuiTestHome home;
        resetConfiguration();
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        QVERIFY(nzb);
        QCOMPARE(pausedNamesOf(*nzb), QStringList({"holiday.vol00+01.par2", "holiday.vol01+02.par2"}));

        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Download NZB"));
        QCOMPARE(dialog.minimumWidth(), 586);
        QVERIFY(dialog.isSizeGripEnabled());

        const QHash<QString, QString> sizes = {{"holiday.par2", "20.98 Kb"},       {"holiday.part1.rar", "1.95 Mb"},
                                               {"holiday.part2.rar", "1.18 Mb"},   {"holiday.nfo", "1.46 Kb"},
                                               {"holiday.vol00+01.par2", "400 Kb"}, {"holiday.vol01+02.par2", "800 Kb"},
                                               {"readme without quotes", "1023 bytes"}};
        QTableWidget *table = filesTable(dialog);
        QCOMPARE(table->rowCount(), postingNames.size());
        QStringList listed;
        for (int row = 0; row < table->rowCount(); ++row) {
            const QTableWidgetItem *name = table->item(row, 0);
            listed << name->text();
            QCOMPARE(name->checkState(), Qt::Checked);
            // The stored index names the file the row shows, whatever the row's place.
            const NzbFile *file = nzb->getFileAt(quint64(name->data(Qt::UserRole).toInt()));
            QCOMPARE(DialogDownloadNzb::displayName(file->getSubject()), name->text());
            QCOMPARE(table->item(row, 1)->text(), sizes.value(name->text()));
            QCOMPARE(table->item(row, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
        }
        listed.sort();
        QStringList expected = postingNames;
        expected.sort();
        QCOMPARE(listed, expected);
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("File name"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Size"));
        QVERIFY(table->isSortingEnabled());

        QVERIFY(child<QCheckBox>(dialog, "checkBoxSelectUnselectAll")->isChecked());
        QVERIFY(child<QRadioButton>(dialog, "radioButtonDownloadNzb")->isChecked());
        QVERIFY(dialog.isDownloadNzbSelected());
        QVERIFY(!dialog.isSaveNzbSelected());
        QVERIFY(groupsEnabled(dialog, false, true));
        QCOMPARE(dialog.getDestinationPath(), AppConfiguration::getInstance()->destinationFolder);
        QCOMPARE(destinationLabels(dialog),
                 QStringList{"Default Destination=" + AppConfiguration::getInstance()->destinationFolder});
        WidgetPicture::save(&dialog, QStringLiteral("DialogDownloadNzb"));
    }

    // The list of files stays a list: at the size the dialog opens with, and made as small as it
    // goes, it shows five rows at least (the posting has seven).
    void filesListShowsSeveralRows()
    {
        GuiTestHome home;
        resetConfiguration();
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        QVERIFY(nzb);
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTableWidget *table = filesTable(dialog);
        const auto rowsShown = [table] {
            QCoreApplication::processEvents();
            return table->viewport()->height() / table->rowHeight(0);
        };
        QVERIFY2(rowsShown() >= 5, qPrintable(QString::number(rowsShown())));
        dialog.resize(dialog.minimumSize());
        QVERIFY2(rowsShown() >= 5, qPrintable(QString::number(rowsShown())));
        WidgetPicture::save(&dialog, QStringLiteral("DialogDownloadNzb_minimum"));
    }

    void untickedFilesAreRemovedWhateverTheRowOrder()
    {
        GuiTestHome home;
        resetConfiguration();
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        filesTable(dialog)->sortItems(1, Qt::DescendingOrder);
        setTicked(dialog, {"holiday.nfo", "readme without quotes", "holiday.vol01+02.par2"}, Qt::Unchecked);
        clickButtonBox(&dialog, QDialogButtonBox::Ok);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(namesOf(*nzb), QStringList({"holiday.par2", "holiday.part1.rar", "holiday.part2.rar",
                                             "holiday.vol00+01.par2"}));
        // Unpaused files are left: the held-back volume stays held back.
        QCOMPARE(pausedNamesOf(*nzb), QStringList{"holiday.vol00+01.par2"});
    }

    void heldBackFilesAloneAreReleased_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QStringList>("paused");
        QTest::newRow("only recovery volumes") << QStringList{"holiday.vol00+01.par2", "holiday.vol01+02.par2"}
                                               << QStringList();
        QTest::newRow("a volume and an archive") << QStringList{"holiday.vol00+01.par2", "holiday.part1.rar"}
                                                 << QStringList{"holiday.vol00+01.par2"};
        QTest::newRow("no volume") << QStringList{"holiday.nfo"} << QStringList();
    }

    void heldBackFilesAloneAreReleased()
    {
        QFETCH(QStringList, ticked);
        QFETCH(QStringList, paused);
        GuiTestHome home;
        resetConfiguration();
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        child<QCheckBox>(dialog, "checkBoxSelectUnselectAll")->click();
        setTicked(dialog, ticked, Qt::Checked);
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        ticked.sort();
        QCOMPARE(namesOf(*nzb), ticked);
        QCOMPARE(pausedNamesOf(*nzb), paused);
    }

    void nothingTickedIsRefused()
    {
        GuiTestHome home;
        resetConfiguration();
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        auto *selectAll = child<QCheckBox>(dialog, "checkBoxSelectUnselectAll");
        selectAll->click();
        for (int row = 0; row < filesTable(dialog)->rowCount(); ++row)
            QCOMPARE(filesTable(dialog)->item(row, 0)->checkState(), Qt::Unchecked);

        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().text, QString::fromLatin1(nothingTicked));
        QCOMPARE(answerer.seen().first().title, QStringLiteral("Tessaquill+"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(nzb->getFileCount(), qint64(postingNames.size()));

        // Ticking one row leaves the select-all box as it is; the box ticks them all again.
        setTicked(dialog, {"holiday.nfo"}, Qt::Checked);
        QVERIFY(!selectAll->isChecked());
        selectAll->click();
        for (int row = 0; row < filesTable(dialog)->rowCount(); ++row)
            QCOMPARE(filesTable(dialog)->item(row, 0)->checkState(), Qt::Checked);
    }

    void destinationIsChosen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("destination");
        QTest::newRow("default") << "default" << "@HOME@/Tessaquill_Plus/Destination";
        QTest::newRow("named") << "named" << "@HOME@/movies";
        QTest::newRow("typed") << "typed" << "@HOME@/typed";
        QTest::newRow("picked") << "picked" << "@HOME@/picked";
    }

    void destinationIsChosen()
    {
        QFETCH(QString, how);
        QFETCH(QString, destination);
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration::getInstance()->destinationConfiguration.destinations = {
            {"Movies", withHome("@HOME@/movies")}, {"Music", withHome("@HOME@/music")}};
        QVERIFY(QDir().mkpath(withHome("@HOME@/picked")));
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        ModalAnswerer answerer;
        if (how == QLatin1String("named")) {
            clickDestination(dialog, QStringLiteral("Movies"));
        } else if (how == QLatin1String("typed")) {
            typeInto(dialog, "lineEditDownloadNzbPath", withHome(destination));
        } else if (how == QLatin1String("picked")) {
            const QString folder = withHome(destination);
            answerer.chooseFileNext(folder);
            child<QPushButton>(dialog, "pushButtonChooseDownloadNzb")->click();
            QCOMPARE(answerer.seen().first().title, QStringLiteral("Choose Destination directory"));
        }
        clickButtonBox(&dialog, QDialogButtonBox::Ok);

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.isDownloadNzbSelected());
        QVERIFY(!dialog.isSaveNzbSelected());
        QCOMPARE(dialog.getDestinationPath(), withHome(destination));
        QCOMPARE(nzb->getFileCount(), qint64(postingNames.size()));
    }

    // A folder that is a file, or that cannot be made, is refused where it is typed: the download
    // would otherwise fail only once it is over.
    void aDownloadFolderIsNeeded_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("message");
        const QString unusable = QStringLiteral("The folder where the NZB will be downloaded cannot be used: ");
        QTest::newRow("empty") << "" << "" << downloadFolderNeeded;
        QTest::newRow("blanks") << "   " << "" << downloadFolderNeeded;
        QTest::newRow("relative") << "downloads/here" << "downloads/here" << downloadFolderNeeded;
        QTest::newRow("a file") << "@HOME@/notes.txt" << "@HOME@/notes.txt"
                                << unusable + "@HOME@/notes.txt is a file, not a folder.";
        QTest::newRow("under a file") << "@HOME@/notes.txt/films" << "@HOME@/notes.txt/films"
                                      << unusable + "@HOME@/notes.txt is a file: no folder can be made in it.";
        QTest::newRow("a name too long") << "@HOME@/" + QString(300, QLatin1Char('n')) << "@HOME@/" + QString(300, QLatin1Char('n'))
                                         << unusable + "the name " + QString(40, QLatin1Char('n'))
                                                + "... is longer than the system allows.";
    }

    void aDownloadFolderIsNeeded()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QFETCH(QString, message);
        GuiTestHome home;
        resetConfiguration();
        QVERIFY(writeSmallFile(withHome("@HOME@/notes.txt"), "not a folder"));
        typed = withHome(typed);
        left = withHome(left);
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        setTicked(dialog, {"holiday.nfo"}, Qt::Unchecked);
        typeInto(dialog, "lineEditDownloadNzbPath", typed);
        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        clickButtonBox(&dialog, QDialogButtonBox::Ok);

        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().text, withHome(message));
        QCOMPARE(answerer.seen().first().title, QStringLiteral("Tessaquill+"));
        QVERIFY(dialog.isVisible());
        auto *field = child<QLineEdit>(dialog, "lineEditDownloadNzbPath");
        QCOMPARE(field->text(), left);
        QCOMPARE(dialog.focusWidget(), field);
        QCOMPARE(field->selectedText(), left);
        // Nothing was taken out of the NZB.
        QCOMPARE(nzb->getFileCount(), qint64(postingNames.size()));
    }

    void saveMode()
    {
        GuiTestHome home;
        resetConfiguration();
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        setTicked(dialog, {"holiday.nfo", "holiday.par2"}, Qt::Unchecked);

        child<QRadioButton>(dialog, "radioButtonSaveNzb")->click();
        QVERIFY(groupsEnabled(dialog, true, false));
        QVERIFY(dialog.isSaveNzbSelected());
        QVERIFY(!dialog.isDownloadNzbSelected());
        WidgetPicture::save(&dialog, QStringLiteral("DialogDownloadNzb_save"));

        ModalAnswerer answerer;
        answerer.pressNext(QMessageBox::Ok);
        typeInto(dialog, "lineEditSaveNzbPath", QStringLiteral("   "));
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(answerer.answeredCount(), 1);
        QCOMPARE(answerer.seen().first().text, QString::fromLatin1(saveFolderNeeded));
        auto *field = child<QLineEdit>(dialog, "lineEditSaveNzbPath");
        QVERIFY(field->text().isEmpty());
        QCOMPARE(dialog.focusWidget(), field);
        QVERIFY(dialog.isVisible());

        // Back and forth between the modes keeps ticks and paths.
        child<QRadioButton>(dialog, "radioButtonDownloadNzb")->click();
        QVERIFY(groupsEnabled(dialog, false, true));
        QCOMPARE(fileItem(dialog, "holiday.nfo")->checkState(), Qt::Unchecked);
        child<QRadioButton>(dialog, "radioButtonSaveNzb")->click();

        typeInto(dialog, "lineEditSaveNzbPath", withHome("@HOME@/copy"));
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.getSaveFilePath(), withHome("@HOME@/copy.nzb"));
        QVERIFY(dialog.isSaveNzbSelected());
        // Saving ignores the ticks: the NZB is whole.
        QCOMPARE(nzb->getFileCount(), qint64(postingNames.size()));
        QCOMPARE(pausedNamesOf(*nzb).size(), 2);
    }

    // A typed path where something already is: a file is replaced only when the user says so (the
    // question the chooser asks), a folder or a named pipe is refused with why. Either way the
    // dialog stays open with the path in the field, and nothing at the path changes.
    void typedSavePathThatExists_data()
    {
        QTest::addColumn<QString>("made");    // what is at @HOME@/<name> beforehand
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");      // to the question, when one comes
        QTest::addColumn<QString>("said");    // part of the text shown, empty for none
        QTest::addColumn<bool>("accepted");
        QTest::newRow("own file, kept") << "file" << ".bashrc" << "@HOME@/.bashrc" << int(QMessageBox::No)
                                        << "@HOME@/.bashrc already exists.\nDo you want to replace it?" << false;
        QTest::newRow("own file, replaced") << "file" << ".bashrc" << "@HOME@/.bashrc" << int(QMessageBox::Yes)
                                            << "@HOME@/.bashrc already exists." << true;
        QTest::newRow("an NZB typed without its extension")
            << "file" << "holiday.nzb" << "@HOME@/holiday" << int(QMessageBox::No)
            << "@HOME@/holiday.nzb already exists." << false;
        QTest::newRow("folder") << "folder" << "Documents" << "@HOME@/Documents" << -1 << "@HOME@/Documents is a folder."
                                << false;
        QTest::newRow("folder with a slash") << "folder" << "Documents" << "@HOME@/Documents/" << -1
                                             << "@HOME@/Documents/ is a folder." << false;
        QTest::newRow("folder that the extension names") << "folder" << "box.nzb" << "@HOME@/box" << -1
                                                         << "@HOME@/box.nzb is a folder." << false;
        QTest::newRow("named pipe") << "pipe" << "pipe.nzb" << "@HOME@/pipe.nzb" << -1
                                    << "@HOME@/pipe.nzb is not a regular file" << false;
        QTest::newRow("nothing there") << "" << "" << "@HOME@/new.nzb" << -1 << "" << true;
    }

    void typedSavePathThatExists()
    {
        QFETCH(QString, made);
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, said);
        QFETCH(bool, accepted);
        GuiTestHome home;
        resetConfiguration();
        const QString target = QDir::homePath() + QLatin1Char('/') + name;
        if (made == "file")
            QVERIFY(writeFile(target, "the user's own"));
        else if (made == "folder")
            QVERIFY(writeFile(target + "/inside.txt", "the user's own"));
        else if (made == "pipe")
            QVERIFY(::mkfifo(QFile::encodeName(target).constData(), 0600) == 0);
        std::unique_ptr<NzbFiles> nzb = loadPosting();
        DialogDownloadNzb dialog;
        dialog.setNzbFiles(nzb.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        child<QRadioButton>(dialog, "radioButtonSaveNzb")->click();
        typeInto(dialog, "lineEditSaveNzbPath", withHome(typed));

        ModalAnswerer answerer;
        if (!said.isEmpty()) {
            const QString picture = QStringLiteral("DialogDownloadNzb_") + QString(QTest::currentDataTag()).replace(' ', '_');
            answerer.handleNext([&dialog, answer, picture](QWidget *window) {
                WidgetPicture::saveScreen({&dialog, window}, picture);
                auto *box = qobject_cast<QMessageBox *>(window);
                box->button(answer >= 0 ? QMessageBox::StandardButton(answer) : QMessageBox::Ok)->click();
            });
        }
        clickButtonBox(&dialog, QDialogButtonBox::Ok);

        QCOMPARE(answerer.answeredCount(), said.isEmpty() ? 0 : 1);
        if (!said.isEmpty()) {
            const ModalAnswerer::Seen &box = answerer.seen().first();
            QVERIFY2(box.text.startsWith(withHome(said)), qPrintable(box.text));
            QCOMPARE(box.icon, answer >= 0 ? QMessageBox::Warning : QMessageBox::Critical);
            if (answer >= 0)
                QCOMPARE(box.defaultButton, QMessageBox::No);
        }
        QCOMPARE(dialog.isVisible(), !accepted);
        if (!accepted) {
            auto *field = child<QLineEdit>(dialog, "lineEditSaveNzbPath");
            QVERIFY(field->text().startsWith(withHome(typed)));
            QCOMPARE(dialog.focusWidget(), field);
            QVERIFY(dialog.isSaveNzbSelected());
        }
        if (made == "file")
            QCOMPARE(readFile(target), QByteArray("the user's own"));
        if (made == "folder")
            QCOMPARE(readFile(target + "/inside.txt"), QByteArray("the user's own"));
    }

    // The chooser asked about replacing the file it gave: Ok does not ask again.
    void chosenSavePathIsNotAskedAboutTwice()
    {
        GuiTestHome home;
        resetConfiguration();
        const QString chosen = withHome("@HOME@/old.nzb");
        QVERIFY(writeFile(chosen, "old"));
        DialogDownloadNzb dialog;
        dialog.show();
        child<QRadioButton>(dialog, "radioButtonSaveNzb")->click();
        ModalAnswerer answerer;
        answerer.chooseFileNext(chosen);
        answerer.pressNext(QMessageBox::Yes);
        child<QPushButton>(dialog, "pushButtonChooseSaveNzb")->click();
        QCOMPARE(child<QLineEdit>(dialog, "lineEditSaveNzbPath")->text(), chosen);
        QCOMPARE(answerer.answeredCount(), 2);
        clickButtonBox(&dialog, QDialogButtonBox::Ok);
        QCOMPARE(answerer.answeredCount(), 2);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void savePickerGivesTheExtension()
    {
        GuiTestHome home;
        resetConfiguration();
        DialogDownloadNzb dialog;
        dialog.show();
        child<QRadioButton>(dialog, "radioButtonSaveNzb")->click();
        auto *field = child<QLineEdit>(dialog, "lineEditSaveNzbPath");
        ModalAnswerer answerer;
        answerer.rejectNext();
        child<QPushButton>(dialog, "pushButtonChooseSaveNzb")->click();
        QVERIFY(field->text().isEmpty());

        const QString chosen = withHome("@HOME@/picked");
        answerer.chooseFileNext(chosen);
        child<QPushButton>(dialog, "pushButtonChooseSaveNzb")->click();
        QCOMPARE(field->text(), chosen + QLatin1String(".nzb"));
        QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Save NZB File"));
    }

    void defaultDestinationIsSortedAmongTheLabels()
    {
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration::getInstance()->destinationConfiguration.destinations = {{"Zebra", "/z"}, {"Archive", "/a"}};
        DialogDownloadNzb dialog;
        QCOMPARE(destinationLabels(dialog),
                 QStringList({"Archive=/a", "Default Destination=" + AppConfiguration::getInstance()->destinationFolder,
                              "Zebra=/z"}));
    }

    void configuringDestinationsRefillsTheList_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }

    void configuringDestinationsRefillsTheList()
    {
        QFETCH(bool, accepted);
        GuiTestHome home;
        resetConfiguration();
        AppConfiguration::getInstance()->destinationConfiguration.destinations = {{"Movies", "/m"}};
        DialogDownloadNzb dialog;
        dialog.show();
        typeInto(dialog, "lineEditDownloadNzbPath", QStringLiteral("/typed"));
        const QStringList before = destinationLabels(dialog);

        ModalAnswerer answerer;
        answerer.handleNext([accepted](QWidget *editor) {
            auto *table = editor->findChild<QTableWidget *>(QStringLiteral("tableWidgetDestinations"));
            table->setSortingEnabled(false);
            table->insertRow(0);
            table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Books")));
            table->setItem(0, 1, new QTableWidgetItem(QStringLiteral("/b")));
            if (accepted)
                QMetaObject::invokeMethod(editor, "slotButtonOk");
            else
                qobject_cast<QDialog *>(editor)->reject();
        });
        child<QPushButton>(dialog, "pushButtonConfigDestinations")->click();
        QCOMPARE(answerer.seen().first().objectName, QStringLiteral("DialogDestinationFolders"));
        if (accepted)
            QCOMPARE(destinationLabels(dialog),
                     QStringList({"Books=/b", "Default Destination=" + AppConfiguration::getInstance()->destinationFolder,
                                  "Movies=/m"}));
        else
            QCOMPARE(destinationLabels(dialog), before);
        QCOMPARE(dialog.getDestinationPath(), QStringLiteral("/typed"));
    }
};

QTEST_MAIN(tst_DialogDownloadNzb)
#include "tst_DialogDownloadNzb.moc"
