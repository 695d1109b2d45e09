// One connection thread at work, driven through the manager against the test news server:
// the states it reports, each outcome of a transfer, pause, idle, a server that refuses the
// log-in, and a stop in the middle of a stalled body.
#include "ConnectionTestSupport.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TestArticle)

namespace {

using Faults = NntpTestServer::ConnectionFaults;
using Fault = NntpTestArticle::Fault;

const TestArticle Good{60000, 1};

// The accept times of the test server's connections, in order.
QList<qint64> acceptTimes(const NntpTestServer &server)
{
    QList<qint64> times;
    for (const NntpTestServer::Event &event : server.events())
        if (event.what == QLatin1String("accept"))
            times.append(event.atMs);
    return times;
}

} // namespace

class tst_ThreadNntp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void statusSequence_data();
    void statusSequence();
    void outcomes_data();
    void outcomes();
    void unwritableTemporaryFilePausesDownloads();
    void startedPausedNeverConnects();
    void pauseDropsTheConnection();
    void idleConnectionIsDroppedOnce();
    void refusedLogInBacksOffAndReportsOnce();
    void pauseEndsTheWaitAfterAFailedConnect();
    void stopDuringStalledBodyReturnsAtOnce();
    void serverClosingAfterEveryArticle();
    void loginWantedIsNoMissingArticle();

private:
    QString folder() const { return work->path(); }

    NntpTestServer server;
    std::unique_ptr<QTemporaryDir> work;
};

void tst_ThreadNntp::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
}

void tst_ThreadNntp::init()
{
    work.reset(new QTemporaryDir);
    QVERIFY(work->isValid());
    server.setDefaultConnectionFaults(Faults());
    server.setCredentials(QString(), QString());
    server.clearEvents();
}

void tst_ThreadNntp::statusSequence_data()
{
    QTest::addColumn<bool>("credentials");
    QTest::addColumn<QStringList>("opening");
    QTest::newRow("without credentials: HELP probe") << false << QStringList{"connect 0", "help 0"};
    QTest::newRow("with credentials: log-in") << true << QStringList{"connect 0"};
}

// A disconnected thread with one segment reports, in order: working, the drop of any previous
// connection, the opening (connecting from its start, then the HELP probe when there are no
// credentials), the accepted body, the result, then idle; each relay carries the thread id and
// arrives in the GUI thread.
void tst_ThreadNntp::statusSequence()
{
    QFETCH(bool, credentials);
    QFETCH(QStringList, opening);
    if (credentials)
        server.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));

    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("one"), {{Good}}));
    const auto record = credentials ? serverRecord(1, QStringLiteral("news"), server, 1, QStringLiteral("reader"),
                                                   QStringLiteral("secret"))
                                    : serverRecord(1, QStringLiteral("news"), server, 1);
    QCOMPARE(manager.startServer(record.get(), false), QList<quint32>{0});
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("idle 0")) > 0, 20000);

    const QString id = Good.messageId();
    const QStringList expected = QStringList{QStringLiteral("working 0"), QStringLiteral("disconnect 0")} + opening
                                 + QStringList{QStringLiteral("body 0 ") + id, QStringLiteral("ok ") + id,
                                               QStringLiteral("idle 0")};
    QCOMPARE(log.entries.mid(0, expected.size()), expected);
    QVERIFY(log.onlyGuiThread);
    QVERIFY(log.badFiles.isEmpty());
}

void tst_ThreadNntp::outcomes_data()
{
    QTest::addColumn<TestArticle>("article");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("connections");

    // A refusal other than "missing" and every transfer cut short drop the connection; after
    // three failures on the only server the segment counts as missing.
    QTest::newRow("430: missing, connection kept") << TestArticle{5000, 2, Fault::Missing} << QString() << 1;
    QTest::newRow("stall: silence") << TestArticle{300000, 3, Fault::Stall}
                                    << "Error : no answer from server since 1 seconds" << 4;
    QTest::newRow("drop: connection lost") << TestArticle{300000, 4, Fault::Drop} << "Error : disconnected from server" << 4;
    QTest::newRow("endless: over the cap") << TestArticle{1000, 5, Fault::Endless}
                                           << "Error : article body larger than 16777216 bytes" << 4;
    QTest::newRow("status line without end") << TestArticle{1000, 6, Fault::EndlessStatus}
                                             << "Error: reply line longer than 65536 bytes" << 4;
}

