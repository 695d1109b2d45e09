#ifndef WEBANSWERLIMITS_H
#define WEBANSWERLIMITS_H

#include "model/NzbParser.h"

#include <QtGlobal>

class QNetworkReply;

// How much the program takes from a web server: the largest NZB file and search page it
// accepts (far above real ones), and the read buffer of a transfer, which holds a fast server
// back instead of letting its answer pile up in memory faster than the window takes it.
class WebAnswerLimits
{
public:
    // An NZB file fetched from the search service or caught by the browser: no larger than the
    // NZB reader takes.
    static constexpr qint64 MaxNzbBytes = NzbParser::MaxFileBytes;
    // One result page of the search service.
    static constexpr qint64 MaxSearchPageBytes = qint64(16) << 20;
    // The read buffer of an answer that the program reads itself (a search, an NZB fetch, a
    // download), and the larger one of every other answer: a page may stop reading for a while
    // (a script's dialog), and a full buffer would then run into the transfer time-out.
    static constexpr qint64 ReadBufferBytes = qint64(1) << 20;
    static constexpr qint64 PageReadBufferBytes = qint64(16) << 20;

    static constexpr qint64 mebibytes(qint64 bytes) { return bytes >> 20; }

    // Gives `reply` a read buffer of `bytes`, so that its transfer waits while it is full.
    static void limitReadBuffer(QNetworkReply *reply, qint64 bytes = ReadBufferBytes);

private:
    WebAnswerLimits() = delete;
};

#endif // WEBANSWERLIMITS_H
