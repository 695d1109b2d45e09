// The web browser tab: its tabs, controls, favourites and the files caught from pages.
#include "app/MainWindow.h"

#include "config/AppConfiguration.h"
#include "web/NetworkAccessManager.h"

#include "ui_MainWindow.h"

#include <QWebSettings>

// The browser's network manager, its tab widget and the web settings from the configuration.
void MainWindow::initWebBrowser()
{
    const AppConfiguration *config = AppConfiguration::getInstance();
    networkManagerBrowser = new NetworkAccessManager(this, NetworkAccessManager::WithDiskCache);
    // TODO(browser): the BrowserTabWidget "webTabView" (child of tabWebBrowser, closable tabs,
    // networkManagerBrowser for its tabs, its first tab, movable) in browserTabWidget, inserted
    // at index 0 of verticalLayout_2; its signals are connected in connectFormSignals().
    ui->labelWebDownloading->hide();
    ui->progressBarWebDownload->hide();
    ui->labelLoadStartedInfo->hide();
    ui->progressBarWebDownload->setValue(0);

    QWebSettings *settings = QWebSettings::globalSettings();
    settings->setAttribute(QWebSettings::PluginsEnabled, config->webConfiguration.pluginsEnabled);
    settings->setAttribute(QWebSettings::JavaEnabled, config->webConfiguration.javaEnabled);
    settings->setAttribute(QWebSettings::JavascriptEnabled, config->webConfiguration.javascriptEnabled);
    settings->setAttribute(QWebSettings::JavascriptCanOpenWindows, config->webConfiguration.javascriptEnabled);
    settings->setAttribute(QWebSettings::JavascriptCanAccessClipboard, config->webConfiguration.javascriptEnabled);
    QWebSettings::setIconDatabasePath(config->cacheFolder);

    ui->pushButtonWebBack->setEnabled(false);
    ui->pushButtonWebForward->setEnabled(false);
    ui->pushButtonWebHome->setEnabled(!config->webConfiguration.homePage.isEmpty());
    if (config->webConfiguration.homePageLaunch)
        webBrowserGoHomePage();
    createWebFavouritesMenu();
}

// TODO(browser): everything below.
void MainWindow::createWebFavouritesMenu()
{
}

void MainWindow::webBrowserGoUrl()
{
}

void MainWindow::webBrowserGoNzbSearchEngine()
{
}

void MainWindow::webBrowserGoHomePage()
{
}

void MainWindow::webBrowserBack()
{
}

void MainWindow::webBrowserForward()
{
}

void MainWindow::webBrowserReload()
{
}

void MainWindow::webBrowserSearchClicked()
{
}

void MainWindow::webBrowserZoomCurrentIndexChanged(QString strZoom)
{
    Q_UNUSED(strZoom);
}

void MainWindow::webBrowserLoadFavourite()
{
}

void MainWindow::webBrowserAddFavourite()
{
}

void MainWindow::webBrowserBrowserOptions()
{
}

void MainWindow::webBrowserLoadStarted()
{
}

void MainWindow::webBrowserLoadFinished(bool bOk)
{
    Q_UNUSED(bOk);
}

void MainWindow::webBrowserUrlChanged(QUrl url, QWidget *pWidget)
{
    Q_UNUSED(url);
    Q_UNUSED(pWidget);
}

void MainWindow::webBrowserTabCloseRequested(int iIndex)
{
    Q_UNUSED(iIndex);
}

void MainWindow::webBrowserCurrentTabChanged(int iIndex)
{
    Q_UNUSED(iIndex);
}

void MainWindow::webBrowserUnsupportedContent(QNetworkReply *pReply)
{
    Q_UNUSED(pReply);
}

void MainWindow::webBrowserDownloadRequested(QNetworkRequest request)
{
    Q_UNUSED(request);
}

void MainWindow::webBrowserUnsupportedContentDownloadReadyRead()
{
}

void MainWindow::webBrowserDownloadReadyRead()
{
}

void MainWindow::webBrowserDownloadProgress(qint64 iReceived, qint64 iTotal)
{
    Q_UNUSED(iReceived);
    Q_UNUSED(iTotal);
}

void MainWindow::webBrowserUnsupportedContentDownloadFinished()
{
}

void MainWindow::webBrowserDownloadFinished()
{
}
