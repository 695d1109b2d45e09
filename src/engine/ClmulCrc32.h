#ifndef CLMULCRC32_H
#define CLMULCRC32_H

#include <QtGlobal>
#include <cstddef>

// Block CRC-32 (IEEE, reflected) by carry-less multiplication folding where the processor has
// PCLMULQDQ, and by zlib's crc32() elsewhere and for short tails. Values are finished CRCs,
// as with zlib: extend(0, data, n) is the CRC-32 of the n bytes.
class ClmulCrc32
{
public:
    static quint32 extend(quint32 crc, const unsigned char *data, std::size_t length);
    static bool usesCarrylessMultiply();
};

#endif // CLMULCRC32_H
