#include "gdi/VoFontImageScan.h"

#include "geometry/VoImage.h"

VoFontImageScan::VoFontImageScan(const VoImage& aImage, std::int32_t aRowHeight)
    : fImage(aImage),
      fpPixels(aImage.GetPixels()),
      fWidth(aImage.GetWidth()),
      fHeight(aImage.GetHeight()),
      fBytesPerPixel(VoImage::GetBytesPerPixel(aImage.GetFormat())),
      fRowHeight(aRowHeight),
      fTop(-static_cast<std::int64_t>(aRowHeight)) {
    // A row without glyph lines would never move the scan down.
    fDone = fRowHeight < kMinRowHeight || fpPixels == nullptr || fWidth <= 0 || fHeight <= 0 ||
            fBytesPerPixel <= 0;
}

// The guide colours as VoImage::GetPixel reads the formats: the fourth byte
// is alpha for both 32-bit formats, 24-bit pixels are opaque, and an
// alpha-only pixel has no colour (so it can be black but never white).
VoFontImageScan::Guide VoFontImageScan::Classify(std::int32_t aX) const {
    const unsigned char* p =
        fpPixels + fTop * fImage.GetPitch() + static_cast<std::int64_t>(aX) * fBytesPerPixel;
    unsigned char a = 255;
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    switch (fImage.GetFormat()) {
        case VoImage::kFormatBGRA:
        case VoImage::kFormatBGRX:
            a = p[3];
            [[fallthrough]];
        case VoImage::kFormatBGR:
            b = p[0];
            g = p[1];
            r = p[2];
            break;
        case VoImage::kFormatA8:
            a = p[0];
            break;
        default:
            return Guide::kOther;
    }
    if (a != 255) {
        return Guide::kOther;
    }
    if (r == 255 && g == 255 && b == 255) {
        return Guide::kWhite;
    }
    if (r == 0 && g == 0 && b == 0) {
        return Guide::kBlack;
    }
    return Guide::kOther;
}

bool VoFontImageScan::Next(VoFontCell& aOut) {
    while (!fDone) {
        if (fNewRow) {
            fX = -1;
            fTop += fRowHeight;
            fNewRow = false;
        }
        if (fTop >= fHeight) {
            fDone = true;
            break;
        }
        // The column the last cell stopped at is not looked at again.
        std::int32_t left = -1;
        Guide guide = Guide::kOther;
        while (guide != Guide::kWhite) {
            ++fX;
            if (fX >= fWidth) {
                break;
            }
            guide = Classify(fX);
            if (guide == Guide::kBlack) {
                left = fX;
            }
        }
        if (fX >= fWidth) {
            fNewRow = true;
            continue;
        }
        aOut.start = fX;
        aOut.left = left == -1 ? fX : left;
        while (guide == Guide::kWhite && fX < fWidth) {
            ++fX;
            if (fX < fWidth) {
                guide = Classify(fX);
            }
        }
        aOut.whiteEnd = fX;
        while (guide == Guide::kBlack && fX < fWidth) {
            ++fX;
            if (fX < fWidth) {
                guide = Classify(fX);
            }
        }
        aOut.blackEnd = fX;
        aOut.top = static_cast<std::int32_t>(fTop);
        return true;
    }
    return false;
}
