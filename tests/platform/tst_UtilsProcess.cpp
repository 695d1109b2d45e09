#include "platform/UtilsProcess.h"

#include "StandInProgram.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <memory>


class tst_UtilsProcess : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void outputAndExitCode_data();
    void outputAndExitCode();
    void readStopsAtZeroByte();
    void outputLongerThanReserve();
    void delayedPiecesReachHandlerSeparately();
    void multiByteCharacterSplitOverReads();
    void failedWaitIsNeverSuccess();
    void stopKillsProgramAndItsChildren();
    void stopSetBeforeStart();
    void timeLimitKillsProgramAndItsChildren();
    void programWithinTimeLimitRunsToItsEnd();
    void missingOrUnusableProgram();
    void lookupFallsBackToPathOnlyWhenAsked();
    void startHiddenDoesNotWait();
    void programEndsWithTheProgramThatRunsIt_data();
    void programEndsWithTheProgramThatRunsIt();

private:
    ProcessRun runScript(const QByteArray& body, const QStringList& arguments = QStringList(),
                         const ProcessRunOptions& base = ProcessRunOptions());

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_UtilsProcess::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

ProcessRun tst_UtilsProcess::runScript(const QByteArray& body, const QStringList& arguments,
                                       const ProcessRunOptions& base)
{
    StandInProgram::write(m_dir->path(), QStringLiteral("standin"), body);
    ProcessRunOptions options = base;
    options.programFolder = m_dir->path();
    return UtilsProcess::runHidden(QStringLiteral("standin"), arguments, options);
}

void tst_UtilsProcess::outputAndExitCode_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");
    QTest::addColumn<quint32>("exitCode");

    const QByteArray printArguments = "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done";
    QTest::newRow("silent") << QByteArray("exit 0") << QStringList() << QString() << 0u;
    QTest::newRow("exit 0") << QByteArray("echo done; exit 0") << QStringList()
                            << QStringLiteral("done\n") << 0u;
    QTest::newRow("exit 2") << QByteArray("echo need more; exit 2") << QStringList()
                            << QStringLiteral("need more\n") << 2u;
    QTest::newRow("exit 7") << QByteArray("exit 7") << QStringList() << QString() << 7u;
    QTest::newRow("error output joins standard output")
        << QByteArray("echo out; echo err >&2; echo out2") << QStringList()
        << QStringLiteral("out\nerr\nout2\n") << 0u;
    QTest::newRow("standard input gives end of file at once")
        << QByteArray("read line; echo \"read=$?\"; cat; echo end") << QStringList()
        << QStringLiteral("read=1\nend\n") << 0u;
    QTest::newRow("arguments arrive intact")
        << printArguments
        << QStringList{QStringLiteral("/dl/my set/movie.par2"), QStringLiteral("say \"hi\""),
                       QString(), QStringLiteral("$HOME"), QStringLiteral("*"),
                       QStringLiteral("a;b|c"), QStringLiteral("p\"w d")}
        << QStringLiteral("[/dl/my set/movie.par2]\n[say \"hi\"]\n[]\n[$HOME]\n[*]\n[a;b|c]\n"
                          "[p\"w d]\n")
        << 0u;
    QTest::newRow("non-ASCII names decode as UTF-8")
        << printArguments << QStringList{QStringLiteral("Fïlm – 日本.rar")}
        << QStringLiteral("[Fïlm – 日本.rar]\n") << 0u;
    QTest::newRow("killed by a signal") << QByteArray("kill -TERM $$") << QStringList()
                                        << QString() << quint32(128 + 15);
}

void tst_UtilsProcess::outputAndExitCode()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(quint32, exitCode);

    ProcessRunOptions options;
    options.pauseAfterPoll = true;
    const ProcessRun run = runScript(body, arguments, options);
    QVERIFY(run.started);
    QVERIFY(!run.stopped);
    QCOMPARE(run.output, output);
    QCOMPARE(run.exitCode, exitCode);
}

