#include "web/BinSearch.h"

#include "engine/NntpSegmentDecoder.h"
#include "web/NetworkAccessManager.h"
#include "web/SearchResult.h"
#include "widgets/WebAddresses.h"
#include "web/WebAnswerLimits.h"

#include <QDir>
#include <QFile>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPair>
#include <QSaveFile>
#include <QTimer>

namespace {

using QueryItem = QPair<QString, QString>;

// Query values go out percent-encoded in UTF-8, except "+", which the service reads as the
// blank it stands for; "=" and "&" inside a value are encoded.
QString encodeQuery(const QList<QueryItem> &items)
{
    QStringList pairs;
    for (const QueryItem &item : items) {
        pairs.append(QString::fromLatin1(QUrl::toPercentEncoding(item.first) + '='
                                         + QUrl::toPercentEncoding(item.second, QByteArray("+"))));
    }
    return pairs.join(QLatin1Char('&'));
}

QString decimalOrEmpty(uint value)
{
    return value == 0 ? QString() : QString::number(value);
}

// Longest name of one folder entry on the usual Linux file systems is 255 bytes; the file is
// first written as a temporary copy whose name adds 7 (".XXXXXX").
const int MaxFileNameBytes = 255 - 7;

} // namespace

BinSearch::BinSearch(QObject *parent)
    : QObject(parent)
    , baseAddresses{WebAddresses::binSearchBase()}
    , resultsPerPageValues{25, 50, 100, 250}
    , maxAgeValues{1, 7, 14, 21, 50, 70, 99, 120, 365, 600, 1100, 0}
    , moreResults(false)
    , ageIndex(0)
    , resultsIndex(0)
    , otherGroups(false)
    , page(1)
    , manager(new NetworkAccessManager(this))
{
}

BinSearch::~BinSearch()
{
    disconnect(manager, nullptr, this, nullptr);
    clearResults();
}

// Reads the answer of `reply` as it arrives, a read buffer at a time, through `reader`; an
// answer announced or grown past `maxBytes` is stopped.
void BinSearch::follow(QNetworkReply *reply, Answer &answer, qint64 maxBytes,
                       void (BinSearch::*reader)(QNetworkReply *))
{
    answer = Answer();
    answer.maxBytes = maxBytes;
    WebAnswerLimits::limitReadBuffer(reply);
    connect(reply, &QNetworkReply::metaDataChanged, this, [reply, &answer] {
        bool known = false;
        const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && announced > answer.maxBytes && !answer.tooLarge) {
            answer.tooLarge = true;
            QTimer::singleShot(0, reply, &QNetworkReply::abort);
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply, reader] { (this->*reader)(reply); });
}

// What the reply has, less what follows a NUL byte; nothing once the answer is too large,
// which is then stopped (from the event loop, not from inside the reply's own signal).
QByteArray BinSearch::takeAnswerBytes(QNetworkReply *reply, Answer &answer)
{
    if (answer.tooLarge || !reply->isOpen())
        return QByteArray();
    QByteArray bytes = reply->readAll();
    answer.received += bytes.size();
    if (answer.received > answer.maxBytes) {
        answer.tooLarge = true;
        QTimer::singleShot(0, reply, &QNetworkReply::abort);
        return QByteArray();
    }
    if (answer.nulSeen)
        return QByteArray();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0) {
        bytes.truncate(nul);
        answer.nulSeen = true;
    }
    return bytes;
}

QString BinSearch::tooLargeText(const Answer &answer) const
{
    return tr("The answer of the server is larger than %1 MiB: it was stopped.")
        .arg(WebAnswerLimits::mebibytes(answer.maxBytes));
}

void BinSearch::clearResults()
{
    qDeleteAll(results);
    results.clear();
}

QString BinSearch::ageValue() const
{
    const int age = maxAgeValues.value(ageIndex, 0);
    return age == 0 ? QString() : QString::number(age);
}

int BinSearch::pageSize() const
{
    return resultsPerPageValues.value(resultsIndex, resultsPerPageValues.first());
}

