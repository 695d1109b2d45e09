#include "postprocess/ThreadClean.h"

#include "config/AppConfiguration.h"
#include "config/FileNameLimit.h"
#include "config/PartialFile.h"
#include "model/NzbFiles.h"

#include "TestFiles.h"
#include "../support/ReadOnlyFolder.h"
#include "../support/SmallFileSystem.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <memory>

// The workers run real programs and files: on a busy machine a job can take a few seconds.
static constexpr int kWorkerTimeoutMs = 30000;

using namespace TestFiles;

namespace {

// Files the user had in the destination before the NZB came: no clean-up may touch them.
const QStringList kUserFiles{"mine.nfo", "notes.1", "old.par2"};

// Receives the clean-up's end in the test's thread (it arrives queued).
class Recorder : public QObject
{
    Q_OBJECT

public:
    QList<NzbFiles*> done;

public slots:
    void onDone(NzbFiles* nzb) { done.append(nzb); }
};

} // namespace

class tst_ThreadClean : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void movesAndDeletes_data();
    void movesAndDeletes();
    void patternsFromTheConfiguration();
    void nameClashKeepsBoth();
    void whatAStoppedRunLeftIsTakenUp();
    void destinationCannotBeCreated();
    void fileThatCannotBeMovedKeepsDownloadFolder();
    void destinationThatFills_data();
    void destinationThatFills();
    void destinationThatRefusesWrites();
    void downloadFolderThatKeepsItsFiles();
    void missingDestinationCreatedWithParents();
    void subFolderGoesWithTheDownloadFolder();
    void downloadFolderIsTheDestination();
    void destinationInsideTheDownloadFolder();
    void withoutNzb();
    void distinctNames_data();
    void distinctNames();

private:
    // Runs one clean-up to its end and checks that it reported once, with the NZB.
    void runClean(ThreadClean& clean, NzbFiles* nzb);
    void fillDownloadFolder(const QStringList& names);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_download;
    QString m_destination;
    std::unique_ptr<NzbFiles> m_nzb;
    std::unique_ptr<Recorder> m_recorder;
};

void tst_ThreadClean::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_download = m_dir->filePath(QStringLiteral("Download/movie"));
    m_destination = m_dir->filePath(QStringLiteral("Destination/movie"));
    QVERIFY(QDir().mkpath(m_download));
    m_nzb.reset(new NzbFiles);
    m_nzb->strName = QStringLiteral("movie");
    m_nzb->strDownloadFolder = m_download;
    m_nzb->strDestination = m_destination;
    m_recorder.reset(new Recorder);
    AppConfiguration::getInstance()->autoDeleteFilesExtension.clear();
}

void tst_ThreadClean::cleanup()
{
    m_recorder.reset();
    m_nzb.reset();
    m_dir.reset();
}

void tst_ThreadClean::runClean(ThreadClean& clean, NzbFiles* nzb)
{
    clean.pNzbFiles = nzb;
    connect(&clean, &ThreadClean::signalCleanDone, m_recorder.get(), &Recorder::onDone);
    clean.start(QThread::InheritPriority);
    QVERIFY(clean.wait(10000));
    QTRY_COMPARE_WITH_TIMEOUT(m_recorder->done.size(), 1, kWorkerTimeoutMs);
    QCOMPARE(m_recorder->done.first(), nzb);
}

void tst_ThreadClean::fillDownloadFolder(const QStringList& names)
{
    for (const QString& name : names)
        QVERIFY(writeFile(m_download + QLatin1Char('/') + name, "downloaded " + name.toUtf8()));
}

