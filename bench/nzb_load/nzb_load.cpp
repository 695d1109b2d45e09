// Parses a generated NZB of 100,000 segments, sorts and prepares it, writes it back; then adds a
// generated NZB of 300,000 articles to the main window (offscreen) as a user does.
// Prints the XML parse rate (per second of this thread's CPU time), the peak resident memory per
// segment, and for the window: the time the addition takes, the time its queue record takes to
// write, the longest time the window's thread did not handle its events meanwhile
// (gui-blocked-ms) and the peak resident memory.
#include "app/MainWindow.h"
#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"

#include "GuiTestHome.h"
#include "WindowTestFixture.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

constexpr int kFiles = 200;
constexpr int kSegmentsPerFile = 500;
// The NZB added to the window: 300,000 articles.
constexpr int kWindowFiles = 600;

QByteArray generateNzb(int files = kFiles)
{
    QByteArray nzb;
    nzb.reserve(24 * 1024 * 1024);
    nzb += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE nzb PUBLIC \"-//newzBin//DTD NZB 1.1//EN\" \"http://www.newzbin.com/DTD/nzb/nzb-1.1.dtd\">\n"
           "<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n"
           "  <head><meta type=\"title\">Benchmark</meta></head>\n";
    for (int f = 0; f < files; ++f) {
        const QByteArray name = (f % 10 == 9) ? "bench.vol" + QByteArray::number(f) + "+01.par2"
                                              : "bench.part" + QByteArray::number(f).rightJustified(3, '0') + ".rar";
        nzb += "  <file poster=\"Bench Poster &lt;bench@test.invalid&gt;\" date=\"1700000000\" subject=\"[" + QByteArray::number(f + 1)
               + "/" + QByteArray::number(files) + "] - &quot;" + name + "&quot; yEnc (1/" + QByteArray::number(kSegmentsPerFile)
               + ") 358400000\">\n    <groups>\n      <group>alt.binaries.test</group>\n"
                 "      <group>alt.binaries.misc</group>\n    </groups>\n    <segments>\n";
        for (int s = 1; s <= kSegmentsPerFile; ++s) {
            nzb += "      <segment bytes=\"739674\" number=\"" + QByteArray::number(s) + "\">"
                   + "part" + QByteArray::number(s) + "of" + QByteArray::number(kSegmentsPerFile) + "."
                   + QByteArray::number(quint64(f) * 1000003 + quint64(s) * 7919, 36).rightJustified(32, 'x')
                   + QByteArray::number(qHash(f * 7919 + s), 36).rightJustified(8, 'q')
                   + "$bench$" + QByteArray::number(f, 10).rightJustified(6, '0')
                   + "@powerpost2000.benchmark-posting-host.test.invalid</segment>\n";
        }
        nzb += "    </segments>\n  </file>\n";
    }
    nzb += "</nzb>\n";
    return nzb;
}

// Resident memory now, or its peak so far, in KiB.
long residentKiB(const char *key = "VmRSS:")
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    }
    return 0;
}

// CPU time of this thread: the figures hold on a machine busy with other work.
class CpuTimer
{
public:
    void start() { startNs = now(); }
    qint64 restart()
    {
        const qint64 elapsed = nsecsElapsed();
        start();
        return elapsed;
    }
    qint64 nsecsElapsed() const { return now() - startNs; }

private:
    static qint64 now()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
    }
    qint64 startNs = 0;
};

// Lets VmHWM measure from here on.
void resetPeakResident()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

struct WindowLoad
{
    double loadMs = 0;
    double blockedMs = 0;
    double recordMs = 0;
    long peakKiB = 0;
    qint64 documentBytes = 0;
    int articles = 0;
};

