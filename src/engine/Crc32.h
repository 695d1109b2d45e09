#ifndef CRC32_H
#define CRC32_H

#include <QObject>
#include <cstddef>

// Running CRC-32 (IEEE 802.3, reflected polynomial 0xEDB88320) as yEnc uses it:
// initial value 0xFFFFFFFF, final XOR 0xFFFFFFFF.
class Crc32 : private QObject
{
    Q_OBJECT

public:
    Crc32();

    void reset();
    void update(unsigned char byte);
    // Same result as feeding every byte of the block to update(unsigned char), only faster.
    void update(const unsigned char *data, std::size_t length);
    quint32 finished() const;

    // Finished CRC-32 of one block, as zlib's crc32() would give it.
    static quint32 of(const unsigned char *data, std::size_t length);

private:
    quint64 runningValue;
};

#endif // CRC32_H
