// Segment hand-out and the download results, called the way the connection threads call
// them: getNextSegment from the connection, each result slot with what the connection reports.
#include "ManagerTestSupport.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const quint32 kServerA = 1;
const quint32 kServerB = 2;

enum class Result { Ok, Missing, Exception, Connect, CreateFile };

} // namespace

Q_DECLARE_METATYPE(Result)

class tst_DownloadNzbManagerResults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void emptyQueues();
    void creditedOnce();
    void lastResultQueuesFileOnce_data();
    void lastResultQueuesFileOnce();
    void missingGoesToNextServer();
    void missingWithOneServer();
    void serversSharingANickname();
    void repeatedRefusalEndsAsMissing_data();
    void repeatedRefusalEndsAsMissing();
    void connectFailuresNeverCount();
    void failureGoesToTheFront_data();
    void failureGoesToTheFront();
    void fileErrorPausesOnce();
    void resultsOfRemovedWork_data();
    void resultsOfRemovedWork();
    void retryOfRemovedNzbIsDropped();
    void neverHandedOutTwice();

private:
    NzbFiles *queue(const QStringList &files, quint64 bytes = 100);
    void report(Result result, NzbSegment *segment, quint32 server);

    std::unique_ptr<TestDownloadManager> manager;
};

void tst_DownloadNzbManagerResults::init()
{
    manager.reset(new TestDownloadManager);
}

void tst_DownloadNzbManagerResults::cleanup()
{
    manager.reset();
}

NzbFiles *tst_DownloadNzbManagerResults::queue(const QStringList &files, quint64 bytes)
{
    NzbFiles *nzb = buildNzb(QStringLiteral("N"), files, bytes);
    nzb->pTreeItem = fakeRow(1);
    QString error;
    manager->queueNzbFiles(nzb, error);
    return nzb;
}

void tst_DownloadNzbManagerResults::report(Result result, NzbSegment *segment, quint32 server)
{
    const QString nickname = QStringLiteral("server") + QString::number(server);
    switch (result) {
    case Result::Ok:
        manager->processDownload_OK(segment, server);
        break;
    case Result::Missing:
        manager->processDownload_ErrorMissingSegment(7, segment, QString(), nickname, server);
        break;
    case Result::Exception:
        manager->processDownload_ErrorException(segment, QStringLiteral("502 access denied"), server);
        break;
    case Result::Connect:
        manager->processDownload_ErrorFailedConnect(7, segment, QStringLiteral("Connection refused"));
        break;
    case Result::CreateFile:
        manager->processDownload_ErrorFailedCreateFile(segment, QString());
        break;
    }
}

void tst_DownloadNzbManagerResults::emptyQueues()
{
    QCOMPARE(manager->getNextSegment(kServerA), nullptr);
    manager->addServerQueue(kServerA);
    QCOMPARE(manager->getNextSegment(kServerA), nullptr);
}

void tst_DownloadNzbManagerResults::creditedOnce()
{
    NzbFiles *nzb = queue({"p", "pp"}, 700);
    QSignalSpy ok(manager.get(), &DownloadNzbManager::signalSegmentDownloadOK);
    NzbSegment *segment = manager->getNextSegment(kServerA);
    QCOMPARE(segmentName(segment), QStringLiteral("Nf0:1"));
    manager->processDownload_OK(segment, kServerA);
    manager->processDownload_OK(segment, kServerA);
    QCOMPARE(ok.size(), 1);
    QVERIFY(segment->bDownloaded);
    QCOMPARE(segment->getNzbFile()->uiDownloaded, quint64(700));
    QCOMPARE(nzb->uiDownloaded, quint64(700));
    QCOMPARE(decodeQueue(*manager), QStringLiteral("Nf0"));
    QCOMPARE(inProgressCount(*manager), 0);
    // Both transfers came from the server: its byte count has both.
    QCOMPARE(manager->hashServerNewBytes.value(kServerA), quint64(1400));
}

void tst_DownloadNzbManagerResults::lastResultQueuesFileOnce_data()
{
    QTest::addColumn<Result>("last");
    QTest::newRow("downloaded") << Result::Ok;
    QTest::newRow("missing everywhere") << Result::Missing;
}

