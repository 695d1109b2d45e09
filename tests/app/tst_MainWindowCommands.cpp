// The download list commands on a queue of NZBs, on the window built offscreen with the real
// engine: the rows, the model and the manager's queues after each command.
#include "MainWindowTestAccess.h"

#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "QsLog/Destination.h"
#include "QsLog/Logger.h"

#include "GuiTestHome.h"
#include "NzbLockHolder.h"
#include "WindowTestFixture.h"
#include "ModalAnswerer.h"
#include "WidgetPicture.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace WindowTestFixture;

namespace {

class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

QStringList fileNames(const NzbFiles *nzb)
{
    QStringList names;
    for (const NzbFile *file : nzb->getFilesCopy())
        names.append(file->getSubject().section(QLatin1Char('"'), 1, 1));
    return names;
}

QStringList childTexts(const QTreeWidgetItem *row)
{
    QStringList texts;
    for (int i = 0; i < row->childCount(); ++i)
        texts.append(row->child(i)->text(0));
    return texts;
}

int queuedSegmentsOf(const NzbFile *file)
{
    const DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    int count = 0;
    for (NzbSegment *segment : file->getSegments())
        count += manager->listSegments.count(segment);
    return count;
}

// Whether a column of a row (the destination column unless said) shows the image.
bool showsImage(const QTreeWidgetItem *row, const char *image, int column = 4)
{
    return row->icon(column).pixmap(16).toImage() == QIcon(QLatin1String(image)).pixmap(16).toImage();
}

void markDecoded(NzbFile *file)
{
    for (NzbSegment *segment : file->getSegments())
        segment->setDownloaded();
    file->bAllSegmentsProcessed = true;
    file->setDecoded(true);
}

} // namespace

class tst_MainWindowCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pauseResumeAndDownloadAgain();
    void moveFiles_data();
    void moveFiles();
    void moveFilesOfTwoNzbs();
    void moveNzbs_data();
    void moveNzbs();
    void removeManyAtOnce();
    void extractionChoice();
    void archivePassword();
    void keepPar2Files();
    void destinationFolder();
    void title_data();
    void title();
    void openFolders();
    void singleNzbCommandsIgnoreOthers();
    void commandsRefusedWhileCleaning();

private:
    QList<NzbFiles *> queueNzbs(const QList<QStringList> &nzbs);
    QTreeWidget *list();
    void select(const QList<QTreeWidgetItem *> &rows);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<MainWindow> window;
    CapturingDestination log;
};

void tst_MainWindowCommands::initTestCase()
{
    setUpApplication();
    QsLogging::Logger::getInstance()->setLevel(QsLogging::TraceLevel);
    QsLogging::Logger::getInstance()->attachDestination(&log);
}

void tst_MainWindowCommands::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    resetConfiguration(*home);
    window = std::make_unique<MainWindow>();
    log.clear();
}

// Every NZB leaves the queue again, so that the next test starts with an empty one.
void tst_MainWindowCommands::cleanup()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QList<NzbFiles *> queue = manager->listNzbFiles;
    QList<QTreeWidgetItem *> rows;
    for (NzbFiles *nzb : queue)
        rows.append(nzb->pTreeItem);
    emit window->signalDeleteNzbList(rows);
    for (NzbFiles *nzb : queue)
        AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
    window.reset();
    home.reset();
}

QList<NzbFiles *> tst_MainWindowCommands::queueNzbs(const QList<QStringList> &nzbs)
{
    QList<NzbFiles *> added;
    for (int i = 0; i < nzbs.size(); ++i) {
        const QString name = QStringLiteral("nzb%1").arg(i);
        const QString path = home->path() + QLatin1Char('/') + name + QStringLiteral(".nzb");
        if (!writeFile(path, nzbDocument(name, nzbs.at(i))))
            return {};
        window->addNzbFile(path, name, QString());
        added.append(DownloadNzbManager::getInstance()->listNzbFiles.last());
    }
    return added;
}

QTreeWidget *tst_MainWindowCommands::list()
{
    return MainWindowTestAccess::treeWidgetDownloadList(*window);
}

void tst_MainWindowCommands::select(const QList<QTreeWidgetItem *> &rows)
{
    list()->clearSelection();
    for (QTreeWidgetItem *row : rows)
        row->setSelected(true);
}

