#include "Rar5Reader.h"

#include "Crc32.h"
#include "RarCrypto.h"

#include <cstring>

namespace {

enum HeaderType : uint64_t { MainHeader = 1, FileHeader = 2, ServiceHeader = 3, CryptHeader = 4, EndHeader = 5 };

enum HeaderFlags : uint64_t {
    HasExtra = 0x0001,
    HasData = 0x0002,
    SplitBefore = 0x0008,
    SplitAfter = 0x0010
};

enum FileFlags : uint64_t { FileIsDirectory = 0x0001, FileHasMtime = 0x0002, FileHasCrc = 0x0004 };

enum ExtraType : uint64_t { ExtraEncryption = 1, ExtraHash = 2 };

constexpr uint64_t maxHeaderSize = 2 * 1024 * 1024;
constexpr unsigned maxLog2Count = 24;

// Reads a variable-length integer (7 bits a byte, high bit = more); false past `end`.
bool readVint(const uint8_t *data, size_t end, size_t &pos, uint64_t &value)
{
    value = 0;
    for (unsigned shift = 0; shift < 64 && pos < end; shift += 7) {
        const uint8_t b = data[pos++];
        value |= static_cast<uint64_t>(b & 0x7F) << shift;
        if (!(b & 0x80))
            return true;
    }
    return false;
}

void appendVint(std::vector<uint8_t> &out, uint64_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<uint8_t>(value));
}

// Puts checksum and size in front of a header body.
void appendHeader(std::vector<uint8_t> &out, const std::vector<uint8_t> &body)
{
    std::vector<uint8_t> sized;
    appendVint(sized, body.size());
    sized.insert(sized.end(), body.begin(), body.end());
    appendLe32(out, crc32Update(0, sized.data(), sized.size()));
    out.insert(out.end(), sized.begin(), sized.end());
}

} // namespace

Rar5Reader::Rar5Reader(ByteSource &source, KeyCache *keys, uint64_t afterSignature) : VolumeReader(source, keys)
{
    m_position = afterSignature;
}

bool Rar5Reader::readArchiveHeader()
{
    Header header;
    if (!readHeader(header))
        return false;
    if (header.type == CryptHeader) {
        if (!readEncryptionHeader(header))
            return false;
        m_position = header.after;
        if (!readHeader(header))
            return false;
    }
    if (header.type != MainHeader) {
        fail(ExitCrcError, "the archive header is missing or damaged");
        return false;
    }
    readMain(header);
    m_position = header.after + header.dataSize;
    return true;
}

bool Rar5Reader::readEncryptionHeader(const Header &header)
{
    const uint8_t *p = header.bytes.data();
    const size_t end = header.extraStart;
    size_t pos = header.bodyStart;
    uint64_t version = 0;
    uint64_t flags = 0;
    if (!readVint(p, end, pos, version) || !readVint(p, end, pos, flags) || end - pos < 17) {
        fail(ExitCrcError, "damaged archive encryption header");
        return false;
    }
    if (version != 0) {
        fail(ExitFatal, "unknown archive encryption version");
        return false;
    }
    const unsigned log2Count = p[pos];
    const uint8_t *salt = p + pos + 1;
    pos += 17;
    if (log2Count > maxLog2Count) {
        fail(ExitFatal, "unsupported key derivation strength");
        return false;
    }
    m_headersEncrypted = true;
    if (!m_keys) {
        fail(ExitBadPassword, "the archive headers are encrypted: wrong password or no password given");
        return false;
    }
    m_headerKeys = &m_keys->rar5(salt, log2Count);
    if ((flags & 0x0001) && end - pos >= 12 && rar5CheckValueIntact(p + pos)) {
        if (std::memcmp(m_headerKeys->passwordCheck.data(), p + pos, 8) != 0) {
            fail(ExitBadPassword, "wrong password: the archive headers cannot be decrypted");
            return false;
        }
        m_headerCheckVerified = true;
    }
    return true;
}

