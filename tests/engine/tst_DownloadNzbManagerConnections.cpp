// Two news servers of four connections each, driven through the manager without a window:
// an NZB downloaded byte for byte, articles missing on one server fetched from the other, a
// server that refuses the log-in, pause and resume, and stopping a server.
#include "ConnectionTestSupport.h"
#include "ProcessMemory.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(NntpTestServer::ConnectionFaults)

namespace {

using Faults = NntpTestServer::ConnectionFaults;
using Fault = NntpTestArticle::Fault;

QList<TestArticle> articles(int count, qint64 size, quint32 firstSeed)
{
    QList<TestArticle> list;
    for (int i = 0; i < count; ++i)
        list.append(TestArticle{size, firstSeed + static_cast<quint32>(i)});
    return list;
}

QString bodyCommand(const TestArticle &article)
{
    return QStringLiteral("BODY <%1>").arg(article.messageId());
}

} // namespace

class tst_DownloadNzbManagerConnections : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void threeFilesByteExact();
    void missingArticlesComeFromTheOtherServer();
    void refusedLogInLeavesWorkToTheOtherServer();
    void pauseDisconnectsAndResumeReconnects();
    void stopHandsTheRetryQueueBack();
    void stopInTheMiddleOfTransfers();
    void stopRequestsAreEachAnsweredOnce();
    void programExitsWithConnectionsInBodies();
    void endlessRepliesLeaveWorkToTheOtherServer_data();
    void endlessRepliesLeaveWorkToTheOtherServer();
    void endlessBodiesShareOneMemoryBudget();

private:
    QString folder() const { return work->path(); }
    void startBoth(DownloadNzbManager &manager, bool paused = false);

    NntpTestServer serverA;
    NntpTestServer serverB;
    std::unique_ptr<NntpServer> recordA;
    std::unique_ptr<NntpServer> recordB;
    std::unique_ptr<QTemporaryDir> work;
};

void tst_DownloadNzbManagerConnections::initTestCase()
{
    QVERIFY2(serverA.start(), qPrintable(serverA.errorString()));
    QVERIFY2(serverB.start(), qPrintable(serverB.errorString()));
}

void tst_DownloadNzbManagerConnections::init()
{
    work.reset(new QTemporaryDir);
    QVERIFY(work->isValid());
    for (NntpTestServer *server : {&serverA, &serverB}) {
        server->setDefaultConnectionFaults(Faults());
        server->setCredentials(QString(), QString());
        server->clearEvents();
    }
    recordA = serverRecord(1, QStringLiteral("A"), serverA, 4);
    recordB = serverRecord(2, QStringLiteral("B"), serverB, 4);
}

void tst_DownloadNzbManagerConnections::startBoth(DownloadNzbManager &manager, bool paused)
{
    QCOMPARE(manager.startServer(recordA.get(), paused), (QList<quint32>{0, 1, 2, 3}));
    QCOMPARE(manager.startServer(recordB.get(), paused), (QList<quint32>{4, 5, 6, 7}));
}

// Every segment of three files lands in its temporary file byte for byte, each article is
// fetched once, and the connections of the first server are 0 to 3, of the second 4 to 7.
void tst_DownloadNzbManagerConnections::threeFilesByteExact()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    const QList<QList<TestArticle>> files{articles(5, 120000, 10),
                                          {{2, 20}, {1000, 21}, {250000, 22}, {750000, 23}},
                                          articles(6, 50000, 30)};
    NzbFiles *nzb = queueGeneratedNzb(manager, folder(), QStringLiteral("three"), files);
    QVERIFY(nzb);
    startBoth(manager);
    const int segments = segmentsOf(nzb).size();
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == segments, 60000);

    QVERIFY2(log.badFiles.isEmpty(), qPrintable(log.badFiles.join(QLatin1Char(' '))));
    for (const NzbSegment *segment : segmentsOf(nzb)) {
        QVERIFY(segment->bDownloaded);
        QCOMPARE(log.downloads.value(segment->getMessageId()), 1);
    }
    QCOMPARE(serverEvents(serverA, QStringLiteral("BODY")) + serverEvents(serverB, QStringLiteral("BODY")), segments);
    QCOMPARE(threadIdsOf(manager), (QList<quint32>{0, 1, 2, 3, 4, 5, 6, 7}));
    QVERIFY(log.onlyGuiThread);
}

