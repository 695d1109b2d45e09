// BinSearch: the answer to a search, a result page cut into rows by SearchPageScraper.
#include "web/BinSearch.h"

#include "web/NetworkAccessManager.h"
#include "web/SearchPageScraper.h"
#include "web/SearchResult.h"

#include <QNetworkReply>

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
    if (pReply)
        readSearchAnswer(pReply);
    pendingSearch.clear();
    const QByteArray html = std::move(pageBytes);
    pageBytes = QByteArray();
    if (!pReply) {
        errorText = tr("The server does not respond.");
        emit signalSearchFinished(true);
        return;
    }
    pReply->deleteLater();
    if (searchAnswer.tooLarge) {
        errorText = tooLargeText(searchAnswer);
        emit signalSearchFinished(true);
        return;
    }
    // A failed request (refused, timed out, an error status) is reported as such: its body
    // is an error page, not an empty result.
    if (pReply->error() != QNetworkReply::NoError) {
        errorText = replyErrorText(pReply);
        emit signalSearchFinished(true);
        return;
    }
    if (html.isEmpty()) {
        errorText = tr("The server returned an empty page.");
        emit signalSearchFinished(true);
        return;
    }
    scrapePage(html);
}

void BinSearch::scrapePage(const QByteArray &html)
{
    const QString size = QString::number(pageSize());
    const QString nextPageLink = QStringLiteral("&amp;max=") + size + QStringLiteral("&amp;adv_age=") + ageValue()
                                 + QStringLiteral("&amp;server=") + (otherGroups ? QStringLiteral("2") : QString())
                                 + QStringLiteral("&amp;min=") + QString::number(qulonglong(pageSize()) * page)
                                 + QStringLiteral("\">&gt;");
    const SearchPageScraper::Outcome outcome =
        SearchPageScraper::scrape(html, nextPageLink.toLatin1(), results, moreResults);
    if (outcome == SearchPageScraper::Outcome::TagFormatError) {
        errorText = tr("Tag format exception in the answer");
        emit signalSearchFinished(true);
        return;
    }
    emit signalSearchFinished(false);
}