void tst_ThreadClean::movesAndDeletes_data()
{
    QTest::addColumn<QStringList>("downloaded");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<bool>("keepPar2");
    QTest::addColumn<QString>("patterns");
    QTest::addColumn<QStringList>("expectedMoved");
    QTest::addColumn<bool>("keepForRepair"); // a repair failed

    // tool.1 is posted (a manual page): par2's backups are gone before the clean-up.
    const QStringList withPar2{"X.PAR2", "movie.mkv", "movie.par2", "movie.vol00+01.par2", "tool", "tool.1"};
    QTest::newRow("success deletes PAR2 files, moves a posted .1 file")
        << withPar2 << true << false << "" << QStringList{"movie.mkv", "tool", "tool.1"} << false;
    QTest::newRow("keep PAR2 keeps them") << withPar2 << true << true << "" << withPar2 << false;
    QTest::newRow("failed post-processing moves everything")
        << withPar2 << false << false << "" << withPar2 << false;
    QTest::newRow("patterns delete any case")
        << QStringList{"a.nfo", "b.SFV", "c.txt", "movie.mkv"} << true << false << "*.nfo;*.sfv"
        << QStringList{"c.txt", "movie.mkv"} << false;
    QTest::newRow("patterns apply after a failure too")
        << QStringList{"a.nfo", "movie.par2", "movie.mkv"} << false << false << "*.nfo"
        << QStringList{"movie.mkv", "movie.par2"} << false;
    QTest::newRow("blank before a pattern is part of it")
        << QStringList{" c.sfv", "a.nfo", "b.sfv"} << true << false << "*.nfo; *.sfv"
        << QStringList{"b.sfv"} << false;
    QTest::newRow("empty parts match nothing")
        << QStringList{"a.txt", "b.nfo"} << true << false << ";;*.nfo;" << QStringList{"a.txt"} << false;
    QTest::newRow("sets and single characters")
        << QStringList{"a.txt", "b.txt", "c.txt", "sample1.mkv", "sample12.mkv"} << true << false
        << "[ab].txt;sample?.mkv" << QStringList{"c.txt", "sample12.mkv"} << false;
    QTest::newRow("hidden files are moved")
        << QStringList{".hidden", ".meta.par2", "movie.mkv"} << true << false << ""
        << QStringList{".hidden", "movie.mkv"} << false;
    QTest::newRow("empty download folder") << QStringList() << true << false << "" << QStringList() << false;
    QTest::newRow("a failed repair keeps everything, patterns or not")
        << QStringList{"a.nfo", "movie.mkv.001", "movie.mkv.002", "movie.par2", "movie.vol00+01.par2"} << false
        << false << "*.nfo;*.par2;*.001"
        << QStringList{"a.nfo", "movie.mkv.001", "movie.mkv.002", "movie.par2", "movie.vol00+01.par2"} << true;
}

void tst_ThreadClean::movesAndDeletes()
{
    QFETCH(QStringList, downloaded);
    QFETCH(bool, succeeded);
    QFETCH(bool, keepPar2);
    QFETCH(QString, patterns);
    QFETCH(QStringList, expectedMoved);
    QFETCH(bool, keepForRepair);

    fillDownloadFolder(downloaded);
    for (const QString& name : kUserFiles)
        QVERIFY(writeFile(m_destination + QLatin1Char('/') + name, "the user's " + name.toUtf8()));
    m_nzb->bPostProcessingSucceeded = succeeded;
    m_nzb->bKeepPar2Files = keepPar2;
    m_nzb->bKeepFilesForRepair = keepForRepair;

    ThreadClean clean;
    clean.setAutoDeletePatterns(patterns);
    runClean(clean, m_nzb.get());

    QStringList expected = expectedMoved + kUserFiles;
    expected.sort();
    QCOMPARE(entries(m_destination), expected);
    for (const QString& name : expectedMoved)
        QCOMPARE(readFile(m_destination + QLatin1Char('/') + name), "downloaded " + name.toUtf8());
    for (const QString& name : kUserFiles)
        QCOMPARE(readFile(m_destination + QLatin1Char('/') + name), "the user's " + name.toUtf8());
    QVERIFY(!QFileInfo::exists(m_download));
    QVERIFY(clean.isDestinationCreated());
    QCOMPARE(clean.getFilesNotMoved(), QStringList());
    QCOMPARE(clean.getFilesRenamed(), QStringList());
    QVERIFY(!clean.hasFilesLeftBehind());
}

void tst_ThreadClean::patternsFromTheConfiguration()
{
    AppConfiguration::getInstance()->autoDeleteFilesExtension = QStringLiteral("*.nfo");
    fillDownloadFolder({"a.nfo", "movie.mkv"});
    ThreadClean clean;
    AppConfiguration::getInstance()->autoDeleteFilesExtension = QStringLiteral("*.mkv");
    runClean(clean, m_nzb.get());
    // The patterns are those of the moment the clean-up was made.
    QCOMPARE(entries(m_destination), QStringList{"movie.mkv"});
}

