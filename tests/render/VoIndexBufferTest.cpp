#include "render/VoIndexBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/RenderTestSupport.h"
#include "support/TestStream.h"

namespace {

void PutInt(Bytes& aOut, std::uint32_t aValue, int aBytes = 4) {
    for (int i = 0; i < aBytes; ++i) {
        aOut.push_back(static_cast<unsigned char>(aValue >> (8 * i)));
    }
}

std::vector<std::uint32_t> IndicesOf(const VoIndexBuffer& aBuffer) {
    std::vector<std::uint32_t> indices;
    for (std::int32_t i = 0; i < aBuffer.GetCount(); ++i) {
        indices.push_back(aBuffer.GetIndex(i));
    }
    return indices;
}

const std::uint32_t kSix[] = {0, 1, 2, 2, 1, 65535};

}  // namespace

TEST(VoIndexBuffer, ThirtyTwoBitIndicesNarrowOnADeviceBelowFullRange) {
    RecordedDevice device;
    device->SetMaxVertexIndex((1u << 20) - 1);
    VoIndexBuffer buffer;
    ASSERT_TRUE(buffer.Create(VoIndexBuffer::kFormat32, kSix, 6));
    EXPECT_EQ(buffer.GetFormat(), VoIndexBuffer::kFormat16);
    EXPECT_EQ(buffer.GetWidth(), 2);
    EXPECT_EQ(buffer.GetSize(), 12);
    EXPECT_EQ(IndicesOf(buffer), (std::vector<std::uint32_t>{0, 1, 2, 2, 1, 65535}));
    std::uint16_t raw[6];
    std::memcpy(raw, buffer.GetBuffer(), sizeof raw);
    EXPECT_EQ(raw[5], 65535);
}

TEST(VoIndexBuffer, TheDevicesMaximumDecidesTheWidth) {
    const struct {
        const char* name;
        std::uint32_t maximum;
        std::uint32_t largest;  // the last index of the buffer
        bool fits;
        std::int32_t format;
        const char* message;
    } cases[] = {
        {"full range keeps 32 bits", 0xFFFFFFFFu, 7, true, VoIndexBuffer::kFormat32, nullptr},
        {"2^32 - 2 is full range", 0xFFFFFFFEu, 7, true, VoIndexBuffer::kFormat32, nullptr},
        {"16-bit device narrows", 0xFFFEu, 7, true, VoIndexBuffer::kFormat16, nullptr},
        // Narrowing 70000 would point at vertex 4464: a device that draws it keeps 32 bits.
        {"an index needing 32 bits stays", (1u << 20) - 1, 70000, true, VoIndexBuffer::kFormat32, nullptr},
        {"a 16-bit device cannot take it", 0xFFFFu, 70000, false, VoIndexBuffer::kFormat32,
         VoIndexBuffer::kIndexBeyondDevice},
        {"below 16 bits nothing fits", 1000, 7, false, VoIndexBuffer::kFormat32,
         VoIndexBuffer::kFormatUndefined},
    };
    for (const auto& c : cases) {
        RecordedDevice device;
        device->SetMaxVertexIndex(c.maximum);
        const std::uint32_t indices[] = {0, 1, c.largest};
        VoIndexBuffer buffer;
        LogCapture log;
        EXPECT_TRUE(buffer.Create(VoIndexBuffer::kFormat32, indices, 3)) << c.name;
        EXPECT_EQ(buffer.ConformToDevice(), c.fits) << c.name;
        EXPECT_EQ(buffer.GetFormat(), c.format) << c.name;
        EXPECT_EQ(buffer.GetIndex(2), c.largest) << c.name;
        if (c.message != nullptr) {
            EXPECT_TRUE(log.Contains(c.message)) << c.name;
        }
    }
    RecordedDevice device;
    device->SetMaxVertexIndex(1000);
    LogCapture log;
    VoIndexBuffer buffer;
    const std::uint32_t indices[] = {1};
    buffer.Create(VoIndexBuffer::kFormat32, indices, 1);
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", std::string(VoIndexBuffer::kFormatUndefined) + "1000"));
}

TEST(VoIndexBuffer, SixteenBitIndicesReadAsTwoBytes) {
    const std::uint16_t shorts[] = {3, 0xFFFF, 7};
    VoIndexBuffer buffer;
    ASSERT_TRUE(buffer.Create(VoIndexBuffer::kFormat16, shorts, 3));
    EXPECT_EQ(IndicesOf(buffer), (std::vector<std::uint32_t>{3, 0xFFFF, 7}));
    EXPECT_TRUE(buffer.SetIndex(1, 0x12345));
    EXPECT_EQ(buffer.GetIndex(1), 0x2345u);
    LogCapture log;
    EXPECT_EQ(buffer.GetIndex(3), 0u);
    EXPECT_FALSE(buffer.SetIndex(-1, 0));
    EXPECT_EQ(log.Count(VoIndexBuffer::kIndexOutOfBounds), 2);
}