void BinSearch::search(QString query, int ageIndex, int resultsIndex, bool otherGroups, bool collectionsOnly,
                       bool withNfo, uint minSize, uint maxSize, uint page)
{
    errorText.clear();
    // An index outside its table (a combo box left empty gives -1) takes the table's default:
    // every age, the smallest page.
    this->ageIndex = (ageIndex >= 0 && ageIndex < maxAgeValues.size()) ? ageIndex : maxAgeValues.size() - 1;
    this->resultsIndex = (resultsIndex >= 0 && resultsIndex < resultsPerPageValues.size()) ? resultsIndex : 0;
    this->otherGroups = otherGroups;
    this->page = qMax(page, 1U);
    const QString base = baseAddresses.first();
    trimmedQuery = query.trimmed();
    moreResults = false;
    clearResults();

    const QString items = formQuery(collectionsOnly, withNfo, minSize, maxSize);
    nzbAddress = QUrl(base + QStringLiteral("fcgi/nzb.fcgi"));
    nzbAddress.setQuery(items, QUrl::StrictMode);
    QUrl searchAddress(base);
    searchAddress.setQuery(items, QUrl::StrictMode);

    QNetworkRequest request(searchAddress);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    connect(manager, &QNetworkAccessManager::finished, this, &BinSearch::slotSearchNzbFinished,
            Qt::UniqueConnection);
    pageBytes.clear();
    pendingSearch = manager->get(request);
    follow(pendingSearch, searchAnswer, WebAnswerLimits::MaxSearchPageBytes, &BinSearch::readSearchAnswer);
}

void BinSearch::readSearchAnswer(QNetworkReply *reply)
{
    if (reply == pendingSearch)
        pageBytes += takeAnswerBytes(reply, searchAnswer);
}

QString BinSearch::formQuery(bool collectionsOnly, bool withNfo, uint minSize, uint maxSize) const
{
    QString queryValue = trimmedQuery;
    queryValue.replace(QLatin1Char(' '), QLatin1Char('+'));
    const QString size = QString::number(pageSize());
    const bool simple = !collectionsOnly && !withNfo && minSize == 0 && maxSize == 0;

    QList<QueryItem> items{{QStringLiteral("q"), queryValue}, {QStringLiteral("max"), size}};
    if (simple) {
        items.append({QStringLiteral("adv_age"), ageValue()});
        items.append({QStringLiteral("server"), otherGroups ? QStringLiteral("2") : QString()});
    } else {
        items.append({QStringLiteral("adv_g"), QString()});
        items.append({QStringLiteral("adv_age"), ageValue()});
        items.append({QStringLiteral("adv_sort"), QStringLiteral("date")});
        if (collectionsOnly)
            items.append({QStringLiteral("adv_col"), QStringLiteral("on")});
        if (withNfo)
            items.append({QStringLiteral("adv_nfo"), QStringLiteral("on")});
        items.append({QStringLiteral("minsize"), decimalOrEmpty(minSize)});
        items.append({QStringLiteral("maxsize"), decimalOrEmpty(maxSize)});
        items.append({QStringLiteral("font"), QString()});
    }
    if (page > 1)
        items.append({QStringLiteral("min"), QString::number(qulonglong(pageSize()) * (page - 1))});
    return encodeQuery(items);
}

QString BinSearch::buildPostData(const QStringList &ids)
{
    QStringList parts;
    for (const QString &id : ids)
        parts.append(id + QStringLiteral("=on"));
    return parts.join(QLatin1Char('&'));
}

void BinSearch::downloadNzb(const QString &postData, const QString &folder, const QString &fileName)
{
    errorText.clear();
    if (folder.trimmed().isEmpty()) {
        failNzbFetch(tr("Wrong path %1: cannot download NZB file").arg(folder));
        return;
    }
    nzbFolder = folder;
    nzbFileName = fileName;
    if (!QDir().mkpath(folder)) {
        failNzbFetch(tr("Cannot create folder %1").arg(QDir::toNativeSeparators(folder)));
        return;
    }

    const QByteArray body = (postData + QStringLiteral("&action=nzb")).toUtf8();
    QNetworkRequest request(nzbAddress);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/x-www-form-urlencoded"));
    request.setHeader(QNetworkRequest::ContentLengthHeader, body.size());
    request.setRawHeader("Accept-Charset", "ISO-8859-1,utf-8;q=0.7,*;q=0.7");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    connect(manager, &QNetworkAccessManager::finished, this, &BinSearch::slotGetNzbFinished,
            Qt::UniqueConnection);
    nzbFile.reset();
    nzbBytesKept = 0;
    nzbWriteError.clear();
    pendingNzb = manager->post(request, body);
    follow(pendingNzb, nzbAnswer, WebAnswerLimits::MaxNzbBytes, &BinSearch::readNzbAnswer);
}

