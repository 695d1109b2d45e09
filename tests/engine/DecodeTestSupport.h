#ifndef DECODETESTSUPPORT_H
#define DECODETESTSUPPORT_H

#include "ManagerTestSupport.h"
#include "SegmentBodyWriter.h"
#include "engine/NzbToProcess.h"
#include "engine/ThreadFileDecoder.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QObject>

// One posted file of a test NZB: its subject and the bodies of its articles, in number order
// (a null body: the article is missing). Each article is announced with `announcedBytes`, or
// with the size of its body when that is 0.
struct PostedFile
{
    QString subject;
    QList<QByteArray> bodies;
    quint64 announcedBytes = 0;
};

// An NZB whose articles are all in: each body is written as a segment temporary file under
// `cache` (NZB index `nzbIndex`), the NZB assembles in `download`. Queued to a manager, its files
// go straight to the decode queue.
inline NzbFiles *downloadedNzb(const QString &name, const QList<PostedFile> &files, const QString &cache,
                               const QString &download, int nzbIndex = 0)
{
    auto *nzb = new NzbFiles;
    nzb->strName = name;
    for (int f = 0; f < files.size(); ++f) {
        auto *file = new NzbFile;
        file->setSubject(files.at(f).subject);
        for (int s = 0; s < files.at(f).bodies.size(); ++s) {
            const QByteArray &body = files.at(f).bodies.at(s);
            const quint64 announced = files.at(f).announcedBytes ? files.at(f).announcedBytes : quint64(body.size());
            file->addSegment(makeSegment(QString::number(s + 1), QString::number(announced),
                                         QStringLiteral("%1.%2.%3@test").arg(name).arg(f).arg(s + 1)));
        }
        nzb->addFile(file);
    }
    nzb->updateSizes();
    nzb->strDownloadFolder = download;
    nzb->setSegmentPaths(cache, nzbIndex);
    for (int f = 0; f < files.size(); ++f) {
        const QList<NzbSegment *> segments = nzb->getFileAt(quint64(f))->getSegments();
        for (int s = 0; s < segments.size(); ++s) {
            const QByteArray &body = files.at(f).bodies.at(s);
            if (body.isNull()) {
                segments.at(s)->setMissing();
                continue;
            }
            QDir().mkpath(segments.at(s)->strTempFolder);
            writeBytes(segments.at(s)->getTempFilePath(), SegmentBodyWriter::segmentFile(body));
            segments.at(s)->setDownloaded();
        }
    }
    return nzb;
}

// The yEnc articles of a file cut into parts of `partSize` bytes, as a poster writes them.
inline QList<QByteArray> yencArticles(const QString &name, const QByteArray &data, int partSize)
{
    QList<QByteArray> bodies;
    const int parts = qMax(1, int((data.size() + partSize - 1) / partSize));
    for (int p = 0; p < parts; ++p) {
        SegmentBodyWriter::YencPart part;
        part.number = p + 1;
        part.total = parts;
        part.begin = qint64(p) * partSize + 1;
        part.end = qMin<qint64>(qint64(p + 1) * partSize, data.size());
        bodies.append(SegmentBodyWriter::yencMultiPart(name, data, part));
    }
    return bodies;
}

// A decoder wired to the manager the way the manager wires its own, looking for unrar in
// `programFolder`.
inline ThreadFileDecoder *startDecoder(DownloadNzbManager &manager, const QString &programFolder,
                                       int probeLimitMs = ThreadFileDecoder::kProbeTimeLimitMs)
{
    auto *decoder = new ThreadFileDecoder;
    decoder->setManager(&manager);
    decoder->setProgramFolder(programFolder);
    decoder->setProbeTimeLimit(probeLimitMs);
    QObject::connect(decoder, &ThreadFileDecoder::signalDecoded, &manager, &DownloadNzbManager::processDecodedFile);
    QObject::connect(decoder, &ThreadFileDecoder::signalFileWarning, &manager, &DownloadNzbManager::processFileWarning);
    QObject::connect(decoder, &ThreadFileDecoder::signalNotWritten, &manager, &DownloadNzbManager::processFileNotWritten);
    decoder->start();
    return decoder;
}

inline void stopDecoder(ThreadFileDecoder *decoder)
{
    decoder->bStop = true;
    decoder->wait();
    delete decoder;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

#endif // DECODETESTSUPPORT_H
