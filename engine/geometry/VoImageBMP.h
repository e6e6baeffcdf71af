#pragma once
// Loads Windows BMP pictures of one kind: "BM", the 40-byte info header and
// 24 bits per pixel, giving format 3 with pitch width * 3 (the image keeps
// none of the file's row filler). Rows are stored bottom row first, each
// padded to a multiple of 4 bytes; a negative height means top row first.
// The compression field is not looked at.
//
// Dimensions that are not positive or are too large, and rows that would
// lie past the end of the file, are refused before the picture is allocated.
#include <cstdint>

#include "geometry/VoImage.h"

class VoImageBMP : public VoImage {
public:
    static constexpr const char* kCouldNotReadFileHeader = "Create failure. Could not read file header.";
    static constexpr const char* kBadFormat = "Create failure. Bad format.";
    static constexpr const char* kCouldNotReadInfoHeader = "Create failure. Could not read info header.";
    static constexpr const char* kOnly24Bit = "Create failure. Only 24-bit files supported.";
    static constexpr const char* kCouldNotReadData = "Create failure. Could not read data.";

    VoImageBMP() = default;
    ~VoImageBMP() override = default;

    using VoImage::Create;
    // The file at the engine path.
    bool Create(const VoString& aPath);
    // aSize bytes of the stream, which is opened, copied and closed.
    bool Create(VoIStream* apStream, std::int32_t aSize);
    // A whole file already in memory. On failure the image is unchanged.
    bool Decode(const unsigned char* apData, std::uint32_t aSize);

    VoString ToString() const override;
};
