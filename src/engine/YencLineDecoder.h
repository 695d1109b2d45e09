#ifndef YENCLINEDECODER_H
#define YENCLINEDECODER_H

#include <cstddef>

// Decodes yEnc data: one line, or a run of whole lines at once. The escape state starts clear
// at the beginning of every line; an escape character that ends a line is dropped.
//
// The vector routines read up to kReadSlack bytes past their input and write up to
// kWriteSlack bytes past the decoded bytes: callers provide that much room in both buffers.
// The bytes read past the input do not change the result.
class YencLineDecoder
{
public:
    static constexpr std::size_t kReadSlack = 32;
    static constexpr std::size_t kWriteSlack = 32;

    // One line without its line end. Returns the number of bytes written to out.
    static std::size_t decode(const unsigned char *in, std::size_t length, unsigned char *out);

    // Data lines from the start of in, each ended by LF or CR LF (in[length - 1] must be LF):
    // stops at the end or before the first line that begins with "=ypart " or "=yend ".
    // A CR is a line end only right before LF. Sets consumed to the bytes of the lines decoded
    // (line ends included); returns the number of bytes written to out.
    static std::size_t decodeLines(const unsigned char *in, std::size_t length, unsigned char *out,
                                   std::size_t &consumed);

    // Byte-at-a-time versions of the same rules (they need no slack), for processors without
    // SSE2 and as the reference in tests.
    static std::size_t decodeScalar(const unsigned char *in, std::size_t length, unsigned char *out);
    static std::size_t decodeLinesScalar(const unsigned char *in, std::size_t length, unsigned char *out,
                                         std::size_t &consumed);

    // The run routines one by one, for tests. decodeLines() takes the AVX2 one where hasAvx2()
    // (AVX2 and POPCNT) is true, else the SSSE3 one where hasSsse3() (SSSE3 and POPCNT) is
    // true, else the SSE2 one (or the scalar one off x86). A routine the processor cannot run
    // hands over to the next one down.
    static std::size_t decodeLinesSse2(const unsigned char *in, std::size_t length, unsigned char *out,
                                       std::size_t &consumed);
    static std::size_t decodeLinesSsse3(const unsigned char *in, std::size_t length, unsigned char *out,
                                        std::size_t &consumed);
    static std::size_t decodeLinesAvx2(const unsigned char *in, std::size_t length, unsigned char *out,
                                       std::size_t &consumed);
    static bool hasSsse3();
    static bool hasAvx2();

    // "avx2", "ssse3", "sse2" or "scalar": the routines decodeLines() uses here.
    static const char *kernelName();
};

#endif // YENCLINEDECODER_H