void Rar5Reader::readMain(const Header &header)
{
    const uint8_t *p = header.bytes.data();
    size_t pos = header.bodyStart;
    uint64_t archiveFlags = 0;
    readVint(p, header.extraStart, pos, archiveFlags);
    m_isVolume = archiveFlags & 0x0001;
    m_solid = archiveFlags & 0x0004;
    m_newNumbering = true;
    uint64_t volumeNumber = 0;
    if (archiveFlags & 0x0002)
        readVint(p, header.extraStart, pos, volumeNumber);
    m_firstVolume = volumeNumber == 0;
}

bool Rar5Reader::readHeader(Header &header)
{
    return m_headersEncrypted ? readEncryptedHeader(header) : readPlainHeader(header);
}

bool Rar5Reader::readPlainHeader(Header &header)
{
    uint8_t start[7];
    const size_t got = m_source.readAt(m_position, start, sizeof start);
    size_t pos = 4;
    uint64_t size = 0;
    if (got < 5 || !readVint(start, got, pos, size)) {
        fail(ExitCrcError, "unexpected end of archive");
        return false;
    }
    if (size == 0 || size > maxHeaderSize) {
        fail(ExitCrcError, "damaged block header");
        return false;
    }
    header.bytes.resize(pos + size);
    if (!m_source.readExactly(m_position, header.bytes.data(), header.bytes.size())) {
        fail(ExitCrcError, "unexpected end of archive");
        return false;
    }
    if (crc32Update(0, header.bytes.data() + 4, header.bytes.size() - 4) != readLe32(header.bytes.data())) {
        fail(ExitCrcError, "damaged block header (checksum mismatch)");
        return false;
    }
    header.after = m_position + header.bytes.size();
    return parseHeaderFields(header);
}

// An encrypted header is a 16-byte IV followed by the header, AES-256-encrypted and padded to
// whole blocks with the key of the archive encryption header.
bool Rar5Reader::readEncryptedHeader(Header &header)
{
    uint8_t iv[16];
    uint8_t firstBlock[16];
    if (!m_source.readExactly(m_position, iv, 16) || !m_source.readExactly(m_position + 16, firstBlock, 16)) {
        fail(ExitCrcError, "unexpected end of archive");
        return false;
    }
    CbcDecryptor decryptor;
    uint8_t plain[32];
    decryptor.start(m_headerKeys->key.data(), 32, iv);
    decryptor.update(firstBlock, 16, plain);
    size_t pos = 4;
    uint64_t size = 0;
    bool sane = readVint(plain, 16, pos, size) && size > 0 && size <= maxHeaderSize;
    size_t padded = 0;
    if (sane) {
        const size_t total = pos + size;
        padded = (total + 15) & ~size_t(15);
        std::vector<uint8_t> cipher(padded);
        if (!m_source.readExactly(m_position + 16, cipher.data(), padded)) {
            // Without a verified password, a wrong key makes up a size too.
            if (m_firstEncryptedHeader && !m_headerCheckVerified)
                fail(ExitBadPassword, "wrong password: the archive headers cannot be decrypted");
            else
                fail(ExitCrcError, "unexpected end of archive");
            return false;
        }
        header.bytes.resize(padded + 16);
        decryptor.start(m_headerKeys->key.data(), 32, iv);
        decryptor.update(cipher.data(), padded, header.bytes.data());
        header.bytes.resize(total);
        sane = crc32Update(0, header.bytes.data() + 4, total - 4) == readLe32(header.bytes.data());
    }
    if (!sane) {
        if (m_firstEncryptedHeader && !m_headerCheckVerified)
            fail(ExitBadPassword, "wrong password: the archive headers cannot be decrypted");
        else
            fail(ExitCrcError, "damaged encrypted block header");
        return false;
    }
    m_firstEncryptedHeader = false;
    header.after = m_position + 16 + padded;
    return parseHeaderFields(header);
}

