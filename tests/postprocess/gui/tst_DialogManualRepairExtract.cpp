#include "postprocess/gui/DialogManualRepairExtract.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "postprocess/ThreadParity.h"

#include "FifoUnblocker.h"
#include "FileOpenHold.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "SplitSets.h"
#include "StandInProgram.h"
#include "TestFiles.h"
#include "TextContrast.h"
#include "WidgetPicture.h"

#include <QGroupBox>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStyleFactory>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace TestFiles;

// Real programs on a busy machine: a job can take several seconds.
static constexpr int kJobTimeoutMs = 60000;

namespace {

QString rarData(const QString& relative)
{
    return QStringLiteral(TQ_TEST_DATA "/rar/") + relative;
}

// The controls of one of the dialog's three areas.
struct Area
{
    const char* start;
    const char* progress;
    QString idleText;
    QString stopText;
};

Area areaNamed(const QString& name)
{
    if (name == QLatin1String("par2"))
        return {"pushButtonStartPar2", "lineEditPar2Progress", QStringLiteral("Start repairing"),
                QStringLiteral("Stop PAR2")};
    if (name == QLatin1String("unrar"))
        return {"pushButtonStartUnrar", "lineEditUnrarProgress", QStringLiteral("Start Unrar"),
                QStringLiteral("Stop Unrar")};
    return {"pushButtonStartUnsplit", "lineEditUnsplitProgress", QStringLiteral("Start Unsplit"),
            QStringLiteral("Stop Unsplit")};
}

} // namespace

class tst_DialogManualRepairExtract : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void formHasItsWidgetsAndTexts_data();
    void formHasItsWidgetsAndTexts();
    void formStartsIdleAndKeepsItsHeight();
    void fieldsFilledByTheProgramAreReadable_data();
    void fieldsFilledByTheProgramAreReadable();
    void browsingFillsFieldsAndEnablesStart();
    void refusedStartsChangeNothing_data();
    void refusedStartsChangeNothing();
    void par2FilesAreFoundAndOrdered();
    void par2JobRunsOnEverySet();
    void realPar2_data();
    void realPar2();
    void everySetOfTheFolderIsRepaired_data();
    void everySetOfTheFolderIsRepaired();
    void realUnrar_data();
    void realUnrar();
    void unrarPasswordIsPassedAsTyped_data();
    void unrarPasswordIsPassedAsTyped();
    void joining_data();
    void joining();
    void unsplitPercent_data();
    void unsplitPercent();
    void jobStartedAtOnceIsNotLost();
    void stopEndsOutsideProgram_data();
    void stopEndsOutsideProgram();
    void stopMidJoinLeavesNoJoinedFile();
    void closingIsRefusedWhileJobRuns();
    void destroyingWhileProgramRunsEndsIt();
    void destroyingWhileJoinIsHeldUpNeitherAbortsNorHangs();
    void escapeRejectsAndExitAccepts();

private:
    QPushButton* button(const char* name) const;
    QLineEdit* field(const char* name) const;
    void chooseFolder(const char* browseButton, const QString& folder);
    QString folder(const QString& name);
    QString standIns(const QByteArray& progressLine = QByteArray());
    QString par2Set();
    bool idle(const char* startButton, const QString& idleText) const;
    void checkRunningControls(const char* runningStart) const;
    void runJobToItsBox(const Area& area, int icon, const QString& title, const QString& text);

    std::unique_ptr<GuiTestHome> m_home;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<DialogManualRepairExtract> m_dialog;
};

void tst_DialogManualRepairExtract::initTestCase()
{
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    // A join whose pipe volume loses its reader must not kill the test with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("par2")).isEmpty(),
             "par2 must be installed (scripts/install-deps.sh)");
    QVERIFY2(QFileInfo(QCoreApplication::applicationDirPath() + QStringLiteral("/unrar")).isExecutable(),
             "the program's unrar is built beside the tests");
}

void tst_DialogManualRepairExtract::init()
{
    m_home.reset(new GuiTestHome);
    QVERIFY(m_home->isValid());
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_answerer.reset(new ModalAnswerer);
    m_dialog.reset(new DialogManualRepairExtract);
    m_dialog->show();
}

void tst_DialogManualRepairExtract::cleanup()
{
    m_dialog.reset();
    m_answerer.reset();
    m_dir.reset();
    m_home.reset();
}

QPushButton* tst_DialogManualRepairExtract::button(const char* name) const
{
    QPushButton* found = m_dialog->findChild<QPushButton*>(QLatin1String(name));
    if (!found)
        qWarning("no button %s", name);
    return found;
}

QLineEdit* tst_DialogManualRepairExtract::field(const char* name) const
{
    QLineEdit* found = m_dialog->findChild<QLineEdit*>(QLatin1String(name));
    if (!found)
        qWarning("no field %s", name);
    return found;
}

// Picks `folder` in the folder chooser that the browse button opens.
void tst_DialogManualRepairExtract::chooseFolder(const char* browseButton, const QString& folder)
{
    const int before = m_answerer->answeredCount();
    m_answerer->chooseFileNext(folder);
    button(browseButton)->click();
    QCOMPARE(m_answerer->answeredCount(), before + 1);
    QCOMPARE(m_answerer->seen().last().className, QStringLiteral("QFileDialog"));
}

QString tst_DialogManualRepairExtract::folder(const QString& name)
{
    const QString path = m_dir->filePath(name);
    if (!QDir().mkpath(path))
        return QString();
    return path;
}

// A program folder whose par2 and unrar run slowly while the file "slow" exists in it
// (writing their process id to "pid" and one line of progress: `progressLine`, or a line of
// their own), and otherwise write their arguments to "args", one a line, and succeed.
QString tst_DialogManualRepairExtract::standIns(const QByteArray& progressLine)
{
    const QString programs = folder(QStringLiteral("programs"));
    const QByteArray dir = programs.toUtf8();
    const QByteArray common = "if [ -e '" + dir + "/slow' ]; then echo $$ > '" + dir
        + "/pid'; printf '%s\\n' \"$PROGRESS\"; exec sleep 120; fi\n"
          "printf '%s\\n' \"$@\" >> '" + dir + "/args'\n";
    const auto progress = [&progressLine](const QByteArray& ownLine) {
        return "PROGRESS='" + (progressLine.isEmpty() ? ownLine : progressLine) + "'\n";
    };
    StandInProgram::write(programs, QStringLiteral("par2"),
                          progress("Loading: 5.3%") + common
                              + "echo 'All files are correct, repair is not required.'");
    StandInProgram::write(programs, QStringLiteral("unrar"),
                          progress("Extracting  archive.rar     45%") + common + "echo 'All OK'");
    return programs;
}

