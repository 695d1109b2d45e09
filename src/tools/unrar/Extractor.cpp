#include "Extractor.h"

#include "ArchiveStream.h"
#include "Console.h"
#include "Crc32.h"
#include "EntryPlacement.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

la_ssize_t readCallback(struct archive *, void *client, const void **buffer)
{
    return static_cast<ArchiveStream *>(client)->read(buffer);
}

// Archive names become paths below the extraction folder: no root, no "..", no empty parts.
std::string safeRelativePath(const std::string &name)
{
    std::string result;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        const std::string part = name.substr(start, end - start);
        if (!part.empty() && part != "." && part != "..") {
            if (!result.empty())
                result += '/';
            result += part;
        }
        start = end + 1;
    }
    return result;
}

const char *errorText(archive *a)
{
    const char *text = archive_error_string(a);
    return text ? text : "unknown error";
}

std::string baseName(const std::string &path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

Extractor::Extractor(ArchiveStream &stream, Console &console, const ExtractOptions &options)
    : m_stream(stream), m_console(console), m_options(options)
{
}

int Extractor::run()
{
    if (!m_stream.start())
        return finalCode();
    archive *out = nullptr;
    if (m_options.mode != ExtractOptions::Mode::Test) {
        out = archive_write_disk_new();
        // Our own checks come first (names made relative, links that stay inside); these
        // guards of libarchive stand behind them.
        int flags = ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_SECURE_NODOTDOT | ARCHIVE_EXTRACT_SECURE_SYMLINKS
                    | ARCHIVE_EXTRACT_SECURE_NOABSOLUTEPATHS;
        flags |= m_options.overwrite ? ARCHIVE_EXTRACT_UNLINK : ARCHIVE_EXTRACT_NO_OVERWRITE;
        archive_write_disk_set_options(out, flags);
    }
    size_t index = 0;
    while (readEntries(out, index)) {
        // libarchive cannot go on after a fatal error in a file; a new reader takes the next one.
        if (!m_stream.restartAt(index)) {
            m_console.error("Extraction stopped: the rest of the archive cannot be read after this error");
            break;
        }
    }
    if (out) {
        archive_write_close(out);
        archive_write_free(out);
    }
    return finalCode();
}

bool Extractor::readEntries(archive *out, size_t &index)
{
    archive *in = archive_read_new();
    archive_read_support_format_rar(in);
    archive_read_support_format_rar5(in);
    bool fatal = false;
    if (archive_read_open(in, &m_stream, nullptr, readCallback, nullptr) != ARCHIVE_OK) {
        if (m_stream.failures().empty())
            m_stream.report(ExitFatal, std::string("cannot read the archive: ") + errorText(in));
    } else {
        archive_entry *entry = nullptr;
        for (;;) {
            const int r = archive_read_next_header(in, &entry);
            if (r == ARCHIVE_EOF)
                break;
            if (r < ARCHIVE_WARN || index >= m_stream.entryCount()) {
                if (m_stream.failures().empty())
                    m_stream.report(ExitFatal, std::string("cannot read the archive: ") + errorText(in));
                break;
            }
            if (extractEntry(in, out, entry, m_stream.entry(index++)) == Outcome::Fatal) {
                fatal = true;
                break;
            }
        }
    }
    archive_read_free(in);
    return fatal;
}

std::string Extractor::outputPath(const char *stored) const
{
    const std::string path = safeRelativePath(stored);
    return m_options.mode == ExtractOptions::Mode::WithoutPaths ? baseName(path) : path;
}

std::string Extractor::freePath(const std::string &path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return path;
    for (int number = 1;; ++number) {
        const std::string candidate = EntryPlacement::numberedPath(path, number);
        if (::lstat(candidate.c_str(), &st) != 0)
            return candidate;
    }
}

// Why the entry must not be made at `path`; empty when it may. A hard link that may be made
// is pointed at its target's path inside the extraction folder.
std::string Extractor::refusal(archive_entry *entry, const std::string &path)
{
    if (const char *target = archive_entry_hardlink(entry)) {
        const std::string inside = outputPath(target);
        const std::string why = m_links.hardlinkRefusal(inside);
        if (why.empty())
            archive_entry_set_hardlink(entry, inside.c_str());
        return why;
    }
    switch (archive_entry_filetype(entry)) {
    case AE_IFREG:
    case AE_IFDIR:
        return std::string();
    case AE_IFLNK: {
        const char *target = archive_entry_symlink(entry);
        return LinkGuard::symlinkRefusal(path, target ? target : "");
    }
    case AE_IFIFO:
    case AE_IFCHR:
    case AE_IFBLK:
    case AE_IFSOCK:
        return "a special file (device, named pipe or socket) is never made";
    default:
        return "an entry of unknown type is never made";
    }
}

Extractor::Outcome Extractor::extractEntry(archive *in, archive *out, archive_entry *entry, const EntryInfo &info)
{
    const char *stored = archive_entry_pathname(entry);
    std::string path = outputPath(stored ? stored : info.name.c_str());
    const bool isDirectory = archive_entry_filetype(entry) == AE_IFDIR;
    const bool isHardlink = archive_entry_hardlink(entry) != nullptr;
    const bool isRegular = archive_entry_filetype(entry) == AE_IFREG && !isHardlink;
    if (path.empty() || (isDirectory && m_options.mode == ExtractOptions::Mode::WithoutPaths))
        return Outcome::Skipped;

    const bool test = m_options.mode == ExtractOptions::Mode::Test;
    // A folder that exists is extracted into; a link that would land on something existing
    // takes a free name at once. A file takes its name only once whole (placeFile).
    if (!test && !isDirectory && !isRegular && m_options.renameExisting)
        path = freePath(path);
    m_console.beginItem(test ? "Testing" : isDirectory ? "Creating" : "Extracting", path);
    const std::string why = refusal(entry, path);
    if (!why.empty()) {
        m_console.endItem("skipped");
        m_stream.report(ExitWarning, path + ": " + why + ", skipped");
        return archive_read_data_skip(in) == ARCHIVE_FATAL ? Outcome::Fatal : Outcome::Skipped;
    }
    // A plain file is written under a name of its own until it is whole and checked.
    const bool aside = !test && isRegular;
    const std::string written = aside ? EntryPlacement::unfinishedPath(path) : path;
    if (!test) {
        if (aside && !m_options.overwrite && !m_options.renameExisting && ::access(path.c_str(), F_OK) == 0)
            return keepExisting(in, path);
        if (aside && !EntryPlacement::clearUnfinished(written))
            return cannotCreate(in, path, written + " is in the way");
        archive_entry_set_pathname(entry, written.c_str());
        // We check sizes ourselves; given a size, libarchive would stretch a short file to it.
        archive_entry_unset_size(entry);
        if (archive_write_header(out, entry) < ARCHIVE_WARN) {
            m_links.wroteOther(path);
            if (!aside && !m_options.overwrite && ::access(path.c_str(), F_OK) == 0)
                return keepExisting(in, path);
            return cannotCreate(in, path, archive_error_string(out) ? archive_error_string(out) : "?");
        }
    }
    Outcome outcome = Outcome::Ok;
    if (isRegular)
        outcome = copyData(in, out, info, path);
    if (!test && archive_write_finish_entry(out) < ARCHIVE_WARN && outcome == Outcome::Ok) {
        m_console.endItem("FAILED");
        m_stream.report(ExitWriteError, "Write error in " + path);
        outcome = Outcome::Unwritten;
    }
    if (aside && outcome == Outcome::Ok && !hasSize(written, info.unpackedSize)) {
        m_console.endItem("FAILED");
        m_stream.report(ExitWriteError, "Write error in " + path + ": the file on disk is short");
        outcome = Outcome::Unwritten;
    }
    // A file the disk did not take whole is no broken file worth keeping: only a truncated copy.
    const bool broken = outcome == Outcome::Broken || outcome == Outcome::Fatal;
    if (aside && (outcome == Outcome::Ok || (broken && m_options.keepBroken))) {
        bool placed = false;
        outcome = placeFile(written, path, outcome, placed);
        if (broken && placed)
            m_console.line("Kept the broken file " + path);
    } else if (aside) {
        ::unlink(written.c_str());
    } else if (!test && outcome == Outcome::Unwritten) {
        ::unlink(path.c_str());
    }
    if (outcome == Outcome::Ok && (isRegular || isHardlink))
        m_links.wrotePlainFile(path);
    else
        m_links.wroteOther(path);
    if (outcome == Outcome::Ok) {
        m_console.progress(m_stream.progressPercent());
        m_console.endItem("OK");
        if (info.encrypted)
            ++m_encryptedOk;
    }
    return outcome;
}

// Gives a file written aside its real name (or, when that is taken and must be kept, a free one
// beside it); `path` becomes where it is and `kept` tells whether it is there.
Extractor::Outcome Extractor::placeFile(const std::string &written, std::string &path, Outcome outcome, bool &kept)
{
    const EntryPlacement::Policy policy = m_options.overwrite         ? EntryPlacement::Policy::Replace
                                          : m_options.renameExisting ? EntryPlacement::Policy::KeepExisting
                                                                     : EntryPlacement::Policy::Skip;
    const EntryPlacement::Placed placed = EntryPlacement::place(written, path, policy);
    if (placed.taken) {
        ::unlink(written.c_str());
        if (outcome == Outcome::Ok)
            m_console.endItem("skipped");
        m_stream.report(ExitWarning, path + ": already exists, not overwritten (use -y or -o+)");
        return outcome == Outcome::Fatal ? Outcome::Fatal : Outcome::Skipped;
    }
    if (!placed.ok) {
        ::unlink(written.c_str());
        if (outcome == Outcome::Ok)
            m_console.endItem("FAILED");
        m_stream.report(ExitCreateError, "Cannot create " + path + ": " + std::strerror(placed.error));
        // The reader cannot go on after a fatal error, whether or not the file was placed.
        return outcome == Outcome::Fatal ? Outcome::Fatal : Outcome::Unwritten;
    }
    kept = true;
    if (placed.already)
        m_console.line(placed.path + " is already there, whole: kept as it is");
    else if (placed.path != path)
        m_console.line(path + " exists: kept, the file is extracted as " + placed.path);
    path = placed.path;
    return outcome;
}

Extractor::Outcome Extractor::keepExisting(archive *in, const std::string &path)
{
    m_console.endItem("skipped");
    m_stream.report(ExitWarning, path + ": already exists, not overwritten (use -y or -o+)");
    return archive_read_data_skip(in) == ARCHIVE_FATAL ? Outcome::Fatal : Outcome::Skipped;
}

Extractor::Outcome Extractor::cannotCreate(archive *in, const std::string &path, const std::string &why)
{
    m_console.endItem("FAILED");
    m_stream.report(ExitCreateError, "Cannot create " + path + ": " + why);
    return archive_read_data_skip(in) == ARCHIVE_FATAL ? Outcome::Fatal : Outcome::Skipped;
}

Extractor::Outcome Extractor::copyData(archive *in, archive *out, const EntryInfo &info, const std::string &path)
{
    const bool test = m_options.mode == ExtractOptions::Mode::Test;
    uint32_t crc = 0;
    uint64_t written = 0;
    bool dataError = false;
    bool writeError = false;
    bool fatal = false;
    std::string detail;
    for (;;) {
        const void *block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int r = archive_read_data_block(in, &block, &size, &offset);
        if (r == ARCHIVE_EOF)
            break;
        if (r < ARCHIVE_WARN) {
            dataError = true;
            fatal = r == ARCHIVE_FATAL;
            detail = archive_error_string(in) ? archive_error_string(in) : "";
            break;
        }
        if (offset < 0 || static_cast<uint64_t>(offset) > info.unpackedSize) {
            dataError = true; // never a hole beyond the file's own size
            detail = "data beyond the end of the file";
            break;
        }
        static const uint8_t zeros[4096] = {};
        while (written < static_cast<uint64_t>(offset)) { // a hole: zero bytes on disk
            const size_t n = static_cast<size_t>(std::min<uint64_t>(sizeof zeros, offset - written));
            crc = crc32Update(crc, zeros, n);
            written += n;
        }
        crc = crc32Update(crc, block, size);
        written += size;
        // libarchive reports a failed or short write (a full disk) as a mere warning.
        if (!test && archive_write_data_block(out, block, size, offset) < ARCHIVE_OK) {
            writeError = true;
            detail = archive_error_string(out) ? archive_error_string(out) : "";
            if (archive_errno(out) != 0)
                detail += std::string(detail.empty() ? "" : ": ") + std::strerror(archive_errno(out));
            break;
        }
        m_console.progress(m_stream.progressPercent());
    }

    if (!dataError && !writeError && !info.incomplete && written == info.unpackedSize
        && (!info.hasCrc || checksumMatches(info, crc)))
        return Outcome::Ok;

    m_console.endItem("FAILED");
    if (writeError) {
        m_stream.report(ExitWriteError, "Write error in " + path + (detail.empty() ? "" : ": " + detail));
        return Outcome::Unwritten;
    }
    if (info.incomplete) {
        m_stream.report(ExitOpenError, path + ": incomplete, a volume of the set is missing");
    } else if (info.encrypted && !info.passwordVerified) {
        // Without a password check value a wrong password shows only as damaged data.
        m_console.error("CRC failed in the encrypted file " + path + " (wrong password?)");
        m_passwordSuspects.push_back(path);
    } else {
        m_stream.report(ExitCrcError, "CRC failed in " + path + (detail.empty() ? "" : " (" + detail + ")"));
    }
    return fatal ? Outcome::Fatal : Outcome::Broken;
}

bool Extractor::hasSize(const std::string &path, uint64_t size)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && static_cast<uint64_t>(st.st_size) == size;
}

bool Extractor::checksumMatches(const EntryInfo &info, uint32_t crc) const
{
    return (info.crcIsMac ? rar5MacOfCrc(crc, info.hashKey) : crc) == info.crc;
}

int Extractor::finalCode()
{
    // Damaged files among well-decrypted ones point at damage; if no encrypted file came out
    // right, the password is the likely cause.
    const int suspectCode = m_encryptedOk > 0 ? ExitCrcError : ExitBadPassword;
    for (const std::string &path : m_passwordSuspects)
        m_stream.report(suspectCode,
                        suspectCode == ExitBadPassword ? path + ": wrong password" : "CRC failed in " + path, false);

    int code = ExitSuccess;
    int errors = 0;
    for (const Failure &failure : m_stream.failures()) {
        if (failure.code == ExitWarning) {
            if (code == ExitSuccess)
                code = ExitWarning;
            continue;
        }
        ++errors;
        if (code == ExitSuccess || code == ExitWarning)
            code = failure.code;
    }
    if (code == ExitSuccess)
        m_console.line("All OK");
    else if (errors > 0)
        m_console.line("Total errors: " + std::to_string(errors));
    return code;
}
