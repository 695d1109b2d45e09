// The bandwidth limit and its shares, each connection's speed and the total, the rate that a
// limit holds, and the per-server byte counts with their files.
#include "ConnectionTestSupport.h"

#include "config/AppConfiguration.h"
#include "config/ServersConfiguration.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

using Faults = NntpTestServer::ConnectionFaults;

QList<TestArticle> articles(int count, qint64 size, quint32 firstSeed)
{
    QList<TestArticle> list;
    for (int i = 0; i < count; ++i)
        list.append(TestArticle{size, firstSeed + static_cast<quint32>(i)});
    return list;
}

QString histoPath(qint32 serverId)
{
    return ServersConfiguration::getHistoFolder() + QLatin1Char('/') + ServersConfiguration::serverFileName(serverId);
}

// The count a byte-count file holds; -1 when it cannot be read.
qint64 histoCount(qint32 serverId)
{
    QFile file(histoPath(serverId));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QDataStream stream(file.readAll());
    stream.setVersion(QDataStream::Qt_4_8);
    NntpServerHistoNbBytes histo;
    stream >> histo;
    return stream.status() == QDataStream::Ok ? histo.iCount : -1;
}

// A configured server for the length of a test.
class ConfiguredServer
{
public:
    ConfiguredServer(qint32 id, quint64 bytes)
    {
        server = new NntpServer;
        server->iId = id;
        server->uiBytesDownloaded = bytes;
        server->histoNbBytes.iCount = static_cast<qint64>(bytes);
        list().append(server);
    }
    ~ConfiguredServer()
    {
        list().removeOne(server);
        delete server;
    }
    NntpServer *server;

private:
    static QList<NntpServer *> &list() { return AppConfiguration::getInstance()->serversConfiguration.listServers; }
};

} // namespace

class tst_DownloadNzbManagerSpeeds : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void sharesOfTheLimit_data();
    void sharesOfTheLimit();
    void shareFollowsTheLiveConnections();
    void totalSpeedIsTheSumOfLiveConnections();
    void limitHoldsTheRate_data();
    void limitHoldsTheRate();
    void byteCountsHandedOverOncePerSecond();
    void countsReachTheServersAndTheirFiles();
    void filesWrittenAtMostEveryThreeSeconds();

private:
    QString folder() const { return work->path(); }

    NntpTestServer server;
    std::unique_ptr<QTemporaryDir> work;
};

void tst_DownloadNzbManagerSpeeds::initTestCase()
{
    QVERIFY2(server.start(), qPrintable(server.errorString()));
}

void tst_DownloadNzbManagerSpeeds::init()
{
    work.reset(new QTemporaryDir);
    QVERIFY(work->isValid());
    server.setDefaultConnectionFaults(Faults());
    server.clearEvents();
}

void tst_DownloadNzbManagerSpeeds::sharesOfTheLimit_data()
{
    QTest::addColumn<int>("connections");
    QTest::addColumn<quint64>("limitAtStart");
    QTest::addColumn<qint64>("limitSetAfter"); // -1: none
    QTest::addColumn<quint64>("share");

    QTest::newRow("100 KiB/s over ten: the floor") << 10 << quint64(102400) << qint64(-1) << quint64(15360);
    QTest::newRow("1 MiB/s over four: a quarter") << 4 << quint64(1048576) << qint64(-1) << quint64(262144);
    QTest::newRow("no limit: none given") << 4 << quint64(0) << qint64(-1) << quint64(0);
    QTest::newRow("500000 set over four") << 4 << quint64(0) << qint64(500000) << quint64(125000);
    QTest::newRow("20 KiB/s set over three: the floor") << 3 << quint64(0) << qint64(20480) << quint64(15360);
    QTest::newRow("0 set removes the limit") << 4 << quint64(400000) << qint64(0) << quint64(0);
}

