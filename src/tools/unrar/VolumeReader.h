#ifndef VOLUMEREADER_H
#define VOLUMEREADER_H

#include "ByteSource.h"
#include "ExitCodes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class KeyCache;

enum class RarVersion { Rar4, Rar5 };

// Encryption parameters of one file's data.
struct FileCrypt
{
    std::array<uint8_t, 16> salt {};    // RAR 4 uses the first 8 bytes
    std::array<uint8_t, 16> iv {};      // RAR 5 only (RAR 4 derives it)
    unsigned log2Count = 0;             // RAR 5 key derivation cost
    bool hasCheck = false;              // RAR 5 password check value present and intact
    std::array<uint8_t, 8> check {};
    bool macChecksums = false;          // RAR 5: stored checksums are MACs of the real ones
};

// One file header of one volume: a whole file, or the piece of a split file in this volume.
struct FileBlock
{
    std::string name;                   // stored name (RAR 4: the 8-bit part, RAR 5: UTF-8)
    std::string rawName;                // every stored name byte, for the rebuilt header
    bool directory = false;
    bool splitBefore = false;
    bool splitAfter = false;
    bool solid = false;                 // continues the dictionary of the previous file
    bool stored = false;                // not compressed
    bool encrypted = false;
    bool hasCrc = false;
    uint32_t crc = 0;
    uint64_t unpackedSize = 0;
    uint64_t dataOffset = 0;
    uint64_t dataSize = 0;
    std::string unsupported;            // why this file cannot be extracted, when it cannot
    FileCrypt crypt;

    // Fields kept as stored, for the rebuilt header of the format.
    uint32_t flags = 0;                 // RAR 4 file flags / RAR 5 file flags
    uint32_t attributes = 0;
    uint32_t mtime = 0;                 // RAR 4 DOS time / RAR 5 Unix time
    bool hasMtime = false;
    uint8_t hostOs = 0;
    uint8_t unpackVersion = 0;          // RAR 4
    uint8_t method = 0;                 // RAR 4
    uint64_t compressionInfo = 0;       // RAR 5
    std::vector<uint8_t> keptExtra;     // RAR 5 extra records other than encryption (and MACs)
};

// Walks the headers of one volume. Damage, a wrong password and unsupported variants are
// reported through failure(), never by crashing or reading out of bounds.
class VolumeReader
{
public:
    enum class Step { File, End, EndOfData, Error };

    virtual ~VolumeReader() = default;

    // Recognises the signature (RAR 4 or RAR 5) and reads the archive header. `keys` may be null
    // when no password was given. Returns null with `failure` set when it cannot.
    static std::unique_ptr<VolumeReader> open(ByteSource &source, KeyCache *keys, Failure &failure);

    virtual RarVersion version() const = 0;
    bool isVolume() const { return m_isVolume; }
    bool newNumbering() const { return m_newNumbering; }
    bool solid() const { return m_solid; }
    bool headersEncrypted() const { return m_headersEncrypted; }
    bool isFirstVolume() const { return m_firstVolume; }
    // After Step::End: the end header says that another volume follows.
    bool moreVolumes() const { return m_moreVolumes; }
    const Failure &failure() const { return m_failure; }

    // Moves to the next file header of the volume, passing over every other kind of block.
    virtual Step next(FileBlock &file) = 0;

    // The pieces of a single-volume, unencrypted archive of the same format that holds the
    // files of a whole volume set one after the other: that is what libarchive reads.
    virtual void writeArchiveStart(std::vector<uint8_t> &out) const = 0;
    virtual void writeFileHeader(const FileBlock &last, uint64_t packedSize, bool keepCrc,
                                 std::vector<uint8_t> &out) const = 0;
    virtual void writeArchiveEnd(std::vector<uint8_t> &out) const = 0;

protected:
    VolumeReader(ByteSource &source, KeyCache *keys) : m_source(source), m_keys(keys) {}
    // Reads the headers in front of the first file (archive header, header encryption).
    virtual bool readArchiveHeader() = 0;
    Step fail(int code, const std::string &message);

    ByteSource &m_source;
    KeyCache *m_keys;
    uint64_t m_position = 0;
    bool m_isVolume = false;
    bool m_newNumbering = false;
    bool m_solid = false;
    bool m_headersEncrypted = false;
    bool m_firstVolume = true;
    bool m_moreVolumes = false;
    Failure m_failure;
};

// Little-endian helpers shared by both formats.
inline uint16_t readLe16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t readLe32(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16)
           | (static_cast<uint32_t>(p[3]) << 24);
}
void appendLe16(std::vector<uint8_t> &out, uint16_t v);
void appendLe32(std::vector<uint8_t> &out, uint32_t v);

#endif // VOLUMEREADER_H
