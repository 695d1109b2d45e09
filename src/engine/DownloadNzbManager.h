#ifndef DOWNLOADNZBMANAGER_H
#define DOWNLOADNZBMANAGER_H

#include "config/AppendedItems.h"
#include "engine/DecodedFileNames.h"
#include "engine/EngineWaits.h"
#include "engine/FileDecodeBoard.h"
#include "engine/ThreadComputeServerNewBytes.h"
#include "postprocess/ParityJob.h"
#include "postprocess/ThreadParity.h"
#include "postprocess/ThreadUnrar.h"
#include "postprocess/ThreadUnsplit.h"
#include "postprocess/UnrarJob.h"
#include "postprocess/UnsplitJob.h"

#include <QByteArray>
#include <QFileInfoList>
#include <QHash>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QSet>
#include <QString>
#include <QThread>
#include <QVector>

#include <atomic>

class NntpServer;
class NzbFile;
class NzbFiles;
class NzbSegment;
class NzbToProcess;
class QTimer;
class QTreeWidgetItem;
class ThreadFileDecoder;
class ThreadNntp;

// The download engine's one process-wide object: the NZB queue, the global segment queue, the
// retry queue of every started server, the in-progress set and the decode queue; the connection
// threads, the file decoders and the post-processing workers it owns; and the signals through
// which the main window hears of everything.
//
// The object belongs to the GUI thread, so its slots run there. Its own thread runs nothing but
// three one-second timers (total speed, per-server byte counts, post-processing queue).
//
// Implementation by concern:
//   DownloadNzbManager.cpp              instance, construction, thread body, shutdown
//   DownloadNzbManagerQueue.cpp         loading and queueing NZBs, the list operations
//   DownloadNzbManagerSegments.cpp      hand-out of segments and the download results
//   DownloadNzbManagerServers.cpp       connection threads: start, stop, pause, bandwidth
//   DownloadNzbManagerSpeeds.cpp        connection speeds and per-server byte counts
//   DownloadNzbManagerDecoders.cpp      the file decoder threads
//   DownloadNzbManagerFolders.cpp       NZBs waiting for a download folder that can be used
//   DownloadNzbManagerPostProcess.cpp   completion of an NZB and its post-processing stages
//
// Locks. Every mutex is non-recursive. When several are held they are taken in this order:
//   mutexThreads, mutexNzbFiles, mutexSegments, mutexFilesToDecode, then mutexServerSegments or
//   mutexNzbToProcess; mutexThreadSpeed only after mutexThreads. mutexServerNewBytes and
//   mutexDecoders are taken alone. The model's own mutexes (NzbFile, then NzbFiles) come after
//   all of these. Nothing ever takes mutexSegments while it holds mutexServerSegments, so a
//   connection thread may hold the two together to move a segment from a retry queue to the
//   in-progress set in one step.
class DownloadNzbManager : public QThread
{
    Q_OBJECT

public:
    static DownloadNzbManager *getInstance();
    ~DownloadNzbManager() override;

    // Segment queues ---------------------------------------------------------------------
    // Failures of one segment on one server (refusals, transfers cut short) after which the
    // segment counts as missing on that server.
    static constexpr int kMaxSegmentFailuresPerServer = 3;

    // Shutdown bounds, in milliseconds: the manager's own thread and each post-processing
    // worker, then the byte-count saver.
    static constexpr unsigned long kWorkerStopWaitMs = 5000;
    static constexpr unsigned long kSaverStopWaitMs = 10000;

    // The file decoder threads the manager runs.
    static constexpr int kFileDecoderCount = 3;