bool Rar5Reader::parseHeaderFields(Header &header)
{
    const uint8_t *p = header.bytes.data();
    const size_t end = header.bytes.size();
    size_t pos = 4;
    uint64_t size = 0;
    uint64_t extraSize = 0;
    readVint(p, end, pos, size);
    bool ok = readVint(p, end, pos, header.type) && readVint(p, end, pos, header.flags);
    if (ok && (header.flags & HasExtra))
        ok = readVint(p, end, pos, extraSize);
    if (ok && (header.flags & HasData))
        ok = readVint(p, end, pos, header.dataSize);
    if (!ok || extraSize > end - pos) {
        fail(ExitCrcError, "damaged block header");
        return false;
    }
    header.bodyStart = pos;
    header.extraStart = end - static_cast<size_t>(extraSize);
    return true;
}

VolumeReader::Step Rar5Reader::next(FileBlock &file)
{
    if (m_failure.failed())
        return Step::Error;
    for (;;) {
        if (m_position >= m_source.size())
            return Step::EndOfData;
        Header header;
        if (!readHeader(header))
            return Step::Error;
        if (header.dataSize > m_source.size() - header.after)
            return fail(ExitCrcError, "unexpected end of archive");
        m_position = header.after + header.dataSize;
        if (header.type == FileHeader)
            return parseFile(header, file);
        if (header.type == EndHeader) {
            size_t pos = header.bodyStart;
            uint64_t endFlags = 0;
            readVint(header.bytes.data(), header.extraStart, pos, endFlags);
            m_moreVolumes = endFlags & 0x0001;
            return Step::End;
        }
        if (header.type == MainHeader || header.type == CryptHeader)
            return fail(ExitCrcError, "damaged archive: a second archive header");
        // Service headers (comments, quick-open data, recovery records) are not needed here.
    }
}

VolumeReader::Step Rar5Reader::parseFile(const Header &header, FileBlock &file)
{
    file = FileBlock();
    const uint8_t *p = header.bytes.data();
    const size_t end = header.extraStart;
    size_t pos = header.bodyStart;
    uint64_t fileFlags = 0;
    uint64_t attributes = 0;
    uint64_t hostOs = 0;
    uint64_t nameLength = 0;
    bool ok = readVint(p, end, pos, fileFlags) && readVint(p, end, pos, file.unpackedSize)
              && readVint(p, end, pos, attributes);
    if (ok && (fileFlags & FileHasMtime)) {
        ok = end - pos >= 4;
        if (ok) {
            file.mtime = readLe32(p + pos);
            file.hasMtime = true;
            pos += 4;
        }
    }
    if (ok && (fileFlags & FileHasCrc)) {
        ok = end - pos >= 4;
        if (ok) {
            file.crc = readLe32(p + pos);
            file.hasCrc = true;
            pos += 4;
        }
    }
    ok = ok && readVint(p, end, pos, file.compressionInfo) && readVint(p, end, pos, hostOs)
         && readVint(p, end, pos, nameLength) && nameLength <= end - pos;
    if (!ok)
        return fail(ExitCrcError, "damaged file header");
    file.rawName.assign(reinterpret_cast<const char *>(p + pos), static_cast<size_t>(nameLength));
    file.name = file.rawName;
    file.flags = static_cast<uint32_t>(fileFlags);
    file.attributes = static_cast<uint32_t>(attributes);
    file.hostOs = static_cast<uint8_t>(hostOs);
    file.directory = fileFlags & FileIsDirectory;
    file.splitBefore = header.flags & SplitBefore;
    file.splitAfter = header.flags & SplitAfter;
    file.solid = file.compressionInfo & 0x0040;
    file.stored = ((file.compressionInfo >> 7) & 7) == 0;
    file.dataOffset = header.after;
    file.dataSize = header.dataSize;
    if (!parseExtra(header, file))
        return fail(ExitCrcError, "damaged file header");
    if ((file.compressionInfo & 0x3F) != 0)
        file.unsupported = "the compression of a newer RAR version is not supported";
    else if (fileFlags & 0x0008)
        file.unsupported = "files of unknown size are not supported";
    return Step::File;
}

