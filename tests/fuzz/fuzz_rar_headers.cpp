// Fuzz target for the RAR header walker: any bytes as one archive volume. Walks every header,
// and rebuilds the headers that libarchive would be given, as an extraction does.
// Seed corpus: the archives in tests/data/rar.

#include "ByteSource.h"
#include "VolumeReader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    MemorySource source(data, size);
    Failure failure;
    std::unique_ptr<VolumeReader> reader = VolumeReader::open(source, nullptr, failure);
    if (!reader)
        return 0;
    std::vector<uint8_t> rebuilt;
    reader->writeArchiveStart(rebuilt);
    FileBlock file;
    while (reader->next(file) == VolumeReader::Step::File) {
        if (file.dataOffset + file.dataSize > size)
            __builtin_trap(); // the walker must never announce data past the end
        reader->writeFileHeader(file, file.dataSize, true, rebuilt);
    }
    reader->writeArchiveEnd(rebuilt);
    return 0;
}
