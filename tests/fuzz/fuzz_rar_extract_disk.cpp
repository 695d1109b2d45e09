// Fuzz target for extraction to disk: any bytes as a single archive, extracted with the
// extraction worker's options (-y -kb) into a fresh folder. After every run nothing outside
// that folder may have changed and no symbolic link or extra name of a file in it may lead
// out; a breach aborts (the fuzzer keeps the input).
// Seed corpus: the archives in tests/data/rar and the hostile archives the tests write.

#include "ArchiveStream.h"
#include "Console.h"
#include "Extractor.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <ftw.h>
#include <limits.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int removeEntry(const char *path, const struct stat *, int, struct FTW *)
{
    ::chmod(path, 0700); // a folder extracted without write permission
    return ::remove(path);
}

void removeTree(const std::string &path)
{
    ::nftw(path.c_str(), removeEntry, 32, FTW_DEPTH | FTW_PHYS);
}

// The folder of this process's runs; removed at a normal exit (kept after a finding).
const std::string &workFolder()
{
    static const std::string folder = "/dev/shm/fuzz_rar_extract_disk." + std::to_string(::getpid());
    static const bool cleanedAtExit = std::atexit([] { removeTree(folder); }) == 0;
    (void)cleanedAtExit;
    return folder;
}

std::string sentinelState(const std::string &path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return "missing";
    char buffer[64] = {};
    if (std::FILE *file = std::fopen(path.c_str(), "rb")) {
        (void)!std::fread(buffer, 1, sizeof buffer - 1, file);
        std::fclose(file);
    }
    return std::to_string(st.st_mode) + "/" + std::to_string(st.st_nlink) + "/" + std::to_string(st.st_size) + "/"
           + buffer;
}

std::string g_realDest;

bool isInside(const char *resolved)
{
    const size_t n = g_realDest.size();
    return std::strncmp(resolved, g_realDest.c_str(), n) == 0 && (resolved[n] == '\0' || resolved[n] == '/');
}

// The names in a folder, sorted, joined by '/'.
std::string namesIn(const std::string &folder)
{
    std::string names;
    struct dirent **list = nullptr;
    const int count = ::scandir(folder.c_str(), &list, nullptr, alphasort);
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(list[i]->d_name, ".") != 0 && std::strcmp(list[i]->d_name, "..") != 0)
            names += std::string(list[i]->d_name) + "/";
        std::free(list[i]);
    }
    std::free(list);
    return names;
}

int checkEntry(const char *path, const struct stat *st, int, struct FTW *)
{
    if (S_ISLNK(st->st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path, resolved) && !isInside(resolved)) {
            std::fprintf(stderr, "link %s leads to %s\n", path, resolved);
            std::abort();
        }
    } else if (S_ISREG(st->st_mode) && st->st_nlink > 1) {
        // Only this run's hard links may share a file, and they all lie inside.
        struct stat outside {};
        if (::stat((workFolder() + "/outside/victim").c_str(), &outside) == 0 && outside.st_ino == st->st_ino) {
            std::fprintf(stderr, "%s is a name of the file outside\n", path);
            std::abort();
        }
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::FILE *sink = std::fopen("/dev/null", "w");
    const std::string &work = workFolder();
    const std::string archive = work + "/archive.rar";
    const std::string dest = work + "/dest";
    const std::string victim = work + "/outside/victim";
    removeTree(work);
    ::mkdir(work.c_str(), 0700);
    ::mkdir((work + "/outside").c_str(), 0700);
    if (std::FILE *file = std::fopen(victim.c_str(), "wb")) {
        std::fputs("precious", file);
        std::fclose(file);
    }
    if (std::FILE *file = std::fopen(archive.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    ::mkdir(dest.c_str(), 0700);
    const std::string before = sentinelState(victim);

    char cwd[PATH_MAX];
    if (!::getcwd(cwd, sizeof cwd) || ::chdir(dest.c_str()) != 0)
        return 0;
    {
        Console console(sink, sink);
        ArchiveStream stream(archive, nullptr, console);
        ExtractOptions options;
        options.keepBroken = true;
        options.overwrite = true;
        Extractor extractor(stream, console, options);
        extractor.run();
    }
    (void)!::chdir(cwd);

    if (sentinelState(victim) != before || namesIn(work) != "archive.rar/dest/outside/"
        || namesIn(work + "/outside") != "victim/") {
        std::fprintf(stderr, "something outside the extraction folder changed\n");
        std::abort();
    }
    char resolved[PATH_MAX];
    g_realDest = ::realpath(dest.c_str(), resolved) ? resolved : dest;
    ::nftw(dest.c_str(), checkEntry, 32, FTW_PHYS);
    return 0;
}
