// The wiring between the window and the download manager, and the settings the manager takes
// from the configuration.
#include "app/MainWindow.h"

#include "config/AppConfiguration.h"
#include "engine/DownloadNzbManager.h"

#include "ui_MainWindow.h"

#include <climits>

namespace {

constexpr int kDefaultSocketTimeoutMs = 30000;

} // namespace

// Every signal of the manager that the window shows reaches its slot, and the window's five
// commands reach the manager; the deletions, the reorder and the pause change are direct, so
// the manager's queues have changed when the emission returns.
void MainWindow::initDownloadManager()
{
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    connect(manager, SIGNAL(signalIdle(quint32)), this, SLOT(slotThreadIdle(quint32)));
    connect(manager, SIGNAL(signalWorking(quint32)), this, SLOT(slotThreadWorking(quint32)));
    connect(manager, SIGNAL(signalPaused(quint32)), this, SLOT(slotThreadPaused(quint32)));
    connect(manager, SIGNAL(signalThreadCurrentSpeedBytesPerSec(quint64,quint32)), this,
            SLOT(slotThreadCurrentSpeedBytesPerSec(quint64,quint32)));
    connect(manager, SIGNAL(signalBody(QString,quint32)), this, SLOT(slotThreadBody(QString,quint32)));
    connect(manager, SIGNAL(signalConnect(quint32)), this, SLOT(slotThreadConnect(quint32)));
    connect(manager, SIGNAL(signalDisconnect(quint32)), this, SLOT(slotThreadDisconnect(quint32)));
    connect(manager, SIGNAL(signalGetGroups(quint32)), this, SLOT(slotThreadGetGroups(quint32)));
    connect(manager, SIGNAL(signalSelectGroup(QString,quint32)), this, SLOT(slotThreadSelectGroup(QString,quint32)));
    connect(manager, SIGNAL(signalStat(QString,quint32)), this, SLOT(slotThreadStat(QString,quint32)));
    connect(manager, SIGNAL(signalHelp(quint32)), this, SLOT(slotThreadHelp(quint32)));
    connect(manager, SIGNAL(signalCapabilities(quint32)), this, SLOT(slotThreadCapabilities(quint32)));
    connect(manager, SIGNAL(signalDate(quint32)), this, SLOT(slotThreadDate(quint32)));
    connect(manager, SIGNAL(signalSegmentErrorConnect(quint32,NzbSegment*,QString)), this,
            SLOT(slotThreadErrorConnect(quint32,NzbSegment*,QString)));
    connect(manager, SIGNAL(signalInfoSegmentIsMissing(quint32,NzbSegment*)), this,
            SLOT(slotThreadSegmentIsMissing(quint32,NzbSegment*)));
    connect(manager, SIGNAL(signalConnectRetry(quint32,QString,int,int)), this,
            SLOT(slotThreadConnectRetry(quint32,QString,int,int)));
    connect(this, SIGNAL(signalStopThreads(QList<quint32>,int)), manager, SLOT(slotStopThreads(QList<quint32>,int)));
    connect(this, SIGNAL(signalDeleteFileList(QList<QTreeWidgetItem*>)), manager,
            SLOT(deleteFilesList(QList<QTreeWidgetItem*>)), Qt::DirectConnection);
    connect(this, SIGNAL(signalDeleteNzbList(QList<QTreeWidgetItem*>)), manager,
            SLOT(deleteNzbList(QList<QTreeWidgetItem*>)), Qt::DirectConnection);
    connect(this, SIGNAL(signalReorderNzbList(QList<QTreeWidgetItem*>)), manager,
            SLOT(reorderNzbList(QList<QTreeWidgetItem*>)), Qt::DirectConnection);
    connect(this, SIGNAL(signalPauseUnpauseFiles()), manager, SLOT(pauseUnpauseFiles()), Qt::DirectConnection);
    connect(manager, SIGNAL(signalThreadsStopped(QList<quint32>,int)), this, SLOT(slotThreadsStopped(QList<quint32>,int)));
    connect(manager, SIGNAL(signalSegmentDownloadOK(NzbSegment*)), this, SLOT(slotDownloadListSegmentDownloadOK(NzbSegment*)));
    connect(manager, SIGNAL(signalSegmentDownloadException(NzbSegment*,QString)), this,
            SLOT(slotDownloadListSegmentDownloadException(NzbSegment*,QString)));
    connect(manager, SIGNAL(signalSegmentIsMissing(NzbSegment*)), this, SLOT(slotDownloadListSegmentIsMissing(NzbSegment*)));
    connect(manager, SIGNAL(signalSegmentFailedToCreateFile(NzbSegment*,QString)), this,
            SLOT(slotDownloadListSegmentFailedToCreateFile(NzbSegment*,QString)));
    connect(manager, SIGNAL(signalFileDecoded(NzbFile*)), this, SLOT(slotDownloadListFileDecoded(NzbFile*)));
    connect(manager, SIGNAL(signalFileWarning(NzbFile*,QString)), this, SLOT(slotDownloadListFileWarning(NzbFile*,QString)));
    connect(manager, SIGNAL(signalFileResumed(NzbFile*)), this, SLOT(slotDownloadListFileResumed(NzbFile*)));
    connect(manager, SIGNAL(signalNzbFinished(NzbFiles*)), this, SLOT(slotDownloadListNzbFinished(NzbFiles*)));
    connect(manager, SIGNAL(signalPar2Progress(QString,NzbFiles*)), this, SLOT(slotDownloadListPar2Progress(QString,NzbFiles*)));
    connect(manager, SIGNAL(signalPar2Finished(QString,QString,NzbFiles*)), this,
            SLOT(slotDownloadListPar2Finished(QString,QString,NzbFiles*)));
    connect(manager, SIGNAL(signalUnrarProgress(QString,NzbFiles*)), this, SLOT(slotUnrarProgress(QString,NzbFiles*)));
    connect(manager, SIGNAL(signalUnrarFinished(NzbFiles*,bool)), this, SLOT(slotUnrarFinished(NzbFiles*,bool)));
    connect(manager, SIGNAL(signalUnrarError(QString,NzbFiles*)), this, SLOT(slotUnrarError(QString,NzbFiles*)));
    connect(manager, SIGNAL(signalUnrarNoFileFound(NzbFiles*)), this, SLOT(slotUnrarNoFileFound(NzbFiles*)));
    connect(manager, SIGNAL(signalStartUnsplit(NzbFiles*)), this, SLOT(slotUnsplitStart(NzbFiles*)));
    connect(manager, SIGNAL(signalUnsplitProgress(NzbFiles*,quint32,quint32)), this,
            SLOT(slotUnsplitProgress(NzbFiles*,quint32,quint32)));
    connect(manager, SIGNAL(signalUnsplitDone(NzbFiles*,QString)), this, SLOT(slotUnsplitDone(NzbFiles*,QString)));
    connect(manager, SIGNAL(signalUnsplitNoFileFound(NzbFiles*)), this, SLOT(slotUnsplitNoFileFound(NzbFiles*)));
    // Every connection paused because segment files cannot be written: the user has to know.
    connect(manager, SIGNAL(signalDownloadsPaused(QString)), this, SLOT(slotDownloadsPaused(QString)));
    connect(manager, SIGNAL(signalNzbWaitsForFolder(NzbFiles*,QString,QString,bool)), this,
            SLOT(slotNzbWaitsForFolder(NzbFiles*,QString,QString,bool)));

    copySettingsToDownloadManager();
    // The manager's own thread runs only its timers; the manager object stays in this thread,
    // so every slot above runs here.
    manager->start(QThread::InheritPriority);
    manager->setPriority(QThread::TimeCriticalPriority);
}

