#ifndef RAR4READER_H
#define RAR4READER_H

#include "VolumeReader.h"

// Header walker of the RAR 2.9/4.x format ("Rar!\x1a\x07\x00").
class Rar4Reader : public VolumeReader
{
public:
    Rar4Reader(ByteSource &source, KeyCache *keys, uint64_t afterSignature);

    RarVersion version() const override { return RarVersion::Rar4; }
    Step next(FileBlock &file) override;
    void writeArchiveStart(std::vector<uint8_t> &out) const override;
    void writeFileHeader(const FileBlock &last, uint64_t packedSize, bool keepCrc,
                         std::vector<uint8_t> &out) const override;
    void writeArchiveEnd(std::vector<uint8_t> &out) const override;

protected:
    bool readArchiveHeader() override;

private:
    bool readHeader(std::vector<uint8_t> &header, uint64_t &afterHeader);
    bool decryptHeader(std::vector<uint8_t> &header, uint64_t &afterHeader);
    Step parseFile(const std::vector<uint8_t> &header, uint64_t afterHeader, FileBlock &file);

    bool m_firstEncryptedHeader = true;
};

#endif // RAR4READER_H
