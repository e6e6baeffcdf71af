#pragma once
// Small TGA, BMP and raw-form files built byte by byte, so every test shows
// the exact bytes it reads.
#include <cstddef>
#include <cstdint>
#include <vector>

using Bytes = std::vector<unsigned char>;

inline void PutLE(Bytes& aOut, std::uint32_t aValue, int aCount) {
    for (int i = 0; i < aCount; ++i) {
        aOut.push_back(static_cast<unsigned char>(aValue >> (8 * i)));
    }
}

inline Bytes operator+(Bytes aFirst, const Bytes& aSecond) {
    aFirst.insert(aFirst.end(), aSecond.begin(), aSecond.end());
    return aFirst;
}

// The first aCount bytes.
inline Bytes Cut(const Bytes& aBytes, std::size_t aCount) {
    return Bytes(aBytes.begin(), aBytes.begin() + static_cast<std::ptrdiff_t>(aCount));
}

// The 18-byte TGA header; the colour-map fields and origin stay 0.
struct TgaHeader {
    unsigned char idLength = 0;
    unsigned char colorMapType = 0;
    unsigned char imageType = 2;
    std::uint16_t width = 1;
    std::uint16_t height = 1;
    unsigned char bits = 24;
    unsigned char descriptor = 0;

    Bytes ToBytes() const {
        Bytes out = {idLength, colorMapType, imageType, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        PutLE(out, width, 2);
        PutLE(out, height, 2);
        out.push_back(bits);
        out.push_back(descriptor);
        return out;
    }
};

inline Bytes Tga(unsigned char aType, std::uint16_t aWidth, std::uint16_t aHeight, unsigned char aBits,
                 unsigned char aDescriptor, const Bytes& aData) {
    TgaHeader header;
    header.imageType = aType;
    header.width = aWidth;
    header.height = aHeight;
    header.bits = aBits;
    header.descriptor = aDescriptor;
    return header.ToBytes() + aData;
}

// "BM", the 14-byte file header and the 40-byte info header; the pixel data
// follows at aDataOffset (54 when nothing lies between).
inline Bytes BmpHeaders(std::int32_t aWidth, std::int32_t aHeight, std::uint16_t aBits = 24,
                        std::uint32_t aDataOffset = 54, std::uint32_t aInfoSize = 40) {
    Bytes out = {'B', 'M'};
    PutLE(out, 0, 4);  // file size, not read
    PutLE(out, 0, 4);  // reserved
    PutLE(out, aDataOffset, 4);
    PutLE(out, aInfoSize, 4);
    PutLE(out, static_cast<std::uint32_t>(aWidth), 4);
    PutLE(out, static_cast<std::uint32_t>(aHeight), 4);
    PutLE(out, 1, 2);  // planes
    PutLE(out, aBits, 2);
    for (int i = 0; i < 6; ++i) {
        PutLE(out, 0, 4);  // compression, image size, resolutions, colours
    }
    return out;
}

// The raw image form: five u32 and the pixel bytes.
inline Bytes RawImage(std::uint32_t aWidth, std::uint32_t aHeight, std::uint32_t aPitch,
                      std::uint32_t aFormat, std::uint32_t aSize, const Bytes& aPixels) {
    Bytes out;
    for (std::uint32_t value : {aWidth, aHeight, aPitch, aFormat, aSize}) {
        PutLE(out, value, 4);
    }
    return out + aPixels;
}
