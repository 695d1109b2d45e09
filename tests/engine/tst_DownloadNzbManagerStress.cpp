// Sixteen connection threads of two servers take segments and report their results by queued
// signals, as the connection threads do, while the GUI thread reorders the queue, pauses and
// resumes files, removes NZBs and excludes files. Every segment must end downloaded or missing
// exactly once (or be dropped with its NZB or file), each article be fetched at most once, each
// file reach the decode queue once, and the run must end (no deadlock).
//
// Built with -fsanitize=thread (see tests/engine/tsan) the same run checks for data races.
#include "ManagerTestSupport.h"

#include "config/AppConfiguration.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <memory>
#include <mutex>

namespace {

const quint32 kServerA = 1;
const quint32 kServerB = 2;
const int kThreadsPerServer = 8;

// What the test's servers make of an article, from its message id.
enum class Kind { Fine, MissingOnA, MissingOnBoth, FailsOnce, RefusedByA, RefusedByBoth };

Kind kindOf(const NzbSegment *segment)
{
    const uint h = qHash(segment->getMessageId()) % 100;
    if (h < 80)
        return Kind::Fine;
    if (h < 85)
        return Kind::MissingOnA;
    if (h < 88)
        return Kind::MissingOnBoth;
    if (h < 93)
        return Kind::FailsOnce;
    if (h < 97)
        return Kind::RefusedByA;
    return Kind::RefusedByBoth;
}

bool endsMissing(Kind kind)
{
    return kind == Kind::MissingOnBoth || kind == Kind::RefusedByBoth;
}

// What the connections did, kept by the test.
struct Ledger {
    std::mutex mutex;
    QHash<NzbSegment *, int> attempts;
    QHash<NzbSegment *, int> fetched; // transfers that succeeded
};

// A connection thread of one server: takes segments from the manager and reports each result
// through queued signals, like the program's connection threads.
class FakeConnection : public QThread
{
    Q_OBJECT

public:
    FakeConnection(DownloadNzbManager *manager, quint32 serverId, Ledger *ledger, std::atomic<bool> *stop)
        : manager(manager), serverId(serverId), ledger(ledger), stop(stop)
    {
        connect(this, &FakeConnection::signalDownloadOK, manager, &DownloadNzbManager::processDownload_OK);
        connect(this, &FakeConnection::signalMissing, manager, &DownloadNzbManager::processDownload_ErrorMissingSegment);
        connect(this, &FakeConnection::signalException, manager, &DownloadNzbManager::processDownload_ErrorException);
    }

signals:
    void signalDownloadOK(NzbSegment *segment, quint32 serverId);
    void signalMissing(quint32 threadId, NzbSegment *segment, QString message, QString nickname, quint32 serverId);
    void signalException(NzbSegment *segment, QString message, quint32 serverId);

protected:
    void run() override
    {
        while (!stop->load()) {
            NzbSegment *segment = manager->getNextSegment(serverId);
            if (!segment)
                continue;
            QThread::usleep(100); // the transfer
            report(segment);
        }
    }

private:
    void report(NzbSegment *segment)
    {
        const Kind kind = kindOf(segment);
        const bool onA = serverId == kServerA;
        int attempt = 0;
        {
            std::lock_guard<std::mutex> lock(ledger->mutex);
            attempt = ++ledger->attempts[segment];
        }
        if (kind == Kind::MissingOnBoth || (kind == Kind::MissingOnA && onA)) {
            emit signalMissing(serverId, segment, QString(), QStringLiteral("news"), serverId);
        } else if (kind == Kind::RefusedByBoth || (kind == Kind::RefusedByA && onA) || (kind == Kind::FailsOnce && attempt == 1)) {
            emit signalException(segment, QStringLiteral("481 refused"), serverId);
        } else {
            {
                std::lock_guard<std::mutex> lock(ledger->mutex);
                ++ledger->fetched[segment];
            }
            emit signalDownloadOK(segment, serverId);
        }
    }

