#include "geometry/VoImage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "geometry/ImageFiles.h"
#include "geometry/VoImageBMP.h"
#include "geometry/VoImageTGA.h"
#include "geometry/VoRectangle.h"
#include "geometry/VoVector2.h"
#include "support/GeometryTestSupport.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"
#include "support/TestStream.h"
#include "system/VoIFileSystem.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::IsSupersetOf;

namespace {

// The colour as packed 0xAARRGGBB bytes, each channel rounded back to its byte.
std::uint32_t Argb(const VoColor& aColor) {
    auto byte = [](float aChannel) { return static_cast<std::uint32_t>(std::lround(aChannel * 255.0f)); };
    return byte(aColor.fA) << 24 | byte(aColor.fR) << 16 | byte(aColor.fG) << 8 | byte(aColor.fB);
}

Bytes PixelsOf(const VoImage& aImage) {
    return Bytes(aImage.GetPixels(), aImage.GetPixels() + aImage.GetSize());
}

// A 2 x 2 format-1 picture whose pixel (x, y) holds B = 0x10 * (1 + x + 2y),
// G = B + 1, R = B + 2, A = B + 3.
const Bytes kSquare = {0x10, 0x11, 0x12, 0x13, 0x20, 0x21, 0x22, 0x23,
                       0x30, 0x31, 0x32, 0x33, 0x40, 0x41, 0x42, 0x43};

void MakeSquare(VoImage& aImage) {
    ASSERT_TRUE(aImage.Create(2, 2, 8, VoImage::kFormatBGRA, kSquare.data(), 16));
}

void ExpectSquare(const VoImage& aImage) {
    EXPECT_EQ(aImage.GetWidth(), 2);
    EXPECT_EQ(aImage.GetHeight(), 2);
    EXPECT_EQ(aImage.GetPitch(), 8);
    EXPECT_EQ(aImage.GetFormat(), VoImage::kFormatBGRA);
    EXPECT_EQ(aImage.GetSize(), 16);
    EXPECT_EQ(PixelsOf(aImage), kSquare);
}

// A scratch folder mounted as "//imagetest" in an engine of its own.
class ImageFolder : public PlatformTestFolder {
public:
    ImageFolder() {
        VoIFileSystem* fileSystem = VoIFileSystem::GetInstance();
        EXPECT_TRUE(fileSystem != nullptr && fileSystem->Mount(VoString(u"//imagetest"), Wide(Files())));
    }

    void WriteBytes(const std::string& aName, const Bytes& aBytes) const {
        Write(aName, std::string(aBytes.begin(), aBytes.end()));
    }

private:
    ScopedEngine fEngine;
};

}  // namespace

TEST(VoImage, CreateCopiesThePixelsAndDerivesTheDepthFromTheFormat) {
    VoImage image;
    Bytes pixels = kSquare;
    ASSERT_TRUE(image.Create(2, 2, 8, 1, pixels.data(), 16));
    pixels[0] = 0xFF;
    EXPECT_NE(image.GetPixels(), pixels.data());
    EXPECT_EQ(image.GetBytesPerPixel(), 4);
    EXPECT_EQ(image.GetBitsPerPixel(), 32);
    ExpectSquare(image);

    const Bytes row = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0};
    ASSERT_TRUE(image.Create(3, 1, 12, 3, row.data(), 12));
    EXPECT_EQ(image.GetBytesPerPixel(), 3);
    EXPECT_EQ(image.GetBitsPerPixel(), 24);
    EXPECT_EQ(image.GetPitch(), 12);

    ASSERT_TRUE(image.Create(3, 1, 3, 4, row.data(), 3));
    EXPECT_EQ(image.GetBitsPerPixel(), 8);
}

