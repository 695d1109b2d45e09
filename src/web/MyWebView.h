#ifndef MYWEBVIEW_H
#define MYWEBVIEW_H

#include <QUrl>
#include <QWebView>

// The web view of one browser tab. A page never opens a window of its own: a request for a new
// window (a link with target "_blank", a script) becomes either an internal search, when the
// link under the pointer is one of the search links that the page rewriter adds, or a new tab
// that loads that link.
class MyWebView : public QWebView
{
    Q_OBJECT

public:
    // The host part of the links that start a search in the program's own search tab.
    static const char InternalSearchPrefix[];

    explicit MyWebView(QWidget *parent = nullptr);

    // The link under the mouse pointer; empty while the pointer is over no link.
    QUrl hoveredLink() const { return hoveredLinkUrl; }
    void setHoveredLink(const QUrl &link) { hoveredLinkUrl = link; }

signals:
    void signalNzbInternalSearch(QString strSearch);
    void signalCreateNewTab(QUrl url);

protected:
    QWebView *createWindow(QWebPage::WebWindowType type) override;

private:
    QUrl hoveredLinkUrl;
};

#endif // MYWEBVIEW_H
