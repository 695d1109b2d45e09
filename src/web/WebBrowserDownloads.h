#ifndef WEBBROWSERDOWNLOADS_H
#define WEBBROWSERDOWNLOADS_H

#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QProgressBar;
class QTemporaryFile;
class QWidget;

// The files that the web browser downloads: content a page cannot show (an NZB behind a link)
// and downloads a page asks for (its "save link" action). One download runs at a time, into a
// temporary file, with its progress shown below the browser. When it ends, a file of the first
// kind whose name says NZB goes to the download queue; any other file is offered for saving.
// A download that failed is said so and dropped; one replaced by a newer download is dropped
// without a word. A transfer takes no more memory than its read buffer, and a caught NZB (or
// nameless file) that grows past the largest size of an NZB file is stopped.
class WebBrowserDownloads : public QObject
{
    Q_OBJECT

public:
    // The widgets of the main window's form that show a download.
    struct Controls {
        QWidget *window = nullptr;  // parent of the save dialog and message boxes
        QLabel *labelWebDownloading = nullptr;
        QProgressBar *progressBarWebDownload = nullptr;

        template <class Form>
        static Controls fromForm(QWidget *window, const Form &ui)
        {
            Controls c;
            c.window = window;
            c.labelWebDownloading = ui.labelWebDownloading;
            c.progressBarWebDownload = ui.progressBarWebDownload;
            return c;
        }
    };

    // Queues an NZB file (path, display name, destination folder; an empty destination asks
    // the user): the main window's addNzbFile. It has read the file when it returns.
    using NzbFileAdder = std::function<void(const QString &, const QString &, const QString &)>;
    // Asks where to save a file (parent, caption, suggested path); empty when cancelled.
    using SaveFileChooser = std::function<QString(QWidget *, const QString &, const QString &)>;

    WebBrowserDownloads(const Controls &controls, QNetworkAccessManager *manager,
                        const NzbFileAdder &addNzbFile, QObject *parent = nullptr);
    ~WebBrowserDownloads() override;

    bool isDownloading() const { return current != nullptr; }

    // Replaces the save dialog, process-wide (tests); an empty function restores
    // QFileDialog::getSaveFileName.
    static void setSaveFileChooser(const SaveFileChooser &chooser);

signals:
    // A download has ended, whatever became of it (queued, saved, failed, dropped).
    void downloadEnded();

public slots:
    void webBrowserUnsupportedContent(QNetworkReply *reply);
    void webBrowserDownloadRequested(QNetworkRequest request);
    void webBrowserUnsupportedContentDownloadReadyRead();
    void webBrowserDownloadReadyRead();
    void webBrowserDownloadProgress(qint64 received, qint64 total);
    void webBrowserUnsupportedContentDownloadFinished();
    void webBrowserDownloadFinished();

private:
    struct Download;
    enum Kind { CaughtContent, RequestedDownload };

    bool start(QNetworkReply *reply, Kind kind);
    std::unique_ptr<Download> openDownload();
    void follow(QNetworkReply *reply, Kind kind);
    void appendAvailable();
    void stopTooLarge();
    void dropCurrent();
    std::unique_ptr<Download> takeCurrent();
    bool reportFailure(Download &download);
    static QString cutShortReason(const Download &download);
    void showFailure(const QString &reason);
    void handOver(Download &download);
    void offerToSave(Download &download, const QString &name);
    void showProgress();
    void hideProgress();

    Controls ui;
    QNetworkAccessManager *manager;
    NzbFileAdder addNzbFile;
    std::unique_ptr<Download> current;
};

#endif // WEBBROWSERDOWNLOADS_H
