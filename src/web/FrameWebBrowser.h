#ifndef FRAMEWEBBROWSER_H
#define FRAMEWEBBROWSER_H

#include <QFrame>
#include <QList>
#include <QMetaObject>
#include <QNetworkRequest>
#include <QUrl>

class MyWebView;
class QNetworkAccessManager;
class QNetworkReply;

namespace Ui {
class FrameWebBrowser;
}

// The page of one browser tab: one web view, whose signals and whose page's signals it passes
// on with itself as the page they concern. It keeps the link under the pointer for the view
// and hands every page that loaded to the listing-page rewriter.
class FrameWebBrowser : public QFrame
{
    Q_OBJECT

public:
    explicit FrameWebBrowser(QWidget *parent = nullptr);
    ~FrameWebBrowser() override;

    // The manager through which the page makes its requests; not owned. Content the view
    // cannot show is handed on (webBrowserUnsupportedContent) instead of being dropped.
    void setNetworkManager(QNetworkAccessManager *manager);
    QNetworkAccessManager *networkManager() const { return manager; }
    MyWebView *webView() const;

signals:
    void webBrowserTitleChanged(QString title, QWidget *page);
    void webBrowserLoadStarted();
    void webBrowserLoadFinished(bool ok);
    void webBrowserUrlChanged(QUrl url, QWidget *page);
    void webBrowserNzbInternalSearch(QString strSearch);
    void webBrowserUnsupportedContent(QNetworkReply *reply);
    void webBrowserDownloadRequested(QNetworkRequest request);
    void webBrowserCreateNewTab(QUrl url);
    void webBrowserIconChanged(QWidget *page);

public slots:
    void webBrowserTitleChanged(QString title);
    void webBrowserLinkHovered(QString link, QString title, QString textContent);
    void slotWebBrowserLoadFinished(bool ok);
    void slotWebBrowserUrlChanged(QUrl url);
    void slotWebBrowserIconChanged();

private:
    Ui::FrameWebBrowser *ui;
    QNetworkAccessManager *manager = nullptr;
    QList<QMetaObject::Connection> connections;
};

#endif // FRAMEWEBBROWSER_H
