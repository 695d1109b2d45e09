#include "engine/Crc32.h"

#include "engine/ClmulCrc32.h"

#include <array>

namespace {

constexpr quint64 reflectedPolynomial = 0xEDB88320u;

constexpr std::array<quint64, 256> makeTable()
{
    std::array<quint64, 256> table{};
    for (quint64 i = 0; i < 256; ++i) {
        quint64 value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ reflectedPolynomial : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<quint64, 256> crcTable = makeTable();

} // namespace

Crc32::Crc32()
    : runningValue(0xFFFFFFFFu)
{
}

void Crc32::reset()
{
    runningValue = 0xFFFFFFFFu;
}

void Crc32::update(unsigned char byte)
{
    runningValue = crcTable[(byte ^ runningValue) & 0xFF] ^ (runningValue >> 8);
}

void Crc32::update(const unsigned char *data, std::size_t length)
{
    // The running value is the CRC register before the final XOR; the block routine works on
    // finished values, hence the two XORs.
    const quint32 finishedSoFar = quint32(runningValue ^ 0xFFFFFFFFu);
    runningValue = quint64(ClmulCrc32::extend(finishedSoFar, data, length) ^ 0xFFFFFFFFu);
}

quint32 Crc32::finished() const
{
    return quint32(runningValue ^ 0xFFFFFFFFu);
}

quint32 Crc32::of(const unsigned char *data, std::size_t length)
{
    return ClmulCrc32::extend(0, data, length);
}
