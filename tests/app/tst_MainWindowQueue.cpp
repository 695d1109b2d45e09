// The download list of the main window on the real download manager: rows and their events,
// post-processing shown in them, the end of an NZB with its clean-up, the saved queue put back,
// and the roads by which NZB files are added.
#include "MainWindowTestAccess.h"

#include "../engine/SegmentBodyWriter.h"
#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/DownloadListRows.h"
#include "app/DownloadListTreeWidget.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "dialogs/DialogHistoryNzb.h"
#include "dialogs/UtilsNzbCompressUncompress.h"
#include "engine/DownloadNzbManager.h"
#include "model/NntpServer.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"
#include "postprocess/ThreadClean.h"
#include "QsLog/Destination.h"
#include "QsLog/Logger.h"
#include "QsLog/QsLog.h"
#include "widgets/AppVersion.h"

#include "FifoUnblocker.h"
#include "GuiTestHome.h"
#include "ModalAnswerer.h"
#include "NntpTestServer.h"
#include "RarTestArchive.h"
#include "WidgetPicture.h"
#include "WindowTestFixture.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QSemaphore>
#include <QThread>
#include <QTreeWidgetItem>
#include <QtTest>

#include <atomic>
#include <memory>

namespace {

using Rows = DownloadListRows;

struct PostedFile
{
    QString name;
    QByteArray data;
};

QByteArray fileEntry(const QString &name, int segments, const QString &idPrefix, int bytes = 1000)
{
    QByteArray xml = "<file poster=\"p@x\" date=\"1300000000\" subject=\"&quot;" + name.toUtf8() + "&quot; yEnc (1/"
                     + QByteArray::number(segments) + ")\">\n<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
    for (int i = 1; i <= segments; ++i)
        xml += "<segment bytes=\"" + QByteArray::number(bytes) + "\" number=\"" + QByteArray::number(i) + "\">"
               + idPrefix.toUtf8() + "." + QByteArray::number(i) + "@test</segment>\n";
    return xml + "</segments>\n</file>\n";
}

QByteArray nzbDocument(const QByteArray &files)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n" + files
           + "</nzb>\n";
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The log lines of this run, from the log file the configuration writes.
QString logText()
{
    QString text;
    const QDir logs(AppConfiguration::getLogsFolder());
    for (const QString &name : logs.entryList(QDir::Files))
        text += QString::fromUtf8(readFile(logs.filePath(name)));
    return text;
}

// The record files once the window's background writes have ended.
QStringList recordFiles()
{
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    return QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files, QDir::Name);
}

// Whether a row shows the image (compared by pixels: icons keep no name).
bool showsImage(const QTreeWidgetItem *row, int column, const QString &image)
{
    const QImage shown = row->icon(column).pixmap(16, 16).toImage();
    const QImage expected = QIcon(image).pixmap(16, 16).toImage();
    return !shown.isNull() && shown == expected;
}

// Notes that a line holding the text has been logged.
class LoggedLine : public QsLogging::Destination
{
public:
    explicit LoggedLine(const QString &text)
        : text(text)
    {
        QsLogging::Logger::getInstance()->attachDestination(this);
    }
    ~LoggedLine() override { QsLogging::Logger::getInstance()->detachDestination(this); }
    void write(const QString &message) override
    {
        if (message.contains(text))
            seen = true;
    }
    std::atomic<bool> seen{false};

private:
    QString text;
};

} // namespace

class tst_MainWindowQueue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void percentagesAndSubjects_data();
    void percentagesAndSubjects();
    void listWidgetKeysAndClicks();
    void rowsOfAnAddedNzb();
    void selectionEnablesCommands();
    void segmentAndFileEvents();
    void postProcessingShown_data();
    void postProcessingShown();
    void endOfAnNzb();
    void cleanUpThatCannotCreateTheDestination();
    void cleanUpThatLeavesFilesBehind();
    void deleteWhileCleaning();
    void removalsAndDeleteKey();
    void restoringTheSavedQueue();
    void leftoversOfAnEmptyQueue_data();
    void leftoversOfAnEmptyQueue();
    void nothingToDownload();
    void dropOfFiles();
    void dialogRoads();
    void historyRoad();
    void historyDownloadBesideAFileOfItsName();
    void refusedFiles_data();
    void refusedFiles();
    void windowAnswersWhileAnNzbIsRead();
    void windowAnswersWhileAHugeNzbsRowsAreBuilt();
    void bigQueueComesBackWhole();
    void downloadFromTheTestServer();

private:
    std::unique_ptr<MainWindow> makeWindow();
    NzbFiles *addNzb(const QString &name, const QByteArray &files);
    void removeFromQueue(NzbFiles *nzb);

    std::unique_ptr<GuiTestHome> home;
    std::unique_ptr<MainWindow> window;
};

void tst_MainWindowQueue::initTestCase()
{
    WindowTestFixture::setUpApplication();
}

void tst_MainWindowQueue::init()
{
    home = std::make_unique<GuiTestHome>();
    QVERIFY(home->isValid());
    AppConfiguration *config = AppConfiguration::getInstance();
    qDeleteAll(config->serversConfiguration.listServers);
    config->serversConfiguration.listServers.clear();
    config->nzbConfiguration.listNzbFiles.clear();
    config->loaded = true;
    config->autoDownloadNzb = true;
    config->autoCreateSubFolderInDestination = true;
    config->autoSmartDownload = true;
    config->autoSaveHistoNzb = false;
    config->autoKeepPar2Files = false;
    config->cacheFolder = home->dataFolder() + QStringLiteral("/Cache");
    config->downloadFolder = home->dataFolder() + QStringLiteral("/Download");
    config->destinationFolder = home->dataFolder() + QStringLiteral("/Destination");
    // One log file in this test's home (each line is written through at once).
    if (config->fileDestination) {
        QsLogging::Logger::getInstance()->detachDestination(config->fileDestination);
        delete config->fileDestination;
        config->fileDestination = nullptr;
    }
    config->logLevel = 0;
    QVERIFY(config->initLogs());
}

void tst_MainWindowQueue::cleanup()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->stopAllThreads();
    QList<QTreeWidgetItem *> rows;
    QList<NzbFiles *> left;
    for (NzbFiles *nzb : manager->listNzbFiles) {
        if (!nzb->pTreeItem)
            nzb->pTreeItem = new QTreeWidgetItem; // freed with the window's removed rows or leaked on purpose
        rows.append(nzb->pTreeItem);
        left.append(nzb);
    }
    if (!rows.isEmpty())
        emit window->signalDeleteNzbList(rows);
    for (NzbFiles *nzb : left)
        AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
    window.reset();
    home.reset();
}

std::unique_ptr<MainWindow> tst_MainWindowQueue::makeWindow()
{
    return std::make_unique<MainWindow>();
}

NzbFiles *tst_MainWindowQueue::addNzb(const QString &name, const QByteArray &files)
{
    const QString path = home->path() + QStringLiteral("/") + name + QStringLiteral(".nzb");
    if (!writeFile(path, nzbDocument(files)))
        return nullptr;
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    window->addNzbFile(path, name, QString());
    return manager->listNzbFiles.size() == before + 1 ? manager->listNzbFiles.last() : nullptr;
}

void tst_MainWindowQueue::percentagesAndSubjects_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("shown");
    QTest::newRow("quoted") << "Post [1/3] - \"movie.part1.rar\" yEnc (1/20)" << "movie.part1.rar";
    QTest::newRow("one quote") << "Post \"movie.rar yEnc" << "Post \"movie.rar yEnc";
    QTest::newRow("none") << "movie.rar" << "movie.rar";
    QTest::newRow("adjacent") << "a \"\" b" << "";
    QTest::newRow("three") << "\"a\" \"b\"" << "a\" \"b";
}

// Percentages: bytes for an NZB, segments for a file, 100 with nothing to count, never above.
void tst_MainWindowQueue::percentagesAndSubjects()
{
    QFETCH(QString, subject);
    QFETCH(QString, shown);
    QCOMPARE(Rows::displaySubject(subject), shown);

    NzbFiles nzb;
    const struct {
        quint64 downloaded, toDownload, expected;
    } nzbCases[] = {{0, 0, 100}, {5, 0, 100}, {30, 100, 30}, {99, 100, 99}, {150, 100, 100},
                    {quint64(1) << 62, (quint64(1) << 62) + 4, 99}};
    for (const auto &c : nzbCases) {
        nzb.uiDownloaded = c.downloaded;
        nzb.uiSizeToDownload = c.toDownload;
        QCOMPARE(Rows::nzbPercentage(&nzb), c.expected);
    }
    NzbFile file;
    QCOMPARE(Rows::filePercentage(&file), quint64(100));
    for (int i = 1; i <= 10; ++i) {
        auto *segment = new NzbSegment;
        segment->setNumber(QString::number(i));
        file.addSegment(segment);
    }
    const struct {
        qint32 processed;
        quint64 expected;
    } fileCases[] = {{0, 0}, {3, 30}, {10, 100}, {12, 100}, {-1, 100}};
    for (const auto &c : fileCases) {
        file.iProcessed = c.processed;
        QCOMPARE(Rows::filePercentage(&file), c.expected);
    }
}

