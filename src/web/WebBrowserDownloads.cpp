#include "web/WebBrowserDownloads.h"

#include "widgets/AppVersion.h"
#include "config/UtilsFilesFolders.h"
#include "model/NzbParser.h"
#include "web/CaughtFileName.h"
#include "web/WebAnswerLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QTemporaryFile>
#include <QTimer>

// The browser's texts belong to the main window (translation context "MainWindow").
namespace {

WebBrowserDownloads::SaveFileChooser &saveFileChooser()
{
    static WebBrowserDownloads::SaveFileChooser chooser;
    return chooser;
}

QString chooseSaveFile(QWidget *parent, const QString &caption, const QString &suggestedPath)
{
    if (saveFileChooser())
        return saveFileChooser()(parent, caption, suggestedPath);
    return QFileDialog::getSaveFileName(parent, caption, suggestedPath);
}

// The name of a caught file, from the reply's content type and content disposition.
QString caughtFileName(const QNetworkReply &reply)
{
    QByteArray contentType;
    QByteArray disposition;
    for (const QNetworkReply::RawHeaderPair &header : reply.rawHeaderPairs()) {
        const QByteArray name = header.first.toLower();
        if (name.contains("content-disposition"))
            disposition = header.second;
        if (name.contains("content-type"))
            contentType = header.second;
    }
    return CaughtFileName::fromHeaders(contentType, disposition);
}

bool isNzbName(const QString &name)
{
    return QFileInfo(name).suffix().toLower() == QLatin1String("nzb");
}

} // namespace

// One download: its reply (not owned: released with deleteLater) and its temporary file, which
// goes with the object.
struct WebBrowserDownloads::Download {
    QPointer<QNetworkReply> reply;
    std::unique_ptr<QTemporaryFile> file;
    Kind kind = CaughtContent;
    // The name its headers announce, for content a page could not show (its headers have
    // come when it is handed over).
    QString caughtName;
    QString writeError;
    // The most it may bring (-1: no bound), what it has brought, and, once stopped at that
    // bound, what the user is told (nothing for a file that would be dropped anyway).
    qint64 maxBytes = -1;
    qint64 received = 0;
    bool stopped = false;
    QString stopReason;

    ~Download()
    {
        if (reply)
            reply->deleteLater();
    }
};

WebBrowserDownloads::WebBrowserDownloads(const Controls &controls, QNetworkAccessManager *networkManager,
                                         const NzbFileAdder &adder, QObject *parent)
    : QObject(parent)
    , ui(controls)
    , manager(networkManager)
    , addNzbFile(adder)
{
}

WebBrowserDownloads::~WebBrowserDownloads()
{
    if (current && current->reply) {
        disconnect(current->reply, nullptr, this, nullptr);
        current->reply->abort();
    }
}

void WebBrowserDownloads::setSaveFileChooser(const SaveFileChooser &chooser)
{
    saveFileChooser() = chooser;
}

void WebBrowserDownloads::webBrowserUnsupportedContent(QNetworkReply *reply)
{
    if (!reply)
        return;
    if (!start(reply, CaughtContent)) {
        reply->deleteLater();
        return;
    }
    // A small answer may be complete already: its finished() has been sent.
    if (reply->isFinished()) {
        QPointer<QNetworkReply> finished(reply);
        QTimer::singleShot(0, this, [this, finished] {
            if (current && finished && current->reply == finished)
                webBrowserUnsupportedContentDownloadFinished();
        });
    }
}

void WebBrowserDownloads::webBrowserDownloadRequested(QNetworkRequest request)
{
    if (!manager)
        return;
    // A link that redirects leads to the file, never to the redirection's own page.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager->get(request);
    if (!start(reply, RequestedDownload)) {
        reply->abort();
        reply->deleteLater();
    }
}

