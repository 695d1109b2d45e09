// The roads by which NZB files reach the queue (command line, a later start, a drop, the open
// dialog, the browser, the search and the history all end in addNzbFile), and the saved queue
// put back at start-up.
#include "app/MainWindow.h"

#include "app/NzbBackgroundReader.h"
#include "config/AppConfiguration.h"
#include "config/UtilsFilesFolders.h"
#include "config/NzbHandOverFolder.h"
#include "dialogs/DialogDownloadNzb.h"
#include "dialogs/DialogHistoryNzb.h"
#include "dialogs/UtilsNzbCompressUncompress.h"
#include "engine/DownloadNzbManager.h"
#include "model/NzbFiles.h"
#include "model/NzbParser.h"
#include "QsLog/QsLog.h"

#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int kMaxDroppedFiles = 32;
// Below this many files, an NZB's segment paths take no noticeable time.
constexpr qint64 kFilesPlacedAtOnce = 2000;

// An argument names an NZB file by its suffix, in any letter case.
bool hasNzbSuffix(const QFileInfo &info)
{
    return info.suffix().toLower() == QLatin1String("nzb");
}

} // namespace

// Every NZB of the saved queue gets its rows first, then goes to the manager in the saved
// order; the manager resumes each where its record left it. An NZB with nothing left to
// download stays queued there, as one added by hand does.
void MainWindow::restoreDownloadList()
{
    const QList<NzbFiles *> listSaved = AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles;
    for (NzbFiles *nzb : listSaved)
        createNzbItems(nzb);
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    for (NzbFiles *nzb : listSaved) {
        // A download folder that could not be used, nothing of the NZB in it yet: the one the
        // settings give now is taken.
        if (!nzb->bFinished && manager->adoptUsableDownloadFolder(nzb))
            AppConfiguration::getInstance()->nzbConfiguration.saveInBackground(nzb);
        QString strError;
        manager->queueNzbFiles(nzb, strError);
    }
    if (listSaved.isEmpty())
        cleanLeftoversOfEmptyQueue();
}

// Only after a configuration that loaded: otherwise the Cache folder may be a default that is
// not the user's, and records that could not be read are still worth a later start. Only the
// segment folders the program makes are removed (the Cache folder may be shared), and a record
// that could not be opened stays with its backup for a later start, as do damaged records set
// aside at start.
void MainWindow::cleanLeftoversOfEmptyQueue()
{
    AppConfiguration *config = AppConfiguration::getInstance();
    if (!config->loaded)
        return;
    config->cleanCacheFolder();
    const QDir records(AppConfiguration::getNzbFolder());
    if (!records.exists())
        return;
    const QFileInfoList files = records.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    QSet<QString> setKept;
    for (const QFileInfo &file : files) {
        QFile probe(file.absoluteFilePath());
        if (!probe.open(QIODevice::ReadOnly) || NzbConfiguration::isDamagedName(file.fileName()))
            setKept << file.fileName() << file.fileName() + NzbConfiguration::backupSuffix();
    }
    for (const QFileInfo &file : files) {
        if (!setKept.contains(file.fileName()))
            QFile::remove(file.absoluteFilePath());
    }
}