// Delete asks for a removal, a right click keeps the selection, a click on a selected row
// deselects it; the accessors split the selection by kind.
void tst_MainWindowQueue::listWidgetKeysAndClicks()
{
    DownloadListTreeWidget list;
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list.resize(400, 300);
    auto *nzbRow = new QTreeWidgetItem(QStringList{QStringLiteral("nzb")});
    list.addTopLevelItem(nzbRow);
    auto *fileRow = new QTreeWidgetItem(QStringList{QStringLiteral("file")});
    nzbRow->addChild(fileRow);
    list.expandAll();
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    QSignalSpy deletes(&list, SIGNAL(signalItemDelete()));
    nzbRow->setSelected(true);
    fileRow->setSelected(true);
    QCOMPARE(list.selectedNzbRows(), QList<QTreeWidgetItem *>{nzbRow});
    QCOMPARE(list.selectedFileRows(), QList<QTreeWidgetItem *>{fileRow});
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(deletes.count(), 1);
    QCOMPARE(list.selectedItems().size(), 2);

    const QPoint filePoint = list.visualItemRect(fileRow).center();
    QTest::mouseClick(list.viewport(), Qt::RightButton, Qt::NoModifier, filePoint);
    QCOMPARE(list.selectedItems().size(), 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, filePoint);
    QVERIFY(!fileRow->isSelected());
    QCOMPARE(list.nzbRows(), QList<QTreeWidgetItem *>{nzbRow});
}

void tst_MainWindowQueue::rowsOfAnAddedNzb()
{
    window = makeWindow();
    DownloadListTreeWidget *list = MainWindowTestAccess::treeWidgetDownloadList(*window);
    QVERIFY(list);
    QCOMPARE(list->objectName(), QStringLiteral("treeWidgetDownloadList"));
    QCOMPARE(list->columnCount(), 6);
    QCOMPARE(list->headerItem()->text(5), QStringLiteral("Messages"));
    // The list sits in the form's place for it.
    QCOMPARE(list->parentWidget(), MainWindowTestAccess::ui(*window).frame_5);
    QCOMPARE(list->actions().size(), 12);

    NzbFiles *nzb = addNzb(QStringLiteral("holiday"),
                           fileEntry(QStringLiteral("holiday.part1.rar"), 4, QStringLiteral("a"), 256 * 1024)
                               + fileEntry(QStringLiteral("holiday.par2"), 1, QStringLiteral("b")));
    QVERIFY(nzb);
    QCOMPARE(list->topLevelItemCount(), 1);
    QTreeWidgetItem *row = list->topLevelItem(0);
    QCOMPARE(nzb->pTreeItem, row);
    QCOMPARE(row->text(0), QStringLiteral("holiday"));
    QCOMPARE(row->data(1, Qt::DisplayRole).toInt(), 0);
    QCOMPARE(row->text(2), QStringLiteral("1 MiB"));
    QCOMPARE(row->text(4), nzb->getDestination());
    QVERIFY(showsImage(row, 0, QStringLiteral(":/images/download_nzb.png")));
    QVERIFY(showsImage(row, 4, QStringLiteral(":/images/winrar.png")));
    QVERIFY(!(row->flags() & Qt::ItemIsDragEnabled));
    QCOMPARE(row->childCount(), 2);
    for (int i = 0; i < 2; ++i) {
        QTreeWidgetItem *fileRow = row->child(i);
        NzbFile *file = nzb->getFileAt(quint64(i));
        QCOMPARE(file->pTreeItem, fileRow);
        QCOMPARE(fileRow->text(0), Rows::displaySubject(file->getSubject()));
        QCOMPARE(fileRow->text(3), file->getDateString());
        QVERIFY(showsImage(fileRow, 0, QStringLiteral(":/images/download_wait.png")));
        QVERIFY(fileRow->flags() & Qt::ItemIsSelectable);
    }
    QCOMPARE(recordFiles(), (QStringList{QStringLiteral("Nzb_0"), QStringLiteral("Nzb_0.rec")}));
}

void tst_MainWindowQueue::selectionEnablesCommands()
{
    window = makeWindow();
    NzbFiles *first = addNzb(QStringLiteral("first"), fileEntry(QStringLiteral("first.bin"), 2, QStringLiteral("f")));
    NzbFiles *second = addNzb(QStringLiteral("second"), fileEntry(QStringLiteral("second.bin"), 2, QStringLiteral("s")));
    QVERIFY(first && second);
    first->bKeepPar2Files = true;
    DownloadListTreeWidget *list = MainWindowTestAccess::treeWidgetDownloadList(*window);
    Ui::MainWindow &ui = MainWindowTestAccess::ui(*window);
    const QList<QAction *> actions = MainWindowTestAccess::downloadListActions(*window);
    auto enabled = [&] {
        QString state;
        for (int i = 0; i < actions.size(); ++i)
            state += i == 4 ? QLatin1Char('-') : actions.at(i)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        state += QLatin1Char(' ');
        for (QPushButton *button : {ui.pushButtonDeleteSelNzb, ui.pushButtonMoveUpNzb, ui.pushButtonMoveDownNzb,
                                    ui.pushButtonOpenDestinationFolder, ui.pushButtonPlayFile, ui.pushButtonPauseFile,
                                    ui.pushButtonRedownloadFiles, ui.pushButtonDeleteFiles, ui.pushButtonMoveUpFiles,
                                    ui.pushButtonMoveDownFiles})
            state += button->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return state;
    };
    const QString nothing = QStringLiteral("0000-0000000 0000000000");
    QCOMPARE(enabled(), nothing);
    first->pTreeItem->setSelected(true);
    QCOMPARE(enabled(), QStringLiteral("0000-1111111 1110000000"));
    QCOMPARE(actions.at(11)->text(), QStringLiteral("Do not keep PAR2 file(s)"));
    second->pTreeItem->setSelected(true);
    QCOMPARE(enabled(), QStringLiteral("0000-1100010 1110000000"));
    list->clearSelection();
    second->getFileAt(0)->pTreeItem->setSelected(true);
    QCOMPARE(enabled(), QStringLiteral("1111-0000000 0000111111"));
    first->pTreeItem->setSelected(true);
    QCOMPARE(enabled(), QStringLiteral("1111-1111111 1110111111"));
    QCOMPARE(actions.at(11)->text(), QStringLiteral("Do not keep PAR2 file(s)"));
    // A cleaned NZB's folder can be opened.
    first->bCleaned = true;
    window->slotDownloadListItemSelectionChanged();
    QCOMPARE(enabled(), QStringLiteral("1111-1111111 1111111111"));
    list->clearSelection();
    QCOMPARE(enabled(), nothing);
}