// Three files with a PAR2 set of 60 data blocks and 6 recovery blocks, made by par2 itself,
// in a folder whose name holds blanks and a non-ASCII letter.
QString tst_DialogManualRepairExtract::par2Set()
{
    const QString set = folder(QStringLiteral("Set ü with blanks"));
    quint32 seed = 1;
    for (const char* name : {"a.bin", "b.bin", "c.bin"}) {
        if (!writeFile(set + QLatin1Char('/') + QLatin1String(name), patternBytes(200000, seed++)))
            return QString();
    }
    QProcess create;
    create.setWorkingDirectory(set);
    create.start(QStringLiteral("par2"),
                 {QStringLiteral("c"), QStringLiteral("-q"), QStringLiteral("-s10000"),
                  QStringLiteral("-r10"), QStringLiteral("movie.par2"), QStringLiteral("a.bin"),
                  QStringLiteral("b.bin"), QStringLiteral("c.bin")});
    if (!create.waitForFinished(kJobTimeoutMs) || create.exitCode() != 0)
        return QString();
    return set;
}

bool tst_DialogManualRepairExtract::idle(const char* startButton, const QString& idleText) const
{
    return button(startButton)->text() == idleText && button(startButton)->isEnabled()
        && button("pushButtonExit")->isEnabled();
}

// While a job runs only its own start button (its stop button) and the password field can
// be used.
void tst_DialogManualRepairExtract::checkRunningControls(const char* runningStart) const
{
    for (const char* name : {"pushButtonExit", "pushButtonBrowsePar2Path", "pushButtonBrowseUnrarPath",
                             "pushButtonBrowseUnrarDestination", "pushButtonBrowseUnsplitPath",
                             "pushButtonBrowseUnsplitDestination", "pushButtonStartPar2",
                             "pushButtonStartUnrar", "pushButtonStartUnsplit"}) {
        const bool expected = qstrcmp(name, runningStart) == 0;
        QVERIFY2(button(name)->isEnabled() == expected, name);
    }
    QVERIFY(field("lineEditUnrarPassword")->isEnabled());
}

// Runs the area's job with the folders chosen: the controls while it runs, the box that
// ends it, and the area idle again once the box is shown.
void tst_DialogManualRepairExtract::runJobToItsBox(const Area& area, int icon, const QString& title,
                                                   const QString& text)
{
    const int before = m_answerer->answeredCount();
    m_answerer->pressNext(QMessageBox::Ok);
    button(area.start)->click();
    QCOMPARE(button(area.start)->text(), area.stopText);
    checkRunningControls(area.start);

    QVERIFY(m_answerer->waitForAnswered(before + 1, kJobTimeoutMs));
    const ModalAnswerer::Seen& box = m_answerer->seen().last();
    QCOMPARE(int(box.icon), icon);
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, text);
    QVERIFY(idle(area.start, area.idleText));
    QVERIFY(field(area.progress)->text().isEmpty());
}

// --- The form ------------------------------------------------------------------------------

void tst_DialogManualRepairExtract::formHasItsWidgetsAndTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("toolTip");

    const auto row = [](const char* name, const char* kind, const char* text, const char* tip) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                            << QString::fromLatin1(text) << QString::fromLatin1(tip);
    };
    row("groupBox", "QGroupBox", "PAR2 repairing", "");
    row("label", "QLabel", "Directory to repair :", "");
    row("label_2", "QLabel", "", "");
    row("label_3", "QLabel", "Progress :", "");
    row("lineEditPar2Path", "QLineEdit", "", "");
    row("pushButtonBrowsePar2Path", "QPushButton", "...", "Browse Par2 directory");
    row("pushButtonStartPar2", "QPushButton", "Start repairing", "");
    row("lineEditPar2Progress", "QLineEdit", "", "");
    row("groupBox_2", "QGroupBox", "Extraction", "");
    row("label_4", "QLabel", "", "");
    row("label_5", "QLabel", "Archive to extract :", "");
    row("label_6", "QLabel", "Progress :", "");
    row("label_7", "QLabel", "Destination folder :", "");
    row("label_8", "QLabel", "Password (optional) :", "");
    row("lineEditUnrarPath", "QLineEdit", "", "");
    row("pushButtonBrowseUnrarPath", "QPushButton", "...", "Browse Rar directory");
    row("lineEditUnrarDestinationPath", "QLineEdit", "", "");
    row("pushButtonBrowseUnrarDestination", "QPushButton", "...", "Browse Rar destination directory");
    row("lineEditUnrarPassword", "QLineEdit", "", "");
    row("pushButtonStartUnrar", "QPushButton", "Start Unrar", "");
    row("lineEditUnrarProgress", "QLineEdit", "", "");
    row("groupBox_3", "QGroupBox", "Unsplit", "");
    row("label_9", "QLabel", "", "");
    row("label_10", "QLabel", "Archive to unsplit :", "");
    row("label_11", "QLabel", "Progress :", "");
    row("label_12", "QLabel", "Destination folder :", "");
    row("lineEditUnsplitPath", "QLineEdit", "", "");
    row("pushButtonBrowseUnsplitPath", "QPushButton", "...", "Browse Split directory");
    row("lineEditUnsplitDestinationPath", "QLineEdit", "", "");
    row("pushButtonBrowseUnsplitDestination", "QPushButton", "...", "Browse Split destination directory");
    row("pushButtonStartUnsplit", "QPushButton", "Start Unsplit", "");
    row("lineEditUnsplitProgress", "QLineEdit", "", "");
    row("pushButtonExit", "QPushButton", "Exit", "Exit");
}

