#include "engine/ClmulCrc32.h"

#include <zlib.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TQ_HAVE_CLMUL_PATH 1
#if defined(__x86_64__)
// 32-byte carry-less multiplication, chosen at run time.
#define TQ_HAVE_WIDE_CLMUL_PATH 1
#endif
#endif

namespace {

quint32 zlibExtend(quint32 crc, const unsigned char *data, std::size_t length)
{
    // zlib takes lengths as uInt: feed very large blocks in slices.
    while (length > 0) {
        const uInt slice = length > (1u << 30) ? (1u << 30) : uInt(length);
        crc = quint32(crc32(crc, data, slice));
        data += slice;
        length -= slice;
    }
    return crc;
}

#ifdef TQ_HAVE_CLMUL_PATH

// Folding constants for the reflected polynomial 0x104C11DB7: x^(4*128+32) and x^(4*128-32)
// mod P for the four-lane fold, x^(8*128+32) and x^(8*128-32) mod P for the eight-lane fold, x^(128+64) and x^128 mod P for the single fold, x^64 mod P for the
// 64-to-32-bit step, and P with its Barrett constant (both bit-reflected).
constexpr long long kFold4Low = 0x154442bd4LL;
constexpr long long kFold4High = 0x1c6e41596LL;
constexpr long long kFold8Low = 0x1e88ef372LL;
constexpr long long kFold8High = 0x14a7fe880LL;
constexpr long long kFold1Low = 0x1751997d0LL;
constexpr long long kFold1High = 0x0ccaa009eLL;
constexpr long long kFold64 = 0x163cd6124LL;
constexpr long long kPolynomial = 0x1db710641LL;
constexpr long long kBarrett = 0x1f7011641LL;

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i value, __m128i constants, __m128i next)
{
    const __m128i low = _mm_clmulepi64_si128(value, constants, 0x00);
    const __m128i high = _mm_clmulepi64_si128(value, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

// Four 16-byte lanes folded over the blocks from in on (length a multiple of 16), then reduced
// to the 32-bit register.
__attribute__((target("pclmul,sse2"))) quint32 foldLanes(__m128i x0, __m128i x1, __m128i x2, __m128i x3,
                                                         const __m128i *in, std::size_t length)
{
    const __m128i fold4 = _mm_set_epi64x(kFold4High, kFold4Low);
    while (length >= 64) {
        x0 = fold(x0, fold4, _mm_loadu_si128(in + 0));
        x1 = fold(x1, fold4, _mm_loadu_si128(in + 1));
        x2 = fold(x2, fold4, _mm_loadu_si128(in + 2));
        x3 = fold(x3, fold4, _mm_loadu_si128(in + 3));
        in += 4;
        length -= 64;
    }

    const __m128i fold1 = _mm_set_epi64x(kFold1High, kFold1Low);
    __m128i x = fold(x0, fold1, x1);
    x = fold(x, fold1, x2);
    x = fold(x, fold1, x3);
    while (length >= 16) {
        x = fold(x, fold1, _mm_loadu_si128(in));
        ++in;
        length -= 16;
    }

    // 128 -> 64 bits (appending 32 zero bits), then 64 -> 32 bits.
    const __m128i mask32 = _mm_set_epi32(0, 0, 0, -1);
    x = _mm_xor_si128(_mm_srli_si128(x, 8), _mm_clmulepi64_si128(x, fold1, 0x10));
    const __m128i fold64 = _mm_set_epi64x(0, kFold64);
    x = _mm_xor_si128(_mm_srli_si128(x, 4), _mm_clmulepi64_si128(_mm_and_si128(x, mask32), fold64, 0x00));

    // Barrett reduction to 32 bits.
    const __m128i barrett = _mm_set_epi64x(kBarrett, kPolynomial);
    __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x, mask32), barrett, 0x10);
    t = _mm_clmulepi64_si128(_mm_and_si128(t, mask32), barrett, 0x00);
    x = _mm_xor_si128(x, t);
    return quint32(_mm_cvtsi128_si32(_mm_srli_si128(x, 4)));
}