// Pause and resume act on files still to download; download again on decoded files only; the
// global segment queue follows at once.
void tst_MainWindowCommands::pauseResumeAndDownloadAgain()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a.rar", "b.rar", "c.rar"}});
    QCOMPARE(nzbs.size(), 1);
    const QList<NzbFile *> files = nzbs.first()->getFilesCopy();
    NzbFile *a = files.at(0);
    NzbFile *b = files.at(1);
    NzbFile *c = files.at(2);
    markDecoded(c);
    DownloadNzbManager::getInstance()->pauseUnpauseFiles();
    QCOMPARE(queuedSegmentsOf(a), 2);
    QSignalSpy changes(window.get(), SIGNAL(signalPauseUnpauseFiles()));
    nzbs.first()->updateSizes();
    QCOMPARE(nzbs.first()->uiSizeToDownload, a->uiSize + b->uiSize + c->uiSize);

    select({a->pTreeItem, b->pTreeItem, c->pTreeItem});
    window->slotPauseSelectedFiles();
    QVERIFY(a->bPaused && b->bPaused);
    QVERIFY(!c->bPaused); // decoded: skipped
    QCOMPARE(changes.size(), 1);
    QCOMPARE(queuedSegmentsOf(a) + queuedSegmentsOf(b), 0);
    QVERIFY(showsImage(a->pTreeItem, ":/images/download_pause.png", 0));
    QCOMPARE(nzbs.first()->uiSizeToDownload, c->uiSize);

    window->slotPauseSelectedFiles(); // nothing left to pause
    QCOMPARE(changes.size(), 1);

    select({b->pTreeItem});
    window->slotUnpauseSelectedFiles();
    QVERIFY(a->bPaused && !b->bPaused);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(queuedSegmentsOf(b), 2);
    QCOMPARE(queuedSegmentsOf(a), 0);

    // Download again: only the decoded file, whose row starts over.
    c->pTreeItem->setData(0, Qt::UserRole, 1);
    c->pTreeItem->setData(1, Qt::DisplayRole, 100);
    c->pTreeItem->setText(5, QStringLiteral("Decoded"));
    select({a->pTreeItem, c->pTreeItem});
    window->slotRedownloadSelectedFiles();
    QCOMPARE(changes.size(), 3);
    QVERIFY(!c->bDecoded);
    QVERIFY(!c->isAllSegmentsProcessed());
    QVERIFY(a->bPaused);
    QCOMPARE(queuedSegmentsOf(c), 2);
    QCOMPARE(c->pTreeItem->data(0, Qt::UserRole).toInt(), 0);
    QCOMPARE(c->pTreeItem->data(1, Qt::DisplayRole).toInt(), 0);
    QCOMPARE(c->pTreeItem->text(5), QString());
    QVERIFY(showsImage(c->pTreeItem, ":/images/download_wait.png", 0));
    QVERIFY(showsImage(b->pTreeItem, ":/images/download_wait.png", 0));

    // No file row selected: nothing.
    select({nzbs.first()->pTreeItem});
    window->slotUnpauseSelectedFiles();
    window->slotRedownloadSelectedFiles();
    QCOMPARE(changes.size(), 3);
}

void tst_MainWindowCommands::moveFiles_data()
{
    QTest::addColumn<bool>("up");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("up: first and second swap") << true << QList<int>{0, 1} << QStringList{"b", "a", "c", "d"};
    QTest::newRow("up: third") << true << QList<int>{2} << QStringList{"a", "c", "b", "d"};
    QTest::newRow("up: second and fourth") << true << QList<int>{3, 1} << QStringList{"b", "a", "d", "c"};
    QTest::newRow("down: last two swap") << false << QList<int>{2, 3} << QStringList{"a", "b", "d", "c"};
    QTest::newRow("down: first") << false << QList<int>{0} << QStringList{"b", "a", "c", "d"};
    QTest::newRow("down: last") << false << QList<int>{3} << QStringList{"a", "b", "c", "d"};
}

