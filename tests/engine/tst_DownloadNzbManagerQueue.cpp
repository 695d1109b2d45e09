// The NZB queue of the download manager, through its public calls: loading (naming, folders,
// segment paths, unique index and download folder), queueing, removal of NZBs and files,
// reordering, the rebuild after a pause change, queue ids and the queue records they give.
#include "ManagerTestSupport.h"

#include "config/AppConfiguration.h"
#include "config/NzbConfiguration.h"
#include "model/NzbParser.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class tst_DownloadNzbManagerQueue : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void oneInstance();
    void loadNames_data();
    void loadNames();
    void loadFolders_data();
    void loadFolders();
    void loadErrors();
    void indexAndFolderStayUnique();
    void indexAndFolderUniqueAfterRestart_data();
    void indexAndFolderUniqueAfterRestart();
    void indexAndFolderOfLaterNzbsStayTaken();

    void queue_data();
    void queue();
    void queueNullAndTwice();
    void allPausedNzbStaysReachable();

    void deleteNzbs();
    void excludeFiles();
    void fileBeingDecodedIsNotExcluded();
    void reorder_data();
    void reorder();
    void reorderKeepsRelativeOrder();
    void pauseRebuild();
    void queueIdsAndRecords();
    void nzbAtPosition_data();
    void nzbAtPosition();
    void decodeQueueSkipsRemoved();
    void fileWarnings();
    void undownloadableSegmentsAreGivenUp();
    void queueBytesRoundTrip();

private:
    QString loadFile(const QString &fileName, const QByteArray &document);
    NzbFiles *load(const QString &fileName, const QStringList &subjects, int segments = 2,
                   const QString &name = QString(), const QString &destination = QString());
    NzbFiles *queue(NzbFiles *nzb, int row);

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TestDownloadManager> manager;
};

void tst_DownloadNzbManagerQueue::init()
{
    dir.reset(new QTemporaryDir);
    QVERIFY(dir->isValid());
    manager.reset(new TestDownloadManager);
    manager->strCacheFolder = dir->filePath(QStringLiteral("Cache"));
    manager->strDownloadFolder = dir->filePath(QStringLiteral("Download"));
    manager->strDestinationFolder = dir->filePath(QStringLiteral("Destination"));
    AppConfiguration *config = AppConfiguration::getInstance();
    config->autoSmartDownload = true;
    config->autoCreateSubFolderInDestination = true;
    config->nzbConfiguration.listNzbFiles.clear();
    QDir(AppConfiguration::getNzbFolder()).removeRecursively();
}

void tst_DownloadNzbManagerQueue::cleanup()
{
    AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles.clear();
    manager.reset();
    dir.reset();
}

QString tst_DownloadNzbManagerQueue::loadFile(const QString &fileName, const QByteArray &document)
{
    const QString path = dir->filePath(fileName);
    writeBytes(path, document);
    return path;
}

NzbFiles *tst_DownloadNzbManagerQueue::load(const QString &fileName, const QStringList &subjects, int segments,
                                            const QString &name, const QString &destination)
{
    QString error;
    NzbFiles *nzb = manager->loadNzbFile(loadFile(fileName, nzbDocument(subjects, segments, 100, fileName)), error,
                                         name, destination);
    if (!nzb)
        qWarning() << "load failed:" << error;
    return nzb;
}

NzbFiles *tst_DownloadNzbManagerQueue::queue(NzbFiles *nzb, int row)
{
    nzb->pTreeItem = fakeRow(row);
    QString error;
    manager->queueNzbFiles(nzb, error);
    return nzb;
}

void tst_DownloadNzbManagerQueue::oneInstance()
{
    DownloadNzbManager *first = DownloadNzbManager::getInstance();
    QVERIFY(first);
    QCOMPARE(DownloadNzbManager::getInstance(), first);
    QVERIFY(first != manager.get());
}

void tst_DownloadNzbManagerQueue::loadNames_data()
{
    QTest::addColumn<QStringList>("subjects");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty name: first subject in download order")
        << QStringList{"b.rar", "a.par2"} << QString() << "a.par2";
    QTest::newRow("blank name counts as empty") << QStringList{"x.bin"} << "   " << "x.bin";
    QTest::newRow("the nine characters go")
        << QStringList{"a\\b/c:d*e?f\"g<h>i|j.rar"} << QString() << "abcdefghij.rar";
    QTest::newRow("cut to 50, then trimmed")
        << QStringList{QString(49, QLatin1Char('x')) + " yyy.bin"} << QString() << QString(49, QLatin1Char('x'));
    QTest::newRow("a given name stays as it is") << QStringList{"x.bin"} << "  My NZB  " << "  My NZB  ";
    QTest::newRow("no file") << QStringList{} << QString() << "Unknown NZB Subject";
}

