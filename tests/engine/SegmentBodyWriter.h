#ifndef SEGMENTBODYWRITER_H
#define SEGMENTBODYWRITER_H

#include <QByteArray>
#include <QString>

// Builds article bodies the way posters write them (yEnc, uuencode, MIME base64) and wraps
// them into segment temporary files (32-bit big-endian length, then the body), for the
// decoder's tests, its benchmark and its fuzz corpus.
class SegmentBodyWriter
{
public:
    struct YencPart
    {
        int number = 1;
        int total = 1;
        qint64 begin = 1; // first byte of the part in the whole file, counted from 1
        qint64 end = 0;   // last byte, inclusive
    };

    // The segment temporary file holding body.
    static QByteArray segmentFile(const QByteArray &body);

    // yEnc data lines (CR LF after each) for data, lineLength characters a line.
    static QByteArray yencLines(const QByteArray &data, int lineLength = 128);

    static QByteArray yencSinglePart(const QString &name, const QByteArray &data, int lineLength = 128);
    // A single-part body whose =yend carries the given text after "=yend " instead of the
    // regular size and crc32 fields.
    static QByteArray yencSinglePartWithEnd(const QString &name, const QByteArray &data, const QByteArray &endFields);

    // Part of a multi-part post of wholeFile; the =yend carries the part's pcrc32 and the whole
    // file's crc32 (each only when asked).
    static QByteArray yencMultiPart(const QString &name, const QByteArray &wholeFile, const YencPart &part,
                                    bool withPartCrc = true, bool withFileCrc = true, int lineLength = 128);

    static QByteArray uuencodeLines(const QByteArray &data);
    static QByteArray uuencodeFile(const QString &name, const QByteArray &data);

    static QByteArray mimeBase64(const QString &nameField, const QByteArray &data);

    // The same bytes for the same seed on every run and machine.
    static QByteArray randomBytes(int size, quint32 seed);

    static QByteArray crcText(quint32 crc);
    static quint32 crcOf(const QByteArray &data);
};

#endif // SEGMENTBODYWRITER_H
