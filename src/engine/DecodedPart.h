#ifndef DECODEDPART_H
#define DECODEDPART_H

#include <QString>

// What one yEnc section of an article wrote: into which output, where, how many bytes, and the
// size its header gives the whole file. The file decoder puts these together to find the bytes
// of a posted file that no article wrote.
struct DecodedPart
{
    QString outputName;
    qint64 fileSize = 0; // "size=" of the section's "=ybegin"
    qint64 begin = 0;    // offset of its first byte written, from 0
    qint64 length = 0;   // bytes written
};

#endif // DECODEDPART_H