TEST(VoImage, CreateRefusesWhatTheFormatTableCannotHoldAndKeepsThePicture) {
    VoImage image;
    MakeSquare(image);
    const Bytes pixels(64, 0xAB);
    LogCapture log;
    EXPECT_FALSE(image.Create(2, 2, 8, 1, pixels.data(), 15));  // height * pitch != size
    EXPECT_FALSE(image.Create(2, 2, 8, 0, pixels.data(), 16));
    EXPECT_FALSE(image.Create(2, 2, 8, 5, pixels.data(), 16));
    EXPECT_FALSE(image.Create(2, 2, 8, -1, pixels.data(), 16));
    EXPECT_FALSE(image.Create(0, 2, 8, 1, pixels.data(), 16));
    EXPECT_FALSE(image.Create(2, -2, -8, 1, pixels.data(), 16));
    EXPECT_FALSE(image.Create(2, 2, 8, 1, nullptr, 16));
    EXPECT_FALSE(image.Create(2, 0, 8, 1, pixels.data(), 0));
    // A row narrower than its pixels would put the last pixel past the block.
    EXPECT_FALSE(image.Create(4, 1, 1, 1, pixels.data(), 1));
    EXPECT_FALSE(image.Create(3, 2, 8, 3, pixels.data(), 16));
    EXPECT_EQ(log.Count(VoImage::kInvalidArgs), 10);
    EXPECT_EQ(log.Lines().size(), 10u);
    ExpectSquare(image);
}

TEST(VoImage, CreateMayTakeItsOwnBuffer) {
    VoImage image;
    MakeSquare(image);
    ASSERT_TRUE(image.Create(1, 2, 8, 1, image.GetPixels(), 16));
    EXPECT_EQ(PixelsOf(image), kSquare);
    EXPECT_EQ(image.GetWidth(), 1);
}

TEST(VoImage, GetPixelReadsEachFormatsBytes) {
    VoImage image;
    const Bytes four = {0x01, 0x02, 0x03, 0x04};
    ASSERT_TRUE(image.Create(1, 1, 4, 1, four.data(), 4));
    EXPECT_EQ(Argb(image.GetPixel(0, 0)), 0x04030201u);
    ASSERT_TRUE(image.Create(1, 1, 4, 2, four.data(), 4));
    EXPECT_EQ(Argb(image.GetPixel(0, 0)), 0x04030201u);
    ASSERT_TRUE(image.Create(1, 1, 3, 3, four.data(), 3));
    EXPECT_EQ(image.GetPixel(0, 0).fA, 1.0f);
    EXPECT_EQ(Argb(image.GetPixel(0, 0)), 0xFF030201u);
    ASSERT_TRUE(image.Create(1, 1, 1, 4, four.data(), 1));
    EXPECT_EQ(Argb(image.GetPixel(0, 0)), 0x01000000u);
}

TEST(VoImage, GetPixelHonoursThePitch) {
    VoImage image;
    const Bytes rows = {1, 2, 3, 9, 9, 4, 5, 6, 9, 9};
    ASSERT_TRUE(image.Create(1, 2, 5, 3, rows.data(), 10));
    EXPECT_EQ(Argb(image.GetPixel(0, 1)), 0xFF060504u);
}

TEST(VoImage, GetPixelOutsideThePictureIsEmptyAndLogged) {
    VoImage image;
    MakeSquare(image);
    LogCapture log;
    EXPECT_EQ(Argb(image.GetPixel(2, 0)), 0u);
    EXPECT_EQ(Argb(image.GetPixel(0, -1)), 0u);
    EXPECT_EQ(Argb(image.GetPixel(VoVector2(-0.5f, 0.0f))), 0u);
    EXPECT_EQ(Argb(image.GetPixel(VoVector2(std::nanf(""), 0.0f))), 0u);
    EXPECT_EQ(Argb(image.GetPixel(VoVector2(0.0f, 2.0f))), 0u);
    EXPECT_EQ(log.Count(VoImage::kIndexOutOfBounds), 5);

    VoImage empty;
    EXPECT_EQ(Argb(empty.GetPixel(0, 0)), 0u);
    EXPECT_EQ(log.Count(VoImage::kIndexOutOfBounds), 6);
}

TEST(VoImage, GetPixelWithAPointTruncatesTowardZero) {
    VoImage image;
    MakeSquare(image);
    EXPECT_EQ(Argb(image.GetPixel(VoVector2(1.9f, 0.2f))), 0x23222120u);
    EXPECT_EQ(Argb(image.GetPixel(VoVector2(0.0f, 1.99f))), 0x33323130u);
}