// The rows and the NZB's file list move alike, the moved rows stay selected, and the segment
// queue follows the new file order.
void tst_MainWindowCommands::moveFiles()
{
    QFETCH(bool, up);
    QFETCH(QList<int>, selected);
    QFETCH(QStringList, order);
    const QList<NzbFiles *> nzbs = queueNzbs({{"a", "b", "c", "d"}});
    NzbFiles *nzb = nzbs.first();
    const QList<NzbFile *> files = nzb->getFilesCopy();
    QList<QTreeWidgetItem *> rows;
    for (int index : selected)
        rows.append(files.at(index)->pTreeItem);
    select(rows);
    QSignalSpy changes(window.get(), SIGNAL(signalPauseUnpauseFiles()));
    if (up)
        window->slotMoveUpFiles();
    else
        window->slotMoveDownFiles();
    QCOMPARE(changes.size(), 1);
    QCOMPARE(fileNames(nzb), order);
    QCOMPARE(childTexts(nzb->pTreeItem), order);
    // The segment queue in the new file order.
    const DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QStringList queued;
    for (NzbSegment *segment : manager->listSegments) {
        const QString name = segment->getNzbFile()->getSubject().section(QLatin1Char('"'), 1, 1);
        if (!queued.contains(name))
            queued.append(name);
    }
    QCOMPARE(queued, order);
    for (int i = 0; i < nzb->pTreeItem->childCount(); ++i) {
        QTreeWidgetItem *row = nzb->pTreeItem->child(i);
        if (row->isSelected())
            QVERIFY(rows.contains(row));
    }
}

// Rows of another NZB than the last selected row's are deselected and stay where they are.
void tst_MainWindowCommands::moveFilesOfTwoNzbs()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a", "b", "c"}, {"x", "y", "z"}});
    NzbFiles *first = nzbs.at(0);
    NzbFiles *second = nzbs.at(1);
    QTreeWidgetItem *c = first->getFilesCopy().at(2)->pTreeItem;
    QTreeWidgetItem *z = second->getFilesCopy().at(2)->pTreeItem;
    select({c, z});
    window->slotMoveUpFiles();
    QCOMPARE(fileNames(first), (QStringList{"a", "b", "c"}));
    QCOMPARE(childTexts(first->pTreeItem), (QStringList{"a", "b", "c"}));
    QCOMPARE(fileNames(second), (QStringList{"x", "z", "y"}));
    QCOMPARE(childTexts(second->pTreeItem), (QStringList{"x", "z", "y"}));
    QVERIFY(!c->isSelected());
    QVERIFY(z->isSelected());
}

void tst_MainWindowCommands::moveNzbs_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("down: two adjacent, selected top first") << 3 << false << QList<int>{0, 1} << QList<int>{2, 0, 1};
    QTest::newRow("down: two adjacent, selected bottom first") << 3 << false << QList<int>{1, 0} << QList<int>{2, 0, 1};
    QTest::newRow("up: two adjacent") << 3 << true << QList<int>{2, 1} << QList<int>{1, 2, 0};
    QTest::newRow("up: the first") << 3 << true << QList<int>{0} << QList<int>{0, 1, 2};
    QTest::newRow("down: the last") << 3 << false << QList<int>{2} << QList<int>{0, 1, 2};
    // Each selected row changes place with its neighbour in turn, from the last [first] one.
    QTest::newRow("down: scattered over seven") << 7 << false << QList<int>{4, 1, 6, 2}
                                                << QList<int>{0, 3, 1, 2, 5, 4, 6};
    QTest::newRow("up: scattered over seven") << 7 << true << QList<int>{6, 0, 3, 2}
                                              << QList<int>{0, 2, 3, 1, 4, 6, 5};
    QTest::newRow("down: every one") << 5 << false << QList<int>{0, 1, 2, 3, 4} << QList<int>{4, 0, 1, 2, 3};
}