void tst_MainWindowQueue::segmentAndFileEvents()
{
    window = makeWindow();
    NzbFiles *nzb = addNzb(QStringLiteral("events"), fileEntry(QStringLiteral("events.bin"), 10, QStringLiteral("e"))
                                                           + fileEntry(QStringLiteral("other.bin"), 10, QStringLiteral("o")));
    QVERIFY(nzb);
    DownloadNzbManager::getInstance()->stopAllThreads();
    NzbFile *file = nzb->getFileAt(0);
    QTreeWidgetItem *fileRow = file->pTreeItem;
    QTreeWidgetItem *nzbRow = nzb->pTreeItem;
    QList<NzbSegment *> segments = file->getSegments();

    // Three segments of ten: 30 in the file row, the NZB row by its bytes. The manager reports a
    // segment before it counts it: the third is reported while two are counted.
    file->iProcessed = 2;
    nzb->uiDownloaded = nzb->uiSizeToDownload / 4 - segments.at(2)->getBytesValue();
    window->slotDownloadListSegmentDownloadOK(segments.at(2));
    QCOMPARE(fileRow->data(1, Qt::DisplayRole).toInt(), 30);
    QCOMPARE(nzbRow->data(1, Qt::DisplayRole).toInt(), 25);
    QVERIFY(showsImage(fileRow, 0, QStringLiteral(":/images/download_downloading.png")));
    window->resize(1200, 760);
    MainWindowTestAccess::treeWidgetDownloadList(*window)->expandAll();
    MainWindowTestAccess::treeWidgetDownloadList(*window)->resizeColumnToContents(0);
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindowQueue_downloading")).isEmpty());

    // A missing segment: warning, messages in both rows, and a later success keeps the warning.
    file->iProcessed = 4;
    window->slotDownloadListSegmentIsMissing(segments.at(6));
    QCOMPARE(fileRow->text(5), QStringLiteral("Segment 7 is missing"));
    QCOMPARE(nzbRow->text(5), QStringLiteral("events.bin: segment 7 is missing"));
    QCOMPARE(fileRow->data(1, Qt::DisplayRole).toInt(), 40);
    QCOMPARE(fileRow->data(0, Qt::UserRole).toInt(), 1);
    window->slotDownloadListSegmentDownloadOK(segments.at(3));
    QVERIFY(showsImage(fileRow, 0, QStringLiteral(":/images/download_warning.png")));

    // The message column holds the latest message.
    window->slotDownloadListSegmentDownloadException(segments.at(4), QStringLiteral("connection lost"));
    QCOMPARE(fileRow->text(5), QStringLiteral("connection lost"));
    QCOMPARE(nzbRow->text(5), QStringLiteral("connection lost"));
    window->slotDownloadListSegmentFailedToCreateFile(segments.at(5), QStringLiteral("disk full"));
    QCOMPARE(nzbRow->text(5), QStringLiteral("disk full"));
    window->slotDownloadListFileWarning(file, QStringLiteral("CRC error"));
    QCOMPARE(fileRow->text(5), QStringLiteral("CRC error"));

    // A paused file keeps its pause icon on success.
    NzbFile *other = nzb->getFileAt(1);
    other->bPaused = true;
    other->pTreeItem->setIcon(0, QIcon(QStringLiteral(":/images/download_pause.png")));
    window->slotDownloadListSegmentDownloadOK(other->getSegments().first());
    QVERIFY(showsImage(other->pTreeItem, 0, QStringLiteral(":/images/download_pause.png")));

    // Decoded: 100, the warning icon kept; the resumed file shows the NZB icon again.
    window->slotDownloadListFileDecoded(file);
    QCOMPARE(fileRow->data(1, Qt::DisplayRole).toInt(), 100);
    QVERIFY(showsImage(fileRow, 0, QStringLiteral(":/images/download_warning.png")));
    nzbRow->setIcon(0, QIcon(QStringLiteral(":/images/par2.png")));
    window->slotDownloadListFileResumed(other);
    QVERIFY(showsImage(other->pTreeItem, 0, QStringLiteral(":/images/download_downloading.png")));
    QVERIFY(showsImage(nzbRow, 0, QStringLiteral(":/images/download_nzb.png")));

    // A password-protected NZB turns red with the key at its next decoded file.
    nzb->bPasswordProtected = true;
    window->slotDownloadListFileDecoded(other);
    QCOMPARE(nzbRow->foreground(0).color(), QColor(Qt::red));
    QVERIFY(showsImage(nzbRow, 0, QStringLiteral(":/images/Key.png")));

    const QString log = logText();
    QVERIFY(log.contains(QStringLiteral("Segment e.7@test (Number 7 of NZB \"events.bin\" yEnc (1/10)) is missing")));
    QVERIFY(log.contains(QStringLiteral("ERROR")));
    QVERIFY(log.contains(QStringLiteral("requires a password in order to extract the archive !")));

    // After the NZB is removed, its events change nothing.
    const QString before = fileRow->text(5);
    QTreeWidgetItem *removedRow = nzbRow;
    emit window->signalDeleteNzbList({removedRow});
    window->slotDownloadListSegmentIsMissing(segments.at(8));
    window->slotDownloadListFileWarning(file, QStringLiteral("late"));
    AppConfiguration::getInstance()->nzbConfiguration.flushWrites();
    QFile::remove(AppConfiguration::getNzbFolder() + QStringLiteral("/Nzb_0"));
    window->slotDownloadListFileDecoded(other);
    QCOMPARE(fileRow->text(5), before);
    QTest::qWait(20); // time for a write that would still come
    QVERIFY(!QFileInfo::exists(AppConfiguration::getNzbFolder() + QStringLiteral("/Nzb_0")));
    AppConfiguration::getInstance()->nzbConfiguration.deleteNzb(nzb);
}

void tst_MainWindowQueue::postProcessingShown_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("logged");
    QTest::newRow("par2 start") << 0 << "" << "PAR2 parity test..." << ":/images/par2.png" << "PAR2 parity test of pp...";
    QTest::newRow("par2 text") << 0 << "Verifying 40%" << "PAR2 parity test: Verifying 40%" << ":/images/par2.png" << "";
    QTest::newRow("par2 done") << 1 << "Par2: success - movie" << "Par2: success - movie, 0 block(s) needed" << ""
                               << "PAR2 finished for pp: Par2: success - movie, 0 block(s) needed";
    QTest::newRow("unrar start") << 2 << "" << "Unrar in progress..." << ":/images/winrar.png" << "Unrar in progress for pp...";
    QTest::newRow("unrar text") << 2 << "45%" << "Unrar progress: 45%" << ":/images/winrar.png" << "";
    QTest::newRow("unrar error") << 3 << "Unrar error: exit code: 3, exit status: 0"
                                 << "Unrar error: Unrar error: exit code: 3, exit status: 0" << ""
                                 << "Unrar error for pp: Unrar error: exit code: 3";
    QTest::newRow("unrar none") << 4 << "" << "Unrar: no file found" << "" << "Unrar: no file found for pp";
    QTest::newRow("unrar ok") << 5 << "" << "Unrar finished successfully" << "" << "Unrar finished successfully for pp";
    QTest::newRow("unrar failed") << 6 << "" << "Unrar finished with error(s)" << "" << "Unrar finished with error(s) for pp";
    QTest::newRow("unsplit start") << 7 << "" << "Unsplit in progress..." << ":/images/unsplit.png" << "Unsplit in progress for pp...";
    QTest::newRow("unsplit 3 of 4") << 8 << "3/4" << "Unsplit in progress: 75%" << ":/images/unsplit.png" << "";
    QTest::newRow("unsplit 1 of 3") << 8 << "1/3" << "Unsplit in progress: 33%" << ":/images/unsplit.png" << "";
    QTest::newRow("unsplit 5 of 4") << 8 << "5/4" << "Unsplit in progress: 100%" << ":/images/unsplit.png" << "";
    QTest::newRow("unsplit of 0") << 8 << "2/0" << "Unsplit in progress..." << ":/images/unsplit.png" << "";
    QTest::newRow("unsplit ok") << 9 << "" << "Unsplit finished successfully" << "" << "Unsplit finished successfully for pp...";
    QTest::newRow("unsplit failed") << 9 << "Unsplit: failed to create extract path!"
                                    << "Unsplit finished with error(s): Unsplit: failed to create extract path!" << ""
                                    << "Unsplit finished with error(s) for pp: Unsplit: failed to create extract path!";
    // Finding nothing to join is no failure.
    QTest::newRow("unsplit none") << 10 << "" << "Unsplit: no split file found" << ""
                                  << "Unsplit: no split file found for pp";
}

void tst_MainWindowQueue::postProcessingShown()
{
    QFETCH(int, report);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, image);
    QFETCH(QString, logged);
    window = makeWindow();
    NzbFiles *nzb = addNzb(QStringLiteral("pp"), fileEntry(QStringLiteral("pp.bin"), 1, QStringLiteral("p")));
    QVERIFY(nzb);
    DownloadNzbManager::getInstance()->stopAllThreads();
    QTreeWidgetItem *row = nzb->pTreeItem;
    row->setIcon(0, QIcon(QStringLiteral(":/images/clean_balai.png")));
    auto send = [&](NzbFiles *target) {
        const QStringList parts = text.split(QLatin1Char('/'));
        switch (report) {
        case 0: window->slotDownloadListPar2Progress(text, target); break;
        case 1: window->slotDownloadListPar2Finished(text, QStringLiteral("0"), target); break;
        case 2: window->slotUnrarProgress(text, target); break;
        case 3: window->slotUnrarError(text, target); break;
        case 4: window->slotUnrarNoFileFound(target); break;
        case 5: window->slotUnrarFinished(target, true); break;
        case 6: window->slotUnrarFinished(target, false); break;
        case 7: window->slotUnsplitStart(target); break;
        case 8: window->slotUnsplitProgress(target, parts.at(0).toUInt(), parts.at(1).toUInt()); break;
        case 9: window->slotUnsplitDone(target, text); break;
        case 10: window->slotUnsplitNoFileFound(target); break;
        }
    };
    send(nullptr);
    send(nzb);
    QCOMPARE(row->text(5), message);
    QVERIFY(showsImage(row, 0, image.isEmpty() ? QStringLiteral(":/images/clean_balai.png") : image));
    if (!logged.isEmpty())
        QVERIFY2(logText().contains(logged), qPrintable(logged));
    // A report for a removed NZB changes nothing.
    row->setText(5, QStringLiteral("before"));
    nzb->bDeleted = true;
    send(nzb);
    nzb->bDeleted = false;
    QCOMPARE(row->text(5), QStringLiteral("before"));
}

