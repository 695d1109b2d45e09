#ifndef SEARCHRESULT_H
#define SEARCHRESULT_H

#include <QObject>
#include <QString>

// One result row of a BinSearch result page, as the scraper cut it.
class SearchResult : private QObject
{
    Q_OBJECT

public:
    SearchResult();

    QString id;       // name of the row's check box, sent back to fetch its NZB
    QString subject;  // percent-decoded and entity-decoded
    QString info;     // "size: ..., parts available: ..." or "?"
    QString poster;   // percent-decoded and entity-decoded
    QString groups;   // joined with " - "
    QString age;      // as the page shows it
};

#endif // SEARCHRESULT_H