// The list's order becomes the manager's queue with queue ids renumbered from 0, and the records
// are rewritten; also when nothing moved.
void tst_MainWindowCommands::moveNzbs()
{
    QFETCH(int, count);
    QFETCH(bool, up);
    QFETCH(QList<int>, selected);
    QFETCH(QList<int>, order);
    QList<QStringList> files;
    for (int i = 0; i < count; ++i)
        files.append({QStringLiteral("f%1").arg(i)});
    const QList<NzbFiles *> nzbs = queueNzbs(files);
    QCOMPARE(nzbs.size(), count);
    QList<QTreeWidgetItem *> rows;
    for (int index : selected)
        rows.append(nzbs.at(index)->pTreeItem);
    nzbs.at(order.first())->pTreeItem->setExpanded(true);
    select(rows);
    // The records of the additions are written in the background: once they are on disk, none
    // is left for the move to write but its own.
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    QDir records(AppConfiguration::getNzbFolder());
    for (const QString &name : records.entryList(QDir::Files))
        QVERIFY(records.remove(name));
    QSignalSpy reorders(window.get(), SIGNAL(signalReorderNzbList(QList<QTreeWidgetItem*>)));
    if (up)
        window->slotMoveUpNzb();
    else
        window->slotMoveDownNzb();
    QCOMPARE(reorders.size(), 1);
    QCOMPARE(log.lines().filter(QStringLiteral("NZB download list reordered by user")).size(), 1);
    const DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    for (int i = 0; i < order.size(); ++i) {
        NzbFiles *nzb = nzbs.at(order.at(i));
        QCOMPARE(list()->topLevelItem(i), nzb->pTreeItem);
        QCOMPARE(manager->listNzbFiles.at(i), nzb);
        QCOMPARE(nzb->iQueueId, i);
        QVERIFY(QFileInfo::exists(records.filePath(QStringLiteral("Nzb_%1").arg(i))));
        QCOMPARE(nzb->pTreeItem->childCount(), 1);
    }
    for (QTreeWidgetItem *row : qAsConst(rows))
        QVERIFY(row->isSelected());
    QCOMPARE(list()->selectedItems().size(), rows.size());
    QVERIFY(nzbs.at(order.first())->pTreeItem->isExpanded());
    QCOMPARE(recordedNames(), [&] {
        QStringList names;
        for (int index : order)
            names << QStringLiteral("nzb%1").arg(index);
        return names;
    }());
}

// Several NZB rows removed at once, then several file rows of one NZB: the rows left keep their
// order, selection and expansion, the queue is renumbered and the records follow.
void tst_MainWindowCommands::removeManyAtOnce()
{
    QList<QStringList> files;
    for (int i = 0; i < 7; ++i)
        files.append({QStringLiteral("f%1").arg(i)});
    files[3] = QStringList{QStringLiteral("a.rar"), QStringLiteral("b.rar"), QStringLiteral("c.rar"),
                           QStringLiteral("d.rar")};
    const QList<NzbFiles *> nzbs = queueNzbs(files);
    QCOMPARE(nzbs.size(), 7);
    NzbFiles *kept = nzbs.at(3);
    kept->pTreeItem->setExpanded(true);
    QTreeWidgetItem *keptFileRow = kept->getFileAt(1)->pTreeItem;
    select({nzbs.at(1)->pTreeItem, nzbs.at(6)->pTreeItem, nzbs.at(2)->pTreeItem, nzbs.at(4)->pTreeItem, keptFileRow});
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->slotDownloadListNzbItemDelete();
    QCOMPARE(answerer.answeredCount(), 1);
    const DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QList<int> left{0, 3, 5};
    QCOMPARE(list()->topLevelItemCount(), left.size());
    for (int i = 0; i < left.size(); ++i) {
        QCOMPARE(list()->topLevelItem(i), nzbs.at(left.at(i))->pTreeItem);
        QCOMPARE(manager->listNzbFiles.at(i), nzbs.at(left.at(i)));
        QCOMPARE(nzbs.at(left.at(i))->iQueueId, i);
    }
    QCOMPARE(recordedNames(), (QStringList{"nzb0", "nzb3", "nzb5"}));
    QVERIFY(kept->pTreeItem->isExpanded());
    QCOMPARE(list()->selectedItems(), QList<QTreeWidgetItem *>{keptFileRow});
    QCOMPARE(log.lines().filter(QStringLiteral("removed from download list")).size(), 4);

    // The first and the third file of the four.
    select({kept->getFileAt(2)->pTreeItem, kept->getFileAt(0)->pTreeItem});
    answerer.pressNext(QMessageBox::Ok);
    window->slotDownloadListFilesItemDelete();
    QCOMPARE(childTexts(kept->pTreeItem), (QStringList{"b.rar", "d.rar"}));
    QVERIFY(kept->pTreeItem->isExpanded());
    NzbConfiguration reader;
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    reader.loadNzbs();
    QCOMPARE(reader.listNzbFiles.size(), 3);
    QCOMPARE(fileNames(reader.listNzbFiles.at(1)), (QStringList{"b.rar", "d.rar"}));
    qDeleteAll(reader.listNzbFiles);
}