// The clean-up moves the files into the destination; the row, the record and the log follow.
void tst_MainWindowQueue::endOfAnNzb()
{
    window = makeWindow();
    NzbFiles *good = addNzb(QStringLiteral("good"), fileEntry(QStringLiteral("good.bin"), 1, QStringLiteral("g")));
    NzbFiles *bad = addNzb(QStringLiteral("bad"), fileEntry(QStringLiteral("bad.bin"), 1, QStringLiteral("b")));
    QVERIFY(good && bad);
    DownloadNzbManager::getInstance()->stopAllThreads();
    for (NzbFiles *nzb : {good, bad})
        QVERIFY(writeFile(nzb->strDownloadFolder + QStringLiteral("/") + nzb->strName + QStringLiteral(".bin"),
                          nzb->strName.toUtf8()));
    bad->bPostProcessingSucceeded = false;
    QCOMPARE(recordFiles().size(), 4);

    // Two clean-ups at once, each with its own thread.
    window->slotDownloadListNzbFinished(good);
    QCOMPARE(good->pTreeItem->text(5), QStringLiteral("Cleaning good"));
    window->slotDownloadListNzbFinished(bad);
    QCOMPARE(MainWindowTestAccess::listThreadClean(*window).size(), 2);
    QTRY_VERIFY(good->bCleaned && bad->bCleaned);
    // The last one to end gives the folder a click on the tray message opens.
    bad->bCleaned = false;
    window->slotDownloadListNzbFinished(bad);
    QTRY_VERIFY(bad->bCleaned);
    QVERIFY(MainWindowTestAccess::listThreadClean(*window).isEmpty());

    QCOMPARE(readFile(good->getDestination() + QStringLiteral("/good.bin")), QByteArray("good"));
    QVERIFY(!QFileInfo::exists(good->strDownloadFolder));
    QCOMPARE(good->pTreeItem->text(5), QStringLiteral("good has been successfully downloaded"));
    QCOMPARE(good->pTreeItem->foreground(0).color(), QColor(Qt::darkGreen));
    QCOMPARE(good->pTreeItem->data(1, Qt::DisplayRole).toInt(), 100);
    QVERIFY(showsImage(good->pTreeItem, 0, QStringLiteral(":/images/download_ok.png")));
    QCOMPARE(bad->pTreeItem->text(5), QStringLiteral("bad has been downloaded with error(s)"));
    QVERIFY(showsImage(bad->pTreeItem, 0, QStringLiteral(":/images/download_warning.png")));
    QCOMPARE(MainWindowTestAccess::strLastFinishedDestination(*window), bad->getDestination());
    // Both records are gone, also that of the NZB whose post-processing failed.
    QCOMPARE(recordFiles(), QStringList());
    const QString log = logText();
    QVERIFY(log.contains(QStringLiteral("NZB good has been successfully downloaded")));
    QVERIFY(log.contains(QStringLiteral("NZB bad has been downloaded with error(s)")));

    // The open-folder button follows the cleaned NZB.
    good->pTreeItem->setSelected(true);
    QVERIFY(MainWindowTestAccess::ui(*window).pushButtonOpenDestinationFolder->isEnabled());
    window->resize(1200, 760);
    MainWindowTestAccess::treeWidgetDownloadList(*window)->expandAll();
    MainWindowTestAccess::treeWidgetDownloadList(*window)->resizeColumnToContents(0);
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindowQueue_finished")).isEmpty());

    // "Clear NZB completed" removes the cleaned NZBs without a question.
    window->slotDeleteNzbFinished();
    QCOMPARE(MainWindowTestAccess::treeWidgetDownloadList(*window)->topLevelItemCount(), 0);
    QVERIFY(good->bDeleted && bad->bDeleted);
}

// A destination that cannot be made: the files stay, the row says where, the record stays.
void tst_MainWindowQueue::cleanUpThatCannotCreateTheDestination()
{
    window = makeWindow();
    NzbFiles *nzb = addNzb(QStringLiteral("blocked"), fileEntry(QStringLiteral("blocked.bin"), 1, QStringLiteral("x")));
    QVERIFY(nzb);
    DownloadNzbManager::getInstance()->stopAllThreads();
    QVERIFY(writeFile(nzb->strDownloadFolder + QStringLiteral("/blocked.bin"), "data"));
    // A plain file where the destination's parent folder should be.
    QVERIFY(writeFile(home->path() + QStringLiteral("/notafolder"), "x"));
    nzb->strDestination = home->path() + QStringLiteral("/notafolder/blocked");

    window->slotDownloadListNzbFinished(nzb);
    QTRY_VERIFY(nzb->bCleaned);
    QCOMPARE(readFile(nzb->strDownloadFolder + QStringLiteral("/blocked.bin")), QByteArray("data"));
    const QString message = nzb->pTreeItem->text(5);
    QVERIFY2(message.contains(nzb->strDownloadFolder) && message.contains(nzb->strDestination), qPrintable(message));
    QVERIFY(showsImage(nzb->pTreeItem, 0, QStringLiteral(":/images/download_warning.png")));
    QVERIFY(!message.contains(QStringLiteral("successfully")));
    QCOMPARE(recordFiles(), (QStringList{QStringLiteral("Nzb_0"), QStringLiteral("Nzb_0.rec")}));
    QVERIFY(logText().contains(QStringLiteral("ERROR")));
    QVERIFY(logText().contains(QStringLiteral("could not be created")));
}

// A file that cannot be moved (every name it could take in the destination is taken) stays in
// the download folder: the row names that folder and the record stays. A file whose name was
// taken once is kept under another name, and that is logged.
void tst_MainWindowQueue::cleanUpThatLeavesFilesBehind()
{
    window = makeWindow();
    NzbFiles *nzb = addNzb(QStringLiteral("crowded"), fileEntry(QStringLiteral("crowded.bin"), 1, QStringLiteral("y")));
    QVERIFY(nzb);
    DownloadNzbManager::getInstance()->stopAllThreads();
    QVERIFY(writeFile(nzb->strDownloadFolder + QStringLiteral("/stuck.bin"), "stuck"));
    QVERIFY(writeFile(nzb->strDownloadFolder + QStringLiteral("/twice.bin"), "new"));
    const QString destination = nzb->getDestination();
    QVERIFY(writeFile(destination + QStringLiteral("/twice.bin"), "old"));
    QVERIFY(writeFile(destination + QStringLiteral("/stuck.bin"), "old"));
    for (int n = 1; n < 1000; ++n)
        QVERIFY(writeFile(destination + QStringLiteral("/") + ThreadClean::distinctName(QStringLiteral("stuck.bin"), n), ""));

    window->slotDownloadListNzbFinished(nzb);
    QTRY_VERIFY(nzb->bCleaned);
    QCOMPARE(readFile(nzb->strDownloadFolder + QStringLiteral("/stuck.bin")), QByteArray("stuck"));
    QCOMPARE(readFile(destination + QStringLiteral("/twice.bin")), QByteArray("old"));
    const QString renamed = destination + QStringLiteral("/") + ThreadClean::distinctName(QStringLiteral("twice.bin"), 1);
    QCOMPARE(readFile(renamed), QByteArray("new"));
    const QString message = nzb->pTreeItem->text(5);
    QVERIFY2(message.contains(nzb->strDownloadFolder) && message.contains(QStringLiteral("1 file(s)")), qPrintable(message));
    QVERIFY(showsImage(nzb->pTreeItem, 0, QStringLiteral(":/images/download_warning.png")));
    QCOMPARE(recordFiles(), (QStringList{QStringLiteral("Nzb_0"), QStringLiteral("Nzb_0.rec")}));
    const QString log = logText();
    QVERIFY(log.contains(QStringLiteral("ERROR")));
    QVERIFY(log.contains(renamed));
    QVERIFY(!log.contains(QStringLiteral("crowded has been successfully downloaded")));
}

// The NZB is removed while its clean-up runs: the end of the clean-up touches no row.
void tst_MainWindowQueue::deleteWhileCleaning()
{
    window = makeWindow();
    NzbFiles *nzb = addNzb(QStringLiteral("cleaning"), fileEntry(QStringLiteral("cleaning.bin"), 1, QStringLiteral("c")));
    QVERIFY(nzb);
    DownloadNzbManager::getInstance()->stopAllThreads();
    QVERIFY(writeFile(nzb->strDownloadFolder + QStringLiteral("/cleaning.bin"), "data"));
    // The clean-up waits at its start for the NZB's lock, held here for a while.
    QSemaphore held;
    std::unique_ptr<QThread> holder(QThread::create([nzb, &held] {
        QMutexLocker locker(&nzb->mutex);
        held.release();
        QThread::msleep(500);
    }));
    holder->start();
    held.acquire();
    window->slotDownloadListNzbFinished(nzb);
    QCOMPARE(nzb->pTreeItem->text(5), QStringLiteral("Cleaning cleaning"));

    nzb->pTreeItem->setSelected(true);
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->slotDownloadListNzbItemDelete();
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(answerer.seen().first().informativeText, QStringLiteral("Do you want to remove the selected NZB(s)?"));
    QCOMPARE(answerer.seen().first().title, AppVersion::displayName());
    QVERIFY(nzb->bDeleted);
    QVERIFY(!nzb->pTreeItem);
    holder->wait();
    QTRY_VERIFY(nzb->bCleaned);
    QVERIFY(MainWindowTestAccess::listThreadClean(*window).isEmpty());
    QCOMPARE(MainWindowTestAccess::treeWidgetDownloadList(*window)->topLevelItemCount(), 0);
    QCOMPARE(recordFiles(), QStringList());
}

