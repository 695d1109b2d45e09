#include "engine/YencLineDecoder.h"

#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <immintrin.h>
#define TQ_HAVE_SSE2_KERNELS 1
#endif

namespace {

constexpr unsigned char kEscape = '=';
// Plain bytes are stored as (value + 42) mod 256; escaped ones as (value + 42 + 64) mod 256.
constexpr unsigned char kOffset = 42;
constexpr unsigned char kEscapedOffset = 42 + 64;

unsigned char plainByte(unsigned char encoded)
{
    return static_cast<unsigned char>(encoded - kOffset);
}

unsigned char escapedByte(unsigned char encoded)
{
    return static_cast<unsigned char>(encoded - kEscapedOffset);
}

bool beginsControlLine(const unsigned char *line, std::size_t remaining)
{
    auto begins = [line, remaining](const char *prefix, std::size_t prefixLength) {
        if (remaining < prefixLength)
            return false;
        for (std::size_t i = 0; i < prefixLength; ++i) {
            if (line[i] != static_cast<unsigned char>(prefix[i]))
                return false;
        }
        return true;
    };
    return remaining >= 2 && line[0] == '=' && line[1] == 'y' && (begins("=ypart ", 7) || begins("=yend ", 6));
}

bool isSpecial(unsigned char c)
{
    return c == kEscape || c == '\r' || c == '\n';
}

// A run of lines is at the input position i and output position o. Handles the special byte
// ("=", CR or LF) at in[i] that a scanning loop met; returns false when the run must stop (end
// of the input, or a control line next). The input ends with LF, so in[i + 1] exists unless
// in[i] is that LF, and in[i + 2] exists when in[i + 1] is CR.
//
// Inlined so that i and o stay in registers: stores through out (bytes, which may alias
// anything) would otherwise force them back to memory.
__attribute__((always_inline)) inline bool handleSpecial(const unsigned char *in, std::size_t length,
                                                         unsigned char *out, std::size_t &i, std::size_t &o)
{
    const auto lineEnded = [in, length, &i](std::size_t nextLine) {
        i = nextLine;
        return i < length && !beginsControlLine(in + i, length - i);
    };
    const unsigned char c = in[i];
    if (c == '\n')
        return lineEnded(i + 1);
    if (c == '\r') {
        if (in[i + 1] == '\n')
            return lineEnded(i + 2);
        out[o++] = plainByte(c);
        ++i;
        return true;
    }
    const unsigned char next = in[i + 1];
    if (next == '\n')
        return lineEnded(i + 2); // an escape that ends a line is dropped
    if (next == '\r' && in[i + 2] == '\n')
        return lineEnded(i + 3);
    out[o++] = escapedByte(next);
    i += 2;
    return true;
}

#ifdef TQ_HAVE_SSE2_KERNELS

// Both vector routines store a whole block minus 42, then advance only past the bytes before
// the first byte that needs a look ("=", or for runs also CR and LF) and handle it by hand.
// A block without such a byte costs one load, a compare or three and one store.

std::size_t decodeSse2(const unsigned char *in, std::size_t length, unsigned char *out)
{
    const __m128i escape = _mm_set1_epi8(char(kEscape));
    const __m128i offset = _mm_set1_epi8(char(kOffset));
    std::size_t i = 0;
    std::size_t o = 0;
    while (i < length) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(block, escape)));
        const std::size_t remaining = length - i;
        if (remaining < 16)
            mask |= 1u << remaining; // the end of the line stops the scan like an escape
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + o), _mm_sub_epi8(block, offset));
        if (mask == 0) {
            i += 16;
            o += 16;
            continue;
        }
        const unsigned plain = unsigned(__builtin_ctz(mask));
        i += plain;
        o += plain;
        if (i + 1 >= length)
            break;
        out[o++] = escapedByte(in[i + 1]);
        i += 2;
    }
    return o;
}

