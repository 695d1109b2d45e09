#include "web/MyWebView.h"

const char MyWebView::InternalSearchPrefix[] = "Tessaquill_Plus_Search/";

MyWebView::MyWebView(QWidget *parent)
    : QWebView(parent)
{
}

QWebView *MyWebView::createWindow(QWebPage::WebWindowType type)
{
    const QString link = hoveredLinkUrl.toString().trimmed();
    if (!link.isEmpty()) {
        // The host comes back from QUrl in lower case: look the prefix up in any case.
        const int prefix = link.indexOf(QLatin1String(InternalSearchPrefix), 0, Qt::CaseInsensitive);
        if (prefix >= 0)
            emit signalNzbInternalSearch(link.mid(prefix + int(qstrlen(InternalSearchPrefix))));
        else
            emit signalCreateNewTab(hoveredLinkUrl);
    }
    return QWebView::createWindow(type);
}
