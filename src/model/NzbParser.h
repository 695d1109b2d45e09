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
    // Far above any real NZB (the largest hold a few hundred thousand articles in tens of MB).
    static constexpr qint64 MaxFileBytes = qint64(256) * 1024 * 1024;
    // Far above any real subject, poster, group or message id.
    static constexpr int MaxTextBytes = 64 * 1024;

    // A new NzbFiles owned by the caller, or null with the error text set. A document with a text
    // (or tag) longer than MaxTextBytes, or that declares entities, is refused whole. Every
    // segment is kept, also one whose number or message id makes it impossible to download: the
    // download manager reports those and counts their files incomplete.
    static NzbFiles *parse(const QByteArray &data, QString &error);
    // Refuses, before opening it, what is not a regular file (a folder, a device, a named pipe)
    // and a file larger than MaxFileBytes.
    static NzbFiles *parseFile(const QString &path, QString &error);
    // Whether the document in `path` goes on to the end of its root element, as one cut short
    // in transfer does not: a look at its tail, and for a tail other than a plain "</nzb>" (a
    // comment after it, another encoding) the document read through.
    static bool endsWhole(const QString &path);

private:
    NzbParser() = default;

    static QString notRegularFileText();
    static QString tooLargeText();
};

#endif // NZBPARSER_H
