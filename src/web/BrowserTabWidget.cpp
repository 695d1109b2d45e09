#include "web/BrowserTabWidget.h"

#include "web/FrameWebBrowser.h"
#include "web/MyWebView.h"

#include <QMouseEvent>
#include <QTabBar>
#include <QToolButton>

BrowserTabWidget::BrowserTabWidget(QWidget *parent)
    : QTabWidget(parent)
    , cornerButton(new QToolButton(this))
{
    cornerButton->setCursor(Qt::ArrowCursor);
    cornerButton->setAutoRaise(true);
    cornerButton->setIcon(QIcon(QStringLiteral(":/images/add.png")));
    cornerButton->setToolTip(tr("Create a new tab"));
    setCornerWidget(cornerButton, Qt::TopLeftCorner);
    connect(cornerButton, SIGNAL(clicked()), this, SLOT(slotNewTabClicked()));
}

void BrowserTabWidget::createTab()
{
    auto *page = new FrameWebBrowser(this);
    page->setNetworkManager(networkManager);
    setCurrentIndex(addTab(page, tr("New tab")));

    connect(page, SIGNAL(webBrowserTitleChanged(QString,QWidget*)), this,
            SLOT(webBrowserTitleChanged(QString,QWidget*)));
    connect(page, SIGNAL(webBrowserLoadStarted()), this, SIGNAL(loadStarted()));
    connect(page, SIGNAL(webBrowserLoadFinished(bool)), this, SIGNAL(loadFinished(bool)));
    connect(page, SIGNAL(webBrowserUrlChanged(QUrl,QWidget*)), this, SIGNAL(urlChanged(QUrl,QWidget*)));
    connect(page, SIGNAL(webBrowserNzbInternalSearch(QString)), this, SIGNAL(signalNzbInternalSearch(QString)));
    connect(page, SIGNAL(webBrowserUnsupportedContent(QNetworkReply*)), this,
            SIGNAL(unsupportedContent(QNetworkReply*)), Qt::UniqueConnection);
    connect(page, SIGNAL(webBrowserDownloadRequested(QNetworkRequest)), this,
            SIGNAL(downloadRequested(QNetworkRequest)), Qt::UniqueConnection);
    connect(page, SIGNAL(webBrowserCreateNewTab(QUrl)), this, SLOT(webBrowserCreateNewTab(QUrl)));
    connect(page, SIGNAL(webBrowserIconChanged(QWidget*)), this, SLOT(webBrowserIconChanged(QWidget*)));
}

MyWebView *BrowserTabWidget::currentWebView() const
{
    auto *page = qobject_cast<FrameWebBrowser *>(currentWidget());
    return page ? page->webView() : nullptr;
}

QString BrowserTabWidget::tabTextForTitle(const QString &title)
{
    const int length = title.trimmed().length();
    if (length == 0)
        return tr("New tab");
    QString text = length <= MaxTitleLength ? title : title.left(MaxTitleLength) + QStringLiteral("...");
    // A tab text takes '&' as the mark of a shortcut letter: keep the page's '&' visible.
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void BrowserTabWidget::slotNewTabClicked()
{
    createTab();
}

void BrowserTabWidget::webBrowserTitleChanged(QString title, QWidget *page)
{
    if (!page)
        return;
    const int index = indexOf(page);
    if (index >= 0)
        setTabText(index, tabTextForTitle(title));
}

void BrowserTabWidget::webBrowserCreateNewTab(QUrl url)
{
    createTab();
    if (MyWebView *view = currentWebView())
        view->load(url);
}

void BrowserTabWidget::webBrowserIconChanged(QWidget *page)
{
    auto *frame = qobject_cast<FrameWebBrowser *>(page);
    if (!frame)
        return;
    const int index = indexOf(frame);
    if (index >= 0)
        setTabIcon(index, frame->webView()->icon());
}

void BrowserTabWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && tabBar()->count() > 1) {
        // The corner button shifts the tab bar inside this widget: look the tab up at the
        // position in the bar's own coordinates.
        emit tabCloseRequested(tabBar()->tabAt(tabBar()->mapFrom(this, event->pos())));
        event->accept();
        return;
    }
    QTabWidget::mouseReleaseEvent(event);
}
