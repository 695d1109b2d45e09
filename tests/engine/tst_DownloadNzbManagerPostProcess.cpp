// Post-processing of completed NZBs through the download manager: its queue, the tick, the start
// and done slots of the three workers with every stage of the chain, recovery volumes fetched
// when par2 asks for them, removed NZBs, and par2's backups. par2 and unrar are stand-in programs
// that answer as a row says (and the real par2 where its files matter); joining is the real
// worker on real split files.
#include "ManagerTestSupport.h"
#include "RarTestArchive.h"
#include "StandInProgram.h"
#include "engine/NzbToProcess.h"
#include "postprocess/Par2Backups.h"
#include "postprocess/ThreadClean.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString kNoPar2 = QStringLiteral("par2: No par2 file found! | 0");

QByteArray contentFor(const QString &name)
{
    if (name.endsWith(QLatin1String(".rar")))
        return QByteArray("Rar!\x1a\x07\x00", 7) + name.toUtf8();
    return "content of " + name.toUtf8() + QByteArray(1000, 'x');
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList lines(const QString &path)
{
    return QString::fromUtf8(readAll(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class tst_DownloadNzbManagerPostProcess : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stages_data();
    void stages();
    void incompleteFilesWithoutPar2_data();
    void incompleteFilesWithoutPar2();
    void par2Failures_data();
    void par2Failures();
    void twoPar2Sets();
    void gapInASplitSetKeepsThePieces();
    void rarCutIntoPiecesIsJoinedThenExtracted();
    void setWithoutIndexFetchesItsVolumes();
    void recoveryVolumesAreFetched();
    void indexFiles_data();
    void indexFiles();
    void removedNzbStartsNothing_data();
    void removedNzbStartsNothing();
    void removedDuringItsPar2Run();
    void oneNzbAtATime();
    void jobsStartWithoutTheTick();
    void repairKeepsRestoredFiles();
    void onlyPar2BackupsAreDeleted_data();
    void onlyPar2BackupsAreDeleted();

private:
    void createDamagedPar2Set(const QString &folder, QByteArray &first, QByteArray &second);
    NzbFiles *postProcessRepairedFolder(const QString &folder);
    NzbFiles *completeNzb(const QString &name, const QStringList &files, bool skipExtraction = false);
    // Queues an NZB (download folder "N") whose `decoded` files have every article in and are
    // decoded, with the files `written` in its download folder.
    void queueDecoded(NzbFiles *nzb, const QList<NzbFile *> &decoded, const QStringList &written);
    void writePar2(const QByteArray &body);
    void writeUnrar(const QByteArray &body);
    void waitForEvent(const QString &event, int count = 1);

    std::unique_ptr<QTemporaryDir> work;
    std::unique_ptr<TestDownloadManager> manager;
    QString bin;
    QString download;
    QString destination;
    QStringList events;
};

void tst_DownloadNzbManagerPostProcess::init()
{
    work.reset(new QTemporaryDir);
    QVERIFY(work->isValid());
    bin = work->filePath(QStringLiteral("bin"));
    download = work->filePath(QStringLiteral("Download"));
    destination = work->filePath(QStringLiteral("Destination"));
    QVERIFY(QDir().mkpath(bin));
    events.clear();

    manager.reset(new TestDownloadManager);
    manager->threadParity.setProgramFolder(bin);
    manager->threadUnrar.setProgramFolder(bin);
    DownloadNzbManager *m = manager.get();
    connect(m, &DownloadNzbManager::signalPar2Finished, this, [this](const QString &text, const QString &blocks, NzbFiles *nzb) {
        events << QStringLiteral("%1 par2: %2 | %3").arg(nzb->strName, text, blocks);
    });
    connect(m, &DownloadNzbManager::signalUnrarFinished, this, [this](NzbFiles *nzb, bool ok) {
        events << nzb->strName + (ok ? " unrar finished" : " unrar finished false");
    });
    connect(m, &DownloadNzbManager::signalUnrarError, this, [this](const QString &text, NzbFiles *nzb) {
        events << nzb->strName + " unrar error: " + text;
    });
    connect(m, &DownloadNzbManager::signalUnrarNoFileFound, this,
            [this](NzbFiles *nzb) { events << nzb->strName + " no archive"; });
    connect(m, &DownloadNzbManager::signalStartUnsplit, this,
            [this](NzbFiles *nzb) { events << nzb->strName + " start unsplit"; });
    connect(m, &DownloadNzbManager::signalUnsplitNoFileFound, this,
            [this](NzbFiles *nzb) { events << nzb->strName + " no split file"; });
    connect(m, &DownloadNzbManager::signalUnsplitDone, this, [this](NzbFiles *nzb, const QString &text) {
        events << nzb->strName + " unsplit done: " + QString(text).replace(destination, QStringLiteral("<dest>"));
    });
    connect(m, &DownloadNzbManager::signalFileResumed, this,
            [this](NzbFile *file) { events << "resumed " + file->getSubject(); });
    connect(m, &DownloadNzbManager::signalNzbFinished, this,
            [this](NzbFiles *nzb) { events << nzb->strName + " finished"; });

    manager->start();
    QTRY_VERIFY_WITH_TIMEOUT(manager->threadParity.isTakingJobs() && manager->threadUnrar.isTakingJobs()
                                 && manager->threadUnsplit.isTakingJobs(),
                             30000);
}

void tst_DownloadNzbManagerPostProcess::cleanup()
{
    manager->shutdown();
    manager.reset();
    work.reset();
}

// An NZB whose one file is decoded, with these files in its download folder, queued as after a
// restart: the manager finds it complete at once.
NzbFiles *tst_DownloadNzbManagerPostProcess::completeNzb(const QString &name, const QStringList &files,
                                                          bool skipExtraction)
{
    NzbFiles *nzb = buildNzb(name, {QStringLiteral("D:d")});
    nzb->strDownloadFolder = download + QLatin1Char('/') + name;
    nzb->strDestination = destination + QLatin1Char('/') + name;
    nzb->bSkipExtraction = skipExtraction;
    QDir().mkpath(nzb->strDownloadFolder);
    for (const QString &file : files)
        writeBytes(nzb->strDownloadFolder + QLatin1Char('/') + file, contentFor(file));
    nzb->checkAllFilesDecoded();
    QString error;
    manager->queueNzbFiles(nzb, error);
    return nzb;
}

void tst_DownloadNzbManagerPostProcess::queueDecoded(NzbFiles *nzb, const QList<NzbFile *> &decoded,
                                                     const QStringList &written)
{
    nzb->setSegmentPaths(work->filePath(QStringLiteral("Cache")), 0);
    nzb->strDownloadFolder = download + QStringLiteral("/N");
    QVERIFY(QDir().mkpath(nzb->strDownloadFolder));
    for (const QString &name : written)
        QVERIFY(writeBytes(nzb->strDownloadFolder + QLatin1Char('/') + name, contentFor(name)));
    for (NzbFile *file : decoded) {
        for (NzbSegment *segment : file->getSegments())
            segment->setDownloaded();
        file->setDecoded(true);
    }
    QVERIFY(nzb->bAllFilesDecoded);
    QString error;
    manager->queueNzbFiles(nzb, error);
}

void tst_DownloadNzbManagerPostProcess::writePar2(const QByteArray &body)
{
    const QByteArray calls = QFile::encodeName(work->filePath(QStringLiteral("par2.calls")));
    // par2 is run as "par2 r -T<threads> <PAR2 file> <folder>/*": $3 is the PAR2 file.
    QVERIFY(!StandInProgram::write(bin, QStringLiteral("par2"), "echo \"$3\" >> '" + calls + "'\n" + body).isEmpty());
}

void tst_DownloadNzbManagerPostProcess::writeUnrar(const QByteArray &body)
{
    const QByteArray calls = QFile::encodeName(work->filePath(QStringLiteral("unrar.calls")));
    QVERIFY(!StandInProgram::write(bin, QStringLiteral("unrar"), "echo \"$5\" >> '" + calls + "'\n" + body).isEmpty());
}

void tst_DownloadNzbManagerPostProcess::waitForEvent(const QString &event, int count)
{
    QTRY_VERIFY_WITH_TIMEOUT(events.count(event) >= count, 30000);
}

void tst_DownloadNzbManagerPostProcess::stages_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QByteArray>("par2");   // stand-in body
    QTest::addColumn<QByteArray>("unrar");  // stand-in body; empty: no unrar at all
    QTest::addColumn<bool>("autoUnrar");
    QTest::addColumn<bool>("autoUnsplit");
    QTest::addColumn<bool>("skipExtraction");
    QTest::addColumn<QString>("blocker"); // a file written there first (under the work folder)
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("succeeded");

    const QByteArray ok = "exit 0";
    const QByteArray repaired = "echo 'Repair complete.'\nexit 0";
    const QStringList split{"film.avi.001", "film.avi.002"};
    const QString noSplit = QStringLiteral("N no split file");
    const QString keptUnjoined =
        QStringLiteral("N unsplit done: Unsplit: files of the download are incomplete, the split files are kept unjoined");

    QTest::newRow("nothing to run") << QStringList{"a.bin"} << ok << ok << false << false << false << QString()
                                    << QStringList{"N " + kNoPar2, "N finished"} << true;
    QTest::newRow("extracted") << QStringList{"a.rar"} << ok << ok << true << true << false << QString()
                               << QStringList{"N " + kNoPar2, "N unrar finished", "N finished"} << true;
    QTest::newRow("no archive, nothing to join")
        << QStringList{"a.bin"} << ok << ok << true << true << false << QString()
        << QStringList{"N " + kNoPar2, "N no archive", "N start unsplit", noSplit, "N finished"} << true;
    QTest::newRow("no archive, joined")
        << split << ok << ok << true << true << false << QString()
        << QStringList{"N " + kNoPar2, "N no archive", "N start unsplit", "N unsplit done: ", "N finished"} << true;
    QTest::newRow("unrar error, nothing to join")
        << QStringList{"a.rar"} << ok << QByteArray("exit 3") << true << true << false << QString()
        << QStringList{"N " + kNoPar2, "N unrar error: Unrar error: exit code: 3, exit status: 0", "N start unsplit",
                       noSplit, "N finished"}
        << false;
    QTest::newRow("wrong password")
        << QStringList{"a.rar"} << ok << QByteArray("exit 11") << true << false << false << QString()
        << QStringList{"N " + kNoPar2, "N unrar error: Unrar error: exit code: 11, exit status: 0", "N finished"} << false;
    QTest::newRow("unrar error, then joined")
        << (QStringList{"a.rar"} + split) << ok << QByteArray("exit 3") << true << true << false << QString()
        << QStringList{"N " + kNoPar2, "N unrar error: Unrar error: exit code: 3, exit status: 0", "N start unsplit",
                       "N unsplit done: ", "N finished"}
        << false;
    QTest::newRow("no unrar program")
        << QStringList{"a.rar"} << ok << QByteArray() << true << false << false << QString()
        << QStringList{"N " + kNoPar2, "N unrar error: Unrar error: exit code: -3, exit status: 0", "N finished"} << false;
    QTest::newRow("extraction folder cannot be made")
        << (QStringList{"a.rar"} + split) << ok << ok << true << true << false << QString("Destination")
        << QStringList{"N " + kNoPar2, "N unrar error: Failed to create extract directory", "N finished"} << false;
    QTest::newRow("joining fails")
        << split << ok << ok << false << true << false << QString("Destination/N")
        << QStringList{"N " + kNoPar2, "N start unsplit", "N unsplit done: Unsplit: failed to create extract path!",
                       "N finished"}
        << false;
    QTest::newRow("joined beside a file of the user")
        << split << ok << ok << false << true << false << QString("Destination/N/film.avi")
        << QStringList{"N " + kNoPar2, "N start unsplit", "N unsplit done: ", "N finished"} << true;
    QTest::newRow("extraction skipped for the NZB") << QStringList{"a.rar"} << ok << ok << true << true << true << QString()
                                                    << QStringList{"N " + kNoPar2, "N finished"} << true;
    QTest::newRow("verified, then extracted")
        << QStringList{"movie.par2", "a.rar"} << repaired << ok << true << true << false << QString()
        << QStringList{"N par2: Par2: success - movie | 0", "N unrar finished", "N finished"} << true;
    QTest::newRow("cannot be repaired, nothing to fetch")
        << QStringList{"movie.par2", "a.rar"}
        << QByteArray("echo 'You need 4 more recovery blocks to be able to repair.'\nexit 2") << ok << true << true
        << false << QString()
        << QStringList{"N par2: Par2: repair is not possible - movie | 4", "N unrar finished", "N finished"} << false;
    QTest::newRow("cannot be repaired: the split files are kept unjoined")
        << (QStringList{"movie.par2"} + split)
        << QByteArray("echo 'You need 4 more recovery blocks to be able to repair.'\nexit 2") << ok << false << true
        << false << QString()
        << QStringList{"N par2: Par2: repair is not possible - movie | 4", "N start unsplit", keptUnjoined, "N finished"}
        << false;
    QTest::newRow("par2 fails: no extraction")
        << QStringList{"movie.par2", "a.rar"} << QByteArray("exit 5") << ok << true << true << false << QString()
        << QStringList{"N par2: movie: Repair completed but the data files still appear to be damaged | 0", "N finished"}
        << false;
}

void tst_DownloadNzbManagerPostProcess::stages()
{
    QFETCH(QStringList, files);
    QFETCH(QByteArray, par2);
    QFETCH(QByteArray, unrar);
    QFETCH(bool, autoUnrar);
    QFETCH(bool, autoUnsplit);
    QFETCH(bool, skipExtraction);
    QFETCH(QString, blocker);
    QFETCH(QStringList, expected);
    QFETCH(bool, succeeded);
    const QString keptUnjoined =
        QStringLiteral("N unsplit done: Unsplit: files of the download are incomplete, the split files are kept unjoined");

    writePar2(par2);
    if (!unrar.isEmpty())
        writeUnrar(unrar);
    manager->bAutoUnrar = autoUnrar;
    manager->bAutoUnsplit = autoUnsplit;
    // Extraction and joining cannot make their folder where a plain file stands in the way, and
    // joining never writes over a file that is not its own: it takes a name of its own.
    if (!blocker.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(work->filePath(blocker)).path()));
        QVERIFY(writeBytes(work->filePath(blocker), "the user's own file"));
    }

    NzbFiles *nzb = completeNzb(QStringLiteral("N"), files, skipExtraction);
    manager->slotNextNzbToProcess();

    waitForEvent(QStringLiteral("N finished"));
    QTest::qWait(300); // nothing more comes
    QCOMPARE(events, expected);
    QCOMPARE(nzb->bPostProcessingSucceeded, succeeded);
    QVERIFY(nzb->isFinished());
    if (expected.contains(QStringLiteral("N unsplit done: ")))
        QVERIFY(QFileInfo(nzb->strDestination + QStringLiteral("/film.avi")).isFile());
    if (expected.contains(keptUnjoined)) {
        QVERIFY(!QFileInfo::exists(nzb->strDestination + QStringLiteral("/film.avi")));
        QVERIFY(QFileInfo::exists(nzb->strDownloadFolder + QStringLiteral("/film.avi.001")));
        QVERIFY(QFileInfo::exists(nzb->strDownloadFolder + QStringLiteral("/film.avi.002")));
    }
    if (!blocker.isEmpty() && QFileInfo(work->filePath(blocker)).isFile()) {
        QCOMPARE(readAll(work->filePath(blocker)), QByteArray("the user's own file"));
        if (succeeded)
            QVERIFY(QFileInfo(nzb->strDestination + QStringLiteral("/film (1).avi")).isFile());
    }
    // The head job is released: the next tick removes it.
    QTRY_VERIFY_WITH_TIMEOUT(([this] {
                                 manager->slotNextNzbToProcess();
                                 QMutexLocker locker(&manager->mutexNzbToProcess);
                                 return manager->listNzbToProcess.isEmpty();
                             }()),
                             5000);
}

