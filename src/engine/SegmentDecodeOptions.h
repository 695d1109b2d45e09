#ifndef SEGMENTDECODEOPTIONS_H
#define SEGMENTDECODEOPTIONS_H

#include "engine/DecodedPart.h"

#include <QString>
#include <QVector>

#include <functional>

// What the caller of NntpSegmentDecoder::decodeSegmentFile() knows beyond the segment itself:
// how large the posted file can be, and under which name each output goes in the folder.
struct SegmentDecodeOptions
{
    // Bytes the output file can hold: a yEnc part that begins or ends beyond fails (result 5)
    // before a byte of it is written. Negative: no bound.
    qint64 outputLimit = -1;
    // Turns the name an encoding header gives (after the subject rule) into the name the output
    // takes in the folder; an empty result refuses the output (result 5). Unset: the name as is.
    std::function<QString(const QString &)> outputName;
    // The output is written under its partial name (PartialFile::pathFor), which the caller
    // turns into the real one once the whole file is written.
    bool writeAside = false;
    // Where each yEnc section that wrote into an output is told, in the order they ended; none
    // when null. The caller's, for one call at a time.
    QVector<DecodedPart> *decodedParts = nullptr;
};

#endif // SEGMENTDECODEOPTIONS_H