void tst_DownloadNzbManagerQueue::loadNames()
{
    QFETCH(QStringList, subjects);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    std::unique_ptr<NzbFiles> nzb(load(QStringLiteral("n.nzb"), subjects, 2, name));
    QVERIFY(nzb);
    QCOMPARE(nzb->strName, expected);
}

void tst_DownloadNzbManagerQueue::loadFolders_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<bool>("subFolder");
    QTest::addColumn<QString>("expectedDestination");

    const QString cwd = QDir::currentPath();
    QTest::newRow("empty: the configured destination, with a sub-folder")
        << QString() << true << "@dest/Show.S01E01";
    QTest::newRow("empty, no sub-folder") << QString() << false << "@dest";
    QTest::newRow("given folder") << "@tmp/Elsewhere" << true << "@tmp/Elsewhere/Show.S01E01";
    QTest::newRow("blanks are a folder of their own") << "   " << false << cwd + "/   ";
}

void tst_DownloadNzbManagerQueue::loadFolders()
{
    QFETCH(QString, destination);
    QFETCH(bool, subFolder);
    QFETCH(QString, expectedDestination);
    const auto expand = [this](QString text) {
        return text.replace(QStringLiteral("@dest"), manager->strDestinationFolder).replace(QStringLiteral("@tmp"), dir->path());
    };
    AppConfiguration::getInstance()->autoCreateSubFolderInDestination = subFolder;

    const QStringList subjects{"\"movie.part02.rar\" yEnc (1/2)", "\"movie.part01.rar\" yEnc (1/2)",
                               "\"movie.vol01+02.par2\" yEnc (1/1)", "\"movie.par2\" yEnc (1/1)"};
    std::unique_ptr<NzbFiles> nzb(load(QStringLiteral("f.nzb"), subjects, 2, QStringLiteral("Show.S01E01.720p"),
                                       expand(destination)));
    QVERIFY(nzb);
    QCOMPARE(nzb->strDestination, expand(expectedDestination));
    // Download order: the PAR2 index first, then RAR in subject order, the volumes last and paused.
    const QList<NzbFile *> files = nzb->getFiles();
    QCOMPARE(files.size(), 4);
    QCOMPARE(files.at(0)->getSubject(), subjects.at(3));
    QCOMPARE(files.at(1)->getSubject(), subjects.at(1));
    QVERIFY(files.at(3)->bPaused);
    QVERIFY(!files.at(0)->bPaused && !files.at(1)->bPaused && !files.at(2)->bPaused);
    QCOMPARE(nzb->strDownloadFolder, manager->strDownloadFolder + "/movie");
    QCOMPARE(files.at(2)->getSegments().at(1)->getTempFilePath(), manager->strCacheFolder + "/0-2/2.tmp");
}

void tst_DownloadNzbManagerQueue::loadErrors()
{
    QString error;
    QVERIFY(!manager->loadNzbFile(dir->filePath(QStringLiteral("absent.nzb")), error, QString(), QString()));
    QCOMPARE(error, QStringLiteral("File does not exist"));
    error.clear();
    QVERIFY(!manager->loadNzbFile(loadFile(QStringLiteral("bad.nzb"), "<nzb><file subject=\"x\">"), error, QString(), QString()));
    QCOMPARE(error, QStringLiteral("NZB contains error(s)"));
    QVERIFY(manager->listNzbFiles.isEmpty());
}

// The same NZB loaded three times, one copy removed, then a fourth: every copy writes its own
// segment folders and assembles in its own download folder; a stale segment folder of the
// Cache folder is never reused either.
void tst_DownloadNzbManagerQueue::indexAndFolderStayUnique()
{
    const QStringList subjects{"\"same.bin\" yEnc (1/2)"};
    NzbFiles *a = queue(load(QStringLiteral("a.nzb"), subjects), 1);
    NzbFiles *b = queue(load(QStringLiteral("b.nzb"), subjects), 2);
    NzbFiles *c = queue(load(QStringLiteral("c.nzb"), subjects), 3);
    QVERIFY(a && b && c);
    const QString root = manager->strDownloadFolder + "/same";
    QCOMPARE(a->strDownloadFolder, root);
    QCOMPARE(b->strDownloadFolder, root + " (2)");
    QCOMPARE(c->strDownloadFolder, root + " (3)");
    const auto tempFolder = [](NzbFiles *nzb) { return nzb->getFileAt(0)->getSegments().first()->strTempFolder; };
    QCOMPARE(tempFolder(a), manager->strCacheFolder + "/0-0");
    QCOMPARE(tempFolder(b), manager->strCacheFolder + "/1-0");
    QCOMPARE(tempFolder(c), manager->strCacheFolder + "/2-0");

    manager->deleteNzbList({fakeRow(1)});
    QVERIFY(QDir().mkpath(manager->strCacheFolder + "/3-5"));
    QVERIFY(QDir().mkpath(manager->strDownloadFolder + "/same (4)"));
    NzbFiles *d = queue(load(QStringLiteral("d.nzb"), subjects), 4);
    QVERIFY(d);
    QCOMPARE(tempFolder(d), manager->strCacheFolder + "/4-0");
    QCOMPARE(d->strDownloadFolder, root + " (5)");
}