void tst_DownloadNzbManagerPostProcess::incompleteFilesWithoutPar2_data()
{
    QTest::addColumn<QStringList>("files"); // buildNzb's specs, every file decoded
    QTest::addColumn<bool>("warned");       // the decoder warned about the first file
    QTest::addColumn<QString>("problem");   // empty: the NZB succeeds
    QTest::newRow("every article in") << QStringList{"D:dd", "D:d"} << false << QString();
    QTest::newRow("an article missing") << QStringList{"D:dm", "D:d"} << false
                                        << "1 file(s) incomplete, 1 article(s) missing, and no PAR2 file to repair them";
    QTest::newRow("no article arrived") << QStringList{"D:mm", "D:mm"} << false
                                        << "2 file(s) incomplete, 4 article(s) missing, and no PAR2 file to repair them";
    QTest::newRow("an article that did not decode") << QStringList{"D:dd"} << true
                                                    << "1 file(s) damaged, and no PAR2 file to repair them";
    QTest::newRow("a PAR2 volume left paused does not count")
        << QStringList{"D:dd", "P:mm"} << false << QString();
}

// Without a PAR2 file to verify them, an NZB succeeds only when every file it downloaded is
// complete: every article in and decoded cleanly.
void tst_DownloadNzbManagerPostProcess::incompleteFilesWithoutPar2()
{
    QFETCH(QStringList, files);
    QFETCH(bool, warned);
    QFETCH(QString, problem);
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = false;
    NzbFiles *nzb = buildNzb(QStringLiteral("N"), files);
    if (files.last().startsWith(QLatin1Char('P')))
        nzb->getFiles().last()->setSubject(QStringLiteral("\"N.vol00+01.par2\" yEnc"));
    nzb->strDownloadFolder = download + QStringLiteral("/N");
    nzb->strDestination = destination + QStringLiteral("/N");
    QDir().mkpath(nzb->strDownloadFolder);
    if (warned)
        manager->processFileWarning(nzb->getFiles().first(), QStringLiteral("Segment 2 has a CRC error"));
    nzb->checkAllFilesDecoded();
    QString error;
    manager->queueNzbFiles(nzb, error);
    waitForEvent(QStringLiteral("N finished"));
    QCOMPARE(nzb->bPostProcessingSucceeded, problem.isEmpty());
    QCOMPARE(nzb->strPostProcessingProblem, problem);
}

