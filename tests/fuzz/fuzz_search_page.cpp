// Fuzz target: any bytes as a search result page. The scraper must not crash, must keep every
// field within its bound, and, on pages of up to 1 KiB, must give exactly the rows of a plain
// reading that cuts the page by copies, as the rule of the markers reads (slow on large pages,
// which is why the scraper does not work that way), each field cut at the bound.
//
//   fuzz_search_page corpus tests/data/web/binsearch -dict=tests/fuzz/search_page.dict
#include "web/BinSearch.h"
#include "web/SearchPageScraper.h"
#include "web/SearchResult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QByteArray NextPageLink("&amp;max=25&amp;adv_age=&amp;server=&amp;min=25\">&gt;");

namespace plain {

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

QString upTo(const QString &text, const QString &marker)
{
    const int at = text.indexOf(marker);
    return at < 0 ? text : text.left(at);
}

QString after(const QString &text, const QString &marker)
{
    const int at = text.indexOf(marker);
    return at < 0 ? text.mid(marker.size() - 1) : text.mid(at + marker.size());
}

QString decoded(const QString &field)
{
    return BinSearch::decodeHtmlEntities(QString::fromUtf8(QByteArray::fromPercentEncoding(field.toLatin1())));
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

bool row(QString &current, QStringList &rows)
{
    if (!current.contains(IdStart))
        return false;
    current = after(current, IdStart);
    const QString id = upTo(current, IdEnd);
    current = after(current, SubjectStart);
    const QString subject = decoded(upTo(current, SpanEnd));
    current = after(current, SpanEnd);
    QString info;
    if (current.startsWith(Cell)) {
        info = QStringLiteral("?");
        current = after(current, LinkTextStart);
    } else {
        current = after(current, LinkEnd);
        info = upTo(current, LineBreak) + QLatin1Char(' ');
        current = after(current, LineBreak);
        info += upTo(current, LineBreak);
        current = after(current, Cell);
        current = after(current, LinkTextStart);
        if (!info.toUpper().contains(QStringLiteral("PARTS AVAILABLE")))
            info = QStringLiteral("?");
        info.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    }
    const QString poster = decoded(upTo(current, LinkEnd));
    current = after(current, Cell);
    current = after(current, LinkTextStart);
    const QString groups = groupsOf(upTo(current, Cell));
    current = after(current, Cell);
    const QString age = upTo(current, RowStart);
    // A groups cell without its end markers repeats the rest of the cell for every few
    // characters: the scraper keeps the start of it, as of every field.
    const int bound = SearchPageScraper::MaxFieldLength;
    if (!subject.toLower().contains(QStringLiteral("binsearch may only be used for personal use")))
        rows.append(QStringList{id.left(bound), subject.left(bound), info.left(bound), poster.left(bound),
                                groups.left(bound), age.left(bound)}
                        .join(QChar(0x1f)));
    return true;
}

// The outcome as the scraper names it, the rows joined field by field.
SearchPageScraper::Outcome scrape(const QString &html, QStringList &rows, bool &more)
{
    const int first = html.indexOf(Checkbox);
    if (first < 0)
        return SearchPageScraper::Outcome::NoCheckbox;
    more = html.contains(QString::fromLatin1(NextPageLink));
    QString current = html.mid(first);
    const int end = current.indexOf(TableEnd);
    if (end < 0)
        return SearchPageScraper::Outcome::TagFormatError;
    current.truncate(end);
    for (;;) {
        if (!row(current, rows))
            return SearchPageScraper::Outcome::TagFormatError;
        if (!current.contains(RowStart))
            return SearchPageScraper::Outcome::Rows;
        const int next = current.indexOf(Checkbox);
        if (next >= 0)
            current = current.mid(next);
    }
}

} // namespace plain

[[noreturn]] void failure(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray page(reinterpret_cast<const char *>(data), int(size));
    const int nul = page.indexOf('\0');
    if (nul >= 0)
        page.truncate(nul);

    QList<SearchResult *> results;
    bool more = false;
    const SearchPageScraper::Outcome outcome = SearchPageScraper::scrape(page, NextPageLink, results, more);
    QStringList rows;
    for (const SearchResult *result : results) {
        const QStringList fields{result->id, result->subject, result->info, result->poster, result->groups, result->age};
        for (const QString &field : fields) {
            if (field.size() > SearchPageScraper::MaxFieldLength)
                failure("field past its bound", QString::number(field.size()));
        }
        rows.append(fields.join(QChar(0x1f)));
    }
    qDeleteAll(results);

    if (page.size() <= 1024) {
        QStringList expectedRows;
        bool expectedMore = false;
        const SearchPageScraper::Outcome expected = plain::scrape(QString::fromLatin1(page), expectedRows, expectedMore);
        if (expected != outcome)
            failure("outcome differs", QString::number(int(outcome)) + QLatin1String(" instead of ") + QString::number(int(expected)));
        if (expectedMore != more)
            failure("next-page flag differs", QString::number(more));
        if (expectedRows != rows)
            failure("rows differ", rows.join(QLatin1Char('\n')) + QLatin1String("\ninstead of\n") + expectedRows.join(QLatin1Char('\n')));
    }
    return 0;
}