void tst_DownloadNzbManagerResults::lastResultQueuesFileOnce()
{
    QFETCH(Result, last);
    queue({"ppp"});
    manager->addServerQueue(kServerA);
    NzbSegment *s1 = manager->getNextSegment(kServerA);
    NzbSegment *s2 = manager->getNextSegment(kServerA);
    NzbSegment *s3 = manager->getNextSegment(kServerA);
    report(Result::Ok, s1, kServerA);
    report(Result::Missing, s3, kServerA);
    QCOMPARE(decodeQueue(*manager), QString());
    report(last, s2, kServerA);
    QCOMPARE(decodeQueue(*manager), QStringLiteral("Nf0"));
    report(last, s2, kServerA);
    report(Result::Missing, s3, kServerA);
    QCOMPARE(decodeQueue(*manager), QStringLiteral("Nf0"));
}

// Missing on A: it goes to the front of B's retry queue, ahead of the global queue, and only
// B gets it; missing on B too: it is given up.
void tst_DownloadNzbManagerResults::missingGoesToNextServer()
{
    queue({"ppp"});
    manager->addServerQueue(kServerA);
    manager->addServerQueue(kServerB);
    QSignalSpy info(manager.get(), &DownloadNzbManager::signalInfoSegmentIsMissing);
    QSignalSpy missing(manager.get(), &DownloadNzbManager::signalSegmentIsMissing);

    NzbSegment *segment = manager->getNextSegment(kServerA);
    report(Result::Missing, segment, kServerA);
    QCOMPARE(info.size(), 1);
    QCOMPARE(info.at(0).at(0).value<quint32>(), quint32(7));
    QCOMPARE(missing.size(), 0);
    QCOMPARE(retryQueue(*manager, kServerB), QStringLiteral("Nf0:1"));
    QCOMPARE(segmentName(manager->getNextSegment(kServerA)), QStringLiteral("Nf0:2"));
    QCOMPARE(manager->getNextSegment(kServerB), segment);

    report(Result::Missing, segment, kServerB);
    QCOMPARE(info.size(), 2);
    QCOMPARE(missing.size(), 1);
    QVERIFY(segment->bMissing);
    QCOMPARE(segment->listServersTried, (QStringList{"server1", "server2"}));
    QCOMPARE(retryQueue(*manager, kServerA) + retryQueue(*manager, kServerB), QString());
    QCOMPARE(segmentName(manager->getNextSegment(kServerB)), QStringLiteral("Nf0:3"));
}

void tst_DownloadNzbManagerResults::missingWithOneServer()
{
    queue({"p"});
    manager->addServerQueue(kServerA);
    QStringList order;
    connect(manager.get(), &DownloadNzbManager::signalInfoSegmentIsMissing, this, [&] { order << "info"; });
    connect(manager.get(), &DownloadNzbManager::signalSegmentIsMissing, this, [&] { order << "missing"; });
    NzbSegment *segment = manager->getNextSegment(kServerA);
    report(Result::Missing, segment, kServerA);
    QCOMPARE(order, (QStringList{"info", "missing"}));
    QVERIFY(segment->bMissing);
    QCOMPARE(decodeQueue(*manager), QStringLiteral("Nf0"));
}

// Two accounts at one provider: one nickname, two servers. Each gets its try.
void tst_DownloadNzbManagerResults::serversSharingANickname()
{
    queue({"p"});
    manager->addServerQueue(kServerA);
    manager->addServerQueue(kServerB);
    NzbSegment *segment = manager->getNextSegment(kServerA);
    manager->processDownload_ErrorMissingSegment(0, segment, QString(), QStringLiteral("news"), kServerA);
    QCOMPARE(retryQueue(*manager, kServerB), QStringLiteral("Nf0:1"));
    QCOMPARE(manager->getNextSegment(kServerB), segment);
    manager->processDownload_ErrorMissingSegment(0, segment, QString(), QStringLiteral("news"), kServerB);
    QVERIFY(segment->bMissing);
    QCOMPARE(segment->listServersTried, QStringList{"news"});
}

void tst_DownloadNzbManagerResults::repeatedRefusalEndsAsMissing_data()
{
    QTest::addColumn<bool>("twoServers");
    QTest::newRow("one server") << false;
    QTest::newRow("two servers") << true;
}