// Five articles missing on A are fetched from B, each once; one missing on both ends missing.
void tst_DownloadNzbManagerConnections::missingArticlesComeFromTheOtherServer()
{
    const QList<TestArticle> onlyOnB = articles(5, 40000, 100);
    for (const TestArticle &article : onlyOnB)
        serverA.addArticle(article.messageId(), QByteArray(), -1, Fault::Missing);
    const TestArticle nowhere{40000, 110, Fault::Missing};
    QList<TestArticle> list = articles(10, 40000, 120);
    list += onlyOnB;
    list.append(nowhere);
    std::rotate(list.begin(), list.begin() + 7, list.end()); // the special ones among the others

    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("fallback"), {list}));
    startBoth(manager);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == 15 && log.count(QStringLiteral("missing ")) == 1, 60000);

    int askedOnA = 0;
    for (const TestArticle &article : onlyOnB) {
        QCOMPARE(log.downloads.value(article.messageId()), 1);
        askedOnA += serverEvents(serverA, bodyCommand(article));
        QCOMPARE(serverEvents(serverB, bodyCommand(article)), 1);
    }
    QVERIFY(askedOnA <= onlyOnB.size());
    QCOMPARE(log.matching(QStringLiteral("missing ")), QStringList{QStringLiteral("missing ") + nowhere.messageId()});
    // Each refusal by A, and the article missing on both once per server.
    QCOMPARE(log.count(QStringLiteral("missing-on")), askedOnA + 2);
    QVERIFY(log.badFiles.isEmpty());
    QCOMPARE(log.count(QStringLiteral("exception")), 0);
}

// A server that refuses the log-in gets no article; the other downloads everything. Each of its
// connections reports the refusal once (and once more with a count when its wait reaches the cap).
void tst_DownloadNzbManagerConnections::refusedLogInLeavesWorkToTheOtherServer()
{
    serverB.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    Faults refusing;
    refusing.refuseLogin = true;
    serverB.setDefaultConnectionFaults(refusing);
    recordB = serverRecord(2, QStringLiteral("B"), serverB, 4, QStringLiteral("reader"), QStringLiteral("secret"));
    // B is slower to reach the server than A would be to take all the work otherwise.
    Faults slowA;
    slowA.throttleBytesPerSecond = 2000000;
    serverA.setDefaultConnectionFaults(slowA);

    TestDownloadManager manager;
    prepareManager(manager, folder(), 0.01);
    ConnectionLog log(manager);
    const QList<TestArticle> list = articles(40, 50000, 200);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("refused"), {list}));
    startBoth(manager);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == list.size(), 60000);

    QCOMPARE(serverEvents(serverB, QStringLiteral("BODY")), 0);
    QVERIFY(serverEvents(serverB, QStringLiteral("AUTHINFO PASS")) >= 4);
    const QString refusal = QStringLiteral("Error: Authentication failed/rejected (481): check the login and password of this server");
    for (quint32 id = 4; id <= 7; ++id) {
        const QStringList reports = log.matching(QStringLiteral("connect-error %1 ").arg(id));
        QVERIFY2(!reports.isEmpty() && reports.size() <= 2, qPrintable(reports.join(QLatin1Char('|'))));
        QCOMPARE(reports.first(), QStringLiteral("connect-error %1 %2").arg(id).arg(refusal));
    }
    QCOMPARE(log.count(QStringLiteral("connect-error 0")) + log.count(QStringLiteral("connect-error 1"))
                 + log.count(QStringLiteral("connect-error 2")) + log.count(QStringLiteral("connect-error 3")),
             0);
    QCOMPARE(log.count(QStringLiteral("missing")), 0);
}