void tst_UtilsProcess::failedWaitIsNeverSuccess()
{
    // With SIGCHLD ignored the system reaps children itself: waitpid fails with ECHILD and
    // the program's status is lost. A program that exits 0 must not read as a success then.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction previous {};
    QCOMPARE(sigaction(SIGCHLD, &ignore, &previous), 0);
    const ProcessRun run = runScript("echo finished; exit 0");
    sigaction(SIGCHLD, &previous, nullptr);

    QVERIFY(run.started);
    QVERIFY(!run.stopped);
    QCOMPARE(run.exitCode, ProcessRun::kExitCodeUnknown);
    QVERIFY(run.exitCode != 0);
    QCOMPARE(run.output, QStringLiteral("finished\n"));
}

void tst_UtilsProcess::readStopsAtZeroByte()
{
    // A read keeps what comes before its first zero byte; later reads are kept again.
    const ProcessRun run = runScript("printf 'before\\000after'; sleep 1; printf 'next'");
    QVERIFY(run.started);
    QCOMPARE(run.output, QStringLiteral("beforenext"));
}

void tst_UtilsProcess::outputLongerThanReserve()
{
    QStringList chunks;
    ProcessRunOptions options;
    options.outputReserve = 16;
    options.chunkHandler = [&chunks](const QString& chunk) { chunks << chunk; };
    const ProcessRun run = runScript("head -c 600000 /dev/zero | tr '\\000' 'a'; echo; echo tail",
                                     QStringList(), options);
    QVERIFY(run.started);
    QCOMPARE(run.output.size(), 600000 + 6);
    QCOMPARE(run.output.left(600000), QString(600000, QLatin1Char('a')));
    QVERIFY(run.output.endsWith(QLatin1String("\ntail\n")));
    // The handler sees the reads made while the program ran, in order: a prefix of the output.
    QVERIFY(run.output.startsWith(chunks.join(QString())));
    QVERIFY(chunks.size() > 1);
}

void tst_UtilsProcess::delayedPiecesReachHandlerSeparately()
{
    QStringList chunks;
    ProcessRunOptions options;
    options.pauseAfterPoll = true;
    options.chunkHandler = [&chunks](const QString& chunk) { chunks << chunk; };
    const ProcessRun run = runScript("printf 'one\\ntw'; sleep 1; printf 'o\\n'; sleep 1; "
                                     "printf 'three\\n'",
                                     QStringList(), options);
    QVERIFY(run.started);
    QCOMPARE(run.output, QStringLiteral("one\ntwo\nthree\n"));
    QVERIFY2(chunks.size() >= 2, qPrintable(chunks.join(QLatin1Char('|'))));
    QCOMPARE(chunks.first(), QStringLiteral("one\ntw"));
    QCOMPARE(chunks.at(1), QStringLiteral("o\n"));
}

void tst_UtilsProcess::multiByteCharacterSplitOverReads()
{
    // "é" is 0xC3 0xA9 in UTF-8; its two bytes arrive in two reads.
    const ProcessRun run = runScript("printf 'caf\\303'; sleep 0.4; printf '\\251!'");
    QVERIFY(run.started);
    QCOMPARE(run.output, QStringLiteral("café!"));
}

void tst_UtilsProcess::stopKillsProgramAndItsChildren()
{
    const QString pids = m_dir->path() + QStringLiteral("/pids");
    std::atomic<bool> stop{false};
    ProcessRunOptions options;
    options.pauseAfterPoll = true;
    options.stopFlag = &stop;
    options.chunkHandler = [&stop](const QString& chunk) {
        if (chunk.contains(QLatin1String("running")))
            stop = true;
    };
    const QByteArray body = "sleep 1000 & echo $! > '" + pids.toUtf8() + ".child'\n"
                            "echo $$ > '" + pids.toUtf8() + ".self'\n"
                            "echo running\n"
                            "while :; do sleep 1; done";
    QElapsedTimer clock;
    clock.start();
    const ProcessRun run = runScript(body, QStringList(), options);
    QVERIFY(run.started);
    QVERIFY(run.stopped);
    QCOMPARE(run.exitCode, 1u);
    QCOMPARE(run.output, QStringLiteral("running\n"));
    // Stopped, not waited out (the script never ends); generous for a busy machine.
    QVERIFY(clock.elapsed() < 30000);

    const qint64 self = StandInProgram::readPid(pids + QStringLiteral(".self"));
    const qint64 child = StandInProgram::readPid(pids + QStringLiteral(".child"));
    QVERIFY(self > 0 && child > 0);
    QVERIFY(StandInProgram::isGone(self));
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::isGone(child), 3000);
}

