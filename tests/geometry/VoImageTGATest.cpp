#include "geometry/VoImageTGA.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "geometry/ImageFiles.h"
#include "support/GeometryTestSupport.h"
#include "support/TestStream.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

Bytes PixelsOf(const VoImage& aImage) {
    return Bytes(aImage.GetPixels(), aImage.GetPixels() + aImage.GetSize());
}

bool Load(VoImageTGA& aImage, const Bytes& aFile) {
    return aImage.Decode(aFile.data(), static_cast<std::uint32_t>(aFile.size()));
}

// A 2 x 2 24-bit picture, top row first: pixel (x, y) is B = 1 + x + 2y,
// G = B + 0x10, R = B + 0x20.
const Bytes kTopRow = {0x01, 0x11, 0x21, 0x02, 0x12, 0x22};
const Bytes kBottomRow = {0x03, 0x13, 0x23, 0x04, 0x14, 0x24};

}  // namespace

TEST(VoImageTGA, RunLengthPacketRepeatsOnePixel) {
    VoImageTGA image;
    ASSERT_TRUE(Load(image, Tga(10, 4, 1, 24, 0x20, {0x83, 0x01, 0x02, 0x03})));
    EXPECT_EQ(image.GetFormat(), VoImage::kFormatBGR);
    EXPECT_EQ(image.GetPitch(), 12);
    EXPECT_EQ(image.GetSize(), 12);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(PixelsOf(image), (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
}

TEST(VoImageTGA, RowsStoredEitherWayLoadTopRowFirst) {
    VoImageTGA topFirst;
    ASSERT_TRUE(Load(topFirst, Tga(2, 2, 2, 24, 0x20, kTopRow + kBottomRow)));
    VoImageTGA bottomFirst;
    ASSERT_TRUE(Load(bottomFirst, Tga(2, 2, 2, 24, 0x00, kBottomRow + kTopRow)));
    EXPECT_EQ(PixelsOf(topFirst), kTopRow + kBottomRow);
    EXPECT_EQ(PixelsOf(bottomFirst), kTopRow + kBottomRow);

    // The run-length 4 x 1 picture stored bottom-up and uncompressed.
    VoImageTGA plain;
    ASSERT_TRUE(Load(plain, Tga(2, 4, 1, 24, 0, {1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3})));
    VoImageTGA packed;
    ASSERT_TRUE(Load(packed, Tga(10, 4, 1, 24, 0x20, {0x83, 0x01, 0x02, 0x03})));
    EXPECT_EQ(PixelsOf(plain), PixelsOf(packed));
    EXPECT_EQ(plain.GetPitch(), packed.GetPitch());
}

TEST(VoImageTGA, ThirtyTwoBitsKeepTheStoredAlpha) {
    VoImageTGA image;
    ASSERT_TRUE(Load(image, Tga(2, 1, 1, 32, 0x28, {0x10, 0x20, 0x30, 0x7F})));
    EXPECT_EQ(image.GetFormat(), VoImage::kFormatBGRA);
    EXPECT_EQ(image.GetBytesPerPixel(), 4);
    EXPECT_EQ(PixelsOf(image), (Bytes{0x10, 0x20, 0x30, 0x7F}));
}

TEST(VoImageTGA, PacketsFollowOneAnother) {
    VoImageTGA image;
    const Bytes data = {0x83, 9, 9, 9, 0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    ASSERT_TRUE(Load(image, Tga(10, 7, 1, 24, 0x20, data)));
    EXPECT_EQ(PixelsOf(image), (Bytes{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 1, 1, 1, 2, 2, 2, 3, 3, 3}));
}

TEST(VoImageTGA, PacketRunningPastARowContinuesInTheNext) {
    // Bottom row first: the file's first two pixels are the picture's last row.
    VoImageTGA image;
    ASSERT_TRUE(Load(image, Tga(10, 2, 2, 24, 0, {0x02, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0x80, 4, 4, 4})));
    EXPECT_EQ(PixelsOf(image), (Bytes{3, 3, 3, 4, 4, 4, 1, 1, 1, 2, 2, 2}));
}

TEST(VoImageTGA, PacketRunningPastThePictureIsClipped) {
    VoImageTGA run;
    ASSERT_TRUE(Load(run, Tga(10, 2, 1, 24, 0x20, {0xFF, 5, 6, 7})));
    EXPECT_EQ(PixelsOf(run), (Bytes{5, 6, 7, 5, 6, 7}));
    // A raw packet needs only the pixel values that land in the picture.
    VoImageTGA raw;
    ASSERT_TRUE(Load(raw, Tga(10, 2, 1, 24, 0x20, {0x7F, 1, 2, 3, 4, 5, 6})));
    EXPECT_EQ(PixelsOf(raw), (Bytes{1, 2, 3, 4, 5, 6}));
}

TEST(VoImageTGA, SkipsTheImageId) {
    TgaHeader header;
    header.idLength = 3;
    header.descriptor = 0x20;
    VoImageTGA image;
    ASSERT_TRUE(Load(image, header.ToBytes() + Bytes{'a', 'b', 'c', 7, 8, 9}));
    EXPECT_EQ(PixelsOf(image), (Bytes{7, 8, 9}));
}

TEST(VoImageTGA, RefusesOtherBitDepths) {
    for (unsigned char bits : {8, 15, 16, 0}) {
        VoImageTGA image;
        LogCapture log;
        EXPECT_FALSE(Load(image, Tga(2, 1, 1, bits, 0, Bytes(8))));
        EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImageTGA::kBitDepthNotSupported)));
        EXPECT_EQ(image.GetPixels(), nullptr);
    }
}