// Pausing drops every server connection at the first pause pass; nothing is fetched while
// paused; resuming opens new connections and the download completes.
void tst_DownloadNzbManagerConnections::pauseDisconnectsAndResumeReconnects()
{
    Faults throttled;
    throttled.throttleBytesPerSecond = 1000000;
    serverA.setDefaultConnectionFaults(throttled);
    serverB.setDefaultConnectionFaults(throttled);

    TestDownloadManager manager;
    prepareManager(manager, folder(), 1.0); // the waits as the program has them
    ConnectionLog log(manager);
    const QList<TestArticle> list = articles(48, 100000, 300);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("pause"), {list}));
    startBoth(manager);
    QTRY_VERIFY_WITH_TIMEOUT(openServerConnections(serverA) == 4 && openServerConnections(serverB) == 4, 20000);

    QElapsedTimer clock;
    clock.start();
    manager.pauseAllThreads(true);
    QTRY_VERIFY_WITH_TIMEOUT(openServerConnections(serverA) == 0 && openServerConnections(serverB) == 0, 5000);
    qInfo("every connection closed %lld ms after the pause", clock.elapsed());
    // The reports travel through the GUI thread's queue: they may come a moment after the closes.
    const auto allPaused = [&log]() {
        for (quint32 id = 0; id < 8; ++id)
            if (log.count(QStringLiteral("paused %1").arg(id)) == 0)
                return false;
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(allPaused(), 5000);
    const int fetched = log.count(QStringLiteral("ok "));
    const int accepted = serverEvents(serverA, QStringLiteral("accept")) + serverEvents(serverB, QStringLiteral("accept"));
    QVERIFY(fetched < list.size());
    QTest::qWait(1500);
    QCOMPARE(log.count(QStringLiteral("ok ")), fetched);
    QCOMPARE(serverEvents(serverA, QStringLiteral("accept")) + serverEvents(serverB, QStringLiteral("accept")), accepted);

    manager.pauseAllThreads(false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == list.size(), 60000);
    QVERIFY(serverEvents(serverA, QStringLiteral("accept")) + serverEvents(serverB, QStringLiteral("accept")) > accepted);
    for (const TestArticle &article : list)
        QCOMPARE(log.downloads.value(article.messageId()), 1);
}

// Stopping a server answers once with its ids and tag, removes its retry queue and puts the
// segments that waited in it at the front of the global queue (in reverse order); the other
// server then downloads them.
void tst_DownloadNzbManagerConnections::stopHandsTheRetryQueueBack()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    const QList<TestArticle> list = articles(8, 30000, 400);
    NzbFiles *nzb = queueGeneratedNzb(manager, folder(), QStringLiteral("retry"), {list});
    QVERIFY(nzb);
    startBoth(manager, true);
    const QList<NzbSegment *> segments = segmentsOf(nzb);
    {
        // As if B had reported the first three missing: they wait for A.
        QMutexLocker queue(&manager.mutexSegments);
        QMutexLocker retry(&manager.mutexServerSegments);
        for (int i = 0; i < 3; ++i) {
            manager.listSegments.removeOne(segments.at(i));
            manager.hashServerSegments[1].append(segments.at(i));
        }
    }
    manager.slotStopThreads({0, 1, 2, 3}, 3);
    QTRY_VERIFY_WITH_TIMEOUT(log.stopped.size() == 1, 20000);
    QCOMPARE(log.stopped.first(), qMakePair(QList<quint32>{0, 1, 2, 3}, 3));
    QVERIFY(!manager.hashServerSegments.contains(1));
    QVERIFY(manager.hashServerSegments.contains(2));
    QCOMPARE(manager.listSegments.mid(0, 3), (QList<NzbSegment *>{segments.at(2), segments.at(1), segments.at(0)}));
    QCOMPARE(threadIdsOf(manager), (QList<quint32>{4, 5, 6, 7}));

    manager.pauseAllThreads(false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == list.size(), 60000);
    QCOMPARE(serverEvents(serverA, QStringLiteral("accept")), 0);
    QCOMPARE(log.stopped.size(), 1);

    // Ids are not given again: a restarted server gets new ones.
    QCOMPARE(manager.startServer(recordA.get(), false), (QList<quint32>{8, 9, 10, 11}));
}