void tst_UtilsProcess::stopSetBeforeStart()
{
    std::atomic<bool> stop{true};
    ProcessRunOptions options;
    options.stopFlag = &stop;
    const QString pidFile = m_dir->path() + QStringLiteral("/pid");
    const ProcessRun run = runScript("echo $$ > '" + pidFile.toUtf8() + "'; exec sleep 1000",
                                     QStringList(), options);
    QVERIFY(run.started);
    QVERIFY(run.stopped);
    QCOMPARE(run.exitCode, 1u);
    const qint64 pid = StandInProgram::readPid(pidFile);
    QVERIFY(pid < 0 || StandInProgram::isGone(pid));
}

void tst_UtilsProcess::timeLimitKillsProgramAndItsChildren()
{
    // A program that never ends, with a child of its own: both are gone once the limit passed,
    // what was printed before is kept, and the run does not read as a success.
    const QString pids = m_dir->path() + QStringLiteral("/pids");
    ProcessRunOptions options;
    options.timeLimitMs = 300;
    const QByteArray body = "sleep 1000 & echo $! > '" + pids.toUtf8() + ".child'\n"
                            "echo $$ > '" + pids.toUtf8() + ".self'\n"
                            "echo waiting\n"
                            "while :; do sleep 1; done";
    const ProcessRun run = runScript(body, QStringList(), options);
    QVERIFY(run.started);
    QVERIFY(run.timedOut);
    QVERIFY(!run.stopped);
    QCOMPARE(run.exitCode, quint32(128 + SIGKILL));
    QCOMPARE(run.output, QStringLiteral("waiting\n"));

    const qint64 self = StandInProgram::readPid(pids + QStringLiteral(".self"));
    const qint64 child = StandInProgram::readPid(pids + QStringLiteral(".child"));
    QVERIFY(self > 0 && child > 0);
    QVERIFY(StandInProgram::isGone(self));
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::isGone(child), 3000);
}

void tst_UtilsProcess::programWithinTimeLimitRunsToItsEnd()
{
    // The limit is far beyond what the program needs: nothing is cut.
    ProcessRunOptions options;
    options.timeLimitMs = 120000;
    const ProcessRun run = runScript("echo first; sleep 0.3; echo second; exit 3",
                                     QStringList(), options);
    QVERIFY(run.started);
    QVERIFY(!run.timedOut);
    QCOMPARE(run.exitCode, 3u);
    QCOMPARE(run.output, QStringLiteral("first\nsecond\n"));
}

