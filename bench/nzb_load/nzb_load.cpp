// Parses a generated NZB of 100,000 segments, sorts and prepares it, writes it back.
// Prints the XML parse rate (per second of this thread's CPU time) and the peak resident
// memory per segment.
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QFile>
#include <QTextStream>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

constexpr int kFiles = 200;
constexpr int kSegmentsPerFile = 500;

QByteArray generateNzb()
{
    QByteArray nzb;
    nzb.reserve(24 * 1024 * 1024);
    nzb += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE nzb PUBLIC \"-//newzBin//DTD NZB 1.1//EN\" \"http://www.newzbin.com/DTD/nzb/nzb-1.1.dtd\">\n"
           "<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n"
           "  <head><meta type=\"title\">Benchmark</meta></head>\n";
    for (int f = 0; f < kFiles; ++f) {
        const QByteArray name = (f % 10 == 9) ? "bench.vol" + QByteArray::number(f) + "+01.par2"
                                              : "bench.part" + QByteArray::number(f).rightJustified(3, '0') + ".rar";
        nzb += "  <file poster=\"Bench Poster &lt;bench@test.invalid&gt;\" date=\"1700000000\" subject=\"[" + QByteArray::number(f + 1)
               + "/" + QByteArray::number(kFiles) + "] - &quot;" + name + "&quot; yEnc (1/" + QByteArray::number(kSegmentsPerFile)
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
    std::printf("document: %.1f MB, %d files, %.0f segments\n", megabytes, kFiles, segments);
    std::printf("parse runs: 5 (best shown)\n");
    std::printf("tokenizer alone: %.1f MB/s\n", megabytes / (tokenizerNs / 1e9));
    std::printf("prepare: %.1f ms\n", prepareNs / 1e6);
    std::printf("write: %.1f MB/s\n", written.size() / 1e6 / (writeNs / 1e9));
    std::printf("parse: %.1f MB/s\n", megabytes / (bestParseNs / 1e9));
    std::printf("memory-per-segment: %.0f bytes\n", (peak - before) * 1024.0 / segments);
    return 0;
}
