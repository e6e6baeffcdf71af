#include "geometry/VoImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "container/VoDebugString.h"
#include "container/VoLog.h"
#include "geometry/VoImageBMP.h"
#include "geometry/VoImageHeader.h"
#include "geometry/VoImageTGA.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "memory/VoNew.h"
#include "stdlib/VoFileStream.h"
#include "stdlib/VoIStream.h"
#include "system/VoIFileSystem.h"

namespace {

constexpr std::int64_t kInt32Max = 2147483647;

// A rectangle field truncated toward zero; NaN counts as 0 and the range is
// held far inside 64 bits so the sums below cannot overflow.
std::int64_t TruncateField(float aValue) {
    if (std::isnan(aValue)) {
        return 0;
    }
    const double limit = 1.0e12;
    return static_cast<std::int64_t>(std::trunc(std::clamp(static_cast<double>(aValue), -limit, limit)));
}

}  // namespace

VoImage::VoImage()
    : fpPixels(nullptr),
      fSize(0),
      fBytesPerPixel(0),
      fWidth(0),
      fHeight(0),
      fPitch(0),
      fBitsPerPixel(0),
      fFormat(0) {}

VoImage::~VoImage() {
    delete[] fpPixels;
}

std::int32_t VoImage::GetBytesPerPixel(std::int32_t aFormat) {
    switch (aFormat) {
        case kFormatBGRA:
        case kFormatBGRX:
            return 4;
        case kFormatBGR:
            return 3;
        case kFormatA8:
            return 1;
        default:
            return 0;
    }
}

bool VoImage::IsValidLayout(std::int64_t aWidth, std::int64_t aHeight, std::int64_t aPitch,
                            std::int64_t aFormat, std::int64_t aSize) {
    if (aFormat < kFormatBGRA || aFormat > kFormatA8) {
        return false;
    }
    const std::int64_t bytes = GetBytesPerPixel(static_cast<std::int32_t>(aFormat));
    if (aWidth <= 0 || aHeight <= 0 || aSize < 1 || aSize > kInt32Max) {
        return false;
    }
    // A narrower pitch would let the last pixels of a row, or of the block,
    // lie past the end of the buffer.
    if (aWidth > kInt32Max / bytes || aPitch < aWidth * bytes) {
        return false;
    }
    // The pitch test first keeps the product inside 64 bits.
    return aPitch <= aSize && aHeight * aPitch == aSize;
}

