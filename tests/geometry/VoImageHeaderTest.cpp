#include "geometry/VoImageHeader.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/TestStream.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Width 0x01020304, height 2, pitch 0x80000000, format 4, size 0xFFFFFFFF:
// every byte of a u32 in its place, and the top bit kept.
const Bytes kHeader = {0x04, 0x03, 0x02, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                       0x00, 0x80, 0x04, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};

void ExpectFields(const VoImageHeader& aHeader, std::uint32_t aWidth, std::uint32_t aHeight,
                  std::uint32_t aPitch, std::uint32_t aFormat, std::uint32_t aSize) {
    EXPECT_EQ(aHeader.fWidth, aWidth);
    EXPECT_EQ(aHeader.fHeight, aHeight);
    EXPECT_EQ(aHeader.fPitch, aPitch);
    EXPECT_EQ(aHeader.fFormat, aFormat);
    EXPECT_EQ(aHeader.fSize, aSize);
}

}  // namespace

TEST(VoImageHeader, FiveLittleEndianValuesInOneWriteWhateverTheStreamMode) {
    const VoImageHeader header(0x01020304u, 2, 0x80000000u, 4, 0xFFFFFFFFu);
    for (int mode : {VoIStream::MODE_BINARY, VoIStream::MODE_TEXT}) {
        TestStream stream;
        ASSERT_TRUE(VoIStream::SetStreamMode(mode));
        const bool written = header.Write(&stream);
        VoIStream::SetStreamMode(VoIStream::MODE_BINARY);
        ASSERT_TRUE(written);
        EXPECT_EQ(stream.Bytes(), kHeader);
        EXPECT_EQ(stream.GetWriteCalls(), 1);
    }
}

TEST(VoImageHeader, ReadsTheFiveValuesBackAndStopsAtThePixels) {
    Bytes bytes = kHeader;
    bytes.push_back(0xEE);
    TestStream stream(bytes);
    VoImageHeader header;
    ASSERT_TRUE(header.Read(&stream));
    ExpectFields(header, 0x01020304u, 2, 0x80000000u, 4, 0xFFFFFFFFu);
    EXPECT_EQ(stream.GetPosition(), VoImageHeader::kByteCount);
}

TEST(VoImageHeader, FailuresLeaveTheRecordAsItWas) {
    VoImageHeader header(1, 2, 3, 4, 5);
    TestStream cut(Bytes(kHeader.begin(), kHeader.end() - 1));
    EXPECT_FALSE(header.Read(&cut));
    EXPECT_EQ(cut.GetPosition(), 0u);
    EXPECT_FALSE(header.Read(nullptr));
    ExpectFields(header, 1, 2, 3, 4, 5);

    TestStream broken;
    broken.FailWrite(0);
    EXPECT_FALSE(header.Write(&broken));
    EXPECT_FALSE(header.Write(nullptr));
}
