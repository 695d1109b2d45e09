#include "web/FrameSearchResults.h"

#include "engine/NntpSegmentDecoder.h"
#include "web/SearchDateTableWidgetItem.h"
#include "web/SearchResult.h"
#include "web/SearchSizeTableWidgetItem.h"

#include "ui_FrameSearchResults.h"

#include <QBrush>
#include <QCoreApplication>
#include <QFont>
#include <QPointer>
#include <QTimer>

namespace {

const QString RedFont = QStringLiteral("<font color='red'>");
const QString FontEnd = QStringLiteral("</font>");
const QString SizeLabel = QStringLiteral("SIZE:");
const QString PartsLabel = QStringLiteral("PARTS AVAILABLE:");
// A long fill lets the window run its pending events after this many rows.
const int RowsBetweenEvents = 70;

QFont rowFont()
{
    return QFont(QStringLiteral("Arial"), 8);
}

// The size out of "size: 1.37 GB, parts available: 12 / 12", "?" when the info has none.
QString sizeText(const QString &info)
{
    const QString trimmed = info.trimmed();
    const int comma = info.indexOf(QLatin1Char(','));
    if (trimmed == QLatin1String("?") || comma < 0 || !info.contains(SizeLabel, Qt::CaseInsensitive))
        return QStringLiteral("?");
    return comma > 6 ? info.mid(6, comma - 6) : QStringLiteral("?");
}

QColor rowColour(QString &info)
{
    if (info.contains(RedFont)) {
        info.remove(RedFont, Qt::CaseInsensitive);
        info.remove(FontEnd, Qt::CaseInsensitive);
        return Qt::red;
    }
    return info.contains(QStringLiteral("PARTS AVAILABLE"), Qt::CaseInsensitive) ? Qt::darkGreen : Qt::black;
}

QTableWidgetItem *textItem(QTableWidgetItem *item, const QString &text, const QColor &colour)
{
    item->setText(text);
    item->setFont(rowFont());
    item->setForeground(QBrush(colour));
    return item;
}

} // namespace

FrameSearchResults::FrameSearchResults(QWidget *parent)
    : QFrame(parent), ui(new Ui::FrameSearchResults), binSearch(nullptr)
{
    ui->setupUi(this);
    ui->tableWidgetResults->setFont(rowFont());
    ui->pushButtonBack->setEnabled(false);
    ui->pushButtonNext->setEnabled(false);
    ui->labelInfoNbResults->clear();
    ui->labelSearchTitle->clear();
    connect(&binSearch, &BinSearch::signalSearchFinished, this, &FrameSearchResults::slotSearchFinished);
    connect(&binSearch, &BinSearch::signalNzbDownloaded, this, &FrameSearchResults::slotNzbDownloaded);
}

FrameSearchResults::~FrameSearchResults()
{
    disconnect(&binSearch, nullptr, this, nullptr);
    delete ui;
}

void FrameSearchResults::setBusy(bool value)
{
    if (busy == value)
        return;
    busy = value;
    emit signalBusyChanged(busy);
}

void FrameSearchResults::search(QString query, int ageIndex, int resultsIndex, bool otherGroups, bool collectionsOnly,
                                bool nfoOnly, uint minSize, uint maxSize, uint page)
{
    strQuery = query;
    iAgeIndex = ageIndex;
    iResultsIndex = resultsIndex;
    bOtherGroups = otherGroups;
    bCollectionsOnly = collectionsOnly;
    bNfoOnly = nfoOnly;
    uiMinSize = minSize;
    uiMaxSize = maxSize;
    uiPage = page;
    uiResultCount = 0;
    ui->pushButtonBack->setEnabled(false);
    ui->pushButtonNext->setEnabled(false);
    ui->labelInfoNbResults->clear();
    ui->labelSearchTitle->setText(query);
    ui->tableWidgetResults->setEnabled(false);
    setCursor(Qt::WaitCursor);
    ui->labelPageNumber->setText(QString::number(page));
    setBusy(true);
    binSearch.search(query, ageIndex, resultsIndex, otherGroups, collectionsOnly, nfoOnly, minSize, maxSize, page);
}

void FrameSearchResults::slotNext()
{
    if (busy)
        return;
    uiPreviousPage = uiPage;
    uiPreviousResultCount = uiResultCount;
    search(strQuery, iAgeIndex, iResultsIndex, bOtherGroups, bCollectionsOnly, bNfoOnly, uiMinSize, uiMaxSize,
           uiPage + 1);
}

void FrameSearchResults::slotBack()
{
    if (busy || uiPage <= 1)
        return;
    uiPreviousPage = uiPage;
    uiPreviousResultCount = uiResultCount;
    search(strQuery, iAgeIndex, iResultsIndex, bOtherGroups, bCollectionsOnly, bNfoOnly, uiMinSize, uiMaxSize,
           uiPage - 1);
}

void FrameSearchResults::slotSelectUnselectStateChanged(int state)
{
    for (int row = 0; row < ui->tableWidgetResults->rowCount(); ++row) {
        if (QTableWidgetItem *check = ui->tableWidgetResults->item(row, 0))
            check->setCheckState(Qt::CheckState(state));
    }
}

// The fill runs pending events; it starts from the event loop, not from inside the search
// client's network reply, which closing the page meanwhile would delete under it.
void FrameSearchResults::slotSearchFinished(bool bError)
{
    QTimer::singleShot(0, this, [this, bError] { showSearchOutcome(bError); });
}