    // Queue operations (GUI thread).
    NzbFiles *loadNzbFile(const QString &strPath, QString &strError, const QString &strName,
                          const QString &strDestination);
    // What loadNzbFile does after the reading, for an NZB read elsewhere (NzbParser::parseFile):
    // files sorted, named, given its destination, download folder and segment paths. With
    // `pNzbIndex`, the segment paths are left to the caller (work of its own on a huge NZB):
    // NzbFiles::setSegmentPaths with segmentsRoot() and the NZB index given there.
    NzbFiles *prepareLoadedNzb(NzbFiles *nzb, const QString &strName, const QString &strDestination,
                               int *pNzbIndex = nullptr);
    QString segmentsRoot() const;
    void queueNzbFiles(NzbFiles *pNzbFiles, QString &strError);
    NzbFiles *getNzbFilesAt(int iPosition);
    QList<QByteArray *> saveQueueToBytes();
    NzbFiles *restoreNzbFiles(QByteArray *pBytes);

    // Called by each decoder thread: the head of the decode queue, or null after 5 ms. The file
    // counts as being decoded until the decoder calls endFileDecoding for it, after its last
    // write and its password probe.
    NzbFile *takeNextFileToDecode();
    void endFileDecoding(NzbFile *pNzbFile);
    // Whether a decoder is writing the file now (GUI thread or any).
    bool isFileBeingDecoded(const NzbFile *pNzbFile);
    // Whether every file of the NZB is decoded and its post-processing is waiting, running or
    // done (finished, cleaned): from then on its files and destination belong to the
    // post-processing and the clean-up (GUI thread).
    bool hasCompleted(NzbFiles *pNzbFiles);

    // Called by each connection thread of the server with this id: the head of its retry
    // queue, else of the global queue; null after 5 ms when both are empty. A segment that is
    // already downloaded, missing or handed out, or whose NZB is deleted or file excluded, is
    // never handed out: it is dropped from the queue it was found in.
    NzbSegment *getNextSegment(quint32 uiServerId);

    // Gives a started server its (empty) retry queue, keyed by server id; idempotent.
    void addServerQueue(quint32 uiServerId);

    // Connection threads (GUI thread).
    QList<quint32> startServer(NntpServer *pServer, bool bPaused);
    void pauseAllThreads(bool bPause);
    void pauseThreads(const QList<quint32> &listThreadIds, bool bPause);
    void stopAllThreads();
    // Stores the bandwidth limit (bytes per second, 0 = none) and gives every running
    // connection its share of it (0 for none), never below kMinimumBandwidthShare.
    void setBandwidthLimit(quint64 uiLimit);
    static constexpr quint64 kMinimumBandwidthShare = 15360;
    // The fixed waits of the connections and of the byte-count saver, for the connections
    // started from now on; tests shorten them.
    void setEngineWaits(const EngineWaits &newWaits);
    EngineWaits engineWaits() const { return waits; }

    // NZBs whose download folder cannot be used (GUI thread). Each waits alone, its files kept
    // with their articles, while the others go on.
    // Looks at each waiting NZB again: one whose folder can be used now, or that could move to
    // the Download folder of the settings, has its files decoded again (signalNzbWaitsForFolder
    // with an empty reason). Resuming the downloads does it too.
    void retryNzbsWaitingForFolder();
    // An NZB nothing of which has been written yet, whose download folder cannot be used, takes
    // a folder under the Download folder of the settings when that one can be used. True when it
    // moved.
    bool adoptUsableDownloadFolder(NzbFiles *pNzbFiles);
    bool isWaitingForFolder(NzbFiles *pNzbFiles) const;

    // File decoders (GUI thread).
    void setDecodersPriority(int iPause);
    void startFileDecoders();
    void stopFileDecoders();

    // Stops every thread the manager owns and waits for each (bounds above). Called once by the
    // main window's exit sequence; later calls do nothing.
    void shutdown();

