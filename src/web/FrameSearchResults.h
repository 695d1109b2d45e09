#ifndef FRAMESEARCHRESULTS_H
#define FRAMESEARCHRESULTS_H

#include "web/BinSearch.h"

#include <QFrame>
#include <QString>

namespace Ui {
class FrameSearchResults;
}

class SearchResult;

// One page of the search tab: the results of one query in a sortable table with a check box
// per row, the previous and next pages of the same query, and the fetch of the checked rows
// as one NZB file. It owns its search client; one request runs at a time.
class FrameSearchResults : public QFrame
{
    Q_OBJECT

public:
    explicit FrameSearchResults(QWidget *parent = nullptr);
    ~FrameSearchResults() override;

    void search(QString query, int ageIndex, int resultsIndex, bool otherGroups, bool collectionsOnly, bool nfoOnly,
                uint minSize, uint maxSize, uint page);
    void downloadSelection(const QString &folder, const QString &destination);

    // True from a search, a page or an NZB fetch until its end is reported.
    bool isBusy() const { return busy; }
    QString query() const { return strQuery; }
    uint currentPage() const { return uiPage; }

signals:
    void signalSearchFinished(bool bError, QString strError);
    void signalNzbDownloaded(bool bError, QString strError, QString strNzbPath, QString strDestination);
    void signalBusyChanged(bool busy);

public slots:
    void slotNext();
    void slotBack();
    void slotSelectUnselectStateChanged(int state);
    void slotSearchFinished(bool bError);
    void slotNzbDownloaded(bool bError, QString strNzbPath);

private:
    void showSearchOutcome(bool bError);
    bool fillTable();
    bool letTheWindowBreathe();
    void addRow(int row, const SearchResult *result);
    void showPageState();
    void setBusy(bool value);

    Ui::FrameSearchResults *ui;
    BinSearch binSearch;
    QString strQuery;
    int iAgeIndex = 0;
    int iResultsIndex = 0;
    bool bOtherGroups = false;
    uint uiPage = 1;
    uint uiPreviousPage = 1;
    uint uiResultCount = 0;
    uint uiPreviousResultCount = 0;
    bool bCollectionsOnly = false;
    bool bNfoOnly = false;
    uint uiMinSize = 0;
    uint uiMaxSize = 0;
    QString strDestination;
    // Whether the page shown links to a next one; a failed page leaves it as it was.
    bool bMoreResults = false;
    bool busy = false;
};

#endif // FRAMESEARCHRESULTS_H