void FrameSearchResults::showSearchOutcome(bool bError)
{
    QString error;
    if (!bError) {
        if (!fillTable())
            return;  // the page was closed during the fill
        bMoreResults = binSearch.hasMoreResults();
    } else {
        uiPage = uiPreviousPage;
        uiResultCount = uiPreviousResultCount;
        error = binSearch.lastError();
    }
    showPageState();
    setCursor(Qt::ArrowCursor);
    // An empty table is reported as "no result", unless the request failed with a reason
    // of its own (a refused connection, an error page), which the user must see instead.
    if (ui->tableWidgetResults->rowCount() == 0 && (!bError || error.isEmpty())) {
        bError = true;
        error = tr("No result found for \"%1\"").arg(strQuery);
    }
    setBusy(false);
    emit signalSearchFinished(bError, error);
}

void FrameSearchResults::showPageState()
{
    ui->tableWidgetResults->setEnabled(true);
    ui->pushButtonNext->setEnabled(bMoreResults);
    ui->pushButtonBack->setEnabled(uiPage > 1);
    ui->labelPageNumber->setText(QString::number(uiPage));
    QString count = QString::number(uiResultCount) + tr(" result(s)");
    if (bMoreResults)
        count += tr(" - More results available");
    ui->labelInfoNbResults->setText(count);
}

// Runs the window's pending events; false when the page was closed (and deleted) meanwhile.
bool FrameSearchResults::letTheWindowBreathe()
{
    const QPointer<FrameSearchResults> alive(this);
    QCoreApplication::processEvents();
    return !alive.isNull();
}

// False when the page was closed during the fill: nothing of it may be touched then. While it
// runs, the page is busy: no other request can replace the results it reads.
bool FrameSearchResults::fillTable()
{
    QTableWidget *table = ui->tableWidgetResults;
    table->setSortingEnabled(false);
    table->setUpdatesEnabled(false);
    for (int row = table->rowCount() - 1; row >= 0; --row)
        table->removeRow(row);
    table->clearContents();
    if (!letTheWindowBreathe())
        return false;

    const int count = binSearch.getResults().size();
    table->setRowCount(count);
    uiResultCount = uiPreviousResultCount = uint(count);
    for (int row = 0; row < count; ++row) {
        addRow(row, binSearch.getResults().at(row));
        if ((row + 1) % RowsBetweenEvents == 0 && !letTheWindowBreathe())
            return false;
    }

    for (int column = 0; column <= 5; ++column)
        table->resizeColumnToContents(column);
    table->setSortingEnabled(true);
    table->setUpdatesEnabled(true);
    return true;
}

void FrameSearchResults::addRow(int row, const SearchResult *result)
{
    QString info = result->info;
    const QColor colour = rowColour(info);
    QString age = result->age;
    age.remove(QStringLiteral("<!--"));

    auto *check = new QTableWidgetItem;
    check->setCheckState(Qt::Unchecked);
    check->setData(Qt::UserRole, result->id);
    check->setFont(rowFont());

    QTableWidget *table = ui->tableWidgetResults;
    table->setItem(row, 0, check);
    table->setItem(row, 1, textItem(new QTableWidgetItem, result->subject, colour));
    QTableWidgetItem *size = textItem(new SearchSizeTableWidgetItem, QLatin1Char(' ') + sizeText(info), colour);
    // The full info (size and parts available) stays at hand as the size's tool tip.
    if (info.trimmed() != QLatin1String("?"))
        size->setToolTip(info.trimmed());
    table->setItem(row, 2, size);
    table->setItem(row, 3, textItem(new SearchDateTableWidgetItem, QLatin1Char(' ') + age, colour));
    table->setItem(row, 4, textItem(new QTableWidgetItem, QLatin1Char(' ') + result->groups, colour));
    table->setItem(row, 5, textItem(new QTableWidgetItem, QLatin1Char(' ') + result->poster, colour));
}

void FrameSearchResults::downloadSelection(const QString &folder, const QString &destination)
{
    if (busy) {
        emit signalNzbDownloaded(true, tr("A request of this page is still running."), QString(), destination);
        return;
    }
    QStringList ids;
    QTableWidget *table = ui->tableWidgetResults;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *check = table->item(row, 0);
        if (check && check->checkState() == Qt::Checked)
            ids.append(check->data(Qt::UserRole).toString());
    }
    if (ids.isEmpty()) {
        emit signalNzbDownloaded(true, tr("No selected result."), folder, strDestination);
        return;
    }
    ui->pushButtonNext->setEnabled(false);
    ui->pushButtonBack->setEnabled(false);
    strDestination = destination;
    setBusy(true);
    const QString fileName = NntpSegmentDecoder::sanitizeFileName(strQuery) + QStringLiteral(".nzb");
    binSearch.downloadNzb(BinSearch::buildPostData(ids), folder, fileName);
}

void FrameSearchResults::slotNzbDownloaded(bool bError, QString strNzbPath)
{
    ui->pushButtonNext->setEnabled(bMoreResults);
    ui->pushButtonBack->setEnabled(uiPage > 1);
    setBusy(false);
    emit signalNzbDownloaded(bError, bError ? binSearch.lastError() : QString(), strNzbPath, strDestination);
}