    // Members in their declared order. "GUI only": every reader and writer runs in the GUI thread.
    QList<NzbFiles *> listDeletedNzbFiles;           // GUI only; kept allocated until exit
    int iDecodersPause = 0;                          // mutexDecoders
    bool bAutoUnrar = true;                          // GUI only
    bool bAutoUnsplit = true;                        // GUI only
    int iSocketTimeout = 30000;                      // GUI only, milliseconds
    QList<QList<quint32> *> listStopRequestsPending; // mutexThreads
    QList<QList<quint32> *> listStopRequests;        // GUI only
    QList<int> listStopRequestTags;                  // GUI only
    QList<ThreadNntp *> listThreads;                 // mutexThreads
    QList<NzbFiles *> listNzbFiles;                  // mutexNzbFiles; read without it in the GUI thread
    QList<NzbSegment *> listSegments;                // mutexSegments: the global segment queue
    // mutexSegments: the segments handed to a connection whose result has not arrived. A set,
    // so that membership costs the same however many results are waiting.
    QSet<NzbSegment *> listSegmentsInProgress;
    QMutex mutexNzbFiles;
    QMutex mutexSegments;
    QMutex mutexThreads;
    // mutexServerSegments: the retry queue of each started server, by server id. Server ids are
    // unique where nicknames are not (two accounts at one provider); in ascending id order,
    // which is the order the servers were created in.
    QMap<quint32, QList<NzbSegment *>> hashServerSegments;
    QMutex mutexServerSegments;
    QList<ThreadFileDecoder *> listDecoders;         // mutexDecoders
    QList<NzbFile *> listFilesToDecode;              // mutexFilesToDecode: the decode queue
    QSet<const NzbFile *> setFilesBeingDecoded;      // mutexFilesToDecode: taken by a decoder, not ended
    QMutex mutexFilesToDecode;
    QMutex mutexDecoders;
    QMutex mutexNzbToProcess;
    QHash<quint32, NzbFiles *> hashParityJobs;
    ThreadParity threadParity;
    quint32 uiParityJobId = 0;
    QHash<quint32, NzbFiles *> hashUnrarJobs;
    ThreadUnrar threadUnrar;
    quint32 uiUnrarJobId = 0;
    QHash<quint32, NzbFiles *> hashUnsplitJobs;
    ThreadUnsplit threadUnsplit;
    quint32 uiUnsplitJobId = 0;
    ThreadComputeServerNewBytes threadComputeServerNewBytes;
    QHash<quint32, quint64> hashServerNewBytes;      // mutexServerNewBytes
    QMutex mutexServerNewBytes;
    QTimer *timerServerNewBytes = nullptr;           // manager thread
    QHash<quint32, quint64> hashThreadSpeed;         // mutexThreadSpeed
    QMutex mutexThreadSpeed;
    QTimer *timerAverageSpeed = nullptr;             // manager thread
    quint32 uiNextThreadId = 0;                      // mutexThreads
    QString strCacheFolder;                          // GUI only
    QString strDownloadFolder;                       // GUI only
    QString strDestinationFolder;                    // GUI only
    quint64 uiBandwidthLimit = 0;                    // mutexThreads, bytes per second, 0 = none
    std::atomic<quint64> uiTotalSpeed{0};            // written by the manager thread only
    QList<NzbToProcess *> listNzbToProcess;          // mutexNzbToProcess
    QTimer *timerNzbToProcess = nullptr;             // manager thread
    // Decoding and post-processing beyond the members above.
    DecodedFileNames decodedFileNames;               // its own mutex: which posted file writes which name
    FileDecodeBoard decodeBoard;                     // its own mutex: files the decoders share

public slots:
    void slotNextNzbToProcess();
    void deleteFilesList(QList<QTreeWidgetItem *> listItems);
    void deleteNzbList(QList<QTreeWidgetItem *> listItems);
    bool reorderNzbList(QList<QTreeWidgetItem *> listMovedItems);
    void pauseUnpauseFiles();
    void slotStopThreads(QList<quint32> listThreadIds, int iTag);
    void slotThreadStopped(quint32 uiThreadId);
    void unsplitStartSlot(NzbFiles *pNzbFiles);
    void unsplitProgress(quint32 uiJobId, quint32 uiPosCrt, quint32 uiPosTotal);
    void unsplitDoneSlot(UnsplitJob job, int iResult, QString strError);
    void unrarStartSlot(NzbFiles *pNzbFiles);
    void unrarDoneSlot(UnrarJob job, int iResult, quint32 uiStatus);
    void unrarProgressSignal(QString uiPercent, quint32 uiJobID);
    void par2DoneSlot(ParityJob job, int iExitCode, quint32 uiNotStarted);
    void par2ProgressSignal(quint32 uiJobId, QString strStatus);
    // Results of the connection threads. Those that can blame a server carry its id: retry
    // queues, the tried list and the failure counts go by server id, never by nickname.
    void processDownload_OK(NzbSegment *pSegment, quint32 uiServerId);
    void processDownload_ErrorException(NzbSegment *pSegment, QString strMessage, quint32 uiServerId);
    void processDownload_ErrorFailedCreateFile(NzbSegment *pSegment, QString strMessage);
    void processDownload_ErrorMissingSegment(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage,
                                             QString strServerNickname, quint32 uiServerId);
    void processDownload_ErrorFailedConnect(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage);
    // A connection gives a segment back untried (it was stopped, or it cannot connect and has
    // reported that already): back to the front of the global queue, nothing is reported.
    void processDownload_Returned(quint32 uiThreadId, NzbSegment *pSegment);
    void processDecodedFile(NzbFile *pNzbFile);
    // A decoder could not write the file whole: it waits, with its articles, until the downloads
    // are resumed, and the downloads are paused with the reason; or, when its NZB's download
    // folder cannot be used, the NZB alone waits until it can (signalNzbWaitsForFolder).
    void processFileNotWritten(NzbFile *pNzbFile, QString strPath, QString strReason);
    void processFileWarning(NzbFile *pNzbFile, QString strWarning);
    void computeServerNewBytes();
    void setThreadSpeed(quint64 uiSpeed, quint32 uiThreadId);
    void computeAverageSpeed();

signals:
    void signalSegmentDownloadOK(NzbSegment *pSegment);
    void signalSegmentDownloadException(NzbSegment *pSegment, QString strMessage);
    void signalSegmentIsMissing(NzbSegment *pSegment);
    void signalSegmentFailedToCreateFile(NzbSegment *pSegment, QString strMessage);
    void signalSegmentErrorConnect(quint32 uiThreadId, NzbSegment *pSegment, QString strMessage);
    void signalFileDecoded(NzbFile *pNzbFile);
    void signalFileWarning(NzbFile *pNzbFile, QString strWarning);
    void signalFileResumed(NzbFile *pNzbFile);
    void signalNzbFinished(NzbFiles *pNzbFiles);
    void signalPaused(quint32 uiThreadId);
    void signalIdle(quint32 uiThreadId);
    void signalWorking(quint32 uiThreadId);
    void signalBody(QString strMessageId, quint32 uiThreadId);
    void signalConnect(quint32 uiThreadId);
    void signalDisconnect(quint32 uiThreadId);
    void signalGetGroups(quint32 uiThreadId);
    void signalSelectGroup(QString strGroup, quint32 uiThreadId);
    void signalStat(QString strMessage, quint32 uiThreadId);
    void signalHelp(quint32 uiThreadId);
    void signalCapabilities(quint32 uiThreadId);
    void signalDate(quint32 uiThreadId);
    void signalInfoSegmentIsMissing(quint32 uiThreadId, NzbSegment *pSegment);
    // A connection could not connect or log in, for the given time in a row, and tries again
    // after the wait (relayed from the connection, after each failed attempt).
    void signalConnectRetry(quint32 uiThreadId, QString strError, int iFailures, int iRetryMs);
    void signalPar2Progress(QString strStatus, NzbFiles *pNzbFiles);
    void signalPar2Finished(QString strMessage, QString strBlocksNeeded, NzbFiles *pNzbFiles);
    void signalStartUnrar(NzbFiles *pNzbFiles);
    void signalUnrarProgress(QString PercentComplete, NzbFiles *pNzbFiles);
    void signalUnrarError(QString strErrMessage, NzbFiles *pNzbFiles);
    void signalUnrarNoFileFound(NzbFiles *pNzbFiles);
    void signalUnrarFinished(NzbFiles *pNzbFiles, bool bSuccess);
    void signalStartUnsplit(NzbFiles *pNzbFiles);
    void signalUnsplitProgress(NzbFiles *pNzbFiles, quint32 uiPosCrt, quint32 uiPosTotal);
    void signalUnsplitDone(NzbFiles *pNzbFiles, QString strError);
    // The joining found no split file: no failure, most downloads hold none.
    void signalUnsplitNoFileFound(NzbFiles *pNzbFiles);
    void signalThreadCurrentSpeedBytesPerSec(quint64 uiSpeed, quint32 uiThreadId);
    void signalThreadsStopped(QList<quint32> listThreadIds, int iTag);
    void signalNewBytesDownloaded(QList<quint32> listServers, QList<quint64> listNbBytesDownloaded);
    // The NZB's download folder cannot be used (`strReason` says why, naming the path at fault):
    // its files wait; `bCanMove` when nothing of it has been written yet, so that another
    // Download folder in the settings takes it. Sent once each time it begins to wait; an empty
    // reason says it goes on, in `strFolder` (which may be another one than before: its queue
    // record is to be written again).
    void signalNzbWaitsForFolder(NzbFiles *pNzbFiles, QString strFolder, QString strReason, bool bCanMove);
    // Every connection was paused because a segment's temporary file or a decoded file cannot
    // be written (disk full, folder gone); the text says why. Sent once until the downloads are
    // resumed with pauseAllThreads(false), which also decodes again the files not written.
    void signalDownloadsPaused(QString strReason);

protected:
    // Only getInstance() makes the manager (and tests, through a subclass).
    DownloadNzbManager();

