#include "container/VoStreamObject.h"

#include <gtest/gtest.h>

#include <vector>

#include "container/VoString.h"
#include "support/LogCapture.h"
#include "support/TestStream.h"

namespace {

int gDestroyed = 0;

class Probe : public VoStreamObject {
public:
    ~Probe() override { ++gDestroyed; }
};

class Flags : public VoStreamObject {
public:
    Flags(bool aFirst, bool aSecond) {
        fPersistedFlag1 = aFirst;
        fPersistedFlag2 = aSecond;
    }
};

}  // namespace

TEST(VoStreamObject, DefaultsOfANewObject) {
    VoStreamObject object;
    EXPECT_TRUE(object.Initialize(0));
    EXPECT_TRUE(object.Initialize(~std::uintptr_t{0}));
    EXPECT_FALSE(object.GetPersistedFlag1());
    EXPECT_FALSE(object.GetPersistedFlag2());
    EXPECT_EQ(object.GetReserved4(), 0u);
    EXPECT_EQ(object.GetReserved6(), 0u);
    EXPECT_EQ(object.GetReserved7(), 0u);
}

TEST(VoStreamObject, DebugStringIsTheRootOne) {
    VoStreamObject object;
    const VoBase& base = object;
    EXPECT_EQ(TextOf(object.ToString()),
              TextOf(VoString(u"[VoBase <") + static_cast<const void*>(&base) + u">]"));
}

TEST(VoStreamObject, DestroysWholeThroughEitherBase) {
    gDestroyed = 0;
    VoBase* asBase = new Probe;
    delete asBase;
    VoISerializable* asInterface = new Probe;
    delete asInterface;
    EXPECT_EQ(gDestroyed, 2);
}

TEST(VoStreamObject, DefaultWriteIsTwoBoolsFirstFlagFirst) {
    TestStream stream;
    ASSERT_TRUE(Flags(true, false).Write(&stream));
    EXPECT_EQ(stream.Bytes(), (std::vector<unsigned char>{0x01, 0x00}));

    stream.SetPosition(0);
    Flags read(false, true);
    ASSERT_TRUE(read.Read(&stream));
    EXPECT_TRUE(read.GetPersistedFlag1());
    EXPECT_FALSE(read.GetPersistedFlag2());
}

TEST(VoStreamObject, FailedFirstFlagStillReadsAndWritesTheSecond) {
    TestStream in({0x01});
    in.FailRead(0);
    Flags read(false, false);
    EXPECT_FALSE(read.Read(&in));
    EXPECT_EQ(in.GetReadCalls(), 2);
    EXPECT_FALSE(read.GetPersistedFlag1());
    EXPECT_TRUE(read.GetPersistedFlag2());

    TestStream out;
    out.FailWrite(0);
    EXPECT_FALSE(Flags(false, true).Write(&out));
    EXPECT_EQ(out.GetWriteCalls(), 2);
    EXPECT_EQ(out.Bytes(), (std::vector<unsigned char>{0x01}));
}

TEST(VoStreamObject, TruncatedStreamFailsTheRead) {
    TestStream in({0x00});
    Flags read(true, true);
    EXPECT_FALSE(read.Read(&in));
    EXPECT_FALSE(read.GetPersistedFlag1());
    EXPECT_TRUE(read.GetPersistedFlag2());
}
