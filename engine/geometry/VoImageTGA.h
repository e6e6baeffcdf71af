#pragma once
// Loads Truevision TGA pictures: colour-map type 0 with image type 2
// (uncompressed true-colour) or 10 (run-length true-colour), 24 or 32 bits
// per pixel, giving format 3 or format 1 with the file's blue, green, red
// (, alpha) bytes. Rows are stored bottom row first unless descriptor bit
// 0x20 says top row first; the right-to-left bit and the alpha-bit count are
// not used.
//
// A run-length packet may run past the end of a row, as older writers
// produce: it goes on into the next row, and whatever would lie past the
// last pixel of the picture is dropped. A truncated file, or a picture that
// could not fit in the bytes the file has, fails without over-reading and
// before the picture is allocated.
#include <cstdint>

#include "geometry/VoImage.h"

class VoImageTGA : public VoImage {
public:
    static constexpr const char* kBitDepthNotSupported = "Create failure. Bit depth not supported.";

    VoImageTGA() = default;
    ~VoImageTGA() override = default;

    using VoImage::Create;
    // The file at the engine path.
    bool Create(const VoString& aPath);
    // aSize bytes of the stream, which is opened, copied and closed.
    bool Create(VoIStream* apStream, std::int32_t aSize);
    // A whole file already in memory. On failure the image is unchanged.
    bool Decode(const unsigned char* apData, std::uint32_t aSize);

    VoString ToString() const override;
};