std::size_t sse2LineRun(const unsigned char *in, std::size_t length, unsigned char *out, std::size_t &consumed)
{
    const __m128i escape = _mm_set1_epi8(char(kEscape));
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i offset = _mm_set1_epi8(char(kOffset));
    std::size_t i = 0;
    std::size_t o = 0;
    // The LF that ends the input stops the scan before the end: no bound check is needed.
    bool more = !beginsControlLine(in, length);
    while (more) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        const __m128i special = _mm_or_si128(_mm_cmpeq_epi8(block, escape),
                                             _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        const unsigned mask = unsigned(_mm_movemask_epi8(special));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + o), _mm_sub_epi8(block, offset));
        if (mask == 0) {
            i += 16;
            o += 16;
            continue;
        }
        const unsigned plain = unsigned(__builtin_ctz(mask));
        i += plain;
        o += plain;
        more = handleSpecial(in, length, out, i, o);
    }
    consumed = i;
    return o;
}

// For each 8-bit mask of the bytes to keep, the positions of those bytes, packed to the front
// (0x80, which selects a zero, pads): the shuffle that drops escape characters from 8 bytes.
constexpr std::array<std::array<std::uint8_t, 8>, 256> makeKeepShuffles()
{
    std::array<std::array<std::uint8_t, 8>, 256> table{};
    for (unsigned keep = 0; keep < 256; ++keep) {
        unsigned count = 0;
        for (unsigned bit = 0; bit < 8; ++bit) {
            if (keep & (1u << bit))
                table[keep][count++] = std::uint8_t(bit);
        }
        while (count < 8)
            table[keep][count++] = 0x80;
    }
    return table;
}

constexpr std::array<std::array<std::uint8_t, 8>, 256> keepShuffles = makeKeepShuffles();

// Like decodeLinesSse2, but most blocks go through without a branch, escapes and line ends
// included: the byte after each "=" loses 64 more, and a shuffle drops every "=", every LF and
// every CR before an LF. A block takes the byte-wise way only when that would be wrong: it runs
// past the input, holds "==", ends in "=", CR or LF (the meaning depends on the next block), or
// starts a line with "=" (that line may be "=ypart " or "=yend ").
__attribute__((target("ssse3,popcnt"))) std::size_t ssse3LineRun(const unsigned char *in, std::size_t length,
                                                                 unsigned char *out, std::size_t &consumed)
{
    const __m128i escape = _mm_set1_epi8(char(kEscape));
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i offset = _mm_set1_epi8(char(kOffset));
    const __m128i escapeOffset = _mm_set1_epi8(64);
    const __m128i upperHalf = _mm_set_epi8(8, 8, 8, 8, 8, 8, 8, 8, 0, 0, 0, 0, 0, 0, 0, 0);
    constexpr unsigned lastByte = 0x8000u;
    std::size_t i = 0;
    std::size_t o = 0;
    bool more = !beginsControlLine(in, length);
    while (more) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + i));
        const __m128i isEscape = _mm_cmpeq_epi8(block, escape);
        const unsigned escapes = unsigned(_mm_movemask_epi8(isEscape));
        const unsigned lfs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
        const unsigned crs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(block, cr)));
        const bool byteWise = i + 16 > length || (escapes & (escapes << 1)) != 0
            || ((escapes | lfs | crs) & lastByte) != 0 || ((lfs << 1) & escapes) != 0;
        if (!byteWise) {
            const __m128i escaped = _mm_and_si128(_mm_slli_si128(isEscape, 1), escapeOffset);
            const __m128i decoded = _mm_sub_epi8(_mm_sub_epi8(block, offset), escaped);
            const unsigned keep = ~(escapes | lfs | (crs & (lfs >> 1))) & 0xFFFFu;
            const __m128i shuffle = _mm_add_epi8(
                _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(keepShuffles[keep & 0xFF].data())),
                                   _mm_loadl_epi64(reinterpret_cast<const __m128i *>(keepShuffles[keep >> 8].data()))),
                upperHalf);
            const __m128i packed = _mm_shuffle_epi8(decoded, shuffle);
            // Only the full count lies on the chain from one block to the next.
            const unsigned lowerCount = unsigned(__builtin_popcount(keep & 0xFF));
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + o), packed);
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + o + lowerCount), _mm_srli_si128(packed, 8));
            o += unsigned(__builtin_popcount(keep));
            i += 16;
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + o), _mm_sub_epi8(block, offset));
        const unsigned specials = escapes | lfs | crs;
        if (specials == 0) { // past the input's end only after its last LF, which is special
            i += 16;
            o += 16;
            continue;
        }
        const unsigned plain = unsigned(__builtin_ctz(specials));
        i += plain;
        o += plain;
        more = handleSpecial(in, length, out, i, o);
    }
    consumed = i;
    return o;
}

