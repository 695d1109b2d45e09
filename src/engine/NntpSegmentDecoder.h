#ifndef NNTPSEGMENTDECODER_H
#define NNTPSEGMENTDECODER_H

#include "engine/SegmentDecodeOptions.h"

#include <QObject>
#include <QString>

// Turns downloaded article bodies (segment temporary files) into the bytes of the posted file:
// yEnc (single and multi-part, CRC-checked), uuencode and MIME base64. Stateless and reentrant:
// the decoder threads call it at the same time without a lock.
class NntpSegmentDecoder : private QObject
{
    Q_OBJECT

public:
    NntpSegmentDecoder();

    // Decodes the segment temporary file at inputPath into outputFolder. Result: 0 decoded,
    // 1 decoded with a yEnc CRC error, 2 nothing to decode (firstOutputName is then the input
    // path), 3 input missing, 4 output file cannot be opened, 5 any other failure (errorText
    // tells which), 6 some decoded bytes could not be written (a full disk: errorText holds the
    // system's reason), 7 a yEnc article that does not hold what its headers announce, 8 a
    // uuencoded or base64 attachment cut short (its end missing, or a line shorter than its
    // encoding says); 1, 7 and 8 write what they decoded. firstOutputName is the first output
    // opened, outputName the last.
    static int decodeSegmentFile(const QString &inputPath, const QString &outputFolder, const QString &subject,
                                 QString &firstOutputName, QString &outputName, QString &errorText);
    // The same, with a bound on the output's size and the caller's choice of output names.
    static int decodeSegmentFile(const QString &inputPath, const QString &outputFolder, const QString &subject,
                                 QString &firstOutputName, QString &outputName, QString &errorText,
                                 const SegmentDecodeOptions &options);

    // The text without any of the characters \ / : * ? " < > |
    static QString sanitizeFileName(const QString &name);
};

#endif // NNTPSEGMENTDECODER_H