// A server stopped while its connections are in the middle of bodies: the stop is answered at
// once, the transfers cut short go back to the queue, and every segment is still downloaded
// exactly once, by the other server.
void tst_DownloadNzbManagerConnections::stopInTheMiddleOfTransfers()
{
    Faults slow;
    slow.throttleBytesPerSecond = 200000;
    serverA.setDefaultConnectionFaults(slow);

    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    const QList<TestArticle> list = articles(24, 200000, 500);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("midway"), {list}));
    QCOMPARE(manager.startServer(recordA.get(), false), (QList<quint32>{0, 1, 2, 3}));
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("body ")) >= 4, 20000);
    QCOMPARE(manager.startServer(recordB.get(), false), (QList<quint32>{4, 5, 6, 7}));

    QElapsedTimer clock;
    clock.start();
    manager.slotStopThreads({0, 1, 2, 3}, 1);
    QTRY_VERIFY_WITH_TIMEOUT(log.stopped.size() == 1, 20000);
    qInfo("four connections in the middle of bodies stopped in %lld ms", clock.elapsed());
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == list.size(), 60000);

    for (const TestArticle &article : list)
        QCOMPARE(log.downloads.value(article.messageId()), 1);
    QCOMPARE(log.count(QStringLiteral("exception")), 0);
    QCOMPARE(log.count(QStringLiteral("missing")), 0);
    QVERIFY(log.badFiles.isEmpty());
    QCOMPARE(inProgressCount(manager), 0);
}

// Two requests naming the same connections are both answered, each once, when the last of them
// has ended; a request naming no running connection is answered at once.
void tst_DownloadNzbManagerConnections::stopRequestsAreEachAnsweredOnce()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    startBoth(manager, true);
    manager.slotStopThreads({4, 5}, 10);
    manager.slotStopThreads({5, 4, 6, 7, 6}, 11);
    manager.slotStopThreads({42}, 12);
    QCOMPARE(log.stopped, (QList<QPair<QList<quint32>, int>>{{{42}, 12}}));
    QTRY_VERIFY_WITH_TIMEOUT(log.stopped.size() == 3, 20000);
    QTest::qWait(200);
    QCOMPARE(log.stopped.size(), 3);
    QCOMPARE(log.stopped.at(1), qMakePair(QList<quint32>{4, 5}, 10));
    QCOMPARE(log.stopped.at(2), qMakePair(QList<quint32>{5, 4, 6, 7, 6}, 11));
    QCOMPARE(threadIdsOf(manager), (QList<quint32>{0, 1, 2, 3}));
    QVERIFY(!manager.hashServerSegments.contains(2));
    QVERIFY(manager.listStopRequestsPending.isEmpty() && manager.listStopRequests.isEmpty());
}

// A program whose four connections all wait in stalled bodies (two-minute time-out) exits with
// code 0 within seconds: shutdown cuts the bodies short instead of waiting out the time-out,
// and no thread is left behind.
void tst_DownloadNzbManagerConnections::programExitsWithConnectionsInBodies()
{
    QProcess program;
    program.start(qEnvironmentVariable("TQ_BIN_DIR") + QStringLiteral("/tq_connections_exit"), {folder()});
    QVERIFY2(program.waitForFinished(100000), "the program did not end before the socket time-out");
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(program.exitStatus() == QProcess::NormalExit, qPrintable(err));
    QVERIFY2(program.exitCode() == 0, qPrintable(out + err));
    QVERIFY2(out.contains(QLatin1String("bodies-under-way: 4\n")), qPrintable(out));
    QVERIFY2(out.contains(QLatin1String("threads-left: 0 (")), qPrintable(out));
    QVERIFY2(!err.contains(QLatin1String("QThread")), qPrintable(err));
    const QRegularExpressionMatch shutdown = QRegularExpression(QStringLiteral("shutdown-ms: (\\d+)")).match(out);
    QVERIFY2(shutdown.hasMatch(), qPrintable(out));
    // Well below the two-minute time-out the bodies would otherwise wait for.
    QVERIFY2(shutdown.captured(1).toInt() < 10000, qPrintable(out));
    qInfo("%s", qPrintable(out.trimmed().replace(QLatin1Char('\n'), QLatin1String("; "))));
}