TEST(VoImage, GetSubImageCopiesTheRectangleIntoTheTopLeftCorner) {
    Bytes pixels(16);
    for (int i = 0; i < 16; ++i) {
        pixels[i] = static_cast<unsigned char>(i + 1);
    }
    VoImage image;
    ASSERT_TRUE(image.Create(4, 4, 4, VoImage::kFormatA8, pixels.data(), 16));
    VoImage out;
    EXPECT_EQ(image.GetSubImage(VoRectangle(1.0f, 1.0f, 2.0f, 2.0f), 4, 4, &out), &out);
    EXPECT_EQ(out.GetWidth(), 4);
    EXPECT_EQ(out.GetPitch(), 4);
    EXPECT_EQ(out.GetFormat(), VoImage::kFormatA8);
    EXPECT_EQ(PixelsOf(out), (Bytes{6, 7, 0, 0, 10, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(VoImage, GetSubImageClampsTheRectangleToBothPictures) {
    VoImage image;
    MakeSquare(image);
    VoImage out;
    // One pixel up and left of the picture: the picture's pixel (0, 0) keeps
    // its place in the rectangle, at (1, 1).
    ASSERT_NE(image.GetSubImage(VoRectangle(-1.0f, -1.0f, 3.0f, 3.0f), 2, 2, &out), nullptr);
    EXPECT_EQ(PixelsOf(out), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x11, 0x12, 0x13}));

    // Larger than the picture and than the out-image.
    ASSERT_NE(image.GetSubImage(VoRectangle(1.0f, 0.0f, 1000.0f, 1000.0f), 1, 3, &out), nullptr);
    EXPECT_EQ(PixelsOf(out), (Bytes{0x20, 0x21, 0x22, 0x23, 0x40, 0x41, 0x42, 0x43, 0, 0, 0, 0}));

    // Wholly outside, or with sizes that are not numbers: all zero.
    ASSERT_NE(image.GetSubImage(VoRectangle(5.0f, 5.0f, 2.0f, 2.0f), 1, 1, &out), nullptr);
    EXPECT_EQ(PixelsOf(out), Bytes(4, 0));
    const float huge = std::numeric_limits<float>::max();
    ASSERT_NE(image.GetSubImage(VoRectangle(-huge, std::nanf(""), huge, huge), 1, 1, &out), nullptr);
    EXPECT_EQ(PixelsOf(out), Bytes(4, 0));
}

TEST(VoImage, GetSubImageMayWriteIntoItself) {
    VoImage image;
    MakeSquare(image);
    ASSERT_EQ(image.GetSubImage(VoRectangle(1.0f, 1.0f, 1.0f, 1.0f), 1, 1, &image), &image);
    EXPECT_EQ(PixelsOf(image), (Bytes{0x40, 0x41, 0x42, 0x43}));
}

TEST(VoImage, GetSubImageRefusesAMissingTargetOrSize) {
    VoImage image;
    VoImage out;
    LogCapture log;
    EXPECT_EQ(image.GetSubImage(VoRectangle(1.0f, 1.0f), 1, 1, &out), nullptr);
    MakeSquare(image);
    EXPECT_EQ(image.GetSubImage(VoRectangle(1.0f, 1.0f), 1, 1, nullptr), nullptr);
    EXPECT_EQ(image.GetSubImage(VoRectangle(1.0f, 1.0f), 0, 1, &out), nullptr);
    EXPECT_EQ(image.GetSubImage(VoRectangle(1.0f, 1.0f), 1, -1, &out), nullptr);
    EXPECT_EQ(image.GetSubImage(VoRectangle(1.0f, 1.0f), 100000, 100000, &out), nullptr);
    EXPECT_EQ(log.Count(VoImage::kGetSubImageInvalidArg), 5);
    EXPECT_EQ(out.GetPixels(), nullptr);
}

TEST(VoImage, WritesTheRawFormAndReadsItBack) {
    VoImage image;
    MakeSquare(image);
    TestStream stream;
    ASSERT_TRUE(image.Write(&stream));
    const Bytes expected = RawImage(2, 2, 8, 1, 16, kSquare);
    ASSERT_EQ(stream.Bytes().size(), 36u);
    EXPECT_EQ(stream.Bytes(), expected);

    stream.SetPosition(0);
    VoImage copy;
    ASSERT_TRUE(copy.Read(&stream));
    ExpectSquare(copy);
    EXPECT_EQ(copy.GetBytesPerPixel(), 4);
    EXPECT_EQ(stream.GetRemaining(), 0);
}

TEST(VoImage, RawFormStaysBinaryInTextStreamMode) {
    VoImage image;
    MakeSquare(image);
    TestStream stream;
    ASSERT_TRUE(VoIStream::SetStreamMode(VoIStream::MODE_TEXT));
    const bool written = image.Write(&stream);
    VoIStream::SetStreamMode(VoIStream::MODE_BINARY);
    ASSERT_TRUE(written);
    EXPECT_EQ(stream.Bytes(), RawImage(2, 2, 8, 1, 16, kSquare));
}

TEST(VoImage, ReadTakesOnlyItsOwnBytes) {
    TestStream stream(RawImage(1, 1, 3, 3, 3, {1, 2, 3}) + Bytes{0xEE, 0xEE});
    VoImage image;
    ASSERT_TRUE(image.Read(&stream));
    EXPECT_EQ(stream.GetPosition(), 23u);
    EXPECT_EQ(PixelsOf(image), (Bytes{1, 2, 3}));
}

TEST(VoImage, ReadRefusesABadHeaderAndKeepsThePicture) {
    struct Case {
        Bytes bytes;
        const char* lastMessage;
    };
    const Case cases[] = {
        {RawImage(2, 2, 8, 5, 16, Bytes(16)), VoImage::kCreateFailure},
        {RawImage(2, 2, 8, 0, 16, Bytes(16)), VoImage::kCreateFailure},
        {RawImage(2, 2, 8, 1, 15, Bytes(15)), VoImage::kCreateFailure},
        {RawImage(4, 1, 1, 1, 1, Bytes(1)), VoImage::kCreateFailure},
        {RawImage(0, 0, 0, 1, 0, {}), VoImage::kCreateFailure},
        // Sizes that wrap a 32-bit product, or do not fit a signed one.
        {RawImage(2, 0x80000001u, 2, 4, 2, Bytes(2)), VoImage::kCreateFailure},
        {RawImage(0x80000000u, 1, 0x80000000u, 4, 0x80000000u, {}), VoImage::kCreateFailure},
        // More pixels claimed than the stream holds: refused before reading.
        {RawImage(64, 64, 256, 1, 16384, Bytes(10)), VoImage::kReadFailure},
        {RawImage(2, 2, 8, 1, 16, Bytes(15)), VoImage::kReadFailure},
        // A header cut short.
        {Bytes{2, 0, 0, 0, 2, 0, 0, 0, 8, 0}, VoImage::kReadFailure},
        {{}, VoImage::kReadFailure},
    };
    for (const Case& c : cases) {
        VoImage image;
        MakeSquare(image);
        TestStream stream(c.bytes);
        LogCapture log;
        EXPECT_FALSE(image.Read(&stream));
        ASSERT_FALSE(log.Lines().empty());
        EXPECT_THAT(log.Lines().back(), IsError(c.lastMessage));
        ExpectSquare(image);
    }
}

TEST(VoImage, ReadFromAStreamOfUnknownSizeStopsAtTheLargestPicture) {
    const std::uint32_t tooLarge = static_cast<std::uint32_t>(VoImage::kMaxPixelBytes) + 4;
    TestStream stream(RawImage(tooLarge / 4, 1, tooLarge, 1, tooLarge, Bytes(8)));
    stream.HideSize();
    VoImage image;
    LogCapture log;
    EXPECT_FALSE(image.Read(&stream));
    EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kReadFailure)));

    TestStream small(RawImage(2, 2, 8, 1, 16, kSquare));
    small.HideSize();
    ASSERT_TRUE(image.Read(&small));
    ExpectSquare(image);
}

