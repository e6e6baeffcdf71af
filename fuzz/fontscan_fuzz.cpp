// Feeds arbitrary pictures to the scan that finds the character cells of a
// raster font image. The first bytes choose the row height (any 32-bit
// value, negative and huge ones included), the width, the pixel format and
// how the picture's bytes are read; the rest are the pixels. So that guide
// lines say something, a "palette" reading maps each byte onto white,
// black, transparent black or another opaque colour.
//
// Every cell must lie inside the picture in the order the format
// describes, and the scan must end: it can find at most one cell per two
// guide columns.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "gdi/VoFontImageScan.h"
#include "geometry/VoImage.h"
#include "memory/VoNew.h"
#include "support/FuzzSupport.h"

namespace {

void Require(bool aCondition) {
    if (!aCondition) {
        std::abort();
    }
}

const std::int32_t kFormats[] = {VoImage::kFormatBGRA, VoImage::kFormatBGRX, VoImage::kFormatBGR,
                                 VoImage::kFormatA8};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* apData, std::size_t aSize) {
    QuietFuzzLog();
    constexpr std::size_t kHeader = 7;
    if (aSize < kHeader || aSize > 0x40000) {
        return 0;
    }
    std::int32_t rowHeight = 0;
    std::memcpy(&rowHeight, apData, sizeof(rowHeight));
    const std::int32_t width = 1 + apData[4] % 64;
    const std::int32_t format = kFormats[apData[5] % 4];
    const bool palette = (apData[6] & 1) != 0;
    const std::uint8_t* pixels = apData + kHeader;
    const std::size_t available = aSize - kHeader;

    const std::int32_t bytesPerPixel = VoImage::GetBytesPerPixel(format);
    // In palette reading one byte gives one pixel.
    const std::size_t perPixel = palette ? 1 : static_cast<std::size_t>(bytesPerPixel);
    const std::int32_t height = static_cast<std::int32_t>(available / perPixel / width);
    if (height <= 0) {
        return 0;
    }
    const std::int32_t pitch = width * bytesPerPixel;
    const std::int32_t size = pitch * height;
    unsigned char* block = VO_NEW unsigned char[size];
    if (block == nullptr) {
        return 0;
    }
    if (palette) {
        for (std::int32_t i = 0; i < width * height; ++i) {
            static const unsigned char kColours[4][4] = {
                {255, 255, 255, 255}, {0, 0, 0, 255}, {0, 0, 0, 0}, {40, 80, 120, 255}};
            const unsigned char* colour = kColours[pixels[i] % 4];
            for (std::int32_t c = 0; c < bytesPerPixel; ++c) {
                // An alpha-only pixel takes the colour's alpha.
                block[i * bytesPerPixel + c] = bytesPerPixel == 1 ? colour[3] : colour[c];
            }
        }
    } else {
        std::memcpy(block, pixels, static_cast<std::size_t>(size));
    }
    VoImage image;
    const bool created = image.Create(width, height, pitch, format, block, size);
    delete[] block;
    Require(created);

    VoFontImageScan scan(image, rowHeight);
    VoFontCell cell;
    std::int64_t cells = 0;
    std::int32_t previousTop = -1;
    std::int32_t previousEnd = -1;
    while (scan.Next(cell)) {
        Require(++cells <= static_cast<std::int64_t>(width) * height);
        Require(rowHeight >= VoFontImageScan::kMinRowHeight);
        Require(cell.top >= 0 && cell.top < height && cell.top % rowHeight == 0);
        Require(cell.left >= 0 && cell.left <= cell.start);
        Require(cell.start < cell.whiteEnd && cell.whiteEnd <= cell.blackEnd && cell.blackEnd <= width);
        // Cells of one guide line follow each other without overlapping.
        if (cell.top == previousTop) {
            Require(cell.left > previousEnd);
        }
        Require(cell.top >= previousTop);
        previousTop = cell.top;
        previousEnd = cell.blackEnd;
    }
    // Once used up the scan stays so.
    Require(!scan.Next(cell));
    return 0;
}