void tst_DownloadNzbManagerSpeeds::sharesOfTheLimit()
{
    QFETCH(int, connections);
    QFETCH(quint64, limitAtStart);
    QFETCH(qint64, limitSetAfter);
    QFETCH(quint64, share);

    TestDownloadManager manager;
    prepareManager(manager, folder());
    manager.setBandwidthLimit(limitAtStart);
    const auto record = serverRecord(1, QStringLiteral("news"), server, connections);
    manager.startServer(record.get(), true);
    if (limitSetAfter >= 0)
        manager.setBandwidthLimit(static_cast<quint64>(limitSetAfter));
    QCOMPARE(speedLimitsOf(manager), QVector<quint64>(connections, share).toList());
}

// When connections stop the others share the limit again; new ones get their share too.
void tst_DownloadNzbManagerSpeeds::shareFollowsTheLiveConnections()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    manager.setBandwidthLimit(100000);
    const auto a = serverRecord(1, QStringLiteral("A"), server, 2);
    const auto b = serverRecord(2, QStringLiteral("B"), server, 2);
    manager.startServer(a.get(), true);
    manager.startServer(b.get(), true);
    QCOMPARE(speedLimitsOf(manager), (QList<quint64>{25000, 25000, 25000, 25000}));
    manager.slotStopThreads({0, 1}, 0);
    QTRY_COMPARE_WITH_TIMEOUT(log.stopped.size(), 1, 20000);
    QCOMPARE(speedLimitsOf(manager), (QList<quint64>{50000, 50000}));
    manager.startServer(a.get(), true);
    QCOMPARE(speedLimitsOf(manager), (QList<quint64>{25000, 25000, 25000, 25000}));
}

// The total is the sum of the last speeds of the connections that exist: one that has not
// reported adds nothing, one that has ended no longer counts.
void tst_DownloadNzbManagerSpeeds::totalSpeedIsTheSumOfLiveConnections()
{
    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    const auto record = serverRecord(1, QStringLiteral("news"), server, 3);
    manager.startServer(record.get(), true);
    // The test reports the speeds itself; the samplers' reports (0 once a second) are cut off.
    for (ThreadNntp *thread : qAsConst(manager.listThreads))
        QVERIFY(disconnect(thread, &ThreadNntp::signalAverageSpeed, &manager, &DownloadNzbManager::setThreadSpeed));
    QSignalSpy speeds(&manager, &DownloadNzbManager::signalThreadCurrentSpeedBytesPerSec);
    manager.setThreadSpeed(100, 0);
    manager.setThreadSpeed(250, 1);
    manager.setThreadSpeed(999, 77);
    manager.computeAverageSpeed();
    QCOMPARE(quint64(manager.uiTotalSpeed), quint64(350));
    QCOMPARE(speeds.at(1), (QList<QVariant>{QVariant::fromValue(quint64(250)), QVariant::fromValue(quint32(1))}));

    manager.slotStopThreads({1}, 0);
    QTRY_COMPARE_WITH_TIMEOUT(log.stopped.size(), 1, 20000);
    manager.computeAverageSpeed();
    QCOMPARE(quint64(manager.uiTotalSpeed), quint64(100));
    QCOMPARE(manager.hashThreadSpeed.value(1), quint64(250));
}

void tst_DownloadNzbManagerSpeeds::limitHoldsTheRate_data()
{
    QTest::addColumn<quint64>("limit");
    QTest::addColumn<qint64>("articleSize");
    QTest::addColumn<quint64>("expectedRate");
    QTest::addColumn<quint64>("share");
    QTest::newRow("2.4 MB/s over eight") << quint64(2400000) << qint64(30000) << quint64(2400000) << quint64(300000);
    // The floor lets eight connections together take more than a low limit.
    QTest::newRow("64 KiB/s over eight: the floor") << quint64(65536) << qint64(4000) << quint64(8 * 15360) << quint64(15360);
}