void tst_ThreadNntp::outcomes()
{
    QFETCH(TestArticle, article);
    QFETCH(QString, failure);
    QFETCH(int, connections);

    TestDownloadManager manager;
    prepareManager(manager, folder());
    manager.iSocketTimeout = 1500;
    ConnectionLog log(manager);
    NzbFiles *nzb = queueGeneratedNzb(manager, folder(), QStringLiteral("outcome"), {{article, Good}});
    QVERIFY(nzb);
    const auto record = serverRecord(1, QStringLiteral("news"), server, 1);
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ") + Good.messageId()) == 1, 60000);

    const QString id = article.messageId();
    QCOMPARE(log.count(QStringLiteral("missing ") + id), 1);
    if (failure.isEmpty()) {
        QCOMPARE(log.count(QStringLiteral("missing-on 0 ") + id), 1);
        QCOMPARE(log.count(QStringLiteral("exception")), 0);
    } else {
        const QString exception = QStringLiteral("exception %1 %2").arg(id, failure);
        QCOMPARE(log.matching(QStringLiteral("exception ") + id), (QStringList{exception, exception, exception}));
    }
    QCOMPARE(serverEvents(server, QStringLiteral("accept")), connections);
    QVERIFY(!QFile::exists(segmentsOf(nzb).first()->getTempFilePath()));
    QVERIFY(log.badFiles.isEmpty());
}

// A temporary file that cannot be made pauses every connection and says why; the segment waits
// at the front of the queue.
void tst_ThreadNntp::unwritableTemporaryFilePausesDownloads()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    QVERIFY(writeBytes(folder() + QStringLiteral("/plain-file"), "x"));
    manager.strCacheFolder = folder() + QStringLiteral("/plain-file/Cache");
    ConnectionLog log(manager);
    NzbFiles *nzb = queueGeneratedNzb(manager, folder(), QStringLiteral("nospace"), {{Good}});
    QVERIFY(nzb);
    const auto record = serverRecord(1, QStringLiteral("news"), server, 1);
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("paused 0")) > 0, 20000);

    QCOMPARE(log.matching(QStringLiteral("file-error")),
             QStringList{QStringLiteral("file-error %1 Error: failed to create temporary file").arg(Good.messageId())});
    QCOMPARE(log.count(QStringLiteral("downloads-paused")), 1);
    QCOMPARE(manager.listSegments, segmentsOf(nzb));
    QCOMPARE(log.count(QStringLiteral("body")), 0);
}

// A server started paused reports itself paused again and again and never connects until
// resumed.
void tst_ThreadNntp::startedPausedNeverConnects()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("paused"), {{Good}}));
    const auto record = serverRecord(1, QStringLiteral("news"), server, 2);
    QCOMPARE(manager.startServer(record.get(), true), (QList<quint32>{0, 1}));
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("paused 0")) >= 3 && log.count(QStringLiteral("paused 1")) >= 3, 20000);
    QCOMPARE(serverEvents(server, QStringLiteral("accept")), 0);
    QCOMPARE(log.count(QStringLiteral("working")), 0);

    manager.pauseAllThreads(false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == 1, 20000);
}

// A paused connection drops its server connection (reported between two "paused"), and the
// next segment after resuming opens a new one.
void tst_ThreadNntp::pauseDropsTheConnection()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    EngineWaits waits = manager.engineWaits();
    waits.idleDisconnectMs = 600000; // only the pause may drop it here
    manager.setEngineWaits(waits);
    ConnectionLog log(manager);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("first"), {{Good}}));
    const auto record = serverRecord(1, QStringLiteral("news"), server, 1);
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("idle 0")) == 1, 20000);
    QCOMPARE(openServerConnections(server), 1);

    log.entries.clear();
    manager.pauseAllThreads(true);
    QTRY_VERIFY_WITH_TIMEOUT(openServerConnections(server) == 0, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("paused 0")) >= 2, 20000);
    QCOMPARE(log.entries.mid(0, 3),
             (QStringList{QStringLiteral("paused 0"), QStringLiteral("disconnect 0"), QStringLiteral("paused 0")}));

    const TestArticle second{70000, 6};
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("second"), {{second}}));
    manager.pauseAllThreads(false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ") + second.messageId()) == 1, 20000);
    QCOMPARE(serverEvents(server, QStringLiteral("accept")), 2);
}

