// The whole program stopped in the middle of a post-processing step, by a crash (SIGKILL) or the
// end of the session (SIGTERM), and started again: the step is done again, every file ends under
// its real name identical to the posted one, nothing unfinished, numbered or left by par2 reaches
// the destination, the outside program the step ran ended with the program, and "successfully
// downloaded" is said only then.
//
// The program runs from a folder of the test's, with its tools beside it as in an installation:
// the bundled unrar and the system's par2, each behind a small script that, while a hold file
// exists, stops itself (SIGSTOP) before it becomes the real tool. The test then lets the real tool
// run a few milliseconds at a time until its output is there and not whole yet, and stops the
// program right there: the stop lands in the middle of the step however loaded the machine is.
#include "config/AppConfiguration.h"

#include "NewsPostingFixture.h"
#include "NntpTestServer.h"
#include "ProgramRunner.h"
#include "RarTestArchive.h"
#include "StandInProgram.h"
#include "SteppedProcess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

constexpr qint64 kPartSize = 1024 * 1024;

using NewsPostingFixture::Posted;
using NewsPostingFixture::readFile;

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Bytes that differ from one block to the next, so that a misplaced block shows.
QByteArray blockData(qint64 size, quint32 seed)
{
    QByteArray data(int(size), '\0');
    for (int i = 0; i < data.size(); i += 4096) {
        const QByteArray mark = QByteArray::number(seed) + ':' + QByteArray::number(i);
        data.replace(i, qMin(mark.size(), data.size() - i), mark.left(data.size() - i));
    }
    return data;
}

// Every file below `folder`, as paths relative to it, sorted.
QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(folder).relativeFilePath(it.next()));
    files.sort();
    return files;
}

} // namespace

class tst_ProgramStoppedMidStep : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void extractionStoppedMidFile_data();
    void extractionStoppedMidFile();
    void repairStoppedMidFile();

private:
    // Posts the files in parts of kPartSize on the news server; the path of their NZB "<tag>.nzb".
    QString post(const QString &tag, const QList<Posted> &files);
    // The tool `name` in the program's folder: a script that stops itself while the hold file
    // exists and the first argument is `command`, then becomes `real`.
    void placeTool(const QString &name, const QString &command, const QString &real);
    void configure(bool smartDownload);
    // The one process of the tool that the program runs, once it has stopped itself; 0 when none
    // came.
    qint64 heldTool(const QString &name);
    // Waits until the program has ended the NZB, and says how.
    QString waitForTheEnd(const QString &nzbName);

    std::unique_ptr<QTemporaryDir> work;
    std::unique_ptr<NntpTestServer> news;
    std::unique_ptr<ProgramRunner> program;
    QString programFolder;
    QString holdFile;
    QString destinationRoot;
};

void tst_ProgramStoppedMidStep::init()
{
    work = std::make_unique<QTemporaryDir>();
    QVERIFY(work->isValid());
    news = std::make_unique<NntpTestServer>();
    QVERIFY2(news->start(), qPrintable(news->errorString()));
    news->addGroup(QStringLiteral("alt.binaries.test"));
    program = std::make_unique<ProgramRunner>(work->filePath(QStringLiteral("home")));
    QVERIFY(QDir().mkpath(program->home()));
    programFolder = work->filePath(QStringLiteral("program"));
    QVERIFY(ProgramRunner::placeProgramIn(programFolder));
    program->setProgramFolder(programFolder);
    holdFile = work->filePath(QStringLiteral("hold"));
    QVERIFY(writeAll(holdFile, "hold"));
}

void tst_ProgramStoppedMidStep::cleanup()
{
    QFile::remove(holdFile); // a tool still held goes on, and ends with the program
    program.reset();
    news.reset();
    work.reset();
}

QString tst_ProgramStoppedMidStep::post(const QString &tag, const QList<Posted> &files)
{
    return NewsPostingFixture::post(*news, work->path(), tag, files, int(kPartSize));
}

void tst_ProgramStoppedMidStep::placeTool(const QString &name, const QString &command, const QString &real)
{
    QVERIFY(QFileInfo(real).isExecutable());
    const QByteArray script = "if [ \"$1\" = '" + command.toUtf8() + "' ] && [ -e '" + QFile::encodeName(holdFile)
                              + "' ]; then kill -STOP $$; fi\nexec '" + QFile::encodeName(real) + "' \"$@\"";
    QVERIFY(!StandInProgram::write(programFolder, name, script).isEmpty());
}

void tst_ProgramStoppedMidStep::configure(bool smartDownload)
{
    QVERIFY(program->configure({ProgramRunner::newsServer(news->port())}, [&](AppConfiguration &config) {
        config.autoUnrar = true;
        config.autoSmartDownload = smartDownload;
        config.autoKeepPar2Files = false;
        destinationRoot = config.destinationFolder;
    }));
    QVERIFY(!destinationRoot.isEmpty());
}

qint64 tst_ProgramStoppedMidStep::heldTool(const QString &name)
{
    qint64 pid = 0;
    const bool held = program->waitFor([&] {
        const QList<qint64> tools = SteppedProcess::children(program->processId(), name);
        pid = tools.size() == 1 && SteppedProcess::state(tools.first()) == 'T' ? tools.first() : 0;
        return pid != 0;
    });
    return held ? pid : 0;
}