TEST(VoIndexBuffer, InvalidCreationIsLoggedAndKeepsTheOldData) {
    VoIndexBuffer buffer;
    ASSERT_TRUE(buffer.Create(VoIndexBuffer::kFormat32, kSix, 6));
    LogCapture log;
    EXPECT_FALSE(buffer.Create(VoIndexBuffer::kFormat32, kSix, 0));
    EXPECT_FALSE(buffer.Create(VoIndexBuffer::kFormat32, nullptr, 6));
    EXPECT_FALSE(buffer.Create(3, kSix, 6));
    EXPECT_EQ(log.Count(VoIndexBuffer::kCreateInvalid), 3);
    EXPECT_EQ(buffer.GetCount(), 6);
    EXPECT_EQ(buffer.GetIndex(5), 65535u);
}

TEST(VoIndexBuffer, CopiesOwnTheirIndices) {
    VoIndexBuffer buffer;
    ASSERT_TRUE(buffer.Create(VoIndexBuffer::kFormat32, kSix, 6));
    VoIndexBuffer copy(buffer);
    VoIndexBuffer assigned;
    assigned = buffer;
    buffer.SetIndex(0, 99);
    EXPECT_EQ(copy.GetIndex(0), 0u);
    EXPECT_EQ(assigned.GetIndex(0), 0u);
    EXPECT_NE(copy.GetBuffer(), buffer.GetBuffer());
    VoIndexBuffer& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned.GetIndex(5), 65535u);
    VoIndexBuffer empty;
    assigned = empty;
    EXPECT_EQ(assigned.GetCount(), 0);
}

TEST(VoIndexBuffer, TheRecordRoundTripsAndIsFittedAfterReading) {
    Bytes record;
    PutInt(record, VoIndexBuffer::kFormat32);
    PutInt(record, 4);
    PutInt(record, 3);
    PutInt(record, 12);
    PutInt(record, 0);
    PutInt(record, 1);
    PutInt(record, 2);
    TestStream in(record);
    VoIndexBuffer buffer;
    ASSERT_TRUE(buffer.Read(&in));
    TestStream out;
    ASSERT_TRUE(buffer.Write(&out));
    EXPECT_EQ(out.Bytes(), record);

    RecordedDevice device;
    device->SetMaxVertexIndex(0xFFFF);
    TestStream again(record);
    ASSERT_TRUE(buffer.Read(&again));
    EXPECT_EQ(buffer.GetFormat(), VoIndexBuffer::kFormat16);
    EXPECT_EQ(buffer.GetSize(), 6);
}

TEST(VoIndexBuffer, ARefusedRecordChangesNothingAndAnEmptyOneFailsTheFitting) {
    const struct {
        const char* name;
        std::uint32_t format, width, count, size;
        std::size_t dataBytes;
    } cases[] = {{"width of the other format", 1, 4, 2, 8, 8},
                 {"size not width x count", 2, 4, 2, 12, 12},
                 {"data cut short", 2, 4, 4, 16, 10},
                 {"format 3", 3, 4, 1, 4, 4},
                 {"count beyond memory", 2, 4, 0x40000000u, 0, 0}};
    for (const auto& c : cases) {
        VoIndexBuffer buffer;
        ASSERT_TRUE(buffer.Create(VoIndexBuffer::kFormat32, kSix, 6));
        Bytes record;
        for (std::uint32_t value : {c.format, c.width, c.count, c.size}) {
            PutInt(record, value);
        }
        record.resize(record.size() + c.dataBytes, 1);
        LogCapture log;
        TestStream in(record);
        EXPECT_FALSE(buffer.Read(&in)) << c.name;
        EXPECT_EQ(buffer.GetCount(), 6) << c.name;
        EXPECT_EQ(buffer.GetIndex(5), 65535u) << c.name;
    }
    LogCapture log;
    TestStream empty(Bytes(16, 0));
    VoIndexBuffer buffer;
    EXPECT_FALSE(buffer.Read(&empty));
    EXPECT_TRUE(log.Logged("ASSERT FAILURE: ", VoIndexBuffer::kInvalidCall));
}
