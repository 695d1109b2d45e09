#include "web/WebBrowserTab.h"

#include "widgets/AppVersion.h"
#include "config/AppConfiguration.h"
#include "widgets/ConfigurationSave.h"
#include "web/BrowserTabWidget.h"
#include "web/DialogWebFavourite.h"
#include "web/DialogWebOptions.h"
#include "web/MyWebView.h"
#include "widgets/WebAddresses.h"
#include "web/WebBrowserDownloads.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebHistory>
#include <QWebSettings>

#include <algorithm>

// The browser's texts belong to the main window (translation context "MainWindow").
namespace {

WebConfiguration &webConfiguration()
{
    return AppConfiguration::getInstance()->webConfiguration;
}

} // namespace

WebBrowserTab::WebBrowserTab(const Controls &controls, QNetworkAccessManager *manager,
                             const NzbFileAdder &addNzbFile, QObject *parent)
    : QObject(parent)
    , ui(controls)
{
    buildTabWidget(manager);
    fileDownloads = new WebBrowserDownloads(
        {ui.window, ui.labelWebDownloading, ui.progressBarWebDownload}, manager, addNzbFile, this);
    ui.labelWebDownloading->hide();
    ui.progressBarWebDownload->hide();
    ui.labelLoadStartedInfo->hide();
    ui.progressBarWebDownload->setValue(0);

    applyWebSettings(true);
    // The page icons are kept in the Cache folder, which must exist for them to be kept.
    const QString cacheFolder = AppConfiguration::getInstance()->cacheFolder;
    QDir().mkpath(cacheFolder);
    QWebSettings::setIconDatabasePath(cacheFolder);

    ui.pushButtonWebBack->setEnabled(false);
    ui.pushButtonWebForward->setEnabled(false);
    ui.pushButtonWebHome->setEnabled(!webConfiguration().homePage.isEmpty());
    if (webConfiguration().homePageLaunch)
        webBrowserGoHomePage();
    createWebFavouritesMenu();
    connectTabWidget();
}

void WebBrowserTab::buildTabWidget(QNetworkAccessManager *manager)
{
    tabs = new BrowserTabWidget(ui.tabWebBrowser);
    tabs->setObjectName(QStringLiteral("webTabView"));
    tabs->setTabsClosable(true);
    tabs->networkManager = manager;
    tabs->createTab();
    tabs->setMovable(true);
    ui.verticalLayout_2->insertWidget(0, tabs);
}

void WebBrowserTab::connectTabWidget()
{
    connect(tabs, SIGNAL(loadStarted()), this, SLOT(webBrowserLoadStarted()));
    connect(tabs, SIGNAL(loadFinished(bool)), this, SLOT(webBrowserLoadFinished(bool)));
    connect(tabs, SIGNAL(urlChanged(QUrl,QWidget*)), this, SLOT(webBrowserUrlChanged(QUrl,QWidget*)));
    connect(tabs, SIGNAL(tabCloseRequested(int)), this, SLOT(webBrowserTabCloseRequested(int)));
    connect(tabs, SIGNAL(currentChanged(int)), this, SLOT(webBrowserCurrentTabChanged(int)));
    connect(tabs, SIGNAL(unsupportedContent(QNetworkReply*)), fileDownloads,
            SLOT(webBrowserUnsupportedContent(QNetworkReply*)), Qt::UniqueConnection);
    connect(tabs, SIGNAL(downloadRequested(QNetworkRequest)), fileDownloads,
            SLOT(webBrowserDownloadRequested(QNetworkRequest)), Qt::UniqueConnection);
}

void WebBrowserTab::applyWebSettings(bool atStartup)
{
    const WebConfiguration &web = webConfiguration();
    QWebSettings *settings = QWebSettings::globalSettings();
    settings->setAttribute(QWebSettings::PluginsEnabled, web.pluginsEnabled);
    settings->setAttribute(QWebSettings::JavaEnabled, web.javaEnabled);
    settings->setAttribute(QWebSettings::JavascriptEnabled, web.javascriptEnabled);
    if (atStartup) {
        settings->setAttribute(QWebSettings::JavascriptCanOpenWindows, web.javascriptEnabled);
        settings->setAttribute(QWebSettings::JavascriptCanAccessClipboard, web.javascriptEnabled);
    }
}

