#ifndef BINSEARCH_H
#define BINSEARCH_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

class NetworkAccessManager;
class QNetworkReply;
class SearchResult;

// Client of the BinSearch NZB search service: sends a search as its search form would, cuts
// the result page into SearchResult rows with a next-page flag, and fetches the NZB file of
// chosen results into a folder. One exchange at a time; each ends with its signal.
class BinSearch : public QObject
{
    Q_OBJECT

public:
    explicit BinSearch(QObject *parent = nullptr);
    ~BinSearch() override;

    void search(QString query, int ageIndex, int resultsIndex, bool otherGroups, bool collectionsOnly,
                bool withNfo, uint minSize, uint maxSize, uint page);
    static QString buildPostData(const QStringList &ids);
    void downloadNzb(const QString &postData, const QString &folder, const QString &fileName);

    const QList<SearchResult *> &getResults() const { return results; }
    bool hasMoreResults() const { return moreResults; }
    QString lastError() const { return errorText; }
    const QList<int> &getResultsPerPageValues() const { return resultsPerPageValues; }
    const QList<int> &getMaxAgeValues() const { return maxAgeValues; }
    // True from search() or downloadNzb() until its signal.
    bool isBusy() const { return !pendingSearch.isNull() || !pendingNzb.isNull(); }

    static QString decodeHtmlEntities(const QString &text);
    static int htmlEntityCount();
    // The name an NZB file is written under: without the characters file names may not hold,
    // and short enough for the file system (the ".nzb" ending kept).
    static QString safeNzbFileName(const QString &name);

signals:
    void signalSearchFinished(bool bError);
    void signalNzbDownloaded(bool bError, QString strNzbPath);

public slots:
    void slotSearchNzbFinished(QNetworkReply *pReply);
    void slotGetNzbFinished(QNetworkReply *pReply);

private:
    QString ageValue() const;
    int pageSize() const;
    QString formQuery(bool collectionsOnly, bool withNfo, uint minSize, uint maxSize) const;
    void clearResults();
    QString replyErrorText(QNetworkReply *reply) const;
    static QString pageText(QNetworkReply *reply);
    static QString percentDecoded(const QString &field);
    void scrapePage(const QString &html);
    bool scrapeRow(QString &current);
    void failNzbFetch(const QString &error);
    bool writeNzbFile(const QString &text, QString &path);

    QStringList baseAddresses;
    QList<int> resultsPerPageValues;
    QList<int> maxAgeValues;
    QString trimmedQuery;
    QList<SearchResult *> results;
    bool moreResults;
    int ageIndex;
    int resultsIndex;
    bool otherGroups;
    uint page;
    NetworkAccessManager *manager;
    QString errorText;
    QUrl nzbAddress;
    QString nzbFolder;
    QString nzbFileName;
    // The reply each slot waits for: another reply reaching a slot is not its to read.
    QPointer<QNetworkReply> pendingSearch;
    QPointer<QNetworkReply> pendingNzb;
};

#endif // BINSEARCH_H