// The SSSE3 routine's rules on 32-byte blocks. A shuffle stays within its 16-byte half, so each
// half is packed on its own and stored in two 8-byte pieces as there; the byte after an "=" is
// found by shifting the escape mask one byte across the halves.
__attribute__((target("avx2,popcnt"))) std::size_t avx2LineRun(const unsigned char *in, std::size_t length,
                                                               unsigned char *out, std::size_t &consumed)
{
    const __m256i escape = _mm256_set1_epi8(char(kEscape));
    const __m256i cr = _mm256_set1_epi8('\r');
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i offset = _mm256_set1_epi8(char(kOffset));
    const __m256i escapeOffset = _mm256_set1_epi8(64);
    const __m128i upperHalf = _mm_set_epi8(8, 8, 8, 8, 8, 8, 8, 8, 0, 0, 0, 0, 0, 0, 0, 0);
    constexpr unsigned lastByte = 0x80000000u;
    const auto shuffleFor = [&upperHalf](unsigned keep16) {
        return _mm_add_epi8(
            _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(keepShuffles[keep16 & 0xFF].data())),
                               _mm_loadl_epi64(reinterpret_cast<const __m128i *>(keepShuffles[keep16 >> 8].data()))),
            upperHalf);
    };
    std::size_t i = 0;
    std::size_t o = 0;
    bool more = !beginsControlLine(in, length);
    while (more) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + i));
        const __m256i isEscape = _mm256_cmpeq_epi8(block, escape);
        const unsigned escapes = unsigned(_mm256_movemask_epi8(isEscape));
        const unsigned lfs = unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, lf)));
        const unsigned crs = unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, cr)));
        const bool byteWise = i + 32 > length || (escapes & (escapes << 1)) != 0
            || ((escapes | lfs | crs) & lastByte) != 0 || ((lfs << 1) & escapes) != 0;
        if (!byteWise) {
            const __m256i afterEscape
                = _mm256_alignr_epi8(isEscape, _mm256_permute2x128_si256(isEscape, isEscape, 0x08), 15);
            const __m256i decoded
                = _mm256_sub_epi8(_mm256_sub_epi8(block, offset), _mm256_and_si256(afterEscape, escapeOffset));
            const unsigned keep = ~(escapes | lfs | (crs & (lfs >> 1)));
            const __m256i shuffle = _mm256_inserti128_si256(_mm256_castsi128_si256(shuffleFor(keep & 0xFFFF)),
                                                            shuffleFor(keep >> 16), 1);
            const __m256i packed = _mm256_shuffle_epi8(decoded, shuffle);
            const __m128i lower = _mm256_castsi256_si128(packed);
            const __m128i upper = _mm256_extracti128_si256(packed, 1);
            const unsigned count0 = unsigned(__builtin_popcount(keep & 0xFF));
            const unsigned count01 = unsigned(__builtin_popcount(keep & 0xFFFF));
            const unsigned count012 = unsigned(__builtin_popcount(keep & 0xFFFFFF));
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + o), lower);
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + o + count0), _mm_srli_si128(lower, 8));
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + o + count01), upper);
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out + o + count012), _mm_srli_si128(upper, 8));
            o += unsigned(__builtin_popcount(keep));
            i += 32;
            continue;
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + o), _mm256_sub_epi8(block, offset));
        const unsigned specials = escapes | lfs | crs;
        if (specials == 0) { // past the input's end only after its last LF, which is special
            i += 32;
            o += 32;
            continue;
        }
        const unsigned plain = unsigned(__builtin_ctz(specials));
        i += plain;
        o += plain;
        more = handleSpecial(in, length, out, i, o);
    }
    consumed = i;
    return o;
}

