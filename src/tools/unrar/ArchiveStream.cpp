#include "ArchiveStream.h"

#include "Console.h"
#include "VolumeNames.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace {
constexpr size_t chunkSize = 1 << 20;
constexpr int maxVolumes = 100000;
}

ArchiveStream::ArchiveStream(std::string firstVolume, const std::string *password, Console &console)
    : m_firstVolume(std::move(firstVolume)), m_console(console)
{
    if (password)
        m_keys.reset(new KeyCache(*password));
}

void ArchiveStream::report(int code, const std::string &message, bool print)
{
    m_failures.push_back({code, message});
    if (print)
        m_console.error(message);
}

bool ArchiveStream::start()
{
    if (!openVolume(m_firstVolume)) {
        m_phase = Phase::Done;
        return false;
    }
    m_version = reader().version();
    m_solidStream = reader().solid();
    m_numberedInName = (m_version == RarVersion::Rar5 || reader().newNumbering()) && hasPartNumber(m_firstVolume);
    if (!reader().isFirstVolume()) {
        report(ExitOpenError, m_firstVolume + " is not the first volume of its set: start with the first volume");
        m_phase = Phase::Done;
        return false;
    }
    estimateTotalSize();
    return true;
}

bool ArchiveStream::openVolume(const std::string &path)
{
    std::unique_ptr<Volume> volume(new Volume);
    volume->path = path;
    volume->source.reset(new FileSource);
    if (!volume->source->open(path)) {
        report(ExitOpenError, (m_volumes.empty() ? "Cannot open " : "Cannot find volume ") + path);
        return false;
    }
    if (!m_volumes.empty())
        volume->start = m_volumes.back()->start + m_volumes.back()->size;
    volume->size = volume->source->size();
    Failure failure;
    volume->reader = VolumeReader::open(*volume->source, m_keys.get(), failure);
    if (!volume->reader) {
        report(failure.code, path + ": " + failure.message);
        return false;
    }
    if (!m_volumes.empty() && volume->reader->version() != m_version) {
        report(ExitCrcError, path + ": this volume belongs to an archive of another format");
        return false;
    }
    // Only a volume that was read as one of the set is named as read: the callers delete
    // the volumes these lines name once the extraction succeeded.
    m_console.volume(path);
    m_volumes.push_back(std::move(volume));
    return true;
}

bool ArchiveStream::openNextVolume()
{
    const std::string &current = m_volumes.back()->path;
    const std::string next = nextVolumeName(current, m_numberedInName);
    if (next.empty()) {
        report(ExitOpenError, "Cannot find the volume that follows " + current);
        return false;
    }
    return openVolume(next);
}

void ArchiveStream::estimateTotalSize()
{
    struct stat st {};
    std::string path = m_firstVolume;
    if (::stat(path.c_str(), &st) == 0)
        m_totalBytes = static_cast<uint64_t>(st.st_size);
    if (!reader().isVolume())
        return;
    for (int i = 0; i < maxVolumes; ++i) {
        path = nextVolumeName(path, m_numberedInName);
        if (path.empty() || ::stat(path.c_str(), &st) != 0)
            break;
        m_totalBytes += static_cast<uint64_t>(st.st_size);
    }
}

int ArchiveStream::progressPercent() const
{
    if (m_totalBytes == 0)
        return 100;
    return static_cast<int>(std::min<uint64_t>(100, (m_consumedBytes * 100 + m_totalBytes / 2) / m_totalBytes));
}

long ArchiveStream::read(const void **buffer)
{
    for (;;) {
        if (!m_pending.empty()) {
            m_buffer.swap(m_pending);
            m_pending.clear();
            *buffer = m_buffer.data();
            return static_cast<long>(m_buffer.size());
        }
        switch (m_phase) {
        case Phase::Start:
            m_phase = Phase::Headers;
            reader().writeArchiveStart(m_pending);
            break;
        case Phase::Headers:
            prepareNext();
            break;
        case Phase::Data: {
            const size_t n = produceData();
            if (n > 0) {
                *buffer = m_buffer.data();
                return static_cast<long>(n);
            }
            m_phase = Phase::Headers;
            break;
        }
        case Phase::Done:
            return 0;
        }
    }
}

