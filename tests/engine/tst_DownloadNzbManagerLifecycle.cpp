// The manager's thread and workers, its shutdown, and the exit of a program that uses it.
#include "ManagerTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class tst_DownloadNzbManagerLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void shutdownWithoutStart();
    void shutdownStopsEveryThread();
    void workersDisconnectedAtShutdown();
    void programExits_data();
    void programExits();
};

void tst_DownloadNzbManagerLifecycle::shutdownWithoutStart()
{
    TestDownloadManager manager;
    manager.shutdown();
    manager.shutdown();
    QVERIFY(!manager.isRunning());
    QVERIFY(!manager.threadParity.isRunning());
}

void tst_DownloadNzbManagerLifecycle::shutdownStopsEveryThread()
{
    TestDownloadManager manager;
    manager.start();
    QTRY_VERIFY_WITH_TIMEOUT(manager.threadUnrar.isTakingJobs() && manager.threadUnsplit.isTakingJobs()
                                 && manager.threadParity.isRunning() && manager.threadComputeServerNewBytes.isRunning(),
                             30000);
    manager.shutdown();
    QVERIFY(!manager.isRunning());
    QVERIFY(!manager.threadParity.isRunning());
    QVERIFY(!manager.threadUnrar.isRunning());
    QVERIFY(!manager.threadUnsplit.isRunning());
    QVERIFY(!manager.threadComputeServerNewBytes.isRunning());
    QCOMPARE(manager.timerAverageSpeed, nullptr);
}

// After shutdown no result of a post-processing worker reaches the manager.
void tst_DownloadNzbManagerLifecycle::workersDisconnectedAtShutdown()
{
    const auto disconnectAll = [](DownloadNzbManager &manager) {
        int found = 0;
        found += QObject::disconnect(&manager.threadParity, SIGNAL(parityDoneSignal(ParityJob,int,quint32)), &manager,
                                     SLOT(par2DoneSlot(ParityJob,int,quint32)));
        found += QObject::disconnect(&manager.threadParity, SIGNAL(UpdateProgressSignal(quint32,QString)), &manager,
                                     SLOT(par2ProgressSignal(quint32,QString)));
        found += QObject::disconnect(&manager.threadUnrar, SIGNAL(unrarDoneSignal(UnrarJob,int,quint32)), &manager,
                                     SLOT(unrarDoneSlot(UnrarJob,int,quint32)));
        found += QObject::disconnect(&manager.threadUnrar, SIGNAL(UpdateProgressSignal(QString,quint32)), &manager,
                                     SLOT(unrarProgressSignal(QString,quint32)));
        found += QObject::disconnect(&manager.threadUnsplit, SIGNAL(unsplitDoneSignal(UnsplitJob,int,QString)), &manager,
                                     SLOT(unsplitDoneSlot(UnsplitJob,int,QString)));
        found += QObject::disconnect(&manager.threadUnsplit, SIGNAL(UpdateProgressSignal(quint32,quint32,quint32)),
                                     &manager, SLOT(unsplitProgress(quint32,quint32,quint32)));
        found += QObject::disconnect(&manager, SIGNAL(signalStartUnrar(NzbFiles*)), &manager, SLOT(unrarStartSlot(NzbFiles*)));
        found += QObject::disconnect(&manager, SIGNAL(signalStartUnsplit(NzbFiles*)), &manager,
                                     SLOT(unsplitStartSlot(NzbFiles*)));
        return found;
    };
    TestDownloadManager running;
    QCOMPARE(disconnectAll(running), 8);
    TestDownloadManager stopped;
    stopped.shutdown();
    QCOMPARE(disconnectAll(stopped), 0);
}

void tst_DownloadNzbManagerLifecycle::programExits_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("nothing in flight") << "idle";
    QTest::newRow("segments, par2 and unrar in flight") << "busy";
}

// A program that starts the manager, calls shutdown() and returns from main ends with exit code
// 0, with no thread of its own left and no outside program left running.
void tst_DownloadNzbManagerLifecycle::programExits()
{
    QFETCH(QString, mode);
    QTemporaryDir work;
    QVERIFY(work.isValid());
    QProcess program;
    program.start(qEnvironmentVariable("TQ_BIN_DIR") + QStringLiteral("/tq_manager_exit"), {mode, work.path()});
    QVERIFY2(program.waitForFinished(120000), "the program did not end");
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(program.exitStatus() == QProcess::NormalExit, qPrintable(err));
    QVERIFY2(program.exitCode() == 0, qPrintable(out + err));
    QVERIFY2(!err.contains(QLatin1String("QThread")), qPrintable(err));
    QVERIFY2(out.contains(QLatin1String("threads-left: 0 (")), qPrintable(out));
    if (mode == QLatin1String("busy"))
        QVERIFY2(out.contains(QLatin1String("stand-ins-gone: yes")), qPrintable(out));
    qInfo("%s", qPrintable(out.split(QLatin1Char('\n')).first()));
}

QTEST_GUILESS_MAIN(tst_DownloadNzbManagerLifecycle)
#include "tst_DownloadNzbManagerLifecycle.moc"