void tst_ThreadClean::nameClashKeepsBoth()
{
    fillDownloadFolder({".hidden", "movie.mkv", "readme"});
    for (const QString& name : {QStringLiteral("movie.mkv"), QStringLiteral("movie (1).mkv"),
                                QStringLiteral(".hidden"), QStringLiteral("readme")})
        QVERIFY(writeFile(m_destination + QLatin1Char('/') + name, "older " + name.toUtf8()));

    ThreadClean clean;
    runClean(clean, m_nzb.get());

    QCOMPARE(entries(m_destination),
             (QStringList{".hidden", ".hidden (1)", "movie (1).mkv", "movie (2).mkv", "movie.mkv",
                          "readme", "readme (1)"}));
    QCOMPARE(readFile(m_destination + QStringLiteral("/movie.mkv")), QByteArray("older movie.mkv"));
    QCOMPARE(readFile(m_destination + QStringLiteral("/movie (1).mkv")), QByteArray("older movie (1).mkv"));
    QCOMPARE(readFile(m_destination + QStringLiteral("/movie (2).mkv")), QByteArray("downloaded movie.mkv"));
    QCOMPARE(readFile(m_destination + QStringLiteral("/.hidden (1)")), QByteArray("downloaded .hidden"));
    QCOMPARE(readFile(m_destination + QStringLiteral("/readme (1)")), QByteArray("downloaded readme"));
    const QString destination = QFileInfo(m_destination).canonicalFilePath();
    QCOMPARE(clean.getFilesRenamed(),
             (QStringList{destination + "/.hidden (1)", destination + "/movie (2).mkv", destination + "/readme (1)"}));
    QVERIFY(!QFileInfo::exists(m_download));
}

// A run stopped midway is done again: the file a stopped copy had already named in the
// destination (its source still there) is the move done, not a name clash; what a stopped copy
// or decoding left under a partial name (or a save file's temporary name after it) goes. A
// different file of the same name stays the user's.
void tst_ThreadClean::whatAStoppedRunLeftIsTakenUp()
{
    fillDownloadFolder({"a.bin", "b.bin", "c.bin", PartialFile::pathFor("d.bin").mid(2),
                        PartialFile::pathFor("e.bin").mid(2) + ".Ab12Cd"});
    QVERIFY(writeFile(m_destination + QStringLiteral("/a.bin"), "downloaded a.bin"));
    QVERIFY(writeFile(m_destination + QStringLiteral("/b (1).bin"), "downloaded b.bin"));
    QVERIFY(writeFile(m_destination + QStringLiteral("/b.bin"), "the user's b.bin"));
    QVERIFY(writeFile(PartialFile::pathFor(m_destination + QStringLiteral("/c.bin")), "downloa"));

    ThreadClean clean;
    runClean(clean, m_nzb.get());

    QCOMPARE(entries(m_destination), (QStringList{"a.bin", "b (1).bin", "b.bin", "c.bin"}));
    QCOMPARE(readFile(m_destination + QStringLiteral("/a.bin")), QByteArray("downloaded a.bin"));
    QCOMPARE(readFile(m_destination + QStringLiteral("/b.bin")), QByteArray("the user's b.bin"));
    QCOMPARE(readFile(m_destination + QStringLiteral("/b (1).bin")), QByteArray("downloaded b.bin"));
    QCOMPARE(readFile(m_destination + QStringLiteral("/c.bin")), QByteArray("downloaded c.bin"));
    const QString destination = QFileInfo(m_destination).canonicalFilePath();
    QCOMPARE(clean.getFilesRenamed(), QStringList{destination + "/b (1).bin"});
    QVERIFY(!clean.hasFilesLeftBehind());
    QVERIFY(!QFileInfo::exists(m_download));
}

void tst_ThreadClean::destinationCannotBeCreated()
{
    fillDownloadFolder({"a.par2", "movie.mkv"});
    QVERIFY(writeFile(m_dir->filePath(QStringLiteral("plain")), "a regular file"));
    m_nzb->strDestination = m_dir->filePath(QStringLiteral("plain/movie"));

    ThreadClean clean;
    runClean(clean, m_nzb.get());

    QVERIFY(!clean.isDestinationCreated());
    QVERIFY(clean.hasFilesLeftBehind());
    const QString download = QDir(m_download).absolutePath();
    QCOMPARE(clean.getFilesNotMoved(), (QStringList{download + "/a.par2", download + "/movie.mkv"}));
    QCOMPARE(entries(m_download), (QStringList{"a.par2", "movie.mkv"}));
}

void tst_ThreadClean::fileThatCannotBeMovedKeepsDownloadFolder()
{
    // Every name the file could take in the destination is taken already, so it cannot be moved.
    const QString longName = QStringLiteral("taken.mkv");
    fillDownloadFolder({longName, "a.par2", "other.txt"});
    QStringList taken;
    for (int number = 0; number < ThreadClean::kMaxDistinctNames; ++number) {
        taken.append(ThreadClean::distinctName(longName, number, 255));
        QVERIFY(writeFile(m_destination + QLatin1Char('/') + taken.last(), "older"));
    }
    taken.append(QStringLiteral("other.txt"));
    taken.sort();

    ThreadClean clean;
    runClean(clean, m_nzb.get());

    QCOMPARE(clean.getFilesNotMoved(), QStringList{QDir(m_download).absoluteFilePath(longName)});
    QVERIFY(clean.hasFilesLeftBehind());
    QCOMPARE(entries(m_download), QStringList{longName});
    // The other files still went, and the deletions still ran.
    QStringList left = entries(m_destination);
    left.sort();
    QCOMPARE(left, taken);
    QCOMPARE(readFile(m_destination + QLatin1Char('/') + longName), QByteArray("older"));
}