MyWebView *WebBrowserTab::currentWebView() const
{
    return tabs->currentWebView();
}

void WebBrowserTab::goTo(const QString &address)
{
    ui.lineEditWebUrl->setText(address);
    webBrowserGoUrl();
}

// The one road by which every control loads a page: a host name typed alone gets "http://".
void WebBrowserTab::webBrowserGoUrl()
{
    QString typed = ui.lineEditWebUrl->text().trimmed();
    ui.lineEditWebUrl->setText(typed);
    QUrl url(typed, QUrl::TolerantMode);
    if (typed.isEmpty() || !url.isValid()) {
        QMessageBox::warning(ui.window, AppVersion::displayName(),
                             QCoreApplication::translate("MainWindow", "This is not a valid URL"), QMessageBox::Ok);
        return;
    }
    if (url.isRelative()) {
        while (typed.startsWith(QLatin1Char('/')))
            typed.remove(0, 1);
        url = QUrl(QStringLiteral("http://") + typed, QUrl::TolerantMode);
    }
    ui.lineEditWebUrl->setText(url.toString());
    if (MyWebView *view = currentWebView())
        view->load(url);
}

void WebBrowserTab::webBrowserSearchClicked()
{
    const QString search = ui.lineEditWebSearch->text().trimmed();
    if (!search.isEmpty())
        goTo(WebAddresses::webSearchQueryUrl() + search);
}

void WebBrowserTab::webBrowserGoNzbSearchEngine()
{
    goTo(WebAddresses::nzbSearchSiteHome(ui.comboBoxWebNzbSearch->currentText().toLower()));
}

void WebBrowserTab::webBrowserGoHomePage()
{
    goTo(webConfiguration().homePage);
}

void WebBrowserTab::webBrowserLoadFavourite()
{
    if (const auto *action = qobject_cast<QAction *>(sender()))
        goTo(action->data().toString());
}

void WebBrowserTab::webBrowserBack()
{
    if (MyWebView *view = currentWebView())
        view->back();
}

void WebBrowserTab::webBrowserForward()
{
    if (MyWebView *view = currentWebView())
        view->forward();
}

void WebBrowserTab::webBrowserReload()
{
    if (MyWebView *view = currentWebView())
        view->reload();
}

void WebBrowserTab::webBrowserZoomCurrentIndexChanged(QString strZoom)
{
    bool ok = false;
    const double percent = strZoom.remove(QLatin1Char('%')).toFloat(&ok);
    MyWebView *view = currentWebView();
    if (ok && view)
        view->setZoomFactor(percent / 100.0);
}

void WebBrowserTab::webBrowserLoadStarted()
{
    ui.labelLoadStartedInfo->setText(QCoreApplication::translate("MainWindow", "Loading page..."));
    ui.labelLoadStartedInfo->show();
}

void WebBrowserTab::webBrowserLoadFinished(bool bOk)
{
    Q_UNUSED(bOk);
    ui.labelLoadStartedInfo->hide();
    updateHistoryButtons();
}

void WebBrowserTab::updateHistoryButtons()
{
    const MyWebView *view = currentWebView();
    ui.pushButtonWebBack->setEnabled(view && view->history()->canGoBack());
    ui.pushButtonWebForward->setEnabled(view && view->history()->canGoForward());
}

void WebBrowserTab::webBrowserUrlChanged(QUrl url, QWidget *pWidget)
{
    if (!pWidget || pWidget != tabs->currentWidget())
        return;
    const QString address = url.toString();
    if (!address.trimmed().isEmpty())
        ui.lineEditWebUrl->setText(address);
}

