// Extraction speed of the unrar helper and of bsdtar on the same archives: the largest test
// volume set and the largest single test archive, each extracted many times over. Every run is
// a new process, as in the post-processing. Prints the totals last as
//   unrar: <n> MB/s
//   bsdtar: <n> MB/s
// (MB = 10^6 bytes of extracted output, over wall time). bsdtar cannot follow a volume chain:
// on the volume set it extracts only what its first volume holds, and is credited only with that.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Totals
{
    qint64 bytes = 0;
    qint64 nanoseconds = 0;
};

qint64 treeBytes(const QString &folder)
{
    qint64 bytes = 0;
    QDirIterator it(folder, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        bytes += it.fileInfo().size();
    }
    return bytes;
}

bool runOnce(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit;
}

// Extracts `archive` `runs` times with `program`; adds the output and the time to `totals`.
bool measure(const char *label, const QString &program, const QStringList &arguments, const QString &output,
             int runs, Totals &totals)
{
    QDir(output).removeRecursively();
    QDir().mkpath(output);
    if (!runOnce(program, arguments))
        return false;
    const qint64 perRun = treeBytes(output);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < runs; ++i) {
        if (!runOnce(program, arguments))
            return false;
    }
    const qint64 elapsed = timer.nsecsElapsed();
    totals.bytes += perRun * runs;
    totals.nanoseconds += elapsed;
    std::printf("%-34s %5d runs, %8.1f MB in %6.2f s\n", label, runs, perRun * double(runs) / 1e6, elapsed / 1e9);
    std::fflush(stdout);
    return true;
}

double megabytesPerSecond(const Totals &totals)
{
    return totals.nanoseconds > 0 ? totals.bytes / 1e6 / (totals.nanoseconds / 1e9) : 0.0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double scale = argc > 1 ? QString(argv[1]).toDouble() : 1.0;
    const QString unrar = QCoreApplication::applicationDirPath() + "/unrar";
    const QString bsdtar = QStandardPaths::findExecutable("bsdtar");
    if (!QFileInfo(unrar).isExecutable() || bsdtar.isEmpty()) {
        std::fprintf(stderr, "needs unrar beside this program and bsdtar on the PATH\n");
        return 1;
    }

    QTemporaryDir work;
    const QString data = work.filePath("data");
    QDir().mkpath(data);
    const QString source = QString(TQ_RAR_DATA) + "/libarchive/";
    const QStringList names = QDir(source).entryList({"test_read_format_rar5_multiarchive.part*.rar",
                                                      "test_read_format_rar_compress_normal.rar"});
    for (const QString &name : names)
        QFile::copy(source + name, data + "/" + name);
    const QString volumeSet = data + "/test_read_format_rar5_multiarchive.part01.rar"; // 510 kB out
    const QString single = data + "/test_read_format_rar_compress_normal.rar";         // 40 kB out
    const int volumeRuns = qMax(1, int(1500 * scale));
    const int singleRuns = qMax(1, int(6000 * scale));
    const QString out = work.filePath("out");

    Totals ours;
    Totals theirs;
    const bool ok = measure("unrar, RAR 5 volume set", unrar, {"x", "-p-", "-y", volumeSet, out}, out, volumeRuns, ours)
                    && measure("unrar, RAR 4 single archive", unrar, {"x", "-p-", "-y", single, out}, out,
                               singleRuns, ours)
                    && measure("bsdtar, RAR 5 volume set (1st vol.)", bsdtar, {"-x", "-f", volumeSet, "-C", out}, out,
                               volumeRuns, theirs)
                    && measure("bsdtar, RAR 4 single archive", bsdtar, {"-x", "-f", single, "-C", out}, out,
                               singleRuns, theirs);
    if (!ok) {
        std::fprintf(stderr, "a run failed\n");
        return 1;
    }
    std::printf("unrar: %.1f MB/s\n", megabytesPerSecond(ours));
    std::printf("bsdtar: %.1f MB/s\n", megabytesPerSecond(theirs));
    return 0;
}