// Replaces the running download (dropped without a word) by a new one into a new temporary
// file; false, after saying so, when that file cannot be made.
bool WebBrowserDownloads::start(QNetworkReply *reply, Kind kind)
{
    dropCurrent();
    auto download = std::make_unique<Download>();
    download->file = std::make_unique<QTemporaryFile>();
    if (!download->file->open()) {
        showFailure(download->file->errorString());
        emit downloadEnded();
        return false;
    }
    download->kind = kind;
    download->reply = reply;
    // A caught NZB, or a nameless file that will be dropped, has the bound of an NZB file; a
    // file to save has none but the disk's.
    if (kind == CaughtContent) {
        download->caughtName = caughtFileName(*reply);
        if (download->caughtName.isEmpty() || isNzbName(download->caughtName))
            download->maxBytes = WebAnswerLimits::MaxNzbBytes;
    }
    WebAnswerLimits::limitReadBuffer(reply);
    current = std::move(download);
    follow(reply, kind);
    showProgress();
    // What came before the reply was handed over: with a full read buffer no more comes, and
    // so no readyRead() either, until it is taken.
    QPointer<QNetworkReply> handedOver(reply);
    QTimer::singleShot(0, this, [this, handedOver] {
        if (current && handedOver && current->reply == handedOver)
            appendAvailable();
    });
    bool known = false;
    const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && current->maxBytes >= 0 && announced > current->maxBytes)
        stopTooLarge();
    return true;
}

// Past its bound the download is stopped, from the event loop (not from inside the reply's
// own signal); its end then says why, or drops it without a word when it had no name.
void WebBrowserDownloads::stopTooLarge()
{
    current->stopped = true;
    if (!current->caughtName.isEmpty())
        current->stopReason =
            QCoreApplication::translate("MainWindow", "The file is larger than %1 MiB, more than an NZB file may hold.")
                .arg(WebAnswerLimits::mebibytes(current->maxBytes));
    QTimer::singleShot(0, current->reply.data(), &QNetworkReply::abort);
}

void WebBrowserDownloads::follow(QNetworkReply *reply, Kind kind)
{
    if (kind == CaughtContent) {
        connect(reply, SIGNAL(readyRead()), this, SLOT(webBrowserUnsupportedContentDownloadReadyRead()));
        connect(reply, SIGNAL(finished()), this, SLOT(webBrowserUnsupportedContentDownloadFinished()));
    } else {
        connect(reply, SIGNAL(readyRead()), this, SLOT(webBrowserDownloadReadyRead()));
        connect(reply, SIGNAL(finished()), this, SLOT(webBrowserDownloadFinished()));
    }
    connect(reply, SIGNAL(downloadProgress(qint64,qint64)), this, SLOT(webBrowserDownloadProgress(qint64,qint64)));
}

void WebBrowserDownloads::webBrowserUnsupportedContentDownloadReadyRead()
{
    appendAvailable();
}

void WebBrowserDownloads::webBrowserDownloadReadyRead()
{
    appendAvailable();
}

void WebBrowserDownloads::appendAvailable()
{
    // An aborted reply is closed: what it held is of no use any more.
    if (!current || !current->reply || !current->reply->isOpen() || current->stopped)
        return;
    const QByteArray data = current->reply->readAll();
    current->received += data.size();
    if (current->maxBytes >= 0 && current->received > current->maxBytes) {
        stopTooLarge();
        return;
    }
    if (data.isEmpty() || !current->writeError.isEmpty())
        return;
    if (current->file->write(data) != data.size())
        current->writeError = current->file->errorString();
}

void WebBrowserDownloads::webBrowserDownloadProgress(qint64 received, qint64 total)
{
    // No size announced (-1), or nothing to show (0): the bar stays as it is.
    if (total <= 0 || !ui.progressBarWebDownload)
        return;
    ui.progressBarWebDownload->setValue(int(received * 100 / total));
}

void WebBrowserDownloads::webBrowserUnsupportedContentDownloadFinished()
{
    if (!current || current->kind != CaughtContent)
        return;
    appendAvailable();
    // Everything this download needs is taken out of the members before any dialog opens: a
    // download that starts meanwhile cannot touch it.
    std::unique_ptr<Download> download = takeCurrent();
    if (!reportFailure(*download))
        handOver(*download);
    emit downloadEnded();
}

void WebBrowserDownloads::webBrowserDownloadFinished()
{
    if (!current || current->kind != RequestedDownload)
        return;
    appendAvailable();
    std::unique_ptr<Download> download = takeCurrent();
    if (!reportFailure(*download))
        offerToSave(*download, QFileInfo(download->reply->url().path()).fileName());
    emit downloadEnded();
}