void tst_DownloadNzbManagerConnections::endlessRepliesLeaveWorkToTheOtherServer_data()
{
    QTest::addColumn<Faults>("faults");
    QTest::addColumn<QString>("error");
    const QString longLine = QStringLiteral("Error: reply line longer than 65536 bytes");
    Faults f;
    f.greeting = NntpTestServer::Greeting::Endless;
    QTest::newRow("greeting without line feed") << f << longLine;
    f = Faults();
    f.helpText = NntpTestServer::HelpText::EndlessLine;
    QTest::newRow("HELP line without line feed") << f << longLine;
    f = Faults();
    f.helpText = NntpTestServer::HelpText::EndlessLines;
    QTest::newRow("HELP text without end") << f << QStringLiteral("Error: reply text longer than 1048576 bytes");
}

// A server whose greeting or HELP reply never ends is a server that cannot be opened: each of its
// connections reports it (and waits before the next try), takes little memory meanwhile, and the
// other server downloads everything.
void tst_DownloadNzbManagerConnections::endlessRepliesLeaveWorkToTheOtherServer()
{
    QFETCH(Faults, faults);
    QFETCH(QString, error);
    serverB.setDefaultConnectionFaults(faults);
    // A is slow enough for B's connections to try their server while work is left.
    Faults slowA;
    slowA.throttleBytesPerSecond = 2000000;
    serverA.setDefaultConnectionFaults(slowA);
    QVERIFY(ProcessMemory::resetPeak());

    TestDownloadManager manager;
    prepareManager(manager, folder(), 0.01);
    ConnectionLog log(manager);
    const QList<TestArticle> list = articles(40, 50000, 300);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("endless"), {list}));
    startBoth(manager);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == list.size(), 60000);

    QCOMPARE(serverEvents(serverB, QStringLiteral("BODY")), 0);
    for (quint32 id = 4; id <= 7; ++id) {
        const QStringList reports = log.matching(QStringLiteral("connect-error %1 ").arg(id));
        QVERIFY2(!reports.isEmpty(), qPrintable(log.entries.join(QLatin1Char('|'))));
        QCOMPARE(reports.first(), QStringLiteral("connect-error %1 %2").arg(id).arg(error));
    }
    QCOMPARE(log.count(QStringLiteral("missing")), 0);
    QCOMPARE(log.count(QStringLiteral("exception")), 0);
    const qint64 peak = ProcessMemory::peakBytes();
    QVERIFY2(peak < 256 * 1024 * 1024, qPrintable(QStringLiteral("peak memory %1 bytes").arg(peak)));
}

// Eight connections receive bodies without end, of articles that the NZB announces at 300 MB
// each: the bodies together stay within the memory that the process gives article bodies (the
// program stays below 512 MB), and each fails with its error instead of taking more.
void tst_DownloadNzbManagerConnections::endlessBodiesShareOneMemoryBudget()
{
    recordA = serverRecord(1, QStringLiteral("A"), serverA, 8);
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    QList<TestArticle> list;
    for (quint32 seed = 500; seed < 508; ++seed)
        list.append(TestArticle{300000000, seed, Fault::Endless});
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("huge"), {list}));
    QVERIFY(ProcessMemory::resetPeak());
    manager.startServer(recordA.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("exception")) >= 8, 120000);
    manager.stopAllThreads();
    const qint64 peak = ProcessMemory::peakBytes();

    const QString overBudget = QStringLiteral("Error : article bodies would take more than 268435456 bytes of memory");
    for (const QString &entry : log.matching(QStringLiteral("exception")))
        QVERIFY2(entry.endsWith(overBudget), qPrintable(entry));
    QVERIFY2(peak < 512 * 1024 * 1024, qPrintable(QStringLiteral("peak memory %1 bytes").arg(peak)));
    qInfo("%d bodies failed; peak memory of the process %lld MB", log.count(QStringLiteral("exception")), peak >> 20);
}

QTEST_GUILESS_MAIN(tst_DownloadNzbManagerConnections)
#include "tst_DownloadNzbManagerConnections.moc"