// A refusal other than "no such article" (or a transfer cut short) puts the segment back at the
// front, but the third failure on one server counts as missing there.
void tst_DownloadNzbManagerResults::repeatedRefusalEndsAsMissing()
{
    QFETCH(bool, twoServers);
    queue({"pp"});
    manager->addServerQueue(kServerA);
    if (twoServers)
        manager->addServerQueue(kServerB);
    QSignalSpy exceptions(manager.get(), &DownloadNzbManager::signalSegmentDownloadException);
    NzbSegment *segment = nullptr;
    for (int attempt = 1; attempt < DownloadNzbManager::kMaxSegmentFailuresPerServer; ++attempt) {
        segment = manager->getNextSegment(kServerA);
        report(Result::Exception, segment, kServerA);
        QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:1 Nf0:2"));
    }
    QCOMPARE(manager->getNextSegment(kServerA), segment);
    report(Result::Exception, segment, kServerA);
    QCOMPARE(exceptions.size(), DownloadNzbManager::kMaxSegmentFailuresPerServer);
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:2"));
    if (twoServers) {
        QVERIFY(!segment->bMissing);
        QCOMPARE(retryQueue(*manager, kServerB), QStringLiteral("Nf0:1"));
        // B's failures are its own: two more leave it waiting, the third gives it up.
        for (int attempt = 1; attempt <= DownloadNzbManager::kMaxSegmentFailuresPerServer; ++attempt) {
            QCOMPARE(manager->getNextSegment(kServerB), segment);
            report(Result::Exception, segment, kServerB);
        }
    }
    QVERIFY(segment->bMissing);
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:2"));
}

// A server that cannot be reached says nothing about the article.
void tst_DownloadNzbManagerResults::connectFailuresNeverCount()
{
    queue({"p"});
    manager->addServerQueue(kServerA);
    NzbSegment *segment = nullptr;
    for (int attempt = 0; attempt < 10; ++attempt) {
        segment = manager->getNextSegment(kServerA);
        QVERIFY(segment);
        report(Result::Connect, segment, kServerA);
    }
    QVERIFY(!segment->bMissing);
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:1"));
}

void tst_DownloadNzbManagerResults::failureGoesToTheFront_data()
{
    QTest::addColumn<Result>("result");
    QTest::addColumn<QString>("signalName");
    QTest::newRow("failed connection") << Result::Connect << "signalSegmentErrorConnect";
    QTest::newRow("failed transfer") << Result::Exception << "signalSegmentDownloadException";
    QTest::newRow("temporary file") << Result::CreateFile << "signalSegmentFailedToCreateFile";
}

void tst_DownloadNzbManagerResults::failureGoesToTheFront()
{
    QFETCH(Result, result);
    QFETCH(QString, signalName);
    queue({"ppp"});
    QSignalSpy connectSpy(manager.get(), &DownloadNzbManager::signalSegmentErrorConnect);
    QSignalSpy exceptionSpy(manager.get(), &DownloadNzbManager::signalSegmentDownloadException);
    QSignalSpy fileSpy(manager.get(), &DownloadNzbManager::signalSegmentFailedToCreateFile);
    NzbSegment *first = manager->getNextSegment(kServerA);
    NzbSegment *second = manager->getNextSegment(kServerA);
    report(result, second, kServerA);
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:2 Nf0:3"));
    QCOMPARE(manager->getNextSegment(kServerA), second);
    QCOMPARE(connectSpy.size(), signalName == "signalSegmentErrorConnect" ? 1 : 0);
    QCOMPARE(exceptionSpy.size(), signalName == "signalSegmentDownloadException" ? 1 : 0);
    QCOMPARE(fileSpy.size(), signalName == "signalSegmentFailedToCreateFile" ? 1 : 0);
    QCOMPARE(manager->getNextSegment(kServerA), first->getNzbFile()->getSegments().at(2));
}

// A temporary file that cannot be written pauses every connection and says why, once, until
// the downloads are resumed.
void tst_DownloadNzbManagerResults::fileErrorPausesOnce()
{
    queue({"ppp"});
    QSignalSpy paused(manager.get(), &DownloadNzbManager::signalDownloadsPaused);
    NzbSegment *a = manager->getNextSegment(kServerA);
    NzbSegment *b = manager->getNextSegment(kServerA);
    manager->processDownload_ErrorFailedCreateFile(a, QStringLiteral("Error: failed to write temporary file"));
    manager->processDownload_ErrorFailedCreateFile(b, QString());
    QCOMPARE(paused.size(), 1);
    const QString reason = paused.at(0).at(0).toString();
    QVERIFY2(reason.contains(a->getTempFilePath()) && reason.contains("failed to write temporary file"), qPrintable(reason));
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:2 Nf0:1 Nf0:3"));
    QVERIFY(!a->bMissing && !b->bMissing);

    manager->pauseAllThreads(false);
    manager->processDownload_ErrorFailedCreateFile(manager->getNextSegment(kServerA), QString());
    QCOMPARE(paused.size(), 2);
}

