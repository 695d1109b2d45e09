#ifndef WEBBROWSERTAB_H
#define WEBBROWSERTAB_H

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class BrowserTabWidget;
class MyWebView;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QNetworkAccessManager;
class QProgressBar;
class QPushButton;
class QVBoxLayout;
class QWidget;
class WebBrowserDownloads;

// The "Web browser" tab of the main window: the browser's tabs, built into the tab's page, and
// the controls above them (back, forward, reload, home, the favourites menu with its two
// dialogs, the address bar, the web search box, the NZB search sites, the zoom) with the
// loading line below. It drives the widgets of the main window's form; the window connects the
// form's controls to its browser slots, which hand over to the slots of the same names here.
// The files that pages download are WebBrowserDownloads' work. Its texts belong to the main
// window.
class WebBrowserTab : public QObject
{
    Q_OBJECT

public:
    // The widgets of the main window's form that the browser uses, and the favourites menu.
    struct Controls {
        QWidget *window = nullptr;  // parent of the dialogs and message boxes
        QWidget *tabWebBrowser = nullptr;
        QVBoxLayout *verticalLayout_2 = nullptr;
        QPushButton *pushButtonWebBack = nullptr;
        QPushButton *pushButtonWebForward = nullptr;
        QPushButton *pushButtonWebReload = nullptr;
        QPushButton *pushButtonWebHome = nullptr;
        QPushButton *pushButtonWebFavourite = nullptr;
        QLineEdit *lineEditWebUrl = nullptr;
        QPushButton *pushButtonGoUrl = nullptr;
        QLineEdit *lineEditWebSearch = nullptr;
        QPushButton *pushButtonWebSearch = nullptr;
        QComboBox *comboBoxWebNzbSearch = nullptr;
        QPushButton *pushButtonGoNzbEngine = nullptr;
        QComboBox *comboBoxWebZoom = nullptr;
        QLabel *labelLoadStartedInfo = nullptr;
        QLabel *labelWebDownloading = nullptr;
        QProgressBar *progressBarWebDownload = nullptr;
        QMenu *menuWebFavourites = nullptr;

        template <class Form>
        static Controls fromForm(QWidget *window, const Form &ui, QMenu *favouritesMenu)
        {
            Controls c;
            c.window = window;
            c.tabWebBrowser = ui.tabWebBrowser;
            c.verticalLayout_2 = ui.verticalLayout_2;
            c.pushButtonWebBack = ui.pushButtonWebBack;
            c.pushButtonWebForward = ui.pushButtonWebForward;
            c.pushButtonWebReload = ui.pushButtonWebReload;
            c.pushButtonWebHome = ui.pushButtonWebHome;
            c.pushButtonWebFavourite = ui.pushButtonWebFavourite;
            c.lineEditWebUrl = ui.lineEditWebUrl;
            c.pushButtonGoUrl = ui.pushButtonGoUrl;
            c.lineEditWebSearch = ui.lineEditWebSearch;
            c.pushButtonWebSearch = ui.pushButtonWebSearch;
            c.comboBoxWebNzbSearch = ui.comboBoxWebNzbSearch;
            c.pushButtonGoNzbEngine = ui.pushButtonGoNzbEngine;
            c.comboBoxWebZoom = ui.comboBoxWebZoom;
            c.labelLoadStartedInfo = ui.labelLoadStartedInfo;
            c.labelWebDownloading = ui.labelWebDownloading;
            c.progressBarWebDownload = ui.progressBarWebDownload;
            c.menuWebFavourites = favouritesMenu;
            return c;
        }
    };

    // The main window's addNzbFile, for the NZB files caught from pages.
    using NzbFileAdder = std::function<void(const QString &, const QString &, const QString &)>;

    // Builds the browser's tab widget ("webTabView", closable and movable tabs, the first tab)
    // into the page above the loading line, hides that line, applies the web settings of the
    // configuration, sets Back, Forward and Home, loads the home page when asked, builds the
    // favourites menu and connects the tab widget's signals. The manager is not owned.
    WebBrowserTab(const Controls &controls, QNetworkAccessManager *manager, const NzbFileAdder &addNzbFile,
                  QObject *parent = nullptr);

    BrowserTabWidget *tabWidget() const { return tabs; }
    WebBrowserDownloads *downloads() const { return fileDownloads; }
    MyWebView *currentWebView() const;

    void createWebFavouritesMenu();
    // Puts an address into the address bar and goes there.
    void goTo(const QString &address);

    // The global web settings from the configuration's switches; at start-up the scripts'
    // windows and clipboard follow the JavaScript switch too.
    static void applyWebSettings(bool atStartup);

public slots:
    void webBrowserGoUrl();
    void webBrowserSearchClicked();
    void webBrowserGoNzbSearchEngine();
    void webBrowserGoHomePage();
    void webBrowserLoadFavourite();
    void webBrowserBack();
    void webBrowserForward();
    void webBrowserReload();
    void webBrowserZoomCurrentIndexChanged(QString strZoom);
    void webBrowserLoadStarted();
    void webBrowserLoadFinished(bool bOk);
    void webBrowserUrlChanged(QUrl url, QWidget *pWidget);
    void webBrowserTabCloseRequested(int iIndex);
    void webBrowserCurrentTabChanged(int iIndex);
    void webBrowserAddFavourite();
    void webBrowserBrowserOptions();

private:
    void buildTabWidget(QNetworkAccessManager *manager);
    void connectTabWidget();
    void updateHistoryButtons();
    void saveConfiguration();

    Controls ui;
    BrowserTabWidget *tabs = nullptr;
    WebBrowserDownloads *fileDownloads = nullptr;
};

#endif // WEBBROWSERTAB_H
