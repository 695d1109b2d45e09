// The whole program stopped in the middle of a step (kill -9 as in a crash, SIGTERM as at the end
// of the session) and started again in the same home: every file reaches the destination whole
// under its own name, no numbered copy of the program's own making stands beside it, nothing
// unfinished is left behind, and "successfully downloaded" is said only when all that holds.
//
// Where each stop lands is made sure, whatever the machine's load: the program freezes itself in
// the middle of a write into the folder of the step (ProgramRunner::stopAtWrite), the test checks
// that an unfinished file stands there, then ends it.
#include "config/AppConfiguration.h"
#include "../engine/SegmentBodyWriter.h"
#include "NewsPostingFixture.h"
#include "../support/NntpTestServer.h"
#include "../support/ProgramRunner.h"
#include "../support/SmallFileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/stat.h>

namespace {

using Writer = SegmentBodyWriter;
using NewsPostingFixture::Posted;
using NewsPostingFixture::readFile;
using NewsPostingFixture::sha256;

constexpr int kPartSize = 256 * 1024;
constexpr int kWaitMs = 240000;

const QString kSuccess = QStringLiteral("NZB set has been successfully downloaded");

// Every file under a folder, hidden ones included, by path relative to it, with its size.
using FileSizes = QMap<QString, qint64>;

FileSizes filesUnder(const QString &folder)
{
    FileSizes files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files.insert(QDir(folder).relativeFilePath(it.filePath()), it.fileInfo().size());
    }
    return files;
}

// A file under the folder that holds some but not all of `size` bytes: a step stopped inside.
bool unfinishedFileUnder(const QString &folder, qint64 size)
{
    const FileSizes files = filesUnder(folder);
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        if (file.value() > 0 && file.value() < size)
            return true;
    }
    return false;
}

dev_t deviceOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : dev_t(0);
}

} // namespace

namespace QTest {
template <>
char *toString(const FileSizes &files)
{
    QStringList listed;
    for (auto file = files.cbegin(); file != files.cend(); ++file)
        listed << QStringLiteral("%1 (%2 bytes)").arg(file.key()).arg(file.value());
    return qstrdup(qPrintable(listed.join(QStringLiteral(", "))));
}
} // namespace QTest

class tst_ProgramInterruptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void decodingStoppedMidFile();
    void filesThatVanishBeforeTheEnd_data();
    void filesThatVanishBeforeTheEnd();
    void moveToAnotherFileSystemStoppedMidCopy_data();
    void moveToAnotherFileSystemStoppedMidCopy();

private:
    QString post(const QList<Posted> &files);
    bool configure(const QString &destination);
    bool waitForTheEnd(ProgramRunner &program);
    void checkDestination(const QString &destination, const QList<Posted> &files);
    QString downloadFolder() const { return runner->dataFolder() + QStringLiteral("/Download"); }

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<NntpTestServer> news;
    std::unique_ptr<ProgramRunner> runner;
    QList<Posted> set;
};

void tst_ProgramInterruptions::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    news = std::make_unique<NntpTestServer>();
    QVERIFY2(news->start(), qPrintable(news->errorString()));
    runner = std::make_unique<ProgramRunner>(home->path());
    // Two files: the large one is the one stopped in the middle.
    set = {{QStringLiteral("big.bin"), Writer::randomBytes(12 * kPartSize + 1234, 11)},
           {QStringLiteral("small.txt"), Writer::randomBytes(3000, 12)}};
}

void tst_ProgramInterruptions::cleanup()
{
    runner.reset();
    news.reset();
    home.reset();
}

// The NZB "set" of yEnc articles on the news server.
QString tst_ProgramInterruptions::post(const QList<Posted> &files)
{
    return NewsPostingFixture::post(*news, home->path(), QStringLiteral("set"), files, kPartSize);
}

