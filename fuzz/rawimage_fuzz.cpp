// Feeds arbitrary bytes to VoImage::Read as the raw image form. Whatever it
// accepts must be a picture whose every pixel can be read, cut out and
// written back; whatever it refuses must leave the image as it was.
#include <cstddef>
#include <cstdint>

#include "geometry/VoImage.h"
#include "stdlib/VoMemoryStream.h"
#include "support/ImageFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* apData, size_t aSize) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    if (!FillStream(stream, apData, aSize)) {
        return 0;
    }
    VoImage image;
    const unsigned char before[] = {0x5A};
    Require(image.Create(1, 1, 1, VoImage::kFormatA8, before, 1));
    if (image.Read(&stream)) {
        ExerciseImage(image);
    } else {
        Require(image.GetSize() == 1 && image.GetPixels()[0] == 0x5A);
    }
    return 0;
}