void tst_MainWindowQueue::removalsAndDeleteKey()
{
    window = makeWindow();
    NzbFiles *first = addNzb(QStringLiteral("one"), fileEntry(QStringLiteral("one.bin"), 2, QStringLiteral("1"))
                                                         + fileEntry(QStringLiteral("one.txt"), 1, QStringLiteral("1t")));
    NzbFiles *second = addNzb(QStringLiteral("two"), fileEntry(QStringLiteral("two.bin"), 2, QStringLiteral("2")));
    NzbFiles *third = addNzb(QStringLiteral("three"), fileEntry(QStringLiteral("three.bin"), 2, QStringLiteral("3")));
    QVERIFY(first && second && third);
    DownloadNzbManager::getInstance()->stopAllThreads();
    DownloadListTreeWidget *list = MainWindowTestAccess::treeWidgetDownloadList(*window);
    ModalAnswerer answerer;

    // Nothing selected: nothing asked. A mixed selection: refused.
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(answerer.answeredCount(), 0);
    first->pTreeItem->setSelected(true);
    first->getFileAt(0)->pTreeItem->setSelected(true);
    answerer.pressNext(QMessageBox::Ok);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(answerer.answeredCount(), 1);
    QCOMPARE(answerer.seen().last().text, QStringLiteral("Please select either NZB(s) or file(s) to delete"));
    QCOMPARE(list->topLevelItemCount(), 3);

    // A file: No keeps it, Ok removes it.
    list->clearSelection();
    NzbFile *file = first->getFileAt(0);
    file->pTreeItem->setSelected(true);
    answerer.pressNext(QMessageBox::No);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(first->pTreeItem->childCount(), 2);
    answerer.pressNext(QMessageBox::Ok);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(answerer.seen().last().informativeText, QStringLiteral("Do you want to remove the selected file(s)?"));
    QCOMPARE(first->pTreeItem->childCount(), 1);
    QVERIFY(file->bExcluded);

    // Two NZBs with the Delete key: both rows and records go, the third is renumbered.
    list->clearSelection();
    first->pTreeItem->setSelected(true);
    second->pTreeItem->setSelected(true);
    answerer.pressNext(QMessageBox::Ok);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(answerer.seen().last().defaultButton, QMessageBox::Ok);
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0), third->pTreeItem);
    QCOMPARE(third->iQueueId, 0);
    QCOMPARE(recordFiles(), (QStringList{QStringLiteral("Nzb_0"), QStringLiteral("Nzb_0.rec")}));
    QVERIFY(logText().contains(QStringLiteral("NZB one removed from download list")));
    QVERIFY(logText().contains(QStringLiteral("File one.bin removed from download list")));
    // Nothing cleaned: "Clear NZB completed" does nothing.
    window->slotDeleteNzbFinished();
    QCOMPARE(list->topLevelItemCount(), 1);
}

// Three saved NZBs (one paused, one partly downloaded) come back in their order and resume.
void tst_MainWindowQueue::restoringTheSavedQueue()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    window = makeWindow();
    NzbFiles *a = addNzb(QStringLiteral("alpha"), fileEntry(QStringLiteral("alpha.bin"), 4, QStringLiteral("al")));
    NzbFiles *b = addNzb(QStringLiteral("beta"), fileEntry(QStringLiteral("beta.bin"), 4, QStringLiteral("be"))
                                                      + fileEntry(QStringLiteral("beta.vol00+01.par2"), 1, QStringLiteral("bv"))
                                                      + fileEntry(QStringLiteral("beta.vol01+02.par2"), 2, QStringLiteral("bw")));
    NzbFiles *c = addNzb(QStringLiteral("gamma"), fileEntry(QStringLiteral("gamma.bin"), 4, QStringLiteral("ga")));
    QVERIFY(a && b && c);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->stopAllThreads();
    // beta: its first file half done; gamma: paused.
    QList<NzbSegment *> segments = b->getFileAt(0)->getSegments();
    segments.at(0)->setDownloaded();
    segments.at(1)->setDownloaded();
    b->getFileAt(0)->iProcessed = 2;
    for (NzbFile *file : c->getFiles())
        file->bPaused = true;
    for (NzbFiles *nzb : {a, b, c})
        QVERIFY(config->nzbConfiguration.saveNzb(nzb));
    // This run ends (the records stay); the next one reads them.
    config->nzbConfiguration.listNzbFiles.clear();
    const QList<NzbFiles *> oldQueue = manager->listNzbFiles;
    QList<QTreeWidgetItem *> oldRows;
    for (NzbFiles *nzb : oldQueue)
        oldRows.append(nzb->pTreeItem);
    emit window->signalDeleteNzbList(oldRows);
    window.reset();

    config->nzbConfiguration.loadNzbs();
    QCOMPARE(config->nzbConfiguration.listNzbFiles.size(), 3);
    window = makeWindow();
    DownloadListTreeWidget *list = MainWindowTestAccess::treeWidgetDownloadList(*window);
    QCOMPARE(list->topLevelItemCount(), 3);
    QStringList names;
    for (int i = 0; i < 3; ++i)
        names << list->topLevelItem(i)->text(0);
    QCOMPARE(names, (QStringList{QStringLiteral("alpha"), QStringLiteral("beta"), QStringLiteral("gamma")}));
    const QList<NzbFiles *> restored = manager->listNzbFiles.mid(manager->listNzbFiles.size() - 3);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(restored.at(i)->pTreeItem, list->topLevelItem(i));
    NzbFiles *beta = restored.at(1);
    QCOMPARE(beta->getFileAt(0)->pTreeItem->data(1, Qt::DisplayRole).toInt(), 50);
    QVERIFY(beta->pTreeItem->data(1, Qt::DisplayRole).toInt() > 0);
    // The PAR2 volume held back by smart download shows paused (the smallest one of a set posted
    // without its index is fetched).
    QVERIFY(!beta->getFileAt(1)->bPaused);
    QVERIFY(showsImage(beta->getFileAt(2)->pTreeItem, 0, QStringLiteral(":/images/download_pause.png")));
    QVERIFY(showsImage(restored.at(2)->getFileAt(0)->pTreeItem, 0, QStringLiteral(":/images/download_pause.png")));
    // Resumed: only what is left is queued (2 of beta's first file and all of alpha's).
    int queued = 0;
    {
        QMutexLocker locker(&manager->mutexSegments);
        for (NzbSegment *segment : manager->listSegments) {
            const NzbFiles *owner = segment->getNzbFile()->getNzbFiles();
            if (restored.contains(const_cast<NzbFiles *>(owner)))
                ++queued;
        }
    }
    QCOMPARE(queued, 4 + 2 + 1);
    window->resize(1200, 760);
    list->expandAll();
    list->resizeColumnToContents(0);
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindowQueue_restored")).isEmpty());
}

void tst_MainWindowQueue::leftoversOfAnEmptyQueue_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::newRow("configuration loaded") << true;
    QTest::newRow("configuration not loaded") << false;
}

// With an empty saved queue the leftovers go, but only after a configuration that loaded.
void tst_MainWindowQueue::leftoversOfAnEmptyQueue()
{
    QFETCH(bool, loaded);
    AppConfiguration *config = AppConfiguration::getInstance();
    config->loaded = loaded;
    const QString cache = config->cacheFolder;
    QVERIFY(writeFile(cache + QStringLiteral("/0-3/1.tmp"), "segment"));
    QVERIFY(writeFile(cache + QStringLiteral("/NZB/kept.nzb"), "nzb"));
    QVERIFY(writeFile(cache + QStringLiteral("/loose.txt"), "loose"));
    const QString records = AppConfiguration::getNzbFolder();
    QVERIFY(writeFile(records + QStringLiteral("/Nzb_4.rec"), "stale"));
    QVERIFY(writeFile(records + QStringLiteral("/Nzb_9.rec"), "stale"));
    // Damaged records set aside at start are kept for their rescue.
    QVERIFY(writeFile(records + QStringLiteral("/Nzb_2.damaged"), "damaged"));
    QVERIFY(writeFile(records + QStringLiteral("/Nzb_2.rec.damaged"), "damaged"));
    window = makeWindow();
    QCOMPARE(QFileInfo::exists(cache + QStringLiteral("/0-3")), !loaded);
    QVERIFY(QFileInfo::exists(cache + QStringLiteral("/NZB/kept.nzb")));
    QVERIFY(QFileInfo::exists(cache + QStringLiteral("/loose.txt")));
    const QStringList setAside{QStringLiteral("Nzb_2.damaged"), QStringLiteral("Nzb_2.rec.damaged")};
    QCOMPARE(recordFiles() == setAside, loaded);
}

