#ifndef NZBPARSER_H
#define NZBPARSER_H

#include <QByteArray>
#include <QObject>
#include <QString>

class NzbFiles;

// Reads NZB documents into a new NzbFiles. Lenient about everything but the nesting of
// file / groups / segments; never instantiated.
class NzbParser : public QObject
{
    Q_OBJECT

public:
    // A new NzbFiles owned by the caller, or null with the error text set.
    static NzbFiles *parse(const QByteArray &data, QString &error);
    static NzbFiles *parseFile(const QString &path, QString &error);

    // True for a segment number the program accepts: decimal digits only, within int range.
    static bool isValidSegmentNumber(const QString &number);
    // True for a message id a server can be asked for: once trimmed, not empty and without CR,
    // LF or NUL (which would end the command line early).
    static bool isUsableMessageId(const QString &messageId);

private:
    NzbParser() = default;
};

#endif // NZBPARSER_H
