#include "geometry/VoImageBMP.h"

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoByteReader.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int64_t kBytesPerPixel = 3;

bool DecodeInto(VoImage* apImage, const unsigned char* apData, std::uint32_t aSize) {
    return static_cast<VoImageBMP*>(apImage)->Decode(apData, aSize);
}

}  // namespace

bool VoImageBMP::Create(const VoString& aPath) {
    return LoadFile(aPath, DecodeInto);
}

bool VoImageBMP::Create(VoIStream* apStream, std::int32_t aSize) {
    return LoadStream(apStream, aSize, DecodeInto);
}

bool VoImageBMP::Decode(const unsigned char* apData, std::uint32_t aSize) {
    VoByteReader in(apData, aSize);
    unsigned char fileHeader[kFileHeaderSize];
    if (!in.ReadBytes(kFileHeaderSize, fileHeader)) {
        VO_ERROR(kCouldNotReadFileHeader);
        return false;
    }
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') {
        VO_ERROR(kBadFormat);
        return false;
    }
    const std::uint32_t dataOffset = VoByteReader::GetUInt32(fileHeader + 10);
    unsigned char info[kInfoHeaderSize];
    if (!in.ReadBytes(kInfoHeaderSize, info)) {
        VO_ERROR(kCouldNotReadInfoHeader);
        return false;
    }
    if (VoByteReader::GetUInt32(info) != kInfoHeaderSize) {
        VO_ERROR(kBadFormat);
        return false;
    }
    if (VoByteReader::GetUInt16(info + 14) != 24) {
        VO_ERROR(kOnly24Bit);
        return false;
    }
    const std::int64_t width = VoByteReader::GetInt32(info + 4);
    const std::int64_t storedHeight = VoByteReader::GetInt32(info + 8);
    // A negative height stores the rows top row first.
    const bool topDown = storedHeight < 0;
    const std::int64_t height = topDown ? -storedHeight : storedHeight;
    if (!CheckDimensions(width, height, static_cast<std::int32_t>(kBytesPerPixel))) {
        return false;
    }
    // Each file row fills up to a multiple of 4 bytes; the last row's filler
    // may be missing, as nothing is read after it.
    const std::int64_t rowBytes = width * kBytesPerPixel;
    const std::int64_t fileRowBytes = (rowBytes + 3) / 4 * 4;
    if (static_cast<std::int64_t>(dataOffset) + (height - 1) * fileRowBytes + rowBytes > aSize) {
        VO_ERROR(kCouldNotReadData);
        return false;
    }
    unsigned char* block = AllocatePicture(rowBytes * height);
    if (block == nullptr) {
        return false;
    }
    for (std::int64_t fileRow = 0; fileRow < height; ++fileRow) {
        const std::int64_t row = topDown ? fileRow : height - 1 - fileRow;
        if (!in.SetPosition(static_cast<std::uint32_t>(dataOffset + fileRow * fileRowBytes)) ||
            !in.ReadBytes(static_cast<std::uint32_t>(rowBytes), block + row * rowBytes)) {
            VO_ERROR(kCouldNotReadData);
            delete[] block;
            return false;
        }
    }
    Adopt(block, static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
          static_cast<std::int32_t>(rowBytes), kFormatBGR);
    return true;
}

VoString VoImageBMP::ToString() const {
    return VoDebugString("VoImageBMP", this);
}