// Register in, register out (no pre/post inversion); length is a multiple of 16 and at least 64.
__attribute__((target("pclmul,sse2"))) quint32 foldBlocks(quint32 reg, const unsigned char *data, std::size_t length)
{
    const __m128i *in = reinterpret_cast<const __m128i *>(data);
    const __m128i x0 = _mm_xor_si128(_mm_loadu_si128(in + 0), _mm_cvtsi32_si128(int(reg)));
    return foldLanes(x0, _mm_loadu_si128(in + 1), _mm_loadu_si128(in + 2), _mm_loadu_si128(in + 3), in + 4, length - 64);
}

#ifdef TQ_HAVE_WIDE_CLMUL_PATH

__attribute__((target("avx2,vpclmulqdq"))) inline __m256i foldWide(__m256i value, __m256i constants, __m256i next)
{
    const __m256i low = _mm256_clmulepi64_epi128(value, constants, 0x00);
    const __m256i high = _mm256_clmulepi64_epi128(value, constants, 0x11);
    return _mm256_xor_si256(_mm256_xor_si256(low, high), next);
}

// The same fold on eight 16-byte lanes held two to a 32-byte register, 128 bytes a round; what
// is left after the rounds goes to the four-lane fold. length is a multiple of 16, at least 128.
__attribute__((target("avx2,vpclmulqdq"))) quint32 foldBlocksWide(quint32 reg, const unsigned char *data,
                                                                  std::size_t length)
{
    const __m256i *in = reinterpret_cast<const __m256i *>(data);
    __m256i y0 = _mm256_xor_si256(_mm256_loadu_si256(in + 0), _mm256_zextsi128_si256(_mm_cvtsi32_si128(int(reg))));
    __m256i y1 = _mm256_loadu_si256(in + 1);
    __m256i y2 = _mm256_loadu_si256(in + 2);
    __m256i y3 = _mm256_loadu_si256(in + 3);
    in += 4;
    length -= 128;

    const __m256i fold8 = _mm256_set_epi64x(kFold8High, kFold8Low, kFold8High, kFold8Low);
    while (length >= 128) {
        y0 = foldWide(y0, fold8, _mm256_loadu_si256(in + 0));
        y1 = foldWide(y1, fold8, _mm256_loadu_si256(in + 1));
        y2 = foldWide(y2, fold8, _mm256_loadu_si256(in + 2));
        y3 = foldWide(y3, fold8, _mm256_loadu_si256(in + 3));
        in += 4;
        length -= 128;
    }

    // Eight lanes to four: the first 64 bytes of lanes are folded onto the second.
    const __m256i fold4 = _mm256_set_epi64x(kFold4High, kFold4Low, kFold4High, kFold4Low);
    y0 = foldWide(y0, fold4, y2);
    y1 = foldWide(y1, fold4, y3);
    return foldLanes(_mm256_castsi256_si128(y0), _mm256_extracti128_si256(y0, 1), _mm256_castsi256_si128(y1),
                     _mm256_extracti128_si256(y1, 1), reinterpret_cast<const __m128i *>(in), length);
}

bool detectWideCarrylessMultiply()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("vpclmulqdq");
}

#endif

bool detectCarrylessMultiply()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
}

#endif

} // namespace

bool ClmulCrc32::usesWideCarrylessMultiply()
{
#ifdef TQ_HAVE_WIDE_CLMUL_PATH
    static const bool available = detectWideCarrylessMultiply();
    return available;
#else
    return false;
#endif
}

bool ClmulCrc32::usesCarrylessMultiply()
{
#ifdef TQ_HAVE_CLMUL_PATH
    static const bool available = detectCarrylessMultiply();
    return available;
#else
    return false;
#endif
}

quint32 ClmulCrc32::extend(quint32 crc, const unsigned char *data, std::size_t length)
{
#ifdef TQ_HAVE_CLMUL_PATH
    if (length >= 64 && usesCarrylessMultiply()) {
        const std::size_t folded = length & ~std::size_t(15);
#ifdef TQ_HAVE_WIDE_CLMUL_PATH
        if (folded >= 256 && usesWideCarrylessMultiply())
            crc = ~foldBlocksWide(~crc, data, folded);
        else
#endif
            crc = ~foldBlocks(~crc, data, folded);
        data += folded;
        length -= folded;
    }
#endif
    return zlibExtend(crc, data, length);
}
