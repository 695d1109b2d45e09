#include "RarCrypto.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/sha.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

std::vector<uint8_t> utf16LittleEndian(const std::string &utf8)
{
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < utf8.size()) {
        uint32_t c = static_cast<uint8_t>(utf8[i]);
        size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra)
            c &= 0x3F >> extra;
        ++i;
        for (size_t k = 0; k < extra && i < utf8.size(); ++k, ++i)
            c = (c << 6) | (static_cast<uint8_t>(utf8[i]) & 0x3F);
        auto put = [&out](uint32_t unit) {
            out.push_back(static_cast<uint8_t>(unit & 0xFF));
            out.push_back(static_cast<uint8_t>(unit >> 8));
        };
        if (c >= 0x10000) {
            c -= 0x10000;
            put(0xD800 | (c >> 10));
            put(0xDC00 | (c & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

std::string saltKey(const uint8_t *salt, size_t length, unsigned extra = 0)
{
    std::string key(reinterpret_cast<const char *>(salt), length);
    key.push_back(static_cast<char>(extra));
    return key;
}

struct DigestContext
{
    EVP_MD_CTX *ctx = EVP_MD_CTX_new();
    ~DigestContext() { EVP_MD_CTX_free(ctx); }
};

} // namespace

Rar4Key deriveRar4Key(const std::string &utf8Password, const uint8_t salt[8])
{
    std::vector<uint8_t> seed = utf16LittleEndian(utf8Password.substr(0, 127 * 4));
    seed.insert(seed.end(), salt, salt + 8);

    constexpr uint32_t rounds = 0x40000;
    Rar4Key result;
    DigestContext sha;
    DigestContext snapshot;
    EVP_DigestInit_ex(sha.ctx, EVP_sha1(), nullptr);
    uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned digestLength = 0;
    for (uint32_t i = 0; i < rounds; ++i) {
        const uint8_t counter[3] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i >> 8),
                                    static_cast<uint8_t>(i >> 16)};
        EVP_DigestUpdate(sha.ctx, seed.data(), seed.size());
        EVP_DigestUpdate(sha.ctx, counter, sizeof counter);
        if (i % (rounds / 16) == 0) {
            // One IV byte per sixteenth of the rounds: the last byte of the running digest.
            EVP_MD_CTX_copy_ex(snapshot.ctx, sha.ctx);
            EVP_DigestFinal_ex(snapshot.ctx, digest, &digestLength);
            result.iv[i / (rounds / 16)] = digest[19];
        }
    }
    EVP_DigestFinal_ex(sha.ctx, digest, &digestLength);
    // The key is the first four digest words, each taken least significant byte first.
    for (size_t word = 0; word < 4; ++word)
        for (size_t b = 0; b < 4; ++b)
            result.key[word * 4 + b] = digest[word * 4 + 3 - b];
    return result;
}

Rar5Keys deriveRar5Keys(const std::string &utf8Password, const uint8_t salt[16], unsigned log2Count)
{
    // PBKDF2 sums the iterations with XOR, so running it 16 and 32 iterations longer gives the
    // two further values of the chain: the checksum key and the password check.
    const int iterations = 1 << log2Count;
    Rar5Keys keys;
    auto pbkdf2 = [&](int count, uint8_t *out) {
        PKCS5_PBKDF2_HMAC(utf8Password.data(), static_cast<int>(utf8Password.size()), salt, 16, count,
                          EVP_sha256(), 32, out);
    };
    pbkdf2(iterations, keys.key.data());
    pbkdf2(iterations + 16, keys.hashKey.data());
    uint8_t check[32];
    pbkdf2(iterations + 32, check);
    for (size_t i = 0; i < 32; ++i)
        keys.passwordCheck[i % 8] ^= check[i];
    return keys;
}

bool rar5CheckValueIntact(const uint8_t stored[12])
{
    uint8_t digest[SHA256_DIGEST_LENGTH];
    unsigned length = 0;
    EVP_Digest(stored, 8, digest, &length, EVP_sha256(), nullptr);
    return std::memcmp(digest, stored + 8, 4) == 0;
}

uint32_t rar5MacOfCrc(uint32_t crc, const std::array<uint8_t, 32> &hashKey)
{
    const uint8_t raw[4] = {static_cast<uint8_t>(crc), static_cast<uint8_t>(crc >> 8),
                            static_cast<uint8_t>(crc >> 16), static_cast<uint8_t>(crc >> 24)};
    uint8_t mac[EVP_MAX_MD_SIZE];
    unsigned macLength = 0;
    HMAC(EVP_sha256(), hashKey.data(), static_cast<int>(hashKey.size()), raw, sizeof raw, mac, &macLength);
    uint32_t folded = 0;
    for (unsigned i = 0; i < macLength; ++i)
        folded ^= static_cast<uint32_t>(mac[i]) << ((i & 3) * 8);
    return folded;
}

const Rar4Key &KeyCache::rar4(const uint8_t salt[8])
{
    std::string k = saltKey(salt, 8);
    auto it = m_rar4.find(k);
    if (it == m_rar4.end())
        it = m_rar4.emplace(k, deriveRar4Key(m_password, salt)).first;
    return it->second;
}

const Rar5Keys &KeyCache::rar5(const uint8_t salt[16], unsigned log2Count)
{
    std::string k = saltKey(salt, 16, log2Count);
    auto it = m_rar5.find(k);
    if (it == m_rar5.end())
        it = m_rar5.emplace(k, deriveRar5Keys(m_password, salt, log2Count)).first;
    return it->second;
}

CbcDecryptor::CbcDecryptor() : m_ctx(EVP_CIPHER_CTX_new())
{
    if (!m_ctx)
        throw std::bad_alloc();
}

CbcDecryptor::~CbcDecryptor()
{
    EVP_CIPHER_CTX_free(static_cast<EVP_CIPHER_CTX *>(m_ctx));
}

void CbcDecryptor::start(const uint8_t *key, size_t keyLength, const uint8_t iv[16])
{
    auto *ctx = static_cast<EVP_CIPHER_CTX *>(m_ctx);
    EVP_CIPHER_CTX_reset(ctx);
    EVP_DecryptInit_ex(ctx, keyLength == 16 ? EVP_aes_128_cbc() : EVP_aes_256_cbc(), nullptr, key, iv);
    EVP_CIPHER_CTX_set_padding(ctx, 0);
}

size_t CbcDecryptor::update(const uint8_t *in, size_t length, uint8_t *out)
{
    auto *ctx = static_cast<EVP_CIPHER_CTX *>(m_ctx);
    size_t written = 0;
    // EVP lengths are int: feed large buffers in slices.
    while (length > 0) {
        int slice = length > (1u << 30) ? (1 << 30) : static_cast<int>(length);
        int produced = 0;
        EVP_DecryptUpdate(ctx, out + written, &produced, in, slice);
        written += static_cast<size_t>(produced);
        in += slice;
        length -= static_cast<size_t>(slice);
    }
    return written;
}
