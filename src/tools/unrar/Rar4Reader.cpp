#include "Rar4Reader.h"

#include "Crc32.h"
#include "RarCrypto.h"

#include <cstring>

namespace {

enum BlockType : uint8_t { MainBlock = 0x73, FileBlockType = 0x74, SubBlock = 0x7A, EndBlock = 0x7B };

enum MainFlags : uint16_t {
    MainVolume = 0x0001,
    MainSolid = 0x0008,
    MainNewNumbering = 0x0010,
    MainEncryptedHeaders = 0x0080,
    MainFirstVolume = 0x0100
};

enum FileFlags : uint16_t {
    FileSplitBefore = 0x0001,
    FileSplitAfter = 0x0002,
    FileEncrypted = 0x0004,
    FileSolid = 0x0010,
    FileDirectoryMask = 0x00E0,
    FileLarge = 0x0100,
    FileUnicodeName = 0x0200,
    FileSalt = 0x0400,
    LongBlock = 0x8000
};

constexpr uint8_t methodStored = 0x30;
constexpr size_t baseHeaderSize = 7;
constexpr size_t fileFixedSize = 32;

uint16_t headerCrc(const uint8_t *header, size_t size)
{
    return static_cast<uint16_t>(crc32Update(0, header + 2, size - 2) & 0xFFFF);
}

} // namespace

Rar4Reader::Rar4Reader(ByteSource &source, KeyCache *keys, uint64_t afterSignature) : VolumeReader(source, keys)
{
    m_position = afterSignature;
}

bool Rar4Reader::readArchiveHeader()
{
    std::vector<uint8_t> header;
    uint64_t after = 0;
    if (!readHeader(header, after))
        return false;
    if (header[2] != MainBlock) {
        fail(ExitCrcError, "the archive header is missing or damaged");
        return false;
    }
    const uint16_t flags = readLe16(&header[3]);
    m_isVolume = flags & MainVolume;
    m_solid = flags & MainSolid;
    m_newNumbering = flags & MainNewNumbering;
    // Volumes written before the first-volume flag existed carry none; their numbering tells.
    m_firstVolume = !m_isVolume || (flags & MainFirstVolume) || !(flags & MainNewNumbering);
    m_position = after;
    if (flags & MainEncryptedHeaders) {
        m_headersEncrypted = true;
        if (!m_keys) {
            fail(ExitBadPassword, "the archive headers are encrypted: wrong password or no password given");
            return false;
        }
    }
    return true;
}

bool Rar4Reader::readHeader(std::vector<uint8_t> &header, uint64_t &afterHeader)
{
    if (m_headersEncrypted)
        return decryptHeader(header, afterHeader);
    uint8_t base[baseHeaderSize];
    if (!m_source.readExactly(m_position, base, sizeof base)) {
        fail(ExitCrcError, "unexpected end of archive");
        return false;
    }
    const uint16_t size = readLe16(base + 5);
    if (size < baseHeaderSize) {
        fail(ExitCrcError, "damaged block header");
        return false;
    }
    header.resize(size);
    if (!m_source.readExactly(m_position, header.data(), size)) {
        fail(ExitCrcError, "unexpected end of archive");
        return false;
    }
    if (headerCrc(header.data(), size) != readLe16(header.data())) {
        fail(ExitCrcError, "damaged block header (checksum mismatch)");
        return false;
    }
    afterHeader = m_position + size;
    return true;
}

