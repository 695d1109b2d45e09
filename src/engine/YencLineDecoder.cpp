#include "engine/YencLineDecoder.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TQ_HAVE_X86_KERNELS 1
#endif

namespace {

constexpr unsigned char kEscape = '=';
// Plain bytes are stored as (value + 42) mod 256; escaped ones as (value + 42 + 64) mod 256.
constexpr unsigned char kOffset = 42;
constexpr unsigned char kEscapedOffset = 42 + 64;

using DecodeFunction = std::size_t (*)(const unsigned char *, std::size_t, unsigned char *);

#ifdef TQ_HAVE_X86_KERNELS

// Every vector routine follows the same plan: store the whole block minus 42, then advance only
// past the bytes before the first "=" (or the end of the line, marked by a sentinel bit) and
// handle that escape by hand. Blocks without an escape cost one load, compare and store.

__attribute__((target("sse2"))) std::size_t sse2Kernel(const unsigned char *in, std::size_t length, unsigned char *out)
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
            mask |= 1u << remaining;
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
        out[o++] = static_cast<unsigned char>(in[i + 1] - kEscapedOffset);
        i += 2;
    }
    return o;
}

__attribute__((target("avx2"))) std::size_t avx2Kernel(const unsigned char *in, std::size_t length, unsigned char *out)
{
    const __m256i escape = _mm256_set1_epi8(char(kEscape));
    const __m256i offset = _mm256_set1_epi8(char(kOffset));
    std::size_t i = 0;
    std::size_t o = 0;
    while (i < length) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(in + i));
        unsigned long long mask = unsigned(_mm256_movemask_epi8(_mm256_cmpeq_epi8(block, escape)));
        const std::size_t remaining = length - i;
        if (remaining < 32)
            mask |= 1ull << remaining;
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + o), _mm256_sub_epi8(block, offset));
        if (mask == 0) {
            i += 32;
            o += 32;
            continue;
        }
        const unsigned plain = unsigned(__builtin_ctzll(mask));
        i += plain;
        o += plain;
        if (i + 1 >= length)
            break;
        out[o++] = static_cast<unsigned char>(in[i + 1] - kEscapedOffset);
        i += 2;
    }
    return o;
}

#endif

DecodeFunction chooseKernel(const char **name)
{
    if (YencLineDecoder::hasAvx2()) {
        *name = "avx2";
        return YencLineDecoder::decodeAvx2;
    }
    if (YencLineDecoder::hasSse2()) {
        *name = "sse2";
        return YencLineDecoder::decodeSse2;
    }
    *name = "scalar";
    return YencLineDecoder::decodeScalar;
}

struct Kernel
{
    const char *name = nullptr;
    DecodeFunction function = chooseKernel(&name);
};

const Kernel &kernel()
{
    static const Kernel chosen;
    return chosen;
}

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
        out[o++] = static_cast<unsigned char>(byte - (escaped ? kEscapedOffset : kOffset));
        escaped = false;
    }
    return o;
}

bool YencLineDecoder::hasSse2()
{
#ifdef TQ_HAVE_X86_KERNELS
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2");
#else
    return false;
#endif
}

bool YencLineDecoder::hasAvx2()
{
#ifdef TQ_HAVE_X86_KERNELS
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

std::size_t YencLineDecoder::decodeSse2(const unsigned char *in, std::size_t length, unsigned char *out)
{
#ifdef TQ_HAVE_X86_KERNELS
    return sse2Kernel(in, length, out);
#else
    return decodeScalar(in, length, out);
#endif
}

std::size_t YencLineDecoder::decodeAvx2(const unsigned char *in, std::size_t length, unsigned char *out)
{
#ifdef TQ_HAVE_X86_KERNELS
    return avx2Kernel(in, length, out);
#else
    return decodeScalar(in, length, out);
#endif
}

std::size_t YencLineDecoder::decode(const unsigned char *in, std::size_t length, unsigned char *out)
{
    return kernel().function(in, length, out);
}

const char *YencLineDecoder::kernelName()
{
    return kernel().name;
}