bool tst_ProgramInterruptions::configure(const QString &destination)
{
    return runner->configure({ProgramRunner::newsServer(news->port())}, [&destination](AppConfiguration &config) {
        config.destinationFolder = destination;
    });
}

// The NZB ends, one way or the other (the restarted program stays up: it is ended here).
bool tst_ProgramInterruptions::waitForTheEnd(ProgramRunner &program)
{
    const bool ended = program.waitFor(
        [&program] {
            const QString log = program.logText();
            return log.contains(kSuccess) || log.contains(QStringLiteral("has been downloaded with error(s)"))
                   || log.contains(QStringLiteral("could not be moved"));
        },
        kWaitMs);
    return program.stop(SIGTERM) == 0 && ended;
}

// Each file once, whole, under its own name; nothing else (no numbered copy, no leftover).
void tst_ProgramInterruptions::checkDestination(const QString &destination, const QList<Posted> &files)
{
    FileSizes expected;
    for (const Posted &file : files)
        expected.insert(QStringLiteral("set/") + file.name, file.data.size());
    QCOMPARE(filesUnder(destination), expected);
    for (const Posted &file : files)
        QCOMPARE(sha256(readFile(destination + QStringLiteral("/set/") + file.name)), sha256(file.data));
    const QString log = runner->logText();
    QVERIFY2(log.contains(kSuccess), qPrintable(log.right(3000)));
    QVERIFY2(!log.contains(QStringLiteral("already in the destination")), qPrintable(log.right(3000)));
}

// kill -9 while big.bin is being decoded (half of it written): the next start decodes it again
// into the same name, and only the whole file reaches the destination.
void tst_ProgramInterruptions::decodingStoppedMidFile()
{
    const QString nzb = post(set);
    QVERIFY(!nzb.isEmpty());
    const QString destination = home->path() + QStringLiteral("/Destination");
    QVERIFY(configure(destination));
    const qint64 big = set.first().data.size();
    runner->stopAtWrite(downloadFolder() + QLatin1Char('/'), big / 2);
    QVERIFY(runner->start({nzb}));
    QVERIFY(runner->waitUntilFrozen(kWaitMs));
    QVERIFY2(unfinishedFileUnder(downloadFolder(), big), QTest::toString(filesUnder(downloadFolder())));
    QCOMPARE(runner->stop(SIGKILL), ProgramRunner::kKilled);

    QVERIFY(runner->start());
    QVERIFY(waitForTheEnd(*runner));
    checkDestination(destination, set);
    QCOMPARE(filesUnder(downloadFolder()), FileSizes());
}

void tst_ProgramInterruptions::filesThatVanishBeforeTheEnd_data()
{
    QTest::addColumn<bool>("wholeFolder");
    QTest::newRow("a decoded file removed") << false;
    QTest::newRow("the download folder removed") << true;
}