    void run() override;

    // Decoders started by startFileDecoders(); tests of the queue alone start none.
    int iFileDecodersToStart = kFileDecoderCount;

private:
    // Per segment, what each server has done with it so far; only for segments that failed or
    // were reported missing somewhere, and dropped once the segment is downloaded or missing.
    struct SegmentServerTries {
        QVector<quint32> listMissingOn;           // the tried list, by server id
        QVector<QPair<quint32, int>> listFailures; // failures per server id
    };

    // Construction and shutdown.
    void registerValueTypes();
    void connectPostProcessingWorkers();
    void disconnectPostProcessingWorkers();
    void stopOwnThreads();
    void deletePostProcessingJobs();

    // Queue helpers (callers hold the locks their comments name).
    int takeFreeNzbIndex();
    QString takeFreeDownloadFolder(const QString &strFolder);
    void reserveFoldersOfKnownNzbs();
    bool isLiveSegment(const NzbSegment *pSegment) const;
    bool isFinalSegment(const NzbSegment *pSegment) const;
    void removeFromGlobalQueue(const QSet<NzbFiles *> &setNzbs, const QSet<NzbFile *> &setFiles);
    void renumberQueueIds();
    bool appendPendingWork(NzbFiles *pNzbFiles);

    // Result helpers; mutexSegments is held (and mutexFilesToDecode where the name says so).
    NzbSegment *takeRetrySegment(quint32 uiServerId);
    bool takeResult(NzbSegment *pSegment);
    void creditSegment(NzbSegment *pSegment, bool bDownloaded);
    void creditSegmentLocked(NzbSegment *pSegment, bool bDownloaded);
    void giveUpUndownloadable(NzbSegment *pSegment);
    void queueOrGiveUp(NzbSegment *pSegment, bool bAtFront);
    void routeMissingSegment(NzbSegment *pSegment, quint32 uiServerId, const QString &strServerNickname);
    void putBackAtFront(NzbSegment *pSegment);
    void pauseAfterFileError(NzbSegment *pSegment, const QString &strMessage);
    void pauseAfterWriteError(const QString &strReason);
    void requeueFilesNotWritten();
    bool holdForUnusableFolder(NzbFile *pNzbFile);
    static bool hasWrittenFiles(NzbFiles *pNzbFiles, const QString &strFolder);
    QString freeDownloadFolderFor(const NzbFiles *nzb);

