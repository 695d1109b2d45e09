#ifndef SEARCHPAGESCRAPER_H
#define SEARCHPAGESCRAPER_H

#include <QByteArray>
#include <QList>

class SearchResult;

// Cuts a BinSearch result page into SearchResult rows. The page is not parsed as HTML but cut
// at fixed markers, in one forward pass: each marker's next place is remembered, so that the
// work grows with the page's size and not with its square, whatever the page holds. No field
// of a row keeps more than MaxFieldLength characters of the page.
class SearchPageScraper
{
public:
    enum class Outcome {
        Rows,            // the rows of the page (possibly none), in page order
        NoCheckbox,      // a page without any result
        TagFormatError,  // no end of table, or a row without its id: the rows before it stay
    };

    static constexpr int MaxFieldLength = 2048;

    // `page` is the page text, one character per byte; `nextPageLink` the text whose presence
    // says that a next page exists. The rows go to the end of `results`, owned by the caller.
    static Outcome scrape(const QByteArray &page, const QByteArray &nextPageLink, QList<SearchResult *> &results,
                          bool &moreResults);

private:
    SearchPageScraper() = delete;
};

#endif // SEARCHPAGESCRAPER_H