void tst_DialogManualRepairExtract::formHasItsWidgetsAndTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, toolTip);

    QWidget* widget = m_dialog->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
    QCOMPARE(widget->toolTip(), toolTip);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), text);
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(box->title(), text);
    else if (auto* push = qobject_cast<QPushButton*>(widget))
        QCOMPARE(push->text(), text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->font().family(), QStringLiteral("Arial"));
        QCOMPARE(edit->height(), 20);
    }
}

void tst_DialogManualRepairExtract::fieldsFilledByTheProgramAreReadable_data()
{
    QTest::addColumn<QString>("style");
    QTest::newRow("the program's style") << QString();
    QTest::newRow("Fusion, where the program's style is missing") << QStringLiteral("Fusion");
}

// The fields the program fills are disabled and dark: their text must still stand out, also in
// the dialog as the main window opens it (its child, under the window's style sheet).
void tst_DialogManualRepairExtract::fieldsFilledByTheProgramAreReadable()
{
    QFETCH(QString, style);
    QApplication::setStyle(style.isEmpty() ? AppStyle::create() : QStyleFactory::create(style));
    QMainWindow window;
    window.setStyleSheet(QStringLiteral("QMainWindow {\nbackground-color: qlineargradient(spread:pad, x1:0, y1:0, "
                                        "x2:0, y2:1, stop:0 rgba(242, 242, 242, 255), stop:0.5 rgba(236, 236, 236, "
                                        "255), stop:1 rgba(223, 223, 223, 255))\n}"));
    DialogManualRepairExtract dialog(&window);
    dialog.setWindowFlags(Qt::Sheet);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->isEnabled())
            continue;
        edit->setText(QStringLiteral("/home/user/Downloads/Holiday pictures"));
        const double contrast = TextContrast::ofWidget(edit);
        QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(edit->objectName()).arg(contrast)));
    }
    if (style.isEmpty())
        WidgetPicture::save(&dialog, QStringLiteral("DialogManualRepairExtract_filled"));
    QApplication::setStyle(AppStyle::create());
}

void tst_DialogManualRepairExtract::formStartsIdleAndKeepsItsHeight()
{
    QCOMPARE(m_dialog->objectName(), QStringLiteral("DialogManualRepairExtract"));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Manual repair / extraction / unsplit"));
    QCOMPARE(m_dialog->font().family(), QStringLiteral("Arial"));
    QVERIFY(!m_dialog->windowIcon().isNull());
    QCOMPARE(m_dialog->size(), QSize(618, 535));
    QCOMPARE(m_dialog->minimumSize(), QSize(618, 535));
    QCOMPARE(m_dialog->maximumSize(), QSize(QWIDGETSIZE_MAX, 535));

    // Every field but the password is filled by the program only; nothing can start yet.
    for (QLineEdit* edit : m_dialog->findChildren<QLineEdit*>())
        QCOMPARE(edit->isEnabled(), edit->objectName() == QLatin1String("lineEditUnrarPassword"));
    for (const char* start : {"pushButtonStartPar2", "pushButtonStartUnrar", "pushButtonStartUnsplit"})
        QVERIFY2(!button(start)->isEnabled(), start);
    QCOMPARE(field("lineEditUnrarPassword")->echoMode(), QLineEdit::PasswordEchoOnEdit);
    for (const char* icon : {"label_2", "label_4", "label_9"}) {
        const QLabel* label = m_dialog->findChild<QLabel*>(QLatin1String(icon));
        QVERIFY2(!label->pixmap(Qt::ReturnByValue).isNull(), icon);
        QCOMPARE(label->size(), QSize(20, 18));
    }
    WidgetPicture::save(m_dialog.get(), QStringLiteral("DialogManualRepairExtract"));
    // The three areas fit the fixed height: no control is squeezed below its own height and
    // none overlaps another.
    for (const char* group : {"groupBox", "groupBox_2", "groupBox_3"}) {
        const QList<QWidget*> controls =
            m_dialog->findChild<QGroupBox*>(QLatin1String(group))->findChildren<QWidget*>();
        for (const QWidget* control : controls) {
            const int needed = qMin(control->minimumSizeHint().height(), control->maximumHeight());
            QVERIFY2(control->height() >= needed, qPrintable(control->objectName()));
            for (const QWidget* other : controls) {
                QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                         qPrintable(control->objectName() + QLatin1Char('/') + other->objectName()));
            }
        }
    }

    m_dialog->resize(900, 800);
    QTRY_COMPARE(m_dialog->size(), QSize(900, 535));
}

void tst_DialogManualRepairExtract::browsingFillsFieldsAndEnablesStart()
{
    const QString source = folder(QStringLiteral("source dir"));
    const QString target = folder(QStringLiteral("target"));

    chooseFolder("pushButtonBrowsePar2Path", source);
    QCOMPARE(m_answerer->seen().last().title, QStringLiteral("Choose PAR2 directory"));
    QCOMPARE(field("lineEditPar2Path")->text(), source);
    QVERIFY(button("pushButtonStartPar2")->isEnabled());

    // A cancelled chooser leaves the field and the button as they were.
    m_answerer->rejectNext();
    button("pushButtonBrowsePar2Path")->click();
    QCOMPARE(field("lineEditPar2Path")->text(), source);
    QVERIFY(button("pushButtonStartPar2")->isEnabled());

    // Extraction and joining need both of their folders.
    const QList<QList<const char*>> pairs{
        {"pushButtonBrowseUnrarPath", "pushButtonBrowseUnrarDestination", "pushButtonStartUnrar",
         "Choose Unrar directory", "Choose Unrar Destination directory"},
        {"pushButtonBrowseUnsplitPath", "pushButtonBrowseUnsplitDestination",
         "pushButtonStartUnsplit", "Choose Unsplit directory", "Choose Unsplit destination"}};
    for (const QList<const char*>& pair : pairs) {
        chooseFolder(pair.at(0), source);
        QCOMPARE(m_answerer->seen().last().title, QString::fromLatin1(pair.at(3)));
        QVERIFY(!button(pair.at(2))->isEnabled());
        chooseFolder(pair.at(1), target);
        QCOMPARE(m_answerer->seen().last().title, QString::fromLatin1(pair.at(4)));
        QVERIFY(button(pair.at(2))->isEnabled());
    }
    QCOMPARE(field("lineEditUnrarPath")->text(), source);
    QCOMPARE(field("lineEditUnrarDestinationPath")->text(), target);
    QCOMPARE(field("lineEditUnsplitPath")->text(), source);
    QCOMPARE(field("lineEditUnsplitDestinationPath")->text(), target);
}