// An NZB with nothing to download (no file), and one of PAR2 volumes only under smart download
// (all held back but the smallest), are kept queued with their rows and records, on both roads,
// and can still be removed.
void tst_MainWindowQueue::nothingToDownload()
{
    window = makeWindow();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    NzbFiles *volumes = addNzb(QStringLiteral("volumes"), fileEntry(QStringLiteral("set.vol00+01.par2"), 1, QStringLiteral("v"))
                                                               + fileEntry(QStringLiteral("set.vol01+02.par2"), 1, QStringLiteral("w")));
    NzbFiles *empty = addNzb(QStringLiteral("empty"), QByteArray());
    QVERIFY(volumes && empty);
    QVERIFY(manager->listNzbFiles.contains(volumes));
    QVERIFY(manager->listNzbFiles.contains(empty));
    QCOMPARE(AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles.size(), 2);
    QCOMPARE(volumes->getFilesByPauseState(true).size(), 1);
    QCOMPARE(empty->pTreeItem->childCount(), 0);
    // Saving the queue (as the exit does) and removing them is safe.
    QVERIFY(AppConfiguration::getInstance()->nzbConfiguration.saveAllNzbs());
    QCOMPARE(recordFiles().size(), 4);

    // The next start: both come back the same way.
    QList<QTreeWidgetItem *> rows = {volumes->pTreeItem, empty->pTreeItem};
    emit window->signalDeleteNzbList(rows);
    AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles.clear();
    window.reset();
    AppConfiguration::getInstance()->nzbConfiguration.loadNzbs();
    window = makeWindow();
    QCOMPARE(MainWindowTestAccess::treeWidgetDownloadList(*window)->topLevelItemCount(), 2);
    const QList<NzbFiles *> saved = AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles;
    for (NzbFiles *nzb : saved)
        QVERIFY(manager->listNzbFiles.contains(nzb));
    MainWindowTestAccess::treeWidgetDownloadList(*window)->selectAll();
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->slotDownloadListNzbItemDelete();
    QVERIFY(AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles.isEmpty());
    QVERIFY(AppConfiguration::getInstance()->nzbConfiguration.saveAllNzbs());
    QCOMPARE(recordFiles(), QStringList());
}

// A drop is accepted before anything is added; the files are then added one by one, and a file
// that is not an NZB file is refused with its message.
void tst_MainWindowQueue::dropOfFiles()
{
    window = makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QString folder = home->path() + QStringLiteral("/dropped");
    QVERIFY(writeFile(folder + QStringLiteral("/first.nzb"), nzbDocument(fileEntry(QStringLiteral("d1.bin"), 1, QStringLiteral("d1")))));
    QVERIFY(writeFile(folder + QStringLiteral("/second.nzb"), nzbDocument(fileEntry(QStringLiteral("d2.bin"), 1, QStringLiteral("d2")))));
    QVERIFY(writeFile(folder + QStringLiteral("/notes.txt"), "plain text"));
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(folder + QStringLiteral("/first.nzb")), QUrl::fromLocalFile(folder + QStringLiteral("/notes.txt")),
                  QUrl::fromLocalFile(folder + QStringLiteral("/second.nzb"))});
    const int before = manager->listNzbFiles.size();
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    QApplication::sendEvent(window.get(), &drop);
    QVERIFY(enter.isAccepted());
    QVERIFY(drop.isAccepted());
    QCOMPARE(manager->listNzbFiles.size(), before);

    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    QTRY_COMPARE(manager->listNzbFiles.size(), before + 2);
    QTRY_COMPARE(answerer.answeredCount(), 1);
    QVERIFY2(answerer.seen().first().text.startsWith(QStringLiteral("Error while importing NZB file: ")),
             qPrintable(answerer.seen().first().text));
    QVERIFY2(answerer.seen().first().text.endsWith(QStringLiteral("\nFile: ") + folder + QStringLiteral("/notes.txt")),
             qPrintable(answerer.seen().first().text));
    QCOMPARE(manager->listNzbFiles.at(before)->strName, QStringLiteral("first"));
    QCOMPARE(manager->listNzbFiles.at(before + 1)->strName, QStringLiteral("second"));

    // A drop without files is not taken.
    QMimeData text;
    text.setText(QStringLiteral("hello"));
    QDropEvent textDrop(QPointF(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    textDrop.setAccepted(false);
    QApplication::sendEvent(window.get(), &textDrop);
    QVERIFY(!textDrop.isAccepted());
}

// Without "AutoDownloadNzb" the add-NZB dialog decides: cancelled, nothing changes; save mode
// copies the file, or says that it could not; download mode queues it where the user chose.
void tst_MainWindowQueue::dialogRoads()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->autoDownloadNzb = false;
    window = makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QString path = home->path() + QStringLiteral("/asked.nzb");
    QVERIFY(writeFile(path, nzbDocument(fileEntry(QStringLiteral("asked.bin"), 1, QStringLiteral("q")))));
    const int before = manager->listNzbFiles.size();
    ModalAnswerer answerer;

    answerer.rejectNext();
    window->addNzbFile(path, QStringLiteral("asked"), QString());
    QCOMPARE(answerer.seen().last().className, QStringLiteral("DialogDownloadNzb"));
    QCOMPARE(manager->listNzbFiles.size(), before);
    QVERIFY(recordFiles().isEmpty());

    auto saveTo = [](const QString &target) {
        return [target](QWidget *dialog) {
            dialog->findChild<QRadioButton *>(QStringLiteral("radioButtonSaveNzb"))->click();
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditSaveNzbPath"))->setText(target);
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        };
    };
    const QString savedPath = home->path() + QStringLiteral("/kept/asked-copy.nzb");
    answerer.handleNext(saveTo(savedPath));
    window->addNzbFile(path, QStringLiteral("asked"), QString());
    QCOMPARE(readFile(savedPath), readFile(path));
    QCOMPARE(manager->listNzbFiles.size(), before);
    QVERIFY(logText().contains(QStringLiteral("NZB asked saved to disk: ") + savedPath));

    // The copy cannot be made (a file where its folder should be): said with why, not reported
    // as saved, and the dialog comes back as the user left it, the NZB still to be decided: here
    // saved elsewhere.
    QVERIFY(writeFile(home->path() + QStringLiteral("/blocker"), "x"));
    const QString impossible = home->path() + QStringLiteral("/blocker/asked.nzb");
    const QString elsewhere = home->path() + QStringLiteral("/kept/elsewhere.nzb");
    answerer.handleNext(saveTo(impossible));
    answerer.pressNext(QMessageBox::Ok);
    bool keptAsLeft = false;
    answerer.handleNext([&keptAsLeft, impossible, saveTo, elsewhere](QWidget *dialog) {
        keptAsLeft = dialog->findChild<QRadioButton *>(QStringLiteral("radioButtonSaveNzb"))->isChecked()
                     && dialog->findChild<QLineEdit *>(QStringLiteral("lineEditSaveNzbPath"))->text() == impossible;
        saveTo(elsewhere)(dialog);
    });
    window->addNzbFile(path, QStringLiteral("asked"), QString());
    QVERIFY(answerer.waitForAnswered(5));
    const QString said = answerer.seen().at(3).text;
    QVERIFY2(said.contains(QStringLiteral("could not be saved")) && said.contains(QStringLiteral("Not a directory")),
             qPrintable(said));
    QVERIFY(keptAsLeft);
    QVERIFY(!logText().contains(QStringLiteral("NZB asked saved to disk: ") + impossible));
    QCOMPARE(readFile(elsewhere), readFile(path));
    QCOMPARE(manager->listNzbFiles.size(), before);

    // Download mode into a chosen folder, with the history copy on.
    config->autoSaveHistoNzb = true;
    const QString chosen = home->path() + QStringLiteral("/chosen");
    answerer.handleNext([chosen](QWidget *dialog) {
        dialog->findChild<QRadioButton *>(QStringLiteral("radioButtonDownloadNzb"))->click();
        dialog->findChild<QLineEdit *>(QStringLiteral("lineEditDownloadNzbPath"))->setText(chosen);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    window->addNzbFile(path, QStringLiteral("asked"), QString());
    QCOMPARE(manager->listNzbFiles.size(), before + 1);
    QCOMPARE(manager->listNzbFiles.last()->getDestination(), chosen + QStringLiteral("/asked"));
    QCOMPARE(QDir(AppConfiguration::getHistoNzbFolder()).entryList(QDir::Files).size(), 1);
    config->autoSaveHistoNzb = false;
}

// The history hands a file over: it is added, then deleted even when it could not be read.
void tst_MainWindowQueue::historyRoad()
{
    // With "AutoDownloadNzb" on no question is asked, and the history copy is still made.
    AppConfiguration::getInstance()->autoSaveHistoNzb = true;
    window = makeWindow();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QString handedOver = AppConfiguration::getInstance()->cacheFolder + QStringLiteral("/NZB/from history.nzb");
    QVERIFY(writeFile(handedOver, nzbDocument(fileEntry(QStringLiteral("h.bin"), 1, QStringLiteral("h")))));
    const int before = manager->listNzbFiles.size();
    window->slotHistoryNzbFileToDownload(handedOver);
    QCOMPARE(manager->listNzbFiles.size(), before + 1);
    QCOMPARE(manager->listNzbFiles.last()->strName, QStringLiteral("from history"));
    QVERIFY(!QFileInfo::exists(handedOver));
    QCOMPARE(QDir(AppConfiguration::getHistoNzbFolder()).entryList(QDir::Files).size(), 1);
    AppConfiguration::getInstance()->autoSaveHistoNzb = false;

    QVERIFY(writeFile(handedOver, "<nzb><file"));
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->slotHistoryNzbFileToDownload(handedOver);
    QCOMPARE(answerer.seen().last().text,
             QStringLiteral("Error while importing NZB file: NZB contains error(s)\nFile: ") + handedOver);
    QVERIFY(!QFileInfo::exists(handedOver));
    QCOMPARE(manager->listNzbFiles.size(), before + 1);
}

// "Download selection" in the history window, with a file of the user's of the same name in the
// Cache folder's NZB folder: the NZB is queued under its own name, the user's file is neither
// written over nor removed, and nothing the hand-over wrote is left behind.
void tst_MainWindowQueue::historyDownloadBesideAFileOfItsName()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    config->autoSaveHistoNzb = true;
    const QString source = home->path() + QStringLiteral("/posted.nzb");
    QVERIFY(writeFile(source, nzbDocument(fileEntry(QStringLiteral("Holiday.nzb"), 1, QStringLiteral("hol")))));
    QString error;
    QVERIFY2(UtilsNzbCompressUncompress::saveNzbToHistory(source, QStringLiteral("Holiday"), error), qPrintable(error));
    const QString nzbFolder = config->cacheFolder + QStringLiteral("/NZB");
    const QString users = nzbFolder + QStringLiteral("/Holiday.nzb");
    QVERIFY(writeFile(users, "the user's own Holiday.nzb"));
    window = makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();

    window->slotNzbHistory();
    auto *history = window->findChild<DialogHistoryNzb *>();
    QVERIFY(history);
    auto *entries = history->findChild<QTableWidget *>(QStringLiteral("tableWidgetListNzb"));
    QTRY_COMPARE(entries->rowCount(), 1);
    entries->selectRow(0);
    history->historyNzbClicked(entries->item(0, 0));
    WidgetPicture::save(history, QStringLiteral("DialogHistoryNzb_beside_a_file_of_its_name"));
    QTest::mouseClick(history->findChild<QPushButton *>(QStringLiteral("pushButtonDownload")), Qt::LeftButton);

    QTRY_COMPARE(manager->listNzbFiles.size(), before + 1);
    QCOMPARE(manager->listNzbFiles.last()->strName, QStringLiteral("Holiday"));
    QCOMPARE(readFile(users), QByteArray("the user's own Holiday.nzb"));
    QCOMPARE(QDir(nzbFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Holiday.nzb")});
    config->autoSaveHistoNzb = false;
}

// What is not a regular file, or is far larger than any NZB, is refused at once with the import
// error and its reason, before it is opened; nothing is added. Given as a later start hands it
// over (the road of the command line too).
void tst_MainWindowQueue::refusedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    const QString notRegular = QStringLiteral("Not a regular file (a folder, a device or a pipe)");
    QTest::newRow("named pipe") << "pipe" << notRegular;
    QTest::newRow("device without end") << "device" << notRegular;
    QTest::newRow("folder") << "folder" << notRegular;
    QTest::newRow("file of 300 MB") << "oversized" << QStringLiteral("File larger than 256 MiB");
}

void tst_MainWindowQueue::refusedFiles()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    window = makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QString path = home->path() + QStringLiteral("/given ") + kind + QStringLiteral(".nzb");
    std::unique_ptr<FifoUnblocker> pipe;
    if (kind == QLatin1String("pipe")) {
        pipe = std::make_unique<FifoUnblocker>(path);
        QVERIFY(pipe->isMade());
    } else if (kind == QLatin1String("device")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(writeFile(path, nzbDocument(fileEntry(QStringLiteral("big.bin"), 1, QStringLiteral("b")))));
        QFile sparse(path);
        QVERIFY(sparse.resize(300 * 1000 * 1000));
    }
    const int before = manager->listNzbFiles.size();
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->handleMessage(path);

    QCOMPARE(answerer.answeredCount(), 1);
    const QString text = QStringLiteral("Error while importing NZB file: ") + reason;
    QCOMPARE(answerer.seen().first().text, text + QStringLiteral("\nFile: ") + path);
    QVERIFY(logText().contains(text + QStringLiteral(" (%1)").arg(path)));
    QCOMPARE(manager->listNzbFiles.size(), before);
    QVERIFY(recordFiles().isEmpty());
    if (pipe)
        QVERIFY(!pipe->wasOpened());
}

namespace {

// What the message handler saw of the reading of an NZB (see windowAnswersWhileAnNzbIsRead).
struct ReadingWitness
{
    QtMessageHandler previous = nullptr;
    QThread *readerThread = nullptr;
    std::atomic<bool> readerWaits{false};
    bool windowAnswered = false;
    QSemaphore answer;
};
ReadingWitness *witness = nullptr;

void witnessReading(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("cannot be downloaded"))) {
        witness->previous(type, context, message);
        return;
    }
    witness->readerThread = QThread::currentThread();
    witness->readerWaits.store(true);
    witness->windowAnswered = witness->answer.tryAcquire(1, 10000);
}

} // namespace