// Two servers of four connections under a limit: over five seconds the connections together
// receive within 20 % of what their shares allow, each share respects the floor, and the total
// speed is the sum of the connections' speeds.
void tst_DownloadNzbManagerSpeeds::limitHoldsTheRate()
{
    QFETCH(quint64, limit);
    QFETCH(qint64, articleSize);
    QFETCH(quint64, expectedRate);
    QFETCH(quint64, share);

    TestDownloadManager manager;
    prepareManager(manager, folder());
    ConnectionLog log(manager);
    QElapsedTimer clock;
    QList<QPair<qint64, qint64>> received; // ms since the start, bytes on the wire
    const qint64 onWire = NntpTestArticle::wireBody(NntpTestArticle::generatedBody(articleSize, 900)).size();
    connect(&manager, &DownloadNzbManager::signalSegmentDownloadOK, this,
            [&](NzbSegment *) { received.append(qMakePair(clock.elapsed(), onWire)); });
    const int count = static_cast<int>(expectedRate * 8 / static_cast<quint64>(articleSize)) + 16;
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("limited"), {articles(count, articleSize, 900)}));
    manager.setBandwidthLimit(limit);
    const auto a = serverRecord(1, QStringLiteral("A"), server, 4);
    const auto b = serverRecord(2, QStringLiteral("B"), server, 4);
    clock.start();
    manager.startServer(a.get(), false);
    manager.startServer(b.get(), false);
    QCOMPARE(speedLimitsOf(manager), QVector<quint64>(8, share).toList());

    QTest::qWait(6500);
    qint64 bytes = 0;
    for (const auto &entry : qAsConst(received))
        bytes += (entry.first >= 1000 && entry.first < 6000) ? entry.second : 0;
    const double rate = bytes / 5.0;
    qInfo("limit %llu B/s, shares %llu B/s: %.0f B/s over five seconds", limit, share, rate);
    QVERIFY2(rate > expectedRate * 0.8 && rate < expectedRate * 1.2, qPrintable(QString::number(rate)));

    // Taken between two samples of the connections: the total equals the sum.
    bool equal = false;
    quint64 sum = 0;
    for (int attempt = 0; attempt < 50 && !equal; ++attempt) {
        {
            QMutexLocker threads(&manager.mutexThreads);
            QMutexLocker speeds(&manager.mutexThreadSpeed);
            sum = 0;
            for (const ThreadNntp *thread : qAsConst(manager.listThreads))
                sum += manager.hashThreadSpeed.value(thread->uiThreadId);
        }
        manager.computeAverageSpeed();
        equal = manager.uiTotalSpeed == sum;
    }
    QVERIFY2(equal, qPrintable(QStringLiteral("total %1, sum %2").arg(quint64(manager.uiTotalSpeed)).arg(sum)));
    QVERIFY(sum > 0);
    QVERIFY(log.badFiles.isEmpty());
}

// Once a second the counts of the servers that received bytes go out together and are zeroed;
// three segments of one server make one count, their declared sizes summed.
void tst_DownloadNzbManagerSpeeds::byteCountsHandedOverOncePerSecond()
{
    TestDownloadManager manager;
    NzbFiles *nzb = buildNzb(QStringLiteral("bytes"), {QStringLiteral("pppp")}, 100);
    QString error;
    manager.queueNzbFiles(nzb, error);
    const QList<NzbSegment *> segments = segmentsOf(nzb);
    QSignalSpy handed(&manager, &DownloadNzbManager::signalNewBytesDownloaded);

    manager.computeServerNewBytes();
    QCOMPARE(handed.count(), 0);
    for (int i = 0; i < 3; ++i)
        manager.processDownload_OK(segments.at(i), 2);
    manager.processDownload_OK(segments.at(3), 5);
    manager.computeServerNewBytes();
    QCOMPARE(handed.count(), 1);
    QMap<quint32, quint64> counts;
    const QList<quint32> ids = handed.first().at(0).value<QList<quint32>>();
    const QList<quint64> bytes = handed.first().at(1).value<QList<quint64>>();
    QCOMPARE(ids.size(), bytes.size());
    for (int i = 0; i < ids.size(); ++i)
        counts.insert(ids.at(i), bytes.at(i));
    QCOMPARE(counts, (QMap<quint32, quint64>{{2, 300}, {5, 100}}));
    QCOMPARE(manager.hashServerNewBytes.value(2), quint64(0));
    manager.computeServerNewBytes();
    QCOMPARE(handed.count(), 1);
}