// Every selected NZB not cleaned yet; file rows in the selection are left alone.
void tst_MainWindowCommands::extractionChoice()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}, {"b"}, {"c"}});
    nzbs.at(1)->bCleaned = true;
    select({nzbs.at(0)->pTreeItem, nzbs.at(1)->pTreeItem, nzbs.at(2)->getFilesCopy().first()->pTreeItem});
    window->slotUnrarNotToDoOnNzb();
    QVERIFY(nzbs.at(0)->bSkipExtraction);
    QVERIFY(!nzbs.at(1)->bSkipExtraction);
    QVERIFY(!nzbs.at(2)->bSkipExtraction);
    QVERIFY(showsImage(nzbs.at(0)->pTreeItem, ":/images/notwinrar.png"));
    QVERIFY(showsImage(nzbs.at(1)->pTreeItem, ":/images/winrar.png"));
    QVERIFY(showsImage(nzbs.at(2)->pTreeItem, ":/images/winrar.png"));
    window->slotUnrarToDoOnNzb();
    QVERIFY(!nzbs.at(0)->bSkipExtraction);
    QVERIFY(showsImage(nzbs.at(0)->pTreeItem, ":/images/winrar.png"));
}

// Asked in clear text, pre-filled; confirmed text replaces the password (empty clears it);
// cancelled changes nothing.
void tst_MainWindowCommands::archivePassword()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}});
    NzbFiles *nzb = nzbs.first();
    nzb->strArchivePassword = QStringLiteral("old secret");
    select({nzb->pTreeItem});
    ModalAnswerer answerer;
    QLineEdit::EchoMode echo = QLineEdit::NoEcho;
    QString shown;
    QString label;
    answerer.handleNext([&](QWidget *widget) {
        auto *input = qobject_cast<QInputDialog *>(widget);
        echo = input->textEchoMode();
        shown = input->textValue();
        label = input->labelText();
        input->setTextValue(QStringLiteral("new \"pass\" word"));
        input->accept();
    });
    window->slotUnrarPassword();
    QCOMPARE(answerer.seen().first().title, QStringLiteral("Password"));
    QCOMPARE(label, QStringLiteral("Password of the archive :"));
    QCOMPARE(echo, QLineEdit::Normal);
    QCOMPARE(shown, QStringLiteral("old secret"));
    QCOMPARE(nzb->strArchivePassword, QStringLiteral("new \"pass\" word"));

    answerer.rejectNext();
    window->slotUnrarPassword();
    QCOMPARE(nzb->strArchivePassword, QStringLiteral("new \"pass\" word"));
    answerer.handleNext([](QWidget *widget) {
        auto *input = qobject_cast<QInputDialog *>(widget);
        input->setTextValue(QString());
        input->accept();
    });
    window->slotUnrarPassword();
    QCOMPARE(nzb->strArchivePassword, QString());
}

void tst_MainWindowCommands::keepPar2Files()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}});
    NzbFiles *nzb = nzbs.first();
    const bool before = nzb->bKeepPar2Files;
    select({nzb->pTreeItem});
    QAction *keep = MainWindowTestAccess::downloadListActions(*window).last();
    window->slotKeepPar2Files();
    QCOMPARE(nzb->bKeepPar2Files, !before);
    QCOMPARE(keep->text(), nzb->bKeepPar2Files ? QStringLiteral("Do not keep PAR2 file(s)") : QStringLiteral("Keep PAR2 file(s)"));
    window->slotKeepPar2Files();
    QCOMPARE(nzb->bKeepPar2Files, before);
    QCOMPARE(keep->text(), before ? QStringLiteral("Do not keep PAR2 file(s)") : QStringLiteral("Keep PAR2 file(s)"));
}