void tst_DialogManualRepairExtract::refusedStartsChangeNothing_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("missing");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("PAR2 folder deleted") << "par2" << "source" << int(QMessageBox::Critical)
                                         << "Error" << "Directory %1 does not exist.";
    QTest::newRow("no PAR2 file") << "par2" << "par2 file" << int(QMessageBox::Information) << "Info"
                                  << "No PAR2 file found in %1.";
    QTest::newRow("archive folder deleted") << "unrar" << "source" << int(QMessageBox::Critical)
                                            << "Error" << "Directory %1 does not exist.";
    QTest::newRow("extraction folder deleted")
        << "unrar" << "destination" << int(QMessageBox::Critical) << "Error"
        << "Destination directory %1 does not exist.";
    QTest::newRow("split folder deleted") << "unsplit" << "source" << int(QMessageBox::Critical)
                                          << "Error" << "Directory %1 does not exist.";
    QTest::newRow("join folder deleted") << "unsplit" << "destination" << int(QMessageBox::Critical)
                                         << "Error" << "Destination directory %1 does not exist.";
}

void tst_DialogManualRepairExtract::refusedStartsChangeNothing()
{
    QFETCH(QString, area);
    QFETCH(QString, missing);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);

    const QString source = folder(QStringLiteral("source"));
    const QString target = folder(QStringLiteral("target"));
    QVERIFY(writeFile(source + QStringLiteral("/movie.avi.001"), "data")); // not a PAR2 file
    const Area controls = areaNamed(area);
    const char* start = controls.start;
    if (area == QLatin1String("par2")) {
        chooseFolder("pushButtonBrowsePar2Path", source);
    } else if (area == QLatin1String("unrar")) {
        chooseFolder("pushButtonBrowseUnrarPath", source);
        chooseFolder("pushButtonBrowseUnrarDestination", target);
    } else {
        chooseFolder("pushButtonBrowseUnsplitPath", source);
        chooseFolder("pushButtonBrowseUnsplitDestination", target);
    }
    const QString gone = missing == QLatin1String("destination") ? target : source;
    if (missing != QLatin1String("par2 file"))
        QVERIFY(QDir(gone).removeRecursively());

    const int before = m_answerer->answeredCount();
    m_answerer->pressNext(QMessageBox::Ok);
    button(start)->click();
    QCOMPARE(m_answerer->answeredCount(), before + 1);
    const ModalAnswerer::Seen& box = m_answerer->seen().last();
    QCOMPARE(int(box.icon), icon);
    QCOMPARE(box.title, title);
    QCOMPARE(box.text, text.arg(gone));
    QVERIFY(idle(start, controls.idleText));
    for (const char* other : {"pushButtonStartPar2", "pushButtonStartUnrar", "pushButtonStartUnsplit"}) {
        if (qstrcmp(other, start) != 0)
            QVERIFY(!button(other)->isEnabled()); // their folders were never chosen
    }
    // No job was handed over: nothing comes back.
    QTest::qWait(300);
    QCOMPARE(m_answerer->answeredCount(), before + 1);
    QVERIFY(target.isEmpty() || !QFile::exists(target + QStringLiteral("/movie.avi")));
}

// --- PAR2 ----------------------------------------------------------------------------------

void tst_DialogManualRepairExtract::par2FilesAreFoundAndOrdered()
{
    const QString set = folder(QStringLiteral("set"));
    for (const char* name : {"a.vol00+01.par2", "a.par2", "B.par2", "X.PAR2", ".hidden.par2",
                             "movie.avi", "notes.par2.txt"})
        QVERIFY(writeFile(set + QLatin1Char('/') + QLatin1String(name), "x"));
    QVERIFY(QDir().mkpath(set + QStringLiteral("/folder.par2")));

    QStringList names;
    for (const QFileInfo& file : DialogManualRepairExtract::par2Files(set)) {
        QVERIFY(file.isAbsolute());
        names << file.fileName();
    }
    // Upper case sorts first; the name's case does not keep a file out.
    QCOMPARE(names, (QStringList{"B.par2", "X.PAR2", "a.par2", "a.vol00+01.par2"}));
    QVERIFY(DialogManualRepairExtract::par2Files(QString()).isEmpty());
    QVERIFY(DialogManualRepairExtract::par2Files(m_dir->filePath(QStringLiteral("none"))).isEmpty());
}

// One job per set, in name order: the index file of a set, a volume of a set without one.
void tst_DialogManualRepairExtract::par2JobRunsOnEverySet()
{
    const QString programs = standIns();
    m_dialog->setProgramFolder(programs);
    const QString set = folder(QStringLiteral("My Set ü"));
    for (const char* name : {"a.par2", "a.vol00+01.par2", "B.par2", "c.vol01+02.par2", "c.vol00+01.par2", "movie.avi"})
        QVERIFY(writeFile(set + QLatin1Char('/') + QLatin1String(name), "x"));

    chooseFolder("pushButtonBrowsePar2Path", set);
    m_answerer->pressNext(QMessageBox::Ok);
    button("pushButtonStartPar2")->click();
    QVERIFY(m_answerer->waitForAnswered(2, kJobTimeoutMs));
    QCOMPARE(m_answerer->seen().last().text, QStringLiteral("3 PAR2 sets:\nB: successful\na: successful\nc: successful"));
    const QString call = QStringLiteral("r\n-T%1\n%2/%3\n%2/*\n").arg(ThreadParity::fileThreads(QThread::idealThreadCount()));
    QCOMPARE(QString::fromUtf8(readFile(programs + QStringLiteral("/args"))),
             call.arg(set, QStringLiteral("B.par2")) + call.arg(set, QStringLiteral("a.par2"))
                 + call.arg(set, QStringLiteral("c.vol00+01.par2")));
}

