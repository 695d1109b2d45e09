// The queue record of a very large NZB while it downloads, through the main window.
//
// A generated NZB of 300,000 articles in 600 files is added to the window's queue (no server:
// nothing downloads); then a thread of its own reports each file decoded, one every 50 ms by
// default (--interval-ms N), the way a decoder thread does: its articles credited, the file marked
// decoded, the download manager's signalFileDecoded emitted and so queued to the window. Once
// every report is in, the benchmark waits for the record writes to end.
//
// Figures: the longest time the GUI thread spent at once in record work (the delivery of a
// decoded-file report to the window, or of the record writer's timer), the total of those
// times, and the bytes the process wrote (from the add of the NZB on, /proc/self/io) per byte of
// the record file.
#include "app/AppResources.h"
#include "app/AppStyle.h"
#include "app/MainWindow.h"
#include "app/ProgramStart.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kFiles = 600;
constexpr int kSegmentsPerFile = 500;

// Times every delivery of an event that is record work; an event delivered inside another one
// counts in the outer one.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    QObject *window = nullptr;
    QObject *writerTimer = nullptr;
    qint64 longestNs = 0;
    qint64 totalNs = 0;
    int deliveries = 0;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (inside || !isRecordWork(receiver, event))
            return QApplication::notify(receiver, event);
        inside = true;
        QElapsedTimer elapsed;
        elapsed.start();
        const bool result = QApplication::notify(receiver, event);
        const qint64 ns = elapsed.nsecsElapsed();
        inside = false;
        longestNs = qMax(longestNs, ns);
        totalNs += ns;
        ++deliveries;
        return result;
    }

private:
    bool isRecordWork(QObject *receiver, QEvent *event) const
    {
        if (QThread::currentThread() != thread())
            return false;
        return (receiver == window && event->type() == QEvent::MetaCall)
            || (receiver == writerTimer && event->type() == QEvent::Timer);
    }

    bool inside = false;
};

QByteArray generateNzb()
{
    QByteArray nzb;
    nzb.reserve(48 * 1024 * 1024);
    nzb += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
    for (int f = 0; f < kFiles; ++f) {
        const QByteArray name = "bench.part" + QByteArray::number(f + 1).rightJustified(3, '0') + ".rar";
        nzb += "<file poster=\"Bench Poster &lt;bench@test.invalid&gt;\" date=\"1700000000\" subject=\"["
               + QByteArray::number(f + 1) + "/" + QByteArray::number(kFiles) + "] - &quot;" + name
               + "&quot; yEnc (1/" + QByteArray::number(kSegmentsPerFile) + ")\">\n"
               + "<groups><group>alt.binaries.test</group></groups>\n<segments>\n";
        for (int s = 1; s <= kSegmentsPerFile; ++s)
            nzb += "<segment bytes=\"739674\" number=\"" + QByteArray::number(s) + "\">part" + QByteArray::number(s)
                   + "of" + QByteArray::number(kSegmentsPerFile) + "."
                   + QByteArray::number(quint64(f) * 1000003 + quint64(s) * 7919, 36).rightJustified(16, 'x')
                   + "@bench.test.invalid</segment>\n";
        nzb += "</segments>\n</file>\n";
    }
    return nzb + "</nzb>\n";
}

qint64 bytesWrittenByProcess()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

// Reports every file decoded, in order, as a decoder thread does.
class DecodeReporter : public QThread
{
public:
    DecodeReporter(NzbFiles *nzb, int intervalMs)
        : nzb(nzb), intervalMs(intervalMs)
    {
    }

protected:
    void run() override
    {
        DownloadNzbManager *manager = DownloadNzbManager::getInstance();
        for (NzbFile *file : nzb->getFiles()) {
            QThread::msleep(quint64(intervalMs));
            for (NzbSegment *segment : file->getSegments())
                segment->setDownloaded();
            file->bAllSegmentsProcessed = true;
            file->setDecoded(true);
            nzb->checkAllFilesDecoded();
            emit manager->signalFileDecoded(file);
        }
    }

private:
    NzbFiles *nzb;
    int intervalMs;
};

