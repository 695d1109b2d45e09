#ifndef MANAGERTESTSUPPORT_H
#define MANAGERTESTSUPPORT_H

#include "../model/NzbTestHelpers.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFile.h"
#include "model/NzbFiles.h"
#include "model/NzbSegment.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMutexLocker>
#include <QString>
#include <QStringList>

class QTreeWidgetItem;

// The program reaches its one manager through getInstance(); each test builds one of its own.
// Without decoder threads unless asked: tests of the queue look at the decode queue themselves.
class TestDownloadManager : public DownloadNzbManager
{
public:
    explicit TestDownloadManager(int decoders = 0) { iFileDecodersToStart = decoders; }
};

// Stand-ins for download-list rows: the manager only compares row pointers, never follows them.
inline QTreeWidgetItem *fakeRow(int n)
{
    static char rows[1024];
    return reinterpret_cast<QTreeWidgetItem *>(&rows[n]);
}

// "<file subject>:<segment number>" of a segment, the way the tests name segments.
inline QString segmentName(const NzbSegment *segment)
{
    return segment->getNzbFile()->getSubject() + QLatin1Char(':') + segment->getNumber();
}

inline QString segmentNames(const QList<NzbSegment *> &segments)
{
    QStringList names;
    for (const NzbSegment *segment : segments)
        names << segmentName(segment);
    return names.join(QLatin1Char(' '));
}

inline QString globalQueue(DownloadNzbManager &manager)
{
    QMutexLocker locker(&manager.mutexSegments);
    return segmentNames(manager.listSegments);
}

inline QString retryQueue(DownloadNzbManager &manager, quint32 serverId)
{
    QMutexLocker locker(&manager.mutexServerSegments);
    return segmentNames(manager.hashServerSegments.value(serverId));
}

inline QString decodeQueue(DownloadNzbManager &manager)
{
    QMutexLocker locker(&manager.mutexFilesToDecode);
    QStringList names;
    for (const NzbFile *file : qAsConst(manager.listFilesToDecode))
        names << file->getSubject();
    return names.join(QLatin1Char(' '));
}

inline int inProgressCount(DownloadNzbManager &manager)
{
    QMutexLocker locker(&manager.mutexSegments);
    return manager.listSegmentsInProgress.size();
}

// An NZB document with one file per subject, each of `segments` segments of `bytes` bytes;
// message ids are "<tag>.<file>.<number>@test".
inline QByteArray nzbDocument(const QStringList &subjects, int segments, int bytes, const QString &tag)
{
    QByteArray doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<nzb xmlns=\"http://www.newzbin.com/DTD/2003/nzb\">\n";
    for (int f = 0; f < subjects.size(); ++f) {
        doc += "<file poster=\"p@test\" date=\"1700000000\" subject=\"" + subjects.at(f).toHtmlEscaped().toUtf8()
               + "\"><groups><group>alt.binaries.test</group></groups><segments>";
        for (int s = 1; s <= segments; ++s)
            doc += "<segment bytes=\"" + QByteArray::number(bytes) + "\" number=\"" + QByteArray::number(s) + "\">"
                   + tag.toUtf8() + '.' + QByteArray::number(f) + '.' + QByteArray::number(s) + "@test</segment>";
        doc += "</segments></file>\n";
    }
    return doc + "</nzb>\n";
}

// An NZB built in memory, one file per spec: optional flags before a colon (P paused, D decoded),
// then one letter per segment (p pending, d downloaded, m missing). Files are named
// "<name>f<i>", segments carry `bytes` bytes, and the segment paths use `nzbIndex`, under the
// test's private home folder (queueing makes their parent folder).
inline NzbFiles *buildNzb(const QString &name, const QStringList &specs, quint64 bytes = 100, int nzbIndex = 0)
{
    auto *nzb = new NzbFiles;
    nzb->strName = name;
    for (int f = 0; f < specs.size(); ++f) {
        const QString spec = specs.at(f);
        const int colon = spec.indexOf(QLatin1Char(':'));
        const QString flags = colon < 0 ? QString() : spec.left(colon);
        const QString states = spec.mid(colon + 1);
        NzbFile *file = makeFile(name + QStringLiteral("f") + QString::number(f), states.size(), bytes);
        nzb->addFile(file);
        const QList<NzbSegment *> segments = file->getSegments();
        for (int s = 0; s < states.size(); ++s) {
            segments.at(s)->setMessageId(name + QString::number(f) + QLatin1Char('.') + QString::number(s + 1) + QStringLiteral("@test"));
            if (states.at(s) == QLatin1Char('d'))
                segments.at(s)->setDownloaded();
            else if (states.at(s) == QLatin1Char('m'))
                segments.at(s)->setMissing();
        }
        file->bPaused = flags.contains(QLatin1Char('P'));
        file->bDecoded = flags.contains(QLatin1Char('D'));
    }
    nzb->updateSizes();
    nzb->setSegmentPaths(QDir::homePath() + QStringLiteral("/Cache"), nzbIndex);
    return nzb;
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

#endif // MANAGERTESTSUPPORT_H