bool Rar5Reader::parseExtra(const Header &header, FileBlock &file)
{
    const uint8_t *p = header.bytes.data();
    const size_t end = header.bytes.size();
    size_t pos = header.extraStart;
    bool hashRecordSeen = false;
    std::vector<uint8_t> hashRecord;
    while (pos < end) {
        const size_t recordStart = pos;
        uint64_t size = 0;
        if (!readVint(p, end, pos, size) || size == 0 || size > end - pos)
            return false;
        const size_t recordEnd = pos + static_cast<size_t>(size);
        uint64_t type = 0;
        if (!readVint(p, recordEnd, pos, type))
            return false;
        if (type == ExtraEncryption) {
            uint64_t version = 0;
            uint64_t flags = 0;
            if (!readVint(p, recordEnd, pos, version) || !readVint(p, recordEnd, pos, flags)
                || recordEnd - pos < 33)
                return false;
            file.encrypted = true;
            file.crypt.log2Count = p[pos];
            std::memcpy(file.crypt.salt.data(), p + pos + 1, 16);
            std::memcpy(file.crypt.iv.data(), p + pos + 17, 16);
            pos += 33;
            if ((flags & 0x0001) && recordEnd - pos >= 12 && rar5CheckValueIntact(p + pos)) {
                file.crypt.hasCheck = true;
                std::memcpy(file.crypt.check.data(), p + pos, 8);
            }
            file.crypt.macChecksums = flags & 0x0002;
            if (version != 0)
                file.unsupported = "unknown file encryption version";
            else if (file.crypt.log2Count > maxLog2Count)
                file.unsupported = "unsupported key derivation strength";
        } else if (type == ExtraHash) {
            hashRecordSeen = true;
            hashRecord.assign(p + recordStart, p + recordEnd);
        } else {
            file.keptExtra.insert(file.keptExtra.end(), p + recordStart, p + recordEnd);
        }
        pos = recordEnd;
    }
    // A hash that is a MAC cannot be checked by libarchive; an ordinary one can.
    if (hashRecordSeen && !file.crypt.macChecksums)
        file.keptExtra.insert(file.keptExtra.end(), hashRecord.begin(), hashRecord.end());
    return true;
}

void Rar5Reader::writeArchiveStart(std::vector<uint8_t> &out) const
{
    static const uint8_t signature[8] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};
    out.insert(out.end(), signature, signature + 8);
    std::vector<uint8_t> body;
    appendVint(body, MainHeader);
    appendVint(body, 0);                   // header flags
    appendVint(body, m_solid ? 0x0004 : 0); // archive flags
    appendHeader(out, body);
}

void Rar5Reader::writeFileHeader(const FileBlock &last, uint64_t packedSize, bool keepCrc,
                                 std::vector<uint8_t> &out) const
{
    const bool crc = keepCrc && last.hasCrc;
    std::vector<uint8_t> body;
    appendVint(body, FileHeader);
    appendVint(body, (last.keptExtra.empty() ? uint64_t(0) : uint64_t(HasExtra)) | HasData);
    if (!last.keptExtra.empty())
        appendVint(body, last.keptExtra.size());
    appendVint(body, packedSize);
    appendVint(body, (last.flags & ~FileHasCrc & ~uint64_t(0x0008)) | (crc ? uint64_t(FileHasCrc) : uint64_t(0)));
    appendVint(body, last.unpackedSize);
    appendVint(body, last.attributes);
    if (last.hasMtime)
        appendLe32(body, last.mtime);
    if (crc)
        appendLe32(body, last.crc);
    appendVint(body, last.compressionInfo);
    appendVint(body, last.hostOs);
    appendVint(body, last.rawName.size());
    body.insert(body.end(), last.rawName.begin(), last.rawName.end());
    body.insert(body.end(), last.keptExtra.begin(), last.keptExtra.end());
    appendHeader(out, body);
}

void Rar5Reader::writeArchiveEnd(std::vector<uint8_t> &out) const
{
    std::vector<uint8_t> body;
    appendVint(body, EndHeader);
    appendVint(body, 0);
    appendVint(body, 0);
    appendHeader(out, body);
}
