// Feeds arbitrary bytes to every typed reader of VoIStream, and to the
// readers of the values that store themselves through it. The first byte
// says whether the stream tells its size (as a memory or file stream does) or
// not; every following byte picks the next reader, which takes its value
// from the bytes after it.
#include <cstddef>
#include <cstdint>

#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    RunChosenReads(apData, aSize, ReadTypedValue);
    return 0;
}
