#include "web/SearchPageScraper.h"

#include "web/BinSearch.h"
#include "web/SearchResult.h"

#include <QByteArrayMatcher>
#include <QString>

#include <array>
#include <cstring>

namespace {

// The texts at which the page is cut.
enum Marker {
    IdStart, IdEnd, SubjectStart, LinkTextStart, Checkbox, SpanEnd, Cell, LinkEnd, LineBreak, RowStart, MarkerCount
};

const char *const MarkerTexts[MarkerCount] = {
    "name=\"", "\"", "<td><span class=\"s\">", "\">", "checkbox", "</span>", "<td>", "</a>", "<br>", "<tr",
};

const QByteArray TableEnd("</table>");
const QString PartsAvailable = QStringLiteral("PARTS AVAILABLE");
const QString PersonalUseNotice = QStringLiteral("binsearch may only be used for personal use");

int markerLength(Marker marker)
{
    return int(std::strlen(MarkerTexts[marker]));
}

// The page up to the end of its result table, with the next place of each marker remembered.
// The scraper asks for places in forward order (nearly: a cell is read ahead of the row), so
// every byte is searched about once per marker, however many rows ask.
class MarkedPage
{
public:
    MarkedPage(const QByteArray &page, int end)
        : data(page.constData()), size(end)
    {
        for (int m = 0; m < MarkerCount; ++m) {
            matchers[m] = QByteArrayMatcher(MarkerTexts[m]);
            searchedFrom[m] = -1;
            found[m] = -1;
        }
    }

    // Where `marker` first starts at or after `from`; -1 when nowhere.
    int next(Marker marker, int from)
    {
        const int previousFrom = searchedFrom[marker];
        if (previousFrom >= 0 && previousFrom <= from && (found[marker] < 0 || found[marker] >= from))
            return found[marker];
        int at;
        if (previousFrom > from) {
            // Behind the last search: only the stretch before it is new.
            const int stop = qMin(size, previousFrom + markerLength(marker) - 1);
            at = matchers[marker].indexIn(data, stop, from);
            if (at < 0)
                at = found[marker];
        } else {
            at = matchers[marker].indexIn(data, size, from);
        }
        searchedFrom[marker] = from;
        found[marker] = at;
        return at;
    }

    bool holdsAt(int at, Marker marker, int end) const
    {
        const int length = markerLength(marker);
        return end - at >= length && std::memcmp(data + at, MarkerTexts[marker], size_t(length)) == 0;
    }

    // At most `limit` characters from `from` on, and not past `to`.
    QByteArray field(int from, int to, int limit = SearchPageScraper::MaxFieldLength) const
    {
        return QByteArray(data + from, qMax(0, qMin(to - from, limit)));
    }

    int end() const { return size; }

private:
    const char *data;
    int size;
    std::array<QByteArrayMatcher, MarkerCount> matchers;
    std::array<int, MarkerCount> searchedFrom;
    std::array<int, MarkerCount> found;
};

// The current text: the page between a position that only moves forward and a fixed end.
// "Up to X" is the text before the first X, or all of it; "past X" moves beyond the first X,
// or, when there is none, drops the length of X less one, so that reading always moves on.
class Cursor
{
public:
    Cursor(MarkedPage &page, int pos, int end)
        : page(page), pos(pos), end(end)
    {
    }

