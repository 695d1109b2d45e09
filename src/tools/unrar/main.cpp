// unrar: extracts RAR 4 and RAR 5 archives and volume sets for the downloader's post-processing.

#include "ArchiveStream.h"
#include "CommandLine.h"
#include "Console.h"
#include "ExitCodes.h"
#include "Extractor.h"
#include "Lister.h"

#include <archive.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string absolutePath(const std::string &path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd))
        return path;
    return std::string(cwd) + "/" + path;
}

bool makeFolders(const std::string &path)
{
    std::string partial;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        partial = path.substr(0, end);
        if (!partial.empty() && ::mkdir(partial.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        start = end + 1;
    }
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Archive names are UTF-8 (RAR 5) or converted by libarchive: it needs a UTF-8 locale for that.
void useUtf8Locale()
{
    const char *set = std::setlocale(LC_ALL, "");
    if (!set || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_ALL, "C.UTF-8");
}

int extract(const CommandLine &line, Console &console)
{
    ExtractOptions options;
    options.keepBroken = line.keepBroken;
    options.overwrite = line.overwrite;
    options.renameExisting = line.renameExisting;
    options.mode = line.command == CommandLine::Command::Test          ? ExtractOptions::Mode::Test
                   : line.command == CommandLine::Command::ExtractFlat ? ExtractOptions::Mode::WithoutPaths
                                                                       : ExtractOptions::Mode::WithPaths;
    const std::string archive = absolutePath(line.archive);
    if (options.mode != ExtractOptions::Mode::Test) {
        const std::string destination = line.destination.empty() ? "." : line.destination;
        if (!makeFolders(destination) || ::chdir(destination.c_str()) != 0) {
            console.error("Cannot create the folder " + destination + ": " + std::strerror(errno));
            return ExitCreateError;
        }
    }
    ArchiveStream stream(archive, line.hasPassword ? &line.password : nullptr, console);
    Extractor extractor(stream, console, options);
    return extractor.run();
}

} // namespace

int main(int argc, char **argv)
{
    useUtf8Locale();
    Console console;
    const CommandLine line = CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
    console.text(std::string("\nUNRAR for Tessaquill+: RAR 4 and RAR 5 extraction with ") + archive_version_details()
                 + "\n");
    if (!line.error.empty()) {
        console.text(CommandLine::usage());
        console.error("Error: " + line.error);
        return ExitUsageError;
    }
    if (line.command == CommandLine::Command::List || line.command == CommandLine::Command::ListTechnical) {
        Lister lister(line.archive, line.hasPassword ? &line.password : nullptr, console);
        return lister.run(line.command == CommandLine::Command::ListTechnical);
    }
    return extract(line, console);
}
