#include "web/FrameWebBrowser.h"

#include "web/ListingPageRewriter.h"
#include "web/MyWebView.h"

#include "ui_FrameWebBrowser.h"

#include <QPainter>
#include <QWebPage>

FrameWebBrowser::FrameWebBrowser(QWidget *parent)
    : QFrame(parent)
    , ui(new Ui::FrameWebBrowser)
{
    ui->setupUi(this);
    MyWebView *view = ui->webView;
    QWebPage *page = view->page();
    connections = {
        connect(view, SIGNAL(titleChanged(QString)), this, SLOT(webBrowserTitleChanged(QString))),
        connect(view, SIGNAL(loadStarted()), this, SIGNAL(webBrowserLoadStarted())),
        connect(view, SIGNAL(loadFinished(bool)), this, SLOT(slotWebBrowserLoadFinished(bool))),
        connect(view, SIGNAL(urlChanged(QUrl)), this, SLOT(slotWebBrowserUrlChanged(QUrl))),
        connect(view, SIGNAL(signalNzbInternalSearch(QString)), this, SIGNAL(webBrowserNzbInternalSearch(QString))),
        connect(page, SIGNAL(unsupportedContent(QNetworkReply*)), this,
                SIGNAL(webBrowserUnsupportedContent(QNetworkReply*)), Qt::UniqueConnection),
        connect(page, SIGNAL(downloadRequested(QNetworkRequest)), this,
                SIGNAL(webBrowserDownloadRequested(QNetworkRequest)), Qt::UniqueConnection),
        connect(page, SIGNAL(linkHovered(QString,QString,QString)), this,
                SLOT(webBrowserLinkHovered(QString,QString,QString))),
        connect(view, SIGNAL(signalCreateNewTab(QUrl)), this, SIGNAL(webBrowserCreateNewTab(QUrl))),
        connect(view, SIGNAL(iconChanged()), this, SLOT(slotWebBrowserIconChanged())),
    };
}

FrameWebBrowser::~FrameWebBrowser()
{
    for (const QMetaObject::Connection &connection : qAsConst(connections))
        disconnect(connection);
    delete ui;
}

void FrameWebBrowser::setNetworkManager(QNetworkAccessManager *networkManager)
{
    manager = networkManager;
    QWebPage *page = ui->webView->page();
    page->setNetworkAccessManager(manager);
    ui->webView->setUrl(QUrl(QStringLiteral("about:blank")));
    ui->webView->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    page->setForwardUnsupportedContent(true);
}

MyWebView *FrameWebBrowser::webView() const
{
    return ui->webView;
}

void FrameWebBrowser::webBrowserTitleChanged(QString title)
{
    emit webBrowserTitleChanged(title, this);
}

void FrameWebBrowser::webBrowserLinkHovered(QString link, QString title, QString textContent)
{
    Q_UNUSED(title);
    Q_UNUSED(textContent);
    ui->webView->setHoveredLink(QUrl(link));
}

void FrameWebBrowser::slotWebBrowserLoadFinished(bool ok)
{
    emit webBrowserLoadFinished(ok);
    if (ok)
        rewriteListingPage(ui->webView);
}

void FrameWebBrowser::slotWebBrowserUrlChanged(QUrl url)
{
    emit webBrowserUrlChanged(url, this);
}

void FrameWebBrowser::slotWebBrowserIconChanged()
{
    emit webBrowserIconChanged(this);
}