bool VoImage::Create(std::int32_t aWidth, std::int32_t aHeight, std::int32_t aPitch, std::int32_t aFormat,
                     const unsigned char* apPixels, std::int32_t aSize) {
    if (apPixels == nullptr || !IsValidLayout(aWidth, aHeight, aPitch, aFormat, aSize)) {
        VO_ERROR(kInvalidArgs);
        return false;
    }
    unsigned char* copy = VO_NEW unsigned char[static_cast<std::size_t>(aSize)];
    if (copy == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    std::memcpy(copy, apPixels, static_cast<std::size_t>(aSize));
    Adopt(copy, aWidth, aHeight, aPitch, aFormat);
    return true;
}

void VoImage::Adopt(unsigned char* apPixels, std::int32_t aWidth, std::int32_t aHeight, std::int32_t aPitch,
                    std::int32_t aFormat) {
    delete[] fpPixels;
    fpPixels = apPixels;
    fWidth = aWidth;
    fHeight = aHeight;
    fPitch = aPitch;
    fSize = aHeight * aPitch;
    fFormat = aFormat;
    fBytesPerPixel = GetBytesPerPixel(aFormat);
    fBitsPerPixel = 8 * fBytesPerPixel;
}

bool VoImage::CreateFromFile(const VoString& aPath, VoImage** appImage) {
    if (appImage == nullptr || *appImage != nullptr) {
        VO_ERROR(kInvalidArg);
        return false;
    }
    // A path without any non-empty piece has no extension: it is refused as
    // the empty one.
    VoString extension(u"");
    aPath.SplitPieces(VoString(u"."), [&extension](const VoString& aPiece) { extension = aPiece; });

    VoImage* image = nullptr;
    bool loaded = false;
    if (extension.EqualsNoCase(u"bmp")) {
        VoImageBMP* bmp = VO_NEW VoImageBMP();
        loaded = bmp != nullptr && bmp->Create(aPath);
        image = bmp;
    } else if (extension.EqualsNoCase(u"tga")) {
        VoImageTGA* tga = VO_NEW VoImageTGA();
        loaded = tga != nullptr && tga->Create(aPath);
        image = tga;
    } else {
        VO_ERROR(kFormatNotSupported, extension);
        return false;
    }
    if (!loaded) {
        VO_ERROR(kImageCreationFailure, aPath);
        delete image;
        return false;
    }
    *appImage = image;
    return true;
}

VoColor VoImage::GetPixel(const VoVector2& aPoint) const {
    // Written so that NaN fails the test too.
    if (!(aPoint.x >= 0.0f && aPoint.x < static_cast<float>(fWidth) && aPoint.y >= 0.0f &&
          aPoint.y < static_cast<float>(fHeight))) {
        VO_ERROR(kIndexOutOfBounds);
        return VoColor();
    }
    return GetPixel(static_cast<std::int32_t>(aPoint.x), static_cast<std::int32_t>(aPoint.y));
}

VoColor VoImage::GetPixel(std::int32_t aX, std::int32_t aY) const {
    if (aX < 0 || aX >= fWidth || aY < 0 || aY >= fHeight) {
        VO_ERROR(kIndexOutOfBounds);
        return VoColor();
    }
    if (fpPixels == nullptr) {
        VO_ERROR(kGetPixelNoPixels);
        return VoColor();
    }
    const unsigned char* p =
        fpPixels + static_cast<std::int64_t>(aY) * fPitch + static_cast<std::int64_t>(aX) * fBytesPerPixel;
    const unsigned char opaque = 255;
    const unsigned char none = 0;
    switch (fFormat) {
        case kFormatBGRA:
        case kFormatBGRX:
            return VoColor(p[3], p[2], p[1], p[0]);
        case kFormatBGR:
            return VoColor(opaque, p[2], p[1], p[0]);
        case kFormatA8:
            return VoColor(p[0], none, none, none);
        default:
            VO_ERROR(kGetPixelInvalidFormat);
            return VoColor();
    }
}

VoImage* VoImage::GetSubImage(const VoRectangle& aRect, std::int32_t aWidth, std::int32_t aHeight,
                              VoImage* apOut) const {
    const std::int64_t outPitch = static_cast<std::int64_t>(aWidth) * fBytesPerPixel;
    if (apOut == nullptr || fpPixels == nullptr || aWidth <= 0 || aHeight <= 0 ||
        outPitch * aHeight > kMaxPixelBytes) {
        VO_ERROR(kGetSubImageInvalidArg);
        return nullptr;
    }
    const std::int64_t outSize = outPitch * aHeight;
    unsigned char* block = AllocatePicture(outSize);
    if (block == nullptr) {
        return nullptr;
    }

    // Column j of the rectangle is column left + j here and column j there;
    // only the columns and rows inside both pictures are copied.
    const std::int64_t left = TruncateField(aRect.x);
    const std::int64_t top = TruncateField(aRect.y);
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -left);
    const std::int64_t endColumn =
        std::min({TruncateField(aRect.width), fWidth - left, std::int64_t{aWidth}});
    const std::int64_t firstRow = std::max<std::int64_t>(0, -top);
    const std::int64_t endRow = std::min({TruncateField(aRect.height), fHeight - top, std::int64_t{aHeight}});
    if (firstColumn < endColumn) {
        const std::size_t rowBytes = static_cast<std::size_t>((endColumn - firstColumn) * fBytesPerPixel);
        for (std::int64_t i = firstRow; i < endRow; ++i) {
            std::memcpy(block + i * outPitch + firstColumn * fBytesPerPixel,
                        fpPixels + (top + i) * fPitch + (left + firstColumn) * fBytesPerPixel, rowBytes);
        }
    }

    const bool created = apOut->Create(aWidth, aHeight, static_cast<std::int32_t>(outPitch), fFormat, block,
                                       static_cast<std::int32_t>(outSize));
    delete[] block;
    return created ? apOut : nullptr;
}

bool VoImage::Write(VoIStream* apStream) {
    if (fpPixels == nullptr) {
        VO_ERROR(kWriteNoPixels);
        return false;
    }
    if (apStream == nullptr || !apStream->Open()) {
        VO_ERROR(kWriteCouldNotOpen);
        return false;
    }
    const VoImageHeader header(static_cast<std::uint32_t>(fWidth), static_cast<std::uint32_t>(fHeight),
                               static_cast<std::uint32_t>(fPitch), static_cast<std::uint32_t>(fFormat),
                               static_cast<std::uint32_t>(fSize));
    if (!header.Write(apStream) || !apStream->Write(header.fSize, fpPixels)) {
        VO_ERROR(kWriteFailure);
        return false;
    }
    return true;
}