void tst_DialogManualRepairExtract::realPar2_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("intact") << "none" << int(QMessageBox::Information) << "Info"
                            << "PAR2 successful !";
    QTest::newRow("repairable") << "overwrite" << int(QMessageBox::Information) << "Info"
                                << "PAR2 successful !";
    // 20 blocks lost with a.bin, 6 recovery blocks at hand.
    QTest::newRow("unrepairable") << "delete" << int(QMessageBox::Warning) << "Warning"
                                  << "PAR2 : need 14 more block(s) to repair.";
}

void tst_DialogManualRepairExtract::realPar2()
{
    QFETCH(QString, damage);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);

    const QString set = par2Set();
    QVERIFY(!set.isEmpty());
    const QString b = set + QStringLiteral("/b.bin");
    const QByteArray original = readFile(b);
    if (damage == QLatin1String("overwrite")) {
        QByteArray damaged = original;
        damaged.replace(50000, 15000, QByteArray(15000, '\0'));
        QVERIFY(writeFile(b, damaged));
    } else if (damage == QLatin1String("delete")) {
        QVERIFY(QFile::remove(set + QStringLiteral("/a.bin")));
    }

    chooseFolder("pushButtonBrowsePar2Path", set);
    runJobToItsBox(areaNamed(QStringLiteral("par2")), icon, title, text);
    QVERIFY(button("pushButtonBrowsePar2Path")->isEnabled());
    if (damage != QLatin1String("delete"))
        QCOMPARE(readFile(b), original);
}

void tst_DialogManualRepairExtract::everySetOfTheFolderIsRepaired_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("second set damaged") << "overwrite" << int(QMessageBox::Information) << "Info"
                                        << "2 PAR2 sets:\nfirst: successful\nsecond: successful";
    QTest::newRow("second set posted without its index")
        << "overwrite, no index" << int(QMessageBox::Information) << "Info"
        << "2 PAR2 sets:\nfirst: successful\nsecond: successful";
    // 20 blocks lost with c.bin, 4 recovery blocks at hand.
    QTest::newRow("second set beyond repair") << "delete" << int(QMessageBox::Warning) << "Warning"
                                              << "2 PAR2 sets:\nfirst: successful\nsecond: need 16 more block(s) to repair";
}

// Two PAR2 sets in one folder, the second one damaged: both are verified, the damaged one is
// repaired, and the box names each set with its result.
void tst_DialogManualRepairExtract::everySetOfTheFolderIsRepaired()
{
    QFETCH(QString, damage);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);
    const QString set = folder(QStringLiteral("two sets"));
    quint32 seed = 10;
    for (const char* name : {"a.bin", "b.bin", "c.bin", "d.bin"})
        QVERIFY(writeFile(set + QLatin1Char('/') + QLatin1String(name), patternBytes(200000, seed++)));
    for (const QStringList& arguments : {QStringList{"first.par2", "a.bin", "b.bin"}, QStringList{"second.par2", "c.bin", "d.bin"}}) {
        QProcess create;
        create.setWorkingDirectory(set);
        create.start(QStringLiteral("par2"), QStringList{"c", "-q", "-s10000", "-r10"} + arguments);
        QVERIFY(create.waitForFinished(kJobTimeoutMs));
        QCOMPARE(create.exitCode(), 0);
    }
    const QString d = set + QStringLiteral("/d.bin");
    const QByteArray original = readFile(d);
    if (damage.startsWith(QLatin1String("overwrite"))) {
        QByteArray damaged = original;
        damaged.replace(50000, 15000, QByteArray(15000, '\0'));
        QVERIFY(writeFile(d, damaged));
    }
    if (damage.contains(QLatin1String("no index")))
        QVERIFY(QFile::remove(set + QStringLiteral("/second.par2")));
    if (damage == QLatin1String("delete"))
        QVERIFY(QFile::remove(set + QStringLiteral("/c.bin")));

    chooseFolder("pushButtonBrowsePar2Path", set);
    runJobToItsBox(areaNamed(QStringLiteral("par2")), icon, title, text);
    if (damage != QLatin1String("delete"))
        QCOMPARE(readFile(d), original);
}

// --- Extraction ----------------------------------------------------------------------------

void tst_DialogManualRepairExtract::realUnrar_data()
{
    QTest::addColumn<QStringList>("archives");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("extracted");

    const QStringList fooBar{"bar.txt", "foo.txt"};
    QTest::newRow("plain archive")
        << QStringList{"libarchive/test_read_format_rar5_multiple_files.rar"} << QString()
        << int(QMessageBox::Information) << "Info" << "Unrar successful !"
        << QStringList{"test1.bin", "test2.bin", "test3.bin", "test4.bin"};
    QTest::newRow("volume set")
        << QStringList{"libarchive/test_rar_multivolume_single_file.part1.rar",
                       "libarchive/test_rar_multivolume_single_file.part2.rar",
                       "libarchive/test_rar_multivolume_single_file.part3.rar"}
        << QString() << int(QMessageBox::Information) << "Info" << "Unrar successful !"
        << QStringList{"LibarchiveAddingTest.html"};
    QTest::newRow("right password")
        << QStringList{"libarchive/test_read_format_rar_encryption_data.rar"} << "12345678"
        << int(QMessageBox::Information) << "Info" << "Unrar successful !" << fooBar;
    QTest::newRow("wrong password")
        << QStringList{"libarchive/test_read_format_rar_encryption_data.rar"} << "wrong"
        << int(QMessageBox::Critical) << "Error" << "Unrar error: exit code: 11, exit status: 0"
        << QStringList();
    QTest::newRow("no archive") << QStringList{"derived/SOURCE.txt"} << QString()
                                << int(QMessageBox::Warning) << "Warning"
                                << "No rar file found in directory : %1" << QStringList();
}