void tst_DownloadNzbManagerQueue::indexAndFolderUniqueAfterRestart_data()
{
    QTest::addColumn<bool>("queuedFirst");
    QTest::newRow("restored NZBs queued before the new one") << true;
    QTest::newRow("restored NZBs only in the saved queue") << false;
}

// A restart: the queue records of two NZBs are written, read back by a fresh configuration
// and manager, and the same NZB is added once more.
void tst_DownloadNzbManagerQueue::indexAndFolderUniqueAfterRestart()
{
    QFETCH(bool, queuedFirst);
    AppConfiguration *config = AppConfiguration::getInstance();
    const QStringList subjects{"\"same.bin\" yEnc (1/2)"};
    NzbFiles *a = queue(load(QStringLiteral("a.nzb"), subjects), 1);
    NzbFiles *b = queue(load(QStringLiteral("b.nzb"), subjects), 2);
    a->iQueueId = 0;
    b->iQueueId = 1;
    QVERIFY(config->nzbConfiguration.saveNzb(a));
    QVERIFY(config->nzbConfiguration.saveNzb(b));
    const QString cache = manager->strCacheFolder;
    const QString download = manager->strDownloadFolder;

    manager.reset(new TestDownloadManager);
    manager->strCacheFolder = cache;
    manager->strDownloadFolder = download;
    manager->strDestinationFolder = dir->filePath(QStringLiteral("Destination"));
    config->nzbConfiguration.loadNzbs();
    const QList<NzbFiles *> restored = config->nzbConfiguration.listNzbFiles;
    QCOMPARE(restored.size(), 2);
    if (queuedFirst) {
        for (NzbFiles *nzb : restored)
            queue(nzb, 10 + nzb->iQueueId);
    }

    std::unique_ptr<NzbFiles> fresh(load(QStringLiteral("c.nzb"), subjects));
    QVERIFY(fresh);
    QCOMPARE(fresh->getFileAt(0)->getSegments().first()->strTempFolder, cache + "/2-0");
    QCOMPARE(fresh->strDownloadFolder, download + "/same (3)");
    if (!queuedFirst)
        qDeleteAll(restored);
}

// NZBs that come into the saved queue after the first additions (appended to it, or in a saved
// queue put in its place) keep their segment folders and download folder: no later NZB gets them.
void tst_DownloadNzbManagerQueue::indexAndFolderOfLaterNzbsStayTaken()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    const QStringList subjects{"\"same.bin\" yEnc (1/2)"};
    const QString root = manager->strDownloadFolder + "/same";
    const auto tempFolder = [](NzbFiles *nzb) { return nzb->getFileAt(0)->getSegments().first()->strTempFolder; };
    // Read as another run left it: segment folders of index `index`, its own download folder.
    const auto restored = [&](const QString &fileName, int index, const QString &folder) {
        QString error;
        NzbFiles *nzb = NzbParser::parseFile(loadFile(fileName, nzbDocument(subjects, 2, 100, fileName)), error);
        nzb->setSegmentPaths(manager->strCacheFolder, index);
        nzb->strDownloadFolder = folder;
        return nzb;
    };
    std::unique_ptr<NzbFiles> a(load(QStringLiteral("a.nzb"), subjects));
    QCOMPARE(tempFolder(a.get()), manager->strCacheFolder + "/0-0");
    std::unique_ptr<NzbFiles> appended(restored(QStringLiteral("r.nzb"), 1, root + " (2)"));
    config->nzbConfiguration.listNzbFiles.append(appended.get());
    std::unique_ptr<NzbFiles> b(load(QStringLiteral("b.nzb"), subjects));
    QCOMPARE(tempFolder(b.get()), manager->strCacheFolder + "/2-0");
    QCOMPARE(b->strDownloadFolder, root + " (3)");

    std::unique_ptr<NzbFiles> replacing(restored(QStringLiteral("s.nzb"), 3, root + " (4)"));
    config->nzbConfiguration.listNzbFiles = QList<NzbFiles *>{replacing.get()};
    std::unique_ptr<NzbFiles> c(load(QStringLiteral("c.nzb"), subjects));
    for (const NzbFiles *other : {a.get(), b.get(), replacing.get()}) {
        QVERIFY(tempFolder(c.get()) != tempFolder(const_cast<NzbFiles *>(other)));
        QVERIFY(c->strDownloadFolder != other->strDownloadFolder);
    }
    config->nzbConfiguration.listNzbFiles.clear();
}

