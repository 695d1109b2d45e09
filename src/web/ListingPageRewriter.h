#ifndef LISTINGPAGEREWRITER_H
#define LISTINGPAGEREWRITER_H

#include <QString>

class QWebView;

// Rewrites the pages of one NZB listing site (its host known by WebAddresses): in the frame
// that lists the postings, every title becomes a link that searches for it in the program's own
// search tab, followed by links that search for it on two NZB search services, and four
// advertising blocks go. A marker comment keeps a frame from being rewritten twice. Called by
// each browser tab after a load that succeeded; pages of other hosts are left alone.
void rewriteListingPage(QWebView *view);

// The text work on the listing frame's HTML: the rewritten HTML, or a null string when the
// frame has no title column (then it is neither changed nor marked).
QString rewriteListingHtml(const QString &html);
// Whether a frame's HTML is a listing frame still to rewrite.
bool isListingFrameToRewrite(const QString &html);

#endif // LISTINGPAGEREWRITER_H