void tst_DialogManualRepairExtract::realUnrar()
{
    QFETCH(QStringList, archives);
    QFETCH(QString, password);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QStringList, extracted);

    const QString source = folder(QStringLiteral("down load"));
    const QString target = folder(QStringLiteral("extrac ted"));
    QStringList names;
    for (const QString& archive : archives) {
        names << QFileInfo(archive).fileName();
        QVERIFY(QFile::copy(rarData(archive), source + QLatin1Char('/') + names.last()));
    }
    names.sort();

    chooseFolder("pushButtonBrowseUnrarPath", source);
    chooseFolder("pushButtonBrowseUnrarDestination", target);
    QTest::keyClicks(field("lineEditUnrarPassword"), password);
    runJobToItsBox(areaNamed(QStringLiteral("unrar")), icon, title,
                   text.contains(QLatin1String("%1")) ? text.arg(source) : text);
    // Manual jobs leave the volumes where they were.
    QCOMPARE(entries(source), names);
    if (!extracted.isEmpty())
        QCOMPARE(QDir(target).entryList(QDir::Files, QDir::Name), extracted);
}

void tst_DialogManualRepairExtract::unrarPasswordIsPassedAsTyped_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("passwordArgument");

    QTest::newRow("none") << QString() << "-p-";
    QTest::newRow("blanks only") << "   " << "-p   ";
    QTest::newRow("quote and blank") << "pa ss\"word" << "-ppa ss\"word";
}

void tst_DialogManualRepairExtract::unrarPasswordIsPassedAsTyped()
{
    QFETCH(QString, password);
    QFETCH(QString, passwordArgument);

    const QString programs = standIns();
    m_dialog->setProgramFolder(programs);
    const QString source = folder(QStringLiteral("source"));
    const QString target = folder(QStringLiteral("target"));
    QVERIFY(writeFile(source + QStringLiteral("/archive.rar"), "Rar!"));
    chooseFolder("pushButtonBrowseUnrarPath", source);
    chooseFolder("pushButtonBrowseUnrarDestination", target);
    QTest::keyClicks(field("lineEditUnrarPassword"), password);
    m_answerer->pressNext(QMessageBox::Ok);
    button("pushButtonStartUnrar")->click();
    QVERIFY(m_answerer->waitForAnswered(3, kJobTimeoutMs));
    QCOMPARE(m_answerer->seen().last().text, QStringLiteral("Unrar successful !"));
    const QStringList arguments =
        QString::fromUtf8(readFile(programs + QStringLiteral("/args"))).split(QLatin1Char('\n'));
    QVERIFY2(arguments.contains(passwordArgument), qPrintable(arguments.join(QLatin1Char('|'))));
    QVERIFY(arguments.contains(source + QStringLiteral("/archive.rar")));
    QVERIFY(arguments.contains(target));
}

// --- Joining -------------------------------------------------------------------------------

void tst_DialogManualRepairExtract::joining_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("numbered set") << "plain" << int(QMessageBox::Information) << "Info"
                                  << "Unsplit successful !";
    QTest::newRow("nothing to join") << "none" << int(QMessageBox::Information) << "Info"
                                     << "Unsplit - no splitted file found";
    QTest::newRow("volume missing") << "xtm gap" << int(QMessageBox::Critical) << "Error"
                                    << "Unsplit error : Unsplit: Error while opening file: movie.002.xtm";
    // A numbered set is joined whole or not at all: not up to a gap, nor up to a volume that
    // cannot be read, and a named pipe is never opened (the dialog would hang, Stop with it).
    QTest::newRow("numbered set with a gap") << "plain gap" << int(QMessageBox::Critical) << "Error"
                                             << "Unsplit error : Unsplit: volume movie.avi.002 is missing";
    QTest::newRow("numbered set with a folder for a volume")
        << "plain folder" << int(QMessageBox::Critical) << "Error"
        << "Unsplit error : Unsplit: failed to open source file {source}/movie.avi.002";
    QTest::newRow("numbered set with a named pipe for a volume")
        << "plain pipe" << int(QMessageBox::Critical) << "Error"
        << "Unsplit error : Unsplit: failed to open source file {source}/movie.avi.002";
}

void tst_DialogManualRepairExtract::joining()
{
    QFETCH(QString, set);
    QFETCH(int, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);

    const QString source = folder(QStringLiteral("split files"));
    const QString target = folder(QStringLiteral("joined"));
    const QByteArray data = patternBytes(250000, 7);
    QStringList volumes;
    if (set == QLatin1String("plain")) {
        volumes = SplitSets::writePlainSet(source, QStringLiteral("movie.avi"), data, 100000);
        QCOMPARE(volumes.size(), 3);
    } else if (set == QLatin1String("xtm gap")) {
        SplitSets::XtremHeader header;
        header.nameField = "movie.avi";
        volumes = SplitSets::writeXtremSet(source, QStringLiteral("movie"), data, 100000, header);
        QVERIFY(QFile::remove(volumes.takeAt(1)));
    }
    std::unique_ptr<FifoUnblocker> pipe;
    if (set.startsWith(QLatin1String("plain "))) {
        volumes = SplitSets::writePlainSet(source, QStringLiteral("movie.avi"), data, 100000);
        const QString second = volumes.takeAt(1);
        QVERIFY(QFile::remove(second));
        if (set == QLatin1String("plain folder"))
            QVERIFY(QDir().mkdir(second));
        if (set == QLatin1String("plain pipe")) {
            pipe = std::make_unique<FifoUnblocker>(second);
            QVERIFY(pipe->isMade());
        }
    }
    QVERIFY(writeFile(source + QStringLiteral("/readme.txt"), "not a volume"));

    chooseFolder("pushButtonBrowseUnsplitPath", source);
    chooseFolder("pushButtonBrowseUnsplitDestination", target);
    runJobToItsBox(areaNamed(QStringLiteral("unsplit")), icon, title,
                   text.replace(QLatin1String("{source}"), QDir(source).absolutePath()));
    for (const QString& volume : qAsConst(volumes))
        QVERIFY2(QFile::exists(volume), qPrintable(volume)); // manual jobs keep the volumes
    if (pipe)
        QVERIFY2(!pipe->wasOpened(), "the named pipe was opened");
    if (set == QLatin1String("plain"))
        QCOMPARE(readFile(target + QStringLiteral("/movie.avi")), data);
    else
        QVERIFY(!QFileInfo::exists(target + QStringLiteral("/movie.avi")));
}

