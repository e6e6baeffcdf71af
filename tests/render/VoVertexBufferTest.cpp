#include "render/VoVertexBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/RenderTestSupport.h"
#include "support/TestStream.h"

namespace {

void PutInt(Bytes& aOut, std::int32_t aValue) {
    const std::uint32_t value = static_cast<std::uint32_t>(aValue);
    for (int i = 0; i < 4; ++i) {
        aOut.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
}

Bytes Record(std::int32_t aFormat, std::int32_t aStride, std::int32_t aCount, std::int32_t aSize,
             const Bytes& aData) {
    Bytes out;
    PutInt(out, aFormat);
    PutInt(out, aStride);
    PutInt(out, aCount);
    PutInt(out, aSize);
    out.insert(out.end(), aData.begin(), aData.end());
    return out;
}

Bytes Sequence(std::size_t aCount) {
    Bytes bytes(aCount);
    for (std::size_t i = 0; i < aCount; ++i) {
        bytes[i] = static_cast<unsigned char>(i + 1);
    }
    return bytes;
}

}  // namespace

TEST(VoVertexBuffer, EachFormatHasItsStride) {
    const std::int32_t strides[] = {0, 12, 28, 20, 40, 32, 48, 24, 0};
    for (std::int32_t format = 0; format <= 8; ++format) {
        EXPECT_EQ(VoVertexBuffer::StrideOf(format), strides[format]) << format;
    }
    EXPECT_EQ(VoVertexBuffer::StrideOf(-1), 0);
}

TEST(VoVertexBuffer, CreateCopiesTheVerticesOfTheFormat) {
    const Bytes data = Sequence(96);
    VoVertexBuffer buffer;
    ASSERT_TRUE(buffer.Create(5, data.data(), 3));
    EXPECT_EQ(buffer.GetStride(), 32);
    EXPECT_EQ(buffer.GetSize(), 96);
    EXPECT_EQ(buffer.GetVertexCount(), 3);
    EXPECT_EQ(buffer.GetFormat(), 5);
    EXPECT_NE(buffer.GetBuffer(), data.data());
    EXPECT_EQ(std::memcmp(buffer.GetBuffer(), data.data(), 96), 0);
    EXPECT_EQ(static_cast<unsigned char*>(buffer.GetVertex(2))[0], 65);
    EXPECT_EQ(buffer.GetVertex(3), nullptr);
    EXPECT_EQ(buffer.GetVertex(-1), nullptr);
    EXPECT_EQ(Narrow(buffer.ToString()), "[VoVertexBuffer <" + HexAddress(&buffer) + ">]");
}

TEST(VoVertexBuffer, InvalidCreationIsLoggedAndKeepsTheOldData) {
    const Bytes data = Sequence(96);
    VoVertexBuffer buffer;
    ASSERT_TRUE(buffer.Create(1, data.data(), 2));
    LogCapture log;
    EXPECT_FALSE(buffer.Create(5, data.data(), 0));
    EXPECT_FALSE(buffer.Create(5, nullptr, 3));
    EXPECT_FALSE(buffer.Create(0, data.data(), 3));
    EXPECT_FALSE(buffer.Create(8, data.data(), 3));
    EXPECT_FALSE(buffer.Create(6, data.data(), 0x7FFFFFFF));
    EXPECT_EQ(log.Count(VoVertexBuffer::kCreateInvalid), 5);
    EXPECT_EQ(buffer.GetFormat(), 1);
    EXPECT_EQ(buffer.GetSize(), 24);
    EXPECT_EQ(static_cast<unsigned char*>(buffer.GetBuffer())[23], 24);
}

TEST(VoVertexBuffer, AllocateGivesZeroedStorageAndTheCountStaysWithinIt) {
    VoVertexBuffer buffer;
    ASSERT_TRUE(buffer.Allocate(2, 4));
    EXPECT_EQ(buffer.GetSize(), 112);
    EXPECT_EQ(static_cast<unsigned char*>(buffer.GetVertex(3))[27], 0);
    EXPECT_TRUE(buffer.SetVertexCount(2));
    EXPECT_EQ(buffer.GetVertexCount(), 2);
    EXPECT_EQ(buffer.GetSize(), 112);
    LogCapture log;
    EXPECT_FALSE(buffer.SetVertexCount(5));
    EXPECT_FALSE(buffer.SetVertexCount(-1));
    EXPECT_EQ(log.Count(VoVertexBuffer::kSetCountInvalid), 2);
    EXPECT_FALSE(buffer.Allocate(9, 4));
    EXPECT_FALSE(buffer.Allocate(3, -1));
    EXPECT_EQ(buffer.GetVertexCount(), 2);
}

TEST(VoVertexBuffer, AnEmptyBufferHasNoDataToGive) {
    VoVertexBuffer buffer;
    LogCapture log;
    EXPECT_EQ(buffer.GetBuffer(), nullptr);
    EXPECT_TRUE(log.Logged("ERROR: ", VoVertexBuffer::kGetBufferEmpty));
    EXPECT_EQ(buffer.GetVertex(0), nullptr);
}

TEST(VoVertexBuffer, TheRecordReadsAndWritesBackByteForByte) {
    const Bytes record = Record(3, 20, 2, 40, Sequence(40));
    TestStream in(record);
    VoVertexBuffer buffer;
    ASSERT_TRUE(buffer.Read(&in));
    EXPECT_EQ(buffer.GetVertexCount(), 2);
    TestStream out;
    ASSERT_TRUE(buffer.Write(&out));
    EXPECT_EQ(out.Bytes(), record);

    // An empty buffer writes four zeros and reads them back as empty.
    VoVertexBuffer empty;
    TestStream emptyOut;
    ASSERT_TRUE(empty.Write(&emptyOut));
    EXPECT_EQ(emptyOut.Bytes(), Record(0, 0, 0, 0, {}));
    TestStream emptyIn(emptyOut.Bytes());
    ASSERT_TRUE(buffer.Read(&emptyIn));
    EXPECT_EQ(buffer.GetSize(), 0);
}

TEST(VoVertexBuffer, ARecordThatDoesNotAddUpIsRefusedAndChangesNothing) {
    const struct {
        const char* name;
        Bytes record;
    } cases[] = {
        {"stride of another format", Record(3, 32, 2, 64, Sequence(64))},
        {"size not stride x count", Record(3, 20, 2, 44, Sequence(44))},
        {"negative count", Record(3, 20, -2, -40, {})},
        {"format 8", Record(8, 20, 1, 20, Sequence(20))},
        {"data cut short", Record(1, 12, 3, 36, Sequence(30))},
        {"size beyond 32 bits of vertices", Record(6, 48, 0x7FFFFFFF, 0x7FFFFFD0, {})},
        {"header cut short", Bytes{1, 0, 0, 0, 12, 0}},
    };
    const Bytes data = Sequence(24);
    for (const auto& c : cases) {
        VoVertexBuffer buffer;
        ASSERT_TRUE(buffer.Create(1, data.data(), 2));
        LogCapture log;
        TestStream in(c.record);
        EXPECT_FALSE(buffer.Read(&in)) << c.name;
        EXPECT_EQ(buffer.GetFormat(), 1) << c.name;
        EXPECT_EQ(buffer.GetSize(), 24) << c.name;
        EXPECT_EQ(static_cast<unsigned char*>(buffer.GetBuffer())[0], 1) << c.name;
    }
}