// A chosen folder becomes the base of the destination (with the NZB's sub-folder); a cancelled
// chooser changes nothing; the download folder stays.
void tst_MainWindowCommands::destinationFolder()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}});
    NzbFiles *nzb = nzbs.first();
    const QString downloadFolder = nzb->strDownloadFolder;
    const QString chosen = home->path() + QStringLiteral("/Films été");
    QVERIFY(QDir().mkpath(chosen));
    select({nzb->pTreeItem});
    ModalAnswerer answerer;
    QString caption;
    QString startFolder;
    answerer.handleNext([&](QWidget *widget) {
        auto *chooser = qobject_cast<QFileDialog *>(widget);
        caption = chooser->windowTitle();
        startFolder = chooser->directory().absolutePath();
        chooser->setDirectory(home->path());
        chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("Films été"));
        QTimer::singleShot(0, chooser, [chooser] { static_cast<QDialog *>(chooser)->accept(); });
    });
    const QString before = nzb->getDestination();
    QVERIFY(QDir().mkpath(before));
    window->slotModifyDestinationDirectory();
    QCOMPARE(caption, QStringLiteral("Choose Destination directory"));
    QCOMPARE(startFolder, before);
    QCOMPARE(nzb->getDestination(), chosen + QStringLiteral("/nzb0"));
    QCOMPARE(nzb->pTreeItem->text(4), nzb->getDestination());
    QCOMPARE(nzb->strDownloadFolder, downloadFolder);

    answerer.rejectNext();
    window->slotModifyDestinationDirectory();
    QCOMPARE(nzb->getDestination(), chosen + QStringLiteral("/nzb0"));
}

void tst_MainWindowCommands::title_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    const QString sixty = QStringLiteral("  Holiday?Pictures 2024 from the mountains and the sea, part one of two");
    QString cleaned = sixty;
    cleaned.remove(QLatin1Char('?'));
    QTest::newRow("long, with a question mark") << sixty << cleaned.left(50).trimmed() << QString();
    QTest::newRow("forbidden characters") << QStringLiteral("a/b\\c:d*e\"f<g>h|i") << QStringLiteral("abcdefghi")
                                          << QStringLiteral("abcdefghi");
    QTest::newRow("only forbidden characters and blanks") << QStringLiteral(" ?? // ") << QString() << QString();
    QTest::newRow("only dots") << QStringLiteral("..") << QStringLiteral("..") << QStringLiteral("Untitled");
    QTest::newRow("dots around a slash") << QStringLiteral("../..") << QStringLiteral("....")
                                         << QStringLiteral("Untitled");
}

// The new title is cleaned for a folder name; the destination's sub-folder follows it and never
// leaves the destination, whatever the title.
void tst_MainWindowCommands::title()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}});
    NzbFiles *nzb = nzbs.first();
    const QString base = nzb->strBaseDestination;
    select({nzb->pTreeItem});
    ModalAnswerer answerer;
    QString shown;
    answerer.handleNext([&](QWidget *widget) {
        auto *input = qobject_cast<QInputDialog *>(widget);
        shown = input->textValue();
        input->setTextValue(typed);
        input->accept();
    });
    window->slotModifyNzbTitle();
    QCOMPARE(answerer.seen().first().title, QStringLiteral("NZB title"));
    QCOMPARE(shown, QStringLiteral("nzb0"));
    if (name.isEmpty()) {
        QCOMPARE(nzb->strName, QStringLiteral("nzb0"));
        return;
    }
    QCOMPARE(nzb->strName, name);
    QCOMPARE(nzb->pTreeItem->text(0), name);
    QCOMPARE(nzb->pTreeItem->text(4), nzb->getDestination());
    const QDir destination(nzb->getDestination());
    QCOMPARE(QDir::cleanPath(destination.absolutePath() + QStringLiteral("/..")), QDir::cleanPath(base));
    if (!folder.isEmpty())
        QCOMPARE(QFileInfo(nzb->getDestination()).fileName(), folder);
}

// A finished NZB opens its destination, one with a decoded file its download folder, one with
// neither nothing.
void tst_MainWindowCommands::openFolders()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}, {"b"}, {"c"}});
    nzbs.at(0)->bCleaned = true;
    markDecoded(nzbs.at(1)->getFilesCopy().first());
    select({nzbs.at(2)->pTreeItem, nzbs.at(1)->pTreeItem, nzbs.at(0)->pTreeItem});
    UrlCatcher catcher;
    window->slotOpenDownloadDestinationFolder();
    QCOMPARE(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(nzbs.at(0)->getDestination()),
                                        QUrl::fromLocalFile(nzbs.at(1)->strDownloadFolder)}));
}

