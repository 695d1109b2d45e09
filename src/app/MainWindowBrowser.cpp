// The web browser tab. Its logic lives in WebBrowserTab (tabs, controls, favourites) and
// WebBrowserDownloads (the files caught from pages), which drive the widgets of this window's
// form; the window's browser slots hand over to them.
#include "app/MainWindow.h"

#include "web/BrowserTabWidget.h"
#include "web/NetworkAccessManager.h"
#include "web/WebBrowserDownloads.h"
#include "web/WebBrowserTab.h"

#include "ui_MainWindow.h"

#include <QAction>

// The browser's network manager, then its tab widget "webTabView" with the first tab at the top
// of the page, the hidden loading and download lines, the web settings and the icon database
// from the configuration, Back, Forward and Home, the home page when it loads at start-up, the
// favourites menu; the tab widget's loads, addresses, tabs and caught files go to WebBrowserTab.
// A caught NZB comes to the queue through addNzbFile.
void MainWindow::initWebBrowser()
{
    networkManagerBrowser = new NetworkAccessManager(this, NetworkAccessManager::WithDiskCache);
    webBrowserTab = new WebBrowserTab(WebBrowserTab::Controls::fromForm(this, *ui, &menuWebFavourites),
                                      networkManagerBrowser,
                                      [this](const QString &path, const QString &name, const QString &destination) {
                                          addNzbFile(path, name, destination);
                                      },
                                      this);
    browserTabWidget = webBrowserTab->tabWidget();
}

void MainWindow::createWebFavouritesMenu()
{
    webBrowserTab->createWebFavouritesMenu();
}

void MainWindow::webBrowserGoUrl()
{
    webBrowserTab->webBrowserGoUrl();
}

void MainWindow::webBrowserGoNzbSearchEngine()
{
    webBrowserTab->webBrowserGoNzbSearchEngine();
}

void MainWindow::webBrowserGoHomePage()
{
    webBrowserTab->webBrowserGoHomePage();
}

void MainWindow::webBrowserBack()
{
    webBrowserTab->webBrowserBack();
}

void MainWindow::webBrowserForward()
{
    webBrowserTab->webBrowserForward();
}

void MainWindow::webBrowserReload()
{
    webBrowserTab->webBrowserReload();
}

void MainWindow::webBrowserSearchClicked()
{
    webBrowserTab->webBrowserSearchClicked();
}

void MainWindow::webBrowserZoomCurrentIndexChanged(QString strZoom)
{
    webBrowserTab->webBrowserZoomCurrentIndexChanged(strZoom);
}

// The address is the data of the favourite's menu entry that was chosen.
void MainWindow::webBrowserLoadFavourite()
{
    if (const auto *action = qobject_cast<QAction *>(sender()))
        webBrowserTab->goTo(action->data().toString());
}

void MainWindow::webBrowserAddFavourite()
{
    webBrowserTab->webBrowserAddFavourite();
}

void MainWindow::webBrowserBrowserOptions()
{
    webBrowserTab->webBrowserBrowserOptions();
}

void MainWindow::webBrowserLoadStarted()
{
    webBrowserTab->webBrowserLoadStarted();
}

void MainWindow::webBrowserLoadFinished(bool bOk)
{
    webBrowserTab->webBrowserLoadFinished(bOk);
}

void MainWindow::webBrowserUrlChanged(QUrl url, QWidget *pWidget)
{
    webBrowserTab->webBrowserUrlChanged(url, pWidget);
}

void MainWindow::webBrowserTabCloseRequested(int iIndex)
{
    webBrowserTab->webBrowserTabCloseRequested(iIndex);
}

void MainWindow::webBrowserCurrentTabChanged(int iIndex)
{
    webBrowserTab->webBrowserCurrentTabChanged(iIndex);
}

void MainWindow::webBrowserUnsupportedContent(QNetworkReply *pReply)
{
    webBrowserTab->downloads()->webBrowserUnsupportedContent(pReply);
}

void MainWindow::webBrowserDownloadRequested(QNetworkRequest request)
{
    webBrowserTab->downloads()->webBrowserDownloadRequested(request);
}

void MainWindow::webBrowserUnsupportedContentDownloadReadyRead()
{
    webBrowserTab->downloads()->webBrowserUnsupportedContentDownloadReadyRead();
}

void MainWindow::webBrowserDownloadReadyRead()
{
    webBrowserTab->downloads()->webBrowserDownloadReadyRead();
}

void MainWindow::webBrowserDownloadProgress(qint64 iReceived, qint64 iTotal)
{
    webBrowserTab->downloads()->webBrowserDownloadProgress(iReceived, iTotal);
}

void MainWindow::webBrowserUnsupportedContentDownloadFinished()
{
    webBrowserTab->downloads()->webBrowserUnsupportedContentDownloadFinished();
}

void MainWindow::webBrowserDownloadFinished()
{
    webBrowserTab->downloads()->webBrowserDownloadFinished();
}