void processEventsFor(int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int intervalMs = 50;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--interval-ms") == 0)
            intervalMs = QByteArray(argv[i + 1]).toInt();
    }
    // The records go where the user's home is: on the disk, as the current folder is.
    QTemporaryDir home(QDir::current().filePath(QStringLiteral("queue_record-XXXXXX")));
    if (!home.isValid())
        return 1;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/.config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/.local/share")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path() + QStringLiteral("/.cache")));
    qputenv("TESSAQUILL_VERSION_URL", "http://127.0.0.1:1/version.txt");

    TimedApplication app(argc, argv);
    AppResources::initialize();
    QApplication::setStyle(AppStyle::create());
    ProgramStart::setIdentity();
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindow::systemTrayAvailable = [] { return false; };

    AppConfiguration *config = AppConfiguration::getInstance();
    const QString data = AppConfiguration::getDataFolder();
    config->autoDownloadNzb = true;
    config->autoSaveHistoNzb = false;
    config->autoSmartDownload = false;
    config->cacheFolder = data + QStringLiteral("/Cache");
    config->downloadFolder = data + QStringLiteral("/Download");
    config->destinationFolder = data + QStringLiteral("/Destination");

    const QString nzbPath = home.filePath(QStringLiteral("bench.nzb"));
    {
        QFile file(nzbPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(generateNzb()) < 0)
            return 1;
    }

    auto *window = new MainWindow;
    app.window = window;
    app.writerTimer = config->nzbConfiguration.findChild<QTimer *>(QStringLiteral("timerPendingSaves"));
    std::printf("writer timer found: %s\n", app.writerTimer ? "yes" : "no");

    const qint64 writtenBefore = bytesWrittenByProcess();
    QElapsedTimer adding;
    adding.start();
    window->addNzbFile(nzbPath, QStringLiteral("bench"), QString());
    const qint64 addMs = adding.elapsed();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    if (manager->listNzbFiles.isEmpty())
        return 1;
    NzbFiles *nzb = manager->listNzbFiles.last();
    std::printf("NZB added in %lld ms: %lld files\n", addMs, nzb->getFileCount());
    std::fflush(stdout);

    DecodeReporter reporter(nzb, intervalMs);
    QElapsedTimer reporting;
    reporting.start();
    reporter.start();
    while (!reporter.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    processEventsFor(500);
    const qint64 reportingMs = reporting.elapsed();
    config->nzbConfiguration.flushWrites();
    const qint64 writingMs = reporting.elapsed();

    const qint64 written = bytesWrittenByProcess() - writtenBefore;
    const qint64 recordBytes = QFileInfo(AppConfiguration::getNzbFolder() + QStringLiteral("/Nzb_0")).size();
    std::printf("reports: %d files every %d ms, over %lld ms; records on disk after %lld ms\n", kFiles, intervalMs,
                reportingMs, writingMs);
    std::printf("record-deliveries-timed: %d\n", app.deliveries);
    std::printf("record-size: %.1f MB\n", double(recordBytes) / 1e6);
    std::printf("record-bytes-written: %.1f MB\n", double(written) / 1e6);
    std::printf("record-gui-blocked-ms: %.1f ms\n", double(app.longestNs) / 1e6);
    std::printf("record-gui-total-ms: %.1f ms\n", double(app.totalNs) / 1e6);
    std::printf("record-bytes-written-per-record-byte: %.2f\n",
                recordBytes > 0 ? double(written) / double(recordBytes) : 0.0);
    std::fflush(stdout);
    // Freeing 300,000 articles and the window's rows is not what is measured.
    QDir(home.path()).removeRecursively();
    std::_Exit(0);
}