void tst_DialogManualRepairExtract::unsplitPercent_data()
{
    QTest::addColumn<quint32>("current");
    QTest::addColumn<quint32>("total");
    QTest::addColumn<int>("percent");

    QTest::newRow("3 of 4") << 3u << 4u << 75;
    QTest::newRow("1 of 3 truncates") << 1u << 3u << 33;
    QTest::newRow("last") << 4u << 4u << 100;
    QTest::newRow("beyond the total") << 5u << 4u << 100;
    QTest::newRow("total unknown") << 1u << 0u << 0;
    QTest::newRow("nothing yet, total unknown") << 0u << 0u << 0;
    QTest::newRow("large numbers do not wrap") << 4000000000u << 4000000001u << 99;
}

void tst_DialogManualRepairExtract::unsplitPercent()
{
    QFETCH(quint32, current);
    QFETCH(quint32, total);
    QFETCH(int, percent);
    QCOMPARE(DialogManualRepairExtract::unsplitPercent(current, total), percent);
}

// A job asked for the moment the dialog is built waits until its worker takes jobs.
void tst_DialogManualRepairExtract::jobStartedAtOnceIsNotLost()
{
    const QString source = folder(QStringLiteral("empty"));
    const QString target = folder(QStringLiteral("target"));
    for (int round = 0; round < 3; ++round) {
        m_dialog.reset(new DialogManualRepairExtract);
        field("lineEditUnsplitPath")->setText(source);
        field("lineEditUnsplitDestinationPath")->setText(target);
        m_answerer->pressNext(QMessageBox::Ok);
        m_dialog->slotUnsplitStopStart();
        QVERIFY(m_answerer->waitForAnswered(round + 1, kJobTimeoutMs));
        QCOMPARE(m_answerer->seen().last().text, QStringLiteral("Unsplit - no splitted file found"));
    }
}

// --- Stopping and closing ------------------------------------------------------------------

void tst_DialogManualRepairExtract::stopEndsOutsideProgram_data()
{
    QTest::addColumn<QString>("area");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("progress");
    QTest::addColumn<QString>("success");

    QTest::newRow("par2") << "par2" << QByteArray() << "Loading: 5.3%" << "PAR2 successful !";
    QTest::newRow("unrar") << "unrar" << QByteArray() << "Unrar progress: 45%"
                           << "Unrar successful !";
    QTest::newRow("unrar before its first percentage")
        << "unrar" << QByteArray("Extracting from archive.rar") << "Unrar in progress..."
        << "Unrar successful !";
}

void tst_DialogManualRepairExtract::stopEndsOutsideProgram()
{
    QFETCH(QString, area);
    QFETCH(QByteArray, output);
    QFETCH(QString, progress);
    QFETCH(QString, success);

    const QString programs = standIns(output);
    m_dialog->setProgramFolder(programs);
    QVERIFY(writeFile(programs + QStringLiteral("/slow"), ""));
    const QString source = folder(QStringLiteral("source"));
    const QString target = folder(QStringLiteral("target"));
    QVERIFY(writeFile(source + QStringLiteral("/movie.par2"), "x"));
    QVERIFY(writeFile(source + QStringLiteral("/archive.rar"), "Rar!"));

    const Area controls = areaNamed(area);
    const char* start = controls.start;
    if (area == QLatin1String("par2")) {
        chooseFolder("pushButtonBrowsePar2Path", source);
    } else {
        chooseFolder("pushButtonBrowseUnrarPath", source);
        chooseFolder("pushButtonBrowseUnrarDestination", target);
    }
    const int boxes = m_answerer->answeredCount();

    button(start)->click();
    QTRY_COMPARE_WITH_TIMEOUT(field(controls.progress)->text(), progress, kJobTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::readPid(programs + QStringLiteral("/pid")) > 0,
                             kJobTimeoutMs);
    const qint64 pid = StandInProgram::readPid(programs + QStringLiteral("/pid"));
    if (output.isEmpty())
        WidgetPicture::save(m_dialog.get(), QStringLiteral("DialogManualRepairExtract_running_") + area);

    // The next job is asked for the moment the area is idle again, while its worker is
    // only just starting again.
    QVERIFY(QFile::remove(programs + QStringLiteral("/slow")));
    QVERIFY(QFile::remove(programs + QStringLiteral("/pid")));
    const char* startSlot =
        area == QLatin1String("par2") ? "slotPar2StopStart" : "slotUnrarStopStart";
    bool restarted = false;
    connect(field(controls.progress), &QLineEdit::textChanged, this, [&](const QString& text) {
        if (!text.isEmpty() || restarted)
            return;
        restarted = true;
        QMetaObject::invokeMethod(m_dialog.get(), startSlot, Qt::QueuedConnection);
    });
    m_answerer->pressNext(QMessageBox::Ok);

    button(start)->click(); // Stop
    // The area stays busy until its worker has ended; then everything is as before the job.
    checkRunningControls(nullptr);
    QCOMPARE(button(start)->text(), controls.stopText);
    QTRY_VERIFY_WITH_TIMEOUT(restarted, kJobTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::isGone(pid), kJobTimeoutMs);
    // The stopped job's own end is no result to show: the first box is the next job's.
    QVERIFY(m_answerer->waitForAnswered(boxes + 1, kJobTimeoutMs));
    QCOMPARE(m_answerer->seen().last().text, success);
    QVERIFY(idle(start, controls.idleText));
    QTest::qWait(300);
    QCOMPARE(m_answerer->answeredCount(), boxes + 1);

    QSignalSpy accepted(m_dialog.get(), &QDialog::accepted);
    button("pushButtonExit")->click();
    QCOMPARE(accepted.count(), 1);
    QVERIFY(!m_dialog->isVisible());
}