// At start and after the settings dialog: folders and time-out count for what the manager does
// afterwards (NZBs loaded and connections made from then on).
void MainWindow::copySettingsToDownloadManager()
{
    const AppConfiguration *config = AppConfiguration::getInstance();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    manager->strCacheFolder = config->cacheFolder;
    manager->strDownloadFolder = config->downloadFolder;
    manager->strDestinationFolder = config->destinationFolder;
    manager->bAutoUnrar = config->autoUnrar;
    manager->bAutoUnsplit = config->autoUnsplit;
    // A time-out of a second or less (or one too large to count in milliseconds) is no time-out
    // a server can answer within: 30 seconds instead.
    const quint64 timeoutMs = quint64(config->socketTimeout) * 1000;
    manager->iSocketTimeout = (timeoutMs > 1000 && timeoutMs <= quint64(INT_MAX)) ? int(timeoutMs) : kDefaultSocketTimeoutMs;
}

// Both radio buttons are connected, so a change of choice comes twice with the same outcome.
void MainWindow::slotDecodersPriorityStateChanged(bool bChecked)
{
    Q_UNUSED(bChecked);
    DownloadNzbManager::getInstance()->setDecodersPriority(ui->radioButtonDecodingPriorityHigh->isChecked() ? 0 : 100);
}