    // Connection threads (GUI thread; mutexThreads held where the name says so).
    void connectThreadSignals(ThreadNntp *pThread);
    void disconnectThreadSignals(ThreadNntp *pThread);
    void requestStopThreads(const QList<quint32> &listThreadIds);
    void rebuildServerQueues(const QList<quint32> &listThreadIds);
    void splitBandwidthLimit();
    void shareBandwidthLimitLocked(bool bEvenWithoutLimit);
    ThreadNntp *findThreadLocked(quint32 uiThreadId) const;
    void answerStopRequests();

    // Post-processing (GUI thread unless said; mutexNzbToProcess where the name says so).
    void appendJob(NzbToProcess *pJob);
    void startHeadJobSoon();
    int startHeadJob(NzbFiles **ppNzbFiles);
    ParityJob makeParityJob(NzbFiles *pNzbFiles);
    UnrarJob makeUnrarJob(NzbFiles *pNzbFiles, const QString &strSourceFolder);
    void startNextStage(NzbFiles *pNzbFiles);
    void startJoinedExtraction(NzbFiles *pNzbFiles, const QStringList &listArchives);
    static QStringList joinedArchives(const UnsplitJob &job);
    void finishNzb(NzbFiles *pNzbFiles);
    void markJobDone(NzbFiles *pNzbFiles);
    void markJobDoneLocked(NzbFiles *pNzbFiles);
    bool queueRecoveryVolumes(NzbFiles *pNzbFiles, const QList<NzbFile *> &listVolumes);
    void deletePar2Backups(const ParityJob &job);
    QString incompleteFilesProblem(NzbFiles *pNzbFiles) const;
    void failRepair(NzbFiles *pNzbFiles, const QString &strProblem);
    void waitForWorkers();
    static QString par2ExitText(int iExitCode);