// Two NZB rows, or a cleaned NZB: the single-NZB commands ask nothing and change nothing.
void tst_MainWindowCommands::singleNzbCommandsIgnoreOthers()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}, {"b"}});
    ModalAnswerer answerer;
    select({nzbs.at(0)->pTreeItem, nzbs.at(1)->pTreeItem});
    window->slotUnrarPassword();
    window->slotModifyNzbTitle();
    window->slotModifyDestinationDirectory();
    window->slotKeepPar2Files();
    nzbs.at(0)->bCleaned = true;
    select({nzbs.at(0)->pTreeItem});
    window->slotUnrarPassword();
    window->slotModifyNzbTitle();
    window->slotModifyDestinationDirectory();
    const bool keep = nzbs.at(0)->bKeepPar2Files;
    window->slotKeepPar2Files();
    QCOMPARE(nzbs.at(0)->bKeepPar2Files, keep);
    QCOMPARE(answerer.answeredCount(), 0);
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindow_commands")).isEmpty());
}

// While an NZB's files are moved to its destination the clean-up reads its destination and its
// keep-PAR2 choice: its title, destination and keep-PAR2 commands are refused with a message, also
// when the clean-up began while their dialog was open. Once cleaned they are ignored as before.
void tst_MainWindowCommands::commandsRefusedWhileCleaning()
{
    const QList<NzbFiles *> nzbs = queueNzbs({{"a"}});
    NzbFiles *nzb = nzbs.first();
    select({nzb->pTreeItem});
    const QString name = nzb->strName;
    const QString destination = nzb->getDestination();
    const bool keep = nzb->bKeepPar2Files;

    std::unique_ptr<NzbLockHolder> lock;
    ModalAnswerer answerer;
    answerer.handleNext([&](QWidget *widget) {
        lock = std::make_unique<NzbLockHolder>(nzb);
        window->slotDownloadListNzbFinished(nzb);
        auto *input = qobject_cast<QInputDialog *>(widget);
        QVERIFY(input);
        input->setTextValue(QStringLiteral("renamed"));
        input->accept();
    });
    QMessageBox *refusal = nullptr;
    answerer.handleNext([&](QWidget *widget) {
        refusal = qobject_cast<QMessageBox *>(widget);
        QVERIFY(refusal);
        QVERIFY(!WidgetPicture::save(refusal, QStringLiteral("MainWindow_refusedWhileCleaning")).isEmpty());
        refusal->button(QMessageBox::Ok)->click();
    });
    window->slotModifyNzbTitle();
    QCOMPARE(answerer.answeredCount(), 2);
    QVERIFY(lock);
    QCOMPARE(nzb->strName, name);

    answerer.pressNext(QMessageBox::Ok);
    window->slotModifyDestinationDirectory();
    answerer.pressNext(QMessageBox::Ok);
    window->slotKeepPar2Files();
    QCOMPARE(answerer.answeredCount(), 4);
    for (int i = 1; i < 4; ++i) {
        const ModalAnswerer::Seen &box = answerer.seen().at(i);
        QCOMPARE(box.className, QStringLiteral("QMessageBox"));
        QCOMPARE(box.title, QStringLiteral("Tessaquill+"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.contains(name), qPrintable(box.text));
    }
    QCOMPARE(answerer.seen().at(1).text, answerer.seen().at(3).text);
    QCOMPARE(nzb->strName, name);
    QCOMPARE(nzb->pTreeItem->text(0), name);
    QCOMPARE(nzb->getDestination(), destination);
    QCOMPARE(nzb->bKeepPar2Files, keep);

    // The clean-up goes on with what it read, and the NZB is cleaned.
    lock->release();
    QTRY_VERIFY(nzb->bCleaned);
    window->slotModifyNzbTitle();
    window->slotKeepPar2Files();
    QCOMPARE(answerer.answeredCount(), 4);
    QCOMPARE(nzb->bKeepPar2Files, keep);
}

QTEST_MAIN(tst_MainWindowCommands)
#include "tst_MainWindowCommands.moc"
