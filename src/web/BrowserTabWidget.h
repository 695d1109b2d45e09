#ifndef BROWSERTABWIDGET_H
#define BROWSERTABWIDGET_H

#include <QNetworkRequest>
#include <QTabWidget>
#include <QUrl>

class MyWebView;
class QNetworkAccessManager;
class QNetworkReply;
class QToolButton;

// The web browser's tabs: each tab is a FrameWebBrowser with its web view. It creates tabs
// (the "+" corner button, links that ask for a new window), keeps their texts and icons, asks
// for a tab to be closed on a middle click, and passes the signals of every tab on as its own.
class BrowserTabWidget : public QTabWidget
{
    Q_OBJECT

public:
    explicit BrowserTabWidget(QWidget *parent = nullptr);

    // Given to every tab created from now on; not owned. Set before the first tab.
    QNetworkAccessManager *networkManager = nullptr;

    void createTab();
    MyWebView *currentWebView() const;
    QToolButton *newTabButton() const { return cornerButton; }

    // The longest title shown whole; a longer title is cut and ends in "...". The text is
    // escaped for the tab bar ('&' doubled).
    static const int MaxTitleLength = 40;
    static QString tabTextForTitle(const QString &title);

signals:
    void loadStarted();
    void loadFinished(bool ok);
    void urlChanged(QUrl url, QWidget *page);
    void signalNzbInternalSearch(QString strSearch);
    void unsupportedContent(QNetworkReply *reply);
    void downloadRequested(QNetworkRequest request);

public slots:
    void slotNewTabClicked();
    void webBrowserTitleChanged(QString title, QWidget *page);
    void webBrowserCreateNewTab(QUrl url);
    void webBrowserIconChanged(QWidget *page);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QToolButton *cornerButton;
};

#endif // BROWSERTABWIDGET_H