void tst_DownloadNzbManagerPostProcess::par2Failures_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << "Data files are damaged and there is enough recovery data available to repair them";
    QTest::newRow("3") << 3 << "There was something wrong with the command line arguments";
    QTest::newRow("4") << 4 << "The PAR2 files did not contain sufficient information about the data files to be able to verify them";
    QTest::newRow("6") << 6 << "An error occured when accessing files";
    QTest::newRow("7") << 7 << "An internal error occurred";
    QTest::newRow("8") << 8 << "Out of memory";
    QTest::newRow("9") << 9 << "Failed to start PAR2: you may have insufficient permissions to invoke the program";
    QTest::newRow("killed") << 137 << "";
}

// Any other par2 result ends the chain as failed: nothing is extracted.
void tst_DownloadNzbManagerPostProcess::par2Failures()
{
    QFETCH(int, exitCode);
    QFETCH(QString, text);
    writePar2("exit " + QByteArray::number(exitCode));
    writeUnrar("exit 0");
    NzbFiles *nzb = completeNzb(QStringLiteral("N"), {QStringLiteral("movie.par2"), QStringLiteral("a.rar")});
    manager->slotNextNzbToProcess();
    waitForEvent(QStringLiteral("N finished"));
    QCOMPARE(events, (QStringList{"N par2: movie: " + text + " | 0", "N finished"}));
    QVERIFY(!nzb->bPostProcessingSucceeded);
    QVERIFY(nzb->bKeepFilesForRepair);
    QCOMPARE(nzb->strPostProcessingProblem,
             QStringLiteral("the PAR2 verification failed, the volumes and PAR2 files are kept for a manual repair"));
    QVERIFY(!QFile::exists(work->filePath(QStringLiteral("unrar.calls"))));
}