// The counts reach each configured server's counters; a server no longer configured is left
// out; a save writes the byte-count file of each server that received bytes, once.
void tst_DownloadNzbManagerSpeeds::countsReachTheServersAndTheirFiles()
{
    ConfiguredServer configured(41, 1000);
    ThreadComputeServerNewBytes saver;
    saver.slotNewBytesDownloaded({41, 49}, {500, 70});
    QCOMPARE(configured.server->uiBytesDownloaded, quint64(1500));
    QCOMPARE(configured.server->histoNbBytes.iCount, qint64(1500));
    QCOMPARE(saver.listServersToSave, QList<quint32>{41});

    saver.slotSaveServersNewBytes();
    QCOMPARE(histoCount(41), qint64(1500));
    QVERIFY(!QFile::exists(histoPath(49)));
    QVERIFY(saver.listServersToSave.isEmpty());
    QFile::remove(histoPath(41));
    saver.slotSaveServersNewBytes();
    QVERIFY(!QFile::exists(histoPath(41)));
}

// With the manager's thread running, a server that receives bytes all the time has its
// byte-count file written no more often than every three seconds, and in the end it holds every
// byte received.
void tst_DownloadNzbManagerSpeeds::filesWrittenAtMostEveryThreeSeconds()
{
    ConfiguredServer configured(43, 0);
    QFile::remove(histoPath(43));
    Faults throttled;
    throttled.throttleBytesPerSecond = 150000;
    server.setDefaultConnectionFaults(throttled);

    TestDownloadManager manager;
    prepareManager(manager, folder());
    manager.setEngineWaits(EngineWaits()); // the save every 3000 ms as the program has it
    ConnectionLog log(manager);
    const QList<TestArticle> list = articles(100, 20000, 950);
    QVERIFY(queueGeneratedNzb(manager, folder(), QStringLiteral("counted"), {list}));
    manager.start();
    const auto record = serverRecord(43, QStringLiteral("counted"), server, 2);
    manager.startServer(record.get(), false);

    QElapsedTimer clock;
    clock.start();
    QList<qint64> writes; // ms of each new file seen
    struct stat previous {};
    while (log.count(QStringLiteral("ok ")) < list.size() && clock.elapsed() < 60000) {
        struct stat now {};
        if (::stat(QFile::encodeName(histoPath(43)).constData(), &now) == 0
            && (now.st_ino != previous.st_ino || now.st_mtim.tv_nsec != previous.st_mtim.tv_nsec
                || now.st_mtim.tv_sec != previous.st_mtim.tv_sec)) {
            writes.append(clock.elapsed());
            previous = now;
        }
        QTest::qWait(10);
    }
    QCOMPARE(log.count(QStringLiteral("ok ")), list.size());
    const qint64 total = 20000LL * list.size();
    QTRY_COMPARE_WITH_TIMEOUT(histoCount(43), total, 10000);
    QCOMPARE(configured.server->uiBytesDownloaded, quint64(total));

    // The saves come from a periodic timer through the main thread, whose delay under load
    // shortens one gap by what it lengthened the one before: their number is bounded, not
    // each gap (a save on every count would make dozens).
    QVERIFY2(writes.size() >= 2, qPrintable(QStringLiteral("%1 writes seen").arg(writes.size())));
    const qint64 span = writes.last() - writes.first();
    QVERIFY2(writes.size() - 1 <= span / 2900 + 1,
             qPrintable(QStringLiteral("%1 writes in %2 ms").arg(writes.size()).arg(span)));
}

QTEST_GUILESS_MAIN(tst_DownloadNzbManagerSpeeds)
#include "tst_DownloadNzbManagerSpeeds.moc"