void ArchiveStream::prepareNext()
{
    if (m_stopAfterEntry) {
        finishStream();
        return;
    }
    for (;;) {
        FileBlock file;
        const VolumeReader::Step step = reader().next(file);
        if (step == VolumeReader::Step::File) {
            if (file.splitBefore) {
                report(ExitOpenError, file.name + ": begins in a volume before " + m_volumes.back()->path);
                continue;
            }
            std::vector<FileBlock> parts {file};
            m_partVolumes.assign(1, m_volumes.size() - 1);
            const bool complete = collectParts(parts);
            if (!complete)
                m_stopAfterEntry = true;
            if (!admit(parts.front())) {
                if (m_stopAfterEntry) {
                    finishStream();
                    return;
                }
                continue;
            }
            beginEntry(parts, !complete);
            return;
        }
        if (step == VolumeReader::Step::End && reader().moreVolumes() && openNextVolume())
            continue;
        if (step == VolumeReader::Step::Error)
            report(reader().failure().code, m_volumes.back()->path + ": " + reader().failure().message);
        finishStream();
        return;
    }
}

// Follows a split file into the next volumes; false when a volume is missing or does not go on
// with the same file (the parts found so far are kept).
bool ArchiveStream::collectParts(std::vector<FileBlock> &parts)
{
    while (parts.back().splitAfter) {
        if (!openNextVolume())
            return false;
        FileBlock piece;
        const VolumeReader::Step step = reader().next(piece);
        if (step == VolumeReader::Step::Error) {
            report(reader().failure().code, m_volumes.back()->path + ": " + reader().failure().message);
            return false;
        }
        if (step != VolumeReader::Step::File || !piece.splitBefore || piece.name != parts.front().name) {
            report(ExitCrcError, m_volumes.back()->path + ": the rest of " + parts.front().name + " is missing");
            return false;
        }
        parts.push_back(piece);
        m_partVolumes.push_back(m_volumes.size() - 1);
    }
    return true;
}

bool ArchiveStream::admit(const FileBlock &file)
{
    int refusal = ExitSuccess;
    std::string reason;
    if (!file.unsupported.empty()) {
        refusal = ExitFatal;
        reason = file.unsupported;
    } else if (m_version == RarVersion::Rar4 && file.solid && !file.directory) {
        refusal = ExitFatal;
        reason = "solid RAR 4 archives can be extracted up to their first file only";
    } else if (file.solid && !file.directory && m_brokenChain != ExitSuccess) {
        refusal = m_brokenChain;
        reason = "an earlier file of the solid archive could not be extracted";
    } else if (file.encrypted && !m_keys) {
        refusal = ExitBadPassword;
        reason = "the file is encrypted and no password was given";
    } else if (file.encrypted && m_version == RarVersion::Rar5 && file.crypt.hasCheck) {
        const Rar5Keys &keys = m_keys->rar5(file.crypt.salt.data(), file.crypt.log2Count);
        if (keys.passwordCheck != file.crypt.check) {
            refusal = ExitBadPassword;
            reason = "wrong password";
        }
    }
    if (refusal == ExitSuccess)
        return true;
    report(refusal, file.name + ": " + reason);
    if (m_version == RarVersion::Rar4 && file.solid)
        m_stopAfterEntry = true;
    if (m_brokenChain == ExitSuccess)
        m_brokenChain = refusal;
    return false;
}

