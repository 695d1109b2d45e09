// BinSearch: reading a result page. The page is not parsed as HTML but cut at fixed markers.
#include "web/BinSearch.h"

#include "web/NetworkAccessManager.h"
#include "web/SearchResult.h"

#include <QNetworkReply>

namespace {

const QString IdStart = QStringLiteral("name=\"");
const QString IdEnd = QStringLiteral("\"");
const QString SubjectStart = QStringLiteral("<td><span class=\"s\">");
const QString LinkTextStart = QStringLiteral("\">");
const QString Checkbox = QStringLiteral("checkbox");
const QString TableEnd = QStringLiteral("</table>");
const QString SpanEnd = QStringLiteral("</span>");
const QString Cell = QStringLiteral("<td>");
const QString LinkEnd = QStringLiteral("</a>");
const QString LineBreak = QStringLiteral("<br>");
const QString RowStart = QStringLiteral("<tr");
const QString PersonalUseNotice = QStringLiteral("binsearch may only be used for personal use");

// The text before the first `marker`, or all of it when the marker is missing.
QString upTo(const QString &text, const QString &marker)
{
    const int at = text.indexOf(marker);
    return at < 0 ? text : text.left(at);
}

// The text after the first `marker`. When it is missing, the text loses as many characters as
// the marker has, less one, so that reading always moves forward.
QString after(const QString &text, const QString &marker)
{
    const int at = text.indexOf(marker);
    return at < 0 ? text.mid(marker.size() - 1) : text.mid(at + marker.size());
}

QString groupsOf(QString cell)
{
    QString groups;
    for (;;) {
        groups += upTo(cell, LinkEnd);
        cell = after(cell, LinkEnd);
        if (!cell.contains(LineBreak))
            break;
        cell = after(cell, LinkTextStart);
        groups += QStringLiteral(" - ");
    }
    if (groups.size() > 3 && groups.endsWith(QStringLiteral(" - ")))
        groups.chop(3);
    return groups;
}

} // namespace

QString BinSearch::pageText(QNetworkReply *reply)
{
    QByteArray body = reply->readAll();
    const int nul = body.indexOf('\0');
    if (nul >= 0)
        body.truncate(nul);
    return QString::fromLatin1(body);
}

QString BinSearch::percentDecoded(const QString &field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field.toLatin1()));
}

QString BinSearch::replyErrorText(QNetworkReply *reply) const
{
    switch (reply->error()) {
    case QNetworkReply::OperationCanceledError:  // the transfer time-out aborts the reply
    case QNetworkReply::TimeoutError:
        return tr("The server does not respond.");
    default:
        return tr("Network reply error: %1").arg(reply->errorString());
    }
}

void BinSearch::slotSearchNzbFinished(QNetworkReply *pReply)
{
    if (pReply && pReply != pendingSearch)
        return;
    disconnect(manager, &QNetworkAccessManager::finished, this, &BinSearch::slotSearchNzbFinished);
    pendingSearch.clear();
    if (!pReply) {
        errorText = tr("The server does not respond.");
        emit signalSearchFinished(true);
        return;
    }
    pReply->deleteLater();
    // A failed request (refused, timed out, an error status) is reported as such: its body
    // is an error page, not an empty result.
    if (pReply->error() != QNetworkReply::NoError) {
        errorText = replyErrorText(pReply);
        emit signalSearchFinished(true);
        return;
    }
    const QString html = pageText(pReply);
    if (html.isEmpty()) {
        errorText = tr("The server returned an empty page.");
        emit signalSearchFinished(true);
        return;
    }
    scrapePage(html);
}

void BinSearch::scrapePage(const QString &html)
{
    const int firstCheckbox = html.indexOf(Checkbox);
    if (firstCheckbox < 0) {
        emit signalSearchFinished(false);
        return;
    }
    const QString size = QString::number(pageSize());
    const QString nextPageLink = QStringLiteral("&amp;max=") + size + QStringLiteral("&amp;adv_age=") + ageValue()
                                 + QStringLiteral("&amp;server=") + (otherGroups ? QStringLiteral("2") : QString())
                                 + QStringLiteral("&amp;min=") + QString::number(qulonglong(pageSize()) * page)
                                 + LinkTextStart + QStringLiteral("&gt;");
    moreResults = html.contains(nextPageLink);

    QString current = html.mid(firstCheckbox);
    const int tableEnd = current.indexOf(TableEnd);
    if (tableEnd < 0) {
        errorText = tr("Tag format exception in the answer");
        emit signalSearchFinished(true);
        return;
    }
    current.truncate(tableEnd);

    for (;;) {
        if (!scrapeRow(current)) {
            errorText = tr("Tag format exception in the answer");
            emit signalSearchFinished(true);
            return;
        }
        if (!current.contains(RowStart))
            break;
        const int next = current.indexOf(Checkbox);
        if (next >= 0)
            current = current.mid(next);
    }
    emit signalSearchFinished(false);
}

bool BinSearch::scrapeRow(QString &current)
{
    if (!current.contains(IdStart))
        return false;
    auto *result = new SearchResult;
    current = after(current, IdStart);
    result->id = upTo(current, IdEnd);

    current = after(current, SubjectStart);
    result->subject = decodeHtmlEntities(percentDecoded(upTo(current, SpanEnd)));
    current = after(current, SpanEnd);

    if (current.startsWith(Cell)) {
        result->info = QStringLiteral("?");
        current = after(current, LinkTextStart);
    } else {
        current = after(current, LinkEnd);
        QString info = upTo(current, LineBreak) + QLatin1Char(' ');
        current = after(current, LineBreak);
        info += upTo(current, LineBreak);
        current = after(current, Cell);
        current = after(current, LinkTextStart);
        if (!info.toUpper().contains(QStringLiteral("PARTS AVAILABLE")))
            info = QStringLiteral("?");
        info.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
        result->info = info;
    }

    result->poster = decodeHtmlEntities(percentDecoded(upTo(current, LinkEnd)));
    current = after(current, Cell);
    current = after(current, LinkTextStart);
    result->groups = groupsOf(upTo(current, Cell));
    current = after(current, Cell);
    result->age = upTo(current, RowStart);

    if (result->subject.toLower().contains(PersonalUseNotice))
        delete result;
    else
        results.append(result);
    return true;
}