// Each index file in turn, the next one handed over as soon as the one before verified.
void tst_DownloadNzbManagerPostProcess::twoPar2Sets()
{
    writePar2("exit 0");
    writeUnrar("exit 0");
    NzbFiles *nzb = completeNzb(QStringLiteral("N"), {"b.par2", "a.par2", "a.vol00+01.par2", "a.rar"});
    manager->slotNextNzbToProcess();
    waitForEvent(QStringLiteral("N finished"));
    QCOMPARE(events, (QStringList{"N par2: Par2: success - a | 0", "N par2: Par2: success - b | 0", "N unrar finished",
                                  "N finished"}));
    QCOMPARE(lines(work->filePath(QStringLiteral("par2.calls"))),
             (QStringList{nzb->strDownloadFolder + "/a.par2", nzb->strDownloadFolder + "/b.par2"}));
    QCOMPARE(manager->hashParityJobs.size(), 2);
}

// A split set with a piece that never arrived, and no PAR2 file: nothing is joined up to the gap,
// every piece stays for a join once the missing one is found, and the NZB says why.
void tst_DownloadNzbManagerPostProcess::gapInASplitSetKeepsThePieces()
{
    writeUnrar("exit 0");
    NzbFiles *nzb = buildNzb(QStringLiteral("N"), {"D:dd", "D:dd", "D:mm", "D:dd"});
    nzb->strDownloadFolder = download + QStringLiteral("/N");
    nzb->strDestination = destination + QStringLiteral("/N");
    QDir().mkpath(nzb->strDownloadFolder);
    const QStringList pieces{"big.bin.001", "big.bin.002", "big.bin.004"};
    for (const QString &piece : pieces)
        QVERIFY(writeBytes(nzb->strDownloadFolder + QLatin1Char('/') + piece, contentFor(piece)));
    nzb->checkAllFilesDecoded();
    QString error;
    manager->queueNzbFiles(nzb, error);
    manager->slotNextNzbToProcess();
    waitForEvent(QStringLiteral("N finished"));
    QCOMPARE(events, (QStringList{"N " + kNoPar2, "N no archive", "N start unsplit",
                                  "N unsplit done: Unsplit: files of the download are incomplete, the split files "
                                  "are kept unjoined",
                                  "N finished"}));
    QVERIFY(!nzb->bPostProcessingSucceeded);
    QVERIFY(nzb->bKeepFilesForRepair);
    QCOMPARE(nzb->strPostProcessingProblem,
             QStringLiteral("1 file(s) incomplete, 2 article(s) missing, and no PAR2 file to repair them, "
                            "the split files are kept unjoined"));
    QVERIFY(!QFileInfo::exists(nzb->strDestination + QStringLiteral("/big.bin")));
    for (const QString &piece : pieces)
        QCOMPARE(readAll(nzb->strDownloadFolder + QLatin1Char('/') + piece), contentFor(piece));
}