// A decoded file goes from the download folder while the NZB still downloads (removed by hand,
// the folder deleted, a drive gone): the NZB does not end as "successfully downloaded" with one
// file of two; it ends with an error that names the file, and the other file is moved as usual.
void tst_ProgramInterruptions::filesThatVanishBeforeTheEnd()
{
    QFETCH(bool, wholeFolder);
    const QList<Posted> files{{QStringLiteral("a.txt"), Writer::randomBytes(5000, 21)},
                              {QStringLiteral("z.bin"), Writer::randomBytes(10 * kPartSize, 22)}};
    NntpTestServer::ConnectionFaults slow;
    slow.throttleBytesPerSecond = 150000;
    news->setDefaultConnectionFaults(slow);
    const QString nzb = post(files);
    QVERIFY(!nzb.isEmpty());
    const QString destination = home->path() + QStringLiteral("/Destination");
    QVERIFY(configure(destination));
    QVERIFY(runner->start({nzb}));
    QString decoded;
    QVERIFY(runner->waitFor(
        [&] {
            const FileSizes there = filesUnder(downloadFolder());
            for (auto file = there.cbegin(); file != there.cend(); ++file) {
                if (file.key().endsWith(QLatin1String("/a.txt")) && file.value() == files.first().data.size())
                    decoded = downloadFolder() + QLatin1Char('/') + file.key();
            }
            return !decoded.isEmpty();
        },
        kWaitMs));
    // The slow server keeps z.bin downloading: the NZB is not at its end yet.
    QVERIFY2(!runner->logText().contains(QStringLiteral("NZB set has been")), qPrintable(runner->logText()));
    QVERIFY2(!filesUnder(downloadFolder()).keys().join(' ').contains(QLatin1String("z.bin")),
             QTest::toString(filesUnder(downloadFolder())));
    if (wholeFolder)
        QVERIFY(QDir(QFileInfo(decoded).path()).removeRecursively());
    else
        QVERIFY(QFile::remove(decoded));

    QVERIFY(waitForTheEnd(*runner));
    const QString log = runner->logText();
    QVERIFY2(!log.contains(kSuccess), qPrintable(log.right(3000)));
    QVERIFY2(log.contains(QStringLiteral("NZB set has been downloaded with error(s): "
                                         "1 decoded file(s) gone from the download folder before the end: a.txt")),
             qPrintable(log.right(3000)));
    QCOMPARE(filesUnder(destination), (FileSizes{{QStringLiteral("set/z.bin"), files.last().data.size()}}));
}

void tst_ProgramInterruptions::moveToAnotherFileSystemStoppedMidCopy_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("kill -9") << int(SIGKILL);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

// The destination is on another file system, so the move copies: the program is stopped with
// half of big.bin copied. Killed, the next start moves the files again; told to end, the
// program finishes the move before it ends. Either way the destination holds each file whole,
// once, under its own name.
void tst_ProgramInterruptions::moveToAnotherFileSystemStoppedMidCopy()
{
    QFETCH(int, signalNumber);
    // The shared memory folder is a tmpfs of its own on most systems; else a tmpfs is mounted
    // where the test may.
    std::unique_ptr<QTemporaryDir> shared;
    std::unique_ptr<SmallFileSystem> mounted;
    QString destination;
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable() && deviceOf(QStringLiteral("/dev/shm")) != deviceOf(home->path())) {
        shared = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/tq-interrupt-XXXXXX"));
        QVERIFY(shared->isValid());
        destination = shared->path();
    } else {
        destination = home->path() + QStringLiteral("/Destination");
        mounted = std::make_unique<SmallFileSystem>(destination, 256 * 1024 * 1024);
        if (!mounted->isMounted())
            QSKIP("no other file system for the destination: /dev/shm is missing and a tmpfs cannot be mounted");
    }
    QVERIFY(deviceOf(destination) != deviceOf(home->path()));

    const QString nzb = post(set);
    QVERIFY(!nzb.isEmpty());
    QVERIFY(configure(destination));
    const qint64 big = set.first().data.size();
    runner->stopAtWrite(destination + QLatin1Char('/'), big / 2);
    QVERIFY(runner->start({nzb}));
    QVERIFY(runner->waitUntilFrozen(kWaitMs));
    QVERIFY2(unfinishedFileUnder(destination, big), QTest::toString(filesUnder(destination)));
    if (signalNumber == SIGKILL) {
        QCOMPARE(runner->stop(SIGKILL), ProgramRunner::kKilled);
        QVERIFY(runner->start());
        QVERIFY(waitForTheEnd(*runner));
    } else {
        // The end of the session: the exit waits for the move it interrupts.
        QCOMPARE(runner->stop(SIGTERM, kWaitMs), 0);
    }
    checkDestination(destination, set);
    QCOMPARE(filesUnder(downloadFolder()), FileSizes());
}

QTEST_GUILESS_MAIN(tst_ProgramInterruptions)
#include "tst_ProgramInterruptions.moc"
