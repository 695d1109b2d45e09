// The saved queue survives the process being killed at any moment of its writing.
//
// The test starts itself again as a child that rewrites a queue of 50 NZBs over and over, kills
// it with SIGKILL at varied moments, and then loads the queue: every NZB must come back once,
// from its record or from its backup. The child writes as the exit does (full rewrites), or as
// the window does while downloading (progress coalesced and written in the background, with a
// full background rewrite now and then, as after a reorder).
#include "config/AppConfiguration.h"
#include "config/NzbConfiguration.h"

#include "../model/NzbTestHelpers.h"
#include "TempHome.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

#include <signal.h>
#include <sys/prctl.h>

namespace {

const int QueueSize = 50;
const char ChildFlag[] = "--rewrite-queue-forever";
const char BackgroundFlag[] = "--background";

NzbFiles *makeQueuedNzb(int id)
{
    auto *nzb = new NzbFiles;
    nzb->iQueueId = id;
    nzb->strName = QStringLiteral("nzb-%1").arg(id);
    for (int i = 0; i < 8; ++i)
        nzb->addFile(makeFile(QStringLiteral("nzb-%1 file %2").arg(id).arg(i), 40, 700000));
    nzb->updateSizes();
    return nzb;
}

void changeProgress(NzbFiles *nzb, quint64 round)
{
    NzbFile *file = nzb->getFileAt(round % 8);
    file->setDecoded(!file->bDecoded);
    nzb->strArchivePassword = QString::number(round);
}

void announceFirstSave()
{
    std::fputs("saved\n", stdout);
    std::fflush(stdout);
}

// Child: HOME is inherited from the parent. Rewrites the queue until killed, with progress
// changing between rounds so that every round really replaces every file.
int rewriteQueueForever(bool background)
{
    // Never outlive the test, whatever happens to it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    NzbConfiguration configuration;
    for (int id = 0; id < QueueSize; ++id)
        configuration.listNzbFiles.append(makeQueuedNzb(id));
    if (background) {
        for (NzbFiles *nzb : qAsConst(configuration.listNzbFiles))
            configuration.saveInBackground(nzb);
        configuration.flushWrites();
    } else {
        configuration.saveAllNzbs();
    }
    announceFirstSave();
    for (quint64 round = 1;; ++round) {
        for (NzbFiles *nzb : qAsConst(configuration.listNzbFiles)) {
            changeProgress(nzb, round);
            if (background)
                configuration.scheduleSave(nzb);
        }
        if (!background)
            configuration.saveAllNzbs();
        else if (round % 16 == 0)
            configuration.saveAllInBackground();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

} // namespace

class tst_QueueCrash : public QObject
{
    Q_OBJECT

private slots:
    void everyNzbSurvivesAKill_data()
    {
        QTest::addColumn<bool>("background");
        QTest::addColumn<int>("delayMs");
        for (int delay : {0, 1, 3, 7, 13, 29, 61, 97, 150, 230})
            QTest::newRow(qPrintable(QStringLiteral("full rewrites, %1 ms").arg(delay))) << false << delay;
        for (int i = 0; i < 10; ++i)
            QTest::newRow(qPrintable(QStringLiteral("full rewrites, random %1").arg(i)))
                << false << int(QRandomGenerator::global()->bounded(250));
        for (int delay : {0, 3, 13, 61, 150})
            QTest::newRow(qPrintable(QStringLiteral("background, %1 ms").arg(delay))) << true << delay;
        for (int i = 0; i < 5; ++i)
            QTest::newRow(qPrintable(QStringLiteral("background, random %1").arg(i)))
                << true << int(QRandomGenerator::global()->bounded(250));
    }

    void everyNzbSurvivesAKill()
    {
        QFETCH(bool, background);
        QFETCH(int, delayMs);
        TempHome home;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{ChildFlag};
        if (background)
            arguments << BackgroundFlag;
        child.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(child.waitForStarted());
        // The first full save is complete before the kills count.
        QVERIFY(child.waitForReadyRead(30000));
        QCOMPARE(child.readLine(), QByteArray("saved\n"));
        if (delayMs > 0)
            QTest::qSleep(delayMs);
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        NzbConfiguration configuration;
        configuration.loadNzbs();
        QStringList names;
        for (const NzbFiles *nzb : qAsConst(configuration.listNzbFiles)) {
            names << nzb->strName;
            QCOMPARE(nzb->getFileCount(), qint64(8));
        }
        QStringList expected;
        for (int id = 0; id < QueueSize; ++id)
            expected << QStringLiteral("nzb-%1").arg(id);
        QCOMPARE(names, expected);
        qDeleteAll(configuration.listNzbFiles);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], ChildFlag) == 0)
        return rewriteQueueForever(argc > 2 && qstrcmp(argv[2], BackgroundFlag) == 0);
    tst_QueueCrash test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_QueueCrash.moc"