QString tst_ProgramStoppedMidStep::waitForTheEnd(const QString &nzbName)
{
    const QString success = QStringLiteral("NZB %1 has been successfully downloaded").arg(nzbName);
    const QString failure = QStringLiteral("NZB %1 has been downloaded with error(s)").arg(nzbName);
    program->waitFor([&] {
        const QString log = program->logText();
        return log.contains(success) || log.contains(failure);
    });
    const QString log = program->logText();
    return log.contains(success) ? success : log.contains(failure) ? failure : QStringLiteral("no end");
}

void tst_ProgramStoppedMidStep::extractionStoppedMidFile_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGKILL") << int(SIGKILL);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

// A set of one RAR archive holding one large stored file: the program is stopped while unrar
// writes that file.
void tst_ProgramStoppedMidStep::extractionStoppedMidFile()
{
    QFETCH(int, signalNumber);
    const QByteArray inner = blockData(32 * kPartSize, 7);
    const QString nzb = post(QStringLiteral("set"),
                             {{QStringLiteral("set.rar"),
                               RarTestArchive(RarTestArchive::Format::Rar5).file("inner.bin", inner).bytes()}});
    placeTool(QStringLiteral("unrar"), QStringLiteral("x"), QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath("unrar"));
    configure(true);
    QVERIFY(program->start({nzb}));

    const qint64 unrar = heldTool(QStringLiteral("unrar"));
    QVERIFY(unrar > 0);
    // Whatever unrar writes the file under, it is there and not whole when the program stops.
    QString written;
    QVERIFY(SteppedProcess::stepUntil(unrar, [&] {
        for (const QString &file : filesBelow(destinationRoot)) {
            if (QFileInfo(file).fileName().startsWith(QLatin1String("inner.bin")))
                written = destinationRoot + QLatin1Char('/') + file;
        }
        return !written.isEmpty() && QFileInfo(written).size() > 0;
    }));
    QVERIFY2(QFileInfo(written).size() < inner.size(), "the file was whole before the stop");
    const QString real = QFileInfo(written).absolutePath() + QStringLiteral("/inner.bin");
    QVERIFY2(!QFileInfo::exists(real), "an unfinished file stands under its real name");

    const int ended = program->stop(signalNumber);
    QCOMPARE(ended, signalNumber == SIGKILL ? ProgramRunner::kKilled : 0);
    // unrar ends with the program, also when the program could not end it itself.
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::isGone(unrar), 30000);
    QVERIFY(!QFileInfo::exists(real));
    QVERIFY(!program->logText().contains(QStringLiteral("successfully downloaded")));

    QVERIFY(QFile::remove(holdFile));
    QVERIFY(program->start());
    QCOMPARE(waitForTheEnd(QStringLiteral("set")), QStringLiteral("NZB set has been successfully downloaded"));
    QCOMPARE(filesBelow(QFileInfo(real).absolutePath()), QStringList{QStringLiteral("inner.bin")});
    QVERIFY(readFile(real) == inner);
    QCOMPARE(program->stop(SIGTERM), 0);
}

// A damaged file with recovery volumes: the program is killed while par2 repairs
// it, once par2 has moved the damaged file aside ("data.bin.1") for the repaired one.
void tst_ProgramStoppedMidStep::repairStoppedMidFile()
{
    // Posted damaged: one part's bytes differ from those the PAR2 files were made of.
    const QByteArray data = blockData(24 * kPartSize, 11);
    QByteArray damaged = data;
    damaged.replace(int(4 * kPartSize), 1000, QByteArray(1000, 'x'));
    const QList<Posted> recovery = NewsPostingFixture::par2Files({{QStringLiteral("data.bin"), data}},
                                                              {"-s262144", "-c12", "-n2", "data.par2"});
    QVERIFY(!recovery.isEmpty());
    const QString nzb = post(QStringLiteral("repair"), QList<Posted>{{QStringLiteral("data.bin"), damaged}} + recovery);
    placeTool(QStringLiteral("par2"), QStringLiteral("r"), QStandardPaths::findExecutable(QStringLiteral("par2")));
    // Every volume is fetched at once: par2 runs once, verifying and repairing.
    configure(false);
    QVERIFY(program->start({nzb}));

    const qint64 par2 = heldTool(QStringLiteral("par2"));
    QVERIFY(par2 > 0);
    QString backup;
    QVERIFY(SteppedProcess::stepUntil(par2, [&] {
        for (const QString &file : filesBelow(program->dataFolder())) {
            if (file.endsWith(QLatin1String("/data.bin.1")))
                backup = program->dataFolder() + QLatin1Char('/') + file;
        }
        return !backup.isEmpty();
    }));
    QCOMPARE(program->stop(SIGKILL), ProgramRunner::kKilled);
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::isGone(par2), 30000);
    QVERIFY(!program->logText().contains(QStringLiteral("successfully downloaded")));

    QVERIFY(QFile::remove(holdFile));
    QVERIFY(program->start());
    QCOMPARE(waitForTheEnd(QStringLiteral("repair")), QStringLiteral("NZB repair has been successfully downloaded"));
    const QStringList moved = filesBelow(destinationRoot);
    QCOMPARE(moved, QStringList{QStringLiteral("repair/data.bin")});
    QVERIFY(readFile(destinationRoot + QStringLiteral("/repair/data.bin")) == data);
    QCOMPARE(program->stop(SIGTERM), 0);
}

QTEST_GUILESS_MAIN(tst_ProgramStoppedMidStep)
#include "tst_ProgramStoppedMidStep.moc"