void ArchiveStream::beginEntry(const std::vector<FileBlock> &parts, bool incomplete)
{
    const FileBlock &first = parts.front();
    // The last part of a split file holds the checksum of the whole file and says how it is
    // stored; the other parts carry the plain CRC of their own packed data.
    const FileBlock &last = parts.back();
    EntryInfo info;
    info.name = first.name;
    info.directory = first.directory;
    info.encrypted = first.encrypted;
    info.incomplete = incomplete;
    info.unpackedSize = first.unpackedSize;
    if (!incomplete) {
        info.hasCrc = last.hasCrc;
        info.crc = last.crc;
    }

    m_pieces.clear();
    uint64_t raw = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        m_pieces.push_back({m_partVolumes[i], parts[i].dataOffset, parts[i].dataSize});
        raw += parts[i].dataSize;
    }
    m_pieceIndex = 0;
    m_pieceDone = 0;
    m_emitted = 0;
    m_carry.clear();
    m_decrypt = first.encrypted;
    m_limit = raw;
    if (m_decrypt) {
        if (m_version == RarVersion::Rar4) {
            const Rar4Key &key = m_keys->rar4(first.crypt.salt.data());
            m_decryptor.start(key.key.data(), 16, key.iv.data());
        } else {
            // The parts of a split file are one CBC stream, cut at any byte: the first part's
            // key and IV decrypt all of it.
            const Rar5Keys &keys = m_keys->rar5(first.crypt.salt.data(), first.crypt.log2Count);
            m_decryptor.start(keys.key.data(), 32, first.crypt.iv.data());
            info.passwordVerified = first.crypt.hasCheck;
            info.crcIsMac = last.encrypted && last.crypt.macChecksums;
            if (info.crcIsMac)
                info.hashKey = m_keys->rar5(last.crypt.salt.data(), last.crypt.log2Count).hashKey;
        }
        // Encrypted data is padded to whole AES blocks; stored files end at their real size.
        const uint64_t usable = raw & ~uint64_t(15);
        m_limit = first.stored ? std::min(first.unpackedSize, usable) : usable;
        if (m_version == RarVersion::Rar5 && !first.stored) {
            const Rar5Keys &keys = m_keys->rar5(first.crypt.salt.data(), first.crypt.log2Count);
            m_limit = compressedEnd(keys.key.data(), first.crypt.iv.data(), usable);
        }
    }

    FileBlock rebuilt = first;
    rebuilt.keptExtra = last.keptExtra; // a whole-file hash record sits in the last part
    rebuilt.hasCrc = info.hasCrc;
    rebuilt.crc = info.crc;
    m_lastHeader.clear();
    reader().writeFileHeader(rebuilt, m_limit, !info.crcIsMac, m_lastHeader);
    m_pending.insert(m_pending.end(), m_lastHeader.begin(), m_lastHeader.end());
    m_entries.push_back(info);
    m_phase = m_limit > 0 ? Phase::Data : Phase::Headers;
    releaseOldVolumes();
}

bool ArchiveStream::readPieces(uint64_t offset, uint8_t *out, size_t length)
{
    for (const Piece &piece : m_pieces) {
        if (length == 0)
            break;
        if (offset >= piece.length) {
            offset -= piece.length;
            continue;
        }
        const size_t take = static_cast<size_t>(std::min<uint64_t>(length, piece.length - offset));
        if (!m_volumes[piece.volume]->source->readExactly(piece.offset + offset, out, take))
            return false;
        out += take;
        length -= take;
        offset = 0;
    }
    return length == 0;
}

// CBC decrypts any block from its own ciphertext and the one before it, so the block headers
// of compressed data can be read without decrypting everything in between.
bool ArchiveStream::decryptAt(const uint8_t *key, const uint8_t *iv, uint64_t offset, uint8_t *out, size_t length)
{
    const uint64_t first = offset & ~uint64_t(15);
    const uint64_t end = (offset + length + 15) & ~uint64_t(15);
    std::vector<uint8_t> cipher(static_cast<size_t>(end - first) + 16);
    std::memcpy(cipher.data(), iv, 16);
    if (!readPieces(first >= 16 ? first - 16 : 0, cipher.data() + (first >= 16 ? 0 : 16),
                    static_cast<size_t>(end - first) + (first >= 16 ? 16 : 0)))
        return false;
    CbcDecryptor decryptor;
    decryptor.start(key, 32, cipher.data());
    std::vector<uint8_t> plain(cipher.size() + 16);
    decryptor.update(cipher.data() + 16, static_cast<size_t>(end - first), plain.data());
    std::memcpy(out, plain.data() + (offset - first), length);
    return true;
}

// RAR 5 compressed data is a chain of blocks; encryption pads it to whole AES blocks, and
// libarchive would take the padding for one more block. Returns where the last block ends
// (`padded` when the chain cannot be followed, e.g. with a wrong password).
uint64_t ArchiveStream::compressedEnd(const uint8_t *key, const uint8_t *iv, uint64_t padded)
{
    uint64_t position = 0;
    while (position + 3 <= padded) {
        uint8_t header[5] = {};
        const size_t available = static_cast<size_t>(std::min<uint64_t>(5, padded - position));
        if (!decryptAt(key, iv, position, header, available))
            return padded;
        const uint8_t flags = header[0];
        const size_t sizeBytes = ((flags >> 3) & 3) + 1;
        if (sizeBytes > 3 || 2 + sizeBytes > available)
            return padded;
        uint8_t check = 0x5A ^ flags;
        uint64_t blockSize = 0;
        for (size_t i = 0; i < sizeBytes; ++i) {
            check ^= header[2 + i];
            blockSize |= static_cast<uint64_t>(header[2 + i]) << (8 * i);
        }
        if (check != header[1])
            return padded;
        position += 2 + sizeBytes + blockSize;
        if (flags & 0x40)
            return std::min(position, padded);
    }
    return padded;
}

