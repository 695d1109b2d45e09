#include "Lister.h"

#include "Console.h"
#include "RarCrypto.h"
#include "VolumeNames.h"
#include "VolumeReader.h"

#include <cstdio>
#include <memory>
#include <vector>

Lister::Lister(std::string path, const std::string *password, Console &console)
    : m_path(std::move(path)), m_password(password), m_console(console)
{
}

int Lister::run(bool technical)
{
    std::unique_ptr<KeyCache> keys(m_password ? new KeyCache(*m_password) : nullptr);
    std::string path = m_path;
    bool numberedInName = false;
    int files = 0;
    for (bool firstVolume = true;; firstVolume = false) {
        FileSource source;
        if (!source.open(path)) {
            m_console.error((firstVolume ? "Cannot open " : "Cannot find volume ") + path);
            return ExitOpenError;
        }
        Failure failure;
        std::unique_ptr<VolumeReader> reader = VolumeReader::open(source, keys.get(), failure);
        if (!reader) {
            m_console.error(path + ": " + failure.message);
            return failure.code;
        }
        if (firstVolume)
            numberedInName = (reader->version() == RarVersion::Rar5 || reader->newNumbering()) && hasPartNumber(path);
        std::string details = reader->version() == RarVersion::Rar4 ? "RAR 4" : "RAR 5";
        if (reader->isVolume())
            details += ", volume";
        if (reader->solid())
            details += ", solid";
        if (reader->headersEncrypted())
            details += ", encrypted headers";
        m_console.line("");
        m_console.line("Archive: " + path);
        m_console.line("Details: " + details);
        m_console.line("");

        FileBlock file;
        bool splitPending = false;
        VolumeReader::Step step;
        while ((step = reader->next(file)) == VolumeReader::Step::File) {
            splitPending = file.splitAfter;
            if (!file.splitBefore || firstVolume) {
                printFile(file, technical);
                ++files;
            }
        }
        if (step == VolumeReader::Step::Error) {
            m_console.error(path + ": " + reader->failure().message);
            return reader->failure().code;
        }
        const bool more = step == VolumeReader::Step::End ? reader->moreVolumes() : splitPending;
        if (!more)
            break;
        path = nextVolumeName(path, numberedInName);
        if (path.empty())
            break;
    }
    m_console.line(std::to_string(files) + (files == 1 ? " file" : " files"));
    return ExitSuccess;
}

void Lister::printFile(const FileBlock &file, bool technical)
{
    const char marker = file.encrypted ? '*' : ' ';
    if (!technical) {
        char line[64];
        std::snprintf(line, sizeof line, "%c %-9s %14llu  ", marker, file.directory ? "Directory" : "File",
                      static_cast<unsigned long long>(file.unpackedSize));
        m_console.line(line + file.name);
        return;
    }
    std::vector<std::string> lines;
    lines.push_back(std::string(1, marker) + "       Name: " + file.name);
    lines.push_back(std::string("        Type: ") + (file.directory ? "Directory" : "File"));
    lines.push_back("        Size: " + std::to_string(file.unpackedSize));
    lines.push_back(" Packed size: " + std::to_string(file.dataSize));
    if (file.hasCrc && !file.splitAfter && !file.crypt.macChecksums) {
        char crc[16];
        std::snprintf(crc, sizeof crc, "%08X", file.crc);
        lines.push_back(std::string("       CRC32: ") + crc);
    }
    lines.push_back(std::string("      Method: ") + (file.stored ? "stored" : "compressed") + (file.solid ? ", solid" : ""));
    lines.push_back(std::string("   Encrypted: ") + (file.encrypted ? "yes" : "no"));
    if (!file.unsupported.empty())
        lines.push_back("     Warning: " + file.unsupported);
    lines.push_back("");
    for (const std::string &line : lines)
        m_console.line(line);
}
