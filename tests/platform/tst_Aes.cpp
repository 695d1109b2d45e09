#include "platform/Aes.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fromHex(const char *hex)
{
    return QByteArray::fromHex(hex);
}

QByteArray cipher(bool encrypt, const QByteArray &key, const QByteArray &iv, const QByteArray &input,
                  unsigned int length)
{
    QByteArray keyCopy = key;
    QByteArray ivCopy = iv;
    QByteArray source = input;
    QByteArray destination(input.size(), '\x5a');
    Aes aes;
    aes_ctx context;
    if (encrypt)
        aes.aes_init_enc(&context, unsigned(key.size() * 8), reinterpret_cast<unsigned char *>(keyCopy.data()));
    else
        aes.aes_init_dec(&context, unsigned(key.size() * 8), reinterpret_cast<unsigned char *>(keyCopy.data()));
    aes.aes_init_iv(&context, reinterpret_cast<unsigned char *>(ivCopy.data()));
    auto *out = reinterpret_cast<unsigned char *>(destination.data());
    auto *in = reinterpret_cast<unsigned char *>(source.data());
    if (encrypt)
        aes.aes_enc_cbc(out, in, length, &context);
    else
        aes.aes_dec_cbc(out, in, length, &context);
    return destination;
}

} // namespace

class tst_Aes : public QObject
{
    Q_OBJECT

private slots:
    // NIST SP 800-38A, F.2.5 (CBC-AES256.Encrypt), the four blocks.
    void knownAnswer()
    {
        const QByteArray key = fromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
        const QByteArray iv = fromHex("000102030405060708090a0b0c0d0e0f");
        const QByteArray plain = fromHex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
                                         "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710");
        const QByteArray expected = fromHex("f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d"
                                            "39f23369a9d9bacfa530e26304231461b2eb05e2c39be9fcda6c19078c6a9d1b");
        QCOMPARE(cipher(true, key, iv, plain, 64), expected);
        QCOMPARE(cipher(false, key, iv, expected, 64), plain);
    }

    void writesOnlyTheGivenLength()
    {
        const QByteArray key(32, '\x01');
        const QByteArray iv(16, '\x02');
        const QByteArray input(48, 'x');
        const QByteArray out = cipher(true, key, iv, input, 32);
        QCOMPARE(out.mid(32), QByteArray(16, '\x5a'));
        QVERIFY(out.left(32) != input.left(32));
    }

    void successiveCallsContinueTheChain()
    {
        QByteArray key(32, '\x07');
        QByteArray iv(16, '\x09');
        QByteArray plain(64, '\0');
        for (int i = 0; i < plain.size(); ++i)
            plain[i] = char(i * 7);
        const QByteArray whole = cipher(true, key, iv, plain, 64);

        Aes aes;
        aes_ctx context;
        aes.aes_init_enc(&context, 256, reinterpret_cast<unsigned char *>(key.data()));
        aes.aes_init_iv(&context, reinterpret_cast<unsigned char *>(iv.data()));
        QByteArray pieces(64, '\0');
        auto *out = reinterpret_cast<unsigned char *>(pieces.data());
        auto *in = reinterpret_cast<unsigned char *>(plain.data());
        aes.aes_enc_cbc(out, in, 32, &context);
        aes.aes_enc_cbc(out + 32, in + 32, 32, &context);
        QCOMPARE(pieces, whole);
    }

    // What this layer enciphers, the openssl command-line tool deciphers (and the other way round).
    void interoperatesWithOpensslCommand()
    {
        const QByteArray key = fromHex("3b7e19a4c2d85f06e1a94b27d0c3f58a6e2b91d47c05a3e8f16d29b4a7c0e53d");
        const QByteArray iv = fromHex("9d4f2a6c81e07b35c6a19e58f20d4b73");
        QByteArray plain(4096, '\0');
        for (int i = 0; i < plain.size(); ++i)
            plain[i] = char((i * 31) ^ (i >> 3));
        const QByteArray enciphered = cipher(true, key, iv, plain, 4096);

        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"enc", "-d", "-aes-256-cbc", "-nopad", "-K", QString::fromLatin1(key.toHex()), "-iv",
                       QString::fromLatin1(iv.toHex())});
        QVERIFY2(openssl.waitForStarted(), "the openssl program is needed");
        openssl.write(enciphered);
        openssl.closeWriteChannel();
        QVERIFY(openssl.waitForFinished(30000));
        QCOMPARE(openssl.exitCode(), 0);
        QCOMPARE(openssl.readAllStandardOutput(), plain);
    }

    void unknownKeyLengthWritesNothing()
    {
        const QByteArray out = cipher(true, QByteArray(20, '\x01'), QByteArray(16, '\0'), QByteArray(32, 'a'), 32);
        QCOMPARE(out, QByteArray(32, '\x5a'));
    }
};

QTEST_APPLESS_MAIN(tst_Aes)
#include "tst_Aes.moc"