void tst_DownloadNzbManagerQueue::queue_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<QString>("global");
    QTest::addColumn<QString>("decode");
    QTest::addColumn<QString>("decodedSignals");

    QTest::newRow("pending segments in file and number order")
        << QStringList{"ppp", "pdp"} << false << "Nf0:1 Nf0:2 Nf0:3 Nf1:1 Nf1:3" << "" << "";
    QTest::newRow("downloaded and missing segments are never queued")
        << QStringList{"dmp"} << false << "Nf0:3" << "" << "";
    QTest::newRow("complete files go to the decode queue") << QStringList{"dd", "dm", "pp"} << false
                                                           << "Nf2:1 Nf2:2" << "Nf0 Nf1" << "";
    QTest::newRow("decoded files are skipped") << QStringList{"D:dd", "pp"} << false << "Nf1:1 Nf1:2" << "" << "";
    QTest::newRow("all decoded: completes at once") << QStringList{"D:dd", "D:dm"} << false << "" << "" << "Nf0";
    QTest::newRow("paused files are skipped") << QStringList{"P:pp", "pp"} << false << "Nf1:1 Nf1:2" << "" << "";
    QTest::newRow("decoded and paused files only") << QStringList{"P:pp", "D:dd"} << false << "" << "" << "Nf1";
    QTest::newRow("every file paused") << QStringList{"P:pp", "P:pp"} << false << "" << "" << "";
    QTest::newRow("no file") << QStringList{} << false << "" << "" << "";
    QTest::newRow("finished in an earlier run") << QStringList{"pp", "dd"} << true << "" << "" << "";
}

void tst_DownloadNzbManagerQueue::queue()
{
    QFETCH(QStringList, files);
    QFETCH(bool, finished);
    QFETCH(QString, global);
    QFETCH(QString, decode);
    QFETCH(QString, decodedSignals);

    NzbFiles *nzb = buildNzb(QStringLiteral("N"), files);
    nzb->bFinished = finished;
    QSignalSpy decoded(manager.get(), &DownloadNzbManager::signalFileDecoded);
    QString error;
    manager->queueNzbFiles(nzb, error);
    QVERIFY(error.isEmpty());
    // Whatever it holds, the NZB stays in the queue, where the list's commands reach it.
    QCOMPARE(manager->listNzbFiles, QList<NzbFiles *>{nzb});
    QCOMPARE(globalQueue(*manager), global);
    QCOMPARE(decodeQueue(*manager), decode);
    QStringList decodedNames;
    for (const QList<QVariant> &call : decoded)
        decodedNames << call.at(0).value<NzbFile *>()->getSubject();
    QCOMPARE(decodedNames.join(QLatin1Char(' ')), decodedSignals);
}

void tst_DownloadNzbManagerQueue::queueNullAndTwice()
{
    QString error;
    manager->queueNzbFiles(nullptr, error);
    QCOMPARE(error, QStringLiteral("Error: no NZB file object"));
    QVERIFY(manager->listNzbFiles.isEmpty());

    NzbFiles *nzb = buildNzb(QStringLiteral("N"), {"pp"});
    error.clear();
    manager->queueNzbFiles(nzb, error);
    QVERIFY(error.isEmpty());
    manager->queueNzbFiles(nzb, error);
    QCOMPARE(error, QStringLiteral("Error: NZB file already queued"));
    QCOMPARE(manager->listNzbFiles.size(), 1);
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:1 Nf0:2"));
}

