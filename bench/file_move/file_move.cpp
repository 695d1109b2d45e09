// The clean-up's move of finished files into their destination (FileMove), both ways it goes:
// across file systems (a copy, synced, then the source removed) and within one (a rename).
//
//   file_move <folder> <folder on another file system> [files (16)] [MiB per file (16)] [runs (5)]
//
// Each run writes the files anew into <folder> (they are in the page cache, as decoded files are
// when they are moved), then times moving them into the other folder; and times moving 2000 small
// files within <folder>. Prints last (medians): across: MiB/s copied to the other file system,
// within: files/s renamed in one file system.
#include "postprocess/FileMove.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kSmallFiles = 2000;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values.at(values.size() / 2);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Seconds to move every file of `names` from `from` to `to`; negative when a move failed.
double timeMoves(const QString &from, const QString &to, const QStringList &names)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString &name : names) {
        QString reason;
        if (FileMove::move(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name, &reason) != FileMove::Result::Moved) {
            std::fprintf(stderr, "move of %s failed: %s\n", qPrintable(name), qPrintable(reason));
            return -1;
        }
    }
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: file_move <folder> <folder on another file system> [files] [MiB per file] [runs]\n");
        return 2;
    }
    const QString source = QDir(QString::fromLocal8Bit(argv[1])).absoluteFilePath(QStringLiteral("file_move_source"));
    const QString across = QDir(QString::fromLocal8Bit(argv[2])).absoluteFilePath(QStringLiteral("file_move_target"));
    const QString within = source + QStringLiteral("_within");
    const int files = argc > 3 ? std::atoi(argv[3]) : 16;
    const int mib = argc > 4 ? std::atoi(argv[4]) : 16;
    const int runs = argc > 5 ? std::atoi(argv[5]) : 5;
    QByteArray content(mib * 1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < content.size(); ++i)
        content[i] = char((i * 2654435761u) >> 24);

    std::vector<double> acrossRates;
    std::vector<double> withinRates;
    for (int run = 0; run < runs; ++run) {
        for (const QString &folder : {source, across, within}) {
            QDir(folder).removeRecursively();
            QDir().mkpath(folder);
        }
        QStringList large;
        for (int n = 0; n < files; ++n) {
            large << QStringLiteral("large-%1.bin").arg(n);
            if (!writeFile(source + QLatin1Char('/') + large.last(), content))
                return 1;
        }
        const double acrossSeconds = timeMoves(source, across, large);
        if (acrossSeconds <= 0)
            return 1;
        acrossRates.push_back(double(files) * mib / acrossSeconds);

        QStringList small;
        for (int n = 0; n < kSmallFiles; ++n) {
            small << QStringLiteral("small-%1.bin").arg(n);
            if (!writeFile(source + QLatin1Char('/') + small.last(), QByteArray("small")))
                return 1;
        }
        const double withinSeconds = timeMoves(source, within, small);
        if (withinSeconds <= 0)
            return 1;
        withinRates.push_back(kSmallFiles / withinSeconds);
    }
    for (const QString &folder : {source, across, within})
        QDir(folder).removeRecursively();
    std::printf("across: %.1f MiB/s\n", median(acrossRates));
    std::printf("within: %.0f files/s\n", median(withinRates));
    return 0;
}