void tst_UtilsProcess::missingOrUnusableProgram()
{
    ProcessRunOptions options;
    options.programFolder = m_dir->path();
    ProcessRun run = UtilsProcess::runHidden(QStringLiteral("absent"), QStringList(), options);
    QVERIFY(!run.started);
    QVERIFY(run.output.isEmpty());

    // Present but not executable.
    QFile file(m_dir->path() + QStringLiteral("/plain"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho hi\n");
    file.close();
    run = UtilsProcess::runHidden(QStringLiteral("plain"), QStringList(), options);
    QVERIFY(!run.started);

    // Executable, but its interpreter does not exist.
    QFile broken(m_dir->path() + QStringLiteral("/broken"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("#!/nonexistent/interpreter\n");
    broken.close();
    broken.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    run = UtilsProcess::runHidden(QStringLiteral("broken"), QStringList(), options);
    QVERIFY(!run.started);
}

void tst_UtilsProcess::lookupFallsBackToPathOnlyWhenAsked()
{
    // "sh" is on the PATH but not in the (empty) program folder.
    QVERIFY(UtilsProcess::findProgram(QStringLiteral("sh"), m_dir->path()).isEmpty());
    const QString fromPath = UtilsProcess::findProgram(QStringLiteral("sh"), m_dir->path(), true);
    QVERIFY(!fromPath.isEmpty());
    QVERIFY(QFileInfo(fromPath).isAbsolute());

    // A program in the program folder wins over one of the same name on the PATH.
    const QString own = StandInProgram::write(m_dir->path(), QStringLiteral("sh"), "echo own");
    QCOMPARE(UtilsProcess::findProgram(QStringLiteral("sh"), m_dir->path(), true), own);

    ProcessRunOptions options;
    options.programFolder = m_dir->path();
    options.systemPathFallback = true;
    const ProcessRun run = UtilsProcess::runHidden(QStringLiteral("sh"), {QStringLiteral("-c"),
                                                   QStringLiteral("echo system")}, options);
    QCOMPARE(run.output, QStringLiteral("own\n"));
}

void tst_UtilsProcess::startHiddenDoesNotWait()
{
    const QString marker = m_dir->path() + QStringLiteral("/marker file");
    StandInProgram::write(m_dir->path(), QStringLiteral("starter"),
                 "sleep 3; printf '%s' \"$1\" > \"$2\"");
    QElapsedTimer clock;
    clock.start();
    QVERIFY(UtilsProcess::startHidden(QStringLiteral("starter"),
                                      {QStringLiteral("a \"b\""), marker}, m_dir->path()));
    // Back well before the program's three seconds are over.
    QVERIFY(clock.elapsed() < 3000);
    QVERIFY(!QFileInfo::exists(marker));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(marker).size() > 0, 20000);
    QFile file(marker);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("a \"b\""));
    QVERIFY(!UtilsProcess::startHidden(QStringLiteral("absent"), QStringList(), m_dir->path()));
}

// The program that runs an outside program ends while that program works (a crash, a kill -9, a
// session that kills it): the outside program ends with it instead of going on alone with the
// files the next start works on. The outside program execs a long sleep, as par2 or unrar would
// run, after writing its process id.
void tst_UtilsProcess::programEndsWithTheProgramThatRunsIt_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGKILL") << int(SIGKILL);
    QTest::newRow("SIGTERM") << int(SIGTERM);
}

void tst_UtilsProcess::programEndsWithTheProgramThatRunsIt()
{
    QFETCH(int, signalNumber);
    const QString pidFile = m_dir->path() + QStringLiteral("/pid");
    StandInProgram::write(m_dir->path(), QStringLiteral("worker"),
                          "echo $$ > '" + pidFile.toUtf8() + ".part'; mv '" + pidFile.toUtf8() + ".part' '"
                              + pidFile.toUtf8() + "'; exec sleep 1000");
    QProcess probe;
    probe.start(QDir(qEnvironmentVariable("TQ_BIN_DIR")).filePath(QStringLiteral("tq_process_run_probe")),
                {m_dir->path(), QStringLiteral("worker")});
    QVERIFY(probe.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(pidFile), 30000);
    const qint64 pid = StandInProgram::readPid(pidFile);
    QVERIFY(pid > 0);
    QVERIFY(!StandInProgram::isGone(pid));

    QVERIFY(::kill(pid_t(probe.processId()), signalNumber) == 0);
    QVERIFY(probe.waitForFinished(30000));
    QCOMPARE(probe.exitStatus(), QProcess::CrashExit);
    QTRY_VERIFY_WITH_TIMEOUT(StandInProgram::isGone(pid), 30000);
}

QTEST_GUILESS_MAIN(tst_UtilsProcess)
#include "tst_UtilsProcess.moc"
