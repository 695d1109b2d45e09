#include "VolumeReader.h"

#include "Rar4Reader.h"
#include "Rar5Reader.h"

#include <cstring>

namespace {

const uint8_t rar4Signature[7] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x00};
const uint8_t rar5Signature[8] = {'R', 'a', 'r', '!', 0x1A, 0x07, 0x01, 0x00};
const uint8_t rar14Signature[4] = {'R', 'E', '~', '^'};

// Self-extracting archives carry a program in front of the signature.
constexpr uint64_t signatureSearchLimit = 1 << 20;

bool findSignature(ByteSource &source, uint64_t &offset, RarVersion &version, bool &ancient)
{
    std::vector<uint8_t> head(static_cast<size_t>(std::min<uint64_t>(source.size(), signatureSearchLimit + 8)));
    size_t got = source.readAt(0, head.data(), head.size());
    ancient = got >= 4 && std::memcmp(head.data(), rar14Signature, 4) == 0;
    for (size_t i = 0; i + 7 <= got; ++i) {
        if (head[i] != 'R' || std::memcmp(&head[i], rar4Signature, 6) != 0)
            continue;
        if (head[i + 6] == 0x00) {
            offset = i + 7;
            version = RarVersion::Rar4;
            return true;
        }
        if (i + 8 <= got && std::memcmp(&head[i], rar5Signature, 8) == 0) {
            offset = i + 8;
            version = RarVersion::Rar5;
            return true;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<VolumeReader> VolumeReader::open(ByteSource &source, KeyCache *keys, Failure &failure)
{
    uint64_t offset = 0;
    RarVersion version = RarVersion::Rar4;
    bool ancient = false;
    if (!findSignature(source, offset, version, ancient)) {
        failure = {ExitFatal, ancient ? "RAR 1.4 archives are not supported" : "not a RAR archive"};
        return nullptr;
    }
    std::unique_ptr<VolumeReader> reader;
    if (version == RarVersion::Rar4)
        reader.reset(new Rar4Reader(source, keys, offset));
    else
        reader.reset(new Rar5Reader(source, keys, offset));
    if (!reader->readArchiveHeader()) {
        failure = reader->failure();
        return nullptr;
    }
    return reader;
}

VolumeReader::Step VolumeReader::fail(int code, const std::string &message)
{
    if (!m_failure.failed())
        m_failure = {code, message};
    return Step::Error;
}

void appendLe16(std::vector<uint8_t> &out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void appendLe32(std::vector<uint8_t> &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
