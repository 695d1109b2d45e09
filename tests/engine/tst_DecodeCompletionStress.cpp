// Many small NZBs decoded by the manager's three decoder threads at once, so that files of one
// NZB finish in the same turn: every NZB must complete exactly once, with exactly one
// post-processing job or one end.
#include "DecodeTestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kNzbs = 150;
constexpr int kFilesPerNzb = 4;

} // namespace

class tst_DecodeCompletionStress : public QObject
{
    Q_OBJECT

private slots:
    void eachCompletionOnce();
};

void tst_DecodeCompletionStress::eachCompletionOnce()
{
    QTemporaryDir work;
    QVERIFY(work.isValid());
    TestDownloadManager manager(DownloadNzbManager::kFileDecoderCount);
    manager.bAutoUnrar = false;
    manager.bAutoUnsplit = false;
    QHash<NzbFiles *, int> finished;
    int filesDecoded = 0;
    connect(&manager, &DownloadNzbManager::signalNzbFinished, this, [&finished](NzbFiles *nzb) { ++finished[nzb]; });
    connect(&manager, &DownloadNzbManager::signalFileDecoded, this, [&filesDecoded](NzbFile *) { ++filesDecoded; });

    // Every other NZB holds a PAR2 index file: it gets a job (no tick runs here, so the jobs stay
    // queued); the others have nothing to run and end at once.
    QList<NzbFiles *> nzbs;
    for (int n = 0; n < kNzbs; ++n) {
        QList<PostedFile> files;
        for (int f = 0; f < kFilesPerNzb; ++f) {
            const QString name = (f == 0 && n % 2 == 0) ? QStringLiteral("set.par2") : QStringLiteral("file%1.bin").arg(f);
            files.append({"\"" + name + "\" yEnc",
                          {SegmentBodyWriter::yencSinglePart(name, SegmentBodyWriter::randomBytes(200, quint32(n * 10 + f)))}});
        }
        nzbs.append(downloadedNzb(QStringLiteral("N%1").arg(n), files, work.filePath(QStringLiteral("Cache")),
                                  work.filePath(QStringLiteral("Download/%1").arg(n)), n));
    }
    for (NzbFiles *nzb : qAsConst(nzbs)) {
        QString error;
        manager.queueNzbFiles(nzb, error);
    }
    QTRY_VERIFY_WITH_TIMEOUT(filesDecoded == kNzbs * kFilesPerNzb, 120000);
    QTest::qWait(200); // any late second report

    QHash<NzbFiles *, int> jobs;
    {
        QMutexLocker locker(&manager.mutexNzbToProcess);
        for (NzbToProcess *job : qAsConst(manager.listNzbToProcess))
            ++jobs[job->pNzbFiles];
    }
    for (int n = 0; n < kNzbs; ++n) {
        NzbFiles *nzb = nzbs.at(n);
        QVERIFY2(nzb->bAllFilesDecoded, qPrintable(nzb->strName));
        if (n % 2 == 0) {
            QVERIFY2(jobs.value(nzb) == 1 && !finished.contains(nzb),
                     qPrintable(QStringLiteral("%1: %2 jobs").arg(nzb->strName).arg(jobs.value(nzb))));
        } else {
            QVERIFY2(finished.value(nzb) == 1 && !jobs.contains(nzb),
                     qPrintable(QStringLiteral("%1: finished %2 times").arg(nzb->strName).arg(finished.value(nzb))));
        }
    }
    manager.stopFileDecoders();
}

QTEST_GUILESS_MAIN(tst_DecodeCompletionStress)
#include "tst_DecodeCompletionStress.moc"