bool detectAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
}

bool detectSsse3()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
}

#endif

} // namespace

std::size_t YencLineDecoder::decodeScalar(const unsigned char *in, std::size_t length, unsigned char *out)
{
    std::size_t o = 0;
    bool escaped = false;
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char byte = in[i];
        if (byte == kEscape && !escaped) {
            escaped = true;
            continue;
        }
        out[o++] = escaped ? escapedByte(byte) : plainByte(byte);
        escaped = false;
    }
    return o;
}

std::size_t YencLineDecoder::decodeLinesScalar(const unsigned char *in, std::size_t length, unsigned char *out,
                                               std::size_t &consumed)
{
    std::size_t i = 0;
    std::size_t o = 0;
    bool more = !beginsControlLine(in, length);
    while (more) {
        if (isSpecial(in[i]))
            more = handleSpecial(in, length, out, i, o);
        else
            out[o++] = plainByte(in[i++]);
    }
    consumed = i;
    return o;
}

std::size_t YencLineDecoder::decode(const unsigned char *in, std::size_t length, unsigned char *out)
{
#ifdef TQ_HAVE_SSE2_KERNELS
    return decodeSse2(in, length, out);
#else
    return decodeScalar(in, length, out);
#endif
}

std::size_t YencLineDecoder::decodeLines(const unsigned char *in, std::size_t length, unsigned char *out,
                                         std::size_t &consumed)
{
#ifdef TQ_HAVE_SSE2_KERNELS
    if (hasAvx2())
        return avx2LineRun(in, length, out, consumed);
    if (hasSsse3())
        return ssse3LineRun(in, length, out, consumed);
#endif
    return decodeLinesSse2(in, length, out, consumed);
}

std::size_t YencLineDecoder::decodeLinesAvx2(const unsigned char *in, std::size_t length, unsigned char *out,
                                             std::size_t &consumed)
{
#ifdef TQ_HAVE_SSE2_KERNELS
    if (hasAvx2())
        return avx2LineRun(in, length, out, consumed);
#endif
    return decodeLinesSsse3(in, length, out, consumed);
}

std::size_t YencLineDecoder::decodeLinesSsse3(const unsigned char *in, std::size_t length, unsigned char *out,
                                              std::size_t &consumed)
{
#ifdef TQ_HAVE_SSE2_KERNELS
    if (hasSsse3())
        return ssse3LineRun(in, length, out, consumed);
    return sse2LineRun(in, length, out, consumed);
#else
    return decodeLinesScalar(in, length, out, consumed);
#endif
}

std::size_t YencLineDecoder::decodeLinesSse2(const unsigned char *in, std::size_t length, unsigned char *out,
                                             std::size_t &consumed)
{
#ifdef TQ_HAVE_SSE2_KERNELS
    return sse2LineRun(in, length, out, consumed);
#else
    return decodeLinesScalar(in, length, out, consumed);
#endif
}

bool YencLineDecoder::hasSsse3()
{
#ifdef TQ_HAVE_SSE2_KERNELS
    static const bool available = detectSsse3();
    return available;
#else
    return false;
#endif
}

bool YencLineDecoder::hasAvx2()
{
#ifdef TQ_HAVE_SSE2_KERNELS
    static const bool available = detectAvx2();
    return available;
#else
    return false;
#endif
}

const char *YencLineDecoder::kernelName()
{
#ifdef TQ_HAVE_SSE2_KERNELS
    if (hasAvx2())
        return "avx2";
    return hasSsse3() ? "ssse3" : "sse2";
#else
    return "scalar";
#endif
}
