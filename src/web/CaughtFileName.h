#ifndef CAUGHTFILENAME_H
#define CAUGHTFILENAME_H

#include <QByteArray>
#include <QString>

// The name of a file that the browser caught from a page, from two headers of the response:
// the content type (looked at first, some servers put the name there) and the content
// disposition. Reads "filename=" as a token or a quoted string and the extended form
// "filename*=charset'language'percent-encoded" (preferred when both are given), parameter names
// in any letter case. An unnamed "application/octet-stream" is "tmp.exe". The name loses every
// character that a file name cannot hold; an empty string means the file has no name.
class CaughtFileName
{
public:
    static QString fromHeaders(const QByteArray &contentType, const QByteArray &contentDisposition);

    // The file name parameter of one header value, unchanged; empty when there is none.
    static QString fileNameParameter(const QByteArray &headerValue);

private:
    CaughtFileName() = delete;
};

#endif // CAUGHTFILENAME_H