bool VoImage::Read(VoIStream* apStream) {
    if (apStream == nullptr || !apStream->Open()) {
        VO_ERROR(kReadCouldNotOpen);
        return false;
    }
    VoImageHeader header;
    if (!header.Read(apStream)) {
        VO_ERROR(kReadFailure);
        return false;
    }
    if (!IsValidLayout(header.fWidth, header.fHeight, header.fPitch, header.fFormat, header.fSize)) {
        VO_ERROR(kInvalidArgs);
        VO_ERROR(kCreateFailure);
        return false;
    }
    // A stream that cannot tell its size gets no more than the largest picture.
    const std::int64_t remaining = apStream->GetRemaining();
    if (static_cast<std::int64_t>(header.fSize) > (remaining >= 0 ? remaining : kMaxPixelBytes)) {
        VO_ERROR(kReadFailure);
        return false;
    }
    unsigned char* block = VO_NEW unsigned char[header.fSize];
    if (block == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return false;
    }
    if (!apStream->Read(header.fSize, block)) {
        delete[] block;
        VO_ERROR(kReadFailure);
        return false;
    }
    Adopt(block, static_cast<std::int32_t>(header.fWidth), static_cast<std::int32_t>(header.fHeight),
          static_cast<std::int32_t>(header.fPitch), static_cast<std::int32_t>(header.fFormat));
    return true;
}

bool VoImage::LoadFile(const VoString& aPath, Decoder aDecoder) {
    VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
    const std::int32_t fileSize = fileSystem != nullptr ? fileSystem->GetFileSize(aPath, true) : -1;
    if (fileSize == -1) {
        VO_ERROR(kSizeUnknown, aPath);
        return false;
    }
    VoFileStream stream(aPath, true);
    return LoadStream(&stream, fileSize, aDecoder);
}

bool VoImage::LoadStream(VoIStream* apStream, std::int32_t aSize, Decoder aDecoder) {
    if (apStream == nullptr) {
        VO_ERROR(kNullStream);
        return false;
    }
    if (!apStream->Open()) {
        VO_ERROR(kCouldNotOpenStream);
        return false;
    }
    unsigned char* bytes = nullptr;
    const std::int64_t remaining = apStream->GetRemaining();
    if (aSize < 0 || aSize > kMaxFileBytes) {
        VO_ERROR(kInvalidSize, aSize);
    } else if (remaining >= 0 && remaining < aSize) {
        VO_ERROR(kCouldNotReadStream);
    } else {
        // One spare byte keeps the block non-empty for an empty file.
        bytes = VO_NEW unsigned char[static_cast<std::size_t>(aSize) + 1];
        if (bytes == nullptr) {
            VO_ERROR(kCouldNotAllocate);
        } else if (!apStream->Read(static_cast<std::uint32_t>(aSize), bytes)) {
            VO_ERROR(kCouldNotReadStream);
            delete[] bytes;
            bytes = nullptr;
        }
    }
    apStream->Close();
    if (bytes == nullptr) {
        return false;
    }
    const bool decoded = aDecoder(this, bytes, static_cast<std::uint32_t>(aSize));
    delete[] bytes;
    return decoded;
}

bool VoImage::CheckDimensions(std::int64_t aWidth, std::int64_t aHeight, std::int32_t aBytesPerPixel) {
    if (aWidth <= 0 || aHeight <= 0 || aWidth > kMaxDimension || aHeight > kMaxDimension ||
        aWidth * aHeight * aBytesPerPixel > kMaxPixelBytes) {
        VO_ERROR(kInvalidDimensions);
        return false;
    }
    return true;
}

unsigned char* VoImage::AllocatePicture(std::int64_t aBytes) {
    unsigned char* block = VO_NEW unsigned char[static_cast<std::size_t>(aBytes)];
    if (block == nullptr) {
        VO_ERROR(kCouldNotAllocate);
        return nullptr;
    }
    std::memset(block, 0, static_cast<std::size_t>(aBytes));
    return block;
}

VoString VoImage::ToString() const {
    return VoDebugString("VoImage", this);
}