void BinSearch::readNzbAnswer(QNetworkReply *reply)
{
    if (reply != pendingNzb)
        return;
    const QByteArray bytes = takeAnswerBytes(reply, nzbAnswer);
    if (!bytes.isEmpty() && nzbWriteError.isEmpty() && !writeNzbBytes(bytes))
        nzbWriteError = tr("Cannot write NZB file %1: %2")
                            .arg(QDir::toNativeSeparators(nzbFilePath()), nzbFile ? nzbFile->errorString() : QString());
    nzbBytesKept += bytes.size();
}

void BinSearch::failNzbFetch(const QString &error)
{
    errorText = error;
    emit signalNzbDownloaded(true, QString());
}

void BinSearch::slotGetNzbFinished(QNetworkReply *pReply)
{
    if (pReply && pReply != pendingNzb)
        return;
    disconnect(manager, &QNetworkAccessManager::finished, this, &BinSearch::slotGetNzbFinished);
    if (pReply)
        readNzbAnswer(pReply);
    pendingNzb.clear();
    // Whatever the end, no file is left but a whole, sound answer.
    std::unique_ptr<QSaveFile> written = std::move(nzbFile);
    if (!pReply) {
        failNzbFetch(tr("The server does not respond."));
        return;
    }
    pReply->deleteLater();
    if (nzbAnswer.tooLarge) {
        failNzbFetch(tooLargeText(nzbAnswer));
        return;
    }
    if (pReply->error() != QNetworkReply::NoError) {
        failNzbFetch(tr("Network reply error: %1").arg(int(pReply->error())));
        return;
    }
    if (nzbBytesKept == 0) {
        failNzbFetch(tr("Request suceeded but no NZB returned"));
        return;
    }
    if (!nzbWriteError.isEmpty()) {
        failNzbFetch(nzbWriteError);
        return;
    }
    const QString path = written->fileName();
    if (!written->commit()) {
        failNzbFetch(tr("Cannot write NZB file %1: %2").arg(QDir::toNativeSeparators(path), written->errorString()));
        return;
    }
    emit signalNzbDownloaded(false, path);
}

QString BinSearch::nzbFilePath() const
{
    const QString name = safeNzbFileName(nzbFileName.isEmpty() ? trimmedQuery + QStringLiteral(".nzb") : nzbFileName);
    return nzbFolder + QLatin1Char('/') + name;
}

// The file is opened at the first bytes of the answer.
bool BinSearch::writeNzbBytes(const QByteArray &bytes)
{
    if (!nzbFile) {
        QDir().mkpath(nzbFolder);
        nzbFile = std::make_unique<QSaveFile>(nzbFilePath());
        if (!nzbFile->open(QIODevice::WriteOnly))
            return false;
    }
    return nzbFile->write(bytes) == bytes.size();
}

QString BinSearch::safeNzbFileName(const QString &name)
{
    QString safe = NntpSegmentDecoder::sanitizeFileName(name);
    const QString suffix = QStringLiteral(".nzb");
    const bool keepSuffix = safe.endsWith(suffix, Qt::CaseInsensitive);
    QString stem = keepSuffix ? safe.left(safe.size() - suffix.size()) : safe;
    const QString ending = keepSuffix ? safe.right(suffix.size()) : QString();
    while (!stem.isEmpty() && QFile::encodeName(stem + ending).size() > MaxFileNameBytes) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.at(stem.size() - 1).isHighSurrogate())
            stem.chop(1);
    }
    return stem + ending;
}