// While an NZB is read the window answers: the reading goes on in another thread, and it can be
// held up (here in the middle, where the reader warns of a segment it cannot download) until the
// window has handled an event of its own; then the NZB is added as usual. A later start's file
// that comes meanwhile waits its turn: the queue keeps the order in which they were given.
void tst_MainWindowQueue::windowAnswersWhileAnNzbIsRead()
{
    window = makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const QString first = home->path() + QStringLiteral("/read while answering.nzb");
    QVERIFY(writeFile(first, nzbDocument(fileEntry(QStringLiteral("read.bin"), 2, QStringLiteral("r"))
                                         + "<file poster=\"p\" subject=\"odd.bin\"><groups><group>g</group></groups>"
                                           "<segments><segment bytes=\"1\" number=\"1\"> </segment></segments></file>\n")));
    const QString second = home->path() + QStringLiteral("/handed over meanwhile.nzb");
    QVERIFY(writeFile(second, nzbDocument(fileEntry(QStringLiteral("later.bin"), 1, QStringLiteral("l")))));
    const int before = manager->listNzbFiles.size();

    ReadingWitness seen;
    witness = &seen;
    seen.previous = qInstallMessageHandler(witnessReading);
    QTimer windowEvent;
    connect(&windowEvent, &QTimer::timeout, this, [this, &seen, &second] {
        if (!seen.readerWaits.exchange(false))
            return;
        window->handleMessage(second);
        seen.answer.release();
    });
    windowEvent.start(10);
    window->handleMessage(first);
    qInstallMessageHandler(seen.previous);
    witness = nullptr;

    QVERIFY(seen.readerThread);
    QVERIFY2(seen.readerThread != QThread::currentThread(), "the NZB was read by the window's own thread");
    QVERIFY2(seen.windowAnswered, "the window did not answer while the NZB was read");
    QCOMPARE(manager->listNzbFiles.size(), before + 2);
    NzbFiles *read = manager->listNzbFiles.at(before);
    QCOMPARE(read->strName, QStringLiteral("read while answering"));
    QCOMPARE(read->getFiles().size(), 2);
    QCOMPARE(read->pTreeItem->childCount(), 2);
    QCOMPARE(manager->listNzbFiles.at(before + 1)->strName, QStringLiteral("handed over meanwhile"));
}