void WebBrowserTab::webBrowserCurrentTabChanged(int iIndex)
{
    Q_UNUSED(iIndex);
    updateHistoryButtons();
    if (const MyWebView *view = currentWebView()) {
        const QString address = view->url().toString();
        if (!address.trimmed().isEmpty())
            ui.lineEditWebUrl->setText(address);
    }
}

// The last tab stays.
void WebBrowserTab::webBrowserTabCloseRequested(int iIndex)
{
    if (tabs->count() < 2)
        return;
    QWidget *page = tabs->widget(iIndex);
    if (!page)
        return;
    page->deleteLater();
    tabs->removeTab(iIndex);
}

// "Add to Favourite", "Browser options", then one entry per favourite, by title.
void WebBrowserTab::createWebFavouritesMenu()
{
    QMenu *menu = ui.menuWebFavourites;
    menu->clear();
    QAction *add = menu->addAction(QIcon(QStringLiteral(":/images/Add_Favourites.png")),
                                   QCoreApplication::translate("MainWindow", "Add to Favourite"));
    connect(add, SIGNAL(triggered()), this, SLOT(webBrowserAddFavourite()));
    QAction *options = menu->addAction(QIcon(QStringLiteral(":/images/settings.png")),
                                       QCoreApplication::translate("MainWindow", "Browser options"));
    connect(options, SIGNAL(triggered()), this, SLOT(webBrowserBrowserOptions()));
    menu->addSeparator();

    const QHash<QString, QString> &favourites = webConfiguration().favourites;
    QStringList titles = favourites.keys();
    std::sort(titles.begin(), titles.end(), [](const QString &a, const QString &b) {
        return QString::localeAwareCompare(a.toCaseFolded(), b.toCaseFolded()) < 0;
    });
    for (const QString &title : qAsConst(titles)) {
        QAction *favourite = menu->addAction(title);
        favourite->setData(QVariant(favourites.value(title)));
        connect(favourite, SIGNAL(triggered()), this, SLOT(webBrowserLoadFavourite()));
    }
    ui.pushButtonWebFavourite->setMenu(menu);
}

void WebBrowserTab::webBrowserAddFavourite()
{
    DialogWebFavourite dialog(ui.window);
    dialog.setWindowFlags(Qt::Sheet);
    const MyWebView *view = currentWebView();
    dialog.setTitle(view ? view->title().trimmed() : QCoreApplication::translate("MainWindow", "New favourite"));
    dialog.setUrl(ui.lineEditWebUrl->text().trimmed());
    if (dialog.exec() != QDialog::Accepted)
        return;

    const QString title = dialog.getTitle();
    const QString url = dialog.getUrl();
    if (title.isEmpty()) {
        QMessageBox::critical(ui.window, AppVersion::displayName(),
                              QCoreApplication::translate("MainWindow", "Title must not be empty"), QMessageBox::Ok);
        return;
    }
    if (url.isEmpty()) {
        QMessageBox::critical(ui.window, AppVersion::displayName(),
                              QCoreApplication::translate("MainWindow", "URL must not be empty"), QMessageBox::Ok);
        return;
    }
    webConfiguration().favourites.insert(title, url);
    saveConfiguration();
    createWebFavouritesMenu();
}

void WebBrowserTab::webBrowserBrowserOptions()
{
    DialogWebOptions dialog(ui.window);
    dialog.setWindowFlags(Qt::Sheet);
    if (dialog.exec() != QDialog::Accepted)
        return;

    WebConfiguration &web = webConfiguration();
    web.homePage = dialog.homePage;
    web.homePageLaunch = dialog.homePageLaunch;
    web.favourites = dialog.favourites;
    web.pluginsEnabled = dialog.pluginsEnabled;
    web.javaEnabled = dialog.javaEnabled;
    web.javascriptEnabled = dialog.javascriptEnabled;
    // The scripts' windows and clipboard keep their start-up state until the next start.
    applyWebSettings(false);
    saveConfiguration();
    createWebFavouritesMenu();
}

void WebBrowserTab::saveConfiguration()
{
    ConfigurationSave::saveOrReport(ui.window, AppVersion::displayName());
}
