#include "web/ListingPageRewriter.h"

#include "web/MyWebView.h"
#include "widgets/WebAddresses.h"

#include <QList>
#include <QWebFrame>
#include <QWebPage>
#include <QWebView>

namespace {

const QLatin1String MarkerComment("<!-- Modified by Tessaquill_Plus -->");
const QLatin1String TitleHeaderCell("<th class=\"border0\">Fichier");
const QLatin1String RowStart("<tr");
const QLatin1String HeaderCellStart("<th");
const QLatin1String CellStart("<td>");
const QLatin1String CellEnd("</td>");
const QLatin1String EmptyCell("&nbsp;");
const QLatin1String Picture("<img src=");

int find(const QString &text, const QString &what, int from)
{
    return from < 0 ? -1 : text.indexOf(what, from, Qt::CaseInsensitive);
}

// The index of the title column: how many header cells of the header row come before it.
int titleColumn(const QString &html, int headerRow)
{
    int count = 0;
    for (int cell = find(html, HeaderCellStart, headerRow); cell >= 0;
         cell = find(html, HeaderCellStart, cell + 1)) {
        if (html.midRef(cell, TitleHeaderCell.size()) == TitleHeaderCell)
            break;
        ++count;
    }
    return count;
}

QString internalLinkOpening(const QString &title)
{
    return QStringLiteral("<a target=\"_blank\" href=\"http://") + QLatin1String(MyWebView::InternalSearchPrefix)
           + title + QStringLiteral("\">");
}

QString searchLinksAfterTitle(const QString &title)
{
    return QStringLiteral("</a><br/><a href=\"http://") + WebAddresses::nzbSearchSiteHost(QStringLiteral("binsearch"))
           + QStringLiteral("/?q=") + title
           + QStringLiteral("&max=25&adv_age=&server=\"><font color=\"#0000FF\">BinSearch</font></a> | "
                            "<a href=\"http://")
           + WebAddresses::nzbSearchSiteHost(QStringLiteral("nzbindex")) + QStringLiteral("/search/?q=") + title
           + QStringLiteral("&age=&max=25&sort=agedesc&minsize=&maxsize=&poster=&nfo=&hidespam=0&hidespam=1&more=1\">"
                            "<font color=\"#FF0000\">NzbIndex</font></a>");
}

// Turns the title cell of every row of one class into search links. Cells are sought from the
// row on through the rest of the text; the pass goes on after the cell it looked at, so that a
// title never brings back a row it holds itself.
void rewriteRows(QString &html, const QString &rowMarker, int column)
{
    int from = 0;
    while (true) {
        int position = find(html, rowMarker, from);
        for (int skipped = 0; skipped < column && position >= 0; ++skipped) {
            position = find(html, CellStart, position);
            if (position >= 0)
                ++position;
        }
        int cell = find(html, CellStart, position);
        const int end = find(html, CellEnd, cell);
        if (cell < 0 || end < 0)
            return;
        cell += CellStart.size();
        const QString title = html.mid(cell, end - cell);
        int after = end;
        if (title != EmptyCell && !title.contains(Picture)) {
            const QString opening = internalLinkOpening(title);
            const QString links = searchLinksAfterTitle(title);
            html.insert(cell, opening);
            html.insert(end + opening.size(), links);
            after = end + opening.size() + links.size();
        }
        from = after;
    }
}

// Removes the first block that starts with `start` and ends with `end` (kept when asked); a
// block without its end stays.
void removeBlock(QString &html, const QString &start, const QString &end, bool keepEnd)
{
    const int from = find(html, start, 0);
    const int to = find(html, end, from);
    if (from < 0 || to < 0)
        return;
    html.remove(from, to - from + (keepEnd ? 0 : end.size()));
}

void removeAdvertising(QString &html)
{
    removeBlock(html, QStringLiteral("<div id=\"xiti-logo\">"), QStringLiteral("</div>"), false);
    removeBlock(html, QStringLiteral("<!-- D\u00e9but tag AdServerPub //-->"),
                QStringLiteral("<!-- Fin tag AdServerPub //-->"), true);
    const QString script = QStringLiteral("<script type=\"text/javascript\" src=\"http://");
    removeBlock(html, script + WebAddresses::listingAdvertisingHost(), QStringLiteral("</script>"), false);
    removeBlock(html, QStringLiteral("<div class=\"NewsBas\">"), QStringLiteral("</div>"), false);
}

} // namespace

bool isListingFrameToRewrite(const QString &html)
{
    return !html.contains(MarkerComment, Qt::CaseInsensitive)
           && html.contains(QLatin1String("newsgroup"), Qt::CaseInsensitive)
           && html.contains(QLatin1String("fichier"), Qt::CaseInsensitive)
           && html.contains(QLatin1String("titre"), Qt::CaseInsensitive);
}

QString rewriteListingHtml(const QString &source)
{
    QString html = MarkerComment + source;
    const int header = find(html, TitleHeaderCell, 0);
    if (header < 0)
        return QString();
    const int headerRow = html.lastIndexOf(RowStart, header, Qt::CaseInsensitive);
    if (headerRow < 0)
        return QString();
    const int column = titleColumn(html, headerRow);
    rewriteRows(html, QStringLiteral("<tr class=\"ligneclaire\">"), column);
    rewriteRows(html, QStringLiteral("<tr class=\"lignefoncee\">"), column);
    removeAdvertising(html);
    return html;
}

void rewriteListingPage(QWebView *view)
{
    if (!view || !view->url().host().contains(WebAddresses::listingSiteHostWord(), Qt::CaseInsensitive))
        return;
    // Giving a frame its new content ends in another finished load: a frame that carries the
    // marker says that this page has had its rewrite, and no further frame is taken.
    const QList<QWebFrame *> frames = view->page()->mainFrame()->childFrames();
    for (QWebFrame *frame : frames) {
        const QString html = frame->toHtml();
        if (html.contains(MarkerComment, Qt::CaseInsensitive))
            return;
        if (!isListingFrameToRewrite(html))
            continue;
        const QString rewritten = rewriteListingHtml(html);
        if (!rewritten.isNull())
            frame->setHtml(rewritten, frame->baseUrl());
        return;
    }
}
