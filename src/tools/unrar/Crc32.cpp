#include "Crc32.h"

#include <array>
#include <cstring>

namespace {

// Eight tables for the slicing-by-8 method: extraction speed is bounded by this loop.
using CrcTables = std::array<std::array<uint32_t, 256>, 8>;

CrcTables makeTables()
{
    CrcTables t {};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        t[0][i] = c;
    }
    for (uint32_t i = 0; i < 256; ++i)
        for (size_t s = 1; s < 8; ++s)
            t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
    return t;
}

const CrcTables &tables()
{
    static const CrcTables t = makeTables();
    return t;
}

} // namespace

uint32_t crc32Update(uint32_t crc, const void *data, size_t length)
{
    const CrcTables &t = tables();
    const auto *p = static_cast<const uint8_t *>(data);
    uint32_t c = ~crc;
    while (length >= 8) {
        uint32_t lo;
        uint32_t hi;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + 4, 4);
        lo ^= c; // little-endian host assumed (x86-64, arm64)
        c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24]
            ^ t[3][hi & 0xFF] ^ t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        p += 8;
        length -= 8;
    }
    while (length--)
        c = (c >> 8) ^ t[0][(c ^ *p++) & 0xFF];
    return ~c;
}