// Out of work, a connection reports idle once, drops its server connection after the idle wait
// and reports idle once more; nothing follows. A connection that never had work never connects.
void tst_ThreadNntp::idleConnectionIsDroppedOnce()
{
    TestDownloadManager manager;
    prepareManager(manager, folder()); // idle wait 500 ms
    ConnectionLog log(manager);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("idle"), {{Good}}));
    const auto record = serverRecord(1, QStringLiteral("news"), server, 1);
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == 1, 20000);
    const auto idleRecord = serverRecord(2, QStringLiteral("spare"), server, 1);
    manager.startServer(idleRecord.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(openServerConnections(server) == 0, 20000);
    QTest::qWait(4 * manager.engineWaits().idleDisconnectMs);

    const int ok = log.entries.indexOf(QStringLiteral("ok ") + Good.messageId());
    QStringList afterwards;
    for (const QString &entry : log.entries.mid(ok + 1))
        if (entry.endsWith(QLatin1String(" 0")))
            afterwards.append(entry);
    QCOMPARE(afterwards, (QStringList{QStringLiteral("idle 0"), QStringLiteral("disconnect 0"), QStringLiteral("idle 0")}));
    QCOMPARE(log.matching(QStringLiteral("idle 1")), QStringList{QStringLiteral("idle 1")});
    QCOMPARE(serverEvents(server, QStringLiteral("accept")), 1);
}

// A server that refuses the log-in is tried again and again, each wait twice the one before up
// to the cap; its error is reported once, then once more with its count when the wait reaches
// the cap. When the server takes the log-in again the segment is downloaded, never counted as
// failed meanwhile.
void tst_ThreadNntp::refusedLogInBacksOffAndReportsOnce()
{
    server.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    Faults refusing;
    refusing.refuseLogin = true;
    server.setDefaultConnectionFaults(refusing);

    TestDownloadManager manager;
    prepareManager(manager, folder(), 0.01); // 50 ms, doubling up to 600 ms
    ConnectionLog log(manager);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("refused"), {{Good}}));
    const auto record =
        serverRecord(1, QStringLiteral("news"), server, 1, QStringLiteral("reader"), QStringLiteral("secret"));
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(serverEvents(server, QStringLiteral("accept")) >= 8, 30000);

    const QString refusal = QStringLiteral("Error: Authentication failed/rejected (481): check the login and password of this server");
    QCOMPARE(log.matching(QStringLiteral("connect-error")),
             (QStringList{QStringLiteral("connect-error 0 ") + refusal,
                          QStringLiteral("connect-error 0 %1 (failed 5 times in a row; trying again every 0.6 s)").arg(refusal)}));
    // Every failed attempt tells the connection's row its error, its count and the next wait.
    const QStringList retries = log.matching(QStringLiteral("retry 0 "));
    const QList<int> retryWaits{50, 100, 200, 400, 600, 600, 600};
    QVERIFY(retries.size() >= retryWaits.size());
    for (int i = 0; i < retryWaits.size(); ++i)
        QCOMPARE(retries.at(i), QStringLiteral("retry 0 %1 %2 %3").arg(i + 1).arg(retryWaits.at(i)).arg(refusal));
    const QList<qint64> accepted = acceptTimes(server);
    const QList<qint64> waits{50, 100, 200, 400, 600, 600, 600};
    for (int i = 0; i + 1 < accepted.size() && i < waits.size(); ++i)
        QVERIFY2(accepted.at(i + 1) - accepted.at(i) >= waits.at(i),
                 qPrintable(QStringLiteral("attempt %1 came %2 ms after the one before, not after %3 ms")
                                .arg(i + 2).arg(accepted.at(i + 1) - accepted.at(i)).arg(waits.at(i))));

    server.setDefaultConnectionFaults(Faults());
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == 1, 20000);
    QCOMPARE(log.count(QStringLiteral("missing")), 0);
    QCOMPARE(log.count(QStringLiteral("exception")), 0);
}

// A connection that waits a minute before its next attempt shows a pause at once.
void tst_ThreadNntp::pauseEndsTheWaitAfterAFailedConnect()
{
    server.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    Faults refusing;
    refusing.refuseLogin = true;
    server.setDefaultConnectionFaults(refusing);

    TestDownloadManager manager;
    prepareManager(manager, folder());
    EngineWaits waits = manager.engineWaits();
    waits.failedConnectMs = 60000;
    waits.maxFailedConnectMs = 60000;
    manager.setEngineWaits(waits);
    ConnectionLog log(manager);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("waiting"), {{Good}}));
    const auto record =
        serverRecord(1, QStringLiteral("news"), server, 1, QStringLiteral("reader"), QStringLiteral("secret"));
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("connect-error 0")) == 1, 20000);
    manager.pauseAllThreads(true);
    // A paused connection reports itself paused at every pass of its pause loop: the first
    // report, long before the minute's wait is over, is what counts.
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("paused 0")) >= 1, 20000);
    QCOMPARE(serverEvents(server, QStringLiteral("accept")), 1);
}

