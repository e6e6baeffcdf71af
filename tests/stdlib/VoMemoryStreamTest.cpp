#include "stdlib/VoMemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/LogCapture.h"
#include "support/PlatformTestFolder.h"
#include "support/ScopedEngine.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Content(VoMemoryStream& aStream, std::uint32_t aCount) {
    return Bytes(aStream.GetBuffer(), aStream.GetBuffer() + aCount);
}

}  // namespace

TEST(VoMemoryStream, CapacityIsAtLeastFour) {
    EXPECT_EQ(VoMemoryStream(0, -1).GetCapacity(), 4);
    EXPECT_EQ(VoMemoryStream(-7, -1).GetCapacity(), 4);
    EXPECT_EQ(VoMemoryStream(3, -1).GetCapacity(), 4);
    EXPECT_EQ(VoMemoryStream(1024, -1).GetCapacity(), 1024);
}

TEST(VoMemoryStream, FiveBytesIntoFourGrowByEachRule) {
    const unsigned char five[] = {1, 2, 3, 4, 5};
    struct Case {
        int growth;
        int capacity;
    };
    for (const Case& c : {Case{-1, 10}, Case{-2, 7}, Case{-4, 6}, Case{100, 105}, Case{0, 5}}) {
        VoMemoryStream stream(4, c.growth);
        EXPECT_TRUE(stream.Write(5, five));
        EXPECT_EQ(stream.GetCapacity(), c.capacity) << "growth " << c.growth;
        EXPECT_EQ(stream.GetPosition(), 5u);
        EXPECT_EQ(Content(stream, 5), (Bytes{1, 2, 3, 4, 5}));
    }
}

TEST(VoMemoryStream, GrowthThatWouldUnderAllocateFallsBackToDoubling) {
    LogCapture log;
    VoMemoryStream stream(4, -3);
    EXPECT_TRUE(log.Contains(VoMemoryStream::kInvalidGrowth));
    EXPECT_EQ(stream.GetGrowth(), -1);
    EXPECT_EQ(stream.GetGrownCapacity(5), 10);
}

TEST(VoMemoryStream, GrownCapacityStopsAtTheSignedLimit) {
    VoMemoryStream stream(4, -1);
    EXPECT_EQ(stream.GetGrownCapacity(0x40000000), VoMemoryStream::kMaxCapacity);
    VoMemoryStream fixed(4, 0x7FFFFFFF);
    EXPECT_EQ(fixed.GetGrownCapacity(10), VoMemoryStream::kMaxCapacity);
}

TEST(VoMemoryStream, TypedValuesRoundTripAndPositionIsTheLength) {
    VoMemoryStream stream(4, -1);
    EXPECT_TRUE(stream.WriteInt(-2));
    EXPECT_TRUE(stream.WriteString(VoString(u"ab")));
    EXPECT_TRUE(stream.WriteFloat(1.0f));
    EXPECT_EQ(stream.GetPosition(), 18u);
    EXPECT_EQ(Content(stream, 18), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x61, 0x00, 0x62,
                                          0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F}));
    stream.SetPosition(0);
    std::int32_t number = 0;
    VoString text;
    float real = 0.0f;
    EXPECT_TRUE(stream.ReadInt(&number));
    EXPECT_TRUE(stream.ReadString(&text));
    EXPECT_TRUE(stream.ReadFloat(&real));
    EXPECT_EQ(number, -2);
    EXPECT_TRUE(text.Equals(u"ab"));
    EXPECT_EQ(real, 1.0f);
}

TEST(VoMemoryStream, ReadThatDoesNotFitFailsAndLeavesPositionAndTarget) {
    const unsigned char bytes[] = {1, 2, 3, 4, 5, 6};
    VoMemoryStream stream(4, -1);
    ASSERT_TRUE(stream.CreateFromBuffer(6, bytes));
    stream.SetPosition(4);
    LogCapture log;
    unsigned char out[4] = {9, 9, 9, 9};
    EXPECT_FALSE(stream.Read(3, out));
    EXPECT_TRUE(log.Contains(VoMemoryStream::kReadPastEnd));
    EXPECT_EQ(stream.GetPosition(), 4u);
    EXPECT_EQ(out[0], 9);
    // Exactly what remains is fine.
    EXPECT_TRUE(stream.Read(2, out));
    EXPECT_EQ(out[1], 6);
    EXPECT_EQ(stream.GetRemaining(), 0);
    // A position set or skipped past the end reads nothing, even a size
    // whose sum with the position wraps 32 bits.
    stream.SetPosition(100);
    EXPECT_FALSE(stream.Read(1, out));
    stream.SetPosition(2);
    EXPECT_FALSE(stream.Read(0xFFFFFFFFu, out));
    EXPECT_EQ(stream.GetPosition(), 2u);
}

TEST(VoMemoryStream, ZeroTerminatedReadWithoutTerminatorLeavesPosition) {
    const unsigned char bytes[] = {'a', 'b', 'c'};
    VoMemoryStream stream(4, -1);
    ASSERT_TRUE(stream.CreateFromBuffer(3, bytes));
    stream.SetPosition(1);
    char* text = nullptr;
    EXPECT_FALSE(stream.ReadCString(&text));
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(stream.GetPosition(), 1u);

    const unsigned char terminated[] = {'h', 'i', 0, 'x'};
    ASSERT_TRUE(stream.CreateFromBuffer(4, terminated));
    ASSERT_TRUE(stream.ReadCString(&text));
    EXPECT_STREQ(text, "hi");
    EXPECT_EQ(stream.GetPosition(), 3u);
    delete[] text;
}