// An encrypted header is an 8-byte salt followed by the header, AES-encrypted and padded to
// whole blocks. Without a password check value, the first header's checksum tells a wrong password.
bool Rar4Reader::decryptHeader(std::vector<uint8_t> &header, uint64_t &afterHeader)
{
    uint8_t salt[8];
    uint8_t firstBlock[16];
    if (!m_source.readExactly(m_position, salt, 8) || !m_source.readExactly(m_position + 8, firstBlock, 16)) {
        fail(ExitCrcError, "unexpected end of archive");
        return false;
    }
    const Rar4Key &key = m_keys->rar4(salt);
    CbcDecryptor decryptor;
    uint8_t plain[32];
    decryptor.start(key.key.data(), 16, key.iv.data());
    decryptor.update(firstBlock, 16, plain);
    const uint16_t size = readLe16(plain + 5);
    const bool badSize = size < baseHeaderSize;
    std::vector<uint8_t> cipher;
    if (!badSize) {
        const size_t padded = (size + 15u) & ~size_t(15);
        cipher.resize(padded);
        if (!m_source.readExactly(m_position + 8, cipher.data(), padded)) {
            // A wrong key makes up a size too.
            if (m_firstEncryptedHeader)
                fail(ExitBadPassword, "wrong password: the archive headers cannot be decrypted");
            else
                fail(ExitCrcError, "unexpected end of archive");
            return false;
        }
        header.resize(padded + 16);
        decryptor.start(key.key.data(), 16, key.iv.data());
        decryptor.update(cipher.data(), padded, header.data());
        header.resize(size);
    }
    if (badSize || headerCrc(header.data(), size) != readLe16(header.data())) {
        if (m_firstEncryptedHeader)
            fail(ExitBadPassword, "wrong password: the archive headers cannot be decrypted");
        else
            fail(ExitCrcError, "damaged encrypted block header");
        return false;
    }
    m_firstEncryptedHeader = false;
    afterHeader = m_position + 8 + cipher.size();
    return true;
}

VolumeReader::Step Rar4Reader::next(FileBlock &file)
{
    if (m_failure.failed())
        return Step::Error;
    for (;;) {
        if (m_position + baseHeaderSize > m_source.size())
            return Step::EndOfData;
        std::vector<uint8_t> header;
        uint64_t after = 0;
        if (!readHeader(header, after))
            return Step::Error;
        const uint8_t type = header[2];
        const uint16_t flags = readLe16(&header[3]);
        if (type == FileBlockType)
            return parseFile(header, after, file);
        if (type == EndBlock) {
            m_moreVolumes = readLe16(&header[3]) & 0x0001;
            m_position = after;
            return Step::End;
        }
        uint64_t dataSize = 0;
        if ((flags & LongBlock) && header.size() >= 11) {
            dataSize = readLe32(&header[7]);
            if (type == SubBlock && (flags & FileLarge) && header.size() >= 36)
                dataSize |= static_cast<uint64_t>(readLe32(&header[32])) << 32;
        }
        if (dataSize > m_source.size() - after)
            return fail(ExitCrcError, "unexpected end of archive");
        m_position = after + dataSize;
    }
}

VolumeReader::Step Rar4Reader::parseFile(const std::vector<uint8_t> &h, uint64_t after, FileBlock &file)
{
    file = FileBlock();
    const uint16_t flags = readLe16(&h[3]);
    const bool large = flags & FileLarge;
    const bool salted = flags & FileSalt;
    size_t fixed = fileFixedSize + (large ? 8 : 0);
    if (h.size() < fixed)
        return fail(ExitCrcError, "damaged file header");
    const uint16_t nameSize = readLe16(&h[26]);
    if (h.size() < fixed + nameSize + (salted ? 8 : 0))
        return fail(ExitCrcError, "damaged file header");

    uint64_t packed = readLe32(&h[7]);
    file.unpackedSize = readLe32(&h[11]);
    if (large) {
        packed |= static_cast<uint64_t>(readLe32(&h[32])) << 32;
        file.unpackedSize |= static_cast<uint64_t>(readLe32(&h[36])) << 32;
    }
    file.flags = flags;
    file.hostOs = h[15];
    file.crc = readLe32(&h[16]);
    file.hasCrc = true;
    file.mtime = readLe32(&h[20]);
    file.hasMtime = true;
    file.unpackVersion = h[24];
    file.method = h[25];
    file.attributes = readLe32(&h[28]);
    file.rawName.assign(reinterpret_cast<const char *>(&h[fixed]), nameSize);
    file.name = file.rawName.substr(0, file.rawName.find('\0'));
    if (salted)
        std::memcpy(file.crypt.salt.data(), &h[fixed + nameSize], 8);

    file.directory = (flags & FileDirectoryMask) == FileDirectoryMask;
    file.splitBefore = flags & FileSplitBefore;
    file.splitAfter = flags & FileSplitAfter;
    file.solid = flags & FileSolid;
    file.encrypted = flags & FileEncrypted;
    file.stored = file.method == methodStored;
    file.dataOffset = after;
    file.dataSize = packed;

    if (file.encrypted && !salted)
        file.unsupported = "the encryption of RAR 2.x archives is not supported";
    else if (!file.stored && file.unpackVersion != 29 && file.unpackVersion != 36)
        file.unsupported = "the compression of RAR 1.5/2.x archives is not supported";
    else if (file.method < methodStored || file.method > 0x35)
        file.unsupported = "unknown compression method";

    if (packed > m_source.size() - after)
        return fail(ExitCrcError, "unexpected end of archive");
    m_position = after + packed;
    return Step::File;
}