// An NZB of 40,000 files handed over by a later start: while its rows are built the window
// handles its events (a timer turns, a second hand-over is taken), and both NZBs come into the
// queue in the order they were given.
void tst_MainWindowQueue::windowAnswersWhileAHugeNzbsRowsAreBuilt()
{
    window = makeWindow();
    window->show();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int files = 40000;
    QByteArray entries;
    entries.reserve(files * 240);
    for (int i = 0; i < files; ++i)
        entries += fileEntry(QStringLiteral("huge.%1.bin").arg(i, 6, 10, QLatin1Char('0')), 1, QStringLiteral("h%1").arg(i));
    const QString huge = home->path() + QStringLiteral("/huge.nzb");
    QVERIFY(writeFile(huge, nzbDocument(entries)));
    const QString small = home->path() + QStringLiteral("/small.nzb");
    QVERIFY(writeFile(small, nzbDocument(fileEntry(QStringLiteral("small.bin"), 1, QStringLiteral("s")))));
    const int before = manager->listNzbFiles.size();

    // From this line on the NZB is read and its rows are being built.
    LoggedLine building(QStringLiteral("NZB huge added to download list"));
    int turnsWhileBuilding = 0;
    bool handedOver = false;
    QTimer turn;
    connect(&turn, &QTimer::timeout, this, [&] {
        if (!building.seen || manager->listNzbFiles.size() > before)
            return;
        ++turnsWhileBuilding;
        if (!handedOver) {
            handedOver = true;
            window->handleMessage(small);
        }
    });
    turn.start(0);
    window->handleMessage(huge);
    turn.stop();

    QVERIFY2(turnsWhileBuilding > 0, "the window did not answer while the rows were built");
    QVERIFY(handedOver);
    QCOMPARE(manager->listNzbFiles.size(), before + 2);
    NzbFiles *added = manager->listNzbFiles.at(before);
    QCOMPARE(added->strName, QStringLiteral("huge"));
    QCOMPARE(added->pTreeItem->childCount(), files);
    QCOMPARE(added->getFileAt(files - 1)->pTreeItem->parent(), added->pTreeItem);
    QCOMPARE(added->pTreeItem->child(files - 1)->text(0), QStringLiteral("huge.039999.bin"));
    QCOMPARE(manager->listNzbFiles.at(before + 1)->strName, QStringLiteral("small"));
    DownloadListTreeWidget *list = MainWindowTestAccess::treeWidgetDownloadList(*window);
    QCOMPARE(list->topLevelItem(list->topLevelItemCount() - 2), added->pTreeItem);
    const QStringList recorded = WindowTestFixture::recordedNames();
    QCOMPARE(recorded.mid(recorded.size() - 2), (QStringList{"huge", "small"}));
}

// 300 NZBs named on the command line at start; every one moved down, then every second one
// removed: each time the queue, as its records give it back at the next start, is whole and in
// the list's order.
void tst_MainWindowQueue::bigQueueComesBackWhole()
{
    window = makeWindow();
    const int count = 300;
    QStringList arguments{QStringLiteral("tessaquill")};
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << QStringLiteral("q%1").arg(i, 3, 10, QLatin1Char('0'));
        arguments << home->path() + QLatin1Char('/') + names.last() + QStringLiteral(".nzb");
        QVERIFY(writeFile(arguments.last(), nzbDocument(fileEntry(names.last() + QStringLiteral(".bin"), 1, names.last()))));
    }
    window->loadNzbFromArguments(arguments);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QCOMPARE(manager->listNzbFiles.size(), count);
    AppConfiguration::getInstance()->nzbConfiguration.saveAllNzbs();
    QCOMPARE(WindowTestFixture::recordedNames(), names);

    DownloadListTreeWidget *list = MainWindowTestAccess::treeWidgetDownloadList(*window);
    list->selectAll();
    QCOMPARE(list->selectedItems().size(), count);
    window->slotMoveDownNzb();
    names.prepend(names.takeLast());
    QCOMPARE(WindowTestFixture::recordedNames(), names);
    for (int i = 0; i < count; ++i)
        QCOMPARE(manager->listNzbFiles.at(i)->iQueueId, i);

    list->clearSelection();
    QStringList left;
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 1)
            list->topLevelItem(i)->setSelected(true);
        else
            left << names.at(i);
    }
    ModalAnswerer answerer;
    answerer.pressNext(QMessageBox::Ok);
    window->slotDownloadListNzbItemDelete();
    QCOMPARE(list->topLevelItemCount(), left.size());
    QCOMPARE(WindowTestFixture::recordedNames(), left);
    AppConfiguration::getInstance()->nzbConfiguration.saveAllNzbs();
    QCOMPARE(WindowTestFixture::recordedNames(), left);
}

// The whole road on the real engine and the test news server: added from the command line,
// downloaded to 100 %, verified with par2, cleaned into the destination, record gone.
void tst_MainWindowQueue::downloadFromTheTestServer()
{
    // A posted set: a RAR archive, a loose file and the par2 files made for them.
    QTemporaryDir posted;
    QVERIFY(posted.isValid());
    const QList<PostedFile> data = {{QStringLiteral("film.mkv"), SegmentBodyWriter::randomBytes(60000, 7)},
                                    {QStringLiteral("notes.nfo"), SegmentBodyWriter::randomBytes(3000, 8)}};
    QVERIFY(RarTestArchive(RarTestArchive::Format::Rar5).file("film.mkv", data.at(0).data).write(posted.filePath(QStringLiteral("film.rar"))));
    QVERIFY(writeFile(posted.filePath(data.at(1).name), data.at(1).data));
    QProcess par2;
    par2.setWorkingDirectory(posted.path());
    par2.start(QStringLiteral("par2"), {QStringLiteral("create"), QStringLiteral("-q"), QStringLiteral("-b20"), QStringLiteral("-c2"),
                                        QStringLiteral("-n1"), QStringLiteral("film.par2"), QStringLiteral("film.rar"),
                                        QStringLiteral("notes.nfo")});
    QVERIFY2(par2.waitForFinished(60000), qPrintable(par2.errorString() + QLatin1Char(' ') + par2.readAll()));
    QCOMPARE(par2.exitCode(), 0);

    NntpTestServer news;
    QVERIFY2(news.start(), qPrintable(news.errorString()));
    QByteArray entries;
    int number = 0;
    for (const QString &name : QDir(posted.path()).entryList(QDir::Files, QDir::Name)) {
        const QByteArray content = readFile(posted.filePath(name));
        const QString id = QStringLiteral("post%1").arg(++number);
        news.addArticle(id + QStringLiteral(".1@test"), SegmentBodyWriter::yencSinglePart(name, content));
        entries += fileEntry(name, 1, id, content.size());
    }
    const QString nzbPath = home->path() + QStringLiteral("/film.nzb");
    QVERIFY(writeFile(nzbPath, nzbDocument(entries)));

    AppConfiguration *config = AppConfiguration::getInstance();
    auto *server = new NntpServer;
    server->iId = 1;
    server->strHost = QStringLiteral("127.0.0.1");
    server->iPort = news.port();
    server->strNickname = QStringLiteral("test news");
    server->iConnectionCount = 2;
    server->bStarted = true;
    config->serversConfiguration.listServers.append(server);

    window = makeWindow();
    window->resize(1200, 760);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    const int before = manager->listNzbFiles.size();
    window->loadNzbFromArguments({QStringLiteral("tessaquill"), nzbPath});
    QCOMPARE(manager->listNzbFiles.size(), before + 1);
    NzbFiles *nzb = manager->listNzbFiles.last();
    QTreeWidgetItem *row = nzb->pTreeItem;
    QVERIFY(row);
    MainWindowTestAccess::treeWidgetDownloadList(*window)->expandAll();
    MainWindowTestAccess::treeWidgetDownloadList(*window)->resizeColumnToContents(0);

    QStringList messages;
    QTimer watch;
    bool pictured = false;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (messages.isEmpty() || messages.last() != row->text(5))
            messages.append(row->text(5));
        if (!pictured && row->text(5).startsWith(QStringLiteral("PAR2"))) {
            pictured = true;
            WidgetPicture::save(window.get(), QStringLiteral("MainWindowQueue_postprocessing"));
        }
    });
    watch.start(5);
    QTRY_VERIFY_WITH_TIMEOUT(nzb->bCleaned, 60000);
    watch.stop();
    QCOMPARE(row->data(1, Qt::DisplayRole).toInt(), 100);
    for (const PostedFile &file : data)
        QCOMPARE(readFile(nzb->getDestination() + QStringLiteral("/") + file.name), file.data);
    QVERIFY(!QFileInfo::exists(nzb->getDestination() + QStringLiteral("/film.par2")));
    QVERIFY(!QFileInfo::exists(nzb->getDestination() + QStringLiteral("/film.rar")));
    QCOMPARE(row->text(5), QStringLiteral("film has been successfully downloaded"));
    QVERIFY(recordFiles().isEmpty());
    const QString log = logText();
    QVERIFY(log.contains(QStringLiteral("PAR2 finished for film: ")));
    QVERIFY(log.contains(QStringLiteral("Unrar finished successfully for film")));
    QVERIFY(log.contains(QStringLiteral("NZB film has been successfully downloaded")));
    bool sawPar2 = false;
    for (const QString &message : messages)
        sawPar2 = sawPar2 || message.startsWith(QStringLiteral("PAR2 parity test")) || message.contains(QStringLiteral("block(s) needed"));
    QVERIFY2(sawPar2, qPrintable(messages.join(QLatin1Char('|'))));
    QVERIFY(!WidgetPicture::save(window.get(), QStringLiteral("MainWindowQueue_downloaded")).isEmpty());
}

QTEST_MAIN(tst_MainWindowQueue)
#include "tst_MainWindowQueue.moc"