namespace {

QString listed(const QStringList &names)
{
    QStringList lines;
    for (const QString &name : names)
        lines << QStringLiteral("- ") + name;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void MainWindow::reportUnreadableSavedState()
{
    const AppConfiguration *config = AppConfiguration::getInstance();
    const QStringList &nzbs = config->nzbConfiguration.listUnrestoredNzbs;
    const QStringList &servers = config->serversConfiguration.listUnreadableFiles;
    if (nzbs.isEmpty() && servers.isEmpty())
        return;
    QStringList parts;
    if (!nzbs.isEmpty())
        parts << tr("These NZBs of the saved queue could not be restored: their record and its backup are "
                    "damaged.\n%1\nThe damaged files are kept in %2 with the suffix %3.")
                     .arg(listed(nzbs), AppConfiguration::getNzbFolder(), NzbConfiguration::damagedSuffix());
    if (!servers.isEmpty())
        parts << tr("These server records could not be read, so their servers are missing:\n%1\nThe files are "
                    "kept in %2.")
                     .arg(listed(servers), AppConfiguration::getServersFolder());
    const QString text = parts.join(QStringLiteral("\n\n"));
    QPointer<MainWindow> window(this);
    QTimer::singleShot(0, this, [window, text] {
        if (!window || window->bClosing)
            return;
        // Names come from the files: shown as they are, never read as markup.
        QMessageBox box(QMessageBox::Warning, tr("Tessaquill+"), text, QMessageBox::Ok, window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    });
}

void MainWindow::addNzbFile(const QString &strNzbPath, const QString &strNzbName, const QString &strDestination)
{
    // Once the exit has begun the engine is stopped for good: nothing more may reach it.
    if (bClosing)
        return;
    bringWindowForward();
    AppConfiguration *config = AppConfiguration::getInstance();
    DownloadNzbManager *manager = DownloadNzbManager::getInstance();
    QString strError;
    // The window keeps answering while the file is read; the exit may begin meanwhile.
    // The files of a large NZB are put in order while it is read: the manager's own sorting then
    // finds them in order.
    const bool bSmartDownload = config->autoSmartDownload;
    NzbFiles *nzb = bReadingStartArguments
                        ? NzbParser::parseFile(strNzbPath, strError)
                        : NzbBackgroundReader::read(strNzbPath, strError,
                                                    [bSmartDownload](NzbFiles *read) { read->sortFiles(bSmartDownload); });
    if (bClosing) {
        delete nzb;
        return;
    }
    // From here on the steps of a large NZB take time of their own: the window answers between
    // them, and between slices of its rows.
    QElapsedTimer slice;
    slice.start();
    int iNzbIndex = -1;
    if (nzb)
        nzb = manager->prepareLoadedNzb(nzb, strNzbName, QString(), &iNzbIndex);
    if (nzb && !placeSegments(nzb, manager->segmentsRoot(), iNzbIndex, slice)) {
        delete nzb;
        return;
    }
    if (!nzb) {
        reportUnreadableNzb(strNzbPath, strNzbName, strError);
        return;
    }
    QLOG_INFO() << tr("Adding new NZB: %1...").arg(nzb->strName);
    nzb->bKeepPar2Files = config->autoKeepPar2Files;

    QString strChosenDestination = strDestination;
    if (strChosenDestination.isEmpty() && !config->autoDownloadNzb
        && !askWhatBecomesOfNzb(nzb, strNzbPath, strChosenDestination)) {
        delete nzb;
        return;
    }

    QString strHistoryError;
    const bool bSavedToHistory = UtilsNzbCompressUncompress::saveNzbToHistory(strNzbPath, nzb->strName, strHistoryError);
    if (strArgumentBeingAdded == strNzbPath)
        bArgumentInHistory = true;
    if (!bSavedToHistory)
        QMessageBox::critical(this, tr("Tessaquill+"), tr("Error while saving NZB history file: %1").arg(strHistoryError),
                              QMessageBox::Ok);
    if (bClosing) {
        delete nzb;
        return;
    }
    QLOG_INFO() << tr("NZB %1 added to download list").arg(nzb->strName);
    if (!strChosenDestination.isEmpty())
        nzb->setDestination(strChosenDestination, config->autoCreateSubFolderInDestination);
    nzb->sortFiles(false);
    QTreeWidgetItem *nzbRow = answerBetweenSteps(slice) ? buildNzbRow(nzb, &slice) : nullptr;
    if (!nzbRow) {
        delete nzb;
        return;
    }
    showNzbRow(nzbRow);
    nzb->iQueueId = nextQueueId();
    config->nzbConfiguration.listNzbFiles.append(nzb);
    if (strArgumentBeingAdded == strNzbPath)
        strArgumentBeingAdded.clear();
    config->nzbConfiguration.saveInBackground(nzb);
    // An NZB with nothing to download (all its files held back, or none) stays queued as it is:
    // resuming or removing its files still reaches it, as after a restart.
    manager->queueNzbFiles(nzb, strError);
}

// The add-NZB dialog decides. True when the NZB is to be queued (into `strDestination`); false
// when it was saved to disk instead, the user cancelled, or the exit began meanwhile. A copy that
// could not be saved brings the dialog back as the user left it, the NZB still to be decided.
bool MainWindow::askWhatBecomesOfNzb(NzbFiles *nzb, const QString &strNzbPath, QString &strDestination)
{
    QPointer<DialogDownloadNzb> dialog = new DialogDownloadNzb(this);
    dialog->setWindowFlags(Qt::Sheet);
    dialog->setNzbFiles(nzb);
    for (;;) {
        const int result = dialog->exec();
        keepWizardInFront();
        // The exit may have begun while the dialog was open.
        if (!dialog || result != QDialog::Accepted || bClosing)
            break;
        createDestinationMenus();
        if (dialog->isDownloadNzbSelected() || !dialog->isSaveNzbSelected()) {
            strDestination = dialog->getDestinationPath();
            delete dialog;
            return true;
        }
        if (saveNzbFileTo(strNzbPath, nzb->strName, dialog->getSaveFilePath()) || bClosing)
            break;
    }
    delete dialog;
    return false;
}

qint32 MainWindow::nextQueueId() const
{
    const QList<NzbFiles *> &saved = AppConfiguration::getInstance()->nzbConfiguration.listNzbFiles;
    quint32 uiHighest = 0;
    for (const NzbFiles *nzb : saved)
        uiHighest = qMax(uiHighest, quint32(nzb->iQueueId));
    return saved.isEmpty() ? 0 : qint32(uiHighest + 1);
}

// The arguments of the command line and of later starts were promised a place in the queue (a
// later start was told its file was taken, and has ended since). Those the exit came before,
// the one being added included, are put in the saved queue here, without rows and without
// questions (the download window's choices at their defaults), and downloaded from the next
// start on.
void MainWindow::queueArgumentsLeftAtExit()
{
    if (!strArgumentBeingAdded.isEmpty())
        queueArgumentAtExit(strArgumentBeingAdded, !bArgumentInHistory);
    strArgumentBeingAdded.clear();
    const QStringList listLeft = listPendingArguments;
    listPendingArguments.clear();
    for (const QString &strPath : listLeft)
        queueArgumentAtExit(strPath, true);
}

void MainWindow::queueArgumentAtExit(const QString &strPath, bool bSaveToHistory)
{
    const QFileInfo info(strPath);
    if (!hasNzbSuffix(info)) {
        QLOG_ERROR() << tr("Cannot load %1: bad suffix").arg(strPath);
        return;
    }
    QString strError;
    NzbFiles *nzb = NzbParser::parseFile(strPath, strError);
    if (!nzb) {
        QLOG_ERROR() << tr("Error while importing NZB file: %1").arg(strError)
                            + QStringLiteral(" (%1)").arg(QDir::toNativeSeparators(strPath));
        return;
    }
    AppConfiguration *config = AppConfiguration::getInstance();
    nzb = DownloadNzbManager::getInstance()->prepareLoadedNzb(nzb, info.completeBaseName(), QString());
    nzb->bKeepPar2Files = config->autoKeepPar2Files;
    QString strHistoryError;
    if (bSaveToHistory && !UtilsNzbCompressUncompress::saveNzbToHistory(strPath, nzb->strName, strHistoryError))
        QLOG_ERROR() << tr("Error while saving NZB history file: %1").arg(strHistoryError);
    nzb->sortFiles(false);
    nzb->iQueueId = nextQueueId();
    config->nzbConfiguration.listNzbFiles.append(nzb);
    listQueuedAtExit.append(nzb);
    QLOG_INFO() << tr("NZB %1 was handed over while the program was ending: it is saved in the download queue "
                      "and downloaded from the next start on")
                       .arg(nzb->strName);
}

// A queue record that cannot be written costs its NZB at the next start: the user hears of it at
// once, in a box that holds nothing up, once per folder and reason; the exit says it again.
void MainWindow::slotQueueRecordNotWritten(const QString &strFolder, const QString &strReason)
{
    strQueueNotSavedFolder = strFolder;
    strQueueNotSavedReason = strReason;
    const QString cause = strFolder + QLatin1Char('\n') + strReason;
    if (bClosing || setQueueNotSavedCausesShown.contains(cause))
        return;
    setQueueNotSavedCausesShown.insert(cause);
    const QString text = tr("The download queue could not be saved in %1: %2\n\nAn NZB whose record is not saved "
                            "is missing at the next start. Free some disk space or make the folder writable: the "
                            "queue is saved again at its next change and at exit.")
                             .arg(strFolder, strReason);
    auto *box = new QMessageBox(QMessageBox::Critical, tr("Tessaquill+"), text, QMessageBox::Ok, this);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

// The user who closed the program is told before it ends; an exit nobody asked for in person (the
// end of the session, the end-of-queue action) only logs it.
void MainWindow::reportQueueNotSavedAtExit()
{
    const QString text = tr("The download queue could not be saved in %1: %2\n\nThe NZBs whose record could not "
                            "be written will be missing at the next start.")
                             .arg(strQueueNotSavedFolder, strQueueNotSavedReason);
    QLOG_ERROR() << text;
    if (bSkipExitQuestion) {
        // The log may sit on the same full or read-only disk.
        qCritical().noquote() << text;
        return;
    }
    QMessageBox box(QMessageBox::Critical, tr("Tessaquill+"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// The segment paths of an NZB of hundreds of thousands of files take a moment of their own: they
// are set in another thread while the window answers (not at start, see loadNzbFromArguments).
// False once the exit has begun.
bool MainWindow::placeSegments(NzbFiles *pNzbFiles, const QString &strRoot, int iNzbIndex, QElapsedTimer &slice)
{
    const auto place = [strRoot, iNzbIndex](NzbFiles *nzb) { nzb->setSegmentPaths(strRoot, iNzbIndex); };
    if (bReadingStartArguments || pNzbFiles->getFileCount() < kFilesPlacedAtOnce)
        place(pNzbFiles);
    else
        NzbBackgroundReader::work(pNzbFiles, place);
    slice.restart();
    return !bClosing;
}

// The NZB file is kept somewhere instead of being downloaded; a copy that fails is said so, with why.
bool MainWindow::saveNzbFileTo(const QString &strNzbPath, const QString &strNzbName, const QString &strSavePath)
{
    QString strWhy;
    if (UtilsFilesFolders::copyFile(strNzbPath, strSavePath, &strWhy)) {
        QLOG_INFO() << tr("NZB %1 saved to disk: %2").arg(strNzbName, strSavePath);
        return true;
    }
    const QString text = tr("NZB %1 could not be saved to disk: %2\n%3").arg(strNzbName, strSavePath, strWhy);
    QLOG_ERROR() << text;
    QMessageBox box(QMessageBox::Critical, tr("Tessaquill+"), text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return false;
}

// From index 1: an NZB file by its suffix, in any letter case; anything else is logged. main
// calls it before the event loop runs: the files are read without handling events meanwhile, as
// nothing may begin then (the exit that only exec() could end, a later start's hand-over).
void MainWindow::loadNzbFromArguments(const QStringList &listArguments)
{
    listPendingArguments += listArguments.mid(1);
    bReadingStartArguments = true;
    takePendingArguments();
    bReadingStartArguments = false;
}

// One argument of a later start of the program, handled as one of the command line.
void MainWindow::handleMessage(const QString &strMessage)
{
    if (bClosing)
        return;
    listPendingArguments.append(strMessage);
    takePendingArguments();
}

// One at a time, in the order they came: an argument that comes while the NZB of another is read
// (the window answers meanwhile) waits for it, so that the queue keeps the order they were given in.
void MainWindow::takePendingArguments()
{
    if (bTakingArguments)
        return;
    bTakingArguments = true;
    while (!listPendingArguments.isEmpty() && !bClosing)
        takeArgument(listPendingArguments.takeFirst());
    bTakingArguments = false;
}

void MainWindow::takeArgument(const QString &strArgument)
{
    const QFileInfo info(strArgument);
    if (!hasNzbSuffix(info)) {
        refuseArgument(strArgument);
        return;
    }
    strArgumentBeingAdded = strArgument;
    bArgumentInHistory = false;
    addNzbFile(strArgument, info.completeBaseName(), QString());
    strArgumentBeingAdded.clear();
}

// The drop is accepted at once and the files are added from the event loop afterwards: the
// questions and messages of an addition must not hold the program the drag came from.
void MainWindow::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls())
        return;
    QStringList listPaths;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (int i = 0; i < urls.size() && i < kMaxDroppedFiles; ++i)
        listPaths.append(urls.at(i).toLocalFile());
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, listPaths] { addFilesFromDrop(listPaths); });
}

// No suffix test: a file that is no NZB file is refused by the reading, with its message.
void MainWindow::addFilesFromDrop(const QStringList &listPaths)
{
    for (const QString &path : listPaths)
        addNzbFile(path, QFileInfo(path).completeBaseName(), QString());
}

// The history window wrote this file for the hand-over only: it goes whatever the addition did.
void MainWindow::slotHistoryNzbFileToDownload(QString strNzbPath)
{
    if (dialogHistoryNzb)
        dialogHistoryNzb->close();
    addNzbFile(strNzbPath, QFileInfo(strNzbPath).completeBaseName(), QString());
    NzbHandOverFolder::removeFile(strNzbPath);
}
