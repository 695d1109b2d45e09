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
    // 4 output cannot be opened, 5 any other failure, 6 the output could not be written whole.
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
    int yencPart(const QByteArray &line);
    void yencEnd(const QByteArray &line);
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

    SegmentOutputFile output;
    Crc32 crc;
};

#endif // SEGMENTDECODESESSION_H