void tst_DownloadNzbManagerResults::resultsOfRemovedWork_data()
{
    QTest::addColumn<Result>("result");
    QTest::addColumn<bool>("removeNzb");
    const QList<QPair<const char *, Result>> results{{"downloaded", Result::Ok},
                                                     {"missing", Result::Missing},
                                                     {"exception", Result::Exception},
                                                     {"connect", Result::Connect},
                                                     {"temporary file", Result::CreateFile}};
    for (const auto &result : results) {
        QTest::addRow("%s, NZB removed", result.first) << result.second << true;
        QTest::addRow("%s, file removed", result.first) << result.second << false;
    }
}

// A result for a segment whose NZB or file was removed meanwhile leaves the in-progress set,
// and a download still counts for the server's bytes, but nothing else happens.
void tst_DownloadNzbManagerResults::resultsOfRemovedWork()
{
    QFETCH(Result, result);
    QFETCH(bool, removeNzb);
    NzbFiles *nzb = queue({"pp", "p"}, 500);
    manager->addServerQueue(kServerA);
    manager->addServerQueue(kServerB);
    NzbSegment *segment = manager->getNextSegment(kServerA);
    nzb->getFileAt(0)->pTreeItem = fakeRow(5);
    if (removeNzb)
        manager->deleteNzbList({fakeRow(1)});
    else
        manager->deleteFilesList({fakeRow(5)});
    const QString before = globalQueue(*manager);

    QSignalSpy info(manager.get(), &DownloadNzbManager::signalInfoSegmentIsMissing);
    QList<std::shared_ptr<QSignalSpy>> others;
    for (const auto &signal : {&DownloadNzbManager::signalSegmentDownloadOK, &DownloadNzbManager::signalSegmentIsMissing})
        others << std::make_shared<QSignalSpy>(manager.get(), signal);
    others << std::make_shared<QSignalSpy>(manager.get(), &DownloadNzbManager::signalSegmentDownloadException);
    others << std::make_shared<QSignalSpy>(manager.get(), &DownloadNzbManager::signalSegmentFailedToCreateFile);
    others << std::make_shared<QSignalSpy>(manager.get(), &DownloadNzbManager::signalSegmentErrorConnect);
    others << std::make_shared<QSignalSpy>(manager.get(), &DownloadNzbManager::signalDownloadsPaused);

    report(result, segment, kServerA);
    QCOMPARE(inProgressCount(*manager), 0);
    QCOMPARE(globalQueue(*manager), before);
    QCOMPARE(retryQueue(*manager, kServerB), QString());
    QCOMPARE(decodeQueue(*manager), QString());
    for (const auto &spy : qAsConst(others))
        QCOMPARE(spy->size(), 0);
    QCOMPARE(info.size(), result == Result::Missing ? 1 : 0);
    QVERIFY(!segment->bDownloaded && !segment->bMissing);
    QCOMPARE(manager->hashServerNewBytes.value(kServerA), result == Result::Ok ? quint64(500) : quint64(0));
}

void tst_DownloadNzbManagerResults::retryOfRemovedNzbIsDropped()
{
    queue({"pp"});
    manager->addServerQueue(kServerA);
    manager->addServerQueue(kServerB);
    report(Result::Missing, manager->getNextSegment(kServerA), kServerA);
    QCOMPARE(retryQueue(*manager, kServerB), QStringLiteral("Nf0:1"));
    manager->deleteNzbList({fakeRow(1)});
    QCOMPARE(manager->getNextSegment(kServerB), nullptr);
    QCOMPARE(retryQueue(*manager, kServerB), QString());
    QCOMPARE(inProgressCount(*manager), 0);
}

// Late or repeated reports never put a segment back that is done or in a connection's hands.
void tst_DownloadNzbManagerResults::neverHandedOutTwice()
{
    queue({"pp"});
    manager->addServerQueue(kServerA);
    manager->addServerQueue(kServerB);
    NzbSegment *done = manager->getNextSegment(kServerA);
    report(Result::Ok, done, kServerA);
    report(Result::Exception, done, kServerA);
    report(Result::Connect, done, kServerA);
    QCOMPARE(globalQueue(*manager), QStringLiteral("Nf0:2"));

    NzbSegment *other = manager->getNextSegment(kServerA);
    report(Result::Missing, other, kServerA);
    report(Result::Missing, other, kServerA); // the same report twice
    QCOMPARE(retryQueue(*manager, kServerB), QStringLiteral("Nf0:2 Nf0:2"));
    QCOMPARE(manager->getNextSegment(kServerB), other);
    QCOMPARE(manager->getNextSegment(kServerB), nullptr);
    QCOMPARE(inProgressCount(*manager), 1);
    QCOMPARE(other->listServersTried, QStringList{"server1"});
}

QTEST_GUILESS_MAIN(tst_DownloadNzbManagerResults)
#include "tst_DownloadNzbManagerResults.moc"
