#ifndef CLMULCRC32_H
#define CLMULCRC32_H

#include <QtGlobal>
#include <cstddef>

// Block CRC-32 (IEEE, reflected) by carry-less multiplication folding where the processor has
// PCLMULQDQ (on 32-byte registers where it has VPCLMULQDQ and AVX2 too), and by zlib's crc32()
// elsewhere and for short tails. Values are finished CRCs, as with zlib: extend(0, data, n) is the CRC-32 of the n bytes.
class ClmulCrc32
{
public:
    static quint32 extend(quint32 crc, const unsigned char *data, std::size_t length);
    static bool usesCarrylessMultiply();
    // Whether blocks of 256 bytes and more are folded 32 bytes at a time (VPCLMULQDQ, AVX2).
    static bool usesWideCarrylessMultiply();
};

#endif // CLMULCRC32_H
