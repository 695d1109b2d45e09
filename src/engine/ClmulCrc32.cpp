#include "engine/ClmulCrc32.h"

#include <zlib.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TQ_HAVE_CLMUL_PATH 1
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

// Folding constants for the reflected polynomial 0x104C11DB7: x^(4*128+64) and x^(4*128) mod P
// for the four-lane fold, x^(128+64) and x^128 mod P for the single fold, x^64 mod P for the
// 64-to-32-bit step, and P with its Barrett constant (both bit-reflected).
constexpr long long kFold4Low = 0x154442bd4LL;
constexpr long long kFold4High = 0x1c6e41596LL;
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

// Register in, register out (no pre/post inversion); length is a multiple of 16 and at least 64.
__attribute__((target("pclmul,sse2"))) quint32 foldBlocks(quint32 reg, const unsigned char *data, std::size_t length)
{
    const __m128i *in = reinterpret_cast<const __m128i *>(data);
    __m128i x0 = _mm_loadu_si128(in + 0);
    __m128i x1 = _mm_loadu_si128(in + 1);
    __m128i x2 = _mm_loadu_si128(in + 2);
    __m128i x3 = _mm_loadu_si128(in + 3);
    x0 = _mm_xor_si128(x0, _mm_cvtsi32_si128(int(reg)));
    in += 4;
    length -= 64;

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

bool detectCarrylessMultiply()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
}

#endif

} // namespace

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
        crc = ~foldBlocks(~crc, data, folded);
        data += folded;
        length -= folded;
    }
#endif
    return zlibExtend(crc, data, length);
}
