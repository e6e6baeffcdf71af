#include "geometry/VoImageBMP.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "geometry/ImageFiles.h"
#include "support/GeometryTestSupport.h"

using ::testing::ElementsAre;

namespace {

Bytes PixelsOf(const VoImage& aImage) {
    return Bytes(aImage.GetPixels(), aImage.GetPixels() + aImage.GetSize());
}

bool Load(VoImageBMP& aImage, const Bytes& aFile) {
    return aImage.Decode(aFile.data(), static_cast<std::uint32_t>(aFile.size()));
}

// A 3 x 2 picture: 9 bytes of pixels and 3 filler bytes per file row.
const Bytes kTopRow = {1, 2, 3, 4, 5, 6, 7, 8, 9};
const Bytes kBottomRow = {11, 12, 13, 14, 15, 16, 17, 18, 19};
const Bytes kFiller = {0xEE, 0xEE, 0xEE};

}  // namespace

TEST(VoImageBMP, ReadsBottomUpRowsWithoutTheirFiller) {
    VoImageBMP image;
    ASSERT_TRUE(Load(image, BmpHeaders(3, 2) + kBottomRow + kFiller + kTopRow + kFiller));
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetPitch(), 9);
    EXPECT_EQ(image.GetSize(), 18);
    EXPECT_EQ(image.GetFormat(), VoImage::kFormatBGR);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(image.GetBytesPerPixel(), 3);
    EXPECT_EQ(PixelsOf(image), kTopRow + kBottomRow);
}

TEST(VoImageBMP, NegativeHeightStoresTheTopRowFirst) {
    VoImageBMP image;
    ASSERT_TRUE(Load(image, BmpHeaders(3, -2) + kTopRow + kFiller + kBottomRow + kFiller));
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(PixelsOf(image), kTopRow + kBottomRow);
}

TEST(VoImageBMP, StartsAtThePixelDataOffset) {
    VoImageBMP image;
    const Bytes gap(6, 0x77);
    ASSERT_TRUE(Load(image, BmpHeaders(1, 1, 24, 60) + gap + Bytes{1, 2, 3, 0}));
    EXPECT_EQ(PixelsOf(image), (Bytes{1, 2, 3}));
}

TEST(VoImageBMP, TheLastRowMayLackItsFiller) {
    VoImageBMP image;
    ASSERT_TRUE(Load(image, BmpHeaders(3, 2) + kBottomRow + kFiller + kTopRow));
    EXPECT_EQ(PixelsOf(image), kTopRow + kBottomRow);
}

TEST(VoImageBMP, RefusesWhatItDoesNotRead) {
    struct Case {
        Bytes file;
        const char* message;
    };
    const Bytes pixels = kBottomRow + kFiller + kTopRow + kFiller;
    Bytes notBM = BmpHeaders(3, 2) + pixels;
    notBM[1] = 'A';
    const Case cases[] = {
        {notBM, VoImageBMP::kBadFormat},
        {BmpHeaders(3, 2, 24, 54, 12) + pixels, VoImageBMP::kBadFormat},
        {BmpHeaders(3, 2, 24, 54, 108) + pixels, VoImageBMP::kBadFormat},
        {BmpHeaders(3, 2, 8) + pixels, VoImageBMP::kOnly24Bit},
        {BmpHeaders(3, 2, 32) + pixels, VoImageBMP::kOnly24Bit},
        {{}, VoImageBMP::kCouldNotReadFileHeader},
        {Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}, VoImageBMP::kCouldNotReadFileHeader},
        {Cut(BmpHeaders(3, 2), 40), VoImageBMP::kCouldNotReadInfoHeader},
    };
    for (const Case& c : cases) {
        VoImageBMP image;
        LogCapture log;
        EXPECT_FALSE(Load(image, c.file));
        EXPECT_THAT(log.Lines(), ElementsAre(IsError(c.message)));
        EXPECT_EQ(image.GetPixels(), nullptr);
    }
}

TEST(VoImageBMP, RefusesDimensionsBeforeAllocating) {
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    for (auto [width, height] : {std::pair<std::int32_t, std::int32_t>{0, 1},
                                 {1, 0},
                                 {-3, 2},
                                 {3, min},
                                 {max, 1},
                                 {1, max},
                                 {16385, 1},
                                 {16384, 16384}}) {
        VoImageBMP image;
        LogCapture log;
        EXPECT_FALSE(Load(image, BmpHeaders(width, height) + Bytes(64, 1)));
        EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kInvalidDimensions)));
    }
}

TEST(VoImageBMP, RowsPastTheEndOfTheFileFailCleanly) {
    const Bytes cases[] = {
        BmpHeaders(64, 64) + Bytes(10, 1),
        BmpHeaders(3, 2) + kBottomRow + kFiller + Cut(kTopRow, 8),
        BmpHeaders(3, -2) + kTopRow,
        BmpHeaders(1, 1, 24, 0xFFFFFFF0u) + Bytes(4, 1),
        BmpHeaders(1, 1, 24, 100) + Bytes(4, 1),
    };
    for (const Bytes& file : cases) {
        VoImageBMP image;
        ASSERT_TRUE(image.Create(1, 1, 1, VoImage::kFormatA8, Bytes{0x5A}.data(), 1));
        LogCapture log;
        EXPECT_FALSE(Load(image, file));
        EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImageBMP::kCouldNotReadData)));
        EXPECT_EQ(PixelsOf(image), Bytes{0x5A});
    }
}

TEST(VoImageBMP, ToStringNamesTheClassAndAddress) {
    VoImageBMP image;
    EXPECT_EQ(Narrow(image.ToString()), "[VoImageBMP <" + HexAddress(&image) + ">]");
}
