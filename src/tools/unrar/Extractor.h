#ifndef EXTRACTOR_H
#define EXTRACTOR_H

#include "EntryPlacement.h"
#include "LinkGuard.h"

#include <cstdint>
#include <string>
#include <vector>

class ArchiveStream;
class Console;
struct EntryInfo;
struct archive;
struct archive_entry;

struct ExtractOptions
{
    enum class Mode { WithPaths, WithoutPaths, Test };
    Mode mode = Mode::WithPaths;
    bool keepBroken = false;    // keep files whose data turned out damaged or incomplete
    bool overwrite = false;     // replace existing files without asking
    bool renameExisting = false; // an existing file stays: the entry takes "name (n).ext"
};

// Reads the rebuilt stream with libarchive, writes the files into the current folder, checks
// every file against its stored checksum and size, and removes broken files unless asked to
// keep them. A file is written aside and takes its real name only once whole (EntryPlacement).
// Returns the exit code of the whole run.
class Extractor
{
public:
    Extractor(ArchiveStream &stream, Console &console, const ExtractOptions &options);
    int run();

private:
    // Unwritten: the disk did not take the file whole (a failed or short write).
    enum class Outcome { Ok, Broken, Unwritten, Skipped, Fatal };

    // Reads files with one libarchive reader from `index` on; true when it stopped at a fatal error.
    bool readEntries(archive *out, size_t &index);
    Outcome extractEntry(archive *in, archive *out, archive_entry *entry, const EntryInfo &info);
    Outcome placeFile(const std::string &written, std::string &path, Outcome outcome, bool &kept);
    Outcome keepExisting(archive *in, const std::string &path);
    Outcome cannotCreate(archive *in, const std::string &path, const std::string &why);
    // Where a stored name lands below the extraction folder (empty: nowhere).
    std::string outputPath(const char *stored) const;
    // `path`, or the first free "name (n).ext" beside it when something stands there.
    static std::string freePath(const std::string &path);
    std::string refusal(archive_entry *entry, const std::string &path);
    Outcome copyData(archive *in, archive *out, const EntryInfo &info, const std::string &path);
    bool checksumMatches(const EntryInfo &info, uint32_t crc) const;
    static bool hasSize(const std::string &path, uint64_t size);
    int finalCode();

    ArchiveStream &m_stream;
    Console &m_console;
    ExtractOptions m_options;
    LinkGuard m_links;
    int m_encryptedOk = 0;
    std::vector<std::string> m_passwordSuspects;
};

#endif // EXTRACTOR_H