// An NZB of PAR2 volumes alone, all paused (smart download holds back all but the smallest, which
// the user paused too): it stays in the queue, so that resuming a file queues its segments and
// removing the NZB reaches it.
void tst_DownloadNzbManagerQueue::allPausedNzbStaysReachable()
{
    NzbFiles *loaded = load(QStringLiteral("p.nzb"), {"x.vol00+01.par2", "x.vol01+02.par2"});
    QVERIFY(loaded);
    QVERIFY(!loaded->getFileAt(0)->bPaused && loaded->getFileAt(1)->bPaused);
    loaded->getFileAt(0)->bPaused = true;
    loaded->updateSizes();
    NzbFiles *nzb = queue(loaded, 1);
    QVERIFY(nzb->getFileAt(0)->bPaused && nzb->getFileAt(1)->bPaused);
    QCOMPARE(manager->listNzbFiles.size(), 1);
    QCOMPARE(globalQueue(*manager), QString());

    nzb->getFileAt(1)->bPaused = false;
    manager->pauseUnpauseFiles();
    QCOMPARE(globalQueue(*manager), QStringLiteral("x.vol01+02.par2:1 x.vol01+02.par2:2"));

    manager->deleteNzbList({fakeRow(1)});
    QVERIFY(nzb->bDeleted);
    QCOMPARE(manager->listDeletedNzbFiles, QList<NzbFiles *>{nzb});
    QCOMPARE(globalQueue(*manager), QString());
}

void tst_DownloadNzbManagerQueue::deleteNzbs()
{
    NzbFiles *a = queue(buildNzb(QStringLiteral("A"), {"pp"}), 1);
    NzbFiles *b = queue(buildNzb(QStringLiteral("B"), {"pp", "pp"}), 2);
    NzbFiles *c = queue(buildNzb(QStringLiteral("C"), {"pp"}), 3);
    for (int i = 0; i < 3; ++i)
        manager->listNzbFiles.at(i)->iQueueId = 10 + i;

    manager->deleteNzbList({fakeRow(99)});
    QCOMPARE(manager->listNzbFiles.size(), 3);
    QCOMPARE(a->iQueueId, 10);

    manager->deleteNzbList({fakeRow(2), fakeRow(99)});
    QCOMPARE(manager->listNzbFiles, (QList<NzbFiles *>{a, c}));
    QCOMPARE(a->iQueueId, 0);
    QCOMPARE(c->iQueueId, 1);
    QVERIFY(b->bDeleted);
    QVERIFY(!b->pTreeItem);
    QCOMPARE(manager->listDeletedNzbFiles, QList<NzbFiles *>{b});
    QCOMPARE(globalQueue(*manager), QStringLiteral("Af0:1 Af0:2 Cf0:1 Cf0:2"));
}

void tst_DownloadNzbManagerQueue::excludeFiles()
{
    NzbFiles *nzb = queue(buildNzb(QStringLiteral("N"), {"pp", "pp", "dd"}, 100), 1);
    NzbFile *middle = nzb->getFileAt(1);
    middle->pTreeItem = fakeRow(21);
    nzb->getFileAt(2)->pTreeItem = fakeRow(22);
    QCOMPARE(nzb->uiTotalSize, quint64(600));
    QCOMPARE(decodeQueue(*manager), QStringLiteral("Nf2"));
    QSignalSpy decoded(manager.get(), &DownloadNzbManager::signalFileDecoded);

    manager->deleteFilesList({fakeRow(21), fakeRow(22)});
    QVERIFY(middle->bExcluded && middle->bDecoded && !middle->pTreeItem);
    QCOMPARE(nzb->uiTotalSize, quint64(200));
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:1 Nf0:2"));
    QCOMPARE(decoded.size(), 2);
    QCOMPARE(decoded.at(0).at(0).value<NzbFile *>(), middle);
    // The excluded file that already waited for a decoder is not handed out any more.
    QCOMPARE(manager->takeNextFileToDecode(), nullptr);
}

// A file a decoder has taken stays until the decoder is done with it: excluded, it would let the
// NZB complete (and be moved) while the decoder still writes.
void tst_DownloadNzbManagerQueue::fileBeingDecodedIsNotExcluded()
{
    NzbFiles *nzb = queue(buildNzb(QStringLiteral("N"), {"dd", "pp"}), 1);
    NzbFile *taken = nzb->getFileAt(0);
    taken->pTreeItem = fakeRow(21);
    QCOMPARE(manager->takeNextFileToDecode(), taken);
    QVERIFY(manager->isFileBeingDecoded(taken));
    QSignalSpy decoded(manager.get(), &DownloadNzbManager::signalFileDecoded);

    manager->deleteFilesList({fakeRow(21)});
    QVERIFY(!taken->bExcluded && !taken->bDecoded && taken->pTreeItem);
    QCOMPARE(decoded.size(), 0);

    manager->endFileDecoding(taken);
    QVERIFY(!manager->isFileBeingDecoded(taken));
    manager->deleteFilesList({fakeRow(21)});
    QVERIFY(taken->bExcluded && taken->bDecoded && !taken->pTreeItem);
    QCOMPARE(decoded.size(), 1);
}

