#include "postprocess/JobQueue.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <climits>
#include <memory>
#include <vector>

// The queue the post-processing workers sleep on. The consumers here wait without a time
// limit, so a job whose wake-up were lost would leave a consumer asleep with the job still
// queued: the test would then fail on its time-out instead of passing slowly.
namespace {

// After a failure: jobs until the consumer has ended, so that no thread is left running.
void releaseConsumer(JobQueue<int>& queue, QThread& consumer, int job)
{
    while (!consumer.wait(10))
        queue.add(job);
}

} // namespace

class tst_JobQueue : public QObject
{
    Q_OBJECT

private slots:
    void takeWithoutWaitOnEmptyQueue();
    void jobsComeOutInOrder();
    void waitingTakeWakesForEachJob();
    void everyJobAddedFromManyThreadsIsTakenOnce();
};

void tst_JobQueue::takeWithoutWaitOnEmptyQueue()
{
    JobQueue<int> queue;
    int job = -1;
    QVERIFY(!queue.take(job));
    QVERIFY(!queue.take(job, 1));
    QCOMPARE(job, -1);
    queue.add(7);
    queue.clear();
    QVERIFY(!queue.take(job));
}

void tst_JobQueue::jobsComeOutInOrder()
{
    JobQueue<int> queue;
    for (int i = 1; i <= 3; ++i)
        queue.add(i);
    int job = 0;
    for (int i = 1; i <= 3; ++i) {
        QVERIFY(queue.take(job, ULONG_MAX));
        QCOMPARE(job, i);
    }
    QVERIFY(!queue.take(job));
}

// One job at a time, each added while the consumer is asleep in take() or on its way back to
// it: every one wakes it.
void tst_JobQueue::waitingTakeWakesForEachJob()
{
    JobQueue<int> queue;
    const int kJobs = 2000;
    std::atomic<int> taken{0};
    std::atomic<bool> inOrder{true};
    std::unique_ptr<QThread> consumer(QThread::create([&] {
        int job = 0;
        while (taken.load() < kJobs) {
            if (queue.take(job, ULONG_MAX)) {
                if (job != taken.load())
                    inOrder = false;
                ++taken;
            }
        }
    }));
    consumer->start();
    for (int i = 0; i < kJobs; ++i) {
        queue.add(i);
        // Alternately wait for the job to be taken (the consumer then goes back to sleep) and
        // add the next one at once (it may not have reached its wait yet).
        if (i % 2 == 0) {
            const QDeadlineTimer deadline(30000);
            while (taken.load() != i + 1 && !deadline.hasExpired())
                QThread::yieldCurrentThread();
            if (taken.load() != i + 1)
                break;
        }
    }
    const bool woke = consumer->wait(30000);
    releaseConsumer(queue, *consumer, kJobs);
    QVERIFY2(woke, "a job was queued but the consumer slept on");
    QCOMPARE(taken.load(), kJobs);
    QVERIFY(inOrder);
}

void tst_JobQueue::everyJobAddedFromManyThreadsIsTakenOnce()
{
    JobQueue<int> queue;
    const int kProducers = 4;
    const int kJobsEach = 5000;
    std::vector<int> seen(kProducers * kJobsEach, 0);
    std::vector<int> lastOfProducer(kProducers, -1);
    bool inOrder = true;
    std::unique_ptr<QThread> consumer(QThread::create([&] {
        int job = 0;
        for (int count = 0; count < kProducers * kJobsEach;) {
            if (!queue.take(job, ULONG_MAX))
                continue;
            ++seen[size_t(job)];
            const int producer = job / kJobsEach;
            inOrder = inOrder && job > lastOfProducer[size_t(producer)];
            lastOfProducer[size_t(producer)] = job;
            ++count;
        }
    }));
    consumer->start();
    std::vector<std::unique_ptr<QThread>> producers;
    for (int p = 0; p < kProducers; ++p) {
        producers.emplace_back(QThread::create([&queue, p] {
            for (int i = 0; i < kJobsEach; ++i) {
                queue.add(p * kJobsEach + i);
                if (i % 16 == 0)
                    QThread::yieldCurrentThread();
            }
        }));
        producers.back()->start();
    }
    for (auto& producer : producers)
        QVERIFY(producer->wait(30000));
    const bool woke = consumer->wait(30000);
    releaseConsumer(queue, *consumer, 0);
    QVERIFY2(woke, "a job was queued but the consumer slept on");
    QVERIFY(inOrder);
    for (int count : seen)
        QCOMPARE(count, 1);
}

QTEST_GUILESS_MAIN(tst_JobQueue)
#include "tst_JobQueue.moc"