// The NZB goes to the main window through addNzbFile, to the default destination without a
// question; a timer of 1 ms in the window's thread stamps every pass of its event loop, and the
// longest stretch without a stamp is the time the window could not answer.
WindowLoad addToWindow()
{
    WindowLoad result;
    GuiTestHome home;
    WindowTestFixture::setUpApplication();
    WindowTestFixture::resetConfiguration(home);
    AppConfiguration::getInstance()->autoSmartDownload = true;
    const QString path = home.path() + QStringLiteral("/bench.nzb");
    {
        const QByteArray document = generateNzb(kWindowFiles);
        result.documentBytes = document.size();
        if (!WindowTestFixture::writeFile(path, document))
            return result;
    }
    MainWindow window;
    window.show();
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    QList<qint64> stamps;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] { stamps.append(clock.nsecsElapsed()); });
    tick.start(1);
    resetPeakResident();
    clock.start();
    stamps.append(0);
    window.addNzbFile(path, QStringLiteral("bench"), QString());
    const qint64 end = clock.nsecsElapsed();
    stamps.append(end);
    tick.stop();

    qint64 longest = 0;
    for (int i = 1; i < stamps.size(); ++i)
        longest = std::max(longest, stamps.at(i) - stamps.at(i - 1));
    result.loadMs = end / 1e6;
    result.blockedMs = longest / 1e6;
    result.peakKiB = residentKiB("VmHWM:");
    const QList<NzbFiles *> queue = DownloadNzbManager::getInstance()->listNzbFiles;
    for (const NzbFiles *nzb : queue)
        for (const NzbFile *file : nzb->getFiles())
            result.articles += file->getSegmentCount();
    // What of it is the writing of the queue record (and its backup), done again.
    if (!queue.isEmpty()) {
        clock.restart();
        AppConfiguration::getInstance()->nzbConfiguration.saveNzb(queue.first());
        result.recordMs = clock.nsecsElapsed() / 1e6;
    }
    DownloadNzbManager::getInstance()->shutdown();
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray document = generateNzb();
    qint64 tokenizerNs = 0;
    {
        QBuffer buffer;
        buffer.setData(document);
        buffer.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&buffer);
        CpuTimer tokenTimer;
        tokenTimer.start();
        while (!xml.atEnd())
            xml.readNext();
        tokenizerNs = tokenTimer.nsecsElapsed();
    }
    resetPeakResident();
    const long before = residentKiB();

    CpuTimer timer;
    timer.start();
    QString error;
    std::unique_ptr<NzbFiles> nzb(NzbParser::parse(document, error));
    qint64 bestParseNs = timer.nsecsElapsed();
    if (!nzb) {
        std::fprintf(stderr, "parse failed: %s\n", qPrintable(error));
        return 1;
    }
    const long afterParse = residentKiB();

    timer.restart();
    nzb->sortFiles(true);
    nzb->strName = QStringLiteral("Benchmark");
    nzb->setDestination(QStringLiteral("/tmp/dest"), true);
    nzb->setDownloadFolder(QStringLiteral("/tmp/download"));
    nzb->setSegmentPaths(QStringLiteral("/tmp/cache"), 0);
    const qint64 prepareNs = timer.nsecsElapsed();
    const long afterPrepare = residentKiB();
    const long peakPrepared = residentKiB("VmHWM:");

    timer.restart();
    QByteArray written;
    nzb->writeNzb(written);
    const qint64 writeNs = timer.nsecsElapsed();
    nzb.reset();

    // Best of a few more runs, as the machine may be busy.
    for (int run = 0; run < 4; ++run) {
        timer.restart();
        std::unique_ptr<NzbFiles> again(NzbParser::parse(document, error));
        bestParseNs = std::min(bestParseNs, timer.nsecsElapsed());
    }

    const double segments = double(kFiles) * kSegmentsPerFile;
    const double megabytes = document.size() / 1e6;
    const long peak = std::max({afterParse, afterPrepare, peakPrepared});
    const WindowLoad window = addToWindow();
    std::printf("document: %.1f MB, %d files, %.0f segments\n", megabytes, kFiles, segments);
    std::printf("parse runs: 5 (best shown)\n");
    std::printf("tokenizer alone: %.1f MB/s\n", megabytes / (tokenizerNs / 1e9));
    std::printf("prepare: %.1f ms\n", prepareNs / 1e6);
    std::printf("write: %.1f MB/s\n", written.size() / 1e6 / (writeNs / 1e9));
    std::printf("parse: %.1f MB/s\n", megabytes / (bestParseNs / 1e9));
    std::printf("window NZB: %.1f MB, %d files, %d articles queued\n", window.documentBytes / 1e6, kWindowFiles,
                window.articles);
    std::printf("memory-per-segment: %.0f bytes\n", (peak - before) * 1024.0 / segments);
    std::printf("load-time: %.0f ms\n", window.loadMs);
    std::printf("queue-record-ms: %.0f ms\n", window.recordMs);
    std::printf("gui-blocked-ms: %.0f ms\n", window.blockedMs);
    std::printf("peak-memory: %.0f MB\n", window.peakKiB / 1024.0);
    return window.articles == kWindowFiles * kSegmentsPerFile ? 0 : 1;
}