std::unique_ptr<WebBrowserDownloads::Download> WebBrowserDownloads::takeCurrent()
{
    std::unique_ptr<Download> download = std::move(current);
    if (download) {
        if (download->reply)
            disconnect(download->reply, nullptr, this, nullptr);
        if (!download->file->flush() && download->writeError.isEmpty())
            download->writeError = download->file->errorString();
        download->file->close();
        hideProgress();
    }
    return download;
}

// A running download that a newer one replaces goes without a word.
void WebBrowserDownloads::dropCurrent()
{
    std::unique_ptr<Download> download = takeCurrent();
    if (!download)
        return;
    if (download->reply)
        download->reply->abort();
    emit downloadEnded();
}

// A reply that ended in an error (an error page, a connection lost in the body, a time-out) or
// a file that could not be written: nothing of it is used.
bool WebBrowserDownloads::reportFailure(Download &download)
{
    if (download.stopped) {
        if (!download.stopReason.isEmpty())
            showFailure(download.stopReason);
        return true;
    }
    QString reason = download.writeError;
    if (reason.isEmpty() && !download.reply)
        reason = QCoreApplication::translate("MainWindow", "The connection was closed.");
    if (reason.isEmpty() && download.reply->error() != QNetworkReply::NoError)
        reason = download.reply->errorString();
    if (reason.isEmpty())
        reason = cutShortReason(download);
    if (reason.isEmpty())
        return false;
    showFailure(reason);
    return true;
}

// Qt may end a transfer whose connection closed in the middle of its body as a whole one (seen
// with chunked answers): what it brought is checked against what it announced, and a caught NZB
// must reach the end of its document.
QString WebBrowserDownloads::cutShortReason(const Download &download)
{
    bool known = false;
    const qint64 announced = download.reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && download.received != announced)
        return QCoreApplication::translate("MainWindow", "The connection was closed after %1 of %2 bytes.")
            .arg(download.received)
            .arg(announced);
    if (download.kind == CaughtContent && isNzbName(download.caughtName)
        && !NzbParser::endsWhole(download.file->fileName()))
        return QCoreApplication::translate("MainWindow", "The connection was closed before the end of the NZB file.");
    return QString();
}

void WebBrowserDownloads::showFailure(const QString &reason)
{
    QMessageBox box(QMessageBox::Warning, AppVersion::displayName(),
                    QCoreApplication::translate("MainWindow", "Download failed"), QMessageBox::Ok, ui.window);
    box.setInformativeText(reason);
    box.exec();
}

// Content a page could not show: an NZB goes to the queue, another file is offered for saving,
// a file without a name is dropped.
void WebBrowserDownloads::handOver(Download &download)
{
    const QString &name = download.caughtName;
    if (name.isEmpty())
        return;
    const QFileInfo info(name);
    if (isNzbName(name)) {
        if (addNzbFile)
            addNzbFile(download.file->fileName(), info.completeBaseName(), QString());
        return;
    }
    offerToSave(download, name);
}

// Until the file is saved or the user gives up: a copy that fails is said so, and the dialog
// comes back.
void WebBrowserDownloads::offerToSave(Download &download, const QString &name)
{
    const QString caption = QCoreApplication::translate("MainWindow", "Save file...");
    QString path = chooseSaveFile(ui.window, caption, QDir::homePath() + QLatin1Char('/') + name);
    while (!path.isEmpty()) {
        QString why;
        if (UtilsFilesFolders::copyFile(download.file->fileName(), path, &why))
            return;
        QMessageBox::critical(ui.window, AppVersion::displayName(),
                              QCoreApplication::translate("MainWindow", "The file could not be saved to %1: %2")
                                  .arg(QDir::toNativeSeparators(path), why),
                              QMessageBox::Ok);
        path = chooseSaveFile(ui.window, caption, path);
    }
}

void WebBrowserDownloads::showProgress()
{
    if (ui.labelWebDownloading)
        ui.labelWebDownloading->show();
    if (ui.progressBarWebDownload) {
        ui.progressBarWebDownload->show();
        ui.progressBarWebDownload->setValue(0);
    }
}

void WebBrowserDownloads::hideProgress()
{
    if (ui.labelWebDownloading)
        ui.labelWebDownloading->hide();
    if (ui.progressBarWebDownload) {
        ui.progressBarWebDownload->hide();
        ui.progressBarWebDownload->setValue(0);
    }
}