// A RAR archive cut into ".001" pieces: the extraction leaves the pieces to the join, which gives
// the archive back, and the archive is then extracted into the destination and goes.
void tst_DownloadNzbManagerPostProcess::rarCutIntoPiecesIsJoinedThenExtracted()
{
    const QString unrar = QCoreApplication::applicationDirPath() + QStringLiteral("/unrar");
    QVERIFY2(QFileInfo(unrar).isExecutable(), "the program's unrar is built beside the tests");
    QVERIFY(QFile::link(unrar, bin + QStringLiteral("/unrar")));
    QByteArray inside;
    for (int i = 0; i < 6000; ++i)
        inside.append(char((i * 7919) % 251));
    const QByteArray archive = RarTestArchive(RarTestArchive::Format::Rar5).file("inside.bin", inside).bytes();
    NzbFiles *nzb = buildNzb(QStringLiteral("N"), {"D:d", "D:d", "D:d"});
    nzb->strDownloadFolder = download + QStringLiteral("/N");
    nzb->strDestination = destination + QStringLiteral("/N");
    QDir().mkpath(nzb->strDownloadFolder);
    const int third = (archive.size() + 2) / 3;
    for (int n = 0; n < 3; ++n)
        QVERIFY(writeBytes(nzb->strDownloadFolder + QStringLiteral("/cn.rar.00%1").arg(n + 1), archive.mid(n * third, third)));
    nzb->checkAllFilesDecoded();
    QString error;
    manager->queueNzbFiles(nzb, error);
    manager->slotNextNzbToProcess();
    waitForEvent(QStringLiteral("N finished"));
    QCOMPARE(events, (QStringList{"N " + kNoPar2, "N no archive", "N start unsplit", "N unsplit done: ",
                                  "N unrar finished", "N finished"}));
    QVERIFY(nzb->bPostProcessingSucceeded);
    QCOMPARE(readAll(nzb->strDestination + QStringLiteral("/inside.bin")), inside);
    QCOMPARE(QDir(nzb->strDestination).entryList(QDir::Files), QStringList{"inside.bin"});
    QCOMPARE(QDir(nzb->strDownloadFolder).entryList(QDir::Files), QStringList());
}

// A set posted without its index file: smart download fetches its smallest volume with the other
// files, par2 verifies the set from it, and the volumes it needs are fetched by the set's name.
void tst_DownloadNzbManagerPostProcess::setWithoutIndexFetchesItsVolumes()
{
    writePar2("echo 'You need 3 more recovery blocks to be able to repair.'\nexit 2");
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = false;
    NzbFiles *nzb = new NzbFiles;
    nzb->strName = QStringLiteral("N");
    NzbFile *data = makeFile(QStringLiteral("\"ma.rar\" yEnc"), 2);
    nzb->addFile(data);
    QList<NzbFile *> volumes;
    for (const QString &subject : {QStringLiteral("\"ma.vol03+04.par2\" yEnc"), QStringLiteral("\"ma.vol00+01.par2\" yEnc"),
                                   QStringLiteral("\"ma.vol01+02.par2\" yEnc")}) {
        volumes.append(makeFile(subject, 1, subject.contains(QLatin1String("03+04")) ? 40 : subject.contains(QLatin1String("00+01")) ? 10 : 20));
        nzb->addFile(volumes.last());
    }
    nzb->sortFiles(true);
    QVERIFY(volumes.at(0)->bPaused && !volumes.at(1)->bPaused && volumes.at(2)->bPaused);
    queueDecoded(nzb, {data, volumes.at(1)}, {"ma.rar", "ma.vol00+01.par2"});
    manager->slotNextNzbToProcess();
    waitForEvent(QStringLiteral("N par2: Par2: need more par2 volumes to repair - ma | 3"));
    QCOMPARE(lines(work->filePath(QStringLiteral("par2.calls"))), QStringList{nzb->strDownloadFolder + "/ma.vol00+01.par2"});
    QCOMPARE(events, (QStringList{"resumed \"ma.vol03+04.par2\" yEnc", "resumed \"ma.vol01+02.par2\" yEnc",
                                  "N par2: Par2: need more par2 volumes to repair - ma | 3"}));
    QVERIFY(!volumes.at(0)->bPaused && !volumes.at(2)->bPaused);
}

