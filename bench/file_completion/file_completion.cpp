// How long marking every file of a large NZB decoded takes, one file after the other as the
// decoders finish them (each completion asks whether the whole NZB is now decoded).
#include "model/NzbFile.h"
#include "model/NzbFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <cstdio>

namespace {

NzbFiles *nzbOf(int fileCount)
{
    auto *nzb = new NzbFiles;
    for (int i = 0; i < fileCount; ++i) {
        auto *file = new NzbFile;
        file->setSubject(QStringLiteral("\"file%1.bin\" yEnc (1/1)").arg(i));
        file->uiSize = 1000;
        nzb->addFile(file);
    }
    return nzb;
}

double completionMs(int fileCount)
{
    NzbFiles *nzb = nzbOf(fileCount);
    QElapsedTimer elapsed;
    elapsed.start();
    for (NzbFile *file : nzb->getFiles())
        file->setDecoded(true);
    const double ms = elapsed.nsecsElapsed() / 1e6;
    if (!nzb->isAllFilesDecoded())
        std::fprintf(stderr, "the NZB did not end decoded\n");
    delete nzb;
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    for (int count : {10000, 100000, 300000})
        out << "complete-" << count / 1000 << "k-files-ms: " << QString::number(completionMs(count), 'f', 1) << " ms\n";
    return 0;
}
