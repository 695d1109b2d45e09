#ifndef BINSEARCH_H
#define BINSEARCH_H

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

class NetworkAccessManager;
class QNetworkReply;
class QSaveFile;
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
    // What has come of an answer: it is read as it arrives, kept up to its first NUL byte,
    // and stopped when it grows past its bound.
    struct Answer {
        qint64 maxBytes = 0;
        qint64 received = 0;
        bool nulSeen = false;
        bool tooLarge = false;
    };

    QString ageValue() const;
    int pageSize() const;
    QString formQuery(bool collectionsOnly, bool withNfo, uint minSize, uint maxSize) const;
    void clearResults();
    QString replyErrorText(QNetworkReply *reply) const;
    void follow(QNetworkReply *reply, Answer &answer, qint64 maxBytes, void (BinSearch::*reader)(QNetworkReply *));
    QByteArray takeAnswerBytes(QNetworkReply *reply, Answer &answer);
    QString tooLargeText(const Answer &answer) const;
    void readSearchAnswer(QNetworkReply *reply);
    void readNzbAnswer(QNetworkReply *reply);
    void scrapePage(const QByteArray &html);
    void failNzbFetch(const QString &error);
    QString nzbFilePath() const;
    bool writeNzbBytes(const QByteArray &bytes);

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
    Answer searchAnswer;
    QByteArray pageBytes;
    Answer nzbAnswer;
    // The NZB answer goes to its file as it comes; the file takes its name only when the
    // whole answer is there and sound.
    std::unique_ptr<QSaveFile> nzbFile;
    qint64 nzbBytesKept = 0;
    QString nzbWriteError;
};

#endif // BINSEARCH_H