TEST(VoImage, ReadFailingInThePixelsKeepsThePicture) {
    TestStream stream(RawImage(1, 1, 4, 1, 4, {9, 9, 9, 9}));
    stream.FailRead(1);  // after the header
    VoImage image;
    MakeSquare(image);
    LogCapture log;
    EXPECT_FALSE(image.Read(&stream));
    EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kReadFailure)));
    ExpectSquare(image);
}

TEST(VoImage, WriteNeedsAPictureAndReportsAFailedWrite) {
    VoImage image;
    TestStream stream;
    LogCapture log;
    EXPECT_FALSE(image.Write(&stream));
    EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kWriteNoPixels)));
    EXPECT_THAT(stream.Bytes(), IsEmpty());

    MakeSquare(image);
    for (int failing : {0, 1}) {
        TestStream broken;
        broken.FailWrite(failing);
        log.Clear();
        EXPECT_FALSE(image.Write(&broken));
        EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kWriteFailure)));
    }
}

TEST(VoImage, CreateFromFileChoosesTheReaderByTheLastPieceInAnyCase) {
    ImageFolder folder;
    folder.WriteBytes("a.b.TGA", Tga(2, 1, 1, 24, 0, {1, 2, 3}));
    folder.WriteBytes("c.Bmp", BmpHeaders(1, 1) + Bytes{4, 5, 6, 0});
    VoImage* tga = nullptr;
    ASSERT_TRUE(VoImage::CreateFromFile(VoString(u"//imagetest/a.b.TGA"), &tga));
    ASSERT_NE(dynamic_cast<VoImageTGA*>(tga), nullptr);
    EXPECT_EQ(PixelsOf(*tga), (Bytes{1, 2, 3}));
    delete tga;
    VoImage* bmp = nullptr;
    ASSERT_TRUE(VoImage::CreateFromFile(VoString(u"//imagetest/c.Bmp"), &bmp));
    ASSERT_NE(dynamic_cast<VoImageBMP*>(bmp), nullptr);
    EXPECT_EQ(PixelsOf(*bmp), (Bytes{4, 5, 6}));
    delete bmp;
}

