#ifndef YENCLINEDECODER_H
#define YENCLINEDECODER_H

#include <cstddef>

// Decodes the data bytes of one yEnc line (without its line end). The escape state starts
// clear at the beginning of the line; an escape character that ends the line is dropped.
//
// The vector routines read up to kReadSlack bytes past the end of the line and write up to
// kWriteSlack bytes past the decoded bytes: callers provide that much room in both buffers.
// The bytes read past the line do not change the result.
class YencLineDecoder
{
public:
    static constexpr std::size_t kReadSlack = 32;
    static constexpr std::size_t kWriteSlack = 32;

    // Returns the number of bytes written to out (at most length).
    static std::size_t decode(const unsigned char *in, std::size_t length, unsigned char *out);

    // The individual routines, for tests: decodeScalar needs no slack; the vector ones may be
    // called only where hasSse2()/hasAvx2() say the processor has them.
    static std::size_t decodeScalar(const unsigned char *in, std::size_t length, unsigned char *out);
    static std::size_t decodeSse2(const unsigned char *in, std::size_t length, unsigned char *out);
    static std::size_t decodeAvx2(const unsigned char *in, std::size_t length, unsigned char *out);
    static bool hasSse2();
    static bool hasAvx2();

    // Name of the routine decode() uses on this processor ("avx2", "sse2" or "scalar").
    static const char *kernelName();
};

#endif // YENCLINEDECODER_H
