#ifndef THREADFILEDECODER_H
#define THREADFILEDECODER_H

#include <QHash>
#include <QList>
#include <QString>
#include <QThread>

#include <atomic>

class DownloadNzbManager;
class NzbFile;
class NzbFiles;
class NzbSegment;

// One of the download manager's file decoders: takes complete files from the manager's decode
// queue, decodes their segments in number order into the NZB's download folder (under partial
// names, which become the real ones once the file is whole), reports every
// segment that did not decode cleanly, marks the file decoded, removes its segment folder and,
// until the NZB's archive is known to need a password, asks unrar whether a file that starts
// like a RAR archive does. Each handled file is reported with signalDecoded; a file that could
// not be written whole is reported with signalNotWritten instead and keeps its articles.
class ThreadFileDecoder : public QThread
{
    Q_OBJECT

public:
    // Longest a password probe may run: a stuck unrar is then stopped, and the file reported.
    static constexpr int kProbeTimeLimitMs = 30000;

    explicit ThreadFileDecoder(QObject *parent = nullptr);

    // Where the work comes from (the program's one manager when none is set); before start().
    void setManager(DownloadNzbManager *manager);
    // Where unrar is looked for (the program's own folder by default); before start().
    void setProgramFolder(const QString &folder);
    // The probe's time limit (kProbeTimeLimitMs by default); before start().
    void setProbeTimeLimit(int milliseconds);

    // Set by the owner to end the thread; looked at before each file, and it stops a probe.
    std::atomic<bool> bStop{false};
    // Milliseconds slept after each decoded segment: 0, or 100 for low decoding priority.
    std::atomic<quint32> uiPause{0};

    // The name of the raw copy of an article that held nothing to decode: the text between the
    // subject's first and last double quote (or the whole subject) without [\/:*?"<>|]; the
    // temporary file's own name when that leaves nothing.
    static QString rawCopyName(const QString &subject, const QString &tempFilePath);
    // Whether unrar's technical listing tells of an archive that needs a password.
    static bool needsPassword(const QString &listing);
    // The most bytes the output of a posted file can reach: the sizes of its articles as the
    // NZB announces them (an unknown size counts as the largest body a connection accepts for
    // it), with room for what they do not count.
    static qint64 outputLimit(const QList<NzbSegment *> &segments);
    // The warning for a decoder result about the segment of this number; empty for 0.
    static QString warningFor(int result, const QString &segmentNumber);
    // The warning for a decoded file of which no article wrote some bytes.
    static QString shortfallWarning(const QString &outputName, qint64 missingBytes, qint64 fileSize);

signals:
    void signalDecoded(NzbFile *pNzbFile);
    void signalFileWarning(NzbFile *pNzbFile, QString strWarning);
    // The file could not be written whole (a full disk, a folder that cannot be written): it is
    // not decoded, nothing of it stays in the download folder and its articles stay in the
    // Cache, to be decoded again. strPath is what could not be written, strReason why.
    void signalNotWritten(NzbFile *pNzbFile, QString strPath, QString strReason);

protected:
    void run() override;

private:
    void decodeFile(NzbFile *file);
    void giveUpUnwritten(NzbFile *file, const QString &path, const QString &reason);
    void noteFilesGone(NzbFiles *nzb);
    bool publish(NzbFile *file, const QString &folder, QHash<QString, QString> &renamed, QString &failedName,
                 QString &reason);
    bool copyRaw(NzbFile *file, const NzbSegment *segment, int article, const QString &folder, QString &failedPath);
    void probePassword(NzbFiles *nzb, const QString &path);

    DownloadNzbManager *manager = nullptr;
    QString programFolder;
    int probeTimeLimitMs = kProbeTimeLimitMs;
};

#endif // THREADFILEDECODER_H