TEST(VoImageTGA, RefusesOtherTypesWithoutAMessageOfItsOwn) {
    TgaHeader colorMapped;
    colorMapped.colorMapType = 1;
    colorMapped.imageType = 1;
    TgaHeader mappedTrueColor;
    mappedTrueColor.colorMapType = 1;
    TgaHeader grey;
    grey.imageType = 3;
    TgaHeader greyPacked;
    greyPacked.imageType = 11;
    for (const TgaHeader& header : {colorMapped, mappedTrueColor, grey, greyPacked}) {
        VoImageTGA image;
        LogCapture log;
        EXPECT_FALSE(Load(image, header.ToBytes() + Bytes(16, 1)));
        EXPECT_THAT(log.Lines(), IsEmpty());
        EXPECT_EQ(image.GetPixels(), nullptr);
    }
}

TEST(VoImageTGA, RefusesEmptyAndHugePictures) {
    for (auto [width, height] : {std::pair<int, int>{0, 1}, {1, 0}, {65535, 1}, {16384, 16384}}) {
        VoImageTGA image;
        LogCapture log;
        EXPECT_FALSE(Load(image, Tga(10, width, height, 32, 0, Bytes(64, 0xFF))));
        EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kInvalidDimensions)));
    }
}

TEST(VoImageTGA, TruncatedFilesFailCleanly) {
    const Bytes cases[] = {
        {},
        Cut(Tga(2, 1, 1, 24, 0, {1, 2, 3}), 10),
        // The image ID runs past the end.
        [] {
            TgaHeader header;
            header.idLength = 200;
            return header.ToBytes() + Bytes(3, 0);
        }(),
        // 64 x 64 claimed, 10 bytes of pixels, either way.
        Tga(2, 64, 64, 24, 0, Bytes(10, 1)),
        Tga(10, 64, 64, 24, 0, Bytes(10, 0x80)),
        // The rows are whole but for the last byte.
        Tga(2, 2, 2, 24, 0, Bytes(11, 1)),
        // A raw packet cut short, and a run packet without its value.
        Tga(10, 4, 1, 24, 0x20, {0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
        Tga(10, 4, 1, 24, 0x20, {0x80, 1, 2, 3, 0x81, 1, 2, 3, 0x80, 1, 2}),
        // Packets end before the picture does.
        Tga(10, 129, 1, 24, 0x20, {0xFF, 1, 2, 3, 0xFF, 1, 2}),
    };
    for (const Bytes& file : cases) {
        VoImageTGA image;
        ASSERT_TRUE(image.Create(1, 1, 1, VoImage::kFormatA8, Bytes{0x5A}.data(), 1));
        LogCapture log;
        EXPECT_FALSE(Load(image, file));
        EXPECT_THAT(log.Lines(), IsEmpty());
        EXPECT_EQ(PixelsOf(image), Bytes{0x5A});
        EXPECT_EQ(image.GetFormat(), VoImage::kFormatA8);
    }
}

TEST(VoImageTGA, CreateFromAStreamCopiesTheGivenBytes) {
    const Bytes file = Tga(2, 1, 1, 24, 0, {1, 2, 3});
    TestStream stream(file + Bytes{0xEE});
    VoImageTGA image;
    ASSERT_TRUE(image.Create(&stream, static_cast<std::int32_t>(file.size())));
    EXPECT_EQ(PixelsOf(image), (Bytes{1, 2, 3}));
    EXPECT_EQ(stream.GetPosition(), file.size());
}

TEST(VoImageTGA, CreateFromAStreamRefusesWhatItCannotCopy) {
    const Bytes file = Tga(2, 1, 1, 24, 0, {1, 2, 3});
    VoImageTGA image;
    LogCapture log;
    EXPECT_FALSE(image.Create(nullptr, 3));
    TestStream shortStream(file);
    EXPECT_FALSE(image.Create(&shortStream, static_cast<std::int32_t>(file.size()) + 1));
    EXPECT_EQ(shortStream.GetReadCalls(), 0);
    TestStream hidden(file);
    hidden.HideSize();
    EXPECT_FALSE(image.Create(&hidden, static_cast<std::int32_t>(file.size()) + 1));
    TestStream negative(file);
    EXPECT_FALSE(image.Create(&negative, -5));
    EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kNullStream), IsError(VoImage::kCouldNotReadStream),
                                         IsError(VoImage::kCouldNotReadStream),
                                         IsError("Create failure. Invalid size: -5")));
    EXPECT_EQ(image.GetPixels(), nullptr);
}

TEST(VoImageTGA, ToStringNamesTheClassAndAddress) {
    VoImageTGA image;
    EXPECT_EQ(Narrow(image.ToString()), "[VoImageTGA <" + HexAddress(&image) + ">]");
}