void tst_DownloadNzbManagerQueue::reorder_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("global");

    const QString unchanged = QStringLiteral("Af0:1 Af0:2 Bf0:1 Bf0:2 Cf0:1 Cf0:2");
    QTest::newRow("same order") << QList<int>{1, 2, 3} << false << "A0 B1 C2" << unchanged;
    QTest::newRow("one short") << QList<int>{3, 1} << false << "A0 B1 C2" << unchanged;
    QTest::newRow("unknown row") << QList<int>{3, 2, 9} << false << "A0 B1 C2" << unchanged;
    QTest::newRow("one NZB twice would drop another") << QList<int>{3, 3, 1} << false << "A0 B1 C2" << unchanged;
    QTest::newRow("reversed") << QList<int>{3, 2, 1} << true << "C0 B1 A2"
                              << "Cf0:1 Cf0:2 Bf0:1 Bf0:2 Af0:1 Af0:2";
    QTest::newRow("rotated") << QList<int>{2, 3, 1} << true << "B0 C1 A2"
                             << "Bf0:1 Bf0:2 Cf0:1 Cf0:2 Af0:1 Af0:2";
}

void tst_DownloadNzbManagerQueue::reorder()
{
    QFETCH(QList<int>, rows);
    QFETCH(bool, changed);
    QFETCH(QString, names);
    QFETCH(QString, global);
    queue(buildNzb(QStringLiteral("A"), {"pp"}), 1);
    queue(buildNzb(QStringLiteral("B"), {"pp"}), 2);
    queue(buildNzb(QStringLiteral("C"), {"pp"}), 3);
    for (int i = 0; i < 3; ++i)
        manager->listNzbFiles.at(i)->iQueueId = i;

    QList<QTreeWidgetItem *> items;
    for (int row : rows)
        items << fakeRow(row);
    QCOMPARE(manager->reorderNzbList(items), changed);
    QStringList order;
    for (const NzbFiles *nzb : qAsConst(manager->listNzbFiles))
        order << nzb->strName + QString::number(nzb->iQueueId);
    QCOMPARE(order.join(QLatin1Char(' ')), names);
    QCOMPARE(globalQueue(*manager), global);
}

// A segment put back at the front after a failure stays ahead of its NZB's others; one in a
// connection's hands is not queued again.
void tst_DownloadNzbManagerQueue::reorderKeepsRelativeOrder()
{
    queue(buildNzb(QStringLiteral("A"), {"ppp"}), 1);
    queue(buildNzb(QStringLiteral("B"), {"pp"}), 2);
    NzbSegment *first = manager->getNextSegment(1);
    NzbSegment *second = manager->getNextSegment(1);
    manager->processDownload_ErrorFailedConnect(0, second, QStringLiteral("no route"));
    QCOMPARE(globalQueue(*manager), QStringLiteral("Af0:2 Af0:3 Bf0:1 Bf0:2"));
    QVERIFY(manager->reorderNzbList({fakeRow(2), fakeRow(1)}));
    QCOMPARE(globalQueue(*manager), QStringLiteral("Bf0:1 Bf0:2 Af0:2 Af0:3"));
    QCOMPARE(segmentName(first), QStringLiteral("Af0:1"));
    QCOMPARE(inProgressCount(*manager), 1);
}

// Pausing rebuilds the global queue: never with a segment in a connection's hands, one that is
// downloaded or missing, or one that waits in a retry queue (it would be fetched twice).
void tst_DownloadNzbManagerQueue::pauseRebuild()
{
    manager->addServerQueue(1);
    manager->addServerQueue(2);
    NzbFiles *nzb = queue(buildNzb(QStringLiteral("N"), {"ppp", "ppp"}), 1);
    NzbSegment *inHand = manager->getNextSegment(1);
    manager->processDownload_OK(manager->getNextSegment(1), 1);
    NzbSegment *gone = manager->getNextSegment(1);
    manager->processDownload_ErrorMissingSegment(0, gone, QString(), QStringLiteral("a"), 1);
    manager->processDownload_ErrorMissingSegment(0, manager->getNextSegment(2), QString(), QStringLiteral("b"), 2);
    QVERIFY(gone->bMissing);
    NzbSegment *retry = manager->getNextSegment(1);
    manager->processDownload_ErrorMissingSegment(0, retry, QString(), QStringLiteral("a"), 1);
    QCOMPARE(segmentName(inHand), QStringLiteral("Nf0:1"));
    QCOMPARE(retryQueue(*manager, 2), QStringLiteral("Nf1:1"));
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf1:2 Nf1:3"));

    nzb->getFileAt(1)->bPaused = true;
    manager->pauseUnpauseFiles();
    QCOMPARE(globalQueue(*manager), QString());
    nzb->getFileAt(1)->bPaused = false;
    manager->pauseUnpauseFiles();
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf1:2 Nf1:3"));
    QCOMPARE(manager->getNextSegment(2), retry);
    QCOMPARE(manager->getNextSegment(2), nzb->getFileAt(1)->getSegments().at(1));
}