void tst_ThreadClean::destinationThatFills_data()
{
    QTest::addColumn<qint64>("beyondRoom"); // the file's size less the room left in the destination
    QTest::addColumn<bool>("nameTaken");    // the user has a file of that name there already

    for (const qint64 beyond : {qint64(-4096), qint64(0), qint64(4096), qint64(12288), qint64(20480)})
        QTest::addRow("%lld bytes beyond the room", beyond) << beyond << false;
    QTest::newRow("name taken, fits exactly") << qint64(0) << true;
    QTest::newRow("name taken, 4096 bytes beyond the room") << qint64(4096) << true;
}

// A destination on another file system (1 MiB) that the file fills: either the file arrives
// whole or it stays whole in the download folder, with the reason; never a partial file under
// its name, never a run of numbered leftovers, never the user's file touched.
void tst_ThreadClean::destinationThatFills()
{
    QFETCH(qint64, beyondRoom);
    QFETCH(bool, nameTaken);
    const qint64 room = 1024 * 1024;
    const QByteArray userFile = patternBytes(4096, 7);
    const QByteArray data = patternBytes(room - (nameTaken ? userFile.size() : 0) + beyondRoom, 3);
    QVERIFY(writeFile(m_download + QStringLiteral("/movie.mkv"), data));
    const QString mountPoint = m_dir->filePath(QStringLiteral("Destination"));
    SmallFileSystem disk(mountPoint, room);
    QVERIFY(disk.isValid());
    if (nameTaken)
        QVERIFY(writeFile(m_destination + QStringLiteral("/movie.mkv"), userFile));
    // Without a mount the destination shares the download folder's file system: a rename.
    const bool fits = !disk.isMounted() || beyondRoom <= 0;

    ThreadClean clean;
    runClean(clean, m_nzb.get());

    const QString movedAs = nameTaken ? QStringLiteral("movie (1).mkv") : QStringLiteral("movie.mkv");
    QStringList expectedThere = nameTaken ? QStringList{"movie.mkv"} : QStringList();
    if (nameTaken)
        QCOMPARE(readFile(m_destination + QStringLiteral("/movie.mkv")), userFile);
    if (fits) {
        expectedThere = QStringList{"movie (1).mkv", "movie.mkv"}.mid(nameTaken ? 0 : 1);
        QCOMPARE(entries(m_destination), expectedThere);
        QCOMPARE(fileSha256(m_destination + QLatin1Char('/') + movedAs), sha256(data));
        QVERIFY(!QFileInfo::exists(m_download));
        QVERIFY(!clean.hasFilesLeftBehind());
        return;
    }
    QCOMPARE(entries(m_destination), expectedThere);
    QCOMPARE(entries(m_download), QStringList{"movie.mkv"});
    QCOMPARE(fileSha256(m_download + QStringLiteral("/movie.mkv")), sha256(data));
    const QString left = QDir(m_download).absoluteFilePath(QStringLiteral("movie.mkv"));
    QCOMPARE(clean.getFilesNotMoved(), QStringList{left});
    QCOMPARE(clean.getReasonNotMoved(left), QString::fromLocal8Bit(std::strerror(ENOSPC)));
    QCOMPARE(clean.getFilesRenamed(), QStringList());
}

// A destination that refuses writes (a disk mounted read-only): nothing leaves the download
// folder but what the patterns delete, and each file that stays says why.
void tst_ThreadClean::destinationThatRefusesWrites()
{
    fillDownloadFolder({"a.nfo", "movie.mkv"});
    QVERIFY(QDir().mkpath(m_destination));
    ReadOnlyFolder readOnly(m_destination);
    QVERIFY(readOnly.isValid());

    ThreadClean clean;
    clean.setAutoDeletePatterns(QStringLiteral("*.nfo"));
    runClean(clean, m_nzb.get());

    QCOMPARE(entries(m_destination), QStringList());
    QCOMPARE(entries(m_download), QStringList{"movie.mkv"});
    QCOMPARE(readFile(m_download + QStringLiteral("/movie.mkv")), QByteArray("downloaded movie.mkv"));
    const QString left = QDir(m_download).absoluteFilePath(QStringLiteral("movie.mkv"));
    QCOMPARE(clean.getFilesNotMoved(), QStringList{left});
    QCOMPARE(clean.getReasonNotMoved(left), QString::fromLocal8Bit(std::strerror(readOnly.errorCode())));
}

