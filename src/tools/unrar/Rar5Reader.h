#ifndef RAR5READER_H
#define RAR5READER_H

#include "VolumeReader.h"

struct Rar5Keys;

// Header walker of the RAR 5 format ("Rar!\x1a\x07\x01\x00").
class Rar5Reader : public VolumeReader
{
public:
    Rar5Reader(ByteSource &source, KeyCache *keys, uint64_t afterSignature);

    RarVersion version() const override { return RarVersion::Rar5; }
    Step next(FileBlock &file) override;
    void writeArchiveStart(std::vector<uint8_t> &out) const override;
    void writeFileHeader(const FileBlock &last, uint64_t packedSize, bool keepCrc,
                         std::vector<uint8_t> &out) const override;
    void writeArchiveEnd(std::vector<uint8_t> &out) const override;

protected:
    bool readArchiveHeader() override;

private:
    struct Header
    {
        std::vector<uint8_t> bytes;     // the whole header, checksum and size included
        size_t bodyStart = 0;           // first byte after type, flags, extra and data sizes
        size_t extraStart = 0;          // start of the extra area (== bytes.size() without one)
        uint64_t type = 0;
        uint64_t flags = 0;
        uint64_t dataSize = 0;
        uint64_t after = 0;             // volume offset just past the header
    };

    bool readHeader(Header &header);
    bool readPlainHeader(Header &header);
    bool readEncryptedHeader(Header &header);
    bool parseHeaderFields(Header &header);
    bool readEncryptionHeader(const Header &header);
    void readMain(const Header &header);
    Step parseFile(const Header &header, FileBlock &file);
    bool parseExtra(const Header &header, FileBlock &file);

    const Rar5Keys *m_headerKeys = nullptr;
    bool m_headerCheckVerified = false;
    bool m_firstEncryptedHeader = true;
};

#endif // RAR5READER_H