// Removing and reordering renumber the queue ids by position; the queue records written after
// that read back in the new order, and the removed NZB's record is gone.
void tst_DownloadNzbManagerQueue::queueIdsAndRecords()
{
    NzbConfiguration &saved = AppConfiguration::getInstance()->nzbConfiguration;
    const QStringList names{"A", "B", "C"};
    for (int i = 0; i < names.size(); ++i) {
        NzbFiles *nzb = queue(buildNzb(names.at(i), {"pp"}), i + 1);
        nzb->iQueueId = i;
        saved.listNzbFiles.append(nzb);
    }
    QVERIFY(saved.saveAllNzbs());
    manager->deleteNzbList({fakeRow(2)});
    QVERIFY(manager->reorderNzbList({fakeRow(3), fakeRow(1)}));
    QVERIFY(saved.saveAllNzbs());

    const QStringList records = QDir(AppConfiguration::getNzbFolder()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(records, (QStringList{"Nzb_0", "Nzb_0.rec", "Nzb_1", "Nzb_1.rec"}));
    NzbConfiguration reader;
    reader.loadNzbs();
    QStringList order;
    for (const NzbFiles *nzb : qAsConst(reader.listNzbFiles))
        order << nzb->strName + QString::number(nzb->iQueueId);
    QCOMPARE(order.join(QLatin1Char(' ')), QStringLiteral("C0 A1"));
    qDeleteAll(reader.listNzbFiles);
}

void tst_DownloadNzbManagerQueue::nzbAtPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("expected");
    QTest::newRow("negative") << -1 << QString();
    QTest::newRow("first") << 0 << "A";
    QTest::newRow("last") << 2 << "C";
    QTest::newRow("past the end") << 3 << QString();
}

void tst_DownloadNzbManagerQueue::nzbAtPosition()
{
    QFETCH(int, position);
    QFETCH(QString, expected);
    for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
        queue(buildNzb(name, {"p"}), 1);
    NzbFiles *nzb = manager->getNzbFilesAt(position);
    QCOMPARE(nzb ? nzb->strName : QString(), expected);
}

void tst_DownloadNzbManagerQueue::decodeQueueSkipsRemoved()
{
    QCOMPARE(manager->takeNextFileToDecode(), nullptr);
    NzbFiles *a = queue(buildNzb(QStringLiteral("A"), {"dd", "dd"}), 1);
    queue(buildNzb(QStringLiteral("B"), {"d"}), 2);
    NzbFiles *c = queue(buildNzb(QStringLiteral("C"), {"d"}), 3);
    a->getFileAt(0)->pTreeItem = fakeRow(30);
    manager->deleteFilesList({fakeRow(30)});
    manager->deleteNzbList({fakeRow(2)});
    QCOMPARE(manager->takeNextFileToDecode(), a->getFileAt(1));
    QCOMPARE(manager->takeNextFileToDecode(), c->getFileAt(0));
    QCOMPARE(manager->takeNextFileToDecode(), nullptr);
}

void tst_DownloadNzbManagerQueue::fileWarnings()
{
    NzbFiles *a = queue(buildNzb(QStringLiteral("A"), {"p", "p"}), 1);
    NzbFiles *b = queue(buildNzb(QStringLiteral("B"), {"p"}), 2);
    a->getFileAt(1)->pTreeItem = fakeRow(40);
    manager->deleteFilesList({fakeRow(40)});
    manager->deleteNzbList({fakeRow(2)});
    QSignalSpy warnings(manager.get(), &DownloadNzbManager::signalFileWarning);
    manager->processFileWarning(a->getFileAt(0), QStringLiteral("Segment 1 has a CRC error"));
    manager->processFileWarning(a->getFileAt(1), QStringLiteral("excluded"));
    manager->processFileWarning(b->getFileAt(0), QStringLiteral("deleted"));
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings.at(0).at(0).value<NzbFile *>(), a->getFileAt(0));
    QCOMPARE(warnings.at(0).at(1).toString(), QStringLiteral("Segment 1 has a CRC error"));
}

