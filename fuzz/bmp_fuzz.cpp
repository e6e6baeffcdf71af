// Feeds arbitrary bytes to the BMP reader as a whole file, through the
// memory copy that a file load makes. Whatever it accepts must be a picture
// whose every pixel can be read, cut out and written in the raw form.
#include <cstddef>
#include <cstdint>

#include "geometry/VoImageBMP.h"
#include "support/ImageFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* apData, size_t aSize) {
    return FuzzFileReader<VoImageBMP>(apData, aSize);
}