// The file cannot leave the download folder (mounted read-only): a copy made in the destination
// on another disk is removed again, so the file is never in two places, and the reason is told.
void tst_ThreadClean::downloadFolderThatKeepsItsFiles()
{
    fillDownloadFolder({"movie.mkv"});
    SmallFileSystem disk(m_dir->filePath(QStringLiteral("Destination")), 1024 * 1024);
    QVERIFY(disk.isValid());
    ReadOnlyFolder readOnly(m_download);
    QVERIFY(readOnly.isValid());

    ThreadClean clean;
    runClean(clean, m_nzb.get());

    QCOMPARE(entries(m_destination), QStringList());
    QCOMPARE(entries(m_download), QStringList{"movie.mkv"});
    const QString left = QDir(m_download).absoluteFilePath(QStringLiteral("movie.mkv"));
    QCOMPARE(clean.getFilesNotMoved(), QStringList{left});
    QCOMPARE(clean.getReasonNotMoved(left), QString::fromLocal8Bit(std::strerror(readOnly.errorCode())));
}

void tst_ThreadClean::missingDestinationCreatedWithParents()
{
    fillDownloadFolder({"movie.mkv"});
    m_nzb->strDestination = m_dir->filePath(QStringLiteral("new/deep/movie"));
    ThreadClean clean;
    runClean(clean, m_nzb.get());
    QCOMPARE(entries(m_nzb->strDestination), QStringList{"movie.mkv"});
}

void tst_ThreadClean::subFolderGoesWithTheDownloadFolder()
{
    fillDownloadFolder({"movie.mkv", "sub/inner.txt"});
    ThreadClean clean;
    runClean(clean, m_nzb.get());
    QCOMPARE(entries(m_destination), QStringList{"movie.mkv"});
    QVERIFY(!QFileInfo::exists(m_download));
}

void tst_ThreadClean::downloadFolderIsTheDestination()
{
    fillDownloadFolder({"movie.mkv", "movie.par2"});
    m_nzb->strDestination = m_download + QStringLiteral("/./");
    ThreadClean clean;
    runClean(clean, m_nzb.get());
    QCOMPARE(entries(m_download), (QStringList{"movie.mkv", "movie.par2"}));
    QCOMPARE(clean.getFilesNotMoved(), QStringList());
    QCOMPARE(clean.getFilesRenamed(), QStringList());
}

void tst_ThreadClean::destinationInsideTheDownloadFolder()
{
    fillDownloadFolder({"movie.mkv"});
    m_nzb->strDestination = m_download + QStringLiteral("/done");
    ThreadClean clean;
    runClean(clean, m_nzb.get());
    QCOMPARE(entries(m_download), QStringList{"done"});
    QCOMPARE(entries(m_nzb->strDestination), QStringList{"movie.mkv"});
}

void tst_ThreadClean::withoutNzb()
{
    fillDownloadFolder({"movie.mkv"});
    ThreadClean clean;
    runClean(clean, nullptr);
    QCOMPARE(entries(m_download), QStringList{"movie.mkv"});
    QVERIFY(!QFileInfo::exists(m_destination));
}

void tst_ThreadClean::distinctNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("suffix") << "movie.mkv" << 1 << "movie (1).mkv";
    QTest::newRow("last suffix only") << "a.tar.gz" << 2 << "a.tar (2).gz";
    QTest::newRow("no suffix") << "readme" << 1 << "readme (1)";
    QTest::newRow("hidden") << ".hidden" << 3 << ".hidden (3)";
    QTest::newRow("trailing dot") << "name." << 1 << "name. (1)";
    const QString n251(251, QLatin1Char('n'));
    QTest::newRow("longest name, itself") << n251 + ".mkv" << 0 << n251 + ".mkv";
    QTest::newRow("longest name, numbered: cut to fit") << n251 + ".mkv" << 1 << QString(247, 'n') + " (1).mkv";
    QTest::newRow("too long a name: cut to fit") << n251 + "nnnn.mkv" << 0 << n251 + ".mkv";
}

void tst_ThreadClean::distinctNames()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, expected);
    QCOMPARE(ThreadClean::distinctName(name, number, 255), expected);
    if (number > 0 && FileNameLimit::bytesOf(name) < 200)
        QCOMPARE(ThreadClean::distinctName(name, number), expected);
}

QTEST_GUILESS_MAIN(tst_ThreadClean)
#include "tst_ThreadClean.moc"