    DownloadNzbManager *manager;
    quint32 serverId;
    Ledger *ledger;
    std::atomic<bool> *stop;
};

} // namespace

class tst_DownloadNzbManagerStress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void connectionsAgainstQueueOperations();
};

void tst_DownloadNzbManagerStress::initTestCase()
{
    // The manager traces every failed segment to the debug output: thousands of lines here.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
}

void tst_DownloadNzbManagerStress::connectionsAgainstQueueOperations()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    AppConfiguration::getInstance()->autoSmartDownload = false;
    TestDownloadManager manager;
    manager.strCacheFolder = dir.filePath(QStringLiteral("Cache"));
    manager.strDownloadFolder = dir.filePath(QStringLiteral("Download"));
    manager.strDestinationFolder = dir.filePath(QStringLiteral("Destination"));

    // The big NZB (100 files of 100 segments) and three small ones that are reordered,
    // removed and thinned out around it.
    const auto addNzb = [&](const QString &tag, int files, int row) {
        QStringList subjects;
        for (int f = 0; f < files; ++f)
            subjects << QStringLiteral("%1 file%2.bin").arg(tag).arg(f, 3, 10, QLatin1Char('0'));
        const QString path = dir.filePath(tag + QStringLiteral(".nzb"));
        writeBytes(path, nzbDocument(subjects, 100, 1000, tag));
        QString error;
        NzbFiles *nzb = manager.loadNzbFile(path, error, tag, QString());
        nzb->pTreeItem = fakeRow(row);
        manager.queueNzbFiles(nzb, error);
        return nzb;
    };
    NzbFiles *big = addNzb(QStringLiteral("big"), 100, 1);
    NzbFiles *removedFirst = addNzb(QStringLiteral("x"), 10, 2);
    NzbFiles *thinned = addNzb(QStringLiteral("y"), 10, 3);
    NzbFiles *removedLater = addNzb(QStringLiteral("z"), 10, 4);
    const QList<NzbFiles *> all{big, removedFirst, thinned, removedLater};
    QList<NzbSegment *> segments;
    for (NzbFiles *nzb : all) {
        for (NzbFile *file : nzb->getFiles())
            segments += file->getSegments();
    }
    QCOMPARE(segments.size(), 13000);
    manager.addServerQueue(kServerA);
    manager.addServerQueue(kServerB);

    QHash<NzbSegment *, int> downloadedSignals;
    QHash<NzbSegment *, int> missingSignals;
    connect(&manager, &DownloadNzbManager::signalSegmentDownloadOK, this, [&](NzbSegment *s) { ++downloadedSignals[s]; });
    connect(&manager, &DownloadNzbManager::signalSegmentIsMissing, this, [&](NzbSegment *s) { ++missingSignals[s]; });

    Ledger ledger;
    std::atomic<bool> stop{false};
    QList<FakeConnection *> connections;
    for (int i = 0; i < 2 * kThreadsPerServer; ++i)
        connections << new FakeConnection(&manager, i % 2 ? kServerB : kServerA, &ledger, &stop);
    for (FakeConnection *connection : qAsConst(connections))
        connection->start();

    // The GUI thread's part: every 2 ms one more command of the download list.
    QList<NzbFile *> pausedFiles;
    QRandomGenerator random(12345);
    int step = 0;
    const int lastStep = 60;
    QTimer commands;
    connect(&commands, &QTimer::timeout, this, [&] {
        ++step;
        if (step == 5) {
            manager.deleteNzbList({fakeRow(2)});
        } else if (step == 9) {
            thinned->getFileAt(0)->pTreeItem = fakeRow(30);
            thinned->getFileAt(7)->pTreeItem = fakeRow(31);
            manager.deleteFilesList({fakeRow(30), fakeRow(31)});
        } else if (step == 13) {
            manager.deleteNzbList({fakeRow(4)});
        } else if (step % 3 == 0) {
            QList<QTreeWidgetItem *> rows;
            for (const NzbFiles *nzb : qAsConst(manager.listNzbFiles))
                rows.prepend(nzb->pTreeItem);
            manager.reorderNzbList(rows);
        } else if (step % 2 == 0 && step < lastStep) {
            for (int i = 0; i < 5; ++i) {
                NzbFile *file = big->getFileAt(random.bounded(100));
                file->bPaused = true;
                pausedFiles << file;
            }
            manager.pauseUnpauseFiles();
        } else {
            for (NzbFile *file : qAsConst(pausedFiles))
                file->bPaused = false;
            pausedFiles.clear();
            manager.pauseUnpauseFiles();
        }
        if (step >= lastStep && pausedFiles.isEmpty())
            commands.stop();
    });

    const auto isLive = [](const NzbSegment *s) {
        return !s->getNzbFile()->bExcluded && !s->getNzbFile()->getNzbFiles()->bDeleted;
    };
    const auto finished = [&] {
        if (commands.isActive())
            return false;
        {
            QMutexLocker locker(&manager.mutexSegments);
            if (!manager.listSegments.isEmpty() || !manager.listSegmentsInProgress.isEmpty())
                return false;
            QMutexLocker retry(&manager.mutexServerSegments);
            for (const QList<NzbSegment *> &queue : qAsConst(manager.hashServerSegments)) {
                for (const NzbSegment *s : queue) {
                    if (isLive(s))
                        return false;
                }
            }
        }
        for (const NzbSegment *s : qAsConst(segments)) {
            if (isLive(s) && !s->bDownloaded && !s->bMissing)
                return false;
        }
        return true;
    };

    QEventLoop loop;
    QTimer check;
    bool done = false;
    connect(&check, &QTimer::timeout, this, [&] {
        if (finished()) {
            done = true;
            loop.quit();
        }
    });
    // Not a speed test: a guard so that a deadlock fails the test instead of hanging it.
    QTimer::singleShot(300000, &loop, &QEventLoop::quit);
    commands.start(2);
    check.start(10);
    loop.exec();

    stop = true;
    for (FakeConnection *connection : qAsConst(connections))
        connection->wait();
    QCoreApplication::processEvents();
    qDeleteAll(connections);
    QVERIFY2(done, "the run did not end: a deadlock, or a segment that is never handed out again");

    std::lock_guard<std::mutex> ledgerLock(ledger.mutex);
    int downloaded = 0;
    int missing = 0;
    int dropped = 0;
    for (NzbSegment *s : qAsConst(segments)) {
        const int results = downloadedSignals.value(s) + missingSignals.value(s);
        QVERIFY2(ledger.fetched.value(s) <= 1, qPrintable(segmentName(s) + " fetched twice"));
        if (!isLive(s)) {
            QVERIFY2(results <= 1, qPrintable(segmentName(s)));
            dropped += results == 0;
            continue;
        }
        QVERIFY2(results == 1, qPrintable(segmentName(s) + QStringLiteral(" ended %1 times").arg(results)));
        QCOMPARE(s->bMissing, endsMissing(kindOf(s)));
        QCOMPARE(downloadedSignals.value(s), ledger.fetched.value(s));
        s->bMissing ? ++missing : ++downloaded;
    }
    QHash<NzbFile *, int> queuedForDecoding;
    for (NzbFile *file : qAsConst(manager.listFilesToDecode))
        ++queuedForDecoding[file];
    for (NzbFiles *nzb : all) {
        for (NzbFile *file : nzb->getFiles()) {
            if (!file->bExcluded && !nzb->bDeleted)
                QCOMPARE(queuedForDecoding.value(file), 1);
            else
                QVERIFY(queuedForDecoding.value(file) <= 1);
        }
    }
    qInfo("downloaded %d, missing %d, dropped with their NZB or file %d, reorders and pauses %d",
          downloaded, missing, dropped, step);
    QVERIFY(downloaded > 8000 && missing > 0 && dropped > 0);
}

QTEST_GUILESS_MAIN(tst_DownloadNzbManagerStress)
#include "tst_DownloadNzbManagerStress.moc"