TEST(VoImage, CreateFromFileRefusesOtherEndings) {
    struct Case {
        const char16_t* path;
        const char* message;
    };
    const Case cases[] = {
        {u"//imagetest/a.png", "Image format not supported:png"},
        {u"//imagetest/a.b/c", "Image format not supported:b/c"},
        {u"//imagetest/tga", "Image format not supported://imagetest/tga"},
        {u"...", "Image format not supported:"},
        {u"", "Image format not supported:"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        VoImage* image = nullptr;
        EXPECT_FALSE(VoImage::CreateFromFile(VoString(c.path), &image));
        EXPECT_EQ(image, nullptr);
        EXPECT_THAT(log.Lines(), ElementsAre(IsError(c.message)));
    }
}

TEST(VoImage, CreateFromFileNeedsAnEmptyOutPointer) {
    ImageFolder folder;
    folder.WriteBytes("a.tga", Tga(2, 1, 1, 24, 0, {1, 2, 3}));
    VoImage held;
    VoImage* image = &held;
    LogCapture log;
    EXPECT_FALSE(VoImage::CreateFromFile(VoString(u"//imagetest/a.tga"), &image));
    EXPECT_FALSE(VoImage::CreateFromFile(VoString(u"//imagetest/a.tga"), nullptr));
    EXPECT_EQ(image, &held);
    EXPECT_EQ(held.GetPixels(), nullptr);
    EXPECT_THAT(log.Lines(), ElementsAre(IsError(VoImage::kInvalidArg), IsError(VoImage::kInvalidArg)));
}

TEST(VoImage, CreateFromFileReportsAFileItCannotLoad) {
    ImageFolder folder;
    folder.WriteBytes("cut.bmp", BmpHeaders(64, 64) + Bytes(10, 1));
    LogCapture log;
    VoImage* image = nullptr;
    EXPECT_FALSE(VoImage::CreateFromFile(VoString(u"//imagetest/missing.tga"), &image));
    EXPECT_FALSE(VoImage::CreateFromFile(VoString(u"//imagetest/cut.bmp"), &image));
    EXPECT_EQ(image, nullptr);
    // The file system names the missing file in a line of its own.
    EXPECT_THAT(log.Lines(), IsSupersetOf({IsError("Create failure. size == -1://imagetest/missing.tga"),
                                           IsError("Image creation failure://imagetest/missing.tga"),
                                           IsError(VoImageBMP::kCouldNotReadData),
                                           IsError("Image creation failure://imagetest/cut.bmp")}));
}

TEST(VoImage, ToStringNamesTheClassAndAddress) {
    VoImage image;
    EXPECT_EQ(Narrow(image.ToString()), "[VoImage <" + HexAddress(&image) + ">]");
}
