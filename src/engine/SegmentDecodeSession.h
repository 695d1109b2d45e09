#ifndef SEGMENTDECODESESSION_H
#define SEGMENTDECODESESSION_H

#include "engine/Crc32.h"
#include "engine/SegmentDecodeOptions.h"
#include "engine/SegmentOutputFile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>

class SegmentLineReader;

// One decoding of one segment temporary file: the state that lives for one call of
// NntpSegmentDecoder::decodeSegmentFile(). Lines are examined one at a time by the rules of
// the current mode (none while looking for a header, yEnc, MIME or uuencode).
class SegmentDecodeSession
{
public:
    SegmentDecodeSession(const QString &inputPath, const QString &outputFolder, const QString &subject,
                         const SegmentDecodeOptions &options = SegmentDecodeOptions());

    // Results: 0 decoded, 1 CRC error, 2 nothing to decode, 3 input missing,
    // 4 output cannot be opened, 5 any other failure, 6 the output could not be written whole,
    // 7 a yEnc article whose length differs from what its headers announce, 8 a uuencoded or
    // base64 attachment cut short (no end, or a line shorter than it should be).
    int run(QString &firstOutputName, QString &outputName, QString &errorText);

private:
    enum class Mode { None, Yenc, Mime, Uuencode };
    static constexpr int kContinue = -1;

    int examine(const unsigned char *line, std::size_t length);

    int searchHeader(const QByteArray &line);
    int startYenc(const QByteArray &line);
    int startUuencode(const QByteArray &line);
    int startMime(const QByteArray &line);
    int openOutput(QString name);
    bool isUsableName(const QString &name) const;

    int yencLine(const unsigned char *line, std::size_t length);
    void decodeYencLines(SegmentLineReader &reader);
    void commitYenc(std::size_t decoded);
    int yencPart(const QByteArray &line);
    void placePart(qint64 begin, qint64 end);
    void yencEnd(const QByteArray &line);
    void checkYencSection(qint64 endSize, bool ended);
    void tellWritten();
    void compareCrc(const QByteArray &piece, int prefixLength);

    int mimeLine(QByteArray line);
    int uuencodeLine(const unsigned char *line, std::size_t length);
    void leaveSection();
    void closeOutput();
    int writeFailed();
    int fail(int result, const QString &text);

    const QString inputPath;
    const QString outputFolder;
    const QString subject;
    const SegmentDecodeOptions options;

    QString *firstOutputName = nullptr;
    QString *outputName = nullptr;
    QString *errorText = nullptr;

    Mode mode = Mode::None;
    QByteArray transferEncoding;
    QString currentOutputName;
    qint64 expectedSize = -1;
    bool crcError = false;
    bool headerFound = false;
    int lineNumber = 0;
    bool outputFailed = false; // some write, flush or close of an output failed
    QString outputError;

    bool yencHasOutput = false; // the last yEnc header opened (or kept) an output
    bool yencMultiPart = false; // the yEnc section being decoded is one part of a larger file
    bool lengthError = false;   // some yEnc section held other than its headers announce
    bool cutShort = false;      // some uuencoded or base64 attachment lost lines or its end
    bool base64Padded = false;  // the last base64 line of the attachment ended its data

    // The yEnc section being decoded: what its headers announce, what it decoded and where its
    // bytes went. Its bytes are written only within its room: its part, or the file's size.
    struct YencSection
    {
        qint64 fileSize = 0;    // "size=" of "=ybegin": the whole file's
        qint64 partLength = -1; // from "=ypart begin= end=", -1 when unknown
        qint64 start = 0;       // where its first byte goes in the output
        qint64 room = 0;        // bytes it may still write
        qint64 decoded = 0;     // bytes it decoded
        qint64 written = 0;     // bytes of them written
        bool damaged = false;   // its part does not lie within the file, or data came before it
    };
    YencSection section;

    SegmentOutputFile output;
    Crc32 crc;
};

#endif // SEGMENTDECODESESSION_H
