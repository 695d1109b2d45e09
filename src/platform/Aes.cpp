#include "platform/Aes.h"

#include <openssl/evp.h>

#include <cstring>
#include <memory>

namespace {

const EVP_CIPHER *cipherFor(unsigned int keyBits)
{
    switch (keyBits) {
    case 128: return EVP_aes_128_cbc();
    case 192: return EVP_aes_192_cbc();
    case 256: return EVP_aes_256_cbc();
    default: return nullptr;
    }
}

struct CipherContextDeleter
{
    void operator()(EVP_CIPHER_CTX *context) const { EVP_CIPHER_CTX_free(context); }
};

} // namespace

Aes::Aes() = default;

void Aes::aes_init_enc(aes_ctx *ctx, unsigned int keyBits, unsigned char *key)
{
    initKey(ctx, keyBits, key, true);
}

void Aes::aes_init_dec(aes_ctx *ctx, unsigned int keyBits, unsigned char *key)
{
    initKey(ctx, keyBits, key, false);
}

void Aes::aes_init_iv(aes_ctx *ctx, unsigned char *iv)
{
    std::memcpy(ctx->iv, iv, sizeof ctx->iv);
}

void Aes::aes_enc_cbc(unsigned char *destination, unsigned char *source, unsigned int length, aes_ctx *ctx)
{
    if (ctx->encrypt)
        run(destination, source, length, ctx);
}

void Aes::aes_dec_cbc(unsigned char *destination, unsigned char *source, unsigned int length, aes_ctx *ctx)
{
    if (!ctx->encrypt)
        run(destination, source, length, ctx);
}

void Aes::initKey(aes_ctx *ctx, unsigned int keyBits, const unsigned char *key, bool encrypt)
{
    std::memset(ctx, 0, sizeof *ctx);
    ctx->encrypt = encrypt;
    if (!cipherFor(keyBits))
        return;
    ctx->keyBits = keyBits;
    std::memcpy(ctx->key, key, keyBits / 8);
}

bool Aes::run(unsigned char *destination, const unsigned char *source, unsigned int length, aes_ctx *ctx)
{
    const EVP_CIPHER *cipher = cipherFor(ctx->keyBits);
    const unsigned int wholeBlocks = length - length % 16;
    if (!cipher || wholeBlocks == 0)
        return false;

    std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> context(EVP_CIPHER_CTX_new());
    if (!context || EVP_CipherInit_ex(context.get(), cipher, nullptr, ctx->key, ctx->iv, ctx->encrypt ? 1 : 0) != 1)
        return false;
    EVP_CIPHER_CTX_set_padding(context.get(), 0);

    // The last ciphertext block is the IV of the next call; when deciphering in place it must be
    // taken before the source is overwritten.
    unsigned char nextIv[16] = {};
    if (!ctx->encrypt)
        std::memcpy(nextIv, source + wholeBlocks - 16, sizeof nextIv);

    int written = 0;
    if (EVP_CipherUpdate(context.get(), destination, &written, source, static_cast<int>(wholeBlocks)) != 1
        || written != static_cast<int>(wholeBlocks))
        return false;
    if (ctx->encrypt)
        std::memcpy(nextIv, destination + wholeBlocks - 16, sizeof nextIv);
    std::memcpy(ctx->iv, nextIv, sizeof ctx->iv);
    return true;
}
