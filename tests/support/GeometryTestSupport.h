#pragma once
// What the geometry tests share: log matchers, the common angle and the checks of the stored forms.
#include <gmock/gmock.h>

#include <cstddef>
#include <string>
#include <vector>

#include "container/VoString.h"
#include "geometry/VoVector2.h"
#include "geometry/VoVector3.h"
#include "support/LogCapture.h"
#include "support/TestStream.h"
#include "support/TestText.h"

constexpr float kPi = 3.14159265358979f;

// A log line of the given level that carries exactly aText (see IsLogLine).
MATCHER_P2(IsLine, aLevel, aText, "") {
    return IsLogLine(arg, aLevel, aText);
}
inline auto IsError(const char* apText) {
    return IsLine("ERROR: ", apText);
}
inline auto IsAssertFailure(const char* apText) {
    return IsLine("ASSERT FAILURE: ", apText);
}

// Readable vectors in failure messages.
inline void PrintTo(const VoVector2& aValue, std::ostream* apStream) {
    *apStream << "(" << aValue.x << ", " << aValue.y << ")";
}
inline void PrintTo(const VoVector3& aValue, std::ostream* apStream) {
    *apStream << "(" << aValue.x << ", " << aValue.y << ", " << aValue.z << ")";
}

// The bytes that aValue's Write puts on a fresh stream.
template <typename Value>
std::vector<unsigned char> StoredBytes(Value aValue) {
    TestStream out;
    EXPECT_TRUE(aValue.Write(&out));
    return out.Bytes();
}

// aValue writes exactly aBytes, and aBytes read into aBlank give a value
// that writes them again.
template <typename Value>
void ExpectStoredAs(const Value& aValue, const std::vector<unsigned char>& aBytes, Value aBlank) {
    EXPECT_EQ(StoredBytes(aValue), aBytes);
    TestStream in(aBytes);
    ASSERT_TRUE(aBlank.Read(&in));
    EXPECT_EQ(in.GetPosition(), aBytes.size());
    EXPECT_EQ(StoredBytes(aBlank), aBytes);
}

// Every proper prefix of aBytes (the stored form of a whole value) fails to
// read and leaves the value exactly as it was.
template <typename Value>
void ExpectShortInputRefused(const std::vector<unsigned char>& aBytes, const Value& aBefore) {
    const std::vector<unsigned char> before = StoredBytes(aBefore);
    for (std::size_t size = 0; size < aBytes.size(); ++size) {
        TestStream in(std::vector<unsigned char>(aBytes.begin(), aBytes.begin() + size));
        Value value = aBefore;
        EXPECT_FALSE(value.Read(&in)) << size << " bytes";
        EXPECT_EQ(StoredBytes(value), before) << size << " bytes";
    }
}

// A read whose aFailing-th float fails still attempts every one of the
// aCount floats, and leaves the value as it was; a write attempts every one.
template <typename Value>
void ExpectEveryComponentAttempted(const Value& aBefore, int aCount, int aFailing) {
    const std::vector<unsigned char> before = StoredBytes(aBefore);
    TestStream in(std::vector<unsigned char>(static_cast<std::size_t>(aCount) * 4, 0x3F));
    in.FailRead(aFailing);
    Value value = aBefore;
    EXPECT_FALSE(value.Read(&in));
    EXPECT_EQ(in.GetReadCalls(), aCount);
    EXPECT_EQ(StoredBytes(value), before);

    TestStream out;
    out.FailWrite(aFailing);
    EXPECT_FALSE(value.Write(&out));
    EXPECT_EQ(out.GetWriteCalls(), aCount);
}
