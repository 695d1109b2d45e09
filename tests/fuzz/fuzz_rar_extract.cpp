// Fuzz target for the whole extraction path of the unrar helper in test mode: any bytes as a
// single archive, walked, rebuilt, decompressed by libarchive and checked, without writing files.
// Seed corpus: the archives in tests/data/rar.

#include "ArchiveStream.h"
#include "Console.h"
#include "Extractor.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = "/dev/shm/fuzz_rar_extract." + std::to_string(::getpid()) + ".rar";
    static std::FILE *sink = std::fopen("/dev/null", "w");
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    Console console(sink, sink);
    ArchiveStream stream(path, nullptr, console);
    ExtractOptions options;
    options.mode = ExtractOptions::Mode::Test;
    Extractor extractor(stream, console, options);
    extractor.run();
    return 0;
}