    QHash<NzbSegment *, SegmentServerTries> hashSegmentTries; // GUI only
    // GUI only: the NZB indexes and download folders given or seen this run (never released),
    // what is already accounted of the lists they come from, and where the searches go on.
    QSet<int> setNzbIndexesGiven;
    QSet<QString> setDownloadFoldersGiven;
    AppendedItems<NzbFiles *> queueChanges;
    AppendedItems<NzbFiles *> deletedChanges;
    AppendedItems<NzbFiles *> savedChanges;
    int iLowestFreeNzbIndex = 0;
    QHash<QString, int> hashNextFolderNumber;
    bool bPausedAfterFileError = false;                       // GUI only
    QList<NzbFile *> listFilesNotWritten;                     // GUI only: to decode again on resume
    // GUI only: the files of each NZB whose download folder cannot be used, in the order they
    // were given up; decoded again once the folder can be used.
    QHash<NzbFiles *, QList<NzbFile *>> hashFilesWaitingForFolder;
    EngineWaits waits;                                        // GUI only
    // mutexNzbToProcess: the NZBs whose completion has its post-processing queued (or done), so
    // that a second report of the same completion queues nothing; an NZB leaves it when it is
    // seen incomplete again (recovery volumes queued, a file downloaded again).
    QSet<NzbFiles *> setNzbsCompleted;
    bool bShutDown = false;                                   // GUI only
};

#endif // DOWNLOADNZBMANAGER_H
