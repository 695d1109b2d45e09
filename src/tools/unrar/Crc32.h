#ifndef CRC32_H
#define CRC32_H

#include <cstddef>
#include <cstdint>

// The CRC-32 of zip and RAR (reflected polynomial 0xEDB88320), fed in pieces:
//   uint32_t crc = 0; crc = crc32Update(crc, a, n); crc = crc32Update(crc, b, m);
uint32_t crc32Update(uint32_t crc, const void *data, size_t length);

#endif // CRC32_H