size_t ArchiveStream::produceData()
{
    if (m_emitted >= m_limit)
        return 0;
    const size_t want = static_cast<size_t>(std::min<uint64_t>(chunkSize, m_limit - m_emitted));
    m_buffer.resize(want);
    size_t produced = std::min(want, m_carry.size());
    if (produced > 0) {
        std::memcpy(m_buffer.data(), m_carry.data(), produced);
        m_carry.erase(m_carry.begin(), m_carry.begin() + static_cast<long>(produced));
    }

    while (produced < want && m_pieceIndex < m_pieces.size()) {
        const Piece &piece = m_pieces[m_pieceIndex];
        if (m_pieceDone == piece.length) {
            ++m_pieceIndex;
            m_pieceDone = 0;
            continue;
        }
        const size_t take = static_cast<size_t>(std::min<uint64_t>(want - produced, piece.length - m_pieceDone));
        ByteSource &source = *m_volumes[piece.volume]->source;
        uint8_t *target = m_buffer.data() + produced;
        if (m_decrypt) {
            m_raw.resize(take);
            target = m_raw.data();
        }
        const size_t got = source.readAt(piece.offset + m_pieceDone, target, take);
        m_pieceDone += got;
        const Volume &volume = *m_volumes[piece.volume];
        m_consumedBytes = std::max(m_consumedBytes, volume.start + piece.offset + m_pieceDone);
        if (got < take) {
            report(ExitCrcError, m_volumes[piece.volume]->path + ": unexpected end of archive");
            m_pieceIndex = m_pieces.size();
            m_stopAfterEntry = true;
        }
        if (!m_decrypt) {
            produced += got;
            continue;
        }
        // The decryptor may release up to one block more than it was given: keep the excess.
        std::vector<uint8_t> plain(got + 16);
        const size_t out = m_decryptor.update(m_raw.data(), got, plain.data());
        const size_t fits = std::min(out, want - produced);
        std::memcpy(m_buffer.data() + produced, plain.data(), fits);
        m_carry.insert(m_carry.end(), plain.begin() + static_cast<long>(fits), plain.begin() + static_cast<long>(out));
        produced += fits;
    }
    if (produced < want && m_pieceIndex >= m_pieces.size()) {
        // Out of data before the announced size: fill up so that the stream stays well-formed.
        std::memset(m_buffer.data() + produced, 0, want - produced);
        produced = want;
    }
    m_emitted += produced;
    return produced;
}

bool ArchiveStream::restartAt(size_t nextEntry)
{
    if (m_solidStream || m_volumes.empty() || !m_volumes.back()->reader)
        return false;
    std::vector<uint8_t> start;
    reader().writeArchiveStart(start);
    if (m_entries.size() == nextEntry) {
        // Still inside the failed file: drop the rest of its data.
        m_carry.clear();
        m_emitted = m_limit;
        if (m_phase == Phase::Data)
            m_phase = Phase::Headers;
        if (m_phase == Phase::Done)
            reader().writeArchiveEnd(start);
    } else if (m_entries.size() == nextEntry + 1 && m_emitted == 0) {
        // The next header went out already, none of its data: hand it out again.
        start.insert(start.end(), m_lastHeader.begin(), m_lastHeader.end());
        if (m_phase == Phase::Done)
            reader().writeArchiveEnd(start);
    } else {
        return false;
    }
    m_pending = std::move(start);
    return true;
}

void ArchiveStream::finishStream()
{
    if (!m_volumes.empty() && m_volumes.back()->reader)
        reader().writeArchiveEnd(m_pending);
    m_phase = Phase::Done;
    m_consumedBytes = m_totalBytes;
}

void ArchiveStream::releaseOldVolumes()
{
    size_t oldestNeeded = m_volumes.size() - 1;
    for (const Piece &piece : m_pieces)
        oldestNeeded = std::min(oldestNeeded, piece.volume);
    for (size_t i = 0; i < oldestNeeded; ++i) {
        m_volumes[i]->reader.reset();
        m_volumes[i]->source.reset();
    }
}
