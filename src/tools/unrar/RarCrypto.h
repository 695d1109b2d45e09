#ifndef RARCRYPTO_H
#define RARCRYPTO_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// Keys of RAR 4 (AES-128 from an iterated SHA-1 over the UTF-16 password and an 8-byte salt).
struct Rar4Key
{
    std::array<uint8_t, 16> key {};
    std::array<uint8_t, 16> iv {};
};

// Keys of RAR 5 (AES-256 from PBKDF2-HMAC-SHA256): the data key, the key that turns
// checksums into MACs, and the 8-byte value that tells a wrong password at once.
struct Rar5Keys
{
    std::array<uint8_t, 32> key {};
    std::array<uint8_t, 32> hashKey {};
    std::array<uint8_t, 8> passwordCheck {};
};

Rar4Key deriveRar4Key(const std::string &utf8Password, const uint8_t salt[8]);
Rar5Keys deriveRar5Keys(const std::string &utf8Password, const uint8_t salt[16], unsigned log2Count);

// A stored RAR 5 check value is 8 bytes followed by the first 4 bytes of their SHA-256;
// returns false when those 4 bytes do not match (the check value itself is damaged).
bool rar5CheckValueIntact(const uint8_t stored[12]);

// The checksum that RAR 5 stores for an encrypted file whose checksums are MACs.
uint32_t rar5MacOfCrc(uint32_t crc, const std::array<uint8_t, 32> &hashKey);

// Derivations cost tens of milliseconds; archives reuse a few salts for every header and file.
class KeyCache
{
public:
    explicit KeyCache(std::string password) : m_password(std::move(password)) {}
    const std::string &password() const { return m_password; }
    const Rar4Key &rar4(const uint8_t salt[8]);
    const Rar5Keys &rar5(const uint8_t salt[16], unsigned log2Count);

private:
    std::string m_password;
    std::map<std::string, Rar4Key> m_rar4;
    std::map<std::string, Rar5Keys> m_rar5;
};

// AES-CBC decryption of a stream cut in arbitrary pieces (no padding removal: RAR pads
// encrypted data to whole blocks and records the true sizes itself).
class CbcDecryptor
{
public:
    CbcDecryptor();
    ~CbcDecryptor();
    CbcDecryptor(const CbcDecryptor &) = delete;
    CbcDecryptor &operator=(const CbcDecryptor &) = delete;

    void start(const uint8_t *key, size_t keyLength, const uint8_t iv[16]);
    // Decrypts `length` bytes into `out` (room for length + 16); returns the bytes written.
    size_t update(const uint8_t *in, size_t length, uint8_t *out);

private:
    void *m_ctx;
};

#endif // RARCRYPTO_H