// par2 needs more blocks: paused recovery volumes are queued at the front, in order, until they
// cover the need; once they are decoded the NZB completes again and is verified again.
void tst_DownloadNzbManagerPostProcess::recoveryVolumesAreFetched()
{
    const QByteArray counter = QFile::encodeName(work->filePath(QStringLiteral("runs")));
    writePar2("echo x >> '" + counter + "'\nif [ $(wc -l < '" + counter + "') -eq 1 ]; then\n"
              "  echo 'You need 3 more recovery blocks to be able to repair.'; exit 2\nfi\nexit 0");
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = false;

    // One data file and the index, decoded, and three recovery volumes that smart download left
    // paused.
    NzbFiles *nzb = new NzbFiles;
    nzb->strName = QStringLiteral("N");
    NzbFile *data = makeFile(QStringLiteral("\"movie.mkv\" yEnc"), 2);
    nzb->addFile(data);
    NzbFile *index = makeFile(QStringLiteral("\"movie.par2\" yEnc"), 1);
    nzb->addFile(index);
    const QStringList volumeSubjects{"\"movie.vol00+01.par2\" yEnc", "\"movie.vol01+02.par2\" yEnc",
                                     "\"movie.vol03+04.par2\" yEnc"};
    QList<NzbFile *> volumes;
    for (const QString &subject : volumeSubjects) {
        volumes.append(makeFile(subject, 2, 10 * (volumes.size() + 1)));
        nzb->addFile(volumes.last());
    }
    nzb->sortFiles(true);
    queueDecoded(nzb, {data, index}, {"movie.par2"});
    QCOMPARE(globalQueue(*manager), QString());
    manager->slotNextNzbToProcess();

    waitForEvent(QStringLiteral("N par2: Par2: need more par2 volumes to repair - movie | 3"));
    // vol00+01 and vol01+02 give three blocks; vol03+04 stays paused.
    QCOMPARE(events, (QStringList{"resumed \"movie.vol01+02.par2\" yEnc", "resumed \"movie.vol00+01.par2\" yEnc",
                                  "N par2: Par2: need more par2 volumes to repair - movie | 3"}));
    QCOMPARE(globalQueue(*manager), QStringLiteral("\"movie.vol00+01.par2\" yEnc:1 \"movie.vol00+01.par2\" yEnc:2 "
                                                   "\"movie.vol01+02.par2\" yEnc:1 \"movie.vol01+02.par2\" yEnc:2"));
    QVERIFY(!nzb->bAllFilesDecoded);
    QVERIFY(!volumes.at(0)->bPaused && !volumes.at(1)->bPaused && volumes.at(2)->bPaused);
    QVERIFY(!nzb->isFinished());
    QTRY_VERIFY_WITH_TIMEOUT(([this] {
                                 manager->slotNextNzbToProcess();
                                 QMutexLocker locker(&manager->mutexNzbToProcess);
                                 return manager->listNzbToProcess.isEmpty();
                             }()),
                             5000);

    // The volumes come in and are decoded; the last one completes the NZB again.
    for (int n = 0; n < 4; ++n)
        manager->processDownload_OK(manager->getNextSegment(1), 1);
    QCOMPARE(decodeQueue(*manager), QStringLiteral("\"movie.vol00+01.par2\" yEnc \"movie.vol01+02.par2\" yEnc"));
    for (int v = 0; v < 2; ++v) {
        NzbFile *volume = manager->takeNextFileToDecode();
        volume->setDecoded(true);
        manager->processDecodedFile(volume);
    }
    manager->slotNextNzbToProcess();
    waitForEvent(QStringLiteral("N finished"));
    QCOMPARE(events.mid(3), (QStringList{"N par2: Par2: success - movie | 0", "N finished"}));
    QVERIFY(nzb->bPostProcessingSucceeded);
    QCOMPARE(lines(QString::fromLocal8Bit(counter)).size(), 2);
}

void tst_DownloadNzbManagerPostProcess::indexFiles_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("index");
    QTest::newRow("index and volumes") << QStringList{"movie.vol03+04.par2", "movie.par2", "movie.vol00+01.par2"}
                                       << QStringList{"movie.par2"};
    // par2 reads a whole set from any of its volumes: a set without index is verified through one.
    QTest::newRow("volumes alone") << QStringList{"movie.vol01+02.par2", "movie.vol00+01.par2"}
                                   << QStringList{"movie.vol00+01.par2"};
    QTest::newRow("upper case") << QStringList{"MOVIE.PAR2"} << QStringList{"MOVIE.PAR2"};
    QTest::newRow("index of another case") << QStringList{"MOVIE.PAR2", "movie.vol00+01.par2"}
                                           << QStringList{"MOVIE.PAR2"};
    QTest::newRow("a name with .vol in it is taken for a volume") << QStringList{"my.volume.par2"}
                                                                  << QStringList{"my.volume.par2"};
    QTest::newRow("one set with index, one without")
        << QStringList{"b.vol02+04.par2", "a.par2", "a.vol00+01.par2", "b.vol00+02.par2"}
        << QStringList{"a.par2", "b.vol00+02.par2"};
    QTest::newRow("name order") << QStringList{"b.par2", "a.par2", "c.PAR2"} << QStringList{"a.par2", "b.par2", "c.PAR2"};
}

void tst_DownloadNzbManagerPostProcess::indexFiles()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, index);
    writePar2("sleep 30"); // the first set stays in the worker's hands
    NzbFiles *nzb = completeNzb(QStringLiteral("N"), files);
    QStringList found;
    if (!index.isEmpty()) {
        QMutexLocker locker(&manager->mutexNzbToProcess);
        QCOMPARE(manager->listNzbToProcess.size(), 1);
        found << QFileInfo(manager->listNzbToProcess.first()->parityJob.par2File).fileName();
    }
    for (const QFileInfo &file : qAsConst(nzb->listPar2IndexFiles))
        found << file.fileName();
    QCOMPARE(found, index);
}

void tst_DownloadNzbManagerPostProcess::removedNzbStartsNothing_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::newRow("extraction job") << QStringList{"a.rar"};
    QTest::newRow("PAR2 job") << QStringList{"movie.par2", "a.rar"};
}

