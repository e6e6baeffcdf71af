#pragma once
// Finds the character cells of a raster font image by reading the guide
// line that tops every row.
//
// The image is read in rows of aRowHeight pixel lines, the first row at line
// 0, while a row's first line lies inside the image. That first line is the
// guide line; the other aRowHeight - 1 lines hold the glyph pictures. Along a
// guide line one cell reads, left to right: optionally one black pixel where
// the picture begins, any pixels that are neither white nor black, a run of
// white pixels (the advance width), then a run of black pixels (how far the
// picture reaches right of the advance). White and black are compared
// exactly, all four channels, alpha included; transparent black is neither.
//
// After a cell the scan moves on from the column where its runs stopped
// without looking at that column again: a font image puts one separator
// pixel (neither white nor black) after each cell.
//
// The scan only reads the image and never steps outside it; a row height
// below 2 (no glyph lines) or an image without pixels gives no cell.
#include <cstdint>

class VoImage;

struct VoFontCell {
    std::int32_t left = 0;      // first column of the picture
    std::int32_t start = 0;     // first white column: where the pen stands
    std::int32_t whiteEnd = 0;  // one past the white run: start + advance
    std::int32_t blackEnd = 0;  // one past the black run: one past the picture
    std::int32_t top = 0;       // the guide line; the picture is the lines below it
};

class VoFontImageScan {
public:
    static constexpr std::int32_t kMinRowHeight = 2;

    // The image is borrowed for the life of the scan.
    VoFontImageScan(const VoImage& aImage, std::int32_t aRowHeight);
    VoFontImageScan(const VoFontImageScan&) = delete;
    VoFontImageScan& operator=(const VoFontImageScan&) = delete;

    // The next cell, left to right, then row by row downwards; false once
    // the rows are used up (and from then on).
    bool Next(VoFontCell& aOut);

private:
    enum class Guide { kOther, kWhite, kBlack };

    Guide Classify(std::int32_t aX) const;

    const VoImage& fImage;  // not owned
    const unsigned char* fpPixels;
    std::int32_t fWidth;
    std::int32_t fHeight;
    std::int32_t fBytesPerPixel;
    std::int32_t fRowHeight;
    std::int64_t fTop;  // the current guide line; 64 bits so a huge row height cannot wrap it
    std::int32_t fX = -1;
    bool fNewRow = true;
    bool fDone = false;
};