void Rar4Reader::writeArchiveStart(std::vector<uint8_t> &out) const
{
    static const uint8_t signature[7] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
    out.insert(out.end(), signature, signature + 7);
    std::vector<uint8_t> main = {0, 0, MainBlock, 0, 0, 13, 0, 0, 0, 0, 0, 0, 0};
    const uint16_t crc = headerCrc(main.data(), main.size());
    main[0] = static_cast<uint8_t>(crc);
    main[1] = static_cast<uint8_t>(crc >> 8);
    out.insert(out.end(), main.begin(), main.end());
}

void Rar4Reader::writeFileHeader(const FileBlock &last, uint64_t packedSize, bool /*keepCrc*/,
                                 std::vector<uint8_t> &out) const
{
    const bool large = packedSize > 0xFFFFFFFFu || last.unpackedSize > 0xFFFFFFFFu;
    const uint16_t flags = static_cast<uint16_t>((last.flags & (FileDirectoryMask | FileUnicodeName)) | LongBlock
                                                 | (large ? FileLarge : 0));
    std::vector<uint8_t> h = {0, 0, FileBlockType};
    appendLe16(h, flags);
    appendLe16(h, 0); // size, filled below
    appendLe32(h, static_cast<uint32_t>(packedSize));
    appendLe32(h, static_cast<uint32_t>(last.unpackedSize));
    h.push_back(last.hostOs);
    appendLe32(h, last.crc);
    appendLe32(h, last.mtime);
    h.push_back(last.unpackVersion);
    h.push_back(last.method);
    appendLe16(h, static_cast<uint16_t>(last.rawName.size()));
    appendLe32(h, last.attributes);
    if (large) {
        appendLe32(h, static_cast<uint32_t>(packedSize >> 32));
        appendLe32(h, static_cast<uint32_t>(last.unpackedSize >> 32));
    }
    h.insert(h.end(), last.rawName.begin(), last.rawName.end());
    h[5] = static_cast<uint8_t>(h.size());
    h[6] = static_cast<uint8_t>(h.size() >> 8);
    const uint16_t crc = headerCrc(h.data(), h.size());
    h[0] = static_cast<uint8_t>(crc);
    h[1] = static_cast<uint8_t>(crc >> 8);
    out.insert(out.end(), h.begin(), h.end());
}

void Rar4Reader::writeArchiveEnd(std::vector<uint8_t> &out) const
{
    std::vector<uint8_t> end = {0, 0, EndBlock, 0x00, 0x40, 7, 0};
    const uint16_t crc = headerCrc(end.data(), end.size());
    end[0] = static_cast<uint8_t>(crc);
    end[1] = static_cast<uint8_t>(crc >> 8);
    out.insert(out.end(), end.begin(), end.end());
}