// An NZB removed while its job waited: the job goes at the next tick, nothing is run for it, no
// extraction into its destination.
void tst_DownloadNzbManagerPostProcess::removedNzbStartsNothing()
{
    QFETCH(QStringList, files);
    writePar2("exit 0");
    writeUnrar("exit 0");
    NzbFiles *nzb = completeNzb(QStringLiteral("N"), files);
    nzb->pTreeItem = fakeRow(1);
    manager->deleteNzbList({fakeRow(1)});
    QVERIFY(nzb->bDeleted);
    manager->slotNextNzbToProcess();
    {
        QMutexLocker locker(&manager->mutexNzbToProcess);
        QVERIFY(manager->listNzbToProcess.isEmpty());
    }
    QTest::qWait(500);
    QVERIFY(!QFile::exists(work->filePath(QStringLiteral("par2.calls"))));
    QVERIFY(!QFile::exists(work->filePath(QStringLiteral("unrar.calls"))));
    QVERIFY(!QFileInfo::exists(nzb->strDestination));
    QCOMPARE(events, QStringList{"N " + kNoPar2}.mid(0, files.contains("movie.par2") ? 0 : 1));
}

// Removed while par2 runs: its result only releases the job; no further stage, no signal.
void tst_DownloadNzbManagerPostProcess::removedDuringItsPar2Run()
{
    const QByteArray started = QFile::encodeName(work->filePath(QStringLiteral("started")));
    writePar2("touch '" + started + "'\nsleep 1\nexit 0");
    writeUnrar("exit 0");
    NzbFiles *nzb = completeNzb(QStringLiteral("N"), {"movie.par2", "a.rar"});
    nzb->pTreeItem = fakeRow(1);
    manager->slotNextNzbToProcess();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromLocal8Bit(started)), 30000);
    manager->deleteNzbList({fakeRow(1)});
    QTRY_VERIFY_WITH_TIMEOUT(([this] {
                                 manager->slotNextNzbToProcess();
                                 QMutexLocker locker(&manager->mutexNzbToProcess);
                                 return manager->listNzbToProcess.isEmpty();
                             }()),
                             30000);
    QTest::qWait(300);
    QCOMPARE(events, QStringList());
    QVERIFY(!nzb->isFinished());
    QVERIFY(!QFile::exists(work->filePath(QStringLiteral("unrar.calls"))));
}

