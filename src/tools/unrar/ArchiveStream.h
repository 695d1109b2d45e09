#ifndef ARCHIVESTREAM_H
#define ARCHIVESTREAM_H

#include "ExitCodes.h"
#include "RarCrypto.h"
#include "VolumeReader.h"

#include <array>
#include <deque>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Console;

// What the extractor needs to know of each file of the stream, in stream order.
struct EntryInfo
{
    std::string name;
    bool directory = false;
    bool encrypted = false;
    bool passwordVerified = false;      // a check value proved the password right
    bool incomplete = false;            // a volume is missing: the data stops early
    bool hasCrc = false;
    uint32_t crc = 0;
    bool crcIsMac = false;              // crc is the MAC of the real checksum under hashKey
    std::array<uint8_t, 32> hashKey {};
    uint64_t unpackedSize = 0;
};

// Walks the volume chain of a RAR set and produces, on demand, one single-volume unencrypted
// archive of the same format holding all its files: their headers rebuilt without volume and
// encryption fields, their data joined across volumes and decrypted. libarchive reads that
// stream through archive_read_open(). Files that cannot be produced (no password, wrong password,
// unsupported variants) are left out and reported; a missing volume ends the stream after the
// incomplete file.
class ArchiveStream
{
public:
    // `password` null: none given. Every volume opened is announced on the console.
    ArchiveStream(std::string firstVolume, const std::string *password, Console &console);

    // Opens the first volume; false (with a failure recorded) when it cannot be read.
    bool start();

    // The read callback of libarchive: the next bytes of the stream, 0 at its end.
    long read(const void **buffer);

    size_t entryCount() const { return m_entries.size(); }
    const EntryInfo &entry(size_t index) const { return m_entries[index]; }
    // Every problem of the run in the order met, the extractor's own included.
    const std::vector<Failure> &failures() const { return m_failures; }
    void report(int code, const std::string &message, bool print = true);
    int progressPercent() const;

    // After libarchive gave up inside file `nextEntry - 1`: makes the stream start afresh (a
    // new archive start) with file `nextEntry`, for a new libarchive reader. False when that
    // is impossible (solid archives, or the stream is already past that file).
    bool restartAt(size_t nextEntry);

private:
    struct Volume
    {
        std::string path;
        uint64_t start = 0;             // offset of the volume in the whole set
        uint64_t size = 0;
        std::unique_ptr<FileSource> source;
        std::unique_ptr<VolumeReader> reader;
    };
    struct Piece
    {
        size_t volume;
        uint64_t offset;
        uint64_t length;
    };
    enum class Phase { Start, Headers, Data, Done };

    bool openVolume(const std::string &path);
    bool openNextVolume();
    void estimateTotalSize();
    void prepareNext();
    bool collectParts(std::vector<FileBlock> &parts);
    bool admit(const FileBlock &file);
    void beginEntry(const std::vector<FileBlock> &parts, bool incomplete);
    size_t produceData();
    bool readPieces(uint64_t offset, uint8_t *out, size_t length);
    bool decryptAt(const uint8_t *key, const uint8_t *iv, uint64_t offset, uint8_t *out, size_t length);
    uint64_t compressedEnd(const uint8_t *key, const uint8_t *iv, uint64_t padded);
    void finishStream();
    void releaseOldVolumes();
    VolumeReader &reader() { return *m_volumes.back()->reader; }

    std::string m_firstVolume;
    std::unique_ptr<KeyCache> m_keys;
    Console &m_console;
    std::vector<std::unique_ptr<Volume>> m_volumes;
    bool m_numberedInName = false;
    RarVersion m_version = RarVersion::Rar4;
    bool m_solidStream = false;
    bool m_stopAfterEntry = false;
    int m_brokenChain = ExitSuccess;    // why a file of the set was left out (solid sets stop)
    Phase m_phase = Phase::Start;

    std::vector<uint8_t> m_pending;     // rebuilt headers waiting to be handed out
    std::vector<uint8_t> m_buffer;      // data handed out by the last read()
    std::vector<uint8_t> m_raw;
    std::vector<uint8_t> m_lastHeader;  // the rebuilt header of the latest file
    std::vector<uint8_t> m_carry;       // decrypted bytes that did not fit the last read()
    std::vector<size_t> m_partVolumes;  // volume of each part of the file being collected
    std::vector<Piece> m_pieces;
    size_t m_pieceIndex = 0;
    uint64_t m_pieceDone = 0;
    uint64_t m_limit = 0;               // bytes of data the rebuilt header announces
    uint64_t m_emitted = 0;
    bool m_decrypt = false;
    CbcDecryptor m_decryptor;

    std::deque<EntryInfo> m_entries;    // grows while files are read: references must stay valid
    std::vector<Failure> m_failures;
    uint64_t m_totalBytes = 0;
    uint64_t m_consumedBytes = 0;
};

#endif // ARCHIVESTREAM_H