// Stopping a connection that waits in the middle of a stalled body (with a long time-out)
// returns at once and the connection ends within a fraction of a second; the segment goes back
// to the global queue untried.
void tst_ThreadNntp::stopDuringStalledBodyReturnsAtOnce()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    manager.iSocketTimeout = 120000;
    ConnectionLog log(manager);
    const TestArticle stalled{500000, 7, Fault::Stall};
    NzbFiles *nzb = queueGeneratedNzb(manager, folder(), QStringLiteral("stalled"), {{stalled, Good}});
    QVERIFY(nzb);
    const auto record = serverRecord(1, QStringLiteral("news"), server, 1);
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("body 0 ") + stalled.messageId()) == 1, 20000);
    QTest::qWait(200);

    QElapsedTimer clock;
    clock.start();
    manager.slotStopThreads({0}, 7);
    const qint64 callMs = clock.elapsed();
    QTRY_VERIFY_WITH_TIMEOUT(log.stopped.size() == 1, 20000);
    qInfo("stop call: %lld ms; stop answered after %lld ms", callMs, clock.elapsed());

    QCOMPARE(log.stopped.first(), qMakePair(QList<quint32>{0}, 7));
    QCOMPARE(log.count(QStringLiteral("exception")), 0);
    QVERIFY(manager.listThreads.isEmpty());
    QCOMPARE(inProgressCount(manager), 0);
    QCOMPARE(manager.listSegments, segmentsOf(nzb));
    QVERIFY(!manager.hashServerSegments.contains(1));
    QVERIFY(!QFile::exists(segmentsOf(nzb).first()->getTempFilePath()));
}

// A server that closes the connection after each article: the next article finds the connection
// closed before any reply and goes over a new one at once, without a failure.
void tst_ThreadNntp::serverClosingAfterEveryArticle()
{
    Faults closing;
    closing.closeAfterBody = true;
    server.setDefaultConnectionFaults(closing);
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    QList<TestArticle> list;
    for (quint32 seed = 30; seed < 36; ++seed)
        list.append(TestArticle{20000, seed});
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("closing"), {list}));
    const auto record = serverRecord(1, QStringLiteral("news"), server, 1);
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == list.size(), 20000);

    QCOMPARE(log.count(QStringLiteral("exception")), 0);
    QCOMPARE(log.count(QStringLiteral("connect-error")), 0);
    QCOMPARE(serverEvents(server, QStringLiteral("accept")), list.size());
    QCOMPARE(serverEvents(server, QStringLiteral("BODY")), list.size());
    QVERIFY(log.badFiles.isEmpty());
}

// A server that wants a login, configured without one, answers BODY with 480: the connection
// fails as a refused log-in does (reported once, tried again later), the article goes back
// untouched, and nothing is counted missing or failed.
void tst_ThreadNntp::loginWantedIsNoMissingArticle()
{
    server.setCredentials(QStringLiteral("reader"), QStringLiteral("secret"));
    TestDownloadManager manager;
    prepareManager(manager, folder(), 0.01);
    ConnectionLog log(manager);
    NzbFiles *nzb = queueGeneratedNzb(manager, folder(), QStringLiteral("locked"), {{Good, TestArticle{30000, 2}}});
    QVERIFY(nzb);
    const auto record = serverRecord(1, QStringLiteral("news"), server, 1);
    manager.startServer(record.get(), false);
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("retry 0 ")) >= 4, 20000);

    const QString refusal = QStringLiteral("Error: the server requires a login (480 authentication required): check "
                                           "the login and password of this server");
    QCOMPARE(log.matching(QStringLiteral("connect-error")).first(), QStringLiteral("connect-error 0 ") + refusal);
    QCOMPARE(log.matching(QStringLiteral("retry 0 1 ")), QStringList{QStringLiteral("retry 0 1 50 ") + refusal});
    QCOMPARE(log.count(QStringLiteral("missing")), 0);
    QCOMPARE(log.count(QStringLiteral("exception")), 0);
    QCOMPARE(log.count(QStringLiteral("ok ")), 0);
    for (const NzbSegment *segment : segmentsOf(nzb))
        QVERIFY(!segment->bDownloaded && !segment->bMissing);

    // Once the server lets readers in without a login, the same connection delivers.
    server.setCredentials(QString(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ok ")) == 2, 20000);
    QCOMPARE(log.count(QStringLiteral("missing")), 0);
}

QTEST_GUILESS_MAIN(tst_ThreadNntp)
#include "tst_ThreadNntp.moc"