// NZBs that complete together are post-processed one after the other, in the order they
// completed: each starts only once the one before has finished.
void tst_DownloadNzbManagerPostProcess::oneNzbAtATime()
{
    const QByteArray log = QFile::encodeName(work->filePath(QStringLiteral("runs")));
    writePar2("echo \"start $3\" >> '" + log + "'\nsleep 0.3\necho \"end $3\" >> '" + log + "'\nexit 0");
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = false;
    for (const QString &name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
        completeNzb(name, {name.toLower() + ".par2"});
    // The manager starts each when the one before has ended.
    waitForEvent(QStringLiteral("C finished"));
    QCOMPARE(events, (QStringList{"A par2: Par2: success - a | 0", "A finished", "B par2: Par2: success - b | 0",
                                  "B finished", "C par2: Par2: success - c | 0", "C finished"}));
    QStringList runs = lines(QString::fromLocal8Bit(log));
    for (QString &run : runs)
        run = run.section(QLatin1Char(' '), 0, 0) + QLatin1Char(' ') + QFileInfo(run.section(QLatin1Char(' '), 1)).fileName();
    QCOMPARE(runs, (QStringList{"start a.par2", "end a.par2", "start b.par2", "end b.par2", "start c.par2", "end c.par2"}));
}

// With the one-second tick stopped, every NZB is still post-processed, whenever it completes:
// A into an idle queue, B while A's par2 runs, C as A finishes (A's job done, not yet removed)
// and D from B's par2 result, while B's job still runs. A start that waited for the tick would
// never come here.
void tst_DownloadNzbManagerPostProcess::jobsStartWithoutTheTick()
{
    QVERIFY(QMetaObject::invokeMethod(manager->timerNzbToProcess, "stop", Qt::BlockingQueuedConnection));
    const QByteArray log = QFile::encodeName(work->filePath(QStringLiteral("runs")));
    writePar2("echo \"start $3\" >> '" + log + "'\nsleep 0.3\necho \"end $3\" >> '" + log + "'\nexit 0");
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = false;
    connect(manager.get(), &DownloadNzbManager::signalNzbFinished, this, [this](NzbFiles *nzb) {
        if (nzb->strName == QLatin1String("A"))
            completeNzb(QStringLiteral("C"), {"c.par2"});
    });
    connect(manager.get(), &DownloadNzbManager::signalPar2Finished, this,
            [this](const QString &, const QString &, NzbFiles *nzb) {
                if (nzb->strName == QLatin1String("B"))
                    completeNzb(QStringLiteral("D"), {"d.par2"});
            });

    completeNzb(QStringLiteral("A"), {"a.par2"});
    QTRY_VERIFY_WITH_TIMEOUT(lines(QString::fromLocal8Bit(log)).size() == 1, 30000);
    completeNzb(QStringLiteral("B"), {"b.par2"});
    waitForEvent(QStringLiteral("D finished"));

    QStringList order;
    for (const QString &event : qAsConst(events)) {
        if (event.endsWith(QLatin1String(" finished")))
            order << event;
    }
    QCOMPARE(order, (QStringList{"A finished", "B finished", "C finished", "D finished"}));
    // The finished jobs are removed without the tick too.
    QTRY_VERIFY_WITH_TIMEOUT(([this] {
                                 QMutexLocker locker(&manager->mutexNzbToProcess);
                                 return manager->listNzbToProcess.isEmpty();
                             }()),
                             30000);
}

// The real par2 repairs one file and restores another that was missing: the repaired file's
// backup goes, the restored file stays (it appeared during the run too).
// first.bin and second.bin, with a PAR2 set of them (set.par2 and its volumes) made by the real
// par2 in `folder`; first.bin is then damaged (one byte), `first` and `second` are the originals.
// The system's par2 is the one the manager runs from then on.
void tst_DownloadNzbManagerPostProcess::createDamagedPar2Set(const QString &folder, QByteArray &first,
                                                             QByteArray &second)
{
    QFile::remove(bin + QStringLiteral("/par2"));
    QVERIFY(QDir().mkpath(folder));
    first = QByteArray(200000, '\0');
    second = QByteArray(200000, '\0');
    for (int i = 0; i < first.size(); ++i) {
        first[i] = char((i * 7 + 3) % 251);
        second[i] = char((i * 13 + 5) % 241);
    }
    QVERIFY(writeBytes(folder + "/first.bin", first));
    QVERIFY(writeBytes(folder + "/second.bin", second));
    QProcess create;
    create.setWorkingDirectory(folder);
    create.start(QStringLiteral("par2"), {"create", "-q", "-b100", "-c60", "set.par2", "first.bin", "second.bin"});
    QVERIFY(create.waitForFinished(60000));
    QCOMPARE(create.exitCode(), 0);
    QByteArray damaged = first;
    damaged[5000] = char(damaged.at(5000) ^ 0x55);
    QVERIFY(writeBytes(folder + "/first.bin", damaged));
}

// Post-processes an NZB whose files are all in `folder` to its end; the repair must succeed.
NzbFiles *tst_DownloadNzbManagerPostProcess::postProcessRepairedFolder(const QString &folder)
{
    NzbFiles *nzb = buildNzb(QStringLiteral("N"), {QStringLiteral("D:d")});
    nzb->strDownloadFolder = folder;
    nzb->strDestination = destination + QStringLiteral("/N");
    nzb->checkAllFilesDecoded();
    QString error;
    manager->queueNzbFiles(nzb, error);
    manager->slotNextNzbToProcess();
    waitForEvent(QStringLiteral("N finished"));
    [&] {
        QCOMPARE(events.first(), QStringLiteral("N par2: Par2: success - set | 0"));
        QVERIFY(nzb->bPostProcessingSucceeded);
    }();
    return nzb;
}

void tst_DownloadNzbManagerPostProcess::repairKeepsRestoredFiles()
{
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = false;
    const QString folder = download + QStringLiteral("/N");
    QByteArray first;
    QByteArray second;
    createDamagedPar2Set(folder, first, second);
    QVERIFY(QFile::remove(folder + "/second.bin"));
    postProcessRepairedFolder(folder);
    QCOMPARE(readAll(folder + "/first.bin"), first);
    QCOMPARE(readAll(folder + "/second.bin"), second);
    const QStringList left = QDir(folder).entryList({"first.bin*", "second.bin*"}, QDir::Files, QDir::Name);
    QCOMPARE(left, (QStringList{"first.bin", "second.bin"}));
}

void tst_DownloadNzbManagerPostProcess::onlyPar2BackupsAreDeleted_data()
{
    QTest::addColumn<bool>("joining");
    QTest::addColumn<bool>("cutOff"); // an earlier repair of the set was cut off midway
    QTest::newRow("repair, no joining follows") << false << false;
    QTest::newRow("repair, joining follows") << true << false;
    QTest::newRow("repair after one cut off") << true << true;
}

// The real par2 repairs a damaged file of a set, keeping the damaged copy as "first.bin.1" (or
// the next free number); posted files of that shape (a manual page "tool.1") sit beside it. Once
// the set is whole, par2's copies go, this run's and those of a run cut off before (the program
// killed in the middle of a repair), whatever stage follows; the posted files reach the
// destination with the repaired ones.
void tst_DownloadNzbManagerPostProcess::onlyPar2BackupsAreDeleted()
{
    QFETCH(bool, joining);
    QFETCH(bool, cutOff);
    manager->bAutoUnrar = false;
    manager->bAutoUnsplit = joining;
    const QString folder = download + QStringLiteral("/N");
    QByteArray first;
    QByteArray second;
    createDamagedPar2Set(folder, first, second);
    QVERIFY(writeBytes(folder + "/tool", "the tool"));
    QVERIFY(writeBytes(folder + "/tool.1", "its manual page"));
    QVERIFY(writeBytes(folder + "/second.bin.1", "posted too"));
    if (cutOff) {
        // What the run that was cut off did: it noted the posted files before par2 started, and
        // par2 had moved the damaged file aside and begun the repaired one.
        QVERIFY(Par2Backups::noteOriginals(folder));
        QVERIFY(QFile::rename(folder + "/first.bin", folder + "/first.bin.1"));
        QVERIFY(writeBytes(folder + "/first.bin", first.left(60000)));
    }
    NzbFiles *nzb = postProcessRepairedFolder(folder);

    ThreadClean clean;
    clean.setAutoDeletePatterns(QString());
    clean.pNzbFiles = nzb;
    QSignalSpy cleaned(&clean, &ThreadClean::signalCleanDone);
    clean.start();
    QVERIFY(cleaned.wait(30000));
    QVERIFY(clean.wait(30000));
    const QString moved = destination + QStringLiteral("/N");
    QCOMPARE(QDir(moved).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             (QStringList{"first.bin", "second.bin", "second.bin.1", "tool", "tool.1"}));
    QCOMPARE(readAll(moved + "/first.bin"), first);
    QCOMPARE(readAll(moved + "/second.bin"), second);
    QCOMPARE(readAll(moved + "/tool.1"), QByteArray("its manual page"));
    QCOMPARE(readAll(moved + "/second.bin.1"), QByteArray("posted too"));
}

QTEST_GUILESS_MAIN(tst_DownloadNzbManagerPostProcess)
#include "tst_DownloadNzbManagerPostProcess.moc"