// A segment no server can be asked for, or whose number places it nowhere, is not downloaded: it is
// given up as missing when its NZB is queued (its file then counts as incomplete) and reported,
// and again when its file is downloaded anew.
void tst_DownloadNzbManagerQueue::undownloadableSegmentsAreGivenUp()
{
    const QByteArray document = "<nzb><file subject=\"a.bin\"><groups><group>g</group></groups><segments>"
                                "<segment bytes=\"10\" number=\"x\">ax@test</segment>"
                                "<segment bytes=\"10\" number=\"1\">a1@test</segment>"
                                "<segment bytes=\"10\" number=\"2\"> </segment>"
                                "</segments></file>"
                                "<file subject=\"b.bin\"><groups><group>g</group></groups><segments>"
                                "<segment bytes=\"10\" number=\"../y\">by@test</segment>"
                                "</segments></file></nzb>";
    QString error;
    NzbFiles *nzb = NzbParser::parse(document, error);
    QVERIFY(nzb);
    QCOMPARE(nzb->getFileCount(), quint64(2));
    nzb->updateSizes();
    nzb->setSegmentPaths(QDir::homePath() + QStringLiteral("/Cache"), 0);
    QSignalSpy warnings(manager.get(), &DownloadNzbManager::signalFileWarning);
    QSignalSpy missing(manager.get(), &DownloadNzbManager::signalSegmentIsMissing);
    queue(nzb, 1);

    QCOMPARE(globalQueue(*manager), QStringLiteral("a.bin:1"));
    QCOMPARE(decodeQueue(*manager), QStringLiteral("b.bin"));
    QCOMPARE(missing.size(), 3);
    QStringList texts;
    for (const QList<QVariant> &warning : qAsConst(warnings))
        texts << warning.at(0).value<NzbFile *>()->getSubject() + QLatin1Char('|') + warning.at(1).toString();
    QCOMPARE(texts, (QStringList{"a.bin|Segment 2 cannot be downloaded: its message id is blank or holds a line break",
                                 "a.bin|Segment x cannot be placed in its file: its number is not a whole number",
                                 "b.bin|Segment ../y cannot be placed in its file: its number is not a whole number"}));
    NzbFile *a = nzb->getFileAt(0);
    manager->processDownload_OK(manager->getNextSegment(1), 1);
    QVERIFY(a->isAllSegmentsProcessed());
    QCOMPARE(decodeQueue(*manager), QStringLiteral("b.bin a.bin"));
    QCOMPARE(a->uiDownloaded, quint64(30));

    // Downloaded anew: the same again.
    a->reset();
    manager->pauseUnpauseFiles();
    QCOMPARE(globalQueue(*manager), QStringLiteral("a.bin:1"));
    QCOMPARE(warnings.size(), 5);
    QCOMPARE(missing.size(), 5);
}

void tst_DownloadNzbManagerQueue::queueBytesRoundTrip()
{
    queue(buildNzb(QStringLiteral("A"), {"dp", "mm"}), 1)->iQueueId = 4;
    queue(buildNzb(QStringLiteral("B"), {"P:pp"}), 2)->iQueueId = 5;
    const QList<QByteArray *> records = manager->saveQueueToBytes();
    QCOMPARE(records.size(), 2);
    for (int i = 0; i < records.size(); ++i) {
        std::unique_ptr<NzbFiles> back(manager->restoreNzbFiles(records.at(i)));
        QVERIFY(back);
        const NzbFiles *original = manager->listNzbFiles.at(i);
        QCOMPARE(back->strName, original->strName);
        QCOMPARE(back->iQueueId, original->iQueueId);
        QCOMPARE(back->uiDownloaded, original->uiDownloaded);
        QCOMPARE(back->getFileAt(0)->bPaused, original->getFileAt(0)->bPaused);
        QCOMPARE(back->getFileAt(0)->getSegments().at(0)->bDownloaded,
                 original->getFileAt(0)->getSegments().at(0)->bDownloaded);
    }
    QByteArray damaged("\x01\x02");
    QCOMPARE(manager->restoreNzbFiles(&damaged), nullptr);
    qDeleteAll(records);
}

QTEST_GUILESS_MAIN(tst_DownloadNzbManagerQueue)
#include "tst_DownloadNzbManagerQueue.moc"
