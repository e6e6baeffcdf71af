#include "container/VoStreamObject.h"

#include <gtest/gtest.h>

#include "container/VoString.h"
#include "support/LogCapture.h"

namespace {

int gDestroyed = 0;

class Probe : public VoStreamObject {
public:
    ~Probe() override { ++gDestroyed; }
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
