#ifndef AES_H
#define AES_H

// AES in CBC mode without padding, with the calling convention the server record files are
// written with: a caller-provided context, a key set-up for one direction, an IV set-up, then
// whole 16-byte blocks enciphered or deciphered from a source buffer into a destination buffer.
// The cipher itself is OpenSSL's EVP implementation.

struct aes_ctx
{
    unsigned char key[32];
    unsigned char iv[16];
    unsigned int keyBits;
    bool encrypt;
};

class Aes
{
public:
    Aes();

    // Key length in bits: 128, 192 or 256. Other lengths leave the context unusable: the
    // cipher calls then write nothing.
    void aes_init_enc(aes_ctx *ctx, unsigned int keyBits, unsigned char *key);
    void aes_init_dec(aes_ctx *ctx, unsigned int keyBits, unsigned char *key);
    void aes_init_iv(aes_ctx *ctx, unsigned char *iv);

    // Length in bytes, a multiple of 16 (a trailing partial block is left alone). Successive
    // calls on one context continue the CBC chain. Only the first `length` bytes of the
    // destination are written.
    void aes_enc_cbc(unsigned char *destination, unsigned char *source, unsigned int length, aes_ctx *ctx);
    void aes_dec_cbc(unsigned char *destination, unsigned char *source, unsigned int length, aes_ctx *ctx);

private:
    static void initKey(aes_ctx *ctx, unsigned int keyBits, const unsigned char *key, bool encrypt);
    static bool run(unsigned char *destination, const unsigned char *source, unsigned int length, aes_ctx *ctx);
};

#endif // AES_H