TEST(VoMemoryStream, WriteBeyondTheEndFillsTheGapWithZeros) {
    const unsigned char byte = 7;
    VoMemoryStream stream(4, -1);
    stream.SetPosition(6);
    EXPECT_TRUE(stream.Write(1, &byte));
    EXPECT_EQ(stream.GetPosition(), 7u);
    EXPECT_EQ(Content(stream, 7), (Bytes{0, 0, 0, 0, 0, 0, 7}));
}

TEST(VoMemoryStream, WriteThatWouldPassTheSizeLimitIsRefused) {
    const unsigned char bytes[16] = {};
    VoMemoryStream stream(4, -1);
    stream.SetPosition(0x7FFFFFF8u);
    LogCapture log;
    EXPECT_FALSE(stream.Write(16, bytes));
    EXPECT_TRUE(log.Contains(VoMemoryStream::kTooLarge));
    EXPECT_EQ(stream.GetCapacity(), 4);
}

TEST(VoMemoryStream, CreateFromBufferCopiesOrRefuses) {
    const unsigned char bytes[] = {1, 2, 3};
    VoMemoryStream stream(16, -1);
    stream.SetPosition(5);
    ASSERT_TRUE(stream.CreateFromBuffer(3, bytes));
    EXPECT_EQ(stream.GetCapacity(), 3);
    EXPECT_EQ(stream.GetPosition(), 0u);
    EXPECT_EQ(Content(stream, 3), (Bytes{1, 2, 3}));
    EXPECT_NE(static_cast<const void*>(stream.GetBuffer()), static_cast<const void*>(bytes));

    LogCapture log;
    EXPECT_FALSE(stream.CreateFromBuffer(3, nullptr));
    EXPECT_FALSE(stream.CreateFromBuffer(-1, bytes));
    EXPECT_EQ(log.Count(VoMemoryStream::kCreateFromBufferFailure), 2);
    EXPECT_EQ(stream.GetCapacity(), 3);

    // Size 0 with a pointer: an empty stream that reads nothing.
    ASSERT_TRUE(stream.CreateFromBuffer(0, bytes));
    EXPECT_EQ(stream.GetCapacity(), 0);
    EXPECT_EQ(stream.GetRemaining(), 0);
    unsigned char out = 0;
    EXPECT_FALSE(stream.Read(1, &out));
}

TEST(VoMemoryStream, CreateFromFileTakesTheWholeFile) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    folder.Write("data.bin", std::string("\x01\x00\xFF\x7F", 4));
    VoMemoryStream stream(1024, -1);
    stream.SetPosition(9);
    ASSERT_TRUE(stream.CreateFromFile(PlatformTestFolder::Wide(folder.Path("data.bin")), false));
    EXPECT_EQ(stream.GetCapacity(), 4);
    EXPECT_EQ(stream.GetPosition(), 0u);
    EXPECT_EQ(Content(stream, 4), (Bytes{0x01, 0x00, 0xFF, 0x7F}));

    folder.Write("empty.bin", "");
    ASSERT_TRUE(stream.CreateFromFile(PlatformTestFolder::Wide(folder.Path("empty.bin")), false));
    EXPECT_EQ(stream.GetCapacity(), 0);
}

TEST(VoMemoryStream, CreateFromFileThatCannotBeOpenedChangesNothing) {
    ScopedEngine engine;
    PlatformTestFolder folder;
    const unsigned char bytes[] = {1, 2};
    VoMemoryStream stream(4, -1);
    ASSERT_TRUE(stream.CreateFromBuffer(2, bytes));
    stream.SetPosition(1);
    LogCapture log;
    EXPECT_FALSE(stream.CreateFromFile(PlatformTestFolder::Wide(folder.Path("missing.bin")), false));
    EXPECT_TRUE(log.Contains(std::string("ASSERT FAILURE: ")));
    EXPECT_TRUE(log.Contains(VoMemoryStream::kOpenFailure));
    EXPECT_EQ(stream.GetCapacity(), 2);
    EXPECT_EQ(stream.GetPosition(), 1u);
}

TEST(VoMemoryStream, FileSizeFailureIsNeverTakenForASize) {
    ScopedEngine engine;
    // A sparse file too large for a 32-bit signed size: it opens, but the
    // file system answers its failure value.
    PlatformTestFolder folder;
    folder.Write("huge.bin", "");
    std::filesystem::resize_file(folder.Path("huge.bin"), 0x90000000ull);
    const unsigned char bytes[] = {1, 2};
    VoMemoryStream stream(4, -1);
    ASSERT_TRUE(stream.CreateFromBuffer(2, bytes));
    LogCapture log;
    EXPECT_FALSE(stream.CreateFromFile(PlatformTestFolder::Wide(folder.Path("huge.bin")), false));
    EXPECT_TRUE(log.Contains(VoMemoryStream::kFileSizeFailure));
    EXPECT_EQ(stream.GetCapacity(), 2);
    EXPECT_EQ(Content(stream, 2), (Bytes{1, 2}));
}
