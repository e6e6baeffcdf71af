#pragma once
// The header of the raw image form that VoImage::Read and VoImage::Write
// move: five little-endian u32, width, height, pitch, format and size, 20
// bytes in all, followed by the size pixel bytes. A plain record: it moves
// the numbers and judges none of them; VoImage decides what it accepts.
#include <cstdint>

class VoIStream;

class VoImageHeader {
public:
    static constexpr std::uint32_t kByteCount = 20;

    VoImageHeader() = default;
    VoImageHeader(std::uint32_t aWidth, std::uint32_t aHeight, std::uint32_t aPitch, std::uint32_t aFormat,
                  std::uint32_t aSize)
        : fWidth(aWidth), fHeight(aHeight), fPitch(aPitch), fFormat(aFormat), fSize(aSize) {}

    // The 20 bytes in one raw write, never through the typed writers, so the
    // form stays binary whatever the stream mode. False when the write fails.
    bool Write(VoIStream* apStream) const;
    // The 20 bytes in one raw read; false, the record unchanged, when the
    // stream cannot give them all.
    bool Read(VoIStream* apStream);

    std::uint32_t fWidth = 0;
    std::uint32_t fHeight = 0;
    std::uint32_t fPitch = 0;
    std::uint32_t fFormat = 0;
    std::uint32_t fSize = 0;  // the number of pixel bytes that follow
};
