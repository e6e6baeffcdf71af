#pragma once
// What the image fuzz targets share: a quiet log, and the checks every
// picture a reader accepted must pass.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"

#include "geometry/VoImage.h"
#include "geometry/VoRectangle.h"
#include "stdlib/VoMemoryStream.h"

// The fuzzer's bytes as the content of aStream; false when they cannot be.
inline bool FillStream(VoMemoryStream& aStream, const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    return aSize == 0 ||
           (aSize <= 0x7FFFFFFF && aStream.CreateFromBuffer(static_cast<std::int32_t>(aSize), apData));
}

inline void Require(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

// Reads the picture's far corner (which lies at the end of its block), cuts
// out a rectangle that overhangs it, and sends it through the raw form.
inline void ExerciseImage(VoImage& aImage) {
    const std::int32_t width = aImage.GetWidth();
    const std::int32_t height = aImage.GetHeight();
    Require(aImage.GetPixels() != nullptr && width > 0 && height > 0);
    Require(aImage.GetSize() == height * aImage.GetPitch());
    Require(aImage.GetPitch() >= width * aImage.GetBytesPerPixel());
    aImage.GetPixel(width - 1, height - 1);
    aImage.GetPixel(0, 0);

    VoImage cut;
    const VoRectangle overhang(static_cast<float>(width / 2), static_cast<float>(height / 2),
                               static_cast<float>(width), static_cast<float>(height));
    Require(aImage.GetSubImage(overhang, 3, 2, &cut) == &cut);

    VoMemoryStream stream(64, VoMemoryStream::kGrowDouble);
    Require(aImage.Write(&stream));
    Require(stream.GetPosition() == 20u + static_cast<std::uint32_t>(aImage.GetSize()));
    stream.SetPosition(0);
    VoImage copy;
    Require(copy.Read(&stream));
    Require(copy.GetSize() == aImage.GetSize() && copy.GetFormat() == aImage.GetFormat());
}

// One input through a file reader (VoImageTGA, VoImageBMP), by way of the
// memory copy that a file load makes.
template <typename Reader>
int FuzzFileReader(const std::uint8_t* apData, std::size_t aSize) {
    VoMemoryStream stream(4, VoMemoryStream::kGrowDouble);
    if (!FillStream(stream, apData, aSize)) {
        return 0;
    }
    Reader image;
    if (image.Create(&stream, static_cast<std::int32_t>(aSize))) {
        ExerciseImage(image);
    }
    return 0;
}
