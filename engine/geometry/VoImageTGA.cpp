#include "geometry/VoImageTGA.h"

#include <algorithm>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoByteReader.h"

namespace {

constexpr std::uint32_t kHeaderSize = 18;
constexpr unsigned char kTypeTrueColor = 2;
constexpr unsigned char kTypeRunLength = 10;
constexpr unsigned char kTopToBottom = 0x20;
constexpr unsigned char kRunPacket = 0x80;
constexpr std::int64_t kMaxPacketPixels = 128;

bool DecodeInto(VoImage* apImage, const unsigned char* apData, std::uint32_t aSize) {
    return static_cast<VoImageTGA*>(apImage)->Decode(apData, aSize);
}

// Where the file's pixels land: the file's pixel index runs left to right
// along file rows, and file rows map to image rows by the row order.
class PixelTarget {
public:
    PixelTarget(unsigned char* apBlock, std::int64_t aWidth, std::int64_t aHeight,
                std::int64_t aBytesPerPixel, bool aTopDown)
        : fpBlock(apBlock),
          fWidth(aWidth),
          fHeight(aHeight),
          fBytesPerPixel(aBytesPerPixel),
          fTopDown(aTopDown) {}

    unsigned char* At(std::int64_t aIndex) const {
        const std::int64_t fileRow = aIndex / fWidth;
        const std::int64_t row = fTopDown ? fileRow : fHeight - 1 - fileRow;
        return fpBlock + (row * fWidth + aIndex % fWidth) * fBytesPerPixel;
    }

private:
    unsigned char* fpBlock;  // not owned
    std::int64_t fWidth;
    std::int64_t fHeight;
    std::int64_t fBytesPerPixel;
    bool fTopDown;
};

bool DecodeUncompressed(VoByteReader& aIn, const PixelTarget& aTarget, std::int64_t aWidth,
                        std::int64_t aHeight, std::uint32_t aBytesPerPixel) {
    const std::uint32_t rowBytes = static_cast<std::uint32_t>(aWidth) * aBytesPerPixel;
    for (std::int64_t row = 0; row < aHeight; ++row) {
        if (!aIn.ReadBytes(rowBytes, aTarget.At(row * aWidth))) {
            return false;
        }
    }
    return true;
}

bool DecodeRunLength(VoByteReader& aIn, const PixelTarget& aTarget, std::int64_t aPixelCount,
                     std::uint32_t aBytesPerPixel) {
    std::int64_t index = 0;
    while (index < aPixelCount) {
        unsigned char packet = 0;
        if (!aIn.ReadByte(&packet)) {
            return false;
        }
        const std::int64_t count = std::min<std::int64_t>((packet & 0x7F) + 1, aPixelCount - index);
        if ((packet & kRunPacket) != 0) {
            unsigned char value[4];
            if (!aIn.ReadBytes(aBytesPerPixel, value)) {
                return false;
            }
            for (std::int64_t i = 0; i < count; ++i) {
                std::copy(value, value + aBytesPerPixel, aTarget.At(index + i));
            }
        } else {
            for (std::int64_t i = 0; i < count; ++i) {
                if (!aIn.ReadBytes(aBytesPerPixel, aTarget.At(index + i))) {
                    return false;
                }
            }
        }
        index += count;
    }
    return true;
}

}  // namespace

bool VoImageTGA::Create(const VoString& aPath) {
    return LoadFile(aPath, DecodeInto);
}

bool VoImageTGA::Create(VoIStream* apStream, std::int32_t aSize) {
    return LoadStream(apStream, aSize, DecodeInto);
}

bool VoImageTGA::Decode(const unsigned char* apData, std::uint32_t aSize) {
    VoByteReader in(apData, aSize);
    unsigned char header[kHeaderSize];
    // A truncated file fails as an unreadable packet does: without a message
    // of the reader's own (the loader names the file).
    if (!in.ReadBytes(kHeaderSize, header)) {
        return false;
    }
    const unsigned char idLength = header[0];
    const unsigned char colorMapType = header[1];
    const unsigned char imageType = header[2];
    const std::int64_t width = VoByteReader::GetUInt16(header + 12);
    const std::int64_t height = VoByteReader::GetUInt16(header + 14);
    const unsigned char bits = header[16];
    const unsigned char descriptor = header[17];
    if (colorMapType != 0 || (imageType != kTypeTrueColor && imageType != kTypeRunLength)) {
        return false;
    }
    if (!in.Skip(idLength)) {
        return false;
    }
    if (bits != 24 && bits != 32) {
        VO_ERROR(kBitDepthNotSupported);
        return false;
    }
    const std::uint32_t bytesPerPixel = bits / 8u;
    if (!CheckDimensions(width, height, static_cast<std::int32_t>(bytesPerPixel))) {
        return false;
    }
    // The fewest bytes that can describe the picture: every pixel, or one
    // run packet per 128 pixels.
    const std::int64_t pixelCount = width * height;
    const std::int64_t fewestBytes = imageType == kTypeTrueColor ? pixelCount * bytesPerPixel
                                                                 : (pixelCount + kMaxPacketPixels - 1) /
                                                                       kMaxPacketPixels * (1 + bytesPerPixel);
    if (fewestBytes > in.GetRemaining()) {
        return false;
    }
    unsigned char* block = AllocatePicture(pixelCount * bytesPerPixel);
    if (block == nullptr) {
        return false;
    }
    const PixelTarget target(block, width, height, bytesPerPixel, (descriptor & kTopToBottom) != 0);
    const bool decoded = imageType == kTypeTrueColor
                             ? DecodeUncompressed(in, target, width, height, bytesPerPixel)
                             : DecodeRunLength(in, target, pixelCount, bytesPerPixel);
    if (!decoded) {
        delete[] block;
        return false;
    }
    Adopt(block, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
          static_cast<std::int32_t>(width * bytesPerPixel), bits == 32 ? kFormatBGRA : kFormatBGR);
    return true;
}

VoString VoImageTGA::ToString() const {
    return VoDebugString("VoImageTGA", this);
}