    int find(Marker marker) const
    {
        const int at = page.next(marker, pos);
        return at >= 0 && at + markerLength(marker) <= end ? at : -1;
    }
    bool contains(Marker marker) const { return find(marker) >= 0; }
    bool startsWith(Marker marker) const { return page.holdsAt(pos, marker, end); }
    QByteArray upTo(Marker marker, int limit = SearchPageScraper::MaxFieldLength) const
    {
        return page.field(pos, endOf(marker), limit);
    }
    int endOf(Marker marker) const
    {
        const int at = find(marker);
        return at < 0 ? end : at;
    }
    void skipPast(Marker marker)
    {
        const int at = find(marker);
        pos = at < 0 ? qMin(end, pos + markerLength(marker) - 1) : at + markerLength(marker);
    }
    void moveTo(int position) { pos = position; }
    int position() const { return pos; }

private:
    MarkedPage &page;
    int pos;
    int end;
};

QString decodedText(const QByteArray &field)
{
    return BinSearch::decodeHtmlEntities(QString::fromUtf8(QByteArray::fromPercentEncoding(field)));
}

QString infoOf(Cursor &row)
{
    if (row.startsWith(Cell)) {
        row.skipPast(LinkTextStart);
        return QStringLiteral("?");
    }
    row.skipPast(LinkEnd);
    QByteArray info = row.upTo(LineBreak) + ' ';
    row.skipPast(LineBreak);
    info += row.upTo(LineBreak);
    row.skipPast(Cell);
    row.skipPast(LinkTextStart);
    QString text = QString::fromLatin1(info.left(SearchPageScraper::MaxFieldLength));
    if (!text.toUpper().contains(PartsAvailable))
        return QStringLiteral("?");
    text.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    return text;
}

// The groups cell: one linked group after the other, separated by "<br>", joined with " - ".
// A cell without its end markers would repeat the rest of the cell for every few characters:
// reading stops as soon as the text is longer than the field can hold with a last " - " cut
// off, so that the field is the start of what the whole reading would give.
QString groupsOf(Cursor cell)
{
    const int enough = SearchPageScraper::MaxFieldLength + 3;
    QByteArray groups;
    bool cut = false;
    for (;;) {
        groups += cell.upTo(LinkEnd, enough);
        cell.skipPast(LinkEnd);
        if (groups.size() >= enough) {
            cut = true;
            break;
        }
        if (!cell.contains(LineBreak))
            break;
        cell.skipPast(LinkTextStart);
        groups += " - ";
    }
    if (!cut && groups.size() > 3 && groups.endsWith(" - "))
        groups.chop(3);
    return QString::fromLatin1(groups.left(SearchPageScraper::MaxFieldLength));
}

// One row, from its id on; false when the current text holds no id.
bool scrapeRow(MarkedPage &page, Cursor &row, QList<SearchResult *> &results)
{
    if (!row.contains(IdStart))
        return false;
    auto *result = new SearchResult;
    row.skipPast(IdStart);
    result->id = QString::fromLatin1(row.upTo(IdEnd));
    row.skipPast(SubjectStart);
    result->subject = decodedText(row.upTo(SpanEnd));
    row.skipPast(SpanEnd);
    result->info = infoOf(row);
    result->poster = decodedText(row.upTo(LinkEnd));
    row.skipPast(Cell);
    row.skipPast(LinkTextStart);
    result->groups = groupsOf(Cursor(page, row.position(), row.endOf(Cell)));
    row.skipPast(Cell);
    result->age = QString::fromLatin1(row.upTo(RowStart));

    if (result->subject.toLower().contains(PersonalUseNotice))
        delete result;
    else
        results.append(result);
    return true;
}

} // namespace

SearchPageScraper::Outcome SearchPageScraper::scrape(const QByteArray &page, const QByteArray &nextPageLink,
                                                     QList<SearchResult *> &results, bool &moreResults)
{
    const int firstCheckbox = page.indexOf(MarkerTexts[Checkbox]);
    if (firstCheckbox < 0)
        return Outcome::NoCheckbox;
    moreResults = page.contains(nextPageLink);
    const int tableEnd = page.indexOf(TableEnd, firstCheckbox);
    if (tableEnd < 0)
        return Outcome::TagFormatError;

    MarkedPage marked(page, tableEnd);
    Cursor row(marked, firstCheckbox, tableEnd);
    for (;;) {
        if (!scrapeRow(marked, row, results))
            return Outcome::TagFormatError;
        if (!row.contains(RowStart))
            return Outcome::Rows;
        const int next = row.find(Checkbox);
        if (next >= 0)
            row.moveTo(next);
    }
}