void tst_DialogManualRepairExtract::stopMidJoinLeavesNoJoinedFile()
{
    const QString source = folder(QStringLiteral("split"));
    const QString target = folder(QStringLiteral("joined"));
    const QByteArray first = patternBytes(100000, 1);
    const QByteArray second = patternBytes(65536, 2);
    QVERIFY(writeFile(source + QStringLiteral("/movie.avi.001"), first));
    const QString secondVolume = source + QStringLiteral("/movie.avi.002");
    QVERIFY(writeFile(secondVolume, second));
    const QString joined = target + QStringLiteral("/movie.avi");

    chooseFolder("pushButtonBrowseUnsplitPath", source);
    chooseFolder("pushButtonBrowseUnsplitDestination", target);
    const int boxes = m_answerer->answeredCount();
    {
        FileOpenHold hold(secondVolume);
        if (!hold.isHeld())
            QSKIP("the file system of the test's folder grants no file lease: a join cannot be held up");
        button("pushButtonStartUnsplit")->click();
        // Held up at the opening of the second volume, the first one joined.
        QTRY_COMPARE_WITH_TIMEOUT(field("lineEditUnsplitProgress")->text(),
                                  QStringLiteral("Unsplit in progress: 50%"), kJobTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(joined).size(), qint64(first.size()), kJobTimeoutMs);
        WidgetPicture::save(m_dialog.get(), QStringLiteral("DialogManualRepairExtract_running_unsplit"));
        button("pushButtonStartUnsplit")->click(); // Stop
        checkRunningControls(nullptr);
        hold.release();
        QTRY_VERIFY_WITH_TIMEOUT(idle("pushButtonStartUnsplit", QStringLiteral("Start Unsplit")),
                                 kJobTimeoutMs);
    }
    QVERIFY(!QFile::exists(joined));
    QTest::qWait(300);
    QCOMPARE(m_answerer->answeredCount(), boxes);

    // The same set joins at the next try.
    m_answerer->pressNext(QMessageBox::Ok);
    button("pushButtonStartUnsplit")->click();
    QVERIFY(m_answerer->waitForAnswered(boxes + 1, kJobTimeoutMs));
    QCOMPARE(m_answerer->seen().last().text, QStringLiteral("Unsplit successful !"));
    QCOMPARE(readFile(joined), first + second);
}

void tst_DialogManualRepairExtract::closingIsRefusedWhileJobRuns()
{
    const QString programs = standIns();
    m_dialog->setProgramFolder(programs);
    QVERIFY(writeFile(programs + QStringLiteral("/slow"), ""));
    const QString source = folder(QStringLiteral("source"));
    QVERIFY(writeFile(source + QStringLiteral("/movie.par2"), "x"));
    chooseFolder("pushButtonBrowsePar2Path", source);
    button("pushButtonStartPar2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(programs + QStringLiteral("/pid")), kJobTimeoutMs);

    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    QVERIFY(!m_dialog->close());
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(finished.count(), 0);
    // The password can still be typed; it changes nothing for the running job.
    QTest::keyClicks(field("lineEditUnrarPassword"), QStringLiteral("later"));
    QCOMPARE(field("lineEditUnrarPassword")->text(), QStringLiteral("later"));
    checkRunningControls("pushButtonStartPar2");
}

void tst_DialogManualRepairExtract::destroyingWhileProgramRunsEndsIt()
{
    const QString programs = standIns();
    m_dialog->setProgramFolder(programs);
    QVERIFY(writeFile(programs + QStringLiteral("/slow"), ""));
    const QString source = folder(QStringLiteral("source"));
    QVERIFY(writeFile(source + QStringLiteral("/movie.par2"), "x"));
    chooseFolder("pushButtonBrowsePar2Path", source);
    button("pushButtonStartPar2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(programs + QStringLiteral("/pid")), kJobTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::readPid(programs + QStringLiteral("/pid")) > 0,
                             kJobTimeoutMs);
    const qint64 pid = StandInProgram::readPid(programs + QStringLiteral("/pid"));

    m_dialog.reset();
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::isGone(pid), kJobTimeoutMs);
}

void tst_DialogManualRepairExtract::destroyingWhileJoinIsHeldUpNeitherAbortsNorHangs()
{
    const QString source = folder(QStringLiteral("split"));
    const QString target = folder(QStringLiteral("joined"));
    QVERIFY(writeFile(source + QStringLiteral("/movie.avi.001"), patternBytes(1000, 1)));
    const QString secondVolume = source + QStringLiteral("/movie.avi.002");
    QVERIFY(writeFile(secondVolume, patternBytes(500, 2)));
    const QString joined = target + QStringLiteral("/movie.avi");
    chooseFolder("pushButtonBrowseUnsplitPath", source);
    chooseFolder("pushButtonBrowseUnsplitDestination", target);

    FileOpenHold hold(secondVolume);
    if (!hold.isHeld())
        QSKIP("the file system of the test's folder grants no file lease: a join cannot be held up");
    button("pushButtonStartUnsplit")->click();
    QTRY_COMPARE_WITH_TIMEOUT(m_dialog->findChild<QLineEdit*>(QStringLiteral("lineEditUnsplitProgress"))->text(),
                              QStringLiteral("Unsplit in progress: 50%"), kJobTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(joined).size(), qint64(1000), kJobTimeoutMs);
    // The join cannot notice the stop while it waits to open its next volume: the dialog goes
    // anyway and its worker ends on its own once the volume opens.
    m_dialog.reset();
    QVERIFY(QFile::exists(joined));
    hold.release();
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(joined), kJobTimeoutMs);
}

void tst_DialogManualRepairExtract::escapeRejectsAndExitAccepts()
{
    // Return presses nothing through the dialog.
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    field("lineEditUnrarPassword")->setFocus();
    QTest::keyClick(field("lineEditUnrarPassword"), Qt::Key_Return);
    QCOMPARE(finished.count(), 0);
    QVERIFY(m_dialog->isVisible());

    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
    QVERIFY(!m_dialog->isVisible());

    m_dialog->show();
    button("pushButtonExit")->click();
    QCOMPARE(finished.count(), 2);
    QCOMPARE(finished.last().first().toInt(), int(QDialog::Accepted));

    // The window's close button closes an idle dialog.
    m_dialog->show();
    QVERIFY(m_dialog->close());
    QVERIFY(!m_dialog->isVisible());
}

QTEST_MAIN(tst_DialogManualRepairExtract)
#include "tst_DialogManualRepairExtract.moc"
